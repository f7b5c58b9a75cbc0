// Loading and exporting a full layout: every range full, all 429 usable
// texts 400 bytes long, nine 10 x 10 tables with merges.
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "edit/state.h"
#include "model/default_layout.h"
#include "model/settings.h"
#include "model/tables.h"
#include "output/script_export.h"
#include "edit/undo.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {

std::string workspace_dir()
{
    static std::string dir;
    if (!dir.empty()) return dir;
    char t[] = "/tmp/lumiker_bench_XXXXXX";
    dir = mkdtemp(t) ? std::string(t) + "/" : std::string("/tmp/");
    std::ofstream(dir + "SysCfg.ini") << "[LEDPARA]\r\nWIDTH=1024\r\nHEIGHT=256\r\nPROGRAMID=1\r\n";
    mkdir((dir + "ledsys").c_str(), 0777);
    mkdir((dir + "ledsys/CMD1").c_str(), 0777);
    return dir;
}

void quiet_start()
{
    led_pitch = 2;
    graph_count = 4;
    cmd_error_stream = nullptr;
    script_report_stream = nullptr;
    startup_documents();
}

// Build the full layout in the tables and save it; returns the script size.
size_t make_full_layout()
{
    startup_paths(workspace_dir().c_str());
    quiet_start();
    unsigned seed = 1;
    auto rnd = [&](int n) { seed = seed * 1103515245u + 12345u; return (int)((seed >> 8) % (unsigned)n); };
    for (int i = 0; i <= TEXT_LAST; i++) {
        string_draw& s = string_table[i];
        s.visible = 1;
        s.x = 265 + rnd(2000);
        s.y = 145 + rnd(500);
        s.mode = (uint8_t)(i % 4);
        s.font_size = 16;
        s.box_width = 200;
        s.box_height = 32;
        for (int k = 0; k < 400; k++) s.text[k] = (k % 2) ? (char)(0xA1 + rnd(90)) : (char)(0xB0 + rnd(40));
        s.text[400] = 0;
        s.text_len = 400;
    }
    for (int i = 0; i <= digit_ranges[RANGE_TABLE].last; i++) {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.x = 265 + rnd(2000);
        d.y = 145 + rnd(500);
        d.width = 20 + rnd(100);
        d.height = 20 + rnd(40);
        if (d.kind == KIND_TABLE) {
            d.cols = d.rows = 10;
            for (int k = 0; k < TABLE_MAX; k++) d.col_width[k] = d.row_height[k] = 8;
            for (int k = 0; k < 20; k++) d.merges[k] = merge_record{1, -8 * (1 + k % 9), -8 * (k % 10) - 2, -8 * (1 + k % 9), -8 * (k % 10) - 6, k % 9, k % 10};
            d.merge_count = 20;
        }
    }
    export_script();
    std::ifstream f(cmd_path, std::ios::binary | std::ios::ate);
    return (size_t)f.tellg();
}

void BM_LoadFullLayout(benchmark::State& state)
{
    size_t bytes = make_full_layout();
    for (auto _ : state) {
        quiet_start();  // default layout, program file, script
        benchmark::DoNotOptimize(string_table[TEXT_LAST].text[0]);
    }
    if (last_script_report.refused) state.SkipWithError("lines were refused");
    state.counters["script_bytes"] = (double)bytes;
    state.counters["lines"] = last_script_report.lines;
    state.SetBytesProcessed((int64_t)(state.iterations() * bytes));
}
BENCHMARK(BM_LoadFullLayout)->Unit(benchmark::kMillisecond);

void BM_ExportFullLayoutText(benchmark::State& state)
{
    make_full_layout();
    quiet_start();
    size_t n = 0;
    for (auto _ : state) {
        std::string s = script_text();
        n = s.size();
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * n));
}
BENCHMARK(BM_ExportFullLayoutText)->Unit(benchmark::kMillisecond);

void BM_ExportFullLayoutToFile(benchmark::State& state)
{
    make_full_layout();
    quiet_start();
    for (auto _ : state) export_script();  // temporary file, flush to disk, rename, Syc_Update
}
BENCHMARK(BM_ExportFullLayoutToFile)->Unit(benchmark::kMillisecond);

// The undo checkpoint the event loop takes after every event (a pointer
// motion among them) when nothing changed: the cost each event pays.
void BM_UndoCheckpointNoChange(benchmark::State& state)
{
    make_full_layout();
    quiet_start();
    undo_reset();
    for (auto _ : state) undo_checkpoint();
    benchmark::DoNotOptimize(undo_depth());
}
BENCHMARK(BM_UndoCheckpointNoChange)->Unit(benchmark::kMicrosecond);

} // namespace

