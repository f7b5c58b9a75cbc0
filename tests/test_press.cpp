// Mouse presses and releases: hit tests, selection, palette, alignment,
// delete, merge, save and close, and the tool-button sizes.
#include "edit/arrange.h"
#include "edit/close_prompt.h"
#include "edit/status.h"
#include "items/buttons.h"
#include "items/handles.h"
#include "output/script_export.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"

namespace {

// A new item in slot `slot` of its numbering.
item_id add_in_slot(document& d, item it, int slot)
{
    it.slot = (int16_t)slot;
    item_id id = NO_ITEM;
    EXPECT_TRUE(doc_create(d, it, id).ok);
    EXPECT_EQ(d.items.cells[id].slot, slot);
    return id;
}

// A press and release on (x, y) through another editor (one over a workspace's document).
void click_in(editor& e, int x, int y)
{
    on_passive_motion(e, x, y);
    on_mouse(e, 0, 0, x, y);
    on_mouse(e, 0, 1, x, y);
}

} // namespace

// ---- hit tests -----------------------------------------------------------------

TEST_F(PointerTest, BodiesAreHitOnlyStrictlyInside)
{
    // A 20 x 10 dot rectangle covers px(20) .. px(20) + 40 across, py(80) .. + 20 down.
    const item_id r = add_rect(20, 80, 20, 10);
    const int L = px(20), T = py(80);
    const int outside[][2] = {{L, T + 10}, {L + 40, T + 10}, {L + 20, T}, {L + 20, T + 20}};
    for (auto& p : outside) {
        ui->current = NO_ITEM;
        click(p[0], p[1]);
        EXPECT_NE(ui->current, r) << p[0] << "," << p[1];
    }
    const int inside[][2] = {{L + 1, T + 1}, {L + 39, T + 19}};
    for (auto& p : inside) {
        ui->current = NO_ITEM;
        click(p[0], p[1]);
        EXPECT_EQ(ui->current, r) << p[0] << "," << p[1];
    }

    // A line is hit two dots either side of it: 50 x 10 px for 25 dots.
    item l = sample(SAMPLE_LINE, 60, 100);
    l.w = 25;
    const item_id line = add(l);
    const int LL = px(60), LT = py(98);
    for (auto& p : std::initializer_list<std::pair<int, int>>{{LL, LT + 5}, {LL + 50, LT + 5}}) {
        ui->current = NO_ITEM;
        click(p.first, p.second);
        EXPECT_NE(ui->current, line);
    }
    for (auto& p : std::initializer_list<std::pair<int, int>>{{LL + 1, LT + 1}, {LL + 49, LT + 9}}) {
        ui->current = NO_ITEM;
        click(p.first, p.second);
        EXPECT_EQ(ui->current, line);
    }
}

TEST_F(PointerTest, ANegativeLowerBoundNeverMatches)
{
    // A text left of the window's edge (nudged there) cannot be pressed at all.
    const item_id t = add_text(-140, 80, "ABCDEFGH");
    ASSERT_LT(px(-140), 0);
    ASSERT_GT(px(-140) + 2 * 64, 5);
    click(5, py(80) + 5);
    EXPECT_NE(ui->current, t);
    // A button whose rectangle reaches left of the window is not hit either.
    button b;
    b.x = 1; b.y = 100; b.w = 10; b.h = 6;
    copy_field(b.label, LABEL_LEN, "b");
    EXPECT_FALSE(tool_button_hit(b, 2, 0, 100));   // x - p = -1
    b.x = 3;
    EXPECT_TRUE(tool_button_hit(b, 2, 2, 100));
}

TEST_F(PointerTest, TextsWinOverOtherItemsAndTheLowerSlotWins)
{
    const item_id block = add_in_slot(*doc, [] {
        item f = sample(SAMPLE_FILLED_RECT, 20, 70);
        f.w = 80;
        f.h = 30;
        return f;
    }(), 400);
    item t = sample(SAMPLE_TEXT, 30, 80);
    copy_field(t.text, TEXT_LEN, "ABCDE");
    t.font_size = 16;
    add_in_slot(*doc, t, 7);
    t.x = 35;
    t.y = 78;
    const item_id t3 = add_in_slot(*doc, t, 3);
    click(px(40), py(85));   // all three hold the point
    EXPECT_EQ(ui->current, t3);
    click(px(90), py(95));   // only the filled rectangle
    EXPECT_EQ(ui->current, block);
}

