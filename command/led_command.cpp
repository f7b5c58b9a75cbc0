/*******************************************************************************
 * command/led_command.cpp - the `led` command
 ******************************************************************************/
#include "command/led_command.h"
#include "model/default_layout.h"
#include "model/font_sizes.h"
#include "model/line_forms.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "model/text_measure.h"
#include <cstring>

load_state load;

void load_state_reset() { memset(&load, 0, sizeof load); }

int64_t read_number(const char* text)
{
    if (!text) return 0;
    bool negative = false;
    if (*text == '-') {
        negative = true;
        text++;
    }
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    // Every character adds a digit; the value stops growing far past any field.
    const int64_t cap = (int64_t)1 << 50;
    int64_t v = 0;
    for (; *text; text++) {
        unsigned char c = (unsigned char)*text;
        int d = 0;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (v < cap) v = v * base + d;
    }
    return negative ? -v : v;
}

bool is_number(const char* text)
{
    if (!text || !*text) return false;
    if (*text == '-') text++;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text += 2;
        if (!*text) return false;
        for (; *text; text++)
            if (!strchr("0123456789abcdefABCDEF", *text)) return false;
        return true;
    }
    if (!*text) return false;
    for (; *text; text++)
        if (*text < '0' || *text > '9') return false;
    return true;
}


void restore_digit_record(int index)
{
    load.digit_restored[index] = 1;
    digit_table[index].visible = 1;
    int next = palette_next(index);
    if (next >= 0) digit_table[next].visible = 1;
}

uint8_t font_step_of(int font_size)
{
    uint8_t step = 0;
    for (int k = 1; k <= FONT_SIZE_COUNT; k++)
        if (font_size >= FONT_SIZES[k - 1]) step = (uint8_t)k;
    return step;
}

// Lines with more arguments than their form load with the form's arguments,
// and say so: the same for every line form.
void note_unused_arguments(int argc, int used)
{
    if (argc > used) cmd_change("arguments after the %dth are not used", used);
}

namespace {

// Reads numeric arguments with their bounds; the first failure refuses the
// line and every later read returns 0.
struct arg_reader {
    int argc;
    cmd_arg_text* argv;
    bool ok = true;

    int64_t num(int i, int64_t lo, int64_t hi, const char* what)
    {
        if (!ok) return 0;
        if (i >= argc) {
            ok = false;
            cmd_refuse("missing %s", what);
            return 0;
        }
        int64_t v = read_number(argv[i]);
        if (v < lo || v > hi) {
            ok = false;
            cmd_refuse("%s %lld is out of range %lld..%lld", what, (long long)v, (long long)lo,
                       (long long)hi);
            return 0;
        }
        if (!is_number(argv[i])) cmd_change("%s \"%.24s\" is not a number, read as %lld", what, argv[i], (long long)v);
        return v;
    }
    int64_t dots(int i, const char* what) { return num(i, -SCRIPT_COORD_MAX, SCRIPT_COORD_MAX, what); }
    int64_t color(int i) { return num(i, 0, 255, "colour"); }
    int64_t i32(int i, const char* what) { return num(i, INT32_MIN, INT32_MAX, what); }

    // The numbers of a line form from argument `first` on, each with the
    // bounds of its field (model/line_forms); fixed words and unread
    // numbers are skipped.
    void form(const line_form& f, int first, int64_t* v)
    {
        for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
            const field_bounds b = bounds_of(f.fields[k]);
            if (b.number) v[k] = num(first + k, b.lo, b.hi, f.fields[k].name);
        }
    }
};

} // namespace

bool read_form(const line_form& f, int argc, cmd_arg_text* argv, int first, int64_t* v)
{
    arg_reader a{argc, argv};
    a.form(f, first, v);
    return a.ok;
}

