#include "views/Manipulatives.h"

#include "views/SceneHost.h"
#include "views/StackElement.h"

#include <QPainter>
#include <stdexcept>

CManipulatives::CManipulatives(QImage apple, QImage pile, QImage bowl)
    : m_apple(std::move(apple))
    , m_pile(std::move(pile))
    , m_bowl(std::move(bowl))
{
    auto stack = std::make_unique<CStackElement>(&m_pile, &m_bowl);
    // Off-screen until the first layout puts the bowl in the corner.
    stack->SetPosition(-stack->GetWidth() - 1, -stack->GetHeight() - 1);
    m_elements.push_back(std::move(stack));
}

CManipulatives::~CManipulatives() = default;

void CManipulatives::SetImages(QImage apple, QImage pile, QImage bowl)
{
    // The elements point at the images: drop every one before replacing them.
    const QRect old = GetBowlRect();
    const bool parked = old.right() < 0 && old.bottom() < 0;
    m_elements.clear();
    m_fading.reset();
    m_dragCode = HitNone;
    m_dragIndex = -1;
    m_apple = std::move(apple);
    m_pile = std::move(pile);
    m_bowl = std::move(bowl);
    auto stack = std::make_unique<CStackElement>(&m_pile, &m_bowl);
    // A bowl still parked off-screen stays clear of the window at its new size.
    if (parked)
        stack->SetPosition(-stack->GetWidth() - 1, -stack->GetHeight() - 1);
    else
        stack->SetPosition(old.x(), old.y());
    m_elements.push_back(std::move(stack));
}

const CSceneElement& CManipulatives::Element(int index) const
{
    if (index < 0 || index >= ElementCount())
        throw std::invalid_argument("scene element index out of range");
    return *m_elements[static_cast<size_t>(index)];
}

void CManipulatives::Reset()
{
    m_dragCode = HitNone;
    m_dragIndex = -1;
    m_elements.resize(1);
}

void CManipulatives::SetBowlPosition(int x, int y)
{
    m_elements.front()->SetPosition(x, y);
}

QRect CManipulatives::GetBowlRect() const
{
    return m_elements.front()->Rect();
}

bool CManipulatives::HitAny(int x, int y) const
{
    if (!m_visible)
        return false;
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        if ((*it)->HitTest(x, y) != HitNone)
            return true;
    }
    return false;
}

void CManipulatives::Press(int x, int y)
{
    if (!m_visible)
        return;
    m_dragIndex = -1;
    m_dragCode = HitNone;
    for (int i = ElementCount() - 1; i >= 0; --i) {
        const int code = m_elements[static_cast<size_t>(i)]->HitTest(x, y);
        if (code != HitNone) {
            m_lastX = x;
            m_lastY = y;
            m_dragIndex = i;
            m_dragCode = code;
            return;
        }
    }
}

void CManipulatives::Drag(int x, int y, CSceneHost& host)
{
    if (!m_visible)
        return;
    QRect dirty;
    switch (m_dragCode) {
    case HitApple:
    case HitBowlBase: {
        if (m_dragIndex < 0 || m_dragIndex >= ElementCount())
            return;
        CSceneElement& element = *m_elements[static_cast<size_t>(m_dragIndex)];
        const QRect before = element.Rect();
        element.MoveBy(x - m_lastX, y - m_lastY);
        dirty = before.united(element.Rect());
        break;
    }
    case HitPile: {
        const int dx = x - m_lastX;
        const int dy = y - m_lastY;
        if (dx * dx + dy * dy < kPullOutDistance * kPullOutDistance)
            return;
        auto apple = std::make_unique<CImageElement>(&m_apple, HitApple);
        apple->SetPosition(x - apple->GetWidth() / 2, y - apple->GetHeight() / 2);
        const int code = apple->HitTest(x, y);
        dirty = apple->Rect();
        m_elements.push_back(std::move(apple));
        // The drag goes on as an apple drag only when the pointer is on the apple.
        m_dragCode = code;
        m_dragIndex = code != HitNone ? ElementCount() - 1 : -1;
        break;
    }
    default:
        return;
    }
    host.RenderBackground(&dirty);
    m_lastX = x;
    m_lastY = y;
    host.UpdateWindow();
}

void CManipulatives::Release(int x, int y, CSceneHost& host)
{
    if (!m_visible)
        return;
    Drag(x, y, host);
    if (m_dragCode == HitApple && m_dragIndex > 0 && m_dragIndex < ElementCount()) {
        const int overBowl = m_elements.front()->HitTest(x, y);
        if (overBowl == HitPile || overBowl == HitBowlBase) {
            std::unique_ptr<CSceneElement> apple = std::move(m_elements[static_cast<size_t>(m_dragIndex)]);
            m_elements.erase(m_elements.begin() + m_dragIndex);
            FadeOut(*apple, host);
            const QRect area = apple->Rect();
            host.RenderBackground(&area);
            host.UpdateWindow();
        }
    }
    m_dragIndex = -1;
    m_dragCode = HitNone;
}

void CManipulatives::FadeOut(const CSceneElement& apple, CSceneHost& host)
{
    const QRect area = apple.Rect();
    if (area.isEmpty())
        return;
    // Straight (not premultiplied) alpha, so each step only touches the alpha
    // byte; at the apple's own resolution, so it stays sharp while it fades.
    const qreal ratio = m_apple.isNull() ? 1.0 : m_apple.devicePixelRatio();
    m_fadeImage = QImage(
        qRound(area.width() * ratio), qRound(area.height() * ratio), QImage::Format_ARGB32);
    m_fadeImage.setDevicePixelRatio(ratio);
    m_fadeImage.fill(Qt::transparent);
    {
        QPainter painter(&m_fadeImage);
        painter.translate(-area.x(), -area.y());
        apple.Draw(painter);
    }
    m_fading = std::make_unique<CImageElement>(&m_fadeImage, HitApple);
    m_fading->SetPosition(area.x(), area.y());

    for (int step = 0; step < kFadeSteps; ++step) {
        for (int row = 0; row < m_fadeImage.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(m_fadeImage.scanLine(row));
            for (int col = 0; col < m_fadeImage.width(); ++col) {
                const QRgb p = line[col];
                line[col] = qRgba(qRed(p), qGreen(p), qBlue(p), 2 * qAlpha(p) / 3);
            }
        }
        host.RenderBackground(&area);
        host.UpdateWindow();
        host.Sleep(kFadeStepMs);
    }
    m_fading.reset();
    m_fadeImage = QImage();
}

void CManipulatives::Draw(QPainter& painter) const
{
    if (!m_visible)
        return;
    for (const auto& element : m_elements)
        element->Draw(painter);
    if (m_fading)
        m_fading->Draw(painter);
}
