/*******************************************************************************
 * edit/snap.cpp - snapping moved and resized items to whole dots at the release
 *
 * A drag moves the anchor (the current item, or the phantom record NO_ITEM) and the
 * group with it; a handle resizes the current item. At the release the moved
 * items are snapped by position, the resized one by position and size, and
 * the calendar composites and the alignment reference are laid out again.
 *
 * Limits: positions and sizes are 32-bit; results that would leave that range
 * keep the old value. The phantom slot is never snapped.
 * Depends on: edit/state, edit/hit_test, edit/pointer (apply_group_move),
 * model/settings, raster/canvas.
 * Does NOT: decide what moves (edit/motion.cpp), or snap anything mid-drag.
 ******************************************************************************/
#include "edit/snap.h"
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "model/settings.h"
#include "raster/canvas.h"
#include <algorithm>
#include <climits>

namespace {

// Where the gesture's items stood at the press.
struct gesture_start {
    int32_t unit_anchor_x, unit_anchor_y;
    int32_t text_anchor_x, text_anchor_y;
};
gesture_start started{};

// a / b rounded to the nearest whole number, halves away from below.
int64_t round_div(int64_t a, int64_t b)
{
    int64_t n = a + b / 2;
    int64_t q = n / b;
    if (n % b != 0 && n < 0) q--;
    return q;
}

int32_t clamp32(int64_t v, int32_t keep)
{
    return (v < INT32_MIN || v > INT32_MAX) ? keep : (int32_t)v;
}

// The nearest dot position measured from `origin`.
int32_t snap_from(int32_t v, int64_t origin)
{
    const int64_t p = dot_pitch();
    const int64_t base = origin + DOT_PIXEL_OFFSET;
    return clamp32(base + round_div((int64_t)v - base, p) * p, v);
}

// Snap a table's column widths and row heights; each erased grid piece right
// of or below a changed column or row moves with it.
void snap_table_cells(Digit_unit& t)
{
    const int cols = std::min<int>(t.cols, TABLE_MAX), rows = std::min<int>(t.rows, TABLE_MAX);
    const int n = std::min<int>(t.merge_count, TABLE_MAX);
    for (int c = 0; c < cols; c++) {
        const int32_t d = snap_dot_size(t.col_width[c]) - t.col_width[c];
        t.col_width[c] += d;
        for (int m = 0; m < n; m++)
            if (t.merges[m].flag && t.merges[m].col >= c) {
                t.merges[m].x0 -= d;
                t.merges[m].x1 -= d;
            }
    }
    for (int r = 0; r < rows; r++) {
        const int32_t d = snap_dot_size(t.row_height[r]) - t.row_height[r];
        t.row_height[r] += d;
        for (int m = 0; m < n; m++) {
            merge_record& g = t.merges[m];
            if (!g.flag) continue;
            if (g.row > r) g.y0 -= d;
            if (g.row >= r) g.y1 -= d;
        }
    }
}

} // namespace

int32_t snap_dot_x(int32_t x) { return snap_from(x, PANEL_X); }
int32_t snap_dot_y(int32_t y) { return snap_from(y, PANEL_Y); }

int32_t snap_dot_size(int32_t size)
{
    const int64_t p = dot_pitch();
    return clamp32(std::max<int64_t>(1, round_div(size, p)) * p, size);
}

void snap_unit(Digit_unit& d, bool sizes)
{
    d.x = snap_dot_x(d.x);
    d.y = snap_dot_y(d.y);
    if (!sizes) return;
    if (d.kind == KIND_TABLE) {
        snap_table_cells(d);
        return;
    }
    d.width = snap_dot_size(d.width);
    d.height = snap_dot_size(d.height);
}

void snap_text(string_draw& s, bool sizes)
{
    s.x = snap_dot_x(s.x);
    s.y = snap_dot_y(s.y);
    if (!sizes) return;
    s.box_width = snap_dot_size(s.box_width);
    s.box_height = snap_dot_size(s.box_height);
}

// The anchors' places at the press.
void gesture_begin()
{
    const Digit_unit& u = digit_table[unit_anchor()];
    const string_draw& s = string_table[text_anchor()];
    started = {u.x, u.y, s.x, s.y};
}

// Called before the release clears the drag and handle flags.
void gesture_end()
{
    bool changed = false;
    if (resize_handle) {
        // The handle acted on the current unit, else the current text.
        if (Digit_unit* u = current_unit_record()) snap_unit(*u, true);
        else if (string_draw* s = current_text_record()) snap_text(*s, true);
        changed = true;
    }
    const Digit_unit& ua = digit_table[unit_anchor()];
    const string_draw& sa = string_table[text_anchor()];
    const bool unit_moved = unit_drag && (ua.x != started.unit_anchor_x || ua.y != started.unit_anchor_y);
    const bool text_moved = string_drag && (sa.x != started.text_anchor_x || sa.y != started.text_anchor_y);
    if (!resize_handle && (unit_moved || text_moved)) {
        for (int i = 0; i <= LAST_ITEM_INDEX; i++) {
            Digit_unit& d = digit_table[i];
            if (d.visible && (d.group_selected || (unit_moved && i == current_unit))) snap_unit(d, false);
            string_draw& s = string_table[i];
            if (s.visible && (s.group_selected || (text_moved && i == current_string))) snap_text(s, false);
        }
        changed = true;
    }
    if (changed) apply_group_move(0, 0, 0, 0);
}
