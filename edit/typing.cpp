/*******************************************************************************
 * edit/typing.cpp - typing into a text item and removing its last character
 *
 * The text is read as a row of characters: a byte above 0x80 with the byte
 * after it, an inline code (backslash, C and one ASCII byte), or one byte.
 * Typing looks at how the text ends (inside a double-byte character, inside
 * an open code, or between characters) to decide what the key completes;
 * Backspace cuts the text where its last character starts. After each change
 * the text is measured again into line_chars, max_line_chars and line_count.
 *
 * Limits: at most TYPED_TEXT_MAX bytes; every write stays inside `text`.
 * Depends on: model/tables.h, model/text_measure.h.
 * Does NOT: check which text is current, or handle any other key.
 ******************************************************************************/
#include "edit/typing.h"
#include "model/text_measure.h"
#include <cstring>

uint8_t typing_drop_next = 0;

namespace {

constexpr unsigned char KEY_ENTER = 13;
constexpr unsigned char KEY_SPACE = 32;
constexpr unsigned char BACKSLASH = '\\';
constexpr unsigned char CODE_LETTER = 'C';
constexpr unsigned char CODE_NEW_LINE = '4';
constexpr unsigned char CODE_BLANK = '5';
constexpr unsigned char LEAD_MIN = 0x81;        // first byte of a double-byte character
constexpr unsigned char TRAIL_MIN = 0x40;       // second bytes run 0x40..0xFE, not 0x7F
constexpr unsigned char TRAIL_MAX = 0xFE;
constexpr unsigned char DEL = 0x7F;
constexpr unsigned char PRINTABLE_MIN = 0x21;   // ASCII that may complete a code
constexpr unsigned char PRINTABLE_MAX = 0x7E;
constexpr int CODE_BYTES = 3;

// How a text ends.
enum text_tail { TAIL_WHOLE, TAIL_OPEN_CODE, TAIL_OPEN_PAIR };

struct text_shape {
    int len;          // bytes in use
    int last_start;   // where the last character starts (0 for an empty text)
    text_tail tail;
};

// Walk the text character by character.
text_shape shape_of(const char* text)
{
    const unsigned char* t = (const unsigned char*)text;
    text_shape sh{(int)strnlen(text, TEXT_LEN - 1), 0, TAIL_WHOLE};
    int i = 0;
    while (i < sh.len) {
        sh.last_start = i;
        if (t[i] >= LEAD_MIN) {
            if (i + 1 < sh.len) {
                i += 2;
            } else {
                sh.tail = TAIL_OPEN_PAIR;
                i += 1;
            }
        } else if (t[i] == BACKSLASH && i + 1 < sh.len && t[i + 1] == CODE_LETTER) {
            if (i + 2 >= sh.len) {
                sh.tail = TAIL_OPEN_CODE;
                i += 2;
            } else {
                // A code's third byte is ASCII; a lead byte there starts a character.
                i += t[i + 2] < LEAD_MIN ? CODE_BYTES : 2;
            }
        } else {
            i += 1;
        }
    }
    return sh;
}

// Measure the whole text again after a change. The widest line is kept: a
// static text's box never narrows below the widest line it has had.
void remeasure(string_draw& s, int len)
{
    s.text_len = len;
    measure_text(s.text, s.line_chars, s.max_line_chars, s.line_count);
    if (s.max_line_chars < s.line_chars) s.max_line_chars = s.line_chars;
}

// Append `n` bytes when they fit under TYPED_TEXT_MAX; false (nothing stored) when not.
bool append(string_draw& s, const text_shape& sh, const unsigned char* bytes, int n)
{
    if (sh.len + n > TYPED_TEXT_MAX) return false;
    memcpy(s.text + sh.len, bytes, (size_t)n);
    s.text[sh.len + n] = 0;
    remeasure(s, sh.len + n);
    return true;
}

// Whether a byte can be the second byte of a double-byte character.
bool is_trail(unsigned char b)
{
    return b >= TRAIL_MIN && b <= TRAIL_MAX && b != DEL;
}

// The byte a key stores as the third byte of an open code, or 0 for none.
unsigned char code_byte_of(unsigned char key)
{
    if (key == KEY_ENTER) return CODE_NEW_LINE;
    if (key == KEY_SPACE) return CODE_BLANK;
    if (key >= PRINTABLE_MIN && key <= PRINTABLE_MAX) return key;
    return 0;
}

} // namespace

// Type one key byte into a visible text.
void type_key(string_draw& s, unsigned char key)
{
    if (!s.visible) return;
    if (typing_drop_next) {
        typing_drop_next = 0;
        if (is_trail(key)) return;   // the second byte of a dropped character
    }
    const text_shape sh = shape_of(s.text);

    if (sh.tail == TAIL_OPEN_PAIR && is_trail(key)) {
        append(s, sh, &key, 1);
        return;
    }
    if (sh.tail == TAIL_OPEN_CODE) {
        const unsigned char c = code_byte_of(key);
        if (c) append(s, sh, &c, 1);
        else if (key >= LEAD_MIN) typing_drop_next = 1;
        return;
    }
    if (key == KEY_ENTER || key == KEY_SPACE) {
        const unsigned char code[CODE_BYTES] = {BACKSLASH, CODE_LETTER,
                                                key == KEY_ENTER ? CODE_NEW_LINE : CODE_BLANK};
        append(s, sh, code, CODE_BYTES);
        return;
    }
    if (key == BACKSLASH) {
        // Opens a code; only when the byte that completes it will fit too.
        if (sh.len + CODE_BYTES > TYPED_TEXT_MAX) return;
        const unsigned char open[2] = {BACKSLASH, CODE_LETTER};
        append(s, sh, open, 2);
        return;
    }
    if (key >= LEAD_MIN) {
        // The first byte of a double-byte character: only with room for both.
        if (sh.len + 2 > TYPED_TEXT_MAX) typing_drop_next = 1;
        else append(s, sh, &key, 1);
        return;
    }
    if (key < KEY_SPACE || key == DEL) return;   // control bytes would break the script line
    append(s, sh, &key, 1);
}

// Remove the last character: a double-byte character, an inline code, or one byte.
void erase_last_char(string_draw& s)
{
    const text_shape sh = shape_of(s.text);
    if (sh.len < 1) return;
    memset(s.text + sh.last_start, 0, (size_t)(sh.len - sh.last_start));
    remeasure(s, sh.last_start);
}
