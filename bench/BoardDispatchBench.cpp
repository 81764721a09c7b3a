// Board event delivery: events queued by board threads through IDispatch::Invoke
// on the sink, delivered to the listener on the application thread.

#include "board/ObriskEventDispatcher.h"
#include "board/ObriskEventListener.h"

#include <QCoreApplication>
#include <QObject>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>
#include <vector>

namespace {

class CCountingListener : public CObriskEventListener
{
public:
    long count = 0;
    long checksum = 0;
    void OnXYMove(int x, int, int, int p) override
    {
        ++count;
        checksum += x + p;
    }
};

void Move(IDispatch* sink, LONG x, LONG pointer)
{
    DispatchCall(sink, OBRISK_DISPID_XYMOVE,
        { CComVariant::I4(x), CComVariant::I4(1), CComVariant::I4(1000), CComVariant::I4(pointer) });
}

// Threads each queue `perThread` contact events while the application thread delivers.
void DeliverFromThreads(benchmark::State& state)
{
    const int threads = static_cast<int>(state.range(0));
    const int perThread = 5000;
    QObject owner;
    CCountingListener listener;
    auto* sink = new CObriskEventDispatcher(&owner, &listener);
    long passes = 0;
    for (auto _ : state) {
        const long target = listener.count + long(threads) * perThread;
        std::vector<std::thread> board;
        for (int t = 0; t < threads; ++t)
            board.emplace_back([sink, t] {
                for (int i = 0; i < perThread; ++i)
                    Move(sink, i, t);
            });
        while (listener.count < target) {
            QCoreApplication::sendPostedEvents();
            ++passes;
        }
        for (std::thread& th : board)
            th.join();
    }
    state.SetItemsProcessed(state.iterations() * threads * perThread);
    state.counters["posts_per_1000_events"] = benchmark::Counter(
        1000.0 * double(sink->PostCount()) / double(state.iterations() * threads * perThread));
    benchmark::DoNotOptimize(listener.checksum);
    sink->Detach();
    sink->Release();
}

// One thread, queue a burst of 1000 and deliver it: the cost per event without contention.
void QueueAndDeliverBurst(benchmark::State& state)
{
    QObject owner;
    CCountingListener listener;
    auto* sink = new CObriskEventDispatcher(&owner, &listener);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            Move(sink, i, 1);
        QCoreApplication::sendPostedEvents();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    benchmark::DoNotOptimize(listener.checksum);
    sink->Detach();
    sink->Release();
}

} // namespace

BENCHMARK(DeliverFromThreads)->Arg(1)->Arg(4)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QueueAndDeliverBurst)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