TEST_F(PointerTest, OverlappingRectanglesGoToTheOneFurtherRightOrDown)
{
    add_rect(10, 20, 50, 50);
    const item_id right = add_rect(20, 10, 50, 50);   // further right (but higher): wins
    click(px(40), py(40));
    EXPECT_EQ(ui->current, right);
    const item_id lower = add_rect(15, 25, 50, 50);   // left of it but lower: wins
    add_rect(12, 22, 50, 50);                         // neither further right nor down than that
    ui->current = NO_ITEM;
    click(px(40), py(40));
    EXPECT_EQ(ui->current, lower);

    // A rectangle that does not hold the point takes nothing.
    add_rect(40, 40, 50, 50);
    ui->current = NO_ITEM;
    click(px(30), py(30));
    EXPECT_EQ(ui->current, lower);

    // The rule is for rectangles only: a line, hit first, keeps the press.
    item l = sample(SAMPLE_LINE, 25, 40);
    l.w = 20;
    const item_id line = add(l);
    ui->current = NO_ITEM;
    click(px(35), py(40));
    EXPECT_EQ(ui->current, line);
}

TEST_F(PointerTest, CirclesAreHitAroundTheirCentre)
{
    for (int s : {SAMPLE_CIRCLE, SAMPLE_FILLED_CIRCLE}) {
        SCOPED_TRACE(s);
        const item_id c = add(sample(s, 100, 60));   // radius 10 dots: 20 px
        ASSERT_EQ(at(c).h, 10);
        const int cx = px(100), cy = py(60);
        const struct { int dx, dy; bool hit; } cases[] = {
            {-15, -10, true},   // upper left of the centre: on the drawn disc
            {20, 0, false},     // right border
            {19, 0, true},
            {0, -20, false},    // top border
            {0, -19, true},
            {30, 10, false},    // beyond the radius
        };
        for (const auto& k : cases) {
            click(900, 450);   // nothing
            click(cx + k.dx, cy + k.dy);
            EXPECT_EQ(ui->current == c, k.hit) << k.dx << "," << k.dy;
        }
        doc_delete(*doc, c);
    }
}

// ---- the palette ------------------------------------------------------------------

TEST_F(PointerTest, PullingASampleMakesANewItemAndTheSampleStays)
{
    const palette_sample& s = palette_sample_of(SAMPLE_LINE);
    const int x0 = s.x + 10, y0 = s.y + 1;
    press(x0, y0);
    const item_id line = ui->current;
    ASSERT_NE(doc_item(*doc, line), nullptr);
    EXPECT_EQ(at(line).kind, KIND_LINE);
    EXPECT_EQ(at(line).w, 25);
    EXPECT_EQ(doc->items.count, 1);
    // Dropped with the sample's corner on dot (60, 70): the line stands there.
    const int x1 = x0 + px(60) - s.x, y1 = y0 + py(70) - s.y;
    drag(x1, y1);
    release(x1, y1);
    EXPECT_EQ(at(line).x, 60);
    EXPECT_EQ(at(line).y, 70);

    // Pressing the placed line selects it and makes nothing new.
    click(px(65), py(70));
    EXPECT_EQ(ui->current, line);
    EXPECT_EQ(doc->items.count, 1);

    // The sample still offers a line; one dropped back on the palette is not placed.
    press(x0, y0);
    EXPECT_EQ(doc->items.count, 2);
    EXPECT_NE(ui->current, line);
    drag(x0 + 40, y0 - 100);
    release(x0 + 40, y0 - 100);
    EXPECT_EQ(doc->items.count, 1);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_EQ(at(line).x, 60);
}

TEST_F(PointerTest, AFullKindOffersNothingUntilOneIsDeleted)
{
    std::vector<item_id> circles;
    item_id id = NO_ITEM;
    while (doc_create(*doc, sample(SAMPLE_CIRCLE, 20 + 10 * (int)circles.size(), 60), id).ok) circles.push_back(id);
    ASSERT_EQ(circles.size(), 10u);
    const palette_sample& s = palette_sample_of(SAMPLE_CIRCLE);
    press(s.x, s.y);
    EXPECT_EQ(doc->items.count, 10);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_STREQ(ui->status.utf8, "此类项已满（最多 10 个）");
    release(s.x, s.y);

    doc_delete(*doc, circles[4]);
    press(s.x, s.y);
    EXPECT_EQ(doc->items.count, 10);
    ASSERT_NE(current_item(e), nullptr);
    EXPECT_EQ(current_item(e)->kind, KIND_CIRCLE);
    release(s.x, s.y);
}

// ---- selection -----------------------------------------------------------------------

TEST_F(PointerTest, SingleSelectionKeepsOneCurrentItemAndItsGrabPoint)
{
    const item_id line = add(sample(SAMPLE_LINE, 20, 80));
    const item_id text = add_text(120, 80, "AB");
    click(px(122), py(82));
    EXPECT_EQ(ui->current, text);
    EXPECT_FALSE(group_exists(*ui));

    press(px(25), py(80));
    EXPECT_EQ(ui->current, line);
    EXPECT_EQ(ui->gesture, GESTURE_DRAG);
    EXPECT_FALSE(ui->group[line]);
    drag(px(25) + 20, py(80) + 10);   // the point pressed stays under the pointer
    EXPECT_EQ(at(line).x, 30);
    EXPECT_EQ(at(line).y, 85);
    EXPECT_EQ(at(text).x, 120);
    release(px(25) + 20, py(80) + 10);
}

