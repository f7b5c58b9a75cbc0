/*******************************************************************************
 * output/script_export.cpp - the command script writer
 ******************************************************************************/
#include "output/script_export.h"
#include "model/default_layout.h"
#include "model/line_forms.h"
#include "model/settings.h"
#include "model/tables.h"
#include "output/program_file.h"
#include "output/layout_save.h"
#include "platform/outcome.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

void mark_picture_regions()
{
    int n = graph_count;
    if (n > GRAPH_COUNT) n = GRAPH_COUNT;
    if (n > REGION_COUNT) n = REGION_COUNT;
    const int p = led_pitch;
    for (int i = 0; i < n; i++) {
        const graph_draw& g = graph_table[i];
        region_record& r = region_table[i];
        // Only a shown picture goes back, and only into a picture region.
        if (!g.shown || r.type != REGION_PICTURE) continue;
        format_field(r.x_text, REGION_NUMBER_LEN, "%d", floor_div(g.left - PANEL_X, p));
        format_field(r.y_text, REGION_NUMBER_LEN, "%d", floor_div(g.top - PANEL_Y, p));
        format_field(r.w_text, REGION_NUMBER_LEN, "%d", g.pic_width);
        format_field(r.h_text, REGION_NUMBER_LEN, "%d", g.pic_height);
        r.in_use = 1;
    }
}

namespace {

constexpr int INSMOD_EXTRA_DOTS = 4000;

// Position rule of one unit: dots from the unit's origin, rounding down.
struct unit_frame {
    int r, c;
    int64_t ox, oy;  // pixel offset that turns an item pixel into unit pixels
    int p;

    int32_t dx(int64_t x) const { return floor_div(ox + x, p); }
    int32_t dy(int64_t y) const { return floor_div(oy + y, p); }
};

void add(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* fmt, ...)
{
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    int n = vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n > 0) out.append(buf, (size_t)n < sizeof buf ? (size_t)n : sizeof buf - 1);
}

// A scrolling text in pieces of 64 bytes, at most three pieces.
std::string text_pieces(const char* text)
{
    std::string t(text, strnlen(text, TEXT_LEN - 1));
    if (t.size() < 64) return t;
    if (t.size() < 128) return t.substr(0, 64) + " " + t.substr(64);
    return t.substr(0, 64) + " " + t.substr(64, 64) + " " + t.substr(128);
}

void write_text(std::string& out, const unit_frame& u, const string_draw& s)
{
    int X = u.dx(s.x), Y = u.dy(s.y);
    const int p = u.p;
    std::string text(s.text, strnlen(s.text, TEXT_LEN - 1));
    switch (s.mode) {
    case 0:
        add(out, "led %dt %d %d %d ", s.font_size, s.color, X, Y);
        out += text;
        break;
    case 2:
        add(out, "led %dt %d %d %d %d ", s.font_size, s.color, X, Y, s.reg_addr);
        out += text;
        break;
    case 1:
    case 3: {
        int reg = s.reg_addr;
        if (s.mode == 1 && reg < 50) reg += 50;
        add(out, "led %dst %d %d %d %d %d %d %d %d ", s.font_size, s.color, X, Y,
            floor_div(s.box_width, p), floor_div(s.box_height, p), 30 - s.speed, reg, s.direction);
        out += text_pieces(s.text);
        break;
    }
    default:
        return;  // no line form for other modes
    }
    out += "\r\n";
}

// A table block: its size, a line of the table's form per cell, the merges.
void write_table(std::string& out, const line_form& cell, const unit_frame& u, const Digit_unit& d)
{
    int cols = d.cols < TABLE_MAX ? d.cols : TABLE_MAX;
    int rows = d.rows < TABLE_MAX ? d.rows : TABLE_MAX;
    add(out, "%s begin %s %d %d \r\n", cell.command, cell.keyword, cols, rows);
    int64_t left = d.x;
    for (int i = 0; i < cols; i++) {
        int64_t top = d.y;
        for (int j = 0; j < rows; j++) {
            const int64_t v[5] = {d.color, u.dx(left), u.dy(top), u.dx(left + d.col_width[i]),
                                  u.dy(top + d.row_height[j])};
            write_line(out, cell, v);
            top += d.row_height[j];
        }
        left += d.col_width[i];
    }
    const line_form& merge = table_part_form(TABLE_PART_MERGE);
    for (const merge_record& m : d.merges) {
        if (!m.flag) continue;
        const int64_t v[5] = {TABLE_MERGE_COLOUR, u.dx((int64_t)d.x - m.x0), u.dy((int64_t)d.y - m.y0),
                              u.dx((int64_t)d.x - m.x1), u.dy((int64_t)d.y - m.y1)};
        write_line(out, merge, v);
    }
    add(out, "%s end %s \r\n", cell.command, cell.keyword);
}

