// The dispatcher and every led and insmod form, with the failure cases.
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "model/default_layout.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// A fresh start with an empty script, ready for lines.
struct command_fixture : ::testing::Test {
    temp_workspace ws;
    void SetUp() override
    {
        fresh_start();
        load_state_reset();
        cmd_register();
    }
    cmd_status run(const std::string& line) { return cmd_dispatch(0, line.c_str(), 0); }
};

// Records a handler call.
int seen_argc = -1;
std::string seen_args;
int32_t recorder(int32_t, int32_t argc, cmd_arg_text* argv, int32_t)
{
    seen_argc = argc;
    seen_args.clear();
    for (int k = 0; k < argc; k++) seen_args += std::string(argv[k]) + "|";
    return CMD_DONE;
}

} // namespace

TEST(Dispatcher, MatchesCaseInsensitivelyAndSplitsAtRunsOfSpaces)
{
    cmd_register();
    cmd_table[4] = cmd_entry{"TEST", "tst", recorder, ""};
    EXPECT_EQ(cmd_dispatch(0, "tEsT clearall", 0), CMD_DONE);
    EXPECT_EQ(seen_argc, 1);
    EXPECT_EQ(seen_args, "clearall|");
    seen_argc = -1;
    cmd_dispatch(0, "TST  16t   5 3 4 abc", 0);
    EXPECT_EQ(seen_argc, 5);
    EXPECT_EQ(seen_args, "16t|5|3|4|abc|");
    EXPECT_FALSE(cmd_trailing_blank);
    cmd_dispatch(0, "tst a b ", 0);
    EXPECT_EQ(seen_argc, 2);
    EXPECT_TRUE(cmd_trailing_blank);
    cmd_dispatch(0, "tst", 0);
    EXPECT_EQ(seen_argc, 0);
}

TEST(Dispatcher, UnknownWordsPrintTheMessageAndAreRefused)
{
    cmd_register();
    char buf[256] = {};
    FILE* mem = fmemopen(buf, sizeof buf, "w");
    cmd_error_stream = mem;
    EXPECT_EQ(cmd_dispatch(0, "help", 0), CMD_REFUSED);
    EXPECT_EQ(cmd_dispatch(0, " led clearall", 0), CMD_REFUSED);  // empty command word
    EXPECT_EQ(cmd_dispatch(0, "file anything at all", 0), CMD_DONE);
    EXPECT_EQ(cmd_dispatch(0, "LED clearall", 0), CMD_DONE);
    EXPECT_EQ(cmd_dispatch(0, std::string(300, 'x').c_str(), 0), CMD_REFUSED);
    fclose(mem);
    cmd_error_stream = nullptr;
    EXPECT_STREQ(buf, "Error command! Help with 'H/h'\n"
                      "Error command! Help with 'H/h'\n"
                      "Error command! Help with 'H/h'\n");
}

