/*******************************************************************************
 * app/help_overlay.cpp - drawing the F1 list
 ******************************************************************************/
#include "app/help_overlay.h"
#include "edit/key_help.h"
#include "platform/messages.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"

namespace {

// The heading, converted once.
const std::u16string& help_title()
{
    static const std::u16string title = to_wide(gbk_from_utf8(msg_text(MSG_KEY_LIST_TITLE)).c_str());
    return title;
}

} // namespace

void draw_help_overlay(bool shown)
{
    if (!shown) return;
    const int h = (KEY_HELP_LINES + 2) * HELP_LINE_H;
    const float x0 = HELP_BOX_X, y0 = HELP_BOX_Y, x1 = x0 + HELP_BOX_W, y1 = y0 + h;
    gfx_texturing(false);
    gfx_blending(false);
    gfx_color(0.08f, 0.08f, 0.12f);
    gfx_begin(GFX_QUADS);
    gfx_vertex(x0, y0, 1); gfx_vertex(x1, y0, 1); gfx_vertex(x1, y1, 1); gfx_vertex(x0, y1, 1);
    gfx_end();
    gfx_line_width(1.0f);
    gfx_color(1.0f, 1.0f, 0.6f);
    gfx_begin(GFX_LINE_LOOP);
    gfx_vertex(x0, y0, 1); gfx_vertex(x1, y0, 1); gfx_vertex(x1, y1, 1); gfx_vertex(x0, y1, 1);
    gfx_end();

    const int left = HELP_BOX_X + 20;
    gfx_color(1.0f, 1.0f, 0.6f);
    draw_screen_text(help_title(), left, HELP_BOX_Y + HELP_LINE_H, HELP_BOX_W, HELP_LINE_H);
    for (int i = 0; i < KEY_HELP_LINES; i++) {
        const int y = HELP_BOX_Y + (i + 2) * HELP_LINE_H - HELP_BASELINE_RAISE;
        gfx_color(1.0f, 1.0f, 0.6f);
        draw_screen_text(key_help_wide(i, 0), left, y, HELP_BOX_W, HELP_LINE_H);
        gfx_color(1, 1, 1);
        draw_screen_text(key_help_wide(i, 1), left + HELP_KEYS_W, y, HELP_BOX_W, HELP_LINE_H);
    }
    gfx_texturing(false);
    gfx_blending(false);
}
