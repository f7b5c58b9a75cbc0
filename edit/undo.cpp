/*******************************************************************************
 * edit/undo.cpp - undo and redo of layout changes
 *
 * Each record's layout is taken out into a plain struct (what a restore puts
 * back: position, size, kind, properties, text, table geometry); the
 * interaction fields of the records (hover, pressed, buttons, group flag,
 * selected cells) and the valve picture's bytes stay out of it. The copy of
 * the last checkpoint is one struct per record. A step lists the records it
 * changed, each with its layout before and after, in two record rings, plus
 * the pictures' placement before and after.
 *
 * Which differences make a step: anything of a live record's layout, except
 * what the renderers work out again each frame (a static text's box and line
 * counts, the size of a variable item or table). A record hidden before and
 * after (a copy waiting for its paste) makes none, nor does a palette entry
 * that a press showed; with a real change it goes into the same step.
 ******************************************************************************/
#include "edit/undo.h"
#include "edit/keys.h"
#include "edit/state.h"
#include "items/kinds.h"
#include "model/palette.h"
#include "model/settings.h"
#include "model/tables.h"
#include "output/layout_save.h"
#include "raster/canvas.h"
#include <cstring>

namespace {

struct unit_layout {
    uint8_t visible, decimals, color, kind, merge_count, cols, rows;
    int32_t x, y, anchor_x, anchor_y, width, height;
    int32_t font_px, data_type, size_preset, size, thickness, digits, reg_addr, valve;
    int32_t col_width[TABLE_MAX], row_height[TABLE_MAX];
    merge_record merges[TABLE_MAX];
};

struct text_layout {
    uint8_t visible, font_size, font_step, reg_addr, text_ready, mode, direction;
    int32_t owner, x, y, anchor_x, anchor_y, box_width, box_height, speed, aux, aux2, color;
    float frame_rgb[3];
    int32_t text_len, line_chars, max_line_chars, line_count;
    char text[TEXT_LEN];
};

struct picture_layout {
    int32_t left, top, pic_width, pic_height, has_picture, shown;
};

struct pictures_layout {
    int32_t count;
    picture_layout graph[GRAPH_COUNT];
};

struct unit_change {
    int32_t index;
    unit_layout before, after;
};

struct text_change {
    int32_t index;
    text_layout before, after;
};

struct step {
    int32_t pitch;                 // led_pitch when the step was taken
    uint32_t unit_first, unit_count;
    uint32_t text_first, text_count;
    bool typing;                   // one text's characters alone changed
    pictures_layout pictures_before, pictures_after;
};

// The copy of the last checkpoint.
unit_layout base_units[DIGIT_COUNT];
text_layout base_texts[STRING_COUNT];
pictures_layout base_pictures;
int32_t base_pitch = 0;

// The rings. Steps [head - undo_count, head) can be undone, [head, head + redo_count) redone;
// records are taken from the record rings in step order.
unit_change unit_ring[UNDO_UNIT_RECORDS];
text_change text_ring[UNDO_TEXT_RECORDS];
step steps[UNDO_STEPS];
uint32_t head = 0;
int undo_count = 0, redo_count = 0;
uint32_t unit_start = 0, unit_end = 0;   // records in use, as running counters
uint32_t text_start = 0, text_end = 0;
bool typing_run_open = false;
uint32_t changes_seen = 0;

// ---- records to layouts and back -------------------------------------------

// The fields a step keeps, copied either way between a record and its
// layout copy (the two share the field names).
template <class From, class To>
void copy_unit_fields(const From& f, To& t)
{
    t.visible = f.visible; t.decimals = f.decimals; t.color = f.color; t.kind = f.kind;
    t.merge_count = f.merge_count; t.cols = f.cols; t.rows = f.rows;
    t.x = f.x; t.y = f.y; t.anchor_x = f.anchor_x; t.anchor_y = f.anchor_y;
    t.width = f.width; t.height = f.height; t.font_px = f.font_px; t.data_type = f.data_type;
    t.size_preset = f.size_preset; t.size = f.size; t.thickness = f.thickness; t.digits = f.digits;
    t.reg_addr = f.reg_addr; t.valve = f.valve;
    static_assert(sizeof t.col_width == sizeof f.col_width && sizeof t.row_height == sizeof f.row_height &&
                      sizeof t.merges == sizeof f.merges, "a layout copy holds the whole table");
    memcpy(t.col_width, f.col_width, sizeof t.col_width);
    memcpy(t.row_height, f.row_height, sizeof t.row_height);
    memcpy(t.merges, f.merges, sizeof t.merges);
}

template <class From, class To>
void copy_text_fields(const From& f, To& t)
{
    t.visible = f.visible; t.font_size = f.font_size; t.font_step = f.font_step; t.reg_addr = f.reg_addr;
    t.text_ready = f.text_ready; t.mode = f.mode; t.direction = f.direction;
    t.owner = f.owner; t.x = f.x; t.y = f.y; t.anchor_x = f.anchor_x; t.anchor_y = f.anchor_y;
    t.box_width = f.box_width; t.box_height = f.box_height; t.speed = f.speed; t.aux = f.aux;
    t.aux2 = f.aux2; t.color = f.color;
    static_assert(sizeof t.frame_rgb == sizeof f.frame_rgb && sizeof t.text == sizeof f.text,
                  "a layout copy holds the whole text");
    memcpy(t.frame_rgb, f.frame_rgb, sizeof t.frame_rgb);
    t.text_len = f.text_len; t.line_chars = f.line_chars; t.max_line_chars = f.max_line_chars;
    t.line_count = f.line_count;
    memcpy(t.text, f.text, sizeof t.text);
}

void take_unit(const Digit_unit& d, unit_layout& o)
{
    memset(&o, 0, sizeof o);
    copy_unit_fields(d, o);
}

void put_unit(const unit_layout& o, Digit_unit& d) { copy_unit_fields(o, d); }

void take_text(const string_draw& s, text_layout& o)
{
    memset(&o, 0, sizeof o);
    copy_text_fields(s, o);
}

void put_text(const text_layout& o, string_draw& s) { copy_text_fields(o, s); }

void take_pictures(pictures_layout& o)
{
    memset(&o, 0, sizeof o);
    o.count = graph_count;
    for (int i = 0; i < GRAPH_COUNT; i++) {
        const graph_draw& g = graph_table[i];
        o.graph[i] = picture_layout{g.left, g.top, g.pic_width, g.pic_height, g.has_picture, g.shown};
    }
}

void put_pictures(const pictures_layout& o)
{
    graph_count = o.count;
    for (int i = 0; i < GRAPH_COUNT; i++) {
        graph_draw& g = graph_table[i];
        const picture_layout& p = o.graph[i];
        g.left = p.left; g.top = p.top; g.pic_width = p.pic_width; g.pic_height = p.pic_height;
        g.has_picture = p.has_picture; g.shown = p.shown;
    }
}

// ---- what counts as a change -------------------------------------------------

// Sizes the kind's measure sets from the other fields before each frame.
bool size_is_derived(uint8_t kind)
{
    return kind_of(kind).measure != nullptr;
}

bool unit_changed(const unit_layout& a, const unit_layout& b)
{
    if (!a.visible && !b.visible) return false;
    if (a.visible != b.visible || a.decimals != b.decimals || a.color != b.color || a.kind != b.kind ||
        a.merge_count != b.merge_count || a.cols != b.cols || a.rows != b.rows || a.x != b.x || a.y != b.y ||
        a.font_px != b.font_px || a.data_type != b.data_type || a.size_preset != b.size_preset ||
        a.size != b.size || a.thickness != b.thickness || a.digits != b.digits || a.reg_addr != b.reg_addr ||
        a.valve != b.valve)
        return true;
    if (!size_is_derived(a.kind) && (a.width != b.width || a.height != b.height)) return true;
    return memcmp(a.col_width, b.col_width, sizeof a.col_width) != 0 ||
           memcmp(a.row_height, b.row_height, sizeof a.row_height) != 0 ||
           memcmp(a.merges, b.merges, sizeof a.merges) != 0;
}

// Everything but the characters (and the counts measured from them).
bool text_changed_apart_from_characters(const text_layout& a, const text_layout& b)
{
    if (a.visible != b.visible || a.font_size != b.font_size || a.font_step != b.font_step ||
        a.reg_addr != b.reg_addr || a.text_ready != b.text_ready || a.mode != b.mode ||
        a.direction != b.direction || a.owner != b.owner || a.x != b.x || a.y != b.y || a.speed != b.speed ||
        a.aux != b.aux || a.aux2 != b.aux2 || a.color != b.color)
        return true;
    // A scrolling text's box is its own; a static text's box follows its characters.
    return (a.mode & 1) && (a.box_width != b.box_width || a.box_height != b.box_height);
}

bool characters_changed(const text_layout& a, const text_layout& b)
{
    return strncmp(a.text, b.text, TEXT_LEN) != 0;
}

bool text_changed(const text_layout& a, const text_layout& b)
{
    if (!a.visible && !b.visible) return false;
    return text_changed_apart_from_characters(a, b) || characters_changed(a, b);
}

// Left of this the tool palette stands: a record there is a palette entry.
constexpr int32_t PALETTE_RIGHT = 225;

// A palette entry shown or hidden by a press (each press on an item shows the
// next record of its kind in the palette) is not a change of the layout.
bool palette_only(int32_t x0, int32_t x1)
{
    return x0 < PALETTE_RIGHT && x1 < PALETTE_RIGHT;
}

bool pictures_changed(const pictures_layout& a, const pictures_layout& b)
{
    return memcmp(&a, &b, sizeof a) != 0;
}

// ---- the rings ------------------------------------------------------------------

step& step_at(uint32_t k) { return steps[k % UNDO_STEPS]; }

// Take the whole tables as the copy of this checkpoint.
void take_base()
{
    for (int i = 0; i < DIGIT_COUNT; i++) take_unit(digit_table[i], base_units[i]);
    for (int i = 0; i < STRING_COUNT; i++) take_text(string_table[i], base_texts[i]);
    take_pictures(base_pictures);
    base_pitch = led_pitch;
}

// Drop the steps that could be redone; their records are the newest.
void drop_redo()
{
    redo_count = 0;
    if (undo_count == 0) {
        unit_start = unit_end = text_start = text_end = 0;
        return;
    }
    const step& top = step_at(head - 1);
    unit_end = top.unit_first + top.unit_count;
    text_end = top.text_first + top.text_count;
}

void drop_oldest()
{
    const step& old = step_at(head - undo_count);
    unit_start = old.unit_first + old.unit_count;
    text_start = old.text_first + old.text_count;
    undo_count--;
}

// Make room for a step of `units` and `texts` records; false when it can never fit.
bool make_room(uint32_t units, uint32_t texts)
{
    if (units > (uint32_t)UNDO_UNIT_RECORDS || texts > (uint32_t)UNDO_TEXT_RECORDS) return false;
    while (undo_count > 0 && (undo_count >= UNDO_STEPS || unit_end - unit_start + units > (uint32_t)UNDO_UNIT_RECORDS ||
                              text_end - text_start + texts > (uint32_t)UNDO_TEXT_RECORDS))
        drop_oldest();
    return true;
}

// Put one side of a step back into the tables, moved to the zoom of the moment
// as a zoom moves the live items.
void apply(const step& st, bool after)
{
    const int now = led_pitch;
    for (uint32_t k = 0; k < st.unit_count; k++) {
        const unit_change& c = unit_ring[(st.unit_first + k) % UNDO_UNIT_RECORDS];
        Digit_unit& d = digit_table[c.index];
        put_unit(after ? c.after : c.before, d);
        if (st.pitch != now && d.visible && live_item_x(d.x)) rescale_digit(d, st.pitch, now);
    }
    for (uint32_t k = 0; k < st.text_count; k++) {
        const text_change& c = text_ring[(st.text_first + k) % UNDO_TEXT_RECORDS];
        string_draw& s = string_table[c.index];
        put_text(after ? c.after : c.before, s);
        if (st.pitch != now && s.visible && live_item_x(s.x)) rescale_text(s, st.pitch, now);
    }
    put_pictures(after ? st.pictures_after : st.pictures_before);
    if (st.pitch != now)
        for (graph_draw& g : graph_table)
            if (g.shown) rescale_picture(g, st.pitch, now);
    // A current item that the step took away is current no more.
    if (current_unit >= 0 && current_unit <= LAST_ITEM_INDEX && !digit_table[current_unit].visible)
        current_unit = NO_ITEM;
    if (current_string >= 0 && current_string <= LAST_ITEM_INDEX && !string_table[current_string].visible)
        current_string = NO_ITEM;
    typing_run_open = false;
    // A sample record the step put on the panel leaves its palette cell to the next free one.
    refill_palette();
    take_base();
}

// True while the pointer is in the middle of an action.
bool action_under_way()
{
    if (left_down || unit_drag || string_drag) return true;
    for (int r = 0; r < ROW_COUNT; r++)
        if (row_down[r]) return true;
    return false;
}

} // namespace

