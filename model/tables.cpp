/*******************************************************************************
 * model/tables.cpp - record constructors and the global tables
 *
 * The tables are defined here in the order they are constructed before
 * start-up; the runtime destroys them in reverse at exit. Button captions are
 * written readably in UTF-8 below and converted to GBK once, the first time a
 * record is constructed.
 ******************************************************************************/
#include "model/tables.h"
#include "platform/gbk.h"
#include <cstdarg>
#include <cstdio>
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

namespace {

// GBK captions of the buttons every record carries, converted once.
struct record_labels {
    char text_prop[PROP_BUTTONS][16];
    char digit_prop[PROP_BUTTONS][16];
};

const record_labels& labels()
{
    static record_labels L = [] {
        record_labels l{};
        static const char* const text_utf8[PROP_BUTTONS] = {
            "字体+", "字体-", "颜色+", "颜色-", "类型+", "类型-", "地址+", "地址-",
            "宽度+", "宽度-", "高度+", "高度-", "速度+", "速度-", "方向+", "方向-"};
        static const char* const digit_utf8[PROP_BUTTONS] = {
            "大小+", "大小-", "颜色+", "颜色-", "粗细+", "粗细-", "位数+", "位数-",
            "类型+", "类型-", "地址+", "地址-", "小数+", "小数-", "", ""};
        for (int i = 0; i < PROP_BUTTONS; i++) {
            utf8_to_gbk(text_utf8[i], l.text_prop[i], sizeof l.text_prop[i]);
            utf8_to_gbk(digit_utf8[i], l.digit_prop[i], sizeof l.digit_prop[i]);
        }
        return l;
    }();
    return L;
}

void set_button(menu_unit& b, int x, int y, int w, int h, const char* label,
                int label_size, float r, float g, float bl)
{
    b.x = x; b.y = y; b.w = w; b.h = h;
    b.label_size = label_size;
    copy_field(b.label, LABEL_LEN, label);
    b.fill_r = r; b.fill_g = g; b.fill_b = bl;
}

// Place the 4 nudge buttons "X+", "X-", "Y+", "Y-" from the anchor (a, b).
void place_nudges(menu_unit* n, int a, int b, const float xf[3], const float yf[3])
{
    set_button(n[0], a - 80, b - 45, 24, 15, "X+", 36, xf[0], xf[1], xf[2]);
    set_button(n[1], a - 80, b - 5, 24, 15, "X-", 36, xf[0], xf[1], xf[2]);
    set_button(n[2], a - 30, b - 45, 24, 15, "Y+", 36, yf[0], yf[1], yf[2]);
    set_button(n[3], a - 30, b - 5, 24, 15, "Y-", 36, yf[0], yf[1], yf[2]);
}

// Property button k: "+" of pair k/2 above, "-" below, 28 x 15 each.
void place_prop(menu_unit& b, int k, int a, int bb, const char* label, const float f[3])
{
    int pair = k / 2;
    int y = (k % 2 == 0) ? bb - 45 : bb - 5;
    set_button(b, a + 50 + 58 * pair, y, 28, 15, label, k == 3 ? 30 : 36, f[0], f[1], f[2]);
}

} // namespace

menu_unit::menu_unit()
    : x(0), y(64), w(6), h(6), slot(0), label_size(36), label{},
      fill_r(0.2f), fill_g(0.2f), fill_b(0.2f)
{
}

