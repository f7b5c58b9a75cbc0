/*******************************************************************************
 * platform/gbk.cpp - GBK conversions through iconv
 ******************************************************************************/
#include "platform/gbk.h"
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// One open converter per direction, created on first use.
iconv_t converter(const char* to, const char* from, iconv_t& slot)
{
    if (slot == (iconv_t)-1) slot = iconv_open(to, from);
    return slot;
}

iconv_t gbk_to_u16_cd = (iconv_t)-1;
iconv_t gbk_to_u8_cd = (iconv_t)-1;
iconv_t u8_to_gbk_cd = (iconv_t)-1;
iconv_t u8_to_u16_cd = (iconv_t)-1;

// Run a bounded conversion; skips one input byte on an invalid sequence.
// Returns the number of output bytes produced (without terminator).
size_t run(iconv_t cd, const char* in, size_t in_len, char* out, size_t out_cap)
{
    if (cd == (iconv_t)-1 || !out || out_cap == 0) return 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in);
    size_t il = in_len;
    char* op = out;
    size_t ol = out_cap;
    while (il > 0) {
        size_t r = iconv(cd, &ip, &il, &op, &ol);
        if (r != (size_t)-1) break;
        if (errno == E2BIG) break;
        // EILSEQ or EINVAL: drop the offending byte and go on.
        ip++;
        il--;
    }
    return out_cap - ol;
}

} // namespace

size_t utf8_to_gbk(const char* utf8, char* out, size_t cap)
{
    if (!out || cap == 0) return 0;
    if (!utf8) { out[0] = 0; return 0; }
    iconv_t cd = converter("GBK", "UTF-8", u8_to_gbk_cd);
    size_t n = run(cd, utf8, strlen(utf8), out, cap - 1);
    // Never leave half of a double-byte character at the end.
    size_t i = 0;
    while (i < n) {
        if ((unsigned char)out[i] >= 0x81 && i + 1 < n) i += 2;
        else if ((unsigned char)out[i] >= 0x81) break;
        else i++;
    }
    out[i] = 0;
    return i;
}

std::string gbk_from_utf8(const char* utf8)
{
    if (!utf8) return std::string();
    size_t cap = strlen(utf8) + 1;
    std::string s(cap, '\0');
    size_t n = utf8_to_gbk(utf8, &s[0], cap);
    s.resize(n);
    return s;
}

std::string gbk_to_utf8(const char* gbk)
{
    if (!gbk) return std::string();
    size_t len = strlen(gbk);
    std::string s(len * 3 + 1, '\0');
    iconv_t cd = converter("UTF-8", "GBK", gbk_to_u8_cd);
    size_t n = run(cd, gbk, len, &s[0], s.size());
    s.resize(n);
    return s;
}

size_t gbk_to_utf16(const char* gbk, char16_t* out, size_t cap)
{
    if (!out || cap == 0) return 0;
    if (!gbk) { out[0] = 0; return 0; }
    iconv_t cd = converter("UTF-16LE", "GBK", gbk_to_u16_cd);
    size_t bytes = run(cd, gbk, strlen(gbk), reinterpret_cast<char*>(out), (cap - 1) * 2);
    size_t units = bytes / 2;
    out[units] = 0;
    return units;
}

std::u16string to_wide(const char* gbk)
{
    if (!gbk) return std::u16string();
    size_t len = strlen(gbk);
    std::u16string s(len + 1, u'\0');
    size_t n = gbk_to_utf16(gbk, &s[0], s.size());
    s.resize(n);
    return s;
}

// The lead byte tells the length; a stray continuation byte counts as one.
int utf8_char_length(const char* utf8)
{
    if (!utf8 || !utf8[0]) return 0;
    const unsigned char b = (unsigned char)utf8[0];
    int n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
    for (int i = 1; i < n; i++)
        if (((unsigned char)utf8[i] & 0xC0) != 0x80) return 1;
    return n;
}

// One character through the converter, all of it or nothing.
int utf8_char_to_gbk(const char* utf8, int len, unsigned char out[2])
{
    if (!utf8 || len <= 0 || len > 4) return 0;
    iconv_t cd = converter("GBK", "UTF-8", u8_to_gbk_cd);
    if (cd == (iconv_t)-1) return 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buf[8];
    char* ip = const_cast<char*>(utf8);
    size_t il = (size_t)len;
    char* op = buf;
    size_t ol = sizeof buf;
    if (iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il != 0) return 0;
    const int n = (int)(sizeof buf - ol);
    if (n < 1 || n > 2) return 0;
    memcpy(out, buf, (size_t)n);
    return n;
}

size_t utf8_to_utf16(const char* utf8, char16_t* out, size_t cap)
{
    if (!out || cap == 0) return 0;
    out[0] = 0;
    if (!utf8) return 0;
    iconv_t cd = converter("UTF-16LE", "UTF-8", u8_to_u16_cd);
    size_t bytes = run(cd, utf8, strlen(utf8), (char*)out, (cap - 1) * sizeof(char16_t));
    size_t units = bytes / sizeof(char16_t);
    out[units] = 0;
    return units;
}
