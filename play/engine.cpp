/*******************************************************************************
 * play/engine.cpp - an item's look at a moment: texts, variables, lunar fields
 *
 * Sections: the stamp | clock and lunar fields | texts | variables | items and
 * the document
 ******************************************************************************/
#include "play/engine.h"
#include "platform/hash.h"
#include "model/text_measure.h"
#include "play/lunar.h"
#include "play/values.h"
#include "platform/modbus_poll.h"
#include <algorithm>
#include <cstring>
#include <ctime>

// ---- the stamp -------------------------------------------------------------------------

namespace {

// The stamp of a look and of the clock value its field shows.
uint64_t stamp_of(const play_show& s, int64_t clock_value)
{
    fnv_hash h;
    // Every value as 64 bits, so a stamp does not depend on field types.
    auto add = [&](int64_t v) { h.with(v); };
    add(s.shown);
    add(s.placed);
    if (s.placed) {
        const scroll_place& p = s.place;
        for (int64_t v : {(int64_t)p.shown, (int64_t)p.dx, (int64_t)p.dy, (int64_t)p.step_x, (int64_t)p.step_y,
                          (int64_t)p.page})
            add(v);
    }
    add(s.has_cells);
    if (s.has_cells) {
        const decode_cells& c = s.cells;
        for (int i = 0; i < c.count; i++) add(c.cell[i]);
        for (int64_t v : {(int64_t)c.count, (int64_t)c.sign_cell, (int64_t)c.minus, (int64_t)c.point}) add(v);
    }
    add(clock_value);
    return h.h;
}

} // namespace

// ---- clock and lunar fields ------------------------------------------------------------

namespace {

constexpr int CIVIL_YEAR_BASE = 1900;   // struct tm counts years from here
constexpr int NOON = 12;                // the hour a date is reckoned at (no daylight-saving edge)
constexpr int SECONDS_PER_MINUTE = 60, SECONDS_PER_HOUR = 3600, SECONDS_PER_DAY = 86400;

// The lunar date of the last civil day asked, kept so that a frame's many
// fields cost one conversion a day.
struct lunar_memo {
    bool asked = false;
    int year = 0, month = 0, day = 0;
    bool ok = false;
    lunar_date date;
};

} // namespace

uint32_t play_clock_field(const local_time& t, int code)
{
    int v = 0;
    switch (code) {
    case CODE_YEAR: v = t.year; break;
    case CODE_MONTH: v = t.month; break;
    case CODE_DAY: v = t.day; break;
    case CODE_HOUR: v = t.hour; break;
    case CODE_MINUTE: v = t.minute; break;
    case CODE_SECOND: v = t.second; break;
    case CODE_WEEKDAY: v = t.weekday; break;
    default: break;
    }
    return v < 0 ? 0u : (uint32_t)v;
}

bool play_lunar_field(const local_time& t, int code, uint32_t& out)
{
    if (code < CODE_LUNAR_YEAR || code > CODE_LUNAR_DAY) return false;
    thread_local lunar_memo memo;
    if (!memo.asked || memo.year != t.year || memo.month != t.month || memo.day != t.day) {
        memo.asked = true;
        memo.year = t.year;
        memo.month = t.month;
        memo.day = t.day;
        memo.ok = (bool)lunar_from_civil(t.year, t.month, t.day, memo.date);
    }
    if (!memo.ok) return false;
    out = lunar_field(memo.date, code);
    return true;
}

local_time play_time_after(const local_time& t, int64_t seconds)
{
    struct tm tm = {};
    tm.tm_year = t.year - CIVIL_YEAR_BASE;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = NOON;
    const time_t noon = timegm(&tm);
    if (noon == (time_t)-1) return t;
    // Whole days from the date, then the time of day, all in UTC: local
    // clocks that skip or repeat an hour do not touch the fields' arithmetic.
    const int64_t of_day = (int64_t)t.hour * SECONDS_PER_HOUR + t.minute * SECONDS_PER_MINUTE + t.second + seconds;
    int64_t days = of_day / SECONDS_PER_DAY, rest = of_day % SECONDS_PER_DAY;
    if (rest < 0) rest += SECONDS_PER_DAY, days--;
    const time_t then = noon + (time_t)(days * SECONDS_PER_DAY);
    struct tm d;
    if (!gmtime_r(&then, &d)) return t;
    return {d.tm_year + CIVIL_YEAR_BASE, d.tm_mon + 1, d.tm_mday, (int)(rest / SECONDS_PER_HOUR),
            (int)(rest / SECONDS_PER_MINUTE % SECONDS_PER_MINUTE), (int)(rest % SECONDS_PER_MINUTE), d.tm_wday};
}

// ---- texts --------------------------------------------------------------------------------

