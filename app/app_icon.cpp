/*******************************************************************************
 * app/app_icon.cpp - drawing the icon as pixels and as SVG
 ******************************************************************************/
#include "app/app_icon.h"
#include <cmath>
#include <cstdio>

namespace {

constexpr int MATRIX = 7;                  // LEDs a side
constexpr float MARGIN_SHARE = 1.0f / 16;  // of the side, around the panel
constexpr float CORNER_SHARE = 1.0f / 8;   // of the side, the panel's corner radius
constexpr float LED_RADIUS_SHARE = 0.38f;  // of one LED's cell
constexpr int COVER_SAMPLES = 4;           // samples a pixel side for a disc's edge
constexpr int SVG_SIDE = 256;              // the SVG's user units a side
constexpr uint8_t PANEL_RGB[3] = {18, 18, 22};

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

// The colour of one LED, 0..1 a channel.
void led_colour(char c, float rgb[3])
{
    switch (c) {
    case 'r': rgb[0] = 1.0f; rgb[1] = 0.15f; rgb[2] = 0.1f; break;
    case 'a': rgb[0] = 1.0f; rgb[1] = 0.75f; rgb[2] = 0.1f; break;
    case 'g': rgb[0] = 0.2f; rgb[1] = 1.0f; rgb[2] = 0.3f; break;
    default: rgb[0] = 0.22f; rgb[1] = 0.2f; rgb[2] = 0.2f; break;
    }
}

// Coverage of a disc of radius r centred at (cx, cy) over the pixel (x, y).
float disc_cover(float cx, float cy, float r, int x, int y)
{
    int in = 0;
    for (int sy = 0; sy < COVER_SAMPLES; sy++)
        for (int sx = 0; sx < COVER_SAMPLES; sx++) {
            float px = x + (sx + 0.5f) / COVER_SAMPLES, py = y + (sy + 0.5f) / COVER_SAMPLES;
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r) in++;
        }
    return (float)in / (COVER_SAMPLES * COVER_SAMPLES);
}

// A channel of 0..1 as 0..255.
int byte_of(float v) { return (int)(255 * v); }

} // namespace

std::vector<uint8_t> app_icon_pixels(int n)
{
    if (n < 1 || n > APP_ICON_MAX_SIDE) return {};
    std::vector<uint8_t> px((size_t)n * n * 4, 0);
    const float margin = n * MARGIN_SHARE, corner = n * CORNER_SHARE;
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            // The panel: a dark rounded square, its edge smoothed over one pixel.
            float dx = std::fmax(std::fmax(margin + corner - (x + 0.5f), (x + 0.5f) - (n - margin - corner)), 0);
            float dy = std::fmax(std::fmax(margin + corner - (y + 0.5f), (y + 0.5f) - (n - margin - corner)), 0);
            float edge = corner - std::sqrt(dx * dx + dy * dy);
            float a = std::fmin(std::fmax(edge + 0.5f, 0.0f), 1.0f);
            uint8_t* p = &px[((size_t)y * n + x) * 4];
            p[0] = PANEL_RGB[0];
            p[1] = PANEL_RGB[1];
            p[2] = PANEL_RGB[2];
            p[3] = (uint8_t)(255 * a);
        }
    const float cell = (n - 2 * margin) / MATRIX, radius = cell * LED_RADIUS_SHARE;
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

std::string app_icon_svg()
{
    const float n = SVG_SIDE, margin = n * MARGIN_SHARE, corner = n * CORNER_SHARE;
    const float cell = (n - 2 * margin) / MATRIX, radius = cell * LED_RADIUS_SHARE;
    char line[256];
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    snprintf(line, sizeof line,
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n", SVG_SIDE,
             SVG_SIDE, SVG_SIDE, SVG_SIDE);
    svg += line;
    snprintf(line, sizeof line, "  <rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"#%02x%02x%02x\"/>\n",
             margin, margin, n - 2 * margin, n - 2 * margin, corner, PANEL_RGB[0], PANEL_RGB[1], PANEL_RGB[2]);
    svg += line;
    for (int r = 0; r < MATRIX; r++)
        for (int c = 0; c < MATRIX; c++) {
            float rgb[3];
            led_colour(PATTERN[r][c], rgb);
            snprintf(line, sizeof line, "  <circle cx=\"%g\" cy=\"%g\" r=\"%.2f\" fill=\"#%02x%02x%02x\"/>\n",
                     margin + (c + 0.5f) * cell, margin + (r + 0.5f) * cell, radius, byte_of(rgb[0]), byte_of(rgb[1]),
                     byte_of(rgb[2]));
            svg += line;
        }
    svg += "</svg>\n";
    return svg;
}
