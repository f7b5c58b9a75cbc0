// The picture conversion: JPEG, PNG and BMP sources become readable 24-bit
// bitmaps, failures leave nothing behind, and the start-up steps place pictures.
#include "app/pictures.h"
#include "raster/picture.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

using bytes = std::vector<uint8_t>;

bool exists(const std::string& p)
{
    struct stat st;
    return stat(p.c_str(), &st) == 0;
}

bytes read_file(const std::string& p)
{
    bytes b;
    FILE* f = fopen(p.c_str(), "rb");
    if (!f) return b;
    int c;
    while ((c = fgetc(f)) != EOF) b.push_back((uint8_t)c);
    fclose(f);
    return b;
}

void write_file(const std::string& p, const bytes& b)
{
    FILE* f = fopen(p.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!b.empty()) fwrite(b.data(), 1, b.size(), f);
    fclose(f);
}

uint32_t le32(const bytes& b, size_t at)
{
    return (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

// A scratch folder, removed with what is in it.
struct program_dir {
    std::string dir;   // ends in '/'
    program_dir()
    {
        // Memory-backed when there is such a place: the damage test writes thousands of files.
        char shm[] = "/dev/shm/lumiker_conv_XXXXXX", tmp[] = "/tmp/lumiker_conv_XXXXXX";
        const char* made = mkdtemp(shm);
        if (!made) made = mkdtemp(tmp);
        dir = made ? std::string(made) + "/" : std::string("/tmp/");
    }
    ~program_dir()
    {
        std::string cmd = "rm -rf '" + dir + "'";
        if (dir.find("lumiker_conv_") != std::string::npos) (void)!system(cmd.c_str());
    }
    std::string operator/(const char* name) const { return dir + name; }
};

// Pixels of a small test image: pixel (x, y), y counted from the top row.
uint8_t channel(int x, int y, int k) { return (uint8_t)(40 * x + 90 * y + 60 * k + 7); }

// Read a converted bitmap back through the picture reader.
uint8_t* read_back(const std::string& path, graph_draw& g)
{
    copy_field(g.bmp_path, BMP_PATH_LEN, path.c_str());
    return LoadBitmapFile(g);
}

// A baseline JPEG of 16 x 16 pixels, left half red, right half blue (quality
// 90), encoded once and kept here as bytes: the test writes it out. (The
// encoder itself shifts negative values, which the sanitizer build rejects.)
const uint8_t two_colour_jpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x84, 0x00, 0x03, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03,
    0x03, 0x03, 0x03, 0x04, 0x03, 0x03, 0x04, 0x05, 0x08, 0x05, 0x05, 0x04, 0x04, 0x05, 0x0A, 0x07,
    0x07, 0x06, 0x08, 0x0C, 0x0A, 0x0C, 0x0C, 0x0B, 0x0A, 0x0B, 0x0B, 0x0D, 0x0E, 0x12, 0x10, 0x0D,
    0x0E, 0x11, 0x0E, 0x0B, 0x0B, 0x10, 0x16, 0x10, 0x11, 0x13, 0x14, 0x15, 0x15, 0x15, 0x0C, 0x0F,
    0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0x01, 0x03, 0x04, 0x04, 0x05, 0x04, 0x05,
    0x09, 0x05, 0x05, 0x09, 0x14, 0x0D, 0x0B, 0x0D, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00,
    0x10, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xC4, 0x01,
    0xA2, 0x00, 0x00, 0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x10, 0x00,
    0x02, 0x01, 0x03, 0x03, 0x02, 0x04, 0x03, 0x05, 0x05, 0x04, 0x04, 0x00, 0x00, 0x01, 0x7D, 0x01,
    0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22,
    0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24,
    0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29,
    0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A,
    0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A,
    0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A,
    0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8,
    0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6,
    0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3,
    0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
    0xFA, 0x01, 0x00, 0x03, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x11, 0x00,
    0x02, 0x01, 0x02, 0x04, 0x04, 0x03, 0x04, 0x07, 0x05, 0x04, 0x04, 0x00, 0x01, 0x02, 0x77, 0x00,
    0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13,
    0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0, 0x15,
    0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18, 0x19, 0x1A, 0x26, 0x27,
    0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
    0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
    0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
    0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6,
    0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4,
    0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2,
    0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
    0xFA, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0xF9,
    0xD6, 0xBC, 0x06, 0xBD, 0xFA, 0xBC, 0x06, 0xBF, 0x71, 0xFA, 0x32, 0x7F, 0xCC, 0xE3, 0xFE, 0xE0,
    0x7F, 0xEE, 0x63, 0xFA, 0x3B, 0xE9, 0x0D, 0xFF, 0x00, 0x32, 0xAF, 0xFB, 0x8D, 0xFF, 0x00, 0xB8,
    0x8F, 0xFF, 0xD9
};

bool write_two_colour_jpeg(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(two_colour_jpeg, 1, sizeof two_colour_jpeg, f) == sizeof two_colour_jpeg;
    return fclose(f) == 0 && ok;
}

// A 2 x 2 top-down 24-bit bitmap: top row red, green; bottom row blue, white.
bytes top_down_bmp()
{
    bytes b(54 + 2 * 8, 0);
    b[0] = 'B'; b[1] = 'M';
    b[10] = 54; b[14] = 40; b[18] = 2;
    b[22] = 0xFE; b[23] = 0xFF; b[24] = 0xFF; b[25] = 0xFF;   // height -2
    b[26] = 1; b[28] = 24; b[34] = 16;
    const uint8_t bgr[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
    for (int i = 0; i < 4; i++) memcpy(&b[54 + (i / 2) * 8 + (i % 2) * 3], bgr[i], 3);
    return b;
}

} // namespace

TEST(JpgToBmp, PngBecomesABottomUp24BitBitmap)
{
    program_dir d;
    uint8_t px[3 * 2 * 3];
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++)
            for (int k = 0; k < 3; k++) px[(y * 3 + x) * 3 + k] = channel(x, y, k);
    ASSERT_TRUE(stbi_write_png((d / "a.png").c_str(), 3, 2, 3, px, 9));

    EXPECT_EQ(JpgToBmp((d / "a.png").c_str(), (d / "a.bmp").c_str()), 1);
    EXPECT_STREQ(pic_convert_failure_reason(), "");
    EXPECT_FALSE(exists(d / "a.bmp.part"));

    // The file itself: headers, stride 12 with zero padding, bottom row first, blue-green-red.
    bytes b = read_file(d / "a.bmp");
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 3u);
    EXPECT_EQ(le32(b, 22), 2u);   // positive: rows bottom-up
    EXPECT_EQ(b[28], 24);
    EXPECT_EQ(le32(b, 30), 0u);
    EXPECT_EQ(le32(b, 34), 24u);
    for (int row = 0; row < 2; row++) {
        int y = 1 - row;
        for (int x = 0; x < 3; x++)
            for (int k = 0; k < 3; k++)
                EXPECT_EQ(b[54 + row * 12 + x * 3 + k], channel(x, y, 2 - k)) << x << "," << y;
        for (int pad = 9; pad < 12; pad++) EXPECT_EQ(b[54 + row * 12 + pad], 0);
    }

    // And the picture reader takes it.
    graph_draw g;
    uint8_t* rgb = read_back(d / "a.bmp", g);
    ASSERT_NE(rgb, nullptr) << bitmap_failure_reason();
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++)
            for (int k = 0; k < 3; k++) EXPECT_EQ(rgb[((1 - y) * 3 + x) * 3 + k], channel(x, y, k));
    std::free(rgb);
}

