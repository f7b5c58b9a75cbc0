/*******************************************************************************
 * raster/gfx.cpp - backend selection, forwarders and the recording backend
 ******************************************************************************/
#include "raster/gfx.h"
#include <algorithm>

namespace {
gfx_backend* active = nullptr;
inline gfx_backend& B() { return active ? *active : *gfx_opengl(); }

// The transforms and sizes drawn with, mirrored for box tracking.
constexpr int TRACK_DEPTH = 32;
struct track_xf {
    float tx, ty, sx, sy;
};
struct tracker {
    track_xf stack[TRACK_DEPTH] = {{0, 0, 1, 1}};
    int depth = 0;
    float point = 1, line = 1;
    bool on = false;
    gfx_prim prim = GFX_POINTS;
    float box[4] = {0, 0, 0, 0};
    bool any = false;
} trk;
} // namespace

void gfx_track(bool on)
{
    trk.on = on;
    if (on) trk.any = false;
}

bool gfx_tracked(float box[4])
{
    for (int i = 0; i < 4; i++) box[i] = trk.box[i];
    return trk.any;
}

void gfx_use(gfx_backend* b) { active = b; }
gfx_backend* gfx_current() { return &B(); }

void gfx_color(float r, float g, float b, float a) { B().color(r, g, b, a); }
void gfx_point_size(float s) { trk.point = s; B().point_size(s); }
void gfx_line_width(float w) { trk.line = w; B().line_width(w); }
void gfx_line_stipple(bool on, int factor, uint16_t pattern) { B().line_stipple(on, factor, pattern); }
void gfx_begin(gfx_prim p)
{
    trk.prim = p;
    B().begin(p);
}
void gfx_vertex(float x, float y, float z)
{
    if (trk.on) {
        const track_xf& t = trk.stack[trk.depth];
        const float wx = t.tx + x * t.sx, wy = t.ty + y * t.sy;
        const float m = (trk.prim == GFX_POINTS ? trk.point / 2 : trk.prim == GFX_QUADS ? 0 : trk.line / 2) + 1;
        if (!trk.any) {
            trk.box[0] = trk.box[2] = wx;
            trk.box[1] = trk.box[3] = wy;
            trk.any = true;
        }
        if (wx - m < trk.box[0]) trk.box[0] = wx - m;
        if (wy - m < trk.box[1]) trk.box[1] = wy - m;
        if (wx + m > trk.box[2]) trk.box[2] = wx + m;
        if (wy + m > trk.box[3]) trk.box[3] = wy + m;
    }
    B().vertex(x, y, z);
}
void gfx_tex_coord(float s, float t) { B().tex_coord(s, t); }
void gfx_end() { B().end(); }
void gfx_push()
{
    if (trk.depth + 1 < TRACK_DEPTH) {
        trk.stack[trk.depth + 1] = trk.stack[trk.depth];
        trk.depth++;
    }
    B().push();
}
void gfx_pop()
{
    if (trk.depth > 0) trk.depth--;
    B().pop();
}
void gfx_translate(float x, float y, float z)
{
    track_xf& t = trk.stack[trk.depth];
    t.tx += x * t.sx;
    t.ty += y * t.sy;
    B().translate(x, y, z);
}
void gfx_scale(float x, float y, float z)
{
    track_xf& t = trk.stack[trk.depth];
    t.sx *= x;
    t.sy *= y;
    B().scale(x, y, z);
}
void gfx_texturing(bool on) { B().texturing(on); }
void gfx_blending(bool on) { B().blending(on); }
void gfx_bind_texture(uint32_t tex) { B().bind_texture(tex); }
uint32_t gfx_create_texture(int w, int h, int bpt, const uint8_t* data) { return B().create_texture(w, h, bpt, data); }
void gfx_text_mark(const std::u16string& text, float x, float y, int size) { B().text_mark(text, x, y, size); }
void gfx_clear() { B().clear(); }
void gfx_lighting_off() { B().lighting_off(); }
void gfx_init_state() { B().init_state(); }
void gfx_final_state() { B().final_state(); }
namespace {
int view_w = 0, view_h = 0;
} // namespace

