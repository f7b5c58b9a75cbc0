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

void say(const outcome& o) { report(REPORT_STATUS, o); }

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
    uint16_t words[2] = {};
    const int n = encode_register(p.entry_format, v, words);
    if (n == 0) {
        say(outcome_fail(MSG_SIM_VALUE_TOO_WIDE, p.entry_text));
        return;
    }
    const outcome o = e.ui.sim.values->set_registers(p.entry_about, words, n);
    // A note (the PLC's values still show) says more than "set".
    say(!o || !o.why.empty() ? o : outcome_note(MSG_SIM_VALUE_SET, p.entry_about, p.entry_text));
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
    const int reg = it ? play_item_register(*it, f) : 0;
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
    p.entry_format = f;
    return true;
}
