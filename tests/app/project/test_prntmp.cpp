// The hidden page renderer draws a stored page as the panel shows it: white where nothing
// lies, later objects over earlier ones, a geometry object's white letting what lies below
// show; one parse leaves nothing of the page before; a damaged or unreadable stream gives
// the picture of what could be read, never a fault.
#include "tests/app/project/pgrectest.h"
#include "tests/app/project/test_pgread_env.h"

#include "app/project/pgdataenc.h"
#include "app/project/tprntmp.h"
#include "objects/tgeom.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxpage.h"
#include "objects/tsttxt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <type_traits>

namespace kes {
namespace {

using test::Hex;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Rows of a small static picture, '#' black.
constexpr const char* kChecker = "#.#.#.\n"
                                 ".#.#.#\n"
                                 "#.#.#.\n"
                                 ".#.#.#\n";

class Renderer : public ::testing::Test, protected test::PageFixture {
protected:
    Renderer()
    {
        for (int n = 0; n < 100; ++n)
            state.MsgTable[static_cast<std::size_t>(n)] = "M" + std::to_string(n);
        encodeEnv.MainFont = env->MainFont;
        encodeEnv.FontExists = [](const std::string&) { return true; };
    }

    // An object of kind at (x, y) panel pixels on the source page, set up by setup.
    template <typename Obj = TLxObj>
    Obj& Add(std::int16_t kind, int x, int y, const std::function<void(std::type_identity_t<Obj>&)>& setup = {})
    {
        std::unique_ptr<TLxObj> obj = NewPageObj(source, *env, *KindOfCode(kind));
        EXPECT_NE(obj, nullptr);
        Obj& o = dynamic_cast<Obj&>(*obj);
        o.Left = x * source.Zoom;
        o.Top = y * source.Zoom;
        if (setup)
            setup(o);
        o.BmpRePaint();
        source.AppendObj(std::move(obj));
        return o;
    }
    // A static picture of rows at (x, y).
    void AddPicture(const char* rows, int x, int y)
    {
        Add(5, x, y, [rows](TLxObj& o) {
            o.Picture = PictureFromText(rows);
            o.Width = o.Picture.Width() * o.ObjSize;
            o.Height = o.Picture.Height() * o.ObjSize;
        });
    }
    // A rectangle outline dragged from (x1, y1) to (x2, y2), panel pixels.
    void AddRect(int x1, int y1, int x2, int y2)
    {
        Add<TGeom>(17, 0, 0, [&](TGeom& g) { g.ObjGeomSet(GeomRect, {}, x1, y1, x2, y2); });
    }
    // The source page as stored, its objects then freed for the next page.
    Bytes Stored()
    {
        Bytes out;
        PgDataChx(source, out, 0, kEncFile, &source.ObjList, encodeEnv);
        source.FreeObjects();
        source.ResetPgSettings(state);
        return out;
    }
    // The renderer's picture of stream, top-left w x h pixels as text.
    std::string Render(TPrntmp& r, const Bytes& stream, int w = 16, int h = 8)
    {
        const PgReadResult res = r.ParsePageRecords(stream, 0, stream.size());
        EXPECT_TRUE(res.Ok()) << DecodeErrorName(res.Error) << " at " << res.Position;
        r.RenderPageBitmap();
        return Corner(r.PageBmp, w, h);
    }
    static std::string Corner(const TBitmap& page, int w, int h)
    {
        TBitmap part(w, h);
        BitBlt(*part.Canvas(), 0, 0, w, h, *page.Canvas(), 0, 0, SRCCOPY);
        return PictureToText(part);
    }
    static bool AllWhite(const TBitmap& bmp) { return PictureToText(bmp).find('#') == std::string::npos; }

