#pragma once
// Shared by the tests of the kinds' rows: a real object (made by the factory with the
// project's defaults, given its values, stored and read back from its record as a page
// holds it) shown in the inspector on a page of its own, and edits entered row by row as
// the user does (a list item chosen, a value typed, a file picked).
#include "../objrecord.h"
#include "inspectortest.h"

#include "app/inspector/kindrows.h"
#include "app/project/objfactory.h"
#include "app/project/pgread.h"
#include "decoder/pgrecstream.h"

#include <QFileDialog>
#include <QImage>

#include <filesystem>
#include <functional>
#include <memory>

namespace kes::test {

class KindRowsTest : public InspectorTest {
protected:
    KindRowsTest() : env(state, *model)
    {
        state.DefStation = 5;
        state.LinkIndex = 1;
        source.pageState = [this] { return source.cur ? RecordOf(*source.cur) : Bytes{}; };
        picDir = std::filesystem::temp_directory_path() / ("kes_kindrows_" + std::to_string(::getpid()));
        std::filesystem::create_directories(picDir);
        // Left half just below the threshold (black), right half at it (white).
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(QColor(0x80, 0x80, 0x80));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                img.setPixel(x, y, qRgb(0x7F, 0x7F, 0x7F));
        picture = QString::fromStdString((picDir / "grey.bmp").string());
        img.save(picture, "BMP");
    }
    ~KindRowsTest() override
    {
        Select(nullptr);
        std::filesystem::remove_all(picDir);
    }

    // The object of kind given values by setup, as a page reads it back from its record,
    // on a page of its own and shown in the inspector.
    template <class T> T& Real(ObjKind kind, const std::function<void(T&)>& setup)
    {
        Select(nullptr);
        page = std::make_unique<PageData>();
        source.page = page.get();
        made = MadeRecord(kind, setup);
        T& obj = static_cast<T&>(*Decode(*page, made));
        page->CurObj = &obj;
        page->SelList = {&obj};
        Select(&obj);
        return obj;
    }

    template <class T> Bytes MadeRecord(ObjKind kind, const std::function<void(T&)>& setup)
    {
        std::unique_ptr<TLxObj> made = NewPageObj(*page, env, kind);
        setup(static_cast<T&>(*made));
        return RecordOf(*made);
    }

    // The object of a record, as a page reads it, on page.
    TLxObj* Decode(PageData& onto, const Bytes& rec)
    {
        const PgReadResult res = PgDataToObj(onto, env, rec, 0, rec.size());
        EXPECT_TRUE(res.Ok()) << res.Detail;
        EXPECT_FALSE(onto.ObjList.empty());
        return onto.ObjList.empty() ? nullptr : onto.ObjList.back();
    }

    // What row shows: a choice's text, a number, a text, a picture's number ("#n").
    QString Shows(int row)
    {
        TPropBase& r = *Grid().Prop(row);
        switch (r.PropType) {
        case ptVal:
            return QString::number(static_cast<TPropVal&>(r).GetValue());
        case ptComboVal: {
            auto& v = static_cast<TPropComboVal&>(r);
            return QString::number(v.First + v.ItemIndex);
        }
        case ptComboBmp:
            return QStringLiteral("#") + QString::number(static_cast<TPropComboBmp&>(r).ItemIndex);
        default:
            return r.GetText();
        }
    }

    // Enters value into row as the user does: an item chosen from a list, a file picked,
    // a text typed.
    void Enter(int row, const QString& value)
    {
        ASSERT_GE(Line(row), 0) << "row " << row << " is not listed";
        switch (Grid().Prop(row)->PropType) {
        case ptComboTxt:
        case ptComboVal:
        case ptComboBmp:
            Choose(row, value.toInt());
            break;
        case ptBmpDlg:
            prompt.onExec = [value](QDialog& d) {
                auto& files = dynamic_cast<QFileDialog&>(d);
                files.selectFile(value);
                static_cast<QDialog&>(files).accept();
            };
            ClickZone(row);
            prompt.onExec = nullptr;
            break;
        default:
            Type(row, value);
            break;
        }
    }

    std::int32_t Word(int n) const { return 0x4000 + n; } // D<n>
    // ref as the project gives a new reference: code, bit 0, the project's station and link.
    void ProjectRef(TLxDevRef& ref, std::int32_t code) const
    {
        ref.DevAddrCode = code;
        ref.RefBitNo = 0;
        ref.RefStation = state.DefStation;
        ref.RefLink = state.LinkIndex;
    }
    // ref := the controller address text in mode (0 bit, 1 word), with its bit index.
    void SetAddress(TLxDevRef& ref, const char* text, std::uint8_t mode = 0) const
    {
        ref.RefBitNo = model->ParseDeviceBitIndex(text, true, false);
        ref.DevAddrCode = model->ParseDeviceAddress(text, mode, ref.RefBitNo, true, false);
    }

    PageEnv env;
    std::unique_ptr<PageData> page;
    Bytes made; // the record the last Real object was read from
    std::filesystem::path picDir;
    QString picture; // 20 x 10: a black left half and a white right half once thresholded
};

} // namespace kes::test
