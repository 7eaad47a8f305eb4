#pragma once
// THmPage: the editing window of one page, the form inside a child window of the main
// window's MDI area, on the editing engine it shares with the start-up screen editor.
// While it is the page being edited it holds the page as live panel objects and paints them
// itself, in list order, into a backing image; while it is frozen it holds only a picture of
// the page and the page lives as its stored record stream in the project's page list.
#include "app/editor/teditpage.h"
#include "app/project/pgdataenc.h"

namespace kes {
class PageEditor;
} // namespace kes

class THmPage : public TEditPage {
public:
    // A page window of editor; it leaves the editor's list when it closes or is deleted.
    explicit THmPage(kes::PageEditor& editor);
    ~THmPage() override;

    kes::PageEditor& Editor() const { return editor_; }

    // ---- Life of the window
    void FormCreate();
    void FormActivate();
    // forced: another page is activated (or start-up screen editing begins): store the page
    // when the project is modified, keep its picture and free the objects and the history.
    void FormDeactivate(bool forced);
    // Stores the live page into its record of the page list; returns the bytes stored. A page
    // holding an object whose record is too long to store keeps its record as it was (the
    // user is told) and gives -1.
    int PgDataSave();
    void PgFreeAll();
    // Decodes the page's record (activation and window creation).
    void LoadFromRecord();
    void SetCaptionFromIndex();
    // The close handler: false keeps the window (a transfer is running).
    bool FormClose();
    void PgSetMenuChecks();
    void PgPopMmPopup() override;
    void PopPgJumpClick();
    bool IsActiveChild() const override;

    // ---- Edit state
    void EditStateRefresh() override;
    void UndoStateRefresh() override;

    // ---- Clipboard: the pasted objects and the whole page (thmpage_clip.cpp)
    void PopPasteClick() override;
    void MmCopyAllClick();
    void MmPasteAllClick();
    void PgHideClear();
    // Which of the page's settings are in use (what the page menus' check marks show).
    struct SettingsUse {
        bool FunKeys = false;
        bool PgJumps = false;
        bool Buzzer = false;
        bool AlarmLamp = false;
        bool Hide = false;
        bool NumWrite = false;
        bool Any() const { return FunKeys || PgJumps || Buzzer || AlarmLamp || Hide || NumWrite; }
    };
    SettingsUse SettingsInUse() const;

    // ---- The page settings items of the popup (thmpage_order.cpp)
    void ChkHideSetClick();
    void PopFunKeySetClick();
    // sender: PopBuzzerSet (Tag 0) or PopLedSet (Tag 1).
    void PopBuzzerSetClick(QAction* sender);
    void PopPgPageWriteSetClick();

protected:
    bool EditsObjects() const override;
    void EnterEditMode() override;
    void MakeCurrent() override;
    bool RoomFor(int bytes, bool rebuildFirst) override;
    kes::Bytes EncodeObjs(const TObjList& objs, int mode, std::size_t* leftOut = nullptr) override;
    void DecodeObjs(kes::ByteSpan records, bool pasted) override;
    void DecodeTrial(kes::PageData& trial, kes::ByteSpan records) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The whole-page paste of a checked record stream.
    void PastePage(kes::ByteSpan records);

    kes::PageEditor& editor_;
};
