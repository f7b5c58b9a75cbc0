/*******************************************************************************
 * output/script_export.cpp - the command script writer
 ******************************************************************************/
#include "output/script_export.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

void mark_picture_regions(document& d)
{
    int n = d.picture_count;
    if (n > PICTURE_COUNT) n = PICTURE_COUNT;
    if (n > REGION_COUNT) n = REGION_COUNT;
    for (int i = 0; i < n; i++) {
        const doc_picture& g = d.pictures[i];
        region_record& r = d.regions[i];
        // Only a shown picture goes back, and only into a picture region.
        if (!g.shown || r.type != REGION_PICTURE) continue;
        format_field(r.x_text, REGION_NUMBER_LEN, "%d", g.x);
        format_field(r.y_text, REGION_NUMBER_LEN, "%d", g.y);
        format_field(r.w_text, REGION_NUMBER_LEN, "%d", g.w);
        format_field(r.h_text, REGION_NUMBER_LEN, "%d", g.h);
        r.in_use = 1;
    }
}

namespace {

constexpr int INSMOD_EXTRA_DOTS = 4000;   // the sensors' extra lines stand this far right
constexpr int TEXT_PIECE = 64;            // a scrolling text is written in pieces of this many bytes
constexpr int TEMPERATURE_EXTRA = 61, HUMIDITY_EXTRA = 63;   // codes of a sensor's first extra line
constexpr int SENSOR_SECOND_EXTRA = 60;   // the second extra line: the sensor's code + this

void add(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* fmt, ...)
{
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    const int n = vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n > 0) out.append(buf, (size_t)n < sizeof buf ? (size_t)n : sizeof buf - 1);
}

// A scrolling text in pieces of 64 bytes, at most three pieces.
std::string text_pieces(const char* text)
{
    std::string t(text, strnlen(text, TEXT_LEN - 1));
    if (t.size() < (size_t)TEXT_PIECE) return t;
    if (t.size() < (size_t)(2 * TEXT_PIECE)) return t.substr(0, TEXT_PIECE) + " " + t.substr(TEXT_PIECE);
    return t.substr(0, TEXT_PIECE) + " " + t.substr(TEXT_PIECE, TEXT_PIECE) + " " + t.substr(2 * TEXT_PIECE);
}

void write_text(std::string& out, const item& s)
{
    const std::string text(s.text, strnlen(s.text, TEXT_LEN - 1));
    switch (s.mode) {
    case TEXT_STATIC:
        add(out, "led %dt %d %d %d ", s.font_size, s.color, s.x, s.y);
        out += text;
        break;
    case TEXT_STATIC_SWITCHED:
        add(out, "led %dt %d %d %d %d ", s.font_size, s.color, s.x, s.y, (int)(uint8_t)s.code);
        out += text;
        break;
    case TEXT_SCROLLING:
    case TEXT_SCROLLING_SWITCHED: {
        int reg = (uint8_t)s.code;
        if (s.mode == TEXT_SCROLLING && reg < TEXT_REGISTER_NONE) reg += TEXT_REGISTER_NONE;
        add(out, "led %dst %d %d %d %d %d %d %d %d ", s.font_size, s.color, s.x, s.y, s.w, s.h, SCRIPT_SPEED_BASE - s.speed,
            reg, s.direction);
        out += text_pieces(s.text);
        break;
    }
    default:
        return;  // no line form for other modes
    }
    out += "\r\n";
}

// A table block: its size, a line of the table's form per cell, the merges.
void write_table(std::string& out, const line_form& cell, const item& t)
{
    const table_grid& g = t.grid;
    const int cols = g.cols < TABLE_MAX ? g.cols : TABLE_MAX;
    const int rows = g.rows < TABLE_MAX ? g.rows : TABLE_MAX;
    add(out, "%s begin %s %d %d \r\n", cell.command, cell.keyword, cols, rows);
    int64_t left = t.x;
    for (int i = 0; i < cols; i++) {
        int64_t top = t.y;
        for (int j = 0; j < rows; j++) {
            const int64_t v[5] = {t.color, left, top, left + g.col_w[i], top + g.row_h[j]};
            write_line(out, cell, v);
            top += g.row_h[j];
        }
        left += g.col_w[i];
    }
    const line_form& merge = table_part_form(TABLE_PART_MERGE);
    const int n = g.merge_count < TABLE_MAX ? g.merge_count : TABLE_MAX;
    for (int m = 0; m < n; m++) {
        const table_merge& r = g.merges[m];
        const int64_t v[5] = {TABLE_MERGE_COLOUR, (int64_t)t.x + r.x0, (int64_t)t.y + r.y0, (int64_t)t.x + r.x1,
                              (int64_t)t.y + r.y1};
        write_line(out, merge, v);
    }
    add(out, "%s end %s \r\n", cell.command, cell.keyword);
}

// The item's line of its form, as the reader takes it back.
void write_form(std::string& out, const line_form& f, const item& it)
{
    int64_t v[LINE_FIELDS_MAX] = {};
    item_numbers(f, it, v);
    write_line(out, f, v);
}

void write_variable(std::string& out, const item& d)
{
    insmod_values n = {d.slot + INSMOD_RECORD_BASE, INSMOD_SECOND, d.color, d.x, d.y, d.code, d.digits,
                       code_has_font_size(d.code) ? d.font_px : d.size, d.thickness, d.data_type, d.decimals};
    write_insmod_line(out, n);
    if (d.code == CODE_TEMPERATURE || d.code == CODE_HUMIDITY) {
        n.record = d.slot + INSMOD_EXTRA_BASE;
        n.second = INSMOD_EXTRA_SECOND;
        n.x = (int64_t)d.x + INSMOD_EXTRA_DOTS;
        n.size = d.size;
        n.code = d.code == CODE_TEMPERATURE ? TEMPERATURE_EXTRA : HUMIDITY_EXTRA;
        write_insmod_line(out, n);
        n.code = d.code + SENSOR_SECOND_EXTRA;
        write_insmod_line(out, n);
    }
}

void write_item(std::string& out, const item& it)
{
    if (it.kind == KIND_TEXT) {
        write_text(out, it);
        return;
    }
    const line_form& f = form_of(it.kind).line;
    switch (f.block) {
    case LINE_SINGLE:
        if (f.keyword) write_form(out, f, it);
        break;
    case LINE_INSMOD: write_variable(out, it); break;
    case LINE_TABLE: write_table(out, f, it); break;
    case LINE_NONE: break;
    }
}

} // namespace

std::string script_text(const document& d)
{
    std::string out;
    out.reserve(64 * 1024);
    out += "led clearall \r\n";
    out += "led clearall \r\n";
    for (int t = 0; t < ITEM_TABLES; t++)
        pool_walk(d.items, (item_table)t, [&](item_id, const item& it) {
            if (doc_on_panel(d, it.x, it.y)) write_item(out, it);
        });
    out += "\r\n\r\n";
    return out;
}

std::string item_script(const document& d, const item& it)
{
    std::string out;
    if (doc_on_panel(d, it.x, it.y)) write_item(out, it);
    return out;
}

int items_outside_panel(const document& d)
{
    int n = 0;
    for (int t = 0; t < ITEM_TABLES; t++)
        pool_walk(d.items, (item_table)t, [&](item_id, const item& it) { n += !doc_on_panel(d, it.x, it.y); });
    return n;
}
