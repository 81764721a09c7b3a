// Draws the program's images and icons with QPainter and writes them as PNG
// files. Everything is vector drawing, so a size can be regenerated crisply.
//
//   kestavo-artwork <resources folder> [contact-sheet.png]
//
// Output: png/132.png 143.png 146.png 150.png 151.png,
//         icons/136.png .. 141.png, icons/128-<size>.png,
//         and for high-density screens and the larger question sizes the same
//         drawings at 2, 3 and 4 times the pixels: png/<id>@<n>x.png (143, 146,
//         150, 151) and icons/<id>-<32n>.png (136 .. 141).
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Pixels per design pixel of the images being drawn. The drawings keep their
// design coordinates: the image's device pixel ratio scales every painter.
qreal g_resolution = 1.0;

QImage transparentImage(int w, int h)
{
    QImage img(qRound(w * g_resolution), qRound(h * g_resolution), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_resolution);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// One apple in a box of design units 38 x 46: body below, stem and leaf on top.
// The painter's transform maps the design units to pixels.
void drawApple(QPainter& p, double outline)
{
    // Body: two lobes meeting in a dimple at the top and a small one at the bottom.
    QPainterPath body;
    body.moveTo(19, 14);
    body.cubicTo(24, 9.5, 37.5, 9.5, 37.2, 24);
    body.cubicTo(37, 36, 30, 45.5, 24.5, 45.2);
    body.cubicTo(22, 45, 21, 44, 19, 44);
    body.cubicTo(17, 44, 16, 45, 13.5, 45.2);
    body.cubicTo(8, 45.5, 0.8, 36, 0.8, 24);
    body.cubicTo(0.5, 9.5, 14, 9.5, 19, 14);
    body.closeSubpath();

    // Stem behind the body's dimple.
    QPainterPath stem;
    stem.moveTo(18.2, 15);
    stem.cubicTo(18, 10, 19, 5, 21.5, 1.5);
    p.setPen(QPen(QColor(0x5d, 0x3a, 0x1a), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);

    QRadialGradient fill(QPointF(13, 20), 26, QPointF(12, 18));
    fill.setColorAt(0.0, QColor(0xff, 0x6b, 0x5a));
    fill.setColorAt(0.45, QColor(0xe5, 0x2b, 0x22));
    fill.setColorAt(1.0, QColor(0xa8, 0x12, 0x12));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x6e, 0x0b, 0x0b), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(body);

    // Shine on the upper left.
    QPainterPath shine;
    shine.moveTo(6.5, 21);
    shine.cubicTo(6.5, 16, 9.5, 14, 12.5, 14.2);
    shine.cubicTo(10, 16, 8.8, 19, 8.8, 23);
    shine.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawPath(shine);

    // Leaf to the right of the stem.
    QPainterPath leaf;
    leaf.moveTo(20.5, 6.5);
    leaf.cubicTo(24, 1.5, 31, 1.0, 34.5, 3.5);
    leaf.cubicTo(31, 8.5, 24.5, 9.5, 20.5, 6.5);
    leaf.closeSubpath();
    QLinearGradient leafFill(QPointF(21, 7), QPointF(34, 3));
    leafFill.setColorAt(0, QColor(0x2e, 0x8b, 0x2e));
    leafFill.setColorAt(1, QColor(0x6c, 0xc0, 0x3c));
    p.setBrush(leafFill);
    p.setPen(QPen(QColor(0x1d, 0x55, 0x1d), outline * 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(leaf);
}

QImage apple(int w, int h)
{
    QImage img = transparentImage(w, h);
    QPainter p(&img);
    prepare(p);
    p.scale(w / 38.0, h / 46.0);
    drawApple(p, 1.3 * 38.0 / w);
    return img;
}

// The bowl full of apples, 190 x 111, drawn in one piece and cut into the
// heap (top 78 rows) and the base (bottom 33 rows) so the two join seamlessly.
QImage bowlWithApples()
{
    QImage img = transparentImage(190, 111);
    QPainter p(&img);
    prepare(p);

    const QRectF rim(3, 66, 184, 20); // the bowl's opening, centre y 76
    const QColor woodDark(0x6b, 0x3a, 0x1a);

    // Inside of the bowl, seen over the front rim.
    QLinearGradient inside(rim.topLeft(), rim.bottomLeft());
    inside.setColorAt(0, QColor(0x8a, 0x4e, 0x22));
    inside.setColorAt(1, QColor(0x5a, 0x2f, 0x12));
    p.setBrush(inside);
    p.setPen(QPen(woodDark, 1.4));
    p.drawEllipse(rim);

    // Apples heaped from the back (top) to the front.
    struct Spot
    {
        double x, y, s;
    };
    const std::vector<Spot> heap = {
        { 58, 4, 0.92 },
        { 94, 1, 0.92 },
        { 128, 5, 0.92 },
        { 24, 24, 0.95 },
        { 59, 21, 0.95 },
        { 95, 20, 0.95 },
        { 131, 22, 0.95 },
        { 162, 26, 0.92 },
        { 11, 44, 0.95 },
        { 42, 41, 1.0 },
        { 78, 39, 1.0 },
        { 113, 40, 1.0 },
        { 148, 42, 1.0 },
    };
    for (const Spot& s : heap) {
        p.save();
        p.translate(s.x - 10, s.y);
        p.scale(s.s, s.s);
        drawApple(p, 1.3 / s.s);
        p.restore();
    }

    // Foot, then the body with its front rim.
    QLinearGradient wood(QPointF(0, 0), QPointF(190, 0));
    wood.setColorAt(0.0, QColor(0x9a, 0x55, 0x26));
    wood.setColorAt(0.35, QColor(0xe0, 0x9a, 0x55));
    wood.setColorAt(0.55, QColor(0xd6, 0x8c, 0x48));
    wood.setColorAt(1.0, QColor(0x8a, 0x4a, 0x20));
    p.setBrush(wood);
    p.setPen(QPen(woodDark, 1.4));
    p.drawRoundedRect(QRectF(58, 99, 74, 11), 3, 3);

    QPainterPath body;
    body.moveTo(rim.left(), rim.center().y());
    body.cubicTo(6, 96, 48, 103, 95, 103);
    body.cubicTo(142, 103, 184, 96, rim.right(), rim.center().y());
    body.arcTo(rim, 0, -180);
    body.closeSubpath();
    p.drawPath(body);

    // A painted band and the lip of the rim.
    QPainterPath band;
    band.moveTo(14, 88);
    band.cubicTo(50, 97, 140, 97, 176, 88);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xf6, 0xd3, 0x8e), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    p.setPen(QPen(QColor(0xf0, 0xb7, 0x72), 2.2));
    p.drawArc(rim.adjusted(1, 1, -1, -1), 0, -180 * 16);
    return img;
}

// Title: the program's name between the four operation signs, light grey,
// at most 60 % opaque, meant as a quiet watermark on the view background.
QImage title()
{
    QImage img = transparentImage(388, 54);
    QPainter p(&img);
    prepare(p);
    QFont f("Comic Neue", 10, QFont::Bold);
    f.setPixelSize(46);
    QPainterPath text;
    text.addText(0, 0, f, QStringLiteral("Kestavo"));
    QFont sf("Liberation Sans", 10, QFont::Bold);
    sf.setPixelSize(34);
    const QRectF tb = text.boundingRect();
    text.translate(194 - tb.center().x(), 27 - tb.center().y());

    QPainterPath signs;
    const QString glyphs[4] = { QStringLiteral("+"), QStringLiteral("\u2212"), QStringLiteral("\u00d7"),
        QStringLiteral("\u00f7") };
    const double xs[4] = { 22, 66, 322, 366 };
    for (int i = 0; i < 4; ++i) {
        QPainterPath g;
        g.addText(0, 0, sf, glyphs[i]);
        const QRectF gb = g.boundingRect();
        g.translate(xs[i] - gb.center().x(), 27 - gb.center().y());
        signs.addPath(g);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220, 153));
    p.drawPath(text);
    p.setBrush(QColor(220, 220, 220, 120));
    p.drawPath(signs);
    return img;
}

// ---- 32 x 32 strip icons, drawn in a 32-unit box ----

QPainterPath centredText(
    const QString& s, int pixelSize, QPointF centre, const char* family = "Liberation Sans")
{
    QFont f(family, 10, QFont::Bold);
    f.setPixelSize(pixelSize);
    QPainterPath path;
    path.addText(0, 0, f, s);
    const QRectF b = path.boundingRect();
    path.translate(centre.x() - b.center().x(), centre.y() - b.center().y());
    return path;
}

QImage iconGo()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    prepare(p);
    QRadialGradient g(QPointF(12, 10), 22);
    g.setColorAt(0, QColor(0x6f, 0xdc, 0x6f));
    g.setColorAt(1, QColor(0x15, 0x8a, 0x2a));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x0b, 0x52, 0x18), 1.5));
    p.drawEllipse(QRectF(1.25, 1.25, 29.5, 29.5));
    const QPainterPath go = centredText(QStringLiteral("GO"), 13, QPointF(16, 16.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x52, 0x18, 200));
    p.drawPath(go.translated(0.8, 0.9));
    p.setBrush(Qt::white);
    p.drawPath(go);
    return img;
}

