// Mouse presses and releases: hit tests, selection, palette, alignment,
// delete, merge, save and close, and the tool-button sizes.
#include "edit/close_prompt.h"
#include "items/buttons.h"
#include "output/layout_save.h"
#include "edit/status.h"
#include "output/script_export.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"
#include <sys/stat.h>

// ---- hit tests -----------------------------------------------------------------

TEST_F(PointerTest, BodiesAreHitOnlyStrictlyInside)
{
    put_text(5, 300, 200, 40, 20);
    const int outside[][2] = {{300, 210}, {340, 210}, {320, 200}, {320, 220}};
    for (auto& p : outside) {
        click(p[0], p[1]);
        EXPECT_NE(current_string, 5) << p[0] << "," << p[1];
    }
    const int inside[][2] = {{301, 201}, {339, 219}};
    for (auto& p : inside) {
        current_string = NO_STRING_AT_START;
        click(p[0], p[1]);
        EXPECT_EQ(current_string, 5) << p[0] << "," << p[1];
    }

    put_unit(90, KIND_LINE, 400, 300, 50, 8);
    click(400, 304);
    EXPECT_NE(current_unit, 90);
    click(450, 304);
    EXPECT_NE(current_unit, 90);
    click(401, 301);
    EXPECT_EQ(current_unit, 90);
    click(449, 307);
    EXPECT_EQ(current_unit, 90);
}

TEST_F(PointerTest, ANegativeLowerBoundNeverMatches)
{
    // An item left of the window's edge (nudged there) cannot be pressed at all.
    put_text(5, -10, 300, 40, 20);
    click(5, 310);
    EXPECT_NE(current_string, 5);
    // A button whose rectangle reaches left of the window is not hit either.
    menu_unit b;
    b.x = 1; b.y = 100; b.w = 10; b.h = 6;
    copy_field(b.label, LABEL_LEN, "b");
    EXPECT_FALSE(tool_button_hit(b, 0, 100));   // x - p = -1
    b.x = 3;
    EXPECT_TRUE(tool_button_hit(b, 2, 100));
}

TEST_F(PointerTest, TextsWinOverUnitsAndLowerIndexWins)
{
    put_unit(90, KIND_LINE, 300, 300, 100, 40);
    put_text(7, 310, 310, 40, 20);
    put_text(3, 320, 305, 40, 20);
    click(330, 315);   // all three hold the point
    EXPECT_EQ(current_string, 3);
    EXPECT_EQ(current_unit, NO_ITEM);
    click(390, 335);   // only the unit
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(current_string, NO_ITEM);
}

TEST_F(PointerTest, OverlappingRectanglesGoToTheOneFurtherRightOrDown)
{
    put_unit(360, KIND_RECT, 300, 300, 100, 100);
    put_unit(361, KIND_RECT, 320, 280, 100, 100);   // further right (but higher): replaces 360
    click(350, 350);
    EXPECT_EQ(current_unit, 361);
    put_unit(362, KIND_RECT, 310, 310, 100, 100);   // left of 361 but lower: replaces it
    put_unit(363, KIND_RECT, 305, 305, 100, 100);   // neither further right nor down than 362
    click(350, 350);
    EXPECT_EQ(current_unit, 362);

    // A rectangle that does not hold the point takes nothing.
    put_unit(364, KIND_RECT, 360, 360, 100, 100);
    click(340, 340);
    EXPECT_EQ(current_unit, 362);

    // The rule is for rectangles only: a line hit first keeps the press.
    put_unit(90, KIND_LINE, 330, 330, 40, 40);
    click(350, 350);
    EXPECT_EQ(current_unit, 90);
}

