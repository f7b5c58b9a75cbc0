/*******************************************************************************
 * model/settings.cpp - the process-wide paths and settings
 ******************************************************************************/
#include "model/settings.h"
#include <cstdlib>

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

int panel_width() { return atoi(led_width); }
int panel_height() { return atoi(led_height); }

int font_slot_of(int size)
{
    if (size >= 12 && size <= 24) return size - 12;
    if (size == 32) return 13;
    return -1;
}
