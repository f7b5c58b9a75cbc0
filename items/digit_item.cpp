/*******************************************************************************
 * items/digit_item.cpp - variables, and descriptions, captions and buttons of
 * selected items other than texts
 ******************************************************************************/
#include "items/digit_item.h"
#include "raster/view.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "items/figures.h"
#include "platform/gbk.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"

namespace {

constexpr int FORMAT_BYTES = 96;     // one GBK format or caption
constexpr int LINE_BYTES = 160;      // one formatted GBK line
constexpr int CAPTION_CODES = 20;    // codes 0..19 with fixed captions
constexpr int BUTTONS_FIGURE = 4;    // buttons every selected item shows
constexpr int BUTTONS_PLAIN = 12;    // a variable's, and a figure's with all buttons
constexpr int WIND_REGISTER = 21;    // the wind field's register, 4x40021
constexpr int DESCRIPTION_DX = 50, DESCRIPTION_DY = 20, POSITION_DX = -80;
constexpr int DESCRIPTION_SIZE = 36, DESCRIPTION_WRAP = 450, POSITION_WRAP = 400, LINE_H = 25;
constexpr int CAPTION_SHIFT = 8, CAPTION_WRAP = 200;

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

// The white description line, and on the panel the dot position and nudge buttons.
void draw_description(const item& it, const item_draw_ctx& ctx)
{
    char line[LINE_BYTES];
    const bool lines = ctx.look.controls & CONTROL_LINES;
    if (lines) {
        description_line(it, line, LINE_BYTES);
        gfx_color(1, 1, 1);
        draw_screen_text_sized(DESCRIPTION_SIZE, to_wide(line), SELECTION_ANCHOR_X + DESCRIPTION_DX,
                               SELECTION_ANCHOR_Y + DESCRIPTION_DY, DESCRIPTION_WRAP, LINE_H);
    }
    if (!ctx.doc || !doc_on_panel(*ctx.doc, it.x, it.y)) return;
    if (lines) {
        format_field(line, LINE_BYTES, "x=%d,y=%d", it.x, it.y);
        gfx_color(1, 1, 1);
        draw_screen_text_sized(DESCRIPTION_SIZE, to_wide(line), SELECTION_ANCHOR_X + POSITION_DX,
                               SELECTION_ANCHOR_Y + DESCRIPTION_DY, POSITION_WRAP, LINE_H);
    }
    static const button_marks none;
    const button* nudges = nudge_buttons(false);
    for (int k = 0; ctx.look.buttons && (ctx.look.controls & CONTROL_NUDGES) && k < NUDGE_BUTTONS; k++)
        draw_row_button(nudges, k, ctx.look.nudge ? *ctx.look.nudge : none, UI_PITCH);
}

// The caption over a selected item, in white.
void draw_caption(const item& it, const item_draw_ctx& ctx)
{
    char caption[LINE_BYTES];
    bool shifted = true;
    if (it.kind == KIND_VARIABLE) variable_caption(it.code, caption, LINE_BYTES, shifted);
    else if (kind_of(it).register_caption) format_field(caption, LINE_BYTES, texts().register_caption, it.code);
    else return;
    if (!caption[0]) return;
    gfx_color(1, 1, 1);
    draw_screen_text(to_wide(caption), text_px((int64_t)ctx.x - (shifted ? CAPTION_SHIFT : 0)), text_px(ctx.y),
                     CAPTION_WRAP, LINE_H);
}

} // namespace

void variable_caption(int code, char* out, int cap, bool& shifted)
{
    const item_texts& t = texts();
    shifted = true;
    if (code == CODE_WIND) format_field(out, cap, t.wind_caption, WIND_REGISTER);
    else if (code >= SAFETY_CODE_FIRST && code <= SAFETY_CODE_LAST)
        format_field(out, cap, t.safety_caption, code - SAFETY_CODE_FIRST);
    else if (code > REGISTER_CODE_BASE) format_field(out, cap, t.register_caption, code - REGISTER_CODE_BASE);
    else {
        shifted = false;
        copy_field(out, cap, code >= 0 && code < CAPTION_CODES ? t.fixed_caption[code] : "");
    }
}

void description_line(const item& it, char* out, int cap)
{
    const item_texts& t = texts();
    if (it.kind != KIND_VARIABLE) {
        const dot_box b = measure_item(it);
        format_field(out, cap, t.figure_line, (int)b.w, (int)b.h, (int)it.color);
    } else if (it.code == CODE_WEEKDAY) {
        format_field(out, cap, t.weekday_line, it.size, (int)it.color);
    } else if (it.data_type >= 0 && it.data_type < DATA_TYPES) {
        format_field(out, cap, t.type_line[it.data_type], it.size, (int)it.color, it.thickness, it.digits);
    } else {
        format_field(out, cap, t.unknown_type_line, it.size, (int)it.color, it.thickness, it.digits, it.data_type);
    }
}

int unit_button_count(const item& it)
{
    if (it.kind == KIND_VARIABLE && code_has_font_size(it.code)) return BUTTONS_FIGURE;
    if (!kind_of(it).all_buttons) return BUTTONS_FIGURE;
    return it.kind == KIND_VARIABLE && it.code > REGISTER_CODE_BASE ? UNIT_PROP_BUTTONS : BUTTONS_PLAIN;
}

void draw_variable_item(const item& it, const item_draw_ctx& ctx)
{
    if (code_has_font_size(it.code)) {
        draw_word_field(it, ctx);
        return;
    }
    // What the moment decides: a value of the simulation, a lunar date.
    play_show designed;
    const play_show* show = ctx.show;
    if (!show) {
        play_moment still;
        still.now = ctx.now;
        designed = play_item(it, still);
        show = &designed;
    }
    if (show->has_cells) {
        draw_cells(it.color, ctx.x, ctx.y, show->cells, (uint8_t)it.size, (uint8_t)it.thickness, it.decimals);
        return;
    }
    uint32_t value = SAMPLE_VALUE;
    if (is_clock_code(it.code)) {
        value = clock_field(ctx.now, it.code);
        draw_unit_word(it, ctx, measure_variable(it).w * ctx.pitch);
    }
    const bool is_signed = it.data_type == DATA_TYPE_SIGNED || it.data_type == DATA_TYPE_NEGATIVE;
    draw_number(it.color, ctx.x, ctx.y, value, (uint8_t)it.digits, (uint8_t)it.size, (uint8_t)it.thickness,
                it.decimals, is_signed);
}

dot_box measure_variable(const item& it)
{
    if (code_has_font_size(it.code)) return measure_word_field(it);
    const int64_t s = it.size;
    return {it.x, it.y, (s + s / 3 + 1) * it.digits, 2 * s};
}

void draw_unit_selected(const item& it, const item_draw_ctx& ctx)
{
    kind_of(it).draw(it, ctx);
    draw_caption(it, ctx);
}

void draw_unit_controls(const item& it, const item_draw_ctx& ctx)
{
    if (ctx.look.description) draw_description(it, ctx);
    if (!ctx.look.buttons || !(ctx.look.controls & CONTROL_PROPS)) return;
    static const button_marks none;
    const button* props = prop_buttons(it.kind);
    const int shown = unit_button_count(it);
    for (int i = 0; i < shown; i++) draw_row_button(props, i, ctx.look.prop ? *ctx.look.prop : none, UI_PITCH);
}
