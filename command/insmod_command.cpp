/*******************************************************************************
 * command/insmod_command.cpp - variable items from "insmod" lines
 ******************************************************************************/
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "model/default_layout.h"
#include "model/font_sizes.h"
#include "model/settings.h"
#include "model/tables.h"
#include "model/geometry.h"

cmd_unit cmd_interp;

int size_preset_of(int font_px)
{
    for (int k = 1; k <= SIZE_PRESET_COUNT; k++)
        if (SIZE_PRESETS[k].font_px == font_px) return k;
    return 0;
}

void cmd_unit::write_insmod(std::string& out, int a0, int a1, int color, int x_px, int y_px, int code,
                            int digits, int size, int thickness, int data_type, int decimals) const
{
    write_insmod_line(out, {a0, a1, color, floor_div(x_px, led_pitch), floor_div(y_px, led_pitch), code, digits,
                            size, thickness, data_type, decimals});
}

namespace {

// Register variables live in the register range only.
bool register_range_record(int index)
{
    return range_of_record(index) == RANGE_REGISTER;
}

// Record of a register variable: see the header for the order of choice.
int register_record(int64_t first_arg, int64_t code)
{
    int64_t named = first_arg - INSMOD_RECORD_BASE;
    if (named >= 0 && named < DIGIT_COUNT && register_range_record((int)named) && !load.digit_restored[named])
        return (int)named;
    const record_range& rg = digit_ranges[RANGE_REGISTER];
    int64_t placed = REGISTER_HOME_BASE + code;
    if (placed >= rg.first && placed <= rg.last && !load.digit_restored[placed]) return (int)placed;
    for (int i = rg.first; i <= rg.last; i++)
        if (!load.digit_restored[i]) return i;
    return -1;
}

} // namespace

int32_t insmod_command(int32_t, int32_t argc, cmd_arg_text* argv, int32_t)
{
    const line_form& form = insmod_form();
    if (argc < form.count) return cmd_refuse("missing arguments: an insmod line has %d", form.count);
    note_unused_arguments(argc, form.count);
    int64_t first = read_number(argv[0]);
    if (first >= INSMOD_EXTRA_BASE && first - INSMOD_EXTRA_BASE < DIGIT_COUNT)
        return CMD_DONE;  // extra line of a temperature or humidity item

    int64_t numbers[LINE_FIELDS_MAX] = {};
    if (!read_form(form, argc, argv, 0, numbers)) return CMD_REFUSED;
    const insmod_values v = insmod_from_numbers(numbers);
    const int64_t code = v.code;
    int index;
    if (code < REGISTER_CODE_FIRST) {
        int64_t r = first - INSMOD_RECORD_BASE;
        if (r < 0 || r >= DIGIT_COUNT || r == NO_ITEM)
            return cmd_refuse("record %lld does not exist", (long long)r);
        if (load.digit_restored[r])
            return cmd_refuse("record %lld already holds an item of an earlier line", (long long)r);
        index = (int)r;
    } else {
        index = register_record(first, code);
        if (index < 0) return cmd_refuse("the %s range is full", form_of(KIND_VARIABLE).range_noun);
        if (index + INSMOD_RECORD_BASE != first) cmd_change("restored into record %d", index);
    }
    Digit_unit& d = digit_table[index];
    d.kind = KIND_VARIABLE;
    d.reg_addr = (int32_t)code;
    d.color = (uint8_t)v.color;
    d.x = dot_to_screen_x(v.x);
    d.y = dot_to_screen_y(v.y);
    d.digits = (int32_t)v.digits;
    d.size = (int32_t)v.size;
    d.thickness = (int32_t)v.thickness;
    d.data_type = (int32_t)v.data_type;
    d.decimals = (uint8_t)v.decimals;
    if (code_has_font_size(code)) {
        d.font_px = (int32_t)v.size;
        int preset = size_preset_of(d.font_px);
        if (preset) d.size_preset = preset;
    }
    restore_digit_record(index);
    if (!item_in_panel(d.x, d.y)) cmd_change("position lies outside the panel; the item is not saved again");
    return CMD_DONE;
}
