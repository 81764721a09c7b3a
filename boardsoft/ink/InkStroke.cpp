#include "boardsoft/ink/InkStroke.h"

#include "platform/com/ComServer.h"

#include <QPainter>
#include <cmath>
#include <cstring>

namespace {

CComClassRegistrar<CInkStroke> s_registrar(
    CLSID_InkStroke, "Obrisk Ink Stroke", "Obrisk.InkStroke.1", "Both");

bool finite(float v)
{
    return std::isfinite(v);
}

} // namespace

CInkStroke* CInkStroke::fromInterface(IUnknown* object)
{
    if (!object)
        return nullptr;
    void* found = nullptr;
    if (object->QueryInterface(IID_CInkStrokeObject, &found) != S_OK || !found)
        return nullptr;
    auto* stroke = static_cast<CInkStroke*>(found);
    stroke->Release(); // the caller holds its own reference
    return stroke;
}

void* CInkStroke::QueryInterfacePointer(REFIID iid)
{
    if (iid == IID_CInkStrokeObject)
        return this;
    return CComObject<IInkStroke>::QueryInterfacePointer(iid);
}

HRESULT CInkStroke::ReadProperty(int property, const VARIANT& value, COLORREF* colour, double* width)
{
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &value, 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
    const LONG v = number.lVal;
    switch (property) {
    case INK_PROPERTY_COLOUR:
        *colour = static_cast<COLORREF>(v) & 0x00FFFFFF;
        return S_OK;
    case INK_PROPERTY_WIDTH:
        if (v < 0)
            return E_INVALIDARG;
        *width = v;
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

HRESULT CInkStroke::CopyPoints(const std::vector<LONG>& values, int* count, LONG** points)
{
    if (!count || !points)
        return E_POINTER;
    *count = 0;
    *points = nullptr;
    if (values.empty())
        return S_OK;
    auto* block = static_cast<LONG*>(CoTaskMemAlloc(values.size() * sizeof(LONG)));
    if (!block)
        return E_OUTOFMEMORY;
    std::memcpy(block, values.data(), values.size() * sizeof(LONG));
    *count = static_cast<int>(values.size());
    *points = block;
    return S_OK;
}

HRESULT CInkStroke::WriteRect(const QRect& rect, float scale, RECT* bounds)
{
    if (!bounds)
        return E_POINTER;
    if (rect.isNull()) {
        *bounds = RECT { 0, 0, 0, 0 };
        return S_FALSE;
    }
    const double s = (finite(scale) && scale > 0) ? scale : 1.0;
    // Right and bottom are exclusive, as a RECT's are.
    bounds->left = static_cast<LONG>(std::floor(rect.left() * s));
    bounds->top = static_cast<LONG>(std::floor(rect.top() * s));
    bounds->right = static_cast<LONG>(std::ceil((rect.right() + 1) * s));
    bounds->bottom = static_cast<LONG>(std::ceil((rect.bottom() + 1) * s));
    return S_OK;
}

HRESULT CInkStroke::WriteBounds(const QRectF& rect, float* left, float* top, float* right, float* bottom)
{
    if (!left || !top || !right || !bottom)
        return E_POINTER;
    if (rect.isNull()) {
        *left = *top = *right = *bottom = 0;
        return S_FALSE;
    }
    *left = static_cast<float>(rect.left());
    *top = static_cast<float>(rect.top());
    *right = static_cast<float>(rect.right());
    *bottom = static_cast<float>(rect.bottom());
    return S_OK;
}

HRESULT CInkStroke::SetProperty(int property, VARIANT value)
{
    COLORREF colour = m_model.colour();
    double width = m_model.width();
    const HRESULT hr = ReadProperty(property, value, &colour, &width);
    if (FAILED(hr))
        return hr;
    m_model.setColour(colour);
    m_model.setWidth(width);
    return S_OK;
}

HRESULT CInkStroke::GetBoundingRect(int, float scale, RECT* bounds)
{
    return WriteRect(m_model.repaintRect(), scale, bounds);
}

HRESULT CInkStroke::EraseCircle(int x, int y, int radius, int* result, const EraseFunction& erase)
{
    if (!result)
        return E_POINTER;
    *result = 0;
    if (radius < 0)
        return E_INVALIDARG;
    *result = erase(CInkEraser::circle(QPointF(x, y), radius));
    return S_OK;
}

HRESULT CInkStroke::ErasePolygon(const float (&corners)[8], int* result, const EraseFunction& erase)
{
    if (!result)
        return E_POINTER;
    *result = 0;
    for (float v : corners) {
        if (!finite(v))
            return E_INVALIDARG;
    }
    *result = erase(CInkEraser::quadrilateral({ QPointF(corners[0], corners[1]),
        QPointF(corners[2], corners[3]), QPointF(corners[4], corners[5]), QPointF(corners[6], corners[7]) }));
    return S_OK;
}

HRESULT CInkStroke::EraseAtPoint(int x, int y, int radius, int* result)
{
    return EraseCircle(x, y, radius, result, [this](const CInkEraser& e) { return m_model.erase(e); });
}

HRESULT CInkStroke::EraseInPolygon(
    float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int* result)
{
    return ErasePolygon(
        { x1, y1, x2, y2, x3, y3, x4, y4 }, result, [this](const CInkEraser& e) { return m_model.erase(e); });
}

HRESULT CInkStroke::Draw(QPainter* graphics, int x, int y, float scale)
{
    if (!graphics)
        return E_POINTER;
    m_model.draw(*graphics, QPointF(x, y), (finite(scale) && scale > 0) ? scale : 1.0);
    return S_OK;
}

HRESULT CInkStroke::GetPoints(int, int* count, LONG** points)
{
    return CopyPoints(m_model.pointsInThousandths(), count, points);
}

HRESULT CInkStroke::Begin(QPainter* graphics, float x, float y, int, float)
{
    if (!finite(x) || !finite(y))
        return E_INVALIDARG;
    m_model.begin(QPointF(x, y), graphics);
    return S_OK;
}

HRESULT CInkStroke::AddPoint(QPainter* graphics, float x, float y, float, int)
{
    if (!finite(x) || !finite(y))
        return E_INVALIDARG;
    m_model.addPoint(QPointF(x, y), graphics);
    return S_OK;
}

HRESULT CInkStroke::End(QPainter* graphics, float x, float y, float)
{
    if (!finite(x) || !finite(y))
        return E_INVALIDARG;
    m_model.end(QPointF(x, y), graphics);
    return S_OK;
}

HRESULT CInkStroke::GetBounds(int* unused, float* left, float* top, float* right, float* bottom)
{
    if (unused)
        *unused = 0;
    return WriteBounds(m_model.bounds(), left, top, right, bottom);
}
