#include "app/dialogs/tfrmuserlevel.h"

#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kPasswordLength = 6;
} // namespace

namespace kes {

bool UserLevelAccepted(const ProjectState& state, int level) { return state.UserLevelDefined(level); }

void MmUserLevelClick(DialogContext& ctx, QWidget* owner)
{
    TFrmUserLevel dlg(ctx, owner);
    ExecModal(ctx.Ask, &dlg);
}

} // namespace kes

TFrmUserLevel::TFrmUserLevel(kes::DialogContext& ctx, QWidget* owner) : SettingsDialog(ctx, owner, "FrmUserLevel")
{
    setWindowTitle(QStringLiteral("User Passwords"));
    auto* grid = new QGridLayout;
    grid->addWidget(NewLabel(this, "Label1", QStringLiteral("Password")), 0, 1);
    grid->addWidget(NewLabel(this, "Label2", QStringLiteral("Level")), 0, 2);
    for (int i = 0; i < 10; ++i) {
        const std::string n = std::to_string(i + 1);
        grid->addWidget(NewLabel(this, ("LabPW" + n).c_str(), QStringLiteral("Password %1").arg(i + 1)), i + 1, 0);
        QLineEdit* pw = NewEdit(this, ("EditPW" + n).c_str());
        // Six optional digits; an unfilled place reads as a blank.
        pw->setInputMask(QStringLiteral("000000; "));
        pw->setMaxLength(kPasswordLength);
        QComboBox* level = NewCombo(this, ("ComboBox_level" + n).c_str(), {"0", "1", "2", "3", "4"});
        kes::SetComponentClass(level, "");
        EditPW[static_cast<std::size_t>(i)] = pw;
        ComboBox_level[static_cast<std::size_t>(i)] = level;
        grid->addWidget(pw, i + 1, 1);
        grid->addWidget(level, i + 1, 2);
    }
    BtnOK = NewButton(this, "BtnOK", QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnCancel = NewButton(this, "BtnCancel", QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    QObject::connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    QObject::connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
}

TFrmUserLevel::~TFrmUserLevel() = default;

void TFrmUserLevel::LoadFields()
{
    const auto& passwords = Ctx().State.UserPasswords;
    for (std::size_t i = 0; i < passwords.size() && i < EditPW.size(); ++i) {
        EditPW[i]->setText(kes::AnsiToQString(passwords[i].Password));
        ComboBox_level[i]->setCurrentIndex(passwords[i].Level <= 4 ? passwords[i].Level : 0);
    }
}

void TFrmUserLevel::Store()
{
    auto& passwords = Ctx().State.UserPasswords;
    for (std::size_t i = 0; i < passwords.size() && i < EditPW.size(); ++i) {
        // The shown text keeps a blank for every place not typed, so inner gaps stay in place.
        std::string digits = kes::QStringToAnsi(EditPW[i]->displayText()).substr(0, kPasswordLength);
        digits.resize(kPasswordLength, ' ');
        SpacesToZeros(digits.data(), kPasswordLength);
        passwords[i].Password = digits;
        passwords[i].Level = static_cast<std::uint8_t>(std::max(0, ComboBox_level[i]->currentIndex()));
    }
}
