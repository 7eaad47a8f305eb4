#pragma once
// Shared by the tests of the object dialogs built on one page: the object put on the page as
// its current object, the dialog opened on it as the page's double click does, and the object
// a page reads back from its record, so a test sees what a save and a reopen keep.
#include "objdlgtest.h"

#include "app/project/objfactory.h"
#include "app/project/pgread.h"

#include <QFontDialog>

#include <memory>
#include <vector>

namespace kes::test {

class PageObjTest : public ObjDialogTest {
protected:
    // obj placed at 16,8 (zoom 1, grid 1) on the page as its current object.
    template <class T> T& Put()
    {
        auto obj = std::make_unique<T>();
        obj->SetObjSize(1);
        obj->GridWidth = 1;
        obj->GridHeight = 1;
        obj->Left = 16;
        obj->Top = 8;
        T* raw = obj.get();
        page.AppendObj(std::move(obj));
        page.CurObj = raw;
        return *raw;
    }

    // A dialog of class Dlg on obj, shown (which loads it); the one before it is closed.
    template <class Dlg, class T> Dlg& OpenOn(T& obj)
    {
        // The dialog before is hidden, not deleted: the test may still hold it to compare.
        if (dialog_) {
            dialog_->hide();
            closed_.push_back(std::move(dialog_));
        }
        auto dlg = std::make_unique<Dlg>(ctx, nullptr, obj);
        Dlg& d = *dlg;
        dialog_ = std::move(dlg);
        d.show();
        return d;
    }

    // The object a page reads back from obj's record; the test fails when there is none.
    template <class T> T& ReadBack(TLxObj& obj)
    {
        const Bytes rec = RecordOf(obj);
        reread_ = std::make_unique<PageData>();
        PageEnv env(state, model);
        const PgReadResult res = PgDataToObj(*reread_, env, rec, 0, rec.size());
        EXPECT_TRUE(res.Ok()) << res.Detail;
        T* read = reread_->ObjList.empty() ? nullptr : dynamic_cast<T*>(reread_->ObjList.front());
        if (!read) {
            ADD_FAILURE() << "the record read back gives no object of its kind";
            reread_->AppendObj(std::make_unique<T>());
            read = static_cast<T*>(reread_->ObjList.back());
        }
        return *read;
    }

    // The font dialog, when it opens, answers with that font.
    void AnswerFont(const QString& family, int pointSize, bool bold = false)
    {
        OnExec("FontDialog", [family, pointSize, bold](QDialog& dlg) {
            auto& fonts = static_cast<QFontDialog&>(dlg);
            QFont f(family);
            f.setPointSize(pointSize);
            f.setBold(bold);
            fonts.setCurrentFont(f);
            fonts.accept();
        });
    }

private:
    std::unique_ptr<QDialog> dialog_;
    std::vector<std::unique_ptr<QDialog>> closed_;
    std::unique_ptr<PageData> reread_;
};

} // namespace kes::test
