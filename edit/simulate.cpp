/*******************************************************************************
 * edit/simulate.cpp - the panel playing in the designer
 ******************************************************************************/
#include "edit/simulate.h"
#include "edit/hit_test.h"
#include "play/engine.h"
#include "platform/screen.h"
#include "platform/system.h"
#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned char KEY_CTRL_A = 1, KEY_CTRL_L = 12, KEY_CTRL_Q = 17, KEY_CTRL_S = 19;

void say(const outcome& o) { report(REPORT_STATUS, o); }

// The register a click on this item sets, and how its variable shows it; 0: none.
int register_of(const item& it, decode_format& f)
{
    if (it.kind == KIND_VARIABLE && it.code >= REGISTER_CODE_FIRST) {
        f.type = it.data_type;
        f.digits = it.digits;
        f.point_before = it.decimals;
        return it.code - REGISTER_CODE_BASE;
    }
    if (it.kind == KIND_TEXT && (it.mode == TEXT_STATIC_SWITCHED || it.mode == TEXT_SCROLLING_SWITCHED)) {
        f = decode_format{};
        f.digits = DECODE_MAX_CELLS;
        return (uint8_t)it.code + 1;   // a text's register r is 4x4(r + 1)
    }
    return 0;
}

// The number typed: its words go to the register and the one after it.
void answer_value(editor& e, int choice)
{
    prompt_state& p = e.ui.prompt;
    if (choice != 0 || !e.ui.sim.values) return;
    char* end = nullptr;
    const double v = strtod(p.entry_text, &end);
    if (!p.entry_text[0] || !end || *end) {
        say(outcome_fail(MSG_SIM_VALUE_NOT_NUMBER, p.entry_text));
        return;
    }
    decode_format f;
    f.type = p.entry_type;
    f.digits = p.entry_digits;
    f.point_before = p.entry_point;
    uint16_t words[2] = {};
    const int n = encode_register(f, v, words);
    if (n == 0) {
        say(outcome_fail(MSG_SIM_VALUE_TOO_WIDE, p.entry_text));
        return;
    }
    for (int k = 0; k < n; k++) {
        const outcome o = e.ui.sim.values->set_register(p.entry_about + k, words[k]);
        if (!o) {
            say(o);
            return;
        }
    }
    say(outcome{true, msg(MSG_SIM_VALUE_SET, p.entry_about, p.entry_text)});
}

} // namespace

void simulation_open(editor& e, const std::string& dir)
{
    simulation& s = e.ui.sim;
    s.values.reset(new values_workspace());
    const outcome o = s.values->open(dir);
    if (!o.why.empty()) report(REPORT_STDERR, o);
}

void simulation_toggle(editor& e)
{
    simulation& s = e.ui.sim;
    s.on = !s.on;
    s.state_shown.clear();
    if (!s.on) {
        status_show(e.ui.status, STATUS_INFO, msg(MSG_SIM_OFF).c_str());
        return;
    }
    s.start_us = now_micros();
    // Editing pauses: nothing stays picked, nothing is typed into.
    e.ui.current = NO_ITEM;
    e.ui.group.reset();
    e.ui.gesture = GESTURE_NONE;
    if (s.values) s.values->watch(play_registers(e.doc));
    simulation_follow(e);
}

void simulation_follow(editor& e)
{
    simulation& s = e.ui.sim;
    if (!s.on || !s.values) return;
    const std::string state = s.values->state_line();
    if (state == s.state_shown) return;
    s.state_shown = state;
    status_show(e.ui.status, s.values->state_ok() ? STATUS_INFO : STATUS_ERROR, msg(MSG_SIM_ON, state.c_str()).c_str());
}

bool simulation_press(editor& e, int x, int y)
{
    if (!e.ui.sim.on) return false;
    const item_id id = item_under(e, x, y);
    const item* it = doc_item(e.doc, id);
    decode_format f;
    const int reg = it ? register_of(*it, f) : 0;
    if (!it) return view_in_area(e.v, x, y);
    if (reg == 0) {
        say(outcome_fail(MSG_SIM_NOT_A_REGISTER, VALUES_FILE_NAME));
        return true;
    }
    static const msg_id labels[] = {MSG_PROMPT_SET, MSG_PROMPT_CANCEL};
    prompt_open(e.ui.prompt, msg(MSG_SIM_TYPE_VALUE, reg), labels, 2, 0, 1, answer_value);
    prompt_state& p = e.ui.prompt;
    p.entry = true;
    p.entry_about = reg;
    p.entry_type = f.type;
    p.entry_digits = f.digits;
    p.entry_point = f.point_before;
    return true;
}

bool simulation_refuses_key(editor& e, unsigned char key)
{
    if (!e.ui.sim.on) return false;
    // The view may still move, and Ctrl+S still saves and closes.
    if (key == KEY_CTRL_A || key == KEY_CTRL_L || key == KEY_CTRL_Q || key == KEY_CTRL_S) return false;
    if (key == ' ' || key == '0') return false;
    say(outcome_fail(MSG_SIM_EDIT_PAUSED));
    return true;
}
