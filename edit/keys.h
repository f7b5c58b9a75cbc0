/*******************************************************************************
 * edit/keys.h - the keyboard and special-key callbacks
 *
 * Typing into the current text, zoom, copy and paste, delete, the selection
 * modes, the save key and nudging by one dot.
 ******************************************************************************/
#pragma once
#include <cstdint>

extern uint8_t copy_pending;
extern int32_t thickness_cycle;

// GLUT keyboard callback: one key byte (Ctrl+letter gives 1..26).
void on_key(unsigned char key, int x, int y);
// GLUT special-key callback: function, arrow and paging keys.
void on_special_key(int key, int x, int y);
