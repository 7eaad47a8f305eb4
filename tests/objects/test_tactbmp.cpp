// The multi-state picture (kind 6), and the state lists it shares with the lamp (kind 18):
// pictures, values and texts stay equal in number, the shown picture follows the state and
// the reverse order, the object takes the shown picture's size, loads of big pictures are
// cut so the record's 16-bit counts still hold them, and a state without a picture draws
// nothing instead of reading past the lists.
#include "buttontest.h"
#include "golden.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tvrgbmp.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using buttontest::SamePixels;

namespace {

using Maker = std::function<std::unique_ptr<kes::TStateBmpObj>()>;

const struct Kind {
    const char* name;
    Maker make;
    int newSide;
} kKinds[] = {
    {"multi-state picture", [] { return std::make_unique<TActBmp>(); }, 16},
    {"lamp", [] { return std::make_unique<TLight>(); }, 0},
};

std::size_t ExtraTexts(const kes::TStateBmpObj& obj)
{
    const auto* light = dynamic_cast<const TLight*>(&obj);
    return light ? light->TxtList2.size() : obj.TxtList.size();
}

} // namespace

TEST(StateLists, NewObjects)
{
    for (const Kind& k : kKinds) {
        auto obj = k.make();
        EXPECT_EQ(obj->TotalState, 2) << k.name;
        ASSERT_EQ(obj->BmpList.size(), 2u) << k.name;
        for (const auto& p : obj->BmpList) {
            EXPECT_EQ(p->Width(), k.newSide) << k.name;
            EXPECT_EQ(p->Height(), k.newSide) << k.name;
        }
        EXPECT_EQ(obj->StateVal, (std::vector<std::uint32_t>{0, 0})) << k.name;
        EXPECT_EQ(obj->TxtList, (std::vector<AnsiString>{"", ""})) << k.name;
        EXPECT_EQ(ExtraTexts(*obj), 2u) << k.name;
        EXPECT_EQ(obj->CurPt, 0) << k.name;
        EXPECT_EQ(obj->DevAddrCode, 2048) << k.name;
        EXPECT_EQ(obj->RefStation, 1) << k.name;
        EXPECT_EQ(obj->Picture.Width(), 16) << k.name;
    }
    EXPECT_FALSE(TActBmp().SizeSetsPicture);
    EXPECT_TRUE(TLight().SizeSetsPicture);
}

TEST(StateLists, SetStateNum)
{
    struct Case {
        std::uint8_t from, to;
        std::vector<std::uint32_t> values;
        int curPt;
    } cases[] = {
        {5, 2, {1, 2}, 1},       // fewer: show the last state
        {2, 4, {1, 2, 0, 0}, 0}, // more: new values 0, the state stays
        {3, 3, {1, 2, 3}, 0},    // same: nothing but the values
        {3, 0, {}, -1},          // none at all
        {1, 255, {}, 0},         // the most a record holds
    };
    for (const Kind& k : kKinds) {
        for (const Case& c : cases) {
            auto obj = k.make();
            obj->SetStateNum(c.from);
            for (std::uint8_t i = 0; i < c.from; ++i)
                obj->StateVal[i] = i + 1;
            obj->CurPt = 0;
            obj->SetStateNum(c.to);
            const std::string what = std::string(k.name) + " " + std::to_string(c.from) + "->" + std::to_string(c.to);
            EXPECT_EQ(obj->TotalState, c.to) << what;
            EXPECT_EQ(obj->BmpList.size(), c.to) << what;
            EXPECT_EQ(obj->TxtList.size(), c.to) << what;
            EXPECT_EQ(ExtraTexts(*obj), c.to) << what;
            ASSERT_EQ(obj->StateVal.size(), c.to) << what;
            if (!c.values.empty()) {
                EXPECT_EQ(obj->StateVal, c.values) << what;
            }
            EXPECT_EQ(obj->CurPt, c.curPt) << what;
            if (c.to > c.from) {
                EXPECT_EQ(obj->BmpList.back()->Width(), k.newSide) << what;
            }
        }
    }
}

