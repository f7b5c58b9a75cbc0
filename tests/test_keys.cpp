// The keyboard and special keys: typing, Backspace, zoom, copy and paste,
// the save key, F-keys, arrows and paging keys, on a document without a window.
#include "edit/arrange.h"
#include "edit/keys.h"
#include "edit/status.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "output/script_export.h"
#include "platform/gbk.h"
#include "platform/outcome.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// What the exit hook of the save-key test saw.
std::vector<int> exit_statuses;
std::string program_file_path;
bool program_file_there_at_exit = false;

void record_exit(int status)
{
    struct stat st;
    program_file_there_at_exit = stat(program_file_path.c_str(), &st) == 0;
    exit_statuses.push_back(status);
}

const unsigned char ENTER = 13, SPACE = 32, BACKSPACE = 8, DELETE = 127;
const unsigned char CTRL_B = 2, CTRL_C = 3, CTRL_F = 6, CTRL_G = 7, CTRL_K = 11, CTRL_L = 12, CTRL_N = 14,
                    CTRL_Q = 17, CTRL_A = 1, CTRL_S = 19, CTRL_V = 22;

// The editor's document on a 384 x 128 panel; the status line takes what is reported.
struct Keys : PointerTest {
    void SetUp() override
    {
        PointerTest::SetUp();
        status_take_reports(ui->status);
        test_clipboard.clear();
    }
    void TearDown() override
    {
        report_attach(REPORT_STATUS, nullptr);
        test_clipboard.clear();
        PointerTest::TearDown();
    }
    // A text holding `gbk`, current, its caret at the end (as a click selects it).
    item_id text_with(const char* gbk, int64_t x = 20, int64_t y = 20)
    {
        const item_id id = add_text(x, y, gbk);
        select(id);
        return id;
    }
    void select(item_id id)
    {
        ui->current = id;
        if (at(id).kind == KIND_TEXT) typing_set_caret(ui->caret, at(id), id, TEXT_LEN);
    }
    item_id current_sample(int sample_id, int64_t x, int64_t y)
    {
        const item_id id = add(sample(sample_id, x, y));
        select(id);
        return id;
    }
    void key(unsigned char k) { on_key(e, k); }
    void keys(const std::string& bytes)
    {
        for (unsigned char c : bytes) on_key(e, c);
    }
    void special(int k) { on_special_key(e, k); }
    dot_box box(item_id id) { return measure_item(*doc, at(id)); }
    std::string status() const { return ui->status.utf8; }
};

} // namespace

// ---- typing and Backspace -------------------------------------------------------

TEST_F(Keys, TypingWithEnterGivesTheLineBreakCode)
{
    const item_id id = text_with("Txt");
    const dot_box one = box(id);   // one line of three characters
    keys("ab");
    key(ENTER);
    keys("c");
    EXPECT_STREQ(at(id).text, "Txtab\\C4c");
    EXPECT_EQ(text_length(at(id)), 9);
    EXPECT_EQ(box(id).h, 2 * one.h);       // two lines
    EXPECT_EQ(box(id).w, one.w / 3 * 5);   // as wide as the widest, "Txtab"
}

TEST_F(Keys, SpaceTypesTheBlankCode)
{
    const item_id id = text_with("a");
    const dot_box one = box(id);
    key(SPACE);
    keys("b");
    EXPECT_STREQ(at(id).text, "a\\C5b");
    EXPECT_EQ(box(id).w, 3 * one.w);   // the blank takes a character's place
    EXPECT_EQ(box(id).h, one.h);
}

