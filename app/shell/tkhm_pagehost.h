#pragma once
// The main window as the host of its page windows.
#include "app/editor/pagehost.h"

class TKhm;

namespace kes {

class MainPageHost : public PageHost {
public:
    explicit MainPageHost(TKhm& khm) : khm_(khm) {}

    ProjectDoc& Doc() override;
    LxTypeCore* Model() const override;
    CommandPanel& Commands() override;
    QWidget* Window() override;
    QFont MainFont() const override;
    QString ClipFmtObjects() const override;
    QString ClipFmtPage() const override;
    DialogContext DialogContextFor(PageData* page) override;
    bool LinkBusy() const override;
    QWidget* StartScreenWindow() const override;
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

private:
    TKhm& khm_;
};

} // namespace kes
