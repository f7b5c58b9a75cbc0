/*******************************************************************************
 * app/frame.cpp - the frame routine, pacing and the reshape callback
 *
 * Sections: the parts of a frame | items through the view | the frame | pacing
 ******************************************************************************/
#include "app/frame.h"
#include "app/help_overlay.h"
#include "edit/close_prompt.h"
#include "edit/hit_test.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include "items/palette.h"
#include "platform/gbk.h"
#include "platform/system.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/picture.h"
#include "raster/screen_text.h"
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr float CLOSE_PROMPT_DEPTH = 5.0f; // in front of the panel (0) and the pictures (1)
constexpr int STATUS_FACE = 1;             // the face draw_screen_text uses
constexpr int STATUS_RIGHT_MARGIN = 24;    // px kept free right of the status line
constexpr int STATUS_MIN_X = 10;           // a long status line starts no further left
constexpr int STATUS_MIN_WRAP = 300;       // a long status line wraps no narrower
constexpr int READOUT_WRAP = 289, READOUT_LINE = 225;
constexpr int BOX_READOUT_X = 195, BOX_READOUT_Y = 120;   // the group reference's box, over the palette
constexpr int PROMPT_TEXT_INSET = 24, PROMPT_TEXT_TOP = 40, PROMPT_TEXT_TRIM = 40, PROMPT_LINE = 25;
constexpr int PROMPT_LABEL_INSET = 14, PROMPT_LABEL_TOP = 30;
constexpr int PROMPT_BORDER = 2;
constexpr int READOUT_LEN = 64;
constexpr int CLOCK_SAMPLES_MAX = 16;
constexpr long long MS_PER_SECOND = 1000;

// ---- the parts of a frame ------------------------------------------------------------

// True while a press, drag, resize or held tool button is under way.
bool pointer_busy(const interaction& ui)
{
    return ui.left_down || ui.gesture != GESTURE_NONE || ui.rows[ROW_DELETE].down || ui.rows[ROW_COMMAND].down ||
           ui.rows[ROW_ALIGN].down;
}

void draw_row_slot(const designer& g, tool_row_id row, int k)
{
    const int p = view_pitch(g.v);
    draw_row_button(tool_row(row, p), k, g.ui.rows[row], p);
}

// White screen text from a formatted ASCII read-out.
void draw_readout(const char* text, int x, int y)
{
    gfx_color(1, 1, 1);
    draw_screen_text(to_wide(text), x, y, READOUT_WRAP, READOUT_LINE);
}

// The status line along the top edge, coloured by its tone.
void draw_status_line(const designer& g)
{
    const status_line& s = g.ui.status;
    if (s.tone == STATUS_NONE || s.wide[0] == 0) return;
    if (s.tone == STATUS_OK) gfx_color(0.3f, 1.0f, 0.3f);
    else if (s.tone == STATUS_ERROR) gfx_color(1.0f, 0.35f, 0.35f);
    else gfx_color(1.0f, 1.0f, 0.6f);
    // A message too long for the room right of STATUS_X starts further left,
    // so the whole of it stays in sight; only a very long one wraps.
    const std::u16string text(s.wide);
    int64_t width = 0;
    for (char16_t c : text) {
        load_glyph_texture(STATUS_FACE, c);
        width += glyph_cache[c].advance;
    }
    int view_w = 0, view_h = 0;
    gfx_view_size(view_w, view_h);
    const int64_t right = (int64_t)view_w - STATUS_RIGHT_MARGIN;
    int64_t x = STATUS_X;
    if (view_w > 0 && x + width > right) x = right - width > STATUS_MIN_X ? right - width : STATUS_MIN_X;
    const int64_t wrap = right - x > STATUS_MIN_WRAP ? right - x : STATUS_MIN_WRAP;
    draw_screen_text(text, (int)x, STATUS_Y, (int)wrap, 0);
}

