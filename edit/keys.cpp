/*******************************************************************************
 * edit/keys.cpp - the keyboard and special-key callbacks
 *
 * Key bytes type into the current text or run the Ctrl commands: zoom, the
 * text's mode, colour and box width, the rubber band, copy and paste, delete,
 * undo and redo, and the save key. Special keys switch the coordinate read-out, group and
 * span modes, nudge the current items by one dot and cycle the current
 * unit's thickness and colour. F1 opens the list of keys (edit/key_help.h);
 * while it is up, any key only closes it.
 *
 * A zoom is a view change: every live item, pending copy and shown picture
 * is rescaled about the panel origin so that it keeps its dots, and a save
 * after any zoom writes the same script.
 *
 * Limits: led_pitch stays in LED_PITCH_MIN..LED_PITCH_MAX; copies go only
 * into a free slot of the copied item's own range (never the phantom NO_ITEM);
 * colours stay within 0..6. The pointer position passed in is not used.
 * Depends on: edit/state.h, edit/pointer.h (delete_selected,
 * apply_group_move, save_data for the save key), edit/close_prompt.h (which
 * takes every key while it is open), edit/typing.h,
 * model/tables.h, model/settings.h, model/default_layout.h,
 * edit/text_input.h (clipboard text), edit/undo.h, platform/screen.h (cursor
 * shape, modifiers), platform/window.h (special-key codes).
 * Does NOT: write files itself (the save key saves through save_data and
 * then ends the program), or move items other than through apply_group_move.
 ******************************************************************************/
#include "edit/keys.h"
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
#include "edit/undo.h"
#include "items/kinds.h"
#include "model/button_rows.h"
#include "model/default_layout.h"
#include "model/geometry.h"
#include "model/palette.h"
#include "model/settings.h"
#include "model/tables.h"
#include "output/layout_save.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "raster/canvas.h"
#include <cstdint>
#include <cstring>

int32_t thickness_cycle = 0;
item_copy copy_buffer;

