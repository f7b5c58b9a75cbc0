/*******************************************************************************
 * model/pool.h - the items of a layout: a fixed pool with a free list
 *
 * Every item lives in one cell of a pool allocated with the document; create
 * takes a cell from the free list, destroy gives it back, and nothing is
 * allocated per item. A cell's index is the item's id for as long as it
 * lives: the selection, the undo history and the views name items by id.
 *
 * Each item also holds a slot of its numbering (model/item.h); the pool keeps
 * which item holds each slot, so items are walked in slot order (the order
 * the script writes them and the panel draws them) and a free slot is found
 * at once.
 *
 * Limits: ITEM_CAPACITY items, the slots of both numberings; a slot holds one
 * item at a time.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: choose slots (model/document does) or know about kinds.
 ******************************************************************************/
#pragma once
#include "model/item.h"
#include <cstdint>

typedef int16_t item_id;
constexpr item_id NO_ITEM = -1;
constexpr int ITEM_CAPACITY = ITEM_TABLES * SLOT_COUNT;

struct item_pool {
    item cells[ITEM_CAPACITY];
    uint8_t used[ITEM_CAPACITY];
    item_id next_free[ITEM_CAPACITY];
    item_id free_head;
    int count;
    item_id by_slot[ITEM_TABLES][SLOT_COUNT];   // the item holding each slot, or NO_ITEM
};

// Empty the pool: every cell free, every slot free.
void pool_clear(item_pool& p);

// Create an item as a copy of `from` in a free cell; its slot (which must be
// free, or NO_SLOT for an item held outside the numbering) is taken. Returns
// its id, or NO_ITEM when the pool or the slot is taken.
item_id pool_create(item_pool& p, const item& from);
// Create it in cell `id` (which must be free): undo puts items back where they were.
item_id pool_create_at(item_pool& p, item_id id, const item& from);
// Give the item's cell and slot back.
void pool_destroy(item_pool& p, item_id id);

// The live item of an id, or null.
item* pool_get(item_pool& p, item_id id);
const item* pool_get(const item_pool& p, item_id id);

// Move an item to another slot of its numbering; false when that slot is taken.
bool pool_move_slot(item_pool& p, item_id id, int16_t slot);

// The item holding a slot, or NO_ITEM.
item_id pool_at_slot(const item_pool& p, item_table t, int slot);

// Call visit(id, item) for the items of numbering `t` in slot order.
template <class Visit>
void pool_walk(const item_pool& p, item_table t, Visit visit)
{
    for (int s = 0; s < SLOT_COUNT; s++) {
        const item_id id = p.by_slot[t][s];
        if (id != NO_ITEM) visit(id, p.cells[id]);
    }
}
template <class Visit>
void pool_walk(item_pool& p, item_table t, Visit visit)
{
    for (int s = 0; s < SLOT_COUNT; s++) {
        const item_id id = p.by_slot[t][s];
        if (id != NO_ITEM) visit(id, p.cells[id]);
    }
}
