#pragma once
// The main window as the host of what it holds: its page windows and the project document.
#include "app/editor/pagehost.h"
#include "app/project/dochost.h"
#include "app/project/ui/prjhost.h"

class TKhm;

namespace kes {

// The context of the running program: the main window's project, the model form's codec,
// the given page, and the menu and tool bar states as they are now.
DialogContext MainDialogContext(TKhm& k, PageData* page);

class MainPageHost : public PageHost {
public:
    explicit MainPageHost(TKhm& khm) : khm_(khm) {}

    ProjectDoc& Doc() override;
    ViewState& View() override;
    LxTypeCore* Model() const override;
    CommandPanel& Commands() override;
    const FormRunner& Forms() const override;
    QWidget* Window() override;
    Prompt& Ask() override;
    QFont MainFont() const override;
    QString ClipFmtObjects() const override;
    QString ClipFmtPage() const override;
    DialogContext DialogContextFor(PageData* page) override;
    bool LinkBusy() const override;
    QWidget* StartScreenWindow() const override;
    PageEditor* PageEd() const override;
    TImagePage* StartScreenEditor() const override;
    TDlgProp* Inspector() const override;
    void PointerTool() override;
    void SelectPointerTool() override;
    void EnableObjToolBar(bool enable) override;
    void SetObjEditTools(bool enable) override;
    void SetToolsForObj(TLxObj* obj) override;
    int LineWidth() const override;
    int LinePattern() const override;
    void TakeLineStyle(int width, int pattern) override;
    void ShowZoomState(int zoom) override;
    void SetStatusText(int panel, const QString& text) override;
    void SaveLayout() override;
    void HideClick() override;
    void PageNumWriteClick() override;
    void PagesChanged() override;

private:
    TKhm& khm_;
};

class MainProjectHost : public ProjectCommandsHost {
public:
    explicit MainProjectHost(TKhm& khm);

    LxTypeCore* Model() const override;
    CommandPanel& Commands() override;
    PageWindows& Pages() override;
    QWidget* Window() override;
    void CloseProject() override;
    bool CloseProjectQuery() override;
    void LoadLayout() override;
    void StartAutoSave() override;
    void AddRecentFile(const std::string& path) override;
    void RefreshRecentFileItems() override;
    void FormActivate() override;
    void MmAddPgClick() override;
    void MmClosePrjClick() override;
    void ShowOpenedProject(int portNumber) override;
    std::uint8_t PortNumber() const override;
    std::uint32_t Baud() const override;
    void ShowKeySettings() override;
    bool StoreKeySettings() override;
    void ShowCheckResult(const std::vector<std::string>& lines) override;

private:
    TKhm& khm_;
};

class MainDocHost : public DocHost {
public:
    explicit MainDocHost(TKhm& khm) : khm_(khm) {}

    void StoreActivePage() override;
    void StoreStartScreen() override;
    void ShowMsg(int n) override;
    Editing EditMode() const override;
    void SetEditMode(Editing m) override;

private:
    TKhm& khm_;
};

} // namespace kes
