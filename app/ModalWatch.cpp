#include "app/ModalWatch.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

CModalWatch::CModalWatch(Handler handler)
    : m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

CModalWatch::~CModalWatch()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CModalWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal()) {
            // Called from the window's own loop: exec() enters it right after showing.
            QPointer<CModalWatch> self(this);
            QTimer::singleShot(0, window, [self, window] {
                if (self && window->isVisible())
                    self->m_handler(window);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
