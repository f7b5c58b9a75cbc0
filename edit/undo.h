/*******************************************************************************
 * edit/undo.h - undo and redo of layout changes
 *
 * The layout is the document's items. After every event the loop asks for a
 * checkpoint: while no button is held, the items are compared with the copy
 * kept at the last checkpoint, and every item that differs (or came or went)
 * goes into a new step as its state before and after, whole. A run of typing
 * into one text is one step. Undo puts the items of the last step back as
 * they were before it, in the same pool cells; redo as they were after it; a
 * new change drops what could be redone.
 *
 * Zoom and selection are not steps: they are not the document's.
 *
 * Limits: UNDO_STEPS steps and UNDO_RECORDS changed items over all steps, in
 * rings allocated once; the oldest steps go first. A single change larger
 * than the ring empties the history.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: touch the files (saving is not a step and undo saves nothing),
 * or decide when an action ends (the caller says whether one is under way).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include <cstdint>
#include <memory>

constexpr int UNDO_STEPS = 256;      // steps kept, at least 200
constexpr int UNDO_RECORDS = 2048;   // changed items kept over all steps

struct undo_history;
struct undo_history_free {
    void operator()(undo_history* h) const;
};
typedef std::unique_ptr<undo_history, undo_history_free> undo_history_ptr;

// A history allocated once for a document.
undo_history_ptr undo_make();

// Forget every step and take the document as it is now as the starting point.
void undo_reset(undo_history& h, const document& d);
// After an event: record what changed since the last checkpoint as a step
// (nothing while `under_way`, a press or drag not yet ended).
void undo_checkpoint(undo_history& h, const document& d, bool under_way = false);
// The next text change starts a step of its own (a paste is not part of a typing run).
void undo_end_typing_run(undo_history& h);
// Ctrl+Z: put the last step back. False when there is none.
bool undo_step(undo_history& h, document& d);
// Ctrl+Y, Ctrl+Shift+Z: do the last undone step again. False when there is none.
bool redo_step(undo_history& h, document& d);
// Steps that can be undone and redone now.
int undo_depth(const undo_history& h);
int redo_depth(const undo_history& h);
// Counts every change of the layout a checkpoint, undo or redo has seen:
// when it moves, the layout may differ from the one last saved.
uint32_t undo_changes(const undo_history& h);
