/*******************************************************************************
 * raster/dot_font.cpp - glyph addressing, bit layouts, readers and caches
 *
 * Sections: file-content cache | bit layouts | readers | set-up and sizes |
 * glyph addresses | the glyph caches | reading the files
 ******************************************************************************/
#include "raster/dot_font.h"
#include "model/document.h"
#include "platform/file_write.h"
#include "raster/canvas.h"
#include <cstdio>
#include <cstring>

dot_glyph_cache* hz_glyph_cache[DOT_CACHE_SIZES][DOT_CACHE_SLOTS];
int glyph_cache_cursor = 0;

namespace {

dot_glyph_cache glyph_slots[DOT_CACHE_SIZES][DOT_CACHE_SLOTS];

// Glyph bytes per font-size slot (sizes 12..24, then 32).
constexpr int HZ_BYTES[FONT_SIZE_SLOTS] = {24, 26, 28, 30, 32, 51, 54, 57, 60, 63, 66, 69, 72, 128};
constexpr int ASC_BYTES[FONT_SIZE_SLOTS] = {12, 13, 14, 15, 16, 27, 27, 30, 30, 30, 33, 36, 36, 64};

// ---- file-content cache ------------------------------------------------------

// Capacity of one file's pool: the full GB2312 area, or all 256 Western codes.
constexpr long file_capacity(int slot, int script)
{
    return script == FONT_HZ ? (long)GB_AREA_GLYPHS * HZ_BYTES[slot] : (long)ASC_CODES * ASC_BYTES[slot];
}

constexpr long pool_offset(int slot, int script)
{
    long off = 0;
    for (int s = 0; s < slot; s++) off += file_capacity(s, FONT_HZ) + file_capacity(s, FONT_ASC);
    return script == FONT_HZ ? off : off + file_capacity(slot, FONT_HZ);
}

constexpr long POOL_BYTES = pool_offset(FONT_SIZE_SLOTS, FONT_HZ);

enum file_state : uint8_t { FILE_UNKNOWN, FILE_CACHED, FILE_DIRECT };

struct cached_file {
    char path[FONT_PATH_LEN];   // the path the content was read from
    file_state state;
    long size;             // bytes held (FILE_CACHED)
};

uint8_t file_pool[POOL_BYTES];
cached_file files[FONT_SIZE_SLOTS][2];
char font_files[FONT_SIZE_SLOTS][FONT_SCRIPTS][FONT_PATH_LEN];   // the files in use, set by dot_font_use_files
bool file_cache_on = true;
long opens = 0;

// Open a font file for reading, counting the open.
FILE* open_font(const char* path)
{
    opens++;
    // Only a regular file: a pipe or a device there cannot hang the drawing.
    return fopen_regular(path);
}

// Read `count` bytes at `offset` straight from the file; -1 when it cannot be opened.
int read_direct(const char* path, long offset, uint8_t* out, int count)
{
    FILE* f = open_font(path);
    if (!f) return -1;
    int got = 0;
    if (offset >= 0 && fseek(f, offset, SEEK_SET) == 0) got = (int)fread(out, 1, (size_t)count, f);
    fclose(f);
    return got;
}

// Load file [slot][script] whole into its pool; false when it cannot be opened.
bool load_file(int slot, int script)
{
    cached_file& e = files[slot][script];
    const char* path = font_files[slot][script];
    FILE* f = open_font(path);
    if (!f) return false;
    uint8_t* pool = file_pool + pool_offset(slot, script);
    long cap = file_capacity(slot, script);
    long got = (long)fread(pool, 1, (size_t)cap, f);
    uint8_t extra;
    bool too_big = got == cap && fread(&extra, 1, 1, f) == 1;
    fclose(f);
    size_t n = strnlen(path, FONT_PATH_LEN - 1);
    memcpy(e.path, path, n);
    e.path[n] = '\0';
    e.state = too_big ? FILE_DIRECT : FILE_CACHED;
    e.size = too_big ? 0 : got;
    return true;
}

// ---- bit layouts ---------------------------------------------------------------

typedef int (*dot_primitive)(int code, int x, int y);

// Light the set bits of n bytes: row-major with `per_unit` bytes per row, or
// column-major with `per_unit` bytes per column; dots `step` pixels apart.
void draw_bits(const uint8_t* buf, int n, int per_unit, bool column_major, dot_primitive dot, int colour, int x,
               int y, int step)
{
    for (int i = 0; i < n; i++) {
        uint8_t b = buf[i];
        if (!b) continue;
        int unit = i / per_unit, part = (i % per_unit) * 8;
        for (int bit = 0; bit < 8; bit++) {
            if (!(b & (0x80 >> bit))) continue;
            int c = column_major ? unit : part + bit;
            int r = column_major ? part + bit : unit;
            dot(colour, x + c * step, y + r * step);
        }
    }
}

// Draw a Chinese glyph of 16-dot-wide rows (sizes 12..16).
void draw_hz_rows(const uint8_t* buf, int rows, int colour, int x, int y)
{
    draw_bits(buf, rows * 2, 2, false, draw_text_dot, colour, x, y, canvas_pitch());
}

bool is_descender_letter(uint8_t c) { return c == 'g' || c == 'j' || c == 'p' || c == 'q' || c == 'y'; }

// ---- readers --------------------------------------------------------------------

constexpr int MAX_GLYPH_BYTES = 128;

// Chinese reader of sizes 12..15: the cached lookup, then 2 bytes per row.
// Column-major glyphs of 17 dots and up: 3 bytes a column, 4 from 32 dots;
// the 48- and 64-dot sizes draw the 24- and 32-dot glyphs doubled.
template <int SIZE>
void draw_text_columns(const uint8_t* buf, int got, int colour, int x, int y)
{
    constexpr int base = SIZE == 48 ? 24 : SIZE == 64 ? 32 : SIZE;
    const int per_col = base == 32 ? 4 : 3;
    if (SIZE >= 48)
        draw_bits(buf, got, per_col, true, draw_text_dot_double, colour, x, y, 2 * canvas_pitch());
    else
        draw_bits(buf, got, per_col, true, draw_text_dot, colour, x, y, canvas_pitch());
}

template <int SIZE>
void hz_cached_reader(int colour, int x, int y, const char* ch)
{
    uint8_t buf[DOT_SLOT_USED];
    if (!hz_cached_lookup(SIZE, ch, buf)) return;
    draw_hz_rows(buf, SIZE, colour, x, y);
}

// Chinese reader of sizes 16..32, and 48 / 64 drawn from the 24 / 32 files doubled.
template <int SIZE>
void hz_file_reader(int colour, int x, int y, const char* ch)
{
    if (!ch || !ch[0] || !ch[1]) return;  // a character needs both bytes
    constexpr int base = SIZE == 48 ? 24 : SIZE == 64 ? 32 : SIZE;
    constexpr int slot = base == 32 ? 13 : base - 12;
    constexpr int G = HZ_BYTES[slot];
    uint8_t buf[MAX_GLYPH_BYTES] = {};
    int got = read_font_bytes(slot, FONT_HZ, hz_glyph_offset((uint8_t)ch[0], (uint8_t)ch[1], G), buf, G);
    if (got <= 0) return;
    if (base == 16) {
        draw_hz_rows(buf, 16, colour, x, y);
        return;
    }
    draw_text_columns<SIZE>(buf, got, colour, x, y);
}

// Western reader of one size; bytes outside 0x20..0x7F draw nothing.
template <int SIZE>
void asc_file_reader(int colour, int x, int y, const char* ch)
{
    if (!ch) return;
    uint8_t c = (uint8_t)ch[0];
    if (c < 0x20 || c > 0x7F) return;
    constexpr int base = SIZE == 48 ? 24 : SIZE == 64 ? 32 : SIZE;
    constexpr int slot = base == 32 ? 13 : base - 12;
    constexpr int G = ASC_BYTES[slot];
    constexpr int first = (base == 12 || base == 16 || base == 24 || base == 32) ? 32 : 0;
    uint8_t buf[MAX_GLYPH_BYTES] = {};
    int got = read_font_bytes(slot, FONT_ASC, asc_glyph_offset(c, first, G), buf, G);
    if (got <= 0) return;
    if (base <= 15) {
        if (!is_descender_letter(c)) {
            // Drawn one row lower: the first row blank, the last stored row dropped.
            memmove(buf + 1, buf, (size_t)(G - 1));
            buf[0] = 0;
        }
        draw_bits(buf, G, 1, false, draw_dot, colour, x, y, canvas_pitch());
        return;
    }
    if (base == 16) {
        draw_bits(buf, got, 2, true, draw_dot, colour, x, y, canvas_pitch());
        return;
    }
    draw_text_columns<SIZE>(buf, got, colour, x, y);
}

constexpr int ASC_ADVANCE[DOT_TEXT_SIZES] = {7, 8, 8, 9, 9, 9, 9, 10, 10, 10, 11, 12, 12, 16, 24, 32};

const glyph_reader HZ_READERS[DOT_TEXT_SIZES] = {
    hz_cached_reader<12>, hz_cached_reader<13>, hz_cached_reader<14>, hz_cached_reader<15>,
    hz_file_reader<16>,   hz_file_reader<17>,   hz_file_reader<18>,   hz_file_reader<19>,
    hz_file_reader<20>,   hz_file_reader<21>,   hz_file_reader<22>,   hz_file_reader<23>,
    hz_file_reader<24>,   hz_file_reader<32>,   hz_file_reader<48>,   hz_file_reader<64>};

const glyph_reader ASC_READERS[DOT_TEXT_SIZES] = {
    asc_file_reader<12>, asc_file_reader<13>, asc_file_reader<14>, asc_file_reader<15>,
    asc_file_reader<16>, asc_file_reader<17>, asc_file_reader<18>, asc_file_reader<19>,
    asc_file_reader<20>, asc_file_reader<21>, asc_file_reader<22>, asc_file_reader<23>,
    asc_file_reader<24>, asc_file_reader<32>, asc_file_reader<48>, asc_file_reader<64>};

// Slot of the cache table holding code (b1, b2), or -1.
int find_slot(dot_glyph_cache* const* table, uint8_t b1, uint8_t b2)
{
    for (int i = 0; i < DOT_CACHE_SLOTS; i++) {
        const dot_glyph_cache* s = table[i];
        if (s && s->code[0] == b1 && s->code[1] == b2) return i;
    }
    return -1;
}

} // namespace

