// draw_dot_text walks through the recording drawing layer: pen advances, line
// breaks, inline codes and their odd cases, unsupported sizes and lead bytes
// at the end of the text. The font files are small ones written by the tests,
// in which every glyph lights exactly its top-left dot, so each drawn
// character shows as one point at the pen.
#include "font_fixture.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct pen_dot {
    int x, y;
    float r, g, b;
};

// Fixture: every font file of every size holds glyphs that light only their top-left dot.
class DotText : public temp_font_files {
protected:
    static constexpr int HZ_G[FONT_SIZE_SLOTS] = {24, 26, 28, 30, 32, 51, 54, 57, 60, 63, 66, 69, 72, 128};
    static constexpr int ASC_G[FONT_SIZE_SLOTS] = {12, 13, 14, 15, 16, 27, 27, 30, 30, 30, 33, 36, 36, 64};

    void SetUp() override
    {
        point_paths_at_temp_folder();
        for (int s = 0; s < FONT_SIZE_SLOTS; s++) {
            std::vector<uint8_t> hz((size_t)94 * 94 * HZ_G[s], 0), asc((size_t)256 * ASC_G[s], 0);
            for (size_t k = 0; k < hz.size(); k += HZ_G[s]) hz[k] = 0x80;
            // Western 12..15 are drawn one row lower except g j p q y; store row 0 either way.
            for (size_t k = 0; k < asc.size(); k += ASC_G[s]) asc[k] = 0x80;
            write_file(paths.fonts[s][FONT_HZ].c_str(), hz);
            write_file(paths.fonts[s][FONT_ASC].c_str(), asc);
        }
        start_drawing();
    }

    // Draw a copy of `text` (size 16 unless given) and return the points drawn.
    std::vector<pen_dot> draw(const std::string& text, int size = 16, int colour = 6, int x = 100, int y = 50)
    {
        rec.reset();
        std::vector<char> copy(text.begin(), text.end());
        copy.push_back('\0');
        draw_dot_text((uint8_t)size, (uint8_t)colour, x, y, copy.data());
        std::vector<pen_dot> out;
        for (const gfx_event& e : rec.of_type(gfx_event::POINT))
            out.push_back({(int)e.x[0], (int)e.y[0], e.r, e.g, e.b});
        return out;
    }
};

constexpr int DotText::HZ_G[];
constexpr int DotText::ASC_G[];

const std::string HZ = "\xB0\xA1";  // one Chinese character

std::vector<std::pair<int, int>> xy(const std::vector<pen_dot>& d)
{
    std::vector<std::pair<int, int>> out;
    for (const pen_dot& p : d) out.push_back({p.x, p.y});
    return out;
}

typedef std::vector<std::pair<int, int>> points;

} // namespace

TEST_F(DotText, EmptyTextAndNullDrawNothing)
{
    EXPECT_TRUE(draw("").empty());
    draw_dot_text(16, 0, 0, 0, nullptr);
    EXPECT_EQ(rec.count(gfx_event::POINT), 0u);
}

TEST_F(DotText, NewLineCodeReturnsToTheStartX)
{
    // A B \C4 C D at size 16, pitch 2: advance 9 dots, line (16 + 2) dots.
    EXPECT_EQ(xy(draw("AB\\C4CD", 16, 6, 10, 20)), (points{{10, 20}, {28, 20}, {10, 56}, {28, 56}}));
}

TEST_F(DotText, ChineseAndWesternAdvancesPerSize)
{
    const int* const sizes = FONT_SIZES;   // the whole ladder
    const int western[] = {7, 8, 8, 9, 9, 9, 9, 10, 10, 10, 11, 12, 12, 16, 24, 32};
    canvas_use_pitch(1);
    for (int i = 0; i < 16; i++) {
        int s = sizes[i];
        // The shifted Western sizes draw "a" one row lower.
        int ay = s <= 15 ? 1 : 0;
        EXPECT_EQ(xy(draw(HZ + "a" + HZ, s, 0, 0, 0)), (points{{0, 0}, {s, ay}, {s + western[i], 0}})) << s;
    }
}

TEST_F(DotText, ColourCodesHoldAcrossLinesUntilTheNext)
{
    std::vector<pen_dot> d = draw("\\C2" + HZ + HZ + "\\C4" + HZ + "\\C1A\\C3B", 16, 6);
    ASSERT_EQ(d.size(), 5u);
    for (int k = 0; k < 3; k++) {
        EXPECT_FLOAT_EQ(d[k].g, 1.0f) << k;
        EXPECT_FLOAT_EQ(d[k].r, 0.0f) << k;
    }
    EXPECT_EQ(xy(d)[2], std::make_pair(100, 50 + 36));  // new line kept green
    EXPECT_FLOAT_EQ(d[3].r, 1.0f);                       // \C1 red
    EXPECT_FLOAT_EQ(d[3].g, 0.0f);
    EXPECT_FLOAT_EQ(d[4].r, 1.0f);                       // \C3 yellow
    EXPECT_FLOAT_EQ(d[4].g, 1.0f);
    EXPECT_FLOAT_EQ(d[4].b, 0.0f);
}

