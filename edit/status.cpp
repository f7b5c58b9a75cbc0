/*******************************************************************************
 * edit/status.cpp - the status line's message and its one-time conversion
 ******************************************************************************/
#include "edit/status.h"
#include "platform/gbk.h"
#include "platform/outcome.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

int32_t status_tone = STATUS_NONE;
char status_utf8[STATUS_TEXT_MAX] = "";
char16_t status_wide[STATUS_TEXT_MAX] = {0};
uint32_t status_serial = 0;

namespace {

// Cut `s` at `cap - 1` bytes without splitting a UTF-8 sequence.
void copy_utf8(char* out, size_t cap, const char* s)
{
    size_t n = strnlen(s, cap - 1);
    if (s[n] != '\0')
        while (n > 0 && ((unsigned char)s[n] & 0xC0) == 0x80) n--;
    memcpy(out, s, n);
    out[n] = '\0';
}

} // namespace

// Keep the UTF-8 text and its UTF-16 form; bump the serial.
void status_show(int32_t tone, const char* utf8)
{
    if (!utf8) utf8 = "";
    copy_utf8(status_utf8, sizeof status_utf8, utf8);
    std::string gbk = gbk_from_utf8(status_utf8);
    gbk_to_utf16(gbk.c_str(), status_wide, STATUS_TEXT_MAX);
    status_tone = tone;
    status_serial++;
}

// Format into a bounded buffer, then show it.
void status_showf(int32_t tone, const char* fmt, ...)
{
    char buf[STATUS_TEXT_MAX];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    status_show(tone, buf);
}

void status_clear()
{
    status_tone = STATUS_NONE;
    status_utf8[0] = '\0';
    status_wide[0] = 0;
    status_serial++;
}

namespace {

void show_report(const outcome& o) { status_show(o.ok ? STATUS_INFO : STATUS_ERROR, o.why.c_str()); }

} // namespace

// The status line takes its channel before main() runs.
const bool status_channel_taken = (report_attach(REPORT_STATUS, show_report), true);
