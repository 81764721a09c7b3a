#include "views/ScribbleLayer.h"

#include "views/SceneHost.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Minimal stand-ins for the board software's ink objects: a stroke is a list of
// points, erasing removes the points under the eraser.
class FakeStroke : public IInkStroke
{
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IInkStroke) {
            *object = static_cast<IInkStroke*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        const ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT SetProperty(int property, VARIANT value) override
    {
        (property == INK_PROPERTY_COLOUR ? colour : width) = value.lVal;
        return S_OK;
    }
    HRESULT GetBoundingRect(int, float, RECT* r) override
    {
        if (points.empty()) {
            *r = RECT { 0, 0, 0, 0 };
            return S_OK;
        }
        const QRect b
            = QPolygonF(QVector<QPointF>(points.begin(), points.end())).boundingRect().toAlignedRect();
        *r = RECT { b.left(), b.top(), b.right() + 2, b.bottom() + 2 };
        return S_OK;
    }
    HRESULT EraseAtPoint(int x, int y, int radius, int* result) override
    {
        return Erase([&](const QPointF& p) { return QLineF(p, QPointF(x, y)).length() <= radius; }, result);
    }
    HRESULT EraseInPolygon(
        float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int* result) override
    {
        const QPolygonF quad({ QPointF(x1, y1), QPointF(x2, y2), QPointF(x3, y3), QPointF(x4, y4) });
        return Erase([&](const QPointF& p) { return quad.containsPoint(p, Qt::OddEvenFill); }, result);
    }
    HRESULT Draw(QPainter* g, int, int, float) override
    {
        g->setPen(QPen(QColor(0, 0, 0), 3));
        for (size_t i = 1; i < points.size(); ++i)
            g->drawLine(points[i - 1], points[i]);
        return S_OK;
    }
    HRESULT GetPoints(int, int* count, LONG** values) override
    {
        // x and y of each point, in thousandths of a pixel.
        *count = static_cast<int>(points.size() * 2);
        *values
            = points.empty() ? nullptr : static_cast<LONG*>(CoTaskMemAlloc(points.size() * 2 * sizeof(LONG)));
        for (size_t i = 0; i < points.size(); ++i) {
            (*values)[2 * i] = static_cast<LONG>(points[i].x() * 1000);
            (*values)[2 * i + 1] = static_cast<LONG>(points[i].y() * 1000);
        }
        return S_OK;
    }
    HRESULT Begin(QPainter*, float x, float y, int, float) override { return Add(x, y); }
    HRESULT AddPoint(QPainter*, float x, float y, float, int) override { return Add(x, y); }
    HRESULT End(QPainter*, float x, float y, float) override { return Add(x, y); }
    HRESULT GetBounds(int*, float*, float*, float*, float*) override { return E_NOTIMPL; }

    HRESULT Add(float x, float y)
    {
        points.emplace_back(x, y);
        return S_OK;
    }
    template <class Pred> HRESULT Erase(Pred under, int* result)
    {
        const size_t before = points.size();
        points.erase(std::remove_if(points.begin(), points.end(), under), points.end());
        *result = points.size() != before ? 2 : 0;
        return S_OK;
    }

    ULONG refs = 1;
    LONG colour = -1;
    LONG width = -1;
    std::vector<QPointF> points;
};

