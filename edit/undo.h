/*******************************************************************************
 * edit/undo.h - undo and redo of layout changes
 *
 * The layout is the item tables. After every event the loop asks for a
 * checkpoint: while no button is held, the tables are compared with the copy
 * kept at the last checkpoint, and every record whose layout differs goes
 * into a new step as its state before and after. A run of typing into one
 * text is one step. Undo puts the records of the last step back as they were
 * before it; redo as they were after it; a new change drops what could be
 * redone.
 *
 * Zoom and selection are not steps: a checkpoint that sees the zoom changed
 * only takes the new copy, and the selection, hover and pressed states are
 * never compared or restored. Each step keeps the zoom it was taken at; put
 * back at another zoom, its pixel positions and sizes on the panel are
 * scaled to the zoom of the moment, so dots stay where they were.
 *
 * Limits: UNDO_STEPS steps and UNDO_UNIT_RECORDS / UNDO_TEXT_RECORDS changed
 * records over all steps, in rings allocated once; the oldest steps go
 * first. A single change larger than a ring empties the history.
 * Depends on: model/tables.h, model/settings.h, edit/state.h, edit/status.h,
 * raster/canvas.h (panel origin).
 * Does NOT: touch the files (saving is not a step and undo saves nothing),
 * or decide when an action ends (the loop checkpoints after each event).
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int UNDO_STEPS = 256;          // steps kept, at least 200
constexpr int UNDO_UNIT_RECORDS = 2048;  // changed Digit_unit records kept over all steps
constexpr int UNDO_TEXT_RECORDS = 2048;  // changed string_draw records kept over all steps

// Forget every step and take the tables as they are now as the starting point.
void undo_reset();
// After an event: record what changed since the last checkpoint as a step.
void undo_checkpoint();
// The next text change starts a step of its own (a paste is not part of a typing run).
void undo_end_typing_run();
// Ctrl+Z: put the last step back. False when there is none.
bool undo_step();
// Ctrl+Y, Ctrl+Shift+Z: do the last undone step again. False when there is none.
bool redo_step();
// Counts every change of the layout a checkpoint, undo or redo has seen:
// when it moves, the layout may differ from the one last saved.
uint32_t undo_changes();
// Steps that can be undone and redone now.
int undo_depth();
int redo_depth();
