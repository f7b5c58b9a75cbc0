// The bitmap reader on good, short and hostile files, and the picture renderers.
#include "app/frame.h"
#include "frame_helpers.h"
#include "model/item.h"
#include "raster/canvas.h"
#include "raster/picture.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bytes = std::vector<uint8_t>;

void put32(bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)(v >> (8 * i));
}

// A 24-bit bottom-up bitmap; pixel (c, r) counted from the bottom row is
// blue = c, green = r, red = 100 + c + r. Padding bytes are 0xEE so a reader
// that copies them shows it.
bytes make_bmp(int w, int h)
{
    int stride = (3 * w + 3) / 4 * 4;
    bytes b(54 + (size_t)stride * h, 0xEE);
    std::fill(b.begin(), b.begin() + 54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, (uint32_t)b.size());
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, (uint32_t)w);
    put32(b, 22, (uint32_t)h);
    b[26] = 1;
    b[28] = 24;
    put32(b, 34, (uint32_t)stride * h);
    for (int r = 0; r < h; r++)
        for (int c = 0; c < w; c++) {
            uint8_t* p = &b[54 + (size_t)r * stride + 3 * c];
            p[0] = (uint8_t)c;
            p[1] = (uint8_t)r;
            p[2] = (uint8_t)(100 + c + r);
        }
    return b;
}

// A scratch file that is removed again.
struct scratch {
    std::string path;
    scratch()
    {
        char t[] = "/tmp/lumiker_pic_XXXXXX";
        int fd = mkstemp(t);
        if (fd >= 0) close(fd);
        path = t;
    }
    ~scratch() { remove(path.c_str()); }
    void write(const bytes& b) const
    {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (!b.empty()) fwrite(b.data(), 1, b.size(), f);
        fclose(f);
    }
};

// Load `b` through a fresh record; returns the pixels and what went to stderr.
uint8_t* load(const bytes& b, graph_draw& g, std::string& err)
{
    scratch s;
    s.write(b);
    copy_field(g.bmp_path, BMP_PATH_LEN, s.path.c_str());
    testing::internal::CaptureStderr();
    uint8_t* px = LoadBitmapFile(g);
    err = testing::internal::GetCapturedStderr();
    return px;
}

void expect_pixels(const uint8_t* px, int w, int h)
{
    for (int r = 0; r < h; r++)
        for (int c = 0; c < w; c++) {
            const uint8_t* p = px + ((size_t)r * w + c) * 3;
            EXPECT_EQ(p[0], 100 + c + r) << "red at " << c << "," << r;
            EXPECT_EQ(p[1], r) << "green at " << c << "," << r;
            EXPECT_EQ(p[2], c) << "blue at " << c << "," << r;
        }
}

// Sum every byte the reader handed out, so the sanitizer sees any short buffer.
unsigned touch(const uint8_t* px, const graph_draw& g)
{
    unsigned s = 0;
    size_t n = (size_t)bmp_width(g) * bmp_height(g) * 3;
    for (size_t i = 0; i < n; i++) s += px[i];
    return s;
}

} // namespace

TEST(LoadBitmapFile, ReadsRowsBottomUpAsRedGreenBlueWithoutPadding)
{
    // Widths 1, 2, 3 and 4 give 1, 2, 3 and 0 padding bytes a row.
    for (int w = 1; w <= 4; w++) {
        graph_draw g;
        std::string err;
        uint8_t* px = load(make_bmp(w, 3), g, err);
        ASSERT_NE(px, nullptr) << "width " << w;
        EXPECT_EQ(err, "");
        EXPECT_STREQ(bitmap_failure_reason(), "");
        EXPECT_EQ(bmp_width(g), w);
        EXPECT_EQ(bmp_height(g), 3);
        EXPECT_EQ(g.bmp_header[0], 'B');
        EXPECT_EQ(g.bmp_header[10], 54);
        EXPECT_EQ(g.bmp_info[14], 24);
        expect_pixels(px, w, 3);
        std::free(px);
    }
}

