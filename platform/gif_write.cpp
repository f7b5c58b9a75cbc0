/*******************************************************************************
 * platform/gif_write.cpp - palettes, frame timing and giflib's encoder
 *
 * Sections: colour tables | palettes of a frame | the encoder
 ******************************************************************************/
#include "platform/gif_write.h"
#include "platform/file_write.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gif_lib.h>
#include <vector>

// ---- colour tables ---------------------------------------------------------------------------

namespace {

constexpr int PALETTE_MAX = 256;
constexpr int TABLE_BITS = 11;                        // 2048 slots: a table never fills past 1/8
constexpr uint32_t TABLE_SLOTS = 1u << TABLE_BITS;
constexpr uint32_t HASH_MULTIPLIER = 2654435761u;     // Knuth's multiplicative hash
constexpr int HASH_BITS = 32;
constexpr int CENTISECONDS = 100;                     // GIF delays count hundredths of a second
constexpr int DELAY_MAX = 65535;                      // the longest delay one frame holds
constexpr int RGB = 3;
constexpr int RED_SHIFT = 16, GREEN_SHIFT = 8;       // of a colour packed in 24 bits
constexpr int LOOP_EXTENSION_LENGTH = 11;
constexpr unsigned char LOOP_FOREVER[3] = {1, 0, 0};  // sub-block 1, loop count 0: forever
constexpr int GCB_LENGTH = 4;

// A pixel's colour packed in 24 bits.
uint32_t pack(const uint8_t* px) { return (uint32_t)px[0] << RED_SHIFT | (uint32_t)px[1] << GREEN_SHIFT | px[2]; }

// Up to 256 colours and their indices, by open addressing on the packed colour.
struct colour_table {
    uint32_t key[TABLE_SLOTS];     // colour + 1; 0 marks a free slot
    uint8_t index[TABLE_SLOTS];
    GifColorType colours[PALETTE_MAX];
    int count = 0;

    colour_table() { clear(); }
    void clear()
    {
        std::memset(key, 0, sizeof key);
        count = 0;
    }
    // The slot of `rgb`, or the free slot where it would go.
    uint32_t slot_of(uint32_t rgb) const
    {
        uint32_t slot = (rgb * HASH_MULTIPLIER) >> (HASH_BITS - TABLE_BITS);
        while (key[slot] != 0 && key[slot] != rgb + 1) slot = (slot + 1) & (TABLE_SLOTS - 1);
        return slot;
    }
    // The index of `rgb`, adding it when `grow` is set; -1 when absent or full.
    int find(uint32_t rgb, bool grow)
    {
        const uint32_t slot = slot_of(rgb);
        if (key[slot] != 0) return index[slot];
        if (!grow || count == PALETTE_MAX) return -1;
        key[slot] = rgb + 1;
        index[slot] = (uint8_t)count;
        colours[count] = GifColorType{(GifByteType)(rgb >> RED_SHIFT), (GifByteType)(rgb >> GREEN_SHIFT), (GifByteType)rgb};
        return count++;
    }
    // Take a whole palette as it is (its colours may repeat: the first index counts).
    void take(const GifColorType* map, int size)
    {
        clear();
        for (int i = 0; i < size; i++) {
            const uint32_t rgb = (uint32_t)map[i].Red << RED_SHIFT | (uint32_t)map[i].Green << GREEN_SHIFT | map[i].Blue;
            const uint32_t slot = slot_of(rgb);
            if (key[slot] == 0) {
                key[slot] = rgb + 1;
                index[slot] = (uint8_t)i;
            }
            colours[i] = map[i];
        }
        count = size;
    }
};

// Index every pixel through `table`, adding colours when `grow` is set.
// Returns false at the first colour it cannot index.
bool index_through(colour_table& table, bool grow, const uint8_t* rgb, size_t pixels, uint8_t* out)
{
    uint32_t last = UINT32_MAX;
    int last_index = 0;
    for (size_t i = 0; i < pixels; i++) {
        const uint32_t c = pack(rgb + RGB * i);
        if (c != last) {
            last_index = table.find(c, grow);
            if (last_index < 0) return false;
            last = c;
        }
        out[i] = (uint8_t)last_index;
    }
    return true;
}

} // namespace

// ---- the encoder state ----------------------------------------------------------------------

