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
#include <cstring>

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

int length_of(const item& t) { return (int)strnlen(t.text, TEXT_LEN - 1); }

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

// The caret of text `id` as a byte offset inside it.
int caret_at(const text_caret_state& c, const item& t, item_id id)
{
    const int len = length_of(t);
    if (c.id != id || c.offset == CARET_END || c.offset > len || c.len != len) return len;
    return c.offset;
}

void put_caret(text_caret_state& c, item_id id, int offset, int len)
{
    c.id = id;
    c.offset = offset;
    c.len = len;
}

// Insert `n` bytes at the caret when the text stays within TYPED_TEXT_MAX;
// false (nothing stored) when not.
bool insert(text_caret_state& c, item& t, item_id id, const unsigned char* bytes, int n)
{
    if (c.placeholder == id) {
        c.placeholder = NO_ITEM;
        if (strcmp(t.text, TEXT_PLACEHOLDER) == 0) {
            memset(t.text, 0, sizeof t.text);
            put_caret(c, id, 0, 0);
        }
    }
    const int len = length_of(t);
    const int at = caret_at(c, t, id);
    if (len + n > TYPED_TEXT_MAX) return false;
    memmove(t.text + at + n, t.text + at, (size_t)(len - at) + 1);
    memcpy(t.text + at, bytes, (size_t)n);
    put_caret(c, id, at + n, len + n);
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
void cut(text_caret_state& c, item& t, item_id id, int from, int to)
{
    const int len = length_of(t);
    memmove(t.text + from, t.text + to, (size_t)(len - to) + 1);
    memset(t.text + len - (to - from), 0, (size_t)(to - from));
    put_caret(c, id, from, len - (to - from));
}

const unsigned char LITERAL_BACKSLASH[CODE_BYTES] = {BACKSLASH, CODE_LETTER, BACKSLASH};

} // namespace

int typing_caret(const text_caret_state& c, const item& t, item_id id) { return caret_at(c, t, id); }

void typing_mark_placeholder(text_caret_state& c, item_id id) { c.placeholder = id; }

void typing_set_caret(text_caret_state& c, const item& t, item_id id, int offset)
{
    c.placeholder = NO_ITEM;
    const int len = length_of(t);
    put_caret(c, id, offset < 0 ? 0 : offset >= len ? len : char_start(t.text, len, offset), len);
    c.after_backslash = false;
}

void type_key(text_caret_state& c, item& t, item_id id, unsigned char key)
{
    const bool was_after_backslash = c.after_backslash;
    c.after_backslash = false;
    if (c.drop_next) {
        c.drop_next = false;
        if (is_trail(key)) return;   // the second byte of a dropped character
    }
    const int at = caret_at(c, t, id);
    const text_tail tail = tail_of(t.text, at);

    if (tail == TAIL_OPEN_PAIR && is_trail(key)) {
        insert(c, t, id, &key, 1);
        return;
    }
    if (tail == TAIL_OPEN_CODE) {
        // A code left open in a loaded text: the key completes it.
        const unsigned char code = code_byte_of(key);
        if (code) insert(c, t, id, &code, 1);
        else if (key >= LEAD_MIN) c.drop_next = true;
        return;
    }
    if (was_after_backslash && key >= CODE_RED && key <= CODE_YELLOW && at >= CODE_BYTES &&
        memcmp(t.text + at - CODE_BYTES, LITERAL_BACKSLASH, CODE_BYTES) == 0) {
        // Backslash and a colour digit: the backslash becomes that colour code.
        t.text[at - 1] = (char)key;
        return;
    }
    if (key == KEY_ENTER || key == KEY_SPACE) {
        const unsigned char code[CODE_BYTES] = {BACKSLASH, CODE_LETTER,
                                                key == KEY_ENTER ? CODE_NEW_LINE : CODE_BLANK};
        insert(c, t, id, code, CODE_BYTES);
        return;
    }
    if (key == BACKSLASH) {
        c.after_backslash = insert(c, t, id, LITERAL_BACKSLASH, CODE_BYTES);
        return;
    }
    if (key >= LEAD_MIN) {
        // The first byte of a double-byte character: only with room for both.
        if (length_of(t) + 2 > TYPED_TEXT_MAX) c.drop_next = true;
        else insert(c, t, id, &key, 1);
        return;
    }
    if (key < KEY_SPACE || key == DEL) return;   // control bytes would break the script line
    insert(c, t, id, &key, 1);
}

bool type_literal(text_caret_state& c, item& t, item_id id, const unsigned char* bytes, int n)
{
    c.after_backslash = false;
    if (n <= 0) return false;
    if (n == 1 && bytes[0] == BACKSLASH) return insert(c, t, id, LITERAL_BACKSLASH, CODE_BYTES);
    return insert(c, t, id, bytes, n);
}

void erase_before_caret(text_caret_state& c, item& t, item_id id)
{
    c.after_backslash = false;
    const int at = caret_at(c, t, id);
    if (at < 1) return;
    cut(c, t, id, char_start(t.text, length_of(t), at - 1), at);
}

void erase_after_caret(text_caret_state& c, item& t, item_id id)
{
    c.after_backslash = false;
    const int len = length_of(t);
    const int at = caret_at(c, t, id);
    if (at >= len) return;
    cut(c, t, id, at, at + char_bytes((const unsigned char*)t.text, at, len));
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
