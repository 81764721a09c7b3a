#include "boardsoft/PointerNormaliser.h"

#include <QEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTouchEvent>

BoardTool CPointerNormaliser::ToolOf(const QTabletEvent* event)
{
    if (event->pointerType() == QPointingDevice::PointerType::Eraser)
        return BoardTool::Eraser;
    // Drivers that report the eraser end as a device of its own name it so.
    const QPointingDevice* device = event->pointingDevice();
    if (device && device->name().contains(QLatin1String("eraser"), Qt::CaseInsensitive))
        return BoardTool::Eraser;
    return BoardTool::Pen;
}

std::optional<PointerSample> CPointerNormaliser::Normalise(const QEvent* event) const
{
    switch (event->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TabletEnterProximity:
    case QEvent::TabletLeaveProximity:
        return FromTablet(static_cast<const QTabletEvent*>(event));
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        if (m_touchAsPen)
            return FromTouch(static_cast<const QTouchEvent*>(event));
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<PointerSample> CPointerNormaliser::FromTablet(const QTabletEvent* event) const
{
    PointerSample s;
    s.tool = ToolOf(event);
    const QPointingDevice* device = event->pointingDevice();
    QString key = QStringLiteral("tablet:");
    if (device) {
        key += device->uniqueId().isValid() ? QString::number(device->uniqueId().numericId())
                                            : device->name();
        key += QLatin1Char(':') + QString::number(device->systemId());
    }
    s.deviceKey = key + (s.tool == BoardTool::Eraser ? QLatin1String("/eraser") : QLatin1String("/pen"));
    s.position = event->position();
    s.globalPosition = event->globalPosition();
    s.value = qBound(0, qRound(event->pressure() * 1000.0), 1000);
    switch (event->type()) {
    case QEvent::TabletPress:
        s.phase = SamplePhase::Down;
        break;
    case QEvent::TabletRelease:
        s.phase = SamplePhase::Up;
        break;
    case QEvent::TabletEnterProximity:
        s.phase = SamplePhase::Enter;
        break;
    case QEvent::TabletLeaveProximity:
        s.phase = SamplePhase::Leave;
        break;
    default:
        // A move is in contact while the tip is pressed.
        s.phase = (event->buttons() & Qt::LeftButton) ? SamplePhase::Move : SamplePhase::Hover;
        break;
    }
    return s;
}

std::optional<PointerSample> CPointerNormaliser::FromTouch(const QTouchEvent* event) const
{
    if (event->points().isEmpty())
        return std::nullopt;
    // The first finger is the pen; further fingers are ignored.
    const QEventPoint& point = event->points().first();
    PointerSample s;
    s.tool = BoardTool::Pen;
    const QPointingDevice* device = event->pointingDevice();
    s.deviceKey = QStringLiteral("touch:") + (device ? device->name() : QString());
    // A touch point's widget position is only set on the way through the window
    // system; the screen position is always there.
    s.position = point.position();
    s.globalPosition = point.globalPosition();
    s.value = 1000;
    switch (event->type()) {
    case QEvent::TouchBegin:
        s.phase = SamplePhase::Down;
        break;
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        s.phase = SamplePhase::Up;
        break;
    default:
        s.phase = SamplePhase::Move;
        break;
    }
    return s;
}
