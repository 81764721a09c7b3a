#include "board/ObriskEventDispatcher.h"

#include "tests/board/RecordingListener.h"

#include <QCoreApplication>
#include <QObject>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Calls the sink the way the board software does: IDispatch::Invoke by DISPID.
HRESULT Contact(IDispatch* sink, DISPID id, LONG x, LONG y, LONG v, LONG p)
{
    return DispatchCall(
        sink, id, { CComVariant::I4(x), CComVariant::I4(y), CComVariant::I4(v), CComVariant::I4(p) });
}

class DispatcherTest : public ::testing::Test
{
protected:
    void SetUp() override { sink = new CObriskEventDispatcher(&owner, &listener); }
    void TearDown() override
    {
        if (sink) {
            sink->Detach();
            sink->Release();
        }
    }
    void Drain() { QCoreApplication::sendPostedEvents(); }

    QObject owner;
    CRecordingListener listener;
    CObriskEventDispatcher* sink = nullptr;
};

} // namespace

TEST_F(DispatcherTest, TwentyEventsFromAnotherThreadMakeOneDeliveryInOrder)
{
    std::thread board([this] {
        Contact(sink, OBRISK_DISPID_XYDOWN, 0, 0, 1, 7);
        for (int i = 1; i <= 18; ++i)
            Contact(sink, OBRISK_DISPID_XYMOVE, i, 2 * i, 1, 7);
        Contact(sink, OBRISK_DISPID_XYUP, 19, 38, 0, 7);
    });
    board.join();
    EXPECT_TRUE(listener.calls.empty()) << "nothing is delivered before the owner's thread runs";
    EXPECT_EQ(sink->PendingCount(), 20u);
    EXPECT_EQ(sink->PostCount(), 1);

    Drain();
    ASSERT_EQ(listener.calls.size(), 20u);
    EXPECT_EQ(listener.calls.front(), "down 0 0 1 7");
    EXPECT_EQ(listener.calls[5], "move 5 10 1 7");
    EXPECT_EQ(listener.calls.back(), "up 19 38 0 7");
    EXPECT_EQ(listener.offThreadCalls, 0);
    EXPECT_EQ(sink->PendingCount(), 0u);

    // The next burst posts again.
    DispatchCall(sink, OBRISK_DISPID_PEN, { CComVariant::I4(3) });
    EXPECT_EQ(sink->PostCount(), 2);
    Drain();
    EXPECT_EQ(listener.calls.back(), "pen 3");
}

TEST_F(DispatcherTest, EveryEventKindReachesItsListenerOperation)
{
    Contact(sink, OBRISK_DISPID_XYNONPROJECTEDDOWN, 1, 2, 3, 4);
    DispatchCall(sink, OBRISK_DISPID_NOTOOL, { CComVariant::I4(0) });
    DispatchCall(sink, OBRISK_DISPID_ERASER, { CComVariant::I4(2) });
    DispatchCall(sink, OBRISK_DISPID_CLEAR, { CComVariant::I4(5) });
    DispatchCall(sink, OBRISK_DISPID_BOARDSTATUSCHANGE, {});
    // The annotation is dropped without touching the queue.
    const std::size_t before = sink->PendingCount();
    EXPECT_EQ(
        DispatchCall(sink, OBRISK_DISPID_XMLANNOTATION, { CComVariant::Bstr(QStringLiteral("<a/>")) }), S_OK);
    EXPECT_EQ(sink->PendingCount(), before);
    // Wrong argument counts and unknown members are refused, not queued.
    EXPECT_EQ(DispatchCall(sink, OBRISK_DISPID_XYDOWN, { CComVariant::I4(1) }), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(DispatchCall(sink, 19, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(sink->PendingCount(), before);

    Drain();
    EXPECT_EQ(listener.calls,
        std::vector<std::string>({ "npdown 1 2 3 4", "notool 0", "eraser 2", "clear 5", "status" }));
}

TEST_F(DispatcherTest, SinkAnswersForTheEventInterfaceAndItsNames)
{
    void* events = nullptr;
    ASSERT_EQ(sink->QueryInterface(DIID_IObriskEvents, &events), S_OK);
    EXPECT_EQ(events, static_cast<IDispatch*>(sink));
    sink->Release();
    OLECHAR name[] = u"onxyup";
    LPOLESTR names[] = { name };
    DISPID id = 0;
    ASSERT_EQ(sink->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, OBRISK_DISPID_XYUP);
}

TEST_F(DispatcherTest, SeveralThreadsKeepEachThreadsOrder)
{
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::atomic<bool> go { false };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            while (!go.load())
                std::this_thread::yield();
            for (int i = 0; i < kEach; ++i)
                Contact(sink, OBRISK_DISPID_XYMOVE, i, 0, 0, t);
        });
    }
    go = true;
    // Deliver while the threads are still queueing.
    const std::size_t total = std::size_t(kThreads * kEach);
    for (long spins = 0; listener.calls.size() < total && spins < 100000000L; ++spins) {
        Drain();
        std::this_thread::yield();
    }
    for (std::thread& th : threads)
        th.join();
    Drain();
    ASSERT_EQ(listener.calls.size(), std::size_t(kThreads * kEach));
    std::vector<int> next(kThreads, 0);
    for (const std::string& call : listener.calls) {
        int x = 0, y = 0, v = 0, p = 0;
        ASSERT_EQ(std::sscanf(call.c_str(), "move %d %d %d %d", &x, &y, &v, &p), 4);
        ASSERT_EQ(x, next[p]) << "thread " << p << " out of order";
        ++next[p];
    }
    EXPECT_EQ(listener.offThreadCalls, 0);
    EXPECT_LE(sink->PostCount(), kThreads * kEach);
}