TEST_F(PointerTest, PressesOnItemsDropThePressedLookOfAlignAndDelete)
{
    add(sample(SAMPLE_LINE, 20, 80));
    ui->rows[ROW_ALIGN].pressed = 3;
    ui->rows[ROW_DELETE].pressed = 2;
    ui->rows[ROW_DELETE].hover = 2;
    ui->rows[ROW_COMMAND].pressed = 2;
    click(px(25), py(80));
    EXPECT_EQ(ui->rows[ROW_ALIGN].pressed, NO_BUTTON);
    EXPECT_EQ(ui->rows[ROW_DELETE].pressed, NO_BUTTON);
    EXPECT_EQ(ui->rows[ROW_DELETE].hover, NO_BUTTON);
    EXPECT_EQ(ui->rows[ROW_COMMAND].pressed, 2);
}

TEST_F(PointerTest, GroupPressesAddToTheGroupAndDragItAll)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id b = add(sample(SAMPLE_LINE, 70, 90));
    const item_id t = add_text(120, 100, "AB");
    click(px(25), py(80));
    ASSERT_EQ(ui->current, a);

    ui->multi_select = true;
    on_passive_motion(e, px(75), py(90));
    press_only(px(75), py(90));
    EXPECT_TRUE(ui->group[b]);
    EXPECT_EQ(ui->current, a);   // the current item stays
    EXPECT_EQ(ui->sel_ref, b);   // the alignment reference is the last one joined
    drag(px(75) + 10, py(90) + 4);
    release(px(75) + 10, py(90) + 4);
    EXPECT_EQ(at(a).x, 25);      // the current item goes with the group
    EXPECT_EQ(at(b).x, 75);
    EXPECT_EQ(at(b).y, 92);

    press_only(px(122), py(102));
    EXPECT_TRUE(ui->group[t]);
    EXPECT_EQ(ui->sel_ref, t);
    drag(px(122) - 10, py(102));
    release(px(122) - 10, py(102));
    EXPECT_EQ(at(t).x, 115);
    EXPECT_EQ(at(b).x, 70);
}

TEST_F(PointerTest, PressOnNothingBelowTheTopBandEndsTheSelection)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id t = add_text(120, 100, "AB");
    group_add(e, a);
    group_add(e, t);
    ui->current = a;

    click(800, 120);   // top band: the selection stays
    EXPECT_EQ(ui->current, a);
    EXPECT_TRUE(ui->group[a]);

    click(800, 400);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_FALSE(group_exists(*ui));
}

TEST_F(PointerTest, RightPressDropsTheWholeSelection)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id t = add_text(120, 100, "AB");
    group_add(e, a);
    group_add(e, t);
    ui->current = a;
    on_mouse(e, 2, 0, 800, 400);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_FALSE(group_exists(*ui));
    EXPECT_FALSE(ui->left_down);
    // Nothing is selected any more: a delete, a hover and releases leave the items.
    EXPECT_FALSE(delete_selected(e));
    on_passive_motion(e, 620, 40);
    on_mouse(e, 2, 1, 800, 400);
    on_mouse(e, 0, 1, 800, 400);
    EXPECT_EQ(doc->items.count, 2);
}

TEST_F(PointerTest, ReleaseEndsDragsHeldButtonsAndTheBand)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id t = add_text(120, 100, "AB");
    ui->current = a;
    group_add(e, t);
    ui->left_down = true;
    ui->gesture = GESTURE_BAND;
    ui->resize_handle = HANDLE_RIGHT;
    for (button_marks& r : ui->rows) r.down = 1;
    ui->prop.down = ui->nudge.down = 1;
    ui->band_shown = true;
    release(600, 300);
    EXPECT_FALSE(ui->left_down);
    EXPECT_EQ(ui->gesture, GESTURE_NONE);
    EXPECT_EQ(ui->resize_handle, 0);
    for (const button_marks& r : ui->rows) EXPECT_EQ(r.down, 0);
    EXPECT_EQ(ui->prop.down, 0);
    EXPECT_EQ(ui->nudge.down, 0);
    EXPECT_FALSE(ui->band_shown);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
    EXPECT_TRUE(ui->group[t]);   // the band's selection stays
}

TEST_F(PointerTest, RubberBandStartsOnlyRightOfAndBelowTheButtons)
{
    press(600, 300);
    EXPECT_EQ(ui->gesture, GESTURE_BAND);
    EXPECT_TRUE(ui->band_shown);
    EXPECT_EQ(ui->band_x, 600);
    EXPECT_EQ(ui->band_y, 300);
    EXPECT_EQ(ui->band_w, 0);
    release(600, 300);
    for (auto p : {std::pair<int, int>{600, 95}, {215, 300}}) {
        press(p.first, p.second);
        EXPECT_NE(ui->gesture, GESTURE_BAND) << p.first << "," << p.second;
        EXPECT_FALSE(ui->band_shown);
        release(p.first, p.second);
    }
}

