// Board contact load on the real program window: the board software's replay
// thread plays contacts at a fixed rate (ten thousand a second for a minute by
// default) into a running game, alternating pen strokes over the game view's
// background (scribbles) and over the editable answer field (ink capture), with
// every tenth stroke an eraser swipe over the scribbles. The pen input control
// and the board software are the built components, registered in a temporary
// hive by kestavo-register, exactly as the program finds them.
//
// It checks that every contact reached its listener in the order it was sent,
// and measures the delay from the sink call on the replay thread to the paint of
// the window that shows a pen contact, the lateness of a 10 ms timer on the
// window's thread, the backlog of queued contacts and the RSS every second.
//
//   contact_load_bench [--seconds N] [--rate R] [--points P] [--size WxH] [--window S]
//                      [--only view|field] [--recognise S] [--screenshot FILE]
//
// --recognise S recognises the field's ink every S seconds, as the field's "A"
// button does: the ink is turned into digits and dropped, so what the field
// keeps no longer grows.
//
// Exit 0 when all contacts were delivered in order, 1 when one was lost, out of
// order or never painted, 2 when the run could not be set up.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "board/ContactProbe.h"
#include "boardsoft/ObriskReplay.h"
#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "game/QuestionItem.h"
#include "game/Random.h"
#include "platform/com/BoardInterfaces.h"
#include "views/DValtrix.h"
#include "views/GameView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// --- The planned session: contact n is a pure function of n ------------------------------------

enum Target
{
    View = 0,
    Field = 1,
    TargetCount = 2
};

struct Plan
{
    int points = 100; // contacts a stroke
    QRect viewBox; // scribble area in the view's coordinates
    QRect fieldBox; // inside the answer field's window

    struct Contact
    {
        Target target;
        bool eraser;
        int dispid;
        int x;
        int y;
        int value;
    };

    enum Mode
    {
        Both,
        ViewOnly,
        FieldOnly
    };
    Mode mode = Both;

    bool IsEraser(long long stroke) const { return mode != FieldOnly && stroke % 10 == 9; }
    Target TargetOf(long long stroke) const
    {
        if (mode != Both)
            return mode == ViewOnly ? View : Field;
        return IsEraser(stroke) || stroke % 2 == 0 ? View : Field;
    }

    Contact At(long long n) const
    {
        const long long s = n / points;
        const int i = static_cast<int>(n % points);
        Contact c {};
        c.target = TargetOf(s);
        c.eraser = IsEraser(s);
        c.dispid = i == 0     ? OBRISK_DISPID_XYDOWN
            : i == points - 1 ? OBRISK_DISPID_XYUP
                              : OBRISK_DISPID_XYMOVE;
        const int k = static_cast<int>(s % 9973);
        if (c.eraser) {
            // Steps of more than the eraser's 10-pixel minimum, so it rubs.
            c.x = viewBox.x() + (i * 17 + k) % viewBox.width();
            c.y = viewBox.y() + (i * 11 + k * 5) % viewBox.height();
        } else if (c.target == View) {
            c.x = viewBox.x() + (i * 7 + k * 13) % viewBox.width();
            c.y = viewBox.y() + (i * 13 + k * 7) % viewBox.height();
        } else {
            c.x = fieldBox.x() + (i * 3 + k) % fieldBox.width();
            c.y = fieldBox.y() + (i * 5 + k * 3) % fieldBox.height();
        }
        c.value = 1 + static_cast<int>(n % 1000);
        return c;
    }

    // The first contact at or after n that goes to target t.
    long long NextFor(Target t, long long n) const
    {
        while (TargetOf(n / points) != t)
            n = (n / points + 1) * points;
        return n;
    }

