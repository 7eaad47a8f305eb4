// Typed values into rows.
#include "app/inspector/propcommit.h"

#include "app/model/valrangetest.h"
#include "objects/digtest.h"
#include "objects/tpropbase.h"

namespace kes {

CommitResult CommitTypedText(TPropBase& row, const QString& text)
{
    switch (row.PropType) {
    case ptVal: {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok, 10);
        if (!ok)
            return CommitResult::Refused;
        auto& r = static_cast<TPropVal&>(row);
        r.SetValue(v);
        r.SetText(QString::number(r.GetValue()));
        return CommitResult::Applied;
    }
    case ptTextVal: {
        auto& r = static_cast<TPropTextVal&>(row);
        const std::string typed = text.trimmed().toStdString();
        if (!ValRangeTest(typed, r.Signed, r.Width))
            return CommitResult::Refused;
        r.SetValue(static_cast<std::int32_t>(TextToValue(typed, r.Signed)));
        r.SetText(
            QString::fromStdString(ValueToText(static_cast<std::uint32_t>(r.GetValue()), r.Signed, r.Width == 1)));
        return CommitResult::Applied;
    }
    case ptText:
        row.SetText(text);
        return CommitResult::Applied;
    default:
        return CommitResult::NotEditable;
    }
}

} // namespace kes
