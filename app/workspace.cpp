/*******************************************************************************
 * app/workspace.cpp - choosing the workspace and building the paths from it
 ******************************************************************************/
#include "app/workspace.h"
#include "model/font_sizes.h"
#include "output/script_export.h"
#include "platform/file_write.h"
#include "platform/hash.h"
#include "platform/profile.h"
#include "platform/system.h"
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool is_folder(const std::string& p)
{
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_file(const std::string& p)
{
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string with_slash(std::string p)
{
    if (p.empty() || p.back() != '/') p += '/';
    return p;
}

// True when `dir` (ending in '/') holds a workspace: a settings file or program folders.
bool holds_workspace(const std::string& dir)
{
    return is_file(dir + "SysCfg.ini") || is_folder(dir + "ledsys");
}

bool has_fonts(const std::string& dir) { return is_folder(dir + "Font/fonts/font_libs"); }

// An XDG base folder: the variable when it is an absolute path, else
// `fallback` under the home folder (ends in '/').
std::string xdg_home(const char* variable, const char* fallback)
{
    const char* xdg = getenv(variable);
    if (xdg && xdg[0] == '/') return with_slash(xdg);
    const char* home = getenv("HOME");
    std::string h = home && home[0] ? home : "";
    if (h.empty()) {
        struct passwd* pw = getpwuid(getuid());
        if (pw && pw->pw_dir) h = pw->pw_dir;
    }
    return with_slash(h) + fallback;
}

// $XDG_DATA_HOME, else ~/.local/share/.
std::string data_home() { return xdg_home("XDG_DATA_HOME", ".local/share/"); }

constexpr int CACHE_NAME_LEN = 16;   // hexadecimal digits of a workspace's cache folder name

// Copy the demo files the workspace does not have yet; never overwrite one.
outcome fill_from_demo(const std::string& demo, const std::string& dir)
{
    std::error_code ec;
    fs::copy(demo, dir, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) return outcome_fail(MSG_WS_DEMO_COPY_FAILED, dir.c_str(), ec.message().c_str());
    return outcome_ok();
}

constexpr const char* FONT_BASE = "Font/fonts/font_libs/";
constexpr const char* NEW_PROGRAM_FOLDER = "ledsys/CMD1/";   // program 1, as a new workspace's settings say
constexpr int FONT_SIZE_FIRST = 12;

} // namespace

// Every path beside the workspace, the font files under their own folder.
void build_base_paths(doc_paths& p, const char* dir, const char* font_dir)
{
    p.dir = dir ? dir : "";
    const std::string fonts = std::string(font_dir ? font_dir : p.dir.c_str()) + FONT_BASE;
    for (int slot = 0; slot < FONT_SIZE_SLOTS; slot++) {
        const int size = slot == FONT_SLOT_32 ? 32 : slot + FONT_SIZE_FIRST;
        std::string& hz = p.fonts[slot][FONT_HZ];
        std::string& asc = p.fonts[slot][FONT_ASC];
        switch (size) {
        case 12: hz = fonts + "HZK/12/HZK12"; asc = fonts + "ASC/ASC12_8"; break;
        case 16: hz = fonts + "HZK/16/HZK16S"; asc = fonts + "ASC/ASC16_8"; break;
        case 24: hz = fonts + "HZK/24/HZK24"; asc = fonts + "ASC/ASC24_12"; break;
        case 32: hz = fonts + "HZK/32/HZK32"; asc = fonts + "ASC/ASC32_16"; break;
        default:
            hz = fonts + "HZK/" + std::to_string(size) + "/HZK_S.Dzk";
            asc = fonts + "ASC/" + std::to_string(size) + "/ASC_S.Dzk";
            break;
        }
    }
    p.logo_jpg = p.dir + "logo.jpg";
    p.logo_bmp = p.dir + "logo.bmp";
    p.vsn = p.dir + "one_pic_effect.vsn";
    p.cfg = p.dir + "SysCfg.ini";
}

namespace {

constexpr int SETTING_TEXT_MAX = 260;   // bytes of a settings value read

// The first thing wrong with the settings just read, naming the key and the file.
void check_settings(document& d)
{
    doc_settings& s = d.settings;
    const char* cfg = d.paths.cfg.c_str();
    s.problem.clear();
    s.panel_w = panel_dots(s.width_text);
    s.panel_h = panel_dots(s.height_text);
    long v = 0;
    FILE* f = fopen_regular(cfg);
    if (!f) {
        s.problem = msg(MSG_SETTINGS_UNREADABLE, cfg);
        return;
    }
    fclose(f);
    if (s.panel_w == 0)
        s.problem = msg(MSG_SETTINGS_WIDTH, cfg, s.width_text.c_str(), PANEL_MIN_DOTS, PANEL_MAX_DOTS);
    else if (s.panel_h == 0)
        s.problem = msg(MSG_SETTINGS_HEIGHT, cfg, s.height_text.c_str(), PANEL_MIN_DOTS, PANEL_MAX_DOTS);
    else if (!setting_number(s.program_id.c_str(), 1, PROGRAM_ID_MAX, v))
        s.problem = msg(MSG_SETTINGS_PROGRAM, cfg, s.program_id.c_str(), PROGRAM_ID_MAX);
}

std::string read_key(const document& d, const char* section, const char* key, const char* def)
{
    char text[SETTING_TEXT_MAX];
    profile_read(section, key, def, text, sizeof text, d.paths.cfg.c_str());
    return text;
}

} // namespace

// The four settings keys, with their defaults when missing, then checked.
void read_settings(document& d)
{
    d.settings.width_text = read_key(d, "LEDPARA", "WIDTH", "Error");
    d.settings.height_text = read_key(d, "LEDPARA", "HEIGHT", "Error");
    d.settings.remote_ip = read_key(d, "RemotIP", "RemotIP", "Error");
    d.settings.program_id = read_key(d, "LEDPARA", "PROGRAMID", "1");
    check_settings(d);
}

// The current program's script and valve pictures.
void build_program_paths(document& d)
{
    // The program number names a folder: anything but a plain number names
    // none, so nothing is read from or written outside the workspace.
    long id = 0;
    doc_paths& p = d.paths;
    if (!setting_number(d.settings.program_id.c_str(), 1, PROGRAM_ID_MAX, id)) {
        p.cmd.clear();
        for (std::string& v : p.valves) v.clear();
        return;
    }
    const std::string folder = p.dir + "ledsys/CMD" + d.settings.program_id + "/";
    p.cmd = folder + "cmd.txt";
    for (int k = 0; k < VALVE_PICTURES; k++) p.valves[k] = folder + "id_" + std::to_string(k) + ".bmp";
}

// Paths and settings of a workspace, before any window.
bool startup_paths(document& d, const char* dir, const char* font_dir)
{
    char found[PATH_MAX];
    if (!dir) {
        if (!exe_directory(found, sizeof found)) return false;
        dir = found;
    }
    build_base_paths(d.paths, dir, font_dir);
    read_settings(d);
    build_program_paths(d);
    // Nothing of the new workspace is loaded yet, so nothing of it is kept back.
    d.script = script_report{};
    d.program_file_unusable = false;
    d.program_file_stamp = file_stamp{};
    return true;
}

std::string share_folder(const std::string& exe_dir)
{
    std::string share = with_slash(exe_dir) + "../share/lumiker/";
    char real[PATH_MAX];
    if (realpath(share.c_str(), real)) return with_slash(real);
    return share;
}

std::string font_folder_for(const std::string& workspace, const std::string& exe_dir)
{
    const std::string candidates[] = {with_slash(workspace), with_slash(exe_dir), share_folder(exe_dir)};
    for (const std::string& c : candidates)
        if (has_fonts(c)) return c;
    return with_slash(workspace);
}

std::string picture_cache_folder(const std::string& workspace)
{
    const std::string key = with_slash(workspace);
    const uint64_t h = fnv_hash().add(key.data(), key.size()).h;
    char name[CACHE_NAME_LEN + 1];
    snprintf(name, sizeof name, "%0*llx", CACHE_NAME_LEN, (unsigned long long)h);
    return xdg_home("XDG_CACHE_HOME", ".cache/") + "lumiker/" + name + "/";
}

outcome make_new_workspace(const std::string& dir, int width, int height)
{
    const std::string d = with_slash(dir);
    if (holds_workspace(d)) return outcome_fail(MSG_WS_NEW_EXISTS, dir.c_str(), dir.c_str());
    const std::string program = d + NEW_PROGRAM_FOLDER;
    if (!make_folders(program)) return outcome_fail(MSG_WS_CANNOT_CREATE, program.c_str());
    // The settings as the demo lays them out; no controller address yet.
    const std::string settings = "[LEDPARA]\r\nWIDTH=" + std::to_string(width) + "\r\nHEIGHT=" +
                                 std::to_string(height) + "\r\nPROGRAMID=1\r\n[RemotIP]\r\nRemotIP=\r\n"
                                 "[NetSyc]\r\nSyc_Update=0\r\n";
    // An empty layout, as a save of a layout without items writes it.
    const std::unique_ptr<document> empty(new document());
    outcome o = replace_file((program + "cmd.txt").c_str(), script_text(*empty));
    if (o) o = replace_file((d + "SysCfg.ini").c_str(), settings);
    if (!o) return outcome_fail(MSG_WS_NEW_FAILED, dir.c_str(), o.why.c_str());
    return outcome_ok();
}

outcome check_workspace_folder(const char* given, bool need_write, std::string& abs)
{
    if (!given || !given[0]) return outcome_fail(MSG_WS_NONE_GIVEN);
    char real[PATH_MAX];
    if (!is_folder(given) || !realpath(given, real)) return outcome_fail(MSG_WS_NOT_FOLDER, given);
    if (need_write && access(real, W_OK | X_OK) != 0) return outcome_fail(MSG_WS_NOT_WRITABLE, given);
    abs = with_slash(real);
    if (abs.size() > (size_t)WORKSPACE_PATH_MAX) return outcome_fail(MSG_WS_NAME_TOO_LONG, given);
    return outcome_ok();
}

outcome choose_workspace(const char* given, const std::string& exe_dir, workspace_choice& out)
{
    out = workspace_choice();
    if (given) {
        outcome o = check_workspace_folder(given, true, out.dir);
        if (!o) return o;
    } else if (holds_workspace(with_slash(exe_dir)) && access(exe_dir.c_str(), W_OK | X_OK) == 0) {
        out.dir = with_slash(exe_dir);
    } else {
        const std::string dir = data_home() + "lumiker/";
        if (!make_folders(dir)) return outcome_fail(MSG_WS_CANNOT_CREATE, dir.c_str());
        if (!holds_workspace(dir)) {
            const std::string demo = share_folder(exe_dir) + "workspace/";
            out.from_demo = is_folder(demo);
            if (out.from_demo) {
                outcome o = fill_from_demo(demo, dir);
                if (!o) return o;
            }
            out.created = true;
        }
        outcome o = check_workspace_folder(dir.c_str(), true, out.dir);
        if (!o) return o;
    }
    if (out.dir.size() > (size_t)WORKSPACE_PATH_MAX) return outcome_fail(MSG_WS_NAME_TOO_LONG, out.dir.c_str());
    out.fonts = font_folder_for(out.dir, exe_dir);
    return outcome_ok();
}
