// Frame cost through the real OpenGL path: the editor furniture plus a
// 512 x 128 panel with every dot lit, with consecutive dots batched into one
// begin/end pair and, for comparison, one pair per dot. The layout frames
// (empty panel, every record live, 200 texts, one item dragged) run with the
// items drawn directly (/layered:0) and through the item layers (/layered:1)
// in the same run, beside the retained designs that were weighed against the
// layers: one display list per item, and a texture of the panel's dots. All
// of them draw the benchmarks' designer: its document, view and interaction.
#include "app/startup.h"
#include "bench_helpers.h"
#include "tests/full_layout.h"
#include "bench_startup.h"
#include "items/digits.h"
#include "items/item_layers.h"
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

constexpr int BENCH_TEXTS = 200;
constexpr int WINDOW_H = 790;

// The designer at its start view with nothing selected.
designer& fresh_designer()
{
    designer& g = bench_designer();
    g.ui.current = NO_ITEM;
    g.ui.group.reset();
    g.v.pitch = VIEW_PITCH_START;
    g.v.panel_x = PANEL_LEFT_PX;
    g.v.panel_y = PANEL_TOP_PX;
    return g;
}

void full_panel_frame(designer& g)
{
    frame_routine(g);
    for (int r = 0; r < BENCH_H; r++)
        for (int c = 0; c < BENCH_W; c++) draw_dot((r + c) % LED_COLOURS, view_x(g.v, c), view_y(g.v, r));
    gfx_finish();
    window_swap();
}

bool open_window(benchmark::State& state)
{
    if (bench_window(window_width_for(BENCH_W), WINDOW_H)) return true;
    state.SkipWithError("no display or screen font");
    return false;
}

void run(benchmark::State& state, bool batched, bool dots)
{
    designer& g = fresh_designer();
    bench_panel(BENCH_W, BENCH_H);
    if (!open_window(state)) return;
    doc_clear_layout(g.doc);   // the panel alone: no item left from another benchmark
    gfx_gl_batch_points(batched);
    g.layers.retained = false;
    for (auto _ : state) {
        if (dots) full_panel_frame(g);
        else {
            frame_routine(g);
            gfx_finish();
            window_swap();
        }
    }
    gfx_gl_batch_points(true);
    g.layers.retained = true;
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// Every slot of both numberings taken on a 512 x 128 panel, from the
// workspace beside the benchmark.
designer& fill_full_layout()
{
    designer& g = fresh_designer();
    startup_paths(g.doc, LUMIKER_BUILD_DIR "/");
    fill_glyph_table();
    dot_font_use_files(g.doc.paths);
    dot_font_init();
    make_full_layout(g.doc);
    return g;
}

// 200 text items of 20 characters (Chinese and Western) in all 16 sizes.
designer& fill_200_texts()
{
    designer& g = fill_full_layout();
    doc_clear_layout(g.doc);
    const int* const sizes = FONT_SIZES;   // the whole ladder
    const char* const samples[] = {"温度湿度Temp风速12.5m/s报警", "安全生产天数Days:0365无事故",
                                   "欢迎光临Welcome!请注意安全", "当前时间Time08:30:00今日"};
    constexpr int SAMPLES = sizeof samples / sizeof *samples;
    constexpr int COLUMN_DOTS = 120, ROW_DOTS = 10;
    for (int k = 0; k < BENCH_TEXTS; k++) {
        item t = palette_sample_of(SAMPLE_TEXT).sample;
        t.font_size = (uint8_t)sizes[k % FONT_SIZE_COUNT];
        t.x = (k % SAMPLES) * COLUMN_DOTS;
        t.y = (k / SAMPLES) * ROW_DOTS;
        t.color = (uint8_t)(k % LED_COLOURS);
        copy_field(t.text, TEXT_LEN, gbk_from_utf8(samples[k % SAMPLES]).c_str());
        item_id id;
        doc_create(g.doc, t, id);
    }
    return g;
}

// Frames of whatever the document holds, items drawn directly or through the layers.
void layout_frames(benchmark::State& state, designer& g)
{
    g.layers.retained = state.range(0) != 0;
    item_layers_reset(g.layers);
    frame_routine(g);  // the first frame makes the layers; the rest only show them
    gfx_finish();
    const unsigned builds = g.layers.builds;
    for (auto _ : state) {
        frame_routine(g);
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["builds"] = (double)(g.layers.builds - builds);
    g.layers.retained = true;
}

void BM_EmptyPanelFrame(benchmark::State& state)
{
    designer& g = fresh_designer();
    bench_panel(BENCH_W, BENCH_H);
    if (!open_window(state)) return;
    doc_clear_layout(g.doc);
    layout_frames(state, g);
}

void BM_FullLayoutFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    layout_frames(state, fill_full_layout());
}

void BM_TextItemsFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    layout_frames(state, fill_200_texts());
}

