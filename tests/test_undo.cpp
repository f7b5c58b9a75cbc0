// Undo and redo over the real handlers: every kind of step put back gives the
// export it had before, redoing them all gives the final one, a new change
// drops the redo, and the history keeps its bound.
#include "edit/keys.h"
#include "edit/undo.h"
#include "output/script_export.h"
#include "test_press_helpers.h"
#include <string>
#include <vector>

namespace {

struct Undo : PointerTest {
    item_id text = NO_ITEM, rect = NO_ITEM, table = NO_ITEM;

    void SetUp() override
    {
        PointerTest::SetUp();
        set_panel(512, 256);   // 1024 x 512 px at pitch 2
        // The window the designer opens for it: the whole panel in view.
        lay_out(2 * 512 + 300, WINDOW_MIN_H);
        ui->window_w = v.window_w + 16;
        ui->window_h = v.window_h + 40;
        ASSERT_FALSE(v.hbar || v.vbar);
        // What the start-up loaded: a text, a rectangle and a table,
        text = add_text(17, 177, "Txt", 12);
        rect = add_rect(167, 77, 30, 15);
        table = add_table(217, 177);
        // and a picture of the program file.
        doc_picture& g = doc->pictures[0];
        g.x = 150;
        g.y = 100;
        g.w = g.h = 16;
        g.shown = g.has_picture = 1;
        undo_reset(*ui->undo, *doc);
    }
    // After every event, as the loop does.
    void checkpoint() { undo_checkpoint(*ui->undo, *doc, gesture_under_way(*ui)); }
    void ev_click(int x, int y)
    {
        on_passive_motion(e, x, y);
        checkpoint();
        on_mouse(e, 0, 0, x, y);
        checkpoint();
        on_mouse(e, 0, 1, x, y);
        checkpoint();
    }
    void ev_drag(int x0, int y0, int x1, int y1)
    {
        on_passive_motion(e, x0, y0);
        checkpoint();
        on_mouse(e, 0, 0, x0, y0);
        checkpoint();
        on_motion(e, (x0 + x1) / 2, (y0 + y1) / 2);
        checkpoint();
        on_motion(e, x1, y1);
        checkpoint();
        on_mouse(e, 0, 1, x1, y1);
        checkpoint();
    }
    void ev_key(unsigned char k, int mods = 0)
    {
        input_modifiers = mods;
        on_key(e, k);
        input_modifiers = 0;
        checkpoint();
    }
    void ev_special(int k)
    {
        on_special_key(e, k);
        checkpoint();
    }
    // A click in the middle of an item button (property or nudge).
    void ev_item_button(const button& b)
    {
        const int p = UI_PITCH;   // the controls keep their size at every zoom
        ev_click(b.x + b.w * p / 2, b.y - b.h * p / 2);
    }
    std::string exported() const { return script_text(*doc); }
};

} // namespace