TEST(JpgToBmp, JpegKeepsItsColoursWhereTheyStand)
{
    program_dir d;
    ASSERT_TRUE(write_two_colour_jpeg(d / "photo.jpg"));
    EXPECT_EQ(JpgToBmp((d / "photo.jpg").c_str(), (d / "photo.bmp").c_str()), 1);
    graph_draw g;
    uint8_t* rgb = read_back(d / "photo.bmp", g);
    ASSERT_NE(rgb, nullptr) << bitmap_failure_reason();
    ASSERT_EQ(bmp_width(g), 16);
    ASSERT_EQ(bmp_height(g), 16);
    const uint8_t* left = rgb + (8 * 16 + 3) * 3;
    const uint8_t* right = rgb + (8 * 16 + 12) * 3;
    EXPECT_GT(left[0], 200);
    EXPECT_LT(left[2], 60);
    EXPECT_LT(right[0], 60);
    EXPECT_GT(right[2], 200);
    std::free(rgb);
}

TEST(JpgToBmp, TopDownBmpIsRewrittenInPlaceForTheReader)
{
    program_dir d;
    write_file(d / "v.bmp", top_down_bmp());

    graph_draw g;
    testing::internal::CaptureStderr();
    EXPECT_EQ(read_back(d / "v.bmp", g), nullptr);   // the reader refuses top-down rows
    testing::internal::GetCapturedStderr();

    EXPECT_EQ(JpgToBmp((d / "v.bmp").c_str(), (d / "v.bmp").c_str()), 1) << pic_convert_failure_reason();
    uint8_t* rgb = read_back(d / "v.bmp", g);
    ASSERT_NE(rgb, nullptr) << bitmap_failure_reason();
    const uint8_t want[4][3] = {{0, 0, 255}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}};  // bottom row first
    for (int i = 0; i < 4; i++)
        for (int k = 0; k < 3; k++) EXPECT_EQ(rgb[i * 3 + k], want[i][k]) << i;
    std::free(rgb);
}

