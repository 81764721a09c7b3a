#include "views/StackElement.h"

#include <QPainter>
#include <algorithm>

CStackElement::CStackElement(const QImage* top, const QImage* bottom)
    : m_top(std::make_unique<CImageElement>(top, 2))
    , m_bottom(std::make_unique<CImageElement>(bottom, 3))
{
    m_width = std::max(m_top->GetWidth(), m_bottom->GetWidth());
    m_height = m_top->GetHeight() + m_bottom->GetHeight();
    m_top->SetPosition((m_width - m_top->GetWidth()) / 2, 0);
    m_bottom->SetPosition((m_width - m_bottom->GetWidth()) / 2, m_top->GetHeight());
}

void CStackElement::Draw(QPainter& painter) const
{
    painter.translate(X(), Y());
    m_bottom->Draw(painter);
    m_top->Draw(painter);
    painter.translate(-X(), -Y());
}

int CStackElement::HitTest(int x, int y) const
{
    const int code = m_top->HitTest(x - X(), y - Y());
    return code != 0 ? code : m_bottom->HitTest(x - X(), y - Y());
}
