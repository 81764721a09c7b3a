#pragma once

// Notifications of the game model, called synchronously in registration order.
// Implementations that do not need an operation leave its body empty.
class CGameListener
{
public:
    virtual ~CGameListener() = default;
    virtual void OnQuestionsBuilt() = 0;
    virtual void OnPrevious() = 0;
    virtual void OnNext() = 0;
    virtual void OnCheck() = 0;
    virtual void OnHint() = 0;
    virtual void OnStop() = 0;
};
