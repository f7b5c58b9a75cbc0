/*******************************************************************************
 * edit/press.cpp - mouse presses and releases: buttons, selection, delete
 *
 * A left press goes to the button drawn on top under the pointer, if any:
 * that button alone acts (the command row "保存数据", "关闭窗口", the delete
 * button, the span row "合并" and "拆分" in merge mode, the align row with a
 * group, or the property and nudge buttons of the item whose buttons show).
 * Otherwise it is tried against the texts, then the Digit_unit items. A press
 * on an item selects it (single mode) or adds it to the group (group mode, or
 * Shift or Ctrl held, which also takes a member out again; the item current
 * before a Shift or Ctrl click joins the group with it) and starts its
 * drag; pressing the palette entry of a kind reveals the next record of the
 * kind's range, so the pressed one can be dragged away as the new item. A
 * press on nothing below the top band clears the selection, picks the resize
 * handle and may start the rubber band; only such a press off the panel may
 * move the window. The release snaps what the drag moved or resized to whole
 * dots and refills emptied palette cells. What a button refuses is named on
 * the status line. A right press drops the whole selection.
 *
 * Limits: the palette reveals only records of the pressed record's own range
 * and never the phantom record NO_ITEM; a table keeps at most 50 merges; every index into the
 * tables, a table's cells and the button rows is checked.
 * Depends on: edit/hit_test, edit/actions (button actions), edit/snap,
 * edit/state, edit/status (save results, refusals), edit/close_prompt (which
 * takes every press while it is open), model/default_layout (ranges),
 * model/palette, model/button_rows, output/layout_save (saving and the
 * unsaved-changes test), platform/screen.
 * Does NOT: move or resize anything while the pointer moves (edit/motion.cpp),
 * or decide what a property button does (edit/actions.cpp).
 ******************************************************************************/
#include "edit/actions.h"
#include "edit/close_prompt.h"
#include "edit/hit_test.h"
#include "edit/key_help.h"
#include "edit/pointer.h"
#include "edit/snap.h"
#include "edit/state.h"
#include "edit/status.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "model/button_rows.h"
#include "model/default_layout.h"
#include "model/palette.h"
#include "model/settings.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/screen.h"
#include "raster/canvas.h"
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int BUTTON_LEFT = 0, BUTTON_RIGHT = 2;
constexpr int STATE_PRESS = 0, STATE_RELEASE = 1;
constexpr int SAVE_SLOT = 2, CLOSE_SLOT = 7, DELETE_SLOT = 2, MERGE_SLOT = 0, SPLIT_SLOT = 1;
constexpr int ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_TOP = 2, ALIGN_BOTTOM = 3;
constexpr int SAME_WIDTH = 4, SAME_HEIGHT = 5;
constexpr int MERGE_LINE_REACH = 2;   // the erased grid piece reaches 2 px past the cells
constexpr int BAND_START_LEFT = 215;  // a rubber band starts right of this
constexpr int BAND_START_TOP = 95;    // and below this
constexpr int EXIT_OK = 0;

// What the status line says when the span row refuses.
constexpr const char* SAY_NO_TABLE = "请先选中一个表格";
constexpr const char* SAY_MERGE_NEIGHBOUR = "只能合并选中单元格与其右侧相邻的单元格";
constexpr const char* SAY_MERGES_FULL = "表格的合并已满";
constexpr const char* SAY_NOTHING_TO_SPLIT = "选中的单元格没有合并";
constexpr const char* SAY_NOTHING_TO_DELETE = "没有选中的项";

// Presses on items drop the pressed look of the align and delete rows.
void set_row_reset_marks()
{
    row_pressed[ROW_ALIGN] = ROW_RESET_MARK;
    row_pressed[ROW_DELETE] = ROW_RESET_MARK;
    row_hover[ROW_DELETE] = ROW_RESET_MARK;
}

// No current item of any table.
void clear_current_items()
{
    current_unit = current_string = current_graph = NO_ITEM;
    current_led[0] = current_led[1] = NO_ITEM;
}

// The pressed look of slot k of a row.
void press_row_slot(int row, int k)
{
    row_pressed[row] = k;
    row_down[row] = 1;
}

