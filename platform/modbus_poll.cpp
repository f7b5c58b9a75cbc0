/*******************************************************************************
 * platform/modbus_poll.cpp - the poller thread, its snapshots and its state line
 *
 * Sections: runs and reasons | the snapshot | the thread | the reader side
 ******************************************************************************/
#include "platform/modbus_poll.h"
#include "platform/messages.h"
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <modbus/modbus.h>
#include <mutex>
#include <netdb.h>
#include <thread>
#include <unordered_map>

using poll_clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// ---- runs and reasons ---------------------------------------------------------------

namespace {

constexpr int MS_PER_SECOND = 1000, US_PER_MS = 1000;
constexpr int PORT_TEXT = 16, RANGE_TEXT = 48;

// The Chinese reason of a failed connection or request, from errno.
std::string reason_of(int error, int first, int count)
{
    if (error > MODBUS_ENOBASE && error <= EMBXGTAR) {
        char range[RANGE_TEXT];
        snprintf(range, sizeof range, "4x4%04d–4x4%04d", first, first + count - 1);
        return msg(MSG_MODBUS_EXCEPTION, range, error - MODBUS_ENOBASE);
    }
    switch (error) {
    case ECONNREFUSED: return msg(MSG_MODBUS_REFUSED);
    case ETIMEDOUT:
    case EINPROGRESS: return msg(MSG_MODBUS_TIMEOUT);
    case ECONNRESET:
    case EPIPE:
    case ENOTCONN:
    case ECONNABORTED: return msg(MSG_MODBUS_CLOSED);
    case EMBBADCRC:
    case EMBBADDATA:
    case EMBBADEXC:
    case EMBUNKEXC:
    case EMBMDATA:
    case EMBBADSLAVE: return msg(MSG_MODBUS_BAD_REPLY);
    default: return msg(MSG_MODBUS_NETWORK, modbus_strerror(error));
    }
}

// True when a failed request leaves the connection usable: the server
// answered with a Modbus exception.
bool answered_with_exception(int error) { return error > MODBUS_ENOBASE && error <= EMBXGTAR; }

} // namespace

std::vector<std::pair<int, int>> modbus_runs(std::vector<int> registers, int longest)
{
    std::sort(registers.begin(), registers.end());
    registers.erase(std::unique(registers.begin(), registers.end()), registers.end());
    std::vector<std::pair<int, int>> runs;
    for (int n : registers) {
        if (n < 1 || n > MODBUS_REGISTER_MAX) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == n && runs.back().second < longest)
            runs.back().second++;
        else
            runs.push_back({n, 1});
    }
    return runs;
}

// ---- the snapshot ---------------------------------------------------------------------

namespace {

// One register's word and when it was read.
struct reading {
    uint16_t word;
    poll_clock::time_point at;
};

// What one poll left: the readings, the link and the last problem.
struct snapshot {
    std::unordered_map<int, reading> registers;
    bool connected = false;
    bool ever_tried = false;
    std::string problem;                   // "" when the last poll went well
    poll_clock::time_point last_good{};    // the end of the last poll that read everything
};

} // namespace

struct modbus_poller::impl {
    modbus_settings settings;
    std::string where;                     // "host:port"
    milliseconds period;
    mutable std::mutex lock;               // guards the fields below, never held on the network
    std::condition_variable wake;
    bool stopping = false;
    bool rewatched = false;                // a new set of registers waits for the next poll
    std::vector<int> watched;
    std::shared_ptr<const snapshot> last = std::make_shared<snapshot>();
    std::thread thread;

    void run();
    modbus_t* connect(snapshot& next);
    void publish(const snapshot& next);
    bool sleep_for(milliseconds wait, bool until_rewatched);
};

// ---- the thread ------------------------------------------------------------------------

// Hand a finished poll to the readers.
void modbus_poller::impl::publish(const snapshot& next)
{
    auto shared = std::make_shared<const snapshot>(next);
    std::lock_guard<std::mutex> hold(lock);
    last = std::move(shared);
}

// Wait, waking early when the poller stops (or, `until_rewatched`, when new
// registers are to be read). Returns false when it stops.
bool modbus_poller::impl::sleep_for(milliseconds wait, bool until_rewatched)
{
    std::unique_lock<std::mutex> hold(lock);
    wake.wait_for(hold, wait, [&] { return stopping || (until_rewatched && rewatched); });
    return !stopping;
}

// A connected context, or null with the reason in `next`.
modbus_t* modbus_poller::impl::connect(snapshot& next)
{
    char port[PORT_TEXT];
    snprintf(port, sizeof port, "%d", settings.port);
    addrinfo hints{}, *found = nullptr;
    hints.ai_socktype = SOCK_STREAM;
    if (getaddrinfo(settings.host.c_str(), port, &hints, &found) != 0) {
        next.problem = msg(MSG_MODBUS_NO_HOST, settings.host.c_str());
        return nullptr;
    }
    freeaddrinfo(found);
    modbus_t* ctx = modbus_new_tcp_pi(settings.host.c_str(), port);
    if (!ctx) {
        next.problem = reason_of(errno, 0, 0);
        return nullptr;
    }
    const uint32_t sec = MODBUS_TIMEOUT_MS / MS_PER_SECOND;
    const uint32_t usec = MODBUS_TIMEOUT_MS % MS_PER_SECOND * US_PER_MS;
    modbus_set_response_timeout(ctx, sec, usec);
    modbus_set_byte_timeout(ctx, sec, usec);
    if (modbus_set_slave(ctx, settings.unit) != 0 || modbus_connect(ctx) != 0) {
        next.problem = reason_of(errno, 0, 0);
        modbus_free(ctx);
        return nullptr;
    }
    return ctx;
}

