#pragma once
// The texts of a printout: each object's property listing, one line per page-change
// condition, the headings, and a decoded page's material for the print plan. Texts are ANSI
// bytes; message texts come from the project's message table.
#include "app/print/printplan.h"
#include "decoder/pgsetrec.h"

#include <string>
#include <vector>

class TLxObj;

namespace kes {

class LxTypeCore;
class PageData;

// Message numbers of the printout.
constexpr int kMsgPrintProduct = 32;    // the product name heading the first sheet
constexpr int kMsgPrintFileName = 73;   // "File name"
constexpr int kMsgPrintObjectData = 74; // "object data"
constexpr int kMsgPrintTextData = 112;  // label of a static text's lines
constexpr int kMsgPrintDevice = 113;    // label of the device address
constexpr int kMsgPrintStation = 114;   // label of the station number
constexpr int kMsgPrintPort = 115;      // label of the link
constexpr int kMsgPrintStates = 116;    // label of the state count

// Message n of the table, empty when the table lacks it.
std::string MsgOf(const std::vector<std::string>& msg, int n);

// The heading and property lines of one object: its kind's print name, position and size in
// panel pixels, then by kind the text lines, or the address, station and link of its device
// reference (the first of several) and the state count of the multi-state pictures.
std::vector<std::string> ObjectListingLines(const TLxObj& obj, const LxTypeCore& lx,
                                            const std::vector<std::string>& msg);

// "D100 == ON Jump To Page:3", "D20 > 100 Jump To Page:1": a bit or value condition with the
// operator it compares with.
std::string JumpConditionLine(const PgJmpRec& rec, const LxTypeCore& lx);

// The sheet and section headings: the product name, the file name line, and the headings of
// the conditions (the page-change menu item's caption) and of the object listing.
PrintHeadings PrintHeadingsOf(const std::vector<std::string>& msg, const std::string& prjName,
                              const std::string& jumpsCaption);

// What the plan prints of a decoded page: caption and heading ("Display--" and "Display - "
// with the page index, the title when chosen), the conditions and the object listing. The
// start-up screen prints as page 0 under its own title and is always listed.
PageMaterial PageMaterialOf(const PageData& page, int index, const std::string& title, bool startScreen,
                            const PrintChoice& choice, const LxTypeCore& lx, const std::vector<std::string>& msg);

} // namespace kes
