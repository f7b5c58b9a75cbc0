/*******************************************************************************
 * edit/key_help.cpp - the keys and gestures, listed once for F1 and --help
 ******************************************************************************/
#include "edit/key_help.h"
#include "platform/gbk.h"


const key_help_line key_help[KEY_HELP_LINES] = {
    {"F1", "显示本列表；按任意键或点击关闭"},
    {"从工具栏拖出", "在面板上放一个该类的新项"},
    {"点击、拖动", "选中一项并移动（松开时落在整点上）"},
    {"Shift+点击、Ctrl+点击", "把项加入组或移出组（当前项一同入组）"},
    {"拖动边或角", "改变所选项的大小（面板外则改变窗口）"},
    {"右键", "取消全部选择"},
    {"Ctrl+Q、Ctrl+A", "放大、缩小（最小每点 2 像素）"},
    {"Ctrl+L", "缩放：在每点 1 和 2 像素之间切换"},
    {"Ctrl+0、\"适合窗口\"", "整个面板放进窗口（能放下的最大点距）"},
    {"Ctrl+滚轮", "以指针处为中心放大、缩小"},
    {"滚轮、Shift+滚轮", "上下、左右滚动面板；也可拖动滚动条"},
    {"中键拖动、空格+拖动", "拖动面板（空格：不在编辑文本时）"},
    {"Ctrl+Z", "撤销上一步修改"},
    {"Ctrl+Y、Ctrl+Shift+Z", "重做撤销的修改"},
    {"Ctrl+C、Ctrl+V", "复制当前项；每次粘贴在旁边放一个副本"},
    {"Ctrl+V（未复制项）", "把剪贴板的文字粘贴到正在编辑的文本"},
    {"Ctrl+Shift+C", "把当前文本放到剪贴板"},
    {"Delete", "编辑文本时删除光标后的字；否则删除所选项"},
    {"F5、F6", "组选择开（每次点击加入一项）、关"},
    {"Ctrl+F，再拖动", "用框选选出一组"},
    {"方向键", "把当前项移动一个点"},
    {"Home、End、点击文本", "把光标移到文本开头、结尾、点击处"},
    {"F4、F3", "显示、隐藏指针处的点坐标"},
    {"F8、F9", "表格单元格开、关：\"合并\"合并所选单元格，\"拆分\"拆开"},
    {"F7、\"模拟运行\"", "面板按数值文件或 PLC 运行（编辑暂停）；点击寄存器项输入其值"},
    {"Page Up", "当前项的线宽：1、2、3"},
    {"Page Down", "当前项的下一种颜色"},
    {"输入", "在光标处输入文字（也可用输入法）；Backspace 删除光标前的字"},
    {"Enter、空格、\\1～\\3", "换行、空格、红绿黄颜色码（\\ 后接其他字即反斜杠本身）"},
    {"Ctrl+B、Ctrl+K", "当前文本改为滚动；下一种颜色"},
    {"Ctrl+G、Ctrl+N", "滚动文本的框加宽、减窄一个点"},
    {"\"保存数据\"", "保存：脚本、节目文件和设置"},
    {"Ctrl+S", "像\"保存数据\"一样保存，然后关闭设计器"},
    {"\"关闭窗口\"", "关闭；有未保存的修改时先询问"},
};

namespace {

std::u16string wide[KEY_HELP_LINES][2];
bool converted = false;

} // namespace

// Convert every line once, the first time the overlay needs it.
const std::u16string& key_help_wide(int line, int column)
{
    static const std::u16string none;
    if (line < 0 || line >= KEY_HELP_LINES || column < 0 || column > 1) return none;
    if (!converted) {
        for (int i = 0; i < KEY_HELP_LINES; i++) {
            wide[i][0] = to_wide(gbk_from_utf8(key_help[i].keys).c_str());
            wide[i][1] = to_wide(gbk_from_utf8(key_help[i].does).c_str());
            for (auto& w : wide[i])
                if (w.size() > (size_t)KEY_HELP_LINE_MAX) w.resize(KEY_HELP_LINE_MAX);
        }
        converted = true;
    }
    return wide[line][column];
}

bool key_help_close(bool& shown)
{
    if (!shown) return false;
    shown = false;
    return true;
}
