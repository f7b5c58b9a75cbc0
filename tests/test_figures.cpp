// Figure primitives, figure kinds, tables with merges and valve pictures.
#include "dot_helpers.h"
#include "items/figures.h"
#include "items/graphic_items.h"
#include "items/table_item.h"
#include "model/tables.h"
#include <cmath>
#include <set>
#include <utility>
#include <vector>


namespace {


// A 24-bit BMP file image of w x h pixels, bottom-up, from pixel(i, k) = {r, g, b}
// where k counts picture rows from the top.
template <typename F>
std::vector<uint8_t> make_bmp(int w, int h, F pixel, int bits = 24)
{
    const int stride = ((3 * w + 3) / 4) * 4;
    std::vector<uint8_t> f(54 + (size_t)stride * h, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; i++) f[at + i] = (uint8_t)(v >> (8 * i));
    };
    f[0] = 'B'; f[1] = 'M';
    put32(2, (uint32_t)f.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (uint32_t)w);
    put32(22, (uint32_t)h);
    f[26] = 1;
    f[28] = (uint8_t)bits;
    for (int k = 0; k < h; k++)
        for (int i = 0; i < w; i++) {
            std::vector<int> rgb = pixel(i, k);
            size_t at = 54 + (size_t)(h - 1 - k) * stride + 3 * i;
            f[at] = (uint8_t)rgb[2];
            f[at + 1] = (uint8_t)rgb[1];
            f[at + 2] = (uint8_t)rgb[0];
        }
    return f;
}

void put32(std::vector<uint8_t>& f, int at, uint32_t v)
{
    for (int i = 0; i < 4; i++) f[at + i] = (uint8_t)(v >> (8 * i));
}

Digit_unit& fresh(int index, uint8_t kind)
{
    Digit_unit& u = digit_table[index];
    u = Digit_unit();
    u.kind = kind;
    u.visible = 1;
    return u;
}

} // namespace

TEST(Figures, LineLightsTheStatedPixelsInEitherDirection)
{
    led_pitch = 2;
    recording r;
    draw_line(1, 0, 0, 10, 5);
    const dot_set expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2},
                              {6, 3}, {7, 3}, {8, 4}, {9, 4}, {10, 5}};
    EXPECT_EQ(lit_positions(r.rec), expected);
    auto pts = r.rec.of_type(gfx_event::POINT);
    EXPECT_EQ(pts.size(), expected.size());   // every pixel once
    EXPECT_EQ(pts.back().x[0], 10);            // ending on the far end
    EXPECT_EQ(pts.back().y[0], 5);
    for (const gfx_event& e : pts) EXPECT_TRUE(same_colour(e, 0, 1, 0));

    EXPECT_EQ(capture([] { draw_line(2, 10, 0, 0, 0); }), capture([] { draw_line(2, 0, 0, 10, 0); }));
    EXPECT_EQ(capture([] { draw_line(2, 7, 7, 7, 7); }), (dot_set{{7, 7}}));
    dot_set steep = capture([] { draw_line(2, 3, 10, 0, 0); });
    EXPECT_EQ(steep.size(), 11u);
    EXPECT_TRUE(steep.count({3, 10}));
    EXPECT_TRUE(steep.count({0, 0}));
}

TEST(Figures, RectangleFramesAndFillsAreOneRowApart)
{
    dot_set frame = capture([] { draw_rect(0, 100, 100, 106, 104); });
    EXPECT_EQ(frame.size(), 2u * 7 + 2u * 3);   // a 7 x 5 frame
    EXPECT_TRUE(frame.count({106, 104}));
    EXPECT_FALSE(frame.count({103, 102}));
    dot_set fill = capture([] { fill_rect(0, 100, 100, 106, 104); });
    EXPECT_EQ(fill.size(), 7u * 4);
    EXPECT_TRUE(fill.count({106, 103}));
    EXPECT_FALSE(fill.count({100, 104}));
    EXPECT_TRUE(capture([] { fill_rect(0, 100, 104, 106, 100); }).empty());   // upside down: no rows
}