// The full layout while one text in its middle is dragged a dot left and
// right: each frame moves it, as a drag does.
void BM_FullLayoutDragFrame(benchmark::State& state)
{
    if (!open_window(state)) return;
    designer& g = fill_full_layout();
    g.layers.retained = state.range(0) != 0;
    item_layers_reset(g.layers);
    constexpr int DRAGGED_SLOT = 215;
    g.ui.current = pool_at_slot(g.doc.items, ITEM_TABLE_TEXTS, DRAGGED_SLOT);
    item* dragged = doc_item(g.doc, g.ui.current);
    if (!dragged) {
        state.SkipWithError("no text to drag");
        return;
    }
    frame_routine(g);  // the layers are made once, when the item is selected
    gfx_finish();
    const unsigned builds = g.layers.builds;
    int step = 1;
    for (auto _ : state) {
        dragged->x += step;
        step = -step;
        frame_routine(g);
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["builds"] = (double)(g.layers.builds - builds);
    g.ui.current = NO_ITEM;
    g.layers.retained = true;
}

// Weighed design: one display list per item, made once, called every frame
// after the furniture (which is drawn directly, as it would be).
void BM_FullLayoutDisplayLists(benchmark::State& state)
{
    if (!open_window(state)) return;
    designer& g = fill_full_layout();
    std::vector<GLuint> lists;
    canvas_use_pitch(view_pitch(g.v));
    doc_walk_drawing_order(g.doc, [&](item_id, const item& it) {
        GLuint l = glGenLists(1);
        glNewList(l, GL_COMPILE);
        bench_draw_item(g, it);
        gfx_flush();
        glEndList();
        lists.push_back(l);
    });
    doc_clear_layout(g.doc);
    g.layers.retained = false;
    for (auto _ : state) {
        frame_routine(g);  // the furniture alone: the document is empty
        for (GLuint l : lists) glCallList(l);
        gfx_finish();
        window_swap();
    }
    for (GLuint l : lists) glDeleteLists(l, 1);
    g.layers.retained = true;
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// Weighed design: the panel's dots as one W x H texture drawn at the pitch
// with nearest texels over the directly drawn furniture.
void BM_FullLayoutDotTexture(benchmark::State& state)
{
    if (!open_window(state)) return;
    designer& g = fill_full_layout();
    doc_clear_layout(g.doc);
    std::vector<uint8_t> dots((size_t)BENCH_W * BENCH_H * 3);
    for (size_t i = 0; i < dots.size(); i++) dots[i] = (uint8_t)((i * 37) & 0xFF);
    const uint32_t tex = gfx_create_texture(BENCH_W, BENCH_H, 3, dots.data());
    const float x = (float)g.v.panel_x, y = (float)g.v.panel_y;
    const float w = (float)view_len(g.v, BENCH_W), h = (float)view_len(g.v, BENCH_H);
    g.layers.retained = false;
    for (auto _ : state) {
        frame_routine(g);
        gfx_texturing(true);
        gfx_bind_texture(tex);
        gfx_color(1, 1, 1);
        gfx_begin(GFX_QUADS);
        gfx_tex_coord(0, 0); gfx_vertex(x, y);
        gfx_tex_coord(1, 0); gfx_vertex(x + w, y);
        gfx_tex_coord(1, 1); gfx_vertex(x + w, y + h);
        gfx_tex_coord(0, 1); gfx_vertex(x, y + h);
        gfx_end();
        gfx_texturing(false);
        gfx_finish();
        window_swap();
    }
    g.layers.retained = true;
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