TEST(LoadBitmapFile, MissingAndWrongMagicFilesGiveNoPixels)
{
    graph_draw g;
    copy_field(g.bmp_path, BMP_PATH_LEN, "/nonexistent/lumiker/none.bmp");
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadBitmapFile(g), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");   // a missing file is silent

    bytes b = make_bmp(2, 2);
    b[0] = 'P';
    std::string err;
    EXPECT_EQ(load(b, g, err), nullptr);
    EXPECT_EQ(err, "Error in LoadBitmapFile: the file is not a bitmap file\n");
    EXPECT_EQ(g.bmp_header[0], 'P');   // the header keeps what was read
}

TEST(LoadBitmapFile, ShortFilesAreRefusedAtEveryLength)
{
    bytes full = make_bmp(5, 4);
    for (size_t n = 0; n < full.size(); n++) {
        graph_draw g;
        std::string err;
        bytes cut(full.begin(), full.begin() + n);
        uint8_t* px = load(cut, g, err);
        EXPECT_EQ(px, nullptr) << "length " << n;
        std::free(px);
        EXPECT_EQ(err.rfind("Error in LoadBitmapFile: ", 0), 0u) << "length " << n << ": " << err;
        if (n < 14) {
            EXPECT_EQ(err, "Error in LoadBitmapFile: the file is not a bitmap file\n");
        }
    }
}

TEST(LoadBitmapFile, RefusesBitmapsItCannotReadSafely)
{
    struct bad_case {
        const char* what;
        size_t at;
        uint32_t value;
        const char* message;
    };
    const char* format = "Error in LoadBitmapFile: the bitmap is not 24-bit, bottom-up and uncompressed\n";
    const char* range = "Error in LoadBitmapFile: the image size is out of range\n";
    const char* size = "Error in LoadBitmapFile: the pixel data size is 0 or larger than the file\n";
    const char* shorter = "Error in LoadBitmapFile: the pixel data is shorter than the image\n";
    const bad_case cases[] = {
        {"32 bits a pixel", 28, 32, format},
        {"8 bits a pixel", 28, 8, format},
        {"run-length compressed", 30, 1, format},
        {"top-down rows", 22, (uint32_t)-4, format},
        {"most negative height", 22, 0x80000000u, format},
        {"old 12-byte header", 14, 12, format},
        {"zero width", 18, 0, range},
        {"negative width", 18, (uint32_t)-3, range},
        {"zero height", 22, 0, range},
        {"huge width", 18, 0x7FFFFFFF, range},
        {"pixel data size 0", 34, 0, size},
        {"pixel data size past the file", 34, 0xFFFFFFF0u, size},
        {"pixel offset past the file", 10, 100000, size},
        {"pixel offset inside the headers", 10, 20, size},
        {"more rows than the data holds", 22, 40, shorter},
        {"wider rows than the data holds", 18, 9, shorter},
    };
    for (const bad_case& c : cases) {
        bytes b = make_bmp(5, 4);
        put32(b, c.at, c.value);
        graph_draw g;
        std::string err;
        uint8_t* px = load(b, g, err);
        EXPECT_EQ(px, nullptr) << c.what;
        std::free(px);
        EXPECT_EQ(err, c.message) << c.what;
    }

    // A pixel-data size larger than the image but inside the file is fine.
    bytes b = make_bmp(3, 2);
    b.resize(b.size() + 16, 0);
    put32(b, 34, 2 * 12 + 16);
    graph_draw g;
    std::string err;
    uint8_t* px = load(b, g, err);
    ASSERT_NE(px, nullptr) << err;
    expect_pixels(px, 3, 2);
    std::free(px);
}

TEST(LoadBitmapFile, SurvivesEveryHeaderByteSetToExtremes)
{
    // Whatever a header byte says, the reader either refuses or hands out a
    // buffer of exactly width x height x 3 bytes (the sanitizer checks that).
    const bytes good = make_bmp(3, 3);
    const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    int accepted = 0;
    for (size_t at = 0; at < 54; at++)
        for (uint8_t v : values) {
            bytes b = good;
            b[at] = v;
            graph_draw g;
            std::string err;
            uint8_t* px = load(b, g, err);
            if (px) {
                accepted++;
                EXPECT_EQ(err, "");
                EXPECT_GT(touch(px, g), 0u);
                std::free(px);
            } else {
                EXPECT_EQ(err.rfind("Error in LoadBitmapFile: ", 0), 0u) << at << "=" << (int)v;
            }
        }
    EXPECT_GT(accepted, 0);   // fields the reader does not use change nothing
}