// A filled rectangle in the current colour, over everything drawn before.
void fill_box(int x, int y, int w, int h)
{
    gfx_begin(GFX_QUADS);
    gfx_vertex((float)x, (float)y, CLOSE_PROMPT_DEPTH);
    gfx_vertex((float)(x + w), (float)y, CLOSE_PROMPT_DEPTH);
    gfx_vertex((float)(x + w), (float)(y + h), CLOSE_PROMPT_DEPTH);
    gfx_vertex((float)x, (float)(y + h), CLOSE_PROMPT_DEPTH);
    gfx_end();
}

// The prompt: a framed box with the question and its buttons, the one
// Enter picks in green.
void draw_prompt(const prompt_state& q)
{
    if (!q.shown) return;
    gfx_texturing(false);
    gfx_color(0.85f, 0.85f, 0.85f);
    fill_box(PROMPT_X - PROMPT_BORDER, PROMPT_Y - PROMPT_BORDER, PROMPT_W + 2 * PROMPT_BORDER,
             PROMPT_H + 2 * PROMPT_BORDER);
    gfx_color(0.12f, 0.12f, 0.2f);
    fill_box(PROMPT_X, PROMPT_Y, PROMPT_W, PROMPT_H);
    gfx_color(1, 1, 1);
    draw_screen_text(std::u16string(q.question), PROMPT_X + PROMPT_TEXT_INSET, PROMPT_Y + PROMPT_TEXT_TOP,
                     PROMPT_W - PROMPT_TEXT_TRIM, PROMPT_LINE);
    for (int k = 0; k < q.button_count; k++) {
        const int left = prompt_button_left(q, k);
        gfx_texturing(false);
        if (k == q.enter_choice) gfx_color(0.2f, 0.55f, 0.25f);
        else gfx_color(0.35f, 0.35f, 0.42f);
        fill_box(left, PROMPT_BUTTON_TOP, PROMPT_BUTTON_W, PROMPT_BUTTON_H);
        gfx_color(1, 1, 1);
        draw_screen_text(std::u16string(q.labels[k]), left + PROMPT_LABEL_INSET, PROMPT_BUTTON_TOP + PROMPT_LABEL_TOP,
                         PROMPT_BUTTON_W, PROMPT_LINE);
    }
}

// The input method's composition at the caret of the current text, underlined.
void draw_composition(designer& g)
{
    int32_t caret[4];
    editor e = g.edit();
    if (g.ui.composition[0] == 0 || !current_text_caret(e, caret)) return;
    const int baseline = caret[1] + caret[3];
    gfx_color(1, 1, 1);
    const int w = draw_screen_text(std::u16string(g.ui.composition), caret[0] + COMPOSITION_GAP, baseline, 100000, 225);
    gfx_line_width(1.0f);
    gfx_begin(GFX_LINES);
    gfx_vertex((float)(caret[0] + COMPOSITION_GAP), (float)(baseline + COMPOSITION_UNDERLINE));
    gfx_vertex((float)(caret[0] + COMPOSITION_GAP + w), (float)(baseline + COMPOSITION_UNDERLINE));
    gfx_end();
}

// The rubber band while it is drawn.
void draw_band(const interaction& ui)
{
    if (ui.band_shown) draw_dotted_box(ui.band_x, ui.band_y, ui.band_w, ui.band_h);
}

// ---- items through the view ----------------------------------------------------------

// What one frame draws from.
struct frame_state {
    designer* g;
    local_time now;
    bool group;      // a group is selected: the frame is drawn directly
};