TEST(Figures, CirclesSpanTwiceTheRadiusPlusOne)
{
    dot_set ring = capture([] { draw_circle(3, 50, 50, 5); });
    int minx = 1000, maxx = -1000, miny = 1000, maxy = -1000;
    for (const auto& p : ring) {
        minx = std::min(minx, p.first); maxx = std::max(maxx, p.first);
        miny = std::min(miny, p.second); maxy = std::max(maxy, p.second);
        EXPECT_TRUE(ring.count({100 - p.first, p.second}));   // symmetric both ways
        EXPECT_TRUE(ring.count({p.first, 100 - p.second}));
    }
    // The midpoint walk's octant for radius 5: (0, 5), (1, 5), (2, 4), (3, 3), mirrored.
    dot_set expected;
    for (auto o : {std::make_pair(0, 5), std::make_pair(1, 5), std::make_pair(2, 4), std::make_pair(3, 3)})
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                expected.insert({50 + sx * o.first, 50 + sy * o.second});
                expected.insert({50 + sx * o.second, 50 + sy * o.first});
            }
    EXPECT_EQ(ring, expected);
    EXPECT_EQ(minx, 45); EXPECT_EQ(maxx, 55);
    EXPECT_EQ(miny, 45); EXPECT_EQ(maxy, 55);
    EXPECT_FALSE(ring.count({50, 50}));

    EXPECT_EQ(capture([] { draw_circle(3, 20, 30, 0); }), (dot_set{{20, 30}}));
    EXPECT_EQ(capture([] { fill_circle(3, 20, 30, 0); }), (dot_set{{20, 30}}));
    EXPECT_TRUE(capture([] { draw_circle(3, 20, 30, -4); }).empty());

    // The disc fills every row between the outline's ends, and nothing outside it.
    dot_set disc = capture([] { fill_circle(3, 50, 50, 5); });
    for (int row = 45; row <= 55; row++) {
        int left = 1000, right = -1000;
        for (const auto& p : ring)
            if (p.second == row) { left = std::min(left, p.first); right = std::max(right, p.first); }
        for (int col = 40; col <= 60; col++)
            EXPECT_EQ(disc.count({col, row}), (col >= left && col <= right) ? 1u : 0u) << col << "," << row;
    }
}

TEST(Figures, BlocksAndRings)
{
    dot_set block = capture([] { draw_block(5, 10, 20, 3); });
    EXPECT_EQ(block.size(), 9u);
    EXPECT_TRUE(block.count({12, 22}));
    EXPECT_TRUE(capture([] { draw_block(5, 10, 20, 0); }).empty());
    EXPECT_EQ(capture([] { draw_block(5, 10, 20, 257); }), (dot_set{{10, 20}}));   // modulo 256

    recording r;
    gfx_color(0, 1, 1);
    gfx_point_size(7);
    draw_ring(100, 100, 8);
    auto pts = r.rec.of_type(gfx_event::POINT);
    ASSERT_EQ(pts.size(), 8u);
    EXPECT_FLOAT_EQ(pts[0].x[0], 108); EXPECT_FLOAT_EQ(pts[0].y[0], 100);
    EXPECT_NEAR(pts[2].x[0], 100, 1e-4); EXPECT_NEAR(pts[2].y[0], 108, 1e-4);
    for (const gfx_event& e : pts) {
        EXPECT_TRUE(same_colour(e, 0, 1, 1));   // no colour code: the current colour
        EXPECT_EQ(e.size, 7);
    }
    r.rec.reset();
    draw_ring(100, 100, 0);
    EXPECT_TRUE(r.rec.events.empty());
}

TEST(Figures, HugeFiguresAreCutInsteadOfStallingTheFrame)
{
    recording r;
    draw_line(0, INT32_MIN, 0, INT32_MAX, 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), (size_t)FIGURE_SPAN_MAX + 1);
    r.rec.reset();
    fill_rect(0, 0, INT32_MIN, 2, INT32_MAX);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 3u * FIGURE_SPAN_MAX);
}

