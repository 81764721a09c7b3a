#include "platform/locale/DecimalSeparator.h"
#include "tests/control/ControlHarness.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>

namespace {

// Screenshots of the field as the game shows it, written for review under
// <build>/screenshots/control, with the geometry and colours that are fixed.
class ValtrixRenderTest : public ControlHarness
{
protected:
    QImage Shot(const QString& name)
    {
        const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/control");
        QDir().mkpath(dir);
        image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
        return image;
    }
    void GameField(const char* answer, float factor, bool magnified)
    {
        ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
        SetAnswer(answer);
        SetStatic(false);
        ASSERT_EQ(Call(DISPID_VALTRIX_SETMAGNIFICATIONFACTOR, { CComVariant::R4(factor) }), S_OK);
        ASSERT_EQ(Call(DISPID_VALTRIX_ENABLEMAGNIFICATION, { CComVariant::Bool(magnified) }), S_OK);
        window->resize(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), Long(DISPID_VALTRIX_GETPREFERREDHEIGHT));
    }
    int CellWidth(int cells) { return (Long(DISPID_VALTRIX_GETPREFERREDWIDTH) - 1) / cells; }

    // Number of pixels inside `area` within `tolerance` of `colour` on each channel.
    static int Count(const QImage& image, const QRect& area, QRgb colour, int tolerance = 8)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qRed(colour)) <= tolerance
                    && std::abs(qGreen(p) - qGreen(colour)) <= tolerance
                    && std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                    ++count;
            }
        return count;
    }
};

TEST_F(ValtrixRenderTest, GridLinesFrameRightAlignedCellsOfTheMeasuredWidth)
{
    GameField("125", 1.5f, false);
    ASSERT_EQ(SetState("125125   0"), S_OK);
    const QImage image = Shot(QStringLiteral("arial26-plain"));
    const int cx = image.width();
    const int cy = image.height();
    const int w = CellWidth(3);
    const QRgb grid = qRgb(0xE0, 0xE0, 0xE0);
    // Vertical lines at every cell edge, the rightmost on the last column; the
    // columns between are background in the rows above the characters.
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(image.pixel(cx - 1 - k * w, 2), grid) << "edge " << k;
    EXPECT_EQ(image.pixel(cx - 1 - w / 2, 0), grid); // top line
    EXPECT_EQ(image.pixel(cx - 1 - w / 2, cy - 1), grid); // bottom line
    EXPECT_EQ(image.pixel(cx - 2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(cx - w, 2), qRgb(255, 255, 255));
    // Each cell holds dark character pixels, centred: as many left as right of its middle.
    for (int i = 0; i < 3; ++i) {
        const int left = cx - 1 - (3 - i) * w;
        const QRect cell(left + 1, 1, w - 1, cy - 2);
        const int dark = Count(image, cell, qRgb(0, 0, 0), 60);
        EXPECT_GT(dark, 20) << "cell " << i;
        const int leftHalf = Count(image, QRect(left + 1, 1, w / 2, cy - 2), qRgb(0, 0, 0), 60);
        EXPECT_NEAR(leftHalf, dark - leftHalf, dark / 2 + 4) << "cell " << i;
    }
}

TEST_F(ValtrixRenderTest, FocusFrameFadesTowardsTheGridWhenTheKeyboardIsElsewhere)
{
    GameField("125", 1.5f, false);
    ASSERT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 1); // the hinted right cell takes the focus
    window->clearFocus();
    const QImage image = Shot(QStringLiteral("arial26-focus-elsewhere"));
    const int w = CellWidth(3);
    EXPECT_EQ(image.pixel(image.width() - 1, 3), qRgb(149, 149, 234));
    EXPECT_EQ(image.pixel(image.width() - 1 - w, 3), qRgb(149, 149, 234));
    EXPECT_EQ(image.pixel(image.width() - 1 - 2 * w, 3), qRgb(0xE0, 0xE0, 0xE0));
    // The hinted character is drawn in the hint colour.
    EXPECT_GT(
        Count(image, QRect(image.width() - w, 1, w - 1, image.height() - 2), qRgb(0xC0, 0xC0, 0), 40), 20);
}

