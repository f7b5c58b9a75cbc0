/*******************************************************************************
 * raster/screen_text.h - anti-aliased editor text (rulers, captions, read-outs)
 *
 * Each UTF-16 code unit is rendered once by FreeType from the system's
 * Song-style screen font into its own texture and then drawn as a blended
 * textured quad in the caller's current colour. One 65536-entry glyph cache
 * is shared by all four faces: the first face that draws a code fixes its
 * texture for every size after.
 *
 * Faces: slot 0 size 24, slot 1 size 36, slot 2 size 48, slot 3 size 64, each
 * set at `size` points and `size` dpi (so 8, 18, 32 and ~57 pixels per em).
 *
 * Limits: FACE_SLOTS face slots, SCREEN_FACES of them opened at start-up;
 * UTF-16 code units only (no characters beyond the basic plane).
 * Depends on: FreeType (faces and glyph bitmaps); the font file is opened
 * through /proc/self/fd after a regular-file check (Linux).
 * Does NOT: draw anything on the LED panel (that is dot-matrix text), kern,
 * shape, or ever free a glyph texture.
 ******************************************************************************/
#pragma once
#include "platform/gbk.h"
#include <cstdint>
#include <string>

constexpr int FACE_SLOTS = 20;
constexpr int SCREEN_FACES = 4;            // slots opened at start-up
constexpr int GLYPH_CACHE_SIZE = 65536;

// One cached screen glyph; texture 0 means empty.
struct glyph_record {
    uint32_t texture;
    int32_t width, height;   // texture size, powers of two
    int32_t advance;
    int32_t ppem;
    int32_t left;
    int32_t bottom;          // bitmap top minus rows
};

extern glyph_record glyph_cache[GLYPH_CACHE_SIZE];

// Open face 0 of `font_file` in slots 0..3 at sizes 24, 36, 48, 64.
// On failure returns false and puts a short reason into `why`.
bool open_screen_fonts(const char* font_file, std::string& why);

// Smallest power of two at or above n (at least 1).
int next_pow2(int n);

// Fill the glyph record of `code` through face `slot` unless it already has a texture.
void load_glyph_texture(int slot, char16_t code);

// Draw UTF-16 text with the 36 face; (x, y) is the first line's baseline.
// Returns how far the pen went on the last line, px.
int draw_screen_text(const std::u16string& text, int x, int y, int wrap_width, int line_height);
// The width draw_screen_text gives a one-line text, without drawing it.
int screen_text_width(const std::u16string& text);
// The same with the face picked by size: 24 slot 0, 48 slot 2, 64 slot 3, else slot 1.
void draw_screen_text_sized(int size, const std::u16string& text, int x, int y, int wrap_width,
                            int line_height);