// A container that also answers for the stroke interface, acting on all strokes.
class FakeContainer : public IInkContainer, public IInkStroke
{
public:
    ~FakeContainer()
    {
        for (FakeStroke* s : strokes)
            s->Release();
    }
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IInkContainer)
            *object = static_cast<IInkContainer*>(this);
        else if (iid == IID_IInkStroke)
            *object = static_cast<IInkStroke*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        const ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT Count(int* count) override
    {
        *count = static_cast<int>(strokes.size());
        return S_OK;
    }
    HRESULT Item(int index, IInkStroke** stroke) override
    {
        strokes.at(static_cast<size_t>(index))->AddRef();
        *stroke = strokes[static_cast<size_t>(index)];
        return S_OK;
    }
    HRESULT Remove(IInkStroke* stroke) override
    {
        const auto it = std::find(strokes.begin(), strokes.end(), static_cast<FakeStroke*>(stroke));
        if (it == strokes.end())
            return E_INVALIDARG;
        strokes.erase(it);
        stroke->Release();
        return S_OK;
    }
    HRESULT Insert(IInkStroke* stroke, int) override
    {
        stroke->AddRef();
        strokes.push_back(static_cast<FakeStroke*>(stroke));
        return S_OK;
    }
    HRESULT Clear() override { return E_NOTIMPL; }
    HRESULT SetProperty(int, VARIANT) override { return E_NOTIMPL; }
    HRESULT GetBoundingRect(int, float, RECT*) override { return E_NOTIMPL; }
    HRESULT EraseAtPoint(int, int, int, int*) override { return E_NOTIMPL; }
    HRESULT EraseInPolygon(float, float, float, float, float, float, float, float, int*) override
    {
        return E_NOTIMPL;
    }
    HRESULT Draw(QPainter* g, int x, int y, float s) override
    {
        for (FakeStroke* stroke : strokes)
            stroke->Draw(g, x, y, s);
        return S_OK;
    }
    HRESULT GetPoints(int, int*, LONG**) override { return E_NOTIMPL; }
    HRESULT Begin(QPainter*, float, float, int, float) override { return E_NOTIMPL; }
    HRESULT AddPoint(QPainter*, float, float, float, int) override { return E_NOTIMPL; }
    HRESULT End(QPainter*, float, float, float) override { return E_NOTIMPL; }
    HRESULT GetBounds(int*, float*, float*, float*, float*) override { return E_NOTIMPL; }

    ULONG refs = 1;
    std::vector<FakeStroke*> strokes;
};

struct Host : CSceneHost
{
    void RenderBackground(const QRect* area) override { renders.push_back(area ? *area : QRect()); }
    void UpdateWindow() override { ++updates; }
    void Sleep(int) override { }
    void Invalidate(const QRect& area) override { invalidated.push_back(area); }
    std::vector<QRect> renders;
    std::vector<QRect> invalidated;
    int updates = 0;
};

class ScribbleLayerTest : public ::testing::Test
{
protected:
    ScribbleLayerTest()
        : layer([this] { return now; },
            [this](REFCLSID clsid, REFIID, void** object) -> HRESULT {
                if (clsid == CLSID_InkStroke && strokesWork)
                    *object = static_cast<IInkStroke*>(new FakeStroke);
                else if (clsid == CLSID_InkContainer && containersWork)
                    *object = static_cast<IInkContainer*>(new FakeContainer);
                else
                    return *object = nullptr, REGDB_E_CLASSNOTREG;
                return S_OK;
            })
    {
    }

    FakeContainer* Ink(CComPtr<IInkContainer>& slot) { return static_cast<FakeContainer*>(slot.Get()); }

    void Stroke(std::initializer_list<QPoint> points)
    {
        auto it = points.begin();
        layer.BeginStroke(nullptr, &host, it->x(), it->y(), 0x0000FF, 4);
        for (++it; it + 1 != points.end(); ++it)
            layer.AddStrokePoint(it->x(), it->y());
        lastBounds = layer.EndStroke(it->x(), it->y());
    }

    QImage Render(bool eraser = false)
    {
        QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        layer.DrawInk(painter);
        if (eraser)
            layer.DrawEraser(painter);
        return image;
    }

    std::uint32_t now = 1000;
    bool strokesWork = true;
    bool containersWork = true;
    CScribbleLayer layer;
    Host host;
    QRect lastBounds;
    CComPtr<IInkContainer> question2;
    CComPtr<IInkContainer> question3;
};

} // namespace