// ---- item buttons -----------------------------------------------------------------------

TEST_F(PointerTest, ItemButtonsActOnTheCurrentItemOnly)
{
    const item_id d = add(sample(SAMPLE_LINE, 20, 80));
    // "颜色+" stands at (608, 55): hit strictly inside x 608..664, y 25..55.
    click(620, 40);
    EXPECT_EQ(at(d).color, 0);   // not current
    click(px(25), py(80));
    ASSERT_EQ(ui->current, d);
    press(620, 40);
    EXPECT_EQ(at(d).color, 1);
    EXPECT_EQ(ui->prop.pressed, 2);
    EXPECT_EQ(ui->prop.down, 1);
    EXPECT_EQ(ui->current, d);   // a press in the top band keeps the selection
    release(620, 40);
    EXPECT_EQ(ui->prop.down, 0);
    click(620, 55);   // on the button's bottom line: no hit
    EXPECT_EQ(at(d).color, 1);

    // "X+" at (420, 55) moves the line one dot right.
    click(430, 40);
    EXPECT_EQ(at(d).x, 21);
    EXPECT_EQ(ui->nudge.pressed, 0);

    // The text's buttons sit in the same places.
    const item_id s = add_text(120, 100, "AB");
    click(px(122), py(102));
    ASSERT_EQ(ui->current, s);
    click(620, 40);
    EXPECT_EQ(at(s).color, 2);   // from red
    EXPECT_EQ(at(d).color, 1);
    click(430, 80);   // "X-"
    EXPECT_EQ(at(s).x, 119);
}

TEST_F(PointerTest, WeekdaySizeButtonsStepItsPreset)
{
    const item_id w = add(sample(SAMPLE_WEEKDAY, 20, 80));
    ui->current = w;
    ASSERT_EQ(at(w).size_preset, 1);
    const int64_t wide = measure_item(at(w)).w;
    click(620, 40);   // "颜色+": not a size button
    EXPECT_EQ(at(w).size_preset, 1);
    EXPECT_EQ(measure_item(at(w)).w, wide);
    click(560, 40);   // "大小+": the next preset, a larger font
    EXPECT_EQ(at(w).size_preset, 2);
    EXPECT_GT(at(w).font_px, 12);
    EXPECT_GT(measure_item(at(w)).w, wide);
}

// ---- align, delete, merge -------------------------------------------------------------

TEST_F(PointerTest, AlignButtonsLineTheGroupUpWithTheLastJoined)
{
    const item_id a = add_rect(10, 20, 25, 4);
    const item_id b = add_rect(40, 30, 30, 4);
    const item_id t = add_text(100, 40, "ABCD");   // 32 x 18 dots
    ASSERT_EQ(measure_item(at(t)).w, 32);
    ASSERT_EQ(measure_item(at(t)).h, 18);
    for (item_id id : {a, b, t}) group_add(e, id);

    const button* row = tool_row(ROW_ALIGN, v.window_w);
    int x, y;
    centre_of(row[ALIGN_RIGHT], x, y);
    press(x, y);
    EXPECT_EQ(ui->rows[ROW_ALIGN].pressed, ALIGN_RIGHT);
    EXPECT_EQ(ui->rows[ROW_ALIGN].down, 1);
    release(x, y);
    EXPECT_EQ(at(a).x + at(a).w, 132);
    EXPECT_EQ(at(b).x + at(b).w, 132);
    EXPECT_EQ(at(t).x, 100);
    // With nothing current, the first aligned item becomes current.
    EXPECT_EQ(ui->current, a);

    centre_of(row[ALIGN_BOTTOM], x, y);
    click(x, y);
    EXPECT_EQ(at(a).y + at(a).h, 58);
    EXPECT_EQ(at(b).y + at(b).h, 58);
    centre_of(row[ALIGN_LEFT], x, y);
    click(x, y);
    EXPECT_EQ(at(b).x, 100);
    centre_of(row[ALIGN_TOP], x, y);
    click(x, y);
    EXPECT_EQ(at(b).y, 40);
    centre_of(row[SAME_WIDTH], x, y);
    click(x, y);
    EXPECT_EQ(at(a).w, 32);
    centre_of(row[SAME_HEIGHT], x, y);
    click(x, y);
    EXPECT_EQ(at(b).h, 18);
    EXPECT_EQ(at(t).x, 100);
    EXPECT_EQ(at(t).y, 40);
}

TEST_F(PointerTest, AlignButtonsDoNothingWithoutAGroup)
{
    ui->current = add(sample(SAMPLE_LINE, 20, 80));
    int x, y;
    centre_of(tool_row(ROW_ALIGN, v.window_w)[ALIGN_LEFT], x, y);
    press(x, y);
    EXPECT_EQ(ui->rows[ROW_ALIGN].down, 0);
    EXPECT_EQ(current_item(e)->x, 20);
    release(x, y);
}

