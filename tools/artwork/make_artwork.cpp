// Draws the program's own splash picture and icon: a monochrome panel showing the product
// name on a dark background. Run through tools/gen-artwork.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// A 5 x 7 dot font for the letters the pictures use, one string per row, '#' = dot.
struct Glyph {
    char c;
    const char* rows[7];
};
const Glyph kGlyphs[] = {
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
};

const Glyph* Find(char c)
{
    for (const Glyph& g : kGlyphs)
        if (g.c == c)
            return &g;
    return nullptr;
}

// Dots of a word drawn as squares of `dot` pixels with a gap, at (x, y).
void DotText(QPainter& p, const char* text, int x, int y, int dot, int gap, const QColor& on)
{
    for (const char* c = text; *c; ++c, x += 6 * (dot + gap)) {
        const Glyph* g = Find(*c);
        if (!g)
            continue;
        for (int r = 0; r < 7; ++r)
            for (int col = 0; col < 5; ++col)
                if (g->rows[r][col] == '#')
                    p.fillRect(x + col * (dot + gap), y + r * (dot + gap), dot, dot, on);
    }
}

// The panel: a grey bezel with a pale LCD window.
void Panel(QPainter& p, const QRectF& r, qreal radius)
{
    QLinearGradient bezel(r.topLeft(), r.bottomLeft());
    bezel.setColorAt(0, QColor(0x9a, 0xa3, 0xad));
    bezel.setColorAt(1, QColor(0x4d, 0x55, 0x5e));
    p.setPen(QPen(QColor(0x22, 0x26, 0x2b), std::max<qreal>(1, r.width() / 60)));
    p.setBrush(bezel);
    p.drawRoundedRect(r, radius, radius);
}

QImage Splash()
{
    QImage img(600, 460, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 460);
    bg.setColorAt(0, QColor(0x10, 0x2a, 0x43));
    bg.setColorAt(1, QColor(0x05, 0x0c, 0x18));
    p.fillRect(img.rect(), bg);
    // Faint grid of panel dots over the background.
    for (int y = 10; y < 460; y += 20)
        for (int x = 10; x < 600; x += 20)
            p.fillRect(x, y, 2, 2, QColor(0x25, 0x45, 0x66));

    const QRectF bezel(80, 70, 440, 250);
    Panel(p, bezel, 18);
    const QRectF lcd(112, 100, 376, 150);
    p.setPen(QPen(QColor(0x1b, 0x22, 0x1b), 3));
    p.setBrush(QColor(0xb9, 0xc9, 0x8a));
    p.drawRect(lcd);
    p.setRenderHint(QPainter::Antialiasing, false);
    DotText(p, "KESTROVA", 157, 150, 5, 1, QColor(0x20, 0x2a, 0x1c));
    // Four function keys under the window.
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(0x22, 0x26, 0x2b), 2));
        p.setBrush(QColor(0xd8, 0xdc, 0xe0));
        p.drawRoundedRect(QRectF(140 + i * 85, 268, 60, 30), 6, 6);
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(20);
    p.setFont(f);
    p.setPen(QColor(0xc8, 0xd6, 0xe6));
    p.drawText(QRect(0, 340, 600, 30), Qt::AlignHCenter, QStringLiteral("Operator panel design"));
    p.end();
    return img;
}

QImage Icon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = size / 16.0;
    Panel(p, QRectF(0.5 * m, 1.5 * m, 15 * m, 13 * m), 2.5 * m);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb9, 0xc9, 0x8a));
    const QRectF lcd(2.5 * m, 3.5 * m, 11 * m, 8 * m);
    p.drawRect(lcd);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int dot = std::max(1, size / 16);
    const int w = 5 * dot, h = 7 * dot;
    DotText(p, "K", int(lcd.center().x() - w / 2.0), int(lcd.center().y() - h / 2.0), dot, 0, QColor(0x20, 0x2a, 0x1c));
    p.end();
    return img;
}

void Put16(std::vector<std::uint8_t>& b, unsigned v)
{
    b.push_back(v & 0xff);
    b.push_back((v >> 8) & 0xff);
}
void Put32(std::vector<std::uint8_t>& b, unsigned v)
{
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

// An icon file of 32-bit device-independent bitmaps, one per size.
//   0  u16 0, u16 1 (icon), u16 count
//   6  16 bytes per image: width, height, colours 0, 0, u16 planes 1, u16 bits 32, u32 size, u32 offset
//  then per image: BITMAPINFOHEADER (height doubled), BGRA rows bottom-up, AND mask rows of 32-bit units
std::vector<std::uint8_t> IcoFile(const std::vector<QImage>& images)
{
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const QImage& img : images) {
        std::vector<std::uint8_t> d;
        const int s = img.width();
        const int maskStride = ((s + 31) / 32) * 4;
        Put32(d, 40);
        Put32(d, s);
        Put32(d, 2 * s);
        Put16(d, 1);
        Put16(d, 32);
        Put32(d, 0);
        Put32(d, s * s * 4 + maskStride * s);
        Put32(d, 0);
        Put32(d, 0);
        Put32(d, 0);
        Put32(d, 0);
        for (int y = s - 1; y >= 0; --y)
            for (int x = 0; x < s; ++x) {
                const QRgb c = img.pixel(x, y);
                d.push_back(qBlue(c));
                d.push_back(qGreen(c));
                d.push_back(qRed(c));
                d.push_back(qAlpha(c));
            }
        d.insert(d.end(), std::size_t(maskStride) * s, 0);
        dibs.push_back(std::move(d));
    }
    std::vector<std::uint8_t> f;
    Put16(f, 0);
    Put16(f, 1);
    Put16(f, unsigned(images.size()));
    unsigned offset = 6 + 16 * unsigned(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int s = images[i].width();
        f.push_back(s >= 256 ? 0 : s);
        f.push_back(s >= 256 ? 0 : s);
        f.push_back(0);
        f.push_back(0);
        Put16(f, 1);
        Put16(f, 32);
        Put32(f, unsigned(dibs[i].size()));
        Put32(f, offset);
        offset += unsigned(dibs[i].size());
    }
    for (const auto& d : dibs)
        f.insert(f.end(), d.begin(), d.end());
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_artwork SPLASH.jpg ICON.ico DESKTOP-ICON.png\n");
        return 2;
    }
    if (!Splash().save(QString::fromLocal8Bit(argv[1]), "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> ico = IcoFile({Icon(16), Icon(32), Icon(48)});
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(ico.data(), 1, ico.size(), f) != ico.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::fclose(f);
    // The desktop menu's icon is the largest one.
    if (!Icon(48).save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
