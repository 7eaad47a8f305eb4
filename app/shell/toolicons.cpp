#include "app/shell/toolicons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

#include <cstring>
#include <functional>

namespace kes {
namespace {

using Draw = std::function<void(QPainter&)>;

void Arrow(QPainter& p, int dx, int dy)
{
    // A filled triangle pointing along (dx, dy) in the middle of the icon.
    QPolygon t;
    if (dx)
        t << QPoint(8 + 5 * dx, 8) << QPoint(8 - 3 * dx, 3) << QPoint(8 - 3 * dx, 13);
    else
        t << QPoint(8, 8 + 5 * dy) << QPoint(3, 8 - 3 * dy) << QPoint(13, 8 - 3 * dy);
    p.setBrush(Qt::black);
    p.drawPolygon(t);
}

void Page(QPainter& p)
{
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
}

void Letters(QPainter& p, const char* text)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::strlen(text) > 2 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(text));
}

void Framed(QPainter& p, const char* text)
{
    p.drawRect(1, 2, 13, 11);
    Letters(p, text);
}

void AlignBars(QPainter& p, int mode)
{
    // Three bars of different length, aligned by mode: 0 left, 1 centre, 2 right, 3 top,
    // 4 middle, 5 bottom.
    const int len[3] = {12, 7, 10};
    p.setBrush(Qt::black);
    for (int i = 0; i < 3; ++i) {
        const int l = len[i];
        if (mode < 3) {
            const int x = mode == 0 ? 2 : mode == 1 ? 8 - l / 2 : 14 - l;
            p.drawRect(x, 3 + i * 4, l, 1);
        } else {
            const int y = mode == 3 ? 2 : mode == 4 ? 8 - l / 2 : 14 - l;
            p.drawRect(3 + i * 4, y, 1, l);
        }
    }
}

void EdgeAlign(QPainter& p, int side)
{
    // Two boxes lined up against a rule: 0 top, 1 bottom, 2 left, 3 right.
    p.setBrush(Qt::gray);
    switch (side) {
    case 0:
        p.drawLine(1, 1, 14, 1);
        p.drawRect(2, 3, 4, 8);
        p.drawRect(9, 3, 4, 5);
        break;
    case 1:
        p.drawLine(1, 14, 14, 14);
        p.drawRect(2, 4, 4, 8);
        p.drawRect(9, 7, 4, 5);
        break;
    case 2:
        p.drawLine(1, 1, 1, 14);
        p.drawRect(3, 2, 8, 4);
        p.drawRect(3, 9, 5, 4);
        break;
    default:
        p.drawLine(14, 1, 14, 14);
        p.drawRect(4, 2, 8, 4);
        p.drawRect(7, 9, 5, 4);
        break;
    }
}

