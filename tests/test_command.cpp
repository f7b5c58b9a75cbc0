// The dispatcher and every led and insmod form, with the failure cases.
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "items/kinds.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// A fresh start with no script: an empty layout, ready for lines.
struct command_fixture : ::testing::Test {
    temp_workspace ws;
    cmd_context c;
    void SetUp() override
    {
        fresh_start(ws);
        c.doc = &ws.d();
        c.error_stream = nullptr;
    }
    cmd_status run(const std::string& line) { return cmd_dispatch(c, line.c_str()); }
    // The item holding a slot of the texts' or the other numbering, or null.
    const item* text(int slot) const { return doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_TEXTS, slot)); }
    const item* unit(int slot) const { return doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, slot)); }
    int items() const { return ws.d().items.count; }
};

} // namespace

TEST_F(command_fixture, DispatcherMatchesCaseInsensitivelyAndSplitsAtRunsOfSpaces)
{
    EXPECT_EQ(run("lEd  16t   5 3 4    abc"), CMD_DONE);
    ASSERT_NE(text(0), nullptr);
    EXPECT_EQ(text(0)->color, 5);
    EXPECT_EQ(text(0)->x, 3);
    EXPECT_EQ(text(0)->y, 4);
    EXPECT_STREQ(text(0)->text, "abc");
    EXPECT_EQ(run("InSmOd 21 800 led key 1 0 0 2 4 4 1 0 0"), CMD_DONE);
    EXPECT_NE(unit(1), nullptr);
    EXPECT_EQ(run("FiLe x"), CMD_DONE);
    // A trailing blank counts: five arguments and a blank are a switched text.
    EXPECT_EQ(run("led 16t 1 0 0 9 "), CMD_DONE);
    EXPECT_EQ(text(1)->mode, TEXT_STATIC_SWITCHED);
    EXPECT_EQ(items(), 3);
}

TEST_F(command_fixture, UnknownWordsPrintTheMessageAndAreRefused)
{
    char buf[256] = {};
    FILE* mem = fmemopen(buf, sizeof buf, "w");
    c.error_stream = mem;
    EXPECT_EQ(run("help"), CMD_REFUSED);
    EXPECT_EQ(c.reason, "未知的命令词");
    EXPECT_EQ(run(" led clearall"), CMD_REFUSED);  // empty command word
    EXPECT_EQ(run("file anything at all"), CMD_DONE);
    EXPECT_EQ(run("LED clearall"), CMD_DONE);
    EXPECT_EQ(run(std::string(300, 'x')), CMD_REFUSED);
    fclose(mem);
    EXPECT_STREQ(buf, "Error command! Help with 'H/h'\n"
                      "Error command! Help with 'H/h'\n"
                      "Error command! Help with 'H/h'\n");
}

TEST_F(command_fixture, TooManyArgumentsOrAnOverlongTokenRefuseTheWholeLine)
{
    std::string file = "file";
    for (int k = 0; k < CMD_MAX_ARGS; k++) file += " 1";
    EXPECT_EQ(run(file), CMD_DONE);
    EXPECT_EQ(run(file + " 1"), CMD_REFUSED);
    EXPECT_EQ(c.reason, "参数超过 18 个");
    EXPECT_EQ(run("led 16t 1 0 0 " + std::string(512, 'a')), CMD_REFUSED);
    EXPECT_NE(c.reason.find("511"), std::string::npos) << c.reason;
    EXPECT_EQ(run("file " + std::string(511, 'a')), CMD_DONE);
    EXPECT_EQ(items(), 0);
}