// ---- set-up and sizes ------------------------------------------------------------

// Point every cache entry at its storage, zero it, and empty the file cache.
void dot_font_init()
{
    memset(glyph_slots, 0, sizeof glyph_slots);
    for (int k = 0; k < DOT_CACHE_SIZES; k++)
        for (int i = 0; i < DOT_CACHE_SLOTS; i++) hz_glyph_cache[k][i] = &glyph_slots[k][i];
    glyph_cache_cursor = 0;
    dot_font_forget_files();
}

// Position of `size` in the list of supported text sizes.
int dot_size_index(int size)
{
    for (int i = 0; i < DOT_TEXT_SIZES; i++)
        if (FONT_SIZES[i] == size) return i;
    return -1;
}

// A Chinese character advances by its size.
int hz_advance(int size) { return dot_size_index(size) < 0 ? 0 : size; }

// Western advance from the table; 17, 19, 21 and 23 advance their box width.
int asc_advance(int size)
{
    int i = dot_size_index(size);
    return i < 0 ? 0 : ASC_ADVANCE[i];
}

// Chinese reader of a size, or null when unsupported.
glyph_reader hz_reader(int size)
{
    int i = dot_size_index(size);
    return i < 0 ? nullptr : HZ_READERS[i];
}

// Western reader of a size, or null when unsupported.
glyph_reader asc_reader(int size)
{
    int i = dot_size_index(size);
    return i < 0 ? nullptr : ASC_READERS[i];
}