TEST_F(Keys, BackspaceRemovesWholeCodesAndDoubleByteCharacters)
{
    const item_id id = text_with("Txtab");
    item& s = at(id);
    const dot_box five = box(id);
    key(ENTER);
    key(BACKSPACE);
    EXPECT_STREQ(s.text, "Txtab");
    EXPECT_EQ(box(id).h, five.h);

    // The box follows the widest line both ways.
    keys("xyz");
    EXPECT_EQ(box(id).w, five.w / 5 * 8);
    for (int i = 0; i < 3; i++) key(BACKSPACE);
    EXPECT_STREQ(s.text, "Txtab");
    EXPECT_EQ(box(id).w, five.w);

    // A GBK character typed as its two bytes goes as one.
    const std::string zhong = gbk_from_utf8("中");
    ASSERT_EQ(zhong.size(), 2u);
    keys(zhong);
    EXPECT_EQ(text_length(s), 7);
    key(BACKSPACE);
    EXPECT_STREQ(s.text, "Txtab");

    // Also one whose second byte is ASCII-range (0x81 0x40).
    keys("\x81\x40");
    EXPECT_EQ(text_length(s), 7);
    key(BACKSPACE);
    EXPECT_STREQ(s.text, "Txtab");

    key(BACKSPACE);
    EXPECT_STREQ(s.text, "Txta");
    for (int i = 0; i < 6; i++) key(BACKSPACE);
    EXPECT_STREQ(s.text, "");
    EXPECT_NE(doc_item(*doc, id), nullptr);   // an empty text stays an item
}

TEST_F(Keys, ABackslashIsABackslashUnlessAColourDigitFollowsIt)
{
    const item_id id = text_with("x");
    item& s = at(id);
    const int char_w = (int)box(id).w;
    keys("\\2y");
    EXPECT_STREQ(s.text, "x\\C2y");   // backslash and 2: the green colour code
    EXPECT_EQ(box(id).w, 2 * char_w);  // which takes no place
    key(BACKSPACE);
    key(BACKSPACE);
    EXPECT_STREQ(s.text, "x");

    // Any other character after it leaves the backslash a backslash (kept as \C\).
    keys("a\\");
    keys(gbk_from_utf8("中"));
    keys("b\\");
    EXPECT_STREQ(s.text, ("xa\\C\\" + gbk_from_utf8("中") + "b\\C\\").c_str());
    EXPECT_EQ(box(id).w, 7 * char_w);   // x a \ 中 b \ : a backslash is drawn, so counted
    key(BACKSPACE);                      // one Backspace takes the whole backslash
    EXPECT_STREQ(s.text, ("xa\\C\\" + gbk_from_utf8("中") + "b").c_str());

    // Home, then Delete takes the character after the caret; typing goes in there.
    const item_id other = text_with("ab\\C1cd", 20, 60);
    item& t = at(other);
    special(SPECIAL_HOME);
    key(DELETE);
    EXPECT_STREQ(t.text, "b\\C1cd");
    key(DELETE);
    EXPECT_STREQ(t.text, "\\C1cd");   // then the colour code, whole
    keys("Q");
    EXPECT_STREQ(t.text, "Q\\C1cd");
    special(SPECIAL_END);
    key(DELETE);   // nothing after the caret: nothing happens, the text stays
    EXPECT_STREQ(t.text, "Q\\C1cd");
    EXPECT_NE(doc_item(*doc, other), nullptr);
    EXPECT_STREQ(s.text, ("xa\\C\\" + gbk_from_utf8("中") + "b").c_str());
}

TEST_F(Keys, TypingStopsAtTheLongestTextTheScriptCarriesBack)
{
    const std::string full(TYPED_TEXT_MAX - 2, 'a');
    const item_id id = text_with(full.c_str());
    item& s = at(id);
    key(ENTER);   // needs three bytes, two are left
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX - 2);
    keys("\\");   // a backslash takes three bytes: it does not fit
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX - 2);
    keys("b");
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX - 1);
    // One byte left: a GBK character is dropped whole, its second byte too,
    // even when that byte is in the ASCII range.
    keys("\x81\x40");
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX - 1);
    keys("c");
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX);
    keys("defg");
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX);
    EXPECT_EQ(s.text[TYPED_TEXT_MAX - 1], 'c');
    key(BACKSPACE);
    EXPECT_EQ(text_length(s), TYPED_TEXT_MAX - 1);
}

TEST_F(Keys, ControlBytesAreNotTyped)
{
    const item_id id = text_with("ab");
    for (unsigned char c : {4, 5, 9, 10, 15, 23, 27}) key(c);
    EXPECT_STREQ(at(id).text, "ab");
}