TEST(NumberRule, DecimalHexNonDigitsAndSign)
{
    EXPECT_EQ(read_number(nullptr), 0);
    EXPECT_EQ(read_number(""), 0);
    EXPECT_EQ(read_number("123"), 123);
    EXPECT_EQ(read_number("0x1F"), 31);
    EXPECT_EQ(read_number("0Xff"), 255);
    EXPECT_EQ(read_number("12a"), 130);
    EXPECT_EQ(read_number("1x"), 10);
    EXPECT_EQ(read_number("-12"), -12);
    EXPECT_GT(read_number(std::string(400, '9').c_str()), (int64_t)INT32_MAX);  // no wrap to small values
    EXPECT_TRUE(is_number("-5"));
    EXPECT_TRUE(is_number("0x1f"));
    EXPECT_FALSE(is_number("12a"));
    EXPECT_FALSE(is_number("0x"));
    EXPECT_FALSE(is_number("-"));
}

TEST_F(command_fixture, StaticTexts)
{
    EXPECT_EQ(run("led 16t 3 10 5 Hello"), CMD_DONE);
    const item& s = *text(0);
    EXPECT_EQ(s.kind, KIND_TEXT);
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.y, 5);
    EXPECT_EQ(s.font_size, 16);
    EXPECT_EQ(s.font_step, 5);
    EXPECT_EQ(s.color, 3);
    EXPECT_EQ(s.code, TEXT_REGISTER_NONE);
    EXPECT_EQ(s.mode, TEXT_STATIC);
    EXPECT_STREQ(s.text, "Hello");
    EXPECT_EQ(measure_item(s).w, 5 * 8);   // five half-width characters of 8 dots
    EXPECT_EQ(run("led 24t 1 0 0 7 AB"), CMD_DONE);
    EXPECT_EQ(text(1)->code, 7);
    EXPECT_EQ(text(1)->mode, TEXT_STATIC_SWITCHED);
    EXPECT_EQ(text(1)->font_step, 13);
    // An empty switched text keeps its register thanks to the closing blank.
    EXPECT_EQ(run("led 16t 1 0 0 9 "), CMD_DONE);
    EXPECT_EQ(text(2)->mode, TEXT_STATIC_SWITCHED);
    EXPECT_EQ(text(2)->code, 9);
    EXPECT_STREQ(text(2)->text, "");
    EXPECT_EQ(run("led 16t 1 0 0 9"), CMD_DONE);  // a text "9"
    EXPECT_EQ(text(3)->mode, TEXT_STATIC);
    EXPECT_STREQ(text(3)->text, "9");
    EXPECT_EQ(run("led 16t 1 0 0 "), CMD_DONE);  // an empty text
    EXPECT_EQ(text(4)->mode, TEXT_STATIC);
    EXPECT_STREQ(text(4)->text, "");
    // Inline codes: a line break and a colour change; the box is two lines of four characters.
    EXPECT_EQ(run("led 12t 0 0 0 ab\\C4cde\\C1f"), CMD_DONE);
    EXPECT_EQ(run("led 12t 0 0 0 cdef"), CMD_DONE);
    EXPECT_EQ(strlen(text(5)->text), 12u);
    EXPECT_EQ(measure_item(*text(5)).w, 4 * 6);
    EXPECT_EQ(measure_item(*text(5)).w, measure_item(*text(6)).w);
    EXPECT_EQ(measure_item(*text(5)).h, 2 * measure_item(*text(6)).h);
    // The plain form: a 16-dot text.
    EXPECT_EQ(run("led lt 2 4 4 plain"), CMD_DONE);
    EXPECT_EQ(text(7)->font_size, 16);
    EXPECT_STREQ(text(7)->text, "plain");
}

