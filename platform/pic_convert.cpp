/*******************************************************************************
 * platform/pic_convert.cpp - the in-process picture conversion
 *
 * Decoding is stb_image's, limited to JPEG, PNG and BMP and to pictures of at
 * most PICTURE_MAX_SIDE pixels a side (checked from the header before the
 * pixels are decoded). This file holds the one copy of its implementation.
 ******************************************************************************/
#include "platform/pic_convert.h"
#include "platform/file_write.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_MAX_DIMENSIONS PICTURE_MAX_SIDE
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr char TEMP_SUFFIX[] = ".part";
constexpr int TEMP_PATH_LEN = CONVERT_PATH_MAX + (int)sizeof TEMP_SUFFIX;
constexpr int BMP_HEADERS_LEN = BMP_FILE_HEADER_LEN + BMP_INFO_LEN;
constexpr uint32_t BMP_PIXELS_PER_METRE = 2835;   // 72 dots per inch
constexpr long PICTURE_MAX_FILE = 64L << 20;      // largest source file read, bytes
constexpr size_t JPEG_MAX_CODES = 256;            // codes one Huffman table can hold
constexpr uint8_t JPEG_SOI = 0xD8, JPEG_EOI = 0xD9, JPEG_DHT = 0xC4;
constexpr uint8_t JPEG_RST0 = 0xD0, JPEG_RST7 = 0xD7;
constexpr size_t PNG_CHUNK_OVERHEAD = 12;         // length, type and check of a chunk

const char* failure = "";

int fail(const char* why)
{
    failure = why;
    return 0;
}

void put16(uint8_t* p, uint32_t v)
{
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

// Write `rgb` (w x h, top row first, 3 bytes a pixel) as a 24-bit bottom-up bitmap.
bool write_bmp24(std::string& f, const uint8_t* rgb, int w, int h)
{
    const uint32_t stride = (uint32_t)bmp_row_stride(w);
    const uint32_t image_size = stride * (uint32_t)h;
    uint8_t head[BMP_HEADERS_LEN] = {};
    head[0] = 'B';
    head[1] = 'M';
    put32(head + 2, (uint32_t)BMP_HEADERS_LEN + image_size);
    put32(head + 10, BMP_HEADERS_LEN);
    uint8_t* info = head + BMP_FILE_HEADER_LEN;
    put32(info, BMP_INFO_LEN);
    put32(info + 4, (uint32_t)w);
    put32(info + 8, (uint32_t)h);
    put16(info + 12, 1);           // planes
    put16(info + 14, 24);          // bits per pixel
    put32(info + 16, 0);           // no compression
    put32(info + 20, image_size);
    put32(info + 24, BMP_PIXELS_PER_METRE);
    put32(info + 28, BMP_PIXELS_PER_METRE);
    f.reserve(sizeof head + (size_t)image_size);
    f.append((const char*)head, sizeof head);

    std::vector<uint8_t> row(stride, 0);
    for (int r = h - 1; r >= 0; r--) {
        const uint8_t* src = rgb + (size_t)r * w * 3;
        for (int c = 0; c < w; c++) {
            row[3 * c] = src[3 * c + 2];
            row[3 * c + 1] = src[3 * c + 1];
            row[3 * c + 2] = src[3 * c];
        }
        f.append((const char*)row.data(), stride);
    }
    return true;
}

// Read the whole source file, refusing one that is empty or too large.
bool read_source(const char* path, std::vector<uint8_t>& out)
{
    // Only a regular file: a pipe or a device there cannot hang the start.
    FILE* f = fopen_regular(path);
    if (!f) return false;
    long n = -1;
    if (fseek(f, 0, SEEK_END) == 0) n = ftell(f);
    bool ok = n > 0 && n <= PICTURE_MAX_FILE && fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize((size_t)n);
        ok = fread(out.data(), 1, out.size(), f) == out.size();
    }
    fclose(f);
    return ok;
}

