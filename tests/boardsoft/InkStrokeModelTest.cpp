// Stroke geometry: cutting by the eraser, bounds, point units and drawing.
#include "boardsoft/ink/InkStrokeModel.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

CInkStrokeModel line(QPointF from, QPointF to, double width, int steps = 10)
{
    CInkStrokeModel m;
    m.setWidth(width);
    m.begin(from, nullptr);
    for (int i = 1; i < steps; ++i)
        m.addPoint(from + (to - from) * (static_cast<double>(i) / steps), nullptr);
    m.end(to, nullptr);
    return m;
}

QImage canvas()
{
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

int inkedPixels(const QImage& image, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
    return n;
}

} // namespace

TEST(InkStrokeModel, ACircleCutsAStrokeInTwoWithItsPenWidthAllowedFor)
{
    CInkStrokeModel m = line({ 0, 50 }, { 100, 50 }, 2);
    ASSERT_EQ(1u, m.pieces().size());
    EXPECT_EQ(CInkStrokeModel::ChangedRepaintBounds, m.erase(CInkEraser::circle({ 50, 50 }, 10)));
    ASSERT_EQ(2u, m.pieces().size());
    // The line stops where its edge (half the width) meets the circle.
    EXPECT_NEAR(0.0, m.pieces()[0].front().x(), 1e-9);
    EXPECT_NEAR(39.0, m.pieces()[0].back().x(), 0.01);
    EXPECT_NEAR(61.0, m.pieces()[1].front().x(), 0.01);
    EXPECT_NEAR(100.0, m.pieces()[1].back().x(), 1e-9);
    // The repaint reaches over all the removed ink, cap fringes included.
    const QRect repaint = m.repaintRect();
    EXPECT_LE(repaint.left(), -1);
    EXPECT_GE(repaint.right(), 101);
    EXPECT_TRUE(m.erasedBounds().contains(QRectF(QPointF(38.1, 49.1), QPointF(61.9, 50.9))));

    // Erasing the same place again finds nothing; a far circle touches nothing.
    EXPECT_EQ(CInkStrokeModel::Untouched, m.erase(CInkEraser::circle({ 50, 50 }, 10)));
    EXPECT_EQ(CInkStrokeModel::Untouched, m.erase(CInkEraser::circle({ 50, 80 }, 10)));
    // A circle that reaches the ink's edge but not its centre line still erases.
    EXPECT_NE(CInkStrokeModel::Untouched, m.erase(CInkEraser::circle({ 20, 61.5 }, 11)));
    EXPECT_EQ(3u, m.pieces().size());
}

TEST(InkStrokeModel, WhatVanishesIsDroppedAndSmallChangesStayInsideTheEraser)
{
    // All of a short stroke under a large eraser: nothing left, change within the eraser's box.
    CInkStrokeModel m = line({ 45, 50 }, { 55, 50 }, 2);
    EXPECT_EQ(CInkStrokeModel::Changed, m.erase(CInkEraser::circle({ 50, 50 }, 20)));
    EXPECT_TRUE(m.isEmpty());
    EXPECT_TRUE(m.bounds().isNull());
    EXPECT_TRUE(m.repaintRect().contains(QRect(44, 49, 12, 2)))
        << "an emptied stroke still names what to repaint";

    // A dot (a tap) is erased whole or not at all.
    CInkStrokeModel dot;
    dot.setWidth(3);
    dot.begin({ 10, 10 }, nullptr);
    dot.end({ 10, 10 }, nullptr);
    ASSERT_EQ(1u, dot.pointCount());
    EXPECT_EQ(CInkStrokeModel::Untouched, dot.erase(CInkEraser::circle({ 20, 10 }, 8)));
    EXPECT_NE(CInkStrokeModel::Untouched, dot.erase(CInkEraser::circle({ 20, 10 }, 9)));
    EXPECT_TRUE(dot.isEmpty());

    // Cutting right at the end leaves no sliver behind.
    CInkStrokeModel end = line({ 0, 0 }, { 30, 0 }, 0);
    end.erase(CInkEraser::circle({ 40, 0 }, 10));
    ASSERT_EQ(1u, end.pieces().size());
    EXPECT_NEAR(30.0, end.pieces()[0].back().x(), 0.01);
    end.erase(CInkEraser::circle({ 40, 0 }, 10.005));
    ASSERT_EQ(1u, end.pieces().size());
    EXPECT_NEAR(29.995, end.pieces()[0].back().x(), 0.01);
}