// Everything the items stand on: palette, tool buttons, panel with its grid
// and rulers, pictures.
void draw_under_items(void* caller)
{
    const frame_state& f = *static_cast<frame_state*>(caller);
    designer& g = *f.g;
    editor e = g.edit();
    const int p = view_pitch(g.v);
    // The samples that show the clock are the layers' extras when they are used.
    draw_palette(g.doc, p, f.now, false);

    if (delete_row_shown(e)) draw_row_slot(g, ROW_DELETE, DELETE_SLOT);
    // The align row stands where the span row does; only the row a press reaches shows.
    if (span_row_shown(e)) {
        draw_row_slot(g, ROW_SPAN, MERGE_SLOT);
        draw_row_slot(g, ROW_SPAN, SPLIT_SLOT);
    }
    draw_row_slot(g, ROW_COMMAND, SAVE_SLOT);
    draw_row_slot(g, ROW_COMMAND, CLOSE_SLOT);

    const int w = g.doc.settings.panel_w, h = g.doc.settings.panel_h;
    draw_panel_background(g.v.panel_x, g.v.panel_y, w, h);
    gfx_push();
    gfx_translate((float)g.v.panel_x, (float)g.v.panel_y);
    draw_panel_grid(w, h);
    gfx_pop();
    gfx_texturing(false);

    // Pictures stand on the panel, over its background and grid, under the items.
    follow_pictures(g);
    const int n = std::clamp(g.doc.picture_count, 0, PICTURE_COUNT);
    for (int i = 0; i < n; i++)
        if (g.pictures[i].shown) draw_picture(g.pictures[i]);
    gfx_texturing(false);
}

// Draw one item as the frame shows it, its corner at window pixel (x, y).
void draw_one(void* caller, const item& it, item_id id, int32_t x, int32_t y, bool selected)
{
    const frame_state& f = *static_cast<frame_state*>(caller);
    const interaction& ui = f.g->ui;
    item_draw_ctx ctx;
    ctx.doc = &f.g->doc;
    ctx.x = x;
    ctx.y = y;
    ctx.pitch = view_pitch(f.g->v);
    ctx.now = f.now;
    ctx.selected = selected;
    ctx.sample = id == NO_ITEM;
    if (selected) {
        selection_look& look = ctx.look;
        look.description = !ui.group[id];
        look.buttons = id == ui.current;
        look.prop = &ui.prop;
        look.nudge = &ui.nudge;
        if (it.kind == KIND_TEXT && id == ui.current) look.caret = typing_caret(ui.caret, it, id);
        if (id == ui.current) {
            look.sel_col = ui.sel_col;
            look.sel_row = ui.sel_row;
            look.span_col = ui.span_col;
            look.span_row = ui.span_row;
        }
    }
    draw_item(it, ctx);
}

// An item drawn directly, where the view puts it.
void draw_direct(frame_state& f, item_id id, const item& it)
{
    const interaction& ui = f.g->ui;
    const bool selected = id == ui.current || ui.group[id];
    draw_one(&f, it, id, view_x(f.g->v, it.x), view_y(f.g->v, it.y), selected);
}

// The palette samples that show the clock, drawn as the layers' extras would.
int clock_extras(layer_extra* out, int cap)
{
    int ids[CLOCK_SAMPLES_MAX];
    const int n = palette_clock_samples(ids, std::min(cap, CLOCK_SAMPLES_MAX));
    for (int i = 0; i < n; i++) {
        const palette_sample& s = palette_sample_of(ids[i]);
        out[i] = layer_extra{&s.sample, s.x, s.y};
    }
    return n;
}

} // namespace

// ---- the frame ---------------------------------------------------------------------------

void follow_pictures(designer& g)
{
    const int p = view_pitch(g.v);
    for (int i = 0; i < PICTURE_COUNT; i++) {
        const doc_picture& from = g.doc.pictures[i];
        graph_draw& to = g.pictures[i];
        to.left = clamp32((int64_t)g.v.panel_x + (int64_t)from.x * p);
        to.top = clamp32((int64_t)g.v.panel_y + (int64_t)from.y * p);
        to.pic_width = from.w;
        to.pic_height = from.h;
        to.has_picture = from.has_picture;
        to.shown = from.shown;
        if (strncmp(to.bmp_path, from.bmp_path, BMP_PATH_LEN) != 0) {
            snprintf(to.bmp_path, BMP_PATH_LEN, "%s", from.bmp_path);
            to.texture_ready = 0;
        }
    }
}

