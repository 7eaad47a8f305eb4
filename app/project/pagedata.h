#pragma once
// The data of one page window, without the window: its setting records, its live objects
// in z-order, the selection and the zoom. The record encoder and reader work on it, so a
// page can be stored, copied, pasted and restored headless; the page window keeps one.
#include "app/model/projectstate.h"
#include "decoder/pgsetrec.h"
#include "objects/tlxobj.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A list of panel objects in z-order: index 0 bottom, last top.
using TObjList = std::vector<TLxObj*>;

namespace kes {

// One function key to "not set": no action, the three references off with the project's
// station and link, no password, level 0, one state. The key index is kept.
void InitFunKeyRec(const ProjectState& state, PgFunKeyRec& key);

class PageData {
public:
    PageData();
    ~PageData();
    PageData(const PageData&) = delete;
    PageData& operator=(const PageData&) = delete;

    // ---- Setting records
    std::int32_t EncMode = 0; // output mode of the encoding in progress: 1 file order, 2 memory
    PgHideRec PgHide;
    std::vector<PgJmpRec> PgJmpList;                        // at most kMaxPgJumps; the current record is the last
    std::array<PgFunKeyRec, kFunKeyCount> PgFunKeys;        // F0..F9, Up, Down, Left, Right
    std::array<std::uint8_t, kFunKeyCount> PgFunKeyUsed{};  // 1 while the key has an action
    std::array<std::uint8_t, kFunKeyCount> ObjFunKeyUsed{}; // 1 while an object is bound to it
    std::array<PgSysRec, 2> PgSysRecs;                      // 0 buzzer, 1 alarm lamp
    PLCValSetRec PgNumWrite;                                // code -1: none

    // ---- Objects. ObjList owns its objects; SelList and CurObj refer into it.
    TObjList ObjList;
    TObjList SelList;
    TLxObj* CurObj = nullptr;

    std::int32_t Zoom = 1;      // screen pixels per picture pixel
    std::int32_t GridWidth = 1; // picture pixels per panel pixel, from the panel model
    std::int32_t GridHeight = 1;
    std::uint8_t Pasting = 0; // 1 while a paste runs a reader
    std::int32_t PgIndex = 0; // index of the page's record in the page list
    AnsiString PgTitle;

    // Appends obj on top and takes it over; returns it.
    TLxObj* AppendObj(std::unique_ptr<TLxObj> obj);
    // Takes obj out of every list (ObjList, SelList, CurObj) and hands it back; null when
    // the page does not hold it.
    std::unique_ptr<TLxObj> TakeObj(TLxObj* obj);
    // Takes obj out of the lists and destroys it.
    void DeleteObj(TLxObj* obj);
    // Destroys every object and empties the selection.
    void FreeObjects();

    // The current jump record (the last appended), or null.
    PgJmpRec* CurPgJmp() { return PgJmpList.empty() ? nullptr : &PgJmpList.back(); }
    void ClearPgJumps() { PgJmpList.clear(); }
    // A new jump record with the project's station, link and panel-memory flag, appended
    // and made current; null when the list is full.
    PgJmpRec* AddPgJump(const ProjectState& state);
    // ObjFunKeyUsed from the objects of ObjList bound to a function key.
    void RecountBtnKeys();
    // Every key to "not set", used flags cleared.
    void PgFunKeyDefaults(const ProjectState& state);
    // Buzzer and alarm lamp off.
    void PgAlarmDefaults(const ProjectState& state);
    // The settings of a new page: no jumps, keys and alarms off, not hidden, no page-number write.
    void ResetPgSettings(const ProjectState& state);
};

} // namespace kes
