// The keyboard and special keys: typing, Backspace, zoom, copy and paste,
// the save key, F-keys, arrows and paging keys, on the tables without a window.
#include "edit/keys.h"
#include "edit/state.h"
#include "edit/status.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "model/default_layout.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "platform/screen.h"
#include "test_layout_helpers.h"
#include "platform/window.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<int> exit_statuses;
bool program_file_there_at_exit = false;

void record_exit(int status)
{
    struct stat st;
    program_file_there_at_exit = stat(vsn_path, &st) == 0;
    exit_statuses.push_back(status);
}

// Fresh tables and interaction state; the window and the exit are observed.
class Keys : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_item_tables();
        reset_interaction_state();
        led_pitch = 2;
        forget_item_copy();
        thickness_cycle = 0;
        typing_drop_next = 0;
        clear_screen_log();
        exit_statuses.clear();
        saved_exit = program_exit;
        program_exit = record_exit;
    }
    void TearDown() override
    {
        program_exit = saved_exit;
        reset_item_tables();
        reset_interaction_state();
        led_pitch = 2;
        forget_item_copy();
        typing_drop_next = 0;
    }
    // Text record i, visible and current, holding `text`.
    string_draw& current_text_with(int i, const char* text)
    {
        string_draw& s = string_table[i];
        s.visible = 1;
        copy_field(s.text, TEXT_LEN, text);
        s.text_len = (int32_t)strlen(s.text);
        current_string = i;
        return s;
    }
    Digit_unit& current_digit(int i, uint8_t kind)
    {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.kind = kind;
        current_unit = i;
        return d;
    }
    void keys(const std::string& bytes)
    {
        for (unsigned char c : bytes) on_key(c, 0, 0);
    }
    void special(int key) { on_special_key(key, 0, 0); }
    void (*saved_exit)(int) = nullptr;
};

const unsigned char ENTER = 13, SPACE = 32, BACKSPACE = 8;

} // namespace

// ---- typing and Backspace -------------------------------------------------------

TEST_F(Keys, TypingWithEnterGivesTheLineBreakCode)
{
    string_draw& s = current_text_with(0, "Txt");
    keys("ab");
    on_key(ENTER, 0, 0);
    keys("c");
    EXPECT_STREQ(s.text, "Txtab\\C4c");
    EXPECT_EQ(s.text_len, 9);
    EXPECT_EQ(s.line_count, 2);
    EXPECT_EQ(s.line_chars, 1);
    EXPECT_EQ(s.max_line_chars, 5);
}

TEST_F(Keys, SpaceTypesTheBlankCode)
{
    string_draw& s = current_text_with(0, "a");
    on_key(SPACE, 0, 0);
    keys("b");
    EXPECT_STREQ(s.text, "a\\C5b");
    EXPECT_EQ(s.text_len, 5);
    EXPECT_EQ(s.line_chars, 3);
    EXPECT_EQ(s.line_count, 1);
}

TEST_F(Keys, BackspaceRemovesWholeCodesAndDoubleByteCharacters)
{
    string_draw& s = current_text_with(0, "Txtab");
    on_key(ENTER, 0, 0);
    on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "Txtab");
    EXPECT_EQ(s.text_len, 5);
    EXPECT_EQ(s.line_count, 1);
    EXPECT_EQ(s.max_line_chars, 5);

    // The widest line follows the text both ways.
    keys("xyz");
    EXPECT_EQ(s.max_line_chars, 8);
    for (int i = 0; i < 3; i++) on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "Txtab");
    EXPECT_EQ(s.line_chars, 5);
    EXPECT_EQ(s.max_line_chars, 5);

    // A GBK character typed as its two bytes goes as one.
    std::string zhong = gbk_from_utf8("中");
    ASSERT_EQ(zhong.size(), 2u);
    keys(zhong);
    EXPECT_EQ(s.text_len, 7);
    on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "Txtab");

    // Also one whose second byte is ASCII-range (0x81 0x40).
    keys("\x81\x40");
    EXPECT_EQ(s.text_len, 7);
    on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "Txtab");

    on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "Txta");
    EXPECT_EQ(s.text_len, 4);
    for (int i = 0; i < 6; i++) on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "");
    EXPECT_EQ(s.text_len, 0);
}

