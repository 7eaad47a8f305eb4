#pragma once
// TImagePage: the editor window of the panel's start-up screen and of one user-menu screen,
// on the editing engine it shares with the page window. It makes static texts, static
// pictures and figures only, has no page settings, keeps its objects for its whole life
// (nothing is decoded on activation or stored on deactivation) and stores them as a bare
// object-record stream: the start-up screen into the project's StartScreenData, a user-menu
// screen into its record of ImagePgDataList. A user-menu screen is shown and paged through,
// never edited, and minimises instead of closing.
#include "app/editor/teditpage.h"
#include "app/project/pgread.h"

namespace kes {
class ScreenEditor;
} // namespace kes

class TImagePage : public TEditPage {
public:
    // menuIndex: the user-menu screen's index in ImagePgDataList; -1 for the start-up screen.
    // owner: the editor that keeps track of the current screen window; null for a window that
    // only draws and never becomes current.
    TImagePage(kes::PageHost& host, int menuIndex, kes::ScreenEditor* owner = nullptr);
    ~TImagePage() override;

    bool IsStartScreen() const { return menuIndex_ < 0; }

    // The kinds a screen holds: static text, static picture, figure.
    static bool ScreenKind(kes::ObjKind kind);

    // ---- Life of the window
    void FormActivate();
    // The close handler: false keeps the window (a transfer runs, or a user-menu screen,
    // which minimises instead).
    bool FormClose();
    void PgSetZoom(int zoom);
    // The main window's commands and drawing tools as the screen offers them (after the main
    // window has set its own from the project state).
    void ShowCommandState();
    void PgPopMmPopup() override;
    bool IsActiveChild() const override;

    // ---- Its data
    // Stores the objects into the screen's record; returns the bytes stored. A record that read
    // only in part is stored as it was until the objects change. A screen holding an object
    // whose record is too long to store keeps its record as it was (the user is told) and
    // gives -1.
    int PgDataSave();
    // Decodes data[start, end) into new objects of the window; how far it read.
    kes::PgReadResult PgDataToObj(kes::ByteSpan data, std::size_t start, std::size_t end);
    // The screen as the panel shows it: bands of 8 rows from the top, one byte per column,
    // bit 0 the band's top row, set for black; rows below the panel read as white.
    kes::Bytes BandPicture();

    // ---- Editing
    void EditStateRefresh() override;
    void ObjToolbarRefresh(TLxObj* obj) override;
    void PopPasteClick() override;
    void PopSelAllClick() override;
    kes::RecEncodeEnv EncodeEnv() const override;

protected:
    bool EditsObjects() const override;
    void EnterEditMode() override;
    void MakeCurrent() override;
    bool RoomFor(int bytes, bool rebuildFirst) override;
    bool MakesKind(kes::ObjKind kind) const override { return ScreenKind(kind); }
    // The start-up screen's multiple copy leaves its undo list as it was.
    bool UndoesMultiCopy() const override { return false; }
    bool OpensSettings(const TLxObj& obj) const override;
    kes::Bytes EncodeObjs(const TObjList& objs, int mode, std::size_t* leftOut = nullptr) override;
    void DecodeObjs(kes::ByteSpan records, bool pasted) override;
    void DecodeTrial(kes::PageData& trial, kes::ByteSpan records) override;
    void closeEvent(QCloseEvent* event) override;
    // The start-up screen's title is a message: it follows the language.
    void changeEvent(QEvent* event) override;

private:
    void ShowToolState();

    int menuIndex_;
    kes::ScreenEditor* owner_;
};
