// Glyph readers against small font files written by the tests: addressing,
// bit layouts, the Western shift, doubling, short reads, missing files, the
// Chinese glyph caches and the file-content cache.
#include "font_fixture.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

typedef std::set<std::pair<int, int>> dot_set;

// Fixture: font paths pointed at a fresh folder of test files, drawing recorded.
class DotFont : public temp_font_files {
protected:
    void SetUp() override
    {
        point_paths_at_temp_folder();
        dot_font_use_file_cache(true);
        start_drawing();
    }

    // Write `bytes` as font file [slot][script].
    void write(int slot, int script, const std::vector<uint8_t>& bytes)
    {
        write_file(paths.fonts[slot][script].c_str(), bytes);
        dot_font_forget_files();
    }

    // A file of `glyphs` blank glyphs of G bytes.
    static std::vector<uint8_t> blank(int glyphs, int G) { return std::vector<uint8_t>((size_t)glyphs * G, 0); }

    dot_set dots() const
    {
        dot_set out;
        for (const gfx_event& e : rec.of_type(gfx_event::POINT)) out.insert({(int)e.x[0], (int)e.y[0]});
        return out;
    }
};

const char HZ_FIRST[] = "\xA1\xA1";
const char HZ_B0A1[] = "\xB0\xA1";

} // namespace

TEST(DotFontAddress, ChineseAndWesternOffsets)
{
    EXPECT_EQ(hz_glyph_offset(0xA1, 0xA1, 24), 0);
    EXPECT_EQ(hz_glyph_offset(0xB0, 0xA1, 72), 15 * 94 * 72);
    EXPECT_EQ(hz_glyph_offset(0xFE, 0xFE, 32), (93 * 94 + 93) * 32);
    EXPECT_LT(hz_glyph_offset(0xA1, 0xA0, 32), 0);  // below the table: negative
    EXPECT_EQ(asc_glyph_offset('A', 32, 12), 396);
    EXPECT_EQ(asc_glyph_offset('A', 0, 13), 845);
    EXPECT_LT(asc_glyph_offset(0x80, 0, 13), 0);     // signed byte: -128
}

TEST(DotFontAddress, AdvancesOfEverySize)
{
    const int* const sizes = FONT_SIZES;   // the whole ladder
    const int western[] = {7, 8, 8, 9, 9, 9, 9, 10, 10, 10, 11, 12, 12, 16, 24, 32};
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(hz_advance(sizes[i]), sizes[i]);
        EXPECT_EQ(asc_advance(sizes[i]), western[i]) << sizes[i];
        EXPECT_NE(hz_reader(sizes[i]), nullptr);
        EXPECT_NE(asc_reader(sizes[i]), nullptr);
    }
    for (int bad : {0, 11, 25, 31, 33, 47, 65, 255}) {
        EXPECT_EQ(dot_size_index(bad), -1);
        EXPECT_EQ(hz_advance(bad), 0);
        EXPECT_EQ(asc_reader(bad), nullptr);
    }
}

// ---- bit layouts ---------------------------------------------------------------

TEST_F(DotFont, Chinese16IsRowMajorTwoBytesPerRow)
{
    std::vector<uint8_t> f = blank(16 * 94 + 1, 32);
    uint8_t* g = &f[15 * 94 * 32];  // 0xB0 0xA1
    g[0] = 0x80;   // row 0, column 0
    g[1] = 0x01;   // row 0, column 15
    g[31] = 0x01;  // row 15, column 15
    g[4] = 0x20;   // row 2, column 2
    write(4, FONT_HZ, f);
    hz_reader(16)(1, 100, 50, HZ_B0A1);
    EXPECT_EQ(dots(), (dot_set{{100, 50}, {130, 50}, {130, 80}, {104, 54}}));
    for (const gfx_event& e : rec.of_type(gfx_event::POINT)) {
        EXPECT_FLOAT_EQ(e.size, 2.0f);
        EXPECT_FLOAT_EQ(e.g, 1.0f);  // green
        EXPECT_FLOAT_EQ(e.r, 0.0f);
    }
}

