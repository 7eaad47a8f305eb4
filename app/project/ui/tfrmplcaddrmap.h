#pragma once
// The controller address map: changes the project's controller model and carries every
// device address over. Each device of the present model is listed (bit devices, then word
// devices) beside the device of the new model that takes its addresses; the user picks the
// new model and may pair any row with another device. OK converts the whole project.
#include "app/project/plcaddrmap.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TAdvStringGrid;

namespace kes {
class ProjectDoc;
class Prompt;
} // namespace kes

class TFrmPLCAddrMap : public QDialog {
public:
    // lists: the controller brands and models (the new-project form's); prompt: what the form
    // asks the user through.
    TFrmPLCAddrMap(QWidget* owner, kes::Prompt& prompt, kes::ProjectDoc& doc, const kes::LxTypeCore& lists,
                   int langIndex);

    QGroupBox* GB_Transfer = nullptr;
    QLabel* Lab_TrgOrvel = nullptr;
    QComboBox* CB_PLCType = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TAdvStringGrid* StrGridPLCMap = nullptr;
    QPushButton* BtnOK = nullptr;
    QListWidget* ListEditor = nullptr;

    std::uint8_t DividerDrag = 0;
    std::uint8_t Applied = 0;

    // The page open in the editor: stored into its record before the project's references
    // are read or changed (returns its index, -1 when none) and read back after.
    std::function<int()> StoreOpenPage;
    std::function<void()> ReloadOpenPage;

    kes::PlcAddrMap& Map() { return map_; }

    void FormShow();
    void FormResize();
    void CB_PLCTypeChange();
    void BtnOKClick();
    // Opens the in-place list of the row on grid line row; commits item of it.
    void OpenListEditor(int row);
    void ListEditorClick(int item);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildRows();
    int ComboRowOf(int machineId) const;
    int RowMachineId(int comboRow) const;
    void StrGridPLCMapMouseDown(int x, int y);
    void StrGridPLCMapMouseMove(int x, int y);

    kes::Prompt& prompt_;
    kes::ProjectDoc& doc_;
    const kes::LxTypeCore& lists_;
    int langIndex_;
    kes::PlcAddrMap map_;
    bool shown_ = false;
    int listRow_ = -1;
};
