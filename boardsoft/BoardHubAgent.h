#pragma once

// The board's presence on the application thread: the application event filter
// that turns tablet (and, as configured, touch) input into pointer samples, and
// the tray's timer.

#include <QObject>
#include <QTimer>

class CBoardHub;

class CBoardHubAgent final : public QObject
{
public:
    explicit CBoardHubAgent(CBoardHub* hub);

    // Starts the tray timer if the tray has something pending (any thread may ask).
    void Wake();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();

    CBoardHub* m_hub;
    QTimer m_timer;
};
