// Animated GIFs: frames, size, delays and looping, read back with giflib;
// LED colours kept exactly, photographs quantised, repeated frames held
// longer; the demo panel playing, recorded by lumiker-script --gif.
#include "platform/gif_write.h"
#include <cmath>
#include <cstdlib>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int W = 64, H = 32;

// A frame of LED colours: a red bar `step` dots from the left on black,
// a green dot at the bottom right.
std::vector<uint8_t> led_frame(int step)
{
    std::vector<uint8_t> f(W * H * 3, 0);
    for (int y = 4; y < 12; y++)
        for (int x = step; x < step + 6 && x < W; x++) f[(y * W + x) * 3] = 255;
    f[((H - 1) * W + W - 1) * 3 + 1] = 255;
    return f;
}

// A frame of many colours: a smooth gradient.
std::vector<uint8_t> photo_frame()
{
    std::vector<uint8_t> f(W * H * 3);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            uint8_t* p = &f[(y * W + x) * 3];
            p[0] = (uint8_t)(x * 4);
            p[1] = (uint8_t)(y * 8);
            p[2] = (uint8_t)((x + y) * 2);
        }
    return f;
}

// A GIF read back whole with giflib.
struct read_back {
    GifFileType* gif = nullptr;
    explicit read_back(const std::string& path)
    {
        int err = 0;
        gif = DGifOpenFileName(path.c_str(), &err);
        if (gif && DGifSlurp(gif) != GIF_OK) DGifCloseFile(gif, &err), gif = nullptr;
    }
    ~read_back() { if (gif) DGifCloseFile(gif, nullptr); }

    int delay(int i) const
    {
        GraphicsControlBlock gcb;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        return gcb.DelayTime;
    }
    // The colour of pixel (x, y) of frame i, as r,g,b in one number.
    int pixel(int i, int x, int y) const
    {
        const SavedImage& im = gif->SavedImages[i];
        const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : gif->SColorMap;
        const GifColorType c = map->Colors[im.RasterBits[y * im.ImageDesc.Width + x]];
        return c.Red << 16 | c.Green << 8 | c.Blue;
    }
    // The image shown `cs` hundredths of a second in.
    int at(int cs) const
    {
        int i = 0;
        for (int start = 0; i + 1 < gif->ImageCount && start + delay(i) <= cs; i++) start += delay(i);
        return i;
    }
    // Whether dot (x, y) of image i, at two pixels a dot, is the panel's red
    // (quantised beside the logo's photograph); a dot lights the pixel it is drawn at.
    bool red(int i, int x, int y) const
    {
        const int c = pixel(i, 2 * x + 1, 2 * y + 1);
        return (c >> 16) > 200 && (c >> 8 & 0xFF) < 60 && (c & 0xFF) < 60;
    }
};

} // namespace

