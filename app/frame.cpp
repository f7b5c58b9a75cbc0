/*******************************************************************************
 * app/frame.cpp - the frame routine, pacing and the reshape callback
 *
 * Sections: the parts of a frame | the parts drawn over the items | items
 * through the view | the frame | pacing
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
#include "play/engine.h"
#include "platform/gbk.h"
#include "platform/hash.h"
#include "platform/system.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/picture.h"
#include "raster/screen_text.h"
#include <bitset>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr float CLOSE_PROMPT_DEPTH = 5.0f; // in front of the panel (0) and the pictures (1)
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
constexpr long long US_PER_MS = 1000;
constexpr float SCROLL_TROUGH_GREY = 0.15f, SCROLL_THUMB_GREY = 0.55f;
constexpr int SCROLL_THUMB_INSET = 2;

// A filled rectangle in the current colour at depth z.
void fill_rect(int x, int y, int w, int h, float z)
{
    gfx_begin(GFX_QUADS);
    gfx_vertex((float)x, (float)y, z);
    gfx_vertex((float)(x + w), (float)y, z);
    gfx_vertex((float)(x + w), (float)(y + h), z);
    gfx_vertex((float)x, (float)(y + h), z);
    gfx_end();
}

// ---- the parts of a frame ------------------------------------------------------------

// True while a press, drag, resize or held tool button is under way.
bool pointer_busy(const interaction& ui)
{
    return ui.left_down || ui.gesture != GESTURE_NONE || ui.rows[ROW_DELETE].down || ui.rows[ROW_COMMAND].down ||
           ui.rows[ROW_ALIGN].down;
}

void draw_row_slot(designer& g, tool_row_id row, int k)
{
    draw_row_button(tool_row(row, g.v.window_w), k, g.ui.rows[row], UI_PITCH);
}

// The scroll bars the view shows: a trough and its thumb.
void draw_scroll_bars(const view& v)
{
    gfx_texturing(false);
    for (const scroll_bar& b : {view_hbar(v), view_vbar(v)}) {
        if (!b.shown) continue;
        const bool h = b.h == SCROLL_BAR_PX && b.w != SCROLL_BAR_PX;
        gfx_color(SCROLL_TROUGH_GREY, SCROLL_TROUGH_GREY, SCROLL_TROUGH_GREY);
        fill_rect(b.x, b.y, b.w, b.h, 0);
        gfx_color(SCROLL_THUMB_GREY, SCROLL_THUMB_GREY, SCROLL_THUMB_GREY);
        if (h) fill_rect(b.x + b.thumb_at, b.y + SCROLL_THUMB_INSET, b.thumb_len, b.h - 2 * SCROLL_THUMB_INSET, 0);
        else fill_rect(b.x + SCROLL_THUMB_INSET, b.y + b.thumb_at, b.w - 2 * SCROLL_THUMB_INSET, b.thumb_len, 0);
    }
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
    const int64_t width = screen_text_width(text);
    int view_w = 0, view_h = 0;
    gfx_view_size(view_w, view_h);
    const int64_t right = (int64_t)view_w - STATUS_RIGHT_MARGIN;
    int64_t x = STATUS_X;
    if (view_w > 0 && x + width > right) x = right - width > STATUS_MIN_X ? right - width : STATUS_MIN_X;
    const int64_t wrap = right - x > STATUS_MIN_WRAP ? right - x : STATUS_MIN_WRAP;
    draw_screen_text(text, (int)x, STATUS_Y, (int)wrap, 0);
}

// A filled rectangle in the current colour, over everything drawn before.
void fill_box(int x, int y, int w, int h) { fill_rect(x, y, w, h, CLOSE_PROMPT_DEPTH); }

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
    if (q.entry) {
        // The number typed so far, and the caret after it.
        const std::u16string typed = to_wide(q.entry_text) + u"_";
        gfx_color(1.0f, 1.0f, 0.6f);
        draw_screen_text(typed, PROMPT_X + PROMPT_TEXT_INSET, PROMPT_ENTRY_Y, PROMPT_W - PROMPT_TEXT_TRIM, PROMPT_LINE);
    }
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
    play_moment moment;        // what the items show: the still picture, or the panel playing
};

// What an item shows at the frame's moment: the document's items from the
// frame's list, a palette sample worked out on the spot.
play_show shown_by(const frame_state& f, const item& it, item_id id)
{
    return id == NO_ITEM ? play_item(it, f.moment) : f.g->shows[id];
}

uint64_t stamp_of(void* caller, const item& it, item_id id)
{
    return shown_by(*static_cast<frame_state*>(caller), it, id).stamp;
}

// Everything the items stand on, in the parts asked for: the palette; the
// rulers and the scroll bars; the panel with its grid and pictures.
void draw_under_items(void* caller, unsigned parts)
{
    const frame_state& f = *static_cast<frame_state*>(caller);
    designer& g = *f.g;
    const int p = view_pitch(g.v);
    if (parts & UNDER_PALETTE) {
        // The samples that show the clock are the layers' extras when they are used.
        canvas_use_pitch(UI_PITCH);
        draw_palette(g.doc, UI_PITCH, f.now, false);
    }
    canvas_use_pitch(p);
    if (parts & UNDER_BARS) draw_scroll_bars(g.v);
    const int w = g.doc.settings.panel_w, h = g.doc.settings.panel_h;
    if (parts & UNDER_BACKGROUND) {
        gfx_clip_push(g.v.area_x, g.v.area_y, g.v.area_w, g.v.area_h);
        draw_panel_background(g.v.panel_x, g.v.panel_y, w, h);
        gfx_clip_pop();
    }
    if (parts & UNDER_RULERS) draw_panel_rulers(g.v, parts & UNDER_TOP_RULER, parts & UNDER_SIDE_RULER);
    if (parts & UNDER_PANEL) {
        gfx_clip_push(g.v.area_x, g.v.area_y, g.v.area_w, g.v.area_h);
        draw_panel_grid(g.v, w, h);
        gfx_texturing(false);
        // Pictures stand on the panel, over its background and grid, under the items.
        follow_pictures(g);
        const int n = std::clamp(g.doc.picture_count, 0, PICTURE_COUNT);
        for (int i = 0; i < n; i++)
            if (g.pictures[i].shown) draw_picture(g.pictures[i]);
        gfx_clip_pop();
    }
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
    ctx.pitch = id == NO_ITEM ? UI_PITCH : view_pitch(f.g->v);   // a palette sample is drawn as the palette is
    ctx.now = f.now;
    ctx.selected = selected;
    ctx.sample = id == NO_ITEM;
    const play_show show = shown_by(f, it, id);
    ctx.show = &show;
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

// An item drawn directly, where the view puts it, inside the panel's area
// (but for an item being dragged, which follows the pointer anywhere).
void draw_direct(frame_state& f, item_id id, const item& it)
{
    const interaction& ui = f.g->ui;
    const view& v = f.g->v;
    const bool selected = id == ui.current || ui.group[id];
    const bool free = selected && ui.gesture == GESTURE_DRAG;
    if (!free) gfx_clip(true, v.area_x, v.area_y, v.area_w, v.area_h);
    draw_one(&f, it, id, view_x(v, it.x), view_y(v, it.y), selected);
    gfx_clip(false);
}

// ---- the parts drawn over the items -----------------------------------------------------

// Parts of the frame over the items that stay in the back buffer while they
// do not change (items/item_layers.h); each is named by a hash of what it shows.
enum overlay_part : int {
    PART_DELETE, PART_SPAN, PART_SAVE, PART_CLOSE, PART_FIT, PART_SIM,
    PART_CONTROL_LINES, PART_NUDGES, PART_PROPS, PART_ALIGN, PART_STATUS, PART_COUNT
};
static_assert(PART_COUNT <= LAYER_PARTS, "the layers keep every part");

// FNV-1a over the bytes of what a part shows.

// What each part shows now.
void part_states(designer& g)
{
    editor e = g.edit();
    const interaction& ui = g.ui;
    const item* it = doc_item(g.doc, ui.current);
    const bool shown = delete_row_shown(e), span = span_row_shown(e), align = align_row_shown(e);
    auto set = [&](int k, const fnv_hash& s) { item_layers_part_state(g.layers, k, s.h); };
    set(PART_DELETE, fnv_hash().with(g.v.window_w).with(shown).with(ui.rows[ROW_DELETE]));
    set(PART_SPAN, fnv_hash().with(span).with(ui.rows[ROW_SPAN]));
    for (int k : {PART_SAVE, PART_CLOSE, PART_FIT}) set(k, fnv_hash().with(k).with(g.v.window_w).with(ui.rows[ROW_COMMAND]));
    set(PART_SIM, fnv_hash().with(ui.rows[ROW_COMMAND]).with(ui.sim.on));
    fnv_hash lines, nudges, props;
    if (it) {
        // A group member's lines and nudges show nothing; its buttons do not
        // depend on where it stands.
        const bool described = !ui.group[ui.current];
        if (described) lines.add(it, sizeof *it).with(g.doc.settings.panel_w).with(g.doc.settings.panel_h);
        if (described) nudges.with(it->kind).with(it->x).with(it->y).with(ui.nudge);
        item placeless = *it;
        placeless.x = placeless.y = 0;
        props.add(&placeless, sizeof placeless).with(ui.prop);
        lines.with(described);
        nudges.with(described);
    }
    set(PART_CONTROL_LINES, lines.with(ui.current));
    set(PART_NUDGES, nudges.with(ui.current));
    set(PART_PROPS, props.with(ui.current));
    fnv_hash a;
    a.with(align).with(ui.rows[ROW_ALIGN]);
    if (const item* ref = align ? doc_item(g.doc, ui.sel_ref) : nullptr) a.add(ref, sizeof *ref);
    set(PART_ALIGN, a);
    set(PART_STATUS, fnv_hash().with(ui.status.serial).with(g.v.window_w));
}

// Draw part k when the layers say it changed or was met (always when drawn directly).
template <class Draw>
void draw_part(designer& g, bool layered, int k, Draw draw)
{
    if (layered && !item_layers_part_begin(g.layers, k)) return;
    draw();
    if (layered) item_layers_part_done(g.layers, k);
}

// The tool buttons that show: delete while something is selected, merge and
// split while merging (the align row stands where they do and wins), the
// commands always.
void draw_tool_rows(designer& g, bool layered)
{
    editor e = g.edit();
    draw_part(g, layered, PART_DELETE, [&] {
        if (delete_row_shown(e)) draw_row_slot(g, ROW_DELETE, DELETE_SLOT);
    });
    draw_part(g, layered, PART_SPAN, [&] {
        if (!span_row_shown(e)) return;
        draw_row_slot(g, ROW_SPAN, MERGE_SLOT);
        draw_row_slot(g, ROW_SPAN, SPLIT_SLOT);
    });
    draw_part(g, layered, PART_SAVE, [&] { draw_row_slot(g, ROW_COMMAND, SAVE_SLOT); });
    draw_part(g, layered, PART_CLOSE, [&] { draw_row_slot(g, ROW_COMMAND, CLOSE_SLOT); });
    draw_part(g, layered, PART_FIT, [&] { draw_row_slot(g, ROW_COMMAND, FIT_SLOT); });
    // The simulation's button stays down while the panel plays.
    draw_part(g, layered, PART_SIM, [&] {
        button_marks m = g.ui.rows[ROW_COMMAND];
        if (g.ui.sim.on) m.pressed = SIM_SLOT, m.down = 1;
        draw_row_button(tool_row(ROW_COMMAND, g.v.window_w), SIM_SLOT, m, UI_PITCH);
    });
}

// F4's dot under the pointer (drawn every frame).
void draw_pointer_readout(designer& g)
{
    const interaction& ui = g.ui;
    if (!ui.show_coords || !view_in_area(g.v, ui.pointer_x, ui.pointer_y)) return;
    char text[READOUT_LEN];
    snprintf(text, sizeof text, "[%d , %d]", (int)view_dot_at_x(g.v, ui.pointer_x), (int)view_dot_at_y(g.v, ui.pointer_y));
    draw_readout(text, ui.pointer_x, ui.pointer_y);
}

// The group reference's box with the align row.
void draw_align_row(designer& g, bool layered)
{
    draw_part(g, layered, PART_ALIGN, [&] {
        editor e = g.edit();
        if (!align_row_shown(e)) return;
        const dot_box b = measure_item(g.doc, *doc_item(g.doc, g.ui.sel_ref));
        char text[READOUT_LEN];
        snprintf(text, sizeof text, "[x=%d,y=%d,w=%d,h=%d]", (int)b.x, (int)b.y, (int)b.w, (int)b.h);
        draw_readout(text, BOX_READOUT_X, BOX_READOUT_Y);
        for (int k = 0; k < ALIGN_SLOTS; k++) draw_row_slot(g, ROW_ALIGN, k);
    });
}

// The controls of the current item: its description and position, its
// nudge buttons, its property buttons, each a part of its own.
void draw_controls(designer& g, bool layered)
{
    const interaction& ui = g.ui;
    const item* it = doc_item(g.doc, ui.current);
    item_draw_ctx ctx;
    ctx.doc = &g.doc;
    ctx.pitch = UI_PITCH;
    ctx.selected = true;
    ctx.look.description = it && !ui.group[ui.current];
    ctx.look.buttons = true;
    ctx.look.prop = &ui.prop;
    ctx.look.nudge = &ui.nudge;
    const std::pair<int, uint8_t> parts[] = {
        {PART_CONTROL_LINES, CONTROL_LINES}, {PART_NUDGES, CONTROL_NUDGES}, {PART_PROPS, CONTROL_PROPS}};
    for (const auto& part : parts)
        draw_part(g, layered, part.first, [&] {
            if (!it) return;
            ctx.look.controls = part.second;
            draw_selection_controls(*it, ctx);
        });
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

namespace {

// Widen the content to take in an item's box.
void widen(content_box& c, const dot_box& b)
{
    c.x0 = std::min(c.x0, b.x);
    c.y0 = std::min(c.y0, b.y);
    c.x1 = std::max(c.x1, b.x + b.w);
    c.y1 = std::max(c.y1, b.y + b.h);
}

} // namespace

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

void designer_layout(designer& g)
{
    content_box c;
    c.x1 = g.doc.settings.panel_w;
    c.y1 = g.doc.settings.panel_h;
    // What a drag carries follows the pointer: it takes no room until it rests.
    const interaction& ui = g.ui;
    auto moving = [&](item_id id) {
        for (int k = 0; ui.gesture == GESTURE_DRAG && k < ui.moved_count; k++)
            if (ui.moved[k].id == id) return true;
        return false;
    };
    for (item_table t : {ITEM_TABLE_TEXTS, ITEM_TABLE_UNITS})
        pool_walk(g.doc.items, t, [&](item_id id, const item& it) {
            if (!moving(id)) widen(c, measure_item(g.doc, it));
        });
    view_layout(g.v, c);
}

void frame_routine(designer& g)
{
    interaction& ui = g.ui;
    designer_layout(g);
    if (pointer_busy(ui)) yield_processor();
    canvas_use_pitch(view_pitch(g.v));

    gfx_lighting_off();
    gfx_push();
    gfx_scale(1, 1, 1);

    frame_state f{&g, read_clock(), play_moment{}};
    f.moment.now = f.now;
    f.moment.simulating = ui.sim.on;
    if (ui.sim.on) {
        f.moment.values = ui.sim.values.get();
        f.moment.ms = (now_micros() - ui.sim.start_us) / US_PER_MS;
    }
    play_document(g.doc, f.moment, g.shows);
    // What is drawn live: the current item and the group.
    std::bitset<ITEM_CAPACITY> lifted = ui.group;
    if (doc_item(g.doc, ui.current)) lifted.set(ui.current);
    layer_extra extras[CLOCK_SAMPLES_MAX];
    const int extra_count = clock_extras(extras, CLOCK_SAMPLES_MAX);
    item_frame layered{};
    layered.doc = &g.doc;
    layered.v = &g.v;
    layered.now = f.now;
    layered.lifted = &lifted;
    layered.caller = &f;
    layered.under = draw_under_items;
    layered.draw = draw_one;
    layered.extras = extras;
    layered.extra_count = extra_count;
    layered.stamp = stamp_of;
    layered.lifted_free = ui.gesture == GESTURE_DRAG;
    part_states(g);
    const bool from_layers = draw_items_layered(g.layers, layered);
    if (!from_layers) {
        gfx_clear();
        draw_under_items(&f, UNDER_ALL);
        for (int i = 0; i < extra_count; i++) draw_one(&f, *extras[i].it, NO_ITEM, extras[i].x, extras[i].y, false);
        doc_walk_drawing_order(g.doc, [&](item_id id, const item& it) { draw_direct(f, id, it); });
    }
    // Over the items: the buttons, the selection's controls and the status
    // line, kept while they stay the same; the read-outs, the composition, the
    // band and the prompt, drawn each frame and mended apart next frame.
    draw_tool_rows(g, from_layers);
    draw_controls(g, from_layers);
    draw_align_row(g, from_layers);
    draw_part(g, from_layers, PART_STATUS, [&] { draw_status_line(g); });
    item_layers_note_drawn(g.layers);
    draw_pointer_readout(g);
    item_layers_note_drawn(g.layers);
    draw_composition(g);
    item_layers_note_drawn(g.layers);
    draw_band(ui);
    item_layers_note_drawn(g.layers);
    draw_prompt(ui.prompt);

    gfx_texturing(false);
    gfx_pop();
    draw_help_overlay(ui.key_help_shown);
    const bool again = item_layers_frame_done(g.layers, from_layers);
    frame_pacing& s = g.pacing;
    s.wanted = again;
    s.status = ui.status.serial;
    s.clock = extra_count > 0 || clock_item_on_screen(g.doc);   // the palette's clock samples tick too
    if (s.clock) s.time = read_clock();
    s.last_frame_us = now_micros();
}

// ---- pacing -----------------------------------------------------------------------------

void request_redraw(designer& g) { g.pacing.wanted = true; }

bool frame_wanted(const designer& g)
{
    const frame_pacing& s = g.pacing;
    // While the panel plays, every refresh may show it moved on.
    if (s.wanted || s.status != g.ui.status.serial || g.ui.sim.on) return true;
    return s.clock && !same_local_time(s.time, read_clock());
}

bool frame_due(const designer& g)
{
    return frame_wanted(g) && now_micros() - g.pacing.last_frame_us >= g.pacing.refresh_us;
}

int frame_wait_ms(const designer& g)
{
    if (frame_wanted(g)) {
        // At most one frame a refresh: wait for the next one's time.
        const long long left = g.pacing.last_frame_us + g.pacing.refresh_us - now_micros();
        return left <= 0 ? 0 : (int)((left + US_PER_MS - 1) / US_PER_MS);
    }
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
    designer_layout(g);
    gfx_reshape(w, h);
}
