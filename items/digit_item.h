/*******************************************************************************
 * items/digit_item.h - variables, and the selected look of every item but texts
 *
 * A variable (component codes 0-4 counters, 5-10 date and time, 11/13
 * temperature and humidity, 16 weekday, 17-19 lunar date, 20 wind, 22-39
 * safe-production counters, 41 and more holding registers, code - 40) is
 * drawn as segment digits with a sample value (888888) or a clock field, or
 * as a word (weekday, wind). Value types (`data_type`) 2 and 6 are signed
 * and get a minus cell.
 *
 * The selected look of a figure, table, valve or variable adds what the
 * editor shows for the selection: the white description line and dot
 * position with the nudge buttons (not for a group member), the caption and
 * the property buttons.
 *
 * Limits: texts are GBK, converted once on first use.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: choose which items are drawn or selected (the frame does), read
 * registers, or act on button presses.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"
#include <cstdint>

constexpr uint32_t SAMPLE_VALUE = 888888;   // what every value without a source shows
constexpr int DATA_TYPES = 9;               // named value types 0..8
constexpr int DATA_TYPE_SIGNED = 2, DATA_TYPE_NEGATIVE = 6;

// Draw a variable in its plain or selected look (the kind's drawing).
void draw_variable_item(const item& it, const item_draw_ctx& ctx);
// A variable's box in dots: from its size and digits, or a weekday or wind
// field's from its font size.
dot_box measure_variable(const item& it);

// The selected look of any item but a text: the item and its caption.
void draw_unit_selected(const item& it, const item_draw_ctx& ctx);
// Its controls, at UI_PITCH: the description line, position and nudge
// buttons (look.description) and the property buttons (look.buttons).
void draw_unit_controls(const item& it, const item_draw_ctx& ctx);

// The GBK caption of a variable's component code into `out` ("" for none);
// `shifted` tells whether it stands 8 pixels left of the item (formatted captions).
void variable_caption(int code, char* out, int cap, bool& shifted);

// The GBK description line of a selected item into `out`.
void description_line(const item& it, char* out, int cap);

// The property buttons a selected item other than a text shows.
int unit_button_count(const item& it);