TEST_F(PointerTest, CirclesAreHitAroundTheirCentre)
{
    for (int i : {125, 140}) {
        SCOPED_TRACE(i);
        digit_table[125].visible = digit_table[140].visible = 0;
        Digit_unit& c = put_unit(i, i == 125 ? KIND_CIRCLE : KIND_FILLED_CIRCLE, 500, 300, 40, 20);
        c.height = 20;   // the radius the circle is drawn with
        click(485, 290);  // upper left of the centre: on the drawn disc
        EXPECT_EQ(current_unit, i);
        click(900, 400);
        click(520, 300);  // right border
        EXPECT_NE(current_unit, i);
        click(519, 300);
        EXPECT_EQ(current_unit, i);
        click(500, 280);  // top border
        EXPECT_NE(current_unit, i);
        click(500, 281);
        EXPECT_EQ(current_unit, i);
        click(530, 310);  // inside x .. x + width but off the disc
        EXPECT_NE(current_unit, i);
    }
}

// ---- palette rule ------------------------------------------------------------------

TEST_F(PointerTest, PullingAPaletteEntryLeavesAFreshOneBehind)
{
    const Digit_unit& entry = digit_table[83];
    ASSERT_EQ(entry.visible, 1);
    ASSERT_EQ(digit_table[84].visible, 0);
    const int px = entry.x + 10, py = entry.y + 4;
    press(px, py);
    EXPECT_EQ(current_unit, 83);
    EXPECT_EQ(digit_table[84].visible, 1);
    drag(400, 300);
    release(400, 300);
    EXPECT_EQ(digit_table[83].x, 390);
    EXPECT_EQ(digit_table[83].y, 296);
    // The new palette entry is the next line, where the old one stood, with its range's defaults.
    EXPECT_EQ(digit_table[84].x, px - 10);
    EXPECT_EQ(digit_table[84].kind, KIND_LINE);
    EXPECT_EQ(digit_table[84].width, 50);

    // Pressing the placed item again reveals nothing new.
    click(395, 300);
    EXPECT_EQ(current_unit, 83);
    EXPECT_EQ(digit_table[85].visible, 0);
}

TEST_F(PointerTest, PaletteRuleStaysInsideTheRangeAndNeverShowsSlot429)
{
    // Last line: the next record is the circle range's first (another
    // circle stands in the palette, so the cell is not refilled).
    digit_table[123].visible = 0;
    digit_table[124].visible = 1;
    put_unit(122, KIND_LINE, 400, 300, 50, 8);
    click(410, 304);
    EXPECT_EQ(current_unit, 122);
    EXPECT_EQ(digit_table[123].visible, 0);

    // Last table and last text: the next record is the phantom anchor.
    put_table(LAST_ITEM_INDEX, 500, 300);
    click(505, 305);
    EXPECT_EQ(current_unit, LAST_ITEM_INDEX);
    EXPECT_EQ(digit_table[NO_ITEM].visible, 0);
    put_text(LAST_ITEM_INDEX, 700, 300, 40, 20);
    click(710, 310);
    EXPECT_EQ(current_string, LAST_ITEM_INDEX);
    EXPECT_EQ(string_table[NO_ITEM].visible, 0);

    // A text reveals the next text.
    put_text(20, 700, 400, 40, 20);
    click(710, 410);
    EXPECT_EQ(string_table[21].visible, 1);
}

TEST_F(PointerTest, ADeletedSuccessorComesBackBelowTheWindow)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 400, 300, 50, 8);
    click(410, 304);
    delete_selected();
    EXPECT_EQ(digit_table[91].visible, 0);
    EXPECT_EQ(digit_table[91].y, DELETED_Y);
    click(310, 304);
    EXPECT_EQ(digit_table[91].visible, 1);
    EXPECT_EQ(digit_table[91].y, DELETED_Y);
}

// ---- selection -----------------------------------------------------------------------

TEST_F(PointerTest, SingleSelectionKeepsOneCurrentItemAndTheDragOffset)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_text(5, 500, 300, 40, 20);
    click(510, 305);
    EXPECT_EQ(current_string, 5);
    EXPECT_EQ(current_unit, NO_ITEM);
    EXPECT_EQ(current_graph, NO_ITEM);
    EXPECT_EQ(current_led[0], NO_ITEM);
    EXPECT_EQ(drag_offset[0], 10);
    EXPECT_EQ(drag_offset[1], 5);

    press(320, 303);
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(current_string, NO_ITEM);
    EXPECT_EQ(drag_offset[0], 20);
    EXPECT_EQ(drag_offset[1], 3);
    EXPECT_EQ(unit_drag, 1);
    EXPECT_EQ(digit_table[90].group_selected, 0);
    release(320, 303);
}

