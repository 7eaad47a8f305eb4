// The object factory gives every kind its class and defaults from the project (grid,
// zoom, font, the link's default device addresses, the controller's bit capability), and
// placing a new object keeps it inside the page; the rubber band selects by its box.
#include "tests/app/project/test_pgread_env.h"

#include "objects/tactbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxpage.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"

#include <gtest/gtest.h>

namespace {

class Factory : public ::testing::Test, protected kes::test::PageFixture {
protected:
    template <typename T> std::unique_ptr<T> Make(std::int16_t kind)
    {
        std::unique_ptr<TLxObj> obj = kes::NewPageObj(page, *env, *kes::KindOfCode(kind));
        auto* typed = dynamic_cast<T*>(obj.get());
        EXPECT_NE(typed, nullptr) << "kind " << kind;
        if (!typed)
            return nullptr;
        obj.release();
        return std::unique_ptr<T>(typed);
    }
};

TEST_F(Factory, EveryKindAndNothingElse)
{
    page.Zoom = 4;
    for (kes::ObjKind kind : kes::AllObjKinds()) {
        SCOPED_TRACE(kes::KindCode(kind));
        const std::unique_ptr<TLxObj> obj = kes::NewPageObj(page, *env, kind);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->ObjType, kes::KindCode(kind));
        EXPECT_EQ(obj->ObjSize, 4);
        EXPECT_EQ(obj->Picture.Canvas()->Font, env->MainFont);
        EXPECT_EQ(obj->Host(), nullptr) << "in no window yet";
    }
    // A code outside the kinds names no kind, so nothing can be made of it.
    for (std::int16_t kind : {0, 22, 1000, -1})
        EXPECT_FALSE(kes::KindOfCode(kind).has_value()) << kind;
}

TEST_F(Factory, PictureGrowsByTheGrid)
{
    state.GridWidth = 2;
    state.GridHeight = 3;
    const auto txt = Make<TStTxt>(1);
    EXPECT_EQ(txt->Picture.Width(), 64);
    EXPECT_EQ(txt->Picture.Height(), 48);
    EXPECT_EQ(txt->GridWidth, 2);
    EXPECT_EQ(txt->GridHeight, 3);
    EXPECT_EQ(txt->PrintText, "Static Text");
}

TEST_F(Factory, DefaultAddressFollowsTheLink)
{
    struct Case {
        std::uint8_t link;
        std::array<std::uint8_t, 2> panelMemory;
        bool internal;
    };
    const Case cases[] = {{0, {1, 0}, true}, {1, {1, 0}, false}, {1, {0, 1}, true}, {0, {0, 0}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.link) + " " + std::to_string(c.panelMemory[c.link]));
        state.LinkIndex = c.link;
        state.PortSlaveMode = c.panelMemory;
        state.DefStation = 7;
        const auto val = Make<TLxVal>(2);
        EXPECT_EQ(val->RefLink, c.link);
        EXPECT_EQ(val->RefStation, 7);
        EXPECT_EQ(val->RefIntMem, c.internal ? 1 : 0);
        EXPECT_EQ(val->DevAddrCode, c.internal ? kes::kInternalWordBase : core->DefWordCode);
        EXPECT_EQ(val->DevText, c.internal ? "@V0" : core->DefWordText);
    }
}

TEST_F(Factory, ControllerWithoutBitsGetsValueObjects)
{
    struct Case {
        std::int16_t machine;
        std::uint8_t panelMemory;
        kes::BtnType btnType;
        std::uint8_t states, valKind, stateMode;
    };
    const Case cases[] = {
        {87, 0, kes::BtnType::SetOn, 2, 0x00, 0x00},
        {87, 1, kes::BtnType::SetOn, 2, 0x00, 0x00},
        {41, 0, kes::BtnType::InputValue, 1, 0x10, 0x10},
        {41, 1, kes::BtnType::InputValue, 1, 0x10, 0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.machine) + " " + std::to_string(c.panelMemory));
        kes::test::PageFixture fx(c.machine);
        fx.state.PortSlaveMode = {c.panelMemory, c.panelMemory};
        std::unique_ptr<TLxObj> obj = kes::NewPageObj(fx.page, *fx.env, kes::ObjKind::LxBtn);
        auto& btn = dynamic_cast<TLxBtn&>(*obj);
        EXPECT_EQ(btn.BtnType, c.btnType);
        EXPECT_EQ(btn.TotalState, c.states);
        EXPECT_EQ(btn.BmpList.size(), c.states);
        EXPECT_EQ(btn.ValKind, c.valKind);
        const bool word = c.valKind != 0;
        const std::int32_t expected =
            c.panelMemory ? (word ? kes::kInternalWordBase : 0) : (word ? fx.core->DefWordCode : fx.core->DefBitCode);
        EXPECT_EQ(btn.WriteDev.DevAddrCode, expected);
        EXPECT_EQ(btn.ReadDev.RefIntMem, c.panelMemory);
        EXPECT_EQ(btn.NotifyDev.RefStation, fx.state.DefStation);
        if (word) {
            EXPECT_EQ(btn.IntNum, 5);
            EXPECT_EQ(btn.ParamA, 65535);
        }

        std::unique_ptr<TLxObj> act = kes::NewPageObj(fx.page, *fx.env, kes::ObjKind::ActBmp);
        EXPECT_EQ(dynamic_cast<TActBmp&>(*act).StateMode, c.stateMode);
        std::unique_ptr<TLxObj> msg = kes::NewPageObj(fx.page, *fx.env, kes::ObjKind::MsgTxt);
        EXPECT_EQ(dynamic_cast<TMsgTxt&>(*msg).StateMode, c.stateMode);
    }
}