TEST_F(DispatcherTest, DetachingWithEventsPendingCallsNothing)
{
    std::thread board([this] {
        for (int i = 0; i < 5; ++i)
            Contact(sink, OBRISK_DISPID_XYMOVE, i, i, 0, 1);
    });
    board.join();
    sink->Detach();
    EXPECT_EQ(sink->PendingCount(), 0u);
    // Late events from the board are dropped too.
    Contact(sink, OBRISK_DISPID_XYDOWN, 1, 1, 1, 1);
    EXPECT_EQ(sink->PendingCount(), 0u);
    sink->Release();
    sink = nullptr;
    Drain();
    EXPECT_TRUE(listener.calls.empty());
}

TEST(DispatcherWithoutListenerTest, NeverPosts)
{
    QObject owner;
    auto* sink = new CObriskEventDispatcher(&owner, nullptr);
    EXPECT_FALSE(sink->HasReceiver());
    Contact(sink, OBRISK_DISPID_XYDOWN, 1, 2, 3, 4);
    DispatchCall(sink, OBRISK_DISPID_PEN, { CComVariant::I4(1) });
    EXPECT_EQ(sink->PostCount(), 0);
    EXPECT_EQ(sink->PendingCount(), 0u);
    sink->Release();
}

namespace {

// A listener whose operation makes the board call back synchronously.
class CCallbackListener : public CRecordingListener
{
public:
    CObriskEventDispatcher* sink = nullptr;
    void OnXYDown(int x, int y, int v, int p) override
    {
        CRecordingListener::OnXYDown(x, y, v, p);
        Contact(sink, OBRISK_DISPID_XYUP, x, y, 0, p);
    }
};

// A listener that ends its connection on the first event.
class CClosingListener : public CRecordingListener
{
public:
    CObriskEventDispatcher* sink = nullptr;
    void OnPen(int v) override
    {
        CRecordingListener::OnPen(v);
        sink->Detach();
        sink->Release();
        sink = nullptr;
    }
};

} // namespace

TEST(DispatcherReentryTest, EventsQueuedDuringAPassFollowItAndAreNotStranded)
{
    QObject owner;
    CCallbackListener listener;
    auto* sink = new CObriskEventDispatcher(&owner, &listener);
    listener.sink = sink;
    Contact(sink, OBRISK_DISPID_XYDOWN, 1, 1, 1, 9);
    Contact(sink, OBRISK_DISPID_XYMOVE, 2, 2, 1, 9);
    QCoreApplication::sendPostedEvents();
    // The event queued by the callback comes after the pass it was queued in...
    ASSERT_GE(listener.calls.size(), 2u);
    EXPECT_EQ(listener.calls[0], "down 1 1 1 9");
    EXPECT_EQ(listener.calls[1], "move 2 2 1 9");
    // ...and is delivered without waiting for another burst from the board.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(listener.calls, std::vector<std::string>({ "down 1 1 1 9", "move 2 2 1 9", "up 1 1 0 9" }));
    sink->Detach();
    sink->Release();
}

TEST(DispatcherReentryTest, ListenerMayEndTheConnectionDuringDelivery)
{
    QObject owner;
    CClosingListener listener;
    auto* sink = new CObriskEventDispatcher(&owner, &listener);
    listener.sink = sink;
    DispatchCall(sink, OBRISK_DISPID_PEN, { CComVariant::I4(1) });
    Contact(sink, OBRISK_DISPID_XYDOWN, 1, 1, 1, 1);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(listener.calls, std::vector<std::string>({ "pen 1" }));
}
