/*******************************************************************************
 * edit/press.cpp - mouse presses and releases: buttons, palette, selection
 *
 * A left press goes to the button drawn on top under the pointer, if any:
 * that button alone acts (the command row "保存数据", "关闭窗口", the delete
 * button, the span row "合并" and "拆分" in merge mode, the align row with a
 * group, or the property and nudge buttons of the current item). Otherwise a
 * press on a palette sample takes a new item off it (with the parts that
 * follow it), and a press on an item selects it (single mode) or adds it to
 * the group (group mode, or Shift or Ctrl held, which also takes a member out
 * again; the item current before a Shift or Ctrl click joins the group with
 * it); either starts a drag. A press on nothing below the top band clears
 * the selection, picks the resize handle and may start the rubber band; only
 * such a press off the panel may move the window. What a button refuses is
 * named on the status line. A right press drops the whole selection.
 *
 * The release ends the gesture; new items dropped back on the palette are
 * not placed.
 *
 * Sections: buttons | items | empty space | the handler
 *
 * Limits: a table keeps at most TABLE_MAX merges; every index is checked.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: move or resize anything while the pointer moves (edit/motion.cpp),
 * or decide what a property button does (edit/actions.cpp).
 ******************************************************************************/
#include "edit/actions.h"
#include "edit/arrange.h"
#include "edit/hit_test.h"
#include "edit/key_help.h"
#include "edit/panning.h"
#include "edit/pointer.h"
#include "edit/simulate.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "items/palette.h"
#include "items/table_item.h"
#include "platform/screen.h"
#include "platform/window.h"
#include <algorithm>

