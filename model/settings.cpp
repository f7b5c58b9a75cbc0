/*******************************************************************************
 * model/settings.cpp - the process-wide paths and settings
 ******************************************************************************/
#include "model/settings.h"

char exe_dir[DIR_LEN];
char font_paths[FONT_SIZE_SLOTS][2][PATH_LEN];
char led_width[DIR_LEN] = "Error";
char led_height[DIR_LEN] = "Error";
char remote_ip[DIR_LEN] = "Error";
char program_id[DIR_LEN] = "1";
char cmd_path[PATH_LEN];
char id_bmp_path[VALVE_PICTURES][PATH_LEN];
char vsn_path[PATH_LEN];
char cfg_path[DIR_LEN];
char logo_jpg_path[PATH_LEN];
char logo_bmp_path[PATH_LEN];
uint8_t led_pitch = 2;
int32_t window_width = 1300;
int32_t window_height = 790;

char settings_problem[SETTINGS_PROBLEM_LEN] = "";

bool setting_number(const char* text, long lo, long hi, long& out)
{
    if (!text) return false;
    while (*text == ' ' || *text == '\t') text++;
    long v = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; text++, digits++) {
        v = v * 10 + (*text - '0');
        if (v > hi) return false;   // stops before any overflow
    }
    while (*text == ' ' || *text == '\t') text++;
    if (digits == 0 || *text != 0 || v < lo) return false;
    out = v;
    return true;
}

// A panel dimension from its settings text, or 0.
static int panel_dots(const char* text)
{
    long v = 0;
    return setting_number(text, PANEL_MIN_DOTS, PANEL_MAX_DOTS, v) ? (int)v : 0;
}

int panel_width() { return panel_dots(led_width); }
int panel_height() { return panel_dots(led_height); }

bool text_size_known(int size) { return font_slot_of(size) >= 0 || size == 48 || size == 64; }

int font_slot_of(int size)
{
    if (size >= 12 && size <= 24) return size - 12;
    if (size == 32) return 13;
    return -1;
}
