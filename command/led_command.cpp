/*******************************************************************************
 * command/led_command.cpp - the `led` command
 *
 * Sections: numbers | reading a form | texts | tables | shapes | the command
 ******************************************************************************/
#include "command/led_command.h"
#include "model/font_sizes.h"
#include <cstring>

// ---- numbers ---------------------------------------------------------------------------

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
        unsigned char ch = (unsigned char)*text;
        int d = 0;
        if (ch >= '0' && ch <= '9') d = ch - '0';
        else if (ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
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

uint8_t font_step_of(int font_size)
{
    uint8_t step = 0;
    for (int k = 1; k <= FONT_SIZE_COUNT; k++)
        if (font_size >= FONT_SIZES[k - 1]) step = (uint8_t)k;
    return step;
}

// Lines with more arguments than their form load with the form's arguments,
// and say so: the same for every line form.
void note_unused_arguments(cmd_context& c, int argc, int used)
{
    if (argc > used) cmd_change(c, MSG_CMD_UNUSED_ARGS, used);
}

void note_if_off_panel(cmd_context& c, const item& it)
{
    if (!doc_on_panel(*c.doc, it.x, it.y)) cmd_change(c, MSG_CMD_OFF_PANEL);
}

// ---- reading a form ----------------------------------------------------------------------

namespace {

constexpr int TEXT_SIZE_DIGITS = 2;          // "16t", "24st": the size is two digits
constexpr int STATIC_ARGS_MIN = 4, STATIC_ARGS_MAX = 6;
constexpr int SCROLL_ARGS_MIN = 9, SCROLL_ARGS_MAX = 12;
constexpr int PLAIN_ARGS_MIN = 4, PLAIN_ARGS_MAX = 5;
constexpr int PLAIN_FONT_SIZE = 16;
constexpr int SWITCHED_SCROLL_LIMIT = 100;   // scrolling registers of 50..99 are always-shown ones
constexpr int BEGIN_ARGS = 4;

// Reads numeric arguments with their bounds; the first failure refuses the
// line and every later read returns 0.
struct arg_reader {
    cmd_context& c;
    int argc;
    cmd_arg_text* argv;
    bool ok = true;

    int64_t num(int i, int64_t lo, int64_t hi, const char* what)
    {
        if (!ok) return 0;
        if (i >= argc) {
            ok = false;
            cmd_refuse(c, MSG_CMD_MISSING, what);
            return 0;
        }
        const int64_t v = read_number(argv[i]);
        if (v < lo || v > hi) {
            ok = false;
            cmd_refuse(c, MSG_CMD_OUT_OF_RANGE, what, (long long)v, (long long)lo, (long long)hi);
            return 0;
        }
        if (!is_number(argv[i])) cmd_change(c, MSG_CMD_NOT_NUMBER, what, argv[i], (long long)v);
        return v;
    }
    int64_t dots(int i, const char* what) { return num(i, -SCRIPT_COORD_MAX, SCRIPT_COORD_MAX, what); }
    int64_t i32(int i, const char* what) { return num(i, INT32_MIN, INT32_MAX, what); }

    // The numbers of a line form from argument `first` on, each with the
    // bounds of its field; fixed words and unread numbers are skipped.
    void form(const line_form& f, int first, int64_t* v)
    {
        for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
            const field_bounds b = bounds_of(f.fields[k]);
            if (b.number) v[k] = num(first + k, b.lo, b.hi, f.fields[k].name);
        }
    }
};

// The next free slot of a range, moving the range's mark past slots that
// earlier lines took; NO_SLOT when the range is full.
int16_t take_slot(cmd_context& c, range_id r)
{
    const slot_range& s = slot_ranges[r];
    int& n = c.load.next[r];
    while (s.first + n <= s.last && pool_at_slot(c.doc->items, s.table, s.first + n) != NO_ITEM) n++;
    if (s.first + n > s.last) return NO_SLOT;
    return (int16_t)(s.first + n++);
}

// Put an item read from a line into the document.
item_id place(cmd_context& c, const item& it)
{
    item_id id = NO_ITEM;
    doc_create(*c.doc, it, id);
    return id;
}

} // namespace

