// The default layout: ranges, kinds, defaults, palette places, valve pictures.
#include "model/default_layout.h"
#include "model/palette.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <set>

TEST(DefaultLayout, OnlyTheFirstOfEachRangeTheNamedRecordsAndTextZeroAreVisible)
{
    temp_workspace ws;
    fresh_start();
    std::set<int> expected = {0, 3, 6, 2, 5, 8, 9, 12, 15, 18, 20, 21, 27, 24, 30, 7, 4, 1};
    for (const record_range& r : digit_ranges) expected.insert(r.first);
    for (int i = 0; i < DIGIT_COUNT; i++)
        EXPECT_EQ(digit_table[i].visible, expected.count(i) ? 1 : 0) << "record " << i;
    for (int i = 0; i < STRING_COUNT; i++) EXPECT_EQ(string_table[i].visible, i == 0 ? 1 : 0) << "text " << i;
    // Nothing visible lies on the panel, so nothing is saved.
    for (int i = 0; i < DIGIT_COUNT; i++)
        if (digit_table[i].visible) {
            EXPECT_LT(digit_table[i].x, 265) << "record " << i;
        }
}

TEST(DefaultLayout, RangesGetTheirKindsDefaultsAndPalettePlaces)
{
    temp_workspace ws;
    fresh_start();
    struct expect_range { int range, kind, x, y, width, height, size; };
    const expect_range ranges[] = {
        {RANGE_BLOCK, KIND_BLOCK, 110, 715, 8, 8, 4},
        {RANGE_LINE, KIND_LINE, 130, 715, 50, 8, 20},
        {RANGE_CIRCLE, KIND_CIRCLE, 110, 669, 40, 20, 40},
        {RANGE_FILLED_CIRCLE, KIND_FILLED_CIRCLE, 110, 769, 40, 20, 40},
        {RANGE_VLINE, KIND_VLINE, 190, 715, 5, 20, 20},
        {RANGE_REGISTER, KIND_VARIABLE, 138, 415, 88, 80, 4},
        {RANGE_RECT, KIND_RECT, 155, 657, 60, 30, 20},
        {RANGE_VALVE, KIND_VALVE, 125, 335, 60, 25, 20},
        {RANGE_FILLED_RECT, KIND_FILLED_RECT, 155, 757, 60, 30, 20},
        {RANGE_SAFETY, KIND_VARIABLE, 138, 515, 24, 16, 4},
    };
    for (const expect_range& r : ranges) {
        for (int i = digit_ranges[r.range].first; i <= digit_ranges[r.range].last; i++) {
            const Digit_unit& d = digit_table[i];
            EXPECT_EQ(d.kind, r.kind) << i;
            EXPECT_EQ(d.x, r.x) << i;
            EXPECT_EQ(d.y, r.y) << i;
            EXPECT_EQ(d.width, r.width) << i;
            EXPECT_EQ(d.height, r.height) << i;
            EXPECT_EQ(d.size, r.size) << i;
        }
    }
    const record_range* R = digit_ranges;
    EXPECT_EQ(digit_table[R[RANGE_CIRCLE].first].reg_addr, NO_REGISTER_CODE);
    EXPECT_EQ(digit_table[R[RANGE_FILLED_CIRCLE].last - 2].reg_addr, NO_REGISTER_CODE);
    EXPECT_EQ(digit_table[R[RANGE_REGISTER].first].reg_addr, REGISTER_CODE_FIRST);
    EXPECT_EQ(digit_table[R[RANGE_REGISTER].last].reg_addr, R[RANGE_REGISTER].last - REGISTER_HOME_BASE);
    EXPECT_EQ(digit_table[R[RANGE_REGISTER].first].digits, 4);
    EXPECT_EQ(digit_table[R[RANGE_SAFETY].first].reg_addr, SAFETY_CODE_FIRST);
    EXPECT_EQ(digit_table[R[RANGE_SAFETY].last].digits, 4);
    EXPECT_EQ(digit_table[R[RANGE_RECT].first + 7].reg_addr, 7);
    EXPECT_EQ(digit_table[R[RANGE_VALVE].first + 5].reg_addr, 5);
    EXPECT_EQ(digit_table[R[RANGE_FILLED_RECT].last].reg_addr, 19);
    for (int i = R[RANGE_TABLE].first; i <= NO_ITEM; i++) {
        const Digit_unit& t = digit_table[i];
        EXPECT_EQ(t.kind, KIND_TABLE);
        EXPECT_EQ(t.cols, 4);
        EXPECT_EQ(t.rows, 3);
        EXPECT_EQ(t.col_width[0], 20);
        EXPECT_EQ(t.col_width[48], 20);
        EXPECT_EQ(t.col_width[49], 0);
        EXPECT_EQ(t.row_height[48], 10);
        EXPECT_EQ(t.x, 110);
        EXPECT_EQ(t.y, 455);
    }
}

