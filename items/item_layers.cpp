/*******************************************************************************
 * items/item_layers.cpp - the items that did not change, kept as two layers
 ******************************************************************************/
#include "items/item_layers.h"
#include "items/calendar.h"
#include "items/digit_item.h"
#include "items/kinds.h"
#include "items/text_item.h"
#include "model/settings.h"
#include "model/tables.h"
#include "raster/gfx.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

bool retained_drawing = true;
unsigned item_layer_builds = 0;

namespace {

constexpr int ORDER_MAX = DIGIT_COUNT + STRING_COUNT;
constexpr int LAYER_FRAME = 0;  // the frame without the selected item
constexpr int LAYER_OVER = 1;   // the kept items drawn after the selected one
constexpr uint8_t MARK_BIT = 1;  // flipped in the blue of one corner pixel to check the back buffer

enum role_t : uint8_t { ROLE_UNDER, ROLE_OVER, ROLE_SELECTED };

struct box {
    float x0, y0, x1, y1;
};

// One visible item in drawing order.
struct slot {
    bool text;    // string_table, else digit_table
    bool clock;   // shows the computer's clock
    int16_t index;
    int32_t shown;  // the clock field's value in the layers
    role_t role;
    box at;       // window box it draws into (measured only when a clock is kept)
};

// Everything outside the tables that changes what the layers show.
struct layer_key {
    int pitch, panel_w, panel_h, view_w, view_h, sel_unit, sel_string;
    bool operator==(const layer_key& o) const { return memcmp(this, &o, sizeof o) == 0; }
};

slot order[ORDER_MAX];
int order_n = 0;
bool valid = false;
bool has_over = false;
bool has_clock = false;   // a kept item shows the clock: its box is repainted each second
local_time clock_shown;
layer_key kept_key;

// The window's back buffer between frames: after a swap some systems keep the
// picture in it, and then a frame need only mend what the last one drew live.
// Others hand back the frame before last, or nothing kept: they must be told
// apart, as a row that did not change reads the same in all of them. So one
// frame flips the lowest blue bit of a corner pixel, and the next one reads
// it back: only a buffer holding the last frame shows the flip.
enum keep_t { KEEP_UNKNOWN, KEEP_MARK, KEEP_PROBE, KEEP_YES, KEEP_NO };
keep_t back_keeps = KEEP_UNKNOWN;
int mark_x = -1, mark_y = -1;
uint8_t mark_rgb[3];
bool back_valid = false;          // the back buffer holds the frame layer plus `damage`
bool damaged = false;
float damage[4];                  // window box where the back buffer differs from the frame layer

// Byte copies of the records as they were after the layers were made.
uint8_t digit_copy[DIGIT_COUNT][sizeof(Digit_unit)];
uint8_t string_copy[STRING_COUNT][sizeof(string_draw)];
uint8_t graph_copy[GRAPH_COUNT][sizeof(graph_draw)];
uint8_t watch_copy[LAYER_WATCH_BYTES];

gfx_recorder bounds;  // measures the box an item draws

// A field of the computer's clock: its picture changes with the time.
bool shows_clock(const Digit_unit& d)
{
    return d.kind == KIND_VARIABLE && (is_clock_code(d.reg_addr) || d.reg_addr == CODE_WEEKDAY);
}

// What a clock field shows of `t`: one of its fields, or the weekday.
int32_t clock_value(const slot& s, const local_time& t)
{
    const int code = digit_table[s.index].reg_addr;
    return code == CODE_WEEKDAY ? t.weekday : (int32_t)clock_field(t, code);
}

// Draw an item as it looks unselected.
void draw_plain(const slot& s)
{
    if (s.text) draw_text_item(string_table[s.index]);
    else draw_digit_item(digit_table[s.index]);
}

// Draw the selected item with its decorations.
void draw_selected(const slot& s, int caret)
{
    if (s.text) draw_text_item_selected(string_table[s.index], true, caret);
    else draw_digit_item_selected(digit_table[s.index]);
}

// The window box an item draws into, one dot wider all round. A record's
// measured box is added: digits unlit now (the 0 of 01 after 12) light later.
box slot_box(const slot& s)
{
    bounds.reset();
    bounds.bounds_only = true;
    gfx_backend* was = gfx_current();
    bounds.texture_maker = was;
    gfx_use(&bounds);
    draw_plain(s);
    gfx_use(was);
    const float m = (float)led_pitch;
    box b = {bounds.box[0] - m, bounds.box[1] - m, bounds.box[2] + m, bounds.box[3] + m};
    if (!s.text) {
        const item_box r = measure_item(digit_table[s.index]);
        b.x0 = std::min(b.x0, (float)r.left - m);
        b.y0 = std::min(b.y0, (float)r.top - m);
        b.x1 = std::max(b.x1, (float)(r.left + r.width) + m);
        b.y1 = std::max(b.y1, (float)(r.top + r.height) + m);
    }
    return b;
}

bool meets(const box& a, const box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

// Widen the damage by a box.
void add_damage(const float* b)
{
    if (!damaged) {
        for (int i = 0; i < 4; i++) damage[i] = b[i];
        damaged = true;
        return;
    }
    if (b[0] < damage[0]) damage[0] = b[0];
    if (b[1] < damage[1]) damage[1] = b[1];
    if (b[2] > damage[2]) damage[2] = b[2];
    if (b[3] > damage[3]) damage[3] = b[3];
}

// Put a window box of a layer back, in whole pixels covering it.
void show_part(int layer, bool keyed, const float* b)
{
    const int x0 = (int)b[0] - 1, y0 = (int)b[1] - 1;
    gfx_layer_draw(layer, keyed, x0, y0, (int)b[2] + 2 - x0, (int)b[3] + 2 - y0);
}

// List the visible items in the direct drawing order (tables, other records,
// texts) and give each its layer: under the selected item or over it.
void assign_roles(const item_frame& f)
{
    order_n = 0;
    has_over = false;
    has_clock = false;
    bool after_selected = false;
    auto place = [&](bool text, int i, bool selected, bool clock) {
        slot& s = order[order_n++];
        s.text = text;
        s.index = (int16_t)i;
        s.clock = clock && !selected;
        has_clock = has_clock || s.clock;
        if (selected) {
            s.role = ROLE_SELECTED;
            after_selected = true;
        } else {
            s.role = after_selected ? ROLE_OVER : ROLE_UNDER;
            has_over = has_over || after_selected;
        }
    };
    for_each_unit_in_drawing_order([&](int i) { place(false, i, i == f.sel_unit, shows_clock(digit_table[i])); });
    for (int i = 0; i < STRING_COUNT; i++)
        if (string_table[i].visible) place(true, i, i == f.sel_string, false);
    // The boxes tell which items a clock's repaint must draw again.
    if (has_clock)
        for (int k = 0; k < order_n; k++)
            if (order[k].role != ROLE_SELECTED) order[k].at = slot_box(order[k]);
}

layer_key key_now(const item_frame& f, int vw, int vh)
{
    layer_key k;
    memset(&k, 0, sizeof k);
    k.pitch = led_pitch;
    k.panel_w = panel_width();
    k.panel_h = panel_height();
    k.view_w = vw;
    k.view_h = vh;
    k.sel_unit = f.sel_unit;
    k.sel_string = f.sel_string;
    return k;
}

size_t watch_bytes(const item_frame& f)
{
    size_t n = 0;
    for (int i = 0; i < f.watch_count; i++) n += f.watch[i].bytes;
    return n;
}

// True when no record or watched region differs from the copies.
bool nothing_changed(const item_frame& f)
{
    for (int i = 0; i < DIGIT_COUNT; i++)
        if (i != f.sel_unit && memcmp(&digit_table[i], digit_copy[i], sizeof(Digit_unit)) != 0) return false;
    for (int i = 0; i < STRING_COUNT; i++)
        if (i != f.sel_string && memcmp(&string_table[i], string_copy[i], sizeof(string_draw)) != 0) return false;
    for (int i = 0; i < GRAPH_COUNT; i++)
        if (memcmp(&graph_table[i], graph_copy[i], sizeof(graph_draw)) != 0) return false;
    size_t at = 0;
    for (int i = 0; i < f.watch_count; i++) {
        if (memcmp(f.watch[i].at, watch_copy + at, f.watch[i].bytes) != 0) return false;
        at += f.watch[i].bytes;
    }
    return true;
}

void keep_copies(const item_frame& f)
{
    for (int i = 0; i < DIGIT_COUNT; i++) memcpy(digit_copy[i], (const void*)&digit_table[i], sizeof(Digit_unit));
    for (int i = 0; i < STRING_COUNT; i++) memcpy(string_copy[i], (const void*)&string_table[i], sizeof(string_draw));
    for (int i = 0; i < GRAPH_COUNT; i++) memcpy(graph_copy[i], (const void*)&graph_table[i], sizeof(graph_draw));
    size_t at = 0;
    for (int i = 0; i < f.watch_count; i++) {
        memcpy(watch_copy + at, f.watch[i].at, f.watch[i].bytes);
        at += f.watch[i].bytes;
    }
}

// Draw the items of one layer in order; with `only`, just those meeting it.
void draw_layer_items(role_t role, const box* only)
{
    for (int k = 0; k < order_n; k++)
        if (order[k].role == role && (!only || meets(order[k].at, *only))) draw_plain(order[k]);
}

// Make both layers again: the items after the selected one alone, and the
// whole frame without the selected item. False when a layer cannot be used.
bool build(const item_frame& f, int vw, int vh)
{
    assign_roles(f);
    if (has_clock) {
        clock_shown = read_clock();
        for (int k = 0; k < order_n; k++)
            if (order[k].clock) order[k].shown = clock_value(order[k], clock_shown);
    }
    if (has_over) {
        if (!gfx_layer_open(LAYER_OVER, vw, vh, GFX_LAYER_TRANSPARENT)) return false;
        draw_layer_items(ROLE_OVER, nullptr);
        gfx_layer_close();
    }
    if (!gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_OPAQUE)) return false;
    f.under();
    draw_layer_items(ROLE_UNDER, nullptr);
    if (has_over) gfx_layer_draw(LAYER_OVER, true, 0, 0, vw, vh);
    gfx_layer_close();
    item_layer_builds++;
    back_valid = false;
    return true;
}

// The clock moved on: paint the box of every clock field that now shows
// another value again, inside the box exactly as the whole layers would be
// painted (what lies under the items, then every item reaching into the box,
// in order).
bool repaint_clocks(const item_frame& f, int vw, int vh)
{
    clock_shown = read_clock();
    for (int k = 0; k < order_n; k++) {
        if (!order[k].clock) continue;
        const int32_t now = clock_value(order[k], clock_shown);
        if (now == order[k].shown) continue;
        order[k].shown = now;
        const box b = order[k].at;
        const int x0 = (int)b.x0 - 1, y0 = (int)b.y0 - 1;
        const int w = (int)b.x1 + 2 - x0, h = (int)b.y1 + 2 - y0;
        gfx_clip(true, x0, y0, w, h);
        bool ok = true;
        if (has_over && (ok = gfx_layer_open(LAYER_OVER, vw, vh, GFX_LAYER_TRANSPARENT) != 0)) {
            draw_layer_items(ROLE_OVER, &b);
            gfx_layer_close();
        }
        if (ok && (ok = gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_OPAQUE) != 0)) {
            f.under();
            draw_layer_items(ROLE_UNDER, &b);
            if (has_over) gfx_layer_draw(LAYER_OVER, true, x0, y0, w, h);
            gfx_layer_close();
        }
        gfx_clip(false);
        if (!ok) return false;
        const float d[4] = {b.x0, b.y0, b.x1, b.y1};
        add_damage(d);
    }
    return true;
}

