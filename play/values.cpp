/*******************************************************************************
 * play/values.cpp - the values file, and the PLC behind it
 *
 * Sections: lines and numbers | reading | setting a register | answers
 ******************************************************************************/
#include "play/values.h"
#include "platform/file_write.h"
#include "platform/modbus_poll.h"
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

// ---- lines and numbers ---------------------------------------------------------------

namespace {

constexpr size_t VALUES_FILE_MAX = 1 << 20;
constexpr int WORD_MIN = -32768, WORD_MAX = 65535;
constexpr int PORT_MAX = 65535, UNIT_MAX = 255;
constexpr int DECIMAL = 10, HEX = 16;
constexpr const char* REGISTER_PREFIX = "4x4";   // 4x40005 is register 5
constexpr const char* BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr const char* NEW_FILE_HEAD = "; 模拟数值（UTF-8）：寄存器 n 即 4x4n，例如 5=1234 是 4x40005";

enum section_id { SEC_NONE, SEC_REGISTERS, SEC_COUNTERS, SEC_SENSORS, SEC_SAFETY, SEC_MODBUS, SEC_UNKNOWN };

// One line of the file: its text, its ending, and the section it stands in.
struct line {
    std::string text, eol;
    section_id section;
};

// `s` without the blanks around it (and a byte-order mark in front).
std::string trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    if (s.compare(0, strlen(BYTE_ORDER_MARK), BYTE_ORDER_MARK) == 0) a = strlen(BYTE_ORDER_MARK);
    while (a < b && (s[a] == ' ' || s[a] == '\t')) a++;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) b--;
    return s.substr(a, b - a);
}

// True for lines that say nothing: blank, or a comment.
bool is_silent(const std::string& t) { return t.empty() || t[0] == ';' || t[0] == '#'; }

// True for a section header "[name]" (trimmed).
bool is_header(const std::string& t) { return t.size() >= 2 && t.front() == '[' && t.back() == ']'; }

// The section a header names (case does not matter).
section_id section_named(const std::string& name)
{
    static const struct { const char* name; section_id id; } names[] = {
        {"registers", SEC_REGISTERS}, {"counters", SEC_COUNTERS}, {"sensors", SEC_SENSORS},
        {"safety", SEC_SAFETY}, {"modbus", SEC_MODBUS}};
    for (const auto& n : names)
        if (strcasecmp(n.name, name.c_str()) == 0) return n.id;
    return SEC_UNKNOWN;
}

// Split the file into lines, each with the section it stands in.
std::vector<line> split(const std::string& all)
{
    std::vector<line> lines;
    section_id section = SEC_NONE;
    size_t i = 0;
    while (i < all.size()) {
        size_t j = i;
        while (j < all.size() && all[j] != '\n' && all[j] != '\r') j++;
        line l{all.substr(i, j - i), "", section};
        if (j < all.size()) l.eol = all[j] == '\r' && j + 1 < all.size() && all[j + 1] == '\n' ? "\r\n" : all.substr(j, 1);
        const std::string t = trim(l.text);
        if (is_header(t)) section = l.section = section_named(trim(t.substr(1, t.size() - 2)));
        i = j + l.eol.size();
        lines.push_back(l);
    }
    return lines;
}

// A whole number written in decimal (with a sign) or in hex (0x...).
bool parse_integer(const std::string& s, int64_t& out)
{
    if (s.empty()) return false;
    const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    errno = 0;
    char* end = nullptr;
    const long long v = strtoll(s.c_str(), &end, hex ? HEX : DECIMAL);
    if (errno != 0 || *end != '\0' || end == s.c_str()) return false;
    out = v;
    return true;
}