    // Replay script of the strokes [first, last).
    std::string Script(long long firstStroke, long long lastStroke, int pauses, bool waitForWindows) const
    {
        std::string text;
        text.reserve(static_cast<size_t>((lastStroke - firstStroke) * points * 22 + 256));
        if (waitForWindows)
            text += "wait-window CGameView 5000\nwait-window CValtrixCtrl 5000\n";
        const long long total = (lastStroke - firstStroke) * points;
        long long done = 0;
        int pausesMade = 0;
        char line[96];
        for (long long s = firstStroke; s < lastStroke; ++s) {
            text += TargetOf(s) == View ? "window CGameView\n" : "window CValtrixCtrl\n";
            text += IsEraser(s) ? "tool eraser\n" : "tool pen\n";
            for (int i = 0; i < points; ++i) {
                const Contact c = At(s * points + i);
                const char* verb = c.dispid == OBRISK_DISPID_XYDOWN ? "down"
                    : c.dispid == OBRISK_DISPID_XYUP                ? "up"
                                                                    : "move";
                std::snprintf(line, sizeof line, "%s %d %d %d\n", verb, c.x, c.y, c.value);
                text += line;
                ++done;
                // Pauses spread evenly over the chunk.
                while (pauses > 0 && pausesMade < pauses && done * pauses >= (pausesMade + 1) * total) {
                    text += "pause 1\n";
                    ++pausesMade;
                }
            }
        }
        return text;
    }
};

// --- Histograms: 10 µs bins up to 2 s, the maximum kept exactly ----------------------------------

class CHistogram
{
public:
    static constexpr long long kBinNs = 10000;
    static constexpr size_t kBins = 200000;

    CHistogram()
        : m_bins(kBins + 1, 0)
    {
    }
    void Add(long long ns)
    {
        if (ns < 0)
            ns = 0;
        const size_t bin = std::min(static_cast<size_t>(ns / kBinNs), kBins);
        ++m_bins[bin];
        ++m_count;
        m_max = std::max(m_max, ns);
    }
    void Reset()
    {
        std::fill(m_bins.begin(), m_bins.end(), 0);
        m_count = 0;
        m_max = 0;
    }
    long long Count() const { return m_count; }
    // Upper edge of the bin holding the q-quantile, in ms.
    double QuantileMs(double q) const
    {
        if (m_count == 0)
            return 0;
        const long long rank = static_cast<long long>(std::ceil(q * static_cast<double>(m_count)));
        long long seen = 0;
        for (size_t i = 0; i <= kBins; ++i) {
            seen += m_bins[i];
            if (seen >= rank && m_bins[i] > 0)
                return i == kBins ? MaxMs() : static_cast<double>((i + 1) * kBinNs) / 1e6;
        }
        return MaxMs();
    }
    double MaxMs() const { return static_cast<double>(m_max) / 1e6; }

private:
    std::vector<unsigned> m_bins;
    long long m_count = 0;
    long long m_max = 0;
};

// --- What the probe sees ------------------------------------------------------------------------

constexpr size_t kRing = 1u << 20; // queued times of the last million contacts

struct Recorder
{
    Plan plan;
    const void* viewListener = nullptr;
    QObject* viewWidget = nullptr;
    QObject* fieldWidget = nullptr;

    // Written on the replay thread only.
    std::vector<long long> queuedAt = std::vector<long long>(kRing, 0);
    long long queuedCursor[TargetCount] = { 0, 0 };
    std::atomic<long long> queued { 0 };
    std::atomic<long long> queuedWrong { 0 };
    long long firstQueuedNs = 0;
    long long lastQueuedNs = 0;

    // Window's thread only.
    long long deliveredCursor[TargetCount] = { 0, 0 };
    std::atomic<long long> delivered { 0 };
    long long deliveredWrong = 0;
    long long handled = 0;
    long long overrun = 0; // more than kRing contacts between queueing and delivery
    QString firstFault;
    std::vector<long long> awaitingPaint[TargetCount];
    long long painted[TargetCount] = { 0, 0 };
    long long paints[TargetCount] = { 0, 0 };
    CHistogram lockWait; // replay thread only
    CHistogram deliveryAll, deliveryWindow, paintAll, paintWindow, paintTarget[TargetCount];

    static Target TargetOfListener(const Recorder& r, const void* listener)
    {
        return listener == r.viewListener ? View : Field;
    }

    bool Matches(const Plan::Contact& c, int dispid, int x, int y, int value) const
    {
        return c.dispid == dispid && c.x == x && c.y == y && c.value == value;
    }