TEST_F(PointerTest, DeleteRemovesTheGroupAndTheCurrentItem)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id b = add(sample(SAMPLE_LINE, 70, 90));
    const item_id s = add_text(120, 100, "AB");
    const item_id t = add_text(120, 120, "CD");
    group_add(e, b);
    group_add(e, t);
    ui->current = a;

    int x, y;
    centre_of(tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT], x, y);
    press(x, y);
    EXPECT_EQ(ui->rows[ROW_DELETE].pressed, DELETE_SLOT);
    EXPECT_EQ(ui->rows[ROW_DELETE].down, 1);
    release(x, y);
    for (item_id id : {a, b, t}) EXPECT_EQ(doc_item(*doc, id), nullptr);
    EXPECT_NE(doc_item(*doc, s), nullptr);
    EXPECT_EQ(ui->current, NO_ITEM);
    EXPECT_FALSE(group_exists(*ui));
    EXPECT_EQ(script_text(*doc).find("led l "), std::string::npos);

    // With nothing selected the button is not there: the text stays.
    click(x, y);
    EXPECT_NE(doc_item(*doc, s), nullptr);
}

TEST_F(PointerTest, MergeTakesOnlyTheSpanCellRightOfThePickedOne)
{
    // Cells of 10 x 5 dots from dot (100, 60); cell (c, r) starts at (100 + 10c, 60 + 5r).
    const item_id t = add_table(100, 60);
    click(px(115), py(67));   // cell (1, 1)
    ASSERT_EQ(ui->current, t);
    EXPECT_EQ(ui->sel_col, 1);
    EXPECT_EQ(ui->sel_row, 1);
    EXPECT_EQ(ui->span_col, NO_BUTTON);

    ui->merge_mode = true;
    click(px(115), py(73) + 1);   // cell (1, 2), below, clear of the picked cell's handles
    EXPECT_EQ(ui->span_col, 1);
    EXPECT_EQ(ui->span_row, 2);
    EXPECT_EQ(ui->sel_row, 1);
    int x, y;
    centre_of(tool_row(ROW_SPAN, v.window_w)[MERGE_SLOT], x, y);
    click(x, y);
    EXPECT_EQ(ui->rows[ROW_SPAN].pressed, MERGE_SLOT);
    EXPECT_EQ(at(t).grid.merge_count, 0);
    EXPECT_TRUE(ui->merge_mode);
    EXPECT_STREQ(ui->status.utf8, "只能合并选中单元格与其右侧相邻的单元格");

    click(px(125), py(67));   // cell (2, 1), right
    click(x, y);
    ASSERT_EQ(at(t).grid.merge_count, 1);
    const table_merge& m = at(t).grid.merges[0];
    EXPECT_EQ(m.x0, 20);   // the span cell's left edge, from the table's corner
    EXPECT_EQ(m.x1, 20);
    EXPECT_EQ(m.y0, 6);    // the picked row's top, a dot further
    EXPECT_EQ(m.y1, 9);    // down to the row's bottom, a dot short
    EXPECT_EQ(m.col, 1);
    EXPECT_EQ(m.row, 1);
    EXPECT_FALSE(ui->merge_mode);
    EXPECT_EQ(ui->span_col, NO_BUTTON);
    EXPECT_EQ(ui->span_row, NO_BUTTON);

    // "拆分" shows pressed in merge mode; outside it the row does not react.
    ui->merge_mode = true;
    centre_of(tool_row(ROW_SPAN, v.window_w)[SPLIT_SLOT], x, y);
    press(x, y);
    EXPECT_EQ(ui->rows[ROW_SPAN].pressed, SPLIT_SLOT);
    release(x, y);
    ui->merge_mode = false;
    ui->rows[ROW_SPAN].pressed = NO_BUTTON;
    click(x, y);
    EXPECT_EQ(ui->rows[ROW_SPAN].pressed, NO_BUTTON);
}

TEST_F(PointerTest, AFullTableTakesNoFurtherMerge)
{
    const item_id t = add_table(100, 60);
    ui->current = t;
    at(t).grid.merge_count = TABLE_MAX;
    ui->sel_col = ui->sel_row = 1;
    ui->span_col = 2;
    ui->span_row = 1;
    ui->merge_mode = true;
    int x, y;
    centre_of(tool_row(ROW_SPAN, v.window_w)[MERGE_SLOT], x, y);
    click(x, y);
    EXPECT_EQ(at(t).grid.merge_count, TABLE_MAX);
    EXPECT_TRUE(ui->merge_mode);
    EXPECT_STREQ(ui->status.utf8, "表格的合并已满");
    // Cells beyond the table's own count are no cells.
    at(t).grid.merge_count = 0;
    ui->span_col = 4;
    click(x, y);
    EXPECT_EQ(at(t).grid.merge_count, 0);
}

// ---- save and close -----------------------------------------------------------------------

