/*******************************************************************************
 * model/palette.h - every palette cell keeps offering its item
 *
 * The tool palette offers each kind of item as a sample record standing at
 * the kind's palette place. Pulling the sample onto the panel normally
 * reveals the next record of the range in its place; but loading a script,
 * pasting or undoing can put a sample record itself on the panel and leave
 * its cell empty. refill_palette() finds such cells and gives each the next
 * free record of the kind's range, dressed as the kind's sample.
 *
 * Limits: a record is free when it is hidden and still where the default
 * layout put it, or was deleted (moved below the window); a full range leaves
 * its cell empty. A cell counts as offered while any shown record of its
 * kind stands left of the panel.
 * Depends on: model/tables, model/default_layout, raster/canvas (panel origin).
 * Does NOT: draw, select anything, or touch records on the panel.
 ******************************************************************************/
#pragma once

// Remember the default layout's samples (the default layout calls this last).
void remember_palette_samples();

// Give every empty palette cell a fresh record; returns how many were placed.
// Call after loading, pasting and undoing.
int refill_palette();

// The first free record of a range (hidden and untouched since the default
// layout, or deleted), or -1 when the range is full. The same for texts.
int palette_free_record(int range);
int palette_free_text();
