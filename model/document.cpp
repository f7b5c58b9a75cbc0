/*******************************************************************************
 * model/document.cpp - the document's storage, slots and settings values
 ******************************************************************************/
#include "model/document.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void copy_field(char* dst, int cap, const char* src)
{
    if (!dst || cap <= 0) return;
    if (!src) src = "";
    size_t n = strnlen(src, (size_t)cap - 1);
    memcpy(dst, src, n);
    dst[n] = 0;
}

int format_field(char* dst, int cap, const char* fmt, ...)
{
    if (!dst || cap <= 0) return 0;
    va_list ap;
    va_start(ap, fmt);
    int n = vsnprintf(dst, (size_t)cap, fmt, ap);
    va_end(ap);
    return n;
}

int text_length(const item& t) { return t.kind == KIND_TEXT ? (int)strnlen(t.text, TEXT_LEN - 1) : 0; }

bool setting_number(const char* text, long lo, long hi, long& out)
{
    if (!text) return false;
    while (*text == ' ' || *text == '\t') text++;
    long v = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; text++, digits++) {
        v = v * 10 + (*text - '0');
        if (v > hi) return false;   // stops before any overflow
    }
    while (*text == ' ' || *text == '\t') text++;
    if (digits == 0 || *text != 0 || v < lo) return false;
    out = v;
    return true;
}

int panel_dots(const std::string& text)
{
    long v = 0;
    return setting_number(text.c_str(), PANEL_MIN_DOTS, PANEL_MAX_DOTS, v) ? (int)v : 0;
}

document::document()
{
    pool_clear(items);
    memset(regions, 0, sizeof regions);
}

document::~document()
{
    for (valve_image& v : valves) free(v.bytes);
}

void doc_clear_layout(document& d)
{
    pool_clear(d.items);
    for (doc_picture& p : d.pictures) p = doc_picture();
    d.picture_count = PICTURES_AT_START;
    memset(d.regions, 0, sizeof d.regions);
}

namespace {

// The lowest free slot of a range, or NO_SLOT.
int16_t free_in(const document& d, range_id r)
{
    if (r >= RANGE_COUNT) return NO_SLOT;
    const slot_range& s = slot_ranges[r];
    for (int i = s.first; i <= s.last; i++)
        if (d.items.by_slot[s.table][i] == NO_ITEM) return (int16_t)i;
    return NO_SLOT;
}

// The variable ranges, in the order a variable that finds its own full tries them.
constexpr range_id VARIABLE_RANGES[] = {RANGE_NAMED, RANGE_SAFETY, RANGE_REGISTER};

int range_size(range_id r) { return r < RANGE_COUNT ? slot_ranges[r].last - slot_ranges[r].first + 1 : 0; }

// How many items of this kind (and code) a layout holds: the slots
// doc_free_slot looks through.
int kind_room(item_kind kind, int32_t code)
{
    if (kind != KIND_VARIABLE) return range_size(form_of(kind).range);
    if (variable_range(code) == RANGE_REGISTER) return range_size(RANGE_REGISTER);
    int room = 0;
    for (range_id r : VARIABLE_RANGES) room += range_size(r);
    return room;
}

} // namespace

int16_t doc_free_slot(const document& d, item_kind kind, int32_t code)
{
    if (kind != KIND_VARIABLE) return free_in(d, form_of(kind).range);
    const range_id own = variable_range(code);
    int16_t s = free_in(d, own);
    // The script puts a register variable back into the register range
    // whatever slot it was saved from: outside it, one would not load again.
    if (own == RANGE_REGISTER) return s;
    for (range_id r : VARIABLE_RANGES)
        if (s == NO_SLOT) s = free_in(d, r);
    return s;
}

outcome doc_create(document& d, const item& from, item_id& out)
{
    out = NO_ITEM;
    item it = from;
    const item_table t = table_of(it.kind);
    if (it.slot < 0 || it.slot >= SLOT_COUNT || d.items.by_slot[t][it.slot] != NO_ITEM)
        it.slot = doc_free_slot(d, it.kind, it.code);
    if (it.slot == NO_SLOT) return outcome_fail(MSG_KIND_FULL, kind_room(it.kind, it.code));
    out = pool_create(d.items, it);
    if (out == NO_ITEM) return outcome_fail(MSG_KIND_FULL, ITEM_CAPACITY);
    return outcome_ok();
}

void doc_delete(document& d, item_id id)
{
    // Parts that followed it stand on their own now.
    for (int i = 0; i < ITEM_CAPACITY; i++)
        if (d.items.used[i] && d.items.cells[i].lead == id) d.items.cells[i].lead = NO_ITEM;
    pool_destroy(d.items, id);
}

bool doc_on_panel(const document& d, int64_t x, int64_t y)
{
    return x >= 0 && y >= 0 && x < d.settings.panel_w && y < d.settings.panel_h;
}

const valve_image* doc_valve(const document& d, int32_t number)
{
    if (number < 0 || number >= VALVE_PICTURES || !d.valves[number].bytes) return nullptr;
    return &d.valves[number];
}