namespace {

// Key bytes.
enum : unsigned char {
    KEY_CTRL_A = 1, KEY_CTRL_B = 2, KEY_CTRL_C = 3, KEY_CTRL_F = 6, KEY_CTRL_G = 7,
    KEY_BACKSPACE = 8, KEY_CTRL_K = 11, KEY_CTRL_L = 12, KEY_CTRL_N = 14,
    KEY_CTRL_Q = 17, KEY_CTRL_S = 19, KEY_CTRL_V = 22, KEY_CTRL_Y = 25, KEY_CTRL_Z = 26, KEY_DELETE = 127
};

constexpr int TEXT_PROP_WIDER = 8;         // the text buttons that step the box width
constexpr int TEXT_PROP_NARROWER = 9;
constexpr int COPY_SHIFT_X = 5;            // each paste stands this many px further right
constexpr int COLOURS = 7;
constexpr uint8_t TEXT_MODE_SCROLLING = 1;
constexpr int THICKNESS_STEPS = 3;

// The current text item, or none.
string_draw* current_text() { return current_text_record(); }

// The current Digit_unit, or none.
Digit_unit* current_digit() { return current_unit_record(); }

// The next colour code, 6 wrapping to 0 (a code outside 0..6 starts again at 0).
int next_colour(int c)
{
    return (c >= 0 && c < COLOURS - 1) ? c + 1 : 0;
}

// A copy keeps the look and the numbers of what it copies; only the place
// and the record differ. The record keeps its own valve picture bytes.
void place_unit_copy(const Digit_unit& from, Digit_unit& to, int shift)
{
    uint8_t* const bitmap = to.bitmap;
    const int32_t bitmap_len = to.bitmap_len;
    to = from;
    to.bitmap = bitmap;
    to.bitmap_len = bitmap_len;
    to.x = snap_dot_x(from.x + shift);   // on a whole dot, as the panel shows it
    to.visible = 1;
    to.group_selected = 0;
}

void place_text_copy(const string_draw& from, string_draw& to, int shift)
{
    to = from;
    to.x = snap_dot_x(from.x + shift);
    to.visible = 1;
    to.group_selected = 0;
}

// A key that works on the current text found none.
void say_select_text() { status_show(STATUS_INFO, msg(MSG_SELECT_TEXT_FIRST).c_str()); }

// What a key refused goes on the status line.
void say_key_refusal(const char* why)
{
    if (why) status_show(STATUS_INFO, why);
}

// Zoom is a view change: every live item (and a pending copy) moves with the
// panel so that it keeps its dots; palette entries left of the panel stay.
void rescale_layout(int from, int to)
{
    if (from <= 0 || to <= 0 || from == to) return;
    for (int i = 0; i <= LAST_ITEM_INDEX; i++) {
        Digit_unit& d = digit_table[i];
        if (d.visible && live_item_x(d.x)) rescale_digit(d, from, to);
        string_draw& s = string_table[i];
        if (s.visible && live_item_x(s.x)) rescale_text(s, from, to);
    }
    if (copy_buffer.has_unit && live_item_x(copy_buffer.unit.x)) rescale_digit(copy_buffer.unit, from, to);
    if (copy_buffer.has_text && live_item_x(copy_buffer.text.x)) rescale_text(copy_buffer.text, from, to);
    for (graph_draw& g : graph_table)
        if (g.shown) rescale_picture(g, from, to);
}

// A new zoom: the items keep their dots, the tool buttons are refitted to
// their labels and the calendar composites, sized by the zoom, are laid out again.
void set_zoom(int p)
{
    rescale_layout(led_pitch, p);
    led_pitch = (uint8_t)p;
    fit_tool_buttons();
    apply_group_move(0, 0, 0, 0);
}

// Ctrl+L: toggle the zoom between 1 and 2 (from any larger zoom it goes to 1).
void toggle_zoom()
{
    int p = led_pitch + 1;
    if (p >= 3) p = LED_PITCH_MIN;
    set_zoom(p);
}

// Move the current text and the current unit by (dx, dy) px.
void nudge_current(int dx, int dy)
{
    if (!current_text() && !current_digit()) status_show(STATUS_INFO, msg(MSG_NOTHING_SELECTED).c_str());
    if (string_draw* s = current_text()) {
        s->x += dx;
        s->y += dy;
    }
    if (Digit_unit* d = current_digit()) {
        d->x += dx;
        d->y += dy;
    }
    apply_group_move(0, 0, 0, 0);
}

// F5: group mode; the current items join the group.
void start_group_mode()
{
    multi_select = 1;
    if (Digit_unit* d = current_digit()) d->group_selected = 1;
    if (string_draw* s = current_text()) s->group_selected = 1;
}

// F6: leave group mode and empty the group.
void end_group_mode()
{
    multi_select = 0;
    for (Digit_unit& d : digit_table) d.group_selected = 0;
    for (string_draw& s : string_table) s.group_selected = 0;
}

// Ctrl+Z.
void undo_last()
{
    if (!undo_step()) status_show(STATUS_INFO, msg(MSG_NOTHING_TO_UNDO).c_str());
}

// Ctrl+Y and Ctrl+Shift+Z.
void redo_last()
{
    if (!redo_step()) status_show(STATUS_INFO, msg(MSG_NOTHING_TO_REDO).c_str());
}

} // namespace

void rescale_digit(Digit_unit& d, int from, int to)
{
    // Variables and valves size themselves from the zoom when measured.
    if (const auto rescale = kind_of(d).rescale) rescale(d, from, to);
    d.x = rescaled(d.x, PANEL_X, from, to);
    d.y = rescaled(d.y, PANEL_Y, from, to);
}

void rescale_text(string_draw& s, int from, int to)
{
    s.x = rescaled(s.x, PANEL_X, from, to);
    s.y = rescaled(s.y, PANEL_Y, from, to);
    s.box_width = rescaled_length(s.box_width, from, to);
    s.box_height = rescaled_length(s.box_height, from, to);
}

