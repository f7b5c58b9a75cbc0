// Segment digit glyphs of the three stroke weights, the decimal point and draw_number.
#include "dot_helpers.h"
#include "items/digits.h"
#include "raster/canvas.h"
#include <set>
#include <utility>

namespace {

struct glyphs_ready {
    glyphs_ready() { fill_glyph_table(); canvas_use_pitch(2); }
    ~glyphs_ready() { canvas_use_pitch(2); }
};


dot_set glyph_dots(int entry, int x, int y, int W, int H)
{
    return capture([&] { glyph_table[entry](1, x, y, (uint8_t)W, (uint8_t)H); });
}

dot_set number_dots(uint32_t value, int n, int s, int t, int k, bool is_signed, int x = 300, int y = 200)
{
    return capture([&] { draw_number(2, x, y, value, (uint8_t)n, (uint8_t)s, (uint8_t)t, (uint8_t)k, is_signed); });
}

} // namespace

TEST(Digits, TableHoldsThirtySixDistinctRoutines)
{
    glyphs_ready g;
    std::set<glyph_routine> seen;
    for (int e = 0; e < GLYPH_COUNT; e++) {
        ASSERT_NE(glyph_table[e], nullptr) << e;
        seen.insert(glyph_table[e]);
    }
    EXPECT_EQ(seen.size(), (size_t)GLYPH_COUNT);
}

TEST(Digits, ThinZeroIsFortyTwoDotsWithItsMiddleRowDark)
{
    glyphs_ready g;
    recording r;
    glyph_table[0](1, 100, 200, 8, 16);
    auto pts = r.rec.of_type(gfx_event::POINT);
    ASSERT_EQ(pts.size(), 42u);
    for (const gfx_event& e : pts) {
        EXPECT_TRUE(same_colour(e, 0, 1, 0));
        EXPECT_EQ(e.size, 2);
    }
    dot_set d = lit_positions(r.rec);
    EXPECT_EQ(d.size(), 42u);
    for (int col = 1; col <= 7; col++) {
        EXPECT_TRUE(d.count({100 + col, 200}));
        EXPECT_TRUE(d.count({100 + col, 216}));
        EXPECT_FALSE(d.count({100 + col, 208}));
    }
    for (int row = 1; row <= 15; row++) {
        EXPECT_EQ(d.count({100, 200 + row}), row == 8 ? 0u : 1u) << row;
        EXPECT_EQ(d.count({108, 200 + row}), row == 8 ? 0u : 1u) << row;
    }
    EXPECT_FALSE(d.count({100, 200}));   // the corners stay dark
    EXPECT_FALSE(d.count({108, 216}));
}

TEST(Digits, EveryWeightLightsTheSegmentsOfEachDigit)
{
    glyphs_ready g;
    for (int weight = 0; weight < 3; weight++) {
        for (int digit = 0; digit < 10; digit++) {
            dot_set d = glyph_dots(10 * weight + digit, 50, 60, 8, 16);
            EXPECT_EQ(read_cell(d, 50, 60, 8, 16), (char)('0' + digit)) << "weight " << weight;
        }
        EXPECT_EQ(read_cell(glyph_dots(GLYPH_MINUS + weight, 50, 60, 8, 16), 50, 60, 8, 16), '-');
        EXPECT_TRUE(glyph_dots(GLYPH_BLANK + weight, 50, 60, 8, 16).empty()) << "weight " << weight;
        EXPECT_TRUE(glyph_dots(GLYPH_BLANK + weight, 50, 60, 200, 255).empty());
    }
}

TEST(Digits, MediumStrokesAreTwoPixelsGrowingOutwards)
{
    glyphs_ready g;
    dot_set d = glyph_dots(18, 0, 0, 8, 16);   // medium 8
    // a, g, d: 2 x 7; f, b, e, c: 2 x 6.
    EXPECT_EQ(d.size(), 3u * 14 + 4u * 12);
    EXPECT_TRUE(d.count({4, -1}));   // a grows upwards
    EXPECT_TRUE(d.count({4, 7}));    // g is rows m - 1 and m
    EXPECT_TRUE(d.count({4, 15}));   // d is rows H - 1 and H
    EXPECT_FALSE(d.count({4, 17}));
    EXPECT_TRUE(d.count({-1, 3}));   // f grows to the left
    EXPECT_TRUE(d.count({9, 3}));    // b to the right
    EXPECT_FALSE(d.count({0, 7}));   // f ends at row m - 2
    EXPECT_TRUE(d.count({9, 14}));   // c ends at row H - 2
    EXPECT_FALSE(d.count({9, 15}));

    // Up to a height of 5 the upper verticals are missing.
    dot_set low = glyph_dots(18, 0, 0, 8, 5);
    for (int row = 1; row <= 2; row++)
        for (int col : {-1, 0, 8, 9}) EXPECT_FALSE(low.count({col, row})) << col << "," << row;
    EXPECT_TRUE(low.count({-1, 3}));   // e keeps rows m + 1 .. H - 2
}

