#include "boardsoft/BoardHubAgent.h"

#include "boardsoft/BoardHub.h"
#include "platform/com/TsanAnnotations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

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

bool CBoardHubAgent::event(QEvent* e)
{
    TsanAcquire(e);
    if (e->type() == WakeEventType()) {
        if (!m_timer.isActive())
            m_timer.start();
        return true;
    }
    return QObject::event(e);
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
    std::optional<PointerSample> sample;
    {
        CBoardSettings settings = m_hub->Settings();
        CPointerNormaliser normaliser;
        normaliser.SetTouchAsPen(settings.touchAsPen);
        sample = normaliser.Normalise(event);
    }
    if (!sample)
        return false;
    const bool touch = event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate
        || event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
    if (touch && receiver)
        sample->position = receiver->mapFromGlobal(sample->globalPosition);
    const bool accept = m_hub->ProcessQt(receiver, *sample);
    Wake();
    if (accept) {
        event->accept();
        return true;
    }
    return false;
}
