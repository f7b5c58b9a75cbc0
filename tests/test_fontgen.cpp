// The generated font files beside the program (build folder): sizes and glyph
// counts, blank and complete glyphs, and a few known characters drawn through
// the program's own readers where they are expected: strokes in place, Chinese
// glyphs inside their em box, Western letters on one baseline with room for
// descenders.
#include "app/workspace.h"
#include "raster/canvas.h"
#include "platform/gbk.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const int FILE_SIZES[FONT_SIZE_SLOTS] = {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32};
const int HZ_G[FONT_SIZE_SLOTS] = {24, 26, 28, 30, 32, 51, 54, 57, 60, 63, 66, 69, 72, 128};
const int ASC_G[FONT_SIZE_SLOTS] = {12, 13, 14, 15, 16, 27, 27, 30, 30, 30, 33, 36, 36, 64};

// Ink box of what a text drew, in dots (pitch 1, drawn at 0, 0).
struct box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// Fixture: paths built for the build folder as the program builds them; the
// readers pointed back at no files after.
class GeneratedFonts : public ::testing::Test {
protected:
    doc_paths paths;
    int saved_pitch = 2;
    gfx_recorder rec;

    void SetUp() override
    {
        saved_pitch = canvas_pitch();
        build_base_paths(paths, LUMIKER_BUILD_DIR "/");
        dot_font_use_files(paths);
        dot_font_init();
        canvas_use_pitch(1);
        gfx_use(&rec);
    }

    void TearDown() override
    {
        gfx_use(nullptr);
        dot_font_use_files(doc_paths());
        canvas_use_pitch(saved_pitch);
        dot_font_init();
    }

    // Ink box of GBK `text` drawn at size `size`.
    box ink(const std::string& text, int size)
    {
        rec.reset();
        std::vector<char> copy(text.begin(), text.end());
        copy.push_back('\0');
        draw_dot_text((uint8_t)size, 0, 0, 0, copy.data());
        box b;
        for (const gfx_event& e : rec.of_type(gfx_event::POINT)) {
            int x = (int)e.x[0], y = (int)e.y[0];
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.top = std::min(b.top, y);
            b.bottom = std::max(b.bottom, y);
            b.count++;
        }
        return b;
    }

    static long file_size(const char* path)
    {
        struct stat st;
        return stat(path, &st) == 0 ? (long)st.st_size : -1;
    }
};

} // namespace

TEST_F(GeneratedFonts, EveryFileHasItsGlyphCount)
{
    for (int s = 0; s < FONT_SIZE_SLOTS; s++) {
        int size = FILE_SIZES[s];
        const std::string& hz = paths.fonts[s][FONT_HZ], &asc = paths.fonts[s][FONT_ASC];
        EXPECT_EQ(file_size(hz.c_str()), 94L * 94 * HZ_G[s]) << hz;
        bool from_blank = size == 12 || size == 16 || size == 24 || size == 32;
        EXPECT_EQ(file_size(asc.c_str()), (from_blank ? 224L : 256L) * ASC_G[s]) << asc;
    }
}

TEST_F(GeneratedFonts, FirstGlyphsAreBlankAndHanziComplete)
{
    for (int s = 0; s < FONT_SIZE_SLOTS; s++) {
        std::vector<uint8_t> g(HZ_G[s]);
        ASSERT_EQ(read_font_bytes(s, FONT_HZ, 0, g.data(), HZ_G[s]), HZ_G[s]);
        EXPECT_TRUE(std::all_of(g.begin(), g.end(), [](uint8_t b) { return b == 0; })) << FILE_SIZES[s];
        // The Western blank (code 32) is blank; the files from code 0 begin with 32 blank codes.
        std::vector<uint8_t> a(ASC_G[s]);
        long first = (FILE_SIZES[s] == 12 || FILE_SIZES[s] == 16 || FILE_SIZES[s] >= 24) ? 0 : 32L * ASC_G[s];
        ASSERT_EQ(read_font_bytes(s, FONT_ASC, first, a.data(), ASC_G[s]), ASC_G[s]);
        EXPECT_TRUE(std::all_of(a.begin(), a.end(), [](uint8_t b) { return b == 0; })) << FILE_SIZES[s];

        // Hanzi rows 0xB0..0xF7: 6763 characters, the 5 empty positions after 0xD7F9 blank.
        int lit = 0;
        for (int pos = 15 * 94; pos < 87 * 94; pos++) {
            ASSERT_EQ(read_font_bytes(s, FONT_HZ, (long)pos * HZ_G[s], g.data(), HZ_G[s]), HZ_G[s]);
            if (std::any_of(g.begin(), g.end(), [](uint8_t b) { return b != 0; })) lit++;
        }
        EXPECT_EQ(lit, 6763) << FILE_SIZES[s];
    }
}