TEST(Figures, TableCellsExtentAndMergeMarkers)
{
    led_pitch = 2;
    Digit_unit& t = fresh(425, KIND_TABLE);
    t.x = 300; t.y = 200; t.color = 2;
    t.cols = 2; t.rows = 3;
    t.col_width[0] = t.col_width[1] = 40;
    t.row_height[0] = t.row_height[1] = t.row_height[2] = 20;
    recording r;
    measure_table(t, false);
    draw_table(t, false);
    EXPECT_EQ(t.width, 80);
    EXPECT_EQ(t.height, 60);
    dot_set d = lit_positions(r.rec);
    // Six frames: vertical lines at 300, 340, 380; horizontal at 200, 220, 240, 260.
    for (int x : {300, 340, 380})
        for (int y = 200; y <= 260; y++) EXPECT_TRUE(d.count({x, y})) << x << "," << y;
    for (int y : {200, 220, 240, 260})
        for (int x = 300; x <= 380; x++) EXPECT_TRUE(d.count({x, y})) << x << "," << y;
    EXPECT_EQ(d.size(), 3u * 61 + 4u * 81 - 12);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_TRUE(same_colour(e, 1, 1, 0));

    // A merge covers the grid line between two cells with black 2-pixel markers.
    t.merges[7].flag = 1;
    t.merges[7].x0 = -40; t.merges[7].y0 = -1;   // table x, y minus the ends (340, 201), (340, 219)
    t.merges[7].x1 = -40; t.merges[7].y1 = -19;
    r.rec.reset();
    led_pitch = 4;
    draw_table(t, false);
    int markers = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) {
        if (e.size == 2) {
            markers++;
            EXPECT_TRUE(same_colour(e, 0, 0, 0));
            EXPECT_EQ(e.x[0], 340);
            EXPECT_GE(e.y[0], 201); EXPECT_LE(e.y[0], 219);
        }
    }
    EXPECT_EQ(markers, 19);
    led_pitch = 2;
}

TEST(Figures, TableNeverReadsPastItsFiftyColumnsAndRows)
{
    Digit_unit& t = fresh(426, KIND_TABLE);
    t.x = 300; t.y = 200;
    t.cols = 255; t.rows = 255;
    for (int i = 0; i < TABLE_MAX; i++) { t.col_width[i] = 2; t.row_height[i] = 3; }
    t.sel_col = 60; t.sel_row = 1;     // outside the 50 columns: no white cell
    recording r;
    measure_table(t, true);
    draw_table(t, true);
    EXPECT_EQ(t.width, 100);
    EXPECT_EQ(t.height, 150);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) {
        EXPECT_LE(e.x[0], 400);
        EXPECT_FALSE(same_colour(e, 1, 1, 1));
    }
}

TEST(Figures, SelectedTableDrawsTheSelectedAndSpanCellsWhite)
{
    Digit_unit& t = fresh(427, KIND_TABLE);
    t.x = 300; t.y = 200; t.color = 0;
    t.cols = 2; t.rows = 3;
    t.col_width[0] = t.col_width[1] = 40;
    t.row_height[0] = t.row_height[1] = t.row_height[2] = 20;
    t.sel_col = 1; t.sel_row = 2;
    t.span_col = 0; t.span_row = 0;
    recording r;
    draw_table(t, true);
    dot_set white;
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT))
        if (same_colour(e, 1, 1, 1)) white.insert({(int)e.x[0], (int)e.y[0]});
    EXPECT_EQ(white.size(), 2u * (2 * 41 + 2 * 19));
    EXPECT_TRUE(white.count({340, 240}));   // the selected cell's corner
    EXPECT_TRUE(white.count({380, 260}));
    EXPECT_TRUE(white.count({300, 200}));   // the span cell's corner
    EXPECT_FALSE(white.count({360, 220}));
    // The white frames are drawn after the walk, over the red ones.
    auto pts = r.rec.of_type(gfx_event::POINT);
    EXPECT_TRUE(same_colour(pts.back(), 1, 1, 1));

    // "None" (100) in either field draws no white cell.
    t.sel_col = 100; t.span_row = 100;
    r.rec.reset();
    draw_table(t, true);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_FALSE(same_colour(e, 1, 1, 1));
}

