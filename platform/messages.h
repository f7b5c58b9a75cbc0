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
 * Depends on: nothing outside the C++ standard library.
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
    MSG_ERR_ACCESS,           // what the system said, in words: errno texts
    MSG_ERR_NO_SPACE,
    MSG_ERR_READ_ONLY_FS,
    MSG_ERR_IO,
    MSG_ERR_TOO_MANY_FILES,
    MSG_ERR_NOT_FOUND,
    MSG_ERR_NOT_FOLDER,
    MSG_ERR_IS_FOLDER,
    MSG_ERR_LINK_LOOP,
    MSG_ERR_NAME_TOO_LONG,
    MSG_ERR_OTHER,            // "系统错误（错误码 %d）"
    MSG_FILE_READ_FAILED,     // "无法读取 %s：%s"
    MSG_FILE_NOT_REGULAR,     // "%s 不是普通文件 ..."
    MSG_FILE_TOO_LARGE,       // "%s 太大（超过 %d 字节）"
    MSG_FILE_READ_ONLY,       // "%s 是只读文件 ..."
    MSG_FILE_WRITE_FAILED,    // "无法写入 %s：%s"
    MSG_FILE_FOLDER_FAILED,   // "无法创建文件夹 %s：%s"
    MSG_FILE_SYNC_FAILED,     // "无法确认 %s 已写入磁盘：%s"
    MSG_FILE_HARD_LINKS,      // note: the other names of a hard-linked file keep the old content
    MSG_SAVE_SETTINGS_BAD,    // "%s；布局未保存（新建工作区：lumiker --new ……）"
    MSG_SAVE_NO_SCRIPT_NAME,
    MSG_SAVE_SCRIPT_KEPT,     // "脚本 %s 载入失败（...），..."
    MSG_SAVE_PROGRAM_KEPT,    // "程序文件 %s 载入失败（...），..."
    MSG_PROGRAM_NOT_JSON,     // "%s 不是有效的 JSON 文档：%s"
    MSG_PROGRAM_TOO_DEEP,     // "%s 的嵌套超过 %d 层"
    MSG_PROGRAM_NO_REGIONS,   // "程序文件 %s 没有第 0 页的区域列表 ..."
    MSG_PROGRAM_NOT_LOADED,   // "程序文件 %s 无法载入：%s"
    MSG_SAVE_CONFLICT,        // "%s 在载入或上次保存之后被别处改动了 ..."
    MSG_SAVE_NOT_OVERWRITTEN, // after "取消" in the overwrite question
    MSG_PROMPT_OVERWRITE,     // the overwrite question, naming the files
    MSG_PROMPT_OVERWRITE_YES,
    MSG_PROMPT_CLOSE,         // the close question
    MSG_PROMPT_SAVE_AND_CLOSE,
    MSG_PROMPT_DISCARD,
    MSG_PROMPT_CANCEL,
    MSG_WORKSPACE_IN_USE,     // "此工作区已在另一个设计器中打开（进程 %d）..."
    MSG_SCRIPT_LINES_REFUSED, // "脚本有 %d 行未能载入，报告见 %s"
    MSG_SCRIPT_REPORT_HEAD,   // first line of the report file
    MSG_SAVE_NOTE_REFUSED_KEPT, // "；未能载入的 %d 行另存在 %s"
    MSG_PNG_IS_FOLDER,        // "无法把图片写到 %s：它是文件夹"
    MSG_PNG_NO_FOLDER,        // "无法把图片写到 %s：文件夹 %s 不存在"
    MSG_PNG_FOLDER_LOCKED,    // "无法把图片写到 %s：文件夹 %s 不能写入"
    MSG_PNG_ENCODE_FAILED,
    MSG_PNG_NO_PANEL,
    MSG_CANNOT_READ,
    MSG_STDOUT_FAILED,
    MSG_SCRIPT_COUNTS,
    MSG_PNG_TOO_BIG,
    MSG_GL_ERROR,
    MSG_GL_NO_SURFACELESS,
    MSG_GL_CANNOT_START,
    MSG_GL_NO_DESKTOP,
    MSG_GL_NO_RGBA,
    MSG_GL_NO_SURFACE,
    MSG_GL_NO_CONTEXT,
    MSG_GL_CANNOT_USE,
    MSG_GL_NOT_OPEN,
    MSG_GL_CANNOT_READ,
    MSG_FREETYPE_INIT,
    MSG_SCREEN_FONT_OPEN,
    MSG_DISPLAY_FAILED,
    MSG_NO_WINDOW_SYSTEM,
    MSG_SCREEN_SIZE_FAILED,
    MSG_WINDOW_FAILED,
    MSG_NO_GL_CONTEXT,
    // ---- start-up and the workspace --------------------------------------------------
    MSG_SETTINGS_UNREADABLE,
    MSG_SETTINGS_WIDTH,
    MSG_SETTINGS_HEIGHT,
    MSG_SETTINGS_PROGRAM,
    MSG_WS_NONE_GIVEN,
    MSG_WS_NOT_FOLDER,
    MSG_WS_NOT_WRITABLE,
    MSG_WS_NAME_TOO_LONG,
    MSG_WS_CANNOT_CREATE,
    MSG_WS_DEMO_COPY_FAILED,
    MSG_WS_NEW_FROM_DEMO,
    MSG_WS_NEW_EMPTY,
    MSG_WS_NEW_MADE,          // "新工作区 %s：%d x %d 点的面板……"
    MSG_WS_NEW_EXISTS,        // "%s 已是一个工作区……lumiker %s"
    MSG_WS_NEW_FAILED,        // "无法建立新工作区 %s：%s"
    MSG_USAGE_NEW_NEEDS_FOLDER,
    MSG_USAGE_NEW_AND_FOLDER,
    MSG_USAGE_SIZE,           // "--size 需要……各 %d 到 %d 点……"
    MSG_USAGE_SIZE_WITHOUT_NEW,
    MSG_NO_OWN_FOLDER,
    MSG_NO_WORKSPACE,
    MSG_NO_SCREEN_FONT,
    MSG_PICTURE_UNAVAILABLE,  // "图片 %s 无法使用：%s"
    MSG_PICTURE_NO_FOLDER,    // "无法转换图片 %s：工作区不能写入，缓存文件夹 %s 也无法创建"
    MSG_PICTURE_NO_NAME,
    MSG_PICTURE_NOT_A_NAME,
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
    MSG_FONT_MAX,
    MSG_FONT_MIN,
    MSG_COLOUR_MAX,
    MSG_COLOUR_MIN,
    MSG_TYPE_MAX,
    MSG_TYPE_MIN,
    MSG_ADDRESS_MAX,
    MSG_ADDRESS_MIN,
    MSG_ADDRESS_FIXED,
    MSG_WIDTH_MAX,
    MSG_WIDTH_MIN,
    MSG_HEIGHT_MAX,
    MSG_HEIGHT_MIN,
    MSG_DIRECTION_MAX,
    MSG_DIRECTION_MIN,
    MSG_SIZE_MAX,
    MSG_SIZE_MIN,
    MSG_THICKNESS_MAX,
    MSG_THICKNESS_MIN,
    MSG_DIGITS_MAX,
    MSG_DIGITS_MIN,
    MSG_DECIMALS_MAX,
    MSG_DECIMALS_MIN,
    MSG_ROWS_MAX,
    MSG_ROWS_MIN,
    MSG_COLS_MAX,
    MSG_COLS_MIN,
    MSG_PICK_CELL,
    MSG_NOT_FOR_TABLE,
    MSG_NO_TABLE,
    MSG_MERGE_NEIGHBOUR,
    MSG_MERGES_FULL,
    MSG_NOTHING_TO_SPLIT,
    // ---- the script report --------------------------------------------------------
    MSG_CMD_NOTE_REFUSED,     // "未读入": how a refused line is marked
    MSG_CMD_NOTE_CHANGED,     // "已改动": a line loaded otherwise than written
    MSG_CMD_UNKNOWN_WORD,
    MSG_CMD_TOO_MANY_ARGS,    // "参数超过 %d 个"
    MSG_CMD_ARG_TOO_LONG,     // "第 %d 个参数超过 %d 字节"
    MSG_CMD_REFUSED,
    MSG_CMD_NUL,
    MSG_CMD_MISSING,          // "缺少%s"
    MSG_CMD_OUT_OF_RANGE,     // "%s %lld 超出范围 %lld 到 %lld"
    MSG_CMD_NOT_NUMBER,       // "%s“%.24s”不是数字，按 %lld 读入"
    MSG_CMD_UNUSED_ARGS,      // "第 %d 个之后的参数未用"
    MSG_CMD_RESTORED_INTO,    // "放入了记录 %d"
    MSG_CMD_OFF_PANEL,
    MSG_CMD_RANGE_FULL,       // "%s已满"
    MSG_CMD_TEXTS_FULL,       // "文本已满（%d 个）"
    MSG_CMD_FONT_SIZE,
    MSG_CMD_TEXT_ARGS_MISSING,
    MSG_CMD_TEXT_ARGS_EXTRA,
    MSG_CMD_TEXT_TOO_LONG,    // "文本 %d 字节，超过 %d"
    MSG_CMD_NO_SUBCOMMAND,
    MSG_CMD_UNKNOWN_SUB,      // "未知的 led 子命令“%.24s”"
    MSG_CMD_NO_RECORD,        // "记录 %lld 不存在"
    MSG_CMD_RECORD_TAKEN,     // "记录 %lld 已被前面的行占用"
    MSG_CMD_INSMOD_ARGS,      // "参数不足：insmod 行有 %d 个"
    MSG_CMD_NO_LINE_FOR,      // "没有行能恢复%s"
    MSG_CMD_LINE_HORIZONTAL,
    MSG_CMD_LINE_VERTICAL,
    MSG_CMD_TABLE_CLOSED_HERE,
    MSG_CMD_TABLE_END_ALONE,
    MSG_CMD_TABLE_END_REFUSED,
    MSG_CMD_TABLE_NO_CELLS,
    MSG_CMD_TABLE_INSIDE_REFUSED,
    MSG_CMD_TABLE_MORE_CELLS, // "单元格多于表格的 %d x %d"
    MSG_CMD_TABLE_GOT_CELLS,  // "表格只有 %d 个单元格，应有 %d 个"
    MSG_CMD_TABLE_MERGE_FIRST,
    MSG_CMD_TABLE_MERGES_FULL, // "表格已有 %d 处合并"
    MSG_CMD_TABLE_NOT_MERGE,  // "表格块内的线必须是合并线（颜色 %d）"
    MSG_CMD_TABLE_UNENDED,
    // ---- playback and values ----------------------------------------------------
    MSG_SIM_ON,
    MSG_SIM_OFF,
    MSG_SIM_EDIT_PAUSED,
    MSG_SIM_TYPE_VALUE,
    MSG_SIM_VALUE_NOT_NUMBER,
    MSG_SIM_VALUE_TOO_WIDE,
    MSG_SIM_VALUE_SET,
    MSG_SIM_NOT_A_REGISTER,
    MSG_PROMPT_SET,
    MSG_VALUES_FROM_FILE,     // "数值来自 %s": numbers come from the values file
    MSG_VALUES_NO_FILE,       // "没有数值文件 %s：数值未知": the values file does not exist
    MSG_VALUES_BAD_LINE,      // "%s 第 %d 行无法识别，已忽略": file, line
    MSG_VALUES_BAD_REGISTER,  // "寄存器 %d 不存在（1 到 65536）"
    MSG_VALUES_SAVED_PLC,     // "已写入 %s；连接 PLC 时显示 PLC 的值": a typed register while Modbus is set
    MSG_LUNAR_FAILED,         // "无法换算 %s 的农历日期": civil date
    MSG_MODBUS_CONNECTING,    // "Modbus %s 正在连接": host:port
    MSG_MODBUS_CONNECTED,     // "Modbus %s 已连接"
    MSG_MODBUS_DISCONNECTED,  // "Modbus %s 未连接：%s": host:port, reason
    MSG_MODBUS_READ_ERROR,    // "Modbus %s 已连接，读取出错：%s": host:port, reason
    MSG_MODBUS_REFUSED,       // "连接被拒绝"
    MSG_MODBUS_TIMEOUT,       // "应答超时"
    MSG_MODBUS_CLOSED,        // "连接被对方断开"
    MSG_MODBUS_BAD_REPLY,     // "应答无效"
    MSG_MODBUS_NO_HOST,       // "找不到主机 %s"
    MSG_MODBUS_EXCEPTION,     // "PLC 拒绝读取寄存器 %s（异常码 %d）": register range, code
    MSG_MODBUS_SILENT,        // "%d 毫秒内没有新数据"
    MSG_MODBUS_NETWORK,       // "网络错误：%s": system reason
    MSG_GIF_NO_FRAMES,        // "动画 %s 没有画面"
    MSG_GIF_BAD_SIZE,         // "动画尺寸 %d x %d 无效"
    MSG_GIF_ENCODE_FAILED,    // "无法生成动画 %s：%s": file, library reason
    MSG_CLI_NEEDS_FILE,       // "%s 需要一个文件名": the option
    MSG_CLI_SECONDS,          // "--seconds 需要大于 0、不超过 %d 的秒数"
    MSG_CLI_FPS,              // "--fps 需要 %d 到 %d 的帧率（每秒画面数）"
    MSG_CLI_MODBUS,           // "--modbus 需要 主机:端口 ..."
    MSG_CLI_PNG_AND_GIF,      // --png and --gif together
    MSG_CLI_ONLY_PICTURE,     // --pitch, --time, --values, --modbus without a picture
    MSG_CLI_ONLY_GIF,         // --seconds, --fps without --gif
    MSG_CLI_AT,               // --at without X,Y
    MSG_CLI_ONLY_PLAY,        // --at, --pitch without --play
    MSG_CLI_GIF_SECONDS,      // --gif without --seconds
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