TEST_F(PointerTest, PressesOnItemsSetTheResetMarksOfTheButtonRows)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    row_pressed[ROW_ALIGN] = 3;
    row_pressed[ROW_DELETE] = 2;
    row_hover[ROW_DELETE] = 2;
    row_pressed[ROW_COMMAND] = 2;
    click(320, 303);
    EXPECT_EQ(row_pressed[ROW_ALIGN], ROW_RESET_MARK);
    EXPECT_EQ(row_pressed[ROW_DELETE], ROW_RESET_MARK);
    EXPECT_EQ(row_hover[ROW_DELETE], ROW_RESET_MARK);
    EXPECT_EQ(row_pressed[ROW_COMMAND], 2);
}

TEST_F(PointerTest, GroupPressesAddToTheGroupAroundTheAnchor)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 400, 320, 60, 8);
    put_text(5, 500, 340, 40, 20);
    click(320, 303);   // 90 is current
    ASSERT_EQ(current_unit, 90);

    on_passive_motion(420, 324);
    multi_select = 1;
    press_only(420, 324);
    EXPECT_EQ(digit_table[91].group_selected, 1);
    EXPECT_EQ(current_unit, 90);   // the current item stays
    EXPECT_EQ(sel_box[0], 400);
    EXPECT_EQ(sel_box[1], 320);
    EXPECT_EQ(sel_box[2], 60);
    EXPECT_EQ(sel_box[3], 8);
    EXPECT_EQ(drag_offset[0], 420 - 300);   // from the anchor, the current unit
    EXPECT_EQ(drag_offset[1], 324 - 300);
    release(420, 324);

    multi_select = 1;
    press_only(510, 350);
    EXPECT_EQ(string_table[5].group_selected, 1);
    EXPECT_EQ(current_unit, NO_ITEM);
    EXPECT_EQ(current_string, NO_ITEM);
    EXPECT_EQ(sel_box[0], 500);
    EXPECT_EQ(sel_box[2], 40);
    EXPECT_EQ(drag_offset[0], 510 - string_table[NO_ITEM].x);
    EXPECT_EQ(drag_offset[1], 350 - string_table[NO_ITEM].y);
    EXPECT_EQ(string_drag, 1);
    release(510, 350);
}

TEST_F(PointerTest, PressOnNothingBelowTheTopBandEndsBothSelections)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_text(5, 500, 340, 40, 20);
    digit_table[90].group_selected = 1;
    string_table[5].group_selected = 1;
    current_unit = 90;
    current_string = 5;

    click(800, 120);   // top band: the selection stays
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(digit_table[90].group_selected, 1);

    click(800, 400);
    EXPECT_EQ(current_unit, NO_ITEM);
    EXPECT_EQ(current_string, NO_ITEM);
    EXPECT_EQ(digit_table[90].group_selected, 0);
    EXPECT_EQ(string_table[5].group_selected, 0);
    EXPECT_EQ(empty_press, 1);
}

TEST_F(PointerTest, RightPressDropsTheWholeSelection)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_text(5, 500, 340, 40, 20);
    digit_table[90].group_selected = 1;
    string_table[5].group_selected = 1;
    current_unit = 90;
    on_mouse(2, 0, 800, 400);
    EXPECT_EQ(current_unit, RIGHT_PRESS_UNIT);
    EXPECT_EQ(current_string, NO_ITEM);
    EXPECT_EQ(current_graph, RIGHT_PRESS_GRAPH);
    EXPECT_EQ(current_led[0], RIGHT_PRESS_LED);
    EXPECT_EQ(current_led[1], RIGHT_PRESS_LED);
    EXPECT_EQ(digit_table[90].group_selected, 0);
    EXPECT_EQ(string_table[5].group_selected, 0);
    EXPECT_EQ(left_down, 0);
    // Nothing reads the table at 599: delete, hover and a release stay inside.
    delete_selected();
    on_passive_motion(620, 40);
    on_mouse(2, 1, 800, 400);
    on_mouse(0, 1, 800, 400);
    EXPECT_EQ(digit_table[90].visible, 1);
}