TEST(PictureFrame, TexturedBoxIsBuiltOnceAndFollowsTheZoom)
{
    scratch s;
    s.write(make_bmp(100, 50));
    recording r;
    canvas_use_pitch(2);
    graph_draw g;
    g.left = 300;
    g.top = 200;
    g.pic_width = 10;
    g.pic_height = 10;
    g.has_picture = 1;
    g.rgb[0] = 1; g.rgb[1] = 0; g.rgb[2] = 0;
    copy_field(g.bmp_path, BMP_PATH_LEN, s.path.c_str());

    draw_picture(g);
    auto q = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(r.rec.count(gfx_event::LINE), 0u);
    // A 100 x 50 picture squeezed into 10 x 10 dots of 2 pixels, tinted red.
    const float xs[4] = {300, 320, 320, 300}, ys[4] = {200, 200, 220, 220};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(q[0].x[i], xs[i]);
        EXPECT_EQ(q[0].y[i], ys[i]);
    }
    EXPECT_TRUE(same_colour(q[0], 1, 0, 0));
    EXPECT_EQ(g.texture_ready, 1);
    EXPECT_EQ(bmp_width(g), 100);
    EXPECT_EQ(bmp_height(g), 50);
    const uint32_t tex = g.texture;
    EXPECT_NE(tex, 0u);
    EXPECT_EQ(q[0].texture, tex);

    // Zooming rescales the same texture; the file is not read again.
    s.write(make_bmp(7, 7));
    r.rec.reset();
    canvas_use_pitch(3);
    draw_picture(g);
    q = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].x[2], 330);
    EXPECT_EQ(q[0].y[2], 230);
    EXPECT_EQ(q[0].texture, tex);
    EXPECT_EQ(g.texture, tex);
    EXPECT_EQ(bmp_width(g), 100);
    canvas_use_pitch(2);
}

TEST(PictureFrame, FailedLoadStillDrawsThePlainBoxOnce)
{
    recording r;
    canvas_use_pitch(2);
    graph_draw g;
    g.pic_width = 4;
    g.pic_height = 3;
    g.has_picture = 1;
    copy_field(g.bmp_path, BMP_PATH_LEN, "/nonexistent/lumiker/none.bmp");
    draw_picture(g);
    auto q = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_TRUE(same_colour(q[0], 1, 1, 1));
    EXPECT_EQ(q[0].x[1], 8);
    EXPECT_EQ(q[0].y[2], 6);
    EXPECT_EQ(g.texture_ready, 1);

    // The file appearing later is not picked up: the texture stays.
    scratch s;
    s.write(make_bmp(2, 2));
    copy_field(g.bmp_path, BMP_PATH_LEN, s.path.c_str());
    uint32_t tex = g.texture;
    draw_picture(g);
    EXPECT_EQ(g.texture, tex);
    EXPECT_EQ(bmp_width(g), 0);
}

TEST(PictureFrame, RecordWithoutPictureIsADottedOutline)
{
    recording r;
    canvas_use_pitch(2);
    graph_draw g;
    g.left = 100;
    g.top = 50;
    g.pic_width = 10;
    g.pic_height = 5;
    g.rgb[0] = 0; g.rgb[1] = 1; g.rgb[2] = 0;
    draw_picture(g);
    EXPECT_EQ(r.rec.count(gfx_event::TEXQUAD), 0u);
    auto l = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(l.size(), 4u);
    const float xs[5] = {100, 120, 120, 100, 100}, ys[5] = {50, 50, 60, 60, 50};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(l[i].x[0], xs[i]); EXPECT_EQ(l[i].y[0], ys[i]);
        EXPECT_EQ(l[i].x[1], xs[i + 1]); EXPECT_EQ(l[i].y[1], ys[i + 1]);
        EXPECT_TRUE(l[i].stipple);
        EXPECT_EQ(l[i].pattern, 0xAAAA);
        EXPECT_EQ(l[i].size, 1);
        EXPECT_TRUE(same_colour(l[i], 0, 1, 0));
    }
    EXPECT_EQ(g.texture_ready, 0);

    // Extreme sizes and a zero pitch stay finite and never wrap around.
    r.rec.reset();
    canvas_use_pitch(0);   // held to 1
    g.left = INT32_MAX;
    g.pic_width = INT32_MAX;
    g.pic_height = INT32_MIN;
    draw_picture(g);
    l = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_GT(l[1].x[0], (float)INT32_MAX);
    EXPECT_LT(l[2].y[0], 0.0f);
    canvas_use_pitch(2);
}

