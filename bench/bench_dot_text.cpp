// A frame full of panel text: 200 texts of 20 characters (Chinese and Western
// mixed) in all 16 sizes, drawn with draw_dot_text from the generated font
// files beside the benchmark, with the font file-content cache on (files read
// once) and off (one open, seek, read and close per character, the 12..15-dot
// Chinese glyph caches aside). Measured twice: with a drawing layer that
// discards everything (the cost of the text walk and the reads alone) and
// through the real OpenGL path (needs a display; bench/run.sh gives one).
#include "bench_helpers.h"
#include "app/workspace.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include <benchmark/benchmark.h>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int FRAME_TEXTS = 200;
constexpr int TEXT_BYTES = 64;

// A drawing layer that discards the dots (the recorder keeps everything else).
class null_backend : public gfx_recorder {
public:
    void color(float, float, float, float) override {}
    void point_size(float) override {}
    void begin(gfx_prim) override {}
    void vertex(float, float, float) override {}
    void end() override {}
};

struct bench_text {
    uint8_t size;
    int x, y;
    char text[TEXT_BYTES];
};

bench_text texts[FRAME_TEXTS];

// Point the font paths at the generated files beside the benchmark and build the texts.
bool setup_texts()
{
    static int state = 0;
    if (state == 0) {
        char dir[PATH_MAX];
        state = 2;
        if (!exe_directory(dir, sizeof dir)) return false;
        doc_paths paths;
        build_base_paths(paths, dir);
        dot_font_use_files(paths);
        dot_font_init();
        const int* const sizes = FONT_SIZES;   // the whole ladder
        // 20 characters each: 10 Chinese, 10 Western.
        const char* const samples[] = {"温度湿度Temp风速12.5m/s报警", "安全生产天数Days:0365无事故",
                                       "欢迎光临Welcome!请注意安全", "当前时间Time08:30:00今日"};
        for (int k = 0; k < FRAME_TEXTS; k++) {
            bench_text& t = texts[k];
            t.size = (uint8_t)sizes[k % FONT_SIZE_COUNT];
            t.x = view_x(view(), (k % 4) * 120);
            t.y = view_y(view(), (k / 4) * 10);
            utf8_to_gbk(samples[k % 4], t.text, sizeof t.text);
        }
        state = 1;
    }
    return state == 1;
}

// Draw every text once from a scratch copy, as the item renderers do.
void draw_texts()
{
    char scratch[TEXT_BYTES];
    for (const bench_text& t : texts) {
        memcpy(scratch, t.text, sizeof scratch);
        draw_dot_text(t.size, 0, t.x, t.y, scratch);
    }
}

void BM_TextFrameWalkAndReads(benchmark::State& state)
{
    if (!setup_texts()) {
        state.SkipWithError("no program directory");
        return;
    }
    null_backend none;
    gfx_use(&none);
    canvas_use_pitch(VIEW_PITCH_START);
    dot_font_use_file_cache(state.range(0) != 0);
    long opens = font_file_opens();
    for (auto _ : state) draw_texts();
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["opens/frame"] = (double)(font_file_opens() - opens) / (double)state.iterations();
    dot_font_use_file_cache(true);
    gfx_use(nullptr);
}

void BM_TextFrameOpenGL(benchmark::State& state)
{
    bench_panel(512, 256);
    canvas_use_pitch(VIEW_PITCH_START);
    if (!bench_window(1324, 790) || !setup_texts()) {
        state.SkipWithError("no display or screen font");
        return;
    }
    dot_font_use_file_cache(state.range(0) != 0);
    for (auto _ : state) {
        gfx_clear();
        draw_texts();
        gfx_finish();
        window_swap();
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    dot_font_use_file_cache(true);
}

} // namespace

BENCHMARK(BM_TextFrameWalkAndReads)->ArgName("file_cache")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFrameOpenGL)->ArgName("file_cache")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
