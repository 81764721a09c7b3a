#include "views/ViewStyle.h"

#include <QPalette>
#include <QWidget>

void ApplyViewStyle(QWidget* widget)
{
    widget->setCursor(Qt::ArrowCursor);
    // The window colour (white on the classic desktop) fills the background
    // before paint handlers draw over it.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
