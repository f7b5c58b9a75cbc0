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
#include "platform/screen.h"
#include "platform/window.h"
#include "raster/canvas.h"
#include <cstdint>
#include <cstring>

uint8_t copy_pending = 0;
int32_t thickness_cycle = 0;
int32_t copy_unit_slot = -1;
int32_t copy_text_slot = -1;

namespace {

// Key bytes.
enum : unsigned char {
    KEY_CTRL_A = 1, KEY_CTRL_B = 2, KEY_CTRL_C = 3, KEY_CTRL_F = 6, KEY_CTRL_G = 7,
    KEY_BACKSPACE = 8, KEY_CTRL_K = 11, KEY_CTRL_L = 12, KEY_CTRL_N = 14,
    KEY_CTRL_Q = 17, KEY_CTRL_S = 19, KEY_CTRL_V = 22, KEY_CTRL_Y = 25, KEY_CTRL_Z = 26, KEY_DELETE = 127
};

constexpr int TEXT_PROP_WIDER = 8;         // the text buttons that step the box width
constexpr int TEXT_PROP_NARROWER = 9;
constexpr int COPY_UNIT_BELOW = 400;       // Digit_unit records that Ctrl+C copies
constexpr int COPY_TEXT_BELOW = 150;       // string_draw records that Ctrl+C copies
constexpr int COPY_GAP = 2;                // the copy goes this many slots further on
constexpr int COPY_SHIFT_X = 5;            // and this many px to the right
constexpr const char* SAY_NOTHING_SELECTED = "请先选中一个项";   // a key found nothing to act on
constexpr int COLOURS = 7;
constexpr uint8_t TEXT_MODE_SCROLLING = 1;
constexpr int THICKNESS_STEPS = 3;

// The current text item, or none for an index past the last item.
string_draw* current_text()
{
    return current_string >= 0 && current_string <= LAST_ITEM_INDEX ? &string_table[current_string] : nullptr;
}

// The current Digit_unit, or none for an index past the last item.
Digit_unit* current_digit()
{
    return current_unit >= 0 && current_unit <= LAST_ITEM_INDEX ? &digit_table[current_unit] : nullptr;
}

// The next colour code, 6 wrapping to 0 (a code outside 0..6 starts again at 0).
int next_colour(int c)
{
    return (c >= 0 && c < COLOURS - 1) ? c + 1 : 0;
}

// The slot two after a Digit_unit record when it lies in the same range and holds no item, else -1.
int free_unit_slot_after(int index)
{
    const int target = index + COPY_GAP;
    const int range = range_of_record(index);
    if (range < 0 || range_of_record(target) != range) return -1;
    return digit_table[target].visible ? -1 : target;
}

// The text slot two further on when it lies inside the text range and holds no item, else -1.
int free_text_slot_after(int index)
{
    const int target = index + COPY_GAP;
    if (index < TEXT_FIRST || target > TEXT_LAST) return -1;
    return string_table[target].visible ? -1 : target;
}

// The layout fields of a Digit_unit into a hidden slot, 5 px to the right.
void copy_unit(const Digit_unit& from, Digit_unit& to)
{
    to.x = snap_dot_x(from.x + COPY_SHIFT_X);   // on a whole dot, as the panel shows it
    to.y = from.y;
    to.width = from.width;
    to.height = from.height;
    to.kind = from.kind;
    to.font_px = from.font_px;
    to.size_preset = from.size_preset;
    to.size = from.size;
    to.thickness = from.thickness;
    to.digits = from.digits;
    to.decimals = from.decimals;
    to.color = from.color;
    to.data_type = from.data_type;
    to.cols = from.cols;
    to.rows = from.rows;
    to.sel_row = from.sel_row;
    to.visible = 0;
    to.group_selected = 0;
}

// The layout fields and the whole text of a text item into a hidden slot, 5 px to the right.
void copy_text(const string_draw& from, string_draw& to)
{
    to.x = snap_dot_x(from.x + COPY_SHIFT_X);   // on a whole dot, as the panel shows it
    to.y = from.y;
    to.box_width = from.box_width;
    to.box_height = from.box_height;
    to.line_chars = from.line_chars;
    to.max_line_chars = from.max_line_chars;
    to.line_count = from.line_count;
    to.font_size = from.font_size;
    to.font_step = from.font_step;
    to.mode = from.mode;
    to.direction = from.direction;
    to.color = from.color;
    to.speed = from.speed;
    to.text_ready = from.text_ready;
    to.aux = from.aux;
    to.aux2 = from.aux2;
    memset(to.text, 0, sizeof to.text);
    copy_field(to.text, TEXT_LEN, from.text);
    to.text_len = (int32_t)strlen(to.text);
    to.visible = 0;
    to.group_selected = 0;
}

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
        if ((d.visible || (copy_pending && i == copy_unit_slot)) && live_item_x(d.x)) rescale_digit(d, from, to);
        string_draw& s = string_table[i];
        if ((s.visible || (copy_pending && i == copy_text_slot)) && live_item_x(s.x)) rescale_text(s, from, to);
    }
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
    if (!current_text() && !current_digit()) status_show(STATUS_INFO, SAY_NOTHING_SELECTED);
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
    if (!undo_step()) status_show(STATUS_INFO, "没有可撤销的操作");
}

