// Every kind of the text group in its new look and in a changed one, on one sheet
// (sheet-text.png in the build folder) for a person to look at; the test only checks
// that each object drew something where it was expected to.
#include "objects/tlxgetval.h"
#include "objects/tlxpage.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/valformat.h"
#include "objtest.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<TLxObj>> NewLooks()
{
    std::vector<std::unique_ptr<TLxObj>> out;
    out.push_back(std::make_unique<TStTxt>());
    out.push_back(std::make_unique<TStBmp>());
    out.push_back(std::make_unique<TLxPage>());
    out.push_back(std::make_unique<TLxVal>());
    out.push_back(std::make_unique<TLxGetVal>());
    out.push_back(std::make_unique<TMsgTxt>());
    out.push_back(std::make_unique<TRtc>());
    out.push_back(std::make_unique<TMetrol>());
    for (auto& o : out) {
        if (o->ObjType != 5) // the static picture keeps its blank picture until a file loads
            o->BmpRePaint();
    }
    return out;
}

std::vector<std::unique_ptr<TLxObj>> ChangedLooks()
{
    std::vector<std::unique_ptr<TLxObj>> out;
    {
        kes::ScopedCodePage cp(950);
        auto t = std::make_unique<TStTxt>();
        t->Picture.SetSize(60, 40);
        objtest::Place(*t, 0, 0, 60, 40);
        t->ObjFrame = 2;
        t->TxtDir = 1;
        t->TxtHPos = 2;
        t->TxtVPos = 2;
        TFont f;
        f.Name = "MingLiU";
        f.Size = 9;
        t->SetStatic_Txt({"\xA4\xA4\xA4\xE5", "AB"}, f);
        out.push_back(std::move(t));
    }
    {
        auto b = std::make_unique<TStBmp>();
        b->GridWidth = 2;
        TBitmap art(24, 12); // a framed diagonal
        TCanvas& a = *art.Canvas();
        a.Rectangle(0, 0, 24, 12);
        a.MoveTo(0, 0);
        a.LineTo(24, 12);
        b->BmpCopyIn(art, 0);
        out.push_back(std::move(b));
    }
    {
        auto p = std::make_unique<TLxPage>();
        p->Picture.SetSize(24, 16);
        p->SetPgNum(12);
        out.push_back(std::move(p));
    }
    {
        auto v = std::make_unique<TLxVal>();
        v->Picture.SetSize(64, 16);
        objtest::Place(*v, 0, 0, 64, 16);
        v->ValType = kes::FormatCode(kes::ValFormat::Signed);
        v->IntNum = 3;
        v->DecNum = 2;
        v->HZero = 2;
        v->HPos = 2;
        v->ObjFrame = 1;
        v->BmpRePaint();
        out.push_back(std::move(v));
    }
    {
        auto e = std::make_unique<TLxGetVal>();
        e->Picture.SetSize(80, 20);
        objtest::Place(*e, 0, 0, 80, 20);
        e->FontSet(1);
        e->ObjFrame = 3;
        e->DecNum = 1;
        e->HPos = 0;
        e->BmpRePaint();
        out.push_back(std::move(e));
    }
    {
        auto m = std::make_unique<TMsgTxt>();
        m->Picture.SetSize(50, 14);
        objtest::Place(*m, 0, 0, 50, 14);
        m->StateMode = 0x10;
        m->SetStateNum(3);
        m->Messages = {"Low", "Normal", "High"};
        m->StateVal = {0, 100, 200};
        m->CurRangeSelect(150);
        out.push_back(std::move(m));
    }
    {
        auto r = std::make_unique<TRtc>();
        r->Picture.SetSize(90, 20);
        objtest::Place(*r, 0, 0, 90, 20);
        r->FontSet(2);
        r->RtcFormat = 2;
        r->RtcAlign = 2;
        r->ObjFrame = 1;
        r->BmpRePaint();
        out.push_back(std::move(r));
    }
    {
        auto u = std::make_unique<TMetrol>();
        u->GridWidth = 2;
        u->MetrolType = 4;
        u->MetrolIndex = 2;
        u->BmpRePaint();
        out.push_back(std::move(u));
    }
    return out;
}

} // namespace

TEST(TextKindsSheet, EveryKindDrawsAndTheSheetIsWritten)
{
    const auto fresh = NewLooks();
    const auto changed = ChangedLooks();
    const int cellW = 100;
    const int cellH = 48;
    const int scale = 3;
    TBitmap sheet(cellW * 2 + 4, cellH * static_cast<int>(fresh.size()) + 4);
    TCanvas& c = *sheet.Canvas();
    c.Brush.Color = clSilver;
    c.FillRect(Rect(0, 0, sheet.Width(), sheet.Height()));
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        for (int col = 0; col < 2; ++col) {
            const TLxObj& o = col == 0 ? *fresh[i] : *changed[i];
            const int x = 2 + col * cellW;
            const int y = 2 + static_cast<int>(i) * cellH;
            c.Brush.Color = clWhite;
            c.FillRect(Rect(x, y, x + cellW - 2, y + cellH - 2));
            BitBlt(c, x + 2, y + 2, o.Picture.Width(), o.Picture.Height(), *o.Picture.Canvas(), 0, 0, SRCCOPY);
            const bool blank = (o.ObjType == 5 || o.ObjType == 12) && col == 0; // nothing to show yet
            EXPECT_NE(kes::PictureToText(o.Picture).find('#') != std::string::npos, blank)
                << "kind " << o.ObjType << (col == 0 ? " new" : " changed");
        }
    }
    TBitmap big(sheet.Width() * scale, sheet.Height() * scale);
    StretchBlt(*big.Canvas(), 0, 0, big.Width(), big.Height(), c, 0, 0, sheet.Width(), sheet.Height(), SRCCOPY);
    EXPECT_TRUE(big.SaveToFile(std::string(KES_BIN_DIR) + "/../sheet-text.png"));
}
