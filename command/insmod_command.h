/*******************************************************************************
 * command/insmod_command.h - the `insmod` command and the insmod line writer
 *
 * "insmod A B led key COLOR X Y CODE DIGITS SIZE THICKNESS TYPE DECIMALS"
 * restores one variable item (Digit_unit of kind 8). A is the record index
 * + INSMOD_RECORD_BASE; CODE is the component code. Codes below
 * REGISTER_CODE_FIRST go into the record A names. Register variables go into
 * the record A names when it is a free variable record, else into the code's
 * home record REGISTER_HOME_BASE + CODE when that is a free register-range
 * record, else into the first free register-range
 * record: two variables of one register never collapse into one record and
 * no other item is overwritten.
 *
 * The two extra lines written after a temperature or humidity item (first
 * argument record index + INSMOD_EXTRA_BASE) are recognised and skipped: the
 * main line restores the item.
 *
 * The fields, their names and bounds are the insmod form of model/line_forms,
 * which the export writes from too; cmd_interp writes through the same form.
 *
 * Depends on: command/led_command (shared load state, form reading),
 * model/line_forms, model/geometry.
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"
#include "model/line_forms.h"
#include <cstdint>
#include <string>


// The dispatcher's handler for "insmod" lines.
int32_t insmod_command(int32_t context, int32_t argc, cmd_arg_text* argv, int32_t extra);

// size_preset of a weekday or wind item for its font size (12, 16, 24, 32,
// 48, 64 give 1 to 6, the sizes the size buttons step through), or 0.
int size_preset_of(int font_px);

// The interpreter object: writes "insmod" lines for the export.
class cmd_unit {
public:
    virtual ~cmd_unit() {}
    // Append "insmod a0 a1 led key color x y code v1 .. v5" and CR LF, with
    // x and y given in pixels and divided by led_pitch (rounding down).
    void write_insmod(std::string& out, int a0, int a1, int color, int x_px, int y_px, int code,
                      int digits, int size, int thickness, int data_type, int decimals) const;
};
extern cmd_unit cmd_interp;
