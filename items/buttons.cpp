/*******************************************************************************
 * items/buttons.cpp - the buttons' places, labels and three looks
 *
 * Sections: labels | tool rows | the selection's buttons | drawing | hitting
 ******************************************************************************/
#include "items/buttons.h"
#include "raster/view.h"
#include "platform/gbk.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstring>

// ---- labels ------------------------------------------------------------------------

namespace {

constexpr int POINTS_PER_INCH = 72;   // faces are set at `size` points and `size` dpi
constexpr int LABEL_MARGIN_PX = 2;    // room right of the label's last glyph
constexpr int BUTTON_FOOT_STEPS = 2;  // a tool button reaches h/4 + 2 steps below its base line
constexpr int NARROW_LABEL_SIZE = 30; // the colour-minus button's label is drawn smaller

// a / b rounded up, for positive b and non-negative a.
int ceil_div(int a, int b) { return (a + b - 1) / b; }

void set_label(button& b, const char* utf8) { utf8_to_gbk(utf8, b.label, LABEL_LEN); }

} // namespace

// size points at size dpi: size * size / 72 pixels per em (36 gives 18).
int label_em_px(int label_size)
{
    const int s = label_size == 24 || label_size == 48 || label_size == 64 ? label_size : 36;
    return s * s / POINTS_PER_INCH;
}

// A double-byte character is one em wide, a single byte half an em.
int label_width_px(const char* gbk, int label_size)
{
    return (int)strnlen(gbk, LABEL_LEN) * label_em_px(label_size) / 2;
}

// ---- tool rows ------------------------------------------------------------------------

namespace {

struct tool_place {
    tool_row_id row;
    int slot, x, y;
    bool from_right;     // kept at its distance from the window's right edge
    const char* utf8;
};

constexpr tool_place TOOL_PLACES[] = {
    {ROW_DELETE, DELETE_SLOT, 1030, 90, true, "删除所选"},
    {ROW_COMMAND, SAVE_SLOT, 1130, 90, true, "保存数据"},
    {ROW_COMMAND, CLOSE_SLOT, 1230, 90, true, "关闭窗口"},
    {ROW_COMMAND, FIT_SLOT, 60, 90, false, "适合窗口"},
    {ROW_COMMAND, SIM_SLOT, 60, 50, false, "模拟运行"},
    {ROW_SPAN, MERGE_SLOT, 200, 55, false, "合并"},
    {ROW_SPAN, SPLIT_SLOT, 200, 95, false, "拆分"},
    {ROW_ALIGN, ALIGN_LEFT, 200, 55, false, "左对齐"},
    {ROW_ALIGN, ALIGN_RIGHT, 200, 95, false, "右对齐"},
    {ROW_ALIGN, ALIGN_TOP, 265, 55, false, "上对齐"},
    {ROW_ALIGN, ALIGN_BOTTOM, 265, 95, false, "下对齐"},
    {ROW_ALIGN, SAME_WIDTH, 330, 55, false, "等长度"},
    {ROW_ALIGN, SAME_HEIGHT, 330, 95, false, "等高度"},
};

// The rows, labelled and sized once; placed again for another window width.
struct tool_rows {
    button rows[ROW_COUNT][ROW_SLOTS];
    int placed_for = -1;
};

// The rectangle runs from x - p to x + p(w - 1) and from y - p*h to below y:
// w - 1 steps cover the label and its margin, h steps cover one em above the base line.
void fit(button& b, int p)
{
    if (b.label[0] == '\0') return;
    b.w = 1 + ceil_div(label_width_px(b.label, b.label_size) + LABEL_MARGIN_PX, p);
    b.h = ceil_div(label_em_px(b.label_size), p);
}

tool_rows& rows()
{
    static tool_rows r = [] {
        tool_rows t;
        for (const tool_place& p : TOOL_PLACES) {
            button& b = t.rows[p.row][p.slot];
            b.x = p.x;
            b.y = p.y;
            set_label(b, p.utf8);
            fit(b, UI_PITCH);
        }
        return t;
    }();
    return r;
}

} // namespace

const button* tool_row(tool_row_id row, int window_w)
{
    tool_rows& t = rows();
    if (t.placed_for != window_w) {
        for (const tool_place& p : TOOL_PLACES)
            t.rows[p.row][p.slot].x = p.from_right ? window_w - (TOOL_DESIGN_W - p.x) : p.x;
        t.placed_for = window_w;
    }
    return t.rows[row < ROW_COUNT ? row : ROW_DELETE];
}

// ---- the selection's buttons -------------------------------------------------------------

