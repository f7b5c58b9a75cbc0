/*******************************************************************************
 * items/palette.h - the tool palette: captions, frame and a sample of each item
 *
 * The palette at the left of the window offers every item the user can
 * place. It is a view, not part of the document: each sample is a template
 * item drawn at a fixed window position, under a caption. Pulling a sample
 * onto the panel creates a new item from it (and, for the leading parts of
 * the date and the time, the parts that follow it); the sample stays.
 *
 * A sample's code can follow the new item's slot, as each slot of those
 * ranges always had its own: a register variable's register, a text's
 * register, a rectangle's, filled rectangle's (its pattern) and valve's
 * (its picture) number.
 *
 * Limits: PALETTE_SAMPLES samples; their positions are window pixels.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: create items (edit/ does, through the document), or know which
 * kinds are full.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"

constexpr int PALETTE_LEFT = 25;           // the palette's frame runs from here
constexpr int PALETTE_RIGHT = 225;         // to here, window pixels
constexpr int PALETTE_TOP = 145;           // its first line, window pixels

enum palette_sample_id : int {
    SAMPLE_YEAR, SAMPLE_MONTH, SAMPLE_DAY,
    SAMPLE_LUNAR_YEAR, SAMPLE_LUNAR_MONTH, SAMPLE_LUNAR_DAY,
    SAMPLE_WEEKDAY,
    SAMPLE_HOUR, SAMPLE_MINUTE, SAMPLE_SECOND,
    SAMPLE_VALVE, SAMPLE_TEXT, SAMPLE_REGISTER, SAMPLE_TABLE, SAMPLE_SAFETY, SAMPLE_WIND, SAMPLE_COUNTER,
    SAMPLE_CIRCLE, SAMPLE_RECT, SAMPLE_BLOCK, SAMPLE_LINE, SAMPLE_VLINE, SAMPLE_FILLED_CIRCLE, SAMPLE_FILLED_RECT,
    PALETTE_SAMPLES
};

struct palette_sample {
    palette_sample_id id;
    int32_t x, y;             // window pixel of the sample's corner (a circle's centre)
    item sample;              // the item it creates (position and slot aside)
    int follows;              // the sample this part follows in a date or time, or -1
    int gap;                  // dots between that one and this
    bool code_from_slot;      // the new item's code is its slot's place in its range + code_base
    int32_t code_base;
};

// The samples, indexed by palette_sample_id.
const palette_sample& palette_sample_of(int id);

// The sample under window pixel (px, py) at `pitch`, or -1.
int palette_sample_at(int px, int py, int pitch);

// The code a new item made from sample `id` with slot `slot` takes.
int32_t palette_code_for(int id, int slot);

// Draw the palette's frame lines, captions and samples at `pitch`; the
// samples that show the clock only `with_clock_samples` (the item layers
// keep those apart, to paint them again when the clock moves on).
void draw_palette(const document& d, int pitch, const local_time& now, bool with_clock_samples);

// The samples that show the clock, in order: their ids into `out` (at most
// `cap`); returns how many.
int palette_clock_samples(int* out, int cap);
