#include "control/ValtrixWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

// A surface with one pixel per device pixel of the screen, so cells and ink
// are drawn at the screen's resolution rather than scaled up from a small one.
QImage MakeSurface(QSize size, qreal ratio)
{
    const QSize logical = size.expandedTo(QSize(1, 1));
    QImage image(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // 96 dpi per logical pixel, the resolution the cells are measured at.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

bool Fits(const QImage& surface, QSize size, qreal ratio)
{
    return surface.size() == size.expandedTo(QSize(1, 1)) * ratio && surface.devicePixelRatio() == ratio;
}

} // namespace

CValtrixWidget::CValtrixWidget(Owner* owner, QWidget* parent)
    : QWidget(parent)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("CValtrixCtrl"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_buffer = MakeSurface(size(), devicePixelRatioF());
}

CValtrixWidget::~CValtrixWidget()
{
    EndLiveSurface();
    m_owner->OnWindowDestroyed();
}

void CValtrixWidget::Render()
{
    if (!Fits(m_buffer, size(), devicePixelRatioF()))
        m_buffer = MakeSurface(size(), devicePixelRatioF());
    QPainter painter(&m_buffer);
    m_owner->Render(painter, size(), hasFocus());
}

void CValtrixWidget::Invalidate()
{
    Render();
    update();
}

QPushButton* CValtrixWidget::CreateRecognizeButton()
{
    if (m_button)
        return m_button;
    m_button = new QPushButton(QStringLiteral("A"), this);
    m_button->setObjectName(QStringLiteral("RecognizeButton"));
    m_button->setProperty("controlId", kButtonId);
    m_button->setFlat(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setGeometry(0, 0, kButtonSize, kButtonSize);
    m_button->setEnabled(false);
    m_button->show();
    connect(m_button, &QPushButton::clicked, this, [this] { m_owner->OnRecognizeButton(); });
    PlaceButton();
    return m_button;
}

void CValtrixWidget::PlaceButton()
{
    if (m_button)
        m_button->move(width() - m_button->width(), 0);
}

QPainter* CValtrixWidget::BeginLiveSurface()
{
    EndLiveSurface();
    m_live = MakeSurface(size(), devicePixelRatioF());
    m_live.fill(Qt::transparent);
    m_livePainter = std::make_unique<QPainter>(&m_live);
    m_livePainter->setRenderHint(QPainter::Antialiasing);
    return m_livePainter.get();
}

void CValtrixWidget::EndLiveSurface()
{
    if (!m_livePainter)
        return;
    m_livePainter.reset();
    m_live = QImage();
    update();
}

void CValtrixWidget::UpdateLiveRect(const QRectF& rect)
{
    update(rect.toAlignedRect().adjusted(-2, -2, 2, 2));
}

void CValtrixWidget::DrawOverBuffer(const std::function<void(QPainter&)>& draw)
{
    if (!Fits(m_buffer, size(), devicePixelRatioF())) {
        Invalidate();
        return;
    }
    {
        QPainter painter(&m_buffer);
        draw(painter);
    }
    update();
}

void CValtrixWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    // Source rectangles are in the surfaces' own pixels.
    const auto pixels = [&area](const QImage& image) {
        const qreal r = image.devicePixelRatio();
        return QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r);
    };
    painter.drawImage(QRectF(area), m_buffer, pixels(m_buffer));
    if (!m_live.isNull())
        painter.drawImage(QRectF(area), m_live, pixels(m_live));
}

void CValtrixWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceButton();
    m_owner->OnResized();
    Render();
}

void CValtrixWidget::keyPressEvent(QKeyEvent* event)
{
    const int count = event->count() > 0 ? event->count() : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        m_owner->OnKeyDown(CAnswerGrid::Key::Left, count);
        return;
    case Qt::Key_Up:
        m_owner->OnKeyDown(CAnswerGrid::Key::Up, count);
        return;
    case Qt::Key_Right:
        m_owner->OnKeyDown(CAnswerGrid::Key::Right, count);
        return;
    case Qt::Key_Down:
        m_owner->OnKeyDown(CAnswerGrid::Key::Down, count);
        return;
    case Qt::Key_Delete:
        m_owner->OnKeyDown(CAnswerGrid::Key::Delete, count);
        return;
    case Qt::Key_Backspace:
        m_owner->OnChar(8);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const QChar ch : text)
        m_owner->OnChar(ch.unicode());
}

void CValtrixWidget::mousePressEvent(QMouseEvent* event)
{
    // Qt moves the focus on click only for clicks from the window system; the
    // click the game view posts to put the pupil in the answer field must take
    // it too, or the first digit typed goes to the view and is lost.
    if (!event->spontaneous() && (focusPolicy() & Qt::ClickFocus) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        m_owner->OnLeftButtonDown(static_cast<int>(event->position().x()));
    QWidget::mousePressEvent(event);
}

void CValtrixWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_owner->OnFocusChange(true);
}

void CValtrixWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_owner->OnFocusChange(false);
}

void CValtrixWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        Invalidate();
}