    void Fault(const QString& text)
    {
        if (firstFault.isEmpty())
            firstFault = text;
    }

    // Replay thread: the sink was called; its lock is not taken yet.
    static long long& ArrivedNs()
    {
        thread_local long long arrived = 0;
        return arrived;
    }
    void OnArriving() { ArrivedNs() = NowNs(); }

    // Replay thread: the sink queued the contact. A contact's start is its
    // arrival, the last one on this thread (the same contact: a sink call reports
    // both before it returns).
    void OnQueued(int dispid, int x, int y, int value, const void* listener)
    {
        const long long queuedNs = NowNs();
        const long long now = ArrivedNs() ? ArrivedNs() : queuedNs;
        lockWait.Add(queuedNs - now);
        const Target t = TargetOfListener(*this, listener);
        const long long n = plan.NextFor(t, queuedCursor[t]);
        if (!Matches(plan.At(n), dispid, x, y, value))
            queuedWrong.fetch_add(1, std::memory_order_relaxed);
        if (firstQueuedNs == 0)
            firstQueuedNs = now;
        lastQueuedNs = now;
        queuedAt[static_cast<size_t>(n) & (kRing - 1)] = now;
        queuedCursor[t] = n + 1;
        queued.fetch_add(1, std::memory_order_release);
    }

    // Window's thread.
    void OnDelivering(int dispid, int x, int y, int value, const void* listener)
    {
        const long long now = NowNs();
        const Target t = TargetOfListener(*this, listener);
        const long long n = plan.NextFor(t, deliveredCursor[t]);
        const Plan::Contact c = plan.At(n);
        if (!Matches(c, dispid, x, y, value)) {
            ++deliveredWrong;
            Fault(QStringLiteral("contact %1 to the %2: expected %3 %4,%5 (%6), got %7 %8,%9 (%10)")
                      .arg(n)
                      .arg(t == View ? "view" : "field")
                      .arg(c.dispid)
                      .arg(c.x)
                      .arg(c.y)
                      .arg(c.value)
                      .arg(dispid)
                      .arg(x)
                      .arg(y)
                      .arg(value));
        }
        deliveredCursor[t] = n + 1;
        if (queued.load(std::memory_order_acquire) - delivered.load(std::memory_order_relaxed)
            > static_cast<long long>(kRing))
            ++overrun;
        const long long q = queuedAt[static_cast<size_t>(n) & (kRing - 1)];
        deliveryAll.Add(now - q);
        deliveryWindow.Add(now - q);
        if (!c.eraser)
            awaitingPaint[t].push_back(n);
        delivered.fetch_add(1, std::memory_order_relaxed);
    }

    void OnHandled() { ++handled; }

    // Window's thread: a paint of the view or the field begins.
    void OnPaint(Target t)
    {
        const long long now = NowNs();
        ++paints[t];
        for (long long n : awaitingPaint[t]) {
            const long long d = now - queuedAt[static_cast<size_t>(n) & (kRing - 1)];
            paintAll.Add(d);
            paintWindow.Add(d);
            paintTarget[t].Add(d);
        }
        painted[t] += static_cast<long long>(awaitingPaint[t].size());
        awaitingPaint[t].clear();
    }
};

Recorder* g_recorder = nullptr;

class CPaintWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && g_recorder) {
            if (watched == g_recorder->viewWidget)
                g_recorder->OnPaint(View);
            else if (watched == g_recorder->fieldWidget)
                g_recorder->OnPaint(Field);
        }
        return false;
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) void KestavoContactProbe(
    int stage, int dispid, int x, int y, int value, int, const void* listener)
{
    Recorder* r = g_recorder;
    if (!r)
        return;
    switch (stage) {
    case CContactProbe::Arriving:
        r->OnArriving();
        break;
    case CContactProbe::Queued:
        r->OnQueued(dispid, x, y, value, listener);
        break;
    case CContactProbe::Delivering:
        r->OnDelivering(dispid, x, y, value, listener);
        break;
    case CContactProbe::Handled:
        r->OnHandled();
        break;
    default:
        break;
    }
}