TEST(Dispatcher, TooManyArgumentsOrAnOverlongTokenRefuseTheWholeLine)
{
    cmd_register();
    cmd_table[4] = cmd_entry{"TEST", "", recorder, ""};
    seen_argc = -1;
    std::string line = "test";
    for (int k = 0; k < 19; k++) line += " 1";
    EXPECT_EQ(cmd_dispatch(0, line.c_str(), 0), CMD_REFUSED);
    EXPECT_EQ(seen_argc, -1);
    EXPECT_NE(std::string(cmd_reason()).find("18"), std::string::npos);
    std::string ok = "test";
    for (int k = 0; k < 18; k++) ok += " 1";
    EXPECT_EQ(cmd_dispatch(0, ok.c_str(), 0), CMD_DONE);
    EXPECT_EQ(seen_argc, 18);
    seen_argc = -1;
    EXPECT_EQ(cmd_dispatch(0, ("test " + std::string(512, 'a')).c_str(), 0), CMD_REFUSED);
    EXPECT_EQ(seen_argc, -1);
    EXPECT_EQ(cmd_dispatch(0, ("test " + std::string(511, 'a')).c_str(), 0), CMD_DONE);
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
    const string_draw& s = string_table[0];
    EXPECT_EQ(s.x, 286);
    EXPECT_EQ(s.y, 156);
    EXPECT_EQ(s.font_size, 16);
    EXPECT_EQ(s.font_step, 5);
    EXPECT_EQ(s.color, 3);
    EXPECT_EQ(s.reg_addr, 50);
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.box_height, 32);
    EXPECT_STREQ(s.text, "Hello");
    EXPECT_EQ(s.text_len, 5);
    EXPECT_EQ(s.visible, 1);
    EXPECT_EQ(string_table[1].visible, 1);  // the next record stands in the palette
    EXPECT_EQ(run("led 24t 1 0 0 7 AB"), CMD_DONE);
    EXPECT_EQ(string_table[1].reg_addr, 7);
    EXPECT_EQ(string_table[1].mode, 2);
    EXPECT_EQ(string_table[1].font_step, 13);
    // An empty switched text keeps its register thanks to the closing blank.
    EXPECT_EQ(run("led 16t 1 0 0 9 "), CMD_DONE);
    EXPECT_EQ(string_table[2].mode, 2);
    EXPECT_EQ(string_table[2].reg_addr, 9);
    EXPECT_STREQ(string_table[2].text, "");
    EXPECT_EQ(run("led 16t 1 0 0 9"), CMD_DONE);  // a text "9"
    EXPECT_EQ(string_table[3].mode, 0);
    EXPECT_STREQ(string_table[3].text, "9");
    EXPECT_EQ(run("led 16t 1 0 0 "), CMD_DONE);  // an empty text
    EXPECT_EQ(string_table[4].mode, 0);
    EXPECT_STREQ(string_table[4].text, "");
    // Line metrics with inline codes.
    EXPECT_EQ(run("led 12t 0 0 0 ab\\C4cde\\C1f"), CMD_DONE);
    EXPECT_EQ(string_table[5].line_count, 2);
    EXPECT_EQ(string_table[5].line_chars, 4);
    EXPECT_EQ(string_table[5].text_len, 12);
}

TEST_F(command_fixture, ScrollingTexts)
{
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57 0 News"), CMD_DONE);
    const string_draw& s = string_table[0];
    EXPECT_EQ(s.speed, 5);
    EXPECT_EQ(s.reg_addr, 7);
    EXPECT_EQ(s.mode, 1);
    EXPECT_EQ(s.direction, 0);
    EXPECT_EQ(s.box_width, 128);
    EXPECT_EQ(s.box_height, 32);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 7 3 News"), CMD_DONE);
    EXPECT_EQ(string_table[1].reg_addr, 7);
    EXPECT_EQ(string_table[1].mode, 3);
    EXPECT_EQ(string_table[1].direction, 3);
    // Pieces are joined without separators; a negative speed argument is a speed past 30.
    std::string a(64, 'a'), b(64, 'b');
    EXPECT_EQ(run("led 32st 1 1 1 10 10 -5 50 0 " + a + " " + b + " ccc"), CMD_DONE);
    EXPECT_EQ(std::string(string_table[2].text), a + b + "ccc");
    EXPECT_EQ(string_table[2].text_len, 131);
    EXPECT_EQ(string_table[2].speed, 35);
    EXPECT_EQ(string_table[2].font_step, 14);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57 0"), CMD_DONE);  // empty text
    EXPECT_STREQ(string_table[3].text, "");
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
    EXPECT_EQ(run("led 16t 1 0 0 300 a"), CMD_REFUSED);     // register past 8 bits
    EXPECT_EQ(run("led 16t 1 0 0 " + std::string(SCRIPT_TEXT_MAX + 1, 'x')), CMD_REFUSED);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 57"), CMD_REFUSED);
    EXPECT_EQ(run("led 16st 2 0 0 64 16 25 400 0 x"), CMD_REFUSED);
    EXPECT_EQ(run("led 16t 1 99999999 0 x"), CMD_REFUSED);  // far off any panel
    for (const string_draw& s : string_table) EXPECT_TRUE(s.visible == 0 || &s == &string_table[0]);
    EXPECT_EQ(run("led 16t 1 0 0 " + std::string(SCRIPT_TEXT_MAX, 'x')), CMD_DONE);
    EXPECT_EQ(string_table[0].text_len, SCRIPT_TEXT_MAX);
    EXPECT_EQ(run("led 16t 1 0 0 1a2"), CMD_DONE);
    EXPECT_EQ(run("led 16t 1a 0 0 x"), CMD_CHANGED);  // "1a" reads as 20
    EXPECT_EQ(string_table[2].color, 20);
    EXPECT_EQ(run("led 16t 1 9000 0 x"), CMD_CHANGED);  // loads, but lies off the panel
}

