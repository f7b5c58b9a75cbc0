/*******************************************************************************
 * items/item_layers.h - the panel's items kept as pictures between frames
 *
 * Most frames change nothing but the selected item (while it is dragged), a
 * clock field (once a second) or a button. Redrawing every text dot by dot
 * for each such frame is what makes the designer slow on software OpenGL, so
 * what did not change is kept in two layers the size of the view:
 *   - the frame layer: what the caller draws before the items (window
 *     furniture, panel, grid, pictures) and every item but the selected one,
 *     in the drawing order;
 *   - the over layer: the items drawn after the selected one, alone.
 * A frame shows the frame layer, draws the selected item with its
 * decorations live, and puts the over layer back on the selected item's box,
 * so the picture is the same as drawing every item in order. When the window
 * keeps its back buffer between swaps (checked once: one frame flips a bit of
 * a corner pixel and the next reads it back), a frame only mends the box the
 * last frame drew live instead of showing the whole frame layer.
 *
 * A clock, calendar or weekday field is kept like any item; when the value
 * it shows changes, only its own box is painted again in the layers (clipped
 * to the box: what lies under the items and every item reaching into it, in
 * order), so items over or under it stay as they were.
 *
 * The layers are made again when anything they show may have changed: an
 * item or picture of the document (compared byte for byte with a copy taken
 * when they were made; the selected item is left out), the view, the
 * selection, or a region the caller names (button states).
 *
 * Limits: one selected item (the caller draws group selections directly);
 * OpenGL only (the recorder has no layers: the caller draws directly).
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read input state (the caller passes the selection), draw the
 * rubber band, read-outs or status line, or swap buffers.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/system.h"
#include "raster/gfx.h"
#include "raster/view.h"
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int LAYER_WATCH_MAX = 16;         // regions a caller may name
constexpr size_t LAYER_WATCH_BYTES = 65536; // their total size

// A region of memory whose change means the under layer must be made again.
struct layer_watch {
    const void* at;
    size_t bytes;
};

// An item outside the document drawn under its items at a window pixel (a
// palette sample that shows the clock).
struct layer_extra {
    const item* it;
    int32_t x, y;
};

// What a frame asks of the item layers: the document and view it shows, the
// selected item, and how the caller draws what lies under the items and each item.
struct item_frame {
    const document* doc;
    const view* v;
    local_time now;                          // the clock the fields show
    item_id selected;                        // NO_ITEM: none
    void* caller;                            // handed back to the two callbacks
    void (*under)(void* caller);             // draws everything below the items
    // Draws one item as the frame does, its corner at window pixel (x, y);
    // `id` is NO_ITEM for an extra.
    void (*draw)(void* caller, const item& it, item_id id, int32_t x, int32_t y, bool selected);
    const layer_extra* extras;               // drawn first, over `under`
    int extra_count;
    const layer_watch* watch;                // regions that change what `under` draws
    int watch_count;
};

// The layers and what they were made from; one per view.
struct item_layers {
    bool retained = true;                    // off: every frame draws every item directly
    unsigned builds = 0;                     // how many times the layers were made

    // What the layers hold.
    enum role_t : uint8_t { ROLE_UNDER, ROLE_OVER, ROLE_SELECTED };
    struct box {
        float x0, y0, x1, y1;
    };
    struct entry {
        const item* it;
        item_id id;         // NO_ITEM for an extra
        int32_t x, y;       // window pixel of its corner
        bool clock;         // shows the computer's clock
        int32_t shown;      // the clock field's value in the layers
        role_t role;
        box at;             // window box it draws into (measured only when a clock is kept)
    };
    std::vector<entry> order;
    bool valid = false, has_over = false, has_clock = false;
    local_time clock_shown = {};
    int key[7] = {};                          // pitch, panel w and h, view w and h, selected item, extras
    std::unique_ptr<item_pool> items_copy;    // the items as the layers show them
    doc_picture pictures_copy[PICTURE_COUNT];
    int32_t picture_count_copy = 0;
    std::vector<uint8_t> watch_copy;

    // The window's back buffer between frames.
    enum keep_t : uint8_t { KEEP_UNKNOWN, KEEP_MARK, KEEP_PROBE, KEEP_YES, KEEP_NO };
    keep_t back_keeps = KEEP_UNKNOWN;
    int mark_x = -1, mark_y = -1;
    uint8_t mark_rgb[3] = {};
    bool back_valid = false;   // the back buffer holds the frame layer plus `damage`
    bool damaged = false;
    float damage[4] = {};      // window box where the back buffer differs from the frame layer
    gfx_recorder bounds;       // measures the box an item draws

    item_layers();
};

// Draw `under` and every item in the drawing order through the layers.
// Returns false (having drawn nothing) when layers cannot be used; the
// caller then draws the frame directly.
bool draw_items_layered(item_layers& L, const item_frame& f);

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
