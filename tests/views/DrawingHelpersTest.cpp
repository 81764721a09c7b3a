// Resources, back buffer and background painting.
#include "views/BackgroundPainter.h"
#include "views/OffscreenBitmap.h"
#include "views/PngIconEngine.h"
#include "views/PngResource.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QImage paintBackground(int w, int h, bool hint)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::white);
    CBackgroundPainter painter;
    painter.SetHintFlag(hint);
    QPainter p(&img);
    painter.Paint(p, w, h);
    return img;
}

bool isWhite(QRgb c)
{
    return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250;
}

} // namespace

TEST(PngResource, ImagesHaveTheirSizesAndTransparentSurroundings)
{
    struct Expect
    {
        int id, w, h;
    };
    for (const Expect& e : { Expect { 143, 388, 54 }, Expect { 146, 38, 46 }, Expect { 150, 190, 33 },
             Expect { 151, 190, 78 }, Expect { 132, 26, 32 } }) {
        const QImage img = LoadPngResource(e.id);
        ASSERT_FALSE(img.isNull()) << e.id;
        EXPECT_EQ(img.size(), QSize(e.w, e.h)) << e.id;
        EXPECT_EQ(img.format(), QImage::Format_ARGB32) << e.id;
        // Hit tests read alpha: the corners are outside every shape.
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << e.id;
        EXPECT_EQ(qAlpha(img.pixel(e.w - 1, 0)), 0) << e.id;
    }
    // An apple pulled out of the bowl is grabbed at its centre.
    const QImage apple = LoadPngResource(146);
    EXPECT_EQ(qAlpha(apple.pixel(19, 23)), 255);
}

TEST(PngResource, TitleIsLightGreyAtMostSixtyPercentOpaque)
{
    const QImage title = LoadPngResource(143);
    ASSERT_FALSE(title.isNull());
    int maxAlpha = 0;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x) {
            const QRgb c = title.pixel(x, y);
            maxAlpha = std::max(maxAlpha, qAlpha(c));
            if (qAlpha(c) > 100)
                ASSERT_NEAR(qRed(c), 220, 3) << x << "," << y;
        }
    EXPECT_LE(maxAlpha, 153);
    EXPECT_GT(maxAlpha, 100);
}

TEST(PngResource, UnknownIdGivesNullImageAndIcon)
{
    EXPECT_TRUE(LoadPngResource(9999).isNull());
    EXPECT_TRUE(LoadIconResource(9999).isNull());
}

