// The dot primitives, their colour and size rules, and the panel grid and rulers.
#include "frame_helpers.h"
#include "raster/canvas.h"
#include <algorithm>

TEST(Canvas, DotPrimitivesFollowTheColourAndSizeRules)
{
    recording r;
    canvas_use_pitch(2);
    draw_dot(3, 10, 20);      // blue at the pitch
    draw_dot(7, 11, 21);      // code 7: 3 pixels, colour kept (blue)
    draw_text_dot(3, 12, 22);
    draw_text_dot(7, 13, 23); // text code 7: the pitch, blue
    draw_dot(8, 14, 24);      // any other code: the pitch, colour kept
    draw_dot(0xFF, 15, 25);   // black 2-pixel marker
    draw_text_dot(0xFF, 16, 26);        // orange-red 2-pixel marker
    draw_text_dot_double(0xFF, 17, 27); // orange-red 4-pixel marker
    draw_dot(256, 18, 28);    // only the low byte counts: red
    draw_text_dot_double(5, 19, 29);    // cyan at 2 * the pitch
    draw_dot(-250, 20, 30);   // low byte 6: white

    auto pts = r.rec.of_type(gfx_event::POINT);
    ASSERT_EQ(pts.size(), 11u);
    EXPECT_EQ(pts[0].x[0], 10); EXPECT_EQ(pts[0].y[0], 20);
    EXPECT_EQ(pts[0].size, 2); EXPECT_TRUE(same_colour(pts[0], 0, 0, 1));
    EXPECT_EQ(pts[1].size, 3); EXPECT_TRUE(same_colour(pts[1], 0, 0, 1));
    EXPECT_EQ(pts[2].size, 2); EXPECT_TRUE(same_colour(pts[2], 0, 0, 1));
    EXPECT_EQ(pts[3].size, 2); EXPECT_TRUE(same_colour(pts[3], 0, 0, 1));
    EXPECT_EQ(pts[4].size, 2); EXPECT_TRUE(same_colour(pts[4], 0, 0, 1));
    EXPECT_EQ(pts[5].size, 2); EXPECT_TRUE(same_colour(pts[5], 0, 0, 0));
    EXPECT_EQ(pts[6].size, 2); EXPECT_TRUE(same_colour(pts[6], 1, 0.2f, 0));
    EXPECT_EQ(pts[7].size, 4); EXPECT_TRUE(same_colour(pts[7], 1, 0.2f, 0));
    EXPECT_EQ(pts[8].size, 2); EXPECT_TRUE(same_colour(pts[8], 1, 0, 0));
    EXPECT_EQ(pts[9].size, 4); EXPECT_TRUE(same_colour(pts[9], 0, 1, 1));
    EXPECT_TRUE(same_colour(pts[10], 1, 1, 1));

    // The marker does not follow the zoom; the ordinary dot does.
    r.rec.reset();
    canvas_use_pitch(5);
    draw_dot(0xFF, 0, 0);
    draw_dot(2, 0, 0);
    draw_text_dot_double(1, 0, 0);
    pts = r.rec.of_type(gfx_event::POINT);
    EXPECT_EQ(pts[0].size, 2);
    EXPECT_EQ(pts[1].size, 5);
    EXPECT_EQ(pts[2].size, 10);
    canvas_use_pitch(2);
}

namespace {

struct grid_lines {
    int horizontal = 0, vertical = 0;
    std::vector<float> xs, ys;
};

// Dark-grey lines of one recorded grid, split by direction.
grid_lines grey_lines(const gfx_recorder& rec)
{
    grid_lines g;
    for (const gfx_event& e : rec.of_type(gfx_event::LINE)) {
        if (!same_colour(e, 0.2f, 0.2f, 0.2f)) continue;
        if (e.y[0] == e.y[1]) { g.horizontal++; g.ys.push_back(e.y[0]); }
        else { g.vertical++; g.xs.push_back(e.x[0]); }
    }
    return g;
}

} // namespace

// A view of a window 1300 x 791 laid out for a w x h panel at pitch p.
view laid_out(int w, int h, int p)
{
    view v;
    v.pitch = p;
    v.window_w = 1300;
    v.window_h = 791;
    content_box c;
    c.x1 = w;
    c.y1 = h;
    view_layout(v, c);
    canvas_use_pitch(p);
    return v;
}

// The numbers the rulers show along the top, in order.
std::vector<std::u16string> top_labels(const gfx_recorder& rec, int area_y)
{
    std::vector<std::u16string> out;
    for (const gfx_event& e : rec.of_type(gfx_event::TEXT))
        if (e.y[0] == area_y - 5) out.push_back(e.text);
    return out;
}

