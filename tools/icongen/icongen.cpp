/*******************************************************************************
 * tools/icongen/icongen.cpp - the program's icon, drawn as LED dots
 *
 * Usage: lumiker-icongen OUT_DIR
 * Writes OUT_DIR/<n>x<n>/apps/lumiker.png for every size of ICON_SIZES: a
 * dark panel with a 7 x 7 matrix of round LEDs, the lit ones forming an "L"
 * in the panel's red, amber and green, the others dim.
 *
 * Limits: square icons of the listed sizes only. Depends on: stb_image_write.
 * Does NOT: use any font or picture file; everything is computed.
 ******************************************************************************/
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int ICON_SIZES[] = {16, 32, 48, 64, 128, 256};
constexpr int MATRIX = 7;

// Lit LEDs: 'r' red, 'a' amber, 'g' green; '.' unlit.
const char* const PATTERN[MATRIX] = {
    ".r.....",
    ".r.....",
    ".r...g.",
    ".r..ggg",
    ".r...g.",
    ".raaa..",
    ".......",
};

void led_colour(char c, float rgb[3])
{
    switch (c) {
    case 'r': rgb[0] = 1.0f; rgb[1] = 0.15f; rgb[2] = 0.1f; break;
    case 'a': rgb[0] = 1.0f; rgb[1] = 0.75f; rgb[2] = 0.1f; break;
    case 'g': rgb[0] = 0.2f; rgb[1] = 1.0f; rgb[2] = 0.3f; break;
    default: rgb[0] = 0.22f; rgb[1] = 0.2f; rgb[2] = 0.2f; break;
    }
}

// Coverage of a disc of radius r centred at (cx, cy) over the pixel (x, y), by 4 x 4 samples.
float disc_cover(float cx, float cy, float r, int x, int y)
{
    int in = 0;
    for (int sy = 0; sy < 4; sy++)
        for (int sx = 0; sx < 4; sx++) {
            float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r) in++;
        }
    return in / 16.0f;
}

// One icon of n x n pixels, RGBA.
std::vector<uint8_t> draw_icon(int n)
{
    std::vector<uint8_t> px((size_t)n * n * 4, 0);
    const float margin = n / 16.0f, corner = n / 8.0f;
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            // The panel: a dark rounded square.
            float dx = std::fmax(std::fmax(margin + corner - (x + 0.5f), (x + 0.5f) - (n - margin - corner)), 0);
            float dy = std::fmax(std::fmax(margin + corner - (y + 0.5f), (y + 0.5f) - (n - margin - corner)), 0);
            float edge = corner - std::sqrt(dx * dx + dy * dy);
            float a = std::fmin(std::fmax(edge + 0.5f, 0.0f), 1.0f);
            uint8_t* p = &px[((size_t)y * n + x) * 4];
            p[0] = 18; p[1] = 18; p[2] = 22; p[3] = (uint8_t)(255 * a);
        }
    const float cell = (n - 2 * margin) / MATRIX, radius = cell * 0.38f;
    for (int r = 0; r < MATRIX; r++)
        for (int c = 0; c < MATRIX; c++) {
            float rgb[3];
            led_colour(PATTERN[r][c], rgb);
            const float cx = margin + (c + 0.5f) * cell, cy = margin + (r + 0.5f) * cell;
            for (int y = (int)(cy - cell); y <= (int)(cy + cell); y++)
                for (int x = (int)(cx - cell); x <= (int)(cx + cell); x++) {
                    if (x < 0 || y < 0 || x >= n || y >= n) continue;
                    float cover = disc_cover(cx, cy, radius, x, y);
                    if (cover <= 0) continue;
                    uint8_t* p = &px[((size_t)y * n + x) * 4];
                    for (int k = 0; k < 3; k++) p[k] = (uint8_t)(p[k] * (1 - cover) + 255 * rgb[k] * cover);
                }
        }
    return px;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: lumiker-icongen OUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    for (int n : ICON_SIZES) {
        std::string dir = out + "/" + std::to_string(n) + "x" + std::to_string(n);
        mkdir(out.c_str(), 0755);
        mkdir(dir.c_str(), 0755);
        dir += "/apps";
        mkdir(dir.c_str(), 0755);
        std::vector<uint8_t> px = draw_icon(n);
        std::string file = dir + "/lumiker.png";
        if (!stbi_write_png(file.c_str(), n, n, 4, px.data(), n * 4)) {
            fprintf(stderr, "lumiker-icongen: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