TEST(JpgToBmp, FailuresLeaveNoBitmapAndKeepAnOldOne)
{
    program_dir d;
    EXPECT_EQ(JpgToBmp((d / "none.jpg").c_str(), (d / "none.bmp").c_str()), 0);
    EXPECT_FALSE(exists(d / "none.bmp"));
    EXPECT_STRNE(pic_convert_failure_reason(), "");

    write_file(d / "junk.jpg", bytes(300, 0x5A));
    EXPECT_EQ(JpgToBmp((d / "junk.jpg").c_str(), (d / "junk.bmp").c_str()), 0);
    EXPECT_FALSE(exists(d / "junk.bmp"));
    EXPECT_FALSE(exists(d / "junk.bmp.part"));

    // A JPEG cut short, and one cut inside its headers.
    ASSERT_TRUE(write_two_colour_jpeg(d / "whole.jpg"));
    bytes whole = read_file(d / "whole.jpg");
    for (size_t n : {whole.size() / 2, (size_t)20, (size_t)2}) {
        write_file(d / "cut.jpg", bytes(whole.begin(), whole.begin() + n));
        JpgToBmp((d / "cut.jpg").c_str(), (d / "cut.bmp").c_str());
        EXPECT_FALSE(exists(d / "cut.bmp.part"));
        if (exists(d / "cut.bmp")) {   // a decoder may fill a truncated JPEG; then it must be readable
            graph_draw g;
            uint8_t* rgb = read_back(d / "cut.bmp", g);
            EXPECT_NE(rgb, nullptr) << n;
            std::free(rgb);
            remove((d / "cut.bmp").c_str());
        }
    }

    // A Huffman table claiming more codes than a table holds.
    bytes bad(two_colour_jpeg, two_colour_jpeg + sizeof two_colour_jpeg);
    size_t dht = 2;
    while (dht + 1 < bad.size() && !(bad[dht] == 0xFF && bad[dht + 1] == 0xC4)) dht++;
    ASSERT_LT(dht + 21, bad.size());
    for (int c = 0; c < 16; c++) bad[dht + 5 + c] = 0x40;
    write_file(d / "dht.jpg", bad);
    EXPECT_EQ(JpgToBmp((d / "dht.jpg").c_str(), (d / "dht.bmp").c_str()), 0);
    EXPECT_STREQ(pic_convert_failure_reason(), "bad Huffman table");
    EXPECT_FALSE(exists(d / "dht.bmp"));

    // An existing bitmap is not damaged by a failed conversion onto it.
    write_file(d / "old.bmp", bytes{1, 2, 3});
    EXPECT_EQ(JpgToBmp((d / "junk.jpg").c_str(), (d / "old.bmp").c_str()), 0);
    EXPECT_EQ(read_file(d / "old.bmp"), (bytes{1, 2, 3}));

    // No directory for the destination, and no paths at all.
    EXPECT_EQ(JpgToBmp((d / "whole.jpg").c_str(), (d / "no/such/dir.bmp").c_str()), 0);
    EXPECT_EQ(JpgToBmp(nullptr, (d / "x.bmp").c_str()), 0);
    EXPECT_EQ(JpgToBmp((d / "whole.jpg").c_str(), nullptr), 0);
    EXPECT_EQ(JpgToBmp("", ""), 0);
}