TEST(GifWrite, FramesSizeDelaysPixelsAndTheDemoPlaying)
{
    char dir[] = "/tmp/lumiker_gif_XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string path = std::string(dir) + "/panel.gif";

    // 25 fps: ten moving frames, the last held for three, then a photograph.
    gif_writer w;
    ASSERT_TRUE(w.open(path, W, H, 25));
    for (int i = 0; i < 10; i++) ASSERT_TRUE(w.add(led_frame(i * 5).data()));
    ASSERT_TRUE(w.add(led_frame(45).data()));
    ASSERT_TRUE(w.add(led_frame(45).data()));
    const std::vector<uint8_t> photo = photo_frame();
    ASSERT_TRUE(w.add(photo.data()));
    EXPECT_EQ(w.frames(), 13);
    ASSERT_TRUE(w.finish());

    read_back r(path);
    ASSERT_TRUE(r.gif);
    EXPECT_EQ(r.gif->SWidth, W);
    EXPECT_EQ(r.gif->SHeight, H);
    ASSERT_EQ(r.gif->ImageCount, 11);
    for (int i = 0; i < 9; i++) EXPECT_EQ(r.delay(i), 4) << i;
    EXPECT_EQ(r.delay(9), 12);   // the bar at 45 for three frames
    EXPECT_EQ(r.delay(10), 4);
    // Looping forever: the application block, then loop count 0.
    const ExtensionBlock* loop = r.gif->SavedImages[0].ExtensionBlocks;
    ASSERT_GE(r.gif->SavedImages[0].ExtensionBlockCount, 2);
    EXPECT_EQ(std::string((const char*)loop[0].Bytes, loop[0].ByteCount), "NETSCAPE2.0");
    EXPECT_EQ(std::string((const char*)loop[1].Bytes, loop[1].ByteCount), std::string("\1\0\0", 3));
    // LED colours are exact, and the moving frames share the file's palette.
    EXPECT_EQ(r.pixel(3, 16, 5), 0xFF0000);
    EXPECT_EQ(r.pixel(3, 0, 0), 0x000000);
    EXPECT_EQ(r.pixel(3, W - 1, H - 1), 0x00FF00);
    EXPECT_EQ(r.gif->SavedImages[3].ImageDesc.ColorMap, nullptr);
    // The photograph has 2048 colours: quantised into a palette of its own, near the original.
    ASSERT_NE(r.gif->SavedImages[10].ImageDesc.ColorMap, nullptr);
    double error = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            const int c = r.pixel(10, x, y);
            const uint8_t* o = &photo[(y * W + x) * 3];
            error += std::abs((c >> 16) - o[0]) + std::abs((c >> 8 & 0xFF) - o[1]) + std::abs((c & 0xFF) - o[2]);
        }
    EXPECT_LT(error / (3 * W * H), 8.0);

    // A file that cannot be written is named, never its temporary.
    EXPECT_EQ(w.open(path, 0, H, 25).why, "动画尺寸 0 x 32 无效");
    const std::string nowhere = std::string(dir) + "/missing/panel.gif";
    ASSERT_TRUE(w.open(nowhere, W, H, 25));
    ASSERT_TRUE(w.add(led_frame(0).data()));
    const outcome o = w.finish();
    EXPECT_EQ(o.why.rfind("无法写入 " + nowhere + "：", 0), 0u) << o.why;
    EXPECT_EQ(o.why.find(".tmp"), std::string::npos) << o.why;

#ifdef LUMIKER_SCRIPT_BINARY
    // The demo playing for two seconds at ten frames a second, two pixels a
    // dot, its switched text (register 4x40006) on and then off.
    const std::string ws = std::string(dir) + "/demo/", gif = ws + "demo.gif";
    ASSERT_EQ(system(("cp -r '" LUMIKER_SOURCE_DIR "/workspace' '" + ws + "'").c_str()), 0);
    auto record = [&](int reg6) {
        const std::string values = ws + "values.ini";
        FILE* f = fopen(values.c_str(), "w");
        fprintf(f, "[registers]\n6=%d\n", reg6);
        fclose(f);
        return system(("env -u DISPLAY '" LUMIKER_SCRIPT_BINARY "' --gif '" + gif +
                       "' --seconds 2 --fps 10 --time '2024-03-05 10:20:30' --values '" + values + "' '" + ws +
                       "' 2>/dev/null").c_str());
    };
    ASSERT_EQ(record(1), 0);
    read_back on(gif);
    ASSERT_TRUE(on.gif);
    EXPECT_EQ(on.gif->SWidth, 384 * 2);
    EXPECT_EQ(on.gif->SHeight, 128 * 2);
    // Twenty frames of 1/10 s: what repeats is held longer, in whole frames.
    int length = 0;
    for (int i = 0; i < on.gif->ImageCount; i++) {
        length += on.delay(i);
        EXPECT_EQ(on.delay(i) % 10, 0) << i;
    }
    EXPECT_EQ(length, 200);
    // The scrolling text (box 200 x 16 dots at (2, 20), speed 5) stands 20 dots
    // further left after one second, its copy clipped to the box.
    const int first = on.at(0), later = on.at(100);
    int lit = 0;
    for (int y = 20; y < 36; y++) {
        for (int x = 2; x < 182; x++) {
            EXPECT_EQ(on.red(later, x, y), on.red(first, x + 20, y)) << x << "," << y;
            lit += on.red(later, x, y);
        }
        for (int x = 202; x < 208; x++) EXPECT_FALSE(on.red(later, x, y)) << x << "," << y;
    }
    EXPECT_GT(lit, 200);
    // The switched text "报警" (dots 160..191 x 42..57) follows register 6.
    auto alarm = [](const read_back& r) {
        int n = 0;
        for (int y = 42; y < 58; y++)
            for (int x = 160; x < 194; x++) n += r.red(0, x, y);
        return n;
    };
    EXPECT_GT(alarm(on), 20);
    ASSERT_EQ(record(0), 0);
    EXPECT_EQ(alarm(read_back(gif)), 0);
#endif
    (void)!system(("rm -rf '" + std::string(dir) + "'").c_str());
}
