/*******************************************************************************
 * platform/system.h - small operating-system services
 *
 * The executable's directory, the system's Song-style CJK screen font, local
 * time, and yielding the processor. Each call is self-contained and keeps no
 * state between calls.
 *
 * Limits: the executable's directory is read from /proc/self/exe (Linux
 * only); local time is in whole seconds.
 * Depends on: fontconfig (the screen font), POSIX and Linux calls (readlink of
 * /proc/self/exe, clock_gettime, localtime_r, sched_yield, nanosleep).
 * Does NOT: open the font (raster/screen_text does), keep a clock of its own,
 * or know about time zones beyond what the C library's local time gives.
 ******************************************************************************/
#pragma once
#include <cstddef>

// Directory of the running executable, ending in '/', into `out` (cap bytes).
// Returns false (and an empty text) when it cannot be found or does not fit.
constexpr size_t EXE_PATH_MAX = 4096;   // room for a program's own folder
bool exe_directory(char* out, size_t cap);

// Full path of a Song-style (Ming) CJK TrueType font found through fontconfig,
// into `out`. Returns false when no such font is installed.
bool find_screen_font(char* out, size_t cap);

// Local time broken down: year, month 1-12, day, hour, minute, second, weekday 0 = Sunday.
struct local_time {
    int year, month, day, hour, minute, second, weekday;
};
local_time get_local_time();

// True when two readings show the same second (and so the same date).
inline bool same_local_time(const local_time& a, const local_time& b)
{
    return a.second == b.second && a.minute == b.minute && a.hour == b.hour && a.day == b.day &&
           a.month == b.month && a.year == b.year && a.weekday == b.weekday;
}

// Give up the rest of the time slice (the zero-length sleep).
void yield_processor();

// Sleep for the given number of microseconds.
void sleep_micros(long us);

// Monotonic clock in microseconds.
long long now_micros();
// CPU time this process has used, in microseconds (every thread).
long long process_cpu_micros();
