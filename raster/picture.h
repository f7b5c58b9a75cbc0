/*******************************************************************************
 * raster/picture.h - photographs as textures, and the dotted rubber band
 *
 * A picture as the window draws it (graph_draw: its corner in window pixels,
 * which the caller sets from a document picture through the view before each
 * frame, its box in dots, its file and texture) with `has_picture` set shows
 * a 24-bit BMP file stretched over its box of pic_width x pic_height dots,
 * tinted by `rgb`. The file is read once, on the first frame that draws it,
 * into a texture that is kept for the life of the process (a new file name
 * is read anew); a file that fails to load is not tried again and its box is
 * drawn plain in `rgb`. A picture without a bitmap (the rubber band among
 * them) is drawn as a dotted outline.
 *
 * Limits: only uncompressed, bottom-up, 24-bit bitmaps of at most
 * PICTURE_MAX_SIDE pixels a side are read; anything else is refused with a
 * line beginning "Error in LoadBitmapFile: " on standard error. The reader
 * never reads past its buffer or the file, whatever the headers claim.
 *
 * Depends on: nothing outside the C++ standard library (the file is read with
 * stdio).
 *
 * Does NOT: convert JPEG or PNG files (platform/pic_convert does that at
 * start-up), turn pictures into LED dots, or reload a changed file.
 ******************************************************************************/
#pragma once
#include "platform/pic_convert.h"   // BMP_FILE_HEADER_LEN, BMP_INFO_LEN, PICTURE_MAX_SIDE
#include <cstdint>

constexpr uint16_t BMP_MAGIC = 0x4D42;    // "BM", little-endian
constexpr uint16_t PICTURE_STIPPLE = 0xAAAA;
constexpr int PICTURE_STIPPLE_FACTOR = 2;
constexpr int BMP_PATH_LEN = 300;

// A picture as the window draws it: its box (window pixels and dots), the
// file it shows, and its texture once made.
struct graph_draw {
    int32_t left = 0, top = 0;             // window pixels of the corner
    int32_t pic_width = 0, pic_height = 0; // dots
    int32_t has_picture = 0;               // draw the bitmap; else a dotted outline
    int32_t shown = 0;
    uint8_t bmp_info[40] = {};
    uint8_t bmp_header[14] = {};
    int32_t texture_ready = 0;
    float rgb[3] = {1.0f, 1.0f, 1.0f};
    uint32_t texture = 0;
    char bmp_path[BMP_PATH_LEN] = {};
};


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

// A dotted rectangle of w x h dots at window pixel (x, y) (the rubber band).
void draw_dotted_box(int x, int y, int w_dots, int h_dots);