TEST_F(DotFont, Chinese24And17AreColumnMajorThreeBytesPerColumn)
{
    std::vector<uint8_t> f = blank(1, 72);
    f[0] = 0x80;   // column 0, row 0
    f[2] = 0x01;   // column 0, row 23
    f[4] = 0x40;   // column 1, row 9
    f[71] = 0x01;  // column 23, row 23
    write(12, FONT_HZ, f);
    hz_reader(24)(0, 0, 0, HZ_FIRST);
    EXPECT_EQ(dots(), (dot_set{{0, 0}, {0, 46}, {2, 18}, {46, 46}}));

    rec.reset();
    std::vector<uint8_t> g = blank(1, 51);
    g[48] = 0x80;  // column 16 (the last of 17), row 0
    g[50] = 0x01;  // column 16, row 23
    write(5, FONT_HZ, g);
    hz_reader(17)(0, 0, 0, HZ_FIRST);
    EXPECT_EQ(dots(), (dot_set{{32, 0}, {32, 46}}));
}

TEST_F(DotFont, Chinese32IsColumnMajorFourBytesPerColumn)
{
    std::vector<uint8_t> f = blank(1, 128);
    f[3] = 0x01;        // column 0, row 31
    f[4 * 31] = 0x80;   // column 31, row 0
    write(13, FONT_HZ, f);
    hz_reader(32)(2, 10, 10, HZ_FIRST);
    EXPECT_EQ(dots(), (dot_set{{10, 72}, {72, 10}}));
}

TEST_F(DotFont, Western12IsRowMajorAndShiftedExceptDescenders)
{
    std::vector<uint8_t> f = blank(224, 12);
    for (char c : {'a', 'g'}) {
        uint8_t* g = &f[(size_t)(c - 32) * 12];
        g[0] = 0x80;   // stored row 0, column 0
        g[11] = 0x01;  // stored last row, column 7
    }
    write(0, FONT_ASC, f);
    asc_reader(12)(6, 0, 0, "a");
    EXPECT_EQ(dots(), (dot_set{{0, 2}}));  // one row lower; the last stored row dropped
    for (const gfx_event& e : rec.of_type(gfx_event::POINT)) EXPECT_FLOAT_EQ(e.size, 2.0f);
    rec.reset();
    asc_reader(12)(6, 0, 0, "g");
    EXPECT_EQ(dots(), (dot_set{{0, 0}, {14, 22}}));  // as stored
}

TEST_F(DotFont, Western13ReadsFromCodeZeroAt845)
{
    std::vector<uint8_t> f = blank(256, 13);
    f[845] = 0x40;       // 'A', stored row 0, column 1
    f[845 + 12] = 0x80;  // 'A', last row: dropped by the shift
    write(1, FONT_ASC, f);
    asc_reader(13)(0, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{2, 2}}));
}

TEST_F(DotFont, Western16IsColumnMajorUnshiftedWithTheDotPrimitive)
{
    std::vector<uint8_t> f = blank(224, 16);
    uint8_t* g = &f[(size_t)('a' - 32) * 16];
    g[0] = 0x80;   // column 0, row 0
    g[15] = 0x01;  // column 7, row 15
    write(4, FONT_ASC, f);
    canvas_use_pitch(1);
    asc_reader(16)(7, 0, 0, "a");
    EXPECT_EQ(dots(), (dot_set{{0, 0}, {7, 15}}));
    // Code 7 through draw_dot gives a 3-pixel dot; the text primitive would give the pitch.
    for (const gfx_event& e : rec.of_type(gfx_event::POINT)) EXPECT_FLOAT_EQ(e.size, 3.0f);
}

TEST_F(DotFont, Western24And32UseTheTextDotPrimitive)
{
    std::vector<uint8_t> f = blank(224, 36);
    f[(size_t)('A' - 32) * 36 + 35] = 0x01;  // column 11, row 23
    write(12, FONT_ASC, f);
    canvas_use_pitch(3);
    asc_reader(24)(7, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{33, 69}}));
    EXPECT_FLOAT_EQ(rec.of_type(gfx_event::POINT)[0].size, 3.0f);

    rec.reset();
    std::vector<uint8_t> g = blank(224, 64);
    g[(size_t)('A' - 32) * 64 + 63] = 0x01;  // column 15, row 31
    write(13, FONT_ASC, g);
    asc_reader(32)(0, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{45, 93}}));
}