TEST_F(PointerTest, ReleaseEndsDragsHeldButtonsAndTheBand)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    current_unit = 90;
    left_down = unit_drag = string_drag = 1;
    resize_handle = HANDLE_RIGHT;
    for (int r = 0; r < ROW_COUNT; r++) row_down[r] = 1;
    digit_table[90].prop_down = digit_table[90].nudge_down = 1;
    band_active = 1;
    rubber_band.shown = 1;
    string_table[5].group_selected = 1;
    release(600, 300);
    EXPECT_EQ(left_down + unit_drag + string_drag + resize_handle, 0);
    for (int r = 0; r < ROW_COUNT; r++) EXPECT_EQ(row_down[r], 0);
    EXPECT_EQ(digit_table[90].prop_down, 0);
    EXPECT_EQ(digit_table[90].nudge_down, 0);
    EXPECT_EQ(band_active, 0);
    EXPECT_EQ(rubber_band.shown, 0);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
    EXPECT_EQ(string_table[5].group_selected, 1);   // the band's selection stays
}

TEST_F(PointerTest, RubberBandStartsOnlyRightOfAndBelowTheButtons)
{
    press(600, 300);
    EXPECT_EQ(band_active, 1);
    EXPECT_EQ(rubber_band.shown, 1);
    EXPECT_EQ(rubber_band.left, 600);
    EXPECT_EQ(rubber_band.top, 300);
    EXPECT_EQ(rubber_band.pic_width, 0);
    release(600, 300);
    for (auto p : {std::pair<int, int>{600, 95}, {215, 300}}) {
        press(p.first, p.second);
        EXPECT_EQ(band_active, 0) << p.first << "," << p.second;
        release(p.first, p.second);
    }
}

// ---- item buttons -----------------------------------------------------------------------

TEST_F(PointerTest, ItemButtonsActOnTheCurrentItemOnly)
{
    Digit_unit& d = put_unit(90, KIND_LINE, 300, 300, 50, 8);
    // "颜色+" stands at (608, 55): hit strictly inside x 608..664, y 25..55.
    click(620, 40);
    EXPECT_EQ(d.color, 0);   // not current
    click(320, 303);
    ASSERT_EQ(current_unit, 90);
    press(620, 40);
    EXPECT_EQ(d.color, 1);
    EXPECT_EQ(d.prop_pressed, 2);
    EXPECT_EQ(d.prop_down, 1);
    EXPECT_EQ(current_unit, 90);   // a press in the top band keeps the selection
    release(620, 40);
    EXPECT_EQ(d.prop_down, 0);
    click(620, 55);   // on the button's bottom line: no hit
    EXPECT_EQ(d.color, 1);

    // "X+" at (420, 55) moves the unit one dot right.
    click(430, 40);
    EXPECT_EQ(d.x, 302);
    EXPECT_EQ(d.nudge_pressed, 0);

    // The text's buttons sit in the same places.
    string_draw& s = put_text(5, 500, 340, 40, 20);
    click(510, 350);
    ASSERT_EQ(current_string, 5);
    click(620, 40);
    EXPECT_EQ(s.color, 1);
    EXPECT_EQ(d.color, 1);
    click(430, 80);   // "X-"
    EXPECT_EQ(s.x, 498);
}

