/*******************************************************************************
 * app/script_main.cpp - lumiker-script DIR: check and normalise a workspace
 *
 * Loads the workspace in folder DIR as the designer loads the folder beside
 * itself (SysCfg.ini, one_pic_effect.vsn, ledsys/CMD<n>/cmd.txt), through the
 * same start-up code and without a window; writes the script of what was
 * loaded (the export, CR LF lines) to standard output; prints every line
 * that was refused or changed on reading to standard error with its line
 * number and the reason.
 *
 * Exit status: 0 all lines loaded, 1 a line was refused, 2 the workspace
 * cannot be read (no folder, no SysCfg.ini, an invalid panel size or
 * program number, no readable cmd.txt).
 * Changes no file.
 ******************************************************************************/
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "model/settings.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

int usage()
{
    fprintf(stderr,
            "usage: lumiker-script DIR\n"
            "Loads the workspace in DIR (SysCfg.ini, one_pic_effect.vsn, ledsys/CMD<n>/cmd.txt),\n"
            "writes the normalised cmd.txt to standard output and every refused or changed\n"
            "line to standard error. Exit status: 0 ok, 1 lines refused, 2 workspace unreadable.\n");
    return 2;
}

bool readable_file(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    char c;
    size_t n = fread(&c, 1, 1, f);
    bool ok = n == 1 || !ferror(f);
    fclose(f);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || !strcmp(argv[1], "-h") || !strcmp(argv[1], "--help")) return usage();
    std::string dir = argv[1];
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        fprintf(stderr, "lumiker-script: %s is not a folder\n", dir.c_str());
        return 2;
    }
    if (dir.back() != '/') dir += '/';
    if (dir.size() >= (size_t)DIR_LEN - 40) {
        fprintf(stderr, "lumiker-script: the folder name is too long\n");
        return 2;
    }
    if (!startup_paths(dir.c_str())) return 2;
    if (!readable_file(cfg_path)) {
        fprintf(stderr, "lumiker-script: cannot read %s\n", cfg_path);
        return 2;
    }
    // A panel size or program number the designer would refuse to save with.
    if (settings_problem[0]) {
        fprintf(stderr, "lumiker-script: %s\n", settings_problem);
        return 2;
    }
    if (!readable_file(cmd_path)) {
        fprintf(stderr, "lumiker-script: cannot read %s\n", cmd_path);
        return 2;
    }

    cmd_error_stream = nullptr;        // the report below names unknown commands
    script_report_stream = stderr;
    convert_pictures_at_startup = false;
    startup_documents();
    if (last_script_report.state != SCRIPT_READ) {
        fprintf(stderr, "lumiker-script: %s\n", last_script_report.why.c_str());
        return 2;
    }

    std::string out = script_text();
    if (fwrite(out.data(), 1, out.size(), stdout) != out.size() || fflush(stdout) != 0) {
        fprintf(stderr, "lumiker-script: cannot write the script to standard output\n");
        return 2;
    }
    if (last_script_report.refused > 0) {
        fprintf(stderr, "lumiker-script: %d of %d lines refused, %d changed\n", last_script_report.refused,
                last_script_report.lines, last_script_report.changed);
        return 1;
    }
    return 0;
}
