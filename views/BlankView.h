#pragma once

#include "views/BackgroundPainter.h"

#include <QWidget>

// The empty start screen the main frame shows before the first game.
class CBlankView : public QWidget
{
    Q_OBJECT
public:
    explicit CBlankView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CBackgroundPainter m_background;
};
