// Every kind of the kind table through the whole chain: taken off its palette
// cell onto the panel, drawn, hit, resized by the handle hover offers (offered
// exactly when it acts), written as its script line, and that line read back
// into the same item. Colons, which have no palette cell and are written as
// rectangles, come back as one.
#include "items/digits.h"
#include "items/handles.h"
#include "items/kinds.h"
#include "output/script_export.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "frame_helpers.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"

namespace {

// Give the item a place and size in whole dots on the panel.
void place(item& d)
{
    d.x = 20;
    d.y = 10;
    d.w = 20;
    d.h = 10;
    if (d.kind == KIND_VARIABLE) d.size = 4;
    d.color = 3;
    if (d.kind == KIND_VALVE) d.valve = 100;
    if (d.kind == KIND_TABLE) {
        for (int k = 0; k < d.grid.cols; k++) d.grid.col_w[k] = 10;
        for (int k = 0; k < d.grid.rows; k++) d.grid.row_h[k] = 5;
    }
}

// Primitives `draw` sends to the drawing layer.
template <typename F>
size_t drawn(F draw)
{
    gfx_recorder rec;
    gfx_backend* before = gfx_current();
    gfx_use(&rec);
    draw();
    gfx_use(before);
    return rec.events.size();
}

// The size a resize of this shape changes, in dots.
int32_t resized_size(const item& d, item_shape shape, int row)
{
    if (shape == SHAPE_HLINE) return d.w;
    if (shape == SHAPE_GRID) return d.grid.row_h[row];
    return d.h;
}

// The row a kind's script line is read back as: its own, or for a kind
// without a slot range the first row of its keyword with one.
const kind_form& reads_back_as(const kind_form& f)
{
    if (f.range != RANGE_NONE) return f;
    for (const kind_form& r : kind_forms)
        if (r.range != RANGE_NONE && r.line.keyword && f.line.keyword && !strcmp(r.line.keyword, f.line.keyword))
            return r;
    return f;
}

// The palette cell of a kind that brings no parts along, or -1.
int sample_of(item_kind kind)
{
    for (int id = 0; id < PALETTE_SAMPLES; id++) {
        const bool leads = id + 1 < PALETTE_SAMPLES && palette_sample_of(id + 1).follows == id;
        if (palette_sample_of(id).sample.kind == kind && !leads) return id;
    }
    return -1;
}

// A window pixel strictly inside the sample's drawn box.
void inside_sample(int id, int pitch, int& px, int& py)
{
    const palette_sample& s = palette_sample_of(id);
    const dot_box b = measure_item(s.sample);
    px = (int)(s.x + (b.x - s.sample.x) * pitch + b.w * pitch / 2);
    py = (int)(s.y + (b.y - s.sample.y) * pitch + b.h * pitch / 2);
}

} // namespace

