#include "views/ScribbleLayer.h"

#include "views/SceneHost.h"

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

std::uint32_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

QRect FromRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Windows-style union: an empty rectangle adds nothing.
void Unite(QRect& into, const QRect& other)
{
    if (other.isEmpty())
        return;
    into = into.isEmpty() ? other : into.united(other);
}

// Takes a stroke rubbed out completely (no point left) out of the question's
// ink; true when it did. Left there, every stroke ever rubbed out would be walked
// by each later erase and render of the question, and kept with it.
bool DropIfRubbedOut(IInkContainer& container, IInkStroke* stroke)
{
    int values = 0;
    LONG* points = nullptr;
    const bool empty = SUCCEEDED(stroke->GetPoints(0, &values, &points)) && values == 0;
    CoTaskMemFree(points);
    return empty && SUCCEEDED(container.Remove(stroke));
}

} // namespace

CScribbleLayer::CScribbleLayer(Clock clock, Factory factory)
    : m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds))
    , m_factory(factory ? std::move(factory) : Factory([](REFCLSID clsid, REFIID iid, void** object) {
        return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
    }))
{
}

CScribbleLayer::~CScribbleLayer() = default;

void CScribbleLayer::SetQuestion(CComPtr<IInkContainer>* ink)
{
    m_question = ink;
    Clear();
}

void CScribbleLayer::Clear()
{
    m_stroke.Reset();
    m_eraseTarget.Reset();
    m_surface = nullptr;
    m_liveHost = nullptr;
    m_path.clear();
}

QRect CScribbleLayer::Square(int x, int y) const
{
    return QRect(x - m_radius, y - m_radius, 2 * m_radius, 2 * m_radius);
}

void CScribbleLayer::DrawLive(const std::function<void(QPainter*)>& draw)
{
    if (!m_surface) {
        draw(nullptr);
        return;
    }
    QPainter painter(m_surface);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(&painter);
}

void CScribbleLayer::BeginStroke(
    QPaintDevice* surface, CSceneHost* host, int x, int y, COLORREF colour, int width)
{
    Clear();
    if (FAILED(m_factory(CLSID_InkStroke, IID_IInkStroke, m_stroke.ReceiveVoid())) || !m_stroke) {
        m_stroke.Reset();
        return;
    }
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = static_cast<LONG>(colour);
    m_stroke->SetProperty(INK_PROPERTY_COLOUR, value);
    VariantClear(&value);
    value.vt = VT_I4;
    value.lVal = width;
    m_stroke->SetProperty(INK_PROPERTY_WIDTH, value);
    VariantClear(&value);

    m_surface = surface;
    m_liveHost = host;
    m_strokeWidth = std::max(1, width);
    m_lastStrokePoint = QPoint(x, y);
    DrawLive([&](QPainter* p) { m_stroke->Begin(p, float(x), float(y), 0, 1.0f); });
    if (m_liveHost) {
        const int m = m_strokeWidth + 2;
        m_liveHost->Invalidate(QRect(x - m, y - m, 2 * m, 2 * m));
    }
}

void CScribbleLayer::AddStrokePoint(int x, int y)
{
    if (!m_stroke)
        return;
    DrawLive([&](QPainter* p) { m_stroke->AddPoint(p, float(x), float(y), 1.0f, 0); });
    if (m_liveHost) {
        const int m = m_strokeWidth + 2;
        m_liveHost->Invalidate(QRect(m_lastStrokePoint, QPoint(x, y)).normalized().adjusted(-m, -m, m, m));
    }
    m_lastStrokePoint = QPoint(x, y);
}

QRect CScribbleLayer::EndStroke(int x, int y)
{
    if (!m_stroke)
        return QRect();
    DrawLive([&](QPainter* p) { m_stroke->End(p, float(x), float(y), 1.0f); });
    if (m_question) {
        CComPtr<IInkContainer>& ink = *m_question;
        if (!ink) {
            if (FAILED(m_factory(CLSID_InkContainer, IID_IInkContainer, ink.ReceiveVoid())))
                ink.Reset();
        }
        // Without a container the stroke stays on screen only until its area is re-rendered.
        if (ink)
            ink->Insert(m_stroke.Get(), -1);
    }
    RECT bounds {};
    QRect result;
    if (SUCCEEDED(m_stroke->GetBoundingRect(0, 1.0f, &bounds)))
        result = FromRect(bounds);
    Clear();
    return result;
}

void CScribbleLayer::BeginErase(int x, int y, CSceneHost& host, int radius)
{
    Clear();
    if (!m_question || !*m_question)
        return;
    CComPtr<IInkStroke> target;
    if (FAILED((*m_question)->QueryInterface(IID_IInkStroke, target.ReceiveVoid())) || !target)
        return;
    m_eraseTarget = target;
    m_radius = radius;
    m_path.assign(1, QPoint(x, y));
    m_lastEraseTime = m_clock();
    QRect dirty = Square(x, y);
    PointErase(x, y, dirty);
    host.RenderBackground(&dirty);
    host.UpdateWindow();
}

void CScribbleLayer::EraseMove(int x, int y, CSceneHost& host)
{
    if (!m_eraseTarget)
        return;
    const QPoint last = m_path.back();
    const int dx = x - last.x();
    const int dy = y - last.y();
    if (dx * dx + dy * dy < kMinEraseStep * kMinEraseStep)
        return;
    m_path.emplace_back(x, y);
    const std::uint32_t now = m_clock();
    if (now - m_lastEraseTime < kErasePassMs)
        return;
    m_lastEraseTime = now;
    QRect dirty = Square(x, y);
    EraseAlongPath(dirty);
    host.RenderBackground(&dirty);
    host.UpdateWindow();
}

