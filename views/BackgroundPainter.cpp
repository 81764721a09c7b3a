#include "views/BackgroundPainter.h"

#include "resources/StringTable.h"
#include "views/PngResource.h"

#include <QLinearGradient>
#include <QPainter>

CBackgroundPainter::CBackgroundPainter()
    : m_title(LoadPngResource(kTitleImageId))
{
}

void CBackgroundPainter::SetDevicePixelRatio(qreal ratio)
{
    if (ratio <= 0.0 || ratio == m_ratio)
        return;
    m_ratio = ratio;
    m_title = LoadPngResource(kTitleImageId, 1.0, ratio);
}

void CBackgroundPainter::Paint(QPainter& painter, int width, int height) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // Opaque light blue at the top to nearly transparent at the bottom; the
    // brush spans the area, so each line takes the colour of its height.
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor::fromRgba(0xFFCDDFF5));
    gradient.setColorAt(1, QColor::fromRgba(0x20CDDFF5));
    gradient.setSpread(QGradient::RepeatSpread);
    painter.setPen(QPen(QBrush(gradient), 2.0));
    for (int x = kGridStep; x < width; x += kGridStep)
        painter.drawLine(QPointF(x, 0), QPointF(x, height));
    for (int y = kGridStep; y < height; y += kGridStep)
        painter.drawLine(QPointF(0, y), QPointF(width, y));

    if (!m_title.isNull()) {
        // Integer centring; a title wider or higher than the area shows its middle.
        const QSize title = (QSizeF(m_title.size()) / m_title.devicePixelRatio()).toSize();
        const int left = (width - title.width()) / 2;
        const int top = (height - title.height()) / 2;
        painter.drawImage(QPoint(left, top), m_title);

        if (m_hint) {
            QFont font(QStringLiteral("Arial"), 12, QFont::Bold);
            font.setItalic(true);
            painter.setFont(font);
            painter.setPen(QColor::fromRgba(0x99DCDCDC));
            const QRect below(0, top + title.height(), width, height - (top + title.height()));
            painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, LoadResString(kHintStringId));
        }
    }
    painter.restore();
}