namespace {

constexpr int MERGE_REACH_DOTS = 1;   // the erased grid piece reaches a dot past the cells
constexpr int BAND_START_LEFT = 215;  // a rubber band starts right of this
constexpr int BAND_START_TOP = 95;    // and below this
constexpr int TOP_BAND_BOTTOM = 145;  // presses at or above keep the selection
constexpr int PALETTE_PARTS = 3;      // a date or time: the leader and two parts

void say(editor& e, const outcome& o)
{
    if (!o) status_show(e.ui.status, STATUS_INFO, o.why.c_str());
}

// ---- buttons ----------------------------------------------------------------------------

// The pressed look of slot k of a row.
void press_row_slot(editor& e, tool_row_id row, int k)
{
    e.ui.rows[row].pressed = k;
    e.ui.rows[row].down = 1;
}

// Sum of the first `index` sizes: a cell's offset from the table's corner.
int64_t offset_of(const int32_t* sizes, int index)
{
    int64_t o = 0;
    for (int i = 0; i < index && i < TABLE_MAX; i++) o += sizes[i];
    return o;
}

// "合并": the span cell must be the cell right of the picked one, in the
// same row; the grid piece between them is recorded as erased.
outcome merge_cells(editor& e)
{
    item* t = current_item(e);
    if (!t || t->kind != KIND_TABLE) return outcome_fail(MSG_NO_TABLE);
    interaction& ui = e.ui;
    const int cols = table_cols(*t), rows = table_rows(*t);
    if (ui.sel_col >= cols || ui.sel_row >= rows || ui.span_col >= cols || ui.span_row >= rows ||
        ui.span_row != ui.sel_row || ui.span_col != ui.sel_col + 1)
        return outcome_fail(MSG_MERGE_NEIGHBOUR);
    table_grid& g = t->grid;
    if (g.merge_count >= TABLE_MAX) return outcome_fail(MSG_MERGES_FULL);
    const int64_t span_dx = offset_of(g.col_w, ui.span_col);
    const int64_t sel_dy = offset_of(g.row_h, ui.sel_row);
    table_merge& m = g.merges[g.merge_count];
    m.x0 = m.x1 = clamp32(span_dx);
    m.y0 = clamp32(sel_dy + MERGE_REACH_DOTS);
    m.y1 = clamp32(sel_dy + g.row_h[ui.span_row] - MERGE_REACH_DOTS);
    m.col = ui.sel_col;
    m.row = ui.sel_row;
    g.merge_count++;
    ui.span_col = ui.span_row = NO_BUTTON;
    ui.merge_mode = false;
    return outcome_ok();
}

// "拆分": the merge the picked cell belongs to (as its left cell, else as its
// right cell) is removed, so the grid line between the cells is drawn and saved again.
outcome split_cells(editor& e)
{
    item* t = current_item(e);
    if (!t || t->kind != KIND_TABLE) return outcome_fail(MSG_NO_TABLE);
    table_grid& g = t->grid;
    const int n = std::min<int>(g.merge_count, TABLE_MAX);
    int found = -1;
    for (int m = 0; m < n && found < 0; m++)
        if (g.merges[m].row == e.ui.sel_row && g.merges[m].col == e.ui.sel_col) found = m;
    for (int m = 0; m < n && found < 0; m++)
        if (g.merges[m].row == e.ui.sel_row && g.merges[m].col + 1 == e.ui.sel_col) found = m;
    if (found < 0) return outcome_fail(MSG_NOTHING_TO_SPLIT);
    for (int m = found; m + 1 < n; m++) g.merges[m] = g.merges[m + 1];
    g.merges[n - 1] = table_merge{};
    g.merge_count = (uint8_t)(n - 1);
    e.ui.span_col = e.ui.span_row = NO_BUTTON;
    e.ui.merge_mode = false;
    return outcome_ok();
}

// A property or nudge button of the current item.
void press_item_button(editor& e, bool nudge, int k)
{
    item* it = current_item(e);
    if (!it) return;
    const item before = *it;
    button_marks& marks = nudge ? e.ui.nudge : e.ui.prop;
    marks.pressed = k;
    marks.down = 1;
    if (nudge) nudge_action(*it, k);
    else if (it->kind == KIND_TEXT) say(e, text_prop_action(e.doc, *it, k));
    else say(e, unit_prop_action(*it, k, e.ui.sel_col, e.ui.sel_row));
    follow_current(e, before);
}

// The button drawn on top under the pointer does what it shows, and nothing else does.
void press_button(editor& e, const button_spot& b)
{
    const int k = b.index;
    switch (b.row) {
    case BUTTONS_COMMAND:
        press_row_slot(e, ROW_COMMAND, k);
        if (k == SAVE_SLOT) save_data(e);
        if (k == CLOSE_SLOT) close_window(e);
        if (k == FIT_SLOT) fit_panel(e);
        if (k == SIM_SLOT) simulation_toggle(e);
        break;
    case BUTTONS_DELETE:
        press_row_slot(e, ROW_DELETE, k);
        if (k == DELETE_SLOT && !delete_selected(e)) say(e, outcome_fail(MSG_NOTHING_TO_DELETE));
        break;
    case BUTTONS_SPAN:
        press_row_slot(e, ROW_SPAN, k);
        if (k == MERGE_SLOT) say(e, merge_cells(e));
        if (k == SPLIT_SLOT) say(e, split_cells(e));
        break;
    case BUTTONS_ALIGN:
        press_row_slot(e, ROW_ALIGN, k);
        align_group(e, k);
        break;
    case BUTTONS_PROP: press_item_button(e, false, k); break;
    case BUTTONS_NUDGE: press_item_button(e, true, k); break;
    default: break;
    }
}

// ---- items --------------------------------------------------------------------------------

// Presses on items drop the pressed look of the align and delete rows.
void set_row_reset_marks(editor& e)
{
    e.ui.rows[ROW_ALIGN].pressed = NO_BUTTON;
    e.ui.rows[ROW_DELETE].pressed = NO_BUTTON;
    e.ui.rows[ROW_DELETE].hover = NO_BUTTON;
}

// Note an item for the drag: it stands at window pixel (px, py) now.
void drag_along(editor& e, item_id id, int32_t px, int32_t py)
{
    if (e.ui.moved_count >= ITEM_CAPACITY) return;
    for (int k = 0; k < e.ui.moved_count; k++)
        if (e.ui.moved[k].id == id) return;
    e.ui.moved[e.ui.moved_count++] = moved_item{id, px, py};
}

void drag_item_along(editor& e, item_id id)
{
    const item* it = doc_item(e.doc, id);
    if (it) drag_along(e, id, view_x(e.v, it->x), view_y(e.v, it->y));
}

// A drag of the current item and the parts that follow it, or of the group
// (with the current item, when there is one). The item pressed is noted
// first: the drag's cursor goes by its kind.
void start_drag(editor& e, item_id pressed)
{
    e.ui.gesture = GESTURE_DRAG;
    e.ui.moved_count = 0;
    drag_item_along(e, pressed);
    if (group_exists(e.ui)) {
        for (int i = 0; i < ITEM_CAPACITY; i++)
            if (e.ui.group[i]) drag_item_along(e, (item_id)i);
    }
    if (doc_item(e.doc, e.ui.current)) {
        drag_item_along(e, e.ui.current);
        if (!group_exists(e.ui)) {
            item_id parts[ITEM_CAPACITY];
            const int n = parts_after(e.doc, e.ui.current, parts, ITEM_CAPACITY);
            for (int k = 0; k < n; k++) drag_item_along(e, parts[k]);
        }
    }
}

// A press on a table picks the cell under the pointer: the picked cell, or in
// merge mode the span cell.
void pick_table_cell(editor& e, const item& t, int x, int y)
{
    int c, r;
    if (!table_cell_under(e, t, x, y, c, r)) return;
    if (!e.ui.merge_mode) {
        e.ui.sel_col = c;
        e.ui.sel_row = r;
        e.ui.span_col = e.ui.span_row = NO_BUTTON;
    } else {
        e.ui.span_col = c;
        e.ui.span_row = r;
    }
}

// A press on item `id`; Shift or Ctrl toggles its group membership.
void select_item(editor& e, item_id id, int x, int y, bool toggle)
{
    item& it = e.doc.items.cells[id];
    if (toggle && e.ui.group[id]) {
        group_remove(e, id);
        return;
    }
    set_row_reset_marks(e);
    if (!e.ui.multi_select && !toggle) {
        const bool was_current = e.ui.current == id;
        if (!was_current) {
            e.ui.sel_col = e.ui.sel_row = e.ui.span_col = e.ui.span_row = NO_BUTTON;
            e.ui.prop = e.ui.nudge = button_marks{};
        }
        e.ui.current = id;
        if (it.kind == KIND_TEXT) {
            // A click into the text being edited moves its caret.
            if (was_current) place_caret_at(e, x, y);
            else typing_set_caret(e.ui.caret, it, id, TEXT_LEN);
        }
        if (it.kind == KIND_TABLE) pick_table_cell(e, it, x, y);
    } else {
        // A Shift or Ctrl click builds a group: the item that was current joins
        // it, and the group alone is selected.
        if (toggle) {
            if (doc_item(e.doc, e.ui.current)) group_add(e, e.ui.current);
            e.ui.current = NO_ITEM;
        }
        group_add(e, id);
    }
    start_drag(e, id);
}

} // namespace