TEST_F(command_fixture, TheTextTableIsRefusedWhenFull)
{
    for (int i = 0; i <= TEXT_LAST; i++) ASSERT_EQ(run("led 16t 1 0 0 t" + std::to_string(i)), CMD_DONE) << i;
    EXPECT_EQ(run("led 16t 1 0 0 over"), CMD_REFUSED);
    EXPECT_STREQ(string_table[0].text, "t0");  // no wrap to the start
    EXPECT_EQ(string_table[NO_ITEM].visible, 0);
}

TEST_F(command_fixture, Shapes)
{
    EXPECT_EQ(run("led p_mutle 1 10 5 3"), CMD_DONE);
    const Digit_unit& pb = digit_table[53];
    EXPECT_EQ(pb.kind, KIND_BLOCK);
    EXPECT_EQ(pb.width, 6);
    EXPECT_EQ(pb.height, 6);
    EXPECT_EQ(pb.size, 1);
    EXPECT_EQ(pb.x, 286);
    EXPECT_EQ(pb.y, 156);
    EXPECT_EQ(digit_table[54].visible, 1);

    EXPECT_EQ(run("led l 2 1 1 11 1 "), CMD_DONE);
    const Digit_unit& ln = digit_table[83];
    EXPECT_EQ(ln.kind, KIND_LINE);
    EXPECT_EQ(ln.width, 20);
    EXPECT_EQ(ln.height, 10);
    EXPECT_EQ(ln.size, 20);
    EXPECT_EQ(run("led l 2 1 1 11 7 "), CMD_CHANGED);  // not horizontal: y2 dropped
    EXPECT_EQ(digit_table[84].width, 20);

    EXPECT_EQ(run("led l 4 3 2 3 12 "), CMD_DONE);  // vertical
    const Digit_unit& vl = digit_table[153];
    EXPECT_EQ(vl.kind, KIND_VLINE);
    EXPECT_EQ(vl.height, 20);
    EXPECT_EQ(vl.color, 4);
    EXPECT_EQ(vl.x, 265 + 6 + 1);
    EXPECT_EQ(vl.visible, 1);
    EXPECT_EQ(digit_table[154].visible, 1);

    EXPECT_EQ(run("led c 5 20 20 8"), CMD_DONE);
    EXPECT_EQ(digit_table[123].kind, KIND_CIRCLE);
    EXPECT_EQ(digit_table[123].height, 16);
    EXPECT_EQ(digit_table[123].reg_addr, 512);
    EXPECT_EQ(run("led cf 5 20 20 4"), CMD_DONE);
    EXPECT_EQ(digit_table[133].kind, KIND_FILLED_CIRCLE);  // its own range, its own counter
    EXPECT_EQ(digit_table[133].size, 8);

    EXPECT_EQ(run("led r 6 0 0 30 10 "), CMD_DONE);
    EXPECT_EQ(digit_table[353].kind, KIND_RECT);
    EXPECT_EQ(digit_table[353].width, 60);
    EXPECT_EQ(digit_table[353].height, 20);
    EXPECT_EQ(run("led rf 1 0 0 4 4 7 "), CMD_DONE);
    EXPECT_EQ(digit_table[400].kind, KIND_FILLED_RECT);
    EXPECT_EQ(digit_table[400].reg_addr, 7);

    EXPECT_EQ(run("led bmp 12 3 40 20 200 "), CMD_DONE);
    const Digit_unit& v = digit_table[380];
    EXPECT_EQ(v.kind, KIND_VALVE);
    EXPECT_EQ(v.reg_addr, 12);
    EXPECT_EQ(v.color, 3);
    EXPECT_EQ(v.valve, 200);
    EXPECT_EQ(v.x, 265 + 80 + 1);

    EXPECT_EQ(run("led clearall"), CMD_DONE);
    EXPECT_EQ(run("led s 1 2 3"), CMD_DONE);
    EXPECT_EQ(run("led zz 1 2 3"), CMD_REFUSED);
    EXPECT_EQ(run("led c 300 0 0 4"), CMD_REFUSED);  // colour past 8 bits
    EXPECT_EQ(run("led r 1 0 0 4"), CMD_REFUSED);    // missing corner
    EXPECT_EQ(run("led"), CMD_REFUSED);
    // Extra arguments load the item and are reported, as on insmod lines.
    EXPECT_EQ(run("led c 5 20 20 8 9"), CMD_CHANGED);
    EXPECT_EQ(digit_table[124].height, 16);
    EXPECT_EQ(run("led bmp 12 3 40 20 200 7 "), CMD_CHANGED);
    EXPECT_EQ(run("led begin r 2 2 9 "), CMD_CHANGED);
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1 5"), CMD_CHANGED);
}

