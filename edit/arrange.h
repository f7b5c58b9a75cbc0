/*******************************************************************************
 * edit/arrange.h - the group, alignment, deletion and the parts of a date or time
 *
 * The group is a set of items the user gathers (Shift or Ctrl clicks, F5,
 * the rubber band); its alignment reference is the item that joined last.
 * The alignment buttons line the group up with that item. Deleting removes
 * the group and the current item.
 *
 * A date or time pulled off the palette is three parts: the year (hour)
 * leads, the month (minute) follows it and the day (second) follows the
 * month. A part that follows takes its leader's size, stroke and colour and
 * keeps its place beside it: when the leader moves or grows, the parts after
 * it move by as much. Parts are linked while the designer runs; a loaded
 * script links the date and the time of the palette's own slots (year,
 * month, day in slots 0, 3, 6; hour, minute, second in 12, 15, 18). A group
 * moves its members and nothing else.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide what the user pressed (edit/press does).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"

// ---- the group
void group_add(editor& e, item_id id);          // joins, and becomes the reference
void group_remove(editor& e, item_id id);       // leaves; the reference passes on
void group_clear(editor& e);
// Line the group up with its reference by align slot k (items/buttons.h).
void align_group(editor& e, int k);
// Remove the group and the current item; false when nothing was selected.
bool delete_selected(editor& e);

// ---- the parts of a date or time
// Link the date and the time a script loaded into the palette's own slots.
void link_loaded_parts(document& d);
// The current item changed from `before`: the parts that follow it keep up
// (nothing while a group exists: a group moves only its members).
void follow_current(editor& e, const item& before);
// The parts that follow item `lead`, all the way down, into `out` (at most
// `cap`); returns how many.
int parts_after(const document& d, item_id lead, item_id* out, int cap);
