/*******************************************************************************
 * raster/gfx_gl.cpp - the OpenGL backend: the only file that draws with OpenGL/GLU
 *
 * Fixed-function OpenGL 1.x in immediate mode. Consecutive points of one size
 * are gathered, each with the colour current when it was given, and drawn
 * with one vertex-array call; a point-size change or any other drawing call
 * draws the gathered points first, so the picture is the same as one
 * begin/end pair per point. With batching off, every point gets its own pair.
 * Layers are framebuffer objects with a texture each (RGBA for a transparent
 * layer, RGB for an opaque one), made again only when the view's size or
 * that choice changes.
 *
 * Limits: GFX_LAYERS layers; at most POINT_BATCH_MAX points wait in a batch.
 * Depends on: OpenGL 1.x (fixed function) and GLU (gluLookAt), with
 * framebuffer objects (glext.h prototypes) for the layers.
 * Does NOT: make the context or the window (platform/window and
 * platform/offscreen_gl do), swap buffers, or keep the drawing as events
 * (the recorder in raster/gfx.cpp does).
 *
 * Sections: colours | points and primitives | matrices, state and textures |
 * layers | clipping and reading back | the point batch | the backend
 ******************************************************************************/
#include "raster/gfx.h"
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <vector>

namespace {

constexpr size_t POINT_BATCH_MAX = 1 << 16;  // points gathered before they are drawn

// ---- colours ----------------------------------------------------------------------

// The nearest of the 256 values a colour byte can hold, clamped to 0..1.
float on_byte(float v)
{
    if (!(v > 0.0f)) return 0.0f;
    if (v >= 1.0f) return 1.0f;
    return (float)(int)(v * 255.0f + 0.5f) / 255.0f;
}

// ---- points and primitives ---------------------------------------------------------

class gl_backend : public gfx_backend {
public:
    bool batch = true;

    void color(float r, float g, float b, float a) override
    {
        // Colours are given on the byte grid, so the window and the layers,
        // which may round halfway values differently, store the same bytes.
        cur_[0] = on_byte(r); cur_[1] = on_byte(g); cur_[2] = on_byte(b); cur_[3] = on_byte(a);
        r = cur_[0]; g = cur_[1]; b = cur_[2]; a = cur_[3];
        if (!open_) glColor4f(r, g, b, a);  // a waiting batch restores it when drawn
    }
    void point_size(float s) override
    {
        if (open_ && s == psize_) return;
        close();
        glPointSize(s);
        psize_ = s;
    }
    void line_width(float w) override { close(); glLineWidth(w); }
    void line_stipple(bool on, int factor, uint16_t pattern) override
    {
        close();
        if (on) { glEnable(GL_LINE_STIPPLE); glLineStipple(factor, pattern); }
        else glDisable(GL_LINE_STIPPLE);
    }
    void begin(gfx_prim p) override
    {
        if (p == GFX_POINTS && batch) {
            open_ = true;  // gather into the batch of points
            gathering_ = true;
            return;
        }
        close();
        static const GLenum modes[] = {GL_POINTS, GL_LINES, GL_LINE_LOOP, GL_LINE_STRIP, GL_QUADS};
        glBegin(modes[p]);
    }
    void vertex(float x, float y, float z) override
    {
        if (!gathering_) {
            glVertex3f(x, y, z);
            return;
        }
        if (xyz_.size() / 3 >= POINT_BATCH_MAX) draw_points();
        xyz_.insert(xyz_.end(), {x, y, z});
        rgba_.insert(rgba_.end(), {cur_[0], cur_[1], cur_[2], cur_[3]});
    }
    void tex_coord(float s, float t) override { glTexCoord2f(s, t); }
    void end() override
    {
        if (gathering_) {
            gathering_ = false;  // the points wait in the batch for the next draw
            return;
        }
        glEnd();
    }
// ---- matrices, state and textures ----------------------------------------------------

