/*******************************************************************************
 * items/item_layers.cpp - the items that did not change, kept as two layers
 *
 * Sections: boxes and damage | the order and what changed | making and
 * painting again | the back buffer | the frame
 ******************************************************************************/
#include "items/item_layers.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int LAYER_FRAME = 0;   // the under layer and every item not lifted
constexpr int LAYER_UNDER = 1;   // what lies below the items
constexpr uint8_t MARK_BIT = 1;  // flipped in the blue of one corner pixel to check the back buffer
constexpr int BOX_PAD_PX = 2;    // pixels a box is grown by beyond its dots (line ends, point edges)
enum key_field { KEY_PITCH, KEY_PANEL_X, KEY_PANEL_Y, KEY_PANEL_W, KEY_PANEL_H, KEY_VIEW_W, KEY_VIEW_H, KEY_EXTRAS,
                 KEY_AREA_W, KEY_AREA_H, KEY_FIELDS };
static_assert(KEY_FIELDS == sizeof(item_layers::key) / sizeof(int), "one key field each");

typedef item_layers::box box;
typedef item_layers::entry entry;

// ---- boxes and damage ------------------------------------------------------------------

// The window box an item standing with its corner at window pixel (x, y)
// draws into at `pitch`: its measured box grown by LAYER_BOX_MARGIN dots.
box box_at(const document& d, const item& it, int32_t x, int32_t y, int pitch)
{
    const dot_box r = measure_item(d, it);
    const int64_t m = LAYER_BOX_MARGIN;
    const int64_t x0 = x + (r.x - it.x - m) * pitch - BOX_PAD_PX, y0 = y + (r.y - it.y - m) * pitch - BOX_PAD_PX;
    const int64_t x1 = x + (r.x + r.w - it.x + m) * pitch + BOX_PAD_PX;
    const int64_t y1 = y + (r.y + r.h - it.y + m) * pitch + BOX_PAD_PX;
    return box{(float)clamp32(x0), (float)clamp32(y0), (float)clamp32(x1), (float)clamp32(y1)};
}

// What drawing an item at window pixel (x, y) covers, joined with its
// measured box: digits unlit now may light later.
box drawn_box(item_layers& L, const item_frame& f, const item& it, item_id id, int32_t x, int32_t y, int pitch)
{
    box b = box_at(*f.doc, it, x, y, pitch);
    L.bounds.reset();
    L.bounds.bounds_only = true;
    gfx_backend* was = gfx_current();
    L.bounds.texture_maker = was;
    gfx_use(&L.bounds);
    f.draw(f.caller, it, id, x, y, false);
    gfx_use(was);
    if (L.bounds.box[0] <= L.bounds.box[2]) {
        const float m = (float)pitch;
        b = box{std::min(b.x0, L.bounds.box[0] - m), std::min(b.y0, L.bounds.box[1] - m),
                std::max(b.x1, L.bounds.box[2] + m), std::max(b.y1, L.bounds.box[3] + m)};
    }
    return b;
}

// The box of document item `id` where the view puts it, kept while it stays the same.
box item_box(item_layers& L, const item_frame& f, item_id id)
{
    if (!L.box_known[id]) {
        const item& it = f.doc->items.cells[id];
        L.boxes[id] = drawn_box(L, f, it, id, view_x(*f.v, it.x), view_y(*f.v, it.y), view_pitch(*f.v));
        L.box_known.set(id);
    }
    return L.boxes[id];
}

