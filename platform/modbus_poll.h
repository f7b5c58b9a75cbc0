/*******************************************************************************
 * platform/modbus_poll.h - reading a PLC's holding registers in the background
 *
 * A poller owns one background thread that connects to a Modbus TCP server
 * and, once a poll period, reads the holding registers it is told to watch,
 * with function 3 only, in runs of consecutive registers of at most 125. Each
 * poll's readings go into a fresh snapshot that replaces the last one under a
 * mutex held only for the swap, so whoever reads a register or the state
 * line never waits on the network.
 *
 * - A reading older than three poll periods counts as not known.
 * - A request not answered within MODBUS_TIMEOUT_MS, a reply that is not
 *   Modbus, or a dropped connection closes the connection; it is opened again
 *   after one period, then after twice as long each time it fails, up to
 *   MODBUS_BACKOFF_MAX_MS (or the period, when that is longer).
 * - A server that refuses one run (a Modbus exception) keeps the connection;
 *   that run's registers are not known and the state line says why.
 * - The state line reads "Modbus HOST:PORT 已连接", "... 正在连接", "... 未连接：
 *   reason" or "... 已连接，读取出错：reason".
 *
 * Limits: registers 1..65536 (4x40001 is register 1); at most one thread;
 *   closing waits for a request in flight, at most MODBUS_TIMEOUT_MS.
 * Depends on: libmodbus, POSIX threads (std::thread), platform/outcome.
 * Does NOT: write to the PLC (no function but 3 is ever sent), read coils or
 *   input registers, or decode the words.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr int MODBUS_DEFAULT_PORT = 502;
constexpr int MODBUS_DEFAULT_UNIT = 1;
constexpr int MODBUS_DEFAULT_PERIOD_MS = 1000;
constexpr int MODBUS_PERIOD_MIN_MS = 50, MODBUS_PERIOD_MAX_MS = 60000;
constexpr int MODBUS_TIMEOUT_MS = 1000;        // for connecting and for each reply
constexpr int MODBUS_BACKOFF_MAX_MS = 5000;    // longest wait before connecting again
constexpr int MODBUS_STALE_PERIODS = 3;        // readings older than this many periods are not known
constexpr int MODBUS_REGISTER_MAX = 65536;

// Where the PLC is and how often to ask it.
struct modbus_settings {
    std::string host;
    int port = MODBUS_DEFAULT_PORT;
    int unit = MODBUS_DEFAULT_UNIT;
    int period_ms = MODBUS_DEFAULT_PERIOD_MS;
};

// A background poller of one PLC; all its functions may be called from any thread.
class modbus_poller {
public:
    // Start the poller's thread; it connects only once registers are watched.
    explicit modbus_poller(const modbus_settings& settings);
    // Stop the thread and wait for it.
    ~modbus_poller();
    modbus_poller(const modbus_poller&) = delete;
    modbus_poller& operator=(const modbus_poller&) = delete;

    // The registers (1-based) to read from the next poll on; a poller that is
    // connected and waiting for its period reads them at once.
    void watch(const std::vector<int>& registers);
    // The word of register n from the last snapshot; none when not known.
    std::optional<uint16_t> holding(int n) const;
    // One line for the status line: where the PLC is and how the link is.
    std::string state_line() const;
    // True while the PLC answers and its values are fresh.
    bool healthy() const;

    struct impl;

private:
    std::unique_ptr<impl> p;
};

// The runs of consecutive registers (first, count) that cover `registers`,
// each at most `longest` long, in increasing order.
std::vector<std::pair<int, int>> modbus_runs(std::vector<int> registers, int longest);