TEST_F(Keys, ABackslashIsABackslashUnlessAColourDigitFollowsIt)
{
    string_draw& s = current_text_with(0, "x");
    keys("\\2y");
    EXPECT_STREQ(s.text, "x\\C2y");   // backslash and 2: the green colour code
    EXPECT_EQ(s.line_chars, 2);
    on_key(BACKSPACE, 0, 0);
    on_key(BACKSPACE, 0, 0);
    EXPECT_STREQ(s.text, "x");

    // Any other character after it leaves the backslash a backslash (kept as \C\).
    keys("a\\");
    keys(gbk_from_utf8("中"));
    keys("b\\");
    EXPECT_STREQ(s.text, ("xa\\C\\" + gbk_from_utf8("中") + "b\\C\\").c_str());
    EXPECT_EQ(s.line_chars, 7);   // x a \ 中 b \ : a backslash is drawn, so counted
    on_key(BACKSPACE, 0, 0);       // one Backspace takes the whole backslash
    EXPECT_STREQ(s.text, ("xa\\C\\" + gbk_from_utf8("中") + "b").c_str());

    // Home, then Delete takes the character after the caret; typing goes in there.
    current_text_with(1, "ab\\C1cd");
    special(SPECIAL_HOME);
    on_key(127, 0, 0);
    EXPECT_STREQ(string_table[1].text, "b\\C1cd");
    on_key(127, 0, 0);
    EXPECT_STREQ(string_table[1].text, "\\C1cd");   // then the colour code, whole
    keys("Q");
    EXPECT_STREQ(string_table[1].text, "Q\\C1cd");
    special(SPECIAL_END);
    on_key(127, 0, 0);   // nothing after the caret: nothing happens, the text stays
    EXPECT_STREQ(string_table[1].text, "Q\\C1cd");
    EXPECT_EQ(string_table[1].visible, 1);
}

TEST_F(Keys, TypingStopsAtTheLongestTextTheScriptCarriesBack)
{
    std::string full(TYPED_TEXT_MAX - 2, 'a');
    string_draw& s = current_text_with(0, full.c_str());
    on_key(ENTER, 0, 0);   // needs three bytes, two are left
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX - 2);
    keys("\\");           // a backslash takes three bytes: it does not fit
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX - 2);
    keys("b");
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX - 1);
    // One byte left: a GBK character is dropped whole, its second byte too,
    // even when that byte is in the ASCII range.
    keys("\x81\x40");
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX - 1);
    keys("c");
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX);
    keys("defg");
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX);
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX);
    EXPECT_EQ(s.text[TYPED_TEXT_MAX - 1], 'c');
    on_key(BACKSPACE, 0, 0);
    EXPECT_EQ(s.text_len, TYPED_TEXT_MAX - 1);
}

TEST_F(Keys, ControlBytesAreNotTyped)
{
    string_draw& s = current_text_with(0, "ab");
    for (unsigned char c : {4, 5, 9, 10, 15, 23, 27}) on_key(c, 0, 0);
    EXPECT_STREQ(s.text, "ab");
    EXPECT_EQ(s.text_len, 2);
}

TEST_F(Keys, TypingNeedsAVisibleCurrentText)
{
    string_draw& s = current_text_with(3, "ab");
    s.visible = 0;
    keys("cd");
    EXPECT_STREQ(s.text, "ab");
    // No current text (at start, or the phantom record): no record changes.
    s.visible = 1;
    string_table[NO_ITEM].visible = 1;
    for (int none : {NO_STRING_AT_START, NO_ITEM, RIGHT_PRESS_UNIT}) {
        current_string = none;
        keys("cd");
        on_key(BACKSPACE, 0, 0);
        on_key(11, 0, 0);
    }
    EXPECT_STREQ(s.text, "ab");
    EXPECT_STREQ(string_table[NO_ITEM].text, "Txt");
    EXPECT_EQ(string_table[NO_ITEM].color, 0);
}

// ---- Ctrl keys on the current text -----------------------------------------------

