// Encoding a 10-second recording at 25 fps of a 512 x 128 panel (250 frames)
// as an animated GIF, file written: target well under 3 s on one core.
// "led": a few LED colours, a text scrolling one dot a frame and a blinking
// field, so every frame differs. "photo": the same with a 128 x 128
// photograph-like picture of thousands of colours beside the text, so every
// frame is quantised.
#include "platform/gif_write.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int PANEL_W = 512, PANEL_H = 128, FPS = 25, SECONDS = 10;
constexpr int FRAMES = FPS * SECONDS;
constexpr int PICTURE = 128;

// The frames of a recording, made once per kind.
const std::vector<std::vector<uint8_t>>& recording(bool photo)
{
    static std::vector<std::vector<uint8_t>> kinds[2];
    std::vector<std::vector<uint8_t>>& frames = kinds[photo];
    if (!frames.empty()) return frames;
    static const uint8_t leds[4][3] = {{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}};
    for (int f = 0; f < FRAMES; f++) {
        std::vector<uint8_t> px(PANEL_W * PANEL_H * 3, 0);
        auto put = [&](int x, int y, const uint8_t* c) {
            uint8_t* p = &px[(y * PANEL_W + x) * 3];
            p[0] = c[0]; p[1] = c[1]; p[2] = c[2];
        };
        // A scrolling line of 16-dot "characters": blocks with holes.
        for (int y = 8; y < 24; y++)
            for (int x = 0; x < PANEL_W; x++)
                if (((x + f) / 3 + y / 4) % 5 < 3) put(x, y, leds[((x + f) / 160) % 4]);
        // A blinking clock field and still texts.
        if (f % FPS < FPS / 2)
            for (int y = 40; y < 72; y++)
                for (int x = 300; x < 420; x++)
                    if ((x / 4 + y / 4) % 2) put(x, y, leds[1]);
        for (int y = 90; y < 120; y++)
            for (int x = 300; x < 500; x += 2) put(x, y, leds[2]);
        if (photo)
            for (int y = 0; y < PICTURE; y++)
                for (int x = 0; x < PICTURE; x++) {
                    const uint8_t c[3] = {(uint8_t)(x * 2), (uint8_t)(y * 2), (uint8_t)((x * y) / 64)};
                    put(x + 150, y, c);
                }
        frames.push_back(std::move(px));
    }
    return frames;
}

void BM_GifTenSeconds(benchmark::State& state)
{
    const bool photo = state.range(0) != 0;
    const auto& frames = recording(photo);
    const std::string path = "/tmp/lumiker_bench_" + std::to_string(getpid()) + ".gif";
    for (auto _ : state) {
        gif_writer w;
        if (!w.open(path, PANEL_W, PANEL_H, FPS)) state.SkipWithError("open");
        for (const auto& f : frames) w.add(f.data());
        const outcome o = w.finish();
        if (!o) state.SkipWithError(o.why.c_str());
    }
    FILE* f = fopen(path.c_str(), "rb");
    if (f) {
        fseek(f, 0, SEEK_END);
        state.counters["file_kB"] = (double)ftell(f) / 1024;
        fclose(f);
    }
    unlink(path.c_str());
}

} // namespace

BENCHMARK(BM_GifTenSeconds)->ArgName("photo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