TEST_F(DotFont, Size48And64LightTheSameDotsDoubled)
{
    std::vector<uint8_t> hz = blank(1, 72), asc = blank(224, 36);
    hz[0] = 0xA5;
    hz[40] = 0x18;
    hz[71] = 0x81;
    asc[(size_t)('Q' - 32) * 36 + 7] = 0xF0;
    write(12, FONT_HZ, hz);
    write(12, FONT_ASC, asc);
    struct { glyph_reader single, doubled; const char* ch; } cases[] = {
        {hz_reader(24), hz_reader(48), HZ_FIRST}, {asc_reader(24), asc_reader(48), "Q"}};
    for (const auto& c : cases) {
        rec.reset();
        c.single(1, 0, 0, c.ch);
        dot_set single = dots();
        rec.reset();
        c.doubled(1, 0, 0, c.ch);
        dot_set doubled;
        for (auto d : single) doubled.insert({2 * d.first, 2 * d.second});
        ASSERT_FALSE(single.empty());
        EXPECT_EQ(dots(), doubled);
        for (const gfx_event& e : rec.of_type(gfx_event::POINT)) EXPECT_FLOAT_EQ(e.size, 4.0f);
    }

    rec.reset();
    std::vector<uint8_t> big = blank(1, 128);
    big[127] = 0x01;  // column 31, row 31
    write(13, FONT_HZ, big);
    hz_reader(64)(3, 0, 0, HZ_FIRST);
    EXPECT_EQ(dots(), (dot_set{{124, 124}}));
}

// ---- short reads, odd bytes and missing files ------------------------------------

TEST_F(DotFont, ShortReadDrawsOnlyTheBytesRead)
{
    std::vector<uint8_t> f(10, 0xFF);  // 10 of the 72 bytes of glyph 0
    write(12, FONT_HZ, f);
    canvas_use_pitch(1);
    hz_reader(24)(0, 0, 0, HZ_FIRST);
    dot_set d = dots();
    EXPECT_EQ(d.size(), 80u);
    for (auto p : d) EXPECT_LE(p.first, 3);
    EXPECT_TRUE(d.count({3, 7}));
    EXPECT_FALSE(d.count({3, 8}));

    rec.reset();
    hz_reader(24)(0, 0, 0, HZ_B0A1);  // wholly past the end
    EXPECT_TRUE(dots().empty());
}

TEST_F(DotFont, ControlBytesAnd0x80DrawNothing)
{
    std::vector<uint8_t> f(256 * 13, 0xFF);  // every code fully lit
    write(1, FONT_ASC, f);
    for (const char* ch : {"\x01", "\x1F", "\x80", "\xC0"}) {
        asc_reader(13)(0, 0, 0, ch);
        EXPECT_TRUE(dots().empty()) << (int)(uint8_t)ch[0];
    }
    asc_reader(13)(0, 0, 0, " ");
    EXPECT_FALSE(dots().empty());
}

TEST_F(DotFont, NegativeChineseOffsetReadsNothing)
{
    std::vector<uint8_t> f(200 * 32, 0xFF);
    write(4, FONT_HZ, f);
    hz_reader(16)(0, 0, 0, "\xA1\xA0");
    EXPECT_TRUE(dots().empty());
}

TEST_F(DotFont, MissingFilesDrawNothing)
{
    for (int size : {12, 13, 14, 15, 16, 17, 20, 23, 24, 32, 48, 64}) {
        hz_reader(size)(0, 0, 0, HZ_B0A1);
        asc_reader(size)(0, 0, 0, "A");
    }
    EXPECT_TRUE(dots().empty());
    uint8_t out[DOT_SLOT_USED];
    EXPECT_FALSE(hz_cached_lookup(13, HZ_B0A1, out));
    EXPECT_EQ(read_font_bytes(1, FONT_HZ, 0, out, 4), -1);
}

// ---- Chinese glyph caches ---------------------------------------------------------

TEST_F(DotFont, CachedSizesDrawTheirRows)
{
    // Sizes 12..15 draw 2 bytes per row for `size` rows out of a 32-byte read.
    for (int size = 12; size <= 15; size++) {
        int G = 2 * size;
        std::vector<uint8_t> f = blank(2, G);
        f[0] = 0x80;               // row 0, column 0
        f[G - 1] = 0x01;           // last row, column 15
        f[G] = 0x80;               // first byte of the next glyph: never drawn
        write(size - 12, FONT_HZ, f);
        rec.reset();
        hz_reader(size)(0, 0, 0, HZ_FIRST);
        EXPECT_EQ(dots(), (dot_set{{0, 0}, {30, 2 * (size - 1)}})) << size;
    }
}