// Check the Huffman tables of a JPEG before the decoder builds them: a table
// of more than JPEG_MAX_CODES codes, or one running past its segment, would
// make the decoder write past its tables. Files that are not JPEG pass.
bool jpeg_tables_sound(const std::vector<uint8_t>& b)
{
    const size_t n = b.size();
    if (n < 2 || b[0] != 0xFF || b[1] != JPEG_SOI) return true;
    size_t i = 2;
    while (i + 1 < n) {
        if (b[i] != 0xFF) { i++; continue; }          // entropy-coded data between markers
        const uint8_t m = b[i + 1];
        if (m == 0xFF) { i++; continue; }             // fill byte
        if (m == 0x00 || m == 0x01 || (m >= JPEG_RST0 && m <= JPEG_RST7) || m == JPEG_SOI) {
            i += 2;                                   // stuffed byte or marker without a segment
            continue;
        }
        if (m == JPEG_EOI) return true;
        if (i + 3 >= n) return true;                  // cut short: the decoder refuses it
        const size_t len = (size_t)b[i + 2] << 8 | b[i + 3];
        if (len < 2) return true;                     // the decoder refuses it
        const size_t seg = i + 4, end = i + 2 + len < n ? i + 2 + len : n;
        if (m == JPEG_DHT) {
            size_t k = seg;
            while (k < end) {
                if (k + 17 > end) return false;
                size_t codes = 0;
                for (int c = 1; c <= 16; c++) codes += b[k + c];
                if (codes > JPEG_MAX_CODES || k + 17 + codes > end) return false;
                k += 17 + codes;
            }
        }
        i = end;
    }
    return true;
}

// Drop empty image-data chunks from a PNG: they carry nothing, and the
// decoder copies from a null buffer when the first one is empty. Chunks
// after a damaged length are left for the decoder to refuse.
void png_drop_empty_data(std::vector<uint8_t>& b)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < sizeof signature || std::memcmp(b.data(), signature, sizeof signature) != 0) return;
    size_t i = sizeof signature;
    while (i + PNG_CHUNK_OVERHEAD <= b.size()) {
        const size_t len = (size_t)b[i] << 24 | (size_t)b[i + 1] << 16 | (size_t)b[i + 2] << 8 | b[i + 3];
        if (len == 0 && std::memcmp(&b[i + 4], "IDAT", 4) == 0) {
            b.erase(b.begin() + (long)i, b.begin() + (long)(i + PNG_CHUNK_OVERHEAD));
            continue;
        }
        if (len > b.size() - i - PNG_CHUNK_OVERHEAD) return;
        i += PNG_CHUNK_OVERHEAD + len;
    }
}

} // namespace

const char* pic_convert_failure_reason() { return failure; }

int JpgToBmp(const char* source, const char* destination)
{
    failure = "";
    if (!source || !destination || !*source || !*destination) return fail("no path");
    char temp[TEMP_PATH_LEN];
    if (snprintf(temp, TEMP_PATH_LEN, "%s%s", destination, TEMP_SUFFIX) >= TEMP_PATH_LEN)
        return fail("destination path too long");

    std::vector<uint8_t> file;
    if (!read_source(source, file)) return fail("cannot read the picture");
    if (!jpeg_tables_sound(file)) return fail("bad Huffman table");
    png_drop_empty_data(file);
    const int len = (int)file.size();

    int w = 0, h = 0, n = 0;
    if (!stbi_info_from_memory(file.data(), len, &w, &h, &n)) return fail(stbi_failure_reason());
    // The header of a top-down bitmap gives a negative height here.
    const int64_t iw = w < 0 ? -(int64_t)w : w, ih = h < 0 ? -(int64_t)h : h;
    if (iw == 0 || ih == 0) return fail("picture without pixels");
    if (iw > PICTURE_MAX_SIDE || ih > PICTURE_MAX_SIDE) return fail("picture too large");
    stbi_uc* rgb = stbi_load_from_memory(file.data(), len, &w, &h, &n, 3);
    file.clear();
    file.shrink_to_fit();
    if (!rgb) return fail(stbi_failure_reason());

    std::string bmp;
    bool ok = write_bmp24(bmp, rgb, w, h);
    stbi_image_free(rgb);
    if (!ok || !replace_file(destination, bmp)) return fail("cannot write the bitmap");
    return 1;
}
