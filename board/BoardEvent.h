#pragma once

// One queued board event: the listener operation to call and its values.

#include "board/ObriskEventListener.h"

class CBoardEvent
{
public:
    virtual ~CBoardEvent() = default;
    virtual void Invoke() = 0;
};

// x, y, third value, pointer id.
class CContactEvent final : public CBoardEvent
{
public:
    using Operation = void (CObriskEventListener::*)(int, int, int, int);
    CContactEvent(
        CObriskEventListener* listener, Operation operation, int x, int y, int value, int pointerId);
    void Invoke() override;

private:
    CObriskEventListener* m_listener;
    Operation m_operation;
    int m_x;
    int m_y;
    int m_value;
    int m_pointerId;
};

class CValueEvent final : public CBoardEvent
{
public:
    using Operation = void (CObriskEventListener::*)(int);
    CValueEvent(CObriskEventListener* listener, Operation operation, int value);
    void Invoke() override;

private:
    CObriskEventListener* m_listener;
    Operation m_operation;
    int m_value;
};

class CPlainEvent final : public CBoardEvent
{
public:
    using Operation = void (CObriskEventListener::*)();
    CPlainEvent(CObriskEventListener* listener, Operation operation);
    void Invoke() override;

private:
    CObriskEventListener* m_listener;
    Operation m_operation;
};
