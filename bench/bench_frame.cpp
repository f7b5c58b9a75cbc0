// Frame cost through the real OpenGL path: the editor furniture plus a
// 512 x 128 panel with every dot lit, with consecutive dots batched into one
// begin/end pair and, for comparison, one pair per dot. The layout frames
// (empty panel, every record live, 200 texts, one item dragged) run with the
// items drawn directly (/layered:0) and through the item layers (/layered:1)
// in the same run, beside the retained designs that were weighed against the
// layers: one display list per item, and a texture of the panel's dots.
#include "app/startup.h"
#include "bench_helpers.h"
#include "tests/full_layout.h"
#include "bench_startup.h"
#include "edit/state.h"
#include "items/digit_item.h"
#include "items/digits.h"
#include "items/item_layers.h"
#include "items/text_item.h"
#include "model/default_layout.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include <benchmark/benchmark.h>
// The weighed display-list design below calls OpenGL itself: the program has
// no such path, so only this measurement reaches past the drawing layer.
#include <GL/gl.h>
#include <cstring>
#include <vector>

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
    retained_drawing = false;
    for (auto _ : state) {
        if (dots) full_panel_frame();
        else {
            frame_routine();
            gfx_finish();
            window_swap();
        }
    }
    gfx_gl_batch_points(true);
    retained_drawing = true;
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
    dot_font_init();
    make_full_layout();
}

// 200 text items of 20 characters (Chinese and Western) in all 16 sizes.
void fill_200_texts()
{
    fill_full_layout();
    for (int i = 0; i < DIGIT_COUNT; i++) digit_table[i].visible = 0;
    for (int i = 0; i < STRING_COUNT; i++) string_table[i].visible = 0;
    const int* const sizes = FONT_SIZES;   // the whole ladder
    const char* const samples[] = {"温度湿度Temp风速12.5m/s报警", "安全生产天数Days:0365无事故",
                                   "欢迎光临Welcome!请注意安全", "当前时间Time08:30:00今日"};
    for (int k = 0; k < 200; k++) {
        string_draw& t = string_table[k];
        t.visible = 1;
        t.font_size = (uint8_t)sizes[k % FONT_SIZE_COUNT];
        t.x = PANEL_X + 1 + (k % 4) * 240;
        t.y = PANEL_Y + 1 + (k / 4) * 20;
        t.color = k % 7;
        copy_field(t.text, TEXT_LEN, gbk_from_utf8(samples[k % 4]).c_str());
        t.text_ready = 0;
    }
}

// Frames of whatever the tables hold, items drawn directly or through the layers.
void layout_frames(benchmark::State& state)
{
    current_unit = DIGIT_COUNT;
    current_string = STRING_COUNT;
    retained_drawing = state.range(0) != 0;
    item_layers_reset();
    frame_routine();  // the first frame makes the layers; the rest only show them
    gfx_finish();
    unsigned builds = item_layer_builds;
    for (auto _ : state) {
        frame_routine();
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["builds"] = (double)(item_layer_builds - builds);
    retained_drawing = true;
}

bool open_window(benchmark::State& state)
{
    if (bench_window(2 * BENCH_W + 300, 790)) return true;
    state.SkipWithError("no display or screen font");
    return false;
}

void BM_EmptyPanelFrame(benchmark::State& state)
{
    snprintf(led_width, sizeof led_width, "%d", BENCH_W);
    snprintf(led_height, sizeof led_height, "%d", BENCH_H);
    led_pitch = 2;
    if (!open_window(state)) return;
    reset_item_tables();
    layout_frames(state);
}

void BM_FullLayoutFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    fill_full_layout();
    layout_frames(state);
}

void BM_TextItemsFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    fill_200_texts();
    layout_frames(state);
}

// The full layout while one text in its middle is dragged a dot left and
// right: each frame moves it, as a drag does.
void BM_FullLayoutDragFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    fill_full_layout();
    retained_drawing = state.range(0) != 0;
    item_layers_reset();
    current_unit = DIGIT_COUNT;
    current_string = 215;
    string_draw& dragged = string_table[current_string];
    frame_routine();  // the layers are made once, when the item is selected
    gfx_finish();
    unsigned builds = item_layer_builds;
    int step = led_pitch;
    for (auto _ : state) {
        dragged.x += step;
        step = -step;
        frame_routine();
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["builds"] = (double)(item_layer_builds - builds);
    current_string = STRING_COUNT;
    retained_drawing = true;
}

