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
#include <cstdio>

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
    char buf[200];
    snprintf(buf, sizeof buf, "insmod %d %d led key %d %d %d %d %d %d %d %d %d\r\n", a0, a1, color,
             floor_div(x_px, led_pitch), floor_div(y_px, led_pitch), code, digits, size, thickness,
             data_type, decimals);
    out += buf;
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
    if (argc < 13) return cmd_refuse("missing arguments: an insmod line has 13");
    note_unused_arguments(argc, 13);
    int64_t first = read_number(argv[0]);
    if (first >= INSMOD_EXTRA_BASE && first - INSMOD_EXTRA_BASE < DIGIT_COUNT)
        return CMD_DONE;  // extra line of a temperature or humidity item

    int64_t v[13] = {};
    static const struct { int lo_kind; const char* what; } fields[13] = {
        {0, "record"}, {1, "second argument"}, {-1, ""}, {-1, ""}, {2, "colour"}, {3, "x"},
        {3, "y"}, {4, "component code"}, {1, "digits"}, {1, "size"}, {1, "thickness"},
        {1, "data type"}, {2, "decimals"}};
    for (int k = 0; k < 13; k++) {
        if (fields[k].lo_kind < 0) continue;
        int64_t lo = INT32_MIN, hi = INT32_MAX;
        if (fields[k].lo_kind == 0 || fields[k].lo_kind == 4) lo = 0;
        if (fields[k].lo_kind == 2) { lo = 0; hi = 255; }
        if (fields[k].lo_kind == 3) { lo = -SCRIPT_COORD_MAX; hi = SCRIPT_COORD_MAX; }
        v[k] = read_number(argv[k]);
        if (k == 1) continue;  // not read
        if (v[k] < lo || v[k] > hi)
            return cmd_refuse("%s %lld is out of range %lld..%lld", fields[k].what, (long long)v[k],
                              (long long)lo, (long long)hi);
        if (!is_number(argv[k]))
            cmd_change("%s \"%.24s\" is not a number, read as %lld", fields[k].what, argv[k], (long long)v[k]);
    }
    int64_t code = v[7];
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
        if (index < 0) return cmd_refuse("the register-variable range is full");
        if (index + INSMOD_RECORD_BASE != first) cmd_change("restored into record %d", index);
    }
    Digit_unit& d = digit_table[index];
    d.kind = KIND_VARIABLE;
    d.reg_addr = (int32_t)code;
    d.color = (uint8_t)v[4];
    d.x = dot_to_screen_x(v[5]);
    d.y = dot_to_screen_y(v[6]);
    d.digits = (int32_t)v[8];
    d.size = (int32_t)v[9];
    d.thickness = (int32_t)v[10];
    d.data_type = (int32_t)v[11];
    d.decimals = (uint8_t)v[12];
    if (code_has_font_size(code)) {
        d.font_px = (int32_t)v[9];
        int preset = size_preset_of(d.font_px);
        if (preset) d.size_preset = preset;
    }
    restore_digit_record(index);
    if (!item_in_panel(d.x, d.y)) cmd_change("position lies outside the panel; the item is not saved again");
    return CMD_DONE;
}
