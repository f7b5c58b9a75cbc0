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

TEST(Canvas, GridTicksAndLabelsFollowThePanelAndThePitch)
{
    need_screen_fonts();
    recording r;

    canvas_use_pitch(2);
    draw_panel_grid(256, 64);
    grid_lines g = grey_lines(r.rec);
    EXPECT_EQ(g.vertical, 256 / 4 - 1);
    EXPECT_EQ(g.horizontal, 64 / 4 - 1);
    EXPECT_EQ(g.xs.front(), 8);   // 4 dots at pitch 2
    EXPECT_EQ(g.ys.back(), 15 * 8);
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (same_colour(e, 0.2f, 0.2f, 0.2f) && e.x[0] == e.x[1]) { EXPECT_EQ(e.y[1], 128); }  // full panel height

    // White: the two axes, 100 + 200 ruler ticks 15 pixels long.
    int white = 0, ticks = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE)) {
        if (!same_colour(e, 1, 1, 1)) continue;
        white++;
        if (e.y[1] == -15 || e.x[1] == -15) ticks++;
    }
    EXPECT_EQ(white, 302);
    EXPECT_EQ(ticks, 300);

    // Ruler numbers: 50 along the top (from "0"), 49 down the side (from "32").
    auto texts = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(texts.size(), 99u);
    EXPECT_EQ(texts[0].text, u"0");
    EXPECT_EQ(texts[0].x[0], 3);
    EXPECT_EQ(texts[0].y[0], -5);
    EXPECT_EQ(texts[1].text, u"32");
    EXPECT_EQ(texts[1].x[0], 32 * 2 + 3);
    EXPECT_EQ(texts[49].text, u"1568");
    EXPECT_EQ(texts[50].text, u"32");
    EXPECT_EQ(texts[50].x[0], -25);
    EXPECT_EQ(texts[50].y[0], 64 - 5);

    // Narrower than 4 dots: no vertical lines; 8 wide: exactly one at dot column 4.
    r.rec.reset();
    canvas_use_pitch(2);
    draw_panel_grid(3, 3);
    g = grey_lines(r.rec);
    EXPECT_EQ(g.vertical, 0);
    EXPECT_EQ(g.horizontal, 0);

    r.rec.reset();
    canvas_use_pitch(3);
    draw_panel_grid(8, 16);
    g = grey_lines(r.rec);
    ASSERT_EQ(g.vertical, 1);
    EXPECT_EQ(g.xs[0], 12);
    EXPECT_EQ(g.horizontal, 3);

    // Pitch 1: grid lines 4 pixels apart, ticks 32 pixels apart.
    r.rec.reset();
    canvas_use_pitch(1);
    draw_panel_grid(64, 32);
    g = grey_lines(r.rec);
    ASSERT_GE(g.xs.size(), 2u);
    EXPECT_EQ(g.xs[1] - g.xs[0], 4);
    std::vector<float> tick_x;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (same_colour(e, 1, 1, 1) && e.y[1] == -15) tick_x.push_back(e.x[0]);
    ASSERT_EQ(tick_x.size(), 100u);
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
