/*******************************************************************************
 * app/documents.cpp - loading the layout at start-up, without a window
 *
 * Gives every record its defaults and palette place, then loads what was
 * saved last time. Shared by the designer and by tools that load a workspace
 * without opening a window.
 ******************************************************************************/
#include "app/startup.h"
#include "model/button_rows.h"

void startup_documents()
{
    layout_button_rows();
}
