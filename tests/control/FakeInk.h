#pragma once
// An in-memory ink container and strokes with exactly the behaviour the answer
// grid relies on: bounds, points, order, removal and insertion.

#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

#include <QRectF>
#include <algorithm>
#include <cstring>
#include <vector>

// The stroke interface answered as ink that is never looked at: drawing,
// writing and setting the pen succeed and do nothing; what asks for geometry
// is not implemented unless a fake overrides it.
template <class Base> class CInertStroke : public Base
{
public:
    HRESULT SetProperty(int, VARIANT) override { return S_OK; }
    HRESULT GetBoundingRect(int, float, RECT*) override { return E_NOTIMPL; }
    HRESULT EraseAtPoint(int, int, int, int*) override { return E_NOTIMPL; }
    HRESULT EraseInPolygon(float, float, float, float, float, float, float, float, int*) override
    {
        return E_NOTIMPL;
    }
    HRESULT Draw(QPainter*, int, int, float) override { return S_OK; }
    HRESULT GetPoints(int, int*, LONG**) override { return E_NOTIMPL; }
    HRESULT Begin(QPainter*, float, float, int, float) override { return S_OK; }
    HRESULT AddPoint(QPainter*, float, float, float, int) override { return S_OK; }
    HRESULT End(QPainter*, float, float, float) override { return S_OK; }
    HRESULT GetBounds(int*, float*, float*, float*, float*) override { return E_NOTIMPL; }
};

class CFakeStroke final : public CInertStroke<CComObject<IInkStroke>>
{
public:
    // A stroke whose bounds are left..right, top..bottom (window pixels).
    CFakeStroke(float left, float top, float right, float bottom, int tag = 0)
        : m_left(left)
        , m_top(top)
        , m_right(right)
        , m_bottom(bottom)
        , m_tag(tag)
    {
    }
    int Tag() const { return m_tag; }

    HRESULT GetPoints(int, int* count, LONG** points) override
    {
        *count = 2;
        *points = static_cast<LONG*>(CoTaskMemAlloc(2 * sizeof(LONG)));
        (*points)[0] = static_cast<LONG>(m_left * 1000);
        (*points)[1] = static_cast<LONG>(m_top * 1000);
        return S_OK;
    }
    HRESULT GetBounds(int*, float* left, float* top, float* right, float* bottom) override
    {
        *left = m_left;
        *top = m_top;
        *right = m_right;
        *bottom = m_bottom;
        return S_OK;
    }

private:
    float m_left, m_top, m_right, m_bottom;
    int m_tag;
};

class CFakeInk final : public CInertStroke<CComObject<IInkContainer, IInkStroke>>
{
public:
    ~CFakeInk() override { Clear(); }

    void Add(float left, float top, float right, float bottom, int tag)
    {
        IInkStroke* stroke = new CFakeStroke(left, top, right, bottom, tag);
        Insert(stroke, -1);
        stroke->Release();
    }
    std::vector<int> Tags() const
    {
        std::vector<int> tags;
        for (IInkStroke* s : m_strokes)
            tags.push_back(static_cast<CFakeStroke*>(s)->Tag());
        return tags;
    }
    int clears = 0;

    // IInkContainer
    HRESULT Count(int* count) override
    {
        *count = static_cast<int>(m_strokes.size());
        return S_OK;
    }
    HRESULT Item(int index, IInkStroke** stroke) override
    {
        if (index < 0 || index >= static_cast<int>(m_strokes.size()))
            return E_INVALIDARG;
        *stroke = m_strokes[index];
        (*stroke)->AddRef();
        return S_OK;
    }
    HRESULT Remove(IInkStroke* stroke) override
    {
        auto it = std::find(m_strokes.begin(), m_strokes.end(), stroke);
        if (it == m_strokes.end())
            return E_INVALIDARG;
        m_strokes.erase(it);
        stroke->Release();
        return S_OK;
    }
    HRESULT Insert(IInkStroke* stroke, int index) override
    {
        if (index < 0 || index > static_cast<int>(m_strokes.size()))
            index = static_cast<int>(m_strokes.size());
        stroke->AddRef();
        m_strokes.insert(m_strokes.begin() + index, stroke);
        return S_OK;
    }
    HRESULT Clear() override
    {
        ++clears;
        for (IInkStroke* s : m_strokes)
            s->Release();
        m_strokes.clear();
        return S_OK;
    }

    // IInkStroke over all strokes
    HRESULT GetBounds(int*, float* left, float* top, float* right, float* bottom) override
    {
        if (m_strokes.empty())
            return E_FAIL;
        QRectF all;
        for (IInkStroke* s : m_strokes) {
            float l, t, r, b;
            int unused;
            s->GetBounds(&unused, &l, &t, &r, &b);
            all = all.isNull() ? QRectF(QPointF(l, t), QPointF(r, b))
                               : all.united(QRectF(QPointF(l, t), QPointF(r, b)));
        }
        *left = all.left();
        *top = all.top();
        *right = all.right();
        *bottom = all.bottom();
        return S_OK;
    }

private:
    std::vector<IInkStroke*> m_strokes;
};
