#pragma once
// Moving a project to another controller model: the pairing of the source model's devices
// with the target's (bit rows, then word rows) and the rewrite of every device reference the
// project holds (system records, system function keys, every stored page) into the target's
// addresses. Windowless: the address map dialog shows the rows and asks the questions; the
// page open in the editor is stored before and read back after, so its references travel
// with the stored pages.
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kes {

class ProjectDoc;

class PlcAddrMap {
public:
    // Both tables are read from the program folder of doc; nothing is loaded yet.
    explicit PlcAddrMap(ProjectDoc& doc);
    PlcAddrMap(const PlcAddrMap&) = delete;
    PlcAddrMap& operator=(const PlcAddrMap&) = delete;

    // Loads the source and target tables and pairs each source device with the target
    // device at its position within its kind (the last one when the target has fewer).
    void BuildRows();

    // Models 4 and 6 have no bit devices: true when the project holds a reference that needs
    // one (system keys, jumps, buzzer, alarm lamp, power-on macro, every stored page).
    bool CheckTargetRefs();
    // Takes those references out: system records are cleared, stored records dropped.
    void RewriteTargetRefs();
    // Converts every reference; false when one did not find its place in the target.
    // openPage: the index of the page open in the editor (its panel-memory references are
    // carried over like the others), -1 when none. Marks the project modified.
    bool ApplyAddressMap(int openPage = -1);

    // One reference. kind 0 bit, 1 word, 2 either; access the value's access class.
    bool ConvertAddress(std::int32_t& addr, int kind, bool& intMem, std::uint8_t& bitIndex, bool devForm,
                        std::uint8_t access);
    bool ConvertFunctionKey(PgFunKeyRec& key);

    // Machine ids that can not be a target.
    static bool RefusedTarget(int id) { return id == 95 || id == 97 || id == 98 || id == 99; }
    // Machine ids without bit devices: changing to them may drop references.
    static bool BitlessTarget(int id) { return id == 4 || id == 6; }

    std::int32_t BitRowCount = 0;
    std::int32_t WordRowCount = 0;
    std::vector<std::string> BitRowNames;  // source devices of the bit rows
    std::vector<std::string> WordRowNames; // source devices of the word rows
    std::vector<std::string> TargetBitNames;
    std::vector<std::string> TargetWordNames;
    std::int32_t SourceId = 0;
    std::int32_t TargetId = 0;
    std::vector<std::int32_t> RowChoice; // per row: index into TargetBitNames / TargetWordNames

    const LxTypeCore& Source() const { return source_; }
    const LxTypeCore& Target() const { return target_; }

private:
    // The device of the target table at pos among those of the reference's kind (or either).
    const DevRecord* TargetDevice(int kind, int pos) const;
    bool TargetHasKind(int kind) const;
    bool NeedsBitDevice(const DevRefHead& write, BtnType buttonType, std::uint8_t kind) const;
    bool NeedsBitStored(const std::uint8_t* rec, std::size_t len, std::size_t typeAt, std::size_t refAt,
                        std::size_t notifyAt) const;
    bool StoredRecordNeedsBit(const std::uint8_t* rec, std::size_t len) const;
    bool ConvertStoredRef(std::uint8_t* rec, std::size_t len, std::size_t at, int kind, std::uint8_t access,
                          bool openPage);
    bool ConvertStoredRecord(std::uint8_t* rec, std::size_t len, bool openPage);
    bool ConvertSysRef(DevRefHead& ref, int kind, std::uint8_t access);

    ProjectDoc& doc_;
    ProjectState sourceState_;
    ProjectState targetState_;
    LxTypeCore source_{sourceState_};
    LxTypeCore target_{targetState_};
};

} // namespace kes