TEST(StateLists, StateAndReverseOrder)
{
    struct Case {
        std::uint8_t mode;
        std::uint32_t value;
        int state;
    } cases[] = {{0x00, 7, 1}, {0x00, 0, 0}, {0x10, 7, 0}, {0x20, 0xFFFFFFFF, 0}};
    for (const Kind& k : kKinds)
        for (const Case& c : cases) {
            auto obj = k.make();
            obj->StateMode = c.mode;
            obj->CurRangeSelect(c.value);
            EXPECT_EQ(obj->CurVal, c.value);
            EXPECT_EQ(obj->CurPt, c.state) << k.name << " mode " << int(c.mode) << " value " << c.value;
        }

    buttontest::ScratchFiles files;
    const std::string file = files.Write(buttontest::Block(5, 3), "bar.bmp");
    for (const Kind& k : kKinds) {
        auto obj = k.make();
        obj->SetStateNum(3);
        obj->StateReverse = 1;
        obj->SetBmpPt(0);
        EXPECT_EQ(obj->ShownIndex(), 2) << k.name;
        ASSERT_TRUE(obj->BmpLoad(file, 100, 100)) << k.name;
        EXPECT_EQ(obj->BmpList[2]->Width(), 5) << k.name;
        EXPECT_EQ(obj->BmpList[0]->Width(), k.newSide) << k.name;
        EXPECT_FALSE(obj->BmpLoad(files.Missing(), 100, 100)) << k.name;
        // A state past the lists (a bit-mode value on one state) shows no picture.
        obj->SetStateNum(1);
        obj->StateReverse = 0;
        obj->CurRangeSelect(9);
        EXPECT_EQ(obj->CurPt, 1);
        EXPECT_EQ(obj->ShownIndex(), -1) << k.name;
        EXPECT_FALSE(obj->BmpLoad(file, 100, 100)) << k.name;
    }
}