bool meets(const box& a, const box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

box join(const box& a, const box& b)
{
    return box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// Add a box to a set of at most LAYER_DIRTY_BOXES: overlapping boxes
// merge, and past the limit all do.
void merge_box(box* set, int& n, const box& x)
{
    box nb = x;
    for (int i = 0; i < n;)
        if (meets(set[i], nb)) {
            nb = join(nb, set[i]);
            set[i] = set[--n];
            i = 0;
        } else {
            i++;
        }
    if (n == LAYER_DIRTY_BOXES) {
        for (int i = 0; i < n; i++) nb = join(nb, set[i]);
        n = 0;
    }
    set[n++] = nb;
}

// Add a box to the damage.
void add_damage(item_layers& L, const box& x) { merge_box(L.damage, L.damage_count, x); }

// Put a window box of a layer back, in whole pixels covering it.
void show_part(int layer, const box& b)
{
    const int x0 = (int)b.x0 - 1, y0 = (int)b.y0 - 1;
    gfx_layer_draw(layer, false, x0, y0, (int)b.x1 + 2 - x0, (int)b.y1 + 2 - y0);
}

// Clip to the view's area (an item) or not (an extra), within `only` when given.
void clip_for(const item_frame& f, bool item, const box* only)
{
    int64_t x0 = INT32_MIN, y0 = INT32_MIN, x1 = INT32_MAX, y1 = INT32_MAX;
    if (item) {
        x0 = f.v->area_x;
        y0 = f.v->area_y;
        x1 = (int64_t)f.v->area_x + f.v->area_w;
        y1 = (int64_t)f.v->area_y + f.v->area_h;
    }
    if (only) {
        x0 = std::max<int64_t>(x0, (int64_t)only->x0 - 1);
        y0 = std::max<int64_t>(y0, (int64_t)only->y0 - 1);
        x1 = std::min<int64_t>(x1, (int64_t)only->x1 + 2);
        y1 = std::min<int64_t>(y1, (int64_t)only->y1 + 2);
    }
    if (x0 == INT32_MIN && x1 == INT32_MAX) gfx_clip(false);
    else gfx_clip(true, (int)x0, (int)y0, (int)std::max<int64_t>(0, x1 - x0), (int)std::max<int64_t>(0, y1 - y0));
}

// A few boxes to paint again; overlapping ones merge, and past the limit all do.
struct dirty_boxes {
    box b[LAYER_DIRTY_BOXES];
    int n = 0;
    void add(const box& x) { merge_box(b, n, x); }
};

// ---- the order and what changed ------------------------------------------------------------

bool is_lifted(const item_frame& f, item_id id) { return id != NO_ITEM && f.lifted && (*f.lifted)[id]; }

// List the extras and the items in the drawing order, with their boxes.
void take_order(item_layers& L, const item_frame& f)
{
    L.order.clear();
    if ((int)L.extra_boxes.size() != f.extra_count) L.extra_boxes.clear();
    for (int k = 0; k < f.extra_count; k++) {
        const layer_extra& x = f.extras[k];
        if ((int)L.extra_boxes.size() <= k) L.extra_boxes.push_back(drawn_box(L, f, *x.it, NO_ITEM, x.x, x.y, UI_PITCH));
        const uint64_t stamp = f.stamp ? f.stamp(f.caller, *x.it, NO_ITEM) : 0;
        L.order.push_back(entry{x.it, NO_ITEM, x.x, x.y, false, stamp, L.extra_boxes[k]});
    }
    doc_walk_drawing_order(*f.doc, [&](item_id id, const item& it) {
        const bool lifted = is_lifted(f, id);
        // A lifted item's box is not needed (it is drawn live) and it changes as it moves.
        const box b = lifted ? box{0, 0, 0, 0} : item_box(L, f, id);
        const uint64_t stamp = f.stamp ? f.stamp(f.caller, it, id) : 0;
        L.order.push_back(entry{&it, id, view_x(*f.v, it.x), view_y(*f.v, it.y), lifted, stamp, b});
    });
}

void key_now(const item_frame& f, int vw, int vh, int* k)
{
    k[KEY_PITCH] = view_pitch(*f.v);
    k[KEY_PANEL_X] = f.v->panel_x;
    k[KEY_PANEL_Y] = f.v->panel_y;
    k[KEY_PANEL_W] = f.doc->settings.panel_w;
    k[KEY_PANEL_H] = f.doc->settings.panel_h;
    k[KEY_VIEW_W] = vw;
    k[KEY_VIEW_H] = vh;
    k[KEY_EXTRAS] = f.extra_count;
    k[KEY_AREA_W] = f.v->area_w;
    k[KEY_AREA_H] = f.v->area_h;
}

// True when the pictures differ from the copies.
bool under_changed(const item_layers& L, const item_frame& f)
{
    return f.doc->picture_count != L.picture_count_copy ||
           memcmp(f.doc->pictures, L.pictures_copy, sizeof L.pictures_copy) != 0;
}

void keep_under_copies(item_layers& L, const item_frame& f)
{
    memcpy(L.pictures_copy, f.doc->pictures, sizeof L.pictures_copy);
    L.picture_count_copy = f.doc->picture_count;
}

// Keep item i as the frame layer now shows it.
void keep_item(item_layers& L, const item_frame& f, int i)
{
    item_pool& was = *L.items_copy;
    was.used[i] = f.doc->items.used[i];
    if (was.used[i]) memcpy((void*)&was.cells[i], (const void*)&f.doc->items.cells[i], sizeof(item));
    L.lifted_copy[i] = is_lifted(f, (item_id)i);
}

// The boxes where the frame layer no longer shows the document: items that
// changed, came, went, were lifted or set down, and clock fields whose value
// moved on. Keeps what it found as shown.
void find_changes(item_layers& L, const item_frame& f, dirty_boxes& dirty)
{
    const item_pool& now = f.doc->items;
    const item_pool& was = *L.items_copy;
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        const bool shown_before = was.used[i] && !L.lifted_copy[i];
        const bool shown_now = now.used[i] && !is_lifted(f, (item_id)i);
        if (!shown_before && !shown_now) {
            if (was.used[i] != now.used[i] || L.lifted_copy[i] != is_lifted(f, (item_id)i)) keep_item(L, f, i);
            continue;
        }
        const bool same = shown_before && shown_now && memcmp(&was.cells[i], &now.cells[i], sizeof(item)) == 0;
        if (same) continue;
        // The box it had where the frame layer shows it, then the one it has now.
        if (shown_before) dirty.add(L.box_known[i] ? L.boxes[i] : box_at(*f.doc, was.cells[i], view_x(*f.v, was.cells[i].x),
                                                                         view_y(*f.v, was.cells[i].y), view_pitch(*f.v)));
        L.box_known.reset(i);
        if (shown_now) dirty.add(item_box(L, f, (item_id)i));
        keep_item(L, f, i);
    }
    // What items show beyond their fields moved on: a clock, a scrolling text, a value.
    int extra = 0;
    if (L.stamps_shown.size() != (size_t)ITEM_CAPACITY) L.stamps_shown.assign(ITEM_CAPACITY, 0);
    for (const entry& e : L.order) {
        if (e.id == NO_ITEM && (size_t)extra >= L.extra_stamps_shown.size()) L.extra_stamps_shown.push_back(0);
        uint64_t& shown = e.id == NO_ITEM ? L.extra_stamps_shown[extra++] : L.stamps_shown[e.id];
        if (e.lifted || e.stamp == shown) continue;
        shown = e.stamp;
        dirty.add(e.at);
    }
}

// Take every entry's stamp as the frame layer shows it.
void keep_stamps(item_layers& L)
{
    L.stamps_shown.assign(ITEM_CAPACITY, 0);
    L.extra_stamps_shown.clear();
    for (const entry& e : L.order) {
        if (e.id == NO_ITEM) L.extra_stamps_shown.push_back(e.stamp);
        else L.stamps_shown[e.id] = e.stamp;
    }
}

// ---- making and painting again ---------------------------------------------------------------

// Draw the items of the frame layer in order; with `only`, just those meeting it.
void draw_frame_items(const item_layers& L, const item_frame& f, const box* only)
{
    for (const entry& e : L.order)
        if (!e.lifted && (!only || meets(e.at, *only))) {
            clip_for(f, e.id != NO_ITEM, only);
            f.draw(f.caller, *e.it, e.id, e.x, e.y, false);
        }
    gfx_clip(false);
}

// Make both layers again. False when a layer cannot be used.
bool build(item_layers& L, const item_frame& f, int vw, int vh)
{
    if (!gfx_layer_open(LAYER_UNDER, vw, vh, GFX_LAYER_OPAQUE)) return false;
    f.under(f.caller, UNDER_ALL);
    gfx_clip(false);
    gfx_layer_close();
    if (!gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_OPAQUE)) return false;
    gfx_layer_draw(LAYER_UNDER, false, 0, 0, vw, vh);
    draw_frame_items(L, f, nullptr);
    gfx_layer_close();
    L.builds++;
    L.back_valid = false;
    item_pool& was = *L.items_copy;
    memcpy(was.used, f.doc->items.used, sizeof was.used);
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        if (was.used[i]) memcpy((void*)&was.cells[i], (const void*)&f.doc->items.cells[i], sizeof(item));
        L.lifted_copy[i] = is_lifted(f, (item_id)i);
    }
    keep_stamps(L);
    keep_under_copies(L, f);
    return true;
}

