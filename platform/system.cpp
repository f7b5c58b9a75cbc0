/*******************************************************************************
 * platform/system.cpp - executable path, screen font lookup, time, sleeping
 ******************************************************************************/
#include "platform/system.h"
#include <cstring>
#include <ctime>
#include <fontconfig/fontconfig.h>
#include <sched.h>
#include <strings.h>
#include <unistd.h>

bool exe_directory(char* out, size_t cap)
{
    if (!out || cap == 0) return false;
    out[0] = 0;
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return false;
    buf[n] = 0;
    char* slash = strrchr(buf, '/');
    if (!slash) return false;
    slash[1] = 0;
    size_t len = strlen(buf);
    if (len + 1 > cap) return false;
    memcpy(out, buf, len + 1);
    return true;
}

bool find_screen_font(char* out, size_t cap)
{
    if (!out || cap == 0) return false;
    out[0] = 0;
    if (!FcInit()) return false;
    // Preferred families first: a Song-style face that covers GB2312.
    static const char* const families[] = {"AR PL UMing CN", "AR PL UMing", "AR PL SungtiL GB"};
    bool found = false;
    for (const char* fam : families) {
        FcPattern* pat = FcPatternCreate();
        FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)fam);
        FcPatternAddString(pat, FC_LANG, (const FcChar8*)"zh-cn");
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res;
        FcPattern* match = FcFontMatch(nullptr, pat, &res);
        if (match) {
            FcChar8* file = nullptr;
            FcCharSet* cs = nullptr;
            bool has_han = FcPatternGetCharSet(match, FC_CHARSET, 0, &cs) == FcResultMatch &&
                           FcCharSetHasChar(cs, 0x6587);  // 文
            // fontconfig falls back to any font; accept the match only under the asked name.
            bool named = false;
            FcChar8* got = nullptr;
            for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &got) == FcResultMatch; i++)
                if (strcasecmp((const char*)got, fam) == 0) named = true;
            if (has_han && named && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                strlen((const char*)file) < cap) {
                strcpy(out, (const char*)file);
                found = true;
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pat);
        if (found) break;
    }
    return found;
}

local_time get_local_time()
{
    // The precise clock, not time()'s coarse one: a frame woken just after a
    // whole second must already see the new second.
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    time_t t = now.tv_sec;
    struct tm tm;
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

void yield_processor() { sched_yield(); }

void sleep_micros(long us)
{
    if (us <= 0) return;
    struct timespec ts = {us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

long long now_micros()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

long long process_cpu_micros()
{
    struct timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}
