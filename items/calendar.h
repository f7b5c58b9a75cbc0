/*******************************************************************************
 * items/calendar.h - calendar, clock, weekday and wind fields of variable items
 *
 * Variable items with component codes 5-10 show the computer's local year,
 * month, day, hour, minute and second in segment digits followed by a unit
 * word; code 16 shows the weekday name and code 20 the fixed wind word, both
 * in the dot-matrix font of the item's `font_px`. The lunar fields (17-19)
 * change with the date too (play/engine converts it); they count as clock
 * fields here, so that a frame paints them again when their value moves.
 *
 * The clock is read through a replaceable source so that a fixed local time
 * can be shown (tests, demonstrations); by default it is the computer's clock.
 * Words are GBK, converted once from the readable texts below on first use.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw the digits (items/digit_item.cpp does), convert to the lunar
 * calendar (play/engine does), or keep the time between draws.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"
#include "model/kind_forms.h"
#include "platform/system.h"

constexpr int WEEKDAYS = 7;

// Where the local time comes from; nullptr restores the computer's clock.
typedef local_time (*clock_source)();
void set_clock_source(clock_source source);
// The local time now, from the current source.
local_time read_clock();

// True for the codes 5 to 10 that show a clock or calendar field in digits.
bool is_clock_code(int code);
// True for the fields that change with the clock: those, the weekday and
// the lunar fields.
bool shows_clock(const item& it);
// The field of `t` that code 5..10 shows (0 for other codes).
uint32_t clock_field(const local_time& t, int code);
// What a clock field shows of `t`: its field, the weekday, or its lunar field.
int32_t clock_value(const item& it, const local_time& t);

// GBK unit word of code 5..10, weekday name of day 0..6 (0 = Sunday) and the
// wind word; "" for anything else.
const char* unit_word(int code);
const char* weekday_name(int weekday);
const char* wind_word();

// Window position of the unit word of code 5..10 of an item drawn at ctx,
// `width` pixels wide.
void unit_word_position(const item_draw_ctx& ctx, int code, int64_t width, int& wx, int& wy);
// Draw the unit word of a clock field (code 5..10) beside the item.
void draw_unit_word(const item& it, const item_draw_ctx& ctx, int64_t width);
// Draw the weekday (code 16) or wind (code 20) word at the item's corner.
void draw_word_field(const item& it, const item_draw_ctx& ctx);
// The box of a weekday or wind field in dots: three double-byte characters.
dot_box measure_word_field(const item& it);