bool read_form(cmd_context& c, const line_form& f, int argc, cmd_arg_text* argv, int first, int64_t* v)
{
    arg_reader a{c, argc, argv};
    a.form(f, first, v);
    return a.ok;
}

// ---- texts ----------------------------------------------------------------------------------

namespace {

// A text size as the export writes it: two digits, no leading zero, and a
// size the dot-matrix fonts have; anything else would not load again.
bool two_digit_size(const char* tok, int& size)
{
    if (tok[0] < '1' || tok[0] > '9' || tok[1] < '0' || tok[1] > '9') return false;
    size = (tok[0] - '0') * 10 + (tok[1] - '0');
    for (int s : FONT_SIZES)
        if (s == size) return true;
    return false;
}

// The pieces of a text joined, when they fit.
bool set_text(cmd_context& c, item& t, const char* const* pieces, int count)
{
    size_t n = 0;
    for (int k = 0; k < count; k++) n += strlen(pieces[k]);
    if (n > (size_t)SCRIPT_TEXT_MAX) {
        cmd_refuse(c, MSG_CMD_TEXT_TOO_LONG, (int)n, SCRIPT_TEXT_MAX);
        return false;
    }
    size_t at = 0;
    for (int k = 0; k < count; k++) {
        const size_t m = strlen(pieces[k]);
        memcpy(t.text + at, pieces[k], m);
        at += m;
    }
    t.text[at] = 0;
    return true;
}

// The text item in the next free text slot.
cmd_status store_text(cmd_context& c, item& t)
{
    t.kind = KIND_TEXT;
    t.font_step = font_step_of(t.font_size);
    t.slot = take_slot(c, RANGE_TEXT);
    if (t.slot == NO_SLOT) return cmd_refuse(c, MSG_CMD_TEXTS_FULL, SLOT_COUNT);
    note_if_off_panel(c, t);
    place(c, t);
    return CMD_DONE;
}

cmd_status static_text(cmd_context& c, int argc, cmd_arg_text* argv)
{
    item t;
    int size = 0;
    if (!two_digit_size(argv[0], size)) return cmd_refuse(c, MSG_CMD_FONT_SIZE);
    if (argc < STATIC_ARGS_MIN) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_MISSING);
    if (argc > STATIC_ARGS_MAX) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_EXTRA);
    arg_reader a{c, argc, argv};
    t.font_size = (uint8_t)size;
    t.color = (uint8_t)a.i32(1, "颜色");
    t.x = (int32_t)a.dots(2, "x");
    t.y = (int32_t)a.dots(3, "y");
    const char* text = "";
    // Five arguments ending in a blank: a switched text whose text is empty.
    const bool switched = argc == STATIC_ARGS_MAX || (argc == STATIC_ARGS_MAX - 1 && c.trailing_blank && is_number(argv[4]));
    if (switched) {
        t.code = (int32_t)a.num(4, 0, REGISTER_LAST_BYTE, "寄存器");
        t.mode = TEXT_STATIC_SWITCHED;
        if (argc == STATIC_ARGS_MAX) text = argv[5];
    } else {
        t.code = TEXT_REGISTER_NONE;
        t.mode = TEXT_STATIC;
        if (argc == STATIC_ARGS_MAX - 1) text = argv[4];
    }
    if (!a.ok) return CMD_REFUSED;
    if (!set_text(c, t, &text, 1)) return CMD_REFUSED;
    return store_text(c, t);
}