TEST_F(Keys, TypingNeedsACurrentText)
{
    const item_id kept = add_text(20, 20, "ab");
    const item_id rect = add_rect(100, 40, 20, 10);
    const item rect_before = at(rect);
    const int items = doc->items.count;
    auto type_some = [&] {
        keys("cd");
        key(BACKSPACE);
        key(CTRL_K);
        on_text_input(e, "q");
    };
    // Nothing current (at start, or after a right press), a rectangle current,
    // a text that went away: no item changes and none is made.
    ui->current = NO_ITEM;
    type_some();
    EXPECT_EQ(status(), "先选中一个文本");   // Ctrl+K asked for a text
    select(rect);
    type_some();
    EXPECT_EQ(memcmp(&at(rect), &rect_before, sizeof(item)), 0);
    const item_id gone = text_with("xy");
    doc_delete(*doc, gone);
    type_some();
    EXPECT_STREQ(at(kept).text, "ab");
    EXPECT_EQ(at(kept).color, 1);
    EXPECT_EQ(doc->items.count, items);
}

// ---- Ctrl keys on the current text -----------------------------------------------

TEST_F(Keys, CtrlKeysChangeModeColourAndBoxWidth)
{
    const item_id id = text_with("ab");
    item& s = at(id);
    s.w = 15;
    key(CTRL_G);   // a static text's box follows its characters
    EXPECT_EQ(s.w, 15);
    EXPECT_EQ(status(), "静态文本的宽度随文字而定；滚动文本才能改宽度");
    const int64_t shown = box(id).w;
    key(CTRL_B);   // scrolling: the box it showed becomes its own
    EXPECT_EQ(s.mode, TEXT_SCROLLING);
    EXPECT_EQ(s.w, shown);
    keys("\x07\x07\x07\x0e");   // Ctrl+G three times, Ctrl+N once: one dot each
    EXPECT_EQ(s.w, shown + 2);
    EXPECT_EQ(box(id).w, shown + 2);
    s.color = 5;
    key(CTRL_K);
    EXPECT_EQ(s.color, 6);
    key(CTRL_K);
    EXPECT_EQ(s.color, 0);
    s.color = 200;   // outside the table: starts again at 0
    key(CTRL_K);
    EXPECT_EQ(s.color, 0);
    EXPECT_STREQ(s.text, "ab");
}

TEST_F(Keys, CtrlFStartsTheRubberBandWithTheCrosshairWhereverThePressFalls)
{
    const item_id rect = add_rect(40, 30, 20, 10);
    key(CTRL_F);
    EXPECT_EQ(screen_log.cursor_sets, 1);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
    // The next press, even on an item, starts the band instead of picking it.
    press(px(45), py(35));
    EXPECT_EQ(ui->gesture, GESTURE_BAND);
    EXPECT_TRUE(ui->band_shown);
    EXPECT_EQ(ui->current, NO_ITEM);
    drag(px(70), py(50));
    release(px(70), py(50));
    EXPECT_FALSE(ui->band_shown);
    EXPECT_EQ(at(rect).x, 40);   // nothing was dragged
    // Only that one press: the next one picks the item again.
    press(px(45), py(35));
    EXPECT_NE(ui->gesture, GESTURE_BAND);
    EXPECT_EQ(ui->current, rect);
    release(px(45), py(35));
}

// ---- zoom ---------------------------------------------------------------------

TEST_F(Keys, ZoomChangesOnlyTheViewBetweenItsBounds)
{
    const item_id rect = add_rect(10, 12, 20, 10);
    const std::string script = script_text(*doc);
    v.pitch = 4;
    key(CTRL_A);
    EXPECT_EQ(v.pitch, 3);
    EXPECT_EQ(px(10), PANEL_LEFT_PX + 3 * 10 + 1);   // the item shows on its dots at the new zoom
    key(CTRL_A);
    key(CTRL_A);
    EXPECT_EQ(v.pitch, 2);   // the zoom-out key stops at two
    for (int i = 0; i < 300; i++) key(CTRL_Q);
    EXPECT_EQ(v.pitch, VIEW_PITCH_MAX);
    EXPECT_EQ(at(rect).x, 10);
    EXPECT_EQ(at(rect).w, 20);
    EXPECT_EQ(script_text(*doc), script);   // the layout is the same

    // Ctrl+L toggles between one and two; from any larger zoom it goes to one.
    key(CTRL_L);
    EXPECT_EQ(v.pitch, 1);
    key(CTRL_L);
    EXPECT_EQ(v.pitch, 2);
    v.pitch = 5;
    key(CTRL_L);
    EXPECT_EQ(v.pitch, 1);
    key(CTRL_A);   // Ctrl+A never takes the zoom below 1, even from 1
    EXPECT_EQ(v.pitch, 1);
    EXPECT_EQ(script_text(*doc), script);
}

