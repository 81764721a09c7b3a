#include "boardsoft/BoardHubAgent.h"

#include "boardsoft/BoardHub.h"

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

void CBoardHubAgent::Wake()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_timer.isActive())
                m_timer.start();
        },
        Qt::QueuedConnection);
}

void CBoardHubAgent::Tick()
{
    m_hub->TickTray();
    if (!m_hub->TrayNeedsTick())
        m_timer.stop();
}

bool CBoardHubAgent::eventFilter(QObject* watched, QEvent* event)
{
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