string_draw::string_draw()
    : visible(0), owner(0xA5A5), x(0), y(0), anchor_x(500), anchor_y(100),
      font_size(12), font_step(1), reg_addr(0), text_ready(1), group_selected(0),
      box_width(32), box_height(24), speed(8), aux(0), color(0),
      frame_rgb{1.0f, 1.0f, 1.0f}, text_len(3), line_chars(3), max_line_chars(3),
      line_count(1), text{}, draw_copy{}, mode(0), direction(0), aux2(18),
      prop_pressed(NO_BUTTON), prop_hover(NO_BUTTON), prop_down(0),
      nudge_pressed(NO_BUTTON), nudge_hover(NO_BUTTON), nudge_down(0)
{
    copy_field(text, TEXT_LEN, TEXT_PLACEHOLDER);
    static const float fills[PROP_BUTTONS][3] = {
        {0.2f, 0.3f, 0.1f}, {0.2f, 0.3f, 0.1f}, {0.1f, 0.2f, 0.3f}, {0.1f, 0.2f, 0.3f},
        {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f},
        {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f},
        {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}};
    const record_labels& L = labels();
    for (int k = 0; k < PROP_BUTTONS; k++)
        place_prop(prop_buttons[k], k, anchor_x, anchor_y, L.text_prop[k], fills[k]);
    static const float xf[3] = {0.1f, 0.4f, 0.2f}, yf[3] = {0.2f, 0.5f, 0.4f};
    place_nudges(nudge_buttons, anchor_x, anchor_y, xf, yf);
}

Digit_unit::Digit_unit()
    : visible(0), x(0), y(0), anchor_x(500), anchor_y(100), width(0), height(0),
      font_px(12), data_type(0), size_preset(1), size(4), thickness(1), digits(2),
      decimals(0), color(0), group_selected(0), reg_addr(0), kind(KIND_VARIABLE),
      col_width{}, row_height{}, merge_count(0), merges{},
      sel_cell_x(0), sel_cell_y(0), span_cell_x(0), span_cell_y(0), cols(0), rows(0),
      sel_col(NO_BUTTON), sel_row(NO_BUTTON), span_col(NO_BUTTON), span_row(NO_BUTTON),
      nudge_pressed(NO_BUTTON), nudge_hover(NO_BUTTON), nudge_down(0),
      button_count(12), bitmap(nullptr), bitmap_len(0), valve(128),
      prop_pressed(NO_BUTTON), prop_hover(NO_BUTTON), prop_down(0)
{
    static const float fills[PROP_BUTTONS][3] = {
        {0.4f, 0.5f, 0.1f}, {0.4f, 0.5f, 0.1f}, {0.5f, 0.4f, 0.1f}, {0.5f, 0.4f, 0.1f},
        {0.2f, 0.1f, 0.3f}, {0.2f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.3f},
        {0.3f, 0.1f, 0.4f}, {0.3f, 0.1f, 0.4f}, {0.3f, 0.1f, 0.45f}, {0.3f, 0.1f, 0.45f},
        {0.3f, 0.1f, 0.45f}, {0.3f, 0.1f, 0.45f}, {0.2f, 0.2f, 0.2f}, {0.2f, 0.2f, 0.2f}};
    const record_labels& L = labels();
    for (int k = 0; k < 14; k++)
        place_prop(prop_buttons[k], k, anchor_x, anchor_y, L.digit_prop[k], fills[k]);
    static const float xf[3] = {0.5f, 0.2f, 0.3f}, yf[3] = {0.3f, 0.5f, 0.3f};
    place_nudges(nudge_buttons, anchor_x, anchor_y, xf, yf);
}

graph_draw::graph_draw()
    : left(0), top(0), pic_width(0), pic_height(0), has_picture(0), shown(0),
      bmp_info{}, bmp_header{}, texture_ready(0), rgb{1.0f, 1.0f, 1.0f}, texture(0),
      bmp_path{}
{
}

led_unit::led_unit() : x(0), y(64), w(64), h(32), col(0), row(0) {}

// Construction order before start-up; destruction runs in reverse at exit.
graph_draw rubber_band;
Digit_unit digit_table[DIGIT_COUNT];
graph_draw graph_table[GRAPH_COUNT];
int32_t graph_count = PICTURES_AT_START;
string_draw string_table[STRING_COUNT];
menu_unit delete_row[ROW_SLOTS];
menu_unit command_row[ROW_SLOTS];
menu_unit span_row[ROW_SLOTS];
menu_unit align_row[ROW_SLOTS];
led_unit led_table[LED_UNIT_COUNT];