TEST_F(PointerTest, SaveDataWritesTheScriptAndTheProgramFileAndGoesOn)
{
    temp_workspace ws;
    fresh_start(ws);
    editor we{ws.d(), v, *ui};
    item_id id;
    ASSERT_TRUE(doc_create(ws.d(), sample(SAMPLE_LINE, 10, 5), id).ok);
    int x, y;
    centre_of(tool_row(ROW_COMMAND, v.window_w)[SAVE_SLOT], x, y);
    click_in(we, x, y);
    EXPECT_EQ(asked_exit(), -1);
    EXPECT_EQ(ui->rows[ROW_COMMAND].pressed, SAVE_SLOT);
    const std::string script = ws.script();
    EXPECT_EQ(script.rfind("led clearall", 0), 0u) << script;
    EXPECT_NE(script.find("\r\nled l 0 10 5 "), std::string::npos) << script;
    EXPECT_NE(ws.read("one_pic_effect.vsn").find("Programs"), std::string::npos);
    EXPECT_EQ(std::string(ui->status.utf8).rfind("已保存", 0), 0u) << ui->status.utf8;
}

TEST_F(PointerTest, TheClosePromptTakesEveryPressAndClosesWithoutSaving)
{
    temp_workspace ws;
    ws.write_script("led clearall\r\n");
    fresh_start(ws);
    editor we{ws.d(), v, *ui};
    int x, y;
    centre_of(tool_row(ROW_COMMAND, v.window_w)[CLOSE_SLOT], x, y);
    item_id id;
    ASSERT_TRUE(doc_create(ws.d(), sample(SAMPLE_LINE, 10, 5), id).ok);
    on_passive_motion(we, x, y);
    on_mouse(we, 0, 0, x, y);
    EXPECT_EQ(asked_exit(), -1);
    ASSERT_TRUE(ui->prompt.shown);
    on_mouse(we, 0, 0, px(12), py(5));   // an item under the prompt is not selected
    EXPECT_NE(ui->current, id);
    on_mouse(we, 0, 0, prompt_button_left(ui->prompt, CLOSE_DISCARD) + 5, PROMPT_BUTTON_TOP + 5);   // "不保存"
    EXPECT_EQ(asked_exit(), 0);
    EXPECT_EQ(ws.script(), "led clearall\r\n");
}

// ---- tool-button sizes ---------------------------------------------------------------------

