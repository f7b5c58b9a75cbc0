// Frame cost through the real OpenGL path: the editor furniture plus a
// 512 x 128 panel with every dot lit, with consecutive dots batched into one
// begin/end pair and, for comparison, one pair per dot.
#include "app/startup.h"
#include "bench_helpers.h"
#include "items/digits.h"
#include "model/default_layout.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
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
    window_swap();
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
    reset_item_tables();   // the panel alone: no item left from another benchmark
    gfx_gl_batch_points(batched);
    for (auto _ : state) {
        if (dots) full_panel_frame();
        else {
            frame_routine();
            gfx_finish();
            window_swap();
        }
    }
    gfx_gl_batch_points(true);
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// Every record of every range live on a 512 x 128 panel, and all 430 texts.
void fill_full_layout()
{
    startup_paths(LUMIKER_BUILD_DIR "/");
    snprintf(led_width, sizeof led_width, "%d", BENCH_W);
    snprintf(led_height, sizeof led_height, "%d", BENCH_H);
    led_pitch = 2;
    fill_glyph_table();
    reset_item_tables();
    default_layout();
    dot_font_init();
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.x = PANEL_X + 1 + (i % 20) * 50;
        d.y = PANEL_Y + 1 + (i / 20) * 12;
        d.color = (uint8_t)(i % 7);
    }
    const std::string chinese = gbk_from_utf8("欢迎光临 Welcome");
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& t = string_table[i];
        t.visible = 1;
        t.x = PANEL_X + 1 + (i % 10) * 100;
        t.y = PANEL_Y + 1 + (i / 10) * 6;
        t.color = i % 7;
        t.font_size = (uint8_t)(12 + i % 5);
        copy_field(t.text, TEXT_LEN, (i % 2) ? "LED panel 12345" : chinese.c_str());
    }
}

void BM_EmptyPanelFrame(benchmark::State& s) { run(s, true, false); }

void BM_FullLayoutFrame(benchmark::State& state)
{
    if (!bench_window(2 * BENCH_W + 300, 790)) {
        state.SkipWithError("no display or screen font");
        return;
    }
    fill_full_layout();
    for (auto _ : state) {
        frame_routine();
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}
void BM_FullPanelBatched(benchmark::State& s) { run(s, true, true); }
void BM_FullPanelOnePairPerDot(benchmark::State& s) { run(s, false, true); }

} // namespace

BENCHMARK(BM_EmptyPanelFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullLayoutFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelBatched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelOnePairPerDot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
