#include "app/dialogs/tmetrolset.h"

#include "app/dialogs/objdialogs.h"
#include "objects/lxpictures.h"
#include "objects/tmetrol.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kSymbolScale = 2;
constexpr int kQuantities = static_cast<int>(std::size(TMetrol::kSymbolCounts));

} // namespace

TMetrolSet::TMetrolSet(kes::DialogContext& ctx, QWidget* owner, TMetrol& unit)
    : SettingsDialog(ctx, owner, "MetrolSet"), unit_(unit)
{
    setWindowTitle(QStringLiteral("Units"));
    MetrolType_Lab = NewLabel(this, "MetrolType_Lab", QStringLiteral("Quantity"));
    MetrolType_Box =
        NewCombo(this, "MetrolType_Box", {"Length", "Area", "Volume", "Weight", "Speed", "Time", "Temperature"});
    MetrolName_Lab = NewLabel(this, "MetrolName_Lab", QStringLiteral("Unit"));
    MetrolName_Box = NewFixedCombo(this, "MetrolName_Box", {});
    MetrolName_Box->setIconSize(QSize(32 * kSymbolScale, 16 * kSymbolScale));
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(kes::LabelledRows({{MetrolType_Lab, MetrolType_Box}, {MetrolName_Lab, MetrolName_Box}}));
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
    OnActivated(MetrolType_Box, [this] { MetrolType_BoxChange(); });
}

TMetrolSet::~TMetrolSet() = default;

void TMetrolSet::MetrolType_BoxChange()
{
    MetrolName_Box->clear();
    const int type = MetrolType_Box->currentIndex();
    if (type < 0 || type >= kQuantities)
        return;
    // The object names its symbols; every one it can show is offered (time has four).
    TMetrol names;
    names.MetrolTypeSet(type);
    for (int i = 0; i < TMetrol::kSymbolCounts[type]; ++i) {
        names.MetrolIndexSet(i);
        const std::string& name = names.MetrolPicName;
        const TBitmap symbol = kes::BuiltinPicture(name);
        const QImage big = symbol.Image().scaled(symbol.Width() * kSymbolScale, symbol.Height() * kSymbolScale);
        MetrolName_Box->addItem(QIcon(QPixmap::fromImage(big)), QString());
        MetrolName_Box->setItemData(i, QString::fromStdString(name), Qt::ToolTipRole);
    }
    MetrolName_Box->setCurrentIndex(0);
}

void TMetrolSet::LoadFields()
{
    const int type = unit_.MetrolType >= 0 && unit_.MetrolType < kQuantities ? unit_.MetrolType : 0;
    MetrolType_Box->setCurrentIndex(type);
    MetrolType_BoxChange();
    // A unit the list does not offer shows the first one rather than none.
    const int index = unit_.MetrolIndex;
    MetrolName_Box->setCurrentIndex(index >= 0 && index < MetrolName_Box->count() ? index : 0);
}

void TMetrolSet::Store()
{
    unit_.MetrolTypeSet(MetrolType_Box->currentIndex());
    unit_.MetrolIndexSet(std::max(0, MetrolName_Box->currentIndex()));
    unit_.BmpRePaint();
    unit_.RecordSelRgn();
    unit_.Invalidate();
}

bool kes::RunMetrolSet(DialogContext& ctx, TMetrol& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TMetrolSet>(ctx, obj, owner, caption);
}
