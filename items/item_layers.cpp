/*******************************************************************************
 * items/item_layers.cpp - the items that did not change, kept as two layers
 *
 * Sections: boxes and damage | roles and copies | making and mending |
 * the back buffer | the frame
 ******************************************************************************/
#include "items/item_layers.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr int LAYER_FRAME = 0;  // the frame without the selected item
constexpr int LAYER_OVER = 1;   // the kept items drawn after the selected one
constexpr uint8_t MARK_BIT = 1;  // flipped in the blue of one corner pixel to check the back buffer
enum key_field { KEY_PITCH, KEY_PANEL_W, KEY_PANEL_H, KEY_VIEW_W, KEY_VIEW_H, KEY_SELECTED, KEY_EXTRAS, KEY_FIELDS };

typedef item_layers::box box;
typedef item_layers::entry entry;

// ---- boxes and damage ------------------------------------------------------------------

// The window box an item draws into, one dot wider all round. Its measured
// box is added: digits unlit now (the 0 of 01 after 12) light later.
box entry_box(item_layers& L, const item_frame& f, const entry& e)
{
    L.bounds.reset();
    L.bounds.bounds_only = true;
    gfx_backend* was = gfx_current();
    L.bounds.texture_maker = was;
    gfx_use(&L.bounds);
    f.draw(f.caller, *e.it, e.id, e.x, e.y, false);
    gfx_use(was);
    const int p = view_pitch(*f.v);
    const float m = (float)p;
    box b = {L.bounds.box[0] - m, L.bounds.box[1] - m, L.bounds.box[2] + m, L.bounds.box[3] + m};
    const dot_box r = measure_item(*f.doc, *e.it);
    const float x0 = (float)clamp32(e.x + (r.x - e.it->x) * p), y0 = (float)clamp32(e.y + (r.y - e.it->y) * p);
    b.x0 = std::min(b.x0, x0 - m);
    b.y0 = std::min(b.y0, y0 - m);
    b.x1 = std::max(b.x1, x0 + (float)view_len(*f.v, r.w) + m);
    b.y1 = std::max(b.y1, y0 + (float)view_len(*f.v, r.h) + m);
    return b;
}

