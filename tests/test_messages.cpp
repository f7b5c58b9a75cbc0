// The message table: every row formats, and outcomes reach the channel they are reported to.
#include "edit/status.h"
#include "platform/messages.h"
#include "platform/outcome.h"
#include <gtest/gtest.h>
#include <string>

TEST(Messages, EveryRowFormatsAndOutcomesReachTheirChannel)
{
    // A format is given values of the kinds it asks for: numbers or texts.
    for (int i = 0; i < MSG_COUNT; i++) {
        const std::string f = msg_text((msg_id)i);
        char sample[MSG_TEXT_MAX];
        std::string args;
        for (size_t k = 0; k + 1 < f.size(); k++)
            if (f[k] == '%' && f[k + 1] != '%') args += f[k + 1] == 's' ? 's' : 'd';
        ASSERT_LE(args.size(), 2u) << f;
        if (args == "") snprintf(sample, sizeof sample, "%s", msg((msg_id)i).c_str());
        else if (args == "s") snprintf(sample, sizeof sample, "%s", msg((msg_id)i, "x").c_str());
        else if (args == "d") snprintf(sample, sizeof sample, "%s", msg((msg_id)i, 7).c_str());
        else if (args == "sd") snprintf(sample, sizeof sample, "%s", msg((msg_id)i, "x", 7).c_str());
        else if (args == "ds") snprintf(sample, sizeof sample, "%s", msg((msg_id)i, 7, "x").c_str());
        else if (args == "ss") snprintf(sample, sizeof sample, "%s", msg((msg_id)i, "x", "y").c_str());
        else snprintf(sample, sizeof sample, "%s", msg((msg_id)i, 7, 8).c_str());
        EXPECT_EQ(std::string(sample).find('%'), std::string::npos) << f;
    }
    EXPECT_EQ(msg(MSG_SAVE_FAILED, "cmd.txt"), "保存失败：cmd.txt");

    // The status line takes the status channel from the start.
    status_clear();
    report(REPORT_STATUS, outcome_fail(MSG_NOTHING_TO_PASTE));
    EXPECT_EQ(status_tone, STATUS_ERROR);
    EXPECT_STREQ(status_utf8, "没有可粘贴的内容");
    report(REPORT_STATUS, outcome_ok());
    EXPECT_STREQ(status_utf8, "没有可粘贴的内容");   // nothing to say: nothing shown
}
