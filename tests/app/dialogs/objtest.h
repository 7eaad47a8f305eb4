#pragma once
// Shared by the object dialog tests: the object on the page as its current object, its record
// as a stored page holds it, and the object that reading those bytes back gives, so a test
// sees what a save and a reopen keep. A refused OK or a Cancel must leave the record byte for
// byte as it was, and the address texts too (they are not in the record).
#include "dialogtest.h"

#include "app/project/objfactory.h"
#include "app/project/pgread.h"
#include "app/project/pgrecstream.h"
#include "objects/lxdevref.h"
#include "objects/tlxgetval.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kes::test {

// What a dialog may change of an object: its stored record and its address texts.
struct ObjSnapshot {
    Bytes record;
    std::vector<std::string> addressTexts;
    bool operator==(const ObjSnapshot&) const = default;
};

class ObjDialogTest : public DialogTest {
protected:
    // obj placed at 16,8 (24 x 16 panel pixels, zoom 1, grid 1), on the page as its current
    // object.
    template <class T>
    T& Put(std::unique_ptr<T> obj)
    {
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
    template <class T>
    T& Put()
    {
        return Put(std::make_unique<T>());
    }

    static Bytes Record(TLxObj& obj)
    {
        Bytes out;
        RecOut ro(out, kEncFile);
        ObjRecChx(ro, 0, obj, RecEncodeEnv{});
        return out;
    }

    static ObjSnapshot Snapshot(TLxObj& obj)
    {
        ObjSnapshot s{Record(obj), {}};
        if (auto* ref = dynamic_cast<TLxDevRef*>(&obj))
            s.addressTexts.push_back(ref->DevText);
        if (auto* entry = dynamic_cast<TLxGetVal*>(&obj))
            for (const TLxDevRef* r : {&entry->WriteDev, &entry->ReadDev, &entry->NotifyDev})
                s.addressTexts.push_back(r->DevText);
        return s;
    }

    // The object a page reads back from obj's record; the test fails when there is none.
    template <class T>
    T& ReadBack(TLxObj& obj)
    {
        const Bytes rec = Record(obj);
        reread_ = std::make_unique<PageData>();
        PageEnv env(state, model);
        const PgReadResult res = PgDataToObj(*reread_, env, rec, 0, rec.size());
        EXPECT_TRUE(res.Ok()) << res.Detail;
        T* read = reread_->ObjList.empty() ? nullptr : dynamic_cast<T*>(reread_->ObjList.front());
        if (!read) {
            ADD_FAILURE() << "the record read back gives no object of its kind";
            static T none;
            return none;
        }
        return *read;
    }

    // Opens a dialog of class Dlg on obj, as the page editor's double click does.
    template <class Dlg, class T>
    Dlg& OpenOn(T& obj)
    {
        dialog_ = std::make_unique<Dlg>(ctx, nullptr, obj);
        dialog_->show();
        return static_cast<Dlg&>(*dialog_);
    }

    // A taken OK: the dialog closed accepted with no message, the project marked modified
    // and to be compiled again.
    void ExpectStored(const QDialog& d)
    {
        EXPECT_EQ(d.result(), QDialog::Accepted) << ShownText();
        EXPECT_EQ(state.Modified, 1);
        EXPECT_EQ(state.Compiled, 0);
    }

    // A refused OK: exactly one message (message n, or the text), the dialog still open,
    // nothing of the object changed and the project not marked.
    void ExpectRefused(QDialog& d, const std::function<void()>& ok, TLxObj& obj, const ObjSnapshot& before, int n,
                       const QString& text = {})
    {
        const std::size_t shown = prompt.shown.size();
        const int modified = state.Modified;
        ok();
        ASSERT_EQ(prompt.shown.size(), shown + 1) << ShownText();
        if (n >= 0)
            EXPECT_EQ(ShownNumbers().back(), n) << ShownText();
        else
            EXPECT_EQ(prompt.shown.back(), text);
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(Snapshot(obj) == before);
        EXPECT_EQ(state.Modified, modified);
    }

    void CloseDialog() { dialog_.reset(); }

private:
    std::unique_ptr<QDialog> dialog_;
    std::unique_ptr<PageData> reread_;
};

} // namespace kes::test