TEST_F(command_fixture, ScrollingTexts)
{
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57 0 News"), CMD_DONE);
    const item& s = *text(0);
    EXPECT_EQ(s.speed, 5);
    EXPECT_EQ(s.code, 7);
    EXPECT_EQ(s.mode, TEXT_SCROLLING);
    EXPECT_EQ(s.direction, 0);
    EXPECT_EQ(s.w, 64);
    EXPECT_EQ(s.h, 16);
    EXPECT_EQ(measure_item(s).w, 64);   // the box, not the text, is what it covers
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 7 3 News"), CMD_DONE);
    EXPECT_EQ(text(1)->code, 7);
    EXPECT_EQ(text(1)->mode, TEXT_SCROLLING_SWITCHED);
    EXPECT_EQ(text(1)->direction, 3);
    // Pieces are joined without separators; a negative speed argument is a speed past 30.
    std::string a(64, 'a'), b(64, 'b');
    EXPECT_EQ(run("led 32st 1 1 1 10 10 -5 50 0 " + a + " " + b + " ccc"), CMD_DONE);
    EXPECT_EQ(std::string(text(2)->text), a + b + "ccc");
    EXPECT_EQ(text(2)->speed, 35);
    EXPECT_EQ(text(2)->font_step, 14);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57 0"), CMD_DONE);  // empty text
    EXPECT_STREQ(text(3)->text, "");
}

TEST_F(command_fixture, TextFailures)
{
    EXPECT_EQ(run("led 8t 1 0 0 x"), CMD_REFUSED);    // one-digit size
    EXPECT_EQ(run("led 123t 1 0 0 x"), CMD_REFUSED);  // three digits
    EXPECT_EQ(run("led 1xt 1 0 0 x"), CMD_REFUSED);
    // Only sizes the export writes back and the fonts have: never 00..09, 99, 65, 11.
    for (const char* size : {"00t", "09t", "99t", "65t", "25t", "11st", "08st", "99st"})
        EXPECT_EQ(run(std::string("led ") + size + " 1 0 0 64 16 25 57 0 x"), CMD_REFUSED) << size;
    EXPECT_EQ(run("led 16t 1 0"), CMD_REFUSED);
    EXPECT_EQ(run("led 16t 1 0 0 1 a b"), CMD_REFUSED);
    EXPECT_NE(c.reason.find("文本中不能有空格"), std::string::npos) << c.reason;
    EXPECT_EQ(run("led 16t 1 0 0 300 a"), CMD_REFUSED);     // register past 8 bits
    EXPECT_EQ(run("led 16t 1 0 0 " + std::string(SCRIPT_TEXT_MAX + 1, 'x')), CMD_REFUSED);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57"), CMD_REFUSED);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 400 0 x"), CMD_REFUSED);
    EXPECT_EQ(run("led 16t 1 99999999 0 x"), CMD_REFUSED);  // far off any panel
    EXPECT_EQ(items(), 0);
    EXPECT_EQ(run("led 16t 1 0 0 " + std::string(SCRIPT_TEXT_MAX, 'x')), CMD_DONE);
    EXPECT_EQ(strlen(text(0)->text), (size_t)SCRIPT_TEXT_MAX);
    EXPECT_EQ(run("led 16t 1 0 0 1a2"), CMD_DONE);
    EXPECT_EQ(run("led 16t 1a 0 0 x"), CMD_CHANGED);  // "1a" reads as 20
    EXPECT_EQ(text(2)->color, 20);
    EXPECT_EQ(run("led 16t 1 9000 0 x"), CMD_CHANGED);  // loads, but lies off the panel
    EXPECT_EQ(c.reason, "位置在面板外，保存时不会写出");
    EXPECT_EQ(items(), 4);
}

TEST_F(command_fixture, TheTextsAreRefusedWhenFull)
{
    for (int i = 0; i < SLOT_COUNT; i++) ASSERT_EQ(run("led 16t 1 0 0 t" + std::to_string(i)), CMD_DONE) << i;
    EXPECT_EQ(run("led 16t 1 0 0 over"), CMD_REFUSED);
    EXPECT_EQ(c.reason, "文本已满（429 个）");
    EXPECT_STREQ(text(0)->text, "t0");  // no wrap to the start
    EXPECT_STREQ(text(SLOT_COUNT - 1)->text, "t428");
    EXPECT_EQ(items(), SLOT_COUNT);
}

