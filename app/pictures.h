/*******************************************************************************
 * app/pictures.h - pictures of the program file: placing and converting them
 *
 * Each picture region of the program file's page 0 places a picture on the
 * panel: its box in dots, the bitmap it shows. The region's file (a JPEG or
 * bitmap named by its last path component, looked up in the workspace) is
 * converted into a 24-bit bitmap of the same name ending in ".bmp", which
 * the window and the panel picture draw. The bitmaps go beside the pictures
 * when the workspace can be written, else into the user's cache folder for
 * that workspace (app/workspace.h), so a workspace the user cannot write
 * (the installed demo) still shows its pictures. The logo is converted the
 * same way at start. A picture that cannot be converted is given back as a
 * failure naming the user's picture and why; its box shows no new bitmap.
 *
 * Limits: a picture path must fit PICTURE_PATH_LEN bytes; one that does not
 * is not converted rather than cut.
 * Depends on: POSIX access (whether the workspace can be written).
 * Does NOT: read the program file (output/program_file.h does), draw, or
 * report anything itself (the caller reports the outcome).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/outcome.h"
#include <string>

// Source and destination paths of a region's picture: the file name after
// the last '\' or '/' of `path` (its first REGION_PATH_LEN bytes) in the
// workspace `dir`, and the same name with its extension replaced by ".bmp".
// False when the path names no file.
bool picture_paths(const std::string& dir, const char* path, std::string& source, std::string& destination);

// The folder the bitmaps of workspace `dir` (ending in '/') go to: `dir`
// when it can be written, else its cache folder. Nothing is made.
std::string picture_bitmap_folder(const std::string& dir);

// Convert the workspace's logo.jpg into logo.bmp in the bitmap folder (a
// workspace need not have a logo: nothing is said when it has none).
void convert_logo(const doc_paths& p);

// Place picture `index` from a picture region (other regions place nothing);
// with `convert`, its file is converted into the picture's bitmap, and a
// failure names the picture that could not be had.
outcome place_picture_region(document& d, int index, const region_record& r, bool convert);

// place_picture_region() for every region of the document: ok, or every
// picture that could not be had, one after another.
outcome place_program_pictures(document& d, bool convert);