// ---- copy and paste -------------------------------------------------------------

TEST_F(Keys, EveryPasteUntilTheNextCopyGivesTheSameItemElsewhere)
{
    // A register variable: every field of it comes back in the copy, its register too.
    const item_id reg = current_sample(SAMPLE_REGISTER, 67, 77);
    item& d = at(reg);
    d.code = 48; d.color = 3; d.thickness = 2; d.digits = 5; d.data_type = 3;
    key(CTRL_C);
    d.color = 5;   // taken at Ctrl+C: later edits of the original do not reach the copies
    key(CTRL_V);
    const item_id first = ui->current;
    ASSERT_NE(first, reg);
    ASSERT_NE(doc_item(*doc, first), nullptr);
    const item& c = at(first);
    EXPECT_EQ(range_of_slot(ITEM_TABLE_UNITS, c.slot), RANGE_REGISTER);
    EXPECT_NE(c.slot, at(reg).slot);
    EXPECT_EQ(c.code, 48);
    EXPECT_EQ(c.color, 3);
    EXPECT_EQ(c.thickness, 2);
    EXPECT_EQ(c.digits, 5);
    EXPECT_EQ(c.data_type, 3);
    EXPECT_EQ(c.y, 77);
    EXPECT_EQ(c.x, 70);   // 5 px right at pitch 2, on the nearest whole dot
    // The next Ctrl+V gives one more copy, further right.
    key(CTRL_V);
    EXPECT_NE(ui->current, first);
    EXPECT_EQ(at(ui->current).code, 48);
    EXPECT_EQ(at(ui->current).x, 72);

    // A text keeps its register; a valve its picture; a table its merges.
    const item_id text = text_with("\xb1\xa8\xbe\xaf", 17, 27);
    at(text).code = 5;
    at(text).mode = TEXT_STATIC_SWITCHED;
    test_clipboard = "clipboard";
    key(CTRL_C);
    key(CTRL_V);
    ASSERT_NE(ui->current, text);
    EXPECT_EQ(at(ui->current).code, 5);
    EXPECT_EQ(at(ui->current).mode, TEXT_STATIC_SWITCHED);
    EXPECT_STREQ(at(ui->current).text, "\xb1\xa8\xbe\xaf");
    key(CTRL_V);
    EXPECT_STREQ(at(ui->current).text, "\xb1\xa8\xbe\xaf");   // a copy, not the clipboard typed in
    EXPECT_STREQ(at(text).text, "\xb1\xa8\xbe\xaf");
    const item_id valve = current_sample(SAMPLE_VALVE, 117, 20);
    at(valve).code = 0;
    key(CTRL_C);
    key(CTRL_V);
    ASSERT_NE(ui->current, valve);
    EXPECT_EQ(at(ui->current).kind, KIND_VALVE);
    EXPECT_EQ(at(ui->current).code, 0);
    const item_id table = add_table(17, 60);
    select(table);
    at(table).grid.merge_count = 1;
    at(table).grid.merges[0] = table_merge{1, 1, 20, 6, 20, 9};
    at(table).grid.col_w[2] = 30;
    key(CTRL_C);
    key(CTRL_V);
    ASSERT_NE(ui->current, table);
    EXPECT_EQ(at(ui->current).grid.merge_count, 1);
    EXPECT_EQ(at(ui->current).grid.merges[0].x0, 20);
    EXPECT_EQ(at(ui->current).grid.col_w[2], 30);

    // A full kind says so and places nothing.
    while (doc_free_slot(*doc, KIND_TABLE, 0) != NO_SLOT) add_table(200, 60);
    const item_id before = ui->current;
    const int items = doc->items.count;
    key(CTRL_V);
    EXPECT_EQ(ui->current, before);
    EXPECT_EQ(status(), "此类项已满（最多 9 个）");
    EXPECT_EQ(doc->items.count, items);

    // Ctrl+C with nothing current ends the copy: Ctrl+V has nothing of it to paste.
    ui->current = NO_ITEM;
    key(CTRL_C);
    EXPECT_EQ(status(), "没有可复制的项");
    key(CTRL_V);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_EQ(doc->items.count, items);
}

