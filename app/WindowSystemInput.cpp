#include "app/WindowSystemInput.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QPointingDevice>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <private/qhighdpiscaling_p.h>
#include <qpa/qwindowsysteminterface.h>
#include <qpa/qwindowsysteminterface_p.h>

namespace {

QPointingDevice* MakeDevice(CWindowSystemInput::Tool tool)
{
    using Tool = CWindowSystemInput::Tool;
    QPointingDevice* device = nullptr;
    if (tool == Tool::Touch) {
        device = new QPointingDevice(QStringLiteral("board touch panel"), 7301,
            QInputDevice::DeviceType::TouchScreen, QPointingDevice::PointerType::Finger,
            QInputDevice::Capability::Position | QInputDevice::Capability::Area
                | QInputDevice::Capability::NormalizedPosition,
            10, 0, QString(), QPointingDeviceUniqueId(), qApp);
    } else {
        // X11 names the eraser end as a device of its own.
        const bool eraser = tool == Tool::Eraser;
        device = new QPointingDevice(
            eraser ? QStringLiteral("board stylus eraser") : QStringLiteral("board stylus pen"),
            eraser ? 7202 : 7201, QInputDevice::DeviceType::Stylus,
            eraser ? QPointingDevice::PointerType::Eraser : QPointingDevice::PointerType::Pen,
            QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3, QString(),
            QPointingDeviceUniqueId::fromNumericId(eraser ? 5102 : 5101), qApp);
    }
    QWindowSystemInterface::registerInputDevice(device);
    return device;
}

} // namespace

CWindowSystemInput::CWindowSystemInput()
    : m_savedSynthesis(QWindowSystemInterfacePrivate::TabletEvent::platformSynthesizesMouse)
{
    m_clock.start();
    // The X11 plugin leaves the mouse events of unaccepted tablet events to Qt.
    QWindowSystemInterfacePrivate::TabletEvent::platformSynthesizesMouse = false;
}

CWindowSystemInput::~CWindowSystemInput()
{
    QWindowSystemInterfacePrivate::TabletEvent::platformSynthesizesMouse = m_savedSynthesis;
}

const QPointingDevice* CWindowSystemInput::Device(Tool tool)
{
    // Made when first used (a touch-only panel lists no stylus), owned by the
    // application (a device must not outlive it).
    static QPointingDevice* devices[3] = {};
    QPointingDevice*& device = devices[static_cast<int>(tool)];
    if (!device)
        device = MakeDevice(tool);
    return device;
}

ulong CWindowSystemInput::Now()
{
    // Strictly increasing, as a device's clock is.
    const ulong now = static_cast<ulong>(m_clock.elapsed()) + 1000;
    m_last = now > m_last ? now : m_last + 1;
    return m_last;
}

void CWindowSystemInput::Tablet(Tool tool, QWidget* widget, QPoint at, bool down, bool flush)
{
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    if (!window)
        return;
    // A platform plugin reports device pixels: at a device pixel ratio above
    // 1 (QT_SCALE_FACTOR) Qt divides them back into the window's coordinates.
    const QPointF local = QHighDpi::toNativeLocalPosition(widget->mapTo(top, QPointF(at)), window);
    const QPointF global = QHighDpi::toNativeGlobalPosition(widget->mapToGlobal(QPointF(at)), window);
    QWindowSystemInterface::handleTabletEvent(window, Now(), Device(tool), local, global,
        down ? Qt::LeftButton : Qt::NoButton, down ? 0.6 : 0.0, 0, 0, 0, 0, 0);
    if (flush)
        QWindowSystemInterface::flushWindowSystemEvents();
}

void CWindowSystemInput::Proximity(Tool tool, QWidget* widget, QPoint at, bool in)
{
    if (tool == Tool::Touch)
        return;
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    if (!window)
        return;
    QWindowSystemInterface::handleTabletEnterLeaveProximityEvent(window, Now(), Device(tool), in,
        QHighDpi::toNativeLocalPosition(widget->mapTo(top, QPointF(at)), window),
        QHighDpi::toNativeGlobalPosition(widget->mapToGlobal(QPointF(at)), window));
    QWindowSystemInterface::flushWindowSystemEvents();
}

void CWindowSystemInput::Stroke(Tool tool, QWidget* widget, const QVector<QPoint>& points)
{
    if (!widget || points.isEmpty())
        return;
    if (tool != Tool::Touch) {
        // What a tap does may close the window it was made on.
        QPointer<QWidget> alive(widget);
        for (const QPoint& p : points) {
            if (!alive)
                return;
            Tablet(tool, widget, p, true);
        }
        if (alive)
            Tablet(tool, widget, points.back(), false);
        return;
    }
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    if (!window)
        return;
    const QSizeF screen = window->screen() ? QSizeF(window->screen()->geometry().size()) : QSizeF(1, 1);
    const qreal native = QHighDpiScaling::factor(window);
    QPointer<QWidget> alive(widget);
    auto send = [&](QPoint at, QEventPoint::State state) {
        if (!alive)
            return;
        QWindowSystemInterface::TouchPoint point;
        point.id = 1;
        point.state = state;
        point.pressure = state == QEventPoint::State::Released ? 0 : 1;
        const QPointF global = widget->mapToGlobal(QPointF(at));
        // A fingertip, about 8 px across, in device pixels as the plugin reports it.
        point.area = QRectF(QHighDpi::toNativeGlobalPosition(global, window) - QPointF(4, 4) * native,
            QSizeF(8, 8) * native);
        point.normalPosition = QPointF(global.x() / screen.width(), global.y() / screen.height());
        QWindowSystemInterface::handleTouchEvent(window, Now(), Device(Tool::Touch), { point });
        QWindowSystemInterface::flushWindowSystemEvents();
    };
    send(points.front(), QEventPoint::State::Pressed);
    for (int i = 1; i < points.size(); ++i)
        send(points[i], QEventPoint::State::Updated);
    send(points.back(), QEventPoint::State::Released);
}