TEST(PicturePaths, NameIsTakenFromTheWorkspace)
{
    program_dir d;
    std::string src, dst;
    struct path_case {
        const char* path;
        const char* source;       // name in the workspace, or nullptr for no conversion
        const char* destination;
    } cases[] = {
        {"C:\\pictures\\a.jpg", "a.jpg", "a.bmp"},
        {"/home/someone/b.png", "b.png", "b.bmp"},
        {"c.jpeg", "c.jpeg", "c.bmp"},
        {"D:\\my.folder\\noext", "noext", "noext.bmp"},
        {"x\\two.dots.jpg", "two.dots.jpg", "two.dots.bmp"},
        {"mixed/dir\\e.bmp", "e.bmp", "e.bmp"},
        {"", nullptr, nullptr},
        {"C:\\pictures\\", nullptr, nullptr},
        {"C:\\pictures\\.jpg", nullptr, nullptr},
    };
    for (const path_case& c : cases) {
        bool ok = picture_paths(d.dir, c.path, src, dst);
        EXPECT_EQ(ok, c.source != nullptr) << c.path;
        if (!ok) {
            EXPECT_EQ(src, "");
            EXPECT_EQ(dst, "");
            continue;
        }
        EXPECT_EQ(src, d / c.source) << c.path;
        EXPECT_EQ(dst, d / c.destination) << c.path;
    }
    EXPECT_FALSE(picture_paths(d.dir, nullptr, src, dst));

    // Only the first 400 bytes of a path count, even without a terminator there.
    std::vector<char> longpath(600, 'q');
    memcpy(longpath.data() + 390, "\\f.jpg", 6);
    longpath[599] = 0;
    ASSERT_TRUE(picture_paths(d.dir, longpath.data(), src, dst));
    EXPECT_EQ(src, d / "f.jpgqqqq");
    EXPECT_EQ(dst, d / "f.bmp");
}

TEST(PictureStartup, RegionsPlacePicturesAndConvertInTheWorkspace)
{
    temp_workspace ws;
    document& doc = ws.d();
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("logo.jpg")));
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("a.jpg")));
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("late.jpg")));
    convert_logo(doc.paths);
    EXPECT_TRUE(exists(ws.path("logo.bmp")));

    auto region = [](int type, int x, int y, int w, int h, const char* path) {
        region_record r{};
        r.type = (uint8_t)type;
        r.rx = (uint16_t)x; r.ry = (uint16_t)y; r.rw = (uint16_t)w; r.rh = (uint16_t)h;
        copy_field(r.file_path, REGION_PATH_LEN, path);
        return r;
    };
    // A picture region naming a.jpg in another folder converts the workspace's own a.jpg.
    place_picture_region(doc, 3, region(REGION_PICTURE, 10, 20, 30, 40, "E:\\elsewhere\\a.jpg"), true);
    const doc_picture& g = doc.pictures[3];
    EXPECT_EQ(g.x, 10);   // on the panel, at the region's dots
    EXPECT_EQ(g.y, 20);
    EXPECT_EQ(g.w, 30);
    EXPECT_EQ(g.h, 40);
    EXPECT_EQ(g.has_picture, 1);
    EXPECT_EQ(g.shown, 1);
    EXPECT_EQ(std::string(g.bmp_path), ws.path("a.bmp"));
    EXPECT_TRUE(exists(ws.path("a.bmp")));

    // Other kinds and places without a picture are left alone.
    place_picture_region(doc, 4, region(REGION_TEXT, 10, 20, 30, 40, "a.jpg"), true);
    EXPECT_EQ(doc.pictures[4].shown, 0);
    EXPECT_STREQ(doc.pictures[4].bmp_path, "");
    place_picture_region(doc, PICTURE_COUNT, region(REGION_PICTURE, 1, 1, 1, 1, "a.jpg"), true);
    place_picture_region(doc, -1, region(REGION_PICTURE, 1, 1, 1, 1, "a.jpg"), true);
    for (int i = 0; i < PICTURE_COUNT; i++) EXPECT_EQ(doc.pictures[i].shown, i == 3) << i;

    // A missing picture places the picture all the same, and is named.
    const outcome gone = place_picture_region(doc, 5, region(REGION_PICTURE, 1, 2, 3, 4, "gone.png"), true);
    EXPECT_FALSE(gone);
    EXPECT_NE(gone.why.find(ws.path("gone.png")), std::string::npos) << gone.why;
    EXPECT_EQ(doc.pictures[5].shown, 1);
    EXPECT_EQ(std::string(doc.pictures[5].bmp_path), ws.path("gone.bmp"));
    EXPECT_FALSE(exists(ws.path("gone.bmp")));

    // Without the conversion, pictures are placed but nothing is converted.
    place_picture_region(doc, 6, region(REGION_PICTURE, 65535, 65535, 65535, 65535, "late.jpg"), false);
    EXPECT_EQ(doc.pictures[6].x, 65535);
    EXPECT_EQ(std::string(doc.pictures[6].bmp_path), ws.path("late.bmp"));
    EXPECT_FALSE(exists(ws.path("late.bmp")));

    // A name too long for the picture's path is refused rather than cut into another file's name.
    std::string name(PICTURE_PATH_LEN, 'n');
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("n.jpg")));
    place_picture_region(doc, 7, region(REGION_PICTURE, 1, 1, 1, 1, (name + ".jpg").c_str()), true);
    EXPECT_EQ(doc.pictures[7].shown, 1);
    EXPECT_STREQ(doc.pictures[7].bmp_path, "");
}

