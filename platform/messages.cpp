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
    {MSG_SAVE_SETTINGS_BAD, "%s；布局未保存（新建工作区：lumiker --new 文件夹 [--size 宽x高]）"},
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
    {MSG_PNG_NO_PANEL, "面板没有大小（SysCfg.ini 中的 WIDTH 和 HEIGHT）"},
    {MSG_CANNOT_READ, "无法读取 %s"},
    {MSG_STDOUT_FAILED, "无法把脚本写到标准输出"},
    {MSG_SCRIPT_COUNTS, "%d 行未读入（共 %d 行），%d 行已改动"},
    {MSG_PNG_TOO_BIG, "图片将是 %d x %d 像素；每边必须在 1 到 %d 之间"},
    {MSG_GL_ERROR, "%s（EGL 错误 0x%04X）"},
    {MSG_GL_NO_SURFACELESS, "没有离屏 OpenGL（缺少 Mesa 的 surfaceless EGL）"},
    {MSG_GL_CANNOT_START, "无法启动离屏 OpenGL"},
    {MSG_GL_NO_DESKTOP, "离屏 OpenGL 没有桌面 OpenGL"},
    {MSG_GL_NO_RGBA, "离屏 OpenGL 没有 RGBA 表面"},
    {MSG_GL_NO_SURFACE, "无法创建离屏表面"},
    {MSG_GL_NO_CONTEXT, "无法创建离屏 OpenGL 上下文"},
    {MSG_GL_CANNOT_USE, "无法使用离屏上下文"},
    {MSG_GL_NOT_OPEN, "没有打开的离屏表面"},
    {MSG_GL_CANNOT_READ, "无法读取离屏像素"},
    {MSG_FREETYPE_INIT, "无法初始化 FreeType 库"},
    {MSG_SCREEN_FONT_OPEN, "无法打开屏幕字体 %s"},
    {MSG_DISPLAY_FAILED, "无法打开显示：%s"},
    {MSG_NO_WINDOW_SYSTEM, "无法打开显示：没有窗口系统（设置了 DISPLAY 吗？）"},
    {MSG_SCREEN_SIZE_FAILED, "无法得到屏幕的大小：%s"},
    {MSG_WINDOW_FAILED, "无法打开窗口：%s"},
    {MSG_NO_GL_CONTEXT, "没有 OpenGL 上下文：%s"},
    // ---- start-up and the workspace
    {MSG_SETTINGS_UNREADABLE, "%s 无法读取：没有面板大小（WIDTH、HEIGHT）"},
    {MSG_SETTINGS_WIDTH, "%s 中的 WIDTH=%.40s 不是 %d 到 %d 点的面板宽度"},
    {MSG_SETTINGS_HEIGHT, "%s 中的 HEIGHT=%.40s 不是 %d 到 %d 点的面板高度"},
    {MSG_SETTINGS_PROGRAM, "%s 中的 PROGRAMID=%.40s 不是 1 到 %ld 的节目号"},
    {MSG_WS_NONE_GIVEN, "没有给出工作区文件夹"},
    {MSG_WS_NOT_FOLDER, "工作区文件夹 %s 不存在或不是文件夹"},
    {MSG_WS_NOT_WRITABLE, "工作区文件夹 %s 不能写入"},
    {MSG_WS_NAME_TOO_LONG, "工作区文件夹的名字太长：%s"},
    {MSG_WS_CANNOT_CREATE, "无法创建工作区文件夹 %s"},
    {MSG_WS_DEMO_COPY_FAILED, "无法把示例工作区复制到 %s：%s"},
    {MSG_WS_NEW_FROM_DEMO, "新工作区 %s，由示例生成"},
    {MSG_WS_NEW_EMPTY, "新的空工作区 %s：在 %s 中找不到示例"},
    {MSG_WS_NEW_MADE, "新工作区 %s：%d x %d 点的面板；从左边拖出项目开始设计"},
    {MSG_WS_NEW_EXISTS, "%s 已是一个工作区（有 SysCfg.ini 或 ledsys/），没有改动它；打开它：lumiker %s"},
    {MSG_WS_NEW_FAILED, "无法建立新工作区 %s：%s"},
    {MSG_USAGE_NEW_NEEDS_FOLDER, "--new 需要一个文件夹名"},
    {MSG_USAGE_NEW_AND_FOLDER, "--new 已给出工作区文件夹，不能再给另一个"},
    {MSG_USAGE_SIZE, "--size 需要面板大小“宽x高”（各 %d 到 %d 点），如 384x128"},
    {MSG_USAGE_SIZE_WITHOUT_NEW, "--size 只与 --new 一起使用"},
    {MSG_NO_OWN_FOLDER, "找不到程序自己的文件夹"},
    {MSG_NO_WORKSPACE, "找不到工作区文件夹"},
    {MSG_NO_SCREEN_FONT, "找不到宋体类的中文屏幕字体（请安装 Debian 软件包 fonts-arphic-uming，它提供“AR PL UMing CN”）"},
    {MSG_PICTURE_UNAVAILABLE, "图片 %s 无法使用：%s"},
    {MSG_PICTURE_NO_FOLDER, "无法转换图片 %s：工作区不能写入，缓存文件夹 %s 也无法创建"},
    {MSG_PICTURE_NO_NAME, "程序文件的图片区没有图片文件名"},
    {MSG_PICTURE_NOT_A_NAME, "不是可用的文件名"},
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
    {MSG_FONT_MAX, "字号已最大"},
    {MSG_FONT_MIN, "字号已最小"},
    {MSG_COLOUR_MAX, "颜色已最大"},
    {MSG_COLOUR_MIN, "颜色已最小"},
    {MSG_TYPE_MAX, "类型已最大"},
    {MSG_TYPE_MIN, "类型已最小"},
    {MSG_ADDRESS_MAX, "地址已最大"},
    {MSG_ADDRESS_MIN, "地址已最小"},
    {MSG_ADDRESS_FIXED, "此项的地址不可更改"},
    {MSG_WIDTH_MAX, "宽度已最大"},
    {MSG_WIDTH_MIN, "宽度已最小"},
    {MSG_HEIGHT_MAX, "高度已最大"},
    {MSG_HEIGHT_MIN, "高度已最小"},
    {MSG_DIRECTION_MAX, "方向已最大"},
    {MSG_DIRECTION_MIN, "方向已最小"},
    {MSG_SIZE_MAX, "大小已最大"},
    {MSG_SIZE_MIN, "大小已最小"},
    {MSG_THICKNESS_MAX, "粗细已最大"},
    {MSG_THICKNESS_MIN, "粗细已最小"},
    {MSG_DIGITS_MAX, "位数已最大"},
    {MSG_DIGITS_MIN, "位数已最小"},
    {MSG_DECIMALS_MAX, "小数已最大"},
    {MSG_DECIMALS_MIN, "小数已最小"},
    {MSG_ROWS_MAX, "行数已最大"},
    {MSG_ROWS_MIN, "行数已最小"},
    {MSG_COLS_MAX, "列数已最大"},
    {MSG_COLS_MIN, "列数已最小"},
    {MSG_PICK_CELL, "请先选中一个单元格"},
    {MSG_NOT_FOR_TABLE, "表格没有此项"},
    {MSG_NO_TABLE, "请先选中一个表格"},
    {MSG_MERGE_NEIGHBOUR, "只能合并选中单元格与其右侧相邻的单元格"},
    {MSG_MERGES_FULL, "表格的合并已满"},
    {MSG_NOTHING_TO_SPLIT, "选中的单元格没有合并"},
    // ---- the script report
    {MSG_CMD_NOTE_REFUSED, "未读入"},
    {MSG_CMD_NOTE_CHANGED, "已改动"},
    {MSG_CMD_UNKNOWN_WORD, "未知的命令词"},
    {MSG_CMD_TOO_MANY_ARGS, "参数超过 %d 个"},
    {MSG_CMD_ARG_TOO_LONG, "第 %d 个参数超过 %d 字节"},
    {MSG_CMD_REFUSED, "未读入"},
    {MSG_CMD_NUL, "该行含有 NUL 字节"},
    {MSG_CMD_MISSING, "缺少%s"},
    {MSG_CMD_OUT_OF_RANGE, "%s %lld 超出范围 %lld 到 %lld"},
    {MSG_CMD_NOT_NUMBER, "%s“%.24s”不是数字，按 %lld 读入"},
    {MSG_CMD_UNUSED_ARGS, "第 %d 个之后的参数未用"},
    {MSG_CMD_RESTORED_INTO, "放入了记录 %d"},
    {MSG_CMD_OFF_PANEL, "位置在面板外，保存时不会写出"},
    {MSG_CMD_RANGE_FULL, "%s已满"},
    {MSG_CMD_TEXTS_FULL, "文本已满（%d 个）"},
    {MSG_CMD_FONT_SIZE, "字号必须是 12 到 24、32、48 或 64"},
    {MSG_CMD_TEXT_ARGS_MISSING, "文本行缺少参数"},
    {MSG_CMD_TEXT_ARGS_EXTRA, "文本行参数过多（文本中不能有空格）"},
    {MSG_CMD_TEXT_TOO_LONG, "文本 %d 字节，超过 %d"},
    {MSG_CMD_NO_SUBCOMMAND, "缺少子命令"},
    {MSG_CMD_UNKNOWN_SUB, "未知的 led 子命令“%.24s”"},
    {MSG_CMD_NO_RECORD, "记录 %lld 不存在"},
    {MSG_CMD_RECORD_TAKEN, "记录 %lld 已被前面的行占用"},
    {MSG_CMD_INSMOD_ARGS, "参数不足：insmod 行有 %d 个"},
    {MSG_CMD_NO_LINE_FOR, "没有行能恢复%s"},
    {MSG_CMD_LINE_HORIZONTAL, "直线是水平的：第二个 y 未用"},
    {MSG_CMD_LINE_VERTICAL, "竖线：第二个 x 未用"},
    {MSG_CMD_TABLE_CLOSED_HERE, "上一个表格块没有结束，已在此处结束"},
    {MSG_CMD_TABLE_END_ALONE, "表格结束之前没有开始"},
    {MSG_CMD_TABLE_END_REFUSED, "结束的是一个未读入的表格块"},
    {MSG_CMD_TABLE_NO_CELLS, "表格没有单元格"},
    {MSG_CMD_TABLE_INSIDE_REFUSED, "在未读入的表格块内"},
    {MSG_CMD_TABLE_MORE_CELLS, "单元格多于表格的 %d x %d"},
    {MSG_CMD_TABLE_GOT_CELLS, "表格只有 %d 个单元格，应有 %d 个"},
    {MSG_CMD_TABLE_MERGE_FIRST, "合并线在表格的第一个单元格之前"},
    {MSG_CMD_TABLE_MERGES_FULL, "表格已有 %d 处合并"},
    {MSG_CMD_TABLE_NOT_MERGE, "表格块内的线必须是合并线（颜色 %d）"},
    {MSG_CMD_TABLE_UNENDED, "表格块没有结束，已在文件末尾结束"},
    // ---- playback and values
    {MSG_SIM_ON, "模拟运行中：%s（F7 停止）"},
    {MSG_SIM_OFF, "模拟已停止"},
    {MSG_SIM_EDIT_PAUSED, "模拟运行中，编辑已暂停（F7 停止）"},
    {MSG_SIM_TYPE_VALUE, "输入寄存器 4x4%04d 的值："},
    {MSG_SIM_VALUE_NOT_NUMBER, "“%s”不是数字"},
    {MSG_SIM_VALUE_TOO_WIDE, "%s 放不进这个变量的类型"},
    {MSG_SIM_VALUE_SET, "寄存器 4x4%04d 设为 %s"},
    {MSG_SIM_NOT_A_REGISTER, "这个项的值不来自寄存器：请在 %s 中设置"},
    {MSG_PROMPT_SET, "设定"},
    {MSG_VALUES_FROM_FILE, "数值来自 %s"},
    {MSG_VALUES_NO_FILE, "没有数值文件 %s：数值未知"},
    {MSG_VALUES_BAD_LINE, "%s 第 %d 行无法识别，已忽略"},
    {MSG_VALUES_BAD_REGISTER, "寄存器 %d 不存在（1 到 65536）"},
    {MSG_VALUES_SAVED_PLC, "已写入 %s；连接 PLC 时显示 PLC 的值"},
    {MSG_LUNAR_FAILED, "无法换算 %s 的农历日期"},
    {MSG_MODBUS_CONNECTING, "Modbus %s 正在连接"},
    {MSG_MODBUS_CONNECTED, "Modbus %s 已连接"},
    {MSG_MODBUS_DISCONNECTED, "Modbus %s 未连接：%s"},
    {MSG_MODBUS_READ_ERROR, "Modbus %s 已连接，读取出错：%s"},
    {MSG_MODBUS_REFUSED, "连接被拒绝"},
    {MSG_MODBUS_TIMEOUT, "应答超时"},
    {MSG_MODBUS_CLOSED, "连接被对方断开"},
    {MSG_MODBUS_BAD_REPLY, "应答无效"},
    {MSG_MODBUS_NO_HOST, "找不到主机 %s"},
    {MSG_MODBUS_EXCEPTION, "PLC 拒绝读取寄存器 %s（异常码 %d）"},
    {MSG_MODBUS_SILENT, "%d 毫秒内没有新数据"},
    {MSG_MODBUS_NETWORK, "网络错误：%s"},
    {MSG_GIF_NO_FRAMES, "动画 %s 没有画面"},
    {MSG_GIF_BAD_SIZE, "动画尺寸 %d x %d 无效"},
    {MSG_GIF_ENCODE_FAILED, "无法生成动画 %s：%s"},
    {MSG_CLI_NEEDS_FILE, "%s 需要一个文件名"},
    {MSG_CLI_SECONDS, "--seconds 需要大于 0、不超过 %d 的秒数"},
    {MSG_CLI_FPS, "--fps 需要 %d 到 %d 的帧率（每秒画面数）"},
    {MSG_CLI_MODBUS, "--modbus 需要 主机:端口，端口 1 到 65535，例如 127.0.0.1:502"},
    {MSG_CLI_PNG_AND_GIF, "--png 和 --gif 不能同时使用"},
    {MSG_CLI_ONLY_PICTURE, "--pitch、--time、--values 和 --modbus 只用于 --png 或 --gif"},
    {MSG_CLI_ONLY_GIF, "--seconds 和 --fps 只用于 --gif"},
    {MSG_CLI_AT, "--at 需要屏幕位置 X,Y（两个整数）"},
    {MSG_CLI_ONLY_PLAY, "--at 和 --pitch 只用于 --play"},
    {MSG_CLI_GIF_SECONDS, "--gif 需要 --seconds（动画的秒数）"},
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
    constexpr int UTF8_CHAR_MAX = 4;   // room past the cut for the character it falls in
    char buf[MSG_TEXT_MAX + UTF8_CHAR_MAX];
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
