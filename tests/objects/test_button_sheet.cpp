// Every kind of the button group, new and with settings of its own, drawn through its own
// Paint at zoom 3 onto one sheet (written beside the build as sheet-button.png for a person
// to look at); each non-default look must differ from the new object's.
#include "buttontest.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kZoom = 3;
constexpr int kCell = 150;

struct Look {
    std::string label;
    std::unique_ptr<TLxObj> obj;
};

template <class T> Look Make(const std::string& label, const std::function<void(T&)>& set = {})
{
    auto obj = std::make_unique<T>();
    if (set)
        set(*obj);
    obj->BmpRePaint();
    obj->Selected = false;
    obj->SetObjSize(kZoom);
    return {label, std::move(obj)};
}

std::vector<std::pair<Look, Look>> Looks()
{
    std::vector<std::pair<Look, Look>> rows;
    rows.emplace_back(Make<TLxDevBmp>("3 bit picture"), Make<TLxDevBmp>("3 ON lamp, grid 2x1", [](TLxDevBmp& o) {
                          o.GridWidth = 2;
                          o.OnBmp = 1;
                          o.CurPt = 1;
                          o.SetWidth(32);
                      }));
    rows.emplace_back(Make<TLxAdvDevBmp>("21 word-bit picture"),
                      Make<TLxAdvDevBmp>("21 bit 3 of 8: switch ON", [](TLxAdvDevBmp& o) {
                          o.ValMode = 0x10;
                          o.BitNo = 3;
                          o.OnBmp = 7;
                          o.SetCurVal(8);
                      }));
    rows.emplace_back(Make<TVrgBmp>("4 multi-range"), Make<TVrgBmp>("4 state 2: arrow", [](TVrgBmp& o) {
                          o.StatePic = {8, 9, 10, 11, 1};
                          o.StateBound = {0, 10, 20, 30, 40};
                          o.SetCurrentRange(25);
                      }));
    rows.emplace_back(Make<TActBmp>("6 multi-state"), Make<TActBmp>("6 state 1 picture", [](TActBmp& o) {
                          o.BmpCopyIn(buttontest::Shown("BIT-14"), 1);
                          o.CurPt = 1;
                      }));
    rows.emplace_back(Make<TLight>("18 lamp"), Make<TLight>("18 lamp: picture, text", [](TLight& o) {
                          o.SetWidth(40);
                          o.SetHeight(20);
                          o.BmpCopyIn(buttontest::Shown("BIT-2"), 0);
                          o.TxtList[0] = "RUN";
                          o.BmpHPos = 0;
                          o.BmpVPos = 2;
                          o.TxtHPos = 1;
                          o.TxtVPos = 2;
                      }));
    rows.emplace_back(Make<TLxBtn>("13 button"), Make<TLxBtn>("13 raised: picture, text", [](TLxBtn& o) {
                          o.SetWidth(40);
                          o.SetHeight(20);
                          o.SetSurface(2);
                          o.BmpCopyIn(buttontest::Shown("BIT-9"), 0);
                          o.TxtList[0] = "UP";
                          o.BmpHPos = 0;
                          o.TxtHPos = 1;
                      }));
    rows.emplace_back(Make<TLxBtn>("13 round, text",
                                   [](TLxBtn& o) {
                                       o.SetWidth(24);
                                       o.SetHeight(24);
                                       o.SetSurface(3);
                                       o.TxtList[0] = "GO";
                                   }),
                      Make<TLxBtn>("13 value button", [](TLxBtn& o) {
                          o.SetWidth(40);
                          o.SetHeight(14);
                          o.BtnType = kes::BtnType::InputValue;
                          o.ReadUsed = 1;
                          o.ValType = kes::FormatCode(kes::ValFormat::Signed);
                          o.IntNum = 4;
                          o.DecNum = 1;
                          o.BmpCopyIn(buttontest::Block(2, 2), 0);
                      }));
    return rows;
}

} // namespace

TEST(ButtonSheet, EveryKindDrawn)
{
    auto rows = Looks();
    const int labelH = 16;
    TBitmap sheet(2 * kCell + 30, static_cast<int>(rows.size()) * (kCell / 2 + labelH + 10) + 10);
    TCanvas& c = *sheet.Canvas();
    c.Font.Name = "MS Sans Serif";
    c.Font.Size = 8;
    int y = 10;
    for (auto& [plain, set] : rows) {
        int x = 10;
        for (Look* look : {&plain, &set}) {
            TLxObj& o = *look->obj;
            c.TextOut(x, y, look->label);
            TCanvas view(&sheet.Image(), TPoint{x, y + labelH}, Rect(0, 0, o.Width, o.Height));
            o.Paint(view);
            c.Pen.Color = clSilver;
            c.Brush.Style = bsClear;
            c.Rectangle(x - 1, y + labelH - 1, x + o.Width + 1, y + labelH + o.Height + 1);
            c.Brush.Style = bsSolid;
            c.Pen.Color = clBlack;
            x += kCell + 10;
        }
        EXPECT_FALSE(buttontest::SamePixels(plain.obj->Picture, set.obj->Picture)) << set.label;
        y += kCell / 2 + labelH + 10;
    }
    const std::string path = std::string(KES_BIN_DIR) + "/../sheet-button.png";
    EXPECT_TRUE(sheet.SaveToFile(path)) << path;
}