// ---- glyph addresses -------------------------------------------------------------

// ((q1 * 94 + q2) - 95) * G with q = (b + 0x60) mod 256.
long hz_glyph_offset(uint8_t b1, uint8_t b2, int glyph_bytes)
{
    long q1 = (uint8_t)(b1 + 0x60), q2 = (uint8_t)(b2 + 0x60);
    return (q1 * GB_ROW_GLYPHS + q2 - (GB_ROW_GLYPHS + 1)) * glyph_bytes;
}

// (c - first) * G with c taken as a signed byte.
long asc_glyph_offset(uint8_t c, int first, int glyph_bytes)
{
    return ((long)(int8_t)c - first) * glyph_bytes;
}

// ---- the glyph caches ------------------------------------------------------------

// Search, then on a miss read the rest of the string ahead into the cache.
bool hz_cached_lookup(int size, const char* ch, uint8_t out[DOT_SLOT_USED])
{
    if (size < 12 || size > 15 || !ch || !ch[0] || !ch[1] || !out) return false;
    dot_glyph_cache* const* table = hz_glyph_cache[size - 12];
    const int slot = size - 12, G = HZ_BYTES[slot];
    int at = find_slot(table, (uint8_t)ch[0], (uint8_t)ch[1]);
    if (at < 0) {
        if (glyph_cache_cursor < 0 || glyph_cache_cursor >= DOT_CACHE_SLOTS) glyph_cache_cursor = 0;
        // At most one full cache per walk, so the requested glyph (loaded first) stays.
        int loads = 0;
        for (const char* p = ch; p[0] && p[1] && loads < DOT_CACHE_SLOTS; p += 2) {
            uint8_t b1 = (uint8_t)p[0], b2 = (uint8_t)p[1];
            if (find_slot(table, b1, b2) >= 0) continue;
            dot_glyph_cache* s = table[glyph_cache_cursor];
            if (!s) return false;
            memset(s->data, 0, sizeof s->data);
            if (read_font_bytes(slot, FONT_HZ, hz_glyph_offset(b1, b2, G), s->data, DOT_SLOT_USED) < 0) return false;
            s->code[0] = b1;
            s->code[1] = b2;
            s->loaded = 1;
            glyph_cache_cursor = (glyph_cache_cursor + 1) % DOT_CACHE_SLOTS;
            loads++;
        }
        at = find_slot(table, (uint8_t)ch[0], (uint8_t)ch[1]);
        if (at < 0) return false;
    }
    memcpy(out, table[at]->data, DOT_SLOT_USED);
    return true;
}

