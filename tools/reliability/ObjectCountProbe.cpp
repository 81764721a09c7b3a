// Preloaded into a Qt program (LD_PRELOAD), this library counts the QObjects
// alive, by class, through Qt's object hooks, and writes the counts to the file
// named by KESTAVO_OBJECT_COUNTS every half second of the program's event loop:
//   sample <ms since start> live <n> made <n>
//     <count> <class>
// Objects that pile up from game to game show as a class whose count keeps
// rising from sample to sample. Diagnostic only: never linked into the program.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <unordered_set>

// Qt's hook table (qhooks_p.h): slot 3 is called from every QObject's
// constructor, slot 4 from its destructor. The table is exported for tools.
extern quintptr Q_CORE_EXPORT qtHookData[];

namespace {

constexpr int kAddQObjectHook = 3;
constexpr int kRemoveQObjectHook = 4;
constexpr int kSampleMs = 500;

struct State
{
    std::mutex mutex;
    std::unordered_set<QObject*> live;
    long long made = 0;
    FILE* out = nullptr;
    QElapsedTimer clock;
};

State& TheState()
{
    // Never destroyed: objects are still removed during the program's exit.
    static State* state = new State;
    return *state;
}

void OnAdd(QObject* object)
{
    State& s = TheState();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.live.insert(object);
    ++s.made;
}

void OnRemove(QObject* object)
{
    State& s = TheState();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.live.erase(object);
}

void WriteSample()
{
    State& s = TheState();
    std::map<std::string, int> byClass;
    std::lock_guard<std::mutex> lock(s.mutex);
    const QThread* mainThread = QCoreApplication::instance()->thread();
    int elsewhere = 0;
    for (QObject* object : s.live) {
        // Only objects of this thread are certainly whole while we look.
        if (object->thread() != mainThread) {
            ++elsewhere;
            continue;
        }
        ++byClass[object->metaObject()->className()];
    }
    if (elsewhere)
        byClass["(other threads)"] = elsewhere;
    fprintf(s.out, "sample %lld live %zu made %lld\n", static_cast<long long>(s.clock.elapsed()),
        s.live.size(), s.made);
    for (const auto& [name, count] : byClass)
        fprintf(s.out, "  %d %s\n", count, name.c_str());
    fflush(s.out);
}

void StartSampling()
{
    State& s = TheState();
    const char* path = getenv("KESTAVO_OBJECT_COUNTS");
    s.out = fopen(path && *path ? path : "/dev/stderr", "w");
    if (!s.out)
        return;
    s.clock.start();
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, &WriteSample);
    timer->start(kSampleMs);
}

struct Install
{
    Install()
    {
        TheState();
        qtHookData[kAddQObjectHook] = reinterpret_cast<quintptr>(&OnAdd);
        qtHookData[kRemoveQObjectHook] = reinterpret_cast<quintptr>(&OnRemove);
    }
} install;

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartSampling)