void gfx_reshape(int w, int h)
{
    view_w = w;
    view_h = h;
    B().reshape(w, h);
}

void gfx_view_size(int& w, int& h)
{
    w = view_w;
    h = view_h;
}
void gfx_flush() { B().flush(); }
void gfx_finish() { B().finish(); }
uint32_t gfx_layer_open(int slot, int w, int h, int clear) { return B().layer_open(slot, w, h, clear); }
namespace {

// The clips in force: [0] set by gfx_clip, the others pushed within it.
struct clip_box {
    bool on;
    int x, y, w, h;
};
clip_box clips[GFX_CLIP_DEPTH] = {};
int clip_depth = 0;

void apply_clip(const clip_box& c) { B().clip(c.on, c.x, c.y, c.w, c.h); }

} // namespace

void gfx_clip(bool on, int x, int y, int w, int h)
{
    clip_depth = 0;
    clips[0] = {on, x, y, w, h};
    apply_clip(clips[0]);
}

void gfx_clip_push(int x, int y, int w, int h)
{
    const clip_box& top = clips[clip_depth];
    clip_box c{true, x, y, w, h};
    if (top.on) {
        const int x0 = std::max(x, top.x), y0 = std::max(y, top.y);
        const int x1 = std::min(x + w, top.x + top.w), y1 = std::min(y + h, top.y + top.h);
        c = {true, x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
    }
    if (clip_depth + 1 < GFX_CLIP_DEPTH) clip_depth++;
    clips[clip_depth] = c;
    apply_clip(c);
}

void gfx_clip_pop()
{
    if (clip_depth > 0) clip_depth--;
    apply_clip(clips[clip_depth]);
}
void gfx_layer_close() { B().layer_close(); }
void gfx_layer_draw(int slot, bool keyed, int x, int y, int w, int h) { B().layer_draw(slot, keyed, x, y, w, h); }
bool gfx_read_pixels(int slot, int x, int y, int w, int h, uint8_t* rgb)
{
    return B().read_pixels(slot, x, y, w, h, rgb);
}

// ---- recorder --------------------------------------------------------------

std::vector<gfx_event> gfx_recorder::of_type(gfx_event::type_t t) const
{
    std::vector<gfx_event> out;
    for (const gfx_event& e : events)
        if (e.type == t) out.push_back(e);
    return out;
}

size_t gfx_recorder::count(gfx_event::type_t t) const
{
    size_t n = 0;
    for (const gfx_event& e : events)
        if (e.type == t) n++;
    return n;
}

// Store an event, or in bounds mode only widen the box by it (half a point or
// line width around its corners).
void gfx_recorder::keep(const gfx_event& e)
{
    if (!bounds_only) {
        events.push_back(e);
        return;
    }
    if (e.type == gfx_event::TEXT) return;  // its glyphs are quads of their own
    int n = e.type == gfx_event::POINT ? 1 : e.type == gfx_event::LINE ? 2 : 4;
    float m = (e.type == gfx_event::POINT || e.type == gfx_event::LINE ? e.size / 2 : 0) + 1;
    for (int i = 0; i < n; i++) {
        float x0 = e.x[i] - m, y0 = e.y[i] - m, x1 = e.x[i] + m, y1 = e.y[i] + m;
        if (x0 < box[0]) box[0] = x0;
        if (y0 < box[1]) box[1] = y0;
        if (x1 > box[2]) box[2] = x1;
        if (y1 > box[3]) box[3] = y1;
    }
}

void gfx_recorder::color(float r, float g, float b, float) { r_ = r; g_ = g; b_ = b; }
void gfx_recorder::point_size(float s) { psize_ = s; }
void gfx_recorder::line_width(float w) { lwidth_ = w; }
void gfx_recorder::line_stipple(bool on, int, uint16_t pattern) { stipple_ = on; pattern_ = pattern; }

void gfx_recorder::begin(gfx_prim p)
{
    prim_ = p;
    vx_.clear();
    vy_.clear();
}

void gfx_recorder::vertex(float x, float y, float)
{
    const xf& t = stack_.back();
    float wx = t.tx + x * t.sx, wy = t.ty + y * t.sy;
    if (prim_ == GFX_POINTS) {
        gfx_event e{};
        e.type = gfx_event::POINT;
        e.x[0] = wx; e.y[0] = wy;
        e.r = r_; e.g = g_; e.b = b_;
        e.size = psize_;
        keep(e);
        return;
    }
    vx_.push_back(wx);
    vy_.push_back(wy);
    size_t n = vx_.size();
    auto line = [&](size_t a, size_t b) {
        gfx_event e{};
        e.type = gfx_event::LINE;
        e.x[0] = vx_[a]; e.y[0] = vy_[a]; e.x[1] = vx_[b]; e.y[1] = vy_[b];
        e.r = r_; e.g = g_; e.b = b_;
        e.size = lwidth_;
        e.stipple = stipple_;
        e.pattern = pattern_;
        keep(e);
    };
    if (prim_ == GFX_LINES && n % 2 == 0) line(n - 2, n - 1);
    if ((prim_ == GFX_LINE_STRIP || prim_ == GFX_LINE_LOOP) && n >= 2) line(n - 2, n - 1);
    if (prim_ == GFX_QUADS && n % 4 == 0) {
        gfx_event e{};
        e.type = tex_on_ ? gfx_event::TEXQUAD : gfx_event::QUAD;
        for (int i = 0; i < 4; i++) { e.x[i] = vx_[n - 4 + i]; e.y[i] = vy_[n - 4 + i]; }
        e.r = r_; e.g = g_; e.b = b_;
        e.texture = bound_;
        keep(e);
    }
}

void gfx_recorder::end()
{
    if (prim_ == GFX_LINE_LOOP && vx_.size() >= 2) {
        size_t n = vx_.size();
        vx_.push_back(vx_[0]);
        vy_.push_back(vy_[0]);
        gfx_event e{};
        e.type = gfx_event::LINE;
        e.x[0] = vx_[n - 1]; e.y[0] = vy_[n - 1]; e.x[1] = vx_[0]; e.y[1] = vy_[0];
        e.r = r_; e.g = g_; e.b = b_;
        e.size = lwidth_;
        e.stipple = stipple_;
        e.pattern = pattern_;
        keep(e);
    }
    vx_.clear();
    vy_.clear();
}

void gfx_recorder::push() { stack_.push_back(stack_.back()); }
void gfx_recorder::pop() { if (stack_.size() > 1) stack_.pop_back(); }

void gfx_recorder::translate(float x, float y, float)
{
    xf& t = stack_.back();
    t.tx += x * t.sx;
    t.ty += y * t.sy;
}

void gfx_recorder::scale(float x, float y, float)
{
    xf& t = stack_.back();
    t.sx *= x;
    t.sy *= y;
}

void gfx_recorder::text_mark(const std::u16string& text, float x, float y, int size)
{
    const xf& t = stack_.back();
    gfx_event e{};
    e.type = gfx_event::TEXT;
    e.x[0] = t.tx + x * t.sx;
    e.y[0] = t.ty + y * t.sy;
    e.r = r_; e.g = g_; e.b = b_;
    e.size = (float)size;
    e.text = text;
    keep(e);
}

void gfx_recorder::reshape(int w, int h)
{
    viewport[0] = 0; viewport[1] = 0; viewport[2] = w; viewport[3] = h;
    ortho[0] = 0; ortho[1] = w; ortho[2] = h; ortho[3] = 0; ortho[4] = -100; ortho[5] = 200;
}