bool meets(const box& a, const box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

// Widen the damage by a box.
void add_damage(item_layers& L, const float* b)
{
    if (!L.damaged) {
        for (int i = 0; i < 4; i++) L.damage[i] = b[i];
        L.damaged = true;
        return;
    }
    L.damage[0] = std::min(L.damage[0], b[0]);
    L.damage[1] = std::min(L.damage[1], b[1]);
    L.damage[2] = std::max(L.damage[2], b[2]);
    L.damage[3] = std::max(L.damage[3], b[3]);
}

// Put a window box of a layer back, in whole pixels covering it.
void show_part(int layer, bool keyed, const float* b)
{
    const int x0 = (int)b[0] - 1, y0 = (int)b[1] - 1;
    gfx_layer_draw(layer, keyed, x0, y0, (int)b[2] + 2 - x0, (int)b[3] + 2 - y0);
}

// ---- roles and copies --------------------------------------------------------------------

// List the items in the drawing order and give each its layer: under the
// selected item or over it.
void assign_roles(item_layers& L, const item_frame& f)
{
    L.order.clear();
    L.has_over = false;
    L.has_clock = false;
    bool after_selected = false;
    for (int k = 0; k < f.extra_count; k++) {
        const layer_extra& x = f.extras[k];
        entry e{x.it, NO_ITEM, x.x, x.y, shows_clock(*x.it), 0, item_layers::ROLE_UNDER, {0, 0, 0, 0}};
        L.has_clock = L.has_clock || e.clock;
        L.order.push_back(e);
    }
    doc_walk_drawing_order(*f.doc, [&](item_id id, const item& it) {
        entry e{&it, id, view_x(*f.v, it.x), view_y(*f.v, it.y), false, 0, item_layers::ROLE_UNDER, {0, 0, 0, 0}};
        const bool selected = id == f.selected;
        e.clock = shows_clock(it) && !selected;
        L.has_clock = L.has_clock || e.clock;
        if (selected) {
            e.role = item_layers::ROLE_SELECTED;
            after_selected = true;
        } else {
            e.role = after_selected ? item_layers::ROLE_OVER : item_layers::ROLE_UNDER;
            L.has_over = L.has_over || after_selected;
        }
        L.order.push_back(e);
    });
    // The boxes tell which items a clock's repaint must draw again.
    if (L.has_clock)
        for (entry& e : L.order)
            if (e.role != item_layers::ROLE_SELECTED) e.at = entry_box(L, f, e);
}

void key_now(const item_frame& f, int vw, int vh, int* k)
{
    k[KEY_PITCH] = view_pitch(*f.v);
    k[KEY_PANEL_W] = f.doc->settings.panel_w;
    k[KEY_PANEL_H] = f.doc->settings.panel_h;
    k[KEY_VIEW_W] = vw;
    k[KEY_VIEW_H] = vh;
    k[KEY_SELECTED] = f.selected;
    k[KEY_EXTRAS] = f.extra_count;
}

size_t watch_bytes(const item_frame& f)
{
    size_t n = 0;
    for (int i = 0; i < f.watch_count; i++) n += f.watch[i].bytes;
    return n;
}

// True when no item, picture or watched region differs from the copies.
bool nothing_changed(const item_layers& L, const item_frame& f)
{
    const item_pool& now = f.doc->items;
    const item_pool& was = *L.items_copy;
    if (memcmp(now.used, was.used, sizeof now.used) != 0) return false;
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (now.used[i] && i != f.selected && memcmp(&now.cells[i], &was.cells[i], sizeof(item)) != 0) return false;
    if (f.doc->picture_count != L.picture_count_copy ||
        memcmp(f.doc->pictures, L.pictures_copy, sizeof L.pictures_copy) != 0)
        return false;
    size_t at = 0;
    for (int i = 0; i < f.watch_count; i++) {
        if (memcmp(f.watch[i].at, L.watch_copy.data() + at, f.watch[i].bytes) != 0) return false;
        at += f.watch[i].bytes;
    }
    return true;
}

void keep_copies(item_layers& L, const item_frame& f)
{
    const item_pool& now = f.doc->items;
    memcpy(L.items_copy->used, now.used, sizeof now.used);
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (now.used[i]) memcpy((void*)&L.items_copy->cells[i], (const void*)&now.cells[i], sizeof(item));
    memcpy(L.pictures_copy, f.doc->pictures, sizeof L.pictures_copy);
    L.picture_count_copy = f.doc->picture_count;
    L.watch_copy.resize(watch_bytes(f));
    size_t at = 0;
    for (int i = 0; i < f.watch_count; i++) {
        memcpy(L.watch_copy.data() + at, f.watch[i].at, f.watch[i].bytes);
        at += f.watch[i].bytes;
    }
}

// ---- making and mending ------------------------------------------------------------------

// Draw the items of one layer in order; with `only`, just those meeting it.
void draw_layer_items(const item_layers& L, const item_frame& f, item_layers::role_t role, const box* only)
{
    for (const entry& e : L.order)
        if (e.role == role && (!only || meets(e.at, *only))) f.draw(f.caller, *e.it, e.id, e.x, e.y, false);
}

// What the clock field of an entry shows now.
int32_t entry_clock(const entry& e, const local_time& t) { return clock_value(*e.it, t); }

// Make both layers again: the items after the selected one alone, and the
// whole frame without the selected item. False when a layer cannot be used.
bool build(item_layers& L, const item_frame& f, int vw, int vh)
{
    assign_roles(L, f);
    if (L.has_clock) {
        L.clock_shown = f.now;
        for (entry& e : L.order)
            if (e.clock) e.shown = entry_clock(e, L.clock_shown);
    }
    if (L.has_over) {
        if (!gfx_layer_open(LAYER_OVER, vw, vh, GFX_LAYER_TRANSPARENT)) return false;
        draw_layer_items(L, f, item_layers::ROLE_OVER, nullptr);
        gfx_layer_close();
    }
    if (!gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_OPAQUE)) return false;
    f.under(f.caller);
    draw_layer_items(L, f, item_layers::ROLE_UNDER, nullptr);
    if (L.has_over) gfx_layer_draw(LAYER_OVER, true, 0, 0, vw, vh);
    gfx_layer_close();
    L.builds++;
    L.back_valid = false;
    return true;
}