namespace {

// Next free record of a range, advancing its counter past records restored
// by earlier lines; -1 when the range is full.
int take_record(int r, int& counter)
{
    const record_range& rg = digit_ranges[r];
    while (rg.first + counter <= rg.last && load.digit_restored[rg.first + counter]) counter++;
    if (rg.first + counter > rg.last) return -1;
    return rg.first + counter++;
}

int take_text_record()
{
    while (load.text_count <= TEXT_LAST && load.text_restored[load.text_count]) load.text_count++;
    if (load.text_count > TEXT_LAST) return -1;
    return load.text_count++;
}

void note_if_off_panel(int32_t x, int32_t y)
{
    if (!item_in_panel(x, y)) cmd_change("position lies outside the panel; the item is not saved again");
}

// Line metrics of a text (the same count the text renderer and the editor use),
// then the record is live: it and the palette's next text are shown.
cmd_status finish_text_record(string_draw& s, int index)
{
    measure_text(s.text, s.line_chars, s.max_line_chars, s.line_count);
    s.text_ready = 1;
    s.visible = 1;
    load.text_restored[index] = 1;
    int next = palette_next_text(index);
    if (next >= 0) string_table[next].visible = 1;
    note_if_off_panel(s.x, s.y);
    return CMD_DONE;
}

// Everything a text line sets, gathered before any record is touched.
struct text_line {
    int font_size;
    int64_t color, x, y;
    int mode;
    int reg_addr;
    bool scrolling;
    int64_t box_w, box_h, speed_arg, direction;
    char text[TEXT_LEN];
    size_t text_len;
};

// A text size as the export writes it: two digits, no leading zero, and a
// size the dot-matrix fonts have; anything else would not load again.
bool two_digit_size(const char* tok, int& size)
{
    if (tok[0] < '1' || tok[0] > '9' || tok[1] < '0' || tok[1] > '9') return false;
    size = (tok[0] - '0') * 10 + (tok[1] - '0');
    return text_size_known(size);
}

cmd_status store_text(int32_t context, const text_line& t)
{
    int index = take_text_record();
    if (index < 0) return cmd_refuse("the text table is full (%d texts)", TEXT_LAST + 1);
    string_draw& s = string_table[index];
    s.owner = context;
    s.font_size = (uint8_t)t.font_size;
    s.font_step = font_step_of(t.font_size);
    s.color = (int32_t)t.color;
    s.x = dot_to_screen_x(t.x);
    s.y = dot_to_screen_y(t.y);
    if (t.scrolling) {
        s.box_width = (int32_t)(t.box_w * led_pitch);
        s.box_height = (int32_t)(t.box_h * led_pitch);
        s.speed = (int32_t)(30 - t.speed_arg);
        s.direction = (uint8_t)t.direction;
    } else {
        s.box_height = t.font_size * led_pitch;
    }
    memset(s.text, 0, sizeof s.text);
    memcpy(s.text, t.text, t.text_len);
    s.text_len = (int32_t)t.text_len;
    s.reg_addr = (uint8_t)t.reg_addr;
    s.mode = (uint8_t)t.mode;
    return finish_text_record(s, index);
}

bool set_text(text_line& t, const char* const* pieces, int count)
{
    size_t n = 0;
    for (int k = 0; k < count; k++) n += strlen(pieces[k]);
    if (n > (size_t)SCRIPT_TEXT_MAX) {
        cmd_refuse("text of %zu bytes is longer than %d", n, SCRIPT_TEXT_MAX);
        return false;
    }
    t.text_len = 0;
    for (int k = 0; k < count; k++) {
        size_t m = strlen(pieces[k]);
        memcpy(t.text + t.text_len, pieces[k], m);
        t.text_len += m;
    }
    t.text[t.text_len] = 0;
    return true;
}

cmd_status static_text(int32_t context, int argc, cmd_arg_text* argv)
{
    text_line t{};
    if (!two_digit_size(argv[0], t.font_size)) return cmd_refuse("font size must be one of 12 to 24, 32, 48 or 64");
    if (argc < 4) return cmd_refuse("missing arguments of a static text");
    if (argc > 6) return cmd_refuse("too many arguments for a static text (a text holds no spaces)");
    arg_reader a{argc, argv};
    t.color = a.i32(1, "colour");
    t.x = a.dots(2, "x");
    t.y = a.dots(3, "y");
    const char* text = "";
    // Five arguments ending in a blank: a switched text whose text is empty.
    bool switched = argc == 6 || (argc == 5 && cmd_trailing_blank && is_number(argv[4]));
    if (switched) {
        t.reg_addr = (int)a.num(4, 0, 255, "register");
        t.mode = 2;
        if (argc == 6) text = argv[5];
    } else {
        t.reg_addr = 50;
        t.mode = 0;
        if (argc == 5) text = argv[4];
    }
    if (!a.ok) return CMD_REFUSED;
    if (!set_text(t, &text, 1)) return CMD_REFUSED;
    return store_text(context, t);
}

cmd_status scrolling_text(int32_t context, int argc, cmd_arg_text* argv)
{
    text_line t{};
    if (!two_digit_size(argv[0], t.font_size)) return cmd_refuse("font size must be one of 12 to 24, 32, 48 or 64");
    if (argc < 9) return cmd_refuse("missing arguments of a scrolling text");
    if (argc > 12) return cmd_refuse("too many arguments for a scrolling text (at most three text pieces)");
    arg_reader a{argc, argv};
    t.scrolling = true;
    t.color = a.i32(1, "colour");
    t.x = a.dots(2, "x");
    t.y = a.dots(3, "y");
    t.box_w = a.dots(4, "box width");
    t.box_h = a.dots(5, "box height");
    t.speed_arg = a.num(6, -SCRIPT_COORD_MAX, SCRIPT_COORD_MAX, "speed");
    int64_t reg = a.num(7, 0, 255, "register");
    t.direction = a.num(8, 0, 255, "direction");
    if (!a.ok) return CMD_REFUSED;
    if (reg >= 50) {
        // Always shown: the number only has to come back as it was written,
        // which the writer does for values below 50 by adding 50.
        t.reg_addr = (int)(reg < 100 ? reg - 50 : reg);
        t.mode = 1;
    } else {
        t.reg_addr = (int)reg;
        t.mode = 3;
    }
    const char* pieces[3];
    int count = 0;
    for (int k = 9; k < argc; k++) pieces[count++] = argv[k];
    if (!set_text(t, pieces, count)) return CMD_REFUSED;
    return store_text(context, t);
}

cmd_status plain_text(int32_t context, int argc, cmd_arg_text* argv)
{
    if (argc < 4) return cmd_refuse("missing arguments of a plain text");
    if (argc > 5) return cmd_refuse("too many arguments for a plain text");
    arg_reader a{argc, argv};
    int64_t color = a.i32(1, "colour");
    int64_t x = a.dots(2, "x"), y = a.dots(3, "y");
    if (!a.ok) return CMD_REFUSED;
    const char* text = argc == 5 ? argv[4] : "";
    if (strlen(text) > (size_t)SCRIPT_TEXT_MAX) return cmd_refuse("text is longer than %d bytes", SCRIPT_TEXT_MAX);
    int index = take_text_record();
    if (index < 0) return cmd_refuse("the text table is full (%d texts)", TEXT_LAST + 1);
    string_draw& s = string_table[index];
    s.owner = context;
    s.font_size = 16;
    s.font_step = font_step_of(16);
    s.color = (int32_t)color;
    s.x = dot_to_screen_x(x);
    s.y = dot_to_screen_y(y);
    memset(s.text, 0, sizeof s.text);
    copy_field(s.text, TEXT_LEN, text);
    s.text_len = (int32_t)strlen(s.text);
    return finish_text_record(s, index);
}

// A merge line inside a table block: the grid piece between two merged cells.
cmd_status table_merge(int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    if (load.cell_index == 0) return cmd_refuse("merge line before the table's first cell");
    Digit_unit& t = digit_table[load.table_record];
    if (t.merge_count >= TABLE_MAX) return cmd_refuse("the table already holds %d merges", TABLE_MAX);
    merge_record& m = t.merges[t.merge_count];
    int32_t ax0 = dot_to_screen_x(x0), ay0 = dot_to_screen_y(y0);
    m.flag = 1;
    m.x0 = t.x - ax0;
    m.y0 = t.y - ay0;
    m.x1 = t.x - dot_to_screen_x(x1);
    m.y1 = t.y - dot_to_screen_y(y1);
    // The merged pair: the column whose right edge is nearest the line, and
    // the row the line starts in.
    int cols = t.cols < TABLE_MAX ? t.cols : TABLE_MAX;
    int rows = t.rows < TABLE_MAX ? t.rows : TABLE_MAX;
    int64_t dx = ax0 - t.x, dy = ay0 - t.y, edge = 0, best = INT64_MAX;
    m.col = 0;
    for (int c = 0; c + 1 < cols; c++) {
        edge += t.col_width[c];
        int64_t dist = edge > dx ? edge - dx : dx - edge;
        if (dist < best) { best = dist; m.col = c; }
    }
    int64_t top = 0;
    m.row = rows > 0 ? rows - 1 : 0;
    for (int r = 0; r < rows; r++) {
        if (dy < top + t.row_height[r]) { m.row = r; break; }
        top += t.row_height[r];
    }
    t.merge_count++;
    return CMD_DONE;
}

cmd_status table_cell(int64_t color, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    if (load.table_refused) return cmd_refuse("inside a table block that was refused");
    if (load.cell_index >= load.table_cols * load.table_rows)
        return cmd_refuse("more cells than the table's %d x %d", load.table_cols, load.table_rows);
    Digit_unit& t = digit_table[load.table_record];
    t.kind = KIND_TABLE;
    t.col_width[load.cell_col] = (int32_t)((x2 - x1) * led_pitch);
    t.row_height[load.cell_row] = (int32_t)((y2 - y1) * led_pitch);
    if (load.cell_index == 0) {
        t.color = (uint8_t)color;
        t.x = dot_to_screen_x(x1);
        t.y = dot_to_screen_y(y1);
        t.size = (int32_t)((x2 - x1) * led_pitch);
        t.cols = (uint8_t)load.table_cols;
        t.rows = (uint8_t)load.table_rows;
    }
    load.cell_index++;
    if (load.cell_index % load.table_rows != 0) {
        load.cell_row++;
    } else {
        load.cell_col++;
        load.cell_row = 0;
    }
    return CMD_DONE;
}

// Close the open table block: show the table when it got cells.
cmd_status close_table()
{
    cmd_status st = CMD_DONE;
    if (load.table_refused) {
        st = CMD_REFUSED;
    } else if (load.cell_index == 0) {
        load.digit_restored[load.table_record] = 0;
        load.table_count--;
        st = CMD_REFUSED;
    } else {
        Digit_unit& t = digit_table[load.table_record];
        restore_digit_record(load.table_record);
        note_if_off_panel(t.x, t.y);
        if (load.cell_index < load.table_cols * load.table_rows)
            cmd_change("the table got %d of its %d cells", load.cell_index, load.table_cols * load.table_rows);
    }
    load.in_table = 0;
    load.table_refused = 0;
    load.table_cols = load.table_rows = 0;
    return st;
}

cmd_status table_begin(int argc, cmd_arg_text* argv)
{
    if (load.in_table) {
        close_table();
        cmd_change("the previous table block had no end; it was closed here");
    }
    // From here on the block is open: a refused begin drops its cells too.
    load.in_table = 1;
    load.table_refused = 1;
    load.cell_index = load.cell_col = load.cell_row = 0;
    arg_reader a{argc, argv};
    int64_t cols = a.num(2, 1, TABLE_MAX, "column count");
    int64_t rows = a.num(3, 1, TABLE_MAX, "row count");
    if (!a.ok) return CMD_REFUSED;
    note_unused_arguments(argc, 4);
    int i = take_record(RANGE_TABLE, load.table_count);
    if (i < 0) return cmd_refuse("the table range is full");
    load.digit_restored[i] = 1;  // reserved until "end"
    load.table_refused = 0;
    load.table_record = i;
    load.table_cols = (int)cols;
    load.table_rows = (int)rows;
    Digit_unit& t = digit_table[i];
    t.merge_count = 0;
    for (merge_record& m : t.merges) m = merge_record{};
    return CMD_DONE;
}

cmd_status table_end()
{
    if (!load.in_table) return cmd_refuse("table end without a begin");
    bool refused_block = load.table_refused;
    bool empty = !refused_block && load.cell_index == 0;
    cmd_status st = close_table();
    if (st == CMD_REFUSED)
        return cmd_refuse(refused_block ? "ends a table block that was refused" : "a table without cells");
    (void)empty;
    return CMD_DONE;
}

// The counter of the next record of each range a line fills, in range_id
// order; variables (insmod lines) take no counter.
int load_state::*const range_counter[RANGE_COUNT] = {
    nullptr, nullptr, &load_state::point_count, &load_state::line_item_count, &load_state::circle_count,
    &load_state::filled_circle_count, &load_state::vline_count, nullptr, &load_state::rect_count,
    &load_state::valve_count, &load_state::filled_rect_count, &load_state::table_count};

// How the numbers `v` (read by a form of the same fields) agree with form
// `f`: 2 when every field does, 1 when only repeated ends differ (read as
// the form says, and reported), 0 when a field rules the form out.
int fit(const line_form& f, const int64_t* v)
{
    int agree = 2;
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        const uint8_t kind = f.fields[k].kind;
        if (kind == FIELD_BOTTOM_APART && v[k] == field_value(f, v, FIELD_Y)) return 0;
        if (kind == FIELD_X_AGAIN && v[k] != field_value(f, v, FIELD_X)) agree = 1;
        if (kind == FIELD_Y_AGAIN && v[k] != field_value(f, v, FIELD_Y)) agree = 1;
    }
    return agree;
}