namespace {

struct Options
{
    int seconds = 60;
    int rate = 10000;
    int points = 100;
    QSize size { 1024, 768 };
    int window = 10; // seconds a table row
    Plan::Mode mode = Plan::Both;
    int recognise = 0; // seconds between recognitions of the field's ink (0: never)
    QString screenshot; // the window at the end, as PNG
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--seconds" && hasValue)
            o.seconds = std::atoi(argv[++i]);
        else if (a == "--rate" && hasValue)
            o.rate = std::atoi(argv[++i]);
        else if (a == "--points" && hasValue)
            o.points = std::atoi(argv[++i]);
        else if (a == "--window" && hasValue)
            o.window = std::atoi(argv[++i]);
        else if (a == "--screenshot" && hasValue)
            o.screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--recognise" && hasValue)
            o.recognise = std::atoi(argv[++i]);
        else if (a == "--only" && hasValue) {
            const std::string which = argv[++i];
            if (which != "view" && which != "field")
                return false;
            o.mode = which == "view" ? Plan::ViewOnly : Plan::FieldOnly;
        } else if (a == "--size" && hasValue) {
            int w = 0, h = 0;
            if (std::sscanf(argv[++i], "%dx%d", &w, &h) != 2)
                return false;
            o.size = QSize(w, h);
        } else
            return false;
    }
    return o.seconds > 0 && o.rate > 0 && o.recognise >= 0 && o.points >= 2 && o.points <= 10000
        && o.window > 0 && o.size.width() >= 640 && o.size.height() >= 480;
}

long long RssKb()
{
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(f);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void Pump(int ms)
{
    QDeadlineTimer deadline(ms);
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    } while (!deadline.hasExpired());
}

// A free scribble area of the view: clear of the fields, the bowl and the apples.
QRect FreeArea(CGameView& view, QSize want)
{
    std::vector<QRect> taken;
    for (int i = CGameView::Operand1; i < CGameView::FieldCount; ++i) {
        if (view.GetField(i)->isVisible())
            taken.push_back(view.GetField(i)->geometry().adjusted(-12, -12, 12, 12));
    }
    taken.push_back(view.Manipulatives().GetBowlRect().adjusted(-12, -12, 12, 12));
    for (int i = 0; i < view.Manipulatives().ElementCount(); ++i)
        taken.push_back(view.Manipulatives().Element(i).Rect().adjusted(-12, -12, 12, 12));
    for (int y = 20; y + want.height() < view.height() - 20; y += 10) {
        for (int x = 20; x + want.width() < view.width() - 20; x += 10) {
            const QRect r(QPoint(x, y), want);
            if (std::none_of(taken.begin(), taken.end(), [&](const QRect& t) { return t.intersects(r); }))
                return r;
        }
    }
    return QRect();
}

struct Row
{
    int from = 0;
    int to = 0;
    long long sent = 0;
    long long delivered = 0;
    double deliveryP99 = 0;
    double paintP50 = 0;
    double paintP99 = 0;
    double paintMax = 0;
    double timerP99 = 0;
    double timerMax = 0;
    long long backlogMax = 0;
    long long rssKb = 0;
    double cpuPercent = 0; // the window's thread
};

