/*******************************************************************************
 * app/frame.cpp - the frame routine, pacing and the reshape callback
 ******************************************************************************/
#include "app/frame.h"
#include "edit/close_prompt.h"
#include "edit/pointer.h"
#include "items/kinds.h"
#include "edit/hit_test.h"
#include "app/help_overlay.h"
#include "edit/state.h"
#include "edit/status.h"
#include "edit/text_input.h"
#include "edit/typing.h"
#include "items/buttons.h"
#include "items/calendar.h"
#include "items/digit_item.h"
#include "items/item_layers.h"
#include "items/text_item.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/picture.h"
#include "raster/screen_text.h"
#include <chrono>
#include <cstdio>

namespace {

constexpr float CLOSE_PROMPT_DEPTH = 5.0f; // in front of the panel (0) and the pictures (1)
constexpr int STATUS_FACE = 1;             // the face draw_screen_text uses
constexpr int STATUS_RIGHT_MARGIN = 24;    // px kept free right of the status line
constexpr int STATUS_MIN_X = 10;           // a long status line starts no further left
constexpr int STATUS_MIN_WRAP = 300;       // a long status line wraps no narrower

// True while a press, drag, resize or held tool button is under way.
bool pointer_busy()
{
    return left_down || unit_drag || resize_handle || string_drag || row_down[ROW_DELETE] ||
           row_down[ROW_COMMAND] || row_down[ROW_ALIGN];
}

bool any_group_selected()
{
    for (int i = 0; i < DIGIT_COUNT; i++)
        if (digit_table[i].group_selected) return true;
    for (int i = 0; i < STRING_COUNT; i++)
        if (string_table[i].group_selected) return true;
    return false;
}

void draw_row_slot(const menu_unit* row, int which, int k)
{
    draw_row_button(row, k, row_hover[which], row_pressed[which], row_down[which]);
}

// White screen text from a formatted ASCII read-out.
void draw_readout(const char* text, int x, int y)
{
    gfx_color(1, 1, 1);
    draw_screen_text(to_wide(text), x, y, 289, 225);
}

// The status line along the top edge, coloured by its tone.
void draw_status_line()
{
    if (status_tone == STATUS_NONE || status_wide[0] == 0) return;
    if (status_tone == STATUS_OK) gfx_color(0.3f, 1.0f, 0.3f);
    else if (status_tone == STATUS_ERROR) gfx_color(1.0f, 0.35f, 0.35f);
    else gfx_color(1.0f, 1.0f, 0.6f);
    // A message too long for the room right of STATUS_X starts further left,
    // so the whole of it stays in sight; only a very long one wraps.
    const std::u16string text(status_wide);
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
void draw_close_prompt()
{
    if (!prompt_shown) return;
    gfx_texturing(false);
    gfx_color(0.85f, 0.85f, 0.85f);
    fill_box(PROMPT_X - 2, PROMPT_Y - 2, PROMPT_W + 4, PROMPT_H + 4);
    gfx_color(0.12f, 0.12f, 0.2f);
    fill_box(PROMPT_X, PROMPT_Y, PROMPT_W, PROMPT_H);
    gfx_color(1, 1, 1);
    draw_screen_text(std::u16string(prompt_question), PROMPT_X + 24, PROMPT_Y + 40, PROMPT_W - 40, 25);
    for (int k = 0; k < prompt_button_count; k++) {
        const int left = prompt_button_left(k);
        gfx_texturing(false);
        if (k == prompt_enter_choice) gfx_color(0.2f, 0.55f, 0.25f);
        else gfx_color(0.35f, 0.35f, 0.42f);
        fill_box(left, PROMPT_BUTTON_TOP, PROMPT_BUTTON_W, PROMPT_BUTTON_H);
        gfx_color(1, 1, 1);
        draw_screen_text(std::u16string(prompt_labels[k]), left + 14, PROMPT_BUTTON_TOP + 30, PROMPT_BUTTON_W, 25);
    }
}

// The input method's composition at the caret of the current text, underlined.
void draw_composition()
{
    int32_t caret[4];
    if (composition_wide[0] == 0 || !current_text_caret(caret)) return;
    const int baseline = caret[1] + caret[3];
    gfx_color(1, 1, 1);
    const int w = draw_screen_text(std::u16string(composition_wide), caret[0] + COMPOSITION_GAP, baseline, 100000, 225);
    gfx_line_width(1.0f);
    gfx_begin(GFX_LINES);
    gfx_vertex((float)(caret[0] + COMPOSITION_GAP), (float)(baseline + COMPOSITION_UNDERLINE));
    gfx_vertex((float)(caret[0] + COMPOSITION_GAP + w), (float)(baseline + COMPOSITION_UNDERLINE));
    gfx_end();
}

// What the last frame showed of the things that change without input.
struct shown_state {
    bool wanted = true;          // input or a window event since the last frame
    uint32_t status = 0;         // status_serial drawn
    bool clock = false;          // a clock field was on screen
    local_time time{};           // the clock it showed
} shown;

// Remember what this frame showed, so frame_wanted can tell when it is stale.
void note_frame_drawn()
{
    shown.wanted = false;
    shown.status = status_serial;
    shown.clock = clock_item_on_screen();
    if (shown.clock) shown.time = read_clock();
}

bool group_shown = false;  // the frame being drawn has a group selection

// Everything the items stand on: palette, tool buttons, panel with its grid
// and rulers, pictures.
void draw_under_items()
{
    draw_palette_captions();

    if (group_shown || current_unit < NO_ITEM || current_string < NO_ITEM) draw_row_slot(delete_row, ROW_DELETE, 2);
    // The align row stands where the span row does; only the row a press reaches shows.
    if (span_row_shown()) {
        draw_row_slot(span_row, ROW_SPAN, 0);
        draw_row_slot(span_row, ROW_SPAN, 1);
    }
    draw_row_slot(command_row, ROW_COMMAND, 2);
    draw_row_slot(command_row, ROW_COMMAND, 7);

    draw_panel_background();
    gfx_push();
    gfx_translate(PANEL_X, PANEL_Y);
    draw_panel_grid();
    gfx_pop();
    gfx_push();
    gfx_translate(0, PANEL_Y);
    draw_palette_frame();
    gfx_pop();
    gfx_texturing(false);

    // Pictures stand on the panel, over its background and grid, under the items.
    draw_pictures(current_graph);
    gfx_texturing(false);
}

} // namespace

void frame_routine()
{
    if (pointer_busy()) yield_processor();
    const int p = dot_pitch();

    gfx_lighting_off();
    gfx_push();
    gfx_scale(1, 1, 1);

    measure_items(current_unit, current_string);
    const bool group = any_group_selected();
    group_shown = group;
    const bool coords = show_coords && pointer_pos[0] > PANEL_X && pointer_pos[1] > PANEL_Y;
    const layer_watch watch[] = {
        {row_hover, sizeof row_hover},     {row_pressed, sizeof row_pressed}, {row_down, sizeof row_down},
        {&merge_mode, sizeof merge_mode},  {delete_row, sizeof delete_row},   {span_row, sizeof span_row},
        {command_row, sizeof command_row}, {&current_graph, sizeof current_graph},
        {&graph_count, sizeof graph_count}};
    const string_draw* text = current_text_record();
    const int caret = text ? typing_caret(*text, current_string) : -1;
    const item_frame layered = {draw_under_items, current_unit, current_string, caret, watch,
                                (int)(sizeof watch / sizeof watch[0])};
    // Read-outs and group selections sit between the items in the drawing
    // order: those frames are drawn directly. The layers cover the whole view.
    const bool from_layers = !group && !align_row_shown() && !coords && draw_items_layered(layered);
    if (!from_layers) {
        gfx_clear();
        draw_under_items();

        // Tables first, so every other item stands on top of them.
        for_each_unit_in_drawing_order([](int i) {
            Digit_unit& d = digit_table[i];
            if (i == current_unit || d.group_selected == 1) draw_digit_item_selected(d, &d == button_unit());
            else draw_digit_item(d);
        });

        char text[64];
        if (coords) {
            snprintf(text, sizeof text, "[%d , %d]", (int)((unsigned)(pointer_pos[0] - PANEL_X) / (unsigned)p),
                     (int)((unsigned)(pointer_pos[1] - PANEL_Y) / (unsigned)p));
            draw_readout(text, pointer_pos[0], pointer_pos[1]);
        }
        if (align_row_shown()) {
            snprintf(text, sizeof text, "[x=%d,y=%d,w=%d,h=%d]", (sel_box[0] - PANEL_X) / p,
                     (sel_box[1] - PANEL_Y) / p, sel_box[2] / p, sel_box[3] / p);
            draw_readout(text, 195, 120);
            for (int k = 0; k < 6; k++) draw_row_slot(align_row, ROW_ALIGN, k);
        }

        for (int i = 0; i < STRING_COUNT; i++) {
            string_draw& s = string_table[i];
            if (!s.visible) continue;
            if (i == current_string || s.group_selected == 1)
                draw_text_item_selected(s, &s == button_text(), i == current_string ? caret : -1);
            else draw_text_item(s);
        }
    }
    draw_composition();
    draw_rubber_band();
    draw_status_line();
    draw_close_prompt();

    gfx_texturing(false);
    gfx_pop();
    draw_help_overlay();
    if (item_layers_frame_done(from_layers)) request_redraw();
    note_frame_drawn();
}

void request_redraw() { shown.wanted = true; }

bool frame_wanted()
{
    if (shown.wanted || shown.status != status_serial) return true;
    return shown.clock && !same_local_time(shown.time, read_clock());
}

int frame_wait_ms()
{
    if (frame_wanted()) return 0;
    if (!shown.clock) return FRAME_IDLE_WAIT_MS;
    // Wake just after the next whole second of the computer's clock.
    using namespace std::chrono;
    const long long into_second =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000;
    return (int)(1000 - into_second) + 1;
}

void on_reshape(int w, int h)
{
    request_redraw();
    if (h == 0) h = 1;
    gfx_reshape(w, h);
}
