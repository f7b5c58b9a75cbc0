/*******************************************************************************
 * play/lunar.cpp - civil dates to lunar dates through ICU's Chinese calendar
 ******************************************************************************/
#include "play/lunar.h"
#include <cstdio>
#include <unicode/ucal.h>

namespace {

constexpr int CIVIL_YEAR_MIN = 1, CIVIL_YEAR_MAX = 9999;
constexpr int CHINESE_EPOCH_OFFSET = 2637;   // ICU's extended Chinese year 1 began in 2637 BC
constexpr int NOON = 12;                     // the hour a civil day is taken at
constexpr int DATE_TEXT = 32;

// A calendar of ICU in UTC, closed when it goes out of scope.
struct calendar {
    UCalendar* c;
    calendar(const char* locale, UCalendarType type, UErrorCode& status)
        : c(ucal_open(u"UTC", -1, locale, type, &status)) {}
    ~calendar() { if (c) ucal_close(c); }
    calendar(const calendar&) = delete;
    calendar& operator=(const calendar&) = delete;
};

outcome failed(int year, int month, int day)
{
    char text[DATE_TEXT];
    snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return outcome_fail(MSG_LUNAR_FAILED, text);
}

} // namespace

outcome lunar_from_civil(int year, int month, int day, lunar_date& out)
{
    if (year < CIVIL_YEAR_MIN || year > CIVIL_YEAR_MAX) return failed(year, month, day);
    UErrorCode status = U_ZERO_ERROR;
    calendar civil("en_US@calendar=gregorian", UCAL_GREGORIAN, status);
    if (U_FAILURE(status)) return failed(year, month, day);
    ucal_setAttribute(civil.c, UCAL_LENIENT, 0);
    ucal_setDateTime(civil.c, year, month - 1, day, NOON, 0, 0, &status);
    const UDate when = ucal_getMillis(civil.c, &status);   // refuses a date that does not exist
    calendar chinese("zh_CN@calendar=chinese", UCAL_TRADITIONAL, status);
    if (U_FAILURE(status)) return failed(year, month, day);
    ucal_setMillis(chinese.c, when, &status);
    lunar_date d;
    d.year = ucal_get(chinese.c, UCAL_EXTENDED_YEAR, &status) - CHINESE_EPOCH_OFFSET;
    d.month = ucal_get(chinese.c, UCAL_MONTH, &status) + 1;
    d.leap = ucal_get(chinese.c, UCAL_IS_LEAP_MONTH, &status) != 0;
    d.day = ucal_get(chinese.c, UCAL_DATE, &status);
    if (U_FAILURE(status)) return failed(year, month, day);
    out = d;
    return outcome_ok();
}

uint32_t lunar_field(const lunar_date& d, int code)
{
    int v = 0;
    if (code == CODE_LUNAR_YEAR) v = d.year;
    else if (code == CODE_LUNAR_MONTH) v = d.month;
    else if (code == CODE_LUNAR_DAY) v = d.day;
    return v < 0 ? 0u : (uint32_t)v;
}