TEST_F(command_fixture, AFullRangeRefusesInsteadOfSpillingIntoTheNext)
{
    for (int i = 0; i < 10; i++) ASSERT_EQ(run("led c 1 0 0 2"), CMD_DONE);
    Digit_unit before = digit_table[133];
    EXPECT_EQ(run("led c 1 5 5 2"), CMD_REFUSED);
    EXPECT_EQ(digit_table[133].kind, before.kind);
    EXPECT_EQ(digit_table[133].x, before.x);
    for (int i = 0; i < 30; i++) ASSERT_EQ(run("led p_mutle 1 0 0 2"), CMD_DONE);
    EXPECT_EQ(run("led p_mutle 1 0 0 2"), CMD_REFUSED);
    EXPECT_EQ(digit_table[83].kind, KIND_LINE);
    EXPECT_EQ(digit_table[83].visible, 1);  // only the palette entry, never a spilled block
    EXPECT_EQ(digit_table[83].x, 130);
}

TEST_F(command_fixture, TablesWithCellsAndMerges)
{
    EXPECT_EQ(run("led begin r 2 3 "), CMD_DONE);
    const int cells[6][4] = {{10, 5, 20, 10}, {10, 10, 20, 16}, {10, 16, 20, 20},
                             {20, 5, 34, 10}, {20, 10, 34, 16}, {20, 16, 34, 20}};
    for (auto& c : cells)
        EXPECT_EQ(run("led r 1 " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) +
                      " " + std::to_string(c[3]) + " "),
                  CMD_DONE);
    EXPECT_EQ(run("led l 255 20 10 20 16 "), CMD_DONE);
    EXPECT_EQ(run("led l 1 20 10 20 16 "), CMD_REFUSED);  // only merge lines inside a table
    EXPECT_EQ(digit_table[420].visible, 1);               // palette entry
    EXPECT_EQ(run("led end r "), CMD_DONE);
    const Digit_unit& t = digit_table[420];
    EXPECT_EQ(t.kind, KIND_TABLE);
    EXPECT_EQ(t.cols, 2);
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.col_width[0], 20);
    EXPECT_EQ(t.col_width[1], 28);
    EXPECT_EQ(t.row_height[0], 10);
    EXPECT_EQ(t.row_height[1], 12);
    EXPECT_EQ(t.row_height[2], 8);
    EXPECT_EQ(t.x, 286);
    EXPECT_EQ(t.y, 156);
    EXPECT_EQ(t.color, 1);
    EXPECT_EQ(t.merge_count, 1);
    EXPECT_EQ(t.merges[0].flag, 1);
    EXPECT_EQ(t.merges[0].x0, -20);
    EXPECT_EQ(t.merges[0].y0, -10);
    EXPECT_EQ(t.merges[0].y1, -22);
    EXPECT_EQ(t.merges[0].col, 0);
    EXPECT_EQ(t.merges[0].row, 1);
    EXPECT_EQ(digit_table[421].visible, 1);
    // No rectangle was made from the cells.
    EXPECT_EQ(digit_table[353].x, 155);
}