void undo_reset()
{
    head = 0;
    undo_count = redo_count = 0;
    unit_start = unit_end = text_start = text_end = 0;
    typing_run_open = false;
    take_base();
}

void undo_end_typing_run()
{
    typing_run_open = false;
}

void undo_checkpoint()
{
    if (action_under_way()) return;
    if (led_pitch != base_pitch) {
        // A zoom is no step: the new zoom's positions become the copy.
        take_base();
        return;
    }
    // Count what changed first, so the step is made in one piece.
    uint32_t units = 0, texts = 0;
    bool layout_changed = false;
    int32_t last_text = -1;
    bool characters_only = true;
    static unit_layout now_units[DIGIT_COUNT];
    static text_layout now_texts[STRING_COUNT];
    for (int i = 0; i < DIGIT_COUNT; i++) {
        take_unit(digit_table[i], now_units[i]);
        if (!unit_changed(base_units[i], now_units[i])) continue;
        units++;
        if (!palette_only(base_units[i].x, now_units[i].x)) layout_changed = true;
    }
    for (int i = 0; i < STRING_COUNT; i++) {
        take_text(string_table[i], now_texts[i]);
        if (!text_changed(base_texts[i], now_texts[i])) continue;
        texts++;
        last_text = i;
        if (!palette_only(base_texts[i].x, now_texts[i].x)) layout_changed = true;
        if (text_changed_apart_from_characters(base_texts[i], now_texts[i])) characters_only = false;
    }
    pictures_layout pictures;
    take_pictures(pictures);
    const bool pictures_moved = pictures_changed(base_pictures, pictures);
    if (!layout_changed && !pictures_moved) {
        // Fields no step looks at (hidden copies, measured sizes) still follow the tables.
        memcpy(base_units, now_units, sizeof base_units);
        memcpy(base_texts, now_texts, sizeof base_texts);
        return;
    }
    const bool typing = units == 0 && texts == 1 && !pictures_moved && characters_only;

    // More typing into the text of the open run: the run's step takes the new characters.
    if (typing && typing_run_open && undo_count > 0 && redo_count == 0) {
        step& top = step_at(head - 1);
        if (top.typing && top.text_count == 1) {
            text_change& c = text_ring[top.text_first % UNDO_TEXT_RECORDS];
            if (c.index == last_text) {
                c.after = now_texts[last_text];
                changes_seen++;
                memcpy(base_units, now_units, sizeof base_units);
                memcpy(base_texts, now_texts, sizeof base_texts);
                return;
            }
        }
    }

    drop_redo();
    if (!make_room(units, texts)) {
        // Larger than the whole history can hold: it cannot be undone, nor anything before it.
        undo_reset();
        return;
    }
    step& st = step_at(head);
    st.pitch = led_pitch;
    st.unit_first = unit_end;
    st.unit_count = units;
    st.text_first = text_end;
    st.text_count = texts;
    st.typing = typing;
    st.pictures_before = base_pictures;
    st.pictures_after = pictures;
    for (int i = 0; i < DIGIT_COUNT; i++) {
        if (!unit_changed(base_units[i], now_units[i])) continue;
        unit_change& c = unit_ring[unit_end++ % UNDO_UNIT_RECORDS];
        c.index = i;
        c.before = base_units[i];
        c.after = now_units[i];
    }
    for (int i = 0; i < STRING_COUNT; i++) {
        if (!text_changed(base_texts[i], now_texts[i])) continue;
        text_change& c = text_ring[text_end++ % UNDO_TEXT_RECORDS];
        c.index = i;
        c.before = base_texts[i];
        c.after = now_texts[i];
    }
    head++;
    undo_count++;
    changes_seen++;
    typing_run_open = typing;
    memcpy(base_units, now_units, sizeof base_units);
    memcpy(base_texts, now_texts, sizeof base_texts);
    base_pictures = pictures;
}

bool undo_step()
{
    undo_checkpoint();
    if (undo_count == 0) return false;
    head--;
    undo_count--;
    redo_count++;
    apply(step_at(head), false);
    changes_seen++;
    return true;
}

bool redo_step()
{
    undo_checkpoint();
    if (redo_count == 0) return false;
    apply(step_at(head), true);
    changes_seen++;
    head++;
    undo_count++;
    redo_count--;
    return true;
}

uint32_t undo_changes() { return changes_seen; }

int undo_depth() { return undo_count; }
int redo_depth() { return redo_count; }
