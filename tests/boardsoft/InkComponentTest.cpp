// The ink component through the component path: registered in the test's
// hive by the library itself, created by class id, used only through its
// interfaces.
#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"

#include <QImage>
#include <QPainter>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class InkComponent : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_library = dlopen(KESTAVO_TEST_LIB_DIR "/libobrisk.so", RTLD_NOW);
        ASSERT_NE(nullptr, m_library) << dlerror();
        auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(m_library, "DllRegisterServer"));
        ASSERT_NE(nullptr, registerServer);
        ASSERT_EQ(S_OK, registerServer());
    }
    void TearDown() override
    {
        if (m_library)
            dlclose(m_library);
    }

    IInkStroke* newStroke(std::vector<QPointF> points, int width = 2)
    {
        IInkStroke* stroke = nullptr;
        EXPECT_EQ(S_OK,
            CoCreateInstance(CLSID_InkStroke, nullptr, CLSCTX_INPROC_SERVER, IID_IInkStroke,
                reinterpret_cast<void**>(&stroke)));
        if (!stroke)
            return nullptr;
        stroke->Begin(nullptr, points[0].x(), points[0].y(), 0, 1.0f);
        for (std::size_t i = 1; i + 1 < points.size(); ++i)
            stroke->AddPoint(nullptr, points[i].x(), points[i].y(), 1.0f, 0);
        stroke->End(nullptr, points.back().x(), points.back().y(), 1.0f);
        EXPECT_EQ(S_OK, stroke->SetProperty(INK_PROPERTY_WIDTH, i4(width)));
        return stroke;
    }

    static VARIANT i4(LONG v)
    {
        VARIANT var;
        VariantInit(&var);
        var.vt = VT_I4;
        var.lVal = v;
        return var;
    }

    static std::vector<LONG> points(IInkStroke* stroke)
    {
        int count = -1;
        LONG* data = nullptr;
        EXPECT_EQ(S_OK, stroke->GetPoints(0, &count, &data));
        std::vector<LONG> out(data, data + (count > 0 ? count : 0));
        CoTaskMemFree(data);
        return out;
    }

    void* m_library = nullptr;
};

} // namespace

TEST_F(InkComponent, AStrokeIsCreatedByClassIdAndReportsPointsAndBounds)
{
    IInkStroke* stroke = newStroke({ { 10.5f, 20 }, { 30, 20 }, { 30, 40.25f } }, 4);
    ASSERT_NE(nullptr, stroke);
    EXPECT_EQ((std::vector<LONG> { 10500, 20000, 30000, 20000, 30000, 40250 }), points(stroke));

    int unused = -1;
    float left = 0, top = 0, right = 0, bottom = 0;
    EXPECT_EQ(S_OK, stroke->GetBounds(&unused, &left, &top, &right, &bottom));
    EXPECT_FLOAT_EQ(8.5f, left);
    EXPECT_FLOAT_EQ(18.0f, top);
    EXPECT_FLOAT_EQ(32.0f, right);
    EXPECT_FLOAT_EQ(42.25f, bottom);
    RECT r {};
    EXPECT_EQ(S_OK, stroke->GetBoundingRect(0, 1.0f, &r));
    EXPECT_LE(r.left, 8);
    EXPECT_LE(r.top, 18);
    EXPECT_GE(r.right, 32);
    EXPECT_GE(r.bottom, 43);

    // Bad arguments are refused, not crashed on.
    VARIANT text;
    VariantInit(&text);
    EXPECT_EQ(E_INVALIDARG, stroke->SetProperty(7, i4(1)));
    EXPECT_EQ(E_INVALIDARG, stroke->SetProperty(INK_PROPERTY_WIDTH, i4(-3)));
    EXPECT_EQ(E_POINTER, stroke->GetPoints(0, nullptr, nullptr));
    EXPECT_EQ(E_POINTER, stroke->Draw(nullptr, 0, 0, 1.0f));
    int result = 0;
    EXPECT_EQ(E_INVALIDARG, stroke->EraseAtPoint(0, 0, -1, &result));

    // The pen colour reaches the drawing.
    EXPECT_EQ(S_OK, stroke->SetProperty(INK_PROPERTY_COLOUR, i4(static_cast<LONG>(RGB(0, 0, 255)))));
    QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        EXPECT_EQ(S_OK, stroke->Draw(&p, 0, 0, 1.0f));
    }
    EXPECT_EQ(QColor(0, 0, 255), image.pixelColor(20, 20));
    stroke->Release();
}