TEST(Canvas, GridTicksAndLabelsFollowThePanelThePitchAndThePan)
{
    need_screen_fonts();
    recording r;

    view v = laid_out(256, 64, 2);
    draw_panel_grid(v, 256, 64);
    grid_lines g = grey_lines(r.rec);
    EXPECT_EQ(g.vertical, 256 / 4 - 1);
    EXPECT_EQ(g.horizontal, 64 / 4 - 1);
    EXPECT_EQ(g.xs.front(), 265 + 8);   // 4 dots at pitch 2
    EXPECT_EQ(g.ys.back(), 145 + 15 * 8);
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.x[0] == e.x[1]) { EXPECT_EQ(e.y[1], 145 + 128); }  // full panel height

    // The rulers: two axes along the area and a tick every 32 dots in view,
    // numbered along the top from 0 and down the side from 32.
    r.rec.reset();
    draw_panel_rulers(v);
    const int top_ticks = (1300 - 265 - 1) / 64 + 1, side_ticks = (791 - 145 - 1) / 64 + 1;
    int ticks = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE)) ticks += e.y[1] == 145 - 15 || e.x[1] == 265 - 15;
    EXPECT_EQ(ticks, top_ticks + side_ticks);
    auto texts = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(texts.size(), (size_t)(top_ticks + side_ticks - 1));
    EXPECT_EQ(texts[0].text, u"0");
    EXPECT_EQ(texts[0].x[0], 265 + 3);
    EXPECT_EQ(texts[1].text, u"32");
    EXPECT_EQ(texts[top_ticks].text, u"32");
    // Side numbers end left of the area, so none reaches into the panel.
    EXPECT_EQ(texts[top_ticks].x[0] + screen_text_width(u"32"), 265 - 3);
    EXPECT_EQ(texts[top_ticks].y[0], 145 + 64 - 5);

    // Panned 100 dots right on a panel wider than the area: the rulers number
    // the dots in view, the grid stays inside the area.
    v = laid_out(1024, 64, 2);
    v.scroll_x = 200;
    view_layout(v, v.content);
    EXPECT_TRUE(v.hbar);
    r.rec.reset();
    draw_panel_rulers(v);
    std::vector<std::u16string> labels = top_labels(r.rec, v.area_y);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), u"128");
    r.rec.reset();
    draw_panel_grid(v, 1024, 64);
    g = grey_lines(r.rec);
    EXPECT_GE(*std::min_element(g.xs.begin(), g.xs.end()), v.area_x);
    EXPECT_LE(*std::max_element(g.xs.begin(), g.xs.end()), v.area_x + v.area_w);

    // Narrower than 4 dots: no vertical lines; 8 wide at pitch 3: one at dot column 4.
    r.rec.reset();
    v = laid_out(3, 3, 2);
    draw_panel_grid(v, 3, 3);
    g = grey_lines(r.rec);
    EXPECT_EQ(g.vertical, 0);
    EXPECT_EQ(g.horizontal, 0);
    r.rec.reset();
    v = laid_out(8, 16, 3);
    draw_panel_grid(v, 8, 16);
    g = grey_lines(r.rec);
    ASSERT_EQ(g.vertical, 1);
    EXPECT_EQ(g.xs[0], 265 + 12);
    EXPECT_EQ(g.horizontal, 3);

    // Pitch 1: grid lines 4 pixels apart, ticks 32 pixels apart.
    r.rec.reset();
    v = laid_out(64, 32, 1);
    draw_panel_grid(v, 64, 32);
    g = grey_lines(r.rec);
    ASSERT_GE(g.xs.size(), 2u);
    EXPECT_EQ(g.xs[1] - g.xs[0], 4);
    r.rec.reset();
    draw_panel_rulers(v);
    std::vector<float> tick_x;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.y[1] == 145 - 15) tick_x.push_back(e.x[0]);
    ASSERT_GE(tick_x.size(), 2u);
    EXPECT_EQ(tick_x[1] - tick_x[0], 32);
    canvas_use_pitch(2);
}

TEST(Canvas, PanelBackgroundCoversThePanelAtThePitch)
{
    recording r;
    canvas_use_pitch(3);
    draw_panel_background(265, 145, 256, 64);
    auto quads = r.rec.of_type(gfx_event::QUAD);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_TRUE(same_colour(quads[0], 0, 0, 0));
    EXPECT_EQ(quads[0].x[0], 265); EXPECT_EQ(quads[0].y[0], 145);
    EXPECT_EQ(quads[0].x[2], 265 + 768); EXPECT_EQ(quads[0].y[2], 145 + 192);
    canvas_use_pitch(2);
}
