#pragma once

// Which touch contacts write, on a board where touch may be the pen. A hand resting
// on the board must not write: the pen wins over touch (no touch writes while a pen
// is in range or for a moment after it was used), a contact much larger than a
// fingertip is ignored where the device reports its size, and while one touch
// writes, other touches do not. Times are milliseconds of any steady clock.

#include <QList>
#include <QSizeF>

class QInputDevice;

class CTouchGate
{
public:
    // The "Touch As Pen" board setting.
    enum class Mode
    {
        Never = 0,
        Always = 1,
        Automatic = 2, // touch writes when the system has a touch screen and no stylus or tablet
    };

    static constexpr long long kPenQuietMs = 1000;
    // About three fingertips across, in device-independent pixels.
    static constexpr double kMaxContactDiameter = 60.0;

    // Whether touch writes in this mode with these input devices (Qt's list).
    static bool TouchWrites(Mode mode, const QList<const QInputDevice*>& devices);

    // A pen or eraser is in range or in contact.
    void PenActivity(long long now) { m_lastPen = now; }
    // A touch point begins; true when it is the one that writes. diameters: the
    // contact's size, or empty when the device does not report it.
    bool Begin(int touchId, QSizeF diameters, long long now);
    bool IsWriting(int touchId) const { return m_writing == touchId; }
    bool Writing() const { return m_writing >= 0; }
    void End(int touchId);

private:
    int m_writing = -1;
    long long m_lastPen = -kPenQuietMs - 1;
};