bool take_from_palette(editor& e, int sample)
{
    const palette_sample& s = palette_sample_of(sample);
    const int p = view_pitch(e.v);
    item_id made[PALETTE_PARTS] = {NO_ITEM, NO_ITEM, NO_ITEM};
    int count = 0;
    int32_t lead_px = s.x, lead_py = s.y;
    const item* lead = nullptr;
    for (int id = sample; id >= 0 && id < PALETTE_SAMPLES && count < PALETTE_PARTS; id++) {
        const palette_sample& part = palette_sample_of(id);
        if (id != sample && part.follows != id - 1) break;   // the parts that follow, in order
        item it = part.sample;
        it.slot = doc_free_slot(e.doc, it.kind, it.code);
        if (it.slot == NO_SLOT) {
            // The kind is full while the parts made so far still hold their
            // slots; then none of them stays.
            item_id none = NO_ITEM;
            const outcome full = doc_create(e.doc, it, none);
            if (none != NO_ITEM) doc_delete(e.doc, none);
            for (int k = 0; k < count; k++) doc_delete(e.doc, made[k]);
            say(e, full.ok ? outcome_fail(MSG_KIND_FULL, 0) : full);
            return false;
        }
        it.code = palette_code_for(id, it.slot);
        if (!lead) {
            it.x = clamp32(view_rest_x(e.v, s.x));
            it.y = clamp32(view_rest_y(e.v, s.y));
        } else {
            // A part stands after the one it follows, by the palette's gap.
            const item& before = e.doc.items.cells[made[count - 1]];
            const dot_box b = measure_item(before);
            it.x = clamp32(b.x + b.w + part.gap);
            it.y = before.y;
            it.lead = made[count - 1];
        }
        item_id id_made = NO_ITEM;
        const outcome o = doc_create(e.doc, it, id_made);
        if (!o) {
            for (int k = 0; k < count; k++) doc_delete(e.doc, made[k]);
            say(e, o);
            return false;
        }
        made[count++] = id_made;
        if (!lead) lead = &e.doc.items.cells[id_made];
    }
    if (count == 0) return false;
    // The new item is the current one and is dragged from where the sample stands.
    set_row_reset_marks(e);
    e.ui.current = made[0];
    e.ui.sel_col = e.ui.sel_row = e.ui.span_col = e.ui.span_row = NO_BUTTON;
    e.ui.prop = e.ui.nudge = button_marks{};
    e.ui.gesture = GESTURE_DRAG;
    e.ui.moved_count = 0;
    for (int k = 0; k < count; k++) {
        const item& it = e.doc.items.cells[made[k]];
        drag_along(e, made[k], clamp32(lead_px + ((int64_t)it.x - lead->x) * p),
                   clamp32(lead_py + ((int64_t)it.y - lead->y) * p));
        e.ui.from_palette[k] = made[k];
    }
    item& first = e.doc.items.cells[made[0]];
    if (first.kind == KIND_TEXT) {
        typing_set_caret(e.ui.caret, first, made[0], TEXT_LEN);
        typing_mark_placeholder(e.ui.caret, made[0]);
    }
    return true;
}