TEST(InkStrokeModel, APolygonErasesABandAcrossStraightAndBentStrokes)
{
    // A vertical line through a horizontal band.
    CInkStrokeModel vertical = line({ 20, 0 }, { 20, 100 }, 4);
    EXPECT_NE(CInkStrokeModel::Untouched,
        vertical.erase(CInkEraser::quadrilateral(
            { QPointF(0, 40), QPointF(100, 40), QPointF(100, 60), QPointF(0, 60) })));
    ASSERT_EQ(2u, vertical.pieces().size());
    EXPECT_NEAR(38.0, vertical.pieces()[0].back().y(), 0.01);
    EXPECT_NEAR(62.0, vertical.pieces()[1].front().y(), 0.01);

    // A zig-zag through a slanted band is cut at every crossing.
    CInkStrokeModel zigzag;
    zigzag.setWidth(0);
    zigzag.begin({ 0, 0 }, nullptr);
    zigzag.addPoint({ 50, 100 }, nullptr);
    zigzag.addPoint({ 100, 0 }, nullptr);
    zigzag.end({ 100, 0 }, nullptr);
    const std::array<QPointF, 4> band { QPointF(-10, 45), QPointF(110, 55), QPointF(110, 65),
        QPointF(-10, 55) };
    EXPECT_NE(CInkStrokeModel::Untouched, zigzag.erase(CInkEraser::quadrilateral(band)));
    ASSERT_EQ(3u, zigzag.pieces().size());
    EXPECT_EQ(QPointF(0, 0), zigzag.pieces()[0].front());
    EXPECT_EQ(QPointF(50, 100), zigzag.pieces()[1][1]);
    EXPECT_EQ(QPointF(100, 0), zigzag.pieces()[2].back());

    // Corners given in a crossed order still cover the area between them.
    CInkStrokeModel crossed = line({ 0, 50 }, { 100, 50 }, 0);
    EXPECT_NE(CInkStrokeModel::Untouched,
        crossed.erase(CInkEraser::quadrilateral(
            { QPointF(40, 40), QPointF(60, 60), QPointF(60, 40), QPointF(40, 60) })));
    EXPECT_EQ(2u, crossed.pieces().size());
}

TEST(InkStrokeModel, BoundsIncludeThePenWidthAndPointsAreInThousandths)
{
    CInkStrokeModel m;
    m.setWidth(4);
    m.begin({ 10.25, 10 }, nullptr);
    m.addPoint({ 30, 20.5 }, nullptr);
    m.addPoint({ 30.0001, 20.5 }, nullptr); // no step: ignored
    m.end({ -1.0006, 15 }, nullptr);
    EXPECT_EQ(QRectF(QPointF(-3.0006, 8), QPointF(32, 22.5)), m.bounds());
    EXPECT_EQ(QRect(QPoint(-5, 7), QPoint(32, 23)), m.repaintRect());
    EXPECT_EQ((std::vector<LONG> { 10250, 10000, 30000, 20500, -1001, 15000 }), m.pointsInThousandths());

    m.setWidth(0);
    EXPECT_EQ(QRectF(QPointF(-1.0006, 10), QPointF(30, 20.5)), m.bounds());

    // Beginning again starts over.
    m.begin({ 5, 5 }, nullptr);
    EXPECT_EQ((std::vector<LONG> { 5000, 5000 }), m.pointsInThousandths());
}

TEST(InkStrokeModel, DrawsRoundAntialiasedInkAndTheLivePiecesMatchTheWhole)
{
    QImage live = canvas();
    CInkStrokeModel m;
    m.setColour(RGB(200, 0, 0));
    m.setWidth(6);
    {
        QPainter p(&live);
        m.begin({ 20, 20 }, &p);
        m.addPoint({ 60, 25 }, &p);
        m.addPoint({ 90, 60 }, &p);
        m.addPoint({ 60, 100 }, &p);
        m.end({ 30, 90 }, &p);
    }
    QImage whole = canvas();
    {
        QPainter p(&whole);
        m.draw(p);
    }
    // The same pixels are inked either way (allowing antialiased edge pixels).
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            differing += (qGray(whole.pixel(x, y)) < 160) != (qGray(live.pixel(x, y)) < 160);
    EXPECT_LT(differing, 12);
    EXPECT_GT(inkedPixels(whole), 6 * 150);

    // Pen colour, and a round cap reaching half the width past the first point.
    const QColor centre = whole.pixelColor(20, 20);
    EXPECT_EQ(200, centre.red());
    EXPECT_EQ(0, centre.green());
    EXPECT_LT(qGray(whole.pixel(18, 20)), 160);
    EXPECT_EQ(qRgb(255, 255, 255), whole.pixel(15, 20));
    // Antialiased: the edge has shades between ink and paper.
    bool shaded = false;
    for (int y = 10; y < 30 && !shaded; ++y) {
        const int g = whole.pixelColor(40, y).green();
        shaded = g > 10 && g < 245;
    }
    EXPECT_TRUE(shaded);

    // Drawing with an offset and a scale moves and widens the ink.
    QImage moved = canvas();
    {
        QPainter p(&moved);
        CInkStrokeModel dot;
        dot.setWidth(4);
        dot.begin({ 10, 10 }, nullptr);
        dot.end({ 10, 10 }, nullptr);
        dot.draw(p, QPointF(50, 50), 2.0);
    }
    EXPECT_LT(qGray(moved.pixel(70, 70)), 160);
    EXPECT_LT(qGray(moved.pixel(73, 70)), 160);
    EXPECT_EQ(qRgb(255, 255, 255), moved.pixel(76, 70));
    EXPECT_EQ(qRgb(255, 255, 255), moved.pixel(10, 10));
}