// The clock moved on: paint the box of every clock field that now shows
// another value again, inside the box exactly as the whole layers would be
// painted (what lies under the items, then every item reaching into the box,
// in order).
bool repaint_clocks(item_layers& L, const item_frame& f, int vw, int vh)
{
    L.clock_shown = f.now;
    for (entry& e : L.order) {
        if (!e.clock) continue;
        const int32_t now = entry_clock(e, L.clock_shown);
        if (now == e.shown) continue;
        e.shown = now;
        const box b = e.at;
        const int x0 = (int)b.x0 - 1, y0 = (int)b.y0 - 1;
        const int w = (int)b.x1 + 2 - x0, h = (int)b.y1 + 2 - y0;
        gfx_clip(true, x0, y0, w, h);
        bool ok = true;
        if (L.has_over && (ok = gfx_layer_open(LAYER_OVER, vw, vh, GFX_LAYER_TRANSPARENT) != 0)) {
            draw_layer_items(L, f, item_layers::ROLE_OVER, &b);
            gfx_layer_close();
        }
        if (ok && (ok = gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_OPAQUE) != 0)) {
            f.under(f.caller);
            draw_layer_items(L, f, item_layers::ROLE_UNDER, &b);
            if (L.has_over) gfx_layer_draw(LAYER_OVER, true, x0, y0, w, h);
            gfx_layer_close();
        }
        gfx_clip(false);
        if (!ok) return false;
        const float d[4] = {b.x0, b.y0, b.x1, b.y1};
        add_damage(L, d);
    }
    return true;
}

// ---- the back buffer -----------------------------------------------------------------------

// Flip one bit of the view's bottom-right pixel in the frame just drawn,
// for the next frame to look for.
void put_mark(item_layers& L, int vw, int vh)
{
    L.mark_x = vw - 1;
    L.mark_y = vh - 1;
    if (!gfx_read_pixels(LAYER_FRAME, L.mark_x, L.mark_y, 1, 1, L.mark_rgb)) {
        L.back_keeps = item_layers::KEEP_NO;
        return;
    }
    L.mark_rgb[2] ^= MARK_BIT;
    gfx_texturing(false);
    gfx_clip(true, L.mark_x, L.mark_y, 1, 1);
    gfx_color(L.mark_rgb[0] / 255.0f, L.mark_rgb[1] / 255.0f, L.mark_rgb[2] / 255.0f);
    gfx_begin(GFX_QUADS);
    gfx_vertex((float)L.mark_x - 1, (float)L.mark_y - 1);
    gfx_vertex((float)L.mark_x + 2, (float)L.mark_y - 1);
    gfx_vertex((float)L.mark_x + 2, (float)L.mark_y + 2);
    gfx_vertex((float)L.mark_x - 1, (float)L.mark_y + 2);
    gfx_end();
    gfx_clip(false);
    const float b[4] = {(float)L.mark_x, (float)L.mark_y, (float)L.mark_x + 1, (float)L.mark_y + 1};
    add_damage(L, b);
    L.back_keeps = item_layers::KEEP_PROBE;
}