TEST(StateLists, BandData)
{
    struct Case {
        int w, h, bytes;
    } cases[] = {{10, 9, 20}, {10, 8, 10}, {16, 16, 32}, {0, 0, 0}, {7, 1, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(kes::TStateBmpObj::ActBmpSizeGet(TBitmap(c.w, c.h)), c.bytes) << c.w << "x" << c.h;

    TActBmp obj;
    TBitmap pic = kes::PictureFromText("#....\n.#...\n..#..\n...#.\n....#\n#####\n.....\n.....\n....#\n");
    obj.BmpCopyIn(pic, 1);
    kes::Bytes bands(static_cast<std::size_t>(TActBmp::ActBmpSizeGet(pic)));
    TActBmp::ActBmpDataGet(bands, *obj.BmpList[1]);
    TActBmp other;
    EXPECT_EQ(other.StateBmpSet(0, 5, 9, bands), 10);
    EXPECT_TRUE(SamePixels(*other.BmpList[0], pic));
    // Short data, a missing state: nothing changes.
    EXPECT_EQ(other.StateBmpSet(1, 5, 9, kes::ByteSpan(bands).first(9)), 0);
    EXPECT_EQ(other.BmpList[1]->Width(), 16);
    EXPECT_EQ(other.StateBmpSet(2, 5, 9, bands), 0);
    EXPECT_EQ(other.StateBmpSet(-1, 5, 9, bands), 0);
}

TEST(ActBmp, TakesTheShownPicturesSize)
{
    TActBmp obj;
    obj.ObjSize = 2;
    obj.GridWidth = 2;
    obj.BmpCopyIn(kes::PictureFromText("##########\n#........#\n##########\n"), 1);
    obj.SetBmpPt(1);
    EXPECT_EQ(obj.Picture.Width(), 20);
    EXPECT_EQ(obj.Picture.Height(), 3);
    EXPECT_EQ(obj.Width, 40);
    EXPECT_EQ(obj.Height, 6);
    EXPECT_EQ(obj.SelCorners[2], (TPoint{40, 6}));
    EXPECT_TRUE(golden::Matches(obj.Picture, "tactbmp_box_grid2x1"));

    // An empty state picture leaves the object as it was; no states draw nothing.
    obj.BmpCopyIn(TBitmap(), 0);
    obj.SetBmpPt(0);
    EXPECT_EQ(obj.Width, 40);
    obj.SetStateNum(0);
    EXPECT_EQ(obj.CurPt, -1);

    TActBmp plain;
    plain.BmpRePaint();
    EXPECT_TRUE(golden::Matches(plain.Picture, "tactbmp_default"));
}

TEST(ActBmp, BigPicturesFitTheRecord)
{
    // 1000 x 600 packs to 75,000 bytes: past the 16-bit count. The load keeps the width and
    // drops whole bands until the record (26 bytes, 10 per state, the other state's 32 bytes
    // of bands) stays within 65,535 bytes.
    buttontest::ScratchFiles files;
    TBitmap big(1000, 600);
    big.Canvas()->SetPixel(999, 0, clBlack);
    const std::string file = files.Write(big, "big.bmp");
    TActBmp obj;
    ASSERT_TRUE(obj.BmpLoad(file, 0, 0));
    const TBitmap& p = *obj.BmpList[0];
    EXPECT_EQ(p.Width(), 1000);
    EXPECT_EQ(p.Height(), 520);
    EXPECT_LE(26 + 2 * 10 + 32 + TActBmp::ActBmpSizeGet(p), 65535);
    EXPECT_EQ(p.Canvas()->Pixel(999, 0), clBlack);

    // Within the limit a picture keeps the file's own size.
    const std::string small = files.Write(TBitmap(300, 40), "small.bmp");
    ASSERT_TRUE(obj.BmpLoad(small, 10, 10));
    EXPECT_EQ(obj.BmpList[0]->Width(), 300);
    EXPECT_EQ(obj.BmpList[0]->Height(), 40);

    struct Case {
        int w, h, budget, fw, fh;
    } cases[] = {
        {100, 100, 65535, 100, 100}, {70000, 8, 65535, 65535, 8}, {1000, 600, 65000, 1000, 520},
        {10, 10, 0, 0, 0},           {10, 10, 5, 5, 8},           {0, 10, 100, 0, 0},
    };
    for (const Case& c : cases) {
        const TSize s = kes::FitBandBudget(c.w, c.h, c.budget);
        EXPECT_EQ(s, (TSize{c.fw, c.fh})) << c.w << "x" << c.h << " in " << c.budget;
    }
}

TEST(StatePictureKinds, ExtremeValues)
{
    // Zero zoom, grid and size, state numbers far out, a page image too short for its page:
    // every kind of the group draws what it can and stays within its pictures and lists.
    std::vector<std::unique_ptr<TLxObj>> objs;
    objs.push_back(std::make_unique<TLxDevBmp>());
    objs.push_back(std::make_unique<TLxAdvDevBmp>());
    objs.push_back(std::make_unique<TVrgBmp>());
    objs.push_back(std::make_unique<TActBmp>());
    objs.push_back(std::make_unique<TLight>());
    for (auto& obj : objs) {
        obj->ObjSize = 0;
        obj->GridWidth = 0;
        obj->GridHeight = 0;
        obj->Width = 0;
        obj->Height = 0;
        obj->Picture.SetSize(0, 0);
        if (auto* dev = dynamic_cast<TLxAdvDevBmp*>(obj.get())) {
            dev->ValMode = 0x10;
            dev->BitNo = 255;
            dev->SetCurVal(0xFFFFFFFF);
        }
        if (auto* dev = dynamic_cast<TLxDevBmp*>(obj.get())) {
            dev->SetOnBmp(254);
            dev->SetCurPt(-3);
        }
        if (auto* vrg = dynamic_cast<TVrgBmp*>(obj.get())) {
            vrg->StatePic = {255, 254, 253, 252, 251};
            vrg->RangeOrder = 15;
            vrg->SetCurrentRange(0xFFFFFFFF);
            vrg->SetCurPt(-2147483647 - 1);
        }
        if (auto* st = dynamic_cast<kes::TStateBmpObj*>(obj.get())) {
            st->StateReverse = 1;
            st->SetStateNum(255);
            st->SetBmpPt(-100);
            st->SetBmpPt(300);
            st->BmpCopyIn(TBitmap(3000, 1), 254);
            st->SetBmpPt(0);
        }
        obj->BmpRePaint();
        kes::Bytes bands(5);
        obj->PaintData(16, 16, bands);
        obj->PaintData(0, 0, {});
        TBitmap sheet(10, 0);
        EXPECT_GT(obj->PrePrnObjInf(sheet, 0, 0), 0) << obj->ObjType;
    }
}
