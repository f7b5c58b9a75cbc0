/*******************************************************************************
 * platform/messages.h - every message the user reads, in one table
 *
 * Each message has an id and a Chinese text (UTF-8 here, a printf format
 * where it takes values). The status line, standard error and the script
 * report all take their words from this table, so the interface speaks one
 * language and a message is written once. Texts that name a file name the
 * user's own file, never a temporary one.
 *
 * Limits: a formatted message is cut at MSG_TEXT_MAX bytes (on a character
 * boundary). The formats are not checked at compile time: the message test
 * formats every row.
 * Depends on: nothing.
 * Does NOT: show, print or convert anything (platform/outcome routes a
 * message; edit/status shows it).
 ******************************************************************************/
#pragma once
#include <cstdarg>
#include <cstdint>
#include <string>

constexpr int MSG_TEXT_MAX = 1024;

// Sections keep the rows of one part of the program together.
enum msg_id : int {
    // ---- general ------------------------------------------------------------
    MSG_NONE,                 // ""
    MSG_PLAIN,                // "%s": a text made elsewhere, passed on as it is
    // ---- saving, closing and files --------------------------------------------
    MSG_SAVED,                // "已保存 %s"
    MSG_SAVED_LEFT_OUT,       // "已保存 %s（面板外的 %d 项未保存）"
    MSG_SAVE_FAILED,          // "保存失败：%s"
    MSG_NOTHING_TO_UNDO,
    MSG_NOTHING_TO_REDO,
    // ---- editing ----------------------------------------------------------------
    MSG_NOTHING_SELECTED,
    MSG_NOTHING_TO_DELETE,
    MSG_NOTHING_TO_COPY,
    MSG_NOTHING_TO_PASTE,
    MSG_KIND_FULL,            // "此类项已满（最多 %d 个）"
    MSG_SELECT_TEXT_FIRST,
    MSG_STATIC_TEXT_WIDTH,
    MSG_NO_GBK_CODE,          // "“%s”(U+%04X)没有GBK编码，未输入"
    MSG_NOT_IN_FONT,          // "“%s”(U+%04X)点阵字库中没有，未输入"
    MSG_TEXT_FULL,
    MSG_PASTE_CUT,
    MSG_CLIPBOARD_EMPTY,
    MSG_TEXT_COPIED,
    MSG_CLIPBOARD_REFUSED,
    MSG_KEY_LIST_TITLE,
    // ---- the script report --------------------------------------------------------
    // ---- playback and values ----------------------------------------------------
    MSG_COUNT
};

// The row of one message.
struct msg_row {
    msg_id id;
    const char* text;   // UTF-8; a printf format where the message takes values
};
extern const msg_row msg_rows[MSG_COUNT];

// The UTF-8 text (or format) of a message.
const char* msg_text(msg_id id);

// A message with its values filled in.
std::string msg(msg_id id, ...);
std::string msg_v(msg_id id, va_list ap);
