/*******************************************************************************
 * raster/picture.h - photographs as textures, and the dotted rubber band
 *
 * A picture record (graph_draw) with `has_picture` set shows a 24-bit BMP file
 * stretched over its box of pic_width x pic_height dots, tinted by `rgb`. The
 * file is read once, on the first frame that draws the record, into a texture
 * that is kept for the life of the process; a file that fails to load is not
 * tried again and its box is drawn plain in `rgb`. A record without a picture
 * (the rubber band among them) is drawn as a dotted outline.
 *
 * Limits: only uncompressed, bottom-up, 24-bit bitmaps of at most
 * PICTURE_MAX_SIDE pixels a side are read; anything else is refused with a
 * line beginning "Error in LoadBitmapFile: " on standard error. The reader
 * never reads past its buffer or the file, whatever the headers claim.
 *
 * Depends on: model/tables.h (records), model/settings.h (led_pitch),
 * model/tables.h (graph_count), raster/gfx.h, raster/screen_text.h.
 *
 * Does NOT: convert JPEG or PNG files (platform/pic_convert does that at
 * start-up), turn pictures into LED dots, or reload a changed file.
 ******************************************************************************/
#pragma once
#include "model/tables.h"
#include "platform/pic_convert.h"   // BMP_FILE_HEADER_LEN, BMP_INFO_LEN, PICTURE_MAX_SIDE
#include <cstdint>

constexpr uint16_t BMP_MAGIC = 0x4D42;    // "BM", little-endian
constexpr uint16_t PICTURE_STIPPLE = 0xAAAA;
constexpr int PICTURE_STIPPLE_FACTOR = 2;


// Image width and height in pixels as held in the record's information header.
int32_t bmp_width(const graph_draw& g);
int32_t bmp_height(const graph_draw& g);

// Read the record's bmp_path, filling bmp_header and bmp_info with what was read.
// Returns the pixels as tightly packed red-green-blue rows, bottom row first
// (width x height x 3 bytes, release with std::free), or nullptr on failure;
// bitmap_failure_reason() then says why.
uint8_t* LoadBitmapFile(graph_draw& g);
// Short reason for the last LoadBitmapFile failure ("" after a success).
const char* bitmap_failure_reason();

// Draw one record: its texture over the box, or a dotted outline of the box.
void draw_picture(graph_draw& g);
// Draw a selected record: an outline one dot larger, its size caption, the picture.
void draw_picture_selected(graph_draw& g);

// Draw the first graph_count shown picture records, record `current` selected
// (-1: none).
void draw_pictures(int32_t current);
// Draw the rubber band while it is shown.
void draw_rubber_band();
