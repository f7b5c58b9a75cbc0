/*******************************************************************************
 * tools/fontgen/fontgen.cpp - writes the dot-matrix font files of the panel
 *
 * Usage: lumiker-fontgen OUTDIR [--report]
 * Writes every Chinese (HZK) and Western (ASC) file of sizes 12..24 and 32
 * under OUTDIR (the program's Font/fonts/font_libs/ folder), in the names,
 * glyph sizes, bit layouts and glyph order the program's readers expect.
 *
 * Chinese files hold the 94 x 94 positions of the GB2312 area in code-table
 * order (GB2312 -> Unicode through iconv; empty positions are blank glyphs).
 * Western files hold codes 32..255 (ASC12_8, ASC16_8, ASC24_12, ASC32_16) or
 * 0..255 (every ASC_S.Dzk); a byte stands for the Unicode code point of the
 * same value (Latin-1), control codes are blank.
 *
 * Sources (Debian packages fonts-arphic-uming and xfonts-wqy). The two
 * fonts are under licences that do not mix, so every file is drawn from one
 * font only:
 *   - Chinese 12..16: the hand-made WenQuanYi Bitmap Song strikes; the few
 *     code-table positions they lack take a look-alike character of the same
 *     strike (LOOK_ALIKES). Without xfonts-wqy: the embedded bitmap strikes
 *     of AR PL UMing, then its outline.
 *   - Western 12, 14, 15, 16: the UMing bitmap strikes; a size whose strike
 *     letters do not fit the cell (13) takes the outline as below.
 *   - 17..24 and 32, both scripts: monochrome rasterisation of the UMing
 *     outline; Western glyphs narrowed until the widest letter fits its cell.
 * Placement: Chinese glyphs are centred in their size x size em box; Western
 * glyphs share one baseline per size, set so the deepest descender ends on
 * the last row of the line, and are centred in their advance. In the 12..15
 * Western files every character but g j p q y is stored one row higher,
 * because the program draws those one row lower.
 *
 * Beside the files it writes SOURCES.txt: the font each file comes from,
 * its licence, how it was converted and when (SOURCE_DATE_EPOCH when set, so
 * a rebuild of one source gives the same file).
 *
 * Limits: glyph cells of at most 32 x 32 dots. Depends on FreeType and iconv.
 * Does NOT: draw anything or write the 48- and 64-dot sizes (the program
 * draws the 24- and 32-dot files doubled).
 *
 * Sections: the file set and source fonts; rendering and placing glyphs;
 * Chinese; Western; the notice and main().
 ******************************************************************************/
#include <ft2build.h>
#include FT_FREETYPE_H
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int GB_ROWS = 94;                  // rows and columns of the GB2312 code table
constexpr int GB_GLYPHS = GB_ROWS * GB_ROWS;
constexpr int ASC_LAST = 255;                // last code of every Western file
constexpr int MAX_CELL = 32;                 // largest glyph box side in dots
constexpr int SIZES = 14;                    // 12..24 and 32

const char* const UMING = "/usr/share/fonts/truetype/arphic/uming.ttc";
const char* const WQY_DIR = "/usr/share/fonts/X11/misc/";
const char* const NOTICE_NAME = "SOURCES.txt";

// The two source fonts, their packages and licences, for SOURCES.txt.
enum font_family { FAMILY_UMING, FAMILY_WQY, FAMILIES };
struct family_row {
    font_family family;
    const char* font;
    const char* package;
    const char* licence;
};
const family_row FAMILY_ROWS[FAMILIES] = {
    {FAMILY_UMING, "AR PL UMing (uming.ttc)", "fonts-arphic-uming",
     "Copyright (C) 1999 Arphic Technology Co., Ltd.,\nunder the Arphic Public License"},
    {FAMILY_WQY, "WenQuanYi Bitmap Song (wenquanyi_*.pcf)", "xfonts-wqy",
     "Copyright (C) 2004-2007, WenQuanYi's Board of Trustees and Qianqian Fang,\n"
     "under the GNU General Public License version 2 with its font embedding\nexception, which extends to these files"},
};
static_assert(sizeof FAMILY_ROWS / sizeof FAMILY_ROWS[0] == FAMILIES, "one row per source font");

