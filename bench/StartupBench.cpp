// Start of the program to the Setup dialog on screen: the application object,
// the game model, the main frame with its strip and blank view, the window
// shown, the Go operation run from the event loop, and the real Setup dialog
// (reading the settings store) shown over the blank view.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "config/Setup.h"
#include "tests/fixtures/TempHive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

void BM_StartToSetupShown(benchmark::State& state)
{
    TempHive hive;
    for (auto _ : state) {
        bool shown = false;
        CKestavoApp app;
        CKestavoApp::Options options;
        options.goAtStart = true;
        options.setupRunner = [&](std::vector<CParameterSet>&, int&) {
            CSetup setup(app.GetMainFrame());
            setup.show();
            QCoreApplication::processEvents();
            shown = setup.isVisible();
            return false; // Cancel: the blank view stays
        };
        app.InitInstance(options);
        while (!shown)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        app.ExitInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToSetupShown)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
