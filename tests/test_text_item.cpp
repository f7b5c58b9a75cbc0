// Text items: measuring, boxes, the scrolling cut, the selected look.
#include "dot_helpers.h"
#include "app/workspace.h"
#include "frame_helpers.h"
#include "items/text_item.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include "raster/view.h"
#include <memory>

namespace {

// Point the font paths at the files the build generated beside the program.
void use_built_fonts()
{
    doc_paths p;
    build_base_paths(p, LUMIKER_BUILD_DIR "/");
    dot_font_use_files(p);
    dot_font_init();
}

item text_item(int x, int y, int font, const char* gbk)
{
    item t;
    t.kind = KIND_TEXT;
    t.x = x;
    t.y = y;
    t.font_size = (uint8_t)font;
    copy_field(t.text, TEXT_LEN, gbk);
    return t;
}


// The dots draw_dot_text lights for `gbk` at (x, y).
std::vector<gfx_event> dots_of(const char* gbk, int size, int colour, int x, int y)
{
    gfx_recorder rec;
    gfx_backend* before = gfx_current();
    gfx_use(&rec);
    char copy[TEXT_LEN];
    copy_field(copy, sizeof copy, gbk);
    draw_dot_text((uint8_t)size, (uint8_t)colour, x, y, copy);
    gfx_use(before);
    return rec.of_type(gfx_event::POINT);
}

bool same_dots(const std::vector<gfx_event>& a, const std::vector<gfx_event>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].x[0] != b[i].x[0] || a[i].y[0] != b[i].y[0] || !same_colour(a[i], b[i].r, b[i].g, b[i].b))
            return false;
    return true;
}

// A document on a panel of w x h dots.
std::unique_ptr<document> panel_of(int w, int h)
{
    std::unique_ptr<document> d(new document());
    d->settings.panel_w = w;
    d->settings.panel_h = h;
    return d;
}

} // namespace

TEST(TextItem, MeasureCountsHalfWidthCharactersAndLines)
{
    int32_t chars = 0, widest = 0, lines = 0;
    measure_text("ab\\C4cdef", chars, widest, lines);
    EXPECT_EQ(chars, 4);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(widest, 2);   // raised at the line break; the caller raises it further

    // Colour codes count nothing, \C5 counts one, a lone backslash is skipped,
    // a double-byte character counts two.
    widest = 0;
    measure_text("\\C1a\\C5b\\xy", chars, widest, lines);
    EXPECT_EQ(chars, 5);    // a, 5 (of \C5), b, x, y
    std::string zh = gbk_from_utf8("中文");
    measure_text(zh.c_str(), chars, widest, lines);
    EXPECT_EQ(chars, 4);

    // The widest line is never lowered by measuring again.
    widest = 9;
    measure_text("ab", chars, widest, lines);
    EXPECT_EQ(widest, 9);

    // A text ending in a backslash or "\C" stops at its end.
    measure_text("ab\\", chars, widest, lines);
    EXPECT_EQ(chars, 2);
    measure_text("ab\\C", chars, widest, lines);
    EXPECT_EQ(chars, 2);
}

TEST(TextItem, StaticBoxFollowsTheWidestLineWithinThePanel)
{
    item t = text_item(17, 27, 16, "ab\\C4cdef");
    dot_box b = measure_item(t);
    EXPECT_EQ(b.w, 8 * 4);          // four half-width characters of 8 dots
    EXPECT_EQ(b.h, 18 * 2);         // two lines of 16 dots and their gap

    // Deleting characters narrows the box again.
    copy_field(t.text, TEXT_LEN, "ab");
    b = measure_item(t);
    EXPECT_EQ(b.w, 8 * 2);
    EXPECT_EQ(b.h, 18);

    // It never reaches past the panel's right edge: the dotted box a selected
    // text shows stops there.
    auto d = panel_of(40, 40);
    copy_field(t.text, TEXT_LEN, "abcdefgh");
    EXPECT_EQ(measure_item(*d, t).w, 40 - 17);
    recording r;
    item_draw_ctx c = at(300, 200, true, d.get());
    c.look.description = c.look.buttons = false;
    draw_item(t, c);
    float right = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.stipple) right = std::max({right, e.x[0], e.x[1]});
    EXPECT_EQ(right, 300 + 2 * (40 - 17));

    // A scrolling text keeps the box it was given.
    t.mode = TEXT_SCROLLING;
    t.w = 90;
    t.h = 16;
    EXPECT_EQ(measure_item(*d, t).w, 90);
}