void rescale_picture(graph_draw& g, int from, int to)
{
    g.left = rescaled(g.left, PANEL_X, from, to);
    g.top = rescaled(g.top, PANEL_Y, from, to);
}

// Ctrl+C: the current unit and the current text, as they are now, are what
// every Ctrl+V until the next Ctrl+C pastes.
void copy_current_items()
{
    copy_buffer.has_unit = copy_buffer.has_text = false;
    copy_buffer.pastes = 0;
    if (const Digit_unit* d = current_unit_record()) {
        copy_buffer.unit = *d;
        copy_buffer.unit.bitmap = nullptr;   // the picture bytes stay with their record
        copy_buffer.unit.bitmap_len = 0;
        copy_buffer.unit_range = range_of_record(current_unit);
        copy_buffer.has_unit = copy_buffer.unit_range >= 0;
    }
    if (const string_draw* s = current_text_record()) {
        copy_buffer.text = *s;
        copy_buffer.has_text = true;
    }
    if (!copy_buffer.has_unit && !copy_buffer.has_text) status_show(STATUS_INFO, msg(MSG_NOTHING_TO_COPY).c_str());
}

void forget_item_copy()
{
    copy_buffer.has_unit = copy_buffer.has_text = false;
}

// Ctrl+V: one more copy of what the last Ctrl+C took, each a step further
// right, in a free record of its kind; the copies become the current items.
void paste_copied_items()
{
    if (!copy_buffer.has_unit && !copy_buffer.has_text) {
        status_show(STATUS_INFO, msg(MSG_NOTHING_TO_PASTE).c_str());
        return;
    }
    const int shift = COPY_SHIFT_X * (copy_buffer.pastes + 1);
    int unit_slot = -1, text_slot = -1;
    if (copy_buffer.has_unit) {
        unit_slot = palette_free_record(copy_buffer.unit_range);
        if (unit_slot < 0) {
            const record_range& r = digit_ranges[copy_buffer.unit_range];
            status_show(STATUS_INFO, msg(MSG_KIND_FULL, r.last - r.first + 1).c_str());
        }
    }
    if (copy_buffer.has_text) {
        text_slot = palette_free_text();
        if (text_slot < 0) status_show(STATUS_INFO, msg(MSG_KIND_FULL, TEXT_LAST - TEXT_FIRST + 1).c_str());
    }
    if (unit_slot < 0 && text_slot < 0) return;
    copy_buffer.pastes++;
    if (unit_slot >= 0) {
        place_unit_copy(copy_buffer.unit, digit_table[unit_slot], shift);
        current_unit = unit_slot;
    }
    if (text_slot >= 0) {
        place_text_copy(copy_buffer.text, string_table[text_slot], shift);
        current_string = text_slot;
    }
    // A record the copy took may have stood ready in the palette.
    refill_palette();
}