// An item leaves the group; when it was the alignment reference, the
// reference passes to a member that stays (the last one in table order).
void leave_group(uint8_t& group_selected, int table, int index)
{
    group_selected = 0;
    if (sel_ref[0] != table || sel_ref[1] != index) return;
    sel_ref[0] = SEL_REF_NONE;
    for (int i = 0; i <= LAST_ITEM_INDEX; i++)
        if (digit_table[i].group_selected) set_sel_ref(SEL_REF_UNIT, i);
    for (int i = 0; i <= LAST_ITEM_INDEX; i++)
        if (string_table[i].group_selected) set_sel_ref(SEL_REF_TEXT, i);
}

// No item of either table belongs to the group, and nothing is its reference.
void clear_group()
{
    for (Digit_unit& d : digit_table) d.group_selected = 0;
    for (string_draw& s : string_table) s.group_selected = 0;
    sel_ref[0] = SEL_REF_NONE;
}

// A Shift or Ctrl click starts or grows a group: the item that was current
// joins it first, as every editor does.
void current_items_join_group()
{
    if (Digit_unit* d = current_unit_record()) {
        d->group_selected = 1;
        set_sel_ref(SEL_REF_UNIT, current_unit);
    }
    if (string_draw* t = current_text_record()) {
        t->group_selected = 1;
        set_sel_ref(SEL_REF_TEXT, current_string);
    }
}

// The command row: save, or close.
void press_command_slot(int k)
{
    if (k == SAVE_SLOT) {
        press_row_slot(ROW_COMMAND, k);
        save_data();
    } else if (k == CLOSE_SLOT) {
        press_row_slot(ROW_COMMAND, k);
        close_window();
    }
}

// Sum of the first `index` column widths (or row heights): a cell's offset from the table's corner.
int64_t offset_of(const int32_t* sizes, int index)
{
    int64_t o = 0;
    for (int i = 0; i < index && i < TABLE_MAX; i++) o += sizes[i];
    return o;
}

// "合并": the span cell must be the cell right of the selected one, in the
// same row; the grid piece between them is recorded as erased. Null when
// merged, else what was missing.
const char* merge_cells()
{
    Digit_unit* t = current_unit_record();
    if (!t || t->kind != KIND_TABLE) return SAY_NO_TABLE;
    const int cols = t->cols < TABLE_MAX ? t->cols : TABLE_MAX;
    const int rows = t->rows < TABLE_MAX ? t->rows : TABLE_MAX;
    if (t->sel_col >= cols || t->sel_row >= rows || t->span_col >= cols || t->span_row >= rows ||
        t->span_row != t->sel_row || t->span_col != t->sel_col + 1)
        return SAY_MERGE_NEIGHBOUR;
    if (t->merge_count >= TABLE_MAX) return SAY_MERGES_FULL;

    // Offsets of the cells from the table's corner: what table x minus the
    // absolute corner of the cell gives, negated.
    const int64_t span_dx = offset_of(t->col_width, t->span_col);
    const int64_t sel_dy = offset_of(t->row_height, t->sel_row);
    merge_record& m = t->merges[t->merge_count];
    m.flag = 1;
    m.x0 = m.x1 = (int32_t)-span_dx;
    m.y0 = (int32_t)(-sel_dy - MERGE_LINE_REACH);
    m.y1 = (int32_t)(-(int64_t)t->row_height[t->span_row] - sel_dy + MERGE_LINE_REACH);
    m.col = t->sel_col;
    m.row = t->sel_row;
    t->merge_count++;
    t->span_col = t->span_row = NO_BUTTON;
    merge_mode = 0;
    return nullptr;
}

// "拆分": the merge the selected cell belongs to (as its left cell, else as
// its right cell) is removed, so the grid line between the cells is drawn and
// saved again. Null when split, else what was missing.
const char* split_cells()
{
    Digit_unit* t = current_unit_record();
    if (!t || t->kind != KIND_TABLE) return SAY_NO_TABLE;
    const int n = t->merge_count < TABLE_MAX ? t->merge_count : TABLE_MAX;
    int found = -1;
    for (int m = 0; m < n && found < 0; m++)
        if (t->merges[m].flag && t->merges[m].row == t->sel_row && t->merges[m].col == t->sel_col) found = m;
    for (int m = 0; m < n && found < 0; m++)
        if (t->merges[m].flag && t->merges[m].row == t->sel_row && t->merges[m].col + 1 == t->sel_col) found = m;
    if (found < 0) return SAY_NOTHING_TO_SPLIT;
    for (int m = found; m + 1 < n; m++) t->merges[m] = t->merges[m + 1];
    t->merges[n - 1] = merge_record{};
    t->merge_count = (uint8_t)(n - 1);
    t->span_col = t->span_row = NO_BUTTON;
    merge_mode = 0;
    return nullptr;
}