struct gif_writer::impl {
    std::string path;
    int width = 0, height = 0;
    double fps = GIF_FPS_MIN;
    GifFileType* gif = nullptr;
    std::string encoded;
    colour_table file_palette;          // the first frame's colours
    colour_table frame_palette;         // a frame's own colours
    std::vector<uint8_t> previous;      // the last frame added, RGB
    // The frame waiting for its delay: its indices, its own palette (empty:
    // the file's) and the frame number it started at.
    std::vector<uint8_t> pending;
    std::vector<GifColorType> pending_palette;
    int pending_start = 0;
    int added = 0;
    std::string error;

    size_t pixels() const { return (size_t)width * height; }
    bool palettes(const uint8_t* rgb);
    bool start_file();
    bool put_pending(int end_frame);
    void close();
};

// ---- palettes of a frame ---------------------------------------------------------------------

namespace {

// Each colour of a quantised palette made the mean of the pixels given its
// index: giflib's median cut keeps 5 bits a channel, so without this a pure
// LED red of 255 comes out as 248.
void refine(GifColorType* map, int size, const uint8_t* rgb, const uint8_t* indices, size_t pixels)
{
    std::vector<uint64_t> sums((size_t)size * (RGB + 1), 0);
    for (size_t i = 0; i < pixels; i++) {
        uint64_t* s = &sums[(size_t)indices[i] * (RGB + 1)];
        for (int c = 0; c < RGB; c++) s[c] += rgb[RGB * i + c];
        s[RGB]++;
    }
    for (int k = 0; k < size; k++) {
        const uint64_t* s = &sums[(size_t)k * (RGB + 1)];
        if (!s[RGB]) continue;
        map[k] = GifColorType{(GifByteType)((s[0] + s[RGB] / 2) / s[RGB]), (GifByteType)((s[1] + s[RGB] / 2) / s[RGB]),
                              (GifByteType)((s[2] + s[RGB] / 2) / s[RGB])};
    }
}

// A giflib colour map of `colours`, padded to a power of two.
ColorMapObject* map_of(const GifColorType* colours, int count)
{
    const int size = 1 << GifBitSize(std::max(count, 2));
    std::vector<GifColorType> padded(size, GifColorType{0, 0, 0});
    std::copy(colours, colours + count, padded.begin());
    return GifMakeMapObject(size, padded.data());
}

} // namespace

// Index a frame into `pending`, with the file's palette, an exact one of its
// own, or a quantised one. The first frame's palette becomes the file's.
bool gif_writer::impl::palettes(const uint8_t* rgb)
{
    const size_t n = pixels();
    pending.resize(n);
    pending_palette.clear();
    const bool first = added == 0;
    if (!first && index_through(file_palette, false, rgb, n, pending.data())) return true;
    colour_table& own = first ? file_palette : frame_palette;
    own.clear();
    if (index_through(own, true, rgb, n, pending.data())) {
        if (!first) pending_palette.assign(own.colours, own.colours + own.count);
        return true;
    }
    // More than 256 colours: giflib's median cut over the three planes.
    std::vector<GifByteType> planes(RGB * n);
    for (size_t i = 0; i < n; i++)
        for (int c = 0; c < RGB; c++) planes[c * n + i] = rgb[RGB * i + c];
    int size = PALETTE_MAX;
    GifColorType map[PALETTE_MAX];
    if (GifQuantizeBuffer((unsigned)width, (unsigned)height, &size, planes.data(), planes.data() + n,
                          planes.data() + 2 * n, pending.data(), map) != GIF_OK) {
        error = GifErrorString(D_GIF_ERR_NOT_ENOUGH_MEM);
        return false;
    }
    refine(map, size, rgb, pending.data(), n);
    if (first) own.take(map, size);
    else pending_palette.assign(map, map + size);
    return true;
}

// ---- the encoder -------------------------------------------------------------------------------

namespace {

// giflib's output: append the encoded bytes to the file held in memory.
int append_output(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<std::string*>(gif->UserData)->append((const char*)bytes, (size_t)length);
    return length;
}

} // namespace

