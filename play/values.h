/*******************************************************************************
 * play/values.h - where the simulation's numbers come from
 *
 * A value source answers what the panel's variables show: holding registers
 * (register n is 4x4n, 4x40001 the first), the five counters, temperature
 * and humidity, and the 18 safe-production counters, each a number or not
 * known; and it sums up its state in one line for the status line.
 *
 * The workspace's source reads the values file VALUES_FILE_NAME beside the
 * settings (UTF-8 or ASCII, lines of "key=value" in sections; ';' or '#'
 * starts a comment, at the start of a line or after a blank):
 *
 *   [registers]   n=value     register n (1..65536, or 4x4nnnn), value
 *                             0..65535, -32768..-1 (the word of a negative
 *                             signed number) or 0x0000..0xFFFF
 *   [counters]    1..5=value  whole numbers
 *   [sensors]     temperature=23.5   humidity=45   (with their decimals)
 *   [safety]      1..18=value whole numbers
 *   [modbus]      host=  port=502  unit=1  period_ms=1000
 *
 * With a host in [modbus], registers come from that PLC (Modbus TCP, through
 * platform/modbus_poll) and the file's [registers] are not shown; the other
 * sections always come from the file. A line that cannot be read is skipped
 * and named. Setting a register rewrites only that register's line (or adds
 * it), keeping its comment and every other line as they were, through a
 * temporary file and a rename.
 *
 * Limits: the file is read once, at open; files over 1 MiB are not read.
 * Depends on: platform/modbus_poll, platform/file_write, platform/outcome.
 * Does NOT: write to the PLC, decode words into numbers (play/decode does), or
 *   watch the file for changes made by other programs.
 ******************************************************************************/
#pragma once
#include "platform/outcome.h"
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr const char* VALUES_FILE_NAME = "sim_values.ini";
constexpr int VALUES_COUNTERS = 5;     // counters 1..5
constexpr int VALUES_SAFETY = 18;      // safe-production counters 1..18

class modbus_poller;
struct modbus_settings;

// What a source of values answers.
class values_source {
public:
    virtual ~values_source() = default;
    // The word of holding register n (1-based).
    virtual std::optional<uint16_t> holding(int n) const = 0;
    // Counter k (1..5) and safe-production counter k (1..18).
    virtual std::optional<int64_t> counter(int k) const = 0;
    virtual std::optional<int64_t> safety(int k) const = 0;
    virtual std::optional<double> temperature() const = 0;
    virtual std::optional<double> humidity() const = 0;
    // One line for the status line: where the values come from, and what is wrong.
    virtual std::string state_line() const = 0;
    // False while something is wrong with the source (the PLC does not answer).
    virtual bool state_ok() const { return true; }
};

// The values file of a workspace, and the PLC it names.
class values_workspace : public values_source {
public:
    values_workspace();
    ~values_workspace() override;   // stops polling the PLC

    // Read the values file in folder `dir` and start polling its PLC. A missing
    // file is no failure (every value is not known); a line skipped is a note.
    outcome open(const std::string& dir);
    // The same with the values file at `path`.
    outcome open_file(const std::string& path);
    // Take registers from the PLC at host:port (the file's unit and period,
    // or the defaults), whatever the file names.
    void use_plc(const std::string& host, int port);
    // The registers (1-based) the layout shows, for the PLC to read.
    void watch(const std::vector<int>& registers);
    // Set register n to `word` and save the values file.
    outcome set_register(int n, uint16_t word);
    // Set `count` registers from n on, all in one save of the file; a
    // register out of range changes nothing. With a PLC the note says the
    // panel still shows the PLC's values.
    outcome set_registers(int n, const uint16_t* words, int count);

    std::optional<uint16_t> holding(int n) const override;
    std::optional<int64_t> counter(int k) const override;
    std::optional<int64_t> safety(int k) const override;
    std::optional<double> temperature() const override;
    std::optional<double> humidity() const override;
    std::string state_line() const override;
    bool state_ok() const override;

    // The values file's path.
    const std::string& path() const { return path_; }
    // How often the PLC is polled (milliseconds); 0 without a PLC.
    int plc_period_ms() const { return plc_ ? plc_period_ms_ : 0; }

private:
    std::string path_;
    bool file_exists_ = false;
    std::map<int, uint16_t> registers_;
    std::optional<int64_t> counters_[VALUES_COUNTERS];
    std::optional<int64_t> safety_[VALUES_SAFETY];
    std::optional<double> temperature_, humidity_;
    std::unique_ptr<modbus_settings> plc_settings_;   // as the file gave them
    std::unique_ptr<modbus_poller> plc_;
    int plc_period_ms_ = 0;
};