TEST_F(DotFont, LookupReadsTheRestOfTheStringAhead)
{
    write(0, FONT_HZ, blank(94 * 94, 24));
    const char text[] = "\xB0\xA1\xB0\xA2\xB0\xA1\xB0\xA3";  // three different, one repeated
    uint8_t out[DOT_SLOT_USED];
    long before = font_file_opens();
    ASSERT_TRUE(hz_cached_lookup(12, text, out));
    EXPECT_EQ(glyph_cache_cursor, 3);
    EXPECT_EQ(hz_glyph_cache[0][1]->code[1], 0xA2);
    EXPECT_EQ(hz_glyph_cache[0][2]->code[1], 0xA3);
    EXPECT_EQ(hz_glyph_cache[0][2]->loaded, 1);
    // The later characters are hits now: no cursor movement, no file read.
    ASSERT_TRUE(hz_cached_lookup(12, text + 6, out));
    EXPECT_EQ(glyph_cache_cursor, 3);
    EXPECT_EQ(font_file_opens() - before, 1);
}

TEST_F(DotFont, PairWalkStopsAtTheNulOnEitherByte)
{
    write(0, FONT_HZ, blank(94 * 94, 24));
    uint8_t out[DOT_SLOT_USED];
    EXPECT_TRUE(hz_cached_lookup(12, "\xB0\xA1" "A", out));  // the pair "A"+NUL is not loaded
    EXPECT_EQ(glyph_cache_cursor, 1);
    EXPECT_FALSE(hz_cached_lookup(12, "\xB1", out));          // lead byte right before the NUL
    EXPECT_FALSE(hz_cached_lookup(12, "", out));              // zeroed slots are never a hit
    EXPECT_EQ(glyph_cache_cursor, 1);
    hz_reader(16)(0, 0, 0, "");
    EXPECT_TRUE(dots().empty());
}

TEST_F(DotFont, The101stCharacterTakesTheSlotOfTheFirst)
{
    std::vector<uint8_t> f = blank(94 * 94, 24);
    for (int k = 0; k < 101; k++) f[(size_t)(15 * 94 + k) * 24] = (uint8_t)(k + 1);
    write(0, FONT_HZ, f);
    uint8_t out[DOT_SLOT_USED];
    for (int k = 0; k < 101; k++) {
        char one[3] = {(char)(0xB0 + k / 94), (char)(0xA1 + k % 94), 0};
        ASSERT_TRUE(hz_cached_lookup(12, one, out));
        EXPECT_EQ(out[0], k + 1);
    }
    EXPECT_EQ(hz_glyph_cache[0][0]->code[0], 0xB1);
    EXPECT_EQ(hz_glyph_cache[0][0]->code[1], 0xA1 + 100 % 94);
    EXPECT_EQ(hz_glyph_cache[0][0]->data[0], 101);
    EXPECT_EQ(hz_glyph_cache[0][1]->data[0], 2);
    EXPECT_EQ(glyph_cache_cursor, 1);
}

TEST_F(DotFont, CacheHitsNeedNoFile)
{
    std::vector<uint8_t> f = blank(94 * 94, 26);
    f[(size_t)15 * 94 * 26] = 0x80;
    write(1, FONT_HZ, f);
    hz_reader(13)(0, 0, 0, HZ_B0A1);
    ASSERT_EQ(dots().size(), 1u);
    remove(paths.fonts[1][FONT_HZ].c_str());
    dot_font_forget_files();
    rec.reset();
    hz_reader(13)(0, 0, 0, HZ_B0A1);  // served by the glyph cache
    EXPECT_EQ(dots().size(), 1u);
    uint8_t out[DOT_SLOT_USED];
    EXPECT_FALSE(hz_cached_lookup(13, "\xB0\xA2", out));  // a miss needs the file
}

TEST_F(DotFont, ReadAheadNeverEvictsTheRequestedGlyph)
{
    // 150 distinct characters, each lighting its own first dot.
    std::vector<uint8_t> f = blank(94 * 94, 24);
    std::string text;
    for (int k = 0; k < 150; k++) {
        f[(size_t)(15 * 94 + k) * 24] = 0x80;
        text += (char)(0xB0 + k / 94);
        text += (char)(0xA1 + k % 94);
    }
    write(0, FONT_HZ, f);
    uint8_t out[DOT_SLOT_USED];
    for (int k = 0; k < 150; k++) {
        ASSERT_TRUE(hz_cached_lookup(12, text.c_str() + 2 * k, out)) << k;
        EXPECT_EQ(out[0], 0x80) << k;
    }
}

