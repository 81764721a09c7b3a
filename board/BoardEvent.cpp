#include "board/BoardEvent.h"

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
    (m_listener->*m_operation)(m_x, m_y, m_value, m_pointerId);
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
