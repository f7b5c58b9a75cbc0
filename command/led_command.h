/*******************************************************************************
 * command/led_command.h - the `led` command: texts, shapes, tables, valves
 *
 * Each `led` line re-creates one item of the saved layout in the next free
 * record of its kind's range: static and scrolling texts, point blocks,
 * horizontal and vertical lines, circles, rectangles (plain and filled),
 * valve pictures, and tables given as a "begin" ... "end" block of cell
 * rectangles and merge lines. Positions in the script are LED dots relative
 * to the panel's top-left dot; records hold window pixels.
 *
 * Numbers follow read_number: decimal, or hexadecimal after "0x"; every
 * character adds a digit (non-digits count 0), and a leading "-" makes the
 * value negative (the export writes negative numbers for far corners left
 * of or above the panel and for speeds past 30).
 *
 * A shape line is read through the line forms of model/line_forms, the ones
 * the writer formats from: its keyword picks the rows of that keyword, its
 * numbers are taken with the fields' names and bounds, the row they fit
 * (a vertical line's equal x ends) names the kind and range, and each field
 * is stored into the record field it describes. A missing number refuses
 * the line; numbers past the form load the item and are reported as a
 * change, as on insmod lines. Text lines are told apart by their number of pieces, so
 * an extra piece there is a text with spaces, which is refused.
 *
 * Limits: a range, the text table, a table's 50 columns, rows and merges,
 * and texts longer than SCRIPT_TEXT_MAX bytes are refused, never overrun.
 * Records restored earlier in the same load are never overwritten.
 *
 * Depends on: command/dispatcher, model/tables, model/default_layout,
 * model/geometry (dots to pixels), model/line_forms.
 * Does NOT: read files or draw.
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"
#include "model/line_forms.h"
#include "model/tables.h"
#include <cstdint>

// The longest text a script line carries back whole, in bytes. Typing must
// stop here: longer texts are refused on reading.
constexpr int SCRIPT_TEXT_MAX = 499;


// State kept between lines of one load; reset before a script is read.
struct load_state {
    int text_count;
    int point_count;
    int line_item_count;
    int vline_count;
    int circle_count;
    int filled_circle_count;
    int rect_count;
    int filled_rect_count;
    int valve_count;
    int table_count;
    int in_table;         // between "begin" and "end"
    int table_refused;    // the open block's "begin" was refused: drop its lines
    int table_record;     // record of the open table
    int cell_index, cell_col, cell_row;
    int table_cols, table_rows;
    uint8_t digit_restored[DIGIT_COUNT];   // filled by a line of this load
    uint8_t text_restored[STRING_COUNT];
};
extern load_state load;

// Start a new load: every counter 0, no record restored.
void load_state_reset();

// The number rule of the script (absent text gives 0).
int64_t read_number(const char* text);
// True when `text` is a number as the export writes it (optional "-", then
// decimal digits, or "0x" and hex digits).
bool is_number(const char* text);

// The dispatcher's handler for "led" lines.
int32_t led_command(int32_t context, int32_t argc, cmd_arg_text* argv, int32_t extra);

// End of script: close a table block left open. Returns CMD_CHANGED when
// one was closed, CMD_DONE otherwise.
cmd_status led_finish();

// Take the numbers of form `f` from argv[first] on, with their fields' names
// and bounds: false, after refusing the line, at the first missing or
// out-of-range one; a number that is not written as one is reported.
bool read_form(const line_form& f, int argc, cmd_arg_text* argv, int first, int64_t* v);

// Report, as a change, the arguments of a line past the `used` ones its form takes.
void note_unused_arguments(int argc, int used);
// Mark a Digit_unit record as restored and shown, and reveal the palette
// entry after it inside its range.
void restore_digit_record(int index);
// font_step of the font-size ladder for a font size (the nearest step below
// for sizes between steps, 0 below 12).
uint8_t font_step_of(int font_size);