TEST(DefaultLayout, NamedComponentRecords)
{
    temp_workspace ws;
    fresh_start();
    const Digit_unit* d = digit_table;
    EXPECT_EQ(d[0].reg_addr, 5);
    EXPECT_EQ(d[0].x, 80);
    EXPECT_EQ(d[0].y, 165);
    EXPECT_EQ(d[0].digits, 4);
    EXPECT_EQ(d[0].width, (4 + 2) * 4 * 2);
    EXPECT_EQ(d[0].height, 2 * 4 * 2);
    EXPECT_EQ(d[9].reg_addr, 16);
    EXPECT_EQ(d[9].x, 120);
    EXPECT_EQ(d[18].reg_addr, 10);
    EXPECT_EQ(d[18].x, 180);
    EXPECT_EQ(d[18].y, 303);
    // Record 20 keeps its own width after the range pass.
    EXPECT_EQ(d[20].reg_addr, 20);
    EXPECT_EQ(d[20].width, 72);
    EXPECT_EQ(d[20].x, 130);
    EXPECT_EQ(d[20].y, 565);
    // Counters (codes below 4) end at (120, 615) with six digits; their first places do not survive.
    for (int i : {1, 4, 7, 21, 24, 27, 30, 10, 32}) {
        EXPECT_EQ(d[i].x, 120) << i;
        EXPECT_EQ(d[i].y, 615) << i;
        EXPECT_EQ(d[i].digits, 6) << i;
    }
    EXPECT_EQ(d[1].reg_addr, 2);
    EXPECT_EQ(d[4].reg_addr, 1);
}

TEST(DefaultLayout, TextsUnitsAndButtons)
{
    temp_workspace ws(320, 96);
    fresh_start();
    const string_draw* s = string_table;
    EXPECT_EQ(s[0].x, 2 * 30 + 75);
    EXPECT_EQ(s[0].y, 373);
    EXPECT_EQ(s[0].mode, 0);
    EXPECT_EQ(s[7].reg_addr, 7);
    EXPECT_EQ(s[7].box_width, 12 * 2 * 3 / 2);
    EXPECT_EQ(s[7].box_height, 24);
    EXPECT_EQ(s[214].y, 373);
    EXPECT_EQ(s[215].y, 423);
    EXPECT_EQ(s[215].mode, 1);
    EXPECT_EQ(s[215].box_width, 36);
    EXPECT_EQ(s[215].reg_addr, 50);
    EXPECT_EQ(s[NO_ITEM].reg_addr, (50 + (NO_ITEM - TEXT_SCROLL_FIRST)) % 256);
    EXPECT_EQ(led_table[0].w, 320);
    EXPECT_EQ(led_table[0].h, 96);
    EXPECT_EQ(led_table[0].x, 265);
    EXPECT_EQ(led_table[37].col, 5);
    EXPECT_EQ(led_table[37].row, 1);
    EXPECT_EQ(led_table[37].y, 145);
    EXPECT_EQ(led_table[37].w, 64);
    EXPECT_EQ(gbk_to_utf8(command_row[2].label), "保存数据");
    // Once the documents are loaded the align row starts released.
    row_pressed[ROW_ALIGN] = row_down[ROW_ALIGN] = 1;
    startup_documents();
    EXPECT_EQ(row_pressed[ROW_ALIGN], 0);
    EXPECT_EQ(row_down[ROW_ALIGN], 0);
}

