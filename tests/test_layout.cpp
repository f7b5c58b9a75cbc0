// What a new layout holds, what each palette cell makes, how many items of
// a kind a layout has room for and what the user is told past that; the
// valve pictures a start loads; the selection's buttons.
#include "items/buttons.h"
#include "items/kinds.h"
#include "items/palette.h"
#include "output/layout_save.h"
#include "output/script_export.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// A window pixel inside a palette sample, near the middle of what it covers.
void sample_point(int id, int pitch, int& px, int& py)
{
    const palette_sample& s = palette_sample_of(id);
    const dot_box b = measure_item(s.sample);
    px = (int)(s.x + (b.x * 2 + b.w) * pitch / 2);
    py = (int)(s.y + (b.y * 2 + b.h) * pitch / 2);
}

// What pulling one palette cell onto the panel again and again gives.
struct cell_case {
    const char* name;
    int sample;
    item_kind kind;
    int parts;             // items one pull makes (a date's or a time's parts)
    int room;              // items of its kind a layout holds
    int32_t first_code, last_code;   // the code of the first and of the last item it makes
    int w, h;              // the box of what it makes, in dots (-1: sized by its content)
};

// Variables of the fixed codes share every variable slot but the registers'.
constexpr int FIELDS = 33 + 20 + 150;

const cell_case CELLS[] = {
    {"year", SAMPLE_YEAR, KIND_VARIABLE, 3, FIELDS, CODE_YEAR, CODE_YEAR, -1, -1},
    {"month", SAMPLE_MONTH, KIND_VARIABLE, 2, FIELDS, CODE_MONTH, CODE_MONTH, -1, -1},
    {"day", SAMPLE_DAY, KIND_VARIABLE, 1, FIELDS, CODE_DAY, CODE_DAY, -1, -1},
    {"lunar year", SAMPLE_LUNAR_YEAR, KIND_VARIABLE, 1, FIELDS, CODE_LUNAR_YEAR, CODE_LUNAR_YEAR, -1, -1},
    {"lunar month", SAMPLE_LUNAR_MONTH, KIND_VARIABLE, 1, FIELDS, CODE_LUNAR_MONTH, CODE_LUNAR_MONTH, -1, -1},
    {"lunar day", SAMPLE_LUNAR_DAY, KIND_VARIABLE, 1, FIELDS, CODE_LUNAR_DAY, CODE_LUNAR_DAY, -1, -1},
    {"weekday", SAMPLE_WEEKDAY, KIND_VARIABLE, 1, FIELDS, CODE_WEEKDAY, CODE_WEEKDAY, -1, -1},
    {"hour", SAMPLE_HOUR, KIND_VARIABLE, 3, FIELDS, CODE_HOUR, CODE_HOUR, -1, -1},
    {"minute", SAMPLE_MINUTE, KIND_VARIABLE, 2, FIELDS, CODE_MINUTE, CODE_MINUTE, -1, -1},
    {"second", SAMPLE_SECOND, KIND_VARIABLE, 1, FIELDS, CODE_SECOND, CODE_SECOND, -1, -1},
    {"valve", SAMPLE_VALVE, KIND_VALVE, 1, 20, 0, 19, -1, -1},                  // picture id_0 .. id_19
    {"text", SAMPLE_TEXT, KIND_TEXT, 1, 429, 0, 428 % 256, -1, -1},            // its register follows its slot
    {"register", SAMPLE_REGISTER, KIND_VARIABLE, 1, 150, 41, 190, -1, -1},         // registers 40041 .. 40190
    {"table", SAMPLE_TABLE, KIND_TABLE, 1, 9, 0, 0, 40, 15},
    {"safety counter", SAMPLE_SAFETY, KIND_VARIABLE, 1, FIELDS, SAFETY_CODE_FIRST, SAFETY_CODE_FIRST, -1, -1},
    {"wind", SAMPLE_WIND, KIND_VARIABLE, 1, FIELDS, CODE_WIND, CODE_WIND, -1, -1},
    {"counter", SAMPLE_COUNTER, KIND_VARIABLE, 1, FIELDS, 0, 0, -1, -1},
    {"circle", SAMPLE_CIRCLE, KIND_CIRCLE, 1, 10, NO_REGISTER_CODE, NO_REGISTER_CODE, 20, 20},
    {"rectangle", SAMPLE_RECT, KIND_RECT, 1, 27, 0, 26, 30, 15},
    {"block", SAMPLE_BLOCK, KIND_BLOCK, 1, 30, 0, 0, 4, 4},
    {"line", SAMPLE_LINE, KIND_LINE, 1, 40, 0, 0, 25, -1},
    {"vertical line", SAMPLE_VLINE, KIND_VLINE, 1, 50, 0, 0, -1, 10},
    {"filled circle", SAMPLE_FILLED_CIRCLE, KIND_FILLED_CIRCLE, 1, 20, NO_REGISTER_CODE, NO_REGISTER_CODE, 20, 20},
    {"filled rectangle", SAMPLE_FILLED_RECT, KIND_FILLED_RECT, 1, 20, 0, 19, 30, 15},   // fill patterns 0 .. 19
};
static_assert(sizeof CELLS / sizeof CELLS[0] == PALETTE_SAMPLES, "a case for every palette cell");

} // namespace