TEST_F(command_fixture, Shapes)
{
    EXPECT_EQ(run("led p_mutle 1 10 5 3"), CMD_DONE);
    const item& pb = *unit(53);
    EXPECT_EQ(pb.kind, KIND_BLOCK);
    EXPECT_EQ(pb.w, 3);
    EXPECT_EQ(pb.h, 3);
    EXPECT_EQ(pb.x, 10);
    EXPECT_EQ(pb.y, 5);

    EXPECT_EQ(run("led l 2 1 1 11 1 "), CMD_DONE);
    const item& ln = *unit(83);
    EXPECT_EQ(ln.kind, KIND_LINE);
    EXPECT_EQ(ln.w, 10);
    EXPECT_EQ(run("led l 2 1 1 11 7 "), CMD_CHANGED);  // not horizontal: y2 dropped
    EXPECT_EQ(c.reason, "直线是水平的：第二个 y 未用");
    EXPECT_EQ(unit(84)->w, 10);

    EXPECT_EQ(run("led l 4 3 2 3 12 "), CMD_DONE);  // vertical
    const item& vl = *unit(153);
    EXPECT_EQ(vl.kind, KIND_VLINE);
    EXPECT_EQ(vl.h, 10);
    EXPECT_EQ(vl.color, 4);
    EXPECT_EQ(vl.x, 3);

    EXPECT_EQ(run("led c 5 20 20 8"), CMD_DONE);
    EXPECT_EQ(unit(123)->kind, KIND_CIRCLE);
    EXPECT_EQ(unit(123)->h, 8);
    EXPECT_EQ(unit(123)->code, NO_REGISTER_CODE);
    EXPECT_EQ(run("led cf 5 20 20 4"), CMD_DONE);
    EXPECT_EQ(unit(133)->kind, KIND_FILLED_CIRCLE);  // its own range
    EXPECT_EQ(unit(133)->h, 4);

    EXPECT_EQ(run("led r 6 0 0 30 10 "), CMD_DONE);
    EXPECT_EQ(unit(353)->kind, KIND_RECT);
    EXPECT_EQ(unit(353)->w, 30);
    EXPECT_EQ(unit(353)->h, 10);
    EXPECT_EQ(run("led rf 1 0 0 4 4 7 "), CMD_DONE);
    EXPECT_EQ(unit(400)->kind, KIND_FILLED_RECT);
    EXPECT_EQ(unit(400)->code, 7);

    EXPECT_EQ(run("led bmp 12 3 40 20 200 "), CMD_DONE);
    const item& v = *unit(380);
    EXPECT_EQ(v.kind, KIND_VALVE);
    EXPECT_EQ(v.code, 12);
    EXPECT_EQ(v.color, 3);
    EXPECT_EQ(v.valve, 200);
    EXPECT_EQ(v.x, 40);
    EXPECT_EQ(items(), 9);

    EXPECT_EQ(run("led clearall"), CMD_DONE);
    EXPECT_EQ(run("led s 1 2 3"), CMD_DONE);
    EXPECT_EQ(items(), 9);
    EXPECT_EQ(run("led zz 1 2 3"), CMD_REFUSED);
    EXPECT_EQ(run("led c 300 0 0 4"), CMD_REFUSED);  // colour past 8 bits
    EXPECT_EQ(c.reason, "颜色 300 超出范围 0 到 255");
    EXPECT_EQ(run("led r 1 0 0 4"), CMD_REFUSED);    // missing corner
    EXPECT_EQ(c.reason, "缺少y2");
    EXPECT_EQ(run("led"), CMD_REFUSED);
    EXPECT_EQ(items(), 9);
    // Extra arguments load the item and are reported, as on insmod lines.
    EXPECT_EQ(run("led c 5 20 20 8 9"), CMD_CHANGED);
    EXPECT_EQ(unit(124)->h, 8);
    EXPECT_EQ(run("led bmp 12 3 40 20 200 7 "), CMD_CHANGED);
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1 5"), CMD_CHANGED);
    EXPECT_EQ(run("led begin r 2 2 9 "), CMD_CHANGED);
    EXPECT_EQ(c.reason, "第 4 个之后的参数未用");
}