TEST_F(GeneratedFonts, KnownStrokesLieWhereExpected)
{
    const std::string one = gbk_from_utf8("一"), stroke = gbk_from_utf8("丨"), mouth = gbk_from_utf8("口");
    for (int size : {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32}) {
        box h = ink(one, size);
        EXPECT_LE(h.height(), size / 8 + 1) << size;       // one horizontal stroke
        EXPECT_GE(h.width(), size * 6 / 10) << size;
        box v = ink(stroke, size);
        EXPECT_LE(v.width(), size / 8 + 1) << size;        // one vertical stroke
        EXPECT_GE(v.height(), size * 6 / 10) << size;
        box m = ink(mouth, size);                           // a square inside the em box
        EXPECT_GE(m.left, 0);
        EXPECT_GE(m.top, 0);
        EXPECT_LT(m.right, size) << size;
        EXPECT_LT(m.bottom, size) << size;
        EXPECT_GE(m.width(), size / 2) << size;
        EXPECT_GE(m.height(), size / 2) << size;
    }
}

TEST_F(GeneratedFonts, WesternLettersShareABaselineWithRoomForDescenders)
{
    for (int size : FONT_SIZES) {
        int line = size;  // pixels at pitch 1, doubled sizes included
        int base = ink("x", size).bottom;
        for (const char* c : {"a", "A", "H", "o", "1", "m", "z"})
            EXPECT_EQ(ink(c, size).bottom, base) << size << " " << c;
        int top_limit = size <= 15 ? 1 : 0;  // the shifted sizes keep their first row blank
        for (const char* c : {"g", "j", "p", "q", "y"}) {
            box d = ink(c, size);
            EXPECT_GT(d.bottom, base) << size << " " << c;
            EXPECT_LT(d.bottom, line) << size << " " << c;
            EXPECT_GE(d.top, top_limit) << size << " " << c;
        }
        for (const char* c : {"A", "l", "d", "W", "M", "@", "(", ")"}) {
            box b = ink(c, size);
            EXPECT_GE(b.top, top_limit) << size << " " << c;
            EXPECT_LT(b.bottom, line) << size << " " << c;
            EXPECT_GT(b.height(), (base + 1) / 2) << size << " " << c;
            EXPECT_LT(b.right, asc_advance(size)) << size << " " << c;  // inside its advance
        }
        EXPECT_GT(ink("H", size).height(), size / 2) << size;  // capitals are readable height
    }
}

TEST_F(GeneratedFonts, EveryPrintableAsciiCharacterIsLitInsideItsLine)
{
    for (int size : {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32}) {
        int base = ink("x", size).bottom;
        for (int c = 0x21; c <= 0x7E; c++) {
            if (c == '\\') continue;  // the walk drops a lone backslash
            box b = ink(std::string(1, (char)c), size);
            EXPECT_GT(b.count, 0) << size << " code " << c;
            EXPECT_GE(b.top, 0) << size << " code " << c;
            EXPECT_LT(b.bottom, size) << size << " code " << c;
        }
        EXPECT_GE(ink("_", size).bottom, base) << size;  // the underscore is not cut off
        EXPECT_LT(ink("-", size).bottom, base) << size;
    }
}

TEST_F(GeneratedFonts, ChineseAndWesternTogetherFillOneLine)
{
    // A mixed line stays within size rows, so \C4 lines (size + 2 apart) never touch.
    for (int size : {12, 16, 20, 24, 32}) {
        box b = ink(gbk_from_utf8("温度Tg(y)湿度"), size);
        EXPECT_GE(b.top, 0) << size;
        EXPECT_LT(b.bottom, size) << size;
    }
}
