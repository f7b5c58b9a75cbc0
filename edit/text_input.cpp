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
#include "edit/typing.h"
#include "items/text_item.h"
#include "platform/gbk.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include <cstring>
#include <string>

namespace {

constexpr unsigned char KEY_ENTER = 13;
constexpr unsigned char KEY_SPACE = 32;
constexpr unsigned char BACKSLASH = '\\';
constexpr unsigned char CODE_LETTER = 'C';
constexpr int CODE_BYTES = 3;   // backslash, C and the code's byte
constexpr int CARET_WIDTH = 2;
constexpr unsigned char FONT_ROW_MIN = 0xA1;   // the dot-matrix fonts hold the GB2312 rows A1..FE
constexpr unsigned char FONT_ROW_MAX = 0xFE;
constexpr unsigned char ASCII_LAST = 0x7E;

// Tell the user what typing or pasting left out.
void say(status_line& s, const utf8_typing& r, msg_id cut_message)
{
    if (r.cut) status_show(s, STATUS_ERROR, msg(cut_message).c_str());
    else if (r.unmapped > 0) status_show(s, STATUS_ERROR, msg(MSG_NO_GBK_CODE, r.first_unmapped, r.first_code).c_str());
    else if (r.undrawable > 0) status_show(s, STATUS_ERROR, msg(MSG_NOT_IN_FONT, r.first_unmapped, r.first_code).c_str());
}

// The code point of one UTF-8 character of n bytes.
unsigned code_point(const char* p, int n)
{
    const unsigned char* u = (const unsigned char*)p;
    if (n == 1) return u[0];
    unsigned cp = u[0] & (0xFF >> (n + 1));
    for (int k = 1; k < n; k++) cp = (cp << 6) | (u[k] & 0x3F);
    return cp;
}

// GBK bytes the dot-matrix fonts can draw: printable ASCII, or a character of
// the GB2312 rows (both bytes A1..FE).
bool font_draws(const unsigned char* gbk, int count)
{
    if (count == 1) return gbk[0] >= KEY_SPACE && gbk[0] <= ASCII_LAST;
    return count == 2 && gbk[0] >= FONT_ROW_MIN && gbk[0] <= FONT_ROW_MAX && gbk[1] >= FONT_ROW_MIN &&
           gbk[1] <= FONT_ROW_MAX;
}

// Remember the first character left out, for the message.
void note_left_out(utf8_typing& r, int& counter, const char* p, int n)
{
    if (r.unmapped == 0 && r.undrawable == 0) {
        memcpy(r.first_unmapped, p, (size_t)n);
        r.first_unmapped[n] = 0;
        r.first_code = code_point(p, n);
    }
    counter++;
}

} // namespace

// Character by character, each one whole or not at all. A backslash is a
// backslash: colour codes come only from keys typed (a backslash and a digit).
utf8_typing type_utf8(text_caret_state& caret, item& s, item_id id, const char* utf8, bool typed)
{
    utf8_typing r = {};
    if (!utf8) return r;
    const char* p = utf8;
    while (*p) {
        int n = utf8_char_length(p);
        const unsigned char c = (unsigned char)*p;
        unsigned char bytes[2];
        int count = 0, room = 0;
        bool key = false;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && p[1] == '\n') n = 2;
            bytes[count++] = KEY_ENTER;
            room = CODE_BYTES;
            key = true;
        } else if (c == '\t') {
            bytes[count++] = KEY_SPACE;
            room = CODE_BYTES;
            key = true;
        } else if (c < KEY_SPACE || c == 0x7F) {
            p += n;
            continue;
        } else if (c == BACKSLASH) {
            bytes[count++] = BACKSLASH;
            room = CODE_BYTES;
            key = typed;
        } else {
            count = utf8_char_to_gbk(p, n, bytes);
            if (count == 0 || !font_draws(bytes, count)) {
                note_left_out(r, count == 0 ? r.unmapped : r.undrawable, p, n);
                p += n;
                continue;
            }
            if (count == 1 && bytes[0] == KEY_SPACE) {
                key = true;   // a blank is the blank code
                room = CODE_BYTES;
            } else {
                room = count;
                key = typed && count == 1;   // a typed digit may complete a colour code
            }
        }
        if ((int)strnlen(s.text, TEXT_LEN - 1) + room > TYPED_TEXT_MAX) {
            r.cut = true;
            break;
        }
        if (key) type_key(caret, s, id, bytes[0]);
        else type_literal(caret, s, id, bytes, count);
        r.typed++;
        p += n;
    }
    return r;
}