TEST_F(PointerTest, WeekdaySizeSnapsBackToItsPresetAtTheNextButtonPress)
{
    Digit_unit& w = digit_table[9];   // component code 16, weekday
    ASSERT_EQ(w.reg_addr, 16);
    current_unit = 9;
    w.visible = 1;
    w.width = 999;
    w.height = 5;
    click(620, 40);   // "颜色+": not a size button
    EXPECT_EQ(w.width, 72);
    EXPECT_EQ(w.height, 24);
    EXPECT_EQ(w.font_px, 12);
    click(560, 40);   // "大小+": the next preset
    EXPECT_EQ(w.size_preset, 2);
    EXPECT_EQ(w.width, 96);
}

// ---- align, delete, merge -------------------------------------------------------------

TEST_F(PointerTest, AlignButtonsLineTheGroupUpWithTheLastJoined)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 350, 320, 60, 8);
    put_text(5, 400, 340, 40, 20);
    digit_table[90].group_selected = digit_table[91].group_selected = 1;
    string_table[5].group_selected = 1;
    sel_box[0] = 400; sel_box[1] = 340; sel_box[2] = 40; sel_box[3] = 20;

    int x, y;
    centre_of(align_row[1], x, y);   // "右对齐"
    press(x, y);
    EXPECT_EQ(row_pressed[ROW_ALIGN], 1);
    EXPECT_EQ(row_down[ROW_ALIGN], 1);
    release(x, y);
    EXPECT_EQ(digit_table[90].x + digit_table[90].width, 440);
    EXPECT_EQ(digit_table[91].x + digit_table[91].width, 440);
    EXPECT_EQ(string_table[5].x, 400);
    // With nothing current, the first aligned item of each table becomes current.
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(current_string, 5);

    centre_of(align_row[3], x, y);   // "下对齐"
    click(x, y);
    EXPECT_EQ(digit_table[90].y + 8, 360);
    EXPECT_EQ(digit_table[91].y + 8, 360);
    centre_of(align_row[0], x, y);   // "左对齐"
    click(x, y);
    EXPECT_EQ(digit_table[91].x, 400);
    centre_of(align_row[2], x, y);   // "上对齐"
    click(x, y);
    EXPECT_EQ(digit_table[91].y, 340);
    centre_of(align_row[4], x, y);   // "等长度"
    click(x, y);
    EXPECT_EQ(digit_table[90].width, 40);
    centre_of(align_row[5], x, y);   // "等高度"
    click(x, y);
    EXPECT_EQ(digit_table[91].height, 20);
    EXPECT_EQ(string_table[5].box_height, 20);
}

TEST_F(PointerTest, AlignButtonsDoNothingWithoutAGroup)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    current_unit = 90;
    sel_box[0] = 500;
    int x, y;
    centre_of(align_row[0], x, y);
    press(x, y);
    EXPECT_EQ(row_down[ROW_ALIGN], 0);
    EXPECT_EQ(digit_table[90].x, 300);
    release(x, y);
}

TEST_F(PointerTest, DeleteHidesTheGroupAndTheCurrentItemsAt2000)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 350, 320, 60, 8);
    put_text(5, 400, 340, 40, 20);
    put_text(6, 400, 400, 40, 20);
    digit_table[91].group_selected = 1;
    string_table[6].group_selected = 1;
    current_unit = 90;
    current_string = 5;
    const int phantom_y = digit_table[NO_ITEM].y;

    int x, y;
    centre_of(delete_row[2], x, y);
    press(x, y);
    EXPECT_EQ(row_pressed[ROW_DELETE], 2);
    EXPECT_EQ(row_down[ROW_DELETE], 1);
    release(x, y);
    for (const Digit_unit* d : {&digit_table[90], &digit_table[91]}) {
        EXPECT_EQ(d->visible, 0);
        EXPECT_EQ(d->y, DELETED_Y);
        EXPECT_EQ(d->group_selected, 0);
    }
    for (const string_draw* s : {&string_table[5], &string_table[6]}) {
        EXPECT_EQ(s->visible, 0);
        EXPECT_EQ(s->y, DELETED_Y);
        EXPECT_EQ(s->group_selected, 0);
    }
    EXPECT_EQ(current_unit, 90);
    EXPECT_EQ(current_string, 5);

    // With no current item the phantom slot is not touched.
    current_unit = NO_ITEM;
    current_string = NO_STRING_AT_START;
    delete_selected();
    EXPECT_EQ(digit_table[NO_ITEM].y, phantom_y);
}

