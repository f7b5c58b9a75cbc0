/*******************************************************************************
 * edit/status.cpp - the status line's message and its one-time conversion
 ******************************************************************************/
#include "edit/status.h"
#include "platform/gbk.h"
#include "platform/outcome.h"
#include <cstring>
#include <string>

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

void show_report(void* target, const outcome& o)
{
    status_show(*static_cast<status_line*>(target), o.ok ? STATUS_INFO : STATUS_ERROR, o.why.c_str());
}

} // namespace

// Keep the UTF-8 text and its UTF-16 form; bump the serial.
void status_show(status_line& s, int32_t tone, const char* utf8)
{
    if (!utf8) utf8 = "";
    copy_utf8(s.utf8, sizeof s.utf8, utf8);
    const std::string gbk = gbk_from_utf8(s.utf8);
    gbk_to_utf16(gbk.c_str(), s.wide, STATUS_TEXT_MAX);
    s.tone = tone;
    s.serial++;
}

void status_clear(status_line& s)
{
    s.tone = STATUS_NONE;
    s.utf8[0] = '\0';
    s.wide[0] = 0;
    s.serial++;
}

void status_take_reports(status_line& s) { report_attach(REPORT_STATUS, show_report, &s); }