// Ctrl+Y and Ctrl+Shift+Z.
void redo_last()
{
    if (!redo_step()) status_show(STATUS_INFO, "没有可重做的操作");
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

// Ctrl+C: copy the current unit and the current text two slots further on,
// each only when that slot is free and in the same range.
void copy_current_items()
{
    copy_pending = 1;
    copy_unit_slot = -1;
    copy_text_slot = -1;
    if (current_unit >= 0 && current_unit < COPY_UNIT_BELOW) {
        const int target = free_unit_slot_after(current_unit);
        if (target >= 0) {
            copy_unit(digit_table[current_unit], digit_table[target]);
            copy_unit_slot = target;
        }
    }
    if (current_string >= 0 && current_string < COPY_TEXT_BELOW) {
        const int target = free_text_slot_after(current_string);
        if (target >= 0) {
            copy_text(string_table[current_string], string_table[target]);
            copy_text_slot = target;
        }
    }
    if (copy_unit_slot < 0 && copy_text_slot < 0) status_show(STATUS_INFO, "没有可复制的项");
}

// Ctrl+V: show the copies of the last Ctrl+C and make them the current items.
void paste_copied_items()
{
    if (!copy_pending) {
        status_show(STATUS_INFO, "没有可粘贴的内容");
        return;
    }
    copy_pending = 0;
    if (copy_text_slot >= 0 && !string_table[copy_text_slot].visible) {
        current_string = copy_text_slot;
        string_table[copy_text_slot].visible = 1;
    }
    if (copy_unit_slot >= 0 && !digit_table[copy_unit_slot].visible) {
        current_unit = copy_unit_slot;
        digit_table[copy_unit_slot].visible = 1;
    }
    copy_unit_slot = -1;
    copy_text_slot = -1;
    // A copy of a palette sample may have taken its cell's record.
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
        break;
    case KEY_CTRL_C:
        if (input_modifiers & MOD_SHIFT) copy_text_to_clipboard();
        else copy_current_items();
        break;
    case KEY_CTRL_F:
        set_cursor_shape(CURSOR_CROSSHAIR);
        band_active = 1;
        break;
    case KEY_CTRL_G:
        // One whole dot, as the "宽度+" button steps it.
        if (s) say_key_refusal(text_prop_action(*s, TEXT_PROP_WIDER));
        break;
    case KEY_BACKSPACE:
        if (s) erase_last_char(*s);
        break;
    case KEY_CTRL_K:
        if (s) s->color = next_colour(s->color);
        break;
    case KEY_CTRL_L: toggle_zoom(); break;
    case KEY_CTRL_N:
        if (s) say_key_refusal(text_prop_action(*s, TEXT_PROP_NARROWER));
        break;
    case KEY_CTRL_Q:
        set_zoom(led_pitch < LED_PITCH_MAX ? led_pitch + 1 : led_pitch);
        break;
    case KEY_CTRL_S:
        // Saves as "保存数据" does, and ends only when the save succeeded.
        save_and_end();
        break;
    case KEY_CTRL_V:
        // An item copy waits for its paste; otherwise the clipboard's text goes into the current text.
        if (copy_pending) {
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
    case KEY_DELETE: delete_selected(); break;
    default:
        if (s) type_key(*s, key);
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
    case SPECIAL_PAGE_UP:
        if (!d) status_show(STATUS_INFO, SAY_NOTHING_SELECTED);
        thickness_cycle = (thickness_cycle + 1) % THICKNESS_STEPS;
        if (thickness_cycle < 0) thickness_cycle = 0;
        if (d) d->thickness = thickness_cycle + 1;
        apply_group_move(0, 0, 0, 0);
        break;
    case SPECIAL_PAGE_DOWN:
        if (!d) status_show(STATUS_INFO, SAY_NOTHING_SELECTED);
        if (d) d->color = (uint8_t)next_colour(d->color);
        apply_group_move(0, 0, 0, 0);
        break;
    default: break;
    }
}
