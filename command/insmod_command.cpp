/*******************************************************************************
 * command/insmod_command.cpp - variables from "insmod" lines
 ******************************************************************************/
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "model/font_sizes.h"

int size_preset_of(int font_px)
{
    for (int k = 1; k <= SIZE_PRESET_COUNT; k++)
        if (SIZE_PRESETS[k].font_px == font_px) return k;
    return 0;
}

namespace {

bool free_register_slot(const document& d, int64_t slot)
{
    return range_of_slot(ITEM_TABLE_UNITS, (int)slot) == RANGE_REGISTER &&
           pool_at_slot(d.items, ITEM_TABLE_UNITS, (int)slot) == NO_ITEM;
}

// The slot of a register variable: see the header for the order of choice.
int16_t register_slot(const document& d, int64_t first_arg, int64_t code)
{
    const int64_t named = first_arg - INSMOD_RECORD_BASE;
    if (named >= 0 && named < SLOT_COUNT && free_register_slot(d, named)) return (int16_t)named;
    const int64_t home = REGISTER_HOME_BASE + code;
    if (home < SLOT_COUNT && free_register_slot(d, home)) return (int16_t)home;
    const slot_range& r = slot_ranges[RANGE_REGISTER];
    for (int i = r.first; i <= r.last; i++)
        if (free_register_slot(d, i)) return (int16_t)i;
    return NO_SLOT;
}

} // namespace

cmd_status insmod_command(cmd_context& c, int argc, cmd_arg_text* argv)
{
    const line_form& form = insmod_form();
    if (argc < form.count) return cmd_refuse(c, MSG_CMD_INSMOD_ARGS, form.count);
    note_unused_arguments(c, argc, form.count);
    const int64_t first = read_number(argv[0]);
    if (first >= INSMOD_EXTRA_BASE && first - INSMOD_EXTRA_BASE < SLOT_COUNT + 1)
        return CMD_DONE;  // extra line of a temperature or humidity item

    int64_t numbers[LINE_FIELDS_MAX] = {};
    if (!read_form(c, form, argc, argv, 0, numbers)) return CMD_REFUSED;
    const insmod_values v = insmod_from_numbers(numbers);
    item it;
    it.kind = KIND_VARIABLE;
    if (v.code < REGISTER_CODE_FIRST) {
        const int64_t s = first - INSMOD_RECORD_BASE;
        if (s < 0 || s >= SLOT_COUNT) return cmd_refuse(c, MSG_CMD_NO_RECORD, (long long)s);
        if (pool_at_slot(c.doc->items, ITEM_TABLE_UNITS, (int)s) != NO_ITEM)
            return cmd_refuse(c, MSG_CMD_RECORD_TAKEN, (long long)s);
        it.slot = (int16_t)s;
    } else {
        it.slot = register_slot(*c.doc, first, v.code);
        if (it.slot == NO_SLOT) return cmd_refuse(c, MSG_CMD_RANGE_FULL, slot_ranges[RANGE_REGISTER].noun);
        if (it.slot + INSMOD_RECORD_BASE != first) cmd_change(c, MSG_CMD_RESTORED_INTO, it.slot);
    }
    it.code = (int32_t)v.code;
    it.color = (uint8_t)v.color;
    it.x = (int32_t)v.x;
    it.y = (int32_t)v.y;
    it.digits = (int32_t)v.digits;
    it.size = (int32_t)v.size;
    it.thickness = (int32_t)v.thickness;
    it.data_type = (int32_t)v.data_type;
    it.decimals = (uint8_t)v.decimals;
    if (code_has_font_size(v.code)) {
        it.font_px = (int32_t)v.size;
        const int preset = size_preset_of(it.font_px);
        if (preset) it.size_preset = preset;
    }
    note_if_off_panel(c, it);
    item_id id = NO_ITEM;
    doc_create(*c.doc, it, id);
    return CMD_DONE;
}
