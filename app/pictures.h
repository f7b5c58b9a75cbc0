/*******************************************************************************
 * app/pictures.h - pictures of the program file: placing and converting them
 *
 * Each picture region of the program file's page 0 places a picture on the
 * panel: its box in dots, the bitmap it shows. The region's file (a JPEG or
 * bitmap named by its last path component, looked up in the workspace) is
 * converted into a 24-bit bitmap of the same name ending in ".bmp" beside
 * it, which the window and the panel picture draw. The logo is converted the
 * same way at start.
 *
 * Limits: a picture path must fit PICTURE_PATH_LEN bytes; one that does not
 * is not converted rather than cut.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read the program file (output/program_file.h does), or draw.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include <string>

// Source and destination paths of a region's picture: the file name after
// the last '\' or '/' of `path` (its first REGION_PATH_LEN bytes) in the
// workspace `dir`, and the same name with its extension replaced by ".bmp".
// False when the path names no file.
bool picture_paths(const std::string& dir, const char* path, std::string& source, std::string& destination);

// Convert the workspace's logo.jpg into logo.bmp.
void convert_logo(const doc_paths& p);

// Place picture `index` from a picture region (other regions place nothing);
// with `convert`, its file is converted into the picture's bitmap.
void place_picture_region(document& d, int index, const region_record& r, bool convert);

// place_picture_region() for every region of the document.
void place_program_pictures(document& d, bool convert);