// Open giflib's encoder: the screen with the file's palette, and the loop.
bool gif_writer::impl::start_file()
{
    int err = 0;
    gif = EGifOpen(&encoded, append_output, &err);
    if (!gif) {
        error = GifErrorString(err);
        return false;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = map_of(file_palette.colours, file_palette.count);
    const bool ok = map && EGifPutScreenDesc(gif, width, height, map->BitsPerPixel, 0, map) == GIF_OK &&
                    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
                    EGifPutExtensionBlock(gif, LOOP_EXTENSION_LENGTH, "NETSCAPE2.0") == GIF_OK &&
                    EGifPutExtensionBlock(gif, sizeof LOOP_FOREVER, LOOP_FOREVER) == GIF_OK &&
                    EGifPutExtensionTrailer(gif) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok) error = GifErrorString(gif->Error);
    return ok;
}

// Write the pending frame, shown from its start up to frame `end_frame`.
bool gif_writer::impl::put_pending(int end_frame)
{
    const auto at = [this](int frame) { return (long)std::lround(frame * CENTISECONDS / fps); };
    long delay = at(end_frame) - at(pending_start);
    ColorMapObject* own = pending_palette.empty() ? nullptr : map_of(pending_palette.data(), (int)pending_palette.size());
    bool ok = pending_palette.empty() || own;
    // A frame held longer than one delay can say is written again.
    while (ok && delay > 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.DelayTime = (int)std::min<long>(delay, DELAY_MAX);
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[GCB_LENGTH];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, GCB_LENGTH, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, width, height, false, own) == GIF_OK &&
             EGifPutLine(gif, pending.data(), (int)pixels()) == GIF_OK;
        delay -= gcb.DelayTime;
    }
    if (own) GifFreeMapObject(own);
    if (!ok) error = GifErrorString(gif->Error);
    return ok;
}

// Drop an encoder that was not finished.
void gif_writer::impl::close()
{
    if (gif) EGifCloseFile(gif, nullptr);
    gif = nullptr;
}

gif_writer::gif_writer() : p(new impl) {}
gif_writer::~gif_writer() { p->close(); }

outcome gif_writer::open(const std::string& path, int width, int height, double fps)
{
    p->close();
    if (width < 1 || height < 1 || width > GIF_SIDE_MAX || height > GIF_SIDE_MAX ||
        (int64_t)width * height > GIF_PIXELS_MAX)
        return outcome_fail(MSG_GIF_BAD_SIZE, width, height);
    p->path = path;
    p->width = width;
    p->height = height;
    p->fps = std::isfinite(fps) ? std::clamp(fps, GIF_FPS_MIN, GIF_FPS_MAX) : GIF_FPS_MIN;
    p->encoded.clear();
    p->previous.clear();
    p->added = 0;
    p->pending_start = 0;
    return outcome_ok();
}

outcome gif_writer::add(const uint8_t* rgb)
{
    const size_t bytes = RGB * p->pixels();
    if (bytes == 0 || !rgb) return outcome_fail(MSG_GIF_BAD_SIZE, p->width, p->height);
    if (p->added > 0 && std::memcmp(p->previous.data(), rgb, bytes) == 0) {
        p->added++;   // the same picture: the pending frame holds longer
        return outcome_ok();
    }
    if (p->added > 0 && !p->put_pending(p->added)) return outcome_fail(MSG_GIF_ENCODE_FAILED, p->path.c_str(), p->error.c_str());
    if (!p->palettes(rgb) || (p->added == 0 && !p->start_file()))
        return outcome_fail(MSG_GIF_ENCODE_FAILED, p->path.c_str(), p->error.c_str());
    p->previous.assign(rgb, rgb + bytes);
    p->pending_start = p->added++;
    return outcome_ok();
}

outcome gif_writer::finish()
{
    if (p->added == 0) return outcome_fail(MSG_GIF_NO_FRAMES, p->path.c_str());
    if (!p->put_pending(p->added)) return outcome_fail(MSG_GIF_ENCODE_FAILED, p->path.c_str(), p->error.c_str());
    int err = 0;
    const int closed = EGifCloseFile(p->gif, &err);
    p->gif = nullptr;
    p->added = 0;
    if (closed != GIF_OK) return outcome_fail(MSG_GIF_ENCODE_FAILED, p->path.c_str(), GifErrorString(err));
    const outcome written = replace_file(p->path.c_str(), p->encoded);
    if (!written) return written;
    p->encoded.clear();
    return outcome_ok();
}

int gif_writer::frames() const { return p->added; }
