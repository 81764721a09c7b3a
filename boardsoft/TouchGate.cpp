#include "boardsoft/TouchGate.h"

#include <QInputDevice>

bool CTouchGate::TouchWrites(Mode mode, const QList<const QInputDevice*>& devices)
{
    if (mode != Mode::Automatic)
        return mode == Mode::Always;
    bool touchScreen = false;
    for (const QInputDevice* device : devices) {
        if (!device)
            continue;
        switch (device->type()) {
        case QInputDevice::DeviceType::TouchScreen:
            touchScreen = true;
            break;
        case QInputDevice::DeviceType::Stylus:
        case QInputDevice::DeviceType::Airbrush:
        case QInputDevice::DeviceType::Puck:
            return false; // a pen of its own writes; touch stays a finger
        default:
            break;
        }
    }
    return touchScreen;
}

bool CTouchGate::Begin(int touchId, QSizeF diameters, long long now)
{
    if (m_writing >= 0)
        return false;
    if (now - m_lastPen <= kPenQuietMs)
        return false;
    if (diameters.isValid()
        && (diameters.width() > kMaxContactDiameter || diameters.height() > kMaxContactDiameter))
        return false;
    m_writing = touchId;
    return true;
}

void CTouchGate::End(int touchId)
{
    if (m_writing == touchId)
        m_writing = -1;
}