TEST(Digits, ThickStrokesHaveACoreAndShorterSides)
{
    glyphs_ready g;
    dot_set d = glyph_dots(28, 0, 0, 8, 16);   // thick 8
    // a, g, d: 7 + 2 x 5; f, b: 8 + 2 x 6; e, c: 8 + 2 x 6.
    EXPECT_EQ(d.size(), 3u * 17 + 4u * 20);
    EXPECT_TRUE(d.count({1, 0}));
    EXPECT_FALSE(d.count({1, -1}));   // sides are columns 2..W-2
    EXPECT_TRUE(d.count({2, -1}));
    EXPECT_TRUE(d.count({6, 1}));
    EXPECT_TRUE(d.count({7, 1}));     // b: sides at W - 1 and W + 1
    EXPECT_TRUE(d.count({9, 1}));
    EXPECT_TRUE(d.count({0, 0}));     // the f core starts at row 0
    EXPECT_TRUE(d.count({-1, 1}));
    EXPECT_TRUE(d.count({1, 6}));
    EXPECT_FALSE(d.count({1, 7}));    // f sides end at row m - 2
    EXPECT_TRUE(d.count({0, 16}));    // the e core reaches row H
    EXPECT_TRUE(d.count({-1, 10}));   // e sides run m + 2 .. H - 1
    EXPECT_FALSE(d.count({-1, 9}));

    // The thick 9 keeps only the outer side row of a, g and d.
    dot_set nine = glyph_dots(29, 0, 0, 8, 16);
    EXPECT_TRUE(nine.count({4, -1}));
    EXPECT_FALSE(nine.count({4, 1}));
    EXPECT_TRUE(nine.count({4, 7}));
    EXPECT_FALSE(nine.count({4, 9}));
    EXPECT_TRUE(nine.count({4, 17}));
    EXPECT_FALSE(nine.count({4, 15}));
    EXPECT_TRUE(d.count({4, 1}));     // while the thick 8 has them

    // Narrow and low glyphs keep only the cores.
    dot_set narrow = glyph_dots(28, 0, 0, 3, 16);
    EXPECT_FALSE(narrow.count({2, -1}));
    EXPECT_FALSE(narrow.count({1, 17}));
    dot_set low = glyph_dots(28, 0, 0, 8, 5);
    EXPECT_TRUE(low.count({0, 0}));
    EXPECT_FALSE(low.count({-1, 1}));
    EXPECT_FALSE(low.count({1, 1}));
}

TEST(Digits, ThinUpperStrokesNeedAHeightOfFour)
{
    glyphs_ready g;
    dot_set four = glyph_dots(8, 0, 0, 6, 4);
    EXPECT_TRUE(four.count({0, 1}));
    EXPECT_TRUE(four.count({6, 1}));
    dot_set three = glyph_dots(8, 0, 0, 6, 3);
    EXPECT_FALSE(three.count({0, 1}));
    EXPECT_FALSE(three.count({6, 1}));
    EXPECT_EQ(three.size(), 3u * 5 + 2u);   // a, g, d; e and c on row 2 only
}

TEST(Digits, NumberShowsTheLowestDigitsWithLeadingZeros)
{
    glyphs_ready g;
    EXPECT_EQ(read_cells(number_dots(123, 3, 4, 1, 0, false), 300, 200, 3, 4, 2), "123");
    EXPECT_EQ(read_cells(number_dots(1234, 3, 4, 1, 0, false), 300, 200, 3, 4, 2), "234");
    EXPECT_EQ(read_cells(number_dots(5, 3, 4, 1, 0, false), 300, 200, 3, 4, 2), "005");
    EXPECT_EQ(read_cells(number_dots(888888, 6, 4, 1, 0, false), 300, 200, 6, 4, 2), "888888");
    EXPECT_EQ(read_cells(number_dots(4294967295u, 6, 4, 2, 0, false), 300, 200, 6, 4, 2), "967295");
    // One digit: the last one, and never a decimal point.
    dot_set one = number_dots(47, 1, 4, 1, 1, false);
    EXPECT_EQ(read_cells(one, 300, 200, 1, 4, 2), "7");
    EXPECT_EQ(one.size(), glyph_dots(7, 300, 200, 8, 16).size());
    // No digits, or more than six: nothing.
    EXPECT_TRUE(number_dots(888888, 0, 4, 1, 0, false).empty());
    EXPECT_TRUE(number_dots(888888, 7, 4, 1, 2, false).empty());
    // Every weight reads the same; weights 0 and 4 draw thin.
    for (int t : {0, 1, 2, 3, 4})
        EXPECT_EQ(read_cells(number_dots(905, 3, 5, t, 0, false), 300, 200, 3, 5, 2), "905") << t;
    EXPECT_EQ(number_dots(905, 3, 5, 0, 0, false), number_dots(905, 3, 5, 1, 0, false));
    EXPECT_EQ(number_dots(905, 3, 5, 4, 0, false), number_dots(905, 3, 5, 1, 0, false));
}

