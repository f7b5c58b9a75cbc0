/*******************************************************************************
 * items/buttons.cpp - the three button looks and the row rule
 ******************************************************************************/
#include "items/buttons.h"
#include "model/settings.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"

void button_rect(const menu_unit& b, int& left, int& top, int& right, int& bottom)
{
    int p = led_pitch;
    left = b.x - p;
    right = b.x + p * (b.w - 1);
    top = b.y - p * b.h;
    bottom = b.y + p * (b.h / 4 + 2);
}

namespace {

void rect_vertices(const menu_unit& b)
{
    int l, t, r, bt;
    button_rect(b, l, t, r, bt);
    gfx_vertex((float)l, (float)bt);
    gfx_vertex((float)l, (float)t);
    gfx_vertex((float)r, (float)t);
    gfx_vertex((float)r, (float)bt);
}

void fill(const menu_unit& b, float r, float g, float bl)
{
    gfx_color(r, g, bl);
    gfx_begin(GFX_QUADS);
    rect_vertices(b);
    gfx_end();
}

void label(const menu_unit& b, float grey)
{
    gfx_color(grey, grey, grey);
    draw_screen_text_sized(b.label_size, to_wide(b.label), b.x, b.y, 500, 300);
}

} // namespace

void draw_button(const menu_unit& b)
{
    gfx_line_width(1.0f);
    gfx_color(0.8f, 0.8f, 0.8f);
    gfx_begin(GFX_LINE_LOOP);
    rect_vertices(b);
    gfx_end();
    fill(b, b.fill_r, b.fill_g, b.fill_b);
    label(b, 1.0f);
}

void draw_button_pressed(const menu_unit& b)
{
    gfx_line_width(1.0f);
    fill(b, 0.2f, 0.2f, 0.2f);
    label(b, 0.9f);
}

void draw_button_hover(const menu_unit& b)
{
    gfx_line_width(1.0f);
    fill(b, 0.5f, 0.5f, 0.5f);
    label(b, 1.0f);
}

void draw_row_button(const menu_unit* row, int k, int hover, int pressed, int down)
{
    if (!row) return;
    if (k == pressed && down) draw_button_pressed(row[k]);
    else draw_button(row[k]);
    if (k == hover) draw_button_hover(row[k]);
}