TEST(Figures, ValvePictureLightsPixelsAboveTheThreshold)
{
    led_pitch = 3;
    // Row 0: luma exactly 128000 (dark), just above (lit); row 1: black, white.
    std::vector<uint8_t> bmp = make_bmp(2, 2, [](int i, int k) -> std::vector<int> {
        if (k == 0) return i == 0 ? std::vector<int>{128, 128, 128} : std::vector<int>{129, 128, 128};
        return i == 0 ? std::vector<int>{0, 0, 0} : std::vector<int>{255, 255, 255};
    });
    recording r;
    EXPECT_EQ(draw_bitmap_dots(5, 400, 300, 128, bmp.data(), (int32_t)bmp.size()), 0);
    EXPECT_EQ(lit_positions(r.rec), (dot_set{{403, 300}, {403, 303}}));
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) {
        EXPECT_TRUE(same_colour(e, 0, 1, 1));
        EXPECT_EQ(e.size, 3);
    }
    // The top picture row is drawn first.
    EXPECT_EQ(r.rec.of_type(gfx_event::POINT)[0].y[0], 300);

    // Columns and rows wrap at 256.
    std::vector<uint8_t> wide = make_bmp(258, 1, [](int i, int) -> std::vector<int> {
        return i == 257 ? std::vector<int>{255, 255, 255} : std::vector<int>{0, 0, 0};
    });
    r.rec.reset();
    draw_bitmap_dots(5, 400, 300, 128, wide.data(), (int32_t)wide.size());
    EXPECT_EQ(lit_positions(r.rec), (dot_set{{403, 300}}));
    led_pitch = 2;
}

TEST(Figures, HostilePicturesNeverReadOutsideTheFile)
{
    auto lit = [](int, int) -> std::vector<int> { return {255, 255, 255}; };
    recording r;
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, nullptr, 0), -1);

    std::vector<uint8_t> good = make_bmp(4, 4, lit);
    // Shorter than its header.
    for (int32_t len : {0, 10, 30, 53})
        EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, good.data(), len), -1) << len;
    // A length below the real size cuts the reading short, never past it.
    std::vector<uint8_t> cut(good.begin(), good.begin() + 54 + 12 + 5);
    r.rec.reset();
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, cut.data(), (int32_t)cut.size()), 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 4u + 1u);   // the bottom row and one pixel of the next

    // Pixel offset past the end, rows wider than 0x8000 bytes, nonsense sizes, other depths.
    std::vector<uint8_t> bad = good;
    put32(bad, 10, 0xFFFFFFF0u);
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), -1);
    bad = good;
    put32(bad, 18, 10923);   // stride 32772
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), -1);
    bad = good;
    put32(bad, 18, 0x80000000u);
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), -1);
    bad = good;
    put32(bad, 18, 0);
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), -1);
    bad = good;
    put32(bad, 22, 0x7FFFFFFFu);   // huge height: only the rows in the file are read
    r.rec.reset();
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 16u);
    bad = good;
    put32(bad, 22, 0x80000000u);   // the most negative height (top-down)
    r.rec.reset();
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, bad.data(), (int32_t)bad.size()), 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 16u);
    std::vector<uint8_t> deep = make_bmp(4, 4, lit, 32);
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, 128, deep.data(), (int32_t)deep.size()), -1);
    // A huge threshold cannot overflow: nothing is bright enough.
    r.rec.reset();
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, INT32_MAX, good.data(), (int32_t)good.size()), 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);
    r.rec.reset();
    EXPECT_EQ(draw_bitmap_dots(0, 400, 300, INT32_MIN, good.data(), (int32_t)good.size()), 0);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 16u);
}

TEST(Figures, TopDownPicturesReadTheirFirstRowAsTheTop)
{
    led_pitch = 2;
    // Built bottom-up with only the top row lit, then flipped in the header.
    std::vector<uint8_t> bmp = make_bmp(3, 2, [](int, int k) -> std::vector<int> {
        return k == 0 ? std::vector<int>{255, 255, 255} : std::vector<int>{0, 0, 0};
    });
    recording r;
    draw_bitmap_dots(1, 400, 300, 128, bmp.data(), (int32_t)bmp.size());
    EXPECT_EQ(lit_positions(r.rec), (dot_set{{400, 300}, {402, 300}, {404, 300}}));
    put32(bmp, 22, (uint32_t)-2);
    r.rec.reset();
    draw_bitmap_dots(1, 400, 300, 128, bmp.data(), (int32_t)bmp.size());
    EXPECT_EQ(lit_positions(r.rec), (dot_set{{400, 302}, {402, 302}, {404, 302}}));
}

