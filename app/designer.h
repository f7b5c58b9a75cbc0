/*******************************************************************************
 * app/designer.h - the designer's one context: document, view, interaction
 *
 * The designer program holds exactly one of these. It gathers the three
 * named objects the handlers work on (the document being edited, the view
 * that shows it, the interaction under way) with what only the window needs:
 * the item layers, the pictures' textures, and what the last frame showed.
 *
 * Limits: one window, so one designer per process.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: start up (app/startup.h) or draw (app/frame.h).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"
#include "items/item_layers.h"
#include "platform/system.h"
#include "play/engine.h"
#include "raster/picture.h"
#include <vector>

// What the last frame showed of the things that change without input.
constexpr long long REFRESH_US_DEFAULT = 1000000 / 60;   // a display's refresh when it does not say

struct frame_pacing {
    bool wanted = true;          // input or a window event since the last frame
    uint32_t status = 0;         // the status serial drawn
    bool clock = false;          // a clock field was on screen
    local_time time{};           // the clock it showed
    long long last_frame_us = 0; // when the last frame was drawn (monotonic)
    long long refresh_us = REFRESH_US_DEFAULT;
};

struct designer {
    document doc;
    view v;
    interaction ui;
    item_layers layers;
    graph_draw pictures[PICTURE_COUNT];   // the document's pictures as drawn, with their textures
    std::vector<play_show> shows;          // what each item shows this frame, by id
    frame_pacing pacing;

    editor edit() { return editor{doc, v, ui}; }
};

// Bring the drawn pictures in step with the document's and the view: their
// window boxes, and a new texture when a picture's file changed.
void follow_pictures(designer& d);