TEST_F(command_fixture, TableFailures)
{
    EXPECT_EQ(run("led end r "), CMD_REFUSED);          // no begin
    EXPECT_EQ(run("led begin r 2 0 "), CMD_REFUSED);    // no rows
    EXPECT_EQ(run("led r 1 0 0 4 4 "), CMD_REFUSED);    // a cell of the refused block
    EXPECT_EQ(run("led end r "), CMD_REFUSED);
    EXPECT_EQ(digit_table[353].x, 155);                 // the cell did not become a rectangle
    EXPECT_EQ(run("led begin r 51 1 "), CMD_REFUSED);   // more than 50 columns
    EXPECT_EQ(run("led end r "), CMD_REFUSED);
    EXPECT_EQ(run("led begin r 1 1 "), CMD_DONE);
    EXPECT_EQ(run("led l 255 0 0 0 4 "), CMD_REFUSED);  // merge before the first cell
    EXPECT_EQ(run("led r 1 0 0 4 4 "), CMD_DONE);
    EXPECT_EQ(run("led r 1 4 0 8 4 "), CMD_REFUSED);    // more cells than 1 x 1
    for (int k = 0; k < TABLE_MAX; k++) ASSERT_EQ(run("led l 255 1 0 1 4 "), CMD_DONE);
    EXPECT_EQ(run("led l 255 1 0 1 4 "), CMD_REFUSED);  // 50 merges at most
    EXPECT_EQ(run("led end r "), CMD_DONE);
    EXPECT_EQ(digit_table[420].merge_count, TABLE_MAX);
    EXPECT_EQ(run("led begin r 1 1 "), CMD_DONE);
    EXPECT_EQ(run("led end r "), CMD_REFUSED);          // no cells: nothing shown
    EXPECT_EQ(digit_table[421].cols, 4);
    // The table range ends before the phantom record, which is never handed out.
    for (int k = 0; k < 8; k++) {
        ASSERT_EQ(run("led begin r 1 1 "), CMD_DONE);
        ASSERT_EQ(run("led r 1 0 0 4 4 "), CMD_DONE);
        ASSERT_EQ(run("led end r "), CMD_DONE);
    }
    EXPECT_EQ(run("led begin r 1 1 "), CMD_REFUSED);
    EXPECT_EQ(digit_table[NO_ITEM].visible, 0);
}