// The status line names what a button refused; once a button acts again
// the refusal it showed goes (other messages stay).
void say_refusal(const char* why)
{
    static const char* shown = nullptr;
    if (why) {
        status_show(STATUS_INFO, why);
        shown = why;
    } else if (shown && status_tone == STATUS_INFO && strcmp(status_utf8, shown) == 0) {
        status_clear();
        shown = nullptr;
    }
}

// One alignment of a rectangle against sel_box.
void align_rect(int32_t& x, int32_t& y, int32_t& w, int32_t& h, int k)
{
    switch (k) {
    case ALIGN_LEFT: x = sel_box[0]; break;
    case ALIGN_RIGHT: x = sel_box[0] + sel_box[2] - w; break;
    case ALIGN_TOP: y = sel_box[1]; break;
    case ALIGN_BOTTOM: y = sel_box[1] + sel_box[3] - h; break;
    case SAME_WIDTH: w = sel_box[2]; break;
    case SAME_HEIGHT: h = sel_box[3]; break;
    default: break;
    }
}

// Align every group-selected item; one becomes current when none is.
void align_group(int k)
{
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        if (!d.group_selected) continue;
        align_rect(d.x, d.y, d.width, d.height, k);
        if (current_unit > LAST_ITEM_INDEX) current_unit = i;
    }
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& s = string_table[i];
        if (!s.group_selected) continue;
        align_rect(s.x, s.y, s.box_width, s.box_height, k);
        if (current_string > LAST_ITEM_INDEX) current_string = i;
    }
}

// A press on text i's body. With Shift or Ctrl held the text joins the group
// (and is dragged with it) or, when it is in the group, leaves it.
void select_text(int i, int x, int y, bool toggle)
{
    string_draw& s = string_table[i];
    if (toggle && s.group_selected) {
        leave_group(s.group_selected, SEL_REF_TEXT, i);
        return;
    }
    if (toggle) current_items_join_group();
    const bool was_current = current_string == i;
    clear_current_items();
    set_row_reset_marks();
    if (!multi_select && !toggle) {
        current_string = i;
        // A click into the text being edited moves its caret; a text taken
        // from the palette keeps its placeholder only until the first character.
        if (was_current) place_caret_at(i, x, y);
        else typing_set_caret(s, i, TEXT_LEN);
        if (!live_item_x(s.x)) typing_mark_placeholder(i);
        const int next = palette_next_text(i);
        if (next >= 0) string_table[next].visible = 1;
        drag_offset[0] = x - s.x;
        drag_offset[1] = y - s.y;
    } else {
        s.group_selected = 1;
        set_sel_ref(SEL_REF_TEXT, i);
        const string_draw& anchor = string_table[NO_ITEM];
        drag_offset[0] = x - anchor.x;
        drag_offset[1] = y - anchor.y;
    }
    string_drag = 1;
}

// Texts, before Digit_units, lower index first.
bool press_texts(int x, int y, bool toggle)
{
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& s = string_table[i];
        if (!s.visible || !text_body_hit(s, x, y)) continue;
        select_text(i, x, y, toggle);
        return true;
    }
    return false;
}

// A press on a table in single mode picks the cell under the pointer: the
// selected cell, or in merge mode the span cell.
void pick_table_cell(Digit_unit& d, int x, int y)
{
    int c, r;
    if (!table_cell_at(d, x, y, c, r)) return;
    if (!merge_mode) {
        d.sel_col = (uint8_t)c;
        d.sel_row = (uint8_t)r;
        d.span_col = d.span_row = NO_BUTTON;
    } else {
        d.span_col = (uint8_t)c;
        d.span_row = (uint8_t)r;
    }
}