    void push() override { close(); glPushMatrix(); }
    void pop() override { close(); glPopMatrix(); }
    void translate(float x, float y, float z) override { close(); glTranslatef(x, y, z); }
    void scale(float x, float y, float z) override { close(); glScalef(x, y, z); }
    void texturing(bool on) override { close(); on ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D); }
    void blending(bool on) override
    {
        close();
        if (on) { glEnable(GL_BLEND); glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); }
        else glDisable(GL_BLEND);
    }
    void bind_texture(uint32_t tex) override { close(); glBindTexture(GL_TEXTURE_2D, tex); }
    uint32_t create_texture(int w, int h, int bpt, const uint8_t* data) override
    {
        close();
        GLuint tex = 0;
        glGenTextures(1, &tex);
        glBindTexture(GL_TEXTURE_2D, tex);
        // Glyphs are smoothed; pictures keep their pixels sharp.
        GLint filter = bpt == 3 ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        if (bpt == 2)
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, data);
        else
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, data);
        return tex;
    }
    void text_mark(const std::u16string&, float, float, int) override {}
    void clear() override { close(); glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
    void lighting_off() override { close(); glDisable(GL_LIGHTING); }
    void init_state() override
    {
        glShadeModel(GL_SMOOTH);
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
    }
    void final_state() override
    {
        glDisable(GL_CULL_FACE);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void reshape(int w, int h) override
    {
        close();
        glViewport(0, 0, w, h);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, w, h, 0, -100, 200);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, 30, 0, 0, 10, 0, 1, 0);
    }
    void flush() override { close(); }
    void finish() override { close(); glFinish(); }

// ---- layers ------------------------------------------------------------------------

    uint32_t layer_open(int slot, int w, int h, int clear) override
    {
        close();
        if (slot < 0 || slot >= GFX_LAYERS || w <= 0 || h <= 0) return 0;
        layer& l = layers_[slot];
        // Opaque layers take the window's own pixel layout, so colours are
        // rounded to bytes exactly as in the window; transparent ones need alpha.
        const bool alpha = clear == GFX_LAYER_TRANSPARENT || (clear == GFX_LAYER_KEEP && l.alpha);
        if (l.fbo == 0 || l.w != w || l.h != h || l.alpha != alpha) {
            if (l.fbo == 0) {
                glGenFramebuffers(1, &l.fbo);
                glGenTextures(1, &l.tex);
            }
            GLint bound = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            glBindTexture(GL_TEXTURE_2D, l.tex);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
            glBindTexture(GL_TEXTURE_2D, (GLuint)bound);
            glBindFramebuffer(GL_FRAMEBUFFER, l.fbo);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, l.tex, 0);
            l.w = w;
            l.h = h;
            l.alpha = alpha;
            l.ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, l.fbo);
        if (!l.ok) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            drawing_into_ = 0;
            return 0;
        }
        drawing_into_ = l.fbo;
        if (clear != GFX_LAYER_KEEP) {
            glClearColor(0.0f, 0.0f, 0.0f, clear == GFX_LAYER_TRANSPARENT ? 0.0f : 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        }
        return l.tex;
    }
    void layer_close() override
    {
        close();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        drawing_into_ = 0;
    }
    // A plain copy of a layer's rectangle into what is drawn into: a
    // framebuffer blit, which copies rows without shading them.
    void layer_blit(int slot, int x0, int y0, int x1, int y1)
    {
        const auto& l = layers_[slot];
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, l.fbo);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawing_into_);
        // Framebuffer rows count from the bottom.
        glBlitFramebuffer(x0, l.h - y1, x1, l.h - y0, x0, vp[3] - y1, x1, vp[3] - y0,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, drawing_into_);
    }
    void layer_draw(int slot, bool keyed, int x, int y, int w, int h) override
    {
        close();
        if (slot < 0 || slot >= GFX_LAYERS || !layers_[slot].ok) return;
        const layer& l = layers_[slot];
        // The part inside the layer, in whole pixels.
        int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
        int x1 = x + w > l.w ? l.w : x + w, y1 = y + h > l.h ? l.h : y + h;
        if (x1 <= x0 || y1 <= y0) return;
        if (!keyed && l.fbo != drawing_into_) {
            layer_blit(slot, x0, y0, x1, y1);
            return;
        }
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        const GLboolean tex_on = glIsEnabled(GL_TEXTURE_2D), blend_on = glIsEnabled(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, l.tex);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        if (keyed) {
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GREATER, 0.0f);
        }
        // Texture rows count from the bottom of the view, window rows from its top.
        const float s0 = (float)x0 / l.w, s1 = (float)x1 / l.w;
        const float t0 = 1.0f - (float)y0 / l.h, t1 = 1.0f - (float)y1 / l.h;
        const float u0 = (float)x0, u1 = (float)x1, v0 = (float)y0, v1 = (float)y1;
        glBegin(GL_QUADS);
        glTexCoord2f(s0, t0); glVertex3f(u0, v0, 0);
        glTexCoord2f(s1, t0); glVertex3f(u1, v0, 0);
        glTexCoord2f(s1, t1); glVertex3f(u1, v1, 0);
        glTexCoord2f(s0, t1); glVertex3f(u0, v1, 0);
        glEnd();
        if (keyed) glDisable(GL_ALPHA_TEST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        if (!tex_on) glDisable(GL_TEXTURE_2D);
        if (blend_on) glEnable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, (GLuint)bound);
        glColor4f(cur_[0], cur_[1], cur_[2], cur_[3]);
    }
