/*******************************************************************************
 * output/file_write.h - replacing a file safely (see platform/file_write.h)
 *
 * The primitive lives in platform/ so that every layer that writes a file
 * (settings, converted pictures, the script, the program file) uses it.
 ******************************************************************************/
#pragma once
#include "platform/file_write.h"
