// Figure primitives, figure kinds, tables with merges and valve pictures.
#include "dot_helpers.h"
#include "items/figures.h"
#include "items/graphic_items.h"
#include "items/table_item.h"
#include "raster/canvas.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
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

item fresh(item_kind kind)
{
    item u;
    u.kind = kind;
    return u;
}


// What the kind's own drawing lights.
dot_set drawn(const item& u, const item_draw_ctx& c)
{
    return capture([&] { kind_of(u).draw(u, c); });
}

// A table of cols x rows cells of w x h dots.
item table(int cols, int rows, int w, int h)
{
    item t = fresh(KIND_TABLE);
    t.grid = table_grid{};
    t.grid.cols = (uint8_t)cols;
    t.grid.rows = (uint8_t)rows;
    for (int i = 0; i < TABLE_MAX; i++) {
        t.grid.col_w[i] = w;
        t.grid.row_h[i] = h;
    }
    return t;
}

// Valve picture `number` of the document holds a copy of `bmp`, `len` bytes of it said.
void give_picture(document& d, int number, const std::vector<uint8_t>& bmp, int32_t len)
{
    free(d.valves[number].bytes);
    d.valves[number].bytes = (uint8_t*)malloc(bmp.size());
    memcpy(d.valves[number].bytes, bmp.data(), bmp.size());
    d.valves[number].len = len;
}

} // namespace

TEST(Figures, LineLightsTheStatedPixelsInEitherDirection)
{
    canvas_use_pitch(2);
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
    canvas_use_pitch(2);
    item t = table(2, 3, 20, 10);
    t.color = 2;
    recording r;
    draw_item(t, at(300, 200));
    EXPECT_EQ(measure_item(t).w, 40);
    EXPECT_EQ(measure_item(t).h, 30);
    dot_set d = lit_positions(r.rec);
    // Six frames: vertical lines at 300, 340, 380; horizontal at 200, 220, 240, 260.
    for (int x : {300, 340, 380})
        for (int y = 200; y <= 260; y++) EXPECT_TRUE(d.count({x, y})) << x << "," << y;
    for (int y : {200, 220, 240, 260})
        for (int x = 300; x <= 380; x++) EXPECT_TRUE(d.count({x, y})) << x << "," << y;
    EXPECT_EQ(d.size(), 3u * 61 + 4u * 81 - 12);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_TRUE(same_colour(e, 1, 1, 0));

    // A merge of the first row's two cells covers the grid line between them
    // with black 2-pixel markers, a dot short of each end; at any zoom.
    t.grid.merge_count = 1;
    t.grid.merges[0] = table_merge{0, 0, 20, 1, 20, 9};
    for (int pitch : {2, 4}) {
        canvas_use_pitch(pitch);
        item_draw_ctx c = at(300, 200);
        c.pitch = pitch;
        r.rec.reset();
        draw_item(t, c);
        int markers = 0;
        for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) {
            if (same_colour(e, 0, 0, 0)) {
                markers++;
                EXPECT_EQ(e.size, 2);
                EXPECT_EQ(e.x[0], 300 + 20 * pitch);
                EXPECT_GE(e.y[0], 200 + pitch);
                EXPECT_LE(e.y[0], 200 + 9 * pitch);
            }
        }
        EXPECT_EQ(markers, 8 * pitch + 1) << "pitch " << pitch;
    }
    canvas_use_pitch(2);
}

TEST(Figures, TableNeverReadsPastItsFiftyColumnsAndRows)
{
    item t = table(255, 255, 1, 2);
    item_draw_ctx c = at(300, 200, true);
    c.look.sel_col = 60;     // outside the 50 columns: no white cell
    c.look.sel_row = 1;
    recording r;
    draw_item(t, c);
    EXPECT_EQ(measure_item(t).w, 50);
    EXPECT_EQ(measure_item(t).h, 100);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) {
        EXPECT_LE(e.x[0], 400);
        EXPECT_FALSE(same_colour(e, 1, 1, 1));
    }
}

