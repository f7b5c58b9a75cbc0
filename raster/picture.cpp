/*******************************************************************************
 * raster/picture.cpp - the bitmap reader, picture textures and the rubber band
 *
 * The reader checks every header field it relies on against the file before
 * it allocates or reads pixels, and hands the texture tightly packed rows, so
 * the upload never depends on the file's row padding.
 ******************************************************************************/
#include "raster/picture.h"
#include "model/item.h"
#include "raster/canvas.h"
#include "platform/gbk.h"
#include "platform/file_write.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int BMP_PIXEL_OFFSET_AT = 10;     // in the file header
constexpr int INFO_SIZE_AT = 0;             // in the information header
constexpr int INFO_WIDTH_AT = 4;
constexpr int INFO_HEIGHT_AT = 8;
constexpr int INFO_BITS_AT = 14;
constexpr int INFO_COMPRESSION_AT = 16;
constexpr int INFO_IMAGE_SIZE_AT = 20;
constexpr int CAPTION_LEN = 48;             // "w = %d h= %d" with two 32-bit numbers
constexpr int CAPTION_DX = 30;              // caption offset right of the picture's left edge
constexpr int CAPTION_WRAP = 400;
constexpr int CAPTION_LINE = 25;

const char* failure = "";

uint32_t le32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint16_t le16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }

// Record why a load failed; refusals of a bad file are also reported on stderr.
uint8_t* refuse(const char* why, bool report)
{
    failure = why;
    if (report) fprintf(stderr, "Error in LoadBitmapFile: %s\n", why);
    return nullptr;
}

// Length of an open file in bytes, or -1.
long file_length(FILE* f)
{
    if (fseek(f, 0, SEEK_END) != 0) return -1;
    return ftell(f);
}

// Read the checked bitmap in `f` and pack its rows as red-green-blue.
uint8_t* read_pixels(FILE* f, const graph_draw& g)
{
    const int64_t w = bmp_width(g), h = bmp_height(g);
    const int64_t stride = bmp_row_stride(w);
    const uint32_t offset = le32(g.bmp_header + BMP_PIXEL_OFFSET_AT);
    uint8_t* buf = (uint8_t*)std::malloc((size_t)(stride * h));
    if (!buf) return refuse("memory error", true);
    if (fseek(f, (long)offset, SEEK_SET) != 0 || fread(buf, 1, (size_t)(stride * h), f) != (size_t)(stride * h)) {
        std::free(buf);
        return refuse("the file is too short", true);
    }
    // Blue-green-red to red-green-blue, dropping the row padding; packing moves
    // bytes only towards the front, so it works in place.
    uint8_t* out = buf;
    for (int64_t r = 0; r < h; r++) {
        const uint8_t* row = buf + r * stride;
        for (int64_t c = 0; c < w; c++) {
            uint8_t b = row[3 * c], gr = row[3 * c + 1], rd = row[3 * c + 2];
            *out++ = rd;
            *out++ = gr;
            *out++ = b;
        }
    }
    return buf;
}

// The four corners of a box at (left, top) of w x h dots, in window pixels.
struct box {
    float x0, y0, x1, y1;
};

box box_of(const graph_draw& g, int64_t w_dots, int64_t h_dots)
{
    const int64_t p = canvas_pitch();
    return box{(float)g.left, (float)g.top, (float)((int64_t)g.left + w_dots * p),
               (float)((int64_t)g.top + h_dots * p)};
}

// A dotted closed outline through the corners of `b` at depth z.
void dotted_outline(const box& b, float z)
{
    gfx_line_stipple(true, PICTURE_STIPPLE_FACTOR, PICTURE_STIPPLE);
    gfx_line_width(1);
    gfx_begin(GFX_LINE_LOOP);
    gfx_vertex(b.x0, b.y0, z);
    gfx_vertex(b.x1, b.y0, z);
    gfx_vertex(b.x1, b.y1, z);
    gfx_vertex(b.x0, b.y1, z);
    gfx_end();
    gfx_line_stipple(false);
}

} // namespace

int32_t bmp_width(const graph_draw& g) { return (int32_t)le32(g.bmp_info + INFO_WIDTH_AT); }

int32_t bmp_height(const graph_draw& g) { return (int32_t)le32(g.bmp_info + INFO_HEIGHT_AT); }

const char* bitmap_failure_reason() { return failure; }

