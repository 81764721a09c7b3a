#include "boardsoft/BoardHubAgent.h"

#include "boardsoft/BoardHub.h"
#include "platform/com/TsanAnnotations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputDevice>
#include <QMouseEvent>
#include <QPointerEvent>
#include <QPointingDevice>
#include <QTouchEvent>
#include <QWidget>
#include <chrono>

CBoardHubAgent::CBoardHubAgent(CBoardHub* hub)
    : m_hub(hub)
    , m_timer(this)
{
    setObjectName(QStringLiteral("ObriskBoard"));
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

namespace {

QEvent::Type WakeEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

void CBoardHubAgent::Wake()
{
    // Any thread: the timer starts on the application thread.
    auto* wake = new QEvent(WakeEventType());
    TsanRelease(wake);
    QCoreApplication::postEvent(this, wake);
}

namespace {

QEvent::Type MouseEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

struct MouseContactEvent : QEvent
{
    MouseContactEvent(unsigned int h, SamplePhase p, QPoint at)
        : QEvent(MouseEventType())
        , handle(h)
        , phase(p)
        , position(at)
    {
    }
    unsigned int handle;
    SamplePhase phase;
    QPoint position;
};

} // namespace

void CBoardHubAgent::PostMouse(unsigned int handle, SamplePhase phase, QPoint position)
{
    auto* e = new MouseContactEvent(handle, phase, position);
    TsanRelease(e);
    QCoreApplication::postEvent(this, e);
}

void CBoardHubAgent::DeliverMouse(unsigned int handle, SamplePhase phase, QPoint position)
{
    QWidget* window = m_hub->WidgetOf(handle);
    if (phase == SamplePhase::Down) {
        if (!window)
            return;
        QWidget* child = window->childAt(position);
        m_mouseGrab = child ? child : window;
    }
    QWidget* target = m_mouseGrab.data();
    if (!target || !window)
        return;
    const QPoint global = window->mapToGlobal(position);
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const QEvent::Type type = phase == SamplePhase::Down ? QEvent::MouseButtonPress
        : phase == SamplePhase::Up                       ? QEvent::MouseButtonRelease
                                                         : QEvent::MouseMove;
    QMouseEvent mouse(type, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &mouse);
    if (phase == SamplePhase::Up)
        m_mouseGrab.clear();
}

bool CBoardHubAgent::event(QEvent* e)
{
    TsanAcquire(e);
    if (e->type() == MouseEventType()) {
        auto* contact = static_cast<MouseContactEvent*>(e);
        DeliverMouse(contact->handle, contact->phase, contact->position);
        return true;
    }
    if (e->type() == WakeEventType()) {
        if (!m_timer.isActive())
            m_timer.start();
        return true;
    }
    return QObject::event(e);
}

std::optional<PointerSample> CBoardHubAgent::TouchSample(
    const QTouchEvent* touch, CTouchGate::Mode mode, long long now)
{
    if (!CTouchGate::TouchWrites(mode, QInputDevice::devices()))
        return std::nullopt;
    const QPointingDevice* device = touch->pointingDevice();
    const bool sized = device && device->capabilities().testFlag(QInputDevice::Capability::Area);
    const QEventPoint* chosen = nullptr;
    for (const QEventPoint& p : touch->points()) {
        if (m_gate.IsWriting(p.id())
            || (p.state() == QEventPoint::State::Pressed && !m_gate.Writing()
                && m_gate.Begin(p.id(), sized ? p.ellipseDiameters() : QSizeF(), now))) {
            chosen = &p;
            break;
        }
    }
    if (!chosen)
        return std::nullopt;
    PointerSample s;
    s.tool = BoardTool::Pen;
    s.deviceKey = QStringLiteral("touch:") + (device ? device->name() : QString());
    s.position = chosen->position();
    s.globalPosition = chosen->globalPosition();
    s.value = 1000;
    m_touchId = chosen->id();
    if (touch->type() == QEvent::TouchCancel || chosen->state() == QEventPoint::State::Released) {
        s.phase = SamplePhase::Up;
        s.value = 0;
        m_gate.End(chosen->id());
    } else if (chosen->state() == QEventPoint::State::Pressed) {
        s.phase = SamplePhase::Down;
    } else {
        s.phase = SamplePhase::Move;
    }
    return s;
}

void CBoardHubAgent::Tick()
{
    m_hub->TickTray();
    if (!m_hub->TrayNeedsTick())
        m_timer.stop();
}

bool CBoardHubAgent::eventFilter(QObject* watched, QEvent* event)
{
    // We see every event of the application, including those posted by other threads.
    TsanAcquire(event);
    switch (event->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TabletEnterProximity:
    case QEvent::TabletLeaveProximity:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    // Proximity goes to the application; everything else is seen once per widget
    // it is sent to (the window first, which is not a widget and is skipped).
    QWidget* receiver = qobject_cast<QWidget*>(watched);
    const bool proximity
        = event->type() == QEvent::TabletEnterProximity || event->type() == QEvent::TabletLeaveProximity;
    if (!receiver && !proximity)
        return false;
    const auto* pointer = static_cast<const QPointerEvent*>(event);
    const QPointF global
        = !pointer->points().isEmpty() ? pointer->points().first().globalPosition() : QPointF();
    if (m_seen.device == pointer->pointingDevice() && m_seen.type == event->type()
        && (m_seen.timestamp == pointer->timestamp() || pointer->timestamp() == 0)
        && m_seen.globalPosition == global && receiver && m_seen.receiver
        && receiver->isAncestorOf(m_seen.receiver)) {
        // The same event on its way to a parent: decided already.
        return m_seen.accepted;
    }
    m_seen = Seen { pointer->pointingDevice(), receiver, event->type(), pointer->timestamp(), global, false };
    const bool touch = event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate
        || event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
    const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
                              .count();
    std::optional<PointerSample> sample;
    if (touch) {
        const CTouchGate::Mode mode = m_hub->Settings().touchMode;
        sample = TouchSample(static_cast<const QTouchEvent*>(event), mode, now);
        if (!sample && receiver && CTouchGate::TouchWrites(mode, QInputDevice::devices())
            && m_hub->IsInkAt(receiver, receiver->mapFromGlobal(global))) {
            // A resting hand or a second finger over ink: neither ink nor a click.
            event->accept();
            m_seen.accepted = true;
            return true;
        }
    } else {
        m_gate.PenActivity(now);
        sample = CPointerNormaliser().Normalise(event);
    }
    if (!sample)
        return false;
    if (touch && receiver)
        sample->position = receiver->mapFromGlobal(sample->globalPosition);
    const bool accept = m_hub->ProcessQt(receiver, *sample);
    if (touch && !accept && sample->phase == SamplePhase::Down) {
        // Qt sends the rest of a touch nobody took as mouse input only: end the
        // contact for the board and the gate now.
        PointerSample up = *sample;
        up.phase = SamplePhase::Up;
        up.value = 0;
        m_hub->ProcessQt(receiver, up);
        m_gate.End(m_touchId);
    }
    m_seen.accepted = accept;
    Wake();
    if (accept) {
        event->accept();
        return true;
    }
    return false;
}