// Flip one bit of the view's bottom-right pixel in the frame just drawn,
// for the next frame to look for.
void put_mark(int vw, int vh)
{
    mark_x = vw - 1;
    mark_y = vh - 1;
    if (!gfx_read_pixels(LAYER_FRAME, mark_x, mark_y, 1, 1, mark_rgb)) {
        back_keeps = KEEP_NO;
        return;
    }
    mark_rgb[2] ^= MARK_BIT;
    gfx_texturing(false);
    gfx_clip(true, mark_x, mark_y, 1, 1);
    gfx_color(mark_rgb[0] / 255.0f, mark_rgb[1] / 255.0f, mark_rgb[2] / 255.0f);
    gfx_begin(GFX_QUADS);
    gfx_vertex((float)mark_x - 1, (float)mark_y - 1);
    gfx_vertex((float)mark_x + 2, (float)mark_y - 1);
    gfx_vertex((float)mark_x + 2, (float)mark_y + 2);
    gfx_vertex((float)mark_x - 1, (float)mark_y + 2);
    gfx_end();
    gfx_clip(false);
    const float b[4] = {(float)mark_x, (float)mark_y, (float)mark_x + 1, (float)mark_y + 1};
    add_damage(b);
    back_keeps = KEEP_PROBE;
}

// Before drawing: does the back buffer hold the last frame, mark and all?
void probe_back_buffer(int vw, int vh)
{
    uint8_t now[3];
    back_keeps = KEEP_NO;
    if (mark_x != vw - 1 || mark_y != vh - 1) back_keeps = KEEP_MARK;  // the view changed: mark again
    else if (gfx_read_pixels(-1, mark_x, mark_y, 1, 1, now) && memcmp(now, mark_rgb, 3) == 0) back_keeps = KEEP_YES;
}

} // namespace

