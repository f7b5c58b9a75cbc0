/*******************************************************************************
 * items/digit_item.h - the two renderers of Digit_unit records
 *
 * draw_digit_item draws a record as the panel shows it; draw_digit_item_selected
 * adds what the editor shows for the selection: the white description line and
 * dot coordinates with the nudge buttons (not for a group selection), the
 * caption and the property buttons. Both dispatch on `kind`: variable items
 * (kind 8) are drawn here as segment numbers with a sample value (888888) or
 * a clock field, the other kinds by items/graphic_items.h.
 *
 * Component codes of variable items: 0-4 counters, 5-10 date and time, 11/13
 * temperature and humidity, 16 weekday, 17-19 lunar date, 20 wind, 22-39
 * safe-production counters, 41 and more holding registers (code - 40).
 * Value types (`data_type`) 2 and 6 are signed and get a minus cell.
 *
 * Limits: a record writes only its own `width`, `height`, table cell corners
 * and (selected) `button_count`; texts are GBK, converted once on first use.
 * Depends on: items/digits.h, items/calendar.h, items/graphic_items.h,
 * items/buttons.h, raster/screen_text.h, model/tables.h, model/settings.h.
 * Does NOT: choose which records are drawn or selected (the frame routine
 * does), read registers, or act on button presses.
 ******************************************************************************/
#pragma once
#include "model/default_layout.h"
#include "model/tables.h"
#include <cstdint>

constexpr uint32_t SAMPLE_VALUE = 888888;   // what every value without a source shows
constexpr int DATA_TYPES = 9;               // named value types 0..8

// Draw one record that is not selected.
void draw_digit_item(Digit_unit& u);
// Draw the current selection or a group-selected record with its description,
// caption and, with `buttons` (the item whose buttons a press reaches), its buttons.
void draw_digit_item_selected(Digit_unit& u, bool buttons = true);

// Draw a variable item (kind 8) alone.
void draw_variable_item(Digit_unit& u, bool selected);
// A variable item's width and height from its size, digits and the zoom (a
// weekday or wind field's from its font size, kept while it is selected).
void measure_variable(Digit_unit& u, bool selected);
// The property buttons a selected record offers: more for register variables.
void note_button_count(Digit_unit& u);

// The GBK caption of a variable item's component code into `out` ("" for none);
// `shifted` tells whether it stands 8 pixels left of the item (formatted captions).
void variable_caption(int code, char* out, int cap, bool& shifted);

// The GBK description line of a selected record into `out`.
void description_line(const Digit_unit& u, char* out, int cap);

// Number of property buttons a selected record shows.
int shown_button_count(const Digit_unit& u);
// The same for the record drawn selected now (its button count from its code).
int selected_button_count(const Digit_unit& u);
