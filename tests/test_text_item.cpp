// Text items: measuring, boxes, the scrolling cut, the selected look.
#include "app/startup.h"
#include "frame_helpers.h"
#include "items/text_item.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"

namespace {

// Point the font paths at the files the build generated beside the program.
void use_built_fonts()
{
    build_base_paths(LUMIKER_BUILD_DIR "/");
    dot_font_init();
}

void set_text(string_draw& s, const char* utf8)
{
    utf8_to_gbk(utf8, s.text, TEXT_LEN);
    s.text_len = (int)strlen(s.text);
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
    recording r;
    led_pitch = 2;
    string_draw s;
    s.x = 300; s.y = 200; s.font_size = 16;
    copy_field(s.text, TEXT_LEN, "ab\\C4cdef");
    s.max_line_chars = 0;
    measure_text_item(s);
    ASSERT_EQ(draw_text_item(s), 0);
    EXPECT_EQ(s.line_chars, 4);
    EXPECT_EQ(s.line_count, 2);
    EXPECT_EQ(s.box_width, 8 * 2 * 4);
    EXPECT_EQ(s.box_height, 18 * 2 * 2);

    // Deleting characters narrows the box again.
    copy_field(s.text, TEXT_LEN, "ab");
    measure_text_item(s);
    EXPECT_EQ(s.box_width, 8 * 2 * 2);
    EXPECT_EQ(s.box_height, 18 * 2);

    // It never reaches past the panel's right edge (a panel of 40 dots ends at x 345).
    char saved_width[DIR_LEN], saved_height[DIR_LEN];
    copy_field(saved_width, DIR_LEN, led_width);
    copy_field(saved_height, DIR_LEN, led_height);
    copy_field(led_width, DIR_LEN, "40");
    copy_field(led_height, DIR_LEN, "40");
    copy_field(s.text, TEXT_LEN, "abcdefgh");
    measure_text_item(s);
    EXPECT_EQ(s.box_width, 345 - 300);
    copy_field(led_width, DIR_LEN, saved_width);
    copy_field(led_height, DIR_LEN, saved_height);

    // Not ready: nothing drawn.
    r.rec.reset();
    s.text_ready = 0;
    EXPECT_EQ(draw_text_item(s), -1);
    EXPECT_EQ(draw_text_item_selected(s), -1);
    EXPECT_TRUE(r.rec.events.empty());
}

TEST(TextItem, ScrollingWindowNeverShowsHalfACharacter)
{
    use_built_fonts();
    led_pitch = 2;
    string_draw s;
    s.x = 300; s.y = 200; s.font_size = 16; s.mode = 1; s.color = 1;
    set_text(s, "AB中文CD");
    const std::string full(s.text);
    // 16-dot font at pitch 2: one byte is 16 pixels of box, so a box of 48 holds 6 bytes.
    // "AB" + 中 + half of 文: the cut drops the lone first half.
    s.box_width = 16 * 5 / 2 * 2;   // 5 bytes
    recording r;
    draw_text_item(s);
    auto cut = r.rec.of_type(gfx_event::POINT);
    auto expect = dots_of(full.substr(0, 4).c_str(), 16, 1, 300, 200);
    ASSERT_FALSE(expect.empty()) << "no dot-matrix font files beside the build";
    EXPECT_TRUE(same_dots(cut, expect)) << cut.size() << " dots drawn, " << expect.size() << " expected";

    // Ending exactly after a whole double-byte character cuts nothing.
    r.rec.reset();
    s.box_width = 16 * 6 / 2 * 2;   // 6 bytes
    draw_text_item(s);
    EXPECT_TRUE(same_dots(r.rec.of_type(gfx_event::POINT), dots_of(full.substr(0, 6).c_str(), 16, 1, 300, 200)));

    // A box narrower than one half-width character shows nothing.
    r.rec.reset();
    s.box_width = 7;
    draw_text_item(s);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);

