/*******************************************************************************
 * edit/key_help.cpp - the keys and gestures, listed once for F1 and --help
 ******************************************************************************/
#include "edit/key_help.h"
#include "platform/gbk.h"

int32_t key_help_shown = 0;

const key_help_line key_help[KEY_HELP_LINES] = {
    {"F1", "show this list; any key or a click closes it"},
    {"Drag from the palette", "place a new item of that kind on the panel"},
    {"Click, drag", "select an item, move it (it comes to rest on whole dots)"},
    {"Shift+click, Ctrl+click", "add an item to the group, or take it out"},
    {"Drag an edge or corner", "resize the selected item (or the window, off the panel)"},
    {"Right click", "drop the selection"},
    {"Ctrl+Q, Ctrl+A", "zoom in, zoom out (down to 2 pixels a dot)"},
    {"Ctrl+L", "zoom: switch between 1 and 2 pixels a dot"},
    {"Ctrl+Z", "undo the last change of the layout"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo what was undone"},
    {"Ctrl+C, Ctrl+V", "copy the current item, paste the copy beside it"},
    {"Ctrl+V (no item copied)", "paste the clipboard's text into the current text"},
    {"Ctrl+Shift+C", "put the current text on the clipboard"},
    {"Delete", "delete the selected items"},
    {"F5, F6", "group selection on (each click adds an item), off"},
    {"Ctrl+F, then drag", "pick a group with a rubber band"},
    {"Arrow keys", "move the current items by one dot"},
    {"F4, F3", "show, hide the dot position under the pointer"},
    {"F8, F9", "table cells on, off: \"合并\" merges the picked cell, \"拆分\" splits it"},
    {"Page Up", "the current item's line thickness: 1, 2, 3"},
    {"Page Down", "the current item's next colour"},
    {"Typing", "types into the current text (an input method too); Backspace deletes"},
    {"Enter, Space", "type the codes \\C4 (new line) and \\C5 (one blank)"},
    {"Ctrl+B, Ctrl+K", "the current text scrolls; its next colour"},
    {"Ctrl+G, Ctrl+N", "the current text's box one dot wider, narrower"},
    {"\"保存数据\"", "save: the script, the program file and the settings"},
    {"Ctrl+S", "save as \"保存数据\" does, then close the designer"},
    {"\"关闭窗口\"", "close; with unsaved changes it asks first"},
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

void key_help_open() { key_help_shown = 1; }

bool key_help_close()
{
    if (!key_help_shown) return false;
    key_help_shown = 0;
    return true;
}