TEST_F(InkComponent, TheContainerKeepsOrderAndActsOnAllItsStrokes)
{
    IInkContainer* ink = nullptr;
    ASSERT_EQ(S_OK,
        CoCreateInstance(CLSID_InkContainer, nullptr, CLSCTX_INPROC_SERVER, IID_IInkContainer,
            reinterpret_cast<void**>(&ink)));
    IInkStroke* a = newStroke({ { 0, 10 }, { 100, 10 } });
    IInkStroke* b = newStroke({ { 0, 50 }, { 100, 50 } });
    IInkStroke* c = newStroke({ { 0, 90 }, { 100, 90 } });
    EXPECT_EQ(S_OK, ink->Insert(b, -1));
    EXPECT_EQ(S_OK, ink->Insert(c, 1)); // index == count appends
    EXPECT_EQ(S_OK, ink->Insert(a, 0));
    EXPECT_EQ(E_INVALIDARG, ink->Insert(a, -1)); // already in
    IInkStroke* d = newStroke({ { 5, 5 }, { 6, 6 } });
    EXPECT_EQ(E_INVALIDARG, ink->Insert(d, 5));
    EXPECT_EQ(E_INVALIDARG, ink->Insert(d, -2));
    int count = 0;
    EXPECT_EQ(S_OK, ink->Count(&count));
    EXPECT_EQ(3, count);
    for (int i = 0; i < 3; ++i) {
        IInkStroke* item = nullptr;
        ASSERT_EQ(S_OK, ink->Item(i, &item));
        EXPECT_EQ((std::vector<IInkStroke*> { a, b, c })[i], item);
        item->Release();
    }
    IInkStroke* none = reinterpret_cast<IInkStroke*>(1);
    EXPECT_EQ(E_INVALIDARG, ink->Item(3, &none));
    EXPECT_EQ(nullptr, none);

    // Through its stroke interface the container answers for all strokes.
    IInkStroke* all = nullptr;
    ASSERT_EQ(S_OK, ink->QueryInterface(IID_IInkStroke, reinterpret_cast<void**>(&all)));
    EXPECT_EQ(12u, points(all).size());
    int unused = 0;
    float left = 0, top = 0, right = 0, bottom = 0;
    EXPECT_EQ(S_OK, all->GetBounds(&unused, &left, &top, &right, &bottom));
    EXPECT_FLOAT_EQ(9.0f, top);
    EXPECT_FLOAT_EQ(91.0f, bottom);
    EXPECT_EQ(E_INVALIDARG, ink->Insert(all, -1)) << "a container is not a stroke to hold";

    // A vertical band across all three cuts each in two, in place.
    int result = -1;
    EXPECT_EQ(S_OK, all->EraseInPolygon(40, -5, 60, -5, 60, 105, 40, 105, &result));
    EXPECT_EQ(2, result);
    EXPECT_EQ(S_OK, ink->Count(&count));
    EXPECT_EQ(6, count);
    IInkStroke* second = nullptr;
    ASSERT_EQ(S_OK, ink->Item(1, &second));
    const std::vector<LONG> secondPoints = points(second);
    ASSERT_EQ(4u, secondPoints.size());
    EXPECT_NEAR(61000, secondPoints[0], 10);
    EXPECT_EQ(10000, secondPoints[1]);
    second->Release();

    // A circle over the whole left half of the middle line takes that piece out.
    EXPECT_EQ(S_OK, all->EraseAtPoint(20, 50, 30, &result));
    EXPECT_NE(0, result);
    EXPECT_EQ(S_OK, ink->Count(&count));
    EXPECT_EQ(5, count);
    RECT r {};
    EXPECT_EQ(S_OK, all->GetBoundingRect(0, 1.0f, &r));
    EXPECT_LE(r.left, -1) << "the repaint covers the ink just taken out";

    // Remove, then Clear.
    EXPECT_EQ(S_OK, ink->Remove(a));
    EXPECT_EQ(E_INVALIDARG, ink->Remove(a));
    EXPECT_EQ(S_OK, ink->Count(&count));
    EXPECT_EQ(4, count);
    EXPECT_EQ(S_OK, ink->Clear());
    EXPECT_EQ(S_OK, ink->Count(&count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(S_FALSE, all->GetBounds(&unused, &left, &top, &right, &bottom));

    // Strokes outlive the container that held them; b lost all its ink above.
    EXPECT_TRUE(points(b).empty());
    all->Release();
    ink->Release();
    EXPECT_EQ(4u, points(c).size());
    for (IInkStroke* s : { a, b, c, d })
        s->Release();
}

TEST_F(InkComponent, ErasingAStrokeTakenByIndexKeepsTheContainersIndexes)
{
    IInkContainer* ink = nullptr;
    ASSERT_EQ(S_OK,
        CoCreateInstance(CLSID_InkContainer, nullptr, CLSCTX_INPROC_SERVER, IID_IInkContainer,
            reinterpret_cast<void**>(&ink)));
    for (int y : { 10, 50, 90 }) {
        IInkStroke* s = newStroke({ { 0, static_cast<float>(y) }, { 100, static_cast<float>(y) } });
        ink->Insert(s, -1);
        s->Release();
    }
    // The scribble layer's loop: Count once, then Item(i) and erase each.
    int count = 0;
    ink->Count(&count);
    int changed = 0;
    for (int i = 0; i < count; ++i) {
        IInkStroke* s = nullptr;
        ASSERT_EQ(S_OK, ink->Item(i, &s));
        int result = 0;
        s->EraseAtPoint(50, 50, 45, &result);
        changed += result != 0;
        s->Release();
    }
    EXPECT_EQ(3, changed);
    int after = 0;
    ink->Count(&after);
    EXPECT_EQ(3, after);
    ink->Release();
}