TEST(Figures, SelectedTableDrawsThePickedAndSpanCellsWhite)
{
    item t = table(2, 3, 20, 10);
    t.color = 0;
    item_draw_ctx c = at(300, 200, true);
    c.look.sel_col = 1; c.look.sel_row = 2;
    c.look.span_col = 0; c.look.span_row = 0;
    recording r;
    kind_of(t).draw(t, c);
    dot_set white;
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT))
        if (same_colour(e, 1, 1, 1)) white.insert({(int)e.x[0], (int)e.y[0]});
    EXPECT_EQ(white.size(), 2u * (2 * 41 + 2 * 19));
    EXPECT_TRUE(white.count({340, 240}));   // the picked cell's corner
    EXPECT_TRUE(white.count({380, 260}));
    EXPECT_TRUE(white.count({300, 200}));   // the span cell's corner
    EXPECT_FALSE(white.count({360, 220}));
    // The white frames are drawn after the walk, over the red ones.
    auto pts = r.rec.of_type(gfx_event::POINT);
    EXPECT_TRUE(same_colour(pts.back(), 1, 1, 1));

    // "None" (100) in either field draws no white cell, and neither does the plain look.
    c.look.sel_col = 100; c.look.span_row = 100;
    r.rec.reset();
    kind_of(t).draw(t, c);
    c = at(300, 200);
    c.look.sel_col = 1; c.look.sel_row = 2;
    kind_of(t).draw(t, c);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_FALSE(same_colour(e, 1, 1, 1));
}

TEST(Figures, ValvePictureLightsPixelsAboveTheThreshold)
{
    canvas_use_pitch(3);
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
    canvas_use_pitch(2);
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
    canvas_use_pitch(2);
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
    canvas_use_pitch(2);
    item u = fresh(KIND_LINE);
    u.w = 25; u.h = 4; u.color = 4;
    const item_draw_ctx c = at(300, 200);
    EXPECT_EQ(drawn(u, c), capture([] { draw_line(4, 300, 200, 350, 200); }));
    u.kind = KIND_VLINE;
    EXPECT_EQ(drawn(u, c), capture([] { draw_line(4, 300, 200, 300, 208); }));
    u.kind = KIND_BLOCK;
    EXPECT_EQ(drawn(u, c).size(), 64u);
    u.kind = KIND_COLON;
    dot_set colon = drawn(u, c);
    EXPECT_EQ(colon.size(), 128u);
    EXPECT_TRUE(colon.count({300, 216}));
    EXPECT_FALSE(colon.count({300, 208}));
    u.kind = KIND_RECT;
    EXPECT_EQ(drawn(u, c), capture([] { draw_rect(4, 300, 200, 350, 208); }));
    u.kind = KIND_FILLED_RECT;
    EXPECT_EQ(drawn(u, c), capture([] { fill_rect(4, 300, 200, 350, 208); }));
    u.kind = KIND_CIRCLE;
    EXPECT_EQ(drawn(u, c), capture([] { draw_circle(4, 300, 200, 8); }));
    u.kind = KIND_FILLED_CIRCLE;
    EXPECT_EQ(drawn(u, c), capture([] { fill_circle(4, 300, 200, 8); }));

    // A zoom changes only where the dots fall: at pitch 3 the same rectangle is larger.
    canvas_use_pitch(3);
    u.kind = KIND_RECT;
    item_draw_ctx c3 = c;
    c3.pitch = 3;
    EXPECT_EQ(drawn(u, c3), capture([] { draw_rect(4, 300, 200, 375, 212); }));
    canvas_use_pitch(2);
}

