// Reading a page draws each object once, as it is put on the page: the factory's defaults,
// which the record replaces, are not drawn. The objects must come out exactly as when the
// defaults are drawn as well: same places, sizes, selection corners and pictures, and the
// same bytes stored again. Pages of every kind in two grids and three zooms, placed up to the
// page's edges, with random bytes of their object records changed, are read both ways (as a
// page, a paste and a start-up screen), and so is every input of the page walk's fuzz corpus.
#include "tests/app/project/test_pgread_env.h"

#include "app/project/pgdataenc.h"
#include "objects/objkind.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace kes {
namespace {

// A text for the kinds that show one, as their settings would give it.
void Dress(TLxObj& obj, int n)
{
    const std::string number = std::to_string(n);
    if (auto* t = dynamic_cast<TStTxt*>(&obj)) {
        t->SetStatic_Txt({"Pump " + number, "Level"}, t->Picture.Canvas()->Font);
    } else if (auto* m = dynamic_cast<TMsgTxt*>(&obj)) {
        m->SetStateNum(2);
        m->Messages = {"Shut " + number, "Open"};
    } else if (auto* b = dynamic_cast<TLxBtn*>(&obj)) {
        b->TxtList = {"Run " + number, "Stop"};
    } else if (auto* l = dynamic_cast<TLight*>(&obj)) {
        l->SetStateNum(3);
        l->TxtList = {"Low", "Mid", "High"};
    }
    obj.BmpRePaint();
}

enum class Walk { Page, Paste, Screen };

class DrawOnce : public ::testing::Test {
protected:
    // The page's records read into a fresh page, with or without the defaults drawn.
    PgReadResult Read(const Bytes& records, bool drawDefaults, PageData& page, int zoom, Walk walk)
    {
        const bool paste = walk == Walk::Paste;
        page.Zoom = zoom;
        page.GridWidth = fx.state.GridWidth;
        page.GridHeight = fx.state.GridHeight;
        page.Pasting = paste ? 1 : 0;
        fx.env->DrawDefaults = drawDefaults;
        fx.env->LibraryPath = std::string(KES_BIN_DIR) + "/libMorvik.so";
        if (walk == Walk::Screen)
            return ScreenDataToObj(page, *fx.env, records, 0, records.size(), false, [](ObjKind) { return true; });
        return paste ? PastePgData(page, *fx.env, records, 0, records.size())
                     : PgDataToObj(page, *fx.env, records, 0, records.size());
    }

    // Reads both ways and says where they part; empty when they do not.
    std::string Compare(const Bytes& records, int zoom, Walk walk)
    {
        PageData both;
        PageData once;
        const PgReadResult a = Read(records, true, both, zoom, walk);
        const PgReadResult b = Read(records, false, once, zoom, walk);
        if (a.Error != b.Error || a.Position != b.Position || a.Objects != b.Objects)
            return "the readings end differently";
        if (both.ObjList.size() != once.ObjList.size())
            return "object counts differ";
        for (std::size_t i = 0; i < both.ObjList.size(); ++i) {
            const TLxObj& x = *both.ObjList[i];
            const TLxObj& y = *once.ObjList[i];
            std::ostringstream where;
            where << "object " << i << " (kind " << x.ObjType << ")";
            if (x.ObjType != y.ObjType || x.Left != y.Left || x.Top != y.Top || x.Width != y.Width ||
                x.Height != y.Height)
                return where.str() + ": place or size";
            // A state picture stored empty shows nothing and leaves the size asked for as the
            // states drawn while its record was read left it; read once, it is the record's box.
            if ((x.OWidth != y.OWidth || x.OHeight != y.OHeight) && !(x.Picture.Empty() && y.Picture.Empty()))
                return where.str() + ": size asked for";
            if (x.SelCorners != y.SelCorners)
                return where.str() + ": selection corners";
            if (x.Picture.Width() != y.Picture.Width() || x.Picture.Height() != y.Picture.Height() ||
                x.Picture.Image() != y.Picture.Image())
                return where.str() + ": picture";
        }
        Bytes sa;
        Bytes sb;
        PgDataChx(both, sa, 0, kEncFile, &both.ObjList, RecEncodeEnv{});
        PgDataChx(once, sb, 0, kEncFile, &once.ObjList, RecEncodeEnv{});
        return sa == sb ? std::string() : "stored again differently";
    }