    PageData source;
    RecEncodeEnv encodeEnv;
};

TEST_F(Renderer, EmptyPageIsWhiteAndSizedToThePanelTimesTheGrid)
{
    struct Case {
        int gridW, gridH, zoom;
    };
    for (const Case c : {Case{1, 1, 4}, Case{2, 3, 4}, Case{2, 1, 1}}) {
        state.GridWidth = c.gridW;
        state.GridHeight = c.gridH;
        TPrntmp r(state, *core);
        r.RenderZoom = c.zoom;
        r.PageBmp.SetSize(10, 10);
        r.PageBmp.Canvas()->Brush.Color = clBlack;
        r.PageBmp.Canvas()->FillRect(TRect{0, 0, 10, 10});
        ASSERT_TRUE(r.ParsePageRecords({}, 0, 0).Ok());
        r.RenderPageBitmap();
        EXPECT_EQ(r.PageBmp.Width(), 128 * c.gridW);
        EXPECT_EQ(r.PageBmp.Height(), 64 * c.gridH);
        EXPECT_TRUE(AllWhite(r.PageBmp)) << c.gridW << "x" << c.gridH;
        EXPECT_TRUE(r.RenderObjList().empty());
    }
}

// A geometry object over a picture lets the picture's black show through its white; a
// picture over a geometry object hides it where the picture lies.
TEST_F(Renderer, GeometryIsTransparentOtherKindsCover)
{
    TPrntmp r(state, *core);
    AddPicture(kChecker, 2, 2);
    AddRect(4, 0, 12, 4);
    EXPECT_EQ(Render(r, Stored()), "....########....\n"
                                   "....#......#....\n"
                                   "..#.#.#....#....\n"
                                   "...#########....\n"
                                   "..#.#.#.........\n"
                                   "...#.#.#........\n"
                                   "................\n"
                                   "................\n");
    AddRect(4, 0, 12, 4);
    AddPicture(kChecker, 2, 2);
    EXPECT_EQ(Render(r, Stored()), "....########....\n"
                                   "....#......#....\n"
                                   "..#.#.#....#....\n"
                                   "...#.#.#####....\n"
                                   "..#.#.#.........\n"
                                   "...#.#.#........\n"
                                   "................\n"
                                   "................\n");
    ASSERT_EQ(r.RenderObjList().size(), 2u);
    EXPECT_EQ(r.RenderObjList()[0]->ObjType, 17);
}

// Rendering one page after another: objects, picture and settings are the second page's only.
TEST_F(Renderer, ASecondPageKeepsNothingOfTheFirst)
{
    TPrntmp r(state, *core);
    AddRect(0, 0, 10, 6);
    AddPicture(kChecker, 20, 0);
    for (int i = 0; i < 2; ++i) {
        PgJmpRec* j = source.AddPgJump(state);
        j->Ref.DevAddrCode = 0x4000 + i;
        j->TargetPage = 3;
    }
    source.PgFunKeys[2].ButtonType = kes::BtnType::ChangePage;
    source.PgFunKeys[2].ParamA = 5;
    source.PgSysRecs[1].Ref.DevAddrCode = 0x300;
    source.PgNumWrite.Ref.DevAddrCode = 0x4055;
    source.PgHide = PgHideRec{1, 0};
    const Bytes first = Stored();
    AddPicture(kChecker, 30, 2);
    const Bytes second = Stored();

    Render(r, first);
    EXPECT_EQ(r.RenderObjList().size(), 2u);
    EXPECT_EQ(r.Page().PgJmpList.size(), 2u);
    EXPECT_EQ(r.Page().PgFunKeys[2].ParamA, 5);
    EXPECT_EQ(r.Page().PgSysRecs[1].Ref.DevAddrCode, 0x300);
    EXPECT_EQ(r.Page().PgNumWrite.Ref.DevAddrCode, 0x4055);
    EXPECT_EQ(r.Page().PgHide.Hide, 1);

    Render(r, second);
    ASSERT_EQ(r.RenderObjList().size(), 1u);
    EXPECT_TRUE(r.Page().PgJmpList.empty());
    EXPECT_EQ(r.Page().PgFunKeys[2].ButtonType, kes::BtnType::None);
    EXPECT_EQ(r.Page().PgSysRecs[1].Ref.DevAddrCode, -1);
    EXPECT_EQ(r.Page().PgNumWrite.Ref.DevAddrCode, -1);
    EXPECT_EQ(r.Page().PgHide.Hide, 0);
    EXPECT_EQ(Corner(r.PageBmp, 40, 6), std::string(40, '.') + "\n" + std::string(40, '.') + "\n" +
                                            std::string(30, '.') + "#.#.#.....\n" + std::string(30, '.') +
                                            ".#.#.#....\n" + std::string(30, '.') + "#.#.#.....\n" +
                                            std::string(30, '.') + ".#.#.#....\n");
}

// The bit picture of a word (kind 21) reads and draws as the bit picture (kind 3) does.
TEST_F(Renderer, BitPictureOfAWordDrawsAsABitPicture)
{
    std::string pictures[2];
    int i = 0;
    for (std::int16_t kind : {3, 21}) {
        Add<TLxDevBmp>(kind, 5, 3, [](TLxDevBmp& b) {
            b.SetOnBmp(5);
            b.SetOffBmp(2);
        });
        TPrntmp r(state, *core);
        pictures[i++] = Render(r, Stored(), 40, 40);
        ASSERT_EQ(r.RenderObjList().size(), 1u);
        EXPECT_EQ(r.RenderObjList()[0]->ObjType, kind);
    }
    EXPECT_NE(pictures[0].find('#'), std::string::npos);
    EXPECT_EQ(pictures[1], pictures[0]);
}

// Every kind's print caption comes from the message table; a page number object shows the
// index given before the parse.
TEST_F(Renderer, PrintCaptionsAndPageNumber)
{
    struct Kind {
        std::int16_t kind;
        int message;
    };
    const Kind kinds[] = {{1, 36},  {2, 37},  {3, 38},  {5, 40},  {12, 47}, {13, 48},
                          {16, 51}, {17, 71}, {19, 70}, {20, 91}, {21, 38}};
    for (const Kind& k : kinds)
        Add(k.kind, 0, 0);
    Bytes stream = Stored();
    // A page number record: the reader takes its 14 bytes and nothing from them.
    stream = stream + Hex("00 0B 00 0E 00 28 00 14 00 37 00 1B 00 08");

    TPrntmp r(state, *core);
    r.RenderPgIndex = 7;
    Render(r, stream);
    ASSERT_EQ(r.RenderObjList().size(), std::size(kinds) + 1);
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(r.RenderObjList()[i]->ObjType, kinds[i].kind);
        EXPECT_EQ(r.RenderObjList()[i]->PrintText, "M" + std::to_string(kinds[i].message)) << kinds[i].kind;
    }
    const auto* page = dynamic_cast<const TLxPage*>(r.RenderObjList().back());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PageNumber, 7);
    EXPECT_EQ(page->PrintText, "M46");
    EXPECT_EQ(PrintTextMessage(0), 0);
    EXPECT_EQ(PrintTextMessage(22), 0);
}

