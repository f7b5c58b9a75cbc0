/*******************************************************************************
 * items/item_layers.h - the panel's items kept as pictures between frames
 *
 * Most frames change nothing but the selected item (while it is dragged), a
 * clock field (once a second) or a button. Redrawing 430 texts dot by dot for
 * each such frame is what makes the designer slow on software OpenGL, so what
 * did not change is kept in two layers the size of the view:
 *   - the frame layer: what the caller draws before the items (window
 *     furniture, panel, grid, pictures) and every item but the selected one,
 *     in the direct drawing order;
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
 * The layers are made again when anything they show may have changed: a
 * record of the item tables or pictures (compared byte for byte with a copy
 * taken when they were made; the selected record is left out), the pitch,
 * the panel or view size, the selection, or a region the caller names
 * (button states).
 *
 * Limits: one selected item (the caller draws group selections directly);
 * OpenGL only (the recorder has no layers: the caller draws directly).
 * Depends on: items/digit_item.h, items/text_item.h, items/calendar.h,
 * model/tables.h, model/settings.h, raster/gfx.h.
 * Does NOT: read input state (the caller passes the selection), draw the
 * rubber band, read-outs or status line, or swap buffers.
 ******************************************************************************/
#pragma once
#include <cstddef>

constexpr int LAYER_WATCH_MAX = 16;        // regions a caller may name
constexpr size_t LAYER_WATCH_BYTES = 65536; // their total size

// Off: every frame draws every item directly (kept switchable for comparison).
extern bool retained_drawing;

// A region of memory whose change means the under layer must be made again.
struct layer_watch {
    const void* at;
    size_t bytes;
};

// What a frame asks of the item layers.
struct item_frame {
    void (*under)();           // draws everything below the items
    int sel_unit, sel_string;  // the selected record of each table (none: out of range)
    int caret;                 // the selected text's caret, a byte offset (-1: at its end)
    const layer_watch* watch;  // regions that change what `under` draws
    int watch_count;
};

// Draw `under` and every visible item in the direct order through the layers.
// Returns false (having drawn nothing) when layers cannot be used; the
// caller then draws the frame directly.
bool draw_items_layered(const item_frame& f);

// The frame is drawn (before the swap): what was drawn after the layers
// (`layered` true) is remembered, to be mended from them next frame. True
// when the next frame should follow at once (it checks the back buffer and
// mends the one pixel this frame marked for that).
bool item_layers_frame_done(bool layered);

// Forget the layers, so the next frame makes them again.
void item_layers_reset();

// How many times the layers were made (for benchmarks and tests).
extern unsigned item_layer_builds;

// True once the window was found to keep its back buffer between swaps.
bool item_layers_back_kept();

// True when a visible item shows the computer's clock (clock, calendar or
// weekday field), so a frame is due every second.
bool clock_item_on_screen();
