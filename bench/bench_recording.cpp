// Recording the demo panel playing: lumiker-script --gif, ten seconds at 25
// frames a second at one pixel a dot (250 frames drawn off-screen, encoded
// and written), timed from start to exit as a user runs it. Target: at most
// 3 s. The build folder is the demo workspace.
#include <benchmark/benchmark.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void BM_DemoGifTenSecondsAt25Fps(benchmark::State& state)
{
    const std::string gif = "/tmp/lumiker_bench_demo_" + std::to_string(getpid()) + ".gif";
    const std::string cmd = "'" LUMIKER_BUILD_DIR "/lumiker-script' --gif '" + gif +
                            "' --seconds 10 --fps 25 --pitch 1 --time '2024-03-05 10:20:30' '" LUMIKER_BUILD_DIR "'";
    for (auto _ : state) {
        const int rc = system(cmd.c_str());
        if (!WIFEXITED(rc) || WEXITSTATUS(rc) != 0) state.SkipWithError("lumiker-script --gif failed");
    }
    unlink(gif.c_str());
}

} // namespace

BENCHMARK(BM_DemoGifTenSecondsAt25Fps)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