QImage iconStop()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    prepare(p);
    QPolygonF oct;
    const double a = 9.0, b = 30.75, c = 1.25;
    oct << QPointF(a, c) << QPointF(32 - a, c) << QPointF(b, a) << QPointF(b, 32 - a) << QPointF(32 - a, b)
        << QPointF(a, b) << QPointF(c, 32 - a) << QPointF(c, a);
    QLinearGradient g(QPointF(0, 0), QPointF(0, 32));
    g.setColorAt(0, QColor(0xf2, 0x4a, 0x3c));
    g.setColorAt(1, QColor(0xb3, 0x12, 0x12));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x70, 0x08, 0x08), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(oct);
    // White inner ring, as on a road sign.
    QPolygonF inner;
    for (const QPointF& pt : oct)
        inner << QPointF(16 + (pt.x() - 16) * 0.82, 16 + (pt.y() - 16) * 0.82);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(inner);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QFont f("Liberation Sans Narrow", 10, QFont::Bold);
    if (!QFontDatabase::hasFamily(f.family()))
        f.setFamily("Liberation Sans");
    f.setPixelSize(10);
    QPainterPath path;
    path.addText(0, 0, f, QStringLiteral("STOP"));
    const QRectF b2 = path.boundingRect();
    path.translate(16 - b2.center().x(), 16 - b2.center().y());
    p.drawPath(path);
    return img;
}