// Report the repeated ends of a chosen form that differ: read as the form says.
void note_unused_ends(const line_form& f, const int64_t* v)
{
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        const uint8_t kind = f.fields[k].kind;
        if (kind == FIELD_Y_AGAIN && v[k] != field_value(f, v, FIELD_Y))
            cmd_change("lines are horizontal: the second y is not used");
        if (kind == FIELD_X_AGAIN && v[k] != field_value(f, v, FIELD_X))
            cmd_change("lines are vertical: the second x is not used");
    }
}

// The row a line of `keyword` with numbers `v` restores: the first row of
// the keyword that agrees in every field, else the first one not ruled out.
const kind_form* fitting_row(const char* keyword, const int64_t* v, int count)
{
    const kind_form* found = nullptr;
    for (int k = 0; k < kind_form_count; k++) {
        const kind_form& r = kind_forms[k];
        if (r.range < 0 || r.line.block != LINE_SINGLE || r.line.count != count || !r.line.keyword ||
            strcmp(r.line.keyword, keyword))
            continue;
        const int agree = fit(r.line, v);
        if (agree == 2) return &r;
        if (agree == 1 && !found) found = &r;
    }
    return found;
}

// A line of a kind's form (`first`: the first row of its keyword): a part
// of the open table block, or an item in the next free record of the kind
// its numbers fit.
cmd_status form_line(const kind_form& first, int argc, cmd_arg_text* argv)
{
    const bool table_part = load.in_table && first.in_table != TABLE_PART_NONE;
    if (table_part && load.table_refused) return cmd_refuse("inside a table block that was refused");
    // Inside a table block every cell line has the cell's form, without a fill pattern.
    const line_form& f = table_part ? table_part_form(first.in_table) : first.line;
    arg_reader a{argc, argv};
    int64_t v[LINE_FIELDS_MAX] = {};
    a.form(f, 1, v);
    if (!a.ok) return CMD_REFUSED;
    note_unused_arguments(argc, f.count + 1);
    const int64_t colour = field_value(f, v, FIELD_COLOUR), x1 = field_value(f, v, FIELD_X),
                  y1 = field_value(f, v, FIELD_Y), x2 = field_value(f, v, FIELD_RIGHT);
    if (table_part && first.in_table == TABLE_PART_MERGE) {
        if (colour != TABLE_MERGE_COLOUR)
            return cmd_refuse("a line inside a table block must be a merge line (colour %d)", TABLE_MERGE_COLOUR);
        return table_merge(x1, y1, x2, field_value(f, v, FIELD_Y_AGAIN));
    }
    if (table_part) return table_cell(colour, x1, y1, x2, field_value(f, v, FIELD_BOTTOM));

    const kind_form* r = fitting_row(first.line.keyword, v, f.count);
    if (!r) r = &first;
    if (!range_counter[r->range]) return cmd_refuse("no line restores a %s", r->range_noun);
    int i = take_record(r->range, load.*range_counter[r->range]);
    if (i < 0) return cmd_refuse("the %s range is full", r->range_noun);
    note_unused_ends(r->line, v);
    Digit_unit& d = digit_table[i];
    store_numbers(d, *r, v);
    restore_digit_record(i);
    note_if_off_panel(d.x, d.y);
    return CMD_DONE;
}

} // namespace

