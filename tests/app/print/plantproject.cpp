#include "plantproject.h"

#include "objects/tactbmp.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <zlib.h>

namespace kes::test {
namespace {

// Sets a single-reference object's address.
template <typename Obj> std::function<void(Obj&)> At(const ReportProject& r, const char* text, bool word)
{
    return [&r, text, word](Obj& o) { o.DevAddrCode = r.Code(text, word); };
}

TBitmap Checker(int w, int h)
{
    std::string rows;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            rows += (x + y) % 2 ? '#' : '.';
        rows += '\n';
    }
    return PictureFromText(rows);
}

void AddPicture(ReportProject& r, PageData& page, int x, int y)
{
    r.Add<TLxObj>(page, ObjKind::StBmp, x, y, [](TLxObj& o) {
        o.Picture = Checker(12, 8);
        o.Width = o.Picture.Width() * o.ObjSize;
        o.Height = o.Picture.Height() * o.ObjSize;
    });
}

void FillMain(ReportProject& r, PageData& p)
{
    r.Add<TStTxt>(p, ObjKind::StTxt, 0, 0, [](TStTxt& t) {
        t.SetStatic_Txt({"Pump", "Level 2"}, t.Picture.Canvas()->Font);
    });
    r.Add<TLxVal>(p, ObjKind::LxVal, 40, 0, [&r](TLxVal& v) {
        v.DevAddrCode = r.Code("D100", true);
        v.RefStation = 2;
        v.RefLink = 1;
    });
    r.Add<TLxDevBmp>(p, ObjKind::LxDevBmp, 80, 0, At<TLxDevBmp>(r, "X3", false));
    r.Add<TVrgBmp>(p, ObjKind::VrgBmp, 100, 0, At<TVrgBmp>(r, "D101", true));
    AddPicture(r, p, 120, 0);
    r.Add<TActBmp>(p, ObjKind::ActBmp, 140, 0, [&r](TActBmp& a) {
        a.StateMode = 0x10;
        a.SetStateNum(3);
        a.DevAddrCode = r.Code("D102", true);
    });
    r.Add<TLxObj>(p, ObjKind::Scale, 160, 0);
    r.Add<TLxObj>(p, ObjKind::ProgBar, 0, 20,
                  [&r](TLxObj& o) { dynamic_cast<TLxDevRef&>(o).DevAddrCode = r.Code("D103", true); });
    r.Add<TLxObj>(p, ObjKind::CirMeter, 30, 20,
                  [&r](TLxObj& o) { dynamic_cast<TLxDevRef&>(o).DevAddrCode = r.Code("D104", true); });
    r.Add<TMsgTxt>(p, ObjKind::MsgTxt, 70, 20, [&r](TMsgTxt& m) {
        m.StateMode = 0x00;
        m.DevAddrCode = r.Code("M5", false);
    });
    r.Add<TLxBtn>(p, ObjKind::LxBtn, 100, 20, [&r](TLxBtn& b) {
        b.BtnType = kes::BtnType::Alternate;
        b.WriteDev.DevAddrCode = r.Code("M6", false);
        b.ReadDev.DevAddrCode = r.Code("M7", false);
        b.ReadUsed = 1;
        b.NotifyDev.DevAddrCode = r.Code("M8", false);
        b.NotifyUsed = 1;
    });
    r.Add<TLxCurve>(p, ObjKind::LxCurve, 130, 20, At<TLxCurve>(r, "D105", true));
    r.Add<TLxXyCurve>(p, ObjKind::LxXyCurve, 0, 40, At<TLxXyCurve>(r, "D106", true));
    r.Add<TRtc>(p, ObjKind::Rtc, 40, 40, [&r](TRtc& c) {
        c.RtcFormat = 0x10;
        c.DevAddrCode = r.Code("D107", true);
    });
    r.Add<TGeom>(p, ObjKind::Geom, 0, 0, [](TGeom& g) { g.ObjGeomSet(GeomRect, {}, 0, 0, 191 * 4, 63 * 4); });
    r.Add<TLight>(p, ObjKind::Light, 90, 40, At<TLight>(r, "Y2", false));
    r.Add<TLxObj>(p, ObjKind::Metrol, 110, 40);
    r.Add<TLxGetVal>(p, ObjKind::LxGetVal, 130, 40, [&r](TLxGetVal& v) {
        v.WriteDev.DevAddrCode = r.Code("D108", true);
        v.ReadDev.DevAddrCode = r.Code("D109", true);
        v.ReadUsed = 1;
        v.NotifyDev.DevAddrCode = r.Code("M9", false);
        v.NotifyUsed = 1;
    });
    r.Add<TLxAdvDevBmp>(p, ObjKind::LxAdvDevBmp, 170, 40, [&r](TLxAdvDevBmp& b) {
        b.ValMode = 0x10;
        b.DevAddrCode = r.Code("D110", true);
    });

    PgJmpRec* bit = p.AddPgJump(r.doc());
    bit->Ref.DevAddrCode = r.Code("X1", false);
    bit->OnOff = 1;
    bit->TargetPage = 1;
    PgJmpRec* value = p.AddPgJump(r.doc());
    value->Ref.DevAddrCode = r.Code("D10", true);
    value->Kind = 0x10;
    value->Operator = 1;
    value->CompareValue = 100;
    value->TargetPage = 2;
    PgFunKeyRec& key = p.PgFunKeys[3];
    key.ButtonType = kes::BtnType::SetOn;
    key.Write.DevAddrCode = r.Code("M30", false);
    p.PgFunKeyUsed[3] = 1;
    p.PgSysRecs[0].Ref.DevAddrCode = r.Code("M20", false);
    p.PgHide.Hide = 1;
    p.PgNumWrite.Ref.DevAddrCode = r.Code("D30", true);
}

} // namespace