void on_text_input(editor& e, const char* utf8)
{
    e.ui.composition[0] = 0;
    // An open prompt or key list takes the key; nothing is typed behind it.
    if (e.ui.prompt.shown) return;
    if (e.ui.key_help_shown) {
        e.ui.key_help_shown = false;
        return;
    }
    item* t = current_text(e);
    if (!t) return;
    say(e.ui.status, type_utf8(e.ui.caret, *t, e.ui.current, utf8, true), MSG_TEXT_FULL);
}

// Converted once here, so no frame converts it.
void on_composition(editor& e, const char* utf8) { utf8_to_utf16(utf8, e.ui.composition, COMPOSITION_UNITS); }

void paste_clipboard_text(editor& e)
{
    std::string text;
    const bool has_text = read_clipboard(text) && !text.empty();
    item* t = current_text(e);
    if (!t) {
        status_show(e.ui.status, STATUS_INFO, msg(has_text ? MSG_SELECT_TEXT_FIRST : MSG_NOTHING_TO_PASTE).c_str());
        return;
    }
    if (!has_text) {
        status_show(e.ui.status, STATUS_INFO, msg(MSG_CLIPBOARD_EMPTY).c_str());
        return;
    }
    say(e.ui.status, type_utf8(e.ui.caret, *t, e.ui.current, text.c_str(), false), MSG_PASTE_CUT);
}

// The text as the panel shows it: colour codes go, \C4 is a line break,
// \C5 a blank, \C\ a backslash; a trail byte 0x5C is never taken for one.
void copy_text_to_clipboard(editor& e)
{
    const item* s = current_text(e);
    if (!s) return;
    char plain[TEXT_LEN];
    const unsigned char* t = (const unsigned char*)s->text;
    const int len = (int)strnlen(s->text, TEXT_LEN - 1);
    int o = 0;
    for (int i = 0; i < len;) {
        if (t[i] >= 0x81 && i + 1 < len) {
            plain[o++] = (char)t[i++];
            plain[o++] = (char)t[i++];
        } else if (t[i] == BACKSLASH && i + 2 < len && t[i + 1] == CODE_LETTER) {
            const unsigned char d = t[i + 2];
            if (d == '4') plain[o++] = '\n';
            else if (d == '5') plain[o++] = ' ';
            else if (d < '1' || d > '3') plain[o++] = (char)d;
            i += CODE_BYTES;
        } else if (t[i] == BACKSLASH) {
            i++;   // a lone backslash shows nothing
        } else {
            plain[o++] = (char)t[i++];
        }
    }
    plain[o] = 0;
    if (write_clipboard(gbk_to_utf8(plain).c_str())) status_show(e.ui.status, STATUS_OK, msg(MSG_TEXT_COPIED).c_str());
    else status_show(e.ui.status, STATUS_ERROR, msg(MSG_CLIPBOARD_REFUSED).c_str());
}

void place_caret_at(editor& e, int px, int py)
{
    item* s = current_text(e);
    if (!s) return;
    const int x = view_x(e.v, s->x), y = view_y(e.v, s->y), p = view_pitch(e.v);
    int stops[TEXT_LEN];
    const int n = caret_stops(s->text, stops, TEXT_LEN);
    int best = -1;
    int64_t best_far = 0;
    for (int k = 0; k < n; k++) {
        int32_t c[4];
        text_caret(*s, x, y, p, stops[k], c);
        if (py < c[1] && k > 0) continue;               // a line below the point
        const int64_t line_far = py >= c[1] + c[3] ? (int64_t)py - c[1] : 0;
        const int64_t far = line_far * TEXT_LEN + (px > c[0] ? px - c[0] : c[0] - px);
        if (best < 0 || far < best_far) {
            best = stops[k];
            best_far = far;
        }
    }
    typing_set_caret(e.ui.caret, *s, e.ui.current, best < 0 ? TEXT_LEN : best);
}

bool current_text_caret(editor& e, int32_t out[4])
{
    const item* s = current_text(e);
    if (!s) return false;
    text_caret(*s, view_x(e.v, s->x), view_y(e.v, s->y), view_pitch(e.v), typing_caret(e.ui.caret, *s, e.ui.current), out);
    out[2] = CARET_WIDTH;
    return true;
}

bool current_text_input_box(editor& e, int32_t out[4])
{
    if (!current_text_caret(e, out)) return false;
    out[3] += COMPOSITION_UNDERLINE + CANDIDATES_CLEARANCE;
    return true;
}