TEST(Figures, SelectedLinesAndRectanglesAreDashedInTheirColour)
{
    item u = fresh(KIND_LINE);
    u.w = 25; u.h = 15; u.color = 1;
    recording r;
    kind_of(u).draw(u, at(300, 200, true));
    auto lines = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x[0], 300); EXPECT_EQ(lines[0].x[1], 350);
    EXPECT_EQ(lines[0].y[0], 200); EXPECT_EQ(lines[0].y[1], 200);
    EXPECT_TRUE(lines[0].stipple);
    EXPECT_EQ(lines[0].pattern, 0xAAAA);
    EXPECT_EQ(lines[0].size, 2);
    EXPECT_TRUE(same_colour(lines[0], 0, 1, 0));
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);

    for (item_kind kind : {KIND_RECT, KIND_FILLED_RECT}) {
        u.kind = kind;
        u.color = 9;   // outside the table: the current colour stays
        r.rec.reset();
        gfx_color(0.25f, 0.5f, 0.75f);
        kind_of(u).draw(u, at(300, 200, true));
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
    item u = fresh(KIND_CIRCLE);
    u.h = 10; u.color = 3;
    for (item_kind kind : {KIND_CIRCLE, KIND_FILLED_CIRCLE}) {
        u.kind = kind;
        recording r;
        kind_of(u).draw(u, at(300, 200, true));
        auto pts = r.rec.of_type(gfx_event::POINT);
        ASSERT_EQ(pts.size(), 20u);
        for (const gfx_event& e : pts) {
            EXPECT_TRUE(same_colour(e, 0, 0, 1));
            EXPECT_NEAR(std::hypot(e.x[0] - 300, e.y[0] - 200), 20, 1e-3);
        }
    }
}

TEST(Figures, ValvesInThePaletteAndWithoutPicture)
{
    canvas_use_pitch(2);
    std::unique_ptr<document> d(new document());
    item u = fresh(KIND_VALVE);
    u.w = 30; u.h = 12; u.color = 0; u.code = 3;
    // A palette sample: the framed template, whatever the picture.
    item_draw_ctx sample = at(125, 335, false, d.get());
    sample.sample = true;
    dot_set palette = drawn(u, sample);
    for (const auto& p : capture([] { draw_rect(0, 125, 335, 185, 359); })) EXPECT_TRUE(palette.count(p));

    // On the panel without a picture: nothing, and the frame when selected.
    EXPECT_TRUE(drawn(u, at(400, 300, false, d.get())).empty());
    dot_set sel = drawn(u, at(400, 300, true, d.get()));
    for (const auto& p : capture([] { draw_rect(0, 400, 300, 460, 324); })) EXPECT_TRUE(sel.count(p));

    // With the picture of its number: its dots, and no frame when selected.
    std::vector<uint8_t> bmp = make_bmp(2, 1, [](int, int) -> std::vector<int> { return {255, 255, 255}; });
    give_picture(*d, 3, bmp, (int32_t)bmp.size());
    EXPECT_EQ(drawn(u, at(400, 300, true, d.get())), (dot_set{{400, 300}, {402, 300}}));
    EXPECT_EQ(drawn(u, at(400, 300, false, d.get())), (dot_set{{400, 300}, {402, 300}}));
    u.valve = 255;   // too bright a threshold: dark, but the picture is there
    EXPECT_TRUE(drawn(u, at(400, 300, true, d.get())).empty());
    u.valve = 128;
    EXPECT_EQ(drawn(u, sample), palette);   // the sample never shows a picture
    give_picture(*d, 3, bmp, 20);   // a length that cannot hold the picture
    EXPECT_FALSE(drawn(u, at(400, 300, true, d.get())).empty());
    EXPECT_TRUE(drawn(u, at(400, 300, false, d.get())).empty());

    // Number 4 has no picture loaded: nothing, whatever number 3 holds.
    give_picture(*d, 3, bmp, (int32_t)bmp.size());
    u.code = 4;
    EXPECT_TRUE(drawn(u, at(400, 300, false, d.get())).empty());
    // A number outside the pictures shows none either.
    u.code = VALVE_PICTURES;
    EXPECT_TRUE(drawn(u, at(400, 300, false, d.get())).empty());
}

TEST(Figures, HugeFilledFiguresCostNoMoreThanTheWindow)
{
    canvas_use_pitch(2);
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
