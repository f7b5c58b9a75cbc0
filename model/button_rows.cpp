/*******************************************************************************
 * model/button_rows.cpp - labels and places of the tool-button rows
 ******************************************************************************/
#include "model/button_rows.h"
#include "edit/state.h"
#include "model/tables.h"
#include "platform/gbk.h"

namespace {

void place(menu_unit& b, int x, int y, const char* utf8, int slot)
{
    b.x = x;
    b.y = y;
    utf8_to_gbk(utf8, b.label, LABEL_LEN);
    b.slot = slot;
}

} // namespace

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

    row_pressed[ROW_ALIGN] = 0;
    row_down[ROW_ALIGN] = 0;
}
