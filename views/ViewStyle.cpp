#include "views/ViewStyle.h"

#include <QPalette>
#include <QWidget>

void ApplyViewStyle(QWidget* widget)
{
    widget->setCursor(Qt::ArrowCursor);
    // The window colour (white on the classic desktop) fills the background
    // before paint handlers draw over it. The role is chosen rather than a
    // palette set: a widget's own palette gets a new cache key every time, so
    // the child buttons of every new view would add their pictures to Qt's
    // pixmap cache again, game after game.
    widget->setBackgroundRole(QPalette::Base);
    widget->setAutoFillBackground(true);
}
