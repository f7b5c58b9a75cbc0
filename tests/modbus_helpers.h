// Shared by the tests that read values from a PLC: tests/modbus_server.py
// (pymodbus, a server this project did not write) on a loopback port while
// it lives, a free port, and waiting for a condition.
#pragma once
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using std::chrono::milliseconds;
using journey_clock = std::chrono::steady_clock;

constexpr int PERIOD_MS = 100;
constexpr const char* PYTHON = "/usr/bin/python3";   // Debian's, with python3-pymodbus

inline std::string read_file(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void write_file(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Ask `done` until it holds or `ms` pass; true when it held.
inline bool within(int ms, const std::function<bool()>& done)
{
    const auto until = journey_clock::now() + milliseconds(ms);
    while (!done()) {
        if (journey_clock::now() > until) return false;
        std::this_thread::sleep_for(milliseconds(10));
    }
    return true;
}

// A TCP socket bound (port 0: a free port) or connected to a loopback port;
// returns the port, or 0 when it fails.
inline int loopback(int port, bool connecting)
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons((uint16_t)port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    const bool ok = connecting ? connect(s, (sockaddr*)&a, sizeof a) == 0
                               : bind(s, (sockaddr*)&a, sizeof a) == 0 && getsockname(s, (sockaddr*)&a, &len) == 0;
    close(s);
    return ok ? ntohs(a.sin_port) : 0;
}

// tests/modbus_server.py in one mode, on one port, while it lives.
class server {
public:
    server(int port, const char* mode)
    {
        const std::string script = std::string(LUMIKER_SOURCE_DIR) + "/tests/modbus_server.py";
        const std::string p = std::to_string(port);
        pid_ = fork();
        if (pid_ == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execl(PYTHON, PYTHON, script.c_str(), p.c_str(), mode, (char*)nullptr);
            _exit(127);
        }
        up_ = pid_ > 0 && within(15000, [port] { return loopback(port, true) != 0; });
    }
    ~server()
    {
        if (pid_ > 0) kill(pid_, SIGKILL);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    bool up() const { return up_; }

private:
    pid_t pid_ = -1;
    bool up_ = false;
};

