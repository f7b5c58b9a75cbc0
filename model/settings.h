/*******************************************************************************
 * model/settings.h - process-wide paths and settings
 *
 * Set once by start-up from the executable's directory and SysCfg.ini, read
 * everywhere after. The panel size is kept as the text read from the settings
 * file and converted to a number where it is used. Only a plain decimal of
 * PANEL_MIN_DOTS..PANEL_MAX_DOTS is a size; anything else ("Error" for a
 * missing key, "abc", 0, negative or huge values) gives a 0 x 0 panel, and
 * start-up then names the key and the file in `settings_problem`, which
 * stops every save. PROGRAMID must be a decimal of 1..PROGRAM_ID_MAX, since
 * it names the program's folder.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int DIR_LEN = 260;       // exe_dir and the settings texts
constexpr int PATH_LEN = 300;      // built file paths
constexpr int FONT_SIZE_SLOTS = 14; // font files per script: sizes 12..24 and 32
constexpr int VALVE_PICTURES = 20; // id_0.bmp .. id_19.bmp
constexpr int FONT_HZ = 0, FONT_ASC = 1;
constexpr int PANEL_MIN_DOTS = 1;     // panel size accepted in each direction
constexpr int PANEL_MAX_DOTS = 4096;
constexpr long PROGRAM_ID_MAX = 99999;
constexpr int SETTINGS_PROBLEM_LEN = 600;
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

// led_pitch, never below 1: what sizes and divisions use.
inline int dot_pitch() { return led_pitch > 0 ? led_pitch : 1; }
extern int32_t window_width;
extern int32_t window_height;

// What is wrong with the settings ("" when nothing is); set by start-up.
extern char settings_problem[SETTINGS_PROBLEM_LEN];

// Panel size in dots, converted from the settings texts at each use; 0 when
// the text is not a size of PANEL_MIN_DOTS..PANEL_MAX_DOTS.
int panel_width();
int panel_height();

// `text` as a plain decimal (blanks around it allowed) within lo..hi.
bool setting_number(const char* text, long lo, long hi, long& out);

// True when the dot-matrix text renderer has fonts of this size.
bool text_size_known(int size);

// Font-size slot of a dot size 12..24 or 32, or -1.
int font_slot_of(int size);