void frame_routine(designer& g)
{
    interaction& ui = g.ui;
    if (pointer_busy(ui)) yield_processor();
    canvas_use_pitch(view_pitch(g.v));
    editor e = g.edit();

    gfx_lighting_off();
    gfx_push();
    gfx_scale(1, 1, 1);

    frame_state f{&g, read_clock(), group_exists(ui)};
    const bool coords = ui.show_coords && ui.pointer_x > g.v.panel_x && ui.pointer_y > g.v.panel_y;
    const bool align_row = align_row_shown(e);
    const layer_watch watch[] = {{ui.rows, sizeof ui.rows},
                                 {&ui.merge_mode, sizeof ui.merge_mode},
                                 {&ui.current, sizeof ui.current},
                                 {g.doc.pictures, sizeof g.doc.pictures}};
    layer_extra extras[CLOCK_SAMPLES_MAX];
    const int extra_count = clock_extras(extras, CLOCK_SAMPLES_MAX);
    const item_frame layered = {&g.doc, &g.v,    f.now,      ui.current,   &f, draw_under_items, draw_one,
                                extras, extra_count, watch, (int)(sizeof watch / sizeof watch[0])};
    // Read-outs and group selections sit between the items in the drawing
    // order: those frames are drawn directly. The layers cover the whole view.
    const bool from_layers = !f.group && !align_row && !coords && draw_items_layered(g.layers, layered);
    if (!from_layers) {
        gfx_clear();
        draw_under_items(&f);
        for (int i = 0; i < extra_count; i++) draw_one(&f, *extras[i].it, NO_ITEM, extras[i].x, extras[i].y, false);

        // Tables first, so every other item stands on top of them.
        for (bool under : {true, false})
            pool_walk(g.doc.items, ITEM_TABLE_UNITS, [&](item_id id, const item& it) {
                if (kind_of(it).under_others == under) draw_direct(f, id, it);
            });

        char text[READOUT_LEN];
        if (coords) {
            snprintf(text, sizeof text, "[%d , %d]", (int)view_dot_at_x(g.v, ui.pointer_x),
                     (int)view_dot_at_y(g.v, ui.pointer_y));
            draw_readout(text, ui.pointer_x, ui.pointer_y);
        }
        if (align_row) {
            const dot_box b = measure_item(g.doc, *doc_item(g.doc, ui.sel_ref));
            snprintf(text, sizeof text, "[x=%d,y=%d,w=%d,h=%d]", (int)b.x, (int)b.y, (int)b.w, (int)b.h);
            draw_readout(text, BOX_READOUT_X, BOX_READOUT_Y);
            for (int k = 0; k < ALIGN_SLOTS; k++) draw_row_slot(g, ROW_ALIGN, k);
        }
        pool_walk(g.doc.items, ITEM_TABLE_TEXTS, [&](item_id id, const item& it) { draw_direct(f, id, it); });
    }
    draw_composition(g);
    draw_band(ui);
    draw_status_line(g);
    draw_prompt(ui.prompt);

    gfx_texturing(false);
    gfx_pop();
    draw_help_overlay(ui.key_help_shown);
    const bool again = item_layers_frame_done(g.layers, from_layers);
    frame_pacing& s = g.pacing;
    s.wanted = again;
    s.status = ui.status.serial;
    s.clock = clock_item_on_screen(g.doc);
    if (s.clock) s.time = read_clock();
}

// ---- pacing -----------------------------------------------------------------------------

void request_redraw(designer& g) { g.pacing.wanted = true; }

bool frame_wanted(const designer& g)
{
    const frame_pacing& s = g.pacing;
    if (s.wanted || s.status != g.ui.status.serial) return true;
    return s.clock && !same_local_time(s.time, read_clock());
}

int frame_wait_ms(const designer& g)
{
    if (frame_wanted(g)) return 0;
    if (!g.pacing.clock) return FRAME_IDLE_WAIT_MS;
    // Wake just after the next whole second of the computer's clock.
    using namespace std::chrono;
    const long long into_second =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % MS_PER_SECOND;
    return (int)(MS_PER_SECOND - into_second) + 1;
}

void on_reshape(designer& g, int w, int h)
{
    request_redraw(g);
    if (h == 0) h = 1;
    g.v.window_w = w;
    g.v.window_h = h;
    gfx_reshape(w, h);
}