// Paint the frame layer again inside each box: the under layer's pixels,
// then every item of the frame layer reaching into it, in order.
bool paint_again(item_layers& L, const item_frame& f, const dirty_boxes& dirty, int vw, int vh)
{
    if (dirty.n == 0) return true;
    if (!gfx_layer_open(LAYER_FRAME, vw, vh, GFX_LAYER_KEEP)) return false;
    // The panel inside the axes is drawn afresh: a pan leaves the under
    // layer's area behind (the axes' row and column it keeps up to date).
    const box inside{(float)f.v->area_x + 1, (float)f.v->area_y + 1, (float)(f.v->area_x + f.v->area_w),
                     (float)(f.v->area_y + f.v->area_h)};
    for (int k = 0; k < dirty.n; k++) {
        const box& b = dirty.b[k];
        // The whole pixels painted again (as show_part takes them).
        const box shown{std::floor(b.x0) - 1, std::floor(b.y0) - 1, std::floor(b.x1) + 2, std::floor(b.y1) + 2};
        const box both{std::max(shown.x0, inside.x0), std::max(shown.y0, inside.y0), std::min(shown.x1, inside.x1),
                       std::min(shown.y1, inside.y1)};
        if (both.x1 > both.x0 && both.y1 > both.y0) {
            // The under layer's pixels round the area's inside, then the inside cleared and drawn.
            const box strips[] = {box{shown.x0, shown.y0, shown.x1, both.y0}, box{shown.x0, both.y1, shown.x1, shown.y1},
                                  box{shown.x0, both.y0, both.x0, both.y1}, box{both.x1, both.y0, shown.x1, both.y1}};
            gfx_clip(false);
            for (const box& r : strips)
                if (r.x1 > r.x0 && r.y1 > r.y0)
                    gfx_layer_draw(LAYER_UNDER, false, (int)r.x0, (int)r.y0, (int)(r.x1 - r.x0), (int)(r.y1 - r.y0));
            gfx_clip(true, (int)both.x0, (int)both.y0, (int)(both.x1 - both.x0), (int)(both.y1 - both.y0));
            gfx_clear();   // black, as the panel and the area round it are
            f.under(f.caller, UNDER_PANEL);
        } else {
            clip_for(f, false, &b);
            show_part(LAYER_UNDER, b);
        }
        draw_frame_items(L, f, &b);
        add_damage(L, b);
        L.repaints++;
    }
    gfx_clip(false);
    gfx_layer_close();
    return true;
}