TEST_F(Keys, PasteWithoutItemCopyTypesTheClipboardTextAndCopyPutsItBack)
{
    const item_id id = text_with("x");
    item& s = at(id);
    const dot_box one = box(id);
    const int items = doc->items.count;
    test_clipboard = "\xe6\xac\xa2\xe8\xbf\x8e\r\nA\tB\x01\\C2";   // 欢迎, CR LF, A, tab, B, a control byte, \C2
    key(CTRL_V);
    EXPECT_EQ(ui->current, id);
    EXPECT_EQ(doc->items.count, items);   // no item was pasted
    // A pasted backslash is a backslash, never the start of a code.
    EXPECT_STREQ(s.text, "x\xbb\xb6\xd3\xad\\C4A\\C5B\\C\\C2");
    EXPECT_EQ(box(id).h, 2 * one.h);

    // Ctrl+Shift+C: the text as the panel shows it, in UTF-8 with a line break
    // and a blank; pasted back it gives the same bytes.
    input_modifiers = MOD_SHIFT;
    key(CTRL_C);
    input_modifiers = 0;
    EXPECT_EQ(test_clipboard, "x\xe6\xac\xa2\xe8\xbf\x8e\nA B\\C2");
    const std::string before = s.text;
    memset(s.text, 0, sizeof s.text);
    key(CTRL_V);
    EXPECT_EQ(std::string(s.text), before);

    // Cut at the limit between characters, and the status line says so.
    const std::string full(TYPED_TEXT_MAX - 3, 'a');
    copy_field(s.text, TEXT_LEN, full.c_str());
    test_clipboard = "\xe6\xac\xa2\xe8\xbf\x8e";
    key(CTRL_V);
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX - 1);
    EXPECT_EQ(std::string(s.text + TYPED_TEXT_MAX - 3), "\xbb\xb6");
    EXPECT_EQ(ui->status.tone, STATUS_ERROR);
}

TEST_F(Keys, CommittedTextIsTypedAsGbkAndTheCompositionNeverReachesTheText)
{
    const item_id id = text_with("Txt");
    item& s = at(id);
    on_composition(e, "zhong");
    EXPECT_NE(ui->composition[0], 0);
    EXPECT_STREQ(s.text, "Txt");
    on_text_input(e, "\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9");   // 中文, a blank, é
    EXPECT_EQ(ui->composition[0], 0);
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6");
    // A character with no GBK code is left out and named on the status line; the rest is typed.
    status_clear(ui->status);
    on_text_input(e, "\xed\x95\x9c" "b");   // a Hangul syllable, then b
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6" "b");
    EXPECT_EQ(ui->status.tone, STATUS_ERROR);
    EXPECT_NE(status().find("\xed\x95\x9c"), std::string::npos);
    EXPECT_NE(status().find("U+D55C"), std::string::npos);
    // The euro sign has a GBK code (0x80) but no glyph in the dot-matrix fonts: refused, named.
    on_text_input(e, "\xe2\x82\xac");
    EXPECT_STREQ(s.text, "Txt\xd6\xd0\xce\xc4\\C5\xa8\xa6" "b");
    EXPECT_NE(status().find("U+20AC"), std::string::npos);
    // At the limit a double-byte character is typed whole or not at all.
    const std::string full(TYPED_TEXT_MAX - 1, 'a');
    copy_field(s.text, TEXT_LEN, full.c_str());
    on_text_input(e, "\xe4\xb8\xad");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX - 1);
    on_text_input(e, "z\xe4\xb8\xad");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX);
    EXPECT_EQ(s.text[TYPED_TEXT_MAX - 1], 'z');
    // Without a current text nothing is typed anywhere.
    ui->current = NO_ITEM;
    on_text_input(e, "q");
    EXPECT_EQ(strlen(s.text), (size_t)TYPED_TEXT_MAX);
}

