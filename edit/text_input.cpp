/*******************************************************************************
 * edit/text_input.cpp - committed text, the composition string, the clipboard
 *
 * UTF-8 is walked one character at a time. Each character becomes the key
 * bytes the typing rules know: its GBK bytes, 13 for a line break (a CR LF
 * pair is one break), 32 for a tab, and an inline code written out as
 * backslash, C and its byte (as a copy to the clipboard writes it) becomes
 * the backslash key and that byte. Before a character is typed its room is
 * checked against TYPED_TEXT_MAX, so the text is cut between characters.
 ******************************************************************************/
#include "edit/text_input.h"
#include "edit/close_prompt.h"
#include "edit/key_help.h"
#include "edit/state.h"
#include "edit/status.h"
#include "edit/typing.h"
#include "items/text_item.h"
#include "platform/gbk.h"
#include "platform/screen.h"
#include <cstring>
#include <string>

char16_t composition_wide[COMPOSITION_UNITS] = {0};

namespace {

constexpr unsigned char KEY_ENTER = 13;
constexpr unsigned char KEY_SPACE = 32;
constexpr unsigned char BACKSLASH = '\\';
constexpr unsigned char CODE_LETTER = 'C';
constexpr int CODE_BYTES = 3;   // backslash, C and the code's byte
constexpr int CARET_WIDTH = 2;

// The current text when it is live, else none.
string_draw* live_current_text()
{
    if (current_string < 0 || current_string > LAST_ITEM_INDEX) return nullptr;
    string_draw& s = string_table[current_string];
    return s.visible ? &s : nullptr;
}

bool printable_ascii(unsigned char c)
{
    return c > KEY_SPACE && c < 0x7F;
}

// Tell the user what typing or pasting left out.
void report(const utf8_typing& r, const char* cut_message)
{
    if (r.cut) status_show(STATUS_ERROR, cut_message);
    else if (r.unmapped > 0) status_showf(STATUS_ERROR, "“%s”没有GBK编码，未输入", r.first_unmapped);
}

} // namespace

// Character by character, each one whole or not at all.
utf8_typing type_utf8(string_draw& s, const char* utf8)
{
    utf8_typing r = {0, 0, false, {0}};
    if (!s.visible || !utf8) return r;
    const char* p = utf8;
    while (*p) {
        int n = utf8_char_length(p);
        const unsigned char c = (unsigned char)*p;
        unsigned char keys[CODE_BYTES];
        int count = 0, room = 0;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && p[1] == '\n') n = 2;
            keys[count++] = KEY_ENTER;
            room = CODE_BYTES;
        } else if (c == '\t') {
            keys[count++] = KEY_SPACE;
            room = CODE_BYTES;
        } else if (c < KEY_SPACE || c == 0x7F) {
            p += n;
            continue;
        } else if (c == BACKSLASH && (unsigned char)p[1] == CODE_LETTER && printable_ascii((unsigned char)p[2])) {
            keys[count++] = BACKSLASH;
            keys[count++] = (unsigned char)p[2];
            room = CODE_BYTES;
            n = CODE_BYTES;
        } else if (c == BACKSLASH) {
            keys[count++] = BACKSLASH;
            room = CODE_BYTES;
        } else {
            count = utf8_char_to_gbk(p, n, keys);
            if (count == 0) {
                if (r.unmapped++ == 0) {
                    memcpy(r.first_unmapped, p, (size_t)n);
                    r.first_unmapped[n] = 0;
                }
                p += n;
                continue;
            }
            room = count;
        }
        if ((int)strnlen(s.text, TEXT_LEN - 1) + room > TYPED_TEXT_MAX) {
            r.cut = true;
            break;
        }
        for (int k = 0; k < count; k++) type_key(s, keys[k]);
        r.typed++;
        p += n;
    }
    return r;
}

void on_text_input(const char* utf8)
{
    composition_wide[0] = 0;
    // An open close prompt or key list takes the key; nothing is typed behind it.
    if (prompt_shown) return;
    if (key_help_close()) return;
    string_draw* s = live_current_text();
    if (!s) return;
    report(type_utf8(*s, utf8), "文本已达长度上限，其余未输入");
}

// Converted once here, so no frame converts it.
void on_composition(const char* utf8)
{
    utf8_to_utf16(utf8, composition_wide, COMPOSITION_UNITS);
}

void paste_clipboard_text()
{
    string_draw* s = live_current_text();
    if (!s) {
        status_show(STATUS_INFO, "没有可粘贴的内容");
        return;
    }
    std::string text;
    if (!read_clipboard(text)) {
        status_show(STATUS_INFO, "剪贴板中没有文本");
        return;
    }
    report(type_utf8(*s, text.c_str()), "粘贴的文本超出长度上限，已截断");
}

// Walk the GBK text by characters, so a trail byte 0x5C is never taken for a backslash.
void copy_text_to_clipboard()
{
    string_draw* s = live_current_text();
    if (!s) return;
    char plain[TEXT_LEN];
    const unsigned char* t = (const unsigned char*)s->text;
    const int len = (int)strnlen(s->text, TEXT_LEN - 1);
    int o = 0;
    for (int i = 0; i < len;) {
        if (t[i] >= 0x81 && i + 1 < len) {
            plain[o++] = (char)t[i++];
            plain[o++] = (char)t[i++];
        } else if (t[i] == BACKSLASH && i + 2 < len && t[i + 1] == CODE_LETTER && (t[i + 2] == '4' || t[i + 2] == '5')) {
            plain[o++] = t[i + 2] == '4' ? '\n' : ' ';
            i += CODE_BYTES;
        } else {
            plain[o++] = (char)t[i++];
        }
    }
    plain[o] = 0;
    if (write_clipboard(gbk_to_utf8(plain).c_str())) status_show(STATUS_OK, "文本已复制到剪贴板");
    else status_show(STATUS_ERROR, "无法写入剪贴板");
}

bool current_text_caret(int32_t out[4])
{
    string_draw* s = live_current_text();
    if (!s) return false;
    text_caret(*s, out);
    out[2] = CARET_WIDTH;
    return true;
}