TEST_F(Factory, ValueEntryAndPageNumber)
{
    state.LinkIndex = 1;
    state.DefStation = 9;
    const auto entry = Make<TLxGetVal>(20);
    EXPECT_EQ(entry->PrintText, "Numeric Input");
    EXPECT_EQ(entry->WriteDev.DevAddrCode, core->DefWordCode);
    EXPECT_EQ(entry->ReadDev.RefLink, 1);
    EXPECT_EQ(entry->NotifyDev.RefStation, 9);
    EXPECT_EQ(entry->ReadDev.DevAddrCode, -1);

    page.PgIndex = 3;
    const auto pgNum = Make<TLxPage>(11);
    EXPECT_EQ(pgNum->PageNumber, 3);
}

TEST_F(Factory, PlacedObjectStaysInsideTheClientArea)
{
    page.Zoom = 2;
    const kes::DrawState draw;
    TLxObj* val = kes::PlaceNewObj(page, *env, kes::ObjKind::LxVal, 250, 120, draw, 256, 128);
    ASSERT_NE(val, nullptr);
    EXPECT_EQ(val->Width, 96);
    EXPECT_EQ(val->Left, 256 - 96) << "moved left until its right edge meets the client edge";
    EXPECT_EQ(val->Top, 128 - val->Height);
    EXPECT_EQ(page.CurObj, val);
    ASSERT_EQ(page.ObjList.size(), 1u);

    TLxObj* inside = kes::PlaceNewObj(page, *env, kes::ObjKind::LxVal, 10, 12, draw, 256, 128);
    EXPECT_EQ(inside->Left, 10);
    EXPECT_EQ(inside->Top, 12);

    env->WouldOverflow = [](int extra) { return extra > 0; };
    EXPECT_EQ(kes::PlaceNewObj(page, *env, kes::ObjKind::LxVal, 0, 0, draw, 256, 128), nullptr);
    EXPECT_EQ(page.ObjList.size(), 2u);
}

TEST_F(Factory, RubberBandSelectsByItsBox)
{
    const kes::DrawState draw;
    TLxObj* a = kes::PlaceNewObj(page, *env, kes::ObjKind::LxVal, 0, 0, draw, 128, 64);
    TLxObj* b = kes::PlaceNewObj(page, *env, kes::ObjKind::LxVal, 60, 40, draw, 128, 64);
    a->SetSelected(false);
    b->SetSelected(true);
    page.SelList = {b};
    // Corners in order around a band dragged up and left, touching a's right edge.
    kes::SelectInRubberBand(page, {TPoint{48, 30}, TPoint{20, 30}, TPoint{20, 5}, TPoint{48, 5}});
    EXPECT_TRUE(a->Selected);
    EXPECT_FALSE(b->Selected);
    EXPECT_EQ(page.SelList, TObjList{a});
}

TEST_F(Factory, RubberBandDrawnTwiceLeavesNoTrace)
{
    TBitmap canvas(40, 30);
    const kes::RubberBand band{TPoint{2, 3}, TPoint{30, 3}, TPoint{30, 20}, TPoint{2, 20}};
    kes::DrawRubberBand(*canvas.Canvas(), band);
    EXPECT_EQ(canvas.Canvas()->Pixel(10, 3), clBlack);
    EXPECT_EQ(canvas.Canvas()->Pen.Mode, pmCopy);
    kes::DrawRubberBand(*canvas.Canvas(), band);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas.Canvas()->Pixel(x, y), clWhite) << x << "," << y;
}

} // namespace