cmd_status scrolling_text(cmd_context& c, int argc, cmd_arg_text* argv)
{
    item t;
    int size = 0;
    if (!two_digit_size(argv[0], size)) return cmd_refuse(c, MSG_CMD_FONT_SIZE);
    if (argc < SCROLL_ARGS_MIN) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_MISSING);
    if (argc > SCROLL_ARGS_MAX) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_EXTRA);
    arg_reader a{c, argc, argv};
    t.font_size = (uint8_t)size;
    t.color = (uint8_t)a.i32(1, "颜色");
    t.x = (int32_t)a.dots(2, "x");
    t.y = (int32_t)a.dots(3, "y");
    t.w = (int32_t)a.dots(4, "框宽");
    t.h = (int32_t)a.dots(5, "框高");
    t.speed = (int32_t)(SCRIPT_SPEED_BASE - a.num(6, -SCRIPT_COORD_MAX, SCRIPT_COORD_MAX, "速度"));
    const int64_t reg = a.num(7, 0, REGISTER_LAST_BYTE, "寄存器");
    t.direction = (uint8_t)a.num(8, 0, REGISTER_LAST_BYTE, "方向");
    if (!a.ok) return CMD_REFUSED;
    if (reg >= TEXT_REGISTER_NONE) {
        // Always shown: the number only has to come back as it was written,
        // which the writer does for values below 50 by adding 50.
        t.code = (int32_t)(reg < SWITCHED_SCROLL_LIMIT ? reg - TEXT_REGISTER_NONE : reg);
        t.mode = TEXT_SCROLLING;
    } else {
        t.code = (int32_t)reg;
        t.mode = TEXT_SCROLLING_SWITCHED;
    }
    const char* pieces[SCROLL_ARGS_MAX - SCROLL_ARGS_MIN];
    int count = 0;
    for (int k = SCROLL_ARGS_MIN; k < argc; k++) pieces[count++] = argv[k];
    if (!set_text(c, t, pieces, count)) return CMD_REFUSED;
    return store_text(c, t);
}

cmd_status plain_text(cmd_context& c, int argc, cmd_arg_text* argv)
{
    if (argc < PLAIN_ARGS_MIN) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_MISSING);
    if (argc > PLAIN_ARGS_MAX) return cmd_refuse(c, MSG_CMD_TEXT_ARGS_EXTRA);
    arg_reader a{c, argc, argv};
    item t;
    t.font_size = PLAIN_FONT_SIZE;
    t.color = (uint8_t)a.i32(1, "颜色");
    t.x = (int32_t)a.dots(2, "x");
    t.y = (int32_t)a.dots(3, "y");
    if (!a.ok) return CMD_REFUSED;
    const char* text = argc == PLAIN_ARGS_MAX ? argv[4] : "";
    if (!set_text(c, t, &text, 1)) return CMD_REFUSED;
    return store_text(c, t);
}

} // namespace

// ---- tables ---------------------------------------------------------------------------------

