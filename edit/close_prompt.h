/*******************************************************************************
 * edit/close_prompt.h - the prompt: a question inside the window and its buttons
 *
 * One question at a time, with two or three buttons; Enter picks the button
 * the question names for it (drawn highlighted), Esc the one for going back.
 * While the prompt is open, presses and keys do nothing else. Picking a
 * button closes the prompt, then hands the choice to the question's answer
 * function. Closing with unsaved changes asks "保存并关闭 / 不保存 / 取消",
 * a save that finds its files changed elsewhere asks "覆盖保存 / 取消"
 * (edit/saving.cpp asks both).
 *
 * The box and the button row are fixed window pixels (PROMPT_*); app/frame
 * draws the prompt from them and from the texts here, converted once when
 * the prompt opens.
 * Limits: PROMPT_BUTTON_MAX buttons; a question of PROMPT_TEXT_MAX UTF-16
 * units (about three lines in the box).
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, save, or end the program (the answer functions do).
 ******************************************************************************/
#pragma once
#include "platform/messages.h"
#include "play/decode.h"
#include <cstdint>
#include <string>

constexpr int PROMPT_X = 420, PROMPT_Y = 260;       // the box's top-left
constexpr int PROMPT_W = 460, PROMPT_H = 215;
constexpr int PROMPT_BUTTON_TOP = 410, PROMPT_BUTTON_H = 44;   // the buttons' row
constexpr int PROMPT_BUTTON_W = 130, PROMPT_BUTTON_GAP = 15;
constexpr int PROMPT_BUTTON_MAX = 3;
constexpr int PROMPT_TEXT_MAX = 192;
constexpr int PROMPT_LABEL_MAX = 32;
constexpr int PROMPT_ENTRY_MAX = 24;                 // bytes a typed number may take
constexpr int PROMPT_ENTRY_Y = 375;                  // the typed number's base line

// The buttons of the two questions the designer asks.
enum close_choice : int { CLOSE_SAVE = 0, CLOSE_DISCARD = 1, CLOSE_CANCEL = 2 };
enum overwrite_choice : int { OVERWRITE_YES = 0, OVERWRITE_CANCEL = 1 };

struct editor;
// What a question does with the button picked (0 = the first).
typedef void (*prompt_answer)(editor& e, int choice);

struct prompt_state {
    bool shown = false;
    char16_t question[PROMPT_TEXT_MAX] = {0};
    char16_t labels[PROMPT_BUTTON_MAX][PROMPT_LABEL_MAX] = {{0}};
    int button_count = 0;
    int enter_choice = 0;
    int esc_choice = 0;
    prompt_answer answer = nullptr;
    // A question that takes a number: what is typed so far (ASCII digits,
    // a point and a minus), and what it is about.
    bool entry = false;
    char entry_text[PROMPT_ENTRY_MAX] = "";
    int entry_about = 0;                  // the register the number goes to
    decode_format entry_format;           // how its item shows it
};

// Left edge of button k of the open prompt.
int prompt_button_left(const prompt_state& p, int k);

// Open a prompt: the question (UTF-8), the buttons' labels from the message
// table, the buttons Enter and Esc pick, and what to do with the choice.
void prompt_open(prompt_state& p, const std::string& question, const msg_id* labels, int count, int enter_choice,
                 int esc_choice, prompt_answer answer);
// Close the prompt and carry out `choice`.
void prompt_choose(editor& e, int choice);
// A left press while the prompt is open: a button, or nothing.
void prompt_press(editor& e, int x, int y);
// A key byte while the prompt is open: Enter and Esc pick their buttons; a
// question that takes a number takes digits, a point, a minus and Backspace.
void prompt_key(editor& e, unsigned char key);
