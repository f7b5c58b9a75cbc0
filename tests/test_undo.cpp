// Undo and redo over the real handlers: every kind of step put back gives the
// export it had before, redoing them all gives the final one, a new change
// drops the redo, and the history keeps its bound.
#include "edit/actions.h"
#include "edit/keys.h"
#include "edit/undo.h"
#include "output/script_export.h"
#include "test_layout_helpers.h"
#include "test_press_helpers.h"
#include <string>
#include <vector>

namespace {

struct Undo : PointerTest {
    temp_workspace ws{512, 256};   // a panel of 1024 x 512 px at pitch 2
    void SetUp() override
    {
        PointerTest::SetUp();
        forget_item_copy();
        // What the start-up loaded: a text, a rectangle and a table.
        string_draw& s = put_text(5, 300, 500, 24, 12);
        s.text_ready = 1;
        s.font_size = 12;
        copy_field(s.text, TEXT_LEN, "Txt");
        put_unit(360, KIND_RECT, 600, 300, 60, 30);
        put_table(421, 700, 500);
        // and a picture of the program file, which only a zoom moves.
        graph_table[0].left = PANEL_X + 2 * 150;
        graph_table[0].top = PANEL_Y + 2 * 100;
        graph_table[0].pic_width = graph_table[0].pic_height = 16;
        graph_table[0].has_picture = graph_table[0].shown = 1;
        graph_count = 1;
        undo_reset();
    }
    // After every event, as the loop does.
    static void checkpoint() { undo_checkpoint(); }
    static void ev_click(int x, int y)
    {
        on_passive_motion(x, y);
        checkpoint();
        on_mouse(0, 0, x, y);
        checkpoint();
        on_mouse(0, 1, x, y);
        checkpoint();
    }
    static void ev_drag(int x0, int y0, int x1, int y1)
    {
        on_passive_motion(x0, y0);
        checkpoint();
        on_mouse(0, 0, x0, y0);
        checkpoint();
        on_motion((x0 + x1) / 2, (y0 + y1) / 2);
        checkpoint();
        on_motion(x1, y1);
        checkpoint();
        on_mouse(0, 1, x1, y1);
        checkpoint();
    }
    static void ev_key(unsigned char k, int mods = 0)
    {
        input_modifiers = mods;
        on_key(k, 0, 0);
        input_modifiers = 0;
        checkpoint();
    }
    static void ev_special(int k)
    {
        on_special_key(k, 0, 0);
        checkpoint();
    }
};

} // namespace

TEST_F(Undo, EveryKindOfStepUndoesToTheExactExportAndRedoesToTheLast)
{
    std::vector<std::string> exports = {script_text()};
    auto step_done = [&](const char* what) {
        SCOPED_TRACE(what);
        exports.push_back(script_text());
        EXPECT_NE(exports.back(), exports[exports.size() - 2]) << what << " changed nothing in the export";
        EXPECT_EQ(undo_depth(), (int)exports.size() - 1) << what;
    };
    // A line pulled off the palette, then moved.
    const Digit_unit& entry = digit_table[83];
    ev_drag(entry.x + 10, entry.y + 4, 400, 200);
    step_done("placement");
    ev_drag(395, 200, 420, 230);
    step_done("move");
    // The rectangle grown by its bottom-right corner.
    ev_click(630, 320);
    ev_drag(659, 329, 671, 337);
    step_done("resize");
    // The rectangle's thickness and colour, a property button of the text.
    ev_special(SPECIAL_PAGE_DOWN);
    step_done("colour key");
    ev_click(310, 505);
    text_prop_action(string_table[5], 2);
    checkpoint();
    step_done("property button");
    // Typing "ab" and a Backspace is one step.
    ev_key('a');
    ev_key('b');
    ev_key('c');
    ev_key(8);
    step_done("typing");
    // The line and the text taken by a rubber band, dragged together, then aligned left.
    ev_click(900, 620);
    ev_drag(280, 180, 480, 520);
    ev_drag(310, 505, 330, 525);
    step_done("group move");
    int x, y;
    centre_of(align_row[0], x, y);
    ev_click(x, y);
    step_done("alignment");
    ev_special(SPECIAL_F6);
    // Two table cells merged.
    ev_click(730, 515);
    merge_mode = 1;
    ev_click(750, 515);
    centre_of(span_row[0], x, y);
    ev_click(x, y);
    step_done("merge");
    // The rectangle copied and pasted, then deleted.
    ev_click(630, 320);
    ev_key(3);
    ev_key(22);
    step_done("paste");
    ev_key(127);
    step_done("delete");

    const int steps = (int)exports.size() - 1;
    for (int k = steps - 1; k >= 0; k--) {
        ASSERT_TRUE(undo_step());
        EXPECT_EQ(script_text(), exports[k]) << "after undoing step " << k + 1;
    }
    EXPECT_FALSE(undo_step());
    EXPECT_EQ(redo_depth(), steps);
    for (int k = 1; k <= steps; k++) {
        ev_key(k % 2 ? 25 : 26, k % 2 ? 0 : MOD_SHIFT);   // Ctrl+Y and Ctrl+Shift+Z
        EXPECT_EQ(script_text(), exports[k]) << "after redoing step " << k;
    }
    // At another zoom every step still undoes and redoes to its export: the
    // records come back on their dots, as the zoom itself moves them.
    ev_key(17);
    const int32_t picture_at[2] = {graph_table[0].left, graph_table[0].top};
    EXPECT_EQ(picture_at[0], PANEL_X + 3 * 150);
    for (int k = steps - 1; k >= 0; k--) {
        ASSERT_TRUE(undo_step());
        EXPECT_EQ(script_text(), exports[k]) << "at pitch 3, after undoing step " << k + 1;
        EXPECT_EQ(graph_table[0].left, picture_at[0]) << "the picture stays on its dot";
        EXPECT_EQ(graph_table[0].top, picture_at[1]);
    }
    for (int k = 1; k <= steps; k++) {
        ASSERT_TRUE(redo_step());
        EXPECT_EQ(script_text(), exports[k]) << "at pitch 3, after redoing step " << k;
    }
    EXPECT_EQ(graph_table[0].left, picture_at[0]);
    ev_key(1);
    EXPECT_EQ(script_text(), exports[steps]);
    // Two back, then a new change: what was undone can no longer be redone.
    ev_key(26);
    ev_key(26);
    EXPECT_EQ(script_text(), exports[steps - 2]);
    ev_click(630, 320);
    ev_special(SPECIAL_RIGHT);
    EXPECT_EQ(redo_depth(), 0);
    EXPECT_FALSE(redo_step());
}

TEST_F(Undo, HistoryKeepsItsBoundAndZoomIsNoStep)
{
    const std::string loaded = script_text();
    ev_click(310, 505);
    for (int i = 0; i < UNDO_STEPS + 50; i++) ev_special(i % 2 ? SPECIAL_RIGHT : SPECIAL_UP);
    EXPECT_EQ(undo_depth(), UNDO_STEPS);
    EXPECT_GE(UNDO_STEPS, 200);
    // A zoom and back changes no step.
    ev_key(17);
    ev_key(1);
    EXPECT_EQ(undo_depth(), UNDO_STEPS);
    int undone = 0;
    while (undo_step()) undone++;
    EXPECT_EQ(undone, UNDO_STEPS);
    // The 50 oldest steps are gone: the text stays where the 50th step left it.
    EXPECT_EQ(string_table[5].x, 300 + 25 * 2);
    EXPECT_EQ(string_table[5].y, 500 - 25 * 2);
    EXPECT_NE(script_text(), loaded);
}