namespace {

// ---- empty space --------------------------------------------------------------------------

// A press on nothing below the top band ends both selections (not while
// Shift or Ctrl is held: the group is being built).
void press_nothing(editor& e, int y, bool toggle)
{
    if (y <= TOP_BAND_BOTTOM || e.ui.resize_handle || toggle) return;
    group_clear(e);
    e.ui.current = NO_ITEM;
    set_row_reset_marks(e);
}

// True when (x, y) lies on the panel.
bool on_panel(const editor& e, int x, int y)
{
    return view_dot_at_x(e.v, x) >= 0 && view_dot_at_x(e.v, x) < e.doc.settings.panel_w &&
           view_dot_at_y(e.v, y) >= 0 && view_dot_at_y(e.v, y) < e.doc.settings.panel_h;
}

// After a press on no item: a resize by the handle under the pointer, or the
// rubber band, or (off the panel) a window move.
void press_empty(editor& e, int x, int y)
{
    test_resize_handles(e, x, y);
    if (e.ui.resize_handle) {
        e.ui.gesture = GESTURE_RESIZE;
        return;
    }
    if (x > BAND_START_LEFT && y > BAND_START_TOP) {
        e.ui.gesture = GESTURE_BAND;
        e.ui.band_x = x;
        e.ui.band_y = y;
        e.ui.band_w = e.ui.band_h = 0;
        e.ui.band_shown = true;
        return;
    }
    if (!on_panel(e, x, y)) e.ui.gesture = GESTURE_WINDOW_MOVE;
}

// ---- the handler ---------------------------------------------------------------------------

// The button on top, else a palette sample, else an item, else empty space.
void left_press(editor& e, int x, int y)
{
    interaction& ui = e.ui;
    ui.left_down = true;
    ui.press_x = x;
    ui.press_y = y;
    ui.press_scroll_x = e.v.scroll_x;
    ui.press_scroll_y = e.v.scroll_y;
    ui.gesture = GESTURE_NONE;
    ui.moved_count = 0;
    for (item_id& id : ui.from_palette) id = NO_ITEM;
    screen_cursor(x, y, ui.cursor_prev);
    sync_window_pos();
    ui.window_x = window_pos[0];
    ui.window_y = window_pos[1];

    const bool toggle = (input_modifiers & (MOD_SHIFT | MOD_CTRL)) != 0;
    const button_spot b = button_under(e, x, y);
    // While the panel plays only the commands act, and a register item asks for its value.
    if (ui.sim.on && b.row != BUTTONS_COMMAND) {
        ui.gesture = GESTURE_NONE;
        if (!simulation_press(e, x, y)) press_empty(e, x, y);
        return;
    }
    if (b.row != BUTTONS_NONE) {
        // A button press neither resizes nor moves anything but what it shows.
        ui.resize_handle = 0;
        ui.gesture = GESTURE_BUTTON;
        press_button(e, b);
        return;
    }
    if (ui.band_next) {
        // Ctrl+F: a rubber band wherever the press falls.
        ui.band_next = false;
        ui.gesture = GESTURE_BAND;
        ui.band_x = x;
        ui.band_y = y;
        ui.band_w = ui.band_h = 0;
        ui.band_shown = true;
        return;
    }
    // A handle of the current item is grabbed before anything under it.
    test_resize_handles(e, x, y);
    if (ui.resize_handle && !ui.resize_window) {
        ui.gesture = GESTURE_RESIZE;
        if (const item* it = current_item(e)) ui.resize_from = *it;
        return;
    }
    const int sample = x < PALETTE_RIGHT ? palette_sample_at(x, y, UI_PITCH) : -1;
    if (sample >= 0 && !toggle && !ui.multi_select) {
        take_from_palette(e, sample);
        return;
    }
    const item_id id = item_under(e, x, y);
    if (id != NO_ITEM) {
        select_item(e, id, x, y, toggle);
        return;
    }
    press_nothing(e, y, toggle);
    press_empty(e, x, y);
}

// Drags, resizes, held buttons and the rubber band end; new items dropped
// back on the palette are not placed.
void left_release(editor& e, int x)
{
    interaction& ui = e.ui;
    if (ui.gesture == GESTURE_DRAG && x < PALETTE_RIGHT) {
        for (item_id& id : ui.from_palette) {
            if (id == NO_ITEM) continue;
            if (ui.current == id) ui.current = NO_ITEM;
            doc_delete(e.doc, id);
            id = NO_ITEM;
        }
    }
    for (item_id& id : ui.from_palette) id = NO_ITEM;
    ui.left_down = false;
    ui.gesture = GESTURE_NONE;
    ui.moved_count = 0;
    ui.resize_handle = 0;
    ui.resize_window = false;
    for (button_marks& r : ui.rows) r.down = 0;
    ui.prop.down = ui.nudge.down = 0;
    if (ui.band_shown) {
        set_cursor_shape(CURSOR_RIGHT_ARROW);
        ui.band_shown = false;
    }
}

// The right button drops the whole selection.
void right_press(editor& e)
{
    e.ui.current = NO_ITEM;
    group_clear(e);
}

} // namespace

