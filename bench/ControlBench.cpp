// The pen input control: one dispatch call through the component path, and one
// paint of a six-cell field at the game's largest magnification.
#include "control/AnswerGrid.h"
#include "control/CellRenderer.h"
#include "control/ValtrixIds.h"
#include "platform/com/Com.h"
#include "platform/com/DispatchTable.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <string>

namespace {

IDispatch* g_control = nullptr;

bool CreateControl()
{
    const std::string path = std::string(KESTAVO_TEST_LIB_DIR) + "/libvaltrix.so";
    void* library = dlopen(path.c_str(), RTLD_NOW);
    if (!library)
        return false;
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    if (!registerServer || FAILED(registerServer()))
        return false;
    return SUCCEEDED(CoCreateInstance(CLSID_ValtrixCtrl, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
        reinterpret_cast<void**>(&g_control)));
}

void BM_InvokeIsHintPossible(benchmark::State& state)
{
    if (!g_control) {
        state.SkipWithError("control not available");
        return;
    }
    CComVariant answer = CComVariant::Bstr(QStringLiteral("125"));
    DispatchCall(g_control, DISPID_VALTRIX_SETANSWER, { answer });
    for (auto _ : state) {
        CComVariant result;
        DispatchCall(g_control, DISPID_VALTRIX_ISHINTPOSSIBLE, {}, &result);
        benchmark::DoNotOptimize(result.iVal);
    }
}
BENCHMARK(BM_InvokeIsHintPossible);

// A text out and back in: two BSTR conversions per call.
void BM_InvokeGetStateSetState(benchmark::State& state)
{
    if (!g_control) {
        state.SkipWithError("control not available");
        return;
    }
    CComVariant answer = CComVariant::Bstr(QStringLiteral("123456"));
    DispatchCall(g_control, DISPID_VALTRIX_SETANSWER, { answer });
    for (auto _ : state) {
        CComVariant saved;
        DispatchCall(g_control, DISPID_VALTRIX_GETSTATE, {}, &saved);
        DispatchCall(g_control, DISPID_VALTRIX_SETSTATE, { saved });
    }
}
BENCHMARK(BM_InvokeGetStateSetState);

void BM_PaintSixCellsMagnified(benchmark::State& state)
{
    CCellRenderer renderer;
    renderer.SetFont(QStringLiteral("Arial"), 26.0f);
    renderer.SetMagnificationFactor(2.5f);
    renderer.EnableMagnification(true);
    CAnswerGrid grid;
    grid.SetState("123456"
                  "12345 "
                  "    x "
                  "1");
    const QSize size(static_cast<int>(6 * renderer.CellWidth()) + 1, static_cast<int>(renderer.CellHeight()));
    QImage buffer(size, QImage::Format_ARGB32_Premultiplied);
    buffer.setDotsPerMeterX(3780);
    buffer.setDotsPerMeterY(3780);
    for (auto _ : state) {
        QPainter painter(&buffer);
        renderer.Paint(painter, size, grid, false, true);
    }
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}
BENCHMARK(BM_PaintSixCellsMagnified)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir hive;
    qputenv("KESTAVO_HIVE_DIR", hive.path().toUtf8());
    QApplication app(argc, argv);
    CreateControl();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_control)
        g_control->Release();
    return 0;
}
