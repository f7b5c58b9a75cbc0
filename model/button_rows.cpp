/*******************************************************************************
 * model/button_rows.cpp - labels, places and sizes of the tool-button rows
 ******************************************************************************/
#include "model/button_rows.h"
#include "model/settings.h"
#include "platform/gbk.h"
#include <cstring>

namespace {

constexpr int POINTS_PER_INCH = 72;   // faces are set at `size` points and `size` dpi
constexpr int LABEL_MARGIN_PX = 2;    // room right of the label's last glyph

// Base point, GBK label (converted once, here) and slot number of one button.
void place(menu_unit& b, int x, int y, const char* utf8, int slot)
{
    b.x = x;
    b.y = y;
    utf8_to_gbk(utf8, b.label, LABEL_LEN);
    b.slot = slot;
}

// a / b rounded up, for positive b and non-negative a.
int ceil_div(int a, int b) { return (a + b - 1) / b; }

} // namespace

// size points at size dpi: size * size / 72 pixels per em (36 gives 18).
int label_em_px(int label_size)
{
    const int s = label_size == 24 || label_size == 48 || label_size == 64 ? label_size : 36;
    return s * s / POINTS_PER_INCH;
}

// A double-byte character is one em wide, a single byte half an em.
int label_width_px(const char* gbk, int label_size)
{
    return (int)strnlen(gbk, LABEL_LEN) * label_em_px(label_size) / 2;
}

// The rectangle runs from x - p to x + p(w - 1) and from y - p*h to below y:
// w - 1 steps cover the label and its margin, h steps cover one em above the base line.
void fit_tool_button(menu_unit& b, int p)
{
    if (p < 1) p = 1;
    if (b.label[0] == '\0') return;
    b.w = 1 + ceil_div(label_width_px(b.label, b.label_size) + LABEL_MARGIN_PX, p);
    b.h = ceil_div(label_em_px(b.label_size), p);
}

// Every labelled slot of the four rows, for the pitch in use.
void fit_tool_buttons()
{
    for (menu_unit* row : {delete_row, command_row, span_row, align_row})
        for (int k = 0; k < ROW_SLOTS; k++) fit_tool_button(row[k], led_pitch);
}

// Labels and places, sizes for the pitch in use, the align row not pressed.
void layout_button_rows()
{
    place(delete_row[2], 1030, 90, "删除所选", 2);
    place(command_row[2], 1130, 90, "保存数据", 2);
    place(command_row[7], 1230, 90, "关闭窗口", 7);

    static const char* const align_labels[6] = {"左对齐", "右对齐", "上对齐", "下对齐", "等长度", "等高度"};
    static const int align_pos[6][2] = {{200, 55}, {200, 95}, {265, 55}, {265, 95}, {330, 55}, {330, 95}};
    for (int k = 0; k < 6; k++) place(align_row[k], align_pos[k][0], align_pos[k][1], align_labels[k], 7);

    place(span_row[0], 200, 55, "合并", span_row[0].slot);
    place(span_row[1], 200, 95, "拆分", span_row[1].slot);

    fit_tool_buttons();
}
