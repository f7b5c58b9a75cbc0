/*******************************************************************************
 * edit/close_prompt.h - the question asked before closing with unsaved changes
 *
 * Closing ("关闭窗口", the window manager's close button) with a layout that
 * differs from the one last loaded or saved opens a prompt inside the window
 * with three buttons: "保存并关闭" (save, then end when the save succeeded),
 * "不保存" (end without saving) and "取消" (back to editing). Enter means
 * the first, Esc the last. While the prompt is open, presses and keys do
 * nothing else.
 *
 * The button rectangles are fixed window pixels (CLOSE_PROMPT_*); app/frame
 * draws the prompt from them and from the texts here, converted once when
 * the prompt opens.
 * Depends on: edit/status (save results), output/layout_save, platform/gbk.
 * Does NOT: draw, or end the process other than through end_program.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int CLOSE_PROMPT_X = 420, CLOSE_PROMPT_Y = 260;     // the box's top-left
constexpr int CLOSE_PROMPT_W = 460, CLOSE_PROMPT_H = 170;
constexpr int CLOSE_BUTTON_TOP = 360, CLOSE_BUTTON_H = 44;     // the buttons' row
constexpr int CLOSE_BUTTON_W = 130, CLOSE_BUTTON_GAP = 15;
constexpr int CLOSE_BUTTON_COUNT = 3;
constexpr int CLOSE_TEXT_MAX = 64;

enum close_choice : int32_t { CLOSE_SAVE = 0, CLOSE_DISCARD = 1, CLOSE_CANCEL = 2 };

extern uint8_t close_prompt_shown;
// The question and the three labels, ready for the screen text.
extern char16_t close_prompt_question[CLOSE_TEXT_MAX];
extern char16_t close_prompt_labels[CLOSE_BUTTON_COUNT][CLOSE_TEXT_MAX];

// Left edge of button k.
int close_button_left(int k);

// Open the prompt.
void open_close_prompt();
// Carry out a choice: save and end, end, or back to editing.
void close_prompt_choose(int32_t choice);
// A left press while the prompt is open: a button, or nothing.
void close_prompt_press(int x, int y);
// A key byte while the prompt is open: Enter saves and closes, Esc cancels.
void close_prompt_key(unsigned char key);