// The record's line of its form, as the reader takes it back.
void write_form(std::string& out, const line_form& f, const unit_frame& u, const Digit_unit& d)
{
    int64_t v[LINE_FIELDS_MAX] = {};
    record_numbers(f, d, {u.ox, u.oy, u.p}, v);
    write_line(out, f, v);
}

void write_variable(std::string& out, const unit_frame& u, int index, const Digit_unit& d)
{
    insmod_values n = {index + INSMOD_RECORD_BASE, INSMOD_SECOND, d.color, u.dx(d.x), u.dy(d.y), d.reg_addr, d.digits,
                       code_has_font_size(d.reg_addr) ? d.font_px : d.size, d.thickness, d.data_type, d.decimals};
    write_insmod_line(out, n);
    if (d.reg_addr == 11 || d.reg_addr == 13) {
        // The extra lines stand 8000 px to the right at the pitch scripts
        // are read with (4000 dots), whatever the zoom is now.
        n.record = index + INSMOD_EXTRA_BASE;
        n.second = INSMOD_EXTRA_SECOND;
        n.x = u.dx((int64_t)d.x + (int64_t)INSMOD_EXTRA_DOTS * u.p);
        n.size = d.size;
        n.code = d.reg_addr == 11 ? 61 : 63;
        write_insmod_line(out, n);
        n.code = d.reg_addr + 60;
        write_insmod_line(out, n);
    }
}

void write_digit(std::string& out, const unit_frame& u, int index, const Digit_unit& d)
{
    const line_form& f = form_of(d.kind).line;
    switch (f.block) {
    case LINE_SINGLE:
        if (f.keyword) write_form(out, f, u, d);
        break;
    case LINE_INSMOD:
        write_variable(out, u, index, d);
        break;
    case LINE_TABLE:
        write_table(out, f, u, d);
        break;
    }
}

} // namespace

namespace {

unit_frame frame_of(int r, int c)
{
    const led_unit& lu = led_table[r * LED_UNITS_PER_ROW + c];
    const int p = dot_pitch();
    return unit_frame{r, c, (int64_t)c * lu.w * p - lu.x, (int64_t)r * lu.h * p - lu.y, p};
}

} // namespace

std::string script_text()
{
    std::string out;
    out.reserve(64 * 1024);
    out += "led clearall \r\n";
    out += "led clearall \r\n";
    for (int r = 0; r < UNIT_ROWS; r++) {
        for (int c = 0; c < UNIT_COLS; c++) {
            unit_frame u = frame_of(r, c);
            for (const string_draw& s : string_table)
                if (s.visible && unit_holds(r, c, s.x, s.y)) write_text(out, u, s);
            for (int i = 0; i < DIGIT_COUNT; i++) {
                const Digit_unit& d = digit_table[i];
                if (d.visible && unit_holds(r, c, d.x, d.y)) write_digit(out, u, i, d);
            }
        }
    }
    out += "\r\n\r\n";
    return out;
}

std::string text_item_script(int index)
{
    std::string out;
    if (index < 0 || index >= STRING_COUNT || !string_table[index].visible) return out;
    const string_draw& s = string_table[index];
    for (int r = 0; r < UNIT_ROWS; r++)
        for (int c = 0; c < UNIT_COLS; c++)
            if (unit_holds(r, c, s.x, s.y)) write_text(out, frame_of(r, c), s);
    return out;
}

std::string digit_item_script(int index)
{
    std::string out;
    if (index < 0 || index >= DIGIT_COUNT || !digit_table[index].visible) return out;
    const Digit_unit& d = digit_table[index];
    for (int r = 0; r < UNIT_ROWS; r++)
        for (int c = 0; c < UNIT_COLS; c++)
            if (unit_holds(r, c, d.x, d.y)) write_digit(out, frame_of(r, c), index, d);
    return out;
}

bool export_script()
{
    save_outcome r;
    outcome o = save_layout(r);
    if (!o) report(REPORT_STDERR, outcome_fail(MSG_SAVE_FAILED, o.why.c_str()));
    return o.ok;
}
