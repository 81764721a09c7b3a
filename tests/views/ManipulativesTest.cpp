#include "views/Manipulatives.h"

#include "views/SceneHost.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Opaque image of the given size with a transparent square of `hole` pixels in
// its top-left corner, like the rounded artwork.
QImage MakeImage(int w, int h, QRgb colour, int hole = 0)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    for (int y = 0; y < hole; ++y)
        for (int x = 0; x < hole; ++x)
            image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

struct RecordingHost : CSceneHost
{
    explicit RecordingHost(CManipulatives* scene = nullptr)
        : scene(scene)
    {
    }
    void RenderBackground(const QRect* area) override
    {
        areas.push_back(area ? *area : QRect());
        if (scene && scene->FadingElement()) {
            const QImage* image = scene->FadingElement()->Image();
            fadeAlphas.push_back(qAlpha(image->pixel(image->width() / 2, image->height() / 2)));
        }
    }
    void UpdateWindow() override { ++updates; }
    void Sleep(int ms) override { slept += ms; }

    CManipulatives* scene;
    std::vector<QRect> areas;
    std::vector<int> fadeAlphas;
    int updates = 0;
    int slept = 0;
};

class ManipulativesTest : public ::testing::Test
{
protected:
    ManipulativesTest()
        : scene(MakeImage(38, 46, qRgb(200, 0, 0), 4), MakeImage(190, 78, qRgb(0, 150, 0), 10),
            MakeImage(190, 33, qRgb(120, 80, 40)))
        , host(&scene)
    {
        scene.SetBowlPosition(600, 400);
    }
    // A point on the apple pile and one on the bowl's base.
    static constexpr int pileX = 700, pileY = 430;
    static constexpr int baseX = 700, baseY = 400 + 78 + 10;

    CManipulatives scene;
    RecordingHost host;
};

} // namespace

TEST_F(ManipulativesTest, BowlStackGeometryAndHitCodes)
{
    CManipulatives fresh(
        MakeImage(38, 46, 0xffff0000), MakeImage(150, 78, 0xff00ff00), MakeImage(190, 33, 0xff0000ff));
    // Starts off-screen, sized by the wider image and the sum of heights.
    EXPECT_EQ(fresh.GetBowlRect(), QRect(-191, -112, 190, 111));
    fresh.SetBowlPosition(0, 0);
    // The narrower pile is centred: (190 - 150) / 2 = 20 pixels in.
    EXPECT_FALSE(fresh.HitAny(19, 10));
    fresh.Press(20, 10);
    EXPECT_EQ(fresh.DragCode(), CManipulatives::HitPile);
    fresh.Press(5, 100);
    EXPECT_EQ(fresh.DragCode(), CManipulatives::HitBowlBase);
    EXPECT_EQ(fresh.DragIndex(), 0);
    fresh.Press(189, 111); // one past the bottom edge
    EXPECT_EQ(fresh.DragCode(), CManipulatives::HitNone);
    EXPECT_EQ(fresh.DragIndex(), -1);
}

TEST_F(ManipulativesTest, TransparentPixelsNeverGrab)
{
    scene.Press(603, 403); // inside the pile's transparent corner
    EXPECT_EQ(scene.DragCode(), CManipulatives::HitNone);
    EXPECT_FALSE(scene.HitAny(603, 403));
    scene.Drag(650, 450, host);
    EXPECT_EQ(scene.ElementCount(), 1);
    EXPECT_EQ(scene.GetBowlRect().topLeft(), QPoint(600, 400));
    EXPECT_TRUE(host.areas.empty());
}

TEST_F(ManipulativesTest, AppleIsPulledOutOnlyAfterFivePixels)
{
    scene.Press(pileX, pileY);
    ASSERT_EQ(scene.DragCode(), CManipulatives::HitPile);
    scene.Drag(pileX + 4, pileY, host);
    scene.Drag(pileX + 3, pileY + 3, host); // 18 < 25, still measured from the press
    EXPECT_EQ(scene.ElementCount(), 1);
    EXPECT_TRUE(host.areas.empty());

    scene.Drag(pileX + 3, pileY + 4, host); // exactly 5 pixels
    ASSERT_EQ(scene.ElementCount(), 2);
    const CSceneElement& apple = scene.Element(1);
    EXPECT_EQ(apple.Rect(), QRect(pileX + 3 - 19, pileY + 4 - 23, 38, 46));
    EXPECT_EQ(scene.DragCode(), CManipulatives::HitApple);
    EXPECT_EQ(scene.DragIndex(), 1);
    ASSERT_EQ(host.areas.size(), 1u);
    EXPECT_EQ(host.areas[0], apple.Rect());
    EXPECT_EQ(host.updates, 1);

    // Further moves drag that apple; the dirty area covers old and new place.
    const QRect before = apple.Rect();
    scene.Drag(pileX + 13, pileY + 4, host);
    EXPECT_EQ(apple.Rect(), before.translated(10, 0));
    EXPECT_EQ(host.areas.back(), before.united(before.translated(10, 0)));
    EXPECT_EQ(scene.ElementCount(), 2);
}

