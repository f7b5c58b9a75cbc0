/*******************************************************************************
 * items/handles.h - resize handles and the least sizes a resize leaves
 *
 * A handle is the edge or corner of an item's rectangle the pointer grabs;
 * each moves the sides of the rectangle its own way. The kinds' resize
 * functions (items/graphic_items, items/table_item) go by these.
 *
 * Limits: handles are HANDLE_NONE..HANDLE_TOP; other values move nothing.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: pick a handle (edit/hover does) or resize.
 ******************************************************************************/
#pragma once
#include <cstdint>

// Resize handles (which edge or corner of a rectangle the pointer is on).
enum : int32_t {
    HANDLE_NONE = 0, HANDLE_TOP_LEFT = 1, HANDLE_LEFT = 2, HANDLE_BOTTOM_LEFT = 3, HANDLE_BOTTOM = 4,
    HANDLE_BOTTOM_RIGHT = 5, HANDLE_RIGHT = 6, HANDLE_TOP_RIGHT = 7, HANDLE_TOP = 8
};
constexpr int HANDLE_COUNT = 9;

constexpr int ITEM_MIN_DOTS = 2;        // least width and height a resize leaves, dots
constexpr int CELL_MIN_DOTS = 1;        // least column width and row height a resize leaves

// Which way a handle moves each side: -1 the size shrinks by d, +1 it grows by d, 0 unchanged.
struct handle_way {
    int w, h;
};
constexpr handle_way HANDLE_WAYS[HANDLE_COUNT] = {
    {0, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};

// The way of handle h; a value outside the handles moves nothing.
inline handle_way handle_way_of(int h) { return h >= 0 && h < HANDLE_COUNT ? HANDLE_WAYS[h] : handle_way{0, 0}; }

// The size a handle would leave in one direction stays at least `least`
// (and inside the 32-bit field).
inline bool size_allows(int64_t size, int way, int64_t delta, int least)
{
    const int64_t after = size + (int64_t)way * delta;
    return way == 0 || (after >= least && after <= INT32_MAX);
}
