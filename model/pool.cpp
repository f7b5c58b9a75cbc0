/*******************************************************************************
 * model/pool.cpp - cells, the free list and the slot index
 ******************************************************************************/
#include "model/pool.h"
#include <cstring>

namespace {

bool valid_slot(int16_t slot) { return slot >= 0 && slot < SLOT_COUNT; }

// Take cell `id` out of the free list.
void unlink_free(item_pool& p, item_id id)
{
    if (p.free_head == id) {
        p.free_head = p.next_free[id];
        return;
    }
    for (item_id at = p.free_head; at != NO_ITEM; at = p.next_free[at])
        if (p.next_free[at] == id) {
            p.next_free[at] = p.next_free[id];
            return;
        }
}

} // namespace

void pool_clear(item_pool& p)
{
    memset(p.used, 0, sizeof p.used);
    for (int i = 0; i < ITEM_CAPACITY; i++) p.next_free[i] = i + 1 < ITEM_CAPACITY ? (item_id)(i + 1) : NO_ITEM;
    p.free_head = 0;
    p.count = 0;
    for (auto& t : p.by_slot)
        for (item_id& id : t) id = NO_ITEM;
}

item_id pool_create_at(item_pool& p, item_id id, const item& from)
{
    if (id < 0 || id >= ITEM_CAPACITY || p.used[id]) return NO_ITEM;
    const item_table t = table_of(from.kind);
    if (valid_slot(from.slot) && p.by_slot[t][from.slot] != NO_ITEM) return NO_ITEM;
    unlink_free(p, id);
    p.cells[id] = from;
    p.used[id] = 1;
    p.count++;
    if (valid_slot(from.slot)) p.by_slot[t][from.slot] = id;
    return id;
}

item_id pool_create(item_pool& p, const item& from)
{
    if (p.free_head == NO_ITEM) return NO_ITEM;
    return pool_create_at(p, p.free_head, from);
}

void pool_destroy(item_pool& p, item_id id)
{
    item* it = pool_get(p, id);
    if (!it) return;
    if (valid_slot(it->slot) && p.by_slot[table_of(it->kind)][it->slot] == id) p.by_slot[table_of(it->kind)][it->slot] = NO_ITEM;
    p.used[id] = 0;
    p.next_free[id] = p.free_head;
    p.free_head = id;
    p.count--;
}

item* pool_get(item_pool& p, item_id id)
{
    return id >= 0 && id < ITEM_CAPACITY && p.used[id] ? &p.cells[id] : nullptr;
}

const item* pool_get(const item_pool& p, item_id id)
{
    return id >= 0 && id < ITEM_CAPACITY && p.used[id] ? &p.cells[id] : nullptr;
}

bool pool_move_slot(item_pool& p, item_id id, int16_t slot)
{
    item* it = pool_get(p, id);
    if (!it) return false;
    const item_table t = table_of(it->kind);
    if (valid_slot(slot) && p.by_slot[t][slot] != NO_ITEM && p.by_slot[t][slot] != id) return false;
    if (valid_slot(it->slot) && p.by_slot[t][it->slot] == id) p.by_slot[t][it->slot] = NO_ITEM;
    it->slot = slot;
    if (valid_slot(slot)) p.by_slot[t][slot] = id;
    return true;
}

item_id pool_at_slot(const item_pool& p, item_table t, int slot)
{
    return t < ITEM_TABLES && slot >= 0 && slot < SLOT_COUNT ? p.by_slot[t][slot] : NO_ITEM;
}
