/*******************************************************************************
 * tools/fontgen/fontpng.cpp - a PNG of a sample text in every dot-matrix size
 *
 * Usage: lumiker-fontpng WORKSPACE_DIR/ OUT.png [SCALE [FROM TO [WIDTH [SKIP]]]]
 * Points the font paths at WORKSPACE_DIR (the folder holding Font/), draws one
 * sample line per size 12..24, 32, 48 and 64 with draw_dot_text into the
 * recording drawing layer at pitch 1, and writes the lit dots as a grey
 * PNG, each dot SCALE x SCALE pixels (default 3) with a dark gap, so glyph
 * shapes, baselines and descenders can be checked by eye. FROM..TO limit the
 * sizes drawn, WIDTH cuts the picture to that many dots,
 * SKIP leaves out that many dots at the left.
 *
 * Does NOT: open a window or change any font file.
 ******************************************************************************/
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include "app/workspace.h"
#include "raster/canvas.h"
#include "platform/gbk.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const int SIZES[] = {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 48, 64};
const char* const SAMPLE = "中华人民共和国，欢迎您！温度湿度风速 Hello, gjpqy! 0123456789 ABC xyz @Q_(|)\\C2绿色";
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s WORKSPACE_DIR/ OUT.png [SCALE]\n", argv[0]);
        return 2;
    }
    int scale = argc > 3 ? atoi(argv[3]) : 3;
    if (scale < 1 || scale > 8) scale = 3;
    int from = argc > 5 ? atoi(argv[4]) : 0, to = argc > 5 ? atoi(argv[5]) : 64;
    int max_w = argc > 6 ? atoi(argv[6]) : 0;
    int skip = argc > 7 ? atoi(argv[7]) : 0;
    std::string dir = argv[1];
    if (dir.empty() || dir.back() != '/') dir += '/';
    doc_paths paths;
    build_base_paths(paths, dir.c_str());
    dot_font_use_files(paths);
    dot_font_init();
    canvas_use_pitch(1);

    gfx_recorder rec;
    gfx_use(&rec);
    const std::string gbk = gbk_from_utf8(SAMPLE);
    int y = 2;
    for (int size : SIZES) {
        if (size < from || size > to) continue;
        std::string line = std::to_string(size) + " " + gbk;
        std::vector<char> copy(line.begin(), line.end());
        copy.push_back('\0');
        draw_dot_text((uint8_t)size, 6, 2 - skip, y, copy.data());
        y += size + 6;
    }
    gfx_use(nullptr);

    int w = 1, h = y + 2;
    for (const gfx_event& e : rec.events)
        if (e.type == gfx_event::POINT) w = std::max(w, (int)e.x[0] + 4);
    if (max_w > 0 && w > max_w) w = max_w;
    std::vector<uint8_t> lit((size_t)w * h, 0);
    for (const gfx_event& e : rec.events) {
        if (e.type != gfx_event::POINT) continue;
        int s = std::max(1, (int)e.size);
        int x0 = (int)std::lround(e.x[0] - s / 2.0), y0 = (int)std::lround(e.y[0] - s / 2.0);
        uint8_t v = (uint8_t)(80 + 175 * (e.r + e.g + e.b) / 3);
        for (int r = y0; r < y0 + s; r++)
            for (int c = x0; c < x0 + s; c++)
                if (r >= 0 && r < h && c >= 0 && c < w) lit[(size_t)r * w + c] = v;
    }
    std::vector<uint8_t> img((size_t)w * scale * h * scale, 0);
    for (int r = 0; r < h * scale; r++)
        for (int c = 0; c < w * scale; c++) {
            bool gap = scale > 1 && (r % scale == scale - 1 || c % scale == scale - 1);
            uint8_t v = lit[(size_t)(r / scale) * w + c / scale];
            img[(size_t)r * w * scale + c] = gap ? (v ? v / 2 : 24) : v;
        }
    if (!stbi_write_png(argv[2], w * scale, h * scale, 1, img.data(), w * scale)) {
        fprintf(stderr, "fontpng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
