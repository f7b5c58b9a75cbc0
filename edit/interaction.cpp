/*******************************************************************************
 * edit/interaction.cpp - the interaction's values at start and small questions
 ******************************************************************************/
#include "edit/interaction.h"

interaction::interaction() : moved(new moved_item[ITEM_CAPACITY]), undo(undo_make()) {}

void reset_interaction(interaction& ui) { ui = interaction(); }

item* current_item(editor& e) { return doc_item(e.doc, e.ui.current); }

item* current_text(editor& e)
{
    item* it = current_item(e);
    return it && it->kind == KIND_TEXT ? it : nullptr;
}

bool group_exists(const interaction& ui) { return ui.group.any(); }

bool gesture_under_way(const interaction& ui)
{
    if (ui.left_down || ui.gesture == GESTURE_DRAG) return true;
    for (const button_marks& m : ui.rows)
        if (m.down) return true;
    return false;
}
