#pragma once
// The rows of the object cross-reference table: one per panel object and per page or system
// setting record, with where it lies and the controller addresses it reads, writes and calls.
// Pages are read from their stored records through the hidden page renderer, so the rows
// describe the stored project; the start-up screen from its stored data. Texts are UTF-8.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TLxObj;

namespace kes {

class LxTypeCore;
class PageData;
class ProjectDoc;
class ProjectState;

// One address column group (read, write or call) of a row.
struct ObjDataRef {
    std::string Addr;      // empty: no address
    std::optional<int> ID; // station; none when the record has no reference there
    std::string Port;      // "COM1", "COM2" or empty
    bool operator==(const ObjDataRef&) const = default;
};

struct ObjDataRow {
    int ObjID = 0;       // running number of one fill, from 0
    std::string ObjName; // the object's kind name or the setting's menu caption
    std::string ObjLoc;  // "(x,y)" in panel pixels; empty for settings
    std::string ObjSize; // "(w,h)" in panel pixels; empty for settings
    int ObjType = 0;     // kind 1..20, or the setting's record tag 1000..1009
    int PageNum = 0;     // 0 system, page index + 1, pages + 1 the start-up screen
    std::string Page;    // the page's name
    ObjDataRef Read, Write, Call;
};

// Names the rows take from the menus and the message table.
struct ObjDataNames {
    // Page records: page-change conditions, function keys, buzzer, alarm lamp, hide,
    // page-number write.
    std::string PgJump, FunKey, Buzzer, AlarmLamp, Hide, PgNumWrite;
    // System records: page-change conditions, function keys, buzzer, alarm lamp, clock write,
    // power-on macro.
    std::string SysPgJump, SysFunKey, SysBuzzer, SysAlarmLamp, Clock, PowerOn;
    std::string System;      // the Page column of system rows
    std::string Pages;       // followed by a blank and the page index
    std::string StartScreen; // the Page column of the start-up screen's rows
};

// Message numbers of the Page column.
constexpr int kMsgObjDataPages = 269;
constexpr int kMsgObjDataStartScreen = 270;
constexpr int kMsgObjDataSystem = 520;

// What the table shows: one page's records, the system's, the start-up screen's, or all.
enum class ObjDataView { Page, System, StartScreen, All };

// The Page column for a page number of a project of pageCount pages.
std::string ObjDataPageName(const ObjDataNames& names, int pageNum, int pageCount);

// Rows appended to out, numbered on from out's size.
void AppendSystemRows(const ProjectState& state, const LxTypeCore& lx, const ObjDataNames& names, int pageCount,
                      std::vector<ObjDataRow>& out);
// A decoded page's setting records, then its objects (but the bit pictures of a word, which the
// table would show under the indicator's name).
void AppendPageRows(const PageData& page, int pageNum, const LxTypeCore& lx, const ObjDataNames& names, int pageCount,
                    std::vector<ObjDataRow>& out);

// The rows of a view (page: the page index of the Page view), read from the stored records.
// progress(done, total) is called as each page is read when the view is All.
std::vector<ObjDataRow> ObjDataRows(const ProjectDoc& doc, const LxTypeCore& lx, const ObjDataNames& names,
                                    ObjDataView view, int page,
                                    const std::function<void(int done, int total)>& progress = {});

} // namespace kes