TEST_F(ManipulativesTest, AppleWithTransparentCentreIsCreatedButNotDragged)
{
    QImage ring = MakeImage(38, 46, qRgb(200, 0, 0));
    ring.setPixel(19, 23, qRgba(0, 0, 0, 0));
    CManipulatives odd(ring, MakeImage(190, 78, qRgb(0, 150, 0)), MakeImage(190, 33, qRgb(0, 0, 150)));
    odd.SetBowlPosition(0, 0);
    RecordingHost quiet;
    odd.Press(50, 50);
    odd.Drag(60, 50, quiet);
    ASSERT_EQ(odd.ElementCount(), 2);
    EXPECT_EQ(odd.DragCode(), CManipulatives::HitNone);
    EXPECT_EQ(odd.DragIndex(), -1);
    const QRect placed = odd.Element(1).Rect();
    odd.Drag(100, 100, quiet);
    EXPECT_EQ(odd.Element(1).Rect(), placed);
}

TEST_F(ManipulativesTest, DroppingOnTheBowlFadesTheAppleOut)
{
    scene.Press(pileX, pileY);
    scene.Drag(pileX, pileY - 100, host);
    ASSERT_EQ(scene.ElementCount(), 2);
    const QRect appleRect(baseX - 19, baseY - 23, 38, 46); // centred on the drop point
    host.areas.clear();
    host.updates = 0;

    scene.Release(baseX, baseY, host); // drop on the base, not the pile
    EXPECT_EQ(scene.ElementCount(), 1);
    EXPECT_EQ(scene.FadingElement(), nullptr);
    EXPECT_EQ(scene.DragCode(), CManipulatives::HitNone);
    EXPECT_EQ(scene.DragIndex(), -1);
    EXPECT_EQ(host.fadeAlphas, (std::vector<int> { 170, 113, 75, 50, 33, 22, 14, 9, 6, 4 }));
    EXPECT_EQ(host.slept, 750);
    // One render for the last move, ten fade steps, one to clear the apple's place.
    ASSERT_EQ(host.areas.size(), 12u);
    EXPECT_EQ(host.areas[1], appleRect);
    EXPECT_EQ(host.areas.back(), appleRect);
    EXPECT_EQ(host.updates, 12);
}

TEST_F(ManipulativesTest, DroppingElsewhereKeepsTheApple)
{
    scene.Press(pileX, pileY);
    scene.Drag(pileX - 300, pileY - 200, host);
    scene.Release(pileX - 320, pileY - 210, host);
    ASSERT_EQ(scene.ElementCount(), 2);
    EXPECT_EQ(scene.Element(1).Rect().center(), QRect(pileX - 320 - 19, pileY - 210 - 23, 38, 46).center());
    EXPECT_EQ(host.slept, 0);
    EXPECT_TRUE(host.fadeAlphas.empty());

    // A loose apple can be picked up again and dropped onto the pile.
    const QPoint grab = scene.Element(1).Rect().center();
    scene.Press(grab.x(), grab.y());
    EXPECT_EQ(scene.DragCode(), CManipulatives::HitApple);
    scene.Release(pileX, pileY, host);
    EXPECT_EQ(scene.ElementCount(), 1);
}

TEST_F(ManipulativesTest, DraggingTheBaseMovesTheBowlButNotLooseApples)
{
    scene.Press(pileX, pileY);
    scene.Release(pileX - 200, pileY, host);
    ASSERT_EQ(scene.ElementCount(), 2);
    const QRect loose = scene.Element(1).Rect();

    scene.Press(baseX, baseY);
    ASSERT_EQ(scene.DragCode(), CManipulatives::HitBowlBase);
    scene.Drag(baseX - 50, baseY - 30, host);
    scene.Release(baseX - 60, baseY - 40, host);
    EXPECT_EQ(scene.GetBowlRect(), QRect(540, 360, 190, 111));
    EXPECT_EQ(scene.Element(1).Rect(), loose);
    EXPECT_EQ(scene.ElementCount(), 2);
}

TEST_F(ManipulativesTest, ResetRemovesApplesAndKeepsTheBowl)
{
    scene.Press(pileX, pileY);
    scene.Drag(pileX + 50, pileY + 50, host);
    scene.Reset();
    EXPECT_EQ(scene.ElementCount(), 1);
    EXPECT_EQ(scene.DragCode(), CManipulatives::HitNone);
    EXPECT_EQ(scene.GetBowlRect().topLeft(), QPoint(600, 400));
    // A drag after the reset has nothing to move.
    scene.Drag(pileX + 80, pileY + 80, host);
    EXPECT_EQ(scene.ElementCount(), 1);
}

TEST_F(ManipulativesTest, HiddenSceneIgnoresInputAndDrawsNothing)
{
    scene.SetVisible(false);
    EXPECT_FALSE(scene.HitAny(pileX, pileY));
    scene.Press(pileX, pileY);
    scene.Drag(pileX + 40, pileY, host);
    scene.Release(pileX + 40, pileY, host);
    EXPECT_EQ(scene.ElementCount(), 1);
    EXPECT_TRUE(host.areas.empty());

    QImage canvas(800, 600, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        scene.Draw(painter);
    }
    EXPECT_EQ(canvas.pixel(pileX, pileY), qRgb(255, 255, 255));
    scene.SetVisible(true);
    {
        QPainter painter(&canvas);
        scene.Draw(painter);
    }
    EXPECT_EQ(canvas.pixel(pileX, pileY), qRgb(0, 150, 0));
    EXPECT_EQ(canvas.pixel(baseX, baseY), qRgb(120, 80, 40));
}
