// The values a simulation shows: first from the workspace's values file (read,
// a register typed in and saved), then from a PLC over Modbus TCP, played by
// pymodbus on the loopback: every data type and word order arrives, stopping
// the server makes the values not known and the state line say so, starting
// it again brings them back, and a server that answers garbage, answers
// slowly or drops the connection costs neither a crash nor a blocked reader.
#include "decode_helpers.h"
#include "modbus_helpers.h"
#include "platform/modbus_poll.h"
#include "play/values.h"
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// The digit cells register n shows with a type, digits and point place.
std::string cells_of(const values_source& v, int n, int type, int digits, int point)
{
    const std::optional<uint16_t> w0 = v.holding(n), w1 = v.holding(n + 1);
    const uint16_t words[2] = {w0.value_or(0), w1.value_or(0)};
    const bool known = w0 && (decode_word_count(type) == 1 || w1);
    return cells_text(decode_register({type, digits, point}, known ? words : nullptr), point);
}

} // namespace

TEST(ValuesJourney, FileThenPlcThatStopsComesBackAndMisbehaves)
{
    ASSERT_EQ(system((std::string(PYTHON) + " -c 'import pymodbus' 2>/dev/null").c_str()), 0)
        << "python3-pymodbus is missing: run tools/install-deps.sh";
    char dir[] = "/tmp/lumiker_values_XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string file = std::string(dir) + "/" + VALUES_FILE_NAME;

    // ---- no file yet: nothing is known.
    auto v = std::make_unique<values_workspace>();
    ASSERT_TRUE(v->open(dir));
    EXPECT_EQ(v->state_line(), "没有数值文件 sim_values.ini：数值未知");
    EXPECT_FALSE(v->holding(1));

    // ---- the values file: read, a bad line named, registers typed and saved.
    write_file(file, "; notes of the integrator\r\n[registers]\r\n5=1234\r\n4x40006=-2 ; valve\r\n7=0x10\r\n"
                     "\r\n[counters]\r\n1=42\r\n[sensors]\r\ntemperature=23.5\r\n[safety]\r\n18=7\r\n"
                     "[bogus]\r\nx=1\r\n");
    EXPECT_EQ(v->open(dir).why, file + " 第 13 行无法识别，已忽略");
    EXPECT_EQ(v->state_line(), "数值来自 sim_values.ini");
    EXPECT_EQ(cells_of(*v, 5, DECODE_U16, 4, 0), "1234");
    EXPECT_EQ(cells_of(*v, 6, DECODE_S16, 3, 0), "-  2");
    EXPECT_EQ(v->holding(7), 16);
    EXPECT_FALSE(v->holding(8));
    EXPECT_EQ(v->counter(1), 42);
    EXPECT_EQ(v->temperature(), 23.5);
    EXPECT_FALSE(v->humidity());
    EXPECT_EQ(v->safety(18), 7);
    EXPECT_TRUE(v->set_register(6, 300));
    EXPECT_TRUE(v->set_register(8, 9));
    EXPECT_EQ(v->holding(8), 9);
    EXPECT_EQ(v->set_register(0, 1).why, "寄存器 0 不存在（1 到 65536）");
    // Only the typed registers' lines changed; the rest is as the user wrote it.
    EXPECT_EQ(read_file(file), "; notes of the integrator\r\n[registers]\r\n5=1234\r\n6=300 ; valve\r\n7=0x10\r\n8=9\r\n"
                               "\r\n[counters]\r\n1=42\r\n[sensors]\r\ntemperature=23.5\r\n[safety]\r\n18=7\r\n"
                               "[bogus]\r\nx=1\r\n");

    // ---- a PLC: every type and word order comes over Modbus TCP.
    const int port = loopback(0, false);
    ASSERT_NE(port, 0);
    const std::string where = "Modbus 127.0.0.1:" + std::to_string(port);
    write_file(file, read_file(file) + "[modbus]\r\nhost=127.0.0.1\r\nport=" + std::to_string(port) +
                         "\r\nunit=1\r\nperiod_ms=" + std::to_string(PERIOD_MS) + "\r\n");
    auto plc = std::make_unique<server>(port, "plc");
    ASSERT_TRUE(plc->up());
    ASSERT_TRUE(v->open(dir));
    std::vector<int> used;
    for (int n = 1; n <= 16; n++) used.push_back(n);
    for (int n = 100; n <= 229; n++) used.push_back(n);   // more than one request's 125
    v->watch(used);
    ASSERT_TRUE(within(10000, [&] { return v->holding(229).has_value(); })) << v->state_line();
    EXPECT_EQ(v->state_line(), where + " 已连接");
    EXPECT_EQ(v->holding(225), 225);
    EXPECT_FALSE(v->holding(300));   // not watched
    EXPECT_EQ(cells_of(*v, 1, DECODE_U16, 5, 0), "54321");
    EXPECT_EQ(cells_of(*v, 2, DECODE_S16, 5, 0), "- 1234");
    EXPECT_EQ(cells_of(*v, 3, DECODE_U32, 6, 0), "123456");
    EXPECT_EQ(cells_of(*v, 5, DECODE_S32, 6, 0), "- 98765");
    EXPECT_EQ(cells_of(*v, 7, DECODE_FLOAT_CDAB, 4, 2), "12.35");
    EXPECT_EQ(cells_of(*v, 9, DECODE_FLOAT_ABCD, 4, 3), " -3.5");
    EXPECT_EQ(cells_of(*v, 11, DECODE_FLOAT_DCBA, 3, 1), "0.13");
    EXPECT_EQ(cells_of(*v, 13, DECODE_FLOAT_BADC, 6, 0), "  1235");
    EXPECT_EQ(cells_of(*v, 15, DECODE_U16_ZEROS, 5, 0), "00042");
    // The file's own registers give way to the PLC's, and a typed one says so.
    EXPECT_EQ(v->holding(5), 0x7E33);   // the low word of -98765, not the file's 1234
    EXPECT_EQ(v->set_register(8, 10).why, "已写入 " + file + "；连接 PLC 时显示 PLC 的值");
    EXPECT_EQ(v->counter(1), 42);

    // ---- the PLC stops: within three poll periods nothing is known.
    plc.reset();
    std::this_thread::sleep_for(milliseconds(MODBUS_STALE_PERIODS * PERIOD_MS + 50));
    EXPECT_FALSE(v->holding(229));
    EXPECT_EQ(v->state_line().rfind(where + " 未连接：", 0), 0u) << v->state_line();
    EXPECT_EQ(cells_of(*v, 7, DECODE_FLOAT_CDAB, 4, 2), "----");

    // ---- it starts again: the values come back.
    plc = std::make_unique<server>(port, "plc");
    ASSERT_TRUE(plc->up());
    ASSERT_TRUE(within(15000, [&] { return v->holding(1).has_value(); })) << v->state_line();
    EXPECT_EQ(v->state_line(), where + " 已连接");

    // ---- servers that misbehave: the reader never waits on them. Each
    // fault is told apart from the last server's end by its own reason.
    const struct {
        const char* mode;
        const char* reason;
    } faults[] = {{"garbage", "应答无效"}, {"slow", "应答超时"}, {"drop", "连接被对方断开"}};
    for (const auto& f : faults) {
        SCOPED_TRACE(f.mode);
        plc.reset();
        plc = std::make_unique<server>(port, f.mode);
        ASSERT_TRUE(plc->up());
        std::chrono::nanoseconds slowest{0};
        std::string line;
        int reads = 0;
        const bool down = within(15000, [&] {
            const auto t0 = journey_clock::now();
            line = v->state_line();
            const bool unknown = !v->holding(1) && !v->holding(100);
            slowest = std::max(slowest, journey_clock::now() - t0);
            reads++;
            return unknown && line == where + " 未连接：" + f.reason;
        });
        ASSERT_TRUE(down) << line;
        // A request in flight waits up to a second; a reader is never held that long.
        EXPECT_LT(slowest, milliseconds(MODBUS_TIMEOUT_MS / 10)) << reads << " reads";
    }

    // ---- closing stops the poller while a broken server is still there.
    v.reset();
    plc.reset();
    (void)!system(("rm -rf '" + std::string(dir) + "'").c_str());
}