TEST_F(ScribbleLayerTest, StrokesStayWithTheirQuestion)
{
    layer.SetQuestion(&question2);
    Stroke({ QPoint(100, 100), QPoint(150, 120), QPoint(200, 100) });
    ASSERT_TRUE(question2);
    ASSERT_EQ(Ink(question2)->strokes.size(), 1u);
    const FakeStroke* kept = Ink(question2)->strokes[0];
    EXPECT_EQ(kept->colour, 0x0000FF);
    EXPECT_EQ(kept->width, 4);
    EXPECT_EQ(kept->points.size(), 3u);
    EXPECT_EQ(lastBounds, QRect(100, 100, 101, 21)); // RECT (100, 100, 201, 121)
    EXPECT_FALSE(layer.IsStroking());
    EXPECT_FALSE(host.invalidated.empty());

    layer.SetQuestion(&question3);
    EXPECT_FALSE(question3);
    EXPECT_EQ(Render().pixel(150, 120), qRgb(255, 255, 255));
    layer.SetQuestion(&question2);
    EXPECT_EQ(Render().pixel(150, 120), qRgb(0, 0, 0));
}

TEST_F(ScribbleLayerTest, ChangingQuestionDropsTheUnfinishedStroke)
{
    layer.SetQuestion(&question2);
    layer.BeginStroke(nullptr, nullptr, 10, 10, 0, 2);
    layer.AddStrokePoint(20, 20);
    layer.SetQuestion(&question3);
    EXPECT_TRUE(layer.EndStroke(30, 30).isEmpty());
    layer.AddStrokePoint(40, 40);
    EXPECT_FALSE(question2);
    EXPECT_FALSE(question3);
}

TEST_F(ScribbleLayerTest, MissingInkComponentDrawsAndKeepsNothing)
{
    layer.SetQuestion(&question2);
    strokesWork = false;
    Stroke({ QPoint(10, 10), QPoint(20, 20) });
    EXPECT_TRUE(lastBounds.isEmpty());
    EXPECT_FALSE(question2);

    // A stroke whose container cannot be made is reported but not kept.
    strokesWork = true;
    containersWork = false;
    Stroke({ QPoint(10, 10), QPoint(20, 20) });
    EXPECT_FALSE(lastBounds.isEmpty());
    EXPECT_FALSE(question2);
}

TEST_F(ScribbleLayerTest, ErasingWithoutInkDoesNothing)
{
    layer.SetQuestion(&question3);
    layer.BeginErase(50, 50, host, 20);
    layer.EraseMove(100, 50, host);
    EXPECT_FALSE(layer.IsErasing());
    EXPECT_TRUE(layer.EraserPath().empty());
    EXPECT_TRUE(host.renders.empty());
    const QImage image = Render(true);
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255));
    layer.EndErase(100, 50, host);
    EXPECT_TRUE(host.renders.empty());
}

TEST_F(ScribbleLayerTest, EraserMovesAreThrottledByDistanceAndTime)
{
    layer.SetQuestion(&question2);
    Stroke({ QPoint(0, 200), QPoint(290, 200) });
    layer.BeginErase(20, 20, host, 20);
    ASSERT_TRUE(layer.IsErasing());
    ASSERT_EQ(host.renders.size(), 1u);
    EXPECT_EQ(host.renders[0], QRect(0, 0, 40, 40));

    now += 200;
    layer.EraseMove(26, 27, host); // 6² + 7² = 85 < 100: dropped
    EXPECT_EQ(layer.EraserPath().size(), 1u);
    layer.EraseMove(26, 28, host); // 100: recorded, and 200 ms have passed: a pass runs
    EXPECT_EQ(host.renders.size(), 2u);
    EXPECT_EQ(layer.EraserPath().size(), 1u); // the pass keeps only the last point

    now += 75;
    layer.EraseMove(40, 40, host); // recorded, but only 75 ms since the last pass
    layer.EraseMove(60, 40, host);
    EXPECT_EQ(host.renders.size(), 2u);
    EXPECT_EQ(layer.EraserPath().size(), 3u);
    now += 1;
    layer.EraseMove(80, 40, host);
    ASSERT_EQ(host.renders.size(), 3u);
    EXPECT_EQ(layer.EraserPath(), std::vector<QPoint>({ QPoint(80, 40) }));
    // Nothing was under the eraser: only the squares around the ends are dirty.
    EXPECT_EQ(host.renders[2], QRect(6, 8, 94, 52));
}