// Characters a bitmap strike lacks, and the look-alike of the same strike drawn for them.
struct look_alike {
    uint32_t wanted, drawn;
};
const look_alike LOOK_ALIKES[] = {
    {0x2015, 0x2014},   // horizontal bar (the Chinese dash): em dash
    {0x30FB, 0x00B7},   // katakana middle dot: middle dot
};

// One size's two files: names, glyph sizes and layouts.
struct size_files {
    int size;
    const char* hz_name;   // relative to OUTDIR
    const char* asc_name;
    int hz_bytes;          // bytes per Chinese glyph
    int asc_bytes;         // bytes per Western glyph
    int asc_first;         // first code stored in the Western file
    int asc_advance;       // Western advance in dots
    const char* wqy_file;  // hand-made Chinese bitmap of this size, or null
};

const size_files FILE_SET[SIZES] = {
    {12, "HZK/12/HZK12", "ASC/ASC12_8", 24, 12, 32, 7, "wenquanyi_9pt.pcf"},
    {13, "HZK/13/HZK_S.Dzk", "ASC/13/ASC_S.Dzk", 26, 13, 0, 8, "wenquanyi_10pt.pcf"},
    {14, "HZK/14/HZK_S.Dzk", "ASC/14/ASC_S.Dzk", 28, 14, 0, 8, "wenquanyi_13px.pcf"},
    {15, "HZK/15/HZK_S.Dzk", "ASC/15/ASC_S.Dzk", 30, 15, 0, 9, "wenquanyi_11pt.pcf"},
    {16, "HZK/16/HZK16S", "ASC/ASC16_8", 32, 16, 32, 9, "wenquanyi_12pt.pcf"},
    {17, "HZK/17/HZK_S.Dzk", "ASC/17/ASC_S.Dzk", 51, 27, 0, 9, nullptr},
    {18, "HZK/18/HZK_S.Dzk", "ASC/18/ASC_S.Dzk", 54, 27, 0, 9, nullptr},
    {19, "HZK/19/HZK_S.Dzk", "ASC/19/ASC_S.Dzk", 57, 30, 0, 10, nullptr},
    {20, "HZK/20/HZK_S.Dzk", "ASC/20/ASC_S.Dzk", 60, 30, 0, 10, nullptr},
    {21, "HZK/21/HZK_S.Dzk", "ASC/21/ASC_S.Dzk", 63, 30, 0, 10, nullptr},
    {22, "HZK/22/HZK_S.Dzk", "ASC/22/ASC_S.Dzk", 66, 33, 0, 11, nullptr},
    {23, "HZK/23/HZK_S.Dzk", "ASC/23/ASC_S.Dzk", 69, 36, 0, 12, nullptr},
    {24, "HZK/24/HZK24", "ASC/ASC24_12", 72, 36, 32, 12, nullptr},
    {32, "HZK/32/HZK32", "ASC/ASC32_16", 128, 64, 32, 16, nullptr},
};

// A glyph box of dots, [row][column].
struct cell {
    int cols = 0, rows = 0;
    bool dot[MAX_CELL][MAX_CELL] = {};
};

// A rendered glyph: ink bitmap and its position against the pen and baseline.
struct ink {
    int w = 0, h = 0, left = 0, top = 0;  // top: rows above the baseline
    std::vector<uint8_t> bits;            // w * h, 1 = lit
    bool from_strike = false;
    bool on(int c, int r) const { return bits[(size_t)r * w + c] != 0; }
};

// How a face is set up for one size.
struct source {
    FT_Face face = nullptr;
    bool strike = false;   // use the embedded bitmap strike of ppem_h
    int ppem_w = 0, ppem_h = 0;
    const char* name = "";
};

FT_Library ft;

// Open face `index` of `path`, or null.
FT_Face open_face(const char* path, int index)
{
    FT_Face f = nullptr;
    if (FT_New_Face(ft, path, index, &f)) return nullptr;
    return f;
}

// Size the face for `src`; false when the strike does not exist.
bool apply(const source& src)
{
    if (src.strike) {
        for (int i = 0; i < src.face->num_fixed_sizes; i++)
            if ((src.face->available_sizes[i].y_ppem + 32) >> 6 == src.ppem_h)
                return FT_Select_Size(src.face, i) == 0;
        return false;
    }
    return FT_Set_Pixel_Sizes(src.face, src.ppem_w, src.ppem_h) == 0;
}

