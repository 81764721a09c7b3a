#pragma once

// The board's presence on the application thread: the application event filter
// that turns tablet (and, as configured, touch) input into pointer samples, and
// the tray's timer.

#include "boardsoft/PointerSample.h"
#include "boardsoft/TouchGate.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <optional>

class QPointingDevice;
class QTouchEvent;
#include <QTimer>

class CBoardHub;

class CBoardHubAgent final : public QObject
{
public:
    explicit CBoardHubAgent(CBoardHub* hub);

    // Starts the tray timer if the tray has something pending (any thread may ask).
    void Wake();
    // A replayed contact that reaches an attached window as mouse input (any thread):
    // pressed on the child under the point, moved and released there.
    void PostMouse(unsigned int handle, SamplePhase phase, QPoint position);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();
    void DeliverMouse(unsigned int handle, SamplePhase phase, QPoint position);
    std::optional<PointerSample> TouchSample(const QTouchEvent* touch, CTouchGate::Mode mode, long long now);

    CBoardHub* m_hub;
    QTimer m_timer;
    // The event last decided on: an event nobody accepts is offered to each parent
    // in turn (as a copy without its time), and must reach the board once. Synthetic
    // events may share time and place; only a parent of the last receiver can see the
    // same one again.
    struct Seen
    {
        const QPointingDevice* device = nullptr;
        QPointer<QWidget> receiver;
        int type = 0;
        quint64 timestamp = 0;
        QPointF globalPosition;
        bool accepted = false;
    } m_seen;
    QPointer<QWidget> m_mouseGrab; // the widget a replayed mouse press went to
    CTouchGate m_gate; // application thread only
    int m_touchId = -1; // the touch point of the last touch sample
};
