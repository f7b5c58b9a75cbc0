/*******************************************************************************
 * items/digit_item.cpp - variable items, descriptions, captions and buttons of
 * Digit_unit records
 ******************************************************************************/
#include "items/digit_item.h"
#include "items/buttons.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "items/figures.h"
#include "items/graphic_items.h"
#include "items/kinds.h"
#include "model/settings.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"

namespace {

constexpr int FORMAT_BYTES = 96;     // one GBK format or caption
constexpr int LINE_BYTES = 160;      // one formatted GBK line
constexpr int CAPTION_CODES = 20;    // codes 0..19 with fixed captions
constexpr int BUTTONS_FIGURE = 4;    // buttons every selected record shows
constexpr int BUTTONS_PLAIN = 12, BUTTONS_REGISTER = 14;
constexpr int DATA_TYPE_SIGNED = 2, DATA_TYPE_NEGATIVE = 6;

// GBK texts of this module, converted once.
struct item_texts {
    char fixed_caption[CAPTION_CODES][FORMAT_BYTES];   // "" where a code has none
    char wind_caption[FORMAT_BYTES];
    char safety_caption[FORMAT_BYTES];
    char register_caption[FORMAT_BYTES];
    char type_line[DATA_TYPES][FORMAT_BYTES];
    char unknown_type_line[FORMAT_BYTES];
    char weekday_line[FORMAT_BYTES];
    char figure_line[FORMAT_BYTES];
};

const item_texts& texts()
{
    static const item_texts table = [] {
        item_texts t{};
        static const char* const captions[CAPTION_CODES] = {
            "计数 1", "计数 2", "计数 3", "计数 4", "计数 5",
            "阳历 年", "阳历 月", "阳历 日", "时", "分", "秒",
            "温度", "", "湿度", "", "", "星期", "农历 年", "农历 月", "农历 日"};
        for (int i = 0; i < CAPTION_CODES; i++) utf8_to_gbk(captions[i], t.fixed_caption[i], FORMAT_BYTES);
        utf8_to_gbk("风向寄存器:4x4%04d", t.wind_caption, FORMAT_BYTES);
        utf8_to_gbk("安全生产计数器:%d", t.safety_caption, FORMAT_BYTES);
        utf8_to_gbk("寄存器:4x4%04d", t.register_caption, FORMAT_BYTES);
        static const char* const lines[DATA_TYPES] = {
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=无符号16位整数",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=浮点数CDAB",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=有符号整数",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=浮点数ABCD",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=浮点数DCBA",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=无符号32位整数",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=负32位整数",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=浮点数BADC",
            "大小=%d,颜色=%d，粗细=%d,位数=%d,类型=位数零值显示"};
        for (int i = 0; i < DATA_TYPES; i++) utf8_to_gbk(lines[i], t.type_line[i], FORMAT_BYTES);
        // A type the buttons never produce is shown by its number.
        utf8_to_gbk("大小=%d,颜色=%d，粗细=%d,位数=%d,类型=%d", t.unknown_type_line, FORMAT_BYTES);
        utf8_to_gbk("大小=%d,颜色=%d", t.weekday_line, FORMAT_BYTES);
        utf8_to_gbk("宽度=%d,高度=%d，颜色=%d", t.figure_line, FORMAT_BYTES);
        return t;
    }();
    return table;
}

int32_t clamp_extent(double v)
{
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : (int32_t)v);
}

// True when the item's corner lies strictly inside the panel on screen.
bool corner_inside_panel(const Digit_unit& u)
{
    const int64_t p = led_pitch;
    return u.x > PANEL_X && u.x < PANEL_X + p * panel_width() && u.y > PANEL_Y &&
           u.y < PANEL_Y + p * panel_height();
}

// Property button i by the row rule, with a figure's own label where it has one.
void draw_property_button(const Digit_unit& u, int i)
{
    const char* relabel = figure_button_label(u, i);
    if (!relabel) {
        draw_row_button(u.prop_buttons, i, u.prop_hover, u.prop_pressed, u.prop_down);
        return;
    }
    menu_unit b = u.prop_buttons[i];
    copy_field(b.label, LABEL_LEN, relabel);
    if (i == u.prop_pressed && u.prop_down) draw_button_pressed(b);
    else draw_button(b);
    if (i == u.prop_hover) draw_button_hover(b);
}

// The white description line, and inside the panel the dot position and nudge buttons.
void draw_description(const Digit_unit& u, bool buttons)
{
    char line[LINE_BYTES];
    description_line(u, line, LINE_BYTES);
    gfx_color(1, 1, 1);
    draw_screen_text_sized(36, to_wide(line), text_px((int64_t)u.anchor_x + 50),
                           text_px((int64_t)u.anchor_y + 20), 450, 25);
    if (!corner_inside_panel(u)) return;
    const int p = dot_pitch();
    format_field(line, LINE_BYTES, "x=%d,y=%d", (u.x - PANEL_X) / p, (u.y - PANEL_Y) / p);
    gfx_color(1, 1, 1);
    draw_screen_text_sized(36, to_wide(line), text_px((int64_t)u.anchor_x - 80),
                           text_px((int64_t)u.anchor_y + 20), 400, 25);
    for (int k = 0; buttons && k < NUDGE_BUTTONS; k++)
        draw_row_button(u.nudge_buttons, k, u.nudge_hover, u.nudge_pressed, u.nudge_down);
}

