// The page windows' pop-up items.
#include "app/editor/pagepopup.h"

#include "app/editor/thmpage.h"

namespace kes {

namespace {

// The page window's own commands.
THmPage& Page(TEditPage& p) { return static_cast<THmPage&>(p); }

constexpr std::uint8_t kBoth = kPopBothWindows;
constexpr std::uint8_t kPage = kPopPageWindow;

const PopItem kItems[] = {
    {"PopUndo", "&Undo", "Ctrl+Z", 0, [](TEditPage& p, QAction&) { p.PopUndoClick(); }, PopRule::Undo, kBoth, false,
     nullptr},
    {"PopRedo", "&Redo", "Ctrl+Alt+Z", 0, [](TEditPage& p, QAction&) { p.PopRedoClick(); }, PopRule::Redo, kBoth, false,
     nullptr},
    {nullptr, nullptr, nullptr, 0, nullptr, PopRule::Always, kBoth, false, nullptr},
    {"PopSelAll", "Select &All", nullptr, 0, [](TEditPage& p, QAction&) { p.PopSelAllClick(); }, PopRule::Objects,
     kBoth, false, nullptr},
    {"MmCopyAll", "Copy &Whole Page", nullptr, 0, [](TEditPage& p, QAction&) { Page(p).MmCopyAllClick(); },
     PopRule::CopyPage, kPage, false, nullptr},
    {"MmPasteAll", "Paste W&hole Page", nullptr, 0, [](TEditPage& p, QAction&) { Page(p).MmPasteAllClick(); },
     PopRule::PastePage, kPage, false, nullptr},
    {nullptr, nullptr, nullptr, 0, nullptr, PopRule::Always, kBoth, false, nullptr},
    {"PopDel", "&Delete", "Del", 0, [](TEditPage& p, QAction&) { p.PopDelClick(); }, PopRule::Selection, kBoth, false,
     nullptr},
    {"PopCut", "Cu&t", "Ctrl+X", 0, [](TEditPage& p, QAction&) { p.PopCutClick(); }, PopRule::Selection, kBoth, false,
     nullptr},
    {"PopCopy", "&Copy", "Ctrl+C", 0, [](TEditPage& p, QAction&) { p.PopCopyClick(); }, PopRule::Selection, kBoth,
     false, nullptr},
    {"PopPaste", "&Paste", "Ctrl+V", 0, [](TEditPage& p, QAction&) { p.PopPasteClick(); }, PopRule::Paste, kBoth, false,
     nullptr},
    {"MmMultiCopy", "&Multiple Copy...", nullptr, 0, [](TEditPage& p, QAction&) { p.MmMultiCopyClick(); },
     PopRule::OneSelected, kBoth, false, nullptr},
    {"MmMoveUp", "Bring F&orward", nullptr, 0, [](TEditPage& p, QAction&) { p.MmMoveUpClick(); }, PopRule::OneSelected,
     kBoth, false, nullptr},
    {"MmMoveDn", "Se&nd Backward", nullptr, 0, [](TEditPage& p, QAction&) { p.MmMoveDnClick(); }, PopRule::OneSelected,
     kBoth, false, nullptr},
    {"MmMovTop", "Bring to &Front", nullptr, 0, [](TEditPage& p, QAction&) { p.MmMovTopClick(); }, PopRule::OneSelected,
     kBoth, false, nullptr},
    {"MmMovbutton", "Send to &Back", nullptr, 0, [](TEditPage& p, QAction&) { p.MmMovbuttonClick(); },
     PopRule::OneSelected, kBoth, false, nullptr},
    {nullptr, nullptr, nullptr, 0, nullptr, PopRule::Always, kPage, false, nullptr},
    {"PopPgJump", "Page Chan&ge Conditions...", nullptr, 0, [](TEditPage& p, QAction&) { Page(p).PopPgJumpClick(); },
     PopRule::ChangeConds, kPage, true, "TPgJump"},
    {"PopFunKeySet", "Function &Keys...", nullptr, 0, [](TEditPage& p, QAction&) { Page(p).PopFunKeySetClick(); },
     PopRule::Always, kPage, true, "TFunKeySet"},
    {"PopBuzzerSet", "Bu&zzer...", nullptr, 0, [](TEditPage& p, QAction& a) { Page(p).PopBuzzerSetClick(&a); },
     PopRule::Always, kPage, true, "TSysSet"},
    {"PopLedSet", "Alarm &Lamp...", nullptr, 1, [](TEditPage& p, QAction& a) { Page(p).PopBuzzerSetClick(&a); },
     PopRule::Always, kPage, true, "TSysSet"},
    {"ChkHideSet", "H&ide Page", nullptr, 0, [](TEditPage& p, QAction&) { Page(p).ChkHideSetClick(); }, PopRule::Always,
     kPage, true, nullptr},
    {"PopPgPageWriteSet", "Pag&e Number Write...", nullptr, 0,
     [](TEditPage& p, QAction&) { Page(p).PopPgPageWriteSetClick(); }, PopRule::Always, kPage, true,
     "TFrmPLCValAddrSet"},
};

} // namespace

std::span<const PopItem> PopItems() { return kItems; }

} // namespace kes