    test::PageFixture fx;
};

TEST_F(DrawOnce, PagesOfEveryKindWithChangedRecordBytes)
{
    std::mt19937 rng(20260614);
    const auto in = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    int compared = 0;
    for (const int grid : {1, 2}) {
        fx.state.GridWidth = grid;
        for (const int zoom : {1, 2, 4}) {
            PageData page;
            page.Zoom = zoom;
            page.GridWidth = grid;
            const int unitW = zoom * grid;
            for (const ObjKind kind : AllObjKinds()) {
                std::unique_ptr<TLxObj> obj = NewPageObj(page, *fx.env, kind);
                ASSERT_NE(obj, nullptr);
                Dress(*obj, static_cast<int>(KindCode(kind)));
                // Anywhere on the page, the right and bottom edges included.
                obj->Left = in(0, fx.core->PanelWidth) * unitW;
                obj->Top = in(0, fx.core->PanelHeight) * zoom;
                page.AppendObj(std::move(obj));
            }
            Bytes records;
            PgDataChx(page, records, 0, kEncFile, &page.ObjList, RecEncodeEnv{});
            SCOPED_TRACE("grid " + std::to_string(grid) + ", zoom " + std::to_string(zoom));
            EXPECT_EQ(Compare(records, zoom, Walk::Page), "");
            EXPECT_EQ(Compare(records, zoom, Walk::Screen), "");
            // Bytes of object records changed at random, their tags and lengths kept.
            std::vector<std::size_t> body;
            for (std::size_t pos = 0; pos + 4 <= records.size();) {
                const std::uint16_t tag = *GetU16be(records, pos);
                const std::uint16_t len = *GetU16be(records, pos + 2);
                if (len < 4)
                    break;
                if (KindOfCode(tag))
                    for (std::size_t k = pos + 4; k < pos + len && k < records.size(); ++k)
                        body.push_back(k);
                pos += len;
            }
            ASSERT_FALSE(body.empty());
            for (int round = 0; round < 60; ++round) {
                Bytes changed = records;
                for (int n = in(1, 6); n > 0; --n)
                    changed[body[rng() % body.size()]] = static_cast<std::uint8_t>(rng());
                const bool paste = round % 4 == 3;
                const std::string diff = Compare(changed, zoom, paste ? Walk::Paste : Walk::Page);
                EXPECT_EQ(diff, "") << "round " << round << (paste ? ", pasted" : "");
                ++compared;
                if (round % 4 == 1) {
                    EXPECT_EQ(Compare(changed, zoom, Walk::Screen), "") << "round " << round << ", a screen";
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 450);
    fx.state.GridWidth = 1;
}

TEST_F(DrawOnce, EveryPageOfTheFuzzCorpus)
{
    QDirIterator it(QStringLiteral(KES_SOURCE_DIR "/fuzz/corpus/pagewalk"), QDir::Files);
    int inputs = 0;
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        if (data.isEmpty())
            continue;
        // The corpus's first byte: bit 0 paste, bit 1 pasting, bits 2-3 zoom, bit 4 grid 2 x 1.
        const auto mode = static_cast<std::uint8_t>(data[0]);
        fx.state.GridWidth = (mode & 0x10) ? 2 : 1;
        const Bytes records(data.begin() + 1, data.end());
        const int zoom = 1 << ((mode >> 2) & 3);
        EXPECT_EQ(Compare(records, zoom, (mode & 0x03) != 0 ? Walk::Paste : Walk::Page), "")
            << f.fileName().toStdString();
        EXPECT_EQ(Compare(records, zoom, Walk::Screen), "") << f.fileName().toStdString() << ", a screen";
        ++inputs;
    }
    EXPECT_GT(inputs, 100);
    fx.state.GridWidth = 1;
}

} // namespace
} // namespace kes
