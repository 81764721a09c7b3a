#include "board/ObriskEventDispatcher.h"

#include "board/BoardEvent.h"
#include "board/ContactProbe.h"
#include "board/ObriskEventListener.h"
#include "platform/com/TsanAnnotations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

namespace {

QEvent::Type DeliveryEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// Lives on the owner's thread and runs a delivery pass for each posted event.
class CObriskEventReceiver final : public QObject
{
public:
    explicit CObriskEventReceiver(CObriskEventDispatcher* dispatcher)
        : m_dispatcher(dispatcher)
    {
        setObjectName(QStringLiteral("Obrisk"));
    }

    bool event(QEvent* e) override
    {
        TsanAcquire(e); // posted by a board thread
        if (e->type() == DeliveryEventType()) {
            m_dispatcher->Deliver();
            return true;
        }
        return QObject::event(e);
    }

private:
    CObriskEventDispatcher* m_dispatcher; // outlives the receiver: Detach deletes it first
};

} // namespace

CObriskEventDispatcher::CObriskEventDispatcher(QObject* owner, CObriskEventListener* listener)
    : m_listener(listener)
{
    if (!listener)
        return;
    auto* receiver = new CObriskEventReceiver(this);
    QThread* thread = owner ? owner->thread() : QThread::currentThread();
    if (receiver->thread() != thread)
        receiver->moveToThread(thread);
    m_receiver = receiver;
}

CObriskEventDispatcher::~CObriskEventDispatcher()
{
    Detach();
}

const CDispatchTable<CObriskEventDispatcher>& CObriskEventDispatcher::Table()
{
    using D = CObriskEventDispatcher;
    static const auto table
        = CDispatchTable<D>()
              .Method(OBRISK_DISPID_XYDOWN, "OnXYDown", &D::OnXYDown)
              .Method(OBRISK_DISPID_XYMOVE, "OnXYMove", &D::OnXYMove)
              .Method(OBRISK_DISPID_XYUP, "OnXYUp", &D::OnXYUp)
              .Method(OBRISK_DISPID_XYNONPROJECTEDDOWN, "OnXYNonProjectedDown", &D::OnXYNonProjectedDown)
              .Method(OBRISK_DISPID_XYNONPROJECTEDMOVE, "OnXYNonProjectedMove", &D::OnXYNonProjectedMove)
              .Method(OBRISK_DISPID_XYNONPROJECTEDUP, "OnXYNonProjectedUp", &D::OnXYNonProjectedUp)
              .Method(OBRISK_DISPID_XMLANNOTATION, "OnXMLAnnotation", &D::OnXMLAnnotation)
              .Method(OBRISK_DISPID_NOTOOL, "OnNoTool", &D::OnNoTool)
              .Method(OBRISK_DISPID_PEN, "OnPen", &D::OnPen)
              .Method(OBRISK_DISPID_ERASER, "OnEraser", &D::OnEraser)
              .Method(OBRISK_DISPID_RECTANGLE, "OnRectangle", &D::OnRectangle)
              .Method(OBRISK_DISPID_LINE, "OnLine", &D::OnLine)
              .Method(OBRISK_DISPID_CIRCLE, "OnCircle", &D::OnCircle)
              .Method(OBRISK_DISPID_PRINT, "OnPrint", &D::OnPrint)
              .Method(OBRISK_DISPID_NEXT, "OnNext", &D::OnNext)
              .Method(OBRISK_DISPID_PREVIOUS, "OnPrevious", &D::OnPrevious)
              .Method(OBRISK_DISPID_CLEAR, "OnClear", &D::OnClear)
              .Method(OBRISK_DISPID_BOARDSTATUSCHANGE, "OnObriskBoardStatusChange",
                  &D::OnObriskBoardStatusChange);
    return table;
}

void* CObriskEventDispatcher::QueryInterfacePointer(REFIID iid)
{
    // The sink's IDispatch also serves the board's event interface.
    if (iid == DIID_IObriskEvents)
        return static_cast<IDispatch*>(this);
    return CComObject<IDispatch>::QueryInterfacePointer(iid);
}

HRESULT CObriskEventDispatcher::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CObriskEventDispatcher::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CObriskEventDispatcher::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids)
{
    return Table().GetIDsOfNames(iid, names, nameCount, ids);
}

HRESULT CObriskEventDispatcher::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
    VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    return Table().Invoke(*this, id, iid, flags, params, result, exception, argumentError);
}

template <class Make> void CObriskEventDispatcher::Enqueue(Make make)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_listener || !m_receiver)
        return; // no listener, or detached: nothing will ever deliver it
    m_pending.push_back(make(m_listener));
    if (!m_posted && !m_delivering)
        PostLocked();
}

void CObriskEventDispatcher::PostLocked()
{
    m_posted = true;
    ++m_postCount;
    auto* delivery = new QEvent(DeliveryEventType());
    TsanRelease(delivery);
    QCoreApplication::postEvent(m_receiver.data(), delivery);
}