uint8_t* LoadBitmapFile(graph_draw& g)
{
    failure = "";
    // Only a regular file is read: a pipe or a device there cannot hang the program.
    FILE* f = fopen_regular(g.bmp_path);
    if (!f) return refuse("cannot open the file (missing, unreadable or not a regular file)", false);

    // Headers keep exactly what was read; bytes past a short read are zero.
    std::memset(g.bmp_header, 0, sizeof g.bmp_header);
    std::memset(g.bmp_info, 0, sizeof g.bmp_info);
    size_t got = fread(g.bmp_header, 1, BMP_FILE_HEADER_LEN, f);
    if (got != (size_t)BMP_FILE_HEADER_LEN || le16(g.bmp_header) != BMP_MAGIC) {
        fclose(f);
        return refuse("the file is not a bitmap file", true);
    }
    got = fread(g.bmp_info, 1, BMP_INFO_LEN, f);
    if (got != (size_t)BMP_INFO_LEN) {
        fclose(f);
        return refuse("the file is too short", true);
    }

    const uint32_t info_size = le32(g.bmp_info + INFO_SIZE_AT);
    const int32_t w = bmp_width(g), h = bmp_height(g);
    const uint16_t bits = le16(g.bmp_info + INFO_BITS_AT);
    const uint32_t compression = le32(g.bmp_info + INFO_COMPRESSION_AT);
    const int64_t image_size = le32(g.bmp_info + INFO_IMAGE_SIZE_AT);
    const int64_t offset = le32(g.bmp_header + BMP_PIXEL_OFFSET_AT);
    const int64_t length = file_length(f);

    const char* bad = nullptr;
    if (info_size < (uint32_t)BMP_INFO_LEN || bits != 24 || compression != 0 || h < 0)
        bad = "the bitmap is not 24-bit, bottom-up and uncompressed";
    else if (w <= 0 || h == 0 || w > PICTURE_MAX_SIDE || h > PICTURE_MAX_SIDE)
        bad = "the image size is out of range";
    else if (image_size == 0 || length < 0 || offset < BMP_FILE_HEADER_LEN + BMP_INFO_LEN ||
             offset > length || image_size > length - offset)
        bad = "the pixel data size is 0 or larger than the file";
    else if (bmp_row_stride(w) * h > image_size)
        bad = "the pixel data is shorter than the image";
    if (bad) {
        fclose(f);
        return refuse(bad, true);
    }

    uint8_t* pixels = read_pixels(f, g);
    fclose(f);
    return pixels;
}

void draw_picture(graph_draw& g)
{
    const box b = box_of(g, g.pic_width, g.pic_height);
    gfx_color(g.rgb[0], g.rgb[1], g.rgb[2]);
    if (!g.has_picture) {
        dotted_outline(b, 1);
        return;
    }
    gfx_texturing(true);
    if (!g.texture_ready) {
        g.texture_ready = 1;
        uint8_t* pixels = LoadBitmapFile(g);
        // A failed load still defines the texture, empty, so the box shows plain rgb.
        int w = pixels ? bmp_width(g) : 0, h = pixels ? bmp_height(g) : 0;
        g.texture = gfx_create_texture(w, h, 3, pixels);
        std::free(pixels);
    }
    gfx_bind_texture(g.texture);
    gfx_begin(GFX_QUADS);
    gfx_tex_coord(0, 1); gfx_vertex(b.x0, b.y0, 1);
    gfx_tex_coord(1, 1); gfx_vertex(b.x1, b.y0, 1);
    gfx_tex_coord(1, 0); gfx_vertex(b.x1, b.y1, 1);
    gfx_tex_coord(0, 0); gfx_vertex(b.x0, b.y1, 1);
    gfx_end();
    gfx_texturing(false);
}

void draw_picture_selected(graph_draw& g)
{
    gfx_texturing(false);
    gfx_color(g.rgb[0], g.rgb[1], g.rgb[2]);
    dotted_outline(box_of(g, (int64_t)g.pic_width + 1, (int64_t)g.pic_height + 1), 0);

    char caption[CAPTION_LEN];
    format_field(caption, CAPTION_LEN, "w = %d h= %d", g.pic_width, g.pic_height);
    gfx_texturing(true);
    const int64_t x = (int64_t)g.left + CAPTION_DX;
    draw_screen_text(to_wide(caption), x > INT32_MAX ? INT32_MAX : (int)x, g.top, CAPTION_WRAP, CAPTION_LINE);

    draw_picture(g);
}

void draw_dotted_box(int x, int y, int w_dots, int h_dots)
{
    graph_draw band;
    band.left = x;
    band.top = y;
    band.pic_width = w_dots;
    band.pic_height = h_dots;
    draw_picture(band);
}