// A finite real number, and nothing after it.
bool parse_real(const std::string& s, double& out)
{
    if (s.empty()) return false;
    char* end = nullptr;
    const double v = strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// A register number: n or 4x4n, 1..65536.
bool parse_register(const std::string& key, int& n)
{
    std::string digits = key;
    if (strncasecmp(key.c_str(), REGISTER_PREFIX, strlen(REGISTER_PREFIX)) == 0) digits = key.substr(strlen(REGISTER_PREFIX));
    int64_t v;
    if (digits.empty() || digits[0] == '-' || digits[0] == '+' || !parse_integer(digits, v)) return false;
    if (v < 1 || v > MODBUS_REGISTER_MAX) return false;
    n = (int)v;
    return true;
}

// A number k in 1..count.
bool parse_index(const std::string& key, int count, int& k)
{
    int64_t v;
    if (!parse_integer(key, v) || v < 1 || v > count) return false;
    k = (int)v;
    return true;
}

// Where a comment after a value starts: at a ';' or '#' that follows a blank
// (std::string::npos when there is none).
size_t trailing_comment(const std::string& t)
{
    for (size_t i = 1; i < t.size(); i++)
        if ((t[i] == ';' || t[i] == '#') && (t[i - 1] == ' ' || t[i - 1] == '\t')) {
            while (i > 0 && (t[i - 1] == ' ' || t[i - 1] == '\t')) i--;
            return i;
        }
    return std::string::npos;
}

// Split "key=value ; comment" into its trimmed key and value.
bool key_value(const std::string& t, std::string& key, std::string& value)
{
    const size_t eq = t.find('='), comment = trailing_comment(t);
    if (eq == std::string::npos || (comment != std::string::npos && comment < eq)) return false;
    const std::string body = t.substr(0, comment);
    key = trim(body.substr(0, eq));
    value = trim(body.substr(eq + 1));
    return !key.empty();
}

} // namespace

// ---- reading -------------------------------------------------------------------------------

values_workspace::values_workspace() = default;
values_workspace::~values_workspace() = default;

outcome values_workspace::open(const std::string& dir)
{
    return open_file(dir.empty() || dir.back() == '/' ? dir + VALUES_FILE_NAME : dir + "/" + VALUES_FILE_NAME);
}

void values_workspace::use_plc(const std::string& host, int port)
{
    modbus_settings s = plc_settings_ ? *plc_settings_ : modbus_settings();
    s.host = host;
    s.port = port;
    plc_.reset();
    plc_.reset(new modbus_poller(s));
    plc_period_ms_ = s.period_ms;
}

outcome values_workspace::open_file(const std::string& path)
{
    plc_.reset();
    plc_settings_.reset();
    registers_.clear();
    for (auto& c : counters_) c.reset();
    for (auto& s : safety_) s.reset();
    temperature_.reset();
    humidity_.reset();
    path_ = path;

    std::string all;
    bool missing = false;
    const outcome read = read_whole_file(path_.c_str(), VALUES_FILE_MAX, all, &missing);
    file_exists_ = read.ok;
    if (!file_exists_) return missing ? outcome_ok() : read;

    modbus_settings plc;
    int first_bad = 0;
    const std::vector<line> lines = split(all);
    for (size_t i = 0; i < lines.size(); i++) {
        const std::string t = trim(lines[i].text);
        if (is_silent(t)) continue;
        if (is_header(t)) {
            if (lines[i].section == SEC_UNKNOWN && !first_bad) first_bad = (int)i + 1;
            continue;
        }
        if (lines[i].section == SEC_UNKNOWN) continue;   // named at its header
        std::string key, value;
        int64_t v = 0;
        double real = 0;
        int k = 0;
        bool good = key_value(t, key, value);
        switch (good ? lines[i].section : SEC_NONE) {
        case SEC_REGISTERS:
            good = parse_register(key, k) && parse_integer(value, v) && v >= WORD_MIN && v <= WORD_MAX;
            if (good) registers_[k] = (uint16_t)v;
            break;
        case SEC_COUNTERS:
            good = parse_index(key, VALUES_COUNTERS, k) && parse_integer(value, v);
            if (good) counters_[k - 1] = v;
            break;
        case SEC_SAFETY:
            good = parse_index(key, VALUES_SAFETY, k) && parse_integer(value, v);
            if (good) safety_[k - 1] = v;
            break;
        case SEC_SENSORS:
            good = parse_real(value, real);
            if (good && strcasecmp(key.c_str(), "temperature") == 0) temperature_ = real;
            else if (good && strcasecmp(key.c_str(), "humidity") == 0) humidity_ = real;
            else good = false;
            break;
        case SEC_MODBUS:
            if (strcasecmp(key.c_str(), "host") == 0) plc.host = value;
            else if (strcasecmp(key.c_str(), "port") == 0) good = parse_integer(value, v) && v >= 1 && v <= PORT_MAX;
            else if (strcasecmp(key.c_str(), "unit") == 0) good = parse_integer(value, v) && v >= 0 && v <= UNIT_MAX;
            else if (strcasecmp(key.c_str(), "period_ms") == 0)
                good = parse_integer(value, v) && v >= MODBUS_PERIOD_MIN_MS && v <= MODBUS_PERIOD_MAX_MS;
            else good = false;
            if (good && strcasecmp(key.c_str(), "port") == 0) plc.port = (int)v;
            if (good && strcasecmp(key.c_str(), "unit") == 0) plc.unit = (int)v;
            if (good && strcasecmp(key.c_str(), "period_ms") == 0) plc.period_ms = (int)v;
            break;
        default:
            good = false;   // a value outside any section, or no "key=value"
            break;
        }
        if (!good && !first_bad) first_bad = (int)i + 1;
    }
    plc_settings_.reset(new modbus_settings(plc));
    if (!plc.host.empty()) plc_.reset(new modbus_poller(plc));
    plc_period_ms_ = plc.period_ms;
    return first_bad ? outcome_note(MSG_VALUES_BAD_LINE, path_.c_str(), first_bad) : outcome_ok();
}

