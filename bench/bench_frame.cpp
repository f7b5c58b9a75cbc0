// Frame cost through the real OpenGL path: the editor furniture plus a
// 512 x 128 panel with every dot lit, with consecutive dots batched into one
// begin/end pair and, for comparison, one pair per dot.
#include "bench_helpers.h"
#include "raster/canvas.h"
#include <benchmark/benchmark.h>

namespace {

constexpr int BENCH_W = 512, BENCH_H = 128;

void full_panel_frame()
{
    frame_routine();
    for (int r = 0; r < BENCH_H; r++)
        for (int c = 0; c < BENCH_W; c++)
            draw_dot((r + c) % 7, PANEL_X + c * led_pitch + 1, PANEL_Y + r * led_pitch + 1);
    gfx_finish();
    glutSwapBuffers();
}

void run(benchmark::State& state, bool batched, bool dots)
{
    snprintf(led_width, sizeof led_width, "%d", BENCH_W);
    snprintf(led_height, sizeof led_height, "%d", BENCH_H);
    led_pitch = 2;
    if (!bench_window(2 * BENCH_W + 300, 790)) {
        state.SkipWithError("no display or screen font");
        return;
    }
    gfx_gl_batch_points(batched);
    for (auto _ : state) {
        if (dots) full_panel_frame();
        else {
            frame_routine();
            gfx_finish();
            glutSwapBuffers();
        }
    }
    gfx_gl_batch_points(true);
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

void BM_EmptyPanelFrame(benchmark::State& s) { run(s, true, false); }
void BM_FullPanelBatched(benchmark::State& s) { run(s, true, true); }
void BM_FullPanelOnePairPerDot(benchmark::State& s) { run(s, false, true); }

} // namespace

BENCHMARK(BM_EmptyPanelFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelBatched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelOnePairPerDot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
