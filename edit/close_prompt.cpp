/*******************************************************************************
 * edit/close_prompt.cpp - the close prompt's state, buttons and keys
 ******************************************************************************/
#include "edit/close_prompt.h"
#include "edit/pointer.h"
#include "platform/gbk.h"
#include "platform/screen.h"
#include <string>

uint8_t close_prompt_shown = 0;
char16_t close_prompt_question[CLOSE_TEXT_MAX] = {0};
char16_t close_prompt_labels[CLOSE_BUTTON_COUNT][CLOSE_TEXT_MAX] = {{0}};

namespace {

constexpr unsigned char KEY_ENTER = 13, KEY_ESC = 27;
constexpr int EXIT_OK = 0;

// UTF-8 source text to the screen text's UTF-16, through GBK as every label.
void to_screen(const char* utf8, char16_t* out)
{
    std::string gbk = gbk_from_utf8(utf8);
    gbk_to_utf16(gbk.c_str(), out, CLOSE_TEXT_MAX);
}

} // namespace

int close_button_left(int k)
{
    const int row = CLOSE_BUTTON_COUNT * CLOSE_BUTTON_W + (CLOSE_BUTTON_COUNT - 1) * CLOSE_BUTTON_GAP;
    return CLOSE_PROMPT_X + (CLOSE_PROMPT_W - row) / 2 + k * (CLOSE_BUTTON_W + CLOSE_BUTTON_GAP);
}

void open_close_prompt()
{
    to_screen("布局有未保存的修改。关闭前保存吗？", close_prompt_question);
    to_screen("保存并关闭", close_prompt_labels[CLOSE_SAVE]);
    to_screen("不保存", close_prompt_labels[CLOSE_DISCARD]);
    to_screen("取消", close_prompt_labels[CLOSE_CANCEL]);
    close_prompt_shown = 1;
}

void close_prompt_choose(int32_t choice)
{
    close_prompt_shown = 0;
    if (choice == CLOSE_SAVE) {
        // A failed save keeps the designer open; the status line says why.
        if (save_data()) end_program(EXIT_OK);
    } else if (choice == CLOSE_DISCARD) {
        end_program(EXIT_OK);
    }
}

void close_prompt_press(int x, int y)
{
    if (y < CLOSE_BUTTON_TOP || y >= CLOSE_BUTTON_TOP + CLOSE_BUTTON_H) return;
    for (int k = 0; k < CLOSE_BUTTON_COUNT; k++) {
        const int left = close_button_left(k);
        if (x >= left && x < left + CLOSE_BUTTON_W) {
            close_prompt_choose(k);
            return;
        }
    }
}

void close_prompt_key(unsigned char key)
{
    if (key == KEY_ENTER) close_prompt_choose(CLOSE_SAVE);
    else if (key == KEY_ESC) close_prompt_choose(CLOSE_CANCEL);
}
