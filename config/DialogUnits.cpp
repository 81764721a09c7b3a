#include "config/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>
#include <cmath>

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // Windows averages the 52 Latin letters, rounded; the font's own average
    // width is less dependable across font formats.
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = qMax(1, int(std::lround(metrics.horizontalAdvance(letters) / 52.0)));
    m_baseY = qMax(1, metrics.height());
}

QFont CDialogUnits::Font()
{
    return QApplication::font();
}

int CDialogUnits::X(int units) const
{
    return units * m_baseX / 4;
}

int CDialogUnits::Y(int units) const
{
    return units * m_baseY / 8;
}

QRect CDialogUnits::Rect(int x, int y, int width, int height) const
{
    // Convert the corners, not the sizes, so neighbouring controls meet
    // exactly as in the template.
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

void CDialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const
{
    widget->setGeometry(Rect(x, y, width, height));
}

void CDialogUnits::PlaceFit(QWidget* widget, int x, int y, int width, int height) const
{
    QRect rect = Rect(x, y, width, height);
    const QSize hint = widget->sizeHint();
    if (hint.width() > rect.width())
        rect.setWidth(hint.width());
    if (hint.height() > rect.height()) {
        const int grow = hint.height() - rect.height();
        rect.adjust(0, -grow / 2, 0, grow - grow / 2);
    }
    widget->setGeometry(rect);
}

void CDialogUnits::KeepRightOf(const QWidget* left, QWidget* right) const
{
    const int minimum = left->geometry().right() + 1 + X(1);
    if (right->x() < minimum)
        right->move(minimum, right->y());
}