TEST_F(ScribbleLayerTest, FastSwipeErasesTheWholeBandBetweenPoints)
{
    layer.SetQuestion(&question2);
    // A vertical stroke at x = 150, far from both recorded eraser points.
    Stroke({ QPoint(150, 0), QPoint(150, 25), QPoint(150, 45), QPoint(150, 55), QPoint(150, 75),
        QPoint(150, 100) });
    layer.BeginErase(20, 50, host, 20);
    EXPECT_EQ(Ink(question2)->strokes[0]->points.size(), 6u);
    now += 500;
    layer.EraseMove(280, 50, host);
    const auto& left = Ink(question2)->strokes[0]->points;
    EXPECT_EQ(left,
        (std::vector<QPointF> { QPointF(150, 0), QPointF(150, 25), QPointF(150, 75), QPointF(150, 100) }));
    // The dirty area holds the stroke's bounds, which it reports for repainting.
    EXPECT_TRUE(host.renders.back().contains(QRect(150, 0, 2, 100)));
}

TEST_F(ScribbleLayerTest, StrokesRubbedOutCompletelyLeaveTheQuestionsInk)
{
    layer.SetQuestion(&question2);
    Stroke({ QPoint(40, 40), QPoint(45, 42) }); // under the first eraser touch
    Stroke({ QPoint(60, 40), QPoint(62, 45) }); // likewise
    Stroke({ QPoint(150, 140), QPoint(150, 160) }); // inside the band of the swipe
    Stroke({ QPoint(30, 220), QPoint(50, 220), QPoint(200, 220) }); // partly under the last touch
    ASSERT_EQ(Ink(question2)->strokes.size(), 4u);

    layer.BeginErase(50, 40, host, 20);
    layer.EndErase(50, 40, host);
    EXPECT_EQ(Ink(question2)->strokes.size(), 2u);

    layer.BeginErase(20, 150, host, 20);
    now += 500;
    layer.EraseMove(280, 150, host);
    layer.EndErase(280, 150, host);
    ASSERT_EQ(Ink(question2)->strokes.size(), 1u);

    layer.BeginErase(40, 220, host, 20);
    layer.EndErase(40, 220, host);
    ASSERT_EQ(Ink(question2)->strokes.size(), 1u); // what is left of a stroke stays
    EXPECT_EQ(Ink(question2)->strokes[0]->points, std::vector<QPointF>({ QPointF(200, 220) }));
    EXPECT_EQ(layer.StrokeCount(), 1);
}

TEST_F(ScribbleLayerTest, EraserCircleShowsWhileErasingAndGoesOnRelease)
{
    layer.SetQuestion(&question2);
    Stroke({ QPoint(10, 250), QPoint(20, 250) });
    layer.BeginErase(100, 100, host, 20);
    now += 100;
    layer.EraseMove(150, 100, host);
    QImage image = Render(true);
    EXPECT_EQ(image.pixel(150, 100), qRgb(0xC8, 0xC8, 0xC8));
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 255, 255));

    layer.EndErase(152, 101, host); // no distance or time test on release
    EXPECT_FALSE(layer.IsErasing());
    EXPECT_TRUE(layer.EraserPath().empty());
    EXPECT_EQ(host.renders.back(), QRect(130, 80, 42, 41));
    image = Render(true);
    EXPECT_EQ(image.pixel(150, 100), qRgb(255, 255, 255));
}