cmd_status led_finish()
{
    if (!load.in_table) return CMD_DONE;
    close_table();
    return CMD_CHANGED;
}

int32_t led_command(int32_t context, int32_t argc, cmd_arg_text* argv, int32_t)
{
    if (argc < 1) return cmd_refuse("missing sub-command");
    const char* sub = argv[0];
    size_t n = strlen(sub);
    if (strcmp(sub, "clearall") == 0) return CMD_DONE;
    if (n >= 3 && sub[2] == 't') return static_text(context, argc, argv);
    if (n >= 4 && sub[2] == 's' && sub[3] == 't') return scrolling_text(context, argc, argv);
    if (strcmp(sub, "lt") == 0) return plain_text(context, argc, argv);
    if (strcmp(sub, "s") == 0) return CMD_DONE;
    if (strcmp(sub, "begin") == 0) return table_begin(argc, argv);
    if (strcmp(sub, "end") == 0) return table_end();
    for (int k = 0; k < kind_form_count; k++) {
        const kind_form& r = kind_forms[k];
        if (r.range >= 0 && r.line.block == LINE_SINGLE && r.line.keyword && strcmp(r.line.command, "led") == 0 &&
            strcmp(r.line.keyword, sub) == 0)
            return form_line(r, argc, argv);
    }
    return cmd_refuse("unknown led sub-command \"%.24s\"", sub);
}