TEST_F(ValtrixRenderTest, VerifiedCellsShowTheirVerdictAndQuestionMarks)
{
    GameField("125", 2.0f, false);
    ASSERT_EQ(SetState("1251 3   1"), S_OK); // right, empty, wrong; verified
    const QImage image = Shot(QStringLiteral("arial26-verified"));
    const int cx = image.width();
    const int w = CellWidth(3);
    auto cell = [&](int i) { return QRect(cx - 1 - (3 - i) * w + 1, 1, w - 1, image.height() - 2); };
    const QRgb correct = qRgb(0, 0, 0xC0);
    const QRgb wrong = qRgb(0xC0, 0, 0);
    EXPECT_GT(Count(image, cell(0), correct, 40), 20);
    EXPECT_EQ(Count(image, cell(0), wrong, 40), 0);
    EXPECT_GT(Count(image, cell(1), wrong, 40), 20); // "?" for the empty cell
    EXPECT_GT(Count(image, cell(2), wrong, 40), 20);
    EXPECT_EQ(Count(image, cell(2), correct, 40), 0);
}

TEST_F(ValtrixRenderTest, MagnifiedFieldsAtTheGamesFactors)
{
    int previous = 0;
    for (const float factor : { 1.5f, 2.0f, 2.5f }) {
        GameField("-3.5", factor, true);
        ASSERT_EQ(SetState("-3.5-3.5    1"), S_OK);
        const QImage image = Shot(QStringLiteral("arial26-magnified-%1").arg(factor, 0, 'f', 1));
        const int w = CellWidth(4);
        EXPECT_GT(w, previous);
        previous = w;
        // The rightmost cell touches the right edge; its character sits on the bottom.
        EXPECT_EQ(image.pixel(image.width() - 1, 2), qRgb(0xE0, 0xE0, 0xE0));
        const QRect cell(image.width() - w, 1, w - 1, image.height() - 2);
        const QRect topHalf(cell.left(), cell.top(), cell.width(), cell.height() / 2);
        const QRect bottomHalf(cell.left(), cell.top() + cell.height() / 2, cell.width(), cell.height() / 2);
        EXPECT_GT(
            Count(image, bottomHalf, qRgb(0, 0, 0xC0), 40), Count(image, topHalf, qRgb(0, 0, 0xC0), 40));
        // Magnification turned off again for the next factor.
        ASSERT_EQ(Call(DISPID_VALTRIX_ENABLEMAGNIFICATION, { CComVariant::Bool(false) }), S_OK);
    }
}

TEST_F(ValtrixRenderTest, StaticLabelWithoutGridLinesIsOnlyItsCharacters)
{
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    ASSERT_EQ(Call(DISPID_VALTRIX_SETBACKGROUNDCOLOUR, { CComVariant::I4(0x00FFC878) }), S_OK);
    ASSERT_EQ(Call(DISPID_VALTRIX_SHOWGRIDLINES, { CComVariant::Bool(false) }), S_OK);
    SetAnswer("=");
    window->resize(Long(DISPID_VALTRIX_GETPREFERREDWIDTH) + 10, Long(DISPID_VALTRIX_GETPREFERREDHEIGHT));
    const QImage image = Shot(QStringLiteral("arial26-static-equals"));
    const QRgb background = qRgb(120, 200, 255);
    const int all = image.width() * image.height();
    const int plain = Count(image, image.rect(), background, 0);
    const int ink = Count(image, image.rect(), qRgb(0, 0, 0), 60);
    EXPECT_GT(ink, 20);
    EXPECT_EQ(Count(image, image.rect(), qRgb(0xE0, 0xE0, 0xE0), 2), 0);
    EXPECT_GT(plain, all * 3 / 4);
}

// Both keys enter the separator, kept as the point in the state; a comma
// class sees it as a comma, drawn exactly as a comma in the cell would be.
TEST_F(ValtrixRenderTest, TypedSeparatorIsStoredAsAPointAndShownWithTheClasssSeparator)
{
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
    GameField("3.5", 1.5f, false);
    window->setFocus();
    for (const char* typed : { "3,5", "3.5" }) {
        ASSERT_EQ(SetState("3.5      0"), S_OK);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 10), window->mapToGlobal(QPointF(1, 10)),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &press);
        for (const char* c = typed; *c; ++c) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(QLatin1Char(*c)));
            QApplication::sendEvent(window, &key);
        }
        EXPECT_EQ(State(), "3.53.5   0") << typed;
    }
    ASSERT_EQ(SetState("3.53.5   0"), S_OK); // no focused cell
    const QImage comma = Shot(QStringLiteral("arial26-decimal-comma"));

    // The teacher's new choice reaches the cells with the locale change the
    // menu sends, without any call from the host.
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Point));
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(window, &change);
    const QImage point = Shot(QStringLiteral("arial26-decimal-point"));
    EXPECT_NE(point, comma);
    ASSERT_EQ(SetState("3,53,5   0"), S_OK); // a literal comma, as a host could give it
    EXPECT_EQ(Shot(QStringLiteral("arial26-literal-comma")), comma);
}

} // namespace