void values_workspace::watch(const std::vector<int>& registers)
{
    if (plc_) plc_->watch(registers);
}

// ---- setting a register ------------------------------------------------------------------

outcome values_workspace::set_register(int n, uint16_t word) { return set_registers(n, &word, 1); }

outcome values_workspace::set_registers(int n, const uint16_t* words, int count)
{
    for (int k = 0; k < count; k++)
        if (n + k < 1 || n + k > MODBUS_REGISTER_MAX) return outcome_fail(MSG_VALUES_BAD_REGISTER, n + k);
    std::string all;
    bool missing = false;
    const outcome read = read_whole_file(path_.c_str(), VALUES_FILE_MAX, all, &missing);
    if (!read && !missing) return read;
    std::vector<line> lines = split(all);
    const std::string eol = lines.empty() || lines[0].eol.empty() ? "\n" : lines[0].eol;
    if (missing) lines.push_back(line{NEW_FILE_HEAD, eol, SEC_NONE});
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;

    for (int r = n; r < n + count; r++) {
        const std::string entry = std::to_string(r) + "=" + std::to_string(words[r - n]);
        bool replaced = false;
        size_t after = lines.size();   // where a new entry goes: after the section's last entry
        for (size_t i = 0; i < lines.size(); i++) {
            if (lines[i].section != SEC_REGISTERS) continue;
            const std::string t = trim(lines[i].text);
            std::string key, value;
            int k = 0;
            const bool entry_line = !is_silent(t) && key_value(t, key, value);
            if (is_header(t) || entry_line) after = i + 1;
            if (entry_line && parse_register(key, k) && k == r) {
                const size_t comment = trailing_comment(lines[i].text);
                lines[i].text = entry + (comment == std::string::npos ? "" : lines[i].text.substr(comment));
                replaced = true;
            }
        }
        if (!replaced && after == lines.size() && (lines.empty() || lines.back().section != SEC_REGISTERS)) {
            lines.push_back(line{"[registers]", eol, SEC_REGISTERS});
            after = lines.size();
        }
        if (!replaced) lines.insert(lines.begin() + (long)after, line{entry, eol, SEC_REGISTERS});
    }

    std::string out;
    for (const line& l : lines) out += l.text + l.eol;
    const outcome written = replace_file(path_.c_str(), out);
    if (!written) return written;
    file_exists_ = true;
    for (int k = 0; k < count; k++) registers_[n + k] = words[k];
    return plc_ ? outcome_note(MSG_VALUES_SAVED_PLC, path_.c_str()) : outcome_ok();
}

// ---- answers -------------------------------------------------------------------------------

std::optional<uint16_t> values_workspace::holding(int n) const
{
    if (plc_) return plc_->holding(n);
    const auto it = registers_.find(n);
    if (it == registers_.end()) return std::nullopt;
    return it->second;
}

std::optional<int64_t> values_workspace::counter(int k) const
{
    return k >= 1 && k <= VALUES_COUNTERS ? counters_[k - 1] : std::nullopt;
}

std::optional<int64_t> values_workspace::safety(int k) const
{
    return k >= 1 && k <= VALUES_SAFETY ? safety_[k - 1] : std::nullopt;
}

std::optional<double> values_workspace::temperature() const { return temperature_; }
std::optional<double> values_workspace::humidity() const { return humidity_; }

bool values_workspace::state_ok() const { return !plc_ || plc_->healthy(); }

std::string values_workspace::state_line() const
{
    if (plc_) return plc_->state_line();
    return msg(file_exists_ ? MSG_VALUES_FROM_FILE : MSG_VALUES_NO_FILE, VALUES_FILE_NAME);
}
