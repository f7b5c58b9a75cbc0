/*******************************************************************************
 * app/startup.cpp - the start-up sequence
 ******************************************************************************/
#include "app/startup.h"
#include "app/frame.h"
#include "edit/keys.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "edit/status.h"
#include "items/digits.h"
#include "model/palette.h"
#include "model/settings.h"
#include "model/tables.h"
#include "command/script_reader.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "platform/file_write.h"
#include "platform/pic_convert.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <GL/freeglut.h>
#include <cstdio>
#include <cstring>
#include <string>

void build_base_paths(const char* dir)
{
    copy_field(exe_dir, DIR_LEN, dir);
    static const char* const base = "Font/fonts/font_libs/";
    for (int slot = 0; slot < FONT_SIZE_SLOTS; slot++) {
        int size = slot < 13 ? slot + 12 : 32;
        char* hz = font_paths[slot][FONT_HZ];
        char* asc = font_paths[slot][FONT_ASC];
        switch (size) {
        case 12:
            format_field(hz, PATH_LEN, "%s%sHZK/12/HZK12", exe_dir, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC12_8", exe_dir, base);
            break;
        case 16:
            format_field(hz, PATH_LEN, "%s%sHZK/16/HZK16S", exe_dir, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC16_8", exe_dir, base);
            break;
        case 24:
            format_field(hz, PATH_LEN, "%s%sHZK/24/HZK24", exe_dir, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC24_12", exe_dir, base);
            break;
        case 32:
            format_field(hz, PATH_LEN, "%s%sHZK/32/HZK32", exe_dir, base);
            format_field(asc, PATH_LEN, "%s%sASC/ASC32_16", exe_dir, base);
            break;
        default:
            format_field(hz, PATH_LEN, "%s%sHZK/%d/HZK_S.Dzk", exe_dir, base, size);
            format_field(asc, PATH_LEN, "%s%sASC/%d/ASC_S.Dzk", exe_dir, base, size);
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
    FILE* f = fopen(cfg_path, "rb");
    if (!f) {
        format_field(settings_problem, SETTINGS_PROBLEM_LEN, "%s cannot be read: no panel size (WIDTH, HEIGHT)",
                     cfg_path);
        return;
    }
    fclose(f);
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

void read_settings()
{
    profile_read("LEDPARA", "WIDTH", "Error", led_width, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "HEIGHT", "Error", led_height, DIR_LEN, cfg_path);
    profile_read("RemotIP", "RemotIP", "Error", remote_ip, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "PROGRAMID", "1", program_id, DIR_LEN, cfg_path);
    check_settings();
}

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

namespace {

// What start-up found wrong goes on the status line, where the user looks;
// the first problem that stops saving is the one shown.
void report_startup_problems()
{
    std::string refusal = save_refusal();
    if (!refusal.empty()) status_showf(STATUS_ERROR, "%s", refusal.c_str());
}

} // namespace

int window_width_for(int panel_w) { return panel_w >= 512 ? 2 * panel_w + 300 : 1300; }

bool startup_paths(const char* dir)
{
    char found[DIR_LEN];
    if (!dir) {
        if (!exe_directory(found, sizeof found)) return false;
        dir = found;
    }
    build_base_paths(dir);
    read_settings();
    build_program_paths();
    // Nothing of the new workspace is loaded yet, so nothing of it is kept back.
    last_script_report = script_report{};
    program_file_unusable = false;
    return true;
}

int startup(int* argc, char** argv)
{
    if (!startup_paths(nullptr)) {
        fprintf(stderr, "lumiker: cannot find the program's own directory\n");
        return 1;
    }
    // Temporaries of saves that were cut off by the end of their process.
    remove_stale_temporaries(exe_dir);
    if (cmd_path[0]) {
        std::string folder(cmd_path);
        remove_stale_temporaries(folder.substr(0, folder.find_last_of('/')).c_str());
    }
    load_pic_convert();

    // The screen fonts are opened before the window is made, so a missing
    // font ends the program before anything is shown.
    char font_file[DIR_LEN * 4];
    std::string why;
    if (!find_screen_font(font_file, sizeof font_file)) {
        fprintf(stderr,
                "lumiker: no Song-style CJK screen font found (install the Debian package "
                "fonts-arphic-uming, which provides \"AR PL UMing CN\")\n");
        return 1;
    }
    if (!open_screen_fonts(font_file, why)) {
        fprintf(stderr, "lumiker: %s\n", why.c_str());
        return 1;
    }

    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
    window_width = window_width_for(panel_width());
    glutInitWindowSize(window_width, window_height);
    glutCreateWindow("lumiker");
    // The window keeps the window manager's normal decorations.
    gfx_init_state();
    gfx_final_state();

    fill_glyph_table();
    startup_documents();
    report_startup_problems();
    // Items the script restored into palette samples leave no cell empty.
    refill_palette();
    dot_font_init();

    glutReshapeWindow(window_width, window_height + 1);
    window_size[0] = window_width + 16;
    window_size[1] = window_height + 40;
    glutReshapeWindow(window_size[0] - 16, window_size[1] - 39);
    glutPositionWindow(120, 80);

    // The window manager's close button asks as "关闭窗口" does: the idle
    // routine takes the request out of the queue before GLUT sees it. A
    // request that still reaches GLUT destroys the window, which nothing can
    // stop; close_window is told, and the event loop returns.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutWMCloseFunc(close_window);
    glutDisplayFunc(on_display);
    glutIdleFunc(on_idle);
    glutReshapeFunc(on_reshape);
    glutKeyboardFunc(on_key);
    glutSpecialFunc(on_special_key);
    glutMouseFunc(on_mouse);
    glutMotionFunc(on_motion);
    glutPassiveMotionFunc(on_passive_motion);
    return 0;
}
