// Shared by the layout, command, export, program-file and round-trip tests: a
// temporary workspace folder and a fresh start-up over it (no window).
#pragma once
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "edit/state.h"
#include "model/settings.h"
#include "model/tables.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

// A folder laid out like the program's own: SysCfg.ini, one_pic_effect.vsn
// and ledsys/CMD<n>/cmd.txt. Removed with everything in it at the end.
struct temp_workspace {
    std::string dir;  // ends in '/'

    explicit temp_workspace(int width = 256, int height = 64, const char* program = "1")
    {
        char t[] = "/tmp/lumiker_ws_XXXXXX";
        dir = mkdtemp(t) ? std::string(t) + "/" : std::string("/tmp/lumiker_ws_fallback/");
        std::ostringstream cfg;
        cfg << "[LEDPARA]\r\nWIDTH=" << width << "\r\nHEIGHT=" << height << "\r\nPROGRAMID=" << program
            << "\r\n[NetSyc]\r\nSyc_Update=0\r\n";
        write("SysCfg.ini", cfg.str());
        mkdir((dir + "ledsys").c_str(), 0777);
        mkdir((dir + "ledsys/CMD" + program).c_str(), 0777);
        startup_paths(dir.c_str());
    }
    ~temp_workspace()
    {
        std::string cmd = "rm -rf '" + dir + "'";
        if (system(cmd.c_str()) != 0) {}
    }
    std::string path(const std::string& name) const { return dir + name; }
    void write(const std::string& name, const std::string& data) const
    {
        std::ofstream f(dir + name, std::ios::binary);
        f << data;
    }
    std::string read(const std::string& name) const { return read_path(dir + name); }
    static std::string read_path(const std::string& p)
    {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    void write_script(const std::string& data) const
    {
        std::ofstream f(cmd_path, std::ios::binary);
        f << data;
    }
    std::string script() const { return read_path(cmd_path); }
};

// What the designer does at start without a window: paths and settings are
// set by the workspace; zoom and picture count are at their start values.
inline void fresh_start()
{
    led_pitch = 2;
    graph_count = 4;
    cmd_error_stream = nullptr;
    script_report_stream = nullptr;
    startup_documents();
}

// Lines of a CR LF text, without their line ends.
inline std::vector<std::string> crlf_lines(const std::string& s)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        size_t e = s.find("\r\n", i);
        if (e == std::string::npos) {
            out.push_back(s.substr(i));
            break;
        }
        out.push_back(s.substr(i, e - i));
        i = e + 2;
    }
    return out;
}