TEST_F(PointerTest, EveryKindGoesThroughTheWholeChain)
{
    need_screen_fonts();
    fill_glyph_table();   // as the program does at start
    canvas_use_pitch(view_pitch(v));
    temp_workspace ws(TEST_PANEL_W, TEST_PANEL_H);
    for (int id = 0; id < PALETTE_SAMPLES; id++) EXPECT_EQ(palette_sample_of(id).id, id) << "palette rows out of order";
    for (int k = 0; k < KIND_COUNT; k++) {
        const item_kind kind = (item_kind)k;
        if (kind == KIND_TEXT) continue;   // texts have lines and handles of their own
        const kind_form& form = form_of(kind);
        SCOPED_TRACE(form.name);
        doc_clear_layout(*doc);
        reset_interaction(*ui);
        const kind_form& home = reads_back_as(form);
        ASSERT_NE(home.range, RANGE_NONE) << "its line reads back as nothing";

        // Its palette cell offers it: a press there and a drag onto the panel
        // make a new item of the kind, the current one. A kind without a range
        // (colons) has no cell; it goes through the chain in its home range.
        item_id id = NO_ITEM;
        const int cell = sample_of(kind);
        if (form.range == RANGE_NONE) {
            EXPECT_EQ(cell, -1);
            item it = sample(SAMPLE_RECT, 0, 0);
            it.kind = kind;
            it.slot = slot_ranges[home.range].first;
            ASSERT_TRUE(doc_create(*doc, it, id).ok);
            ui->current = id;
        } else {
            ASSERT_GE(cell, 0) << "no palette cell";
            int sx = 0, sy = 0;
            inside_sample(cell, view_pitch(v), sx, sy);
            ASSERT_EQ(palette_sample_at(sx, sy, view_pitch(v)), cell);
            press(sx, sy);
            drag(px(60), py(30));
            release(px(60), py(30));
            id = ui->current;
            ASSERT_NE(id, NO_ITEM);
            ASSERT_EQ(at(id).kind, kind);
            EXPECT_TRUE(doc_on_panel(*doc, at(id).x, at(id).y));
        }
        item& d = at(id);
        place(d);
        if (kind == KIND_TABLE) click(px(d.x) + 3, py(d.y) + 3);   // picks its first cell
        EXPECT_EQ(ui->current, id);

        // Drawn in the selected look (a valve without its picture frames a word).
        item_draw_ctx ctx;
        ctx.doc = doc.get();
        ctx.x = px(d.x);
        ctx.y = py(d.y);
        ctx.pitch = view_pitch(v);
        ctx.selected = true;
        EXPECT_GT(drawn([&] { draw_item(d, ctx); }), 0u);

        // Hit inside its measured box, not beside it.
        const px_box b = item_px_box(e, d);
        EXPECT_TRUE(item_hit(e, d, (int)(b.x + b.w / 2), (int)(b.y + b.h / 2)));
        EXPECT_FALSE(item_hit(e, d, (int)(b.x + b.w + 8), (int)(b.y + b.h / 2)));

        // The edge a resize of this shape takes: offered on hover exactly when
        // the kind resizes, and dragging it changes the size by the dots moved.
        dot_box box = measure_item(*doc, d);
        if (kind_of(kind).resizable()) {
            ASSERT_TRUE(resize_handle_box(*doc, d, ui->sel_col, ui->sel_row, box));
        }
        const int p = view_pitch(v);
        const bool right = form.shape == SHAPE_HLINE;
        const int hx = (int)(view_x(v, box.x) + (right ? box.w * p - 1 : box.w * p / 2));
        const int hy = (int)(view_y(v, box.y) + (right ? box.h * p / 2 : box.h * p - 1));
        const int32_t before = resized_size(d, form.shape, 0);
        press(hx, hy);
        EXPECT_EQ(ui->resize_handle != HANDLE_NONE, kind_of(kind).resizable());
        if (kind_of(kind).resizable()) {
            drag(hx + (right ? 8 : 0), hy + (right ? 0 : 8));
            release(hx + (right ? 8 : 0), hy + (right ? 0 : 8));
            EXPECT_EQ(resized_size(at(id), form.shape, 0), before + 8 / p);
        } else {
            release(hx, hy);
        }
        place(at(id));   // a press may have dragged it

        // Its script line, read back into the same slot.
        const item& was = at(id);
        const std::string line = item_script(*doc, was);
        ASSERT_TRUE(form.line.count > 0) << "no script line";
        const std::string keyword =
            std::string(form.line.command) + " " + (form.line.keyword ? form.line.keyword + std::string(" ") : "");
        ASSERT_NE(line.find(keyword), std::string::npos) << line;
        ws.write_script(script_text(*doc));
        fresh_start(ws);
        const item* back = doc_item(ws.d(), pool_at_slot(ws.d().items, table_of(kind), was.slot));
        ASSERT_NE(back, nullptr) << line;
        EXPECT_EQ(back->kind, home.kind);
        EXPECT_EQ(back->x, was.x);
        EXPECT_EQ(back->y, was.y);
        EXPECT_EQ(back->color, was.color);
        EXPECT_EQ(item_script(ws.d(), *back), line);
    }
}