void CObriskEventDispatcher::Deliver()
{
    // A listener may end the connection, and with it the last reference to us.
    AddRef();
    DeliverPass();
    Release();
}

void CObriskEventDispatcher::DeliverPass()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_delivering)
        return; // a listener spun an event loop: the running pass goes on
    m_delivering = true;
    // Only the events queued when the pass began; events a listener causes are
    // queued behind them and delivered by the next pass.
    std::vector<std::unique_ptr<CBoardEvent>> batch;
    batch.swap(m_pending);
    for (std::size_t i = 0; i < batch.size() && m_listener; ++i) {
        batch[i]->Invoke();
        batch[i].reset();
    }
    m_delivering = false;
    m_posted = false;
    if (!m_pending.empty() && m_listener && m_receiver)
        PostLocked();
}

void CObriskEventDispatcher::Detach()
{
    QObject* receiver = nullptr;
    bool delivering = false;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_pending.clear();
        m_listener = nullptr;
        receiver = m_receiver.data();
        m_receiver.clear();
        delivering = m_delivering;
    }
    if (!receiver)
        return;
    // Posted deliveries die with the receiver. During a pass the receiver is still
    // inside its event handler, so it goes later.
    if (!delivering && receiver->thread() == QThread::currentThread())
        delete receiver;
    else
        receiver->deleteLater();
}

std::size_t CObriskEventDispatcher::PendingCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_pending.size();
}

long CObriskEventDispatcher::PostCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_postCount;
}

bool CObriskEventDispatcher::HasReceiver() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return !m_receiver.isNull();
}

void CObriskEventDispatcher::OnXYDown(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(CContactProbe::Arriving, OBRISK_DISPID_XYDOWN, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(CContactProbe::Queued, OBRISK_DISPID_XYDOWN, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(l, &CObriskEventListener::OnXYDown, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXYMove(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(CContactProbe::Arriving, OBRISK_DISPID_XYMOVE, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(CContactProbe::Queued, OBRISK_DISPID_XYMOVE, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(l, &CObriskEventListener::OnXYMove, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXYUp(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(CContactProbe::Arriving, OBRISK_DISPID_XYUP, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(CContactProbe::Queued, OBRISK_DISPID_XYUP, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(l, &CObriskEventListener::OnXYUp, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXYNonProjectedDown(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(
        CContactProbe::Arriving, OBRISK_DISPID_XYNONPROJECTEDDOWN, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(
            CContactProbe::Queued, OBRISK_DISPID_XYNONPROJECTEDDOWN, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(
            l, &CObriskEventListener::OnXYNonProjectedDown, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXYNonProjectedMove(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(
        CContactProbe::Arriving, OBRISK_DISPID_XYNONPROJECTEDMOVE, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(
            CContactProbe::Queued, OBRISK_DISPID_XYNONPROJECTEDMOVE, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(
            l, &CObriskEventListener::OnXYNonProjectedMove, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXYNonProjectedUp(LONG x, LONG y, LONG value, LONG pointerId)
{
    CContactProbe::Report(
        CContactProbe::Arriving, OBRISK_DISPID_XYNONPROJECTEDUP, x, y, value, pointerId, nullptr);
    Enqueue([&](CObriskEventListener* l) {
        CContactProbe::Report(
            CContactProbe::Queued, OBRISK_DISPID_XYNONPROJECTEDUP, x, y, value, pointerId, l);
        return std::make_unique<CContactEvent>(
            l, &CObriskEventListener::OnXYNonProjectedUp, x, y, value, pointerId);
    });
}

void CObriskEventDispatcher::OnXMLAnnotation(BSTR)
{
    // Annotations are not used: nothing is queued.
}

void CObriskEventDispatcher::OnNoTool(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnNoTool, value);
    });
}

void CObriskEventDispatcher::OnPen(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnPen, value);
    });
}

void CObriskEventDispatcher::OnEraser(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnEraser, value);
    });
}

void CObriskEventDispatcher::OnRectangle(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnRectangle, value);
    });
}

void CObriskEventDispatcher::OnLine(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnLine, value);
    });
}

void CObriskEventDispatcher::OnCircle(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnCircle, value);
    });
}

void CObriskEventDispatcher::OnPrint(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnPrint, value);
    });
}

void CObriskEventDispatcher::OnNext(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnNext, value);
    });
}

void CObriskEventDispatcher::OnPrevious(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnPrevious, value);
    });
}

void CObriskEventDispatcher::OnClear(LONG value)
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CValueEvent>(l, &CObriskEventListener::OnClear, value);
    });
}

void CObriskEventDispatcher::OnObriskBoardStatusChange()
{
    Enqueue([&](CObriskEventListener* l) {
        return std::make_unique<CPlainEvent>(l, &CObriskEventListener::OnObriskBoardStatusChange);
    });
}