namespace {

item* open_table(cmd_context& c) { return doc_item(*c.doc, c.load.table); }

// A merge line inside a table block: the grid piece between two merged cells.
cmd_status merge_line(cmd_context& c, int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    if (c.load.cell_index == 0) return cmd_refuse(c, MSG_CMD_TABLE_MERGE_FIRST);
    item& t = *open_table(c);
    table_grid& g = t.grid;
    if (g.merge_count >= TABLE_MAX) return cmd_refuse(c, MSG_CMD_TABLE_MERGES_FULL, TABLE_MAX);
    table_merge& m = g.merges[g.merge_count];
    m.x0 = (int32_t)(x0 - t.x);
    m.y0 = (int32_t)(y0 - t.y);
    m.x1 = (int32_t)(x1 - t.x);
    m.y1 = (int32_t)(y1 - t.y);
    // The merged pair: the column whose right edge is nearest the line, and
    // the row the line starts in.
    const int cols = g.cols < TABLE_MAX ? g.cols : TABLE_MAX;
    const int rows = g.rows < TABLE_MAX ? g.rows : TABLE_MAX;
    const int64_t dx = m.x0, dy = m.y0;
    int64_t edge = 0, best = INT64_MAX;
    m.col = 0;
    for (int col = 0; col + 1 < cols; col++) {
        edge += g.col_w[col];
        const int64_t dist = edge > dx ? edge - dx : dx - edge;
        if (dist < best) {
            best = dist;
            m.col = col;
        }
    }
    int64_t top = 0;
    m.row = rows > 0 ? rows - 1 : 0;
    for (int r = 0; r < rows; r++) {
        if (dy < top + g.row_h[r]) {
            m.row = r;
            break;
        }
        top += g.row_h[r];
    }
    g.merge_count++;
    return CMD_DONE;
}

cmd_status table_cell(cmd_context& c, int64_t color, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    load_state& L = c.load;
    if (L.table_refused) return cmd_refuse(c, MSG_CMD_TABLE_INSIDE_REFUSED);
    if (L.cell_index >= L.table_cols * L.table_rows)
        return cmd_refuse(c, MSG_CMD_TABLE_MORE_CELLS, L.table_cols, L.table_rows);
    item& t = *open_table(c);
    t.grid.col_w[L.cell_col] = (int32_t)(x2 - x1);
    t.grid.row_h[L.cell_row] = (int32_t)(y2 - y1);
    if (L.cell_index == 0) {
        t.color = (uint8_t)color;
        t.x = (int32_t)x1;
        t.y = (int32_t)y1;
        t.grid.cols = (uint8_t)L.table_cols;
        t.grid.rows = (uint8_t)L.table_rows;
    }
    L.cell_index++;
    if (L.cell_index % L.table_rows != 0) {
        L.cell_row++;
    } else {
        L.cell_col++;
        L.cell_row = 0;
    }
    return CMD_DONE;
}

// Close the open table block: keep the table when it got cells.
cmd_status close_table(cmd_context& c)
{
    load_state& L = c.load;
    cmd_status st = CMD_DONE;
    if (L.table_refused) {
        st = CMD_REFUSED;
    } else if (L.cell_index == 0) {
        const item* t = open_table(c);
        if (t) L.next[RANGE_TABLE] = t->slot - slot_ranges[RANGE_TABLE].first;
        doc_delete(*c.doc, L.table);
        st = CMD_REFUSED;
    } else {
        note_if_off_panel(c, *open_table(c));
        if (L.cell_index < L.table_cols * L.table_rows)
            cmd_change(c, MSG_CMD_TABLE_GOT_CELLS, L.cell_index, L.table_cols * L.table_rows);
    }
    L.in_table = false;
    L.table_refused = false;
    L.table = NO_ITEM;
    L.table_cols = L.table_rows = 0;
    return st;
}

cmd_status table_begin(cmd_context& c, int argc, cmd_arg_text* argv)
{
    load_state& L = c.load;
    if (L.in_table) {
        close_table(c);
        cmd_change(c, MSG_CMD_TABLE_CLOSED_HERE);
    }
    // From here on the block is open: a refused begin drops its cells too.
    L.in_table = true;
    L.table_refused = true;
    L.cell_index = L.cell_col = L.cell_row = 0;
    arg_reader a{c, argc, argv};
    const int64_t cols = a.num(2, 1, TABLE_MAX, "列数");
    const int64_t rows = a.num(3, 1, TABLE_MAX, "行数");
    if (!a.ok) return CMD_REFUSED;
    note_unused_arguments(c, argc, BEGIN_ARGS);
    item t;
    t.kind = KIND_TABLE;
    t.grid = table_grid{};
    t.slot = take_slot(c, RANGE_TABLE);
    if (t.slot == NO_SLOT) return cmd_refuse(c, MSG_CMD_RANGE_FULL, slot_ranges[RANGE_TABLE].noun);
    L.table = place(c, t);   // held until "end"
    L.table_refused = false;
    L.table_cols = (int)cols;
    L.table_rows = (int)rows;
    return CMD_DONE;
}

cmd_status table_end(cmd_context& c)
{
    if (!c.load.in_table) return cmd_refuse(c, MSG_CMD_TABLE_END_ALONE);
    const bool refused_block = c.load.table_refused;
    if (close_table(c) == CMD_REFUSED)
        return cmd_refuse(c, refused_block ? MSG_CMD_TABLE_END_REFUSED : MSG_CMD_TABLE_NO_CELLS);
    return CMD_DONE;
}

} // namespace

cmd_status led_finish(cmd_context& c)
{
    if (!c.load.in_table) return CMD_DONE;
    close_table(c);
    return CMD_CHANGED;
}

// ---- shapes ----------------------------------------------------------------------------------

namespace {

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
void note_unused_ends(cmd_context& c, const line_form& f, const int64_t* v)
{
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        const uint8_t kind = f.fields[k].kind;
        if (kind == FIELD_Y_AGAIN && v[k] != field_value(f, v, FIELD_Y)) cmd_change(c, MSG_CMD_LINE_HORIZONTAL);
        if (kind == FIELD_X_AGAIN && v[k] != field_value(f, v, FIELD_X)) cmd_change(c, MSG_CMD_LINE_VERTICAL);
    }
}

