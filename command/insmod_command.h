/*******************************************************************************
 * command/insmod_command.h - the `insmod` command
 *
 * "insmod A B led key COLOR X Y CODE DIGITS SIZE THICKNESS TYPE DECIMALS"
 * restores one variable. A is the slot + INSMOD_RECORD_BASE; CODE is the
 * component code. Codes below REGISTER_CODE_FIRST go into the slot A names.
 * Register variables go into the slot A names when it is a free slot of the
 * register range, else into the code's home slot REGISTER_HOME_BASE + CODE
 * when that is a free register slot, else into the first free register slot:
 * two variables of one register never collapse into one and no other item is
 * taken over.
 *
 * The two extra lines written after a temperature or humidity item (first
 * argument slot + INSMOD_EXTRA_BASE) are recognised and skipped: the main
 * line restores the item.
 *
 * The fields, their names and bounds are the insmod form of model/kind_forms,
 * which the export writes from too.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read files, keep anything of the two extra lines, or restore the
 * other kinds (their `led` lines do).
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"

// The dispatcher's handler for "insmod" lines.
cmd_status insmod_command(cmd_context& c, int argc, cmd_arg_text* argv);

// size_preset of a weekday or wind item for its font size (12, 16, 24, 32,
// 48, 64 give 1 to 6, the sizes the size buttons step through), or 0.
int size_preset_of(int font_px);