QImage iconArrow(bool right)
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    prepare(p);
    if (!right) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPolygonF arrow;
    arrow << QPointF(2, 11.5) << QPointF(16, 11.5) << QPointF(16, 3.5) << QPointF(30, 16) << QPointF(16, 28.5)
          << QPointF(16, 20.5) << QPointF(2, 20.5);
    QLinearGradient g(QPointF(0, 4), QPointF(0, 28));
    g.setColorAt(0, QColor(0xff, 0xb8, 0x4d));
    g.setColorAt(1, QColor(0xe8, 0x73, 0x0c));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x8a, 0x3f, 0x00), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(arrow);
    return img;
}

QImage iconCheck()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    prepare(p);
    QPainterPath tick;
    tick.moveTo(4.5, 17);
    tick.lineTo(12.5, 25.5);
    tick.lineTo(27.5, 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3d, 0x0f, 0x57), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(QColor(0x9b, 0x4d, 0xca), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return img;
}

QImage iconQuestion()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    prepare(p);
    QPainterPath q = centredText(QStringLiteral("?"), 31, QPointF(16, 16));
    p.setPen(QPen(QColor(0x7a, 0x5a, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xd6, 0x2a));
    p.drawPath(q);
    return img;
}

// Application icon: an apple with a plus sign on the strip's blue, as a tile.
QImage appIcon(int size)
{
    QImage img = transparentImage(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 64.0, size / 64.0);
    const double px = 64.0 / size; // one output pixel in design units
    QLinearGradient g(QPointF(0, 0), QPointF(0, 64));
    g.setColorAt(0, QColor(0x5a, 0x5a, 0xff));
    g.setColorAt(1, QColor(0x2a, 0x2a, 0xd8));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x90), std::max(1.0, px)));
    const double m = std::max(0.5, px / 2);
    p.drawRoundedRect(QRectF(m, m, 64 - 2 * m, 64 - 2 * m), 12, 12);
    p.save();
    p.translate(11, 6);
    p.scale(42.0 / 38.0, 54.0 / 46.0);
    drawApple(p, std::max(1.2, px * 1.1));
    p.restore();
    if (size >= 24) {
        p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(32, 30), QPointF(32, 46));
        p.drawLine(QPointF(24, 38), QPointF(40, 38));
    }
    return img;
}

