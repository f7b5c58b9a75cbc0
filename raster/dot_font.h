/*******************************************************************************
 * raster/dot_font.h - dot-matrix glyph readers, glyph caches, font file cache
 *
 * Panel text is drawn from bitmap font files (the document's font paths,
 * handed over by dot_font_use_files):
 * one Chinese (GB2312 area) and one Western file per size 12..24 and 32; the
 * 48- and 64-dot sizes draw the 24- and 32-dot glyphs doubled. A reader turns
 * one character into lit dots at a pixel position (the caller maps dots
 * through the view); the caller (draw_dot_text) advances the pen.
 *
 * Glyph bytes: most significant bit first; row-major (1 or 2 bytes per row)
 * for Chinese 12..16 and Western 12..15, column-major (2, 3 or 4 bytes per
 * column) for the others. Western 12..15 glyphs other than g j p q y are drawn
 * one row lower than stored.
 *
 * Chinese 12..15 go through four 100-slot glyph caches with one shared cursor;
 * a miss loads the rest of the string ahead, at most one full cache per walk
 * so the requested glyph is never evicted by its own read-ahead.
 *
 * File cache: every font file is read whole on first use (into a fixed static
 * pool sized for the largest file of each slot) and glyph reads are served
 * from memory, so a frame costs no file opens. A file that is missing is
 * retried at the next read; one larger than its pool, or any file while the
 * cache is switched off, is read per glyph (open, seek, read, close). Reads
 * that come up short draw only the bytes read; negative offsets read nothing.
 *
 * Limits: font paths of FONT_PATH_LEN bytes; a file larger than the pool of
 * its slot is read per glyph.
 * Depends on: nothing outside the C++ standard library (the files are read
 * with stdio).
 * Does NOT: walk strings, apply inline codes or advance (draw_dot_text does),
 * notice a font file changed on disk after it was cached (dot_font_forget_files).
 ******************************************************************************/
#pragma once
#include "model/font_sizes.h"
#include <cstdint>

struct doc_paths;

constexpr int DOT_CACHE_SIZES = 4;     // cached Chinese sizes 12, 13, 14, 15
constexpr int DOT_CACHE_SLOTS = 100;   // glyph slots per cached size
constexpr int DOT_SLOT_DATA = 64;      // data bytes per slot
constexpr int DOT_SLOT_USED = 32;      // of which a glyph uses at most
constexpr int DOT_TEXT_SIZES = FONT_SIZE_COUNT; // the whole font-size ladder
constexpr int GB_ROW_GLYPHS = 94;      // glyphs per row of the GB2312 code table
constexpr int GB_AREA_GLYPHS = 94 * 94;
constexpr int ASC_CODES = 256;         // Western codes a file can hold
constexpr int FONT_PATH_LEN = 300;     // bytes of a font file's path, NUL included

// One slot of a Chinese glyph cache.
struct dot_glyph_cache {
    uint8_t code[2];
    uint8_t loaded;                    // 1 once filled; nothing reads it
    uint8_t data[DOT_SLOT_DATA];
};

// The four caches (sizes 12..15): entries point at their storage after dot_font_init.
extern dot_glyph_cache* hz_glyph_cache[DOT_CACHE_SIZES][DOT_CACHE_SLOTS];
// Slot the next load fills, shared by the four caches.
extern int glyph_cache_cursor;

// A glyph reader: draws the character at `ch` with its box's top-left dot at (x, y).
typedef void (*glyph_reader)(int colour, int x, int y, const char* ch);

// Start-up: point every cache entry at its (zeroed) storage and reset the cursor.
void dot_font_init();
// The font files glyphs are read from from now on.
void dot_font_use_files(const doc_paths& paths);

// Index 0..15 of a supported text size (12..24, 32, 48, 64), or -1.
int dot_size_index(int size);
// Advance in dots after a Chinese / Western character of a supported size (0 otherwise).
int hz_advance(int size);
int asc_advance(int size);

// Readers of a supported size, or null.
glyph_reader hz_reader(int size);
glyph_reader asc_reader(int size);

// Byte offset of a Chinese glyph of G bytes (may be negative for bytes below 0xA1).
long hz_glyph_offset(uint8_t b1, uint8_t b2, int glyph_bytes);
// Byte offset of a Western glyph of G bytes in a file whose first code is `first` (0 or 32).
long asc_glyph_offset(uint8_t c, int first, int glyph_bytes);

// Cached lookup of a Chinese 12..15 glyph: fills out[32] (unread bytes zero).
// False when the size is not cached, the caches are not set up, or the file is missing.
bool hz_cached_lookup(int size, const char* ch, uint8_t out[DOT_SLOT_USED]);

// Read up to `count` bytes at `offset` of font file [slot][script] (FONT_HZ /
// FONT_ASC); returns the bytes read (0..count), or -1 when the file cannot be opened.
int read_font_bytes(int slot, int script, long offset, uint8_t* out, int count);

// Switch the file-content cache on (default) or off (every read opens the file).
void dot_font_use_file_cache(bool on);
// Drop every cached file content (the next read loads the file again).
void dot_font_forget_files();
// Number of font file opens since start (for tests and measurements).
long font_file_opens();
