/*******************************************************************************
 * play/engine.h - what each item of the layout shows at one moment
 *
 * The one place that decides what an item shows beyond its still design
 * look. A caller describes the moment (play_moment: a value source, which
 * may be null, the milliseconds since the simulation started, the local
 * time, and whether it is simulating) and asks for each item's play_show;
 * items/ draws from it (item_draw_ctx::show). A designer calls play_item()
 * every frame for every item it draws: it is cheap (no allocation, no
 * file or network; the lunar date is converted once a day) and needs no
 * state of the caller's.
 *
 * Simulating (play_moment::simulating):
 * - a register-switched text (modes 2 and 3) shows while its register holds
 *   a value other than 0 (and while it is not known: play/scroll);
 * - a scrolling text (modes 1 and 3) stands where play/scroll puts it at
 *   `ms`, from its box, its content laid out as the designer measures it
 *   (model/text_measure), its direction and speed; remote pages (direction
 *   6) take the page from its register;
 * - with a value source, a variable of a holding register (codes 41 and up,
 *   register code - 40 and, for 32-bit types, the next one), a counter
 *   (codes 0..4: counters 1..5), a safe-production counter (codes 22..39:
 *   1..18), the temperature (11) or the humidity (13) shows the cells
 *   play/decode makes of the source's value by its data type, digits and
 *   decimals; a value not known shows dashes.
 * Always, designing too:
 * - the lunar year, month and day fields (codes 17..19) show the lunar date
 *   of the local time (play/lunar), their lowest digits with leading zeros
 *   as the clock fields show theirs.
 * Everything else shows its design look: texts stand still and show,
 * variables without a source (and codes 12, 14, 15, 21, 40) read 888888,
 * clock, weekday and wind fields show what they show today.
 *
 * A register of a text: its code r is holding register r + 1 (4x4(r+1)), as
 * the designer's description names it.
 *
 * The stamp: a 64-bit number made from what the item shows that the moment
 * decides (its visibility, placement, cells, and the clock, weekday or lunar
 * value of those fields). It is the same whenever that is the same, and
 * differs when it changes (a hash: two different pictures sharing a stamp is
 * a 1 in 2^64 chance). A frame may repaint only the items whose stamp moved;
 * an edit of the item itself is the caller's to notice.
 *
 * Limits: registers 1..65536; times are 64-bit milliseconds; lunar dates of
 *   civil years 1..9999 (other years keep the design look).
 * Depends on: platform/system (local_time), model/ (items, the document,
 *   text measurement), play/scroll, play/decode, play/lunar, play/values.
 * Does NOT: draw, read the clock (the caller passes the time), keep state
 *   between calls beyond the lunar date of the last day asked, or poll the
 *   PLC (the value source does).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "play/decode.h"
#include "play/scroll.h"
#include "platform/system.h"
#include <cstdint>
#include <vector>

class values_source;

// The moment a frame shows.
struct play_moment {
    const values_source* values = nullptr;   // null: no values (variables keep their design look)
    int64_t ms = 0;                          // since the simulation started
    local_time now = {};                     // for clock, weekday and lunar fields
    bool simulating = false;                 // false: the designer's still picture
};

// What one item shows at a moment, beyond its fields.
struct play_show {
    bool shown = true;          // false: the item draws nothing (a switched text off)
    bool placed = false;        // a scrolling text: its content stands at `place`, clipped to its box
    scroll_place place;
    bool has_cells = false;     // a variable: draw `cells` instead of its design look
    decode_cells cells;         // point before cell item.decimals when cells.point
    uint64_t stamp = 0;         // changes exactly when the above (or a clock value) changes
};

// What item `it` shows at moment `m`.
play_show play_item(const item& it, const play_moment& m);

// What every item of `d` shows at `m`, indexed by item id (ITEM_CAPACITY
// entries; free cells get the default).
void play_document(const document& d, const play_moment& m, std::vector<play_show>& by_id);

// True when every item looks as it did (play_document's looks with the
// same stamps): nothing needs drawing again.
bool play_same_looks(const std::vector<play_show>& a, const std::vector<play_show>& b);

// The first holding register an item reads (a register variable, a switched
// or remote-pages text), and how its value shows (`f`); 0 when it reads none.
int play_item_register(const item& it, decode_format& f);

// The holding registers (1-based) the items of `d` read while simulating,
// each once, in increasing order: what a PLC should be asked for.
std::vector<int> play_registers(const document& d);

// The field of `t` that a clock code (5..10) or the weekday (16) shows; 0
// for other codes.
uint32_t play_clock_field(const local_time& t, int code);

// The lunar field (codes 17..19) of the date of `t`; false when the code is
// none of them or the date cannot be converted.
bool play_lunar_field(const local_time& t, int code, uint32_t& out);

// `t` moved on by `seconds` (the weekday follows); a time that is not a
// calendar date stays as it is.
local_time play_time_after(const local_time& t, int64_t seconds);
