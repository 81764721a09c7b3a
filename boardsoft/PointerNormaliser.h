#pragma once

// Turns Qt's device events into plain pointer samples. Mouse events never become
// samples (a mouse event synthesised from an unaccepted tablet event carries the
// stylus device, and is still not one: the tablet event itself was the sample).

#include "boardsoft/PointerSample.h"

#include <optional>

class QEvent;
class QTabletEvent;
class QTouchEvent;

class CPointerNormaliser
{
public:
    // Touch contacts count as the pen (touch-only panels).
    void SetTouchAsPen(bool on) { m_touchAsPen = on; }
    bool TouchAsPen() const { return m_touchAsPen; }

    // A sample for a tablet, proximity or (with touch as pen) touch event; nothing otherwise.
    std::optional<PointerSample> Normalise(const QEvent* event) const;

    static BoardTool ToolOf(const QTabletEvent* event);

private:
    std::optional<PointerSample> FromTablet(const QTabletEvent* event) const;
    std::optional<PointerSample> FromTouch(const QTouchEvent* event) const;

    bool m_touchAsPen = false;
};
