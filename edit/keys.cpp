/*******************************************************************************
 * edit/keys.cpp - the keyboard and special-key callbacks
 *
 * Key bytes type into the current text or run the Ctrl commands: zoom, the
 * text's mode, colour and box width, the rubber band, copy and paste,
 * delete, undo and redo, and the save key. Special keys switch the
 * coordinate read-out, group and span modes, nudge the current item by one
 * dot, move the caret and cycle the current item's thickness and colour. F1
 * opens the list of keys; while it is up, any key only closes it.
 *
 * A zoom is a view change only: the document keeps its dots.
 *
 * Limits: the pitch stays in VIEW_PITCH_MIN..VIEW_PITCH_MAX; colours within
 * 0..6. The pointer position passed with a key is not used.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: write files itself (the save key saves through save_and_end).
 ******************************************************************************/
#include "edit/keys.h"
#include "edit/actions.h"
#include "edit/arrange.h"
#include "edit/key_help.h"
#include "edit/pointer.h"
#include "edit/simulate.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/window.h"

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
constexpr int THICKNESS_STEPS = 3;
constexpr int ZOOM_TOGGLE_ABOVE = 2;       // Ctrl+L: from any larger zoom to 1

void say(editor& e, msg_id id) { status_show(e.ui.status, STATUS_INFO, msg(id).c_str()); }
void say(editor& e, const outcome& o)
{
    if (!o) status_show(e.ui.status, STATUS_INFO, o.why.c_str());
}

// The next colour code, 6 wrapping to 0 (a code outside 0..6 starts again at 0).
int next_colour(int c) { return (c >= 0 && c < COLOURS - 1) ? c + 1 : 0; }

// The zoom keys keep the dot at the area's corner where it is.
void set_zoom(editor& e, int p) { zoom_at(e, p, e.v.area_x, e.v.area_y); }

// Move the current item by (dx, dy) dots; its parts keep up.
void nudge_current(editor& e, int dx, int dy)
{
    item* it = current_item(e);
    if (!it) {
        say(e, MSG_NOTHING_SELECTED);
        return;
    }
    const item before = *it;
    it->x = clamp32((int64_t)it->x + dx);
    it->y = clamp32((int64_t)it->y + dy);
    follow_current(e, before);
}

// F5: group mode; the current item joins the group.
void start_group_mode(editor& e)
{
    e.ui.multi_select = true;
    if (doc_item(e.doc, e.ui.current)) group_add(e, e.ui.current);
}

// F6: leave group mode and empty the group.
void end_group_mode(editor& e)
{
    e.ui.multi_select = false;
    group_clear(e);
}

// After undo or redo: no selection of an item that went away.
void drop_gone(editor& e)
{
    if (!doc_item(e.doc, e.ui.current)) e.ui.current = NO_ITEM;
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (e.ui.group[i] && !doc_item(e.doc, (item_id)i)) group_remove(e, (item_id)i);
}

} // namespace

void undo_last(editor& e)
{
    if (!undo_step(*e.ui.undo, e.doc)) say(e, MSG_NOTHING_TO_UNDO);
    drop_gone(e);
}

void redo_last(editor& e)
{
    if (!redo_step(*e.ui.undo, e.doc)) say(e, MSG_NOTHING_TO_REDO);
    drop_gone(e);
}

void copy_current_item(editor& e)
{
    e.ui.copy.has = false;
    e.ui.copy.pastes = 0;
    const item* it = current_item(e);
    if (!it) {
        say(e, MSG_NOTHING_TO_COPY);
        return;
    }
    e.ui.copy.it = *it;
    e.ui.copy.it.lead = NO_ITEM;   // a copied part of a date stands on its own
    e.ui.copy.has = true;
}

void forget_item_copy(editor& e) { e.ui.copy.has = false; }

void paste_copied_item(editor& e)
{
    item_copy& c = e.ui.copy;
    if (!c.has) {
        say(e, MSG_NOTHING_TO_PASTE);
        return;
    }
    item it = c.it;
    it.slot = NO_SLOT;
    const int64_t shift = (int64_t)COPY_SHIFT_X * (c.pastes + 1);
    it.x = clamp32(view_rest_x(e.v, view_x(e.v, c.it.x) + shift));
    item_id id = NO_ITEM;
    const outcome o = doc_create(e.doc, it, id);
    if (!o) {
        say(e, o);
        return;
    }
    c.pastes++;
    e.ui.current = id;
    if (it.kind == KIND_TEXT) typing_set_caret(e.ui.caret, e.doc.items.cells[id], id, TEXT_LEN);
}