// ---- the save key -----------------------------------------------------------------

TEST_F(Keys, CtrlSSavesLikeSaveDataAndEndsOnlyWhenSaved)
{
    temp_workspace ws;
    fresh_start(ws);
    editor we{ws.d(), v, *ui};
    item t = sample(SAMPLE_TEXT, 7, 3);
    copy_field(t.text, TEXT_LEN, "AB");
    item_id id = NO_ITEM;
    ASSERT_TRUE(doc_create(ws.d(), t, id).ok);
    ui->current = id;
    exit_statuses.clear();
    program_file_path = ws.d().paths.vsn;
    program_exit = record_exit;
    on_key(we, CTRL_S);
    ASSERT_EQ(exit_statuses.size(), 1u);
    EXPECT_EQ(exit_statuses[0], 0);
    EXPECT_TRUE(program_file_there_at_exit);   // written before the end
    EXPECT_NE(ws.read("one_pic_effect.vsn").find("Programs"), std::string::npos);
    EXPECT_NE(ws.script().find(" 7 3 AB\r\n"), std::string::npos) << ws.script();
    EXPECT_EQ(ui->status.tone, STATUS_OK);
    EXPECT_EQ(status().rfind("已保存 ", 0), 0u) << status();

    // A save that fails keeps the designer open and says why.
    ws.write("SysCfg.ini", "[LEDPARA]\r\nWIDTH=abc\r\nHEIGHT=64\r\n");
    ws.reread_settings();
    ASSERT_NE(doc_item(ws.d(), id), nullptr);
    copy_field(doc_item(ws.d(), id)->text, TEXT_LEN, "CD");   // a change the failed save must not write
    const std::string before = ws.script();
    on_key(we, CTRL_S);
    EXPECT_EQ(exit_statuses.size(), 1u);
    EXPECT_EQ(ui->status.tone, STATUS_ERROR);
    EXPECT_EQ(status().rfind("保存失败：" + ws.path("SysCfg.ini") + " 中的 WIDTH=abc ", 0), 0u) << status();
    EXPECT_EQ(ws.script(), before);
}

// ---- special keys ---------------------------------------------------------------

TEST_F(Keys, FunctionKeysSwitchReadOutGroupAndSpanModes)
{
    special(SPECIAL_F4);
    EXPECT_TRUE(ui->show_coords);
    special(SPECIAL_F3);
    EXPECT_FALSE(ui->show_coords);
    special(SPECIAL_F8);
    EXPECT_TRUE(ui->merge_mode);
    special(SPECIAL_F9);
    EXPECT_FALSE(ui->merge_mode);

    // F5 with nothing current: group mode only, the group stays empty.
    special(SPECIAL_F5);
    EXPECT_TRUE(ui->multi_select);
    EXPECT_FALSE(group_exists(*ui));

    // F5 with a current item: it joins the group; every click adds one more.
    const item_id block = current_sample(SAMPLE_BLOCK, 60, 40);
    special(SPECIAL_F5);
    EXPECT_TRUE(ui->group[block]);
    const item_id rect = add_rect(100, 40, 20, 10);
    click(px(110), py(45));
    EXPECT_TRUE(ui->group[rect]);
    EXPECT_TRUE(ui->group[block]);

    // F6 empties the whole group, also items a rubber band added.
    const item_id text = add_text(20, 80, "t");
    group_add(e, text);
    special(SPECIAL_F6);
    EXPECT_FALSE(ui->multi_select);
    EXPECT_FALSE(group_exists(*ui));
    click(px(110), py(45));   // a click selects again
    EXPECT_EQ(ui->current, rect);
    EXPECT_FALSE(group_exists(*ui));
}