TEST_F(Keys, CtrlKeysChangeModeColourAndBoxWidth)
{
    string_draw& s = current_text_with(2, "ab");
    s.box_width = 30;
    on_key(2, 0, 0);   // Ctrl+B
    EXPECT_EQ(s.mode, 1);
    keys("\x07\x07\x07\x0e");   // Ctrl+G three times, Ctrl+N once: one dot (2 px) each
    EXPECT_EQ(s.box_width, 34);
    s.color = 5;
    on_key(11, 0, 0);   // Ctrl+K
    EXPECT_EQ(s.color, 6);
    on_key(11, 0, 0);
    EXPECT_EQ(s.color, 0);
    s.color = -3;   // outside the table: starts again at 0
    on_key(11, 0, 0);
    EXPECT_EQ(s.color, 0);
    EXPECT_STREQ(s.text, "ab");
}

TEST_F(Keys, CtrlFStartsTheRubberBandWithTheCrosshair)
{
    on_key(6, 0, 0);
    EXPECT_EQ(band_active, 1);
    EXPECT_EQ(screen_log.cursor_sets, 1);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
}

// ---- zoom ---------------------------------------------------------------------

TEST_F(Keys, ZoomOutStopsAtTwoAndZoomInAtTheMaximum)
{
    led_pitch = 4;
    on_key(1, 0, 0);
    EXPECT_EQ(led_pitch, 3);
    on_key(1, 0, 0);
    on_key(1, 0, 0);
    EXPECT_EQ(led_pitch, 2);
    for (int i = 0; i < 300; i++) on_key(17, 0, 0);
    EXPECT_EQ(led_pitch, LED_PITCH_MAX);
}

TEST_F(Keys, CtrlLTogglesBetweenOneAndTwo)
{
    on_key(12, 0, 0);
    EXPECT_EQ(led_pitch, 1);
    on_key(12, 0, 0);
    EXPECT_EQ(led_pitch, 2);
    led_pitch = 5;
    on_key(12, 0, 0);
    EXPECT_EQ(led_pitch, 1);
    // Ctrl+A never takes the zoom below 1, even from 1.
    on_key(1, 0, 0);
    EXPECT_EQ(led_pitch, 1);
}

// ---- copy and paste -------------------------------------------------------------

