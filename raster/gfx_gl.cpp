/*******************************************************************************
 * raster/gfx_gl.cpp - the OpenGL backend: the only file that calls OpenGL/GLU
 *
 * Fixed-function OpenGL 1.x in immediate mode. Consecutive points of one size
 * are gathered, each with the colour current when it was given, and drawn
 * with one vertex-array call; a point-size change or any other drawing call
 * draws the gathered points first, so the picture is the same as one
 * begin/end pair per point. With batching off, every point gets its own pair.
 ******************************************************************************/
#include "raster/gfx.h"
#include <GL/gl.h>
#include <GL/glu.h>
#include <vector>

namespace {

constexpr size_t POINT_BATCH_MAX = 1 << 16;  // points gathered before they are drawn

class gl_backend : public gfx_backend {
public:
    bool batch = true;

    void color(float r, float g, float b, float a) override
    {
        cur_[0] = r; cur_[1] = g; cur_[2] = b; cur_[3] = a;
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

private:
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

gl_backend gl;

} // namespace

gfx_backend* gfx_opengl() { return &gl; }
void gfx_gl_batch_points(bool on) { gl.flush(); gl.batch = on; }
