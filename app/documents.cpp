/*******************************************************************************
 * app/documents.cpp - loading the layout at start-up, without a window
 *
 * Gives every record its defaults and palette place, then loads what was
 * saved last time: the program file's regions and the command script, whose
 * lines re-create the saved items. Shared by the designer and by tools that
 * load a workspace without opening a window (lumiker-script).
 *
 * Problems are reported on standard error (under the program's own name);
 * start-up always goes on.
 ******************************************************************************/
#include "app/startup.h"
#include "command/script_reader.h"
#include "edit/state.h"
#include "model/default_layout.h"
#include "model/settings.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "app/pictures.h"
#include "platform/outcome.h"

void startup_documents()
{
    // A fresh start: constructed records, then the default layout.
    reset_item_tables();
    default_layout();
    // The align row starts released.
    row_pressed[ROW_ALIGN] = 0;
    row_down[ROW_ALIGN] = 0;

    outcome program = load_program_file();
    if (!program) report(REPORT_STDERR, outcome_fail(MSG_PROGRAM_NOT_LOADED, program.why.c_str()));

    // Picture regions fill the picture records; their files become bitmaps
    // beside the program (only while convert_pictures_at_startup is set).
    convert_program_pictures();
    unload_pic_convert();

    // The command script; the load starts every counter (text_count too) at 0.
    if (!load_script(cmd_path) && last_script_report.state == SCRIPT_UNREADABLE)
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, last_script_report.why.c_str()));

    // What was loaded is what closing compares against.
    remember_saved_layout();
}