TEST_F(Keys, EveryPasteUntilTheNextCopyGivesTheSameItemElsewhere)
{
    default_layout();
    // A register variable: every field of it comes back in the copy, its register too.
    Digit_unit& d = current_digit(210, KIND_VARIABLE);
    d.x = 400; d.y = 300; d.reg_addr = 48; d.color = 3; d.thickness = 2; d.digits = 5; d.data_type = 3;
    on_key(3, 0, 0);
    d.color = 5;   // taken at Ctrl+C: later edits of the original do not reach the copies
    on_key(22, 0, 0);
    const int first = current_unit;
    ASSERT_NE(first, 210);
    EXPECT_EQ(range_of_record(first), RANGE_REGISTER);
    const Digit_unit& c = digit_table[first];
    EXPECT_EQ(c.visible, 1);
    EXPECT_EQ(c.reg_addr, 48);
    EXPECT_EQ(c.color, 3);
    EXPECT_EQ(c.thickness, 2);
    EXPECT_EQ(c.digits, 5);
    EXPECT_EQ(c.data_type, 3);
    EXPECT_EQ(c.y, 300);
    EXPECT_EQ(c.x, 406);   // 5 px right, on the nearest whole dot
    // The next Ctrl+V gives one more copy, further right, never typing into the first.
    on_key(22, 0, 0);
    EXPECT_NE(current_unit, first);
    EXPECT_EQ(digit_table[current_unit].reg_addr, 48);
    EXPECT_EQ(digit_table[current_unit].x, 410);

    // A text keeps its register; a valve its picture; a table its merges.
    current_unit = NO_ITEM;
    string_draw& t = current_text_with(10, "\xb1\xa8\xbe\xaf");
    t.x = 300; t.y = 200; t.reg_addr = 5; t.mode = 2;
    on_key(3, 0, 0);
    on_key(22, 0, 0);
    ASSERT_NE(current_string, 10);
    EXPECT_EQ(string_table[current_string].reg_addr, 5);
    EXPECT_STREQ(string_table[current_string].text, "\xb1\xa8\xbe\xaf");
    on_key(22, 0, 0);
    EXPECT_STREQ(string_table[current_string].text, "\xb1\xa8\xbe\xaf");   // a copy, not the clipboard typed in
    current_string = NO_ITEM;
    Digit_unit& valve = current_digit(digit_ranges[RANGE_VALVE].first + 3, KIND_VALVE);
    valve.x = 500;
    valve.reg_addr = 0;
    on_key(3, 0, 0);
    on_key(22, 0, 0);
    EXPECT_EQ(digit_table[current_unit].reg_addr, 0);
    EXPECT_EQ(digit_table[current_unit].kind, KIND_VALVE);
    Digit_unit& table = current_digit(digit_ranges[RANGE_TABLE].first + 1, KIND_TABLE);
    table.x = 300;
    table.merge_count = 1;
    table.merges[0].flag = 1;
    table.col_width[2] = 30;
    on_key(3, 0, 0);
    on_key(22, 0, 0);
    ASSERT_NE(current_unit, digit_ranges[RANGE_TABLE].first + 1);
    EXPECT_EQ(digit_table[current_unit].merge_count, 1);
    EXPECT_EQ(digit_table[current_unit].col_width[2], 30);

    // A full kind says so and places nothing.
    for (int i = digit_ranges[RANGE_TABLE].first; i <= digit_ranges[RANGE_TABLE].last; i++) digit_table[i].visible = 1;
    const int before = current_unit;
    on_key(22, 0, 0);
    EXPECT_EQ(current_unit, before);
    EXPECT_STREQ(status_utf8, "此类项已满（最多 9 个）");
    EXPECT_EQ(digit_table[NO_ITEM].visible, 0);

    // Ctrl+C with nothing current ends the copy: Ctrl+V has nothing of it to paste.
    current_unit = NO_ITEM;
    on_key(3, 0, 0);
    EXPECT_STREQ(status_utf8, "没有可复制的项");
    on_key(22, 0, 0);
    EXPECT_EQ(current_unit, NO_ITEM);
}

TEST_F(Keys, PasteWithoutItemCopyTypesTheClipboardTextAndCopyPutsItBack)
{
    current_digit(90, KIND_LINE);
    string_draw& s = current_text_with(10, "x");
    test_clipboard = "\xe6\xac\xa2\xe8\xbf\x8e\r\nA\tB\x01\\C2";   // 欢迎, CR LF, A, tab, B, a control byte, \C2
    on_key(22, 0, 0);
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(current_string, 10);
    EXPECT_EQ(digit_table[92].visible, 0);
    EXPECT_EQ(string_table[12].visible, 0);
    // A pasted backslash is a backslash, never the start of a code.
    EXPECT_STREQ(s.text, "x\xbb\xb6\xd3\xad\\C4A\\C5B\\C\\C2");
    EXPECT_EQ(s.line_count, 2);

    // Ctrl+Shift+C: the text as the panel shows it, in UTF-8 with a line break
    // and a blank; pasted back it gives the same bytes.
    input_modifiers = MOD_SHIFT;
    on_key(3, 0, 0);
    input_modifiers = 0;
    EXPECT_EQ(test_clipboard, "x\xe6\xac\xa2\xe8\xbf\x8e\nA B\\C2");
    const std::string before = s.text;
    s.text[0] = 0;
    on_key(22, 0, 0);
    EXPECT_EQ(std::string(s.text), before);

    // Cut at the limit between characters, and the status line says so.
    std::string full(TYPED_TEXT_MAX - 3, 'a');
    copy_field(s.text, TEXT_LEN, full.c_str());
    test_clipboard = "\xe6\xac\xa2\xe8\xbf\x8e";
    on_key(22, 0, 0);
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX - 1);
    EXPECT_EQ(std::string(s.text + TYPED_TEXT_MAX - 3), "\xbb\xb6");
    EXPECT_EQ(status_tone, STATUS_ERROR);
    test_clipboard.clear();
}

