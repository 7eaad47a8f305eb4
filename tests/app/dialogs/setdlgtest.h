#pragma once
// Shared by the tests of the page and system settings dialogs: a dialog opened on the test's
// project and page as its menu command opens it, and the page's settings as a save and a
// reopen keep them (encoded, then read back through the decoder library).
#include "dialogtest.h"

#include "app/project/pgdataenc.h"
#include "app/project/pgread.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace kes::test {

class SetDlgTest : public DialogTest {
protected:
    SetDlgTest()
    {
        ctx.MenuCaption = [](const char* item) { return QString::fromLatin1(item); };
    }

    // A dialog of class Dlg in the scope given, prepared, then shown (which loads it).
    template <class Dlg> Dlg& Open(int scope, const std::function<void(Dlg&)>& prepare = {})
    {
        // The dialog before is hidden, not deleted: the test may still hold it to compare.
        if (dialog_) {
            dialog_->hide();
            closed_.push_back(std::move(dialog_));
        }
        state.EditScope = static_cast<std::uint8_t>(scope);
        auto dlg = std::make_unique<Dlg>(ctx, nullptr);
        Dlg& d = *dlg;
        dialog_ = std::move(dlg);
        if (prepare)
            prepare(d);
        d.show();
        return d;
    }

    // The page's settings as the page reads them back from its stored records.
    PageData& ReadBackPage()
    {
        Bytes data;
        RecEncodeEnv enc;
        PgDataChx(page, data, 0, kEncFile, nullptr, enc);
        reread_ = std::make_unique<PageData>();
        PageEnv env(state, model);
        const PgReadResult res = PgDataToObj(*reread_, env, data, 0, data.size());
        EXPECT_TRUE(res.Ok()) << res.Detail;
        return *reread_;
    }

private:
    std::unique_ptr<QDialog> dialog_;
    std::vector<std::unique_ptr<QDialog>> closed_;
    std::unique_ptr<PageData> reread_;
};

} // namespace kes::test
