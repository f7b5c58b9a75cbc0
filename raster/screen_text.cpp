/*******************************************************************************
 * raster/screen_text.cpp - FreeType glyph cache and screen text drawing
 *
 * Sections: faces | glyph textures | drawing
 ******************************************************************************/
#include "raster/screen_text.h"
#include "platform/file_write.h"
#include "platform/messages.h"
#include "raster/gfx.h"
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

glyph_record glyph_cache[GLYPH_CACHE_SIZE];

namespace {

struct face_record {
    FT_Library library;
    FT_Face face;
    int width, height;
};

face_record face_slot[FACE_SLOTS];
const int face_sizes[SCREEN_FACES] = {24, 36, 48, 64};

int slot_for_size(int size)
{
    switch (size) {
    case 24: return 0;
    case 48: return 2;
    case 64: return 3;
    default: return 1;
    }
}

} // namespace

// ---- faces -----------------------------------------------------------------

bool open_screen_fonts(const char* font_file, std::string& why)
{
    for (int s = 0; s < SCREEN_FACES; s++) {
        face_record& f = face_slot[s];
        if (f.face) continue;  // already open
        if (!f.library && FT_Init_FreeType(&f.library) != 0) {
            why = msg(MSG_FREETYPE_INIT);
            return false;
        }
        // The font is opened through a descriptor checked to be a regular
        // file, so a pipe or a device in its place cannot hang the start.
        read_check check;
        int err = 0;
        const int fd = font_file ? open_regular_file(font_file, check, err) : -1;
        const std::string checked = "/proc/self/fd/" + std::to_string(fd);
        const bool opened = fd >= 0 && FT_New_Face(f.library, checked.c_str(), 0, &f.face) == 0;
        if (fd >= 0) close(fd);
        if (!opened) {
            why = msg(MSG_SCREEN_FONT_OPEN, font_file ? font_file : "-");
            f.face = nullptr;
            return false;
        }
        FT_Select_Charmap(f.face, FT_ENCODING_UNICODE);
        f.width = f.height = face_sizes[s];
        FT_Set_Char_Size(f.face, 0, (FT_F26Dot6)f.height * 64, f.height, f.height);
    }
    return true;
}

int next_pow2(int n)
{
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

// ---- glyph textures ----------------------------------------------------------

void load_glyph_texture(int slot, char16_t code)
{
    glyph_record& g = glyph_cache[code];
    if (g.texture != 0) return;
    if (slot < 0 || slot >= SCREEN_FACES || !face_slot[slot].face) return;
    FT_Face face = face_slot[slot].face;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_FORCE_AUTOHINT) != 0) return;
    FT_Glyph glyph;
    if (FT_Get_Glyph(face->glyph, &glyph) != 0) return;
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) != 0) {
        FT_Done_Glyph(glyph);
        return;
    }
    FT_BitmapGlyph bg = (FT_BitmapGlyph)glyph;
    const FT_Bitmap& bm = bg->bitmap;
    int bw = (int)bm.width, rows = (int)bm.rows;
    g.width = next_pow2(bw);
    g.height = next_pow2(rows);
    g.advance = (int)(face->glyph->advance.x / 64);
    g.ppem = face->size->metrics.y_ppem;
    g.left = bg->left;
    g.bottom = bg->top - rows;

    // Texture row 0 is the bitmap's bottom row; texels outside the bitmap stay 0.
    std::vector<uint8_t> texels((size_t)g.width * g.height * 2, 0);
    int pitch = bm.pitch < 0 ? -bm.pitch : bm.pitch;
    for (int i = 0; i < rows; i++) {
        const uint8_t* src = bm.buffer + (size_t)i * pitch;
        for (int j = 0; j < bw; j++) {
            uint8_t v;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) v = (src[j >> 3] & (0x80 >> (j & 7))) ? 255 : 0;
            else v = src[j];
            size_t t = ((size_t)(rows - 1 - i) * g.width + j) * 2;
            texels[t] = v;
            texels[t + 1] = v;
        }
    }
    g.texture = gfx_create_texture(g.width, g.height, 2, texels.data());
    FT_Done_Glyph(glyph);
}

// ---- drawing -----------------------------------------------------------------

namespace {

int draw_text_with(int slot, int size, const std::u16string& text, int x, int y, int wrap, int line_height)
{
    gfx_text_mark(text, (float)x, (float)y, size);
    gfx_texturing(true);
    int d = line_height;
    int pen_x = x, pen_y = y;
    for (char16_t c : text) {
        if (c == 10) {
            pen_x = x;
            pen_y += d + 12;
            continue;
        }
        load_glyph_texture(slot, c);
        const glyph_record& g = glyph_cache[c];
        gfx_bind_texture(g.texture);
        gfx_blending(true);
        if (g.height > d) d = g.height;
        float x0 = (float)(pen_x + g.left);
        float yb = (float)(pen_y - g.bottom);
        gfx_begin(GFX_QUADS);
        gfx_tex_coord(0, 1); gfx_vertex(x0, yb - g.height, 1);
        gfx_tex_coord(1, 1); gfx_vertex(x0 + g.width, yb - g.height, 1);
        gfx_tex_coord(1, 0); gfx_vertex(x0 + g.width, yb, 1);
        gfx_tex_coord(0, 0); gfx_vertex(x0, yb, 1);
        gfx_end();
        pen_x += g.advance;
        if (pen_x > x + wrap) {
            pen_x = x;
            pen_y += d + 12;
        }
    }
    gfx_texturing(false);
    return pen_x - x;
}

} // namespace

int screen_text_width(const std::u16string& text)
{
    int w = 0;
    for (char16_t c : text) {
        load_glyph_texture(1, c);
        w += glyph_cache[c].advance;
    }
    return w;
}

int draw_screen_text(const std::u16string& text, int x, int y, int wrap_width, int line_height)
{
    return draw_text_with(1, 36, text, x, y, wrap_width, line_height);
}

void draw_screen_text_sized(int size, const std::u16string& text, int x, int y, int wrap_width,
                            int line_height)
{
    int slot = slot_for_size(size);
    draw_text_with(slot, face_sizes[slot], text, x, y, wrap_width, line_height);
}
