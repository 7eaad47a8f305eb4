#include "benchproject.h"

#include "app/project/memimage.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "platform/fileio.h"

#include <algorithm>

namespace kes::bench {

namespace {

// The shape tools in turn for the geometry objects.
constexpr TGeomType kShapes[] = {GeomLine,  GeomRect,  GeomRectF,  GeomCir, GeomCirF,
                                 GeomCurve, GeomChord, GeomChordF, GeomPie, GeomPieF};

std::string ProgramDir(const std::string& appDir) { return appDir.empty() ? std::string(KES_BIN_DIR) + "/" : appDir; }

// Set 0 tags no text; set s > 0 puts two letters of its own before every text.
std::string TextTag(int textSet)
{
    if (textSet <= 0)
        return {};
    const int s = (textSet - 1) % (26 * 26);
    return {static_cast<char>('A' + s / 26), static_cast<char>('a' + s % 26)};
}

// The texts a user gives the kinds that show text, as their settings dialogs would.
void Dress(TLxObj& obj, int n, const std::string& tag)
{
    const std::string number = std::to_string(n % 1000);
    if (auto* t = dynamic_cast<TStTxt*>(&obj)) {
        t->SetStatic_Txt({tag + "Pump " + number, tag + "Level"}, t->Picture.Canvas()->Font);
    } else if (auto* m = dynamic_cast<TMsgTxt*>(&obj)) {
        m->SetStateNum(2);
        m->Messages = {tag + "Valve " + number + " closed", tag + "Valve " + number + " open"};
    } else if (auto* b = dynamic_cast<TLxBtn*>(&obj)) {
        b->TxtList = {tag + "Run " + number, tag + "Stop"};
    } else if (auto* l = dynamic_cast<TLight*>(&obj)) {
        l->SetStateNum(3);
        l->TxtList = {tag + "Low", tag + "Mid", tag + "High"};
    } else {
        return;
    }
    obj.BmpRePaint();
}

} // namespace

std::vector<ObjKind> StoredKinds()
{
    std::vector<ObjKind> k;
    for (const ObjKind kind : AllObjKinds())
        if (KindFacts(kind).Record != RecordForm::None)
            k.push_back(kind);
    return k;
}

BenchProject::BenchProject(int modelIndex, int variant, std::int16_t machineId, const std::string& appDir)
{
    SetAppDir(ProgramDir(appDir));
    doc.AppDir = ProgramDir(appDir);
    core = std::make_unique<LxTypeCore>(doc);
    core->LoadModelList();
    core->LoadMachineList();
    doc.MachineId = machineId;
    doc.PanelModelIndex = static_cast<std::int16_t>(modelIndex);
    core->MemMapVariant = variant;
    core->SelectMachine();
    core->LoadModelData();
    doc.ResetHeaderRecords();
    ResetMemoryImage(doc);
}

int BenchProject::LargestModel(const std::string& appDir)
{
    BenchProject probe(0, 0, 3, appDir);
    int best = 0;
    std::int64_t bestArea = -1;
    for (std::size_t i = 0; i < probe.core->ModelNames.size(); ++i) {
        probe.doc.PanelModelIndex = static_cast<std::int16_t>(i);
        probe.core->LoadModelData();
        if (probe.ObjectArea() > bestArea) {
            bestArea = probe.ObjectArea();
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::string BenchProject::ModelName() const
{
    const auto i = static_cast<std::size_t>(doc.PanelModelIndex);
    return i < core->ModelNames.size() ? core->ModelNames[i] : std::string("?");
}

std::int64_t BenchProject::ObjectArea() const { return std::int64_t(doc.ObjDataAddrEnd) - doc.ObjDataAddr; }

std::int64_t BenchProject::PageRoom()
{
    ResetMemoryImage(doc);
    return ObjectArea() - BuildHeaderImage(doc);
}

PageEnv BenchProject::Env() const
{
    PageEnv env(doc, *core);
    env.MainFont.Name = "MS Sans Serif";
    env.MainFont.Size = 9;
    env.LibraryPath = std::string(KES_BIN_DIR) + "/libMorvik.so";
    return env;
}

RecEncodeEnv BenchProject::EncodeEnv() const
{
    RecEncodeEnv env;
    env.MainFont = Env().MainFont;
    return env;
}

Bytes BenchProject::Page(const std::vector<ObjKind>& kinds, int count, std::int64_t limit, int* placed,
                         int textSet) const
{
    const std::string tag = TextTag(textSet);
    const int grow = textSet > 0 ? 1 + textSet % 3 : 0;
    const PageEnv env = Env();
    const RecEncodeEnv enc = EncodeEnv();
    PageData page;
    page.Zoom = doc.DefaultZoom;
    page.GridWidth = doc.GridWidth;
    page.GridHeight = doc.GridHeight;
    const int unitW = page.Zoom * doc.GridWidth;
    const int unitH = page.Zoom * doc.GridHeight;
    const int clientW = core->PanelWidth * unitW;
    const int clientH = core->PanelHeight * unitH;
    Bytes settings;
    std::int64_t used = PgDataChx(page, settings, 0, kEncFile, &page.ObjList, enc);
    int n = 0;
    for (; n < count; ++n) {
        const ObjKind kind = kinds[static_cast<std::size_t>(n) % kinds.size()];
        // Spread over the panel in whole panel pixels, the same places on every run.
        const int x = (n * 37) % core->PanelWidth * unitW;
        const int y = (n * 23) % core->PanelHeight * unitH;
        DrawState draw;
        draw.ToolSubType = kShapes[static_cast<std::size_t>(n / static_cast<int>(kinds.size())) % std::size(kShapes)];
        draw.DownPt = TPoint{x, y};
        draw.CurPt = TPoint{std::min(x + (23 + grow) * unitW, clientW - unitW),
                            std::min(y + (17 + grow) * unitH, clientH - unitH)};
        TLxObj* obj = PlaceNewObj(page, env, kind, x, y, draw, clientW, clientH);
        if (!obj)
            break;
        Dress(*obj, n, tag);
        obj->SetSelected(false);
        Bytes scratch;
        RecOut rec(scratch, kEncFile);
        const int len = ObjRecChx(rec, 0, *obj, enc);
        if (used + len > limit) {
            page.DeleteObj(obj);
            break;
        }
        used += len;
    }
    if (placed)
        *placed = n;
    // The page as the page window stores it: settings, then every object.
    Bytes out;
    const int total = PgDataChx(page, out, 0, kEncFile, &page.ObjList, enc);
    out.resize(static_cast<std::size_t>(std::max(total, 0)));
    return out;
}

Bytes BenchProject::TypicalPage(int textSet) const
{
    std::vector<ObjKind> kinds = StoredKinds();
    kinds.push_back(ObjKind::StTxt);
    return Page(kinds, static_cast<int>(kinds.size()), ObjectArea(), nullptr, textSet);
}

} // namespace kes::bench
