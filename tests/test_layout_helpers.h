// Shared by the layout, command, export, program-file and round-trip tests: a
// temporary workspace folder with a document over it, and a fresh start-up
// (no window).
#pragma once
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "model/document.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

// A folder laid out like the program's own: SysCfg.ini, one_pic_effect.vsn
// and ledsys/CMD<n>/cmd.txt, and a document whose paths point there.
// Removed with everything in it at the end.
struct temp_workspace {
    std::string dir;  // ends in '/'
    std::unique_ptr<document> doc{new document()};

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
        startup_paths(*doc, dir.c_str());
    }
    ~temp_workspace()
    {
        std::string cmd = "rm -rf '" + dir + "'";
        if (system(cmd.c_str()) != 0) {}
    }
    document& d() const { return *doc; }
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
        std::ofstream f(doc->paths.cmd, std::ios::binary);
        f << data;
    }
    std::string script() const { return read_path(doc->paths.cmd); }
    // The settings file read again (after the test rewrote it).
    void reread_settings() const { startup_paths(*doc, dir.c_str()); }
};

// What the designer does at start without a window: the documents loaded
// into the workspace's document, nothing converted, unknown words nowhere.
inline void fresh_start(temp_workspace& ws) { startup_documents(*ws.doc, false, nullptr); }

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
