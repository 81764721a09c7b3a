#include "views/ClientEdge.h"

#include <QPainter>
#include <qdrawutil.h>

CClientEdge::CClientEdge(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CClientEdge"));
}

void CClientEdge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Outer line dark and light, inner line shadow and midlight: the sunken edge.
    qDrawWinPanel(&painter, rect(), palette(), true);
}