void CScribbleLayer::EndErase(int x, int y, CSceneHost& host)
{
    if (!m_eraseTarget) {
        Clear();
        return;
    }
    m_path.emplace_back(x, y);
    QRect dirty = Square(x, y);
    EraseAlongPath(dirty);
    Clear();
    host.RenderBackground(&dirty);
    host.UpdateWindow();
}

void CScribbleLayer::EraseAlongPath(QRect& dirty)
{
    if (!m_eraseTarget || m_path.size() < 2)
        return;
    Unite(dirty, Square(m_path.front().x(), m_path.front().y()));
    for (size_t i = 1; i < m_path.size(); ++i) {
        const double x1 = m_path[i - 1].x(), y1 = m_path[i - 1].y();
        const double x2 = m_path[i].x(), y2 = m_path[i].y();
        const double dx = x2 - x1, dy = y2 - y1;
        const double len = std::sqrt(dx * dx + dy * dy);
        if (len > 0) {
            // A band as wide as the eraser along the segment, so a fast swipe
            // erases everything between two recorded points.
            const double u = m_radius * dy / len;
            const double v = m_radius * dx / len;
            const float quad[8] = { float(x1 + u), float(y1 - v), float(x1 - u), float(y1 + v), float(x2 - u),
                float(y2 + v), float(x2 + u), float(y2 - v) };
            PolygonErase(quad, dirty);
            PointErase(m_path[i].x(), m_path[i].y(), dirty);
        }
    }
    m_path.erase(m_path.begin(), m_path.end() - 1);
}

void CScribbleLayer::PointErase(int x, int y, QRect& dirty)
{
    EraseEachStroke(Square(x, y), dirty,
        [&](IInkStroke& stroke, int* result) { return stroke.EraseAtPoint(x, y, m_radius, result); });
}

void CScribbleLayer::PolygonErase(const float quad[8], QRect& dirty)
{
    const float minX = std::min({ quad[0], quad[2], quad[4], quad[6] });
    const float maxX = std::max({ quad[0], quad[2], quad[4], quad[6] });
    const float minY = std::min({ quad[1], quad[3], quad[5], quad[7] });
    const float maxY = std::max({ quad[1], quad[3], quad[5], quad[7] });
    EraseEachStroke(QRect(int(minX), int(minY), int(maxX) - int(minX), int(maxY) - int(minY)), dirty,
        [&](IInkStroke& stroke, int* result) {
            return stroke.EraseInPolygon(
                quad[0], quad[1], quad[2], quad[3], quad[4], quad[5], quad[6], quad[7], result);
        });
}

void CScribbleLayer::EraseEachStroke(
    QRect local, QRect& dirty, const std::function<HRESULT(IInkStroke&, int*)>& erase)
{
    if (!m_eraseTarget || !m_question || !*m_question)
        return;
    IInkContainer* container = m_question->Get();
    int count = 0;
    if (FAILED(container->Count(&count)))
        return;
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        CComPtr<IInkStroke> stroke;
        if (FAILED(container->Item(i, stroke.Receive())) || !stroke)
            continue;
        int result = 0;
        if (FAILED(erase(*stroke.Get(), &result)))
            continue;
        if (result != 0)
            changed = true;
        RECT bounds {};
        if (result == 2 && SUCCEEDED(stroke->GetBoundingRect(0, 1.0f, &bounds)))
            Unite(local, FromRect(bounds));
        if (result != 0 && DropIfRubbedOut(*container, stroke.Get())) {
            --i;
            --count;
        }
    }
    if (changed)
        Unite(dirty, local);
}

int CScribbleLayer::StrokeCount() const
{
    int count = 0;
    if (!m_question || !*m_question || FAILED((*m_question)->Count(&count)))
        return 0;
    // A stroke rubbed out completely may stay in the container without ink.
    int withInk = 0;
    for (int i = 0; i < count; ++i) {
        CComPtr<IInkStroke> stroke;
        int values = 0;
        LONG* points = nullptr;
        if (SUCCEEDED((*m_question)->Item(i, stroke.Receive())) && stroke
            && SUCCEEDED(stroke->GetPoints(0, &values, &points)) && values > 0)
            ++withInk;
        CoTaskMemFree(points);
    }
    return withInk;
}

void CScribbleLayer::DrawInk(QPainter& painter) const
{
    if (!m_question || !*m_question)
        return;
    CComPtr<IInkStroke> all;
    if (SUCCEEDED((*m_question)->QueryInterface(IID_IInkStroke, all.ReceiveVoid())) && all)
        all->Draw(&painter, 0, 0, 1.0f);
}

void CScribbleLayer::DrawEraser(QPainter& painter) const
{
    if (m_path.empty())
        return;
    const QPoint p = m_path.back();
    const QRectF box(p.x() - m_radius, p.y() - m_radius, 2 * m_radius - 1, 2 * m_radius - 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromRgba(0xFFC8C8C8));
    painter.setPen(QPen(QColor::fromRgba(0xFF646464), 1.0));
    painter.drawEllipse(box);
    painter.restore();
}
