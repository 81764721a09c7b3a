#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// At start the main window is mapped first and, left alone, drawn first: its
// grid, strip and the window system's copies of it delay the Setup dialog
// opened over it by tens of milliseconds. This holds the main window's
// painting until the first dialog over it (Setup, or the message about
// missing parts) has been drawn, so the question the teacher must answer is
// on screen first and the empty grid follows a moment later. Released after
// a time limit if no dialog comes.
class CDialogFirst : public QObject
{
    Q_OBJECT

public:
    CDialogFirst(QWidget* frame, int limitMs, QObject* parent = nullptr);
    ~CDialogFirst() override;

    bool IsHolding() const { return m_holding; }

signals:
    // The main window paints again; emitted once.
    void released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Release();

    QPointer<QWidget> m_frame;
    QTimer m_limit;
    bool m_holding = true;
};