TEST(JpgToBmp, DamagedSourcesNeverCrashTheConversion)
{
    // Every byte of a JPEG, a PNG and a BMP set in turn to a few extreme values:
    // the conversion either writes a readable bitmap or writes nothing.
    program_dir d;
    uint8_t px[5 * 4 * 3];
    for (size_t i = 0; i < sizeof px; i++) px[i] = (uint8_t)(i * 37);
    ASSERT_TRUE(stbi_write_png((d / "s.png").c_str(), 5, 4, 3, px, 15));
    const bytes sources[3] = {bytes(two_colour_jpeg, two_colour_jpeg + sizeof two_colour_jpeg),
                              read_file(d / "s.png"), top_down_bmp()};
    const uint8_t values[] = {0x00, 0x7F, 0x80, 0xFF};
    int written = 0, refused = 0;
    for (const bytes& good : sources)
        for (size_t at = 0; at < good.size(); at++)
            for (uint8_t v : values) {
                bytes b = good;
                if (b[at] == v) continue;
                b[at] = v;
                write_file(d / "m.img", b);
                if (JpgToBmp((d / "m.img").c_str(), (d / "m.bmp").c_str())) {
                    written++;
                    graph_draw g;
                    uint8_t* rgb = read_back(d / "m.bmp", g);
                    EXPECT_NE(rgb, nullptr) << at << "=" << (int)v;
                    std::free(rgb);
                    remove((d / "m.bmp").c_str());
                } else {
                    refused++;
                    EXPECT_FALSE(exists(d / "m.bmp")) << at << "=" << (int)v;
                }
                EXPECT_FALSE(exists(d / "m.bmp.part"));
            }
    EXPECT_GT(written, 0);
    EXPECT_GT(refused, 0);
}

TEST(PictureStartup, ProgramFileRegionsAreWalkedAndToolsConvertNothing)
{
    temp_workspace ws;
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("p.jpg")));
    // Region 1 shows p.jpg; region 2 is a text region naming it; region 12 is a
    // picture region past the pictures there are places for.
    auto text_region = [](const char* path) {
        return std::string("{\"Rect\":{\"X\":\"0\",\"Y\":\"0\",\"Width\":\"8\",\"Height\":\"8\"},"
                           "\"Items\":[{\"Type\":\"4\",\"Text\":\"t\",\"FileSource\":{\"FilePath\":\"") +
               path + "\"}}]}";
    };
    const std::string picture_region =
        "{\"Rect\":{\"X\":\"5\",\"Y\":\"6\",\"Width\":\"7\",\"Height\":\"8\"},"
        "\"Items\":[{\"Type\":\"2\",\"FileSource\":{\"FilePath\":\"C:\\\\show\\\\p.jpg\"}}]}";
    std::string regions;
    for (int i = 0; i < PICTURE_COUNT + 3; i++) {
        if (i) regions += ",";
        regions += i == 1 || i == PICTURE_COUNT + 2 ? picture_region : text_region(i == 2 ? "p.jpg" : "");
    }
    ws.write("one_pic_effect.vsn", "{\"Programs\":{\"Program\":{\"Pages\":[{\"Regions\":[" + regions + "]}]}}}");

    // A tool that must change no file: pictures are placed, nothing is converted.
    ASSERT_TRUE(write_two_colour_jpeg(ws.path("logo.jpg")));
    startup_documents(ws.d(), false, nullptr);
    const doc_picture& g = ws.d().pictures[1];
    EXPECT_EQ(g.shown, 1);
    EXPECT_EQ(g.x, 5);
    EXPECT_EQ(g.y, 6);
    EXPECT_EQ(g.h, 8);
    EXPECT_FALSE(exists(ws.path("p.bmp")));
    EXPECT_FALSE(exists(ws.path("logo.bmp")));

    // The designer: the same walk converts the picture of region 1 only.
    startup_documents(ws.d(), true, nullptr);
    EXPECT_EQ(g.shown, 1);
    EXPECT_EQ(std::string(g.bmp_path), ws.path("p.bmp"));
    EXPECT_TRUE(exists(ws.path("p.bmp")));
    int shown = 0;
    for (const doc_picture& p : ws.d().pictures) shown += p.shown;
    EXPECT_EQ(shown, 1);
}