TEST(TextItem, ScrollingWindowNeverShowsHalfACharacter)
{
    use_built_fonts();
    canvas_use_pitch(2);
    item t = text_item(17, 27, 16, gbk_from_utf8("AB中文CD").c_str());
    t.mode = TEXT_SCROLLING;
    t.color = 1;
    const std::string full(t.text);
    // A 16-dot font: one byte is 8 dots of box, so a box of 40 dots holds 5 bytes:
    // "AB" + 中 + half of 文. The cut drops the lone first half.
    t.w = 40;
    recording r;
    draw_item(t, at(300, 200, false));
    auto cut = r.rec.of_type(gfx_event::POINT);
    auto expect = dots_of(full.substr(0, 4).c_str(), 16, 1, 300, 200);
    ASSERT_FALSE(expect.empty()) << "no dot-matrix font files beside the build";
    EXPECT_TRUE(same_dots(cut, expect)) << cut.size() << " dots drawn, " << expect.size() << " expected";

    // Ending exactly after a whole double-byte character cuts nothing.
    r.rec.reset();
    t.w = 48;   // 6 bytes
    draw_item(t, at(300, 200, false));
    EXPECT_TRUE(same_dots(r.rec.of_type(gfx_event::POINT), dots_of(full.substr(0, 6).c_str(), 16, 1, 300, 200)));

    // A box narrower than one half-width character shows nothing.
    r.rec.reset();
    t.w = 7;
    draw_item(t, at(300, 200, false));
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);

    // Selected, the whole text is shown although the box is narrower.
    r.rec.reset();
    t.w = 8;
    item_draw_ctx c = at(300, 200, true);
    c.look.description = c.look.buttons = false;
    draw_item(t, c);
    EXPECT_TRUE(same_dots(r.rec.of_type(gfx_event::POINT), dots_of(full.c_str(), 16, 1, 300, 200)));

    // A text standing far right of the window never wraps round onto its left.
    for (bool selected : {false, true}) {
        r.rec.reset();
        t.mode = TEXT_STATIC;
        c = at(INT32_MAX, 200, selected);
        c.look.description = c.look.buttons = false;
        draw_item(t, c);
        for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) ASSERT_GT(e.x[0], 0) << selected;
    }
}

