#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Tells when a modal window (a dialog run with exec(), a message box) has
// opened, from inside the event loop that window runs, so that a script can go
// on with its commands while the window waits for an answer.
class CModalWatch : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(QWidget* window)>;

    // Watches every widget of the application until destroyed.
    explicit CModalWatch(Handler handler);
    ~CModalWatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};