// The thread: connect, read every run once a period, publish, back off on failure.
void modbus_poller::impl::run()
{
    modbus_t* ctx = nullptr;
    const milliseconds backoff_max = std::max(period, milliseconds(MODBUS_BACKOFF_MAX_MS));
    milliseconds backoff = period;
    snapshot next;
    uint16_t words[MODBUS_MAX_READ_REGISTERS];
    {
        // Nothing is asked of the PLC, not even a connection, until registers are watched.
        std::unique_lock<std::mutex> hold(lock);
        wake.wait(hold, [&] { return stopping || rewatched; });
    }
    for (;;) {
        const poll_clock::time_point started = poll_clock::now();
        std::vector<int> wanted;
        {
            std::lock_guard<std::mutex> hold(lock);
            if (stopping) break;
            wanted = watched;
            rewatched = false;
        }
        next.ever_tried = true;
        next.problem.clear();
        if (!ctx) ctx = connect(next);
        bool broken = !ctx;
        for (const auto& run : broken ? std::vector<std::pair<int, int>>() : modbus_runs(wanted, MODBUS_MAX_READ_REGISTERS)) {
            const int got = modbus_read_registers(ctx, run.first - 1, run.second, words);
            const poll_clock::time_point at = poll_clock::now();
            if (got == run.second) {
                for (int i = 0; i < run.second; i++) next.registers[run.first + i] = reading{words[i], at};
                continue;
            }
            const int error = got < 0 ? errno : EMBMDATA;
            next.problem = reason_of(error, run.first, run.second);
            for (int i = 0; i < run.second; i++) next.registers.erase(run.first + i);
            if (!answered_with_exception(error)) {
                broken = true;
                break;
            }
        }
        if (broken && ctx) {
            modbus_close(ctx);
            modbus_free(ctx);
            ctx = nullptr;
        }
        next.connected = !broken;
        if (!broken && next.problem.empty()) next.last_good = poll_clock::now();
        publish(next);
        if (broken) {
            if (!sleep_for(backoff, false)) break;
            backoff = std::min(backoff * 2, backoff_max);
            continue;
        }
        backoff = period;
        const auto spent = std::chrono::duration_cast<milliseconds>(poll_clock::now() - started);
        if (!sleep_for(spent < period ? period - spent : milliseconds(0), true)) break;
    }
    if (ctx) {
        modbus_close(ctx);
        modbus_free(ctx);
    }
}

// ---- the reader side ------------------------------------------------------------------

modbus_poller::modbus_poller(const modbus_settings& settings) : p(new impl)
{
    p->settings = settings;
    p->period = milliseconds(std::clamp(settings.period_ms, MODBUS_PERIOD_MIN_MS, MODBUS_PERIOD_MAX_MS));
    p->where = settings.host + ":" + std::to_string(settings.port);
    p->thread = std::thread([this] { p->run(); });
}

modbus_poller::~modbus_poller()
{
    {
        std::lock_guard<std::mutex> hold(p->lock);
        p->stopping = true;
    }
    p->wake.notify_all();
    p->thread.join();
}

void modbus_poller::watch(const std::vector<int>& registers)
{
    {
        std::lock_guard<std::mutex> hold(p->lock);
        p->watched = registers;
        p->rewatched = true;
    }
    p->wake.notify_all();
}

std::optional<uint16_t> modbus_poller::holding(int n) const
{
    std::shared_ptr<const snapshot> s;
    {
        std::lock_guard<std::mutex> hold(p->lock);
        s = p->last;
    }
    const auto it = s->registers.find(n);
    if (it == s->registers.end()) return std::nullopt;
    if (poll_clock::now() - it->second.at > MODBUS_STALE_PERIODS * p->period) return std::nullopt;
    return it->second.word;
}

bool modbus_poller::healthy() const
{
    std::shared_ptr<const snapshot> s;
    {
        std::lock_guard<std::mutex> hold(p->lock);
        s = p->last;
    }
    return s->ever_tried && s->connected && s->problem.empty() &&
           poll_clock::now() - s->last_good <= MODBUS_STALE_PERIODS * p->period;
}

std::string modbus_poller::state_line() const
{
    std::shared_ptr<const snapshot> s;
    {
        std::lock_guard<std::mutex> hold(p->lock);
        s = p->last;
    }
    const char* where = p->where.c_str();
    const milliseconds stale = MODBUS_STALE_PERIODS * p->period;
    if (!s->ever_tried) return msg(MSG_MODBUS_CONNECTING, where);
    if (!s->connected) return msg(MSG_MODBUS_DISCONNECTED, where, s->problem.c_str());
    if (!s->problem.empty()) return msg(MSG_MODBUS_READ_ERROR, where, s->problem.c_str());
    if (poll_clock::now() - s->last_good > stale)
        return msg(MSG_MODBUS_DISCONNECTED, where, msg(MSG_MODBUS_SILENT, (int)stale.count()).c_str());
    return msg(MSG_MODBUS_CONNECTED, where);
}
