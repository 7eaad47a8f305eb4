// TMetrol: a measurement unit symbol.
#include "objects/tmetrol.h"
#include "objects/objkind.h"

#include "objects/lxpictures.h"

namespace {

const char* const kPrefixes[] = {"SLENGTH", "SSQUARE", "SCUBIC", "SWEIGHT", "SSPD", "STIME", "STEMP"};

} // namespace

TMetrol::TMetrol()
{
    UnscaledPaint = false;
    SizeSetsPicture = false;
    SetObjType(kes::KindCode(kes::ObjKind::Metrol));
    kes::LoadBuiltinPicture(MetrolPicName, Picture);
    OWidth = Width = Picture.Width();
    OHeight = Height = Picture.Height();
}

void TMetrol::MetrolTypeSet(int type)
{
    MetrolType = type;
    if (type >= 0 && type < static_cast<int>(std::size(kPrefixes)))
        MetrolPrefix = kPrefixes[type];
    MetrolPicName = MetrolPrefix + MetrolSuffix;
}

void TMetrol::MetrolIndexSet(int index)
{
    MetrolIndex = index;
    MetrolSuffix = "_" + std::to_string(static_cast<long long>(index) + 1);
    MetrolPicName = MetrolPrefix + MetrolSuffix;
}

void TMetrol::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    MetrolTypeSet(MetrolType);
    MetrolIndexSet(MetrolIndex);
    // A record may name a symbol that does not exist: blank rather than a wrong unit.
    if (!kes::LoadBuiltinPicture(MetrolPicName, Picture)) {
        Picture.SetSize(Picture.Width() / GridW(), Picture.Height() / GridH());
        PatBlt(*Picture.Canvas(), 0, 0, Picture.Width(), Picture.Height(), WHITENESS);
    }
    kes::GridStretch(Picture, GridW(), GridH());
    SetWidth(Picture.Width() * Zoom());
    SetHeight(Picture.Height() * Zoom());
    Invalidate();
}

void TMetrol::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}
