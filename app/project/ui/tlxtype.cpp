#include "app/project/ui/tlxtype.h"

#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"

#include "app/model/projectstate.h"
#include "app/project/prjio.h"
#include "app/ui/named.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using kes::Named;

namespace {

constexpr int kMsgNoFileName = 75;
constexpr int kMsgBadFileName = 606; // a name no file can have

QGroupBox* Group(QWidget* parent, const char* name, const char* caption, QLabel* label, QWidget* field)
{
    auto* g = Named(new QGroupBox(QString::fromLatin1(caption), parent), name);
    auto* l = new QHBoxLayout(g);
    l->addWidget(label);
    l->addWidget(field, 1);
    return g;
}

} // namespace

TLxType::TLxType(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state)
    : QDialog(owner), kes::LxTypeCore(state), prompt_(prompt)
{
    setObjectName(QStringLiteral("LxType"));
    setWindowTitle(QStringLiteral("New Project"));

    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    CancelBtn = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    // Enter acts through the file name's key handler only, so OK never runs twice.
    OkBtn->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);
    LabTmp = Named(new QLabel(QStringLiteral("Template"), this), "LabTmp");
    ComboBox_Template = Named(new QComboBox(this), "ComboBox_Template");

    LabFactory = Named(new QLabel(QStringLiteral("Brand"), this), "LabFactory");
    Factory_Box = Named(new QComboBox(this), "Factory_Box");
    PLCType_Lab = Named(new QLabel(QStringLiteral("PLC Type"), this), "PLCType_Lab");
    PLCType_Box = Named(new QComboBox(this), "PLCType_Box");
    gbPLCSetting = Named(new QGroupBox(QStringLiteral("PLC Setting"), this), "gbPLCSetting");
    auto* plcGrid = new QGridLayout(gbPLCSetting);
    plcGrid->addWidget(LabFactory, 0, 0);
    plcGrid->addWidget(Factory_Box, 0, 1);
    plcGrid->addWidget(PLCType_Lab, 1, 0);
    plcGrid->addWidget(PLCType_Box, 1, 1);
    plcGrid->setColumnStretch(1, 1);

    LabDriver = Named(new QLabel(QStringLiteral("Driver Name"), this), "LabDriver");
    cbDriverName = Named(new QComboBox(this), "cbDriverName");
    cbDriverName->addItems({QStringLiteral("Normal Mode"), QStringLiteral("Simple ASCII Slave Mode"),
                            QStringLiteral("Multi ASCII Slave Mode")});
    gbDriverName = Group(this, "gbDriverName", "Protocol Setting", LabDriver, cbDriverName);

    MMIType_Lab = Named(new QLabel(QStringLiteral("HMI Type"), this), "MMIType_Lab");
    MMIType_Box = Named(new QComboBox(this), "MMIType_Box");
    gbMachine = Group(this, "gbMachine", "Machine Setting", MMIType_Lab, MMIType_Box);
    FileName_Lab = Named(new QLabel(QStringLiteral("File Name"), this), "FileName_Lab");
    FileName_Txt = Named(new QLineEdit(this), "FileName_Txt");
    gbFileName = Group(this, "gbFileName", "File Name", FileName_Lab, FileName_Txt);

    // Rows of these three boxes come from the model files, never from the caption file.
    for (QComboBox* box : {Factory_Box, PLCType_Box, MMIType_Box})
        kes::SetComponentClass(box, "TModelComboBox");
    // The template and driver rows lie below the form's visible area.
    for (QWidget* w : std::initializer_list<QWidget*>{LabTmp, ComboBox_Template, gbDriverName})
        w->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbPLCSetting);
    layout->addWidget(gbMachine);
    layout->addWidget(gbFileName);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(360, 336);

    QObject::connect(Factory_Box, &QComboBox::activated, this, [this] { Factory_BoxChange(); });
    QObject::connect(MMIType_Box, &QComboBox::activated, this, [this] { MMIType_BoxChange(); });
    QObject::connect(FileName_Txt, &QLineEdit::returnPressed, this, [this] { OkBtnClick(); });
    QObject::connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(); });
    QObject::connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });

    // A missing or damaged model file leaves its list empty; the form still opens, and the
    // start-up report says what was wrong.
    for (const kes::ModelWarnings& found : {LoadMachineList(), LoadModelList()})
        kes::NoteModelWarnings(found);
    for (const std::string& brand : BrandNames)
        Factory_Box->addItem(kes::AnsiToQString(brand));
    SelectMachineInBoxes(State().MachineId);
    MMIType_Box->setCurrentIndex(0);
    MemMapVariant = 0;
}

void TLxType::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TLxType::FormShow()
{
    TranslateForm(this, State().LangIndex);
    MMIType_Box->clear();
    for (const std::string& model : ModelNames)
        MMIType_Box->addItem(kes::AnsiToQString(model));
    Factory_Box->clear();
    for (const std::string& brand : BrandNames)
        Factory_Box->addItem(kes::AnsiToQString(brand));
    SelectMachineInBoxes(State().MachineId);
    FileName_Txt->setText(kes::AnsiToQString(State().PrjName));
    MMIType_Box->setCurrentIndex(State().PanelModelIndex < MMIType_Box->count() ? State().PanelModelIndex : -1);
    cbDriverName->setCurrentIndex(State().DriverMode < cbDriverName->count() ? State().DriverMode : -1);
    // Typing a name and pressing Enter is the quick way through.
    FileName_Txt->setFocus();
    FileName_Txt->selectAll();
}

void TLxType::FillModelsOfBrand(int brand)
{
    PLCType_Box->clear();
    for (const std::string& model : ModelsOfBrand(brand))
        PLCType_Box->addItem(kes::AnsiToQString(model));
}

void TLxType::Factory_BoxChange()
{
    FillModelsOfBrand(Factory_Box->currentIndex());
    PLCType_Box->setCurrentIndex(PLCType_Box->count() > 0 ? 0 : -1);
}

void TLxType::MMIType_BoxChange() { FileName_Txt->setText(kes::AnsiToQString(State().PrjName)); }

void TLxType::CancelBtnClick() { reject(); }

int TLxType::SelectMachineInBoxes(int machineId)
{
    const int k = MachineIndexOf(machineId);
    int brand = 0;
    int model = 0;
    if (k < 0 || !BrandAndModelOf(k, brand, model))
        return -1;
    Factory_Box->setCurrentIndex(brand);
    FillModelsOfBrand(brand);
    PLCType_Box->setCurrentIndex(model);
    return k;
}

void TLxType::OkBtnClick()
{
    if (FileName_Txt->text().isEmpty()) {
        kes::ShowMsg(prompt_, kMsgNoFileName);
        return;
    }
    const std::string name = kes::QStringToAnsi(FileName_Txt->text().trimmed());
    // The name becomes the project's file name in the save folder: it may not name another.
    if (!kes::IsPlainFileName(name)) {
        kes::ShowMsg(prompt_, kMsgBadFileName);
        return;
    }
    kes::ProjectState& s = State();
    s.PrjName = name;
    s.MachineId = static_cast<std::int16_t>(MachineIdOf(Factory_Box->currentIndex(), PLCType_Box->currentIndex()));
    s.PanelModelIndex = static_cast<std::int16_t>(MMIType_Box->currentIndex());
    for (const kes::ModelWarnings& found : {SelectMachine(), LoadModelData()})
        kes::NoteModelWarnings(found);
    kes::ReportFileProblems(prompt_);
    accept();
}
