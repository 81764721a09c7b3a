#include "app/DialogFirst.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

CDialogFirst::CDialogFirst(QWidget* frame, int limitMs, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
{
    m_frame->setUpdatesEnabled(false);
    qApp->installEventFilter(this);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &CDialogFirst::Release);
    m_limit.start(limitMs);
}

CDialogFirst::~CDialogFirst()
{
    Release();
}

bool CDialogFirst::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog's own paint event comes first of its widgets'; the main window's
    // update, posted now, is painted once the dialog's whole frame is out.
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        const QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window != m_frame && qobject_cast<const QDialog*>(window))
            Release();
    }
    return false;
}

void CDialogFirst::Release()
{
    if (!m_holding)
        return;
    m_holding = false;
    qApp->removeEventFilter(this);
    m_limit.stop();
    if (m_frame)
        m_frame->setUpdatesEnabled(true);
    emit released();
}
