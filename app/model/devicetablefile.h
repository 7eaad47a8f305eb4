#pragma once
// Reading a controller device table file "HMI/M<id>.hmi": text lines "label=value" in a
// fixed order (the label is ignored), the device records and then a trailer with the
// controller's defaults.
#include "app/model/devrecord.h"
#include "app/model/modelwarning.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

constexpr int kExtendedMachineId = 96;

// The shipped tables are some 2 KiB; 256 records of 256 named ranges of short lines stay
// below this.
inline constexpr std::size_t kMaxDeviceTableBytes = 4u << 20;

struct DeviceTableFile {
    std::vector<DevRecord> Records;
    std::uint8_t TrailerByte = 0; // kept; nothing depends on it
    std::int32_t DefWordCode = -1;
    std::int32_t DefBitCode = -1;
    std::uint8_t DefStation = 0;
    bool LengthSelectsAccess = false;
    std::uint8_t ComSet1 = 0;
    std::uint8_t ComSet2 = 0;
    std::uint8_t PortInternalCode = 0;
    std::uint8_t AddrTextFmt = 0;
};

// Machine ids 1 and 2 read the file of 3.
int DeviceTableFileId(int machineId);
std::string DeviceTableFileName(int machineId); // "M<id>.hmi"

// Parses the text of a table file; the extended lines are read for machine id 96 only.
// A file that breaks the format (ends early, a line without "=", a name longer than 5
// characters, a step or bits-per-unit of 0, a range whose start lies past its end,
// counts out of reason) gives false with a TableDamaged warning. Values that are no
// number read as the number conversions give them and add a BadValue warning.
bool ParseDeviceTable(std::string_view text, int machineId, const std::string& fileName, DeviceTableFile& out,
                      ModelWarnings& warnings);

} // namespace kes