TEST(TextItem, SelectedItemShowsBoxCaretDescriptionAndButtons)
{
    need_screen_fonts();
    canvas_use_pitch(2);
    auto d = panel_of(256, 64);
    view v;
    item t = text_item(10, 5, 12, "abc");
    const int x = view_x(v, t.x), y = view_y(v, t.y);
    // As the frame draws the current text: the item, then its controls.
    auto selected = [](const item& it, const item_draw_ctx& c) {
        draw_item(it, c);
        draw_selection_controls(it, c);
    };
    recording r;
    selected(t, at(x, y, true, d.get()));

    // Dotted box in white, 1 pixel wide, stipple pattern 0xAAAA, round the three characters.
    int box = 0;
    float right = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.stipple) {
            box++;
            EXPECT_EQ(e.pattern, 0xAAAA);
            EXPECT_EQ(e.size, 1);
            right = std::max({right, e.x[0], e.x[1]});
        }
    EXPECT_EQ(box, 4);
    EXPECT_EQ(right, x + 6 * 2 * 3);
    // Caret: white, 2 wide, after the third character, one character high.
    bool caret = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (!e.stipple && e.size == 2 && same_colour(e, 1, 1, 1)) {
            caret = true;
            EXPECT_EQ(e.x[0], x + 6 * 2 * 3);
            EXPECT_EQ(e.y[0], y);
            EXPECT_EQ(e.y[1], y + 2 * 12);
        }
    EXPECT_TRUE(caret);

    // Description in yellow, size 30; dot coordinates in size 36; nudge and 6 property buttons.
    auto texts = r.rec.of_type(gfx_event::TEXT);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, u"静态常显,字号=12");
    EXPECT_TRUE(same_colour(texts[0], 1, 1, 0));
    EXPECT_EQ(texts[0].size, 24 + 12);   // 30 has no face of its own: the 36 face draws it
    EXPECT_EQ(texts[0].x[0], 550);
    EXPECT_EQ(texts[0].y[0], 120);
    EXPECT_EQ(texts[1].text, u"x=10,y=5");
    EXPECT_EQ(texts[1].x[0], 420);
    int labels = 0;
    for (const gfx_event& e : texts)
        if (e.text == u"X+" || e.text == u"Y-" || e.text == u"字体+" || e.text == u"类型-") labels++;
    EXPECT_EQ(labels, 4);
    EXPECT_EQ(texts.size(), 2u + 4u + 6u);

    // The item alone shows no controls: the frame draws them once, apart.
    r.rec.reset();
    draw_item(t, at(x, y, true, d.get()));
    EXPECT_EQ(r.rec.count(gfx_event::TEXT), 0u);
    EXPECT_EQ(r.rec.count(gfx_event::QUAD), 0u);

    // The controls keep their places and sizes at every zoom.
    r.rec.reset();
    draw_selection_controls(t, at(x, y, true, d.get()));
    const std::vector<gfx_event> at_2 = r.rec.events;
    for (int pitch : {1, 4, 8}) {
        r.rec.reset();
        item_draw_ctx c = at(x, y, true, d.get());
        c.pitch = pitch;
        draw_selection_controls(t, c);
        ASSERT_EQ(r.rec.events.size(), at_2.size()) << pitch;
        for (size_t k = 0; k < at_2.size(); k++) {
            EXPECT_EQ(r.rec.events[k].type, at_2[k].type) << pitch << " event " << k;
            const int corners = at_2[k].type == gfx_event::QUAD || at_2[k].type == gfx_event::TEXQUAD ? 4
                                : at_2[k].type == gfx_event::LINE                                     ? 2
                                                                                                      : 1;
            for (int c4 = 0; c4 < corners; c4++) {
                EXPECT_EQ(r.rec.events[k].x[c4], at_2[k].x[c4]) << pitch << " event " << k;
                EXPECT_EQ(r.rec.events[k].y[c4], at_2[k].y[c4]) << pitch << " event " << k;
            }
        }
    }

    // Outside the panel: description, but no coordinates and no nudge buttons.
    r.rec.reset();
    t.x = -10;
    selected(t, at(view_x(v, t.x), y, true, d.get()));
    texts = r.rec.of_type(gfx_event::TEXT);
    EXPECT_EQ(texts.size(), 1u + 6u);

    // In a group: box, caret and property buttons, no description.
    r.rec.reset();
    t.x = 10;
    t.mode = TEXT_STATIC_SWITCHED;
    item_draw_ctx c = at(x, y, true, d.get());
    c.look.description = false;
    selected(t, c);
    texts = r.rec.of_type(gfx_event::TEXT);
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].text, u"字体+");
}

TEST(TextItem, DescriptionsOfEveryModeAndDirection)
{
    item t = text_item(0, 0, 16, "");
    t.w = 32; t.h = 16; t.speed = 8; t.code = 0;
    char buf[256];
    t.mode = TEXT_SCROLLING;
    t.direction = 0;
    describe_text_item(t, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "滚动常显字,字号16,宽32,高16,速度8,方向:左移");
    t.mode = TEXT_SCROLLING_SWITCHED;
    t.direction = 6;
    describe_text_item(t, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "滚动可控字:4x40001,字号16,宽32,高16,速度8,方向:遥控换页");
    t.mode = TEXT_STATIC_SWITCHED;
    t.code = 41;
    describe_text_item(t, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "静态可控字:4x40042,字号=16");
    const char* words[] = {"左移", "右移", "上移", "下移", "换页", "超长文本", "遥控换页"};
    t.mode = TEXT_SCROLLING;
    for (int d = 0; d < 7; d++) {
        t.direction = (uint8_t)d;
        describe_text_item(t, buf, sizeof buf);
        std::string u = gbk_to_utf8(buf);
        EXPECT_EQ(u.substr(u.size() - strlen(words[d])), words[d]);
    }
    // Values the editor never makes still read sensibly.
    t.direction = 9;
    describe_text_item(t, buf, sizeof buf);
    EXPECT_NE(gbk_to_utf8(buf).find("未知方向"), std::string::npos);
    t.mode = 7;
    describe_text_item(t, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "未知类型7,字号=16");
    EXPECT_EQ(text_item_button_count(TEXT_STATIC), 6);
    EXPECT_EQ(text_item_button_count(TEXT_SCROLLING), 16);
    EXPECT_EQ(text_item_button_count(TEXT_STATIC_SWITCHED), 8);
    EXPECT_EQ(text_item_button_count(TEXT_SCROLLING_SWITCHED), 16);
}
