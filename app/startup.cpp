/*******************************************************************************
 * app/startup.cpp - the start-up sequence
 ******************************************************************************/
#include "app/startup.h"
#include "app/frame.h"
#include "edit/keys.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "items/digits.h"
#include "model/settings.h"
#include "model/tables.h"
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

void read_settings()
{
    profile_read("LEDPARA", "WIDTH", "Error", led_width, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "HEIGHT", "Error", led_height, DIR_LEN, cfg_path);
    profile_read("RemotIP", "RemotIP", "Error", remote_ip, DIR_LEN, cfg_path);
    profile_read("LEDPARA", "PROGRAMID", "1", program_id, DIR_LEN, cfg_path);
}

void build_program_paths()
{
    format_field(cmd_path, PATH_LEN, "%sledsys/CMD%s/cmd.txt", exe_dir, program_id);
    for (int k = 0; k < VALVE_PICTURES; k++)
        format_field(id_bmp_path[k], PATH_LEN, "%sledsys/CMD%s/id_%d.bmp", exe_dir, program_id, k);
}

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
    return true;
}

int startup(int* argc, char** argv)
{
    if (!startup_paths(nullptr)) {
        fprintf(stderr, "lumiker: cannot find the program's own directory\n");
        return 1;
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
    dot_font_init();

    glutReshapeWindow(window_width, window_height + 1);
    window_size[0] = window_width + 16;
    window_size[1] = window_height + 40;
    glutReshapeWindow(window_size[0] - 16, window_size[1] - 39);
    glutPositionWindow(120, 80);

    glutDisplayFunc(on_display);
    glutTimerFunc(FRAME_IDLE_WAIT_MS, on_frame_timer, 0);
    glutReshapeFunc(on_reshape);
    // Every input may change the picture: each handler is followed by a frame.
    glutKeyboardFunc([](unsigned char k, int x, int y) { on_key(k, x, y); on_input_done(); });
    glutSpecialFunc([](int k, int x, int y) { on_special_key(k, x, y); on_input_done(); });
    glutMouseFunc([](int b, int st, int x, int y) { on_mouse(b, st, x, y); on_input_done(); });
    glutMotionFunc([](int x, int y) { on_motion(x, y); on_input_done(); });
    glutPassiveMotionFunc([](int x, int y) { on_passive_motion(x, y); on_input_done(); });
    return 0;
}
