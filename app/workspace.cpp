/*******************************************************************************
 * app/workspace.cpp - choosing the workspace and building the paths from it
 ******************************************************************************/
#include "app/workspace.h"
#include "model/settings.h"
#include "model/tables.h"
#include "command/script_reader.h"
#include "output/program_file.h"
#include "platform/file_write.h"
#include "platform/profile.h"
#include "platform/system.h"
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share (ends in '/').
std::string data_home()
{
    const char* xdg = getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return with_slash(xdg);
    const char* home = getenv("HOME");
    std::string h = home && home[0] ? home : "";
    if (h.empty()) {
        struct passwd* pw = getpwuid(getuid());
        if (pw && pw->pw_dir) h = pw->pw_dir;
    }
    return with_slash(h) + ".local/share/";
}

// Copy the demo files the workspace does not have yet; never overwrite one.
bool fill_from_demo(const std::string& demo, const std::string& dir, std::string& why)
{
    std::error_code ec;
    fs::copy(demo, dir, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) {
        why = "cannot copy the demo workspace into " + dir + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace

// Every path beside the workspace, the font files under their own folder.
void build_base_paths(const char* dir, const char* font_dir)
{
    copy_field(exe_dir, DIR_LEN, dir);
    char fonts[DIR_LEN];
    copy_field(fonts, DIR_LEN, font_dir ? font_dir : dir);
    static const char* const base = "Font/fonts/font_libs/";
    for (int slot = 0; slot < FONT_SIZE_SLOTS; slot++) {
        int size = slot < 13 ? slot + 12 : 32;
        char* hz = font_paths[slot][FONT_HZ];
        char* asc = font_paths[slot][FONT_ASC];
        switch (size) {
        case 12:
            format_field(hz, PATH_LEN, "%s%sHZK/12/HZK12", fonts, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC12_8", fonts, base);
            break;
        case 16:
            format_field(hz, PATH_LEN, "%s%sHZK/16/HZK16S", fonts, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC16_8", fonts, base);
            break;
        case 24:
            format_field(hz, PATH_LEN, "%s%sHZK/24/HZK24", fonts, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC24_12", fonts, base);
            break;
        case 32:
            format_field(hz, PATH_LEN, "%s%sHZK/32/HZK32", fonts, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC32_16", fonts, base);
            break;
        default:
            format_field(hz, PATH_LEN, "%s%sHZK/%d/HZK_S.Dzk", fonts, base, size);
            format_field(asc, PATH_LEN, "%s%sASC/%d/ASC_S.Dzk", fonts, base, size);
            break;
        }
    }
    format_field(logo_jpg_path, PATH_LEN, "%slogo.jpg", exe_dir);
    format_field(logo_bmp_path, PATH_LEN, "%slogo.bmp", exe_dir);
    format_field(vsn_path, PATH_LEN, "%sone_pic_effect.vsn", exe_dir);
    format_field(cfg_path, DIR_LEN, "%sSysCfg.ini", exe_dir);
}

namespace {

// The first thing wrong with the settings just read, naming the key and the file.
void check_settings()
{
    settings_problem[0] = 0;
    long v = 0;
    // Opened without blocking: a pipe in its place cannot hang the start.
    read_check check;
    int err = 0;
    const int fd = open_regular_file(cfg_path, check, err);
    if (fd < 0) {
        format_field(settings_problem, SETTINGS_PROBLEM_LEN, "%s cannot be read: no panel size (WIDTH, HEIGHT)",
                     cfg_path);
        return;
    }
    close(fd);
    if (panel_width() == 0)
        format_field(settings_problem, SETTINGS_PROBLEM_LEN, "WIDTH=%.40s in %s is not a panel width of %d to %d dots",
                     led_width, cfg_path, PANEL_MIN_DOTS, PANEL_MAX_DOTS);
    else if (panel_height() == 0)
        format_field(settings_problem, SETTINGS_PROBLEM_LEN,
                     "HEIGHT=%.40s in %s is not a panel height of %d to %d dots", led_height, cfg_path,
                     PANEL_MIN_DOTS, PANEL_MAX_DOTS);
    else if (!setting_number(program_id, 1, PROGRAM_ID_MAX, v))
        format_field(settings_problem, SETTINGS_PROBLEM_LEN, "PROGRAMID=%.40s in %s is not a program number of 1 to %ld",
                     program_id, cfg_path, PROGRAM_ID_MAX);
}

} // namespace

// The four settings keys, with their defaults when missing, then checked.
void read_settings()
{
    profile_read("LEDPARA", "WIDTH", "Error", led_width, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "HEIGHT", "Error", led_height, DIR_LEN, cfg_path);
    profile_read("RemotIP", "RemotIP", "Error", remote_ip, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "PROGRAMID", "1", program_id, DIR_LEN, cfg_path);
    check_settings();
}

// The current program's script and valve pictures.
void build_program_paths()
{
    // The program number names a folder: anything but a plain number names
    // none, so nothing is read from or written outside the workspace.
    long id = 0;
    if (!setting_number(program_id, 1, PROGRAM_ID_MAX, id)) {
        cmd_path[0] = 0;
        for (int k = 0; k < VALVE_PICTURES; k++) id_bmp_path[k][0] = 0;
        return;
    }
    format_field(cmd_path, PATH_LEN, "%sledsys/CMD%s/cmd.txt", exe_dir, program_id);
    for (int k = 0; k < VALVE_PICTURES; k++)
        format_field(id_bmp_path[k], PATH_LEN, "%sledsys/CMD%s/id_%d.bmp", exe_dir, program_id, k);
}

// Paths and settings of a workspace, before any window.
bool startup_paths(const char* dir, const char* font_dir)
{
    char found[DIR_LEN];
    if (!dir) {
        if (!exe_directory(found, sizeof found)) return false;
        dir = found;
    }
    build_base_paths(dir, font_dir);
    read_settings();
    build_program_paths();
    // Nothing of the new workspace is loaded yet, so nothing of it is kept back.
    last_script_report = script_report{};
    program_file_unusable = false;
    program_file_stamp = file_stamp{};
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

bool check_workspace_folder(const char* given, bool need_write, std::string& abs, std::string& why)
{
    if (!given || !given[0]) {
        why = "no workspace folder given";
        return false;
    }
    char real[PATH_MAX];
    if (!is_folder(given) || !realpath(given, real)) {
        why = std::string("the workspace folder ") + given + " does not exist or is not a folder";
        return false;
    }
    if (need_write && access(real, W_OK | X_OK) != 0) {
        why = std::string("the workspace folder ") + given + " cannot be written";
        return false;
    }
    abs = with_slash(real);
    if (abs.size() > (size_t)WORKSPACE_PATH_MAX) {
        why = std::string("the workspace folder name is too long: ") + given;
        return false;
    }
    return true;
}

bool choose_workspace(const char* given, const std::string& exe_dir, workspace_choice& out, std::string& why)
{
    out = workspace_choice();
    if (given) {
        if (!check_workspace_folder(given, true, out.dir, why)) return false;
    } else if (holds_workspace(with_slash(exe_dir)) && access(exe_dir.c_str(), W_OK | X_OK) == 0) {
        out.dir = with_slash(exe_dir);
    } else {
        std::string dir = data_home() + "lumiker/";
        if (!make_folders(dir)) {
            why = "cannot create the workspace folder " + dir;
            return false;
        }
        if (!holds_workspace(dir)) {
            std::string demo = share_folder(exe_dir) + "workspace/";
            out.from_demo = is_folder(demo);
            if (out.from_demo && !fill_from_demo(demo, dir, why)) return false;
            out.created = true;
        }
        if (!check_workspace_folder(dir.c_str(), true, out.dir, why)) return false;
    }
    if (out.dir.size() > (size_t)WORKSPACE_PATH_MAX) {
        why = "the workspace folder name is too long: " + out.dir;
        return false;
    }
    out.fonts = font_folder_for(out.dir, exe_dir);
    return true;
}
