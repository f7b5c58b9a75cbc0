/*******************************************************************************
 * items/item_layers.h - the panel's items kept as pictures between frames
 *
 * Redrawing every text dot by dot for each frame is what makes a designer
 * slow on software OpenGL, so what did not change is kept in two layers the
 * size of the view:
 *   - the under layer: what the caller draws below the items (palette,
 *     rulers, scroll bars, the panel with its grid and pictures);
 *   - the frame layer: the under layer and every item but the lifted ones
 *     (the current item and the group), in the drawing order.
 * A frame shows the frame layer, draws each lifted item live and, clipped to
 * what it drew, the items that come after it in the drawing order again, so
 * the picture is the one drawing every item in order gives. When the window
 * keeps its back buffer between swaps (checked once: one frame flips a bit
 * of a corner pixel and the next reads it back), a frame mends only the
 * boxes the last frame drew live instead of showing the whole frame layer.
 *
 * Only what changed is painted again: an item that moved, changed, came or
 * went, was lifted or set down, or whose stamp moved on (what the caller
 * says it shows beyond its fields: a clock field's value, a scrolling
 * text's place, a variable's value while the panel plays) has its old and
 * new boxes painted again in the frame layer (the under layer's
 * pixels there, then every item reaching into the box, in order). The view
 * or the pictures changing makes both layers again; a pan draws the rulers
 * and scroll bars into the under layer again and paints the whole area
 * again in the frame layer, without measuring the items again.
 *
 * Parts drawn over the items (buttons, the selection's controls, the status
 * line) may stay in the back buffer while they do not change: the caller
 * names each part's state with a number (its signature); a part is drawn
 * again only when that number changed or something drawn or mended this
 * frame meets it (its old place is mended first).
 *
 * Limits: a box is what an item drew (measured once while it stays the
 * same) and its measured box grown by LAYER_BOX_MARGIN dots;
 * LAYER_DIRTY_BOXES boxes a frame before they merge into one; OpenGL only
 * (the recorder has no layers: the caller draws directly).
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read input state (the caller passes what is lifted), draw the
 * controls, read-outs or status line, or swap buffers.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/system.h"
#include "raster/gfx.h"
#include "raster/view.h"
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int LAYER_BOX_MARGIN = 1;         // dots an item's box is grown by all round
constexpr int LAYER_DIRTY_BOXES = 16;       // boxes painted again apart in one frame
constexpr int LAYER_PARTS = 12;             // parts drawn over the items that may stay as they are

// What lies below the items, in parts a pan redraws apart.
enum under_part : unsigned {
    UNDER_PALETTE = 1,
    UNDER_TOP_RULER = 2, UNDER_SIDE_RULER = 4, UNDER_BARS = 8,   // the rulers' axes, ticks, numbers; the scroll bars
    UNDER_PANEL = 16,                                            // the panel's grid and pictures
    UNDER_BACKGROUND = 32,                                       // the panel's black (needless over a clear)
    UNDER_RULERS = UNDER_TOP_RULER | UNDER_SIDE_RULER,
    UNDER_ALL = 63
};
constexpr int RULER_BAND_PX = 36;           // the rulers and their numbers stand this far out of the area

// An item outside the document drawn under its items at a window pixel (a
// palette sample that shows the clock).
struct layer_extra {
    const item* it;
    int32_t x, y;
};

// What a frame asks of the item layers.
struct item_frame {
    const document* doc;
    const view* v;
    local_time now;                          // the clock the fields show
    const std::bitset<ITEM_CAPACITY>* lifted;   // the items drawn live (null: none)
    void* caller;                            // handed back to the two callbacks
    void (*under)(void* caller, unsigned parts);   // draws what lies below the items (under_part bits)
    // Draws one item as the frame does, its corner at window pixel (x, y);
    // `id` is NO_ITEM for an extra.
    void (*draw)(void* caller, const item& it, item_id id, int32_t x, int32_t y, bool selected);
    const layer_extra* extras;               // drawn first, over `under`
    int extra_count;
    // A number that changes when what an item (or an extra, `id` NO_ITEM)
    // shows changes beyond its fields; null: nothing changes but the fields.
    uint64_t (*stamp)(void* caller, const item& it, item_id id);
    bool lifted_free;                        // lifted items are drawn outside the area too (dragged)
};

// The layers and what they were made from; one per view.
struct item_layers {
    bool retained = true;                    // off: every frame draws every item directly
    unsigned builds = 0;                     // how many times both layers were made
    unsigned repaints = 0;                   // how many boxes were painted again
    unsigned pans = 0;                       // how many pans were painted without a rebuild
    struct box {
        float x0, y0, x1, y1;
    };
    // One item in the drawing order.
    struct entry {
        const item* it;
        item_id id;          // NO_ITEM for an extra
        int32_t x, y;        // window pixel of its corner
        bool lifted;
        uint64_t stamp;      // what it shows beyond its fields, now
        box at;              // window box it draws into
    };
    std::vector<entry> order;
    std::vector<box> boxes;                   // each pool cell's box while it stays as copied
    std::bitset<ITEM_CAPACITY> box_known;
    std::vector<box> extra_boxes;             // the extras' boxes, for the key they were made at
    gfx_recorder bounds;                      // measures what an item draws
    bool valid = false;
    std::vector<uint64_t> stamps_shown;       // each pool cell's stamp as the frame layer shows it
    std::vector<uint64_t> extra_stamps_shown; // and each extra's
    int key[10] = {};                         // pitch, panel corner and size, view size, extras, area size
    std::unique_ptr<item_pool> items_copy;    // the items as the frame layer shows them
    std::bitset<ITEM_CAPACITY> lifted_copy;   // what was lifted then
    doc_picture pictures_copy[PICTURE_COUNT];
    int32_t picture_count_copy = 0;
    // The window's back buffer between frames.
    enum keep_t : uint8_t { KEEP_UNKNOWN, KEEP_MARK, KEEP_PROBE, KEEP_YES, KEEP_NO };
    keep_t back_keeps = KEEP_UNKNOWN;
    int mark_x = -1, mark_y = -1;
    uint8_t mark_rgb[3] = {};
    bool back_valid = false;   // the back buffer holds the frame layer plus `damage`
    box damage[LAYER_DIRTY_BOXES] = {};   // window boxes where the back buffer differs from the frame layer
    int damage_count = 0;
    // A part drawn over the items, kept in the back buffer while it stays the same.
    struct part {
        uint64_t sig = 0;     // the state it shows
        uint64_t next = 0;    // the state this frame shows
        box at = {};          // where it was drawn
        bool has = false;     // it is in the back buffer
        bool redraw = true;   // this frame draws it
    };
    part parts[LAYER_PARTS];
    item_layers();
};

// Draw `under` and every item in the drawing order through the layers.
// Returns false (having drawn nothing) when layers cannot be used; the
// caller then draws the frame directly.
bool draw_items_layered(item_layers& L, const item_frame& f);
// Before draw_items_layered: part k shows the state numbered `sig` this frame.
void item_layers_part_state(item_layers& L, int k, uint64_t sig);
// After it: true when part k must be drawn now (then drawn, and closed with
// item_layers_part_done); false when the back buffer still shows it.
bool item_layers_part_begin(item_layers& L, int k);
void item_layers_part_done(item_layers& L, int k);
// What was drawn since the layers (or the last call) is one part of the
// frame to mend next time: small parts apart cost less than one box round them.
void item_layers_note_drawn(item_layers& L);
// The frame is drawn (before the swap): what was drawn after the layers
// (`layered` true) is remembered, to be mended from them next frame. True
// when the next frame should follow at once (it checks the back buffer and
// mends the one pixel this frame marked for that).
bool item_layers_frame_done(item_layers& L, bool layered);
// Forget the layers, so the next frame makes them again.
void item_layers_reset(item_layers& L);
// True once the window was found to keep its back buffer between swaps.
bool item_layers_back_kept(const item_layers& L);
// True when an item shows the computer's clock (clock, calendar or weekday
// field), so a frame is due every second.
bool clock_item_on_screen(const document& d);
