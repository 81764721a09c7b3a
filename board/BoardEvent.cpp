#include "board/BoardEvent.h"

#include "board/ContactProbe.h"
#include "platform/com/BoardInterfaces.h"

namespace {

int DispidOf(CContactEvent::Operation operation)
{
    using L = CObriskEventListener;
    if (operation == &L::OnXYDown)
        return OBRISK_DISPID_XYDOWN;
    if (operation == &L::OnXYMove)
        return OBRISK_DISPID_XYMOVE;
    if (operation == &L::OnXYUp)
        return OBRISK_DISPID_XYUP;
    if (operation == &L::OnXYNonProjectedDown)
        return OBRISK_DISPID_XYNONPROJECTEDDOWN;
    if (operation == &L::OnXYNonProjectedMove)
        return OBRISK_DISPID_XYNONPROJECTEDMOVE;
    if (operation == &L::OnXYNonProjectedUp)
        return OBRISK_DISPID_XYNONPROJECTEDUP;
    return 0;
}

} // namespace

CContactEvent::CContactEvent(
    CObriskEventListener* listener, Operation operation, int x, int y, int value, int pointerId)
    : m_listener(listener)
    , m_operation(operation)
    , m_x(x)
    , m_y(y)
    , m_value(value)
    , m_pointerId(pointerId)
{
}

void CContactEvent::Invoke()
{
    if (!CContactProbe::Observer()) {
        (m_listener->*m_operation)(m_x, m_y, m_value, m_pointerId);
        return;
    }
    const int dispid = DispidOf(m_operation);
    CContactProbe::Report(CContactProbe::Delivering, dispid, m_x, m_y, m_value, m_pointerId, m_listener);
    (m_listener->*m_operation)(m_x, m_y, m_value, m_pointerId);
    CContactProbe::Report(CContactProbe::Handled, dispid, m_x, m_y, m_value, m_pointerId, m_listener);
}

CValueEvent::CValueEvent(CObriskEventListener* listener, Operation operation, int value)
    : m_listener(listener)
    , m_operation(operation)
    , m_value(value)
{
}

void CValueEvent::Invoke()
{
    (m_listener->*m_operation)(m_value);
}

CPlainEvent::CPlainEvent(CObriskEventListener* listener, Operation operation)
    : m_listener(listener)
    , m_operation(operation)
{
}

void CPlainEvent::Invoke()
{
    (m_listener->*m_operation)();
}