    // Selected, the whole text is shown although the box is narrower.
    r.rec.reset();
    s.box_width = 16;
    s.group_selected = 1;
    draw_text_item_selected(s);
    EXPECT_TRUE(same_dots(r.rec.of_type(gfx_event::POINT), dots_of(full.c_str(), 16, 1, 300, 200)));
}

TEST(TextItem, SelectedItemShowsBoxCaretDescriptionAndButtons)
{
    need_screen_fonts();
    set_panel(256, 64, 2);
    recording r;
    string_draw s;
    s.x = 265 + 10 * 2; s.y = 145 + 5 * 2; s.font_size = 12;
    copy_field(s.text, TEXT_LEN, "abc");
    draw_text_item(s);  // lay it out once
    r.rec.reset();
    draw_text_item_selected(s);

    // Dotted box in the frame colour, 1 pixel wide, stipple factor 2 pattern 0xAAAA.
    int box = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.stipple) {
            box++;
            EXPECT_EQ(e.pattern, 0xAAAA);
            EXPECT_EQ(e.size, 1);
        }
    EXPECT_EQ(box, 4);
    EXPECT_EQ(s.box_width, 6 * 2 * 3);
    // Caret: white, 2 wide, after the third character, one character high.
    bool caret = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (!e.stipple && e.size == 2 && same_colour(e, 1, 1, 1)) {
            caret = true;
            EXPECT_EQ(e.x[0], s.x + 6 * 2 * 3);
            EXPECT_EQ(e.y[0], s.y);
            EXPECT_EQ(e.y[1], s.y + 2 * 12);
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

    // Outside the panel: description, but no coordinates and no nudge buttons.
    r.rec.reset();
    s.x = 100;
    draw_text_item_selected(s);
    texts = r.rec.of_type(gfx_event::TEXT);
    EXPECT_EQ(texts.size(), 1u + 6u);

    // Group-selected: box, caret and property buttons, no description.
    r.rec.reset();
    s.group_selected = 1;
    s.mode = 2;
    draw_text_item_selected(s);
    texts = r.rec.of_type(gfx_event::TEXT);
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].text, u"字体+");
}

TEST(TextItem, DescriptionsOfEveryModeAndDirection)
{
    led_pitch = 2;
    string_draw s;
    s.font_size = 16; s.box_width = 64; s.box_height = 32; s.speed = 8; s.reg_addr = 0;
    char buf[256];
    s.mode = 1;
    s.direction = 0;
    describe_text_item(s, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "滚动常显字,字号16,宽32,高16,速度8,方向:左移");
    s.mode = 3;
    s.direction = 6;
    describe_text_item(s, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "滚动可控字:4x40001,字号16,宽32,高16,速度8,方向:遥控换页");
    s.mode = 2;
    s.reg_addr = 41;
    describe_text_item(s, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "静态可控字:4x40042,字号=16");
    const char* words[] = {"左移", "右移", "上移", "下移", "换页", "超长文本", "遥控换页"};
    s.mode = 1;
    for (int d = 0; d < 7; d++) {
        s.direction = (uint8_t)d;
        describe_text_item(s, buf, sizeof buf);
        std::string u = gbk_to_utf8(buf);
        EXPECT_EQ(u.substr(u.size() - strlen(words[d])), words[d]);
    }
    // Values the editor never makes still read sensibly.
    s.direction = 9;
    describe_text_item(s, buf, sizeof buf);
    EXPECT_NE(gbk_to_utf8(buf).find("未知方向"), std::string::npos);
    s.mode = 7;
    describe_text_item(s, buf, sizeof buf);
    EXPECT_EQ(gbk_to_utf8(buf), "未知类型7,字号=16");
    EXPECT_EQ(text_item_button_count(0), 6);
    EXPECT_EQ(text_item_button_count(1), 16);
    EXPECT_EQ(text_item_button_count(2), 8);
    EXPECT_EQ(text_item_button_count(3), 16);
}
