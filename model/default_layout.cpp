/*******************************************************************************
 * model/default_layout.cpp - the default layout of the item tables
 *
 * Runs once at start-up, before the program file and the script are read.
 * The order matters, because later steps read fields earlier steps set:
 * units, named component records, the range pass over all the records, the
 * placement pass with the valve pictures, record 20, the texts, the buttons.
 ******************************************************************************/
#include "model/default_layout.h"
#include "model/button_rows.h"
#include "model/palette.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/file_write.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

int range_of_record(int index)
{
    for (int r = 0; r < RANGE_COUNT; r++)
        if (index >= digit_ranges[r].first && index <= digit_ranges[r].last) return r;
    return -1;
}

int palette_next(int index)
{
    int r = range_of_record(index);
    if (r < 0 || index + 1 > digit_ranges[r].last) return -1;
    return index + 1;
}

int palette_next_text(int index)
{
    if (index < TEXT_FIRST || index + 1 > TEXT_LAST) return -1;
    return index + 1;
}

void reset_item_tables()
{
    for (Digit_unit& d : digit_table) {
        free(d.bitmap);
        d = Digit_unit();
    }
    for (string_draw& s : string_table) s = string_draw();
    for (graph_draw& g : graph_table) g = graph_draw();
    graph_count = PICTURES_AT_START;
    for (led_unit& u : led_table) u = led_unit();
}