// ---- reading the files -----------------------------------------------------------

// Serve a glyph read from the file cache, loading the file on first use.
int read_font_bytes(int slot, int script, long offset, uint8_t* out, int count)
{
    if (slot < 0 || slot >= FONT_SIZE_SLOTS || (script != FONT_HZ && script != FONT_ASC) || !out || count <= 0)
        return -1;
    const char* path = font_files[slot][script];
    if (!file_cache_on) return read_direct(path, offset, out, count);
    cached_file& e = files[slot][script];
    if (e.state == FILE_UNKNOWN || strncmp(e.path, path, FONT_PATH_LEN) != 0) {
        e.state = FILE_UNKNOWN;
        if (!load_file(slot, script)) return -1;
    }
    if (e.state == FILE_DIRECT) return read_direct(path, offset, out, count);
    if (offset < 0 || offset >= e.size) return 0;
    long n = e.size - offset < count ? e.size - offset : count;
    memcpy(out, file_pool + pool_offset(slot, script) + offset, (size_t)n);
    return (int)n;
}

void dot_font_use_files(const doc_paths& paths)
{
    for (int slot = 0; slot < FONT_SIZE_SLOTS; slot++)
        for (int script = 0; script < FONT_SCRIPTS; script++)
            copy_field(font_files[slot][script], FONT_PATH_LEN, paths.fonts[slot][script].c_str());
}

// Benchmarks compare both ways; the program keeps the cache on.
void dot_font_use_file_cache(bool on) { file_cache_on = on; }

// Forget every file: the next read of each loads it again.
void dot_font_forget_files()
{
    for (auto& per_slot : files)
        for (cached_file& e : per_slot) {
            e.state = FILE_UNKNOWN;
            e.path[0] = '\0';
            e.size = 0;
        }
}

// Opens counted since start (whole-file loads and per-glyph reads).
long font_file_opens() { return opens; }
