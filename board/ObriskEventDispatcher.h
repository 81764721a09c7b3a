#pragma once

// The event sink of a board connection. The board software may call it on any
// thread: each event is queued under the lock and, for the first event of a
// burst, one delivery is posted to a receiver object living on the owner's
// thread. That thread then calls the listener for every queued event, in
// arrival order, with the lock held. Events queued during a delivery pass (a
// listener making the board software call back) are delivered in a new pass.
//
// The sink is a reference-counted component object answering IDispatch and the
// board event interface. Its owner calls Detach() before releasing it: from then
// on nothing is delivered, even if the board software still holds a reference.

#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/com/DispatchTable.h"

#include <QPointer>
#include <memory>
#include <mutex>
#include <vector>

class CBoardEvent;
class CObriskEventListener;
class QObject;

class CObriskEventDispatcher final : public CComObject<IDispatch>
{
public:
    // owner: the object whose thread delivers events (may be null: the current thread).
    // Without a listener no receiver is made and events are dropped.
    CObriskEventDispatcher(QObject* owner, CObriskEventListener* listener);

    // IDispatch
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override;

    // Event methods, by DISPID (1 to 18; 7, the annotation, queues nothing).
    void OnXYDown(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXYMove(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXYUp(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXYNonProjectedDown(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXYNonProjectedMove(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXYNonProjectedUp(LONG x, LONG y, LONG value, LONG pointerId);
    void OnXMLAnnotation(BSTR annotation);
    void OnNoTool(LONG value);
    void OnPen(LONG value);
    void OnEraser(LONG value);
    void OnRectangle(LONG value);
    void OnLine(LONG value);
    void OnCircle(LONG value);
    void OnPrint(LONG value);
    void OnNext(LONG value);
    void OnPrevious(LONG value);
    void OnClear(LONG value);
    void OnObriskBoardStatusChange();

    // Delivers every queued event (the receiver calls this on the owner's thread).
    void Deliver();
    // Drops pending events and the listener; later events are ignored. Call on the
    // owner's thread before the last Release.
    void Detach();

    // For tests and diagnostics.
    std::size_t PendingCount() const;
    long PostCount() const;
    bool HasReceiver() const;

    static const CDispatchTable<CObriskEventDispatcher>& Table();

protected:
    void* QueryInterfacePointer(REFIID iid) override;

private:
    ~CObriskEventDispatcher() override;
    template <class Make> void Enqueue(Make make);
    void DeliverPass();
    void PostLocked();

    mutable std::recursive_mutex m_lock;
    std::vector<std::unique_ptr<CBoardEvent>> m_pending;
    bool m_posted = false;
    bool m_delivering = false;
    long m_postCount = 0;
    CObriskEventListener* m_listener;
    QPointer<QObject> m_receiver;
};
