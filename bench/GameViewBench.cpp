// Game view: a full back-buffer render at 1920 x 1080 and 3840 x 2160, the
// partial render of an apple drag, and ShowQuestion with the real pen input
// control (registered in a temporary hive).
#include "game/GameModel.h"
#include "tests/fixtures/TempHive.h"
#include "tests/views/FakeAppServices.h"
#include "views/GameView.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <memory>
#include <string>

namespace {

bool RegisterValtrix()
{
    const std::string path = std::string(KESTAVO_TEST_LIB_DIR) + "/libvaltrix.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW);
    if (!handle)
        return false;
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(handle, "DllRegisterServer"));
    const bool ok = entry && SUCCEEDED(entry());
    dlclose(handle);
    return ok;
}

// A game of addition questions at level 1 (apples on) in a view of the given size.
struct Game
{
    Game(int width, int height)
        : model(42u)
        , setup(model)
    {
        setup.level = 0;
        model.NewGame(true);
        services.model = &model;
        view = std::make_unique<CGameView>(services);
        view->resize(width, height);
        view->show();
        model.BuildQuestions();
        QApplication::processEvents();
    }
    CGameModel model;
    FakeAppServices services;
    ScriptedSetup setup;
    std::unique_ptr<CGameView> view;
};

void BM_FullRender(benchmark::State& state)
{
    Game game(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        game.view->RenderBackground(nullptr);
    state.SetLabel(game.view->ControlProblem().isEmpty() ? "with control" : "no control");
}
BENCHMARK(BM_FullRender)->Args({ 1920, 1080 })->Args({ 3840, 2160 })->Unit(benchmark::kMillisecond);

// One mouse-drag step of a loose apple: re-renders only the old and new place.
void BM_AppleDragStep(benchmark::State& state)
{
    Game game(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CManipulatives& scene = game.view->Manipulatives();
    const QRect bowl = scene.GetBowlRect();
    scene.Press(bowl.x() + 95, bowl.y() + 40);
    scene.Drag(bowl.x() - 300, bowl.y() - 300, *game.view);
    int step = 0;
    for (auto _ : state) {
        const int dx = (step++ % 2) ? 3 : -3;
        scene.Drag(bowl.x() - 300 + dx, bowl.y() - 300, *game.view);
    }
}
BENCHMARK(BM_AppleDragStep)->Args({ 1920, 1080 })->Args({ 3840, 2160 })->Unit(benchmark::kMicrosecond);

// Moving between two questions: the fields' texts, states and layout, and a full render.
void BM_ShowQuestion(benchmark::State& state)
{
    Game game(1920, 1080);
    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        game.view->ShowQuestion(index);
    }
    state.SetLabel(game.view->ControlProblem().isEmpty() ? "with control" : "no control");
}
BENCHMARK(BM_ShowQuestion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TempHive hive;
    if (!RegisterValtrix())
        std::fprintf(stderr, "libvaltrix.so not registered: measuring without the control\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
