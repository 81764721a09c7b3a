#include "boardsoft/ink/InkContainer.h"

#include "platform/com/ComServer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <new>

namespace {

CComClassRegistrar<CInkContainer> s_registrar(
    CLSID_InkContainer, "Obrisk Ink Container", "Obrisk.InkContainer.1", "Both");

} // namespace

CInkContainer::~CInkContainer()
{
    Clear();
}

HRESULT CInkContainer::Count(int* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<int>(m_strokes.size());
    return S_OK;
}

HRESULT CInkContainer::Item(int index, IInkStroke** stroke)
{
    if (!stroke)
        return E_POINTER;
    *stroke = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= m_strokes.size())
        return E_INVALIDARG;
    m_strokes[index]->AddRef();
    *stroke = m_strokes[index];
    return S_OK;
}

HRESULT CInkContainer::Remove(IInkStroke* stroke)
{
    CInkStroke* ours = CInkStroke::fromInterface(stroke);
    const auto it = std::find(m_strokes.begin(), m_strokes.end(), ours);
    if (!ours || it == m_strokes.end())
        return E_INVALIDARG;
    m_strokes.erase(it);
    m_removedRepaint = QRect();
    ours->Release();
    return S_OK;
}

HRESULT CInkContainer::Insert(IInkStroke* stroke, int index)
{
    CInkStroke* ours = CInkStroke::fromInterface(stroke);
    if (!ours)
        return E_INVALIDARG;
    if (std::find(m_strokes.begin(), m_strokes.end(), ours) != m_strokes.end())
        return E_INVALIDARG;
    const int count = static_cast<int>(m_strokes.size());
    if (index == -1)
        index = count;
    if (index < 0 || index > count)
        return E_INVALIDARG;
    ours->AddRef();
    m_strokes.insert(m_strokes.begin() + index, ours);
    m_removedRepaint = QRect();
    return S_OK;
}

HRESULT CInkContainer::Clear()
{
    std::vector<CInkStroke*> strokes;
    strokes.swap(m_strokes);
    for (CInkStroke* s : strokes)
        s->Release();
    m_removedRepaint = QRect();
    return S_OK;
}

HRESULT CInkContainer::SetProperty(int property, VARIANT value)
{
    COLORREF colour = 0;
    double width = 1;
    const HRESULT hr = CInkStroke::ReadProperty(property, value, &colour, &width);
    if (FAILED(hr))
        return hr;
    for (CInkStroke* s : m_strokes) {
        if (property == INK_PROPERTY_COLOUR)
            s->model().setColour(colour);
        else
            s->model().setWidth(width);
    }
    return S_OK;
}

HRESULT CInkContainer::GetBoundingRect(int, float scale, RECT* bounds)
{
    QRect all = m_removedRepaint;
    for (const CInkStroke* s : m_strokes)
        all = all.united(s->model().repaintRect());
    return CInkStroke::WriteRect(all, scale, bounds);
}

int CInkContainer::erase(const CInkEraser& eraser)
{
    int result = CInkStrokeModel::Untouched;
    m_removedRepaint = QRect();
    std::vector<CInkStroke*> after;
    after.reserve(m_strokes.size());
    for (CInkStroke* s : m_strokes) {
        const int r = s->model().erase(eraser);
        result = std::max(result, r);
        CInkStrokeModel& model = s->model();
        if (r == CInkStrokeModel::Untouched || model.pieces().size() == 1) {
            after.push_back(s);
            continue;
        }
        if (model.isEmpty()) {
            m_removedRepaint = m_removedRepaint.united(model.repaintRect());
            s->Release();
            continue;
        }
        // Cut in several pieces: the stroke keeps the first, new strokes with
        // the same pen take the others, in order.
        std::vector<CInkStrokeModel::Piece> pieces = model.pieces();
        model.setPieces({ pieces[0] });
        after.push_back(s);
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            auto* extra = new (std::nothrow) CInkStroke;
            if (!extra) {
                // Keep the ink rather than lose it: the piece stays in the original.
                std::vector<CInkStrokeModel::Piece> rest(pieces.begin() + static_cast<long>(i), pieces.end());
                rest.insert(rest.begin(), model.pieces()[0]);
                model.setPieces(rest);
                break;
            }
            extra->model().setColour(model.colour());
            extra->model().setWidth(model.width());
            extra->model().setPieces({ pieces[i] });
            after.push_back(extra); // the reference from new is the container's
        }
    }
    m_strokes.swap(after);
    return result;
}

HRESULT CInkContainer::EraseAtPoint(int x, int y, int radius, int* result)
{
    return CInkStroke::EraseCircle(x, y, radius, result, [this](const CInkEraser& e) { return erase(e); });
}

HRESULT CInkContainer::EraseInPolygon(
    float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int* result)
{
    return CInkStroke::ErasePolygon(
        { x1, y1, x2, y2, x3, y3, x4, y4 }, result, [this](const CInkEraser& e) { return erase(e); });
}

HRESULT CInkContainer::Draw(QPainter* graphics, int x, int y, float scale)
{
    if (!graphics)
        return E_POINTER;
    const double s = (std::isfinite(scale) && scale > 0) ? scale : 1.0;
    for (const CInkStroke* stroke : m_strokes)
        stroke->model().draw(*graphics, QPointF(x, y), s);
    return S_OK;
}

HRESULT CInkContainer::GetPoints(int, int* count, LONG** points)
{
    std::vector<LONG> all;
    for (const CInkStroke* s : m_strokes) {
        const std::vector<LONG> some = s->model().pointsInThousandths();
        all.insert(all.end(), some.begin(), some.end());
    }
    return CInkStroke::CopyPoints(all, count, points);
}

HRESULT CInkContainer::Begin(QPainter*, float, float, int, float)
{
    return E_NOTIMPL;
}

HRESULT CInkContainer::AddPoint(QPainter*, float, float, float, int)
{
    return E_NOTIMPL;
}

HRESULT CInkContainer::End(QPainter*, float, float, float)
{
    return E_NOTIMPL;
}

HRESULT CInkContainer::GetBounds(int* unused, float* left, float* top, float* right, float* bottom)
{
    if (unused)
        *unused = 0;
    QRectF all;
    for (const CInkStroke* s : m_strokes) {
        const QRectF b = s->model().bounds();
        if (!b.isNull())
            all = all.isNull() ? b : all.united(b);
    }
    return CInkStroke::WriteBounds(all, left, top, right, bottom);
}
