// Screen text: glyph textures, the shared cache, the pen, line feeds and wrapping.
#include "frame_helpers.h"
#include "items/palette.h"
#include <memory>

TEST(ScreenText, TextureSizesArePowersOfTwo)
{
    EXPECT_EQ(next_pow2(0), 1);
    EXPECT_EQ(next_pow2(1), 1);
    EXPECT_EQ(next_pow2(13), 16);
    EXPECT_EQ(next_pow2(16), 16);
    EXPECT_EQ(next_pow2(17), 32);
}

TEST(ScreenText, GlyphRecordsAreFilledOnceAndSharedBetweenFaces)
{
    need_screen_fonts();
    recording r;
    const char16_t big = u'\u6587';   // 文, first loaded through the 64 face
    glyph_cache[big] = glyph_record{};
    load_glyph_texture(3, big);
    glyph_record g64 = glyph_cache[big];
    ASSERT_NE(g64.texture, 0u);
    EXPECT_GT(g64.advance, 40);      // about 57 pixels per em
    EXPECT_EQ(g64.width & (g64.width - 1), 0);
    EXPECT_EQ(g64.height & (g64.height - 1), 0);

    // Asked again through the 24 face, the 64 glyph stays.
    draw_screen_text_sized(24, std::u16string(1, big), 100, 100, 500, 10);
    EXPECT_EQ(glyph_cache[big].texture, g64.texture);
    auto quads = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].texture, g64.texture);
    EXPECT_EQ(quads[0].x[1] - quads[0].x[0], g64.width);
    EXPECT_EQ(quads[0].y[2] - quads[0].y[0], g64.height);
    // The quad stands on the baseline: its bottom edge is baseline minus `bottom`.
    EXPECT_EQ(quads[0].y[2], 100 - g64.bottom);
    EXPECT_EQ(quads[0].x[0], 100 + g64.left);

    // The 36 face renders at 18 pixels per em.
    load_glyph_texture(1, u'8');
    EXPECT_EQ(glyph_cache[u'8'].ppem, 18);
}

TEST(ScreenText, PenLineFeedAndWrapRules)
{
    need_screen_fonts();
    recording r;
    load_glyph_texture(1, u'A');
    load_glyph_texture(1, u'B');
    const glyph_record A = glyph_cache[u'A'];
    const glyph_record B = glyph_cache[u'B'];
    ASSERT_GT(A.advance, 0);

    // A line feed returns to x and moves down by the line height + 12 (never less
    // than the tallest glyph texture met so far).
    gfx_color(1, 1, 1);
    draw_screen_text(u"A\nB", 50, 200, 500, 25);
    auto q = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(q.size(), 2u);
    int d = std::max(25, A.height);
    EXPECT_EQ(q[1].x[0], 50 + B.left);
    EXPECT_EQ(q[1].y[2], 200 + d + 12 - B.bottom);
    auto t = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, u"A\nB");
    EXPECT_TRUE(same_colour(t[0], 1, 1, 1));

    // The glyph that crosses the wrap width is still drawn on its line; the next one wraps.
    r.rec.reset();
    int wrap = A.advance + A.advance / 2;   // the second A crosses it
    draw_screen_text(u"AAA", 10, 100, wrap, 5);
    q = r.rec.of_type(gfx_event::TEXQUAD);
    ASSERT_EQ(q.size(), 3u);
    EXPECT_EQ(q[0].y[2], q[1].y[2]);
    EXPECT_EQ(q[1].x[0], 10 + A.advance + A.left);
    EXPECT_EQ(q[2].x[0], 10 + A.left);
    EXPECT_EQ(q[2].y[2], 100 + std::max(5, A.height) + 12 - A.bottom);

    // Sized faces: 48 picks its own face, an unknown size the 36 face.
    r.rec.reset();
    draw_screen_text_sized(48, u"x", 0, 0, 100, 10);
    draw_screen_text_sized(30, u"y", 0, 0, 100, 10);
    t = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].size, 48);
    EXPECT_EQ(t[1].size, 36);
}

TEST(ScreenText, PaletteFrameAndCaptions)
{
    need_screen_fonts();
    std::unique_ptr<document> d(new document());
    recording r;
    draw_palette(*d, 2, local_time{2026, 1, 2, 3, 4, 5, 5}, true);
    // The captions first, then the frame: 3 verticals, 7 fixed horizontals
    // and every 50 from 300 to 1950, under the palette's top edge.
    auto t = r.rec.of_type(gfx_event::TEXT);
    ASSERT_GE(t.size(), 17u);
    EXPECT_EQ(t[0].text, u"日期");
    EXPECT_EQ(t[0].x[0], 35);
    EXPECT_EQ(t[0].y[0], 35 + 145);
    EXPECT_EQ(t[6].text, u"Modbus");
    EXPECT_EQ(t[16].text, u"风向");
    EXPECT_EQ(t[16].y[0], 435 + 145);
    auto lines = r.rec.of_type(gfx_event::LINE);
    ASSERT_GE(lines.size(), 3u + 7u + 34u);
    EXPECT_EQ(lines[0].x[0], 25);
    EXPECT_EQ(lines[0].y[0], 145);
    EXPECT_EQ(lines[2].y[1], 1200 + 145);
    EXPECT_EQ(lines[3 + 7 + 33].y[0], 1950 + 145);
    // Then every sample: the clock's digits among them.
    EXPECT_GT(r.rec.of_type(gfx_event::POINT).size(), 100u);
}