TEST(Layout, AFreshWorkspaceHasNoItemsAndSavesOnlyTheClearLines)
{
    temp_workspace ws;
    fresh_start(ws);
    EXPECT_EQ(ws.d().items.count, 0);
    EXPECT_EQ(script_text(ws.d()), "led clearall \r\nled clearall \r\n\r\n\r\n");
    EXPECT_FALSE(layout_has_unsaved_changes(ws.d()));
}

TEST(Layout, EveryScriptSlotBelongsToOneKind)
{
    // Both numberings run 0..428: the texts', and the other items' split into
    // the ranges of their kinds, with nothing past the last slot.
    for (int s = 0; s < SLOT_COUNT; s++) {
        EXPECT_EQ(range_of_slot(ITEM_TABLE_TEXTS, s), RANGE_TEXT) << s;
        EXPECT_NE(range_of_slot(ITEM_TABLE_UNITS, s), RANGE_NONE) << s;
    }
    for (int s : {-1, SLOT_COUNT}) {
        EXPECT_EQ(range_of_slot(ITEM_TABLE_TEXTS, s), RANGE_NONE);
        EXPECT_EQ(range_of_slot(ITEM_TABLE_UNITS, s), RANGE_NONE);
    }
    EXPECT_EQ(range_of_slot(ITEM_TABLE_UNITS, 153), RANGE_VLINE);
    EXPECT_EQ(range_of_slot(ITEM_TABLE_UNITS, 352), RANGE_REGISTER);
    EXPECT_EQ(range_of_slot(ITEM_TABLE_UNITS, 353), RANGE_RECT);
}

TEST_F(PointerTest, EveryPaletteCellMakesItsItemUntilItsKindIsFullThenSaysSo)
{
    const int p = view_pitch(v);
    for (const cell_case& k : CELLS) {
        SCOPED_TRACE(k.name);
        doc_clear_layout(*doc);
        ui->current = NO_ITEM;
        status_clear(ui->status);
        int x, y;
        sample_point(k.sample, p, x, y);
        ASSERT_EQ(palette_sample_at(x, y, p), k.sample);
        // Let go where the sample's corner comes onto dot (20, 10).
        const int to_x = px(20) + x - palette_sample_of(k.sample).x, to_y = py(10) + y - palette_sample_of(k.sample).y;
        const int pulls = k.room / k.parts;
        for (int n = 0; n <= pulls; n++) {
            const int before = doc->items.count;
            press(x, y);
            drag(to_x, to_y);
            release(to_x, to_y);
            if (n == pulls) {
                // Full: nothing is made, and the status line says so.
                EXPECT_EQ(doc->items.count, before);
                EXPECT_EQ(ui->status.tone, STATUS_INFO);
                EXPECT_EQ(std::string(ui->status.utf8), "此类项已满（最多 " + std::to_string(k.room) + " 个）");
                break;
            }
            ASSERT_EQ(doc->items.count, before + k.parts) << "pull " << n;
            const item* it = current_item(e);
            ASSERT_NE(it, nullptr);
            EXPECT_EQ(it->kind, k.kind);
            EXPECT_EQ(it->x, 20);   // dropped where the pointer let go
            EXPECT_EQ(it->y, 10);
            EXPECT_EQ(ui->status.tone, STATUS_NONE);
            if (n == 0) {
                EXPECT_EQ(it->code, k.first_code);
                const dot_box b = measure_item(*it);
                if (k.w >= 0) {
                    EXPECT_EQ(b.w, k.w);
                }
                if (k.h >= 0) {
                    EXPECT_EQ(b.h, k.h);
                }
                if (k.kind == KIND_TEXT) {
                    EXPECT_STREQ(it->text, TEXT_PLACEHOLDER);
                    EXPECT_EQ(it->font_size, 12);
                }
            }
            if (n == pulls - 1) {
                EXPECT_EQ(it->code, k.last_code);
            }
        }
    }
}

