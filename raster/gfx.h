/*******************************************************************************
 * raster/gfx.h - the one drawing layer every picture goes through
 *
 * A thin immediate-mode interface (colour, point size, line width, begin /
 * vertex / end, matrix push/pop/translate, textures) with two backends:
 *   - OpenGL (the default): the only place the program draws with OpenGL or
 *     GLU (platform/offscreen_gl only makes a context and reads its pixels).
 *     Consecutive points are gathered into one batch (colour changes are
 *     legal inside it) and drawn with one call; anything else draws the open
 *     batch first, so the picture is the same as with one begin/end pair per
 *     point.
 *   - Recorder: keeps what a frame draws as a list of events (points with size
 *     and colour, lines, filled quads, textured quads and screen texts) in
 *     window pixels with translations applied, so tests need no window. In
 *     bounds mode it keeps only the box around everything drawn.
 *
 * Layers (OpenGL only): a layer is an off-screen picture the size of the view.
 * Between layer_open and layer_close everything is drawn into it instead of
 * the window; layer_draw puts a rectangle of it (or all of it) back in its
 * place, pixel for pixel (nearest texels), either every pixel or only where
 * something was drawn into it.
 * The recorder has no layers (layer_open returns 0).
 *
 * Limits: GFX_LAYERS layers.
 * Depends on: OpenGL 1.x and GLU, with framebuffer objects for the layers
 * (the OpenGL backend); the recorder needs nothing outside the C++ standard
 * library.
 * Does NOT: create windows or swap buffers (platform/window does, driven
 * from app/), or clip unless asked (gfx_clip; the recorder never clips).
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum gfx_prim { GFX_POINTS, GFX_LINES, GFX_LINE_LOOP, GFX_LINE_STRIP, GFX_QUADS };

// Operations a backend carries out.
class gfx_backend {
public:
    virtual ~gfx_backend() {}
    virtual void color(float r, float g, float b, float a) = 0;
    virtual void point_size(float s) = 0;
    virtual void line_width(float w) = 0;
    virtual void line_stipple(bool on, int factor, uint16_t pattern) = 0;
    virtual void begin(gfx_prim p) = 0;
    virtual void vertex(float x, float y, float z) = 0;
    virtual void tex_coord(float s, float t) = 0;
    virtual void end() = 0;
    virtual void push() = 0;
    virtual void pop() = 0;
    virtual void translate(float x, float y, float z) = 0;
    virtual void scale(float x, float y, float z) = 0;
    virtual void texturing(bool on) = 0;
    virtual void blending(bool on) = 0;
    virtual void bind_texture(uint32_t tex) = 0;
    // Upload a texture of 2 bytes per texel (luminance, alpha) or 3 (RGB); returns its name.
    virtual uint32_t create_texture(int w, int h, int bytes_per_texel, const uint8_t* data) = 0;
    virtual void text_mark(const std::u16string& text, float x, float y, int size) = 0;
    virtual void clear() = 0;
    virtual void lighting_off() = 0;
    virtual void init_state() = 0;      // shading, clear colour, colour material
    virtual void final_state() = 0;     // culling off, opaque clear colour, first clear
    virtual void reshape(int w, int h) = 0;
    virtual void flush() = 0;           // close any open batch (before a buffer swap)
    virtual void finish() = 0;          // wait until everything drawn so far is done
    // Draw into layer `slot` (0..GFX_LAYERS-1) of w x h pixels, kept as it is or
    // cleared (inside the clip) to opaque black or to transparent; returns 0
    // when layers are not available.
    virtual uint32_t layer_open(int slot, int w, int h, int clear) = 0;
    virtual void layer_close() = 0;
    // Put the window rectangle x, y, w, h of layer `slot` back in its place;
    // `keyed`: only the pixels something was drawn on.
    virtual void layer_draw(int slot, bool keyed, int x, int y, int w, int h) = 0;
    // Draw only inside the window rectangle x, y, w, h (top-left origin), or everywhere.
    virtual void clip(bool on, int x, int y, int w, int h) = 0;
    // Read the rectangle x, y, w, h (RGB, top row first, w*h*3 bytes) of layer
    // `slot`, or with slot -1 of the window's back buffer.
    virtual bool read_pixels(int slot, int x, int y, int w, int h, uint8_t* rgb) = 0;
};

constexpr int GFX_LAYERS = 2;
enum gfx_layer_clear { GFX_LAYER_KEEP = 0, GFX_LAYER_OPAQUE = 1, GFX_LAYER_TRANSPARENT = 2 };

// Select the backend used by all gfx_ calls; nullptr selects OpenGL.
void gfx_use(gfx_backend* b);
gfx_backend* gfx_current();
gfx_backend* gfx_opengl();
// OpenGL backend only: keep consecutive points in one begin/end pair (default on).
void gfx_gl_batch_points(bool on);

// Forwarders to the current backend.
void gfx_color(float r, float g, float b, float a = 1.0f);
void gfx_point_size(float s);
void gfx_line_width(float w);
void gfx_line_stipple(bool on, int factor = 1, uint16_t pattern = 0xFFFF);
void gfx_begin(gfx_prim p);
void gfx_vertex(float x, float y, float z = 0.0f);
void gfx_tex_coord(float s, float t);
void gfx_end();
void gfx_push();
void gfx_pop();
void gfx_translate(float x, float y, float z = 0.0f);
void gfx_scale(float x, float y, float z);
void gfx_texturing(bool on);
void gfx_blending(bool on);
void gfx_bind_texture(uint32_t tex);
uint32_t gfx_create_texture(int w, int h, int bytes_per_texel, const uint8_t* data);
void gfx_text_mark(const std::u16string& text, float x, float y, int size);
void gfx_clear();
void gfx_lighting_off();
void gfx_init_state();
void gfx_final_state();
void gfx_reshape(int w, int h);
// Size of the window area last set by gfx_reshape (0 x 0 before the first).
void gfx_view_size(int& w, int& h);
void gfx_flush();
void gfx_finish();
uint32_t gfx_layer_open(int slot, int w, int h, int clear);
void gfx_clip(bool on, int x = 0, int y = 0, int w = 0, int h = 0);
// Clip to the window box x, y, w, h within the clip in force (gfx_clip or
// an earlier push); gfx_clip_pop puts the one before back.
constexpr int GFX_CLIP_DEPTH = 8;
void gfx_clip_push(int x, int y, int w, int h);
void gfx_clip_pop();
void gfx_layer_close();
void gfx_layer_draw(int slot, bool keyed, int x, int y, int w, int h);
bool gfx_read_pixels(int slot, int x, int y, int w, int h, uint8_t* rgb);
// Box tracking: while on, every vertex drawn widens a window box (by half the
// point size or line width); gfx_tracked gives it, false when nothing was drawn.
void gfx_track(bool on);
bool gfx_tracked(float box[4]);

// One thing a recorded frame drew, in window pixels.
struct gfx_event {
    enum type_t { POINT, LINE, QUAD, TEXQUAD, TEXT } type;
    float x[4], y[4];     // POINT: x[0],y[0]; LINE: 2 ends; QUAD/TEXQUAD: 4 corners; TEXT: pen start
    float r, g, b;        // colour current when drawn
    float size;           // point size (POINT), line width (LINE), face size (TEXT)
    bool stipple;         // LINE drawn with a stipple pattern
    uint16_t pattern;
    uint32_t texture;     // TEXQUAD
    std::u16string text;  // TEXT
};

// Backend that records instead of drawing.
class gfx_recorder : public gfx_backend {
public:
    std::vector<gfx_event> events;
    int viewport[4] = {0, 0, 0, 0};
    double ortho[6] = {0, 0, 0, 0, 0, 0};
    float clear_alpha = 0.0f;
    int clears = 0;
    // Bounds mode: keep no events, only the box around what was drawn.
    bool bounds_only = false;
    // Where textures are really made while measuring (glyphs are cached by name).
    gfx_backend* texture_maker = nullptr;
    float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};   // x0, y0, x1, y1

    void reset() { events.clear(); box[0] = box[1] = 1e30f; box[2] = box[3] = -1e30f; }
    // Convenience queries for tests.
    std::vector<gfx_event> of_type(gfx_event::type_t t) const;
    size_t count(gfx_event::type_t t) const;

    void color(float r, float g, float b, float a) override;
    void point_size(float s) override;
    void line_width(float w) override;
    void line_stipple(bool on, int factor, uint16_t pattern) override;
    void begin(gfx_prim p) override;
    void vertex(float x, float y, float z) override;
    void tex_coord(float, float) override {}
    void end() override;
    void push() override;
    void pop() override;
    void translate(float x, float y, float z) override;
    void scale(float x, float y, float z) override;
    void texturing(bool on) override { tex_on_ = on; }
    void blending(bool) override {}
    void bind_texture(uint32_t tex) override { bound_ = tex; }
    uint32_t create_texture(int w, int h, int bpt, const uint8_t* data) override
    {
        return texture_maker ? texture_maker->create_texture(w, h, bpt, data) : ++next_tex_;
    }
    void text_mark(const std::u16string& text, float x, float y, int size) override;
    void clear() override { clears++; }
    void lighting_off() override {}
    void init_state() override { clear_alpha = 0.5f; }
    void final_state() override { clear_alpha = 1.0f; clears++; }
    void reshape(int w, int h) override;
    void flush() override {}
    void finish() override {}
    uint32_t layer_open(int, int, int, int) override { return 0; }
    void clip(bool, int, int, int, int) override {}
    void layer_close() override {}
    void layer_draw(int, bool, int, int, int, int) override {}
    bool read_pixels(int, int, int, int, int, uint8_t*) override { return false; }

private:
    void keep(const gfx_event& e);
    struct xf { float tx, ty, sx, sy; };
    std::vector<xf> stack_{{0, 0, 1, 1}};
    float r_ = 1, g_ = 1, b_ = 1, psize_ = 1, lwidth_ = 1;
    bool stipple_ = false, tex_on_ = false;
    uint16_t pattern_ = 0xFFFF;
    uint32_t bound_ = 0, next_tex_ = 0;
    gfx_prim prim_ = GFX_POINTS;
    std::vector<float> vx_, vy_;
};
