/*******************************************************************************
 * edit/close_prompt.cpp - the prompt's state, buttons and keys
 ******************************************************************************/
#include "edit/close_prompt.h"
#include "platform/gbk.h"
#include <string>

uint8_t prompt_shown = 0;
char16_t prompt_question[PROMPT_TEXT_MAX] = {0};
char16_t prompt_labels[PROMPT_BUTTON_MAX][PROMPT_LABEL_MAX] = {{0}};
int prompt_button_count = 0;
int prompt_enter_choice = 0;
int prompt_esc_choice = 0;

namespace {

constexpr unsigned char KEY_ENTER = 13, KEY_ESC = 27;

prompt_answer current_answer = nullptr;

// UTF-8 text to the screen text's UTF-16, through GBK as every label.
void to_screen(const std::string& utf8, char16_t* out, int cap)
{
    std::string gbk = gbk_from_utf8(utf8.c_str());
    gbk_to_utf16(gbk.c_str(), out, cap);
}

} // namespace

int prompt_button_left(int k)
{
    const int n = prompt_button_count > 0 ? prompt_button_count : 1;
    const int row = n * PROMPT_BUTTON_W + (n - 1) * PROMPT_BUTTON_GAP;
    return PROMPT_X + (PROMPT_W - row) / 2 + k * (PROMPT_BUTTON_W + PROMPT_BUTTON_GAP);
}

void prompt_open(const std::string& question, const msg_id* labels, int count, int enter_choice, int esc_choice,
                 prompt_answer answer)
{
    if (count > PROMPT_BUTTON_MAX) count = PROMPT_BUTTON_MAX;
    to_screen(question, prompt_question, PROMPT_TEXT_MAX);
    for (int k = 0; k < count; k++) to_screen(msg(labels[k]), prompt_labels[k], PROMPT_LABEL_MAX);
    prompt_button_count = count;
    prompt_enter_choice = enter_choice;
    prompt_esc_choice = esc_choice;
    current_answer = answer;
    prompt_shown = 1;
}

void prompt_choose(int choice)
{
    prompt_shown = 0;
    prompt_answer answer = current_answer;
    current_answer = nullptr;
    // The answer may open the next question.
    if (answer) answer(choice);
}

void prompt_press(int x, int y)
{
    if (y < PROMPT_BUTTON_TOP || y >= PROMPT_BUTTON_TOP + PROMPT_BUTTON_H) return;
    for (int k = 0; k < prompt_button_count; k++) {
        const int left = prompt_button_left(k);
        if (x >= left && x < left + PROMPT_BUTTON_W) {
            prompt_choose(k);
            return;
        }
    }
}

void prompt_key(unsigned char key)
{
    if (key == KEY_ENTER) prompt_choose(prompt_enter_choice);
    else if (key == KEY_ESC) prompt_choose(prompt_esc_choice);
}