TEST_F(PointerTest, MergeTakesOnlyTheSpanCellRightOfTheSelectedOne)
{
    Digit_unit& t = put_table(421, 400, 300);
    click(430, 315);   // cell (1, 1)
    ASSERT_EQ(current_unit, 421);
    EXPECT_EQ(t.sel_col, 1);
    EXPECT_EQ(t.sel_row, 1);
    EXPECT_EQ(t.span_col, NO_BUTTON);

    merge_mode = 1;
    click(430, 327);   // cell (1, 2), below
    EXPECT_EQ(t.span_col, 1);
    EXPECT_EQ(t.span_row, 2);
    EXPECT_EQ(t.sel_row, 1);
    int x, y;
    centre_of(span_row[0], x, y);
    click(x, y);
    EXPECT_EQ(row_pressed[ROW_SPAN], 0);
    EXPECT_EQ(t.merge_count, 0);
    EXPECT_EQ(merge_mode, 1);

    click(450, 315);   // cell (2, 1), right
    click(x, y);
    ASSERT_EQ(t.merge_count, 1);
    const merge_record& m = t.merges[0];
    EXPECT_EQ(m.flag, 1);
    EXPECT_EQ(m.x0, -40);   // table x minus the span cell's left edge
    EXPECT_EQ(m.x1, -40);
    EXPECT_EQ(m.y0, -12);   // minus the selected row's top, 2 px further
    EXPECT_EQ(m.y1, -18);   // down to the row's bottom, 2 px short
    EXPECT_EQ(m.col, 1);
    EXPECT_EQ(m.row, 1);
    EXPECT_EQ(merge_mode, 0);
    EXPECT_EQ(t.span_col, NO_BUTTON);
    EXPECT_EQ(t.span_row, NO_BUTTON);

    // "拆分" only looks pressed; outside merge mode the row does not react.
    merge_mode = 1;
    centre_of(span_row[1], x, y);
    press(x, y);
    EXPECT_EQ(row_pressed[ROW_SPAN], 1);
    release(x, y);
    merge_mode = 0;
    row_pressed[ROW_SPAN] = NO_BUTTON;
    click(x, y);
    EXPECT_EQ(row_pressed[ROW_SPAN], NO_BUTTON);
}

TEST_F(PointerTest, AFullTableTakesNoFurtherMerge)
{
    Digit_unit& t = put_table(421, 400, 300);
    current_unit = 421;
    t.merge_count = TABLE_MAX;
    t.sel_col = 1; t.sel_row = 1;
    t.span_col = 2; t.span_row = 1;
    merge_mode = 1;
    int x, y;
    centre_of(span_row[0], x, y);
    click(x, y);
    EXPECT_EQ(t.merge_count, TABLE_MAX);
    EXPECT_EQ(merge_mode, 1);
    // Cells beyond the table's own count are no cells.
    t.merge_count = 0;
    t.span_col = 4;
    click(x, y);
    EXPECT_EQ(t.merge_count, 0);
}

// ---- save and close -----------------------------------------------------------------------

TEST_F(PointerTest, SaveDataWritesTheScriptAndTheProgramFileAndGoesOn)
{
    temp_workspace ws;
    reset_item_tables();
    default_layout();
    put_unit(90, KIND_LINE, 265 + 20, 145 + 10, 50, 8);
    int x, y;
    centre_of(command_row[2], x, y);
    click(x, y);
    EXPECT_EQ(asked_exit(), -1);
    EXPECT_EQ(row_pressed[ROW_COMMAND], 2);
    const std::string script = ws.script();
    EXPECT_EQ(script.rfind("led clearall", 0), 0u) << script;
    EXPECT_NE(script.find("\r\nled l 0 10 5 "), std::string::npos) << script;
    EXPECT_NE(ws.read("one_pic_effect.vsn").find("Programs"), std::string::npos);
}