// A press on Digit_unit w's body; Shift or Ctrl toggles its group membership.
void select_unit(int w, int x, int y, bool toggle)
{
    Digit_unit& d = digit_table[w];
    if (toggle && d.group_selected) {
        leave_group(d.group_selected, SEL_REF_UNIT, w);
        return;
    }
    if (!multi_select && !toggle) {
        current_string = current_graph = NO_ITEM;
        current_led[0] = current_led[1] = NO_ITEM;
        set_row_reset_marks();
        current_unit = w;
        const int next = palette_next(w);
        if (next >= 0) digit_table[next].visible = 1;
        drag_offset[0] = x - d.x;
        drag_offset[1] = y - d.y;
        if (d.kind == KIND_TABLE) pick_table_cell(d, x, y);
    } else {
        // A Shift or Ctrl click builds a group: the group alone is selected.
        if (toggle) {
            current_items_join_group();
            clear_current_items();
            set_row_reset_marks();
        }
        d.group_selected = 1;
        set_sel_ref(SEL_REF_UNIT, w);
        const Digit_unit& anchor = digit_table[unit_anchor()];
        drag_offset[0] = x - anchor.x;
        drag_offset[1] = y - anchor.y;
    }
    unit_drag = 1;
}

// Digit_units, lower index first, unless a resize handle is grabbed.
bool press_units(int x, int y, bool toggle)
{
    if (resize_handle) return false;
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        if (!d.visible || !unit_body_hit(d, x, y)) continue;
        select_unit(unit_press_winner(i, x, y), x, y, toggle);
        return true;
    }
    return false;
}

// The button drawn on top under the pointer does what it shows, and nothing else does.
void press_button(const button_spot& b)
{
    const int k = b.index;
    switch (b.row) {
    case BUTTONS_COMMAND: press_command_slot(k); break;
    case BUTTONS_DELETE:
        press_row_slot(ROW_DELETE, k);
        if (k == DELETE_SLOT) delete_selected();
        break;
    case BUTTONS_SPAN:
        press_row_slot(ROW_SPAN, k);
        if (k == MERGE_SLOT) say_refusal(merge_cells());
        if (k == SPLIT_SLOT) say_refusal(split_cells());
        break;
    case BUTTONS_ALIGN:
        press_row_slot(ROW_ALIGN, k);
        refresh_sel_box();
        align_group(k);
        apply_group_move(0, 0, 0, 0);
        break;
    case BUTTONS_TEXT_PROP: case BUTTONS_TEXT_NUDGE: {
        string_draw& s = *button_text();
        if (b.row == BUTTONS_TEXT_NUDGE) {
            s.nudge_pressed = k;
            s.nudge_down = 1;
            text_nudge_action(s, k);
        } else {
            s.prop_pressed = k;
            s.prop_down = 1;
            say_refusal(text_prop_action(s, k));
        }
        break;
    }
    case BUTTONS_UNIT_PROP: case BUTTONS_UNIT_NUDGE: {
        Digit_unit& d = *button_unit();
        if (b.row == BUTTONS_UNIT_NUDGE) {
            d.nudge_pressed = k;
            d.nudge_down = 1;
            unit_nudge_action(d, k);
        } else {
            d.prop_pressed = k;
            d.prop_down = 1;
            say_refusal(unit_prop_action(d, k));
        }
        apply_group_move(0, 0, 0, 0);
        // Weekday and wind items snap back to their size preset.
        apply_size_preset(d);
        break;
    }
    default: break;
    }
}

// A press on nothing below the top band ends both selections (not while
// Shift or Ctrl is held: the group is being built).
void press_nothing(int y, bool toggle)
{
    if (y <= TOP_BAND_BOTTOM || resize_handle || toggle) return;
    clear_group();
    clear_current_items();
    set_row_reset_marks();
}

// True when (x, y) lies on the panel.
bool on_panel(int x, int y)
{
    const int64_t p = dot_pitch();
    return x >= PANEL_X && x < PANEL_X + p * panel_width() && y >= PANEL_Y && y < PANEL_Y + p * panel_height();
}

