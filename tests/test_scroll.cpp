// Where a scrolling text stands at a time: the four directions, pages,
// over-long and remote-paged texts, and register-switched texts; and what
// the engine makes of items at a moment.
#include "decode_helpers.h"
#include "play/engine.h"
#include "play/scroll.h"
#include "play/values.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

scroll_text text(int box_w, int box_h, int w, int h, int lines, int direction, int speed)
{
    scroll_text t;
    t.box_w = box_w; t.box_h = box_h;
    t.content_w = w; t.content_h = h;
    t.lines = lines; t.direction = direction; t.speed = speed;
    return t;
}

} // namespace

TEST(Scroll, MovesWrapsAndTurnsPages)
{
    // Left at speed 10: 40 dots a second, a copy one line height (16) after the end.
    const scroll_text left = text(100, 16, 300, 16, 1, SCROLL_LEFT, 10);
    EXPECT_EQ(scroll_at(left, 0).dx, 0);
    EXPECT_EQ(scroll_at(left, 1000).dx, -40);
    EXPECT_EQ(scroll_at(left, 1000).step_x, 316);
    EXPECT_EQ(scroll_at(left, 316 * 25).dx, 0);       // round once
    // A short text crosses the box alone: copies a box width apart.
    EXPECT_EQ(scroll_at(text(100, 16, 50, 16, 1, SCROLL_LEFT, 10), 1000).step_x, 100);
    // Right: the copy behind comes in from the left.
    const scroll_place right = scroll_at(text(100, 16, 300, 16, 1, SCROLL_RIGHT, 10), 1000);
    EXPECT_EQ(right.dx, 40 - 316);
    EXPECT_EQ(right.dx + right.step_x, 40);
    // Up and down by whole lines' height of content plus a gap of one line.
    const scroll_text up = text(64, 32, 64, 48, 3, SCROLL_UP, 5);
    EXPECT_EQ(scroll_at(up, 1000).dy, -20);
    EXPECT_EQ(scroll_at(up, 1000).step_y, 64);
    scroll_text down = up;
    down.direction = SCROLL_DOWN;
    EXPECT_EQ(scroll_at(down, 1000).dy, 20 - 64);
    // Speed 0 (or below) holds still; a huge time neither overflows nor stops.
    EXPECT_EQ(scroll_at(text(100, 16, 300, 16, 1, SCROLL_LEFT, 0), 5000).dx, 0);
    const int far = scroll_at(text(100, 16, 300, 16, 1, SCROLL_LEFT, 2000000000), INT64_MAX / 2).dx;
    EXPECT_TRUE(far <= 0 && far > -316);

    // Pages: two lines a page, three pages, each held box / (4 x speed) = 1 s.
    const scroll_text pages = text(100, 32, 100, 80, 5, SCROLL_PAGES, 25);
    EXPECT_EQ(scroll_page_ms(pages), 1000);
    EXPECT_EQ(scroll_at(pages, 0).pages, 3);
    EXPECT_EQ(scroll_at(pages, 1500).dy, -32);
    EXPECT_EQ(scroll_at(pages, 2500).dy, -64);
    EXPECT_EQ(scroll_at(pages, 3000).page, 0);
    // Never faster than a second a page; slow texts hold longer.
    EXPECT_EQ(scroll_page_ms(text(100, 32, 100, 80, 5, SCROLL_PAGES, 100)), 1000);
    EXPECT_EQ(scroll_page_ms(text(100, 32, 100, 80, 5, SCROLL_PAGES, 5)), 5000);
    // A line wider than the box is paged from the left.
    const scroll_text wide = text(100, 16, 250, 16, 1, SCROLL_PAGES, 25);
    EXPECT_EQ(scroll_at(wide, 0).pages, 3);
    EXPECT_EQ(scroll_at(wide, 2000).dx, -200);

    // Over-long: still while it fits, moving left when it does not.
    EXPECT_EQ(scroll_at(text(100, 16, 90, 16, 1, SCROLL_OVERLONG, 10), 1000).dx, 0);
    EXPECT_EQ(scroll_at(text(100, 16, 300, 16, 1, SCROLL_OVERLONG, 10), 1000).dx, -40);

    // Remote pages: 1 the first page, 0 or past the last an empty box.
    scroll_text remote = pages;
    remote.direction = SCROLL_REMOTE_PAGES;
    EXPECT_EQ(scroll_at(remote, 5000, 2).dy, -32);
    EXPECT_FALSE(scroll_at(remote, 0, 0).shown);
    EXPECT_FALSE(scroll_at(remote, 0, 4).shown);
    EXPECT_EQ(scroll_at(remote, 0, std::nullopt).page, 0);

    // Switched texts (modes 2 and 3) show while their register is not 0.
    EXPECT_FALSE(scroll_text_shown(2, 0));
    EXPECT_FALSE(scroll_text_shown(3, 0));
    EXPECT_TRUE(scroll_text_shown(3, 7));
    EXPECT_TRUE(scroll_text_shown(2, std::nullopt));
    EXPECT_TRUE(scroll_text_shown(1, 0));
}

