#include "dialogtest.h"

#include "../model/modeltestutil.h"

#include "app/ui/msgtable.h"
#include "platform/fileio.h"

#include <QDialog>

namespace kes::test {

DialogTest::DialogTest() : model(state), ctx(state, model, prompt)
{
    savedAppDir_ = AppDir();
    SetAppDir(std::string(KES_BIN_DIR) + "/");
    state.AppDir = AppDir();
    state.LangIndex = LangEng;
    LoadMessageTable(LangEng);

    DevRecord counters = Device("C", 1, 2, 0, 199, 0x1200);
    counters.Ranges.push_back(DevRange{200, 255, 1, 2, 0x1300});
    model.DeviceTable = {Device("M", 0, 2, 0, 999, 0x3000), Device("D", 1, 2, 0, 999, 0x1000), counters};
    model.DefWordCode = 0x1000;
    model.DefBitCode = 0x3000;
    model.DefWordText = "D0";
    model.DefBitText = "M0";

    ctx.Page = &page;
    ctx.PageCount = 3;
    ctx.BtnMenuCaption = QStringLiteral("B&utton");
    ctx.ToolHint = [](ObjKind kind) { return kind == ObjKind::LxBtn ? QStringLiteral("Button") : QString(); };

    prompt.onExec = [this](QDialog& d) {
        for (const auto& [name, run] : runs_)
            if (d.objectName().toStdString() == name) {
                run(d);
                return;
            }
        d.reject();
    };
}

DialogTest::~DialogTest() { SetAppDir(savedAppDir_); }

QString DialogTest::M(int n) { return Msg(n); }

std::string DialogTest::ShownText() const
{
    std::string all;
    for (const QString& s : prompt.shown)
        all += "[" + s.toStdString() + "] ";
    return all;
}

std::vector<int> DialogTest::ShownNumbers() const
{
    std::vector<int> numbers;
    for (const QString& s : prompt.shown) {
        int found = -1;
        for (int n = 0; n < MessageTable().Count() && found < 0; ++n)
            if (!s.isEmpty() && Msg(n) == s)
                found = n;
        numbers.push_back(found);
    }
    return numbers;
}

void DialogTest::OnExec(const std::string& formName, std::function<void(QDialog&)> run)
{
    runs_.emplace_back(formName, std::move(run));
}

} // namespace kes::test
