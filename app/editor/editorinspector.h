#pragma once
// The editors as the object inspector sees them: the current object, the selection and the
// client size of the editor that EditMode names, and the way back when the inspector has
// written an object.
#include "app/inspector/inspectorsource.h"
#include "platform/bytes.h"

class TEditPage;

namespace kes {

class PageEditor;

class EditorInspector : public InspectorSource {
public:
    explicit EditorInspector(PageEditor& editor) : editor_(editor) {}

    Editing EditMode() const override;
    TLxObj* CurObj() const override;
    int SelCount() const override;
    QSize EditorClientSize() const override;
    void BeforeChange() override;
    bool AfterChange() override;
    void ObjChanged(TLxObj& obj) override;
    void MarkModified() override;
    void TbTextClick() override;
    void PointerTool() override;
    void IgnoreNextMouse() override;
    PageData* Page() const override;
    int PageCount() const override;
    bool PickAddress(QWidget* owner, LxTypeCore& model, AddressPick& io) override;

private:
    PageEditor& editor_;
    TEditPage* notedPage_ = nullptr;
    kes::Bytes noted_; // the page's snapshot before the inspector's write
    bool notedWhole_ = true;
};

} // namespace kes
