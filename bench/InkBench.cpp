// The ink component's geometry: writing with live drawing, and erasing over
// a board full of strokes.
#include "boardsoft/ink/InkStrokeModel.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

namespace {

// One pen sample every 2 px along a wavy line, as a board reports them.
QPointF sample(int i)
{
    return QPointF(10 + (i % 400) * 2.0, 300 + 80 * std::sin(i * 0.05));
}

void BM_AddPointWithDrawing(benchmark::State& state)
{
    QImage window(1024, 768, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    CInkStrokeModel stroke;
    stroke.setColour(0x0000C0);
    stroke.setWidth(3);
    stroke.begin(sample(0), &painter);
    int i = 1;
    for (auto _ : state) {
        if (i % 400 == 0)
            stroke.begin(sample(i), &painter); // a new stroke now and then, as a pupil writes
        else
            stroke.addPoint(sample(i), &painter);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddPointWithDrawing)->Unit(benchmark::kMicrosecond);

// 500 strokes of 40 points spread over a 1024 x 768 board.
std::vector<CInkStrokeModel> board()
{
    std::vector<CInkStrokeModel> strokes(500);
    for (int s = 0; s < 500; ++s) {
        const double x0 = (s * 97) % 980;
        const double y0 = (s * 53) % 720;
        CInkStrokeModel& m = strokes[s];
        m.setWidth(3);
        m.begin(QPointF(x0, y0), nullptr);
        for (int k = 1; k < 40; ++k)
            m.addPoint(QPointF(x0 + k, y0 + 10 * std::sin(k * 0.3)), nullptr);
        m.end(QPointF(x0 + 40, y0), nullptr);
    }
    return strokes;
}

void BM_EraseAtPointOver500Strokes(benchmark::State& state)
{
    const std::vector<CInkStrokeModel> original = board();
    std::vector<CInkStrokeModel> strokes = original;
    int touched = 0;
    int i = 0;
    for (auto _ : state) {
        // The eraser sweeps the board; the board is laid out afresh every 200 touches.
        if (i % 200 == 0) {
            state.PauseTiming();
            strokes = original;
            state.ResumeTiming();
        }
        const QPointF at((i * 37) % 1024, (i * 23) % 768);
        const CInkEraser eraser = CInkEraser::circle(at, 15);
        for (CInkStrokeModel& s : strokes)
            touched += s.erase(eraser) != CInkStrokeModel::Untouched;
        ++i;
    }
    state.counters["strokes changed per touch"] = benchmark::Counter(touched, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EraseAtPointOver500Strokes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