TEST_F(PointerTest, ToolButtonsCoverTheirLabelsAtEveryZoom)
{
    EXPECT_EQ(label_em_px(36), 18);
    const int p = UI_PITCH;
    for (tool_row_id r : {ROW_DELETE, ROW_COMMAND, ROW_SPAN, ROW_ALIGN})
        for (int k = 0; k < ROW_SLOTS; k++) {
            SCOPED_TRACE(testing::Message() << "row " << r << " slot " << k);
            const button& b = tool_row(r, v.window_w)[k];
            if (!b.label[0]) continue;
            int l, t, rt, bt;
            button_rect(b, p, l, t, rt, bt);
            EXPECT_LE(l, b.x);
            EXPECT_GE(rt, b.x + label_width_px(b.label, b.label_size));
            EXPECT_LE(t, b.y - label_em_px(b.label_size));
            EXPECT_GT(bt, b.y);
            // Pressed exactly where drawn: one pixel inside each corner, not on the outline.
            EXPECT_TRUE(tool_button_hit(b, p, l + 1, t + 1));
            EXPECT_TRUE(tool_button_hit(b, p, rt - 1, bt - 1));
            EXPECT_FALSE(tool_button_hit(b, p, l, t + 1));
            EXPECT_FALSE(tool_button_hit(b, p, rt - 1, bt));
        }
    // The six align buttons never share a pixel that hits two of them; nor do
    // the buttons of the top rows, the fit button among them.
    auto apart = [&](const button& a, const button& c) {
        int l1, t1, r1, b1, l2, t2, r2, b2;
        button_rect(a, p, l1, t1, r1, b1);
        button_rect(c, p, l2, t2, r2, b2);
        return r1 <= l2 + 1 || r2 <= l1 + 1 || b1 <= t2 + 1 || b2 <= t1 + 1;
    };
    const button* align = tool_row(ROW_ALIGN, v.window_w);
    for (int a = 0; a < ALIGN_SLOTS; a++)
        for (int c = a + 1; c < ALIGN_SLOTS; c++) EXPECT_TRUE(apart(align[a], align[c])) << a << " and " << c;
    const button tops[] = {tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT], tool_row(ROW_COMMAND, v.window_w)[SAVE_SLOT],
                           tool_row(ROW_COMMAND, v.window_w)[CLOSE_SLOT], tool_row(ROW_COMMAND, v.window_w)[FIT_SLOT],
                           tool_row(ROW_SPAN, v.window_w)[MERGE_SLOT], tool_row(ROW_SPAN, v.window_w)[SPLIT_SLOT]};
    for (size_t a = 0; a < std::size(tops); a++)
        for (size_t c = a + 1; c < std::size(tops); c++) EXPECT_TRUE(apart(tops[a], tops[c])) << a << " and " << c;

    // The buttons do not grow with the zoom: at every pitch the command row is
    // pressed in the same rectangle, and just outside it nothing is.
    for (int zoom = VIEW_PITCH_MIN; zoom <= VIEW_PITCH_MAX; zoom++) {
        SCOPED_TRACE(zoom);
        v.pitch = zoom;
        for (int k : {SAVE_SLOT, CLOSE_SLOT, FIT_SLOT}) {
            const button& b = tool_row(ROW_COMMAND, v.window_w)[k];
            int l, t, rt, bt;
            button_rect(b, p, l, t, rt, bt);
            const button_spot in = button_under(e, rt - 1, bt - 1);
            EXPECT_EQ(in.row, BUTTONS_COMMAND) << k;
            EXPECT_EQ(in.index, k);
            EXPECT_EQ(button_under(e, rt + 1, bt - 1).row, BUTTONS_NONE) << k;
            EXPECT_EQ(button_under(e, rt - 1, bt + 1).row, BUTTONS_NONE) << k;
        }
    }
    v.pitch = VIEW_PITCH_START;

    // Delete, save and close keep their distance from the window's right edge,
    // the close button ending inside it; the fit button stays by the palette.
    const int delete_x = tool_row(ROW_DELETE, WINDOW_MIN_W)[DELETE_SLOT].x;
    const int save_x = tool_row(ROW_COMMAND, WINDOW_MIN_W)[SAVE_SLOT].x;
    const int close_x = tool_row(ROW_COMMAND, WINDOW_MIN_W)[CLOSE_SLOT].x;
    for (int w : {WINDOW_MIN_W, WINDOW_MIN_W + 300}) {
        SCOPED_TRACE(w);
        const int moved = w - WINDOW_MIN_W;
        EXPECT_EQ(tool_row(ROW_DELETE, w)[DELETE_SLOT].x, delete_x + moved);
        EXPECT_EQ(tool_row(ROW_COMMAND, w)[SAVE_SLOT].x, save_x + moved);
        EXPECT_EQ(tool_row(ROW_COMMAND, w)[CLOSE_SLOT].x, close_x + moved);
        int l = 0, t = 0, r = 0, b = 0;
        button_rect(tool_row(ROW_COMMAND, w)[CLOSE_SLOT], UI_PITCH, l, t, r, b);
        EXPECT_LT(r, w) << "关闭窗口 reaches out of the window";
        EXPECT_EQ(tool_row(ROW_COMMAND, w)[FIT_SLOT].x, 60);
        EXPECT_EQ(tool_row(ROW_COMMAND, w)[FIT_SLOT].y, 90);
        EXPECT_EQ(tool_row(ROW_ALIGN, w)[ALIGN_LEFT].x, 200);
    }
    // And are pressed there in a wider window.
    lay_out(WINDOW_MIN_W + 300, WINDOW_MIN_H);
    int x, y;
    centre_of(tool_row(ROW_COMMAND, v.window_w)[CLOSE_SLOT], x, y);
    EXPECT_GT(x, WINDOW_MIN_W);
    const button_spot close = button_under(e, x, y);
    EXPECT_EQ(close.row, BUTTONS_COMMAND);
    EXPECT_EQ(close.index, CLOSE_SLOT);
    // "适合窗口" picks the largest zoom that shows the whole panel: 384 x 128
    // dots in an area of 1335 x 646 pixels go at three pixels a dot.
    zoom_at(e, 6, v.area_x + 200, v.area_y + 100);
    ASSERT_TRUE(v.hbar || v.vbar);
    centre_of(tool_row(ROW_COMMAND, v.window_w)[FIT_SLOT], x, y);
    click(x, y);
    EXPECT_EQ(ui->rows[ROW_COMMAND].pressed, FIT_SLOT);
    EXPECT_EQ(v.pitch, 3);
    EXPECT_FALSE(v.hbar || v.vbar);
    EXPECT_EQ(px(0), v.area_x + 1);
    EXPECT_EQ(py(0), v.area_y + 1);
}

TEST_F(PointerTest, UnlabelledSlotsNeverReact)
{
    // Slot 0 of the command row keeps its constructed place (0, 64), 6 x 6.
    ASSERT_EQ(tool_row(ROW_COMMAND, v.window_w)[0].label[0], '\0');
    click(4, 64);
    EXPECT_NE(ui->rows[ROW_COMMAND].pressed, 0);
    EXPECT_EQ(asked_exit(), -1);
    on_passive_motion(e, 4, 64);
    EXPECT_EQ(ui->rows[ROW_COMMAND].hover, NO_HOVER);
}

// ---- the button on top, Shift and Ctrl clicks, split ---------------------------------------

