/*******************************************************************************
 * platform/profile.cpp - settings file reading and writing
 ******************************************************************************/
#include "platform/profile.h"
#include "platform/file_write.h"
#include <cerrno>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

constexpr size_t MAX_PROFILE_BYTES = 1 << 20;

// One physical line: its text without the ending, and the ending itself.
struct line {
    std::string text;
    std::string eol;
};

// Read the whole file (a regular file of at most MAX_PROFILE_BYTES).
outcome read_all(const char* path, std::string& all, bool& missing)
{
    return read_whole_file(path, MAX_PROFILE_BYTES, all, &missing);
}

// Split a file's text into lines with their endings.
void split_lines(const std::string& all, std::vector<line>& lines)
{
    size_t i = 0;
    while (i < all.size()) {
        size_t j = i;
        while (j < all.size() && all[j] != '\n' && all[j] != '\r') j++;
        line l;
        l.text = all.substr(i, j - i);
        if (j < all.size()) {
            if (all[j] == '\r' && j + 1 < all.size() && all[j + 1] == '\n') l.eol = "\r\n";
            else l.eol = all.substr(j, 1);
        }
        i = j + l.eol.size();
        lines.push_back(l);
    }
}

// The lines of an existing, readable file; false for anything else.
bool load(const char* path, std::vector<line>& lines)
{
    std::string all;
    bool missing = false;
    if (!read_all(path, all, missing)) return false;
    split_lines(all, lines);
    return true;
}

std::string trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    // A UTF-8 byte-order mark (only ever at the start of the file) reads as a blank.
    if (s.compare(0, 3, "\xEF\xBB\xBF") == 0) a = 3;
    while (a < b && (s[a] == ' ' || s[a] == '\t')) a++;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) b--;
    return s.substr(a, b - a);
}

// The section name of a "[name]" line, or false for any other line.
bool section_of(const std::string& text, std::string& name)
{
    std::string t = trim(text);
    if (t.size() < 2 || t[0] != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line, or false.
bool entry_of(const std::string& text, std::string& key, std::string& value)
{
    size_t eq = text.find('=');
    if (eq == std::string::npos) return false;
    key = trim(text.substr(0, eq));
    if (key.empty() || key[0] == ';') return false;
    value = trim(text.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return true;
}

bool same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

} // namespace

size_t profile_read(const char* section, const char* key, const char* def,
                    char* out, size_t cap, const char* path)
{
    if (!out || cap == 0) return 0;
    std::string result = def ? def : "";
    std::vector<line> lines;
    if (section && key && path && load(path, lines)) {
        bool in_section = false;
        for (const line& l : lines) {
            std::string name, k, v;
            if (section_of(l.text, name)) {
                if (in_section) break;  // only the first section of that name counts
                in_section = same(name, section);
                continue;
            }
            if (in_section && entry_of(l.text, k, v) && same(k, key)) { result = v; break; }
        }
    }
    size_t n = result.size() < cap - 1 ? result.size() : cap - 1;
    memcpy(out, result.data(), n);
    out[n] = 0;
    return n;
}

outcome profile_can_update(const char* path)
{
    std::string all;
    bool missing = false;
    outcome o = read_all(path, all, missing);
    return o || missing ? outcome_ok() : o;
}

outcome profile_write(const char* section, const char* key, const char* value, const char* path)
{
    if (!section || !key || !value || !path)
        return outcome_fail(MSG_FILE_WRITE_FAILED, path ? path : "", file_error_text(EINVAL).c_str());
    // Only a missing file starts empty: one that is there but cannot be read
    // whole is kept as it is.
    std::string all;
    bool missing = false;
    outcome read = read_all(path, all, missing);
    if (!read && !missing) return read;
    std::vector<line> lines;
    split_lines(all, lines);
    std::string eol = "\r\n";
    for (const line& l : lines)
        if (!l.eol.empty()) { eol = l.eol; break; }

    const std::string new_entry = std::string(key) + "=" + value;
    int sec_start = -1, last_in_sec = -1;
    bool in_section = false, done = false;
    for (size_t i = 0; i < lines.size() && !done; i++) {
        std::string name, k, v;
        if (section_of(lines[i].text, name)) {
            if (in_section) break;  // the first matching section ended
            in_section = same(name, section);
            if (in_section) { sec_start = (int)i; last_in_sec = (int)i; }
            continue;
        }
        if (!in_section) continue;
        if (!trim(lines[i].text).empty()) last_in_sec = (int)i;
        if (entry_of(lines[i].text, k, v) && same(k, key)) {
            lines[i].text = new_entry;
            done = true;
        }
    }
    if (!done) {
        if (sec_start < 0) {
            if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;
            lines.push_back({std::string("[") + section + "]", eol});
            lines.push_back({new_entry, eol});
        } else {
            line l{new_entry, eol};
            if (lines[last_in_sec].eol.empty()) lines[last_in_sec].eol = eol;
            lines.insert(lines.begin() + last_in_sec + 1, l);
        }
    }
    all.clear();
    for (const line& l : lines) all += l.text + l.eol;
    return replace_file(path, all);
}
