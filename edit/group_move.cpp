/*******************************************************************************
 * edit/group_move.cpp - carrying the group along and the calendar composites
 *
 * When the anchor of a drag (the current item, or the phantom record NO_ITEM) has
 * moved, every other group-selected record of both tables moves by the same
 * amount. Without a group, the calendar composite whose part is the current
 * item (year, month, day in Digit_unit slots 0, 3, 6; hour, minute, second in
 * 12, 15, 18) is laid out again: the followers take the first part's size,
 * stroke and colour and stand in a row after it. A group move changes only
 * the group's members.
 *
 * The alignment reference (sel_box) is refreshed from its item after every
 * such move, so the alignment buttons and the read-out use where the items
 * are now, not where the reference item joined the group.
 *
 * Limits: a composite whose leading part is hidden (deleted) is left alone,
 * so deleting the year does not pull month and day off the window.
 * Depends on: model/tables, edit/state, edit/hit_test (pitch, group_exists).
 * Does NOT: move the anchor itself, change the selection or draw anything.
 ******************************************************************************/
#include "edit/hit_test.h"
#include "model/settings.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include <algorithm>
#include <cstdint>

namespace {

// Slots of the two composites and the gaps between their parts, in dots.
constexpr int DATE_FIRST = 0, DATE_MIDDLE = 3, DATE_LAST = 6;
constexpr int TIME_FIRST = 12, TIME_MIDDLE = 15, TIME_LAST = 18;
constexpr int DATE_FIRST_GAP = 18;    // after the year
constexpr int TIME_FIRST_GAP = 14;    // after the hour
constexpr int SECOND_GAP = 14;        // after the middle part, whole composite
constexpr int SUCCESSOR_GAP = 16;     // after the middle part, pressed alone

// A 64-bit result brought into the 32-bit fields (sizes read from a file may be wild).
int32_t clamp32(int64_t v)
{
    return (int32_t)std::clamp<int64_t>(v, INT32_MIN, INT32_MAX);
}

// A part's size from its digit size and count: (size + size/3 + 1) x digits
// dots wide and 2 x size dots high.
void size_part(Digit_unit& d, int p)
{
    const int64_t size = d.size;
    d.width = clamp32((size + size / 3 + 1) * d.digits * p);
    d.height = clamp32(2 * size * p);
}

// The follower takes the leader's look.
void follow_look(Digit_unit& follower, const Digit_unit& leader)
{
    follower.size = leader.size;
    follower.thickness = leader.thickness;
    follower.color = leader.color;
}

// First part F, followers S and T in a row: F, gap, S, 14 dots, T.
void lay_out_composite(int first, int second, int third, int first_gap)
{
    Digit_unit& f = digit_table[first];
    Digit_unit& s = digit_table[second];
    Digit_unit& t = digit_table[third];
    if (!f.visible) return;
    const int p = dot_pitch();
    follow_look(s, f);
    follow_look(t, f);
    size_part(f, p);
    size_part(s, p);
    size_part(t, p);
    s.x = f.x + f.width + first_gap * p;
    t.x = s.x + s.width + SECOND_GAP * p;
    s.y = t.y = f.y;
}

// The middle part pressed alone: only the last part follows it.
void lay_out_successor(int middle, int last)
{
    Digit_unit& m = digit_table[middle];
    Digit_unit& l = digit_table[last];
    if (!m.visible) return;
    const int p = dot_pitch();
    follow_look(l, m);
    size_part(m, p);
    size_part(l, p);
    l.x = m.x + m.width + SUCCESSOR_GAP * p;
    l.y = m.y;
}

} // namespace

// Four zeros only re-lay out the composites.
void apply_group_move(int old_x, int old_y, int new_x, int new_y)
{
    if (old_x || old_y || new_x || new_y) {
        const int dx = new_x - old_x, dy = new_y - old_y;
        for (int i = 0; i < DIGIT_COUNT; i++) {
            Digit_unit& d = digit_table[i];
            if (!d.group_selected || i == current_unit) continue;
            d.x += dx;
            d.y += dy;
        }
        for (int i = 0; i < STRING_COUNT; i++) {
            string_draw& s = string_table[i];
            if (!s.group_selected || i == current_string) continue;
            s.x += dx;
            s.y += dy;
        }
    }

    // A group moves its members and nothing else: parts of a composite the
    // user did not take into the group stay where they are.
    if (!group_exists()) {
        switch (current_unit) {
        case DATE_FIRST: lay_out_composite(DATE_FIRST, DATE_MIDDLE, DATE_LAST, DATE_FIRST_GAP); break;
        case TIME_FIRST: lay_out_composite(TIME_FIRST, TIME_MIDDLE, TIME_LAST, TIME_FIRST_GAP); break;
        case DATE_MIDDLE: lay_out_successor(DATE_MIDDLE, DATE_LAST); break;
        case TIME_MIDDLE: lay_out_successor(TIME_MIDDLE, TIME_LAST); break;
        default: break;
        }
    }
    refresh_sel_box();
}

// Remember the reference item and take its rectangle.
void set_sel_ref(int table, int index)
{
    sel_ref[0] = table;
    sel_ref[1] = index;
    refresh_sel_box();
}

// The reference item's rectangle as it is now.
void refresh_sel_box()
{
    const int i = sel_ref[1];
    if (i < 0 || i >= DIGIT_COUNT) return;
    if (sel_ref[0] == SEL_REF_UNIT) {
        const Digit_unit& d = digit_table[i];
        sel_box[0] = d.x; sel_box[1] = d.y; sel_box[2] = d.width; sel_box[3] = d.height;
    } else if (sel_ref[0] == SEL_REF_TEXT) {
        const string_draw& s = string_table[i];
        sel_box[0] = s.x; sel_box[1] = s.y; sel_box[2] = s.box_width; sel_box[3] = s.box_height;
    }
}