TEST(PngResource, IconsExistForStripAndApplication)
{
    for (int id : { 136, 137, 138, 139, 140, 141 }) {
        const QIcon icon = LoadIconResource(id);
        ASSERT_FALSE(icon.isNull()) << id;
        EXPECT_EQ(icon.availableSizes().value(0), QSize(32, 32)) << id;
    }
    const QIcon app = LoadIconResource(128);
    EXPECT_GE(app.availableSizes().size(), 5);
    EXPECT_TRUE(app.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(app.availableSizes().contains(QSize(256, 256)));
}

// A strip icon decodes only the file that serves the size drawn: the smallest
// at least as large, else the largest; its pixels are the file's own.
TEST(PngIconEngine, DecodesOnlyTheFileServingTheSizeDrawn)
{
    const QString base = QStringLiteral(":/icons/137");
    const QStringList paths { base + QStringLiteral(".png"), base + QStringLiteral("-64.png"),
        base + QStringLiteral("-96.png"), base + QStringLiteral("-128.png"),
        QStringLiteral(":/icons/none.png") };
    auto* engine = new CPngIconEngine(paths);
    const QIcon icon(engine); // owns the engine
    EXPECT_EQ(icon.availableSizes(),
        (QList<QSize> { QSize(32, 32), QSize(64, 64), QSize(96, 96), QSize(128, 128) }));
    EXPECT_EQ(engine->DecodedCount(), 0);

    const struct
    {
        int asked;
        const char* file;
        int served;
    } cases[] = { { 24, ".png", 24 }, { 32, ".png", 32 }, { 48, "-64.png", 48 }, { 64, "-64.png", 64 },
        { 90, "-96.png", 90 }, { 128, "-128.png", 128 }, { 200, "-128.png", 128 } };
    for (const auto& c : cases) {
        const QPixmap drawn = icon.pixmap(QSize(c.asked, c.asked), 1.0);
        EXPECT_EQ(drawn.size(), QSize(c.served, c.served)) << c.asked;
        EXPECT_EQ(icon.actualSize(QSize(c.asked, c.asked)), QSize(c.served, c.served)) << c.asked;
        // At a file's own size, the file's own pixels (a smaller size is that
        // file scaled down by Qt).
        const QImage file(base + QLatin1String(c.file), "PNG");
        if (file.width() == c.served)
            EXPECT_EQ(drawn.toImage().convertToFormat(QImage::Format_ARGB32),
                file.convertToFormat(QImage::Format_ARGB32))
                << c.asked;
    }
    EXPECT_EQ(engine->DecodedCount(), 4);

    // At device pixel ratio 2 a 64-point icon is drawn from the 128 file.
    auto* fresh = new CPngIconEngine(paths);
    const QIcon sharp(fresh);
    const QPixmap hi = sharp.pixmap(QSize(64, 64), 2.0);
    EXPECT_EQ(hi.size(), QSize(128, 128));
    EXPECT_EQ(hi.devicePixelRatio(), 2.0);
    EXPECT_EQ(fresh->DecodedCount(), 1);

    // A disabled button's icon is drawn from the same file, greyed.
    const QImage normal = sharp.pixmap(QSize(64, 64), 1.0).toImage();
    const QImage disabled = sharp.pixmap(QSize(64, 64), 1.0, QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.size(), normal.size());
    EXPECT_NE(disabled.convertToFormat(QImage::Format_ARGB32), normal.convertToFormat(QImage::Format_ARGB32));
}

TEST(PngResource, WaveResourcesAreEmbedded)
{
    for (const char* name : { ":/wave/147.wav", ":/wave/148.wav" }) {
        QFile f(QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(f.read(4) == "RIFF") << name;
    }
}

TEST(OffscreenBitmap, GrowsButNeverShrinks)
{
    COffscreenBitmap buffer;
    EXPECT_EQ(buffer.Width(), 1);
    EXPECT_EQ(buffer.Height(), 1);
    buffer.EnsureSize(300, 200);
    EXPECT_EQ(buffer.Width(), 300);
    EXPECT_EQ(buffer.Height(), 200);
    const uchar* bits = buffer.Image().constBits();
    buffer.EnsureSize(100, 50); // smaller: same buffer
    EXPECT_EQ(buffer.Width(), 300);
    EXPECT_EQ(buffer.Image().constBits(), bits);
    buffer.EnsureSize(300, 201); // taller only: new buffer of exactly that size
    EXPECT_EQ(buffer.Width(), 300);
    EXPECT_EQ(buffer.Height(), 201);
    buffer.EnsureSize(0, 0);
    EXPECT_EQ(buffer.Height(), 201);
}

TEST(BackgroundPainter, GridLinesEveryFiftyPixelsFadingDownwards)
{
    const QImage img = paintBackground(260, 120, false);
    // Two horizontal lines at 50 and 100 in a window 120 high; none between.
    EXPECT_FALSE(isWhite(img.pixel(20, 50)));
    EXPECT_FALSE(isWhite(img.pixel(20, 100)));
    EXPECT_TRUE(isWhite(img.pixel(20, 75)));
    EXPECT_TRUE(isWhite(img.pixel(20, 115)));
    for (int x : { 50, 100, 150, 200, 250 })
        EXPECT_FALSE(isWhite(img.pixel(x, 10))) << x;
    EXPECT_TRUE(isWhite(img.pixel(75, 10)));
    // Fading: the same vertical line is lighter (closer to white) lower down.
    EXPECT_GT(qRed(img.pixel(50, 110)), qRed(img.pixel(50, 5)));
}

TEST(BackgroundPainter, TitleCentredAndClippedEvenly)
{
    const QImage title = LoadPngResource(143);
    ASSERT_FALSE(title.isNull());
    // Compare against the title drawn by hand at the expected spot.
    for (QSize size : { QSize(600, 300), QSize(200, 40) }) {
        QImage expected(size, QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.drawImage(QPoint((size.width() - 388) / 2, (size.height() - 54) / 2), title);
        }
        const QImage got = paintBackground(size.width(), size.height(), false);
        // Away from grid lines the pixels match exactly.
        int compared = 0, differing = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                if (x % 50 <= 2 || x % 50 >= 48 || y % 50 <= 2 || y % 50 >= 48)
                    continue;
                ++compared;
                differing += got.pixel(x, y) != expected.pixel(x, y);
            }
        EXPECT_GT(compared, 1000);
        EXPECT_EQ(differing, 0) << size.width();
    }
}

TEST(BackgroundPainter, HintLineOnlyWhenFlagSetJustBelowTitle)
{
    const int w = 800, h = 400;
    const QImage plain = paintBackground(w, h, false);
    const QImage hint = paintBackground(w, h, true);
    const int titleBottom = (h - 54) / 2 + 54;
    int firstRow = -1, lastRow = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (plain.pixel(x, y) != hint.pixel(x, y)) {
                if (firstRow < 0)
                    firstRow = y;
                lastRow = y;
            }
    ASSERT_GE(firstRow, 0) << "hint line not drawn";
    EXPECT_GE(firstRow, titleBottom);
    EXPECT_LT(firstRow, titleBottom + 10);
    EXPECT_LT(lastRow, titleBottom + 40);
}
