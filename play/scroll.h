/*******************************************************************************
 * play/scroll.h - where a scrolling text stands in its box, and which page
 *
 * The one place of the moving-text rules (the README's "Simulation" section
 * says them in words):
 *
 * - A text moves 4 x speed dots a second, in whole dots; a speed of 0 or less
 *   holds it still. At the start of the simulation the content stands where
 *   the designer shows it (its top-left corner on the box's).
 * - Left, right, up, down: the content wraps round. A copy follows the end of
 *   the content after a gap of one line height, and never sooner than a box
 *   length behind its start, so a short text crosses the box alone.
 * - Pages (direction 4): the content is cut into box-sized pages, whole lines
 *   per page from the top, and each row of pages from the left when a line is
 *   wider than the box. Each page holds as long as a text at that speed takes
 *   to cross the box (box width / (4 x speed) seconds), at least one second.
 * - Over-long text (5): still while its content fits the box's width,
 *   otherwise it moves left as direction 0.
 * - Remote pages (6): the text's register picks the page: 1 the first page,
 *   0 or a number past the last page an empty box; a register not known
 *   shows the first page.
 * - Switched texts (modes 2 and 3) show while their register holds a value
 *   other than 0, and while it is not known.
 *
 * Limits: sizes and speeds are 32-bit, times 64-bit milliseconds; sizes below
 *   one dot count as one.
 * Depends on: nothing.
 * Does NOT: lay the text out, clip or draw it, or read registers.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <optional>

enum scroll_direction : int {
    SCROLL_LEFT = 0, SCROLL_RIGHT = 1, SCROLL_UP = 2, SCROLL_DOWN = 3,
    SCROLL_PAGES = 4, SCROLL_OVERLONG = 5, SCROLL_REMOTE_PAGES = 6, SCROLL_DIRECTIONS = 7
};

// A scrolling text: its box, its laid-out content and how it moves.
struct scroll_text {
    int box_w = 1, box_h = 1;            // dots
    int content_w = 1, content_h = 1;    // dots
    int lines = 1;                       // lines of the content, of equal height
    int direction = SCROLL_LEFT;
    int speed = 0;
};

// Where the content stands: copies of it stand at (dx + k * step_x,
// dy + k * step_y) for k = 0, 1, ... while they reach into the box.
struct scroll_place {
    bool shown = true;      // false: the box is empty
    int dx = 0, dy = 0;     // the first copy's top-left corner from the box's (dots, <= 0)
    int step_x = 0, step_y = 0;   // the distance between copies; 0 for one copy
    int page = 0;           // the page shown, 0 the first
    int pages = 1;          // pages of the content (1 for moving texts)
};

// Where the content of `t` stands `ms` milliseconds after the start, with the
// text's register (remote pages) holding `reg`.
scroll_place scroll_at(const scroll_text& t, int64_t ms, std::optional<uint16_t> reg = std::nullopt);

// How long each page of `t` holds, in milliseconds (0: the first page stays).
int64_t scroll_page_ms(const scroll_text& t);

// Whether a text of `mode` (0..3) shows while its register holds `reg`.
bool scroll_text_shown(int mode, std::optional<uint16_t> reg);