TEST(Digits, DecimalPointStandsBeforeDigitK)
{
    glyphs_ready g;
    // 4 5 . 6 7 at pitch 2, size 4: cells advance 16, the point at x + 32 - q - p (q = 2).
    dot_set d = number_dots(4567, 4, 4, 1, 2, false);
    EXPECT_EQ(read_cells(d, 300, 200, 4, 4, 2), "4567");
    EXPECT_TRUE(d.count({328, 214}));
    EXPECT_TRUE(d.count({328, 216}));
    dot_set plain = number_dots(4567, 4, 4, 1, 0, false);
    EXPECT_EQ(d.size() - plain.size(), 2u);
    // It lies in the gap after the second digit's cell (300 + 16 .. 324).
    for (int col = 325; col < 332; col++)
        for (int row = 200; row <= 216; row++)
            if (d.count({col, row})) {
                EXPECT_TRUE(col == 328 && (row == 214 || row == 216)) << col << "," << row;
            }

    EXPECT_EQ(number_dots(4567, 4, 4, 2, 2, false).size() - number_dots(4567, 4, 4, 2, 0, false).size(), 4u);
    EXPECT_EQ(number_dots(4567, 4, 4, 3, 2, false).size() - number_dots(4567, 4, 4, 3, 0, false).size(), 9u);
}

TEST(Digits, DecimalPointDotsOfEachWeight)
{
    glyphs_ready g;
    canvas_use_pitch(3);   // p = 3, s = 5: q = 3, rows y + 27 and y + 30
    auto point = [](int t) {
        recording r;
        draw_decimal_point(4, 100, 50, 5, (uint8_t)t);
        auto pts = r.rec.of_type(gfx_event::POINT);
        for (const gfx_event& e : pts) EXPECT_TRUE(same_colour(e, 1, 0, 1));
        return lit_positions(r.rec);
    };
    EXPECT_EQ(point(1), (dot_set{{94, 77}, {94, 80}}));
    EXPECT_EQ(point(2), (dot_set{{94, 77}, {94, 80}, {91, 77}, {91, 80}}));
    dot_set nine = point(3);
    EXPECT_EQ(nine.size(), 9u);
    for (int col : {97, 94, 91})
        for (int row : {74, 77, 80}) EXPECT_TRUE(nine.count({col, row}));
    EXPECT_TRUE(point(0).empty());
    EXPECT_TRUE(point(4).empty());
}

TEST(Digits, WrappedCellSizesStillDrawAndEnd)
{
    glyphs_ready g;
    canvas_use_pitch(4);   // s = 32: H = 256 wraps to 0, W = 128, advance 200
    dot_set d = number_dots(88, 2, 32, 1, 0, false, 0, 0);
    ASSERT_FALSE(d.empty());
    for (const auto& pos : d) EXPECT_EQ(pos.second, 0);   // only horizontal strokes survive
    EXPECT_TRUE(d.count({1, 0}));
    EXPECT_TRUE(d.count({127, 0}));
    EXPECT_TRUE(d.count({201, 0}));   // second cell one wrapped advance on
    EXPECT_FALSE(d.count({128, 0}));
    // Width wraps too: s = 100 at pitch 3 gives W = 44.
    canvas_use_pitch(3);
    dot_set w = number_dots(8, 1, 100, 1, 0, false, 0, 0);
    EXPECT_TRUE(w.count({44, 10}));
    EXPECT_FALSE(w.count({45, 10}));
}

TEST(Digits, SignedNumbersShowAMinusInTheirWeightBeforeTheFirstDigit)
{
    glyphs_ready g;
    // Sign cell at x - p * (s + s / 2 + 2) = 300 - 16, the size of a digit cell.
    for (int t = 1; t <= 3; t++) {
        for (int k = 0; k <= 3; k++) {
            dot_set d = number_dots(1234, 4, 4, t, k, true);
            EXPECT_EQ(read_cell(d, 284, 200, 8, 16), '-') << "weight " << t << " point " << k;
            EXPECT_EQ(read_cells(d, 300, 200, 4, 4, 2), "1234");
        }
        // The minus is the weight's own glyph.
        recording r;
        draw_number(2, 300, 200, 1234, 4, 4, (uint8_t)t, 0, 1);
        dot_set with = lit_positions(r.rec);
        dot_set minus = glyph_dots(GLYPH_MINUS + stroke_weight(t), 284, 200, 8, 16);
        for (const auto& pos : minus) EXPECT_TRUE(with.count(pos));
    }
    // Unsigned numbers have nothing left of their first cell.
    for (const auto& pos : number_dots(1234, 4, 4, 1, 0, false)) EXPECT_GE(pos.first, 300);
}