namespace {

// The holding register of a text's register code.
int text_register(const item& t) { return t.code + 1; }

// Whether a text reads its register while simulating: switched, or remote pages.
bool text_reads_register(const item& t)
{
    return t.mode == TEXT_STATIC_SWITCHED || t.mode == TEXT_SCROLLING_SWITCHED ||
           ((t.mode & TEXT_SCROLLING) && t.direction == SCROLL_REMOTE_PAGES);
}

// The word of register n, when the moment has a source that knows it.
std::optional<uint16_t> holding(const play_moment& m, int n)
{
    if (!m.values || n < 1 || n > MODBUS_REGISTER_MAX) return std::nullopt;
    return m.values->holding(n);
}

void text_show(const item& t, const play_moment& m, play_show& s)
{
    if (!m.simulating) return;
    const std::optional<uint16_t> reg = text_reads_register(t) ? holding(m, text_register(t)) : std::nullopt;
    s.shown = scroll_text_shown(t.mode, reg);
    if (!(t.mode & TEXT_SCROLLING)) return;
    const text_extent e = measure_text_dots(t.text, t.font_size);
    scroll_text st;
    st.box_w = t.w;
    st.box_h = t.h;
    st.content_w = (int)std::min<int64_t>(e.w, INT32_MAX);
    st.content_h = (int)std::min<int64_t>(e.h, INT32_MAX);
    st.lines = e.lines;
    st.direction = t.direction;
    st.speed = t.speed;
    s.placed = true;
    s.place = scroll_at(st, m.ms, reg);
}

} // namespace

// ---- variables ------------------------------------------------------------------------------

namespace {

constexpr int COUNTER_FIRST = 1;                     // code 0 is counter 1
constexpr int SAFETY_FIRST = 1;                      // code 22 is safe-production counter 1

// The register a register variable reads first, or 0 for other codes.
int variable_register(const item& v) { return v.code > REGISTER_CODE_BASE ? v.code - REGISTER_CODE_BASE : 0; }

// The cells of a variable's value from the source; false for the codes no
// source answers.
bool source_cells(const item& v, const play_moment& m, const decode_format& f, decode_cells& out)
{
    const values_source& src = *m.values;
    if (v.code >= 0 && v.code <= CODE_COUNTER_LAST) {
        out = decode_integer(f, src.counter(v.code + COUNTER_FIRST));
    } else if (v.code >= SAFETY_CODE_FIRST && v.code <= SAFETY_CODE_LAST) {
        out = decode_integer(f, src.safety(v.code - SAFETY_CODE_FIRST + SAFETY_FIRST));
    } else if (v.code == CODE_TEMPERATURE) {
        out = decode_real(f, src.temperature());
    } else if (v.code == CODE_HUMIDITY) {
        out = decode_real(f, src.humidity());
    } else if (const int n = variable_register(v)) {
        uint16_t words[2];
        bool known = true;
        for (int i = 0; i < decode_word_count(v.data_type); i++) {
            const std::optional<uint16_t> w = holding(m, n + i);
            if (w) words[i] = *w;
            else known = false;
        }
        out = decode_register(f, known ? words : nullptr);
    } else {
        return false;
    }
    return true;
}

// How a variable's cells show its value.
decode_format variable_format(const item& v)
{
    decode_format f;
    f.type = v.data_type;
    f.digits = v.digits;
    f.point_before = v.decimals;
    return f;
}

// What a variable shows; the clock value its stamp covers goes to `clock`.
void variable_show(const item& v, const play_moment& m, play_show& s, int64_t& clock)
{
    if (v.digits < 1 || v.digits > DECODE_MAX_CELLS) return;   // nothing drawn, as designed
    decode_format f = variable_format(v);
    uint32_t lunar = 0;
    if (play_lunar_field(m.now, v.code, lunar)) {
        f.type = DECODE_U16_ZEROS;   // the lowest digits, leading zeros shown, like the clock fields
        s.has_cells = true;
        s.cells = decode_integer(f, (int64_t)lunar);
        clock = lunar;
        return;
    }
    if ((v.code >= CODE_YEAR && v.code <= CODE_SECOND) || v.code == CODE_WEEKDAY) {
        clock = play_clock_field(m.now, v.code);
        return;
    }
    if (m.simulating && m.values) s.has_cells = source_cells(v, m, f, s.cells);
}

} // namespace

// ---- items and the document -------------------------------------------------------------------

play_show play_item(const item& it, const play_moment& m)
{
    play_show s;
    int64_t clock = 0;
    if (it.kind == KIND_TEXT) text_show(it, m, s);
    else if (it.kind == KIND_VARIABLE) variable_show(it, m, s, clock);
    s.stamp = stamp_of(s, clock);
    return s;
}

void play_document(const document& d, const play_moment& m, std::vector<play_show>& by_id)
{
    by_id.assign(ITEM_CAPACITY, play_show());
    doc_walk_drawing_order(d, [&](item_id id, const item& it) { by_id[id] = play_item(it, m); });
}

int play_item_register(const item& it, decode_format& f)
{
    if (it.kind == KIND_TEXT && text_reads_register(it)) {
        f = decode_format{};
        f.digits = DECODE_MAX_CELLS;
        return text_register(it);
    }
    if (it.kind != KIND_VARIABLE) return 0;
    f = variable_format(it);
    return variable_register(it);
}

bool play_same_looks(const std::vector<play_show>& a, const std::vector<play_show>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].stamp != b[i].stamp) return false;
    return true;
}

std::vector<int> play_registers(const document& d)
{
    std::vector<int> regs;
    doc_walk_drawing_order(d, [&](item_id, const item& it) {
        decode_format f;
        const int n = play_item_register(it, f);
        for (int i = 0; n && i < decode_word_count(f.type); i++)
            if (n + i <= MODBUS_REGISTER_MAX) regs.push_back(n + i);
    });
    std::sort(regs.begin(), regs.end());
    regs.erase(std::unique(regs.begin(), regs.end()), regs.end());
    return regs;
}