TEST_F(command_fixture, InsmodDocumentedExamples)
{
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1"), CMD_DONE);
    const Digit_unit& d = digit_table[0];
    EXPECT_EQ(d.color, 3);
    EXPECT_EQ(d.x, 286);
    EXPECT_EQ(d.y, 156);
    EXPECT_EQ(d.reg_addr, 25);
    EXPECT_EQ(d.digits, 4);
    EXPECT_EQ(d.size, 2);
    EXPECT_EQ(d.thickness, 1);
    EXPECT_EQ(d.data_type, 0);
    EXPECT_EQ(d.decimals, 1);
    EXPECT_EQ(d.visible, 1);
    EXPECT_EQ(d.kind, KIND_VARIABLE);

    // Weekday: the font size, and the size preset the size buttons step through.
    digit_table[9].visible = 0;
    EXPECT_EQ(run("insmod 29 800 led key 1 10 5 16 4 32 1 0 0"), CMD_DONE);
    EXPECT_EQ(digit_table[9].font_px, 32);
    EXPECT_EQ(digit_table[9].size_preset, 4);
    EXPECT_EQ(digit_table[9].visible, 1);  // every restored item is shown

    EXPECT_EQ(run("insmod 223 800 led key 1 10 5 41 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(digit_table[203].reg_addr, 41);
    EXPECT_EQ(digit_table[203].visible, 1);
    EXPECT_EQ(digit_table[204].visible, 1);
}

TEST_F(command_fixture, InsmodKeepsThresholdsAndTypesForEveryCode)
{
    EXPECT_EQ(run("insmod 21 800 led key 2 0 0 2 5 3 2 6 2"), CMD_DONE);  // a counter
    EXPECT_EQ(digit_table[1].thickness, 2);
    EXPECT_EQ(digit_table[1].data_type, 6);
    EXPECT_EQ(digit_table[1].decimals, 2);
}

TEST_F(command_fixture, RegisterVariablesNeverCollapseOrOverwrite)
{
    // Two variables of the same register, each back in the record its line names.
    EXPECT_EQ(run("insmod 230 800 led key 1 0 0 45 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 231 800 led key 2 5 0 45 4 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(digit_table[210].reg_addr, 45);
    EXPECT_EQ(digit_table[211].reg_addr, 45);
    EXPECT_EQ(digit_table[211].color, 2);
    // The older placement (record 162 + code) still works for lines that follow it.
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 60 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(digit_table[222].reg_addr, 60);
    // An address past 190 stays in the register range instead of a rectangle.
    Digit_unit rect = digit_table[353];
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 250 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(digit_table[353].kind, rect.kind);
    EXPECT_EQ(digit_table[353].reg_addr, rect.reg_addr);
    EXPECT_EQ(digit_table[203].reg_addr, 250);  // first free register record
    // A line naming a palette record outside the register range leaves that
    // record alone: the variable goes where its code places it.
    Digit_unit safety = digit_table[33];
    EXPECT_EQ(run("insmod 53 800 led key 1 0 0 42 4 4 1 0 0"), CMD_CHANGED);
    EXPECT_EQ(digit_table[33].reg_addr, safety.reg_addr);
    EXPECT_EQ(digit_table[33].x, safety.x);
    EXPECT_EQ(digit_table[204].reg_addr, 42);
    EXPECT_EQ(digit_table[204].visible, 1);
}

TEST_F(command_fixture, TheDocumentedRegisterLineFillsTheFirstRegisterRecord)
{
    Digit_unit year = digit_table[0];
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 41 4 2 1 0 1"), CMD_CHANGED);
    EXPECT_EQ(digit_table[203].reg_addr, 41);
    EXPECT_EQ(digit_table[203].visible, 1);
    EXPECT_EQ(digit_table[204].visible, 1);
    EXPECT_EQ(digit_table[0].reg_addr, year.reg_addr);   // the year of the palette is untouched
    EXPECT_EQ(digit_table[0].x, year.x);
}

TEST_F(command_fixture, TemperatureExtraLinesAreNotRestored)
{
    Digit_unit r223 = digit_table[223], r233 = digit_table[233];
    EXPECT_EQ(run("insmod 21 800 led key 1 10 5 11 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 1021 20 led key 1 4010 5 61 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(run("insmod 1021 20 led key 1 4010 5 71 2 4 1 0 0"), CMD_DONE);
    EXPECT_EQ(digit_table[223].visible, r223.visible);
    EXPECT_EQ(digit_table[223].x, r223.x);
    EXPECT_EQ(digit_table[233].x, r233.x);
    EXPECT_EQ(digit_table[1].reg_addr, 11);
}

TEST_F(command_fixture, InsmodFailures)
{
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5"), CMD_REFUSED);           // too few arguments
    EXPECT_EQ(run("insmod 10 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // record -10
    EXPECT_EQ(run("insmod 449 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED); // the phantom record
    EXPECT_EQ(run("insmod 900 800 led key 3 10 5 25 4 2 1 0 1"), CMD_REFUSED);
    EXPECT_EQ(run("insmod 20 800 led key 300 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // colour
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 256"), CMD_REFUSED);  // decimals
    EXPECT_EQ(digit_table[0].reg_addr, 5);
    EXPECT_EQ(run("insmod 20 800 led key 3 10 5 25 4 2 1 0 1"), CMD_DONE);
    EXPECT_EQ(run("insmod 20 800 led key 4 10 5 25 4 2 1 0 1"), CMD_REFUSED);  // already restored
    EXPECT_EQ(digit_table[0].color, 3);
    for (int i = 0; i < 150; i++)
        ASSERT_NE(run("insmod 0 800 led key 1 0 0 41 4 4 1 0 0"), CMD_REFUSED) << i;
    EXPECT_EQ(run("insmod 0 800 led key 1 0 0 41 4 4 1 0 0"), CMD_REFUSED);  // range full
}

TEST(InsmodWriter, FormatsPixelsInDots)
{
    led_pitch = 2;
    std::string out;
    cmd_interp.write_insmod(out, 23, 800, 1, 21, 10, 6, 2, 4, 1, 0, 0);
    EXPECT_EQ(out, "insmod 23 800 led key 1 10 5 6 2 4 1 0 0\r\n");
    EXPECT_EQ(size_preset_of(12), 1);
    EXPECT_EQ(size_preset_of(64), 6);
    EXPECT_EQ(size_preset_of(13), 0);
}
