/*******************************************************************************
 * model/palette.cpp - refilling emptied palette cells from free records
 ******************************************************************************/
#include "model/palette.h"
#include "model/settings.h"
#include "model/default_layout.h"
#include "model/tables.h"

namespace {

constexpr int ANY_CODE = -1;

// One cell of the palette: its sample record, the records that may stand in
// for it, and for the variable items sharing one range the codes it shows.
struct palette_cell {
    int sample;
    int first, last;
    int32_t code_lo, code_hi;   // ANY_CODE: every record of the range
};

// The variable items of the first range each have a cell of their own; every
// other range has one cell, shown by its first record.
constexpr int NAMED_LAST = 32;
constexpr palette_cell NAMED_CELLS[] = {
    {0, 0, NAMED_LAST, 5, 5},    {3, 0, NAMED_LAST, 6, 6},    {6, 0, NAMED_LAST, 7, 7},     // date
    {2, 0, NAMED_LAST, 17, 17},  {5, 0, NAMED_LAST, 18, 18},  {8, 0, NAMED_LAST, 19, 19},   // lunar date
    {9, 0, NAMED_LAST, 16, 16},                                                             // weekday
    {12, 0, NAMED_LAST, 8, 8},   {15, 0, NAMED_LAST, 9, 9},   {18, 0, NAMED_LAST, 10, 10},  // time
    {20, 0, NAMED_LAST, 20, 20},                                                            // wind
    {1, 0, NAMED_LAST, 0, 4},                                                               // counters
};
constexpr int NAMED_CELL_COUNT = sizeof NAMED_CELLS / sizeof NAMED_CELLS[0];
constexpr int CELL_COUNT = NAMED_CELL_COUNT + RANGE_COUNT - 1;
constexpr int TEXT_STATIC_LAST = TEXT_SCROLL_FIRST - 1;   // the text cell offers static texts

palette_cell cells[CELL_COUNT];
Digit_unit unit_samples[CELL_COUNT];
string_draw text_sample;
int32_t default_place[DIGIT_COUNT][2];
int32_t default_code[DIGIT_COUNT];
int32_t text_place[STRING_COUNT][2];
uint8_t text_code[STRING_COUNT];
bool remembered = false;

// A shown record of the cell's kind stands in the palette column.
bool cell_offered(const palette_cell& c)
{
    for (int i = c.first; i <= c.last; i++) {
        const Digit_unit& d = digit_table[i];
        if (!d.visible || d.x >= PANEL_X) continue;
        if (c.code_lo == ANY_CODE || (d.reg_addr >= c.code_lo && d.reg_addr <= c.code_hi)) return true;
    }
    return false;
}

// Hidden and untouched since the default layout, or deleted.
bool unit_free(int i)
{
    const Digit_unit& d = digit_table[i];
    if (d.visible) return false;
    return d.y >= DELETED_Y || (d.x == default_place[i][0] && d.y == default_place[i][1]);
}

// Record i becomes the cell's sample, keeping its own picture and, outside
// the named range, its own default code.
void dress_as_sample(int i, const palette_cell& c, const Digit_unit& sample)
{
    Digit_unit& d = digit_table[i];
    uint8_t* const bitmap = d.bitmap;
    const int32_t bitmap_len = d.bitmap_len;
    d = sample;
    d.bitmap = bitmap;
    d.bitmap_len = bitmap_len;
    if (c.code_lo == ANY_CODE) d.reg_addr = default_code[i];
    d.group_selected = 0;
    d.visible = 1;
}

// The text cell: a static text standing left of the panel.
bool text_cell_offered()
{
    for (int i = TEXT_FIRST; i <= TEXT_STATIC_LAST; i++)
        if (string_table[i].visible && string_table[i].x < PANEL_X) return true;
    return false;
}

// Hidden and untouched since the default layout, or deleted.
bool text_free(int i)
{
    const string_draw& s = string_table[i];
    if (s.visible) return false;
    return s.y >= DELETED_Y || (s.x == text_place[i][0] && s.y == text_place[i][1]);
}

int refill_text_cell()
{
    if (text_cell_offered()) return 0;
    for (int i = TEXT_FIRST; i <= TEXT_STATIC_LAST; i++) {
        string_draw& s = string_table[i];
        if (!text_free(i)) continue;
        s = text_sample;
        s.reg_addr = text_code[i];
        s.group_selected = 0;
        s.visible = 1;
        return 1;
    }
    return 0;
}

} // namespace

void remember_palette_samples()
{
    int n = 0;
    for (const palette_cell& c : NAMED_CELLS) cells[n++] = c;
    for (int r = 0; r < RANGE_COUNT; r++) {
        if (r == RANGE_NAMED) continue;
        const record_range& rg = digit_ranges[r];
        cells[n++] = {rg.first, rg.first, rg.last, ANY_CODE, ANY_CODE};
    }
    for (int k = 0; k < CELL_COUNT; k++) {
        unit_samples[k] = digit_table[cells[k].sample];
        unit_samples[k].bitmap = nullptr;   // each record keeps its own picture
        unit_samples[k].bitmap_len = 0;
    }
    for (int i = 0; i < DIGIT_COUNT; i++) {
        default_place[i][0] = digit_table[i].x;
        default_place[i][1] = digit_table[i].y;
        default_code[i] = digit_table[i].reg_addr;
    }
    text_sample = string_table[TEXT_FIRST];
    for (int i = 0; i < STRING_COUNT; i++) {
        text_place[i][0] = string_table[i].x;
        text_place[i][1] = string_table[i].y;
        text_code[i] = string_table[i].reg_addr;
    }
    remembered = true;
}

int refill_palette()
{
    if (!remembered) return 0;
    int placed = 0;
    for (int k = 0; k < CELL_COUNT; k++) {
        const palette_cell& c = cells[k];
        if (cell_offered(c)) continue;
        for (int i = c.first; i <= c.last && i <= NO_ITEM - 1; i++) {
            if (!unit_free(i)) continue;
            dress_as_sample(i, c, unit_samples[k]);
            placed++;
            break;
        }
    }
    return placed + refill_text_cell();
}

int palette_free_record(int range)
{
    if (range < 0 || range >= RANGE_COUNT) return -1;
    for (int i = digit_ranges[range].first; i <= digit_ranges[range].last && i < NO_ITEM; i++)
        if (unit_free(i)) return i;
    return -1;
}

int palette_free_text()
{
    for (int i = TEXT_FIRST; i <= TEXT_LAST; i++)
        if (text_free(i)) return i;
    return -1;
}