void on_key(editor& e, unsigned char key)
{
    interaction& ui = e.ui;
    if (ui.prompt.shown) {
        prompt_key(e, key);
        return;
    }
    if (key_help_close(ui.key_help_shown)) return;   // the key only closes the F1 list
    item* s = current_text(e);
    // While the panel plays the view may still move, and Ctrl+S still saves and closes.
    if (ui.sim.on && key != KEY_CTRL_A && key != KEY_CTRL_L && key != KEY_CTRL_Q && key != KEY_CTRL_S &&
        key != KEY_BYTE_SPACE && key != KEY_BYTE_ZERO) {
        report(REPORT_STATUS, outcome_fail(MSG_SIM_EDIT_PAUSED));
        return;
    }
    if (key == KEY_BYTE_ZERO && (input_modifiers & MOD_CTRL)) {
        fit_panel(e);
        return;
    }
    // Space with no text being typed: the left button pans while it is held.
    if (key == KEY_BYTE_SPACE && !s) {
        ui.space_held = true;
        return;
    }
    switch (key) {
    case KEY_CTRL_A: set_zoom(e, e.v.pitch > PITCH_ZOOM_OUT_MIN ? e.v.pitch - 1 : e.v.pitch); break;
    case KEY_CTRL_B:
        if (s) text_start_scrolling(e.doc, *s);
        else say(e, MSG_SELECT_TEXT_FIRST);
        break;
    case KEY_CTRL_C:
        if (input_modifiers & MOD_SHIFT) {
            // The clipboard now holds text: the next Ctrl+V pastes it.
            if (!s) {
                say(e, MSG_SELECT_TEXT_FIRST);
                break;
            }
            forget_item_copy(e);
            copy_text_to_clipboard(e);
        } else {
            copy_current_item(e);
        }
        break;
    case KEY_CTRL_F:
        // The next press starts a rubber band wherever it falls.
        set_cursor_shape(CURSOR_CROSSHAIR);
        ui.band_next = true;
        break;
    case KEY_CTRL_G:
    case KEY_CTRL_N:
        // One whole dot, as the "宽度+" and "宽度-" buttons step it; a static
        // text's box follows its characters.
        if (!s) say(e, MSG_SELECT_TEXT_FIRST);
        else if ((s->mode & TEXT_SCROLLING) == 0) say(e, MSG_STATIC_TEXT_WIDTH);
        else say(e, text_prop_action(e.doc, *s, key == KEY_CTRL_G ? TEXT_PROP_WIDER : TEXT_PROP_NARROWER));
        break;
    case KEY_BACKSPACE:
        if (s) erase_before_caret(ui.caret, *s, ui.current);
        break;
    case KEY_CTRL_K:
        if (s) s->color = (uint8_t)next_colour(s->color);
        else say(e, MSG_SELECT_TEXT_FIRST);
        break;
    case KEY_CTRL_L: set_zoom(e, e.v.pitch + 1 > ZOOM_TOGGLE_ABOVE ? VIEW_PITCH_MIN : e.v.pitch + 1); break;
    case KEY_CTRL_Q: set_zoom(e, e.v.pitch + 1); break;
    case KEY_CTRL_S:
        // Saves as "保存数据" does, and ends only when the save succeeded.
        save_and_end(e);
        break;
    case KEY_CTRL_V:
        // An item copy is pasted until the next Ctrl+C; without one the
        // clipboard's text goes into the current text.
        if (ui.copy.has) {
            paste_copied_item(e);
        } else {
            // A paste is a step of its own, apart from the typing around it.
            undo_checkpoint(*ui.undo, e.doc);
            undo_end_typing_run(*ui.undo);
            paste_clipboard_text(e);
            undo_checkpoint(*ui.undo, e.doc);
            undo_end_typing_run(*ui.undo);
        }
        break;
    case KEY_CTRL_Y: redo_last(e); break;
    case KEY_CTRL_Z:
        if (input_modifiers & MOD_SHIFT) redo_last(e);
        else undo_last(e);
        break;
    case KEY_DELETE:
        // While a caret shows, Delete edits the text; otherwise it deletes the selection.
        if (s) erase_after_caret(ui.caret, *s, ui.current);
        else if (!delete_selected(e)) say(e, MSG_NOTHING_TO_DELETE);
        break;
    default:
        if (s) type_key(ui.caret, *s, ui.current, key);
        break;
    }
}

void on_key_up(editor& e, unsigned char key)
{
    if (key == KEY_BYTE_SPACE) e.ui.space_held = false;
}

void on_special_key(editor& e, int key)
{
    interaction& ui = e.ui;
    if (ui.prompt.shown) return;
    if (key_help_close(ui.key_help_shown)) return;
    if (key == SPECIAL_F1) {
        ui.key_help_shown = true;
        return;
    }
    if (key == SPECIAL_F7) {
        simulation_toggle(e);
        return;
    }
    // While the panel plays, only the read-out of the dot under the pointer changes.
    if (ui.sim.on && key != SPECIAL_F3 && key != SPECIAL_F4) {
        report(REPORT_STATUS, outcome_fail(MSG_SIM_EDIT_PAUSED));
        return;
    }
    item* it = current_item(e);
    item* unit = it && it->kind != KIND_TEXT ? it : nullptr;
    switch (key) {
    case SPECIAL_F3: ui.show_coords = false; break;
    case SPECIAL_F4: ui.show_coords = true; break;
    case SPECIAL_F5: start_group_mode(e); break;
    case SPECIAL_F6: end_group_mode(e); break;
    case SPECIAL_F8: ui.merge_mode = true; break;
    case SPECIAL_F9: ui.merge_mode = false; break;
    case SPECIAL_LEFT: nudge_current(e, -1, 0); break;
    case SPECIAL_UP: nudge_current(e, 0, -1); break;
    case SPECIAL_RIGHT: nudge_current(e, 1, 0); break;
    case SPECIAL_DOWN: nudge_current(e, 0, 1); break;
    case SPECIAL_HOME:
    case SPECIAL_END:
        if (item* s = current_text(e)) typing_set_caret(ui.caret, *s, ui.current, key == SPECIAL_HOME ? 0 : TEXT_LEN);
        break;
    case SPECIAL_PAGE_UP:
    case SPECIAL_PAGE_DOWN: {
        if (!unit) {
            say(e, MSG_NOTHING_SELECTED);
            break;
        }
        const item before = *unit;
        if (key == SPECIAL_PAGE_UP) {
            ui.thickness_cycle = (ui.thickness_cycle + 1) % THICKNESS_STEPS;
            unit->thickness = ui.thickness_cycle + 1;
        } else {
            unit->color = (uint8_t)next_colour(unit->color);
        }
        follow_current(e, before);
        break;
    }
    default: break;
    }
}