// The page test at the renderer's zoom: an object whose left or top lies on the panel's far
// edge stays (and draws nothing there); one pixel further it is left out.
TEST_F(Renderer, ObjectsBeyondThePanelAreLeftOut)
{
    struct Case {
        int x, y;
        std::size_t kept;
    };
    for (int zoom : {1, 4}) {
        for (const Case c : {Case{128, 0, 1}, Case{129, 0, 0}, Case{0, 64, 1}, Case{0, 65, 0}}) {
            AddPicture(kChecker, c.x, c.y);
            TPrntmp r(state, *core);
            r.RenderZoom = zoom;
            Render(r, Stored());
            EXPECT_EQ(r.RenderObjList().size(), c.kept) << c.x << "," << c.y << " zoom " << zoom;
            EXPECT_TRUE(AllWhite(r.PageBmp));
        }
    }
}

// A stream that goes bad part-way draws the objects before the bad record and stops; a range
// outside the data or a missing decoder library draws a white page.
TEST_F(Renderer, DamagedStreamsDrawWhatWasRead)
{
    AddPicture(kChecker, 0, 0);
    const Bytes good = Stored();
    const std::string checker = "#.#.#.....\n.#.#.#....\n#.#.#.....\n.#.#.#....\n..........\n";
    struct Case {
        const char* name;
        Bytes stream;
        std::size_t end; // 0: the whole stream
        DecodeError error;
        bool drawn;
    };
    const Case cases[] = {
        {"cut inside the next record", good + Hex("00 05 00 40 00 00"), 0, DecodeError::LengthPastEnd, true},
        {"record of length 0", good + Hex("07 D0 00 00 00 05 00 40"), 0, DecodeError::ZeroLength, true},
        {"object kind the library cannot read", good + Hex("00 0A 00 10") + Bytes(12, 0), 0, DecodeError::UnknownKind,
         true},
        {"a lone byte", good + Hex("00"), 0, DecodeError::ShortHead, true},
        {"range past the data", good, good.size() + 1, DecodeError::BadRange, false},
        {"first record damaged", Hex("00 05 00 10") + Bytes(12, 0xFF), 0, DecodeError::Truncated, false},
    };
    for (const Case& c : cases) {
        TPrntmp r(state, *core);
        const PgReadResult res = r.ParsePageRecords(c.stream, 0, c.end ? c.end : c.stream.size());
        r.RenderPageBitmap();
        EXPECT_FALSE(res.Ok()) << c.name;
        EXPECT_EQ(res.Error, c.error) << c.name << ": " << DecodeErrorName(res.Error);
        EXPECT_EQ(r.RenderObjList().size(), c.drawn ? 1u : 0u) << c.name;
        EXPECT_EQ(Corner(r.PageBmp, 10, 5), c.drawn ? checker : Corner(TBitmap(10, 5), 10, 5)) << c.name;
    }

    TPrntmp r(state, *core);
    r.Env().LibraryPath = "/nonexistent/libMorvik.so";
    const PgReadResult res = r.ParsePageRecords(good, 0, good.size());
    EXPECT_EQ(res.Error, DecodeError::LibraryMissing);
    r.RenderPageBitmap();
    EXPECT_TRUE(r.RenderObjList().empty());
    EXPECT_TRUE(AllWhite(r.PageBmp));
    EXPECT_EQ(r.PageBmp.Width(), 128);
}

// Every input of the page walk's fuzz corpus parses and draws a picture of the panel's size.
TEST_F(Renderer, PageWalkCorpus)
{
    const std::filesystem::path dir = std::filesystem::path(KES_SOURCE_DIR) / "fuzz" / "corpus" / "pagewalk";
    ASSERT_TRUE(std::filesystem::is_directory(dir));
    TPrntmp r(state, *core);
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (input.empty())
            continue;
        // The walk's inputs open with a mode byte; the renderer takes the stream after it.
        r.RenderZoom = 1 << ((input[0] >> 2) & 3);
        r.ParsePageRecords(input, 1, input.size());
        r.RenderPageBitmap();
        EXPECT_EQ(r.PageBmp.Width(), 128) << entry.path();
        EXPECT_EQ(r.PageBmp.Height(), 64) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
} // namespace kes
