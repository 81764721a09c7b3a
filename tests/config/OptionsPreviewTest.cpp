// The options preview: what is hidden, where text, rule and apples land, and
// which colours are used.
#include "config/OptionsPreview.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

CQuestion Make(const char* a, const char* sign, const char* b, const char* result, bool algebra = false,
    int vertical = 0, const char* remainder = "")
{
    CQuestion q;
    q.operand1 = QString::fromUtf8(a);
    q.operatorSign = QString::fromUtf8(sign);
    q.operand2 = QString::fromUtf8(b);
    q.result = QString::fromUtf8(result);
    q.remainder = QString::fromUtf8(remainder);
    q.algebra = algebra;
    q.vertical = vertical;
    return q;
}

// Bounding box of the pixels that are not white, within the given rows.
QRect InkBox(const QImage& image, int top = 0, int bottom = -1)
{
    if (bottom < 0)
        bottom = image.height() - 1;
    QRect box;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QImage SolidApple()
{
    QImage apple(26, 32, QImage::Format_RGB32);
    apple.fill(QColor(200, 0, 0));
    return apple;
}

} // namespace

TEST(OptionsPreview, HidesTheUnknownButKeepsDecimalPoints)
{
    CQuestion shown = COptionsPreview::HideUnknown(Make("3", "+", "4", "7"), OpAddition);
    EXPECT_EQ(COptionsPreview::OneLineText(shown, OpAddition), QStringLiteral("3 + 4 = ?"));

    shown = COptionsPreview::HideUnknown(Make("3", "+", "14", "17", true), OpAddition);
    EXPECT_EQ(COptionsPreview::OneLineText(shown, OpAddition), QStringLiteral("3 + ?? = 17"));

    shown = COptionsPreview::HideUnknown(Make("2.5", "x", "0.5", "1.25"), OpMultiplication);
    EXPECT_EQ(shown.result, QStringLiteral("?.??"));
    shown = COptionsPreview::HideUnknown(Make("1", "-", "6", "-5"), OpSubtraction);
    EXPECT_EQ(shown.result, QStringLiteral("??"));

    // Division hides quotient and remainder, joined by " R ".
    shown = COptionsPreview::HideUnknown(Make("37", "/", "15", "2", false, 0, "7"), OpDivision);
    EXPECT_EQ(COptionsPreview::OneLineText(shown, OpDivision), QStringLiteral("37 / 15 = ? R ?"));
    // In algebra style only the divisor is hidden; the remainder stays readable.
    shown = COptionsPreview::HideUnknown(Make("37", "/", "15", "2", true, 0, "7"), OpDivision);
    EXPECT_EQ(COptionsPreview::OneLineText(shown, OpDivision), QStringLiteral("37 / ?? = 2 R 7"));
}

TEST(OptionsPreview, TextIsBlueOrLightGreyOnWhite)
{
    const QSize canvas(200, 110);
    for (const bool greyed : { false, true }) {
        const QImage image = COptionsPreview::Render(Make("3", "+", "4", "7"), OpAddition, canvas, greyed);
        ASSERT_EQ(image.size(), canvas);
        const QColor full = greyed ? COptionsPreview::GreyedColor : COptionsPreview::TextColor;
        int fullPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == full)
                    ++fullPixels;
                // Anti-aliased edges blend the text colour with white, nothing else.
                if (greyed) {
                    EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue() && c.red() >= 200)
                        << x << "," << y;
                } else {
                    EXPECT_TRUE(c.red() == c.green() && c.blue() == 255) << x << "," << y;
                }
            }
        }
        EXPECT_GT(fullPixels, 20) << "greyed " << greyed;
    }
}

TEST(OptionsPreview, OneLineTextIsCentredWithItsTopAtTwenty)
{
    const QSize canvas(251, 110);
    const CQuestion q = Make("12", "x", "34", "408");
    const QImage image = COptionsPreview::Render(q, OpMultiplication, canvas, false);
    const QRect ink = InkBox(image);
    const QFontMetrics metrics(COptionsPreview::Font());
    const int width = metrics.horizontalAdvance(QStringLiteral("12 x 34 = ???"));
    const int left = (canvas.width() - width) / 2;
    // Glyph side bearings leave a pixel or two between the advance box and the ink.
    EXPECT_NEAR(ink.left(), left, 2);
    EXPECT_NEAR(ink.right(), left + width - 1, 2);
    EXPECT_GE(ink.top(), COptionsPreview::kLineTop);
    EXPECT_LT(ink.bottom(), COptionsPreview::kLineTop + metrics.height());
    // Division is always drawn in one line, even when the question says columns.
    const QImage division
        = COptionsPreview::Render(Make("12", "/", "4", "3", false, 1), OpDivision, canvas, false);
    EXPECT_LT(InkBox(division).bottom(), COptionsPreview::kLineTop + metrics.height());
}