TEST_F(PointerTest, TheClosePromptTakesEveryPressAndClosesWithoutSaving)
{
    temp_workspace ws;
    reset_item_tables();
    default_layout();
    ws.write_script("led clearall\r\n");
    remember_saved_layout();
    int x, y;
    centre_of(command_row[7], x, y);
    put_unit(90, KIND_LINE, 265 + 20, 145 + 10, 50, 8);
    press(x, y);
    EXPECT_EQ(asked_exit(), -1);
    ASSERT_EQ(prompt_shown, 1);
    press(265 + 21, 145 + 11);   // an item under the prompt is not selected
    EXPECT_NE(current_unit, 90);
    press(prompt_button_left(CLOSE_DISCARD) + 5, PROMPT_BUTTON_TOP + 5);   // "不保存"
    EXPECT_EQ(asked_exit(), 0);
    EXPECT_EQ(ws.script(), "led clearall\r\n");
}

// ---- tool-button sizes ---------------------------------------------------------------------

TEST_F(PointerTest, ToolButtonsCoverTheirLabelsAtEveryPitch)
{
    EXPECT_EQ(label_em_px(36), 18);
    for (int p = 1; p <= 8; p++) {
        SCOPED_TRACE(p);
        led_pitch = (uint8_t)p;
        fit_tool_buttons();
        for (const menu_unit* row : {delete_row, command_row, span_row, align_row})
            for (int k = 0; k < ROW_SLOTS; k++) {
                const menu_unit& b = row[k];
                if (!b.label[0]) continue;
                int l, t, r, bt;
                button_rect(b, l, t, r, bt);
                EXPECT_LE(l, b.x);
                EXPECT_GE(r, b.x + label_width_px(b.label, b.label_size));
                EXPECT_LE(t, b.y - label_em_px(b.label_size));
                EXPECT_GT(bt, b.y);
                // Pressed exactly where drawn: one pixel inside each corner, not on the outline.
                EXPECT_TRUE(tool_button_hit(b, l + 1, t + 1));
                EXPECT_TRUE(tool_button_hit(b, r - 1, bt - 1));
                EXPECT_FALSE(tool_button_hit(b, l, t + 1));
                EXPECT_FALSE(tool_button_hit(b, r - 1, bt));
            }
        // The six align buttons never share a pixel that hits two of them.
        for (int a = 0; a < 6; a++)
            for (int c = a + 1; c < 6; c++) {
                int l1, t1, r1, b1, l2, t2, r2, b2;
                button_rect(align_row[a], l1, t1, r1, b1);
                button_rect(align_row[c], l2, t2, r2, b2);
                const bool apart = r1 <= l2 + 1 || r2 <= l1 + 1 || b1 <= t2 + 1 || b2 <= t1 + 1;
                EXPECT_TRUE(apart) << a << " and " << c;
            }
    }
}

TEST_F(PointerTest, UnlabelledSlotsNeverReact)
{
    // Slot 0 of the command row keeps its constructed place (0, 64), 6 x 6.
    ASSERT_EQ(command_row[0].label[0], '\0');
    click(4, 64);
    EXPECT_NE(row_pressed[ROW_COMMAND], 0);
    EXPECT_EQ(asked_exit(), -1);
    on_passive_motion(4, 64);
    EXPECT_EQ(row_hover[ROW_COMMAND], NO_HOVER);
}

// ---- the button on top, Shift and Ctrl clicks, split ---------------------------------------