TEST(PictureFrame, SelectedRecordIsOneDotLargerWithItsSizeCaption)
{
    need_screen_fonts();
    recording r;
    canvas_use_pitch(2);
    graph_draw g;
    g.left = 400;
    g.top = 300;
    g.pic_width = 10;
    g.pic_height = 10;
    draw_picture_selected(g);
    auto l = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(l.size(), 8u);
    // First the selection outline of 11 x 11 dots, then the 10 x 10 outline.
    EXPECT_EQ(l[1].x[0], 422); EXPECT_EQ(l[1].y[1], 322);
    EXPECT_EQ(l[5].x[0], 420); EXPECT_EQ(l[5].y[1], 320);
    auto t = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, u"w = 10 h= 10");
    EXPECT_EQ(t[0].x[0], 430);
    EXPECT_EQ(t[0].y[0], 300);
}

TEST(PictureFrame, FrameDrawsTheShownPicturesOnThePanelAndTheRubberBand)
{
    need_screen_fonts();
    std::unique_ptr<designer> g(new designer());
    g->doc.settings.panel_w = 256;
    g->doc.settings.panel_h = 64;
    // Dotted outlines the frame draws, at the window pixels where they start.
    auto outlines = [&] {
        recording r;
        frame_routine(*g);
        std::vector<std::pair<float, float>> at;
        for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
            if (e.stipple && e.size == 1) at.push_back({e.x[0], e.y[0]});
        return at;
    };
    const size_t furniture = outlines().size();
    for (int i = 0; i < PICTURE_COUNT; i++) {
        g->doc.pictures[i].shown = 1;
        g->doc.pictures[i].x = 10 * i;
        g->doc.pictures[i].y = 5;
        g->doc.pictures[i].w = 4;
        g->doc.pictures[i].h = 3;
    }
    g->doc.pictures[2].shown = 0;
    g->doc.picture_count = 4;
    // Pictures 0, 1 and 3: three outlines standing on their dots.
    auto at = outlines();
    EXPECT_EQ(at.size(), furniture + 3 * 4);
    auto has = [&](float x, float y) { return std::find(at.begin(), at.end(), std::make_pair(x, y)) != at.end(); };
    EXPECT_TRUE(has(265 + 2 * 10, 145 + 2 * 5));
    EXPECT_TRUE(has(265 + 2 * 30, 145 + 2 * 5));
    EXPECT_FALSE(has(265 + 2 * 20, 145 + 2 * 5));

    // A zoom moves them with the panel's dots.
    g->v.pitch = 3;
    at = outlines();
    EXPECT_TRUE(has(265 + 3 * 10, 145 + 3 * 5));
    g->v.pitch = 2;

    // A count beyond the pictures is held to them.
    g->doc.picture_count = 1000;
    EXPECT_EQ(outlines().size(), furniture + 4 * (PICTURE_COUNT - 1));

    // The rubber band dragged up and left of its start.
    for (doc_picture& p : g->doc.pictures) p.shown = 0;
    g->ui.band_x = 500;
    g->ui.band_y = 400;
    g->ui.band_w = -20;
    g->ui.band_h = -10;
    EXPECT_EQ(outlines().size(), furniture);
    g->ui.band_shown = true;
    at = outlines();
    ASSERT_EQ(at.size(), furniture + 4);
    EXPECT_TRUE(has(500, 400));
    EXPECT_TRUE(has(460, 400));
    EXPECT_TRUE(has(460, 380));
}
