/*******************************************************************************
 * app/workspace.h - where the workspace is, and the paths built from it
 *
 * The workspace is the folder that holds SysCfg.ini, ledsys/CMD<n>/, the
 * program file and the pictures. It is, in this order:
 *   - a folder named on the command line (it must exist and be writable);
 *   - the program's own folder, when it holds a workspace (SysCfg.ini or
 *     ledsys/) and is writable (the build folder, or a copied program);
 *   - $XDG_DATA_HOME/lumiker (~/.local/share/lumiker), filled from the
 *     installed demo workspace (share/lumiker/workspace) on the first start.
 * The dot-matrix font files come from the workspace's Font/ when it has them,
 * else from the program's own folder, else from the installed share folder.
 * Pictures of a workspace that cannot be written are converted into the
 * user's cache folder, $XDG_CACHE_HOME/lumiker (~/.cache/lumiker), in a
 * folder of that workspace's own.
 *
 * Limits: a workspace path must leave room for the file names built from it
 * (WORKSPACE_PATH_MAX bytes).
 * Depends on: POSIX (getenv of XDG_DATA_HOME, XDG_CACHE_HOME and HOME,
 * getpwuid, realpath, stat, access), std::filesystem (copying the demo
 * workspace).
 * Does NOT: overwrite a file the user already has, open a window, or read
 * the documents (app/documents.cpp does).
 *
 * A new workspace (lumiker --new) holds SysCfg.ini and an empty layout in
 * ledsys/CMD1/cmd.txt; the program file is written by its first save.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/outcome.h"
#include <string>

constexpr int WORKSPACE_PATH_MAX = 220;   // bytes of a workspace path, with room for the names built from it

// A chosen workspace and font folder, both absolute and ending in '/'.
struct workspace_choice {
    std::string dir;
    std::string fonts;        // the folder holding Font/fonts/font_libs/
    bool created = false;     // made on this start (in the user's data folder)
    bool from_demo = false;   // ... and filled from the installed demo
    outcome news;             // what the user is told of a new workspace (ok, or a warning)
};

// Build the font, logo, program-file and settings paths from `dir` (ends in
// '/'); the font files are looked up under `font_dir` (`dir` when null).
void build_base_paths(doc_paths& p, const char* dir, const char* font_dir = nullptr);
// Read WIDTH, HEIGHT, RemotIP and PROGRAMID from the settings file (defaults
// when missing) and say what is wrong with them.
void read_settings(document& d);
// Build the script's and the 20 valve pictures' paths from the program number.
void build_program_paths(document& d);

// Steps that need no window: paths from `dir` (the executable's directory when
// null), fonts from `font_dir` (`dir` when null), and the settings file.
// Returns false when the directory cannot be found.
bool startup_paths(document& d, const char* dir, const char* font_dir = nullptr);

// The installed share folder beside a program in `exe_dir` (<prefix>/share/lumiker/).
std::string share_folder(const std::string& exe_dir);

// The folder whose Font/ the font files come from (see the box above).
std::string font_folder_for(const std::string& workspace, const std::string& exe_dir);

// The cache folder for the converted pictures of `workspace` (ends in '/'):
// $XDG_CACHE_HOME/lumiker/<16 hexadecimal digits naming the workspace's
// path>/. Only the path is given; nothing is made.
std::string picture_cache_folder(const std::string& workspace);

// Pick the designer's workspace: `given` (may be null) or the rules above.
outcome choose_workspace(const char* given, const std::string& exe_dir, workspace_choice& out);

// lumiker --new: make `dir` (and its parents) a workspace for a panel of
// width x height dots: SysCfg.ini with that size and program 1, and program
// 1's folder with an empty layout. A folder that already holds a workspace
// is left as it is (a failure saying how to open it); other files in `dir`
// are kept.
outcome make_new_workspace(const std::string& dir, int width, int height);

// Check a folder named on the command line: it must exist and be a folder,
// and be writable when `need_write`. Gives its absolute form ending in '/'.
outcome check_workspace_folder(const char* given, bool need_write, std::string& abs);