// True when only the panel's corner moved since the layers were made, by
// less than the area: a pan.
bool only_panned(const item_layers& L, const int* k, int& dx, int& dy)
{
    for (int i = 0; i < KEY_FIELDS; i++)
        if (i != KEY_PANEL_X && i != KEY_PANEL_Y && k[i] != L.key[i]) return false;
    dx = k[KEY_PANEL_X] - L.key[KEY_PANEL_X];
    dy = k[KEY_PANEL_Y] - L.key[KEY_PANEL_Y];
    return std::abs(dx) < k[KEY_AREA_W] && std::abs(dy) < k[KEY_AREA_H];
}

// A pan: the rulers and the scroll bars are drawn again in the under layer,
// and the whole area (with them) painted again in the frame layer: the
// panel afresh and the items in view.
bool pan(item_layers& L, const item_frame& f, int vw, int vh)
{
    const view& v = *f.v;
    const float ax0 = (float)v.area_x, ay0 = (float)v.area_y;
    const float ax1 = ax0 + (float)v.area_w, ay1 = ay0 + (float)v.area_h;
    const unsigned axis_row = UNDER_PANEL | UNDER_BACKGROUND;   // the grid crosses the axes
    const struct {
        box at;
        unsigned parts;
    } rulers[] = {// Side numbers near the top reach up into the top band.
                  {box{ax0 - RULER_BAND_PX, ay0 - RULER_BAND_PX, (float)vw, ay0 + 1}, UNDER_RULERS | axis_row},
                  {box{ax0 - RULER_BAND_PX, ay0 + 1, ax0 + 1, (float)vh}, UNDER_SIDE_RULER | axis_row},
                  {box{ax1, ay0, (float)vw, (float)vh}, UNDER_BARS},
                  {box{ax0, ay1, (float)vw, (float)vh}, UNDER_BARS}};
    dirty_boxes fresh;
    for (const auto& r : rulers) {
        const box b{std::max(r.at.x0, 0.0f), std::max(r.at.y0, 0.0f), std::min(r.at.x1, (float)vw),
                    std::min(r.at.y1, (float)vh)};
        if (b.x1 <= b.x0 || b.y1 <= b.y0) continue;
        gfx_clip(true, (int)b.x0, (int)b.y0, (int)(b.x1 - b.x0), (int)(b.y1 - b.y0));
        if (!gfx_layer_open(LAYER_UNDER, vw, vh, GFX_LAYER_OPAQUE)) return false;
        f.under(f.caller, r.parts);
        gfx_layer_close();
        fresh.add(b);
    }
    gfx_clip(false);
    fresh.add(box{ax0, ay0, ax1, ay1});
    return paint_again(L, f, fresh, vw, vh);
}

