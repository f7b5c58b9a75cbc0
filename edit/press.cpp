/*******************************************************************************
 * edit/press.cpp - mouse presses and releases: buttons, selection, delete
 *
 * A left press is tried against, in order: the command row ("保存数据",
 * "关闭窗口"), the delete row, the span row (in merge mode), the align row
 * (with a group), the texts and their buttons, the Digit_unit items and their
 * buttons; the first hit on a command, the delete button or an item body
 * ends the press. A press on an item selects it (single mode) or adds it to
 * the group (group mode) and starts its drag; pressing the palette entry of a
 * kind reveals the next record of the kind's range, so the pressed one can be
 * dragged away as the new item. A press on nothing below the top band clears
 * the selection; every press that is not ended early picks the resize handle
 * and may start the rubber band. A right press drops the single selection and
 * the group's Digit_units.
 *
 * Limits: the palette reveals only records of the pressed record's own range
 * and never slot 429; a table keeps at most 50 merges; every index into the
 * tables, a table's cells and the button rows is checked.
 * Depends on: edit/hit_test, edit/actions (button actions), edit/state,
 * model/default_layout (ranges), model/button_rows, output/script_export,
 * output/program_file, platform/screen.
 * Does NOT: move or resize anything while the pointer moves (edit/motion.cpp),
 * or decide what a property button does (edit/actions.cpp).
 ******************************************************************************/
#include "edit/actions.h"
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "model/button_rows.h"
#include "model/default_layout.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/screen.h"
#include <cstdio>

namespace {

constexpr int BUTTON_LEFT = 0, BUTTON_RIGHT = 2;
constexpr int STATE_PRESS = 0, STATE_RELEASE = 1;
constexpr int SAVE_SLOT = 2, CLOSE_SLOT = 7, DELETE_SLOT = 2, MERGE_SLOT = 0;
constexpr int ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_TOP = 2, ALIGN_BOTTOM = 3;
constexpr int SAME_WIDTH = 4, SAME_HEIGHT = 5;
constexpr int MERGE_LINE_REACH = 2;   // the erased grid piece reaches 2 px past the cells
constexpr int BAND_START_LEFT = 215;  // a rubber band starts right of this
constexpr int BAND_START_TOP = 95;    // and below this
constexpr int EXIT_OK = 0;

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
    current_unit = current_string = current_graph = PHANTOM_SLOT;
    current_led[0] = current_led[1] = PHANTOM_SLOT;
}

// The pressed look of slot k of a row.
void press_row_slot(int row, int k)
{
    row_pressed[row] = k;
    row_down[row] = 1;
}

// The command row: save, or close.
bool press_command_row(int x, int y)
{
    for (int k = 0; k < ROW_SLOTS; k++) {
        if (!tool_button_hit(command_row[k], x, y)) continue;
        if (k == SAVE_SLOT) {
            press_row_slot(ROW_COMMAND, k);
            save_data();
            return true;
        }
        if (k == CLOSE_SLOT) {
            press_row_slot(ROW_COMMAND, k);
            close_window();
            return true;
        }
    }
    return false;
}

// The delete button "删除所选".
bool press_delete_row(int x, int y)
{
    if (!tool_button_hit(delete_row[DELETE_SLOT], x, y)) return false;
    press_row_slot(ROW_DELETE, DELETE_SLOT);
    delete_selected();
    return true;
}

// Sum of the first `index` column widths (or row heights): a cell's offset from the table's corner.
int64_t offset_of(const int32_t* sizes, int index)
{
    int64_t o = 0;
    for (int i = 0; i < index && i < TABLE_MAX; i++) o += sizes[i];
    return o;
}