namespace {

constexpr int NUDGE_W = 24, PROP_W = 28, BUTTON_H = 15;
constexpr int PAIR_STEP = 58;          // from one +/- pair to the next
constexpr int PROP_DX = 50;            // first pair right of the anchor
constexpr int PLUS_DY = -45, MINUS_DY = -5;

const char* const TEXT_LABELS[PROP_BUTTONS] = {
    "字体+", "字体-", "颜色+", "颜色-", "类型+", "类型-", "地址+", "地址-",
    "宽度+", "宽度-", "高度+", "高度-", "速度+", "速度-", "方向+", "方向-"};
const char* const UNIT_LABELS[PROP_BUTTONS] = {
    "大小+", "大小-", "颜色+", "颜色-", "粗细+", "粗细-", "位数+", "位数-",
    "类型+", "类型-", "地址+", "地址-", "小数+", "小数-", "", ""};
constexpr float TEXT_FILLS[PROP_BUTTONS][3] = {
    {0.2f, 0.3f, 0.1f}, {0.2f, 0.3f, 0.1f}, {0.1f, 0.2f, 0.3f}, {0.1f, 0.2f, 0.3f},
    {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f}, {0.3f, 0.1f, 0.2f},
    {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f},
    {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}};
constexpr float UNIT_FILLS[PROP_BUTTONS][3] = {
    {0.4f, 0.5f, 0.1f}, {0.4f, 0.5f, 0.1f}, {0.5f, 0.4f, 0.1f}, {0.5f, 0.4f, 0.1f},
    {0.2f, 0.1f, 0.3f}, {0.2f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.3f},
    {0.3f, 0.1f, 0.4f}, {0.3f, 0.1f, 0.4f}, {0.3f, 0.1f, 0.45f}, {0.3f, 0.1f, 0.45f},
    {0.3f, 0.1f, 0.45f}, {0.3f, 0.1f, 0.45f}, {0.2f, 0.2f, 0.2f}, {0.2f, 0.2f, 0.2f}};
// Positions a kind labels its own way, from position `first` on.
struct relabel {
    item_kind kind;
    int first, count;
    const char* utf8[8];
};
const relabel RELABELS[] = {
    {KIND_RECT, 4, 4, {"宽度+", "宽度-", "高度+", "高度-"}},
    {KIND_FILLED_RECT, 4, 4, {"宽度+", "宽度-", "高度+", "高度-"}},
    {KIND_TABLE, 4, 8, {"行数+", "行数-", "列数+", "列数-", "宽度+", "宽度-", "高度+", "高度-"}},
    {KIND_VALVE, 4, 2, {"阀门+", "阀门-"}},
};

// Property button k: the "+" of pair k/2 above, the "-" below.
void place_prop(button& b, int k, const char* utf8, const float* fill)
{
    b.x = SELECTION_ANCHOR_X + PROP_DX + PAIR_STEP * (k / 2);
    b.y = SELECTION_ANCHOR_Y + (k % 2 == 0 ? PLUS_DY : MINUS_DY);
    b.w = PROP_W;
    b.h = BUTTON_H;
    b.label_size = k == 3 ? NARROW_LABEL_SIZE : b.label_size;
    set_label(b, utf8);
    for (int c = 0; c < 3; c++) b.fill[c] = fill[c];
}

// "X+", "X-" left of "Y+", "Y-", each pair "+" above "-".
void place_nudges(button* n, const float* xf, const float* yf)
{
    static const char* const labels[NUDGE_BUTTONS] = {"X+", "X-", "Y+", "Y-"};
    constexpr int X_DX = -80, Y_DX = -30;
    for (int k = 0; k < NUDGE_BUTTONS; k++) {
        button& b = n[k];
        b.x = SELECTION_ANCHOR_X + (k < 2 ? X_DX : Y_DX);
        b.y = SELECTION_ANCHOR_Y + (k % 2 == 0 ? PLUS_DY : MINUS_DY);
        b.w = NUDGE_W;
        b.h = BUTTON_H;
        set_label(b, labels[k]);
        const float* f = k < 2 ? xf : yf;
        for (int c = 0; c < 3; c++) b.fill[c] = f[c];
    }
}

struct selection_buttons {
    button text_nudge[NUDGE_BUTTONS], unit_nudge[NUDGE_BUTTONS];
    button props[KIND_COUNT][PROP_BUTTONS];
};

const selection_buttons& selection()
{
    static const selection_buttons s = [] {
        selection_buttons t;
        static const float text_x[3] = {0.1f, 0.4f, 0.2f}, text_y[3] = {0.2f, 0.5f, 0.4f};
        static const float unit_x[3] = {0.5f, 0.2f, 0.3f}, unit_y[3] = {0.3f, 0.5f, 0.3f};
        place_nudges(t.text_nudge, text_x, text_y);
        place_nudges(t.unit_nudge, unit_x, unit_y);
        for (int kind = 0; kind < KIND_COUNT; kind++) {
            const bool text = kind == KIND_TEXT;
            for (int k = 0; k < PROP_BUTTONS; k++)
                place_prop(t.props[kind][k], k, text ? TEXT_LABELS[k] : UNIT_LABELS[k], text ? TEXT_FILLS[k] : UNIT_FILLS[k]);
        }
        for (const relabel& r : RELABELS)
            for (int i = 0; i < r.count; i++) set_label(t.props[r.kind][r.first + i], r.utf8[i]);
        return t;
    }();
    return s;
}

} // namespace