Draw ForName(const char* n)
{
    auto is = [n](const char* s) { return std::strcmp(n, s) == 0; };
    if (is("TbNew"))
        return [](QPainter& p) { Page(p); };
    if (is("TbOpen"))
        return [](QPainter& p) {
            p.drawPolygon(
                QPolygon({QPoint(1, 4), QPoint(6, 4), QPoint(7, 6), QPoint(14, 6), QPoint(14, 13), QPoint(1, 13)}));
        };
    if (is("TbSave"))
        return [](QPainter& p) {
            p.drawRect(1, 1, 13, 13);
            p.fillRect(4, 2, 8, 4, Qt::black);
            p.drawRect(4, 9, 7, 5);
        };
    if (is("TbPrint"))
        return [](QPainter& p) {
            p.drawRect(4, 1, 8, 5);
            p.drawRect(1, 6, 14, 6);
            p.drawRect(4, 10, 8, 5);
        };
    if (is("TbCut"))
        return [](QPainter& p) {
            p.drawEllipse(2, 10, 4, 4);
            p.drawEllipse(10, 10, 4, 4);
            p.drawLine(5, 10, 11, 1);
            p.drawLine(11, 10, 5, 1);
        };
    if (is("TbCopy"))
        return [](QPainter& p) {
            p.drawRect(1, 1, 8, 10);
            p.setBrush(Qt::white);
            p.drawRect(6, 5, 8, 10);
        };
    if (is("TbPaste"))
        return [](QPainter& p) {
            p.drawRect(2, 2, 10, 12);
            p.fillRect(5, 1, 4, 3, Qt::black);
            p.setBrush(Qt::white);
            p.drawRect(7, 7, 7, 8);
        };
    if (is("TbDel"))
        return [](QPainter& p) {
            QPen pen(Qt::black, 2);
            p.setPen(pen);
            p.drawLine(3, 3, 12, 12);
            p.drawLine(12, 3, 3, 12);
        };
    if (is("TbUndo"))
        return [](QPainter& p) {
            p.drawArc(3, 4, 10, 9, 0, 180 * 16);
            p.translate(-5, 2);
            Arrow(p, 0, 1);
        };
    if (is("TbRedo"))
        return [](QPainter& p) {
            p.translate(16, 0);
            p.scale(-1, 1);
            p.drawArc(3, 4, 10, 9, 0, 180 * 16);
            p.translate(-5, 2);
            Arrow(p, 0, 1);
        };
    if (is("TbAddPg"))
        return [](QPainter& p) {
            Page(p);
            p.drawLine(8, 5, 8, 11);
            p.drawLine(5, 8, 11, 8);
        };
    if (is("TbViewPg"))
        return [](QPainter& p) {
            for (int y = 3; y < 14; y += 3)
                p.drawLine(2, y, 13, y);
        };
    if (is("TbPrePg") || is("TbStepLeft"))
        return [](QPainter& p) { Arrow(p, -1, 0); };
    if (is("TbNextPg") || is("TbStepRight"))
        return [](QPainter& p) { Arrow(p, 1, 0); };
    if (is("TbStepUp"))
        return [](QPainter& p) { Arrow(p, 0, -1); };
    if (is("TbStepDown"))
        return [](QPainter& p) { Arrow(p, 0, 1); };
    if (is("TbZoomIn") || is("TbZoomOut")) {
        const bool in = is("TbZoomIn");
        return [in](QPainter& p) {
            p.drawEllipse(1, 1, 10, 10);
            p.drawLine(10, 10, 14, 14);
            p.drawLine(4, 6, 8, 6);
            if (in)
                p.drawLine(6, 4, 6, 8);
        };
    }
    if (is("TbTranslate"))
        return [](QPainter& p) { Framed(p, "C"); };
    if (is("TbComWrt"))
        return [](QPainter& p) {
            p.drawRect(9, 2, 6, 12);
            Arrow(p, 1, 0);
        };
    if (is("TbComRead"))
        return [](QPainter& p) {
            p.drawRect(1, 2, 6, 12);
            Arrow(p, -1, 0);
        };
    if (is("tbPointTo"))
        return [](QPainter& p) {
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygon({QPoint(4, 1), QPoint(4, 13), QPoint(7, 10), QPoint(10, 15), QPoint(12, 14),
                                    QPoint(9, 9), QPoint(13, 9)}));
        };
    if (is("TbStTxt"))
        return [](QPainter& p) { Letters(p, "A"); };
    if (is("TbVal"))
        return [](QPainter& p) { Framed(p, "12"); };
    if (is("TbBit"))
        return [](QPainter& p) {
            p.drawEllipse(2, 2, 11, 11);
            p.setBrush(Qt::black);
            p.drawEllipse(5, 5, 5, 5);
        };
    if (is("TbValRange"))
        return [](QPainter& p) {
            p.drawRect(1, 1, 6, 6);
            p.fillRect(9, 1, 6, 6, Qt::black);
            p.fillRect(1, 9, 6, 6, Qt::black);
            p.drawRect(9, 9, 6, 6);
        };
    if (is("TbStBmp"))
        return [](QPainter& p) {
            p.drawRect(1, 2, 13, 11);
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(6, 6), QPoint(9, 10), QPoint(11, 8), QPoint(13, 12)}));
        };
    if (is("TbActBmp"))
        return [](QPainter& p) {
            p.drawRect(1, 1, 9, 9);
            p.setBrush(Qt::gray);
            p.drawRect(5, 5, 9, 9);
        };
    if (is("TbScale"))
        return [](QPainter& p) {
            p.drawLine(1, 12, 14, 12);
            for (int x = 1; x <= 14; x += 3)
                p.drawLine(x, 12, x, x % 2 ? 6 : 9);
        };
    if (is("TbProgBar"))
        return [](QPainter& p) {
            p.drawRect(1, 4, 13, 7);
            p.fillRect(2, 5, 7, 6, Qt::black);
        };
    if (is("TbCirMeter"))
        return [](QPainter& p) {
            p.drawEllipse(1, 1, 13, 13);
            p.drawLine(8, 8, 12, 4);
        };
    if (is("TbPgNum"))
        return [](QPainter& p) { Framed(p, "P#"); };
    if (is("TbMsg"))
        return [](QPainter& p) { Framed(p, "abc"); };
    if (is("TbBtn"))
        return [](QPainter& p) {
            p.setBrush(Qt::lightGray);
            p.drawRoundedRect(1, 3, 13, 9, 2, 2);
        };
    if (is("TbCurves"))
        return [](QPainter& p) {
            p.drawLine(1, 1, 1, 14);
            p.drawLine(1, 14, 14, 14);
            p.drawPolyline(QPolygon({QPoint(2, 11), QPoint(5, 5), QPoint(8, 9), QPoint(11, 3), QPoint(14, 6)}));
        };
    if (is("TbXyCurve"))
        return [](QPainter& p) {
            p.drawLine(1, 1, 1, 14);
            p.drawLine(1, 14, 14, 14);
            p.drawArc(3, 3, 14, 14, 90 * 16, 90 * 16);
        };
    if (is("TbRtc"))
        return [](QPainter& p) {
            p.drawEllipse(1, 1, 13, 13);
            p.drawLine(8, 8, 8, 3);
            p.drawLine(8, 8, 11, 10);
        };
    if (is("TbLighter"))
        return [](QPainter& p) {
            p.setBrush(Qt::yellow);
            p.drawEllipse(3, 1, 9, 9);
            p.drawRect(5, 11, 5, 3);
        };
    if (is("TbMetrol"))
        return [](QPainter& p) { Letters(p, "mm"); };
    if (is("TbInputVal"))
        return [](QPainter& p) {
            Framed(p, "12");
            p.drawLine(12, 4, 12, 11);
        };
    if (is("TbLine"))
        return [](QPainter& p) { p.drawLine(2, 13, 13, 2); };
    if (is("TbRect"))
        return [](QPainter& p) { p.drawRect(2, 3, 11, 9); };
    if (is("TbRectF"))
        return [](QPainter& p) { p.fillRect(2, 3, 12, 10, Qt::black); };
    if (is("TbCir"))
        return [](QPainter& p) { p.drawEllipse(2, 2, 11, 11); };
    if (is("TbCirF"))
        return [](QPainter& p) {
            p.setBrush(Qt::black);
            p.drawEllipse(2, 2, 11, 11);
        };
    if (is("TbCurve"))
        return [](QPainter& p) { p.drawArc(2, 2, 12, 12, 30 * 16, 200 * 16); };
    if (is("TbChord"))
        return [](QPainter& p) { p.drawChord(2, 2, 12, 12, 30 * 16, 200 * 16); };
    if (is("TbChordF"))
        return [](QPainter& p) {
            p.setBrush(Qt::black);
            p.drawChord(2, 2, 12, 12, 30 * 16, 200 * 16);
        };
    if (is("TbPie"))
        return [](QPainter& p) { p.drawPie(2, 2, 12, 12, 30 * 16, 270 * 16); };
    if (is("TbPieF"))
        return [](QPainter& p) {
            p.setBrush(Qt::black);
            p.drawPie(2, 2, 12, 12, 30 * 16, 270 * 16);
        };
    if (is("TbPoly"))
        return [](QPainter& p) {
            p.drawPolyline(QPolygon({QPoint(1, 13), QPoint(4, 3), QPoint(9, 10), QPoint(14, 2)}));
        };
    if (is("TbSLine") || is("TbDLine") || is("TbTLine")) {
        const int w = is("TbSLine") ? 1 : is("TbDLine") ? 2 : 3;
        return [w](QPainter& p) { p.fillRect(1, 8 - w / 2, 14, w, Qt::black); };
    }
    if (is("TbDot"))
        return [](QPainter& p) {
            for (int x = 1; x < 15; x += 3)
                p.fillRect(x, 8, 2, 1, Qt::black);
        };
    if (is("TbText"))
        return [](QPainter& p) { Letters(p, "T"); };
    if (is("TbBmp"))
        return ForName("TbStBmp");
    if (is("TbBmpRead"))
        return [](QPainter& p) {
            p.drawRect(1, 5, 10, 9);
            Arrow(p, 0, -1);
        };
    if (is("TbFontType"))
        return [](QPainter& p) { Letters(p, "F"); };
    if (is("TbLeftSide"))
        return [](QPainter& p) { AlignBars(p, 0); };
    if (is("TbHMid"))
        return [](QPainter& p) { AlignBars(p, 1); };
    if (is("TbRightSide"))
        return [](QPainter& p) { AlignBars(p, 2); };
    if (is("TbTopSide"))
        return [](QPainter& p) { AlignBars(p, 3); };
    if (is("TbVMid"))
        return [](QPainter& p) { AlignBars(p, 4); };
    if (is("TbBottomSide"))
        return [](QPainter& p) { AlignBars(p, 5); };
    if (is("TbSideUp"))
        return [](QPainter& p) { EdgeAlign(p, 0); };
    if (is("TbSideDown"))
        return [](QPainter& p) { EdgeAlign(p, 1); };
    if (is("TbSideLeft"))
        return [](QPainter& p) { EdgeAlign(p, 2); };
    if (is("TbSideRight"))
        return [](QPainter& p) { EdgeAlign(p, 3); };
    return {};
}

} // namespace

QIcon ToolIcon(const char* name)
{
    Draw draw = ForName(name);
    if (!draw)
        return {};
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    draw(p);
    p.end();
    // A disabled button shows its picture in light grey (the drawing keeps its shape).
    QImage grey = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = 150 + qGray(row[x]) * 90 / 255;
            row[x] = qRgba(v, v, v, qAlpha(row[x]));
        }
    }
    QIcon icon(pm);
    icon.addPixmap(QPixmap::fromImage(grey), QIcon::Disabled);
    return icon;
}

} // namespace kes
