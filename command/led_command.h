/*******************************************************************************
 * command/led_command.h - the `led` command: texts, shapes, tables, valves
 *
 * Each `led` line re-creates one item of the saved layout in the next free
 * slot of its kind's range: static and scrolling texts, point blocks,
 * horizontal and vertical lines, circles, rectangles (plain and filled),
 * valve pictures, and tables given as a "begin" ... "end" block of cell
 * rectangles and merge lines. Positions in the script are LED dots relative
 * to the panel's top-left dot, as the items hold them.
 *
 * Numbers follow read_number: decimal, or hexadecimal after "0x"; every
 * character adds a digit (non-digits count 0), and a leading "-" makes the
 * value negative (the export writes negative numbers for far corners left
 * of or above the panel and for speeds past 30).
 *
 * A shape line is read through the kind forms of model/kind_forms, the ones
 * the writer formats from: its keyword picks the rows of that keyword, its
 * numbers are taken with the fields' names and bounds, the row they fit
 * (a vertical line's equal x ends) names the kind and range, and each field
 * is stored into the item field it describes. A missing number refuses the
 * line; numbers past the form load the item and are reported as a change.
 * Text lines are told apart by their number of pieces, so an extra piece
 * there is a text with spaces, which is refused.
 *
 * Limits: a line for a full range or for full texts, a table past its 50
 * columns, rows or merges, and a text longer than SCRIPT_TEXT_MAX bytes are
 * refused, never overrun. Slots taken earlier in the same load are never
 * taken again.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read files or draw.
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"
#include <cstdint>

// The longest text a script line carries back whole, in bytes. Typing must
// stop here: longer texts are refused on reading.
constexpr int SCRIPT_TEXT_MAX = 499;

// The number rule of the script (absent text gives 0).
int64_t read_number(const char* text);
// True when `text` is a number as the export writes it (optional "-", then
// decimal digits, or "0x" and hex digits).
bool is_number(const char* text);

// The dispatcher's handler for "led" lines.
cmd_status led_command(cmd_context& c, int argc, cmd_arg_text* argv);

// End of script: close a table block left open. Returns CMD_CHANGED when
// one was closed, CMD_DONE otherwise.
cmd_status led_finish(cmd_context& c);

// Take the numbers of form `f` from argv[first] on, with their fields' names
// and bounds: false, after refusing the line, at the first missing or
// out-of-range one; a number that is not written as one is reported.
bool read_form(cmd_context& c, const line_form& f, int argc, cmd_arg_text* argv, int first, int64_t* v);

// Report, as a change, the arguments of a line past the `used` ones its form takes.
void note_unused_arguments(cmd_context& c, int argc, int used);
// Report an item restored outside the panel (it is not saved again).
void note_if_off_panel(cmd_context& c, const item& it);
// font_step of the font-size ladder for a font size (the nearest step below
// for sizes between steps, 0 below 12).
uint8_t font_step_of(int font_size);
