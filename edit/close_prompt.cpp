/*******************************************************************************
 * edit/close_prompt.cpp - the prompt's state, buttons and keys
 ******************************************************************************/
#include "edit/close_prompt.h"
#include <cstring>
#include "edit/interaction.h"
#include "platform/gbk.h"
#include <string>

namespace {

constexpr unsigned char KEY_ENTER = 13, KEY_ESC = 27, KEY_BACKSPACE_BYTE = 8;

// UTF-8 text to the screen text's UTF-16, through GBK as every label.
void to_screen(const std::string& utf8, char16_t* out, int cap)
{
    const std::string gbk = gbk_from_utf8(utf8.c_str());
    gbk_to_utf16(gbk.c_str(), out, cap);
}

} // namespace

int prompt_button_left(const prompt_state& p, int k)
{
    const int n = p.button_count > 0 ? p.button_count : 1;
    const int row = n * PROMPT_BUTTON_W + (n - 1) * PROMPT_BUTTON_GAP;
    return PROMPT_X + (PROMPT_W - row) / 2 + k * (PROMPT_BUTTON_W + PROMPT_BUTTON_GAP);
}

void prompt_open(prompt_state& p, const std::string& question, const msg_id* labels, int count, int enter_choice,
                 int esc_choice, prompt_answer answer)
{
    if (count > PROMPT_BUTTON_MAX) count = PROMPT_BUTTON_MAX;
    to_screen(question, p.question, PROMPT_TEXT_MAX);
    for (int k = 0; k < count; k++) to_screen(msg(labels[k]), p.labels[k], PROMPT_LABEL_MAX);
    p.button_count = count;
    p.enter_choice = enter_choice;
    p.esc_choice = esc_choice;
    p.answer = answer;
    p.entry = false;
    p.entry_text[0] = 0;
    p.shown = true;
}

void prompt_choose(editor& e, int choice)
{
    prompt_state& p = e.ui.prompt;
    p.shown = false;
    const prompt_answer answer = p.answer;
    p.answer = nullptr;
    // The answer may open the next question.
    if (answer) answer(e, choice);
}

void prompt_press(editor& e, int x, int y)
{
    const prompt_state& p = e.ui.prompt;
    if (y < PROMPT_BUTTON_TOP || y >= PROMPT_BUTTON_TOP + PROMPT_BUTTON_H) return;
    for (int k = 0; k < p.button_count; k++) {
        const int left = prompt_button_left(p, k);
        if (x >= left && x < left + PROMPT_BUTTON_W) {
            prompt_choose(e, k);
            return;
        }
    }
}

void prompt_key(editor& e, unsigned char key)
{
    prompt_state& p = e.ui.prompt;
    if (key == KEY_ENTER || key == KEY_ESC) {
        prompt_choose(e, key == KEY_ENTER ? p.enter_choice : p.esc_choice);
        return;
    }
    if (!p.entry) return;
    const size_t n = strnlen(p.entry_text, PROMPT_ENTRY_MAX);
    if (key == KEY_BACKSPACE_BYTE) {
        if (n > 0) p.entry_text[n - 1] = 0;
    } else if (((key >= '0' && key <= '9') || key == '.' || (key == '-' && n == 0)) && n + 1 < PROMPT_ENTRY_MAX) {
        p.entry_text[n] = (char)key;
        p.entry_text[n + 1] = 0;
    }
}