long long ThreadCpuNs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
            "usage: contact_load_bench [--seconds N] [--rate R] [--points P] [--size WxH] [--window S]\n"
            "                          [--only view|field] [--recognise S] [--screenshot FILE]\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir hive;
    if (!qEnvironmentVariableIsSet("KESTAVO_HIVE_DIR"))
        qputenv("KESTAVO_HIVE_DIR", hive.filePath(QStringLiteral("hive")).toLocal8Bit());
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", hive.path().toLocal8Bit());

    QApplication app(argc, argv);
    {
        // The components of this build tree, registered for this run's user hive.
        const QString bin = QStringLiteral(KESTAVO_TEST_BIN_DIR);
        QProcess reg;
        reg.start(bin + QStringLiteral("/kestavo-register"),
            { QStringLiteral("--user"), QStringLiteral("--build-tree"), bin + QStringLiteral("/..") });
        if (!reg.waitForFinished(60000) || reg.exitStatus() != QProcess::NormalExit || reg.exitCode() != 0) {
            std::fprintf(stderr, "kestavo-register failed: %s\n", reg.readAllStandardError().constData());
            return 2;
        }
    }

    auto kestavo = std::make_unique<CKestavoApp>();
    CKestavoApp::Options appOptions;
    appOptions.goAtStart = true;
    appOptions.setupRunner = [](std::vector<CParameterSet>& sets, int& count) {
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(OpAddition), 0);
        sets.assign(1, set);
        count = 10;
        return true;
    };
    appOptions.messageSink
        = [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); };
    if (!kestavo->InitInstance(appOptions)) {
        std::fprintf(stderr, "the program did not start\n");
        return 2;
    }
    // The same questions, and so the same layout, every run: the first game
    // starts from the event loop, after this.
    CRandom::Seed(5);
    CMainFrame* frame = kestavo->GetMainFrame();
    frame->resize(options.size);
    CGameView* view = nullptr;
    for (int i = 0; i < 100 && !view; ++i) {
        Pump(20);
        view = qobject_cast<CGameView*>(frame->CurrentView());
    }
    if (!view || !view->BoardConnection()) {
        std::fprintf(stderr, "no game view with a board connection\n");
        return 2;
    }
    if (!view->ControlProblem().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(view->ControlProblem()));
        return 2;
    }

    CObriskReplayClient replay;
    if (!replay.Load()) {
        std::fprintf(stderr, "the board software's replay is not available\n");
        return 2;
    }
    // The pen comes out of the tray first: the view magnifies the fields for it,
    // so the layout is measured as it stays during the session.
    {
        const int id = replay.Start("tray pen\n");
        while (replay.State(id) == 0)
            Pump(5);
        replay.Release(id);
        Pump(200);
    }

    // The editable field the board reaches by name is the first editable one.
    CDValtrix* field = nullptr;
    for (int i = CGameView::Operand1; i <= CGameView::Result && !field; ++i) {
        if (!view->GetField(i)->IsStaticModeEnabled())
            field = view->GetField(i);
    }
    if (!field || !field->ControlWindow()) {
        std::fprintf(stderr, "no editable answer field\n");
        return 2;
    }
    QWidget* fieldWindow = field->ControlWindow();

    Recorder recorder;
    recorder.plan.points = options.points;
    recorder.plan.mode = options.mode;
    recorder.plan.viewBox = FreeArea(*view, QSize(300, 200));
    recorder.plan.fieldBox
        = QRect(QPoint(4, 4), fieldWindow->size() - QSize(24, 8)); // clear of the "A" button
    if (recorder.plan.viewBox.isEmpty() || recorder.plan.fieldBox.width() < 10
        || recorder.plan.fieldBox.height() < 10) {
        std::fprintf(stderr, "no room to write: view area %dx%d, field %dx%d\n",
            recorder.plan.viewBox.width(), recorder.plan.viewBox.height(), fieldWindow->width(),
            fieldWindow->height());
        return 2;
    }
    recorder.viewListener = static_cast<const CObriskEventListener*>(view);
    recorder.viewWidget = view;
    recorder.fieldWidget = fieldWindow;
    for (auto& a : recorder.awaitingPaint)
        a.reserve(1u << 16);
    CPaintWatch watch;
    view->installEventFilter(&watch);
    fieldWindow->installEventFilter(&watch);

    // --- the session ---------------------------------------------------------------------------
    const int strokesPerChunk = std::max(1, options.rate / options.points);
    const long long contactsPerChunk = static_cast<long long>(strokesPerChunk) * options.points;
    const int chunks = options.seconds;
    const long long total = contactsPerChunk * chunks;
    std::atomic<long long> sent { 0 };
    std::atomic<bool> feederDone { false };
    std::atomic<bool> stop { false };
    std::string feederError;
    std::vector<int> pausesUsed;

    // Rows and samples, all sized before the baseline is taken.
    const int rows = (options.seconds + options.window - 1) / options.window;
    std::vector<Row> table;
    table.reserve(static_cast<size_t>(rows * 8 + 8)); // a slow run takes longer than planned
    std::vector<long long> rssSamples;
    rssSamples.reserve(static_cast<size_t>(options.seconds + 120));
    CHistogram timerAll, timerWindow;
    long long backlogMax = 0, backlogWindowMax = 0;
    int row = 0;
    long long rowSentStart = 0, rowDeliveredStart = 0;
    long long rowWallStart = 0, rowCpuStart = 0;

    g_recorder = &recorder;
    Pump(100);
    const long long rssStart = RssKb();
    rssSamples.push_back(rssStart);

    QElapsedTimer wall;
    wall.start();
    rowWallStart = NowNs();
    rowCpuStart = ThreadCpuNs();
    std::thread feeder([&] {
        int pauses = options.rate >= 1000
            ? static_cast<int>(contactsPerChunk / std::max(1, options.rate / 1000))
            : 0;
        const auto runStart = Clock::now();
        auto cycleStart = runStart;
        for (int c = 0; c < chunks && !stop.load(); ++c) {
            const std::string script = recorder.plan.Script(static_cast<long long>(c) * strokesPerChunk,
                static_cast<long long>(c + 1) * strokesPerChunk, pauses, c == 0);
            const int id = replay.Start(script);
            int state = 0;
            while ((state = replay.Wait(id, 200)) == 0 && !stop.load()) { }
            if (state != 1) {
                feederError = state == 0 ? "stopped" : replay.Error(id);
                replay.Release(id);
                break;
            }
            replay.Release(id);
            sent.fetch_add(contactsPerChunk);
            pausesUsed.push_back(pauses);
            // Keep a chunk, with the making of the next script, at one second and
            // make up what earlier chunks lost, so the run as a whole keeps the
            // rate: a pause of 1 ms lasts a little longer than that, so adjust by
            // 1.1 ms a pause.
            const auto now = Clock::now();
            const double cycleMs = std::chrono::duration<double, std::milli>(now - cycleStart).count();
            const double aheadMs
                = (c + 1) * 1000.0 - std::chrono::duration<double, std::milli>(now - runStart).count();
            cycleStart = now;
            pauses = std::clamp(pauses + static_cast<int>(std::lround((1000.0 - cycleMs + aheadMs) / 1.1)), 0,
                static_cast<int>(contactsPerChunk));
        }
        feederDone = true;
    });

    QElapsedTimer tick;
    tick.start();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const long long late = tick.nsecsElapsed() - 10000000LL;
        tick.restart();
        timerAll.Add(late);
        timerWindow.Add(late);
        const long long backlog = recorder.queued.load() - recorder.delivered.load();
        backlogMax = std::max(backlogMax, backlog);
        backlogWindowMax = std::max(backlogWindowMax, backlog);
    });
    timer.start();

    auto closeRow = [&](int second) {
        table.emplace_back();
        Row& r = table.back();
        r.from = row * options.window;
        r.to = second;
        r.sent = recorder.queued.load() - rowSentStart;
        r.delivered = recorder.delivered.load() - rowDeliveredStart;
        r.deliveryP99 = recorder.deliveryWindow.QuantileMs(0.99);
        r.paintP50 = recorder.paintWindow.QuantileMs(0.50);
        r.paintP99 = recorder.paintWindow.QuantileMs(0.99);
        r.paintMax = recorder.paintWindow.MaxMs();
        r.timerP99 = timerWindow.QuantileMs(0.99);
        r.timerMax = timerWindow.MaxMs();
        r.backlogMax = backlogWindowMax;
        r.rssKb = rssSamples.back();
        const long long wallNow = NowNs(), cpuNow = ThreadCpuNs();
        r.cpuPercent = 100.0 * static_cast<double>(cpuNow - rowCpuStart)
            / static_cast<double>(std::max(1LL, wallNow - rowWallStart));
        rowWallStart = wallNow;
        rowCpuStart = cpuNow;
        rowSentStart = recorder.queued.load();
        rowDeliveredStart = recorder.delivered.load();
        recorder.deliveryWindow.Reset();
        recorder.paintWindow.Reset();
        timerWindow.Reset();
        backlogWindowMax = 0;
        ++row;
    };

    int recognitions = 0;
    CHistogram recognitionMs;
    QTimer recogniseTimer;
    recogniseTimer.setInterval(std::max(1, options.recognise) * 1000);
    QObject::connect(&recogniseTimer, &QTimer::timeout, [&] {
        const long long begin = NowNs();
        field->DoRecognition();
        recognitionMs.Add(NowNs() - begin);
        ++recognitions;
    });
    if (options.recognise > 0)
        recogniseTimer.start();

    int second = 0;
    QTimer perSecond;
    perSecond.setTimerType(Qt::PreciseTimer);
    perSecond.setInterval(1000);
    QObject::connect(&perSecond, &QTimer::timeout, [&] {
        ++second;
        rssSamples.push_back(RssKb());
        if (second % options.window == 0)
            closeRow(second);
    });
    perSecond.start();

    // Ends once the feeder is done and every queued contact was delivered (or
    // ten seconds later, when some never are).
    QElapsedTimer drain;
    QTimer finish;
    finish.setInterval(20);
    QObject::connect(&finish, &QTimer::timeout, [&] {
        if (!feederDone.load())
            return;
        if (!drain.isValid())
            drain.start();
        if (recorder.delivered.load() >= recorder.queued.load() || drain.elapsed() > 10000)
            app.quit();
    });
    finish.start();
    app.exec();
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    timer.stop();
    perSecond.stop();
    recogniseTimer.stop();
    finish.stop();
    stop = true;
    feeder.join();
    Pump(100); // the paints of the last contacts
    rssSamples.push_back(RssKb());
    if (second % options.window != 0 || row == 0)
        closeRow(second);

    // --- the report ----------------------------------------------------------------------------
    const long long rssPeak = *std::max_element(rssSamples.begin(), rssSamples.end());
    const long long rssEnd = rssSamples.back();
    const long long planned = total;
    const long long queuedTotal = recorder.queued.load();
    const long long deliveredTotal = recorder.delivered.load();
    long long unpainted = 0;
    for (const auto& a : recorder.awaitingPaint)
        unpainted += static_cast<long long>(a.size());

    std::printf("Board contact load: %d s planned at %d contacts/s, strokes of %d contacts, game view %dx%d, "
                "platform %s\n",
        options.seconds, options.rate, options.points, view->width(), view->height(),
        qPrintable(QApplication::platformName()));
    std::printf("scribble area %d,%d %dx%d in the view; field window %dx%d\n", recorder.plan.viewBox.x(),
        recorder.plan.viewBox.y(), recorder.plan.viewBox.width(), recorder.plan.viewBox.height(),
        fieldWindow->width(), fieldWindow->height());
    std::printf("\n%-9s %8s %9s %12s %27s %18s %8s %6s %8s\n", "seconds", "queued", "delivered",
        "deliv p99 ms", "pen to paint p50/p99/max ms", "timer late p99/max", "backlog", "cpu %", "RSS KB");
    for (int i = 0; i < row; ++i) {
        const Row& r = table[static_cast<size_t>(i)];
        std::printf("%3d-%-5d %8lld %9lld %12.2f %9.2f %8.2f %8.2f %9.2f %8.2f %8lld %6.0f %8lld\n", r.from,
            r.to, r.sent, r.delivered, r.deliveryP99, r.paintP50, r.paintP99, r.paintMax, r.timerP99,
            r.timerMax, r.backlogMax, r.cpuPercent, r.rssKb);
    }
    std::printf("(deliv: sink call to the listener; pen to paint: sink call to the first paint of the window "
                "after the listener got it; cpu: the window's thread)\n");
    std::printf(
        "\ncontacts: planned %lld, sent by the replay %lld, queued at the sinks %lld, delivered %lld, "
        "handled %lld\n",
        planned, sent.load(), queuedTotal, deliveredTotal, recorder.handled);
    const double span = static_cast<double>(recorder.lastQueuedNs - recorder.firstQueuedNs) / 1e9;
    std::printf("rate achieved: %.0f contacts/s from the first to the last sink call (%.1f s); run %.1f s "
                "(pauses of 1 ms a chunk: first %d, last %d)\n",
        span > 0 ? static_cast<double>(queuedTotal - 1) / span : 0.0, span, seconds,
        pausesUsed.empty() ? 0 : pausesUsed.front(), pausesUsed.empty() ? 0 : pausesUsed.back());
    std::printf("replay thread waiting for the sink's lock: p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
        recorder.lockWait.QuantileMs(0.5), recorder.lockWait.QuantileMs(0.99), recorder.lockWait.MaxMs());
    std::printf("sink call to delivery: p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
        recorder.deliveryAll.QuantileMs(0.5), recorder.deliveryAll.QuantileMs(0.99),
        recorder.deliveryAll.MaxMs());
    std::printf("sink call to paint, pen contacts: p50 %.2f ms, p99 %.2f ms, max %.2f ms (%lld contacts)\n",
        recorder.paintAll.QuantileMs(0.5), recorder.paintAll.QuantileMs(0.99), recorder.paintAll.MaxMs(),
        recorder.paintAll.Count());
    for (int t = 0; t < TargetCount; ++t) {
        std::printf("  %-5s p50 %.2f ms, p99 %.2f ms, max %.2f ms; %lld paints for %lld contacts\n",
            t == View ? "view" : "field", recorder.paintTarget[t].QuantileMs(0.5),
            recorder.paintTarget[t].QuantileMs(0.99), recorder.paintTarget[t].MaxMs(), recorder.paints[t],
            recorder.painted[t]);
    }
    std::printf(
        "10 ms timer lateness: p50 %.2f ms, p99 %.2f ms, max %.2f ms (%lld ticks); backlog max %lld\n",
        timerAll.QuantileMs(0.5), timerAll.QuantileMs(0.99), timerAll.MaxMs(), timerAll.Count(), backlogMax);
    std::printf("RSS: start %lld KB, peak %lld KB, end %lld KB (%+lld KB)\n", rssStart, rssPeak, rssEnd,
        rssEnd - rssStart);
    int containerStrokes = 0;
    if (CQuestionItem* item = kestavo->GetGameModel()->GetItem(view->CurrentIndex()); item && item->ink)
        item->ink->Count(&containerStrokes);
    std::printf("ink kept: %d scribbled strokes with ink on the question, %d strokes in its ink container\n",
        view->Scribbles().StrokeCount(), containerStrokes);
    if (options.recognise > 0)
        std::printf("field recognised %d times: p50 %.1f ms, max %.1f ms\n", recognitions,
            recognitionMs.QuantileMs(0.5), recognitionMs.MaxMs());

    bool ok = true;
    if (!feederError.empty()) {
        std::printf("FAIL: the replay stopped: %s\n", feederError.c_str());
        ok = false;
    }
    if (queuedTotal != sent.load() || deliveredTotal != queuedTotal || recorder.handled != deliveredTotal) {
        std::printf("FAIL: %lld contacts sent, %lld queued, %lld delivered, %lld handled\n", sent.load(),
            queuedTotal, deliveredTotal, recorder.handled);
        ok = false;
    }
    if (recorder.queuedWrong.load() || recorder.deliveredWrong) {
        std::printf("FAIL: %lld contacts reached the sinks and %lld the listeners out of order or changed; "
                    "first: %s\n",
            recorder.queuedWrong.load(), recorder.deliveredWrong, qPrintable(recorder.firstFault));
        ok = false;
    }
    if (recorder.overrun) {
        std::printf("FAIL: the backlog passed %zu contacts %lld times: delays are not measured there\n",
            kRing, recorder.overrun);
        ok = false;
    }
    if (unpainted) {
        std::printf("FAIL: %lld pen contacts were never followed by a paint of their window\n", unpainted);
        ok = false;
    }
    std::printf("%s\n", ok ? "all contacts delivered in order" : "FAILED");

    if (!options.screenshot.isEmpty() && !frame->grab().save(options.screenshot))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(options.screenshot));
    g_recorder = nullptr;
    view->removeEventFilter(&watch);
    fieldWindow->removeEventFilter(&watch);
    kestavo->ExitInstance();
    kestavo.reset();
    return ok ? 0 : 1;
}
