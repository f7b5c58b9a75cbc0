/*******************************************************************************
 * platform/messages.cpp - the rows of the message table
 ******************************************************************************/
#include "platform/messages.h"
#include <cstdio>

// One row per msg_id, in the enum's order (checked below).
constexpr msg_row msg_rows[MSG_COUNT] = {
    // ---- general
    {MSG_NONE, ""},
    {MSG_PLAIN, "%s"},
    // ---- saving, closing and files
    {MSG_SAVED, "已保存 %s"},
    {MSG_SAVED_LEFT_OUT, "已保存 %s（面板外的 %d 项未保存）"},
    {MSG_SAVE_FAILED, "保存失败：%s"},
    {MSG_NOTHING_TO_UNDO, "没有可撤销的操作"},
    {MSG_NOTHING_TO_REDO, "没有可重做的操作"},
    // ---- editing
    {MSG_NOTHING_SELECTED, "请先选中一个项"},
    {MSG_NOTHING_TO_DELETE, "没有选中的项"},
    {MSG_NOTHING_TO_COPY, "没有可复制的项"},
    {MSG_NOTHING_TO_PASTE, "没有可粘贴的内容"},
    {MSG_KIND_FULL, "此类项已满（最多 %d 个）"},
    {MSG_SELECT_TEXT_FIRST, "先选中一个文本"},
    {MSG_STATIC_TEXT_WIDTH, "静态文本的宽度随文字而定；滚动文本才能改宽度"},
    {MSG_NO_GBK_CODE, "“%s”(U+%04X)没有GBK编码，未输入"},
    {MSG_NOT_IN_FONT, "“%s”(U+%04X)点阵字库中没有，未输入"},
    {MSG_TEXT_FULL, "文本已达长度上限，其余未输入"},
    {MSG_PASTE_CUT, "粘贴的文本超出长度上限，已截断"},
    {MSG_CLIPBOARD_EMPTY, "剪贴板中没有文本"},
    {MSG_TEXT_COPIED, "文本已复制到剪贴板"},
    {MSG_CLIPBOARD_REFUSED, "无法写入剪贴板"},
    {MSG_KEY_LIST_TITLE, "按键和鼠标操作（按任意键或点击关闭）"},
    // ---- the script report
    // ---- playback and values
};

namespace {

constexpr bool rows_in_order()
{
    for (int i = 0; i < MSG_COUNT; i++)
        if (msg_rows[i].id != i || msg_rows[i].text == nullptr) return false;
    return true;
}
static_assert(rows_in_order(), "one row per message, in the order of msg_id");

// Cut at `n` bytes without splitting a UTF-8 sequence.
void cut_utf8(std::string& s, size_t n)
{
    if (s.size() <= n) return;
    while (n > 0 && ((unsigned char)s[n] & 0xC0) == 0x80) n--;
    s.resize(n);
}

} // namespace

const char* msg_text(msg_id id) { return id < MSG_COUNT ? msg_rows[id].text : ""; }

std::string msg_v(msg_id id, va_list ap)
{
    char buf[MSG_TEXT_MAX];
    va_list copy;
    va_copy(copy, ap);
    const int n = vsnprintf(buf, sizeof buf, msg_text(id), copy);
    va_end(copy);
    std::string out(buf, n < 0 ? 0 : (size_t)n < sizeof buf ? (size_t)n : sizeof buf - 1);
    cut_utf8(out, MSG_TEXT_MAX - 1);
    return out;
}

std::string msg(msg_id id, ...)
{
    va_list ap;
    va_start(ap, id);
    std::string out = msg_v(id, ap);
    va_end(ap);
    return out;
}
