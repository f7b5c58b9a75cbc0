/*******************************************************************************
 * edit/undo.cpp - undo and redo of layout changes
 *
 * Sections: the history | what counts as a change | the rings | steps
 ******************************************************************************/
#include "edit/undo.h"
#include <cstddef>
#include <cstring>

// ---- the history -------------------------------------------------------------------

namespace {

// One item of a step: its cell, whether it was there, and what it held.
struct change {
    item_id id;
    uint8_t before_used, after_used;
    item before, after;
};

struct step {
    uint32_t first, count;   // its records in the ring, as running counters
    bool typing;             // one text's characters alone changed
};

} // namespace

struct undo_history {
    // The copy of the last checkpoint.
    item base[ITEM_CAPACITY];
    uint8_t base_used[ITEM_CAPACITY];
    // The rings. Steps [head - undo_count, head) can be undone, [head, head +
    // redo_count) redone; records are taken from the ring in step order.
    change ring[UNDO_RECORDS];
    step steps[UNDO_STEPS];
    uint32_t head = 0;
    int undo_count = 0, redo_count = 0;
    uint32_t start = 0, end = 0;     // records in use, as running counters
    bool typing_run_open = false;
    uint32_t changes_seen = 0;
};

undo_history_ptr undo_make() { return undo_history_ptr(new undo_history()); }

void undo_history_free::operator()(undo_history* h) const { delete h; }

// ---- what counts as a change ----------------------------------------------------------

namespace {

// Everything of an item but its text.
bool same_apart_from_text(const item& a, const item& b) { return memcmp(&a, &b, offsetof(item, text)) == 0; }

bool same_item(const item& a, const item& b)
{
    if (!same_apart_from_text(a, b)) return false;
    if (a.kind == KIND_TEXT) return strncmp(a.text, b.text, TEXT_LEN) == 0;
    if (a.kind == KIND_TABLE) return memcmp(&a.grid, &b.grid, sizeof a.grid) == 0;
    return true;
}

bool cell_changed(const undo_history& h, const document& d, int i)
{
    const bool was = h.base_used[i], now = d.items.used[i];
    if (was != now) return true;
    return now && !same_item(h.base[i], d.items.cells[i]);
}

// ---- the rings -------------------------------------------------------------------------

step& step_at(undo_history& h, uint32_t k) { return h.steps[k % UNDO_STEPS]; }

// Take the whole pool as the copy of this checkpoint.
void take_base(undo_history& h, const document& d)
{
    memcpy(h.base_used, d.items.used, sizeof h.base_used);
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (d.items.used[i]) h.base[i] = d.items.cells[i];
}

// Drop the steps that could be redone; their records are the newest.
void drop_redo(undo_history& h)
{
    h.redo_count = 0;
    if (h.undo_count == 0) {
        h.start = h.end = 0;
        return;
    }
    const step& top = step_at(h, h.head - 1);
    h.end = top.first + top.count;
}

void drop_oldest(undo_history& h)
{
    const step& old = step_at(h, h.head - h.undo_count);
    h.start = old.first + old.count;
    h.undo_count--;
}

// Make room for a step of `n` records; false when it can never fit.
bool make_room(undo_history& h, uint32_t n)
{
    if (n > (uint32_t)UNDO_RECORDS) return false;
    while (h.undo_count > 0 && (h.undo_count >= UNDO_STEPS || h.end - h.start + n > (uint32_t)UNDO_RECORDS))
        drop_oldest(h);
    return true;
}

// Put one side of a step back into the pool, each item in its own cell.
void apply(undo_history& h, document& d, const step& st, bool after)
{
    for (uint32_t k = 0; k < st.count; k++) pool_destroy(d.items, h.ring[(st.first + k) % UNDO_RECORDS].id);
    for (uint32_t k = 0; k < st.count; k++) {
        const change& c = h.ring[(st.first + k) % UNDO_RECORDS];
        if (after ? c.after_used : c.before_used) pool_create_at(d.items, c.id, after ? c.after : c.before);
    }
    h.typing_run_open = false;
    h.changes_seen++;
    take_base(h, d);
}

} // namespace

// ---- steps ----------------------------------------------------------------------------

void undo_reset(undo_history& h, const document& d)
{
    h.head = 0;
    h.undo_count = h.redo_count = 0;
    h.start = h.end = 0;
    h.typing_run_open = false;
    take_base(h, d);
}

void undo_end_typing_run(undo_history& h) { h.typing_run_open = false; }

void undo_checkpoint(undo_history& h, const document& d, bool under_way)
{
    if (under_way) return;
    uint32_t n = 0;
    int last = -1;
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (cell_changed(h, d, i)) {
            n++;
            last = i;
        }
    if (n == 0) return;
    const bool typing = n == 1 && h.base_used[last] && d.items.used[last] && d.items.cells[last].kind == KIND_TEXT &&
                        same_apart_from_text(h.base[last], d.items.cells[last]);

    // More typing into the text of the open run: the run's step takes the new characters.
    if (typing && h.typing_run_open && h.undo_count > 0 && h.redo_count == 0) {
        const step& top = step_at(h, h.head - 1);
        change& c = h.ring[top.first % UNDO_RECORDS];
        if (top.typing && top.count == 1 && c.id == last) {
            c.after = d.items.cells[last];
            h.base[last] = d.items.cells[last];
            h.changes_seen++;
            return;
        }
    }

    drop_redo(h);
    if (!make_room(h, n)) {
        // Larger than the whole history can hold: it cannot be undone, nor anything before it.
        undo_reset(h, d);
        h.changes_seen++;
        return;
    }
    step& st = step_at(h, h.head);
    st.first = h.end;
    st.count = n;
    st.typing = typing;
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        if (!cell_changed(h, d, i)) continue;
        change& c = h.ring[h.end++ % UNDO_RECORDS];
        c.id = (item_id)i;
        c.before_used = h.base_used[i];
        c.after_used = d.items.used[i];
        if (c.before_used) c.before = h.base[i];
        if (c.after_used) c.after = d.items.cells[i];
    }
    h.head++;
    h.undo_count++;
    h.changes_seen++;
    h.typing_run_open = typing;
    take_base(h, d);
}

bool undo_step(undo_history& h, document& d)
{
    undo_checkpoint(h, d);
    if (h.undo_count == 0) return false;
    h.head--;
    h.undo_count--;
    h.redo_count++;
    apply(h, d, step_at(h, h.head), false);
    return true;
}

bool redo_step(undo_history& h, document& d)
{
    undo_checkpoint(h, d);
    if (h.redo_count == 0) return false;
    apply(h, d, step_at(h, h.head), true);
    h.head++;
    h.undo_count++;
    h.redo_count--;
    return true;
}

int undo_depth(const undo_history& h) { return h.undo_count; }
int redo_depth(const undo_history& h) { return h.redo_count; }
uint32_t undo_changes(const undo_history& h) { return h.changes_seen; }
