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
    {MSG_ERR_ACCESS, "没有权限"},
    {MSG_ERR_NO_SPACE, "磁盘空间不足"},
    {MSG_ERR_READ_ONLY_FS, "文件系统只读"},
    {MSG_ERR_IO, "输入输出错误（磁盘或网络故障）"},
    {MSG_ERR_TOO_MANY_FILES, "打开的文件太多"},
    {MSG_ERR_NOT_FOUND, "文件或文件夹不存在"},
    {MSG_ERR_NOT_FOLDER, "路径中有一段不是文件夹"},
    {MSG_ERR_IS_FOLDER, "这是一个文件夹"},
    {MSG_ERR_LINK_LOOP, "符号链接太多或成环"},
    {MSG_ERR_NAME_TOO_LONG, "文件名太长"},
    {MSG_ERR_OTHER, "系统错误（错误码 %d）"},
    {MSG_FILE_READ_FAILED, "无法读取 %s：%s"},
    {MSG_FILE_NOT_REGULAR, "%s 不是普通文件（而是文件夹、管道或设备），不读取也不覆盖"},
    {MSG_FILE_TOO_LARGE, "%s 太大（超过 %d 字节）"},
    {MSG_FILE_READ_ONLY, "%s 是只读文件，没有覆盖它"},
    {MSG_FILE_WRITE_FAILED, "无法写入 %s：%s"},
    {MSG_FILE_FOLDER_FAILED, "无法创建文件夹 %s：%s"},
    {MSG_FILE_SYNC_FAILED, "无法确认 %s 已写入磁盘：%s"},
    {MSG_FILE_HARD_LINKS, "%s 有多个硬链接：新内容只写到这个名字，其他链接仍是原内容"},
    {MSG_SAVE_SETTINGS_BAD, "%s；布局未保存"},
    {MSG_SAVE_NO_SCRIPT_NAME, "没有脚本文件名（PROGRAMID 无效）；布局未保存"},
    {MSG_SAVE_SCRIPT_KEPT, "脚本载入失败（%s），为保留原文件，布局未保存"},
    {MSG_SAVE_PROGRAM_KEPT, "程序文件载入失败（%s），为保留原文件，布局未保存"},
    {MSG_PROGRAM_NOT_JSON, "%s 不是有效的 JSON 文档：%s"},
    {MSG_PROGRAM_TOO_DEEP, "%s 的嵌套超过 %d 层"},
    {MSG_PROGRAM_NO_REGIONS, "程序文件 %s 没有第 0 页的区域列表，未改写它"},
    {MSG_PROGRAM_NOT_LOADED, "程序文件无法载入：%s"},
    {MSG_SAVE_CONFLICT, "%s 在载入或上次保存之后被别处改动了（也许是另一个设计器），未覆盖"},
    {MSG_SAVE_NOT_OVERWRITTEN, "未保存：%s 被别处改动过，保留了那些改动"},
    {MSG_PROMPT_OVERWRITE, "%s 在载入或上次保存之后被别处改动了。覆盖那些改动吗？（脚本的原内容会留在 cmd.txt.bak）"},
    {MSG_PROMPT_OVERWRITE_YES, "覆盖保存"},
    {MSG_PROMPT_CLOSE, "布局有未保存的修改。关闭前保存吗？"},
    {MSG_PROMPT_SAVE_AND_CLOSE, "保存并关闭"},
    {MSG_PROMPT_DISCARD, "不保存"},
    {MSG_PROMPT_CANCEL, "取消"},
    {MSG_WORKSPACE_IN_USE, "此工作区已在另一个设计器中打开（进程 %d）；保存时会检查文件是否被它改动"},
    {MSG_SCRIPT_LINES_REFUSED, "脚本有 %d 行未能载入，报告见 %s"},
    {MSG_SCRIPT_REPORT_HEAD, "载入 %s 时未能载入或有改动的行（行号：结果：原因：原文）"},
    {MSG_SAVE_NOTE_REFUSED_KEPT, "；未能载入的 %d 行另存在 %s"},
    {MSG_PNG_IS_FOLDER, "无法把图片写到 %s：它是文件夹"},
    {MSG_PNG_NO_FOLDER, "无法把图片写到 %s：文件夹 %s 不存在"},
    {MSG_PNG_FOLDER_LOCKED, "无法把图片写到 %s：文件夹 %s 不能写入"},
    {MSG_PNG_ENCODE_FAILED, "无法把面板编码成 PNG 图片"},
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