// After a press on no item: the window-move origin, the resize handle, the rubber band.
// Only empty window space moves the window, never the panel.
void press_empty(int x, int y)
{
    empty_press = on_panel(x, y) ? 0 : 1;
    sync_window_pos();
    screen_cursor(x, y, drag_offset);
    test_resize_handles(x, y);
    if (resize_handle == 0 && pointer_pos[0] > BAND_START_LEFT && pointer_pos[1] > BAND_START_TOP) {
        rubber_band.left = x;
        rubber_band.top = y;
        rubber_band.pic_width = rubber_band.pic_height = 0;
        rubber_band.shown = 1;
        band_active = 1;
    }
}

// The button on top, else an item body, else empty space.
void left_press(int x, int y)
{
    left_down = 1;
    empty_press = 0;
    screen_cursor(x, y, cursor_now);
    cursor_prev[0] = cursor_now[0];
    cursor_prev[1] = cursor_now[1];

    const bool toggle = (input_modifiers & (MOD_SHIFT | MOD_CTRL)) != 0;
    const button_spot b = button_under(x, y);
    if (b.row != BUTTONS_NONE) {
        // A button press neither resizes nor moves anything but what it shows.
        resize_handle = 0;
        press_button(b);
    } else if (!press_texts(x, y, toggle) && !press_units(x, y, toggle)) {
        press_nothing(y, toggle);
        press_empty(x, y);
    }
    gesture_begin();
    screen_cursor(x, y, cursor_prev);
}

// Drags, resizes, held buttons and the rubber band end.
void left_release()
{
    gesture_end();
    if (unit_drag || string_drag) refill_palette();
    left_down = unit_drag = string_drag = resize_handle = 0;
    for (int r = 0; r < ROW_COUNT; r++) row_down[r] = 0;
    if (current_unit >= 0 && current_unit < DIGIT_COUNT)
        digit_table[current_unit].prop_down = digit_table[current_unit].nudge_down = 0;
    if (current_string >= 0 && current_string < STRING_COUNT)
        string_table[current_string].prop_down = string_table[current_string].nudge_down = 0;
    if (band_active) {
        set_cursor_shape(CURSOR_RIGHT_ARROW);
        rubber_band.shown = 0;
        band_active = 0;
    }
}

// The right button drops the whole selection: the current items and the
// group, texts and Digit_units alike.
void right_press()
{
    current_led[0] = current_led[1] = RIGHT_PRESS_LED;
    current_unit = RIGHT_PRESS_UNIT;
    current_string = NO_ITEM;
    current_graph = RIGHT_PRESS_GRAPH;
    clear_group();
}

} // namespace

// Left press and release, right press; everything else is ignored.
void on_mouse(int button, int state, int x, int y)
{
    if (prompt_shown) {
        // The prompt takes every press; a release still ends held looks.
        if (button == BUTTON_LEFT && state == STATE_PRESS) prompt_press(x, y);
        else if (button == BUTTON_LEFT && state == STATE_RELEASE) left_release();
        return;
    }
    if (state == STATE_PRESS && key_help_close()) return;   // the click only closes the F1 list
    if (button == BUTTON_LEFT && state == STATE_PRESS) left_press(x, y);
    else if (button == BUTTON_LEFT && state == STATE_RELEASE) left_release();
    else if (button == BUTTON_RIGHT && state == STATE_PRESS) right_press();
}

// Group-selected items and the current items disappear below the window;
// their slots stay as they are, and so do current_unit and current_string.
void delete_selected()
{
    if (!group_exists() && !current_unit_record() && !current_text_record())
        status_show(STATUS_INFO, SAY_NOTHING_TO_DELETE);
    for (Digit_unit& d : digit_table) {
        if (!d.group_selected) continue;
        d.visible = d.group_selected = 0;
        d.y = DELETED_Y;
    }
    for (string_draw& s : string_table) {
        if (!s.group_selected) continue;
        s.visible = s.group_selected = 0;
        s.y = DELETED_Y;
    }
    if (current_unit >= 0 && current_unit <= LAST_ITEM_INDEX) {
        digit_table[current_unit].visible = 0;
        digit_table[current_unit].y = DELETED_Y;
    }
    if (current_string >= 0 && current_string <= LAST_ITEM_INDEX) {
        string_table[current_string].visible = 0;
        string_table[current_string].y = DELETED_Y;
    }
}
