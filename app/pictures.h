/*******************************************************************************
 * app/pictures.h - the picture conversion's start-up steps
 *
 * Start-up reaches the conversion of platform/pic_convert.h through
 * `pic_convert`, which is set while the conversion is available, as it would
 * be for a converter library loaded beside the program. It is used in three
 * steps: load_pic_convert() (set `pic_convert`, convert logo.jpg to
 * logo.bmp), convert_program_pictures() after the program file is loaded
 * (fill the picture records from the picture regions, convert their
 * pictures) and unload_pic_convert() before the command script is read.
 * While convert_pictures_at_startup is clear (tools that must change no
 * file), load_pic_convert() leaves the conversion unavailable: records are
 * still filled, nothing is converted.
 *
 * Limits: paths as long as the record fields allow (a path that does not fit
 * is not converted rather than cut).
 * Depends on: platform/pic_convert.h, model/tables.h, model/settings.h
 * (exe_dir, logo paths, led_pitch, the panel origin), output/program_file.h
 * (region_table, convert_pictures_at_startup).
 * Does NOT: read the program file (it walks the table already loaded), or
 * draw anything.
 ******************************************************************************/
#pragma once
#include "output/program_file.h"
#include "platform/pic_convert.h"
#include <cstdint>

// The conversion entry: source path, destination path. Returns 1 when a bitmap
// was written, 0 otherwise (start-up does not look at it).
typedef int (*pic_convert_entry)(const char* source, const char* destination);

// The conversion while it is available, else nullptr.
extern pic_convert_entry pic_convert;

// Source and destination paths of a region's picture: the file name after the
// last '\' or '/' of `path` (first REGION_PATH_LEN bytes) taken from exe_dir,
// and the same name with its extension replaced by ".bmp". Returns false when
// the path names no file or a result would not fit.
bool picture_paths(const char* path, char* source, int source_cap, char* destination, int destination_cap);

// Start-up: make the conversion available and convert logo.jpg into logo.bmp.
void load_pic_convert();
// Region `index` of the program file: a picture region with a picture record
// fills that record (box in dots, position x, y times led_pitch) and converts
// its picture into the record's bmp_path. Other regions are left alone.
void place_picture_region(int index, int kind, uint16_t x, uint16_t y, uint16_t w, uint16_t h, const char* path);
// Start-up: place_picture_region() for every region of region_table.
void convert_program_pictures();
// Start-up: the conversion is no longer available.
void unload_pic_convert();