TEST_F(PointerTest, TheButtonDrawnOnTopIsTheOneThatActs)
{
    // A current text over a current unit (an alignment can leave both): "字体+" is the text's.
    Digit_unit& d = put_unit(90, KIND_BLOCK, 300, 300, 8, 8);
    string_draw& s = put_text(5, 500, 340, 40, 20);
    current_unit = 90;
    current_string = 5;
    const int32_t size = d.size;
    click(560, 40);
    EXPECT_EQ(s.font_step, 2);
    EXPECT_EQ(d.size, size);
    EXPECT_EQ(d.width, 8);

    // At pitch 3 the text's "方向-" reaches over "删除所选": the text's button acts alone,
    // and what it refuses is named on the status line.
    led_pitch = 3;
    fit_tool_buttons();
    s.mode = 1;
    const menu_unit& dir_down = s.prop_buttons[15];
    const int x = delete_row[2].x + 5, y = dir_down.y - 5;
    ASSERT_TRUE(item_button_hit(dir_down, x, y) && tool_button_hit(delete_row[2], x, y));
    click(x, y);
    EXPECT_EQ(s.visible, 1);
    EXPECT_STREQ(status_utf8, "方向已最小");
    led_pitch = 2;
    fit_tool_buttons();

    // The align row stands over the span row: "左对齐" aligns and never merges.
    Digit_unit& t = put_table(420, 600, 200);
    current_string = NO_ITEM;
    current_unit = 420;
    t.sel_col = t.sel_row = t.span_row = 0;
    t.span_col = 1;
    merge_mode = 1;
    put_unit(91, KIND_LINE, 400, 320, 60, 8).group_selected = 1;
    set_sel_ref(SEL_REF_UNIT, 91);
    int ax, ay;
    centre_of(align_row[0], ax, ay);
    click(ax, ay);
    EXPECT_EQ(row_pressed[ROW_ALIGN], 0);
    EXPECT_EQ(t.merge_count, 0);
    // Without the group the span row shows: "合并", then "拆分" on the same cell,
    // and the next export writes the erased grid piece no more.
    digit_table[91].group_selected = 0;
    click(ax, ay);
    ASSERT_EQ(t.merge_count, 1);
    led_table[0].w = 256;
    led_table[0].h = 64;
    EXPECT_NE(digit_item_script(420).find("led l 255 "), std::string::npos);
    merge_mode = 1;
    centre_of(span_row[1], ax, ay);
    click(ax, ay);
    EXPECT_EQ(t.merge_count, 0);
    EXPECT_EQ(merge_mode, 0);
    EXPECT_EQ(digit_item_script(420).find("led l 255 "), std::string::npos);
    merge_mode = 1;
    click(ax, ay);   // nothing left to split
    EXPECT_STREQ(status_utf8, "选中的单元格没有合并");
}

TEST_F(PointerTest, ShiftAndCtrlClicksBuildAGroupThatMovesAlignsAndDeletes)
{
    Digit_unit& a = put_unit(90, KIND_LINE, 300, 300, 50, 8);
    Digit_unit& b = put_unit(91, KIND_LINE, 400, 320, 60, 8);
    string_draw& s = put_text(5, 500, 340, 40, 20);
    Digit_unit& c = put_unit(92, KIND_LINE, 300, 400, 50, 8);
    input_modifiers = MOD_SHIFT;
    click(310, 303);
    click(510, 350);
    input_modifiers = MOD_CTRL;
    click(310, 400 + 3);
    click(310, 400 + 3);   // a second Ctrl+click takes c out again
    click(410, 323);
    EXPECT_TRUE(a.group_selected && b.group_selected && s.group_selected);
    EXPECT_FALSE(c.group_selected);
    EXPECT_EQ(sel_box[0], 400);   // b joined last

    // A plain drag of a member moves the group; the reference rectangle follows b.
    input_modifiers = 0;
    press(310, 303);
    drag(350, 323);
    release(350, 323);
    EXPECT_EQ(b.x, 440);
    EXPECT_EQ(sel_box[0], 440);
    EXPECT_EQ(sel_box[1], 340);
    int x, y;
    centre_of(align_row[0], x, y);   // "左对齐": to where b is now, not where it joined
    click(x, y);
    EXPECT_EQ(a.x, 440);
    EXPECT_EQ(s.x, 440);
    delete_selected();
    EXPECT_FALSE(a.visible || b.visible || s.visible);
    EXPECT_TRUE(c.visible);
}