// Weighed design: one display list per item, made once, called every frame
// after the furniture (which is drawn directly, as it would be).
void BM_FullLayoutDisplayLists(benchmark::State& state)
{
    if (!open_window(state)) return;
    fill_full_layout();
    current_unit = DIGIT_COUNT;
    current_string = STRING_COUNT;
    std::vector<GLuint> lists;
    for (int pass = 0; pass < 3; pass++)
        for (int i = 0; i < (pass < 2 ? DIGIT_COUNT : STRING_COUNT); i++) {
            if (pass < 2 && (!digit_table[i].visible || (digit_table[i].kind == KIND_TABLE) != (pass == 0)))
                continue;
            if (pass == 2 && !string_table[i].visible) continue;
            GLuint l = glGenLists(1);
            glNewList(l, GL_COMPILE);
            if (pass < 2) draw_digit_item(digit_table[i]);
            else draw_text_item(string_table[i]);
            gfx_flush();
            glEndList();
            lists.push_back(l);
        }
    for (int i = 0; i < DIGIT_COUNT; i++) digit_table[i].visible = 0;
    for (int i = 0; i < STRING_COUNT; i++) string_table[i].visible = 0;
    retained_drawing = false;
    for (auto _ : state) {
        frame_routine();  // the furniture alone: the tables are hidden
        for (GLuint l : lists) glCallList(l);
        gfx_finish();
        window_swap();
    }
    for (GLuint l : lists) glDeleteLists(l, 1);
    retained_drawing = true;
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// Weighed design: the panel's dots as one W x H texture drawn at the pitch
// with nearest texels over the directly drawn furniture.
void BM_FullLayoutDotTexture(benchmark::State& state)
{
    if (!open_window(state)) return;
    fill_full_layout();
    for (int i = 0; i < DIGIT_COUNT; i++) digit_table[i].visible = 0;
    for (int i = 0; i < STRING_COUNT; i++) string_table[i].visible = 0;
    current_unit = DIGIT_COUNT;
    current_string = STRING_COUNT;
    std::vector<uint8_t> dots((size_t)BENCH_W * BENCH_H * 3);
    for (size_t i = 0; i < dots.size(); i++) dots[i] = (uint8_t)((i * 37) & 0xFF);
    const uint32_t tex = gfx_create_texture(BENCH_W, BENCH_H, 3, dots.data());
    const float w = (float)BENCH_W * led_pitch, h = (float)BENCH_H * led_pitch;
    retained_drawing = false;
    for (auto _ : state) {
        frame_routine();
        gfx_texturing(true);
        gfx_bind_texture(tex);
        gfx_color(1, 1, 1);
        gfx_begin(GFX_QUADS);
        gfx_tex_coord(0, 0); gfx_vertex(PANEL_X, PANEL_Y);
        gfx_tex_coord(1, 0); gfx_vertex(PANEL_X + w, PANEL_Y);
        gfx_tex_coord(1, 1); gfx_vertex(PANEL_X + w, PANEL_Y + h);
        gfx_tex_coord(0, 1); gfx_vertex(PANEL_X, PANEL_Y + h);
        gfx_end();
        gfx_texturing(false);
        gfx_finish();
        window_swap();
    }
    retained_drawing = true;
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}
// What every frame costs at least: clearing the window and showing it.
void BM_ClearAndSwap(benchmark::State& state)
{
    if (!open_window(state)) return;
    for (auto _ : state) {
        gfx_clear();
        gfx_finish();
        window_swap();
    }
}

// Showing a layer the size of the view, then the swap.
void BM_ShowLayer(benchmark::State& state)
{
    if (!open_window(state)) return;
    int w = 0, h = 0;
    gfx_view_size(w, h);
    gfx_layer_open(0, w, h, GFX_LAYER_OPAQUE);
    gfx_layer_close();
    for (auto _ : state) {
        gfx_layer_draw(0, state.range(0) != 0, 0, 0, w, h);
        gfx_finish();
        window_swap();
    }
}

void BM_FullPanelBatched(benchmark::State& s) { run(s, true, true); }
void BM_FullPanelOnePairPerDot(benchmark::State& s) { run(s, false, true); }

} // namespace

BENCHMARK(BM_ClearAndSwap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShowLayer)->ArgName("keyed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EmptyPanelFrame)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullLayoutFrame)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextItemsFrame)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullLayoutDragFrame)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullLayoutDisplayLists)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullLayoutDotTexture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelBatched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullPanelOnePairPerDot)->Unit(benchmark::kMillisecond)->UseRealTime();
int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], FIRST_FRAME_FLAG) == 0) return first_frame_child(atoi(argv[2]), atoi(argv[3]) != 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
