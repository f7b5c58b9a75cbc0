/*******************************************************************************
 * model/button_rows.h - the window's rows of tool buttons
 *
 * Gives the delete, command, align and span rows their labels and places:
 * only the slots set here are drawn and react to presses.
 ******************************************************************************/
#pragma once

// Place and label the tool-button rows and reset the align row's press state.
void layout_button_rows();
