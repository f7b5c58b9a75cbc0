// The message table: every row formats, and outcomes reach the channel they are reported to.
#include "edit/status.h"
#include "platform/messages.h"
#include "platform/outcome.h"
#include <gtest/gtest.h>
#include <cctype>
#include <string>

namespace {

// The kinds of values a format asks for, in order: s a text, d an int, L a
// long, Q a long long.
std::string conversions(const std::string& f)
{
    std::string kinds;
    for (size_t k = 0; k + 1 < f.size(); k++) {
        if (f[k] != '%') continue;
        size_t j = k + 1;
        while (j < f.size() && (isdigit((unsigned char)f[j]) || f[j] == '.' || f[j] == '-')) j++;
        int longs = 0;
        while (j < f.size() && f[j] == 'l') j++, longs++;
        if (j < f.size()) kinds += f[j] == 's' ? 's' : longs == 2 ? 'Q' : longs == 1 ? 'L' : 'd';
        k = j;
    }
    return kinds;
}

// The message with sample values of the kinds it asks for.
std::string formatted(msg_id id, const std::string& kinds)
{
    if (kinds == "") return msg(id);
    if (kinds == "s") return msg(id, "x");
    if (kinds == "d") return msg(id, 7);
    if (kinds == "sd") return msg(id, "x", 7);
    if (kinds == "sdd") return msg(id, "x", 7, 8);
    if (kinds == "ds") return msg(id, 7, "x");
    if (kinds == "ss") return msg(id, "x", "y");
    if (kinds == "dd") return msg(id, 7, 8);
    if (kinds == "ddd") return msg(id, 7, 8, 9);
    if (kinds == "ssdd") return msg(id, "x", "y", 7, 8);
    if (kinds == "ssL") return msg(id, "x", "y", 7L);
    if (kinds == "Q") return msg(id, 7LL);
    if (kinds == "ssQ") return msg(id, "x", "y", 7LL);
    if (kinds == "sQQQ") return msg(id, "x", 7LL, 8LL, 9LL);
    ADD_FAILURE() << "no sample values for a format asking " << kinds << ": " << msg_text(id);
    return "";
}

} // namespace

TEST(Messages, EveryRowFormatsAndOutcomesReachTheirChannel)
{
    // A format is given values of the kinds it asks for: numbers or texts.
    for (int i = 0; i < MSG_COUNT; i++) {
        const std::string f = msg_text((msg_id)i);
        const std::string out = formatted((msg_id)i, conversions(f));
        EXPECT_EQ(out.find('%'), std::string::npos) << f;
    }
    EXPECT_EQ(msg(MSG_SAVE_FAILED, "cmd.txt"), "保存失败：cmd.txt");
    // A message too long is cut before a whole character, never inside one.
    std::string long_name;
    for (int i = 0; i < MSG_TEXT_MAX; i++) long_name += "中";
    for (const std::string& cut : {msg(MSG_SAVE_FAILED, long_name.c_str()), msg(MSG_SAVE_FAILED, ("x" + long_name).c_str())}) {
        EXPECT_LT(cut.size(), (size_t)MSG_TEXT_MAX);
        EXPECT_EQ(cut.substr(cut.size() - 3), "中");
    }

    // A status line takes the status channel once it asks for it.
    status_line line;
    status_take_reports(line);
    report(REPORT_STATUS, outcome_fail(MSG_NOTHING_TO_PASTE));
    EXPECT_EQ(line.tone, STATUS_ERROR);
    EXPECT_STREQ(line.utf8, "没有可粘贴的内容");
    report(REPORT_STATUS, outcome_ok());
    EXPECT_STREQ(line.utf8, "没有可粘贴的内容");   // nothing to say: nothing shown
    report_attach(REPORT_STATUS, nullptr, nullptr);
}
