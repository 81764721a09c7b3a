// The contact observer a load-measuring program exports: this test program
// exports one, so the board code finds it as it would in such a program.
#include "board/ContactProbe.h"

#include "board/ObriskEventDispatcher.h"
#include "tests/board/RecordingListener.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::mutex g_lock;
std::vector<std::string> g_seen; // probe reports and listener calls, interleaved as they happen

void Note(const std::string& text)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_seen.push_back(text);
}

const char* StageName(int stage)
{
    switch (stage) {
    case CContactProbe::Arriving:
        return "arriving";
    case CContactProbe::Queued:
        return "queued";
    case CContactProbe::Delivering:
        return "delivering";
    default:
        return "handled";
    }
}

// A listener that notes its calls in the same log as the probe.
class CLoggingListener : public CRecordingListener
{
public:
    void OnXYDown(int x, int y, int v, int p) override { Note("listener down " + Values(x, y, v, p)); }
    void OnXYMove(int x, int y, int v, int p) override { Note("listener move " + Values(x, y, v, p)); }
    void OnXYUp(int x, int y, int v, int p) override { Note("listener up " + Values(x, y, v, p)); }
    void OnPen(int v) override { Note("listener pen " + std::to_string(v)); }

    static std::string Values(int x, int y, int v, int p)
    {
        return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(v) + " "
            + std::to_string(p);
    }
};

HRESULT Contact(IDispatch* sink, DISPID id, LONG x, LONG y, LONG v, LONG p)
{
    return DispatchCall(
        sink, id, { CComVariant::I4(x), CComVariant::I4(y), CComVariant::I4(v), CComVariant::I4(p) });
}

const void* g_expectedListener = nullptr;
int g_foreignListener = 0;

} // namespace

extern "C" __attribute__((visibility("default"))) void KestavoContactProbe(
    int stage, int dispid, int x, int y, int value, int pointerId, const void* listener)
{
    if (listener != (stage == CContactProbe::Arriving ? nullptr : g_expectedListener))
        ++g_foreignListener;
    Note(std::string(StageName(stage)) + " " + std::to_string(dispid) + " "
        + CLoggingListener::Values(x, y, value, pointerId));
}

TEST(ContactProbeTest, SeesEachContactArriveAndQueuedThenAroundItsListenerCallInOrder)
{
    ASSERT_NE(CContactProbe::Observer(), nullptr) << "the test program's observer is found";
    g_seen.clear();
    QObject owner;
    CLoggingListener listener;
    g_expectedListener = static_cast<CObriskEventListener*>(&listener);
    g_foreignListener = 0;
    auto* sink = new CObriskEventDispatcher(&owner, &listener);

    std::thread board([sink] {
        DispatchCall(sink, OBRISK_DISPID_PEN, { CComVariant::I4(0) });
        Contact(sink, OBRISK_DISPID_XYDOWN, 1, 2, 500, 7);
        Contact(sink, OBRISK_DISPID_XYMOVE, 3, 4, 501, 7);
        Contact(sink, OBRISK_DISPID_XYUP, 5, 6, 0, 7);
    });
    board.join();
    const std::vector<std::string> queued {
        "arriving 1 1 2 500 7",
        "queued 1 1 2 500 7",
        "arriving 2 3 4 501 7",
        "queued 2 3 4 501 7",
        "arriving 3 5 6 0 7",
        "queued 3 5 6 0 7",
    };
    EXPECT_EQ(g_seen, queued) << "on the board's thread; the tool event is not a contact";

    QCoreApplication::sendPostedEvents();
    std::vector<std::string> all = queued;
    all.insert(all.end(),
        {
            "listener pen 0",
            "delivering 1 1 2 500 7",
            "listener down 1 2 500 7",
            "handled 1 1 2 500 7",
            "delivering 2 3 4 501 7",
            "listener move 3 4 501 7",
            "handled 2 3 4 501 7",
            "delivering 3 5 6 0 7",
            "listener up 5 6 0 7",
            "handled 3 5 6 0 7",
        });
    EXPECT_EQ(g_seen, all);
    EXPECT_EQ(g_foreignListener, 0);

    // A contact dropped after Detach arrives but is never queued.
    sink->Detach();
    Contact(sink, OBRISK_DISPID_XYDOWN, 9, 9, 9, 7);
    QCoreApplication::sendPostedEvents();
    all.push_back("arriving 1 9 9 9 7");
    EXPECT_EQ(g_seen, all);
    sink->Release();
}