TEST_F(command_fixture, AFullRangeRefusesInsteadOfSpillingIntoTheNext)
{
    for (int i = 0; i < 10; i++) ASSERT_EQ(run("led c 1 0 0 2"), CMD_DONE);
    EXPECT_EQ(run("led c 1 5 5 2"), CMD_REFUSED);
    EXPECT_EQ(c.reason, "圆已满");
    EXPECT_EQ(unit(133), nullptr);   // the first filled circle's slot stays free
    for (int i = 0; i < 30; i++) ASSERT_EQ(run("led p_mutle 1 0 0 2"), CMD_DONE);
    EXPECT_EQ(run("led p_mutle 1 0 0 2"), CMD_REFUSED);
    EXPECT_EQ(unit(83), nullptr);    // never a spilled block in the lines' range
    EXPECT_EQ(items(), 40);
}

TEST_F(command_fixture, TablesWithCellsAndMerges)
{
    EXPECT_EQ(run("led begin r 2 3 "), CMD_DONE);
    const int cells[6][4] = {{10, 5, 20, 10}, {10, 10, 20, 16}, {10, 16, 20, 20},
                             {20, 5, 34, 10}, {20, 10, 34, 16}, {20, 16, 34, 20}};
    for (auto& k : cells)
        EXPECT_EQ(run("led r 1 " + std::to_string(k[0]) + " " + std::to_string(k[1]) + " " + std::to_string(k[2]) +
                      " " + std::to_string(k[3]) + " "),
                  CMD_DONE);
    EXPECT_EQ(run("led l 255 20 10 20 16 "), CMD_DONE);
    EXPECT_EQ(run("led l 1 20 10 20 16 "), CMD_REFUSED);  // only merge lines inside a table
    EXPECT_EQ(run("led end r "), CMD_DONE);
    const item& t = *unit(420);
    EXPECT_EQ(t.kind, KIND_TABLE);
    EXPECT_EQ(t.grid.cols, 2);
    EXPECT_EQ(t.grid.rows, 3);
    EXPECT_EQ(t.grid.col_w[0], 10);
    EXPECT_EQ(t.grid.col_w[1], 14);
    EXPECT_EQ(t.grid.row_h[0], 5);
    EXPECT_EQ(t.grid.row_h[1], 6);
    EXPECT_EQ(t.grid.row_h[2], 4);
    EXPECT_EQ(t.x, 10);
    EXPECT_EQ(t.y, 5);
    EXPECT_EQ(t.color, 1);
    const dot_box b = measure_item(t);
    EXPECT_EQ(b.w, 24);
    EXPECT_EQ(b.h, 15);
    ASSERT_EQ(t.grid.merge_count, 1);
    // The merge line lies between the two columns in the second row.
    EXPECT_EQ(t.grid.merges[0].x0, 10);
    EXPECT_EQ(t.grid.merges[0].y0, 5);
    EXPECT_EQ(t.grid.merges[0].x1, 10);
    EXPECT_EQ(t.grid.merges[0].y1, 11);
    EXPECT_EQ(t.grid.merges[0].col, 0);
    EXPECT_EQ(t.grid.merges[0].row, 1);
    // No rectangle or line was made from the cells and the merge.
    EXPECT_EQ(items(), 1);
}

