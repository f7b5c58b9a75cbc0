/*******************************************************************************
 * model/document.h - the layout being edited: items, pictures, settings values
 *
 * One document is the whole of what the user edits and saves: the items of
 * the layout in their pool, the program file's regions with the pictures
 * placed from them, the valve pictures' file images, the settings values of
 * SysCfg.ini (panel size, program number) and where its files are. It knows
 * nothing of pixels, windows or input; the designer, the command-line tool
 * and the tests each make their own.
 *
 * Creating an item gives it the lowest free slot of its kind's range (a
 * variable: of its code's range, then, unless it shows a register, of the
 * other variable ranges); a full kind is refused with a message.
 *
 * Limits: ITEM_CAPACITY items, PICTURE_COUNT pictures, REGION_COUNT regions.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read or write files (command/, output/ and app/ do), or draw.
 ******************************************************************************/
#pragma once
#include "model/kind_forms.h"
#include "model/pool.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include <cstdint>
#include <string>
#include <vector>

// ---- settings values ---------------------------------------------------------------

constexpr int PANEL_MIN_DOTS = 1;       // panel size accepted in each direction
constexpr int PANEL_MAX_DOTS = 4096;
constexpr long PROGRAM_ID_MAX = 99999;

struct doc_settings {
    std::string width_text = "Error", height_text = "Error";   // WIDTH and HEIGHT as read
    std::string remote_ip = "Error";
    std::string program_id = "1";
    int panel_w = 0, panel_h = 0;   // dots; 0 when the text is not a size of PANEL_MIN_DOTS..PANEL_MAX_DOTS
    std::string problem;            // what is wrong with them ("" when nothing): no save until mended
};

// `text` as a plain decimal (blanks around it allowed) within lo..hi.
bool setting_number(const char* text, long lo, long hi, long& out);
// A panel dimension from its settings text, or 0.
int panel_dots(const std::string& text);

// ---- where the files are --------------------------------------------------------------

constexpr int FONT_SIZE_SLOTS = 14;     // font files per script: sizes 12..24 and 32
enum font_script : int { FONT_HZ = 0, FONT_ASC = 1, FONT_SCRIPTS = 2 };

struct doc_paths {
    std::string dir;                    // the workspace, ending in '/'
    std::string fonts[FONT_SIZE_SLOTS][FONT_SCRIPTS];
    std::string cfg, vsn, cmd;          // SysCfg.ini, one_pic_effect.vsn, ledsys/CMD<n>/cmd.txt
    std::string valves[VALVE_PICTURES]; // ledsys/CMD<n>/id_<k>.bmp
    std::string logo_jpg, logo_bmp;
};

// ---- pictures and regions of the program file -------------------------------------------

constexpr int PICTURE_COUNT = 10;        // pictures placed from picture regions
constexpr int PICTURES_AT_START = 4;     // pictures a save walks before any is placed
constexpr int PICTURE_PATH_LEN = 300;

struct doc_picture {
    int32_t x = 0, y = 0;                // dots
    int32_t w = 0, h = 0;                // dots
    uint8_t shown = 0;
    uint8_t has_picture = 0;             // draw the bitmap; else a dotted outline
    char bmp_path[PICTURE_PATH_LEN] = {};
};

constexpr int REGION_COUNT = 30;
constexpr int REGION_PATH_LEN = 400;
constexpr int REGION_NUMBER_LEN = 25;
constexpr int REGION_TEXT_LEN = 55;
enum : uint8_t { REGION_NONE = 0, REGION_PICTURE = 2, REGION_TEXT = 4 };

// One region of the program file's page 0.
struct region_record {
    uint8_t type;        // REGION_PICTURE, REGION_TEXT or REGION_NONE
    uint16_t rx, ry;     // X and Y as numbers
    uint16_t rw, rh;     // Width and Height as numbers (picture regions)
    uint8_t in_use;      // written back on saving
    char file_path[REGION_PATH_LEN];   // picture path, GBK
    char x_text[REGION_NUMBER_LEN];
    char y_text[REGION_NUMBER_LEN];
    char w_text[REGION_NUMBER_LEN];
    char h_text[REGION_NUMBER_LEN];
    char region_text[REGION_TEXT_LEN]; // text of a text region, GBK
    uint8_t text_whole;  // region_text is whole (read uncut, or set since): only then written back
};

// A valve picture file, read whole.
struct valve_image {
    uint8_t* bytes = nullptr;
    int32_t len = 0;
};

// How a document's file was read at start.
enum file_state : uint8_t { FILE_READ = 0, FILE_MISSING = 1, FILE_UNREADABLE = 2 };

// ---- how the script loaded ----------------------------------------------------------------

// Outcome of one script line.
enum cmd_status : int32_t { CMD_DONE = 0, CMD_CHANGED = 1, CMD_REFUSED = 2 };

// One line that was refused or changed.
struct script_note {
    int line;             // line number in the file, from 1
    cmd_status status;    // CMD_CHANGED or CMD_REFUSED
    std::string reason;
    std::string text;     // the line as written (GBK)
};

struct script_report {
    file_state state = FILE_MISSING;
    std::string why;      // reason when the file could not be read
    file_stamp stamp;     // the file as it was read (a save updates it to what it wrote)
    int lines = 0;        // non-empty lines dispatched
    int refused = 0;
    int changed = 0;
    std::vector<script_note> notes;
};

// ---- the document ------------------------------------------------------------------------

struct document {
    doc_paths paths;
    doc_settings settings;
    item_pool items;
    doc_picture pictures[PICTURE_COUNT];
    int32_t picture_count = PICTURES_AT_START;
    region_record regions[REGION_COUNT];
    valve_image valves[VALVE_PICTURES];
    script_report script;                     // how cmd.txt loaded
    bool program_file_unusable = false;       // one_pic_effect.vsn exists but could not be read
    std::string program_file_problem;
    file_stamp program_file_stamp;            // one_pic_effect.vsn as loaded or last saved
    std::string saved_snapshot;               // the layout as loaded or last saved (output/layout_save)
    bool refused_lines_kept = false;          // the refused lines of this load are in the side file

    document();
    ~document();
    document(const document&) = delete;
    document& operator=(const document&) = delete;
};

// Forget every item, picture and region (the paths, settings and valve
// pictures stay).
void doc_clear_layout(document& d);

// The lowest free slot a new item of this kind (and code, for variables)
// takes, or NO_SLOT when its kind is full.
int16_t doc_free_slot(const document& d, item_kind kind, int32_t code);
// Create a copy of `from` as a new item with a free slot of its kind (its own
// slot when that is set and free). The outcome says when the kind is full.
outcome doc_create(document& d, const item& from, item_id& out);
// Remove an item.
void doc_delete(document& d, item_id id);

// The item of an id, or null.
inline item* doc_item(document& d, item_id id) { return pool_get(d.items, id); }
inline const item* doc_item(const document& d, item_id id) { return pool_get(d.items, id); }

// Call visit(id, item) for every item in drawing order: tables (which others
// stand on) by slot, the other non-text items by slot, then the texts by slot.
template <class Visit>
void doc_walk_drawing_order(const document& d, Visit visit)
{
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id id, const item& it) {
        if (it.kind == KIND_TABLE) visit(id, it);
    });
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id id, const item& it) {
        if (it.kind != KIND_TABLE) visit(id, it);
    });
    pool_walk(d.items, ITEM_TABLE_TEXTS, visit);
}

// True when the dot (x, y) lies on the panel.
bool doc_on_panel(const document& d, int64_t x, int64_t y);

// The valve picture of a picture number, or null.
const valve_image* doc_valve(const document& d, int32_t number);