TEST_F(Keys, CommittedTextIsTypedAsGbkAndTheCompositionNeverReachesTheText)
{
    string_draw& s = current_text_with(4, "Txt");
    on_composition("zhong");
    EXPECT_NE(composition_wide[0], 0);
    EXPECT_STREQ(s.text, "Txt");
    on_text_input("\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9");   // 中文, a blank, é
    EXPECT_EQ(composition_wide[0], 0);
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6");
    // A character with no GBK code is left out and named on the status line; the rest is typed.
    status_clear();
    on_text_input("\xed\x95\x9c" "b");   // a Hangul syllable, then b
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6" "b");
    EXPECT_EQ(status_tone, STATUS_ERROR);
    EXPECT_NE(std::string(status_utf8).find("\xed\x95\x9c"), std::string::npos);
    EXPECT_NE(std::string(status_utf8).find("U+D55C"), std::string::npos);
    // The euro sign has a GBK code (0x80) but no glyph in the dot-matrix fonts: refused, named.
    on_text_input("\xe2\x82\xac");
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6" "b");
    EXPECT_NE(std::string(status_utf8).find("U+20AC"), std::string::npos);
    // At the limit a double-byte character is typed whole or not at all.
    std::string full(TYPED_TEXT_MAX - 1, 'a');
    copy_field(s.text, TEXT_LEN, full.c_str());
    on_text_input("\xe4\xb8\xad");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX - 1);
    on_text_input("z\xe4\xb8\xad");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX);
    EXPECT_EQ(s.text[TYPED_TEXT_MAX - 1], 'z');
    // Without a current text nothing is typed anywhere.
    current_string = NO_ITEM;
    on_text_input("q");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX);
}

// ---- the save key -----------------------------------------------------------------

TEST_F(Keys, CtrlSSavesLikeSaveDataAndEndsOnlyWhenSaved)
{
    temp_workspace ws;
    default_layout();
    current_text_with(10, "AB");
    string_table[10].x = 265 + 2 * 7 + 1;
    string_table[10].y = 145 + 2 * 3 + 1;
    on_key(19, 0, 0);
    ASSERT_EQ(exit_statuses.size(), 1u);
    EXPECT_EQ(exit_statuses[0], 0);
    EXPECT_TRUE(program_file_there_at_exit);   // written before the end
    EXPECT_NE(ws.read("one_pic_effect.vsn").find("Programs"), std::string::npos);
    EXPECT_NE(ws.script().find(" 7 3 AB\r\n"), std::string::npos) << ws.script();
    EXPECT_EQ(status_tone, STATUS_OK);
    EXPECT_EQ(std::string(status_utf8).rfind("已保存 ", 0), 0u) << status_utf8;

    // A save that fails keeps the designer open and says why.
    ws.write("SysCfg.ini", "[LEDPARA]\r\nWIDTH=abc\r\nHEIGHT=64\r\n");
    startup_paths(ws.dir.c_str());
    const std::string before = ws.script();
    on_key(19, 0, 0);
    EXPECT_EQ(exit_statuses.size(), 1u);
    EXPECT_EQ(status_tone, STATUS_ERROR);
    EXPECT_EQ(std::string(status_utf8).rfind("保存失败：WIDTH=abc in ", 0), 0u) << status_utf8;
    EXPECT_EQ(ws.script(), before);
}

// ---- special keys ---------------------------------------------------------------

TEST_F(Keys, FunctionKeysSwitchReadOutGroupAndSpanModes)
{
    special(SPECIAL_F4);
    EXPECT_EQ(show_coords, 1);
    special(SPECIAL_F3);
    EXPECT_EQ(show_coords, 0);
    special(SPECIAL_F8);
    EXPECT_EQ(merge_mode, 1);
    special(SPECIAL_F9);
    EXPECT_EQ(merge_mode, 0);

    // F5 with nothing current: group mode only, the phantom record stays out of the group.
    current_unit = NO_ITEM;
    current_string = NO_ITEM;
    special(SPECIAL_F5);
    EXPECT_EQ(multi_select, 1);
    EXPECT_EQ(digit_table[NO_ITEM].group_selected, 0);
    EXPECT_EQ(string_table[NO_ITEM].group_selected, 0);

    // F5 with a current unit and text: both join the group.
    current_digit(60, KIND_BLOCK);
    current_text_with(4, "t");
    special(SPECIAL_F5);
    EXPECT_EQ(digit_table[60].group_selected, 1);
    EXPECT_EQ(string_table[4].group_selected, 1);

    // F6 empties the whole group, also items a rubber band added.
    digit_table[300].visible = 1;
    digit_table[300].group_selected = 1;
    string_table[200].group_selected = 1;   // not even visible
    special(SPECIAL_F6);
    EXPECT_EQ(multi_select, 0);
    for (int i = 0; i < DIGIT_COUNT; i++) ASSERT_EQ(digit_table[i].group_selected, 0) << i;
    for (int i = 0; i < STRING_COUNT; i++) ASSERT_EQ(string_table[i].group_selected, 0) << i;
}