TEST_F(command_fixture, TableFailures)
{
    EXPECT_EQ(run("led end r "), CMD_REFUSED);          // no begin
    EXPECT_EQ(run("led begin r 2 0 "), CMD_REFUSED);    // no rows
    EXPECT_EQ(run("led r 1 0 0 4 4 "), CMD_REFUSED);    // a cell of the refused block
    EXPECT_EQ(run("led end r "), CMD_REFUSED);
    EXPECT_EQ(items(), 0);                              // the cell did not become a rectangle
    EXPECT_EQ(run("led begin r 51 1 "), CMD_REFUSED);   // more than 50 columns
    EXPECT_EQ(run("led end r "), CMD_REFUSED);
    EXPECT_EQ(run("led begin r 1 1 "), CMD_DONE);
    EXPECT_EQ(run("led l 255 0 0 0 4 "), CMD_REFUSED);  // merge before the first cell
    EXPECT_EQ(run("led r 1 0 0 4 4 "), CMD_DONE);
    EXPECT_EQ(run("led r 1 4 0 8 4 "), CMD_REFUSED);    // more cells than 1 x 1
    for (int k = 0; k < TABLE_MAX; k++) ASSERT_EQ(run("led l 255 1 0 1 4 "), CMD_DONE);
    EXPECT_EQ(run("led l 255 1 0 1 4 "), CMD_REFUSED);  // 50 merges at most
    EXPECT_EQ(run("led end r "), CMD_DONE);
    EXPECT_EQ(unit(420)->grid.merge_count, TABLE_MAX);
    EXPECT_EQ(run("led begin r 1 1 "), CMD_DONE);
    EXPECT_EQ(run("led end r "), CMD_REFUSED);          // no cells: nothing shown
    EXPECT_EQ(unit(421), nullptr);
    EXPECT_EQ(items(), 1);
    // The table range holds nine tables; the tenth is refused.
    for (int k = 0; k < 8; k++) {
        ASSERT_EQ(run("led begin r 1 1 "), CMD_DONE);
        ASSERT_EQ(run("led r 1 0 0 4 4 "), CMD_DONE);
        ASSERT_EQ(run("led end r "), CMD_DONE);
    }
    EXPECT_NE(unit(SLOT_COUNT - 1), nullptr);
    EXPECT_EQ(run("led begin r 1 1 "), CMD_REFUSED);
    EXPECT_EQ(c.reason, "表格已满");
    EXPECT_EQ(items(), 9);
}

TEST_F(command_fixture, AnUnendedTableIsClosedAtTheEndOfTheScript)
{
    script_report report;
    const std::string s = "led begin r 1 2 \r\nled r 3 0 0 4 4 \r\n";
    run_script(ws.d(), s.data(), s.size(), report, nullptr);
    ASSERT_EQ(report.changed, 1);
    EXPECT_EQ(report.notes[0].reason, "表格块没有结束，已在文件末尾结束");
    EXPECT_EQ(unit(420)->grid.rows, 2);
    EXPECT_EQ(unit(420)->color, 3);
}

