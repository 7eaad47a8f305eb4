#pragma once
// The bytes a panel sends back during an upload as a fuzz target: the transfer engine's reply
// parsing and the reading of what arrived as a project.
//
// An input is a run of pieces, each delivered to the engine as the characters the port has
// ready, until the upload ends:
//   0x?0 n <n characters>      raw characters (lines, their check sums, partial lines)
//   0x?1 n <n data bytes>      an answer to the request waiting: station, its function byte
//                              (bit 7 set when the piece's bit 2 is), the address and length it
//                              asked for when it was a read, then the data, framed as the panel
//                              frames a reply
//   0x?2                       the reply time-out runs out (the request goes again)
//   0x?3                       nothing (a pause)
// A transfer still running when the input ends is stopped. An upload the checks let through
// must make a project that saves and opens again.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: the model data and the decoder library from programDir.
void UploadReplySetup(const std::string& programDir);

void UploadReplyOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