// The engine puts the rules together for items: still while designing, and
// while simulating from a values file; a stamp that moves with the look.
TEST(Scroll, TheEngineShowsItemsAtAMomentWithStampsThatMoveWithThem)
{
    char dir[] = "/tmp/lumiker_engine_XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string file = std::string(dir) + "/values.ini";
    FILE* f = fopen(file.c_str(), "w");
    fputs("[registers]\n1=0\n3=1234\n5=0x0001\n6=0x0002\n[counters]\n2=7\n", f);
    fclose(f);
    values_workspace values;
    ASSERT_TRUE(values.open_file(file));

    item sw;                                    // a switched scrolling text on register 4x40001
    sw.kind = KIND_TEXT;
    sw.mode = TEXT_SCROLLING_SWITCHED;
    sw.code = 0;
    sw.w = 40, sw.h = 16, sw.font_size = 16, sw.speed = 5;   // 20 dots a second
    copy_field(sw.text, TEXT_LEN, "ABCDEFGHIJ");              // 80 dots
    item var;                                   // register 4x40003, four digits
    var.kind = KIND_VARIABLE;
    var.code = REGISTER_CODE_BASE + 3;
    var.digits = 4;
    item lunar = var;
    lunar.code = CODE_LUNAR_DAY;
    lunar.digits = 2;

    play_moment m;
    m.now = {2024, 6, 9, 9, 5, 7, 0};           // lunar 2024-05-04
    // Designing: shown, still, no values; the lunar day all the same.
    EXPECT_TRUE(play_item(sw, m).shown);
    EXPECT_FALSE(play_item(sw, m).placed);
    EXPECT_FALSE(play_item(var, m).has_cells);
    EXPECT_EQ(cells_text(play_item(lunar, m).cells, 0), "04");

    // Simulating: register 1 holds 0, so the text is off; the variable reads 1234.
    m.simulating = true;
    m.values = &values;
    EXPECT_FALSE(play_item(sw, m).shown);
    EXPECT_EQ(cells_text(play_item(var, m).cells, 0), "1234");
    var.data_type = DECODE_U32;                 // registers 3 and 4: 4 is not known
    EXPECT_EQ(cells_text(play_item(var, m).cells, 0), "----");
    var.code = REGISTER_CODE_BASE + 5;          // 5 and 6: 0x00020001 = 131073, lowest digits
    EXPECT_EQ(cells_text(play_item(var, m).cells, 0), "1073");
    var.code = 1;                               // counter 2
    var.data_type = DECODE_U16_ZEROS;
    EXPECT_EQ(cells_text(play_item(var, m).cells, 0), "0007");

    // On (register 3 holds 1234), the text moves left; its stamp stays while it stands on a dot.
    sw.code = 2;
    m.ms = 1000;
    const play_show at1 = play_item(sw, m);
    EXPECT_TRUE(at1.shown && at1.placed);
    EXPECT_EQ(at1.place.dx, -20);
    m.ms = 1020;                                // 20.4 dots: the same whole dot
    EXPECT_EQ(play_item(sw, m).stamp, at1.stamp);
    m.ms = 1050;
    EXPECT_NE(play_item(sw, m).stamp, at1.stamp);

    // What a PLC is asked for: the text's register and both words of a 32-bit variable.
    std::unique_ptr<document> d(new document());
    item_id id;
    var.code = REGISTER_CODE_BASE + 5;
    var.data_type = DECODE_S32;
    var.slot = NO_SLOT;
    sw.slot = NO_SLOT;
    ASSERT_TRUE(doc_create(*d, var, id));
    ASSERT_TRUE(doc_create(*d, sw, id));
    EXPECT_EQ(play_registers(*d), (std::vector<int>{3, 5, 6}));

    // The clock of a recording runs on past midnight, the weekday with it.
    const local_time next = play_time_after({2024, 12, 31, 23, 59, 58, 2}, 3);
    EXPECT_EQ(std::vector<int>({next.year, next.month, next.day, next.hour, next.minute, next.second, next.weekday}),
              std::vector<int>({2025, 1, 1, 0, 0, 1, 3}));
    (void)!system(("rm -rf '" + std::string(dir) + "'").c_str());
}