// The row a line of `keyword` with numbers `v` restores: the first row of
// the keyword that agrees in every field, else the first one not ruled out.
const kind_form* fitting_row(const char* keyword, const int64_t* v, int count)
{
    const kind_form* found = nullptr;
    for (const kind_form& r : kind_forms) {
        if (r.range == RANGE_NONE || r.line.block != LINE_SINGLE || r.line.count != count || !r.line.keyword ||
            strcmp(r.line.keyword, keyword) != 0)
            continue;
        const int agree = fit(r.line, v);
        if (agree == 2) return &r;
        if (agree == 1 && !found) found = &r;
    }
    return found;
}

// A line of a kind's form (`first`: the first row of its keyword): a part
// of the open table block, or an item in the next free slot of the kind its
// numbers fit.
cmd_status form_line(cmd_context& c, const kind_form& first, int argc, cmd_arg_text* argv)
{
    const bool table_part = c.load.in_table && first.in_table != TABLE_PART_NONE;
    if (table_part && c.load.table_refused) return cmd_refuse(c, MSG_CMD_TABLE_INSIDE_REFUSED);
    // Inside a table block every cell line has the cell's form, without a fill pattern.
    const line_form& f = table_part ? table_part_form(first.in_table) : first.line;
    int64_t v[LINE_FIELDS_MAX] = {};
    if (!read_form(c, f, argc, argv, 1, v)) return CMD_REFUSED;
    note_unused_arguments(c, argc, f.count + 1);
    const int64_t colour = field_value(f, v, FIELD_COLOUR), x1 = field_value(f, v, FIELD_X),
                  y1 = field_value(f, v, FIELD_Y), x2 = field_value(f, v, FIELD_RIGHT);
    if (table_part && first.in_table == TABLE_PART_MERGE) {
        if (colour != TABLE_MERGE_COLOUR) return cmd_refuse(c, MSG_CMD_TABLE_NOT_MERGE, TABLE_MERGE_COLOUR);
        return merge_line(c, x1, y1, x2, field_value(f, v, FIELD_Y_AGAIN));
    }
    if (table_part) return table_cell(c, colour, x1, y1, x2, field_value(f, v, FIELD_BOTTOM));

    const kind_form* r = fitting_row(first.line.keyword, v, f.count);
    if (!r) r = &first;
    if (r->range == RANGE_NONE) return cmd_refuse(c, MSG_CMD_NO_LINE_FOR, r->name);
    item it;
    it.slot = take_slot(c, r->range);
    if (it.slot == NO_SLOT) return cmd_refuse(c, MSG_CMD_RANGE_FULL, slot_ranges[r->range].noun);
    note_unused_ends(c, r->line, v);
    store_numbers(it, *r, v);
    note_if_off_panel(c, it);
    place(c, it);
    return CMD_DONE;
}

} // namespace

// ---- the command ------------------------------------------------------------------------------

cmd_status led_command(cmd_context& c, int argc, cmd_arg_text* argv)
{
    if (argc < 1) return cmd_refuse(c, MSG_CMD_NO_SUBCOMMAND);
    const char* sub = argv[0];
    const size_t n = strlen(sub);
    if (strcmp(sub, "clearall") == 0) return CMD_DONE;
    if (n >= TEXT_SIZE_DIGITS + 1 && sub[2] == 't') return static_text(c, argc, argv);
    if (n >= TEXT_SIZE_DIGITS + 2 && sub[2] == 's' && sub[3] == 't') return scrolling_text(c, argc, argv);
    if (strcmp(sub, "lt") == 0) return plain_text(c, argc, argv);
    if (strcmp(sub, "s") == 0) return CMD_DONE;
    if (strcmp(sub, "begin") == 0) return table_begin(c, argc, argv);
    if (strcmp(sub, "end") == 0) return table_end(c);
    for (const kind_form& r : kind_forms) {
        if (r.range != RANGE_NONE && r.line.block == LINE_SINGLE && r.line.keyword && strcmp(r.line.command, "led") == 0 &&
            strcmp(r.line.keyword, sub) == 0)
            return form_line(c, r, argc, argv);
    }
    return cmd_refuse(c, MSG_CMD_UNKNOWN_SUB, sub);
}
