/*******************************************************************************
 * platform/profile.cpp - settings file reading and writing
 ******************************************************************************/
#include "platform/profile.h"
#include "platform/file_write.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

constexpr long MAX_PROFILE_BYTES = 1 << 20;

// One physical line: its text without the ending, and the ending itself.
struct line {
    std::string text;
    std::string eol;
};

bool load(const char* path, std::vector<line>& lines)
{
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    std::string all;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) {
        all.append(buf, n);
        if ((long)all.size() > MAX_PROFILE_BYTES) break;
    }
    fclose(f);
    // Too large to hold: read nothing, and never write it back cut.
    if ((long)all.size() > MAX_PROFILE_BYTES) return false;
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

bool profile_write(const char* section, const char* key, const char* value, const char* path)
{
    if (!section || !key || !value || !path) return false;
    std::vector<line> lines;
    FILE* probe = fopen(path, "rb");
    if (probe) {
        fclose(probe);
        if (!load(path, lines)) return false;  // an existing file we cannot hold is kept
    }
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
    std::string all;
    for (const line& l : lines) all += l.text + l.eol;
    std::string why;
    return replace_file(path, all, why);
}