const button* nudge_buttons(bool text) { return text ? selection().text_nudge : selection().unit_nudge; }

const button* prop_buttons(item_kind kind) { return selection().props[kind < KIND_COUNT ? kind : KIND_TEXT]; }

// ---- drawing ---------------------------------------------------------------------------------

namespace {

constexpr float OUTLINE_GREY = 0.8f, PRESSED_GREY = 0.2f, PRESSED_LABEL = 0.9f, HOVER_GREY = 0.5f;
constexpr int LABEL_WRAP = 500, LABEL_LINE = 300;

void rect_vertices(const button& b, int p)
{
    int l, t, r, bt;
    button_rect(b, p, l, t, r, bt);
    gfx_vertex((float)l, (float)bt);
    gfx_vertex((float)l, (float)t);
    gfx_vertex((float)r, (float)t);
    gfx_vertex((float)r, (float)bt);
}

void fill(const button& b, int p, float r, float g, float bl)
{
    gfx_color(r, g, bl);
    gfx_begin(GFX_QUADS);
    rect_vertices(b, p);
    gfx_end();
}

void label(const button& b, float grey)
{
    gfx_color(grey, grey, grey);
    draw_screen_text_sized(b.label_size, to_wide(b.label), b.x, b.y, LABEL_WRAP, LABEL_LINE);
}

} // namespace

void button_rect(const button& b, int p, int& left, int& top, int& right, int& bottom)
{
    left = b.x - p;
    right = b.x + p * (b.w - 1);
    top = b.y - p * b.h;
    bottom = b.y + p * (b.h / 4 + BUTTON_FOOT_STEPS);
}

void draw_button(const button& b, int p)
{
    gfx_line_width(1.0f);
    gfx_color(OUTLINE_GREY, OUTLINE_GREY, OUTLINE_GREY);
    gfx_begin(GFX_LINE_LOOP);
    rect_vertices(b, p);
    gfx_end();
    fill(b, p, b.fill[0], b.fill[1], b.fill[2]);
    label(b, 1.0f);
}

void draw_button_pressed(const button& b, int p)
{
    gfx_line_width(1.0f);
    fill(b, p, PRESSED_GREY, PRESSED_GREY, PRESSED_GREY);
    label(b, PRESSED_LABEL);
}

void draw_button_hover(const button& b, int p)
{
    gfx_line_width(1.0f);
    fill(b, p, HOVER_GREY, HOVER_GREY, HOVER_GREY);
    label(b, 1.0f);
}

void draw_row_button(const button* row, int k, const button_marks& m, int p)
{
    if (!row) return;
    if (k == m.pressed && m.down) draw_button_pressed(row[k], p);
    else draw_button(row[k], p);
    if (k == m.hover) draw_button_hover(row[k], p);
}

// ---- hitting ------------------------------------------------------------------------------------

// Both bounds strict; a negative lower bound matches nothing.
bool strictly_between(int64_t v, int64_t lo, int64_t hi) { return lo >= 0 && v > lo && v < hi; }

bool tool_button_hit(const button& b, int pitch, int px, int py)
{
    if (b.label[0] == '\0') return false;
    const int64_t p = pitch > 0 ? pitch : 1;
    return strictly_between(px, (int64_t)b.x - p, (int64_t)b.x + (int64_t)(b.w - 1) * p) &&
           strictly_between(py, (int64_t)b.y - (int64_t)b.h * p, (int64_t)b.y + (int64_t)(b.h / 4 + BUTTON_FOOT_STEPS) * p);
}

bool item_button_hit(const button& b, int pitch, int px, int py)
{
    const int64_t p = pitch > 0 ? pitch : 1;
    return strictly_between(px, b.x, (int64_t)b.x + (int64_t)b.w * p) &&
           strictly_between(py, (int64_t)b.y - (int64_t)b.h * p, b.y);
}