// "合并": the span cell must be the cell right of the selected one, in the
// same row; the grid piece between them is recorded as erased.
bool merge_cells()
{
    Digit_unit* t = current_unit_record();
    if (!t || t->kind != KIND_TABLE) return false;
    const int cols = t->cols < TABLE_MAX ? t->cols : TABLE_MAX;
    const int rows = t->rows < TABLE_MAX ? t->rows : TABLE_MAX;
    if (t->sel_col >= cols || t->sel_row >= rows || t->span_col >= cols || t->span_row >= rows) return false;
    if (t->span_row != t->sel_row || t->span_col != t->sel_col + 1) return false;
    if (t->merge_count >= TABLE_MAX) return false;

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
    return true;
}

// The span row, only in merge mode; the press goes on.
void press_span_row(int x, int y)
{
    if (!merge_mode) return;
    for (int k = 0; k < ROW_SLOTS; k++) {
        if (!tool_button_hit(span_row[k], x, y)) continue;
        press_row_slot(ROW_SPAN, k);
        if (k == MERGE_SLOT) merge_cells();
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

// The align row, only with a group; the press goes on.
void press_align_row(int x, int y)
{
    if (!group_exists()) return;
    for (int k = 0; k < ROW_SLOTS; k++) {
        if (!tool_button_hit(align_row[k], x, y)) continue;
        press_row_slot(ROW_ALIGN, k);
        align_group(k);
        apply_group_move(0, 0, 0, 0);
    }
}

// The item joined the group last: the alignment reference.
void set_sel_box(int32_t x, int32_t y, int32_t w, int32_t h)
{
    sel_box[0] = x;
    sel_box[1] = y;
    sel_box[2] = w;
    sel_box[3] = h;
}

// A press on text i's body.
void select_text(int i, int x, int y)
{
    string_draw& s = string_table[i];
    clear_current_items();
    set_row_reset_marks();
    if (!multi_select) {
        current_string = i;
        const int next = palette_next_text(i);
        if (next >= 0) string_table[next].visible = 1;
        drag_offset[0] = x - s.x;
        drag_offset[1] = y - s.y;
    } else {
        s.group_selected = 1;
        set_sel_box(s.x, s.y, s.box_width, s.box_height);
        const string_draw& anchor = string_table[PHANTOM_SLOT];
        drag_offset[0] = x - anchor.x;
        drag_offset[1] = y - anchor.y;
    }
    string_drag = 1;
}

// The nudge and property buttons of the current text.
void press_text_buttons(string_draw& s, int x, int y)
{
    for (int k = 0; k < NUDGE_BUTTONS; k++) {
        if (!item_button_hit(s.nudge_buttons[k], x, y)) continue;
        s.nudge_pressed = k;
        s.nudge_down = 1;
        text_nudge_action(s, k);
    }
    for (int k = 0; k < PROP_BUTTONS; k++) {
        if (!item_button_hit(s.prop_buttons[k], x, y)) continue;
        s.prop_pressed = k;
        s.prop_down = 1;
        text_prop_action(s, k);
    }
}

// Texts, before Digit_units, lower index first: a body or the current text's buttons.
bool press_texts(int x, int y)
{
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& s = string_table[i];
        if (!s.visible) continue;
        if (text_body_hit(s, x, y)) {
            select_text(i, x, y);
            return true;
        }
        if (i == current_string && i <= LAST_ITEM_INDEX) press_text_buttons(s, x, y);
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

// A press on Digit_unit w's body.
void select_unit(int w, int x, int y)
{
    Digit_unit& d = digit_table[w];
    if (!multi_select) {
        current_string = current_graph = PHANTOM_SLOT;
        current_led[0] = current_led[1] = PHANTOM_SLOT;
        set_row_reset_marks();
        current_unit = w;
        const int next = palette_next(w);
        if (next >= 0) digit_table[next].visible = 1;
        drag_offset[0] = x - d.x;
        drag_offset[1] = y - d.y;
        if (d.kind == KIND_TABLE) pick_table_cell(d, x, y);
    } else {
        d.group_selected = 1;
        set_sel_box(d.x, d.y, d.width, d.height);
        const Digit_unit& anchor = digit_table[unit_anchor()];
        drag_offset[0] = x - anchor.x;
        drag_offset[1] = y - anchor.y;
    }
    unit_drag = 1;
}

// The nudge and property buttons of the current Digit_unit.
void press_unit_buttons(Digit_unit& d, int x, int y)
{
    for (int k = 0; k < NUDGE_BUTTONS; k++) {
        if (!item_button_hit(d.nudge_buttons[k], x, y)) continue;
        d.nudge_pressed = k;
        d.nudge_down = 1;
        unit_nudge_action(d, k);
        apply_group_move(0, 0, 0, 0);
    }
    for (int k = 0; k < UNIT_PROP_BUTTONS; k++) {
        if (item_button_hit(d.prop_buttons[k], x, y)) {
            d.prop_pressed = k;
            d.prop_down = 1;
            unit_prop_action(d, k);
            apply_group_move(0, 0, 0, 0);
        }
        // Weekday and wind items snap back to their size preset.
        if (k <= 1) apply_size_preset(d);
    }
}

// Digit_units, lower index first, unless a resize handle is grabbed.
bool press_units(int x, int y)
{
    if (resize_handle) return false;
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        if (!d.visible) continue;
        if (unit_body_hit(d, x, y)) {
            select_unit(unit_press_winner(i, x, y), x, y);
            return true;
        }
        if (i == current_unit && i <= LAST_ITEM_INDEX) press_unit_buttons(d, x, y);
    }
    return false;
}

// A press on nothing below the top band ends both selections.
void press_nothing(int y)
{
    if (y <= TOP_BAND_BOTTOM || resize_handle) return;
    for (Digit_unit& d : digit_table)
        if (d.visible) d.group_selected = 0;
    for (string_draw& s : string_table)
        if (s.visible) s.group_selected = 0;
    clear_current_items();
    set_row_reset_marks();
}

// After a press on no item: the window-move origin, the resize handle, the rubber band.
void press_empty(int x, int y)
{
    empty_press = 1;
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

// Every step in order; the first that finishes ends the press.
void left_press(int x, int y)
{
    left_down = 1;
    screen_cursor(x, y, cursor_now);
    cursor_prev[0] = cursor_now[0];
    cursor_prev[1] = cursor_now[1];

    bool done = press_command_row(x, y) || press_delete_row(x, y);
    if (!done) {
        press_span_row(x, y);
        press_align_row(x, y);
        done = press_texts(x, y) || press_units(x, y);
    }
    if (!done) {
        press_nothing(y);
        press_empty(x, y);
    }
    screen_cursor(x, y, cursor_prev);
}

// Drags, resizes, held buttons and the rubber band end.
void left_release()
{
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

// The right button drops the single selection and the group's Digit_units.
void right_press()
{
    current_led[0] = current_led[1] = RIGHT_PRESS_LED;
    current_unit = RIGHT_PRESS_UNIT;
    current_string = PHANTOM_SLOT;
    current_graph = RIGHT_PRESS_GRAPH;
    for (Digit_unit& d : digit_table)
        if (d.visible) d.group_selected = 0;
}

// Report a program file that could not be written.
void save_program_file_reporting()
{
    if (!save_program_file())
        fprintf(stderr, "lumiker: the program file was not saved: %s\n", program_file_problem.c_str());
}

} // namespace

// Script first, then the program file; a failure of either is reported and the editor goes on.
void save_data()
{
    export_script();   // reports its own failure
    save_program_file_reporting();
}

// The program file, then the end: the command script stays as it was.
void close_window()
{
    save_program_file_reporting();
    end_program(EXIT_OK);
}

// Left press and release, right press; everything else is ignored.
void on_mouse(int button, int state, int x, int y)
{
    if (button == BUTTON_LEFT && state == STATE_PRESS) left_press(x, y);
    else if (button == BUTTON_LEFT && state == STATE_RELEASE) left_release();
    else if (button == BUTTON_RIGHT && state == STATE_PRESS) right_press();
}

// Group-selected items and the current items disappear below the window;
// their slots stay as they are, and so do current_unit and current_string.
void delete_selected()
{
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