void on_mouse(editor& e, int button, int state, int x, int y)
{
    if (e.ui.prompt.shown) {
        // The prompt takes every press; a release still ends held looks.
        if (button == MOUSE_LEFT && state == MOUSE_PRESS) prompt_press(e, x, y);
        else if (button == MOUSE_LEFT && state == MOUSE_RELEASE) left_release(e, x);
        return;
    }
    if (state == MOUSE_PRESS && key_help_close(e.ui.key_help_shown)) return;   // the click only closes the F1 list
    // Pans and scroll bars move the view alone.
    if (state == MOUSE_PRESS && e.ui.gesture != GESTURE_PAN && panning_press(e, button, x, y)) return;
    if (state == MOUSE_RELEASE && (e.ui.gesture == GESTURE_PAN || e.ui.gesture == GESTURE_SCROLL_BAR)) {
        const bool ends = e.ui.gesture == GESTURE_SCROLL_BAR ? button == MOUSE_LEFT
                                                              : (button == MOUSE_MIDDLE) == e.ui.middle_down;
        if (ends) {
            e.ui.gesture = GESTURE_NONE;
            e.ui.left_down = e.ui.middle_down = false;
            set_cursor_shape(CURSOR_RIGHT_ARROW);
        }
        return;
    }
    if (button == MOUSE_LEFT && state == MOUSE_PRESS) left_press(e, x, y);
    else if (button == MOUSE_LEFT && state == MOUSE_RELEASE) left_release(e, x);
    else if (button == MOUSE_RIGHT && state == MOUSE_PRESS) right_press(e);
}