TEST(Figures, FigureKindsUnselected)
{
    led_pitch = 2;
    Digit_unit& u = fresh(90, KIND_LINE);
    u.x = 300; u.y = 200; u.width = 50; u.height = 8; u.color = 4;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { draw_line(4, 300, 200, 350, 200); }));
    u.kind = KIND_VLINE;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { draw_line(4, 300, 200, 300, 208); }));
    u.kind = KIND_BLOCK;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }).size(), 64u);
    u.kind = KIND_COLON;
    dot_set colon = capture([&] { draw_figure(u, false); });
    EXPECT_EQ(colon.size(), 128u);
    EXPECT_TRUE(colon.count({300, 216}));
    EXPECT_FALSE(colon.count({300, 208}));
    u.kind = KIND_RECT;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { draw_rect(4, 300, 200, 350, 208); }));
    u.kind = KIND_FILLED_RECT;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { fill_rect(4, 300, 200, 350, 208); }));
    u.kind = KIND_CIRCLE;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { draw_circle(4, 300, 200, 8); }));
    u.kind = KIND_FILLED_CIRCLE;
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), capture([] { fill_circle(4, 300, 200, 8); }));
    for (uint8_t k : {7, 12, 200}) {
        u.kind = k;
        EXPECT_TRUE(capture([&] { draw_figure(u, false); }).empty()) << (int)k;
        EXPECT_TRUE(capture([&] { draw_figure(u, true); }).empty()) << (int)k;
    }
}

TEST(Figures, SelectedLinesAndRectanglesAreDashedInTheirColour)
{
    Digit_unit& u = fresh(91, KIND_LINE);
    u.x = 300; u.y = 200; u.width = 50; u.height = 30; u.color = 1;
    recording r;
    draw_figure(u, true);
    auto lines = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x[0], 300); EXPECT_EQ(lines[0].x[1], 350);
    EXPECT_EQ(lines[0].y[0], 200); EXPECT_EQ(lines[0].y[1], 200);
    EXPECT_TRUE(lines[0].stipple);
    EXPECT_EQ(lines[0].pattern, 0xAAAA);
    EXPECT_EQ(lines[0].size, 2);
    EXPECT_TRUE(same_colour(lines[0], 0, 1, 0));
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);

    for (uint8_t kind : {KIND_RECT, KIND_FILLED_RECT}) {
        u.kind = kind;
        u.color = 9;   // outside the table: the current colour stays
        r.rec.reset();
        gfx_color(0.25f, 0.5f, 0.75f);
        draw_figure(u, true);
        lines = r.rec.of_type(gfx_event::LINE);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[1].x[1], 350); EXPECT_EQ(lines[1].y[1], 230);
        EXPECT_EQ(lines[3].x[1], 300); EXPECT_EQ(lines[3].y[1], 200);   // closed
        for (const gfx_event& e : lines) {
            EXPECT_TRUE(e.stipple);
            EXPECT_TRUE(same_colour(e, 0.25f, 0.5f, 0.75f));
        }
    }
    // The stipple does not leak into what is drawn next.
    r.rec.reset();
    gfx_begin(GFX_LINES); gfx_vertex(0, 0); gfx_vertex(1, 1); gfx_end();
    EXPECT_FALSE(r.rec.of_type(gfx_event::LINE)[0].stipple);
}

TEST(Figures, SelectedCirclesShowARingInTheirColour)
{
    Digit_unit& u = fresh(124, KIND_CIRCLE);
    u.x = 300; u.y = 200; u.height = 20; u.color = 3;
    for (uint8_t kind : {KIND_CIRCLE, KIND_FILLED_CIRCLE}) {
        u.kind = kind;
        recording r;
        draw_figure(u, true);
        auto pts = r.rec.of_type(gfx_event::POINT);
        ASSERT_EQ(pts.size(), 20u);
        for (const gfx_event& e : pts) {
            EXPECT_TRUE(same_colour(e, 0, 0, 1));
            EXPECT_NEAR(std::hypot(e.x[0] - 300, e.y[0] - 200), 20, 1e-3);
        }
    }
}