// The boxes kept move with a pan.
void move_boxes(item_layers& L, int dx, int dy)
{
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (L.box_known[i]) {
            box& b = L.boxes[i];
            b = box{b.x0 + dx, b.y0 + dy, b.x1 + dx, b.y1 + dy};
        }
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
    add_damage(L, box{(float)L.mark_x, (float)L.mark_y, (float)L.mark_x + 1, (float)L.mark_y + 1});
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

// Draw the lifted items live, each followed by the frame layer's items that
// come after it and reach into what it drew, clipped to that.
void draw_lifted(item_layers& L, const item_frame& f)
{
    for (size_t k = 0; k < L.order.size(); k++) {
        const entry& e = L.order[k];
        if (!e.lifted) continue;
        gfx_track(true);
        if (!f.lifted_free) clip_for(f, true, nullptr);
        f.draw(f.caller, *e.it, e.id, e.x, e.y, true);
        gfx_clip(false);
        float t[4];
        if (!gfx_tracked(t)) continue;
        const box drawn{t[0], t[1], t[2], t[3]};
        add_damage(L, drawn);
        for (size_t j = k + 1; j < L.order.size(); j++) {
            const entry& later = L.order[j];
            if (later.lifted || !meets(later.at, drawn)) continue;
            clip_for(f, later.id != NO_ITEM, &drawn);
            f.draw(f.caller, *later.it, later.id, later.x, later.y, false);
        }
        gfx_clip(false);
    }
}

// Which parts this frame draws: all when the back buffer is not kept; else
// those whose state changed (their old place is mended) and those the
// mending meets (and so on, as each one mended may meet another).
void choose_parts(item_layers& L, bool kept)
{
    for (item_layers::part& p : L.parts) {
        p.redraw = !kept || !p.has || p.sig != p.next;
        if (p.redraw && kept && p.has) add_damage(L, p.at);
    }
    for (bool more = kept; more;) {
        more = false;
        for (item_layers::part& p : L.parts) {
            if (p.redraw || !p.has) continue;
            for (int i = 0; i < L.damage_count && !p.redraw; i++)
                if (meets(p.at, L.damage[i])) {
                    p.redraw = more = true;
                    add_damage(L, p.at);
                }
        }
    }
}

} // namespace

// ---- the frame -----------------------------------------------------------------------------------

item_layers::item_layers() : items_copy(new item_pool) { order.reserve(ITEM_CAPACITY); }