TEST_F(Keys, ArrowKeysMoveTheCurrentTextAndUnitByOneDot)
{
    Digit_unit& d = current_digit(60, KIND_BLOCK);
    string_draw& s = current_text_with(4, "t");
    d.x = 400; d.y = 300;
    s.x = 500; s.y = 200;
    led_pitch = 3;
    special(SPECIAL_LEFT);
    special(SPECIAL_LEFT);
    special(SPECIAL_DOWN);
    EXPECT_EQ(d.x, 394);
    EXPECT_EQ(s.x, 494);
    EXPECT_EQ(d.y, 303);
    EXPECT_EQ(s.y, 203);
    special(SPECIAL_RIGHT);
    special(SPECIAL_UP);
    special(SPECIAL_UP);
    EXPECT_EQ(d.x, 397);
    EXPECT_EQ(s.x, 497);
    EXPECT_EQ(d.y, 297);
    EXPECT_EQ(s.y, 197);

    // Only the current unit when there is no current text.
    current_string = NO_STRING_AT_START;
    special(SPECIAL_RIGHT);
    EXPECT_EQ(d.x, 400);
    EXPECT_EQ(s.x, 497);
}

TEST_F(Keys, PageUpCyclesThicknessAndPageDownTheColour)
{
    Digit_unit& d = current_digit(90, KIND_LINE);
    std::vector<int> seen;
    for (int i = 0; i < 4; i++) {
        special(SPECIAL_PAGE_UP);
        seen.push_back(d.thickness);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 1, 2}));
    d.color = 5;
    special(SPECIAL_PAGE_DOWN);
    EXPECT_EQ(d.color, 6);
    special(SPECIAL_PAGE_DOWN);
    EXPECT_EQ(d.color, 0);
}

TEST_F(Keys, OtherSpecialKeysAndNoCurrentItemChangeNothing)
{
    Digit_unit& d = digit_table[90];
    d.visible = 1;
    d.x = 400;
    d.thickness = 1;
    current_unit = 599;   // after a right press
    current_string = NO_STRING_AT_START;
    for (int k : {SPECIAL_F1, SPECIAL_F2, SPECIAL_F7, SPECIAL_F10, SPECIAL_F11, SPECIAL_F12,
                  SPECIAL_HOME, SPECIAL_END, SPECIAL_INSERT, SPECIAL_LEFT, SPECIAL_PAGE_DOWN})
        special(k);
    EXPECT_EQ(show_coords, 0);
    EXPECT_EQ(multi_select, 0);
    EXPECT_EQ(merge_mode, 0);
    EXPECT_EQ(d.x, 400);
    EXPECT_EQ(d.color, 0);
    EXPECT_EQ(digit_table[NO_ITEM].x, 0);
    EXPECT_STREQ(status_utf8, "请先选中一个项");   // an arrow or paging key with nothing to act on
}

TEST_F(Keys, DeleteKeyRemovesTheCurrentItemsWhenNoCaretShows)
{
    Digit_unit& d = current_digit(90, KIND_LINE);
    string_draw& s = current_text_with(4, "t");
    on_key(127, 0, 0);   // the caret stands in the text: nothing after it to delete
    EXPECT_EQ(s.visible, 1);
    EXPECT_EQ(d.visible, 1);
    current_string = NO_ITEM;
    on_key(127, 0, 0);
    EXPECT_EQ(d.visible, 0);
    EXPECT_EQ(d.y, 2000);
    EXPECT_STREQ(s.text, "t");   // Delete is not typed
}