// Before drawing: does the back buffer hold the last frame, mark and all?
void probe_back_buffer(item_layers& L, int vw, int vh)
{
    uint8_t now[3];
    L.back_keeps = item_layers::KEEP_NO;
    if (L.mark_x != vw - 1 || L.mark_y != vh - 1) L.back_keeps = item_layers::KEEP_MARK;  // the view changed
    else if (gfx_read_pixels(-1, L.mark_x, L.mark_y, 1, 1, now) && memcmp(now, L.mark_rgb, 3) == 0)
        L.back_keeps = item_layers::KEEP_YES;
}

} // namespace

// ---- the frame -----------------------------------------------------------------------------------

item_layers::item_layers() : items_copy(new item_pool) { order.reserve(ITEM_CAPACITY); }

bool draw_items_layered(item_layers& L, const item_frame& f)
{
    if (!L.retained || !f.under || !f.draw || !f.doc || !f.v || f.watch_count > LAYER_WATCH_MAX ||
        watch_bytes(f) > LAYER_WATCH_BYTES)
        return false;
    int vw = 0, vh = 0;
    gfx_view_size(vw, vh);
    if (vw <= 0 || vh <= 0) return false;

    int k[KEY_FIELDS];
    key_now(f, vw, vh, k);
    const bool rebuild = !L.valid || memcmp(k, L.key, sizeof k) != 0 || !nothing_changed(L, f);
    L.valid = false;
    if (rebuild && !build(L, f, vw, vh)) {
        gfx_layer_close();
        return false;
    }
    if (!rebuild && L.has_clock && !same_local_time(L.clock_shown, f.now) && !repaint_clocks(L, f, vw, vh)) {
        gfx_layer_close();
        return false;
    }
    if (rebuild) {
        memcpy(L.key, k, sizeof k);
        keep_copies(L, f);
    }
    L.valid = true;

    if (L.back_keeps == item_layers::KEEP_PROBE) {
        if (L.back_valid) probe_back_buffer(L, vw, vh);
        else L.back_keeps = item_layers::KEEP_MARK;  // a frame drawn directly came between
    }
    if (L.back_valid && L.back_keeps == item_layers::KEEP_YES) {
        if (L.damaged) show_part(LAYER_FRAME, false, L.damage);
    } else {
        gfx_layer_draw(LAYER_FRAME, false, 0, 0, vw, vh);
        if (L.back_keeps == item_layers::KEEP_UNKNOWN) L.back_keeps = item_layers::KEEP_MARK;
    }
    // What is drawn from here on is mended from the frame layer next time.
    L.damaged = false;
    gfx_track(true);
    // The selected item may have moved since the layers were made: it stands
    // where the view puts it now.
    for (const entry& e : L.order)
        if (e.role == item_layers::ROLE_SELECTED) {
            f.draw(f.caller, *e.it, e.id, view_x(*f.v, e.it->x), view_y(*f.v, e.it->y), true);
            float b[4];
            if (L.has_over && gfx_tracked(b)) show_part(LAYER_OVER, true, b);
        }
    return true;
}

bool item_layers_frame_done(item_layers& L, bool layered)
{
    float b[4];
    if (layered && gfx_tracked(b)) add_damage(L, b);
    gfx_track(false);
    L.back_valid = layered;
    if (!layered) L.damaged = false;
    if (!layered || L.back_keeps != item_layers::KEEP_MARK) return false;
    int vw = 0, vh = 0;
    gfx_view_size(vw, vh);
    put_mark(L, vw, vh);
    return L.back_keeps == item_layers::KEEP_PROBE;
}

bool item_layers_back_kept(const item_layers& L) { return L.back_keeps == item_layers::KEEP_YES; }

void item_layers_reset(item_layers& L)
{
    L.valid = false;
    L.back_valid = false;
}

bool clock_item_on_screen(const document& d)
{
    bool found = false;
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id, const item& it) { found = found || shows_clock(it); });
    return found;
}
