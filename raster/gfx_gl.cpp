/*******************************************************************************
 * raster/gfx_gl.cpp - the OpenGL backend: the only file that calls OpenGL/GLU
 *
 * Fixed-function OpenGL 1.x in immediate mode. Consecutive points share one
 * glBegin/glEnd pair: glColor is legal between them, so a run of dots in any
 * colours is one batch; a point-size change or any other call closes it.
 ******************************************************************************/
#include "raster/gfx.h"
#include <GL/gl.h>
#include <GL/glu.h>

namespace {

class gl_backend : public gfx_backend {
public:
    bool batch = true;

    void color(float r, float g, float b, float a) override { glColor4f(r, g, b, a); }
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
        if (open_ && p == GFX_POINTS && batch) return;  // extend the open batch of points
        close();
        static const GLenum modes[] = {GL_POINTS, GL_LINES, GL_LINE_LOOP, GL_LINE_STRIP, GL_QUADS};
        glBegin(modes[p]);
        if (p == GFX_POINTS && batch) open_ = true;
    }
    void vertex(float x, float y, float z) override { glVertex3f(x, y, z); }
    void tex_coord(float s, float t) override { glTexCoord2f(s, t); }
    void end() override
    {
        if (open_) return;  // points stay open until something else comes
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
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
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

private:
    bool open_ = false;
    float psize_ = -1;
    void close()
    {
        if (open_) { glEnd(); open_ = false; }
    }
};

gl_backend gl;

} // namespace

gfx_backend* gfx_opengl() { return &gl; }
void gfx_gl_batch_points(bool on) { gl.flush(); gl.batch = on; }