TEST(Figures, ValveRecordsInThePaletteAndWithoutPicture)
{
    led_pitch = 2;
    Digit_unit& u = fresh(381, KIND_VALVE);
    u.x = 125; u.y = 335; u.width = 60; u.height = 25; u.color = 0;
    // Left of the panel: the framed template, whatever the picture.
    dot_set palette = capture([&] { draw_figure(u, false); });
    dot_set frame = capture([] { draw_rect(0, 125, 335, 185, 360); });
    for (const auto& p : frame) EXPECT_TRUE(palette.count(p));

    // On the panel without a picture: nothing, and the frame when selected.
    u.x = 400; u.y = 300;
    EXPECT_TRUE(capture([&] { draw_figure(u, false); }).empty());
    dot_set sel = capture([&] { draw_figure(u, true); });
    for (const auto& p : capture([] { draw_rect(0, 400, 300, 460, 325); })) EXPECT_TRUE(sel.count(p));

    // With a picture: its dots, and no frame when selected.
    std::vector<uint8_t> bmp = make_bmp(2, 1, [](int, int) -> std::vector<int> { return {255, 255, 255}; });
    u.bitmap = bmp.data();
    u.bitmap_len = (int32_t)bmp.size();
    EXPECT_EQ(capture([&] { draw_figure(u, true); }), (dot_set{{400, 300}, {402, 300}}));
    u.valve = 255;   // too bright a threshold: dark, but the picture is there
    EXPECT_TRUE(capture([&] { draw_figure(u, true); }).empty());
    u.bitmap_len = 20;   // a length that cannot hold the picture
    EXPECT_FALSE(capture([&] { draw_figure(u, true); }).empty());
    u.bitmap = nullptr;
    u.bitmap_len = 0;

    // The picture follows the valve's number: a valve numbered 3 shows the
    // picture loaded for number 3, whichever record holds it.
    u.valve = 128;
    u.reg_addr = 3;
    Digit_unit& three = digit_table[380 + 3];
    uint8_t* kept = three.bitmap;
    int32_t kept_len = three.bitmap_len;
    three.bitmap = bmp.data();
    three.bitmap_len = (int32_t)bmp.size();
    EXPECT_EQ(capture([&] { draw_figure(u, false); }), (dot_set{{400, 300}, {402, 300}}));
    u.reg_addr = 4;   // number 4 has no picture loaded: the record's own (none)
    EXPECT_TRUE(capture([&] { draw_figure(u, false); }).empty());
    three.bitmap = kept;
    three.bitmap_len = kept_len;
}

TEST(Figures, HugeFilledFiguresCostNoMoreThanTheWindow)
{
    led_pitch = 2;
    // Before the window has a size nothing is cut.
    dot_set inside = capture([] { fill_circle(1, 400, 300, 40); });
    dot_set rect = capture([] { fill_rect(1, 380, 280, 420, 320); });
    gfx_recorder rec;
    gfx_use(&rec);
    gfx_reshape(800, 600);
    // Figures inside the window are drawn exactly as before.
    EXPECT_EQ(capture([] { fill_circle(1, 400, 300, 40); }), inside);
    EXPECT_EQ(capture([] { fill_rect(1, 380, 280, 420, 320); }), rect);
    // A disc and a fill far larger than the window light only what lies near it.
    dot_set big = capture([] { fill_circle(2, 400, 300, 8000); });
    dot_set wide = capture([] { fill_rect(2, -100000, -100000, 100000, 100000); });
    for (const dot_set* s : {&big, &wide}) {
        EXPECT_LE(s->size(), (size_t)(800 + 129) * (600 + 129));
        EXPECT_TRUE(s->count({0, 0}));
        EXPECT_TRUE(s->count({799, 599}));
    }
    gfx_reshape(0, 0);
    gfx_use(nullptr);
}