// Render code point `cp` in one bit per dot; false when the face lacks it.
bool render(const source& src, uint32_t cp, ink& out)
{
    FT_UInt gi = FT_Get_Char_Index(src.face, cp);
    if (gi == 0) return false;
    FT_Int32 flags = FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
    if (!src.strike) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(src.face, gi, flags)) return false;
    FT_GlyphSlot g = src.face->glyph;
    out.from_strike = g->format == FT_GLYPH_FORMAT_BITMAP;
    if (g->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(g, FT_RENDER_MODE_MONO)) return false;
    const FT_Bitmap& b = g->bitmap;
    out.w = (int)b.width;
    out.h = (int)b.rows;
    out.left = g->bitmap_left;
    out.top = g->bitmap_top;
    out.bits.assign((size_t)out.w * out.h, 0);
    for (int r = 0; r < out.h; r++)
        for (int c = 0; c < out.w; c++) {
            const uint8_t* row = b.buffer + (ptrdiff_t)r * b.pitch;
            bool lit = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[c >> 3] >> (7 - (c & 7))) & 1 : row[c] > 127;
            out.bits[(size_t)r * out.w + c] = lit;
        }
    return true;
}

// Ink extents of a sample of glyphs (rows above / below the baseline, width).
struct extents {
    int top = -1000, bottom = 1000, left = 1000, right = -1000, widest = 0, count = 0;
    void add(const ink& k)
    {
        int t = -1000, b = 1000, l = 1000, r = -1000;
        for (int y = 0; y < k.h; y++)
            for (int x = 0; x < k.w; x++)
                if (k.on(x, y)) {
                    t = std::max(t, k.top - y);
                    b = std::min(b, k.top - y - 1);
                    l = std::min(l, k.left + x);
                    r = std::max(r, k.left + x + 1);
                }
        if (t == -1000) return;
        top = std::max(top, t);
        bottom = std::min(bottom, b);
        left = std::min(left, l);
        right = std::max(right, r);
        widest = std::max(widest, r - l);
        count++;
    }
};

// Unicode code point of GB2312 position (row, col), 0 when the position is empty.
uint32_t gb2312_to_unicode(iconv_t cd, int row, int col)
{
    char in[2] = {(char)(0xA1 + row), (char)(0xA1 + col)};
    uint32_t cp = 0;
    char* ip = in;
    char* op = (char*)&cp;
    size_t il = 2, ol = sizeof cp;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il != 0 || ol != 0) return 0;
    return cp;
}

// Copy `k` into the cell with the glyph origin at column ox and baseline row
// `base` (the first row below the baseline); dots outside rows [r0, r1) or
// columns [0, c1) are dropped.
void place(const ink& k, cell& out, int ox, int base, int r0, int r1, int c1)
{
    for (int y = 0; y < k.h; y++)
        for (int x = 0; x < k.w; x++) {
            if (!k.on(x, y)) continue;
            int r = base - k.top + y, c = ox + k.left + x;
            if (r >= r0 && r < r1 && c >= 0 && c < c1 && r < out.rows && c < out.cols) out.dot[r][c] = true;
        }
}

// Baseline row for one glyph of ink extents `g`: `base` moved just enough to
// bring ink that would fall outside rows [r0, r1) back in (an underscore below
// the deepest letter, say); the top wins when the glyph is taller than that.
int fit_base(const extents& g, int base, int r0, int r1)
{
    if (g.count == 0) return base;
    int last = base - g.bottom - 1;  // last ink row
    if (last >= r1) base -= last - r1 + 1;
    int first = base - g.top;         // first ink row
    if (first < r0) base += r0 - first;
    return base;
}

// Encode a cell into `bytes` bytes: row-major (bytes per row = cols / 8 rounded
// up) for boxes of up to 16 rows, column-major otherwise (rows / 8 bytes per
// column); most significant bit first.
void encode(const cell& c, bool column_major, int bytes, uint8_t* out)
{
    memset(out, 0, (size_t)bytes);
    if (!column_major) {
        int per_row = (c.cols + 7) / 8;
        for (int r = 0; r < c.rows; r++)
            for (int x = 0; x < c.cols; x++)
                if (c.dot[r][x]) out[r * per_row + x / 8] |= (uint8_t)(0x80 >> (x % 8));
    } else {
        int per_col = c.rows / 8;
        for (int x = 0; x < c.cols; x++)
            for (int r = 0; r < c.rows; r++)
                if (c.dot[r][x]) out[x * per_col + r / 8] |= (uint8_t)(0x80 >> (r % 8));
    }
}

