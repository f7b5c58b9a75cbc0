/*******************************************************************************
 * edit/simulate.h - the panel playing in the designer
 *
 * F7 and the "模拟运行" button switch the simulation on and off. While it is
 * on the panel plays from the workspace's values (its values file and the
 * PLC it names, play/values.h), editing is paused (edit/keys.cpp refuses
 * the keys that would edit), and a click on a register variable, a
 * register-switched text or a remote-pages text asks for its register's
 * value, which goes into the values file. The status line says where the
 * values come from and what is wrong with them.
 *
 * Limits: a typed value fits the variable's type (decode_format) or is
 * refused with the reason.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw (app/frame.cpp draws from play/engine) or poll the PLC
 * (play/values does, in its own thread).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"

// Open the workspace's values (its file in folder `dir` and its PLC).
void simulation_open(editor& e, const std::string& dir);
// F7, "模拟运行": on or off.
void simulation_toggle(editor& e);
// After the events of a frame: the status line follows the values' state.
void simulation_follow(editor& e);
// A press while the panel plays: a register item asks for its value; the
// rest of the panel takes no edit. True when the press was used up.
bool simulation_press(editor& e, int x, int y);