TEST_F(Undo, EveryKindOfStepUndoesToTheExactExportAndRedoesToTheLast)
{
    std::vector<std::string> exports = {exported()};
    auto step_done = [&](const char* what) {
        SCOPED_TRACE(what);
        exports.push_back(exported());
        EXPECT_NE(exports.back(), exports[exports.size() - 2]) << what << " changed nothing in the export";
        EXPECT_EQ(undo_depth(*ui->undo), (int)exports.size() - 1) << what;
    };
    // A line pulled off the palette, then moved.
    const palette_sample& entry = palette_sample_of(SAMPLE_LINE);
    ASSERT_EQ(palette_sample_at(entry.x + 10, entry.y, 2), SAMPLE_LINE);
    ev_drag(entry.x + 10, entry.y, 400, 200);
    const item_id line = ui->current;
    ASSERT_NE(doc_item(*doc, line), nullptr);
    ASSERT_EQ(at(line).kind, KIND_LINE);
    step_done("placement");
    ev_drag(px(at(line).x) + 5, py(at(line).y), px(at(line).x) + 30, py(at(line).y) + 30);
    step_done("move");
    // The rectangle grown by its bottom-right corner.
    ev_click(630, 320);
    ASSERT_EQ(ui->current, rect);
    ev_drag(659, 329, 671, 337);
    EXPECT_EQ(at(rect).w, 36);
    step_done("resize");
    // The rectangle's colour, a property button of the text.
    ev_special(SPECIAL_PAGE_DOWN);
    step_done("colour key");
    ev_click(310, 505);
    ASSERT_EQ(ui->current, text);
    ev_item_button(prop_buttons(KIND_TEXT)[2]);
    EXPECT_EQ(at(text).color, 2);
    step_done("property button");
    // Typing "abc" and a Backspace is one step.
    ev_key('a');
    ev_key('b');
    ev_key('c');
    ev_key(8);
    EXPECT_STREQ(at(text).text, "Txtab");
    step_done("typing");
    // The line and the text taken by a rubber band, dragged together, then aligned left.
    ev_click(900, 620);
    ev_drag(280, 180, 480, 520);
    EXPECT_TRUE(ui->group[line]);
    EXPECT_TRUE(ui->group[text]);
    ev_drag(310, 505, 330, 525);
    step_done("group move");
    int x, y;
    centre_of(tool_row(ROW_ALIGN, v.window_w)[ALIGN_LEFT], x, y);
    ev_click(x, y);
    EXPECT_EQ(at(line).x, at(text).x);
    step_done("alignment");
    ev_special(SPECIAL_F6);
    // Two table cells merged.
    ev_click(730, 515);
    ev_special(SPECIAL_F8);
    ev_click(750, 515);
    centre_of(tool_row(ROW_SPAN, v.window_w)[MERGE_SLOT], x, y);
    ev_click(x, y);
    EXPECT_EQ(at(table).grid.merge_count, 1);
    step_done("merge");
    // The rectangle copied and pasted, then the copy deleted.
    ev_click(630, 320);
    ev_key(3);
    ev_key(22);
    step_done("paste");
    ev_key(127);
    step_done("delete");

    const int steps = (int)exports.size() - 1;
    for (int k = steps - 1; k >= 0; k--) {
        ASSERT_TRUE(undo_step(*ui->undo, *doc));
        EXPECT_EQ(exported(), exports[k]) << "after undoing step " << k + 1;
    }
    EXPECT_FALSE(undo_step(*ui->undo, *doc));
    EXPECT_EQ(redo_depth(*ui->undo), steps);
    for (int k = 1; k <= steps; k++) {
        ev_key(k % 2 ? 25 : 26, k % 2 ? 0 : MOD_SHIFT);   // Ctrl+Y and Ctrl+Shift+Z
        EXPECT_EQ(exported(), exports[k]) << "after redoing step " << k;
    }
    // At another zoom every step still undoes and redoes to its export, and
    // the picture stays on its dot.
    ev_key(17);
    EXPECT_EQ(v.pitch, 3);
    for (int k = steps - 1; k >= 0; k--) {
        ASSERT_TRUE(undo_step(*ui->undo, *doc));
        EXPECT_EQ(exported(), exports[k]) << "at pitch 3, after undoing step " << k + 1;
    }
    for (int k = 1; k <= steps; k++) {
        ASSERT_TRUE(redo_step(*ui->undo, *doc));
        EXPECT_EQ(exported(), exports[k]) << "at pitch 3, after redoing step " << k;
    }
    EXPECT_EQ(doc->pictures[0].x, 150);
    EXPECT_EQ(doc->pictures[0].y, 100);
    ev_key(1);
    EXPECT_EQ(exported(), exports[steps]);
    // Two back, then a new change: what was undone can no longer be redone.
    ev_key(26);
    ev_key(26);
    EXPECT_EQ(exported(), exports[steps - 2]);
    ev_click(630, 320);
    ev_special(SPECIAL_RIGHT);
    EXPECT_EQ(redo_depth(*ui->undo), 0);
    EXPECT_FALSE(redo_step(*ui->undo, *doc));
}

TEST_F(Undo, HistoryKeepsItsBoundAndZoomIsNoStep)
{
    const std::string loaded = exported();
    ev_click(310, 505);
    ASSERT_EQ(ui->current, text);
    for (int i = 0; i < UNDO_STEPS + 50; i++) ev_special(i % 2 ? SPECIAL_RIGHT : SPECIAL_UP);
    EXPECT_EQ(undo_depth(*ui->undo), UNDO_STEPS);
    EXPECT_GE(UNDO_STEPS, 200);
    // A zoom and back changes no step.
    ev_key(17);
    ev_key(1);
    EXPECT_EQ(undo_depth(*ui->undo), UNDO_STEPS);
    int undone = 0;
    while (undo_step(*ui->undo, *doc)) undone++;
    EXPECT_EQ(undone, UNDO_STEPS);
    // The 50 oldest steps are gone: the text stays where the 50th step left it.
    EXPECT_EQ(at(text).x, 17 + 25);
    EXPECT_EQ(at(text).y, 177 - 25);
    EXPECT_NE(exported(), loaded);
}