TEST_F(PointerTest, AfterTheDemoIsLoadedEveryPaletteCellStillOffersItsItem)
{
    const std::string demo =
        temp_workspace::read_path(std::string(LUMIKER_SOURCE_DIR) + "/workspace/ledsys/CMD1/cmd.txt");
    script_report report;
    run_script(*doc, demo.data(), demo.size(), report, nullptr);
    EXPECT_EQ(report.refused, 0);
    ASSERT_GT(doc->items.count, 10);
    const int p = view_pitch(v);
    for (const cell_case& k : CELLS) {
        SCOPED_TRACE(k.name);
        int x, y;
        sample_point(k.sample, p, x, y);
        const int before = doc->items.count;
        press(x, y);
        drag(px(30), py(30));
        release(px(30), py(30));
        EXPECT_EQ(doc->items.count, before + k.parts);
        ASSERT_NE(current_item(e), nullptr);
        EXPECT_EQ(current_item(e)->kind, k.kind);
    }
    // A pull dropped back on the palette makes nothing.
    int x, y;
    sample_point(SAMPLE_RECT, p, x, y);
    const int before = doc->items.count;
    press(x, y);
    drag(x + 4, y + 4);
    release(x + 4, y + 4);
    EXPECT_EQ(doc->items.count, before);
}

TEST(Layout, ValvePicturesAreLoadedWholeAndAMissingOneIsSkipped)
{
    temp_workspace ws;
    std::string pic0 = "BM" + std::string(100, '\x7f');
    ws.write("ledsys/CMD1/id_0.bmp", pic0);
    ws.write("ledsys/CMD1/id_4.bmp", std::string(3000, 'x'));
    fresh_start(ws);
    const valve_image* v0 = doc_valve(ws.d(), 0);
    ASSERT_NE(v0, nullptr);
    EXPECT_EQ(v0->len, 102);
    EXPECT_EQ(std::string((const char*)v0->bytes, 102), pic0);
    EXPECT_EQ(doc_valve(ws.d(), 3), nullptr);
    ASSERT_NE(doc_valve(ws.d(), 4), nullptr);
    EXPECT_EQ(doc_valve(ws.d(), 4)->len, 3000);
    EXPECT_EQ(doc_valve(ws.d(), VALVE_PICTURES), nullptr);
    EXPECT_EQ(doc_valve(ws.d(), -1), nullptr);
    // A second start frees and reloads; nothing leaks or dangles.
    ws.write("ledsys/CMD1/id_4.bmp", std::string(10, 'y'));
    fresh_start(ws);
    ASSERT_NE(doc_valve(ws.d(), 4), nullptr);
    EXPECT_EQ(doc_valve(ws.d(), 4)->len, 10);
}

TEST(Layout, SelectionButtonsArePlacedFromTheAnchor)
{
    const button* t = prop_buttons(KIND_TEXT);
    const int a = SELECTION_ANCHOR_X, b = SELECTION_ANCHOR_Y;
    // Pair k: "+" at (a + 50 + 58k, b - 45), "-" at (a + 50 + 58k, b - 5).
    EXPECT_EQ(t[0].x, a + 50);
    EXPECT_EQ(t[0].y, b - 45);
    EXPECT_EQ(t[1].y, b - 5);
    EXPECT_EQ(t[15].x, a + 50 + 58 * 7);
    EXPECT_EQ(gbk_to_utf8(t[14].label), "方向+");
    const button* n = nudge_buttons(true);
    EXPECT_EQ(n[0].x, a - 80);
    EXPECT_EQ(n[3].x, a - 30);
    EXPECT_EQ(n[3].y, b - 5);
    const button* d = prop_buttons(KIND_VARIABLE);
    EXPECT_EQ(gbk_to_utf8(d[12].label), "小数+");
    EXPECT_EQ(d[12].x, a + 50 + 58 * 6);
    EXPECT_EQ(gbk_to_utf8(tool_row(ROW_COMMAND, WINDOW_MIN_W)[SAVE_SLOT].label), "保存数据");
}

TEST(Layout, CopyFieldIsBoundedAndTerminated)
{
    char buf[4];
    copy_field(buf, sizeof buf, "abcdef");
    EXPECT_STREQ(buf, "abc");
    copy_field(buf, sizeof buf, nullptr);
    EXPECT_STREQ(buf, "");
    char f[6];
    EXPECT_EQ(format_field(f, sizeof f, "%d-%d", 1234, 5678), 9);
    EXPECT_STREQ(f, "1234-");
}
