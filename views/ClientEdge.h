#pragma once

#include <QWidget>

// The sunken client edge the native style draws around a view: two pixels,
// dark grey and black along the top and left, white and light grey along the
// bottom and right. The main frame places it under the current view, which
// lies within it (Inner()) and so lays itself out inside the edge.
class CClientEdge : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 2;

    explicit CClientEdge(QWidget* parent = nullptr);

    // The part of the given outer rectangle a view takes.
    static QRect Inner(const QRect& outer) { return outer.adjusted(kWidth, kWidth, -kWidth, -kWidth); }

protected:
    void paintEvent(QPaintEvent* event) override;
};