TEST_F(Keys, ArrowKeysMoveTheCurrentItemByOneDot)
{
    const item_id block = current_sample(SAMPLE_BLOCK, 67, 77);
    v.pitch = 3;   // one dot at any zoom
    special(SPECIAL_LEFT);
    special(SPECIAL_LEFT);
    special(SPECIAL_DOWN);
    EXPECT_EQ(at(block).x, 65);
    EXPECT_EQ(at(block).y, 78);
    special(SPECIAL_RIGHT);
    special(SPECIAL_UP);
    special(SPECIAL_UP);
    EXPECT_EQ(at(block).x, 66);
    EXPECT_EQ(at(block).y, 76);

    // Only the current item moves.
    const item_id text = text_with("t", 117, 27);
    special(SPECIAL_RIGHT);
    EXPECT_EQ(at(text).x, 118);
    EXPECT_EQ(at(block).x, 66);

    // A date's month and day keep their places beside the year.
    v.pitch = 2;
    ASSERT_TRUE(take_from_palette(e, SAMPLE_YEAR));
    release(px(200), py(60));
    const item_id year = ui->current;
    item_id parts[2];
    ASSERT_EQ(parts_after(*doc, year, parts, 2), 2);
    const int64_t gap[2] = {at(parts[0]).x - at(year).x, at(parts[1]).x - at(year).x};
    special(SPECIAL_RIGHT);
    special(SPECIAL_DOWN);
    for (int k = 0; k < 2; k++) {
        EXPECT_EQ(at(parts[k]).x - at(year).x, gap[k]) << k;
        EXPECT_EQ(at(parts[k]).y, at(year).y) << k;
    }
}

TEST_F(Keys, PageUpCyclesThicknessAndPageDownTheColour)
{
    const item_id line = current_sample(SAMPLE_LINE, 30, 30);
    std::vector<int> seen;
    for (int i = 0; i < 4; i++) {
        special(SPECIAL_PAGE_UP);
        seen.push_back(at(line).thickness);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 1, 2}));
    at(line).color = 5;
    special(SPECIAL_PAGE_DOWN);
    EXPECT_EQ(at(line).color, 6);
    special(SPECIAL_PAGE_DOWN);
    EXPECT_EQ(at(line).color, 0);
}

TEST_F(Keys, OtherSpecialKeysAndNoCurrentItemChangeNothing)
{
    const item_id line = add(sample(SAMPLE_LINE, 30, 30));
    const item before = at(line);
    ui->current = NO_ITEM;   // after a right press
    for (int k : {SPECIAL_F2, SPECIAL_F10, SPECIAL_F11, SPECIAL_F12, SPECIAL_HOME, SPECIAL_END,
                  SPECIAL_INSERT, SPECIAL_LEFT, SPECIAL_PAGE_DOWN})
        special(k);
    EXPECT_FALSE(ui->show_coords);
    EXPECT_FALSE(ui->multi_select);
    EXPECT_FALSE(ui->merge_mode);
    EXPECT_EQ(memcmp(&at(line), &before, sizeof(item)), 0);
    EXPECT_EQ(status(), "请先选中一个项");   // an arrow or paging key with nothing to act on

    // F1 shows the list of keys; the next key only closes it.
    select(line);
    special(SPECIAL_F1);
    EXPECT_TRUE(ui->key_help_shown);
    special(SPECIAL_RIGHT);
    EXPECT_FALSE(ui->key_help_shown);
    EXPECT_EQ(at(line).x, 30);
    special(SPECIAL_RIGHT);
    EXPECT_EQ(at(line).x, 31);
}

TEST_F(Keys, DeleteKeyRemovesTheSelectionWhenNoCaretShows)
{
    const item_id line = add(sample(SAMPLE_LINE, 30, 30));
    const item_id text = text_with("t");
    key(DELETE);   // the caret stands in the text: nothing after it to delete
    EXPECT_NE(doc_item(*doc, text), nullptr);
    EXPECT_NE(doc_item(*doc, line), nullptr);
    EXPECT_STREQ(at(text).text, "t");   // Delete is not typed
    select(line);
    key(DELETE);
    EXPECT_EQ(doc_item(*doc, line), nullptr);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_EQ(doc->items.count, 1);
    // A group goes whole; with nothing selected the status line says so.
    const item_id rect = add_rect(100, 40, 20, 10);
    group_add(e, text);
    group_add(e, rect);
    key(DELETE);
    EXPECT_EQ(doc->items.count, 0);
    key(DELETE);
    EXPECT_EQ(status(), "没有选中的项");
}