TEST_F(command_fixture, InsmodDocumentedExamples)
{
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1"), CMD_DONE);
    const item& d = *unit(0);
    EXPECT_EQ(d.kind, KIND_VARIABLE);
    EXPECT_EQ(d.color, 3);
    EXPECT_EQ(d.x, 10);
    EXPECT_EQ(d.y, 5);
    EXPECT_EQ(d.code, 25);
    EXPECT_EQ(d.digits, 4);
    EXPECT_EQ(d.size, 2);
    EXPECT_EQ(d.thickness, 1);
    EXPECT_EQ(d.data_type, 0);
    EXPECT_EQ(d.decimals, 1);

    // Weekday: the font size, and the size preset the size buttons step through.
    EXPECT_EQ(run("insmod 29 800 led key 1 10 5 16 4 32 1 0 0"), CMD_DONE);
    EXPECT_EQ(unit(9)->font_px, 32);
    EXPECT_EQ(unit(9)->size_preset, 4);

    EXPECT_EQ(run("insmod 223 800 led key 1 10 5 41 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(unit(203)->code, 41);
    EXPECT_EQ(items(), 3);
}

TEST_F(command_fixture, InsmodKeepsThresholdsAndTypesForEveryCode)
{
    EXPECT_EQ(run("insmod 21 800 led key 2 0 0 2 5 3 2 6 2"), CMD_DONE);  // a counter
    EXPECT_EQ(unit(1)->thickness, 2);
    EXPECT_EQ(unit(1)->data_type, 6);
    EXPECT_EQ(unit(1)->decimals, 2);
}

TEST_F(command_fixture, RegisterVariablesNeverCollapseOrOverwrite)
{
    // Two variables of the same register, each back in the slot its line names.
    EXPECT_EQ(run("insmod 230 800 led key 1 0 0 45 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 231 800 led key 2 5 0 45 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(unit(210)->code, 45);
    EXPECT_EQ(unit(211)->code, 45);
    EXPECT_EQ(unit(211)->color, 2);
    // The older placement (slot 162 + code) still works for lines that follow it.
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 60 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(c.reason, "放入了记录 222");
    EXPECT_EQ(unit(222)->code, 60);
    // A code past 190 stays in the register range instead of taking a rectangle's slot.
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 250 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(unit(353), nullptr);
    EXPECT_EQ(unit(203)->code, 250);  // first free register slot
    // A line naming a slot outside the register range leaves that slot alone:
    // the variable goes where its code places it.
    EXPECT_EQ(run("insmod 53 800 led key 1 0 0 42 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(unit(33), nullptr);
    EXPECT_EQ(unit(204)->code, 42);
    EXPECT_EQ(items(), 5);
}

TEST_F(command_fixture, TheDocumentedRegisterLineFillsTheFirstRegisterSlot)
{
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 41 4 2 1 0 1"), CMD_CHANGED);
    EXPECT_EQ(unit(203)->code, 41);
    EXPECT_EQ(unit(203)->x, 10);
    EXPECT_EQ(unit(0), nullptr);   // the year's slot is untouched
    EXPECT_EQ(items(), 1);
}

TEST_F(command_fixture, TemperatureExtraLinesAreNotRestored)
{
    EXPECT_EQ(run("insmod 21 800 led key 1 10 5 11 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 1021 20 led key 1 4010 5 61 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 1021 20 led key 1 4010 5 71 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(unit(1)->code, 11);
    EXPECT_EQ(items(), 1);
}

TEST_F(command_fixture, InsmodFailures)
{
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5"), CMD_REFUSED);           // too few arguments
    EXPECT_EQ(c.reason, "参数不足：insmod 行有 13 个");
    EXPECT_EQ(run("insmod 10 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // slot -10
    EXPECT_EQ(run("insmod 449 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED); // one past the last slot
    EXPECT_EQ(c.reason, "记录 429 不存在");
    EXPECT_EQ(run("insmod 900 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED);
    EXPECT_EQ(run("insmod 20 800 led key 300 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // colour
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 256"), CMD_REFUSED);  // decimals
    EXPECT_EQ(items(), 0);
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1"), CMD_DONE);
    EXPECT_EQ(run("insmod 20 800 led key 4 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // already restored
    EXPECT_EQ(c.reason, "记录 0 已被前面的行占用");
    EXPECT_EQ(unit(0)->color, 3);
    for (int i = 0; i < 150; i++)
        ASSERT_NE(run("insmod 0 800 led key 1 0 0 41 4 4 1 0 0"), CMD_REFUSED) << i;
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 41 4 4 1 0 0"), CMD_REFUSED);  // range full
    EXPECT_EQ(c.reason, "寄存器变量已满");
    EXPECT_EQ(items(), 151);
}

TEST(InsmodWriter, WritesDotsAndTheSizePresets)
{
    std::string out;
    write_insmod_line(out, insmod_values{23, 800, 1, 10, 5, 6, 2, 4, 1, 0, 0});
    EXPECT_EQ(out, "insmod 23 800 led key 1 10 5 6 2 4 1 0 0\r\n");
    EXPECT_EQ(size_preset_of(12), 1);
    EXPECT_EQ(size_preset_of(64), 6);
    EXPECT_EQ(size_preset_of(13), 0);
}