TEST(DefaultLayout, ValvePicturesAreLoadedWholeAndAMissingOneIsSkipped)
{
    temp_workspace ws;
    std::string pic0 = "BM" + std::string(100, '\x7f');
    ws.write("ledsys/CMD1/id_0.bmp", pic0);
    ws.write("ledsys/CMD1/id_4.bmp", std::string(3000, 'x'));
    fresh_start();
    ASSERT_NE(digit_table[380].bitmap, nullptr);
    EXPECT_EQ(digit_table[380].bitmap_len, 102);
    EXPECT_EQ(std::string((const char*)digit_table[380].bitmap, 102), pic0);
    EXPECT_EQ(digit_table[383].bitmap, nullptr);
    EXPECT_EQ(digit_table[383].bitmap_len, 0);
    EXPECT_EQ(digit_table[384].bitmap_len, 3000);
    // A second start frees and reloads; nothing leaks or dangles.
    fresh_start();
    EXPECT_EQ(digit_table[384].bitmap_len, 3000);
}

TEST(DefaultLayout, PaletteRuleStaysInsideItsRange)
{
    EXPECT_EQ(palette_next(53), 54);
    EXPECT_EQ(palette_next(82), -1);   // last point block: not the first line
    EXPECT_EQ(palette_next(32), -1);
    EXPECT_EQ(palette_next(352), -1);
    EXPECT_EQ(palette_next(LAST_ITEM_INDEX - 1), LAST_ITEM_INDEX);
    EXPECT_EQ(palette_next(LAST_ITEM_INDEX), -1);  // the next is the phantom anchor
    EXPECT_EQ(palette_next(NO_ITEM), -1);
    EXPECT_EQ(palette_next_text(LAST_ITEM_INDEX - 1), LAST_ITEM_INDEX);
    EXPECT_EQ(palette_next_text(LAST_ITEM_INDEX), -1);
    EXPECT_EQ(range_of_record(153), RANGE_VLINE);
    EXPECT_EQ(range_of_record(NO_ITEM), -1);
}

TEST(DefaultLayout, EveryPaletteCellOffersItsItemAfterTheDemoIsLoaded)
{
    // The cells of a fresh layout: place, kind and (in the named range) code.
    led_pitch = 2;
    reset_item_tables();
    default_layout();
    struct cell { int32_t x, y; uint8_t kind; int32_t code; };
    std::vector<cell> cells;
    for (int i = 0; i < DIGIT_COUNT; i++) {
        const Digit_unit& d = digit_table[i];
        if (d.visible) cells.push_back({d.x, d.y, d.kind, i <= 32 ? d.reg_addr : -1});
    }
    const int32_t text_x = string_table[0].x, text_y = string_table[0].y;

    startup_paths((std::string(LUMIKER_SOURCE_DIR) + "/workspace/").c_str());
    fresh_start();
    ASSERT_TRUE(digit_table[0].visible && digit_table[0].x > 265);   // the script took the date's sample
    EXPECT_GT(refill_palette(), 0);
    for (const cell& c : cells) {
        bool offered = false;
        for (const Digit_unit& d : digit_table)
            offered |= d.visible && d.x == c.x && d.y == c.y && d.kind == c.kind && (c.code < 0 || d.reg_addr == c.code);
        EXPECT_TRUE(offered) << "no item in the palette cell at " << c.x << ", " << c.y;
    }
    bool text_offered = false;
    for (const string_draw& s : string_table) text_offered |= s.visible && s.x == text_x && s.y == text_y;
    EXPECT_TRUE(text_offered);
    EXPECT_EQ(refill_palette(), 0);   // a full palette takes nothing more
}