// Key bytes: Ctrl commands, Delete, and typing into the current text.
void on_key(unsigned char key, int, int)
{
    if (prompt_shown) {
        prompt_key(key);
        return;
    }
    if (key_help_close()) return;   // the key only closes the F1 list
    string_draw* s = current_text();
    switch (key) {
    case KEY_CTRL_A:
        set_zoom(led_pitch > LED_PITCH_ZOOM_OUT_MIN ? led_pitch - 1 : led_pitch);
        break;
    case KEY_CTRL_B:
        if (s) s->mode = TEXT_MODE_SCROLLING;
        else say_select_text();
        break;
    case KEY_CTRL_C:
        if (input_modifiers & MOD_SHIFT) {
            // The clipboard now holds text: the next Ctrl+V pastes it.
            if (!s) {
                say_select_text();
                break;
            }
            forget_item_copy();
            copy_text_to_clipboard();
        } else {
            copy_current_items();
        }
        break;
    case KEY_CTRL_F:
        set_cursor_shape(CURSOR_CROSSHAIR);
        band_active = 1;
        break;
    case KEY_CTRL_G:
    case KEY_CTRL_N:
        // One whole dot, as the "宽度+" and "宽度-" buttons step it; a static
        // text's box follows its characters.
        if (!s) say_select_text();
        else if ((s->mode & 1) == 0) status_show(STATUS_INFO, msg(MSG_STATIC_TEXT_WIDTH).c_str());
        else say_key_refusal(text_prop_action(*s, key == KEY_CTRL_G ? TEXT_PROP_WIDER : TEXT_PROP_NARROWER));
        break;
    case KEY_BACKSPACE:
        if (s) erase_before_caret(*s, current_string);
        break;
    case KEY_CTRL_K:
        if (s) s->color = next_colour(s->color);
        else say_select_text();
        break;
    case KEY_CTRL_L: toggle_zoom(); break;
    case KEY_CTRL_Q:
        set_zoom(led_pitch < LED_PITCH_MAX ? led_pitch + 1 : led_pitch);
        break;
    case KEY_CTRL_S:
        // Saves as "保存数据" does, and ends only when the save succeeded.
        save_and_end();
        break;
    case KEY_CTRL_V:
        // An item copy is pasted until the next Ctrl+C; without one the
        // clipboard's text goes into the current text.
        if (copy_buffer.has_unit || copy_buffer.has_text) {
            paste_copied_items();
        } else {
            // A paste is a step of its own, apart from the typing around it.
            undo_checkpoint();
            undo_end_typing_run();
            paste_clipboard_text();
            undo_checkpoint();
            undo_end_typing_run();
        }
        break;
    case KEY_CTRL_Y: redo_last(); break;
    case KEY_CTRL_Z:
        if (input_modifiers & MOD_SHIFT) redo_last();
        else undo_last();
        break;
    case KEY_DELETE:
        // While a caret shows, Delete edits the text; otherwise it deletes the selection.
        if (s) erase_after_caret(*s, current_string);
        else delete_selected();
        break;
    default:
        if (s) type_key(*s, current_string, key);
        break;
    }
}

// Special keys: read-out, group and span modes, nudges, thickness and colour.
void on_special_key(int key, int, int)
{
    if (prompt_shown) return;
    if (key_help_close()) return;
    if (key == SPECIAL_F1) return key_help_open();
    const int p = led_pitch;
    Digit_unit* d = current_digit();
    switch (key) {
    case SPECIAL_F3: show_coords = 0; break;
    case SPECIAL_F4: show_coords = 1; break;
    case SPECIAL_F5: start_group_mode(); break;
    case SPECIAL_F6: end_group_mode(); break;
    case SPECIAL_F8: merge_mode = 1; break;
    case SPECIAL_F9: merge_mode = 0; break;
    case SPECIAL_LEFT: nudge_current(-p, 0); break;
    case SPECIAL_UP: nudge_current(0, -p); break;
    case SPECIAL_RIGHT: nudge_current(p, 0); break;
    case SPECIAL_DOWN: nudge_current(0, p); break;
    case SPECIAL_HOME:
    case SPECIAL_END:
        if (string_draw* s = current_text())
            typing_set_caret(*s, current_string, key == SPECIAL_HOME ? 0 : TEXT_LEN);
        break;
    case SPECIAL_PAGE_UP:
        if (!d) status_show(STATUS_INFO, msg(MSG_NOTHING_SELECTED).c_str());
        thickness_cycle = (thickness_cycle + 1) % THICKNESS_STEPS;
        if (thickness_cycle < 0) thickness_cycle = 0;
        if (d) d->thickness = thickness_cycle + 1;
        apply_group_move(0, 0, 0, 0);
        break;
    case SPECIAL_PAGE_DOWN:
        if (!d) status_show(STATUS_INFO, msg(MSG_NOTHING_SELECTED).c_str());
        if (d) d->color = (uint8_t)next_colour(d->color);
        apply_group_move(0, 0, 0, 0);
        break;
    default: break;
    }
}
