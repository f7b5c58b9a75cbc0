// Loading and exporting a full layout: every slot of both numberings taken on
// a 1024 x 256 panel, all 429 texts 400 bytes long, nine 10 x 10 tables with
// merges.
#include "app/startup.h"
#include "edit/undo.h"
#include "output/layout_save.h"
#include "output/script_export.h"
#include "tests/full_layout.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr int BIG_PANEL_W = 1024, BIG_PANEL_H = 256;
constexpr int BIG_TEXT_BYTES = 400;
constexpr int BIG_TABLE_CELLS = 10, BIG_CELL_DOTS = 4, BIG_TABLE_MERGES = 20;
constexpr int BIG_FONT = 16, BIG_SCROLL_BOX_W = 100, BIG_SCROLL_BOX_H = 16;
constexpr int SHAPE_SIDE_MIN = 10, SHAPE_W_SPREAD = 50, SHAPE_H_SPREAD = 20;

std::string workspace_dir()
{
    static std::string dir;
    if (!dir.empty()) return dir;
    char t[] = "/tmp/lumiker_bench_XXXXXX";
    dir = mkdtemp(t) ? std::string(t) + "/" : std::string("/tmp/");
    std::ofstream(dir + "SysCfg.ini") << "[LEDPARA]\r\nWIDTH=" << BIG_PANEL_W << "\r\nHEIGHT=" << BIG_PANEL_H
                                      << "\r\nPROGRAMID=1\r\n";
    mkdir((dir + "ledsys").c_str(), 0777);
    mkdir((dir + "ledsys/CMD1").c_str(), 0777);
    return dir;
}

// The benchmarks' document, on the workspace above.
document& bench_doc()
{
    static document* d = [] {
        document* made = new document();
        startup_paths(*made, workspace_dir().c_str());
        return made;
    }();
    return *d;
}

// Load the saved documents, as the designer does at start; nothing printed.
void quiet_start(document& d) { startup_documents(d, false, nullptr); }

// Save the layout as the designer does; false when the save failed.
bool save(document& d)
{
    save_outcome out;
    return save_layout(d, out).ok;
}

// Build the full layout in the document and save it; returns the script size.
size_t make_big_layout(document& d)
{
    quiet_start(d);
    doc_clear_layout(d);
    unsigned seed = 1;
    auto rnd = [&](int n) { seed = seed * 1103515245u + 12345u; return (int)((seed >> 8) % (unsigned)n); };
    for (int slot = 0; slot < SLOT_COUNT; slot++) {
        item s = palette_sample_of(SAMPLE_TEXT).sample;
        s.slot = (int16_t)slot;
        s.x = rnd(BIG_PANEL_W);
        s.y = rnd(BIG_PANEL_H);
        s.mode = (uint8_t)(slot % (TEXT_MODE_MAX + 1));
        s.font_size = BIG_FONT;
        s.w = BIG_SCROLL_BOX_W;
        s.h = BIG_SCROLL_BOX_H;
        for (int k = 0; k < BIG_TEXT_BYTES; k++)
            s.text[k] = (k % 2) ? (char)(0xA1 + rnd(90)) : (char)(0xB0 + rnd(40));
        s.text[BIG_TEXT_BYTES] = 0;
        item_id id;
        doc_create(d, s, id);
    }
    for (int r = 0; r < RANGE_TEXT; r++) {
        const slot_range& range = slot_ranges[r];
        for (int slot = range.first; slot <= range.last; slot++) {
            item u = palette_sample_of(full_layout_sample(r, slot - range.first)).sample;
            if (u.kind == KIND_VARIABLE && variable_range(u.code) != (range_id)r) continue;
            u.slot = (int16_t)slot;
            u.x = rnd(BIG_PANEL_W);
            u.y = rnd(BIG_PANEL_H);
            if (u.kind == KIND_TABLE) {
                u.grid.cols = u.grid.rows = BIG_TABLE_CELLS;
                for (int k = 0; k < TABLE_MAX; k++) u.grid.col_w[k] = u.grid.row_h[k] = BIG_CELL_DOTS;
                for (int k = 0; k < BIG_TABLE_MERGES; k++) {
                    const int col = k % 9, row = k % 10;
                    u.grid.merges[k] = table_merge{col, row, BIG_CELL_DOTS * (1 + col), BIG_CELL_DOTS * row + 1,
                                                   BIG_CELL_DOTS * (1 + col), BIG_CELL_DOTS * row + 3};
                }
                u.grid.merge_count = BIG_TABLE_MERGES;
                u.w = u.h = BIG_TABLE_CELLS * BIG_CELL_DOTS;
            } else if (u.kind != KIND_VARIABLE && u.kind != KIND_VALVE) {
                u.w = SHAPE_SIDE_MIN + rnd(SHAPE_W_SPREAD);
                u.h = SHAPE_SIDE_MIN + rnd(SHAPE_H_SPREAD);
            }
            item_id id;
            doc_create(d, u, id);
        }
    }
    if (!save(d)) return 0;
    std::ifstream f(d.paths.cmd, std::ios::binary | std::ios::ate);
    return (size_t)f.tellg();
}

void BM_LoadFullLayout(benchmark::State& state)
{
    document& d = bench_doc();
    const size_t bytes = make_big_layout(d);
    if (bytes == 0) {
        state.SkipWithError("the layout could not be saved");
        return;
    }
    for (auto _ : state) {
        quiet_start(d);  // program file, script
        benchmark::DoNotOptimize(d.items.count);
    }
    if (d.script.refused) state.SkipWithError("lines were refused");
    state.counters["script_bytes"] = (double)bytes;
    state.counters["lines"] = d.script.lines;
    state.counters["items"] = d.items.count;
    state.SetBytesProcessed((int64_t)(state.iterations() * bytes));
}
BENCHMARK(BM_LoadFullLayout)->Unit(benchmark::kMillisecond);

void BM_ExportFullLayoutText(benchmark::State& state)
{
    document& d = bench_doc();
    make_big_layout(d);
    quiet_start(d);
    size_t n = 0;
    for (auto _ : state) {
        std::string s = script_text(d);
        n = s.size();
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * n));
}
BENCHMARK(BM_ExportFullLayoutText)->Unit(benchmark::kMillisecond);

void BM_ExportFullLayoutToFile(benchmark::State& state)
{
    document& d = bench_doc();
    make_big_layout(d);
    quiet_start(d);
    for (auto _ : state)
        if (!save(d)) {   // temporary files, flush to disk, renames, Syc_Update
            state.SkipWithError("the save failed");
            return;
        }
}
BENCHMARK(BM_ExportFullLayoutToFile)->Unit(benchmark::kMillisecond);

// The undo checkpoint the event loop takes after every event (a pointer
// motion among them) when nothing changed: the cost each event pays.
void BM_UndoCheckpointNoChange(benchmark::State& state)
{
    document& d = bench_doc();
    make_big_layout(d);
    quiet_start(d);
    undo_history_ptr undo = undo_make();
    undo_reset(*undo, d);
    for (auto _ : state) undo_checkpoint(*undo, d);
    benchmark::DoNotOptimize(undo_depth(*undo));
}
BENCHMARK(BM_UndoCheckpointNoChange)->Unit(benchmark::kMicrosecond);

} // namespace
