/*******************************************************************************
 * play/lunar.h - the lunar (Chinese calendar) date of a civil date
 *
 * The lunar year, month and day that the variable codes 17, 18 and 19 show,
 * from ICU's Chinese calendar (new moons and solar terms reckoned at the
 * meridian of China, UTC+8). What the digits show:
 * - the year: the Gregorian year in which that lunar year began, so
 *   2026-01-20 is lunar 2025-12-02 (its New Year's Day was 2025-01-29);
 * - the month: 1 to 12; a leap month shows the number of the month it
 *   follows (the leap 6th month of 2025 shows 6), and `leap` is set;
 * - the day: 1 to 30.
 *
 * Limits: civil years 1 to 9999 (Gregorian, with ICU's Julian calendar before
 *   October 1582); one conversion opens ICU calendars, some tens of
 *   microseconds: convert once a day, not every frame.
 * Depends on: ICU (libicu), platform/outcome.
 * Does NOT: read the clock, name months in words, or know about items.
 ******************************************************************************/
#pragma once
#include "model/kind_forms.h"
#include "platform/outcome.h"
#include <cstdint>

struct lunar_date {
    int year = 0;     // the Gregorian year its lunar year began in
    int month = 0;    // 1..12
    int day = 0;      // 1..30
    bool leap = false;
};

// The lunar date of the civil date year-month-day (month 1..12).
outcome lunar_from_civil(int year, int month, int day, lunar_date& out);

// The field of `d` that variable code 17, 18 or 19 shows (0 for other codes).
uint32_t lunar_field(const lunar_date& d, int code);
