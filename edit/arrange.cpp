/*******************************************************************************
 * edit/arrange.cpp - the group, alignment, deletion and the parts of a date or time
 ******************************************************************************/
#include "edit/arrange.h"
#include "items/kinds.h"

// ---- the group ----------------------------------------------------------------------

void group_add(editor& e, item_id id)
{
    if (!doc_item(e.doc, id)) return;
    e.ui.group.set(id);
    e.ui.sel_ref = id;
}

void group_remove(editor& e, item_id id)
{
    if (id < 0 || id >= ITEM_CAPACITY) return;
    e.ui.group.reset(id);
    if (e.ui.sel_ref != id) return;
    // The reference passes to a member that stays (the last one in pool order).
    e.ui.sel_ref = NO_ITEM;
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (e.ui.group[i]) e.ui.sel_ref = (item_id)i;
}

void group_clear(editor& e)
{
    e.ui.group.reset();
    e.ui.sel_ref = NO_ITEM;
}

void align_group(editor& e, int k)
{
    const item* ref = doc_item(e.doc, e.ui.sel_ref);
    if (!ref) return;
    const dot_box r = measure_item(e.doc, *ref);
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        if (!e.ui.group[i]) continue;
        item* it = doc_item(e.doc, (item_id)i);
        if (!it) continue;
        const dot_box b = measure_item(e.doc, *it);
        // Boxes are moved by their measured corner, which a circle has off its centre.
        switch (k) {
        case ALIGN_LEFT: it->x = clamp32(it->x + (r.x - b.x)); break;
        case ALIGN_RIGHT: it->x = clamp32(it->x + (r.x + r.w) - (b.x + b.w)); break;
        case ALIGN_TOP: it->y = clamp32(it->y + (r.y - b.y)); break;
        case ALIGN_BOTTOM: it->y = clamp32(it->y + (r.y + r.h) - (b.y + b.h)); break;
        case SAME_WIDTH: if (kind_of(*it).resizable() && it->kind != KIND_TABLE) it->w = clamp32(r.w); break;
        case SAME_HEIGHT: if (kind_of(*it).resizable() && it->kind != KIND_TABLE) it->h = clamp32(r.h); break;
        default: break;
        }
        // With no current item, one of the group becomes it.
        if (!doc_item(e.doc, e.ui.current)) e.ui.current = (item_id)i;
    }
}

bool delete_selected(editor& e)
{
    bool any = false;
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        if (!e.ui.group[i]) continue;
        if (doc_item(e.doc, (item_id)i)) any = true;
        doc_delete(e.doc, (item_id)i);
    }
    group_clear(e);
    if (doc_item(e.doc, e.ui.current)) {
        doc_delete(e.doc, e.ui.current);
        any = true;
    }
    e.ui.current = NO_ITEM;
    return any;
}

// ---- the parts of a date or time -------------------------------------------------------

namespace {

struct part_slots {
    int16_t slot;
    int32_t code;
};
// The palette's own slots of the date's and the time's parts, leader first.
constexpr part_slots DATE_PARTS[3] = {{0, CODE_YEAR}, {3, CODE_MONTH}, {6, CODE_DAY}};
constexpr part_slots TIME_PARTS[3] = {{12, CODE_HOUR}, {15, CODE_MINUTE}, {18, CODE_SECOND}};

// The variable of a code in a slot, or NO_ITEM.
item_id part_at(const document& d, const part_slots& p)
{
    const item_id id = pool_at_slot(d.items, ITEM_TABLE_UNITS, p.slot);
    const item* it = doc_item(d, id);
    return it && it->kind == KIND_VARIABLE && it->code == p.code ? id : NO_ITEM;
}

void link_parts(document& d, const part_slots* parts)
{
    for (int k = 1; k < 3; k++) {
        const item_id lead = part_at(d, parts[k - 1]), part = part_at(d, parts[k]);
        if (lead != NO_ITEM && part != NO_ITEM) d.items.cells[part].lead = lead;
    }
}

int64_t right_edge(const item& it)
{
    const dot_box b = measure_item(it);
    return b.x + b.w;
}

// The parts after `lead` move by how much its right edge and top moved, and
// take its look; theirs follow them.
void keep_up(document& d, item_id lead, const item& before, int depth)
{
    const item* l = doc_item(d, lead);
    if (!l || depth > ITEM_CAPACITY) return;
    const int64_t dx = right_edge(*l) - right_edge(before), dy = (int64_t)l->y - before.y;
    for (int i = 0; i < ITEM_CAPACITY; i++) {
        if (!d.items.used[i] || d.items.cells[i].lead != lead || i == lead) continue;
        item& part = d.items.cells[i];
        const item was = part;
        part.size = l->size;
        part.thickness = l->thickness;
        part.color = l->color;
        part.x = clamp32(part.x + dx);
        part.y = clamp32(part.y + dy);
        keep_up(d, (item_id)i, was, depth + 1);
    }
}

} // namespace

void link_loaded_parts(document& d)
{
    link_parts(d, DATE_PARTS);
    link_parts(d, TIME_PARTS);
}

void follow_current(editor& e, const item& before)
{
    if (group_exists(e.ui)) return;
    keep_up(e.doc, e.ui.current, before, 0);
}

int parts_after(const document& d, item_id lead, item_id* out, int cap)
{
    // Breadth first from the leader: each part found is looked at for its own.
    int n = 0;
    for (int at = -1; at < n; at++) {
        const item_id from = at < 0 ? lead : out[at];
        for (int i = 0; i < ITEM_CAPACITY && n < cap; i++) {
            if (!d.items.used[i] || d.items.cells[i].lead != from || i == lead) continue;
            bool seen = false;
            for (int k = 0; k < n; k++) seen = seen || out[k] == i;
            if (!seen) out[n++] = (item_id)i;
        }
    }
    return n;
}
