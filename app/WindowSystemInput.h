#pragma once

// Pen, eraser and touch input delivered the way a platform plugin delivers it:
// through QWindowSystemInterface to the top-level window under the contact, so that
// Qt's own routing (the widget under the point, grabs, propagation to parents,
// and turning unaccepted tablet or touch events into mouse input) runs as it does
// for a real stylus or touch panel. Unaccepted tablet events become mouse events
// the way the X11 plugin arranges it once it has found a tablet: Qt synthesises them,
// the plugin does not.

#include <QElapsedTimer>
#include <QPoint>
#include <QVector>

class QPointingDevice;
class QWidget;

class CWindowSystemInput
{
public:
    enum class Tool
    {
        Pen,
        Eraser, // the pen's eraser end, a device of its own as X11 reports it
        Touch,
    };

    CWindowSystemInput();
    ~CWindowSystemInput();
    CWindowSystemInput(const CWindowSystemInput&) = delete;
    CWindowSystemInput& operator=(const CWindowSystemInput&) = delete;

    // One contact through the points, in the widget's coordinates: down at the
    // first, a move to each further one, up at the last. The widget must be shown.
    // Each event is delivered before the next is made.
    void Stroke(Tool tool, QWidget* widget, const QVector<QPoint>& points);
    void Tap(Tool tool, QWidget* widget, QPoint at) { Stroke(tool, widget, { at }); }
    // The pen or eraser end comes into or leaves the tablet's range over the widget.
    void Proximity(Tool tool, QWidget* widget, QPoint at, bool in);

    static const QPointingDevice* Device(Tool tool);

private:
    void Tablet(Tool tool, QWidget* widget, QPoint at, bool down, bool flush = true);
    ulong Now();

    QElapsedTimer m_clock;
    ulong m_last = 0;
    bool m_savedSynthesis;
};
