/*******************************************************************************
 * model/geometry.cpp - window pixels and panel dots
 ******************************************************************************/
#include "model/geometry.h"
#include "model/settings.h"
#include "model/tables.h"

int32_t floor_div(int64_t a, int b)
{
    if (b <= 0) b = 1;
    int64_t q = a / b;
    if ((a % b != 0) && (a < 0)) q--;
    return (int32_t)q;
}

int32_t dot_to_screen_x(int64_t dots) { return (int32_t)(dots * led_pitch + led_table[0].x + 1); }
int32_t dot_to_screen_y(int64_t dots) { return (int32_t)(dots * led_pitch + led_table[0].y + 1); }

bool unit_holds(int r, int c, int32_t x, int32_t y)
{
    const led_unit& u = led_table[r * LED_UNITS_PER_ROW + c];
    int64_t p = led_pitch;
    return u.x <= x && x < u.x + u.w * p && u.y <= y && y < u.y + u.h * p;
}

bool item_in_panel(int32_t x, int32_t y)
{
    for (int r = 0; r < UNIT_ROWS; r++)
        for (int c = 0; c < UNIT_COLS; c++)
            if (unit_holds(r, c, x, y)) return true;
    return false;
}

int64_t rescaled_offset(int64_t off, int from, int to)
{
    int64_t dot = off / from, part = off % from;
    if (part < 0) {
        dot--;
        part += from;
    }
    return dot * to + part * to / from;
}

int32_t rescaled(int64_t v, int origin, int from, int to)
{
    int64_t r = origin + rescaled_offset(v - origin, from, to);
    return (int32_t)(r < INT32_MIN ? INT32_MIN : r > INT32_MAX ? INT32_MAX : r);
}

int32_t rescaled_span(int64_t start, int64_t len, int origin, int from, int to)
{
    return (int32_t)((int64_t)rescaled(start + len, origin, from, to) - rescaled(start, origin, from, to));
}

int32_t rescaled_length(int64_t len, int from, int to) { return rescaled(len, 0, from, to); }
