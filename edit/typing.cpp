/*******************************************************************************
 * edit/typing.cpp - typing into a text item at its caret
 *
 * The text is read as a row of characters: a byte above 0x80 with the byte
 * after it, an inline code (backslash, C and one more byte), or one byte.
 * Typing looks at what stands before the caret (a lone lead byte, an open
 * code, or a whole character) to decide what a key completes; Backspace and
 * Delete cut out whole characters. After each change the text is measured
 * again into line_chars, max_line_chars and line_count.
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
constexpr unsigned char CODE_RED = '1', CODE_YELLOW = '3';
constexpr unsigned char LEAD_MIN = 0x81;        // first byte of a double-byte character
constexpr unsigned char TRAIL_MIN = 0x40;       // second bytes run 0x40..0xFE, not 0x7F
constexpr unsigned char TRAIL_MAX = 0xFE;
constexpr unsigned char DEL = 0x7F;
constexpr unsigned char PRINTABLE_MIN = 0x21;   // ASCII that may complete an open code
constexpr unsigned char PRINTABLE_MAX = 0x7E;
constexpr int CODE_BYTES = 3;
constexpr int CARET_END = -1;

// The caret: which text it stands in and where.
struct caret_place {
    int index = -1;
    int offset = CARET_END;
    int len = 0;   // the text's length when the caret was put there: changed by other means, it goes to the end
};
caret_place caret;
// The last key was a backslash typed at the caret: a colour digit next turns it into a code.
bool after_backslash = false;
// A text new from the palette whose placeholder the first character replaces.
int placeholder_index = -1;

// How the text before the caret ends.
enum text_tail { TAIL_WHOLE, TAIL_OPEN_CODE, TAIL_OPEN_PAIR };

// Bytes of the character starting at t[i] of a text of `len` bytes.
int char_bytes(const unsigned char* t, int i, int len)
{
    if (t[i] >= LEAD_MIN) return i + 1 < len ? 2 : 1;
    if (t[i] == BACKSLASH && i + 1 < len && t[i + 1] == CODE_LETTER) {
        if (i + 2 >= len) return 2;
        // A code's third byte is ASCII; a lead byte there starts a character.
        return t[i + 2] < LEAD_MIN ? CODE_BYTES : 2;
    }
    return 1;
}

int text_length(const string_draw& s) { return (int)strnlen(s.text, TEXT_LEN - 1); }

// Where the character holding byte `at` starts (the walk from the start).
int char_start(const char* text, int len, int at)
{
    const unsigned char* t = (const unsigned char*)text;
    int i = 0;
    while (i < len) {
        const int n = char_bytes(t, i, len);
        if (i + n > at) return i;
        i += n;
    }
    return len;
}

// How the first `len` bytes end.
text_tail tail_of(const char* text, int len)
{
    if (len == 0) return TAIL_WHOLE;
    const unsigned char* t = (const unsigned char*)text;
    const int last = char_start(text, len, len - 1);
    if (t[last] >= LEAD_MIN && len - last == 1) return TAIL_OPEN_PAIR;
    if (t[last] == BACKSLASH && len - last == 2 && t[last + 1] == CODE_LETTER) return TAIL_OPEN_CODE;
    return TAIL_WHOLE;
}

// Measure the whole text again after a change: the box follows it both ways.
void remeasure(string_draw& s)
{
    s.text_len = text_length(s);
    s.max_line_chars = 0;
    measure_text(s.text, s.line_chars, s.max_line_chars, s.line_count);
    if (s.max_line_chars < s.line_chars) s.max_line_chars = s.line_chars;
}

// The caret of text `index` as a byte offset inside it.
int caret_at(const string_draw& s, int index)
{
    const int len = text_length(s);
    if (caret.index != index || caret.offset == CARET_END || caret.offset > len || caret.len != len) return len;
    return caret.offset;
}

// Insert `n` bytes at the caret when the text stays within TYPED_TEXT_MAX;
// false (nothing stored) when not.
bool insert(string_draw& s, int index, const unsigned char* bytes, int n)
{
    if (placeholder_index == index) {
        placeholder_index = -1;
        if (strcmp(s.text, TEXT_PLACEHOLDER) == 0) {
            memset(s.text, 0, sizeof s.text);
            caret = {index, 0, 0};
        }
    }
    const int len = text_length(s);
    const int at = caret_at(s, index);
    if (len + n > TYPED_TEXT_MAX) return false;
    memmove(s.text + at + n, s.text + at, (size_t)(len - at) + 1);
    memcpy(s.text + at, bytes, (size_t)n);
    remeasure(s);
    caret = {index, at + n, s.text_len};
    return true;
}

// Whether a byte can be the second byte of a double-byte character.
bool is_trail(unsigned char b) { return b >= TRAIL_MIN && b <= TRAIL_MAX && b != DEL; }

// The byte a key stores as the third byte of an open code, or 0 for none.
unsigned char code_byte_of(unsigned char key)
{
    if (key == KEY_ENTER) return CODE_NEW_LINE;
    if (key == KEY_SPACE) return CODE_BLANK;
    if (key >= PRINTABLE_MIN && key <= PRINTABLE_MAX) return key;
    return 0;
}

// Cut bytes [from, to) out of the text.
void cut(string_draw& s, int index, int from, int to)
{
    const int len = text_length(s);
    memmove(s.text + from, s.text + to, (size_t)(len - to) + 1);
    memset(s.text + len - (to - from), 0, (size_t)(to - from));
    remeasure(s);
    caret = {index, from, s.text_len};
}

const unsigned char LITERAL_BACKSLASH[CODE_BYTES] = {BACKSLASH, CODE_LETTER, BACKSLASH};

} // namespace

int typing_caret(const string_draw& s, int index) { return caret_at(s, index); }

void typing_mark_placeholder(int index) { placeholder_index = index; }

void typing_set_caret(const string_draw& s, int index, int offset)
{
    placeholder_index = -1;
    const int len = text_length(s);
    caret = {index, offset < 0 ? 0 : offset >= len ? len : char_start(s.text, len, offset), len};
    after_backslash = false;
}

void type_key(string_draw& s, int index, unsigned char key)
{
    if (!s.visible) return;
    const bool was_after_backslash = after_backslash;
    after_backslash = false;
    if (typing_drop_next) {
        typing_drop_next = 0;
        if (is_trail(key)) return;   // the second byte of a dropped character
    }
    const int at = caret_at(s, index);
    const text_tail tail = tail_of(s.text, at);

    if (tail == TAIL_OPEN_PAIR && is_trail(key)) {
        insert(s, index, &key, 1);
        return;
    }
    if (tail == TAIL_OPEN_CODE) {
        // A code left open in a loaded text: the key completes it.
        const unsigned char c = code_byte_of(key);
        if (c) insert(s, index, &c, 1);
        else if (key >= LEAD_MIN) typing_drop_next = 1;
        return;
    }
    if (was_after_backslash && key >= CODE_RED && key <= CODE_YELLOW && at >= CODE_BYTES &&
        memcmp(s.text + at - CODE_BYTES, LITERAL_BACKSLASH, CODE_BYTES) == 0) {
        // Backslash and a colour digit: the backslash becomes that colour code.
        s.text[at - 1] = (char)key;
        remeasure(s);
        return;
    }
    if (key == KEY_ENTER || key == KEY_SPACE) {
        const unsigned char code[CODE_BYTES] = {BACKSLASH, CODE_LETTER,
                                                key == KEY_ENTER ? CODE_NEW_LINE : CODE_BLANK};
        insert(s, index, code, CODE_BYTES);
        return;
    }
    if (key == BACKSLASH) {
        after_backslash = insert(s, index, LITERAL_BACKSLASH, CODE_BYTES);
        return;
    }
    if (key >= LEAD_MIN) {
        // The first byte of a double-byte character: only with room for both.
        if (text_length(s) + 2 > TYPED_TEXT_MAX) typing_drop_next = 1;
        else insert(s, index, &key, 1);
        return;
    }
    if (key < KEY_SPACE || key == DEL) return;   // control bytes would break the script line
    insert(s, index, &key, 1);
}

bool type_literal(string_draw& s, int index, const unsigned char* bytes, int n)
{
    after_backslash = false;
    if (!s.visible || n <= 0) return false;
    if (n == 1 && bytes[0] == BACKSLASH) return insert(s, index, LITERAL_BACKSLASH, CODE_BYTES);
    return insert(s, index, bytes, n);
}

void erase_before_caret(string_draw& s, int index)
{
    after_backslash = false;
    const int at = caret_at(s, index);
    if (at < 1) return;
    cut(s, index, char_start(s.text, text_length(s), at - 1), at);
}

void erase_after_caret(string_draw& s, int index)
{
    after_backslash = false;
    const int len = text_length(s);
    const int at = caret_at(s, index);
    if (at >= len) return;
    cut(s, index, at, at + char_bytes((const unsigned char*)s.text, at, len));
}

int caret_stops(const char* text, int* out, int cap)
{
    const int len = (int)strnlen(text, TEXT_LEN - 1);
    const unsigned char* t = (const unsigned char*)text;
    int n = 0;
    for (int i = 0; i < len && n < cap; i += char_bytes(t, i, len)) out[n++] = i;
    if (n < cap) out[n++] = len;
    return n;
}