// The caption over a selected record, in white.
void draw_caption(const Digit_unit& u)
{
    if (u.kind != KIND_VARIABLE) {
        if (kind_of(u).register_caption) draw_figure_caption(u);
        return;
    }
    char caption[LINE_BYTES];
    bool shifted = false;
    variable_caption(u.reg_addr, caption, LINE_BYTES, shifted);
    if (!caption[0]) return;
    gfx_color(1, 1, 1);
    draw_screen_text(to_wide(caption), text_px((int64_t)u.x - (shifted ? 8 : 0)), text_px(u.y), 200, 25);
}

} // namespace

void variable_caption(int code, char* out, int cap, bool& shifted)
{
    const item_texts& t = texts();
    shifted = true;
    if (code == CODE_WIND) format_field(out, cap, t.wind_caption, 21);
    else if (code >= SAFETY_CODE_FIRST && code <= SAFETY_CODE_LAST)
        format_field(out, cap, t.safety_caption, code - SAFETY_CODE_FIRST);
    else if (code > REGISTER_CODE_BASE) format_field(out, cap, t.register_caption, code - REGISTER_CODE_BASE);
    else {
        shifted = false;
        copy_field(out, cap, code >= 0 && code < CAPTION_CODES ? t.fixed_caption[code] : "");
    }
}

void description_line(const Digit_unit& u, char* out, int cap)
{
    const item_texts& t = texts();
    if (u.kind != KIND_VARIABLE) {
        const int p = dot_pitch();
        format_field(out, cap, t.figure_line, u.width / p, u.height / p, (int)u.color);
    } else if (u.reg_addr == CODE_WEEKDAY) {
        format_field(out, cap, t.weekday_line, u.size, (int)u.color);
    } else if (u.data_type >= 0 && u.data_type < DATA_TYPES) {
        format_field(out, cap, t.type_line[u.data_type], u.size, (int)u.color, u.thickness, u.digits);
    } else {
        format_field(out, cap, t.unknown_type_line, u.size, (int)u.color, u.thickness, u.digits, u.data_type);
    }
}

static int shown_of(const Digit_unit& u, int button_count);

int shown_button_count(const Digit_unit& u)
{
    return shown_of(u, u.button_count);
}

int selected_button_count(const Digit_unit& u)
{
    return shown_of(u, u.reg_addr > REGISTER_CODE_BASE ? BUTTONS_REGISTER : BUTTONS_PLAIN);
}

// How many of `button_count` property buttons the record's kind shows.
static int shown_of(const Digit_unit& u, int button_count)
{
    const int count = button_count < 0 ? 0 : (button_count > PROP_BUTTONS ? PROP_BUTTONS : button_count);
    if (u.reg_addr == CODE_WEEKDAY || u.reg_addr == CODE_WIND) return count < BUTTONS_FIGURE ? count : BUTTONS_FIGURE;
    if (kind_of(u).all_buttons) return count;
    return count < BUTTONS_FIGURE ? count : BUTTONS_FIGURE;
}

void draw_variable_item(Digit_unit& u, bool selected)
{
    const int code = u.reg_addr;
    if (code == CODE_WEEKDAY || code == CODE_WIND) {
        draw_word_field(u, selected);
        return;
    }
    uint32_t value = SAMPLE_VALUE;
    if (is_clock_code(code)) {
        value = clock_field(read_clock(), code);
        draw_unit_word(u, code);
    }
    const bool is_signed = u.data_type == DATA_TYPE_SIGNED || u.data_type == DATA_TYPE_NEGATIVE;
    draw_number(u.color, u.x, u.y, value, (uint8_t)u.digits, (uint8_t)u.size, (uint8_t)u.thickness,
                u.decimals, is_signed);
}

void measure_variable(Digit_unit& u, bool selected)
{
    if (code_has_font_size(u.reg_addr)) {
        if (!selected) measure_word_field(u);
        return;
    }
    // Products in double: exact within the 32-bit range, and held to it beyond.
    const int64_t s = u.size;
    u.width = clamp_extent((double)(s + s / 3 + 1) * u.digits * led_pitch);
    u.height = clamp_extent(2.0 * (double)s * led_pitch);
}

void note_button_count(Digit_unit& u)
{
    u.button_count = u.reg_addr > REGISTER_CODE_BASE ? BUTTONS_REGISTER : BUTTONS_PLAIN;
}

void draw_digit_item(Digit_unit& u)
{
    kind_of(u).draw(u, false);
}

void draw_digit_item_selected(Digit_unit& u, bool buttons)
{
    if (!u.group_selected) draw_description(u, buttons);
    kind_of(u).draw(u, true);
    draw_caption(u);
    const int shown = buttons ? selected_button_count(u) : 0;
    for (int i = 0; i < shown; i++) draw_property_button(u, i);
}
