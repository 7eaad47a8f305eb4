#pragma once
// What the object inspector needs of the editor whose selection it shows. The page editor
// and the start-up screen editor implement it (through the main window, which knows the
// editing mode and the active editor); tests implement it over a plain object.
#include "app/model/devrecord.h"
#include "app/model/editing.h"

#include <QSize>
#include <QString>

#include <cstdint>

class QWidget;
class TLxObj;

namespace kes {

class LxTypeCore;
class PageData;

// What an address row gives the address picker and takes back after its OK.
struct AddressPick {
    QString Text;
    std::uint8_t Station = 0;
    std::uint8_t Link = 0;    // 0 COM1, 1 COM2
    bool DeviceForm = true;   // the address is written with a device name
    bool PanelMemory = false; // the address lies in the panel's own memory
    DevWant WantKind = DevWant::Any;
    std::uint8_t Access = 0; // 0 one word, 1 two words
};

class InspectorSource {
public:
    virtual ~InspectorSource() = default;

    // The main window's edit mode.
    virtual Editing EditMode() const = 0;
    // The current object of the editor that EditMode names; null when that editor does not
    // exist or has no current object.
    virtual TLxObj* CurObj() const = 0;
    // Number of objects selected in that editor.
    virtual int SelCount() const = 0;
    // Client width and height of that editor, screen pixels (the limits of the position rows).
    virtual QSize EditorClientSize() const = 0;

    // The rows are about to be written to the current object: the editor notes the page as
    // it is now. AfterChange: the write is done; when it changed the page, the page as noted
    // becomes one undo step, so that one undo takes back this edit alone and an edit that
    // stored nothing (a refused value) leaves no step. False: the edit was taken back (the
    // user told) and the page's objects are new: the object written is gone.
    virtual void BeforeChange() {}
    virtual bool AfterChange() { return true; }
    // The rows were written to obj (it has recorded its outline and repainted its picture):
    // the editor redraws it.
    virtual void ObjChanged(TLxObj& obj) = 0;
    // The project changed: modified := true, compiled := false.
    virtual void MarkModified() = 0;
    // The main window's TbTextClick: back to the pointer tool, the state and text tool
    // boxes refitted to the current object.
    virtual void TbTextClick() {}
    // The main window's pointer tool (the inspector was activated).
    virtual void PointerTool() {}
    // The editor ignores mouse moves until the next button release, which only clears the
    // flag (the release ending a docking click is not an edit).
    virtual void IgnoreNextMouse() {}

    // The page the current object lies on (its function key bindings); null when none.
    virtual PageData* Page() const { return nullptr; }
    // Pages of the project (the targets of a page change).
    virtual int PageCount() const { return 0; }
    // Runs the device address picker over io; true after its OK (io then holds the choice).
    virtual bool PickAddress(QWidget*, LxTypeCore&, AddressPick&) { return false; }
};

} // namespace kes
