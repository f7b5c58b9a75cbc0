// Every kind of the kind table through the whole chain: its palette place,
// drawing, hit test, resize handles (offered on hover exactly when they act),
// its script line, and reading that line back into the same record. Colons,
// which have no range and are written as rectangles, come back as one.
#include "items/digits.h"
#include "items/kinds.h"
#include "output/script_export.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"

namespace {

// Put record i on the panel at a whole dot, sized for its shape.
void place(Digit_unit& d, int i)
{
    const int p = led_pitch;
    d.visible = 1;
    d.x = PANEL_X + 1 + 20 * p;
    d.y = PANEL_Y + 1 + 10 * p;
    d.width = 20 * p;
    d.height = 10 * p;
    d.size = d.kind == KIND_VARIABLE ? 4 : d.height;
    d.color = 3;
    if (d.kind == KIND_VARIABLE) d.reg_addr = i - REGISTER_HOME_BASE;
    if (d.kind == KIND_VALVE) d.valve = 100;
    for (int k = 0; k < d.cols; k++) d.col_width[k] = 10 * p;
    for (int k = 0; k < d.rows; k++) d.row_height[k] = 5 * p;
    d.sel_col = d.sel_row = 0;   // as a press on a table's first cell leaves it
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

// The size a resize of this shape changes.
int32_t resized_size(const Digit_unit& d, item_shape shape)
{
    if (shape == SHAPE_HLINE) return d.width;
    if (shape == SHAPE_GRID) return d.row_height[0];
    return d.height;
}

// The row a kind's script line is read back as: its own, or for a kind
// without a record range the first row of its keyword with one.
const kind_form& reads_back_as(const kind_form& f)
{
    if (f.range >= 0) return f;
    for (int k = 0; k < kind_form_count; k++) {
        const kind_form& r = kind_forms[k];
        if (r.range >= 0 && r.line.keyword && f.line.keyword && !strcmp(r.line.keyword, f.line.keyword)) return r;
    }
    return f;
}

} // namespace

TEST_F(PointerTest, EveryKindGoesThroughTheWholeChain)
{
    temp_workspace ws(256, 64);
    fill_glyph_table();   // as the program does at start
    for (int k = 0; k < item_kind_count; k++) {
        const item_kind& row = item_kinds[k];
        SCOPED_TRACE(row.name);
        ws.write_script("");   // not the last kind's line
        fresh_start();
        reset_interaction_state();
        // A kind without a range (colons) has no palette place and is read
        // back as the first kind of its keyword that has one: it goes through
        // the chain in that kind's first record.
        const kind_form& home = reads_back_as(row.form());
        ASSERT_GE(home.range, 0) << "its line reads back as nothing";
        const int i = digit_ranges[home.range].first;
        Digit_unit& d = digit_table[i];
        if (row.form().range < 0) {
            for (const Digit_unit& o : digit_table) EXPECT_FALSE(o.visible && o.kind == row.kind);
            d.kind = row.kind;
        }
        // Palette place: the range's first record, of this kind.
        ASSERT_EQ(d.kind, row.kind);
        ASSERT_TRUE(d.visible && d.x < PANEL_X);
        place(d, i);

        // Drawn in the selected look (a valve without its picture frames a word).
        EXPECT_GT(drawn([&] { row.draw(d, true); }), 0u);

        // Hit inside its measured box, not beside it.
        const item_box b = measure_item(d);
        EXPECT_TRUE(unit_body_hit(d, (int)(b.left + b.width / 2), (int)(b.top + b.height / 2)));
        EXPECT_FALSE(unit_body_hit(d, (int)(b.left + b.width + 8), (int)(b.top + b.height / 2)));

        // The edge a resize of this shape takes: offered on hover exactly when
        // the kind resizes, and dragging it changes the size.
        current_unit = i;
        int32_t box[4] = {d.x, d.y, d.width, d.height};
        if (row.handle_box) {
            ASSERT_TRUE(row.handle_box(d, box));
        }
        const bool right = row.form().shape == SHAPE_HLINE;
        const int hx = right ? box[0] + box[2] - 1 : box[0] + box[2] / 2;
        const int hy = right ? box[1] + box[3] / 2 : box[1] + box[3] - 1;
        const int32_t before = resized_size(d, row.form().shape);
        press(hx, hy);
        EXPECT_EQ(resize_handle != HANDLE_NONE, row.resizable());
        if (row.resizable()) {
            drag(hx + (right ? 8 : 0), hy + (right ? 0 : 8));
            release(hx + (right ? 8 : 0), hy + (right ? 0 : 8));
            EXPECT_EQ(resized_size(d, row.form().shape), before + 8);
        } else {
            release(hx, hy);
        }
        reset_interaction_state();
        d.x = PANEL_X + 1 + 20 * led_pitch;   // a press may have dragged it
        d.y = PANEL_Y + 1 + 10 * led_pitch;

        // Its script line, read back into the same record.
        const std::string line = digit_item_script(i);
        const line_form& form = row.form().line;
        ASSERT_TRUE(form.count > 0) << "no script line";
        const std::string keyword = std::string(form.command) + " " + (form.keyword ? form.keyword + std::string(" ") : "");
        ASSERT_NE(line.find(keyword), std::string::npos) << line;
        const Digit_unit was = d;
        ws.write_script(script_text());
        fresh_start();
        const Digit_unit& back = digit_table[i];
        EXPECT_EQ(back.kind, home.kind);
        EXPECT_EQ(back.visible, 1);
        EXPECT_EQ(back.x, was.x);
        EXPECT_EQ(back.y, was.y);
        EXPECT_EQ(back.color, was.color);
        EXPECT_EQ(digit_item_script(i), line);
    }
}
