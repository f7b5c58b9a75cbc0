/*******************************************************************************
 * model/settings.h - process-wide paths and settings
 *
 * Set once by start-up from the executable's directory and SysCfg.ini, read
 * everywhere after. The panel size is kept as the text read from the settings
 * file and converted to a number where it is used, so "Error" (a missing key)
 * gives a 0 x 0 panel.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int DIR_LEN = 260;       // exe_dir and the settings texts
constexpr int PATH_LEN = 300;      // built file paths
constexpr int FONT_SIZE_SLOTS = 14; // font files per script: sizes 12..24 and 32
constexpr int VALVE_PICTURES = 20; // id_0.bmp .. id_19.bmp
constexpr int FONT_HZ = 0, FONT_ASC = 1;
// Window pixel of the panel's dot (0, 0): item positions are counted from here,
// and the saved layout gives them in dots from here.
constexpr int PANEL_X = 265;
constexpr int PANEL_Y = 145;

extern char exe_dir[DIR_LEN];
extern char font_paths[FONT_SIZE_SLOTS][2][PATH_LEN];  // [size slot][Chinese/Western]
extern char led_width[DIR_LEN];
extern char led_height[DIR_LEN];
extern char remote_ip[DIR_LEN];
extern char program_id[DIR_LEN];
extern char cmd_path[PATH_LEN];
extern char id_bmp_path[VALVE_PICTURES][PATH_LEN];
extern char vsn_path[PATH_LEN];
extern char cfg_path[DIR_LEN];
extern char logo_jpg_path[PATH_LEN];
extern char logo_bmp_path[PATH_LEN];
extern uint8_t led_pitch;
extern int32_t window_width;
extern int32_t window_height;

// Panel size in dots, converted from the settings texts at each use.
int panel_width();
int panel_height();

// Font-size slot of a dot size 12..24 or 32, or -1.
int font_slot_of(int size);