void BuildPlant(ReportProject& r, int mainPages)
{
    ProjectDoc& d = r.doc();
    PgJmpRec* sys = d.AddSysPgJump();
    sys->Ref.DevAddrCode = r.Code("D40", true);
    sys->Kind = 0x10;
    sys->CompareValue = 5;
    sys->TargetPage = 1;
    d.SysFunKeys[0].ButtonType = kes::BtnType::SetOn;
    d.SysFunKeys[0].Write.DevAddrCode = r.Code("M40", false);
    d.SysFunKeyUsed[0] = 1;
    d.SysBuzzer.Ref.DevAddrCode = r.Code("Y10", false);
    d.SysClockWrite.Ref.DevAddrCode = r.Code("D50", true);
    d.PowerOnMacro.Ref.DevAddrCode = r.Code("D60", true);
    d.PowerOnMacro.Kind = 0x10;

    for (int i = 0; i < mainPages; ++i) {
        const std::unique_ptr<PageData> main = r.NewPage();
        FillMain(r, *main);
        r.StorePage(*main, i == 0 ? "Main" : "Main " + std::to_string(i));
        if (i == 0) {
            const std::unique_ptr<PageData> empty = r.NewPage();
            r.StorePage(*empty, "");
            const std::unique_ptr<PageData> alarms = r.NewPage();
            r.Add<TLxBtn>(*alarms, ObjKind::LxBtn, 10, 10, [&r](TLxBtn& b) {
                b.BtnType = kes::BtnType::SetOff;
                b.WriteDev.DevAddrCode = r.Code("M50", false);
            });
            for (int j = 0; j < kMaxPgJumps; ++j) {
                PgJmpRec* jump = alarms->AddPgJump(d);
                jump->Ref.DevAddrCode = r.Code("M60", false);
                jump->OnOff = static_cast<std::uint8_t>(j % 2);
                jump->TargetPage = j;
            }
            r.StorePage(*alarms, "Alarms");
        }
    }

    const std::unique_ptr<PageData> start = r.NewPage();
    r.Add<TStTxt>(*start, ObjKind::StTxt, 10, 10,
                  [](TStTxt& t) { t.SetStatic_Txt({"Welcome"}, t.Picture.Canvas()->Font); });
    AddPicture(r, *start, 80, 30);
    r.Add<TGeom>(*start, ObjKind::Geom, 0, 0, [](TGeom& g) { g.ObjGeomSet(GeomRect, {}, 8, 8, 400, 240); });
    r.StoreStartScreen(*start);
}

int PdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

std::vector<PdfImage> PdfImages(const QString& path)
{
    std::vector<PdfImage> images;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return images;
    const QByteArray pdf = f.readAll();
    // An object's dictionary, then "stream" and its bytes; Qt writes the length as a number.
    static const QRegularExpression object(
        QStringLiteral("<<((?:(?!<<|>>).)*/Subtype\\s*/Image(?:(?!<<|>>).)*)>>\\s*stream\\r?\\n"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString text = QString::fromLatin1(pdf);
    auto value = [](const QString& dict, const char* key) {
        const QRegularExpression re(QStringLiteral("/%1\\s*/?([A-Za-z0-9]+)").arg(QLatin1String(key)));
        const QRegularExpressionMatch m = re.match(dict);
        return m.hasMatch() ? m.captured(1) : QString();
    };
    for (auto it = object.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString dict = m.captured(1);
        PdfImage image;
        image.Filter = value(dict, "Filter");
        image.ColorSpace = value(dict, "ColorSpace");
        image.Bits = value(dict, "BitsPerComponent").toInt();
        const int width = value(dict, "Width").toInt();
        const int height = value(dict, "Height").toInt();
        // The length may be another object's: the stream runs to "endstream".
        const qsizetype start = m.capturedEnd();
        const qsizetype end = pdf.indexOf("endstream", start);
        const qsizetype length = end - start;
        if (end < 0 || width <= 0 || height <= 0) {
            images.push_back(image);
            continue;
        }
        QByteArray data = pdf.mid(start, length);
        if (image.Filter == QLatin1String("FlateDecode")) {
            QByteArray out(static_cast<qsizetype>(width) * height * 4 + 16, '\0');
            uLongf outLen = static_cast<uLongf>(out.size());
            if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outLen,
                           reinterpret_cast<const Bytef*>(data.constData()), static_cast<uLong>(data.size())) != Z_OK) {
                images.push_back(image);
                continue;
            }
            data = out.left(static_cast<qsizetype>(outLen));
        } else if (!image.Filter.isEmpty()) {
            images.push_back(image);
            continue;
        }
        const int channels = image.ColorSpace == QLatin1String("DeviceRGB") ? 3 : 1;
        const qsizetype rowBytes = (static_cast<qsizetype>(width) * channels * image.Bits + 7) / 8;
        if (data.size() < rowBytes * height || (image.Bits != 8 && image.Bits != 1)) {
            images.push_back(image);
            continue;
        }
        QImage pixels(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uchar*>(data.constData()) + y * rowBytes;
            for (int x = 0; x < width; ++x) {
                if (image.Bits == 1) {
                    const int v = (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
                    pixels.setPixel(x, y, qRgb(v, v, v));
                } else if (channels == 3) {
                    pixels.setPixel(x, y, qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
                } else {
                    pixels.setPixel(x, y, qRgb(row[x], row[x], row[x]));
                }
            }
        }
        image.Pixels = pixels;
        images.push_back(image);
    }
    return images;
}

} // namespace kes::test