TEST_F(DotText, BlankCodeDrawsABlankAndWritesItIntoTheText)
{
    char text[] = "A\\C5B";
    draw_dot_text(16, 6, 0, 0, text);
    EXPECT_STREQ(text, "A\\C B");
    std::vector<gfx_event> d = rec.of_type(gfx_event::POINT);
    ASSERT_EQ(d.size(), 3u);  // A, the blank (our test glyph lights a dot), B
    EXPECT_EQ((int)d[1].x[0], 18);
    EXPECT_EQ((int)d[2].x[0], 36);
}

TEST_F(DotText, BackslashesThatAreNotCodes)
{
    EXPECT_EQ(xy(draw("a\\b", 16, 6, 0, 0)), (points{{0, 0}, {18, 0}}));      // backslash dropped
    EXPECT_EQ(xy(draw("\\C9", 16, 6, 0, 0)), (points{{0, 0}}));               // draws the 9
    EXPECT_EQ(xy(draw("\\\\C1", 16, 6, 0, 0)), (points{{0, 0}, {18, 0}, {36, 0}}));  // \ C 1 drawn
    EXPECT_FLOAT_EQ(rec.of_type(gfx_event::POINT)[2].b, 1.0f);                // no colour change
    EXPECT_EQ(xy(draw("\\C\\C2A", 16, 6, 0, 0)), (points{{0, 0}, {18, 0}, {36, 0}, {54, 0}}));
    EXPECT_EQ(xy(draw("A\\", 16, 6, 0, 0)), (points{{0, 0}}));                // stops at the NUL
    EXPECT_EQ(xy(draw("A\\C", 16, 6, 0, 0)), (points{{0, 0}}));
    EXPECT_EQ(xy(draw("\\" + HZ, 16, 6, 0, 0)), (points{{0, 0}}));            // Chinese after a dropped backslash
}

TEST_F(DotText, LineFeedsAndReturnsAreSkipped)
{
    EXPECT_EQ(xy(draw("A\nB\r\nC", 16, 6, 0, 0)), (points{{0, 0}, {18, 0}, {36, 0}}));
}

TEST_F(DotText, ControlBytesAnd0x80DrawNothingButAdvance)
{
    EXPECT_EQ(xy(draw("A\x01" "B\x80" "C\x1F" "D", 16, 6, 0, 0)), (points{{0, 0}, {36, 0}, {72, 0}, {108, 0}}));
}

TEST_F(DotText, LeadByteBeforeTheNulDrawsNothing)
{
    std::string text = "A" + HZ + "\xB0";
    EXPECT_EQ(xy(draw(text, 16, 6, 0, 0)), (points{{0, 0}, {18, 0}}));
    EXPECT_EQ(xy(draw(text, 12, 6, 0, 0)), (points{{0, 2}, {14, 0}}));  // the cached path too
}

TEST_F(DotText, UnsupportedSizesDrawNothing)
{
    for (int size : {0, 11, 25, 33, 47, 63, 65, 200})
        EXPECT_TRUE(draw("AB" + HZ + "\\C4" + HZ, size).empty()) << size;
}

TEST_F(DotText, DoubledSizesUseDoubleDots)
{
    canvas_use_pitch(3);
    rec.reset();
    char text[] = "\xB0\xA1" "A";
    draw_dot_text(48, 1, 0, 0, text);
    std::vector<gfx_event> d = rec.of_type(gfx_event::POINT);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_FLOAT_EQ(d[0].size, 6.0f);
    EXPECT_EQ((int)d[1].x[0], 48 * 3);
}

TEST_F(DotText, WesternPrimitivesDifferBySize)
{
    // Colour code 7 shows the primitive: draw_dot gives 3 pixels, the text dot the pitch.
    canvas_use_pitch(2);
    rec.reset();
    char a[] = "A";
    draw_dot_text(16, 7, 0, 0, a);
    draw_dot_text(17, 7, 0, 0, a);
    std::vector<gfx_event> d = rec.of_type(gfx_event::POINT);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_FLOAT_EQ(d[0].size, 3.0f);
    EXPECT_FLOAT_EQ(d[1].size, 2.0f);
}