bool save(const QImage& img, const QString& path)
{
    if (!img.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Every image on a light and a dark ground, enlarged 4x, for review.
QImage contactSheet(const std::vector<QImage>& images)
{
    const int scale = 4, gap = 12;
    int w = gap, h = 0;
    for (const QImage& i : images) {
        w += i.width() * scale + gap;
        h = std::max(h, i.height() * scale);
    }
    QImage sheet(w, 2 * h + 3 * gap, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xcd, 0xdf, 0xf5));
    QPainter p(&sheet);
    p.fillRect(0, h + 2 * gap - gap / 2, w, h + gap + gap / 2, QColor(0xd4, 0xd0, 0xc8));
    int x = gap;
    for (const QImage& i : images) {
        const QImage big = i.scaled(i.size() * scale, Qt::KeepAspectRatio, Qt::FastTransformation);
        p.drawImage(x, gap, big);
        p.drawImage(x, h + 2 * gap, big);
        x += big.width() + gap;
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <resources folder> [contact-sheet.png]\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath("png");
    root.mkpath("icons");

    const QImage whole = bowlWithApples();
    const QImage heap = whole.copy(0, 0, 190, 78);
    const QImage base = whole.copy(0, 78, 190, 33);

    struct Out
    {
        QString name;
        QImage image;
    };
    std::vector<Out> outs = {
        { "png/143.png", title() },
        { "png/146.png", apple(38, 46) },
        { "png/151.png", heap },
        { "png/150.png", base },
        { "png/132.png", apple(26, 32) },
        { "icons/136.png", iconGo() },
        { "icons/138.png", iconStop() },
        { "icons/141.png", iconArrow(false) },
        { "icons/140.png", iconArrow(true) },
        { "icons/137.png", iconCheck() },
        { "icons/139.png", iconQuestion() },
    };
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        outs.push_back({ QStringLiteral("icons/128-%1.png").arg(size), appIcon(size) });

    // The same drawings with more pixels; the contact sheet shows only the plain ones.
    std::vector<Out> dense;
    for (int n : { 2, 3, 4 }) {
        g_resolution = n;
        const QImage wholeN = bowlWithApples();
        const auto name = [n](const char* id) { return QStringLiteral("png/%1@%2x.png").arg(id).arg(n); };
        dense.push_back({ name("143"), title() });
        dense.push_back({ name("146"), apple(38, 46) });
        dense.push_back({ name("151"), wholeN.copy(0, 0, 190 * n, 78 * n) });
        dense.push_back({ name("150"), wholeN.copy(0, 78 * n, 190 * n, 33 * n) });
        const auto icon = [n](int id) { return QStringLiteral("icons/%1-%2.png").arg(id).arg(32 * n); };
        dense.push_back({ icon(136), iconGo() });
        dense.push_back({ icon(138), iconStop() });
        dense.push_back({ icon(141), iconArrow(false) });
        dense.push_back({ icon(140), iconArrow(true) });
        dense.push_back({ icon(137), iconCheck() });
        dense.push_back({ icon(139), iconQuestion() });
    }
    g_resolution = 1.0;

    bool ok = true;
    std::vector<QImage> all;
    for (const Out& o : outs) {
        ok = save(o.image, root.filePath(o.name)) && ok;
        if (o.image.width() <= 256 && o.name != "icons/128-256.png" && o.name != "icons/128-128.png")
            all.push_back(o.image);
    }
    all.push_back(whole);
    for (const Out& o : dense)
        ok = save(o.image, root.filePath(o.name)) && ok;
    if (argc > 2)
        ok = contactSheet(all).save(QString::fromLocal8Bit(argv[2])) && ok;
    return ok ? 0 : 1;
}