bool draw_items_layered(item_layers& L, const item_frame& f)
{
    L.boxes.resize(ITEM_CAPACITY);
    if (!L.retained || !f.under || !f.draw || !f.doc || !f.v) return false;
    int vw = 0, vh = 0;
    gfx_view_size(vw, vh);
    if (vw <= 0 || vh <= 0) return false;

    int k[KEY_FIELDS];
    key_now(f, vw, vh, k);
    int dx = 0, dy = 0;
    const bool under_moved = L.valid && under_changed(L, f);
    const bool changed = !L.valid || under_moved || memcmp(k, L.key, sizeof k) != 0;
    const bool panned = changed && L.valid && !under_moved && only_panned(L, k, dx, dy);
    const bool rebuild = changed && !panned;
    if (rebuild) {
        // Every box is measured again for this view.
        L.box_known.reset();
        L.extra_boxes.clear();
    }
    if (panned) move_boxes(L, dx, dy);
    take_order(L, f);
    L.valid = false;
    if (rebuild) {
        if (!build(L, f, vw, vh)) {
            gfx_layer_close();
            return false;
        }
        memcpy(L.key, k, sizeof k);
    } else if (panned) {
        const bool ok = pan(L, f, vw, vh);
        gfx_clip(false);
        gfx_layer_close();
        if (!ok) return false;
        memcpy(L.key, k, sizeof k);
        L.pans++;
        L.back_valid = false;   // the whole frame layer is shown
        dirty_boxes dirty;
        find_changes(L, f, dirty);
        if (!paint_again(L, f, dirty, vw, vh)) {
            gfx_layer_close();
            return false;
        }
    } else {
        dirty_boxes dirty;
        find_changes(L, f, dirty);
        if (!paint_again(L, f, dirty, vw, vh)) {
            gfx_layer_close();
            return false;
        }
    }
    L.valid = true;

    if (L.back_keeps == item_layers::KEEP_PROBE) {
        if (L.back_valid) probe_back_buffer(L, vw, vh);
        else L.back_keeps = item_layers::KEEP_MARK;  // a frame drawn directly came between
    }
    const bool kept = L.back_valid && L.back_keeps == item_layers::KEEP_YES;
    choose_parts(L, kept);
    if (kept) {
        for (int i = 0; i < L.damage_count; i++) show_part(LAYER_FRAME, L.damage[i]);
    } else {
        gfx_layer_draw(LAYER_FRAME, false, 0, 0, vw, vh);
        if (L.back_keeps == item_layers::KEEP_UNKNOWN) L.back_keeps = item_layers::KEEP_MARK;
    }
    // What is drawn from here on is mended from the frame layer next time.
    L.damage_count = 0;
    draw_lifted(L, f);
    gfx_track(true);
    return true;
}

void item_layers_part_state(item_layers& L, int k, uint64_t sig)
{
    if (k >= 0 && k < LAYER_PARTS) L.parts[k].next = sig;
}

bool item_layers_part_begin(item_layers& L, int k)
{
    if (k < 0 || k >= LAYER_PARTS) return true;
    item_layers::part& p = L.parts[k];
    if (!p.redraw) return false;
    item_layers_note_drawn(L);   // what came before is damage; the part is measured alone
    return true;
}

void item_layers_part_done(item_layers& L, int k)
{
    if (k < 0 || k >= LAYER_PARTS) return;
    item_layers::part& p = L.parts[k];
    float b[4];
    p.has = gfx_tracked(b);
    if (p.has) p.at = box{b[0], b[1], b[2], b[3]};
    p.sig = p.next;
    gfx_track(true);
}

void item_layers_note_drawn(item_layers& L)
{
    float b[4];
    if (gfx_tracked(b)) add_damage(L, box{b[0], b[1], b[2], b[3]});
    gfx_track(true);
}

bool item_layers_frame_done(item_layers& L, bool layered)
{
    float b[4];
    if (layered && gfx_tracked(b)) add_damage(L, box{b[0], b[1], b[2], b[3]});
    gfx_track(false);
    L.back_valid = layered;
    if (!layered) {
        L.damage_count = 0;
        for (item_layers::part& p : L.parts) p.has = false;
    }
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
    for (item_layers::part& p : L.parts) p.has = false;
}

bool clock_item_on_screen(const document& d)
{
    bool found = false;
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id, const item& it) { found = found || shows_clock(it); });
    return found;
}