// Create every folder of `path` (a file path under OUTDIR).
bool make_dirs(const std::string& path)
{
    for (size_t i = 1; i < path.size(); i++)
        if (path[i] == '/') {
            std::string d = path.substr(0, i);
            if (mkdir(d.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
    return true;
}

// Write `data` to `path` through a temporary file, so a half-written font never stays.
bool write_file(const std::string& path, const std::vector<uint8_t>& data)
{
    if (!make_dirs(path)) return false;
    std::string tmp = path + ".tmp";
    FILE* f = fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = fclose(f) == 0 && ok;
    if (!ok || rename(tmp.c_str(), path.c_str()) != 0) {
        remove(tmp.c_str());
        return false;
    }
    return true;
}

bool is_descender_letter(int code) { return code == 'g' || code == 'j' || code == 'p' || code == 'q' || code == 'y'; }

// ---- Chinese ---------------------------------------------------------------

// Render `cp` from `src` (from its strike only, when it is a strike), or the
// look-alike the strike has in its place; false when it has neither.
bool render_or_look_alike(const source& src, uint32_t cp, ink& out)
{
    if (render(src, cp, out) && (!src.strike || out.from_strike)) return true;
    for (const look_alike& l : LOOK_ALIKES)
        if (l.wanted == cp) return render(src, l.drawn, out) && (!src.strike || out.from_strike);
    return false;
}

// Choose the sources of a Chinese size, all of one font: the WenQuanYi strike
// of the size when there is one, else UMing's strike and then its outline.
std::vector<source> hz_sources(const size_files& s, FT_Face uming, std::vector<FT_Face>& opened, font_family& family)
{
    std::vector<source> out;
    family = FAMILY_UMING;
    if (s.wqy_file) {
        std::string p = std::string(WQY_DIR) + s.wqy_file;
        FT_Face f = open_face(p.c_str(), 0);
        if (f) {
            opened.push_back(f);
            source w;
            w.face = f;
            w.strike = true;
            w.ppem_h = w.ppem_w = (f->available_sizes[0].y_ppem + 32) >> 6;
            w.name = s.wqy_file;
            if (w.ppem_h == s.size) {
                out.push_back(w);
                family = FAMILY_WQY;
                return out;
            }
        }
        source u;
        u.face = uming;
        u.strike = true;
        u.ppem_h = u.ppem_w = s.size;
        u.name = "UMing strike";
        if (apply(u)) out.push_back(u);
    }
    source o;
    o.face = uming;
    o.ppem_h = o.ppem_w = s.size;
    o.name = "UMing outline";
    out.push_back(o);
    return out;
}

// Write the Chinese file of one size.
bool write_hz(const size_files& s, FT_Face uming, iconv_t cd, const std::string& outdir, bool report,
              font_family& family)
{
    std::vector<FT_Face> opened;
    std::vector<source> srcs = hz_sources(s, uming, opened, family);

    // Centre the ink box of a sample of hanzi (rows 16..87) in the em box.
    std::vector<int> base(srcs.size()), ox(srcs.size());
    for (size_t i = 0; i < srcs.size(); i++) {
        apply(srcs[i]);
        extents e;
        for (int pos = 15 * GB_ROWS; pos < 87 * GB_ROWS; pos += 11) {
            uint32_t cp = gb2312_to_unicode(cd, pos / GB_ROWS, pos % GB_ROWS);
            ink k;
            if (cp && render(srcs[i], cp, k)) e.add(k);
        }
        if (e.count == 0) { base[i] = s.size; ox[i] = 0; continue; }
        int h = e.top - e.bottom, w = e.right - e.left;
        base[i] = e.top + std::max(0, (s.size - h) / 2);
        ox[i] = std::max(0, (s.size - w) / 2) - e.left;
        if (report)
            printf("  HZ %d %-20s ink rows %d..%d (%d), cols %d..%d -> base %d ox %d\n", s.size, srcs[i].name,
                   e.top, e.bottom, h, e.left, e.right, base[i], ox[i]);
    }

    const bool colmajor = s.size > 16;
    const int rows = s.size <= 16 ? s.size : (s.size <= 24 ? 24 : 32);
    const int cols = s.size <= 16 ? 16 : s.size;
    std::vector<uint8_t> data((size_t)GB_GLYPHS * s.hz_bytes, 0);
    std::vector<int> used(srcs.size(), 0);
    int current = -1;
    for (int pos = 0; pos < GB_GLYPHS; pos++) {
        uint32_t cp = gb2312_to_unicode(cd, pos / GB_ROWS, pos % GB_ROWS);
        if (!cp) continue;
        for (size_t i = 0; i < srcs.size(); i++) {
            if (current != (int)i) { apply(srcs[i]); current = (int)i; }
            ink k;
            if (!render_or_look_alike(srcs[i], cp, k)) continue;
            cell c;
            c.cols = cols;
            c.rows = rows;
            extents g;
            g.add(k);
            place(k, c, ox[i], fit_base(g, base[i], 0, s.size), 0, s.size, s.size);
            encode(c, colmajor, s.hz_bytes, &data[(size_t)pos * s.hz_bytes]);
            used[i]++;
            break;
        }
    }
    if (report)
        for (size_t i = 0; i < srcs.size(); i++) printf("  HZ %d: %d glyphs from %s\n", s.size, used[i], srcs[i].name);
    for (FT_Face f : opened) FT_Done_Face(f);
    return write_file(outdir + "/" + s.hz_name, data);
}

// ---- Western ---------------------------------------------------------------

const char* const FIT_SAMPLE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Extents of the letters and digits with the face set up as `src`.
extents letter_extents(const source& src)
{
    extents e;
    apply(src);
    for (const char* p = FIT_SAMPLE; *p; p++) {
        ink k;
        if (render(src, (uint8_t)*p, k)) e.add(k);
    }
    return e;
}

// Pick the Western source of a size: the UMing strike where one exists and
// its letters fit, else the outline at the largest height whose letters fit
// the line and narrowed until the widest letter fits the cell.
source asc_source(const size_files& s, FT_Face uming, int lines_rows, int fit_width)
{
    source src;
    src.face = uming;
    if (s.size <= 16) {
        src.strike = true;
        src.ppem_h = src.ppem_w = s.size;
        src.name = "UMing strike";
        if (apply(src)) {
            extents e = letter_extents(src);
            if (e.top - e.bottom <= lines_rows && e.widest <= fit_width + 1) return src;
        }
    }
    src.strike = false;
    src.name = "UMing outline";
    for (int h = s.size + 2; h > 4; h--) {
        src.ppem_h = src.ppem_w = h;
        extents e = letter_extents(src);
        if (e.top - e.bottom > lines_rows) continue;
        while (src.ppem_w > h / 2 && e.widest > fit_width) {
            src.ppem_w--;
            e = letter_extents(src);
        }
        return src;
    }
    return src;
}

// Write the Western file of one size.
bool write_asc(const size_files& s, FT_Face uming, const std::string& outdir, bool report)
{
    const bool shifted = s.size <= 15;            // drawn one row lower by the program
    const bool colmajor = s.size >= 16;
    const int rows = s.size <= 15 ? s.size : (s.size == 16 ? 16 : (s.size <= 24 ? 24 : 32));
    const int cols = s.size <= 16 ? 8 : (s.asc_bytes / (rows / 8));
    const int top_row = shifted ? 1 : 0;          // first drawn row that survives the shift
    const int line_rows = s.size - top_row;
    const int fit_width = std::min(cols, s.asc_advance - 1);

    source src = asc_source(s, uming, line_rows, fit_width);
    extents e = letter_extents(src);
    int base = s.size + e.bottom;                 // deepest descender on the last row
    if (report)
        printf("  ASC %d %s ppem %dx%d, letters rows %d..%d widest %d, base %d, cell %dx%d adv %d\n", s.size, src.name,
               src.ppem_w, src.ppem_h, e.top, e.bottom, e.widest, base, cols, rows, s.asc_advance);
    apply(src);

    const int count = ASC_LAST + 1 - s.asc_first;
    std::vector<uint8_t> data((size_t)count * s.asc_bytes, 0);
    for (int code = s.asc_first; code <= ASC_LAST; code++) {
        if (code < 0x21 || (code >= 0x7F && code < 0xA1)) continue;  // blanks and control codes
        ink k;
        if (!render(src, (uint32_t)code, k)) continue;
        extents g;
        g.add(k);
        if (g.count == 0) continue;
        cell c;
        c.cols = cols;
        c.rows = rows;
        int width = g.right - g.left;
        int ox = std::max(0, (fit_width - width + 1) / 2) - g.left;
        place(k, c, ox, fit_base(g, base, top_row, s.size), top_row, s.size, cols);
        if (shifted && !is_descender_letter(code)) {
            // Stored one row higher: the program draws it one row lower.
            for (int r = 0; r + 1 < rows; r++)
                for (int x = 0; x < cols; x++) c.dot[r][x] = c.dot[r + 1][x];
            for (int x = 0; x < cols; x++) c.dot[rows - 1][x] = false;
        }
        encode(c, colmajor, s.asc_bytes, &data[(size_t)(code - s.asc_first) * s.asc_bytes]);
    }
    return write_file(outdir + "/" + s.asc_name, data);
}

// The conversion date: SOURCE_DATE_EPOCH when set, else today (UTC).
std::string conversion_date()
{
    time_t t = time(nullptr);
    if (const char* epoch = getenv("SOURCE_DATE_EPOCH")) t = (time_t)strtoll(epoch, nullptr, 10);
    char day[16] = "";
    struct tm tm;
    if (gmtime_r(&t, &tm)) strftime(day, sizeof day, "%Y-%m-%d", &tm);
    return day;
}

// ---- The notice and main() --------------------------------------------------

// SOURCES.txt: the font, package and licence of each file, and how it was made.
bool write_notice(const std::string& outdir, const font_family hz_family[SIZES])
{
    std::string text = "These dot-matrix font files were converted on " + conversion_date() +
                       " by lumiker-fontgen\n"
                       "(tools/fontgen in the lumiker source) from the fonts named below: each glyph was\n"
                       "rendered in one bit per dot at the file's size, placed in its cell and stored\n"
                       "in the order of the GB2312 code table (Chinese) or of the codes 0 to 255\n"
                       "(Western). Each file comes from one font and is under that font's licence.\n\n";
    for (int f = 0; f < FAMILIES; f++) {
        text += std::string("From ") + FAMILY_ROWS[f].font + ", Debian package " + FAMILY_ROWS[f].package +
                ":\n" + FAMILY_ROWS[f].licence + ":\n";
        for (int i = 0; i < SIZES; i++) {
            if (hz_family[i] == f) text += std::string("  ") + FILE_SET[i].hz_name + "\n";
            if (f == FAMILY_UMING) text += std::string("  ") + FILE_SET[i].asc_name + "\n";
        }
        text += "\n";
    }
    text += "The licence texts are in the copyright file of the package that installed these\n"
            "files (/usr/share/doc/lumiker-data/copyright) and in those of the source fonts'\n"
            "packages.\n";
    return write_file(outdir + "/" + NOTICE_NAME, std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s OUTDIR [--report]\n", argv[0]);
        return 2;
    }
    std::string outdir = argv[1];
    bool report = argc > 2 && strcmp(argv[2], "--report") == 0;
    if (FT_Init_FreeType(&ft)) {
        fprintf(stderr, "fontgen: FreeType cannot start\n");
        return 1;
    }
    FT_Face uming = open_face(UMING, 0);
    if (!uming) {
        fprintf(stderr, "fontgen: cannot open %s (install the Debian package fonts-arphic-uming)\n", UMING);
        return 1;
    }
    iconv_t cd = iconv_open("UTF-32LE", "GB2312");
    if (cd == (iconv_t)-1) {
        fprintf(stderr, "fontgen: iconv has no GB2312 converter\n");
        return 1;
    }
    font_family hz_family[SIZES];
    for (int i = 0; i < SIZES; i++) {
        const size_files& s = FILE_SET[i];
        if (report) printf("size %d\n", s.size);
        if (!write_hz(s, uming, cd, outdir, report, hz_family[i]) || !write_asc(s, uming, outdir, report)) {
            fprintf(stderr, "fontgen: cannot write the %d-dot files under %s\n", s.size, outdir.c_str());
            return 1;
        }
    }
    if (!write_notice(outdir, hz_family)) {
        fprintf(stderr, "fontgen: cannot write %s/%s\n", outdir.c_str(), NOTICE_NAME);
        return 1;
    }
    iconv_close(cd);
    FT_Done_Face(uming);
    FT_Done_FreeType(ft);
    return 0;
}