bool draw_items_layered(const item_frame& f)
{
    if (!retained_drawing || !f.under || f.watch_count > LAYER_WATCH_MAX || watch_bytes(f) > LAYER_WATCH_BYTES)
        return false;
    int vw = 0, vh = 0;
    gfx_view_size(vw, vh);
    if (vw <= 0 || vh <= 0) return false;
    const bool unit = f.sel_unit >= 0 && f.sel_unit < DIGIT_COUNT && digit_table[f.sel_unit].visible;
    const bool text = f.sel_string >= 0 && f.sel_string < STRING_COUNT && string_table[f.sel_string].visible;
    if (unit && text) return false;  // two selected items: the group path draws them

    const layer_key k = key_now(f, vw, vh);
    const bool rebuild = !valid || !(k == kept_key) || !nothing_changed(f);
    valid = false;
    if (rebuild && !build(f, vw, vh)) {
        gfx_layer_close();
        return false;
    }
    if (!rebuild && has_clock && !same_local_time(clock_shown, read_clock()) && !repaint_clocks(f, vw, vh)) {
        gfx_layer_close();
        return false;
    }
    if (rebuild) {
        kept_key = k;
        keep_copies(f);
    }
    valid = true;

    if (back_keeps == KEEP_PROBE) {
        if (back_valid) probe_back_buffer(vw, vh);
        else back_keeps = KEEP_MARK;  // a frame drawn directly came between
    }
    if (back_valid && back_keeps == KEEP_YES) {
        if (damaged) show_part(LAYER_FRAME, false, damage);
    } else {
        gfx_layer_draw(LAYER_FRAME, false, 0, 0, vw, vh);
        if (back_keeps == KEEP_UNKNOWN) back_keeps = KEEP_MARK;
    }
    // What is drawn from here on is mended from the frame layer next time.
    damaged = false;
    gfx_track(true);
    for (int i = 0; i < order_n; i++)
        if (order[i].role == ROLE_SELECTED) {
            draw_selected(order[i], f.caret);
            float b[4];
            if (has_over && gfx_tracked(b)) show_part(LAYER_OVER, true, b);
        }
    return true;
}

bool item_layers_frame_done(bool layered)
{
    float b[4];
    if (layered && gfx_tracked(b)) add_damage(b);
    gfx_track(false);
    back_valid = layered;
    if (!layered) damaged = false;
    if (!layered || back_keeps != KEEP_MARK) return false;
    int vw = 0, vh = 0;
    gfx_view_size(vw, vh);
    put_mark(vw, vh);
    return back_keeps == KEEP_PROBE;
}

bool item_layers_back_kept() { return back_keeps == KEEP_YES; }

void item_layers_reset()
{
    valid = false;
    back_valid = false;
}

bool clock_item_on_screen()
{
    for (int i = 0; i < DIGIT_COUNT; i++)
        if (digit_table[i].visible && shows_clock(digit_table[i])) return true;
    return false;
}