namespace {

// Load a valve picture file whole into the record; a missing, empty or
// oversized file leaves the record without picture data.
void load_valve_picture(Digit_unit& d, const char* path)
{
    free(d.bitmap);
    d.bitmap = nullptr;
    d.bitmap_len = 0;
    // Only a regular file: a pipe or a device there cannot hang the start.
    FILE* f = fopen_regular(path);
    if (!f) return;
    long len = -1;
    if (fseek(f, 0, SEEK_END) == 0) len = ftell(f);
    if (len > 0 && len <= VALVE_FILE_MAX && fseek(f, 0, SEEK_SET) == 0) {
        uint8_t* buf = static_cast<uint8_t*>(calloc((size_t)len, 1));
        if (buf && fread(buf, 1, (size_t)len, f) == (size_t)len) {
            d.bitmap = buf;
            d.bitmap_len = (int32_t)len;
        } else {
            free(buf);
        }
    }
    fclose(f);
}

// A named variable record of the palette.
struct named_record {
    int index, code, x, y, size, digits;  // size/digits 0 = keep
};

const named_record named_records[] = {
    {0, 5, 80, 165, 4, 4},   {3, 6, 155, 165, 4, 0},  {6, 7, 205, 165, 4, 0},
    {2, 17, 90, 215, 4, 4},  {5, 18, 155, 215, 4, 0}, {8, 19, 195, 215, 4, 0},
    {9, 16, 120, 255, 0, 0}, {12, 8, 85, 303, 0, 0},  {15, 9, 133, 303, 0, 0},
    {18, 10, 180, 303, 0, 0}, {20, 20, 130, 565, 4, 4},
    {21, 0, 138, 365, 0, 2}, {27, 0, 138, 415, 0, 2},
    {24, 0, 155, 415, 0, -1}, {30, 0, 155, 465, 0, -1},   // -1: digits 0
    {7, 0, 90, 800, 0, 2},   {4, 1, 130, 800, 0, 2},  {1, 2, 170, 800, 0, 2},
};

void place_units()
{
    int w = panel_width(), h = panel_height();
    for (int i = 0; i < LED_UNIT_COUNT; i++) {
        led_table[i].x = 265;
        led_table[i].y = 145;
        led_table[i].col = i % LED_UNITS_PER_ROW;
        led_table[i].row = i / LED_UNITS_PER_ROW;
    }
    led_table[0].w = w;
    led_table[0].h = h;
}

void place_named_records()
{
    for (const named_record& n : named_records) {
        Digit_unit& d = digit_table[n.index];
        d.reg_addr = n.code;
        d.x = n.x;
        d.y = n.y;
        if (n.size) d.size = n.size;
        if (n.digits > 0) d.digits = n.digits;
        if (n.digits < 0) d.digits = 0;
        d.kind = KIND_VARIABLE;
        d.visible = 1;
    }
    digit_table[20].width = 72;
}

// Fields a whole range shares, with its palette place (x < 0: placed later).
void fill_range(int r, int width, int height, int size, int x, int y)
{
    for (int i = digit_ranges[r].first; i <= digit_ranges[r].last; i++) {
        Digit_unit& d = digit_table[i];
        d.kind = digit_ranges[r].kind;
        d.width = width;
        d.height = height;
        if (size) d.size = size;
        if (x >= 0) {
            d.x = x;
            d.y = y;
        }
    }
}

void range_pass()
{
    const int p = led_pitch;
    const record_range* R = digit_ranges;
    for (int i = R[RANGE_NAMED].first; i <= R[RANGE_NAMED].last; i++) {
        Digit_unit& d = digit_table[i];
        d.kind = KIND_VARIABLE;
        d.width = (d.size + 2) * d.digits * 2;
        d.height = p * d.size * 2;
    }
    // Sizes from the values before the range's own size and digits: 4/2 and 20/2.
    fill_range(RANGE_SAFETY, 24, p * 8, 0, 138, 515);
    for (int i = R[RANGE_SAFETY].first; i <= R[RANGE_SAFETY].last; i++) {
        digit_table[i].reg_addr = SAFETY_CODE_FIRST;
        digit_table[i].digits = 4;
    }
    fill_range(RANGE_BLOCK, 8, 8, 4, -1, 0);
    fill_range(RANGE_LINE, 50, 8, 20, -1, 0);
    fill_range(RANGE_CIRCLE, 40, 20, 40, -1, 0);
    fill_range(RANGE_FILLED_CIRCLE, 40, 20, 40, -1, 0);
    for (int i = R[RANGE_CIRCLE].first; i <= R[RANGE_FILLED_CIRCLE].last; i++) digit_table[i].reg_addr = NO_REGISTER_CODE;
    fill_range(RANGE_VLINE, 5, 20, 20, -1, 0);
    fill_range(RANGE_REGISTER, 88, p * 40, 4, 138, 415);
    for (int i = R[RANGE_REGISTER].first; i <= R[RANGE_REGISTER].last; i++) {
        digit_table[i].reg_addr = i - REGISTER_HOME_BASE;
        digit_table[i].digits = 4;
    }
    // Rectangles, valves and filled rectangles number their records from 0.
    static const struct { int range, height, x, y; } numbered[] = {
        {RANGE_RECT, 30, 155, 657}, {RANGE_VALVE, 25, 125, 335}, {RANGE_FILLED_RECT, 30, 155, 757}};
    for (const auto& n : numbered) {
        fill_range(n.range, 60, n.height, 20, n.x, n.y);
        for (int i = R[n.range].first; i <= R[n.range].last; i++) digit_table[i].reg_addr = i - R[n.range].first;
    }
    // The phantom record takes the table defaults too.
    for (int i = R[RANGE_TABLE].first; i <= NO_ITEM; i++) {
        Digit_unit& d = digit_table[i];
        d.kind = KIND_TABLE;
        d.size = 20;
        d.x = 110;
        d.y = 455;
        d.width = 0;
        d.height = 0;
        d.cols = 4;
        d.rows = 3;
        for (int k = 0; k < TABLE_MAX - 1; k++) {
            d.col_width[k] = 20;
            d.row_height[k] = 10;
        }
    }
    // The first record of every range stands in the palette.
    for (const record_range& r : digit_ranges) digit_table[r.first].visible = 1;
}

void placement_pass()
{
    for (int i = 0; i <= digit_ranges[RANGE_VLINE].last; i++) {
        Digit_unit& d = digit_table[i];
        if (d.reg_addr == NO_REGISTER_CODE && d.kind == KIND_FILLED_CIRCLE) { d.x = 110; d.y = 769; }
        else if (d.reg_addr == NO_REGISTER_CODE && d.kind == KIND_CIRCLE) { d.x = 110; d.y = 669; }
        else if (d.kind == KIND_BLOCK) { d.x = 110; d.y = 715; }
        else if (d.kind == KIND_COLON) { d.x = 140; d.y = 715; }
        else if (d.kind == KIND_LINE) { d.x = 130; d.y = 715; }
        else if (d.kind == KIND_VLINE) { d.x = 190; d.y = 715; }
        else if (d.reg_addr < 4) { d.x = 120; d.y = 615; d.digits = 6; }
    }
    for (int k = 0; k < VALVE_PICTURES; k++) load_valve_picture(digit_table[digit_ranges[RANGE_VALVE].first + k], id_bmp_path[k]);
}

void place_record_20()
{
    Digit_unit& d = digit_table[20];
    d.reg_addr = 20;
    d.x = 130;
    d.y = 565;
    d.size = 4;
    d.digits = 4;
    d.width = 72;
}

void place_texts()
{
    const int p = led_pitch;
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& s = string_table[i];
        s.x = p * 30 + 75;
        s.box_height = s.font_size * p;
        if (i < TEXT_SCROLL_FIRST) {
            s.y = 373;
            s.mode = 0;
            s.reg_addr = (uint8_t)(i % 256);
            s.box_width = s.font_size * p * 3 / 2;
        } else {
            s.y = 423;
            s.mode = 1;
            s.box_width = 36;
            s.reg_addr = (uint8_t)((50 + (i - TEXT_SCROLL_FIRST)) % 256);
        }
    }
    string_table[0].visible = 1;
    string_table[TEXT_SCROLL_FIRST].visible = 0;
}

} // namespace

void default_layout()
{
    place_units();
    place_named_records();
    range_pass();
    placement_pass();
    place_record_20();
    place_texts();
    layout_button_rows();
    remember_palette_samples();
}