TEST_F(PointerTest, TheButtonDrawnOnTopIsTheOneThatActs)
{
    // A scrolling text's last button, "方向-", stands beside "删除所选" and
    // keeps its size at every zoom: the two never share a pixel, each acts
    // alone, and what the text's button refuses is named on the status line.
    const item_id s = add_text(120, 60, "AB");
    at(s).mode = TEXT_SCROLLING;
    at(s).w = 32;
    at(s).h = 16;
    ui->current = s;
    const button& dir_down = prop_buttons(KIND_TEXT)[15];
    const button& del = tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT];
    int dl, dt, dr, db;
    button_rect(del, UI_PITCH, dl, dt, dr, db);
    for (int zoom = VIEW_PITCH_MIN; zoom <= VIEW_PITCH_MAX; zoom++) {
        SCOPED_TRACE(zoom);
        v.pitch = zoom;
        const int y = dir_down.y - 5;
        for (int x = dir_down.x + 1; x < dr; x++) {
            const bool on_dir = item_button_hit(dir_down, UI_PITCH, x, y);
            EXPECT_FALSE(on_dir && tool_button_hit(del, UI_PITCH, x, y)) << x;
            if (on_dir) {
                EXPECT_EQ(button_under(e, x, y).row, BUTTONS_PROP) << x;
            }
        }
        status_clear(ui->status);
        click(dir_down.x + 5, y);
        EXPECT_NE(doc_item(*doc, s), nullptr);
        EXPECT_EQ(ui->prop.pressed, 15);
        EXPECT_STREQ(ui->status.utf8, "方向已最小");
    }
    v.pitch = 2;
    int x, y;
    centre_of(del, x, y);
    click(x, y);
    EXPECT_EQ(doc_item(*doc, s), nullptr);

    // The align row stands over the span row: "左对齐" aligns and never merges.
    const item_id t = add_table(200, 60);
    ui->current = t;
    ui->sel_col = ui->sel_row = ui->span_row = 0;
    ui->span_col = 1;
    ui->merge_mode = true;
    group_add(e, add(sample(SAMPLE_LINE, 40, 90)));
    int ax, ay;
    centre_of(tool_row(ROW_ALIGN, v.window_w)[ALIGN_LEFT], ax, ay);
    click(ax, ay);
    EXPECT_EQ(ui->rows[ROW_ALIGN].pressed, ALIGN_LEFT);
    EXPECT_EQ(at(t).grid.merge_count, 0);
    // Without the group the span row shows: "合并", then "拆分" on the same cell,
    // and the next export writes the erased grid piece no more.
    group_clear(e);
    click(ax, ay);
    ASSERT_EQ(at(t).grid.merge_count, 1);
    EXPECT_NE(script_text(*doc).find("led l 255 "), std::string::npos);
    ui->merge_mode = true;
    centre_of(tool_row(ROW_SPAN, v.window_w)[SPLIT_SLOT], ax, ay);
    click(ax, ay);
    EXPECT_EQ(at(t).grid.merge_count, 0);
    EXPECT_FALSE(ui->merge_mode);
    EXPECT_EQ(script_text(*doc).find("led l 255 "), std::string::npos);
    ui->merge_mode = true;
    click(ax, ay);   // nothing left to split
    EXPECT_STREQ(ui->status.utf8, "选中的单元格没有合并");
}

TEST_F(PointerTest, ShiftAndCtrlClicksBuildAGroupThatMovesAlignsAndDeletes)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id b = add(sample(SAMPLE_LINE, 70, 90));
    const item_id s = add_text(120, 100, "AB");
    const item_id c = add(sample(SAMPLE_LINE, 20, 110));
    input_modifiers = MOD_SHIFT;
    click(px(25), py(80));
    click(px(122), py(102));
    input_modifiers = MOD_CTRL;
    click(px(25), py(110));
    click(px(25), py(110));   // a second Ctrl+click takes c out again
    click(px(75), py(90));
    EXPECT_TRUE(ui->group[a] && ui->group[b] && ui->group[s]);
    EXPECT_FALSE(ui->group[c]);
    EXPECT_EQ(ui->sel_ref, b);   // b joined last

    // A plain drag of a member moves the group.
    input_modifiers = 0;
    press(px(25), py(80));
    drag(px(25) + 40, py(80) + 20);
    release(px(25) + 40, py(80) + 20);
    EXPECT_EQ(at(b).x, 90);
    EXPECT_EQ(at(b).y, 100);
    int x, y;
    centre_of(tool_row(ROW_ALIGN, v.window_w)[ALIGN_LEFT], x, y);   // to where b is now
    click(x, y);
    EXPECT_EQ(at(a).x, 90);
    EXPECT_EQ(at(s).x, 90);
    EXPECT_TRUE(delete_selected(e));
    for (item_id id : {a, b, s}) EXPECT_EQ(doc_item(*doc, id), nullptr);
    EXPECT_NE(doc_item(*doc, c), nullptr);
}
