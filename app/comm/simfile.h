#pragma once
// The simulator file: the panel's system block, a page offset table and the panel memory
// image, written beside the program for the outside simulator, and starting that program.
#include "app/project/projectdoc.h"

#include <string>

namespace kes {

// The file from the last image build (numbers big-endian unless said):
//   0 system block of 88 bytes (130 from firmware 100 on), as a download builds it, with
//     10 u16 PrjVersion | 12 u16 PanelModelIndex | 14 u32 image length L
//   S offset table: u32 0, then every offset list entry as u32
//   S + 4 (N + 1) the L image bytes
// enableUpDown is the up/down key switch the system block carries.
Bytes BuildSimFile(const ProjectDoc& doc, bool enableUpDown);

// Builds the image and writes the file at path (an older file is replaced whole). False when
// the image lost a page (message 26 was shown) or the file could not be written (error set).
bool WriteSimFile(ProjectDoc& doc, const std::string& path, bool enableUpDown, FileError* error);

// The simulator's path beside the program: "LxSim" or "LxSim.exe", the first that exists;
// empty when neither does.
std::string SimulatorPath(const std::string& appDir);

// Starts the simulator on the file, on line with "/OnLine"; false when it could not start.
bool StartSimulator(const std::string& program, const std::string& simPath, bool online);

} // namespace kes