TEST_F(DotFont, CachesAreSeparatePerSizeButShareTheCursor)
{
    write(0, FONT_HZ, blank(94 * 94, 24));
    write(3, FONT_HZ, blank(94 * 94, 30));
    uint8_t out[DOT_SLOT_USED];
    ASSERT_TRUE(hz_cached_lookup(12, HZ_B0A1, out));
    ASSERT_TRUE(hz_cached_lookup(15, HZ_B0A1, out));
    EXPECT_EQ(hz_glyph_cache[0][0]->code[0], 0xB0);
    EXPECT_EQ(hz_glyph_cache[3][1]->code[0], 0xB0);
    EXPECT_EQ(hz_glyph_cache[3][0]->code[0], 0);
    EXPECT_EQ(glyph_cache_cursor, 2);
}

TEST_F(DotFont, LookupBeforeInitDrawsNothing)
{
    dot_glyph_cache* saved = hz_glyph_cache[0][0];
    for (auto& entry : hz_glyph_cache[0]) entry = nullptr;
    write(0, FONT_HZ, blank(94 * 94, 24));
    uint8_t out[DOT_SLOT_USED];
    EXPECT_FALSE(hz_cached_lookup(12, HZ_B0A1, out));
    hz_glyph_cache[0][0] = saved;
    dot_font_init();
}

// ---- file-content cache ---------------------------------------------------------

TEST_F(DotFont, FileCacheOpensEachFileOnce)
{
    std::vector<uint8_t> f = blank(224, 16);
    f[(size_t)('A' - 32) * 16] = 0x80;
    write(4, FONT_ASC, f);
    long before = font_file_opens();
    for (int frame = 0; frame < 3; frame++)
        for (int k = 0; k < 5; k++) asc_reader(16)(0, 20 * k, 0, "A");
    EXPECT_EQ(font_file_opens() - before, 1);
    EXPECT_EQ(rec.count(gfx_event::POINT), 15u);

    // Switched off: one open per character, the same dots.
    dot_set cached = dots();
    rec.reset();
    dot_font_use_file_cache(false);
    before = font_file_opens();
    for (int k = 0; k < 5; k++) asc_reader(16)(0, 20 * k, 0, "A");
    EXPECT_EQ(font_file_opens() - before, 5);
    EXPECT_EQ(dots(), cached);
}

TEST_F(DotFont, FileCacheFollowsAChangedPath)
{
    std::vector<uint8_t> a = blank(224, 16), b = blank(224, 16);
    a[(size_t)('A' - 32) * 16] = 0x80;       // dot at row 0
    b[(size_t)('A' - 32) * 16 + 1] = 0x01;   // dot at row 15
    write(4, FONT_ASC, a);
    std::string other = dir + "/other16";
    FILE* f = fopen(other.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(b.data(), 1, b.size(), f);
    fclose(f);
    asc_reader(16)(0, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{0, 0}}));
    const std::string first = paths.fonts[4][FONT_ASC];
    paths.fonts[4][FONT_ASC] = other;
    dot_font_use_files(paths);
    rec.reset();
    asc_reader(16)(0, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{0, 30}}));
    remove(other.c_str());
    paths.fonts[4][FONT_ASC] = first;
    dot_font_use_files(paths);
}

TEST_F(DotFont, FileLargerThanItsPoolIsReadDirectly)
{
    std::vector<uint8_t> f = blank(400, 12);  // more than 256 codes' worth
    f[(size_t)('a' - 32) * 12] = 0x80;
    write(0, FONT_ASC, f);
    long before = font_file_opens();
    asc_reader(12)(0, 0, 0, "a");
    asc_reader(12)(0, 0, 0, "a");
    EXPECT_EQ(dots(), (dot_set{{0, 2}}));
    EXPECT_EQ(font_file_opens() - before, 3);  // the whole-file try, then one per glyph
}

TEST_F(DotFont, MissingFileIsRetriedUntilItAppears)
{
    asc_reader(16)(0, 0, 0, "A");
    EXPECT_TRUE(dots().empty());
    std::vector<uint8_t> f = blank(224, 16);
    f[(size_t)('A' - 32) * 16] = 0x80;
    FILE* fp = fopen(paths.fonts[4][FONT_ASC].c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    fwrite(f.data(), 1, f.size(), fp);
    fclose(fp);
    asc_reader(16)(0, 0, 0, "A");
    EXPECT_EQ(dots(), (dot_set{{0, 0}}));
}
