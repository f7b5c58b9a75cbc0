/*******************************************************************************
 * platform/pic_convert.h - turning JPEG, PNG and BMP pictures into 24-bit bitmaps
 *
 * The picture conversion runs in process. `JpgToBmp` decodes a JPEG, PNG or
 * BMP source and writes an uncompressed 24-bit bottom-up bitmap (the only kind
 * the picture reader accepts) at the destination. Start-up reaches it through
 * app/pictures.h.
 *
 * Limits: sources of at most PICTURE_MAX_SIDE pixels a side; destinations of
 * at most CONVERT_PATH_MAX bytes. The bitmap is written to a temporary file
 * beside the destination and renamed into place, so a failed conversion never
 * leaves a partial or empty bitmap and leaves a destination that already
 * exists as it was.
 *
 * Depends on: stb_image (decoding).
 *
 * Does NOT: know the program file, the document's pictures or the panel, draw
 * anything, or report failures (the reason is kept for the caller).
 ******************************************************************************/
#pragma once
#include <cstdint>

// The bitmap the conversion writes and the picture reader reads.
constexpr int BMP_FILE_HEADER_LEN = 14;   // "BM", file size, reserved, pixel offset
constexpr int BMP_INFO_LEN = 40;          // the information header the reader uses
constexpr int PICTURE_MAX_SIDE = 8192;    // widest and tallest picture accepted, pixels
constexpr int CONVERT_PATH_MAX = 4096;    // longest destination path, bytes

// Bytes of one pixel row of a 24-bit bitmap (rows are padded to 4 bytes).
constexpr int64_t bmp_row_stride(int64_t width) { return (3 * width + 3) / 4 * 4; }

// Convert `source` (JPEG, PNG or BMP) into a 24-bit bottom-up bitmap at `destination`.
int JpgToBmp(const char* source, const char* destination);
// Short reason for the last JpgToBmp failure ("" after a success).
const char* pic_convert_failure_reason();