// ---- clipping and reading back ---------------------------------------------------------

    void clip(bool on, int x, int y, int w, int h) override
    {
        close();
        if (!on) {
            glDisable(GL_SCISSOR_TEST);
            return;
        }
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, vp[3] - (y + h), w < 0 ? 0 : w, h < 0 ? 0 : h);
    }
    bool read_pixels(int slot, int x, int y, int w, int h, uint8_t* rgb) override
    {
        close();
        if (w <= 0 || h <= 0) return false;
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        if (slot >= 0) {
            if (slot >= GFX_LAYERS || !layers_[slot].ok) return false;
            glBindFramebuffer(GL_READ_FRAMEBUFFER, layers_[slot].fbo);
        } else {
            glReadBuffer(GL_BACK);
        }
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, vp[3] - (y + h), w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        if (slot >= 0) glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        // Rows come bottom first: turn them over.
        const size_t row = (size_t)w * 3;
        for (int r = 0; r < h / 2; r++)
            for (size_t i = 0; i < row; i++) {
                uint8_t t = rgb[r * row + i];
                rgb[r * row + i] = rgb[(size_t)(h - 1 - r) * row + i];
                rgb[(size_t)(h - 1 - r) * row + i] = t;
            }
        return glGetError() == GL_NO_ERROR;
    }

// ---- the point batch ------------------------------------------------------------------

private:
    struct layer {
        GLuint fbo = 0, tex = 0;
        int w = 0, h = 0;
        bool ok = false, alpha = false;
    };
    layer layers_[GFX_LAYERS];
    GLuint drawing_into_ = 0;  // the framebuffer drawn into: a layer's, or the window's (0)
    bool open_ = false;       // a batch of points is waiting
    bool gathering_ = false;  // between begin and end of points
    float psize_ = -1;
    float cur_[4] = {1, 1, 1, 1};
    std::vector<float> xyz_, rgba_;

    void draw_points()
    {
        if (xyz_.empty()) return;
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, xyz_.data());
        glColorPointer(4, GL_FLOAT, 0, rgba_.data());
        glDrawArrays(GL_POINTS, 0, (GLsizei)(xyz_.size() / 3));
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        // The colour array leaves the current colour undefined: restore it.
        glColor4f(cur_[0], cur_[1], cur_[2], cur_[3]);
        xyz_.clear();
        rgba_.clear();
    }
    void close()
    {
        if (open_) {
            draw_points();
            open_ = false;
        }
    }
};

// ---- the backend ----------------------------------------------------------------------

gl_backend gl;

} // namespace

gfx_backend* gfx_opengl() { return &gl; }
void gfx_gl_batch_points(bool on) { gl.flush(); gl.batch = on; }
