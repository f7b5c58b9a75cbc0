// Start-up to the first frame with the demo layout: each iteration starts a
// fresh process that runs the designer's start-up (paths, settings, window,
// fonts, the demo documents, the undo history) and draws and shows its first
// frame, with the items drawn directly (/layered:0) and through the item
// layers (/layered:1). Also reports the resident memory after that frame.
// The demo is the workspace beside the benchmark (the build folder). The
// fresh process is this program started again with FIRST_FRAME_FLAG, so it
// shares no window or drawing threads with the benchmarks run before.
#include "app/frame.h"
#include "app/startup.h"
#include "edit/undo.h"
#include "items/item_layers.h"
#include "platform/window.h"
#include "raster/gfx.h"
#include "bench_startup.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Resident memory of this process in kB (0 when unknown).
long resident_kb()
{
    FILE* f = fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmRSS:", 6) == 0) kb = atol(line + 6);
    fclose(f);
    return kb;
}

} // namespace

// The child: start up, draw and show one frame, report the memory, end.
int first_frame_child(int out, bool layered)
{
    std::unique_ptr<designer> owner(new designer());
    designer& g = *owner;
    if (startup(g, nullptr, nullptr) != 0) _exit(2);
    std::string why;
    if (!window_open("lumiker", WINDOW_START_X, WINDOW_START_Y, g.v.window_w, g.v.window_h, false, why)) _exit(2);
    startup_window_ready(g, outcome_ok());
    undo_reset(*g.ui.undo, g.doc);
    g.layers.retained = layered;
    frame_routine(g);
    gfx_flush();
    window_swap();
    gfx_finish();
    long kb = resident_kb();
    if (write(out, &kb, sizeof kb) != (ssize_t)sizeof kb) _exit(3);
    _exit(0);
}

namespace {

void BM_StartupToFirstFrame(benchmark::State& state)
{
    if (!getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    long kb = 0;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            char fd[16], mode[4];
            snprintf(fd, sizeof fd, "%d", fds[1]);
            snprintf(mode, sizeof mode, "%d", state.range(0) != 0 ? 1 : 0);
            execl("/proc/self/exe", "lumiker_bench", FIRST_FRAME_FLAG, fd, mode, (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        ssize_t got = read(fds[0], &kb, sizeof kb);  // the frame is shown when this arrives
        state.PauseTiming();
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        state.ResumeTiming();
        if (got != (ssize_t)sizeof kb) {
            state.SkipWithError("the designer did not start");
            return;
        }
    }
    state.counters["resident_MB"] = (double)kb / 1024.0;
}

} // namespace

BENCHMARK(BM_StartupToFirstFrame)->ArgName("layered")->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