TEST(OptionsPreview, ColumnFormRightAlignsAtTwoThirdsWithTheRuleBelow)
{
    const QSize canvas(240, 112);
    const QImage image
        = COptionsPreview::Render(Make("123", "+", "45", "168", false, 1), OpAddition, canvas, false);
    const QFontMetrics metrics(COptionsPreview::Font());
    const int xr = 2 * canvas.width() / 3;
    const int n = metrics.horizontalAdvance(QStringLiteral("123"));
    const int ruleY = metrics.height() + 50;

    // The three numbers end at xr.
    EXPECT_NEAR(InkBox(image, 20, 20 + metrics.height() - 1).right(), xr - 1, 2);
    const QRect result = InkBox(image, 80, 80 + metrics.height() - 1);
    EXPECT_NEAR(result.right(), xr - 1, 2);
    // Rule: two rows, from xr - N - 10 up to but not including xr + 10.
    for (const int y : { ruleY - 1, ruleY }) {
        EXPECT_EQ(image.pixelColor(xr - n - 10, y), COptionsPreview::TextColor);
        EXPECT_EQ(image.pixelColor(xr + 9, y), COptionsPreview::TextColor);
        EXPECT_EQ(image.pixelColor(xr + 10, y), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(xr - n - 11, y), QColor(Qt::white));
    }
    EXPECT_EQ(image.pixelColor(xr, ruleY + 1), QColor(Qt::white));
    // The sign ends 20 pixels left of the widest number, on the second row.
    const QRect sign = InkBox(image, 40, 40 + metrics.height() - 1);
    EXPECT_NEAR(sign.left(), xr - n - 20 - metrics.horizontalAdvance(QStringLiteral("+")), 2);
}

TEST(OptionsPreview, MultiplicationColumnShiftsResultSignAndRuleByHalfTheDecimals)
{
    const QSize canvas(240, 112);
    const QFontMetrics metrics(COptionsPreview::Font());
    const int xr = 3 * canvas.width() / 4;
    const int ruleY = metrics.height() + 50;
    const int digit = metrics.horizontalAdvance(QStringLiteral("2"));

    // "12.345": k = (6 - 2) / 2 = 2 digit widths.
    const QImage shifted = COptionsPreview::Render(
        Make("2.5", "x", "4.938", "12.345", false, 1), OpMultiplication, canvas, false);
    const int s = 2 * digit;
    EXPECT_EQ(shifted.pixelColor(xr + s + 9, ruleY), COptionsPreview::TextColor);
    EXPECT_EQ(shifted.pixelColor(xr + s + 10, ruleY), QColor(Qt::white));
    EXPECT_NEAR(InkBox(shifted, 80, 80 + metrics.height() - 1).right(), xr + s - 1, 2);
    // The factors stay at 3W/4.
    EXPECT_NEAR(InkBox(shifted, 20, 20 + metrics.height() - 1).right(), xr - 1, 2);

    // A whole-number product is not shifted.
    const QImage plain
        = COptionsPreview::Render(Make("12", "x", "34", "408", false, 1), OpMultiplication, canvas, false);
    EXPECT_EQ(plain.pixelColor(xr + 9, ruleY), COptionsPreview::TextColor);
    EXPECT_EQ(plain.pixelColor(xr + 10, ruleY), QColor(Qt::white));
    // Addition never shifts, whatever its result looks like.
    const QImage addition
        = COptionsPreview::Render(Make("2.5", "+", "9.845", "12.345", false, 1), OpAddition, canvas, false);
    EXPECT_EQ(addition.pixelColor(2 * canvas.width() / 3 + 10, ruleY), QColor(Qt::white));
    EXPECT_EQ(addition.pixelColor(2 * canvas.width() / 3 + 9, ruleY), COptionsPreview::TextColor);
}

TEST(OptionsPreview, ApplesFillTwoRowsCentredAndKeepTheirColours)
{
    const QSize canvas(127, 112); // 4 apples of 26 fit, 23 pixels left over
    const QColor red(200, 0, 0);
    CQuestion q = Make("3", "+", "4", "7");
    q.manipulatives = true;
    for (const bool greyed : { false, true }) {
        const QImage image = COptionsPreview::Render(q, OpSubtraction, canvas, greyed, SolidApple());
        const int x0 = 11;
        const int bottom = canvas.height() - 1;
        const int upper = canvas.height() - 33;
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(image.pixelColor(x0 + 26 * j, bottom), red) << j;
            EXPECT_EQ(image.pixelColor(x0 + 26 * j + 25, canvas.height() - 32), red) << j;
        }
        EXPECT_EQ(image.pixelColor(x0 - 1, bottom), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(x0 + 4 * 26, bottom), QColor(Qt::white));
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(image.pixelColor(x0 + 26 * j, upper), red) << j;
        EXPECT_EQ(image.pixelColor(x0 + 3 * 26, upper), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(x0 - 1, upper), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(x0, canvas.height() - 65), QColor(Qt::white));
    }
    // No apples without the counting aid, nor on the multiplication page.
    q.manipulatives = false;
    EXPECT_EQ(COptionsPreview::Render(q, OpAddition, canvas, false, SolidApple()).pixelColor(11, 111),
        QColor(Qt::white));
    q.manipulatives = true;
    EXPECT_EQ(COptionsPreview::Render(q, OpMultiplication, canvas, false, SolidApple()).pixelColor(11, 111),
        QColor(Qt::white));
}

TEST(OptionsPreview, ShippedApplePictureHasItsSize)
{
    const QImage apple = COptionsPreview::ApplePicture();
    ASSERT_FALSE(apple.isNull());
    EXPECT_EQ(apple.size(), QSize(26, 32));
}

TEST(OptionsPreview, SetWithoutOperatorDrawsOnlyTheEqualsSign)
{
    CParameterSet set;
    set.SetString(ParamKey::Operator, "addition");
    const QImage image = COptionsPreview::RenderSample(set, OpAddition, QSize(200, 100), false);
    const QRect ink = InkBox(image);
    const QFontMetrics metrics(COptionsPreview::Font());
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.width(), metrics.horizontalAdvance(QStringLiteral("=")));
}
