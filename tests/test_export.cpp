// The script export: line formats and order, the position rule, text pieces,
// table blocks, the Syc_Update write and safe saving.
#include "edit/pointer.h"
#include "edit/status.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/profile.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <sys/stat.h>

namespace {

const char* const HEAD = "led clearall \r\nled clearall \r\n";
const char* const TAIL = "\r\n\r\n";

std::string body(const std::string& script)
{
    size_t h = strlen(HEAD), t = strlen(TAIL);
    if (script.size() < h + t) return "<short>";
    return script.substr(h, script.size() - h - t);
}

string_draw& place_text(int i, int x, int y, int size, int color, int mode, const char* text)
{
    string_draw& s = string_table[i];
    s.visible = 1;
    s.x = x;
    s.y = y;
    s.font_size = (uint8_t)size;
    s.color = color;
    s.mode = (uint8_t)mode;
    copy_field(s.text, TEXT_LEN, text);
    s.text_len = (int32_t)strlen(s.text);
    return s;
}

Digit_unit& place_unit(int i, int x, int y, int color)
{
    Digit_unit& d = digit_table[i];
    d.visible = 1;
    d.x = x;
    d.y = y;
    d.color = (uint8_t)color;
    return d;
}

} // namespace

TEST(Export, AnEmptyPanelGivesTwoClearLinesAndAnEmptyLinePair)
{
    temp_workspace ws;
    fresh_start();
    EXPECT_EQ(script_text(), std::string(HEAD) + TAIL);
    ASSERT_TRUE(export_script());
    EXPECT_EQ(ws.script(), "led clearall \r\nled clearall \r\n\r\n\r\n");
    char v[16];
    profile_read("NetSyc", "Syc_Update", "", v, sizeof v, cfg_path);
    EXPECT_STREQ(v, "1");
    // The other keys of the settings file are kept.
    profile_read("LEDPARA", "WIDTH", "", v, sizeof v, cfg_path);
    EXPECT_STREQ(v, "256");
}

TEST(Export, TextLinesByMode)
{
    temp_workspace ws;
    fresh_start();
    string_table[0].visible = 0;
    place_text(0, 286, 156, 16, 3, 0, "AB");
    string_draw& s2 = place_text(1, 287, 157, 24, 1, 2, "CD");
    s2.reg_addr = 77;
    string_draw& s1 = place_text(2, 266, 146, 16, 2, 1, "News");
    s1.box_width = 129;
    s1.box_height = 32;
    s1.speed = 5;
    s1.reg_addr = 7;
    s1.direction = 4;
    string_draw& s3 = place_text(3, 266, 146, 16, 2, 3, "Sw");
    s3.box_width = 20;
    s3.box_height = 20;
    s3.speed = 8;
    s3.reg_addr = 7;
    string_draw& s4 = place_text(4, 266, 146, 16, 2, 1, "Hi");
    s4.box_width = 20;
    s4.box_height = 20;
    s4.speed = 33;   // past 30: a negative argument
    s4.reg_addr = 60;  // already 50 or more: written as it is
    EXPECT_EQ(body(script_text()), "led 16t 3 10 5 AB\r\n"
                                   "led 24t 1 11 6 77 CD\r\n"
                                   "led 16st 2 0 0 64 16 25 57 4 News\r\n"
                                   "led 16st 2 0 0 10 10 22 7 0 Sw\r\n"
                                   "led 16st 2 0 0 10 10 -3 60 0 Hi\r\n");
}

TEST(Export, ScrollingTextsAreWrittenInPiecesWithoutChangingTheItem)
{
    temp_workspace ws;
    fresh_start();
    string_table[0].visible = 0;
    std::string t70(70, 'x'), t200;
    for (int i = 0; i < 200; i++) t200 += (char)('a' + i % 26);
    place_text(0, 266, 146, 16, 0, 1, t70.c_str());
    place_text(1, 266, 146, 16, 0, 3, t200.c_str());
    place_text(2, 266, 146, 16, 0, 1, std::string(64, 'y').c_str());
    std::vector<std::string> lines = crlf_lines(body(script_text()));
    ASSERT_EQ(lines.size(), 3u);
    std::string tail0 = lines[0].substr(lines[0].size() - 71);
    EXPECT_EQ(tail0, std::string(64, 'x') + " " + std::string(6, 'x'));
    EXPECT_EQ(std::string(string_table[0].text), t70);
    std::string tail1 = lines[1].substr(lines[1].size() - 202);
    EXPECT_EQ(tail1, t200.substr(0, 64) + " " + t200.substr(64, 64) + " " + t200.substr(128));
    EXPECT_EQ(lines[2].substr(lines[2].size() - 65), std::string(64, 'y') + " ");
    EXPECT_EQ(script_text(), script_text());
}

TEST(Export, ItemLinesFormatsAndOrder)
{
    temp_workspace ws;
    fresh_start();
    place_unit(53, 286, 156, 1).height = 6;  // point block
    Digit_unit& ln = place_unit(83, 267, 147, 2);
    ln.width = 21;  // second corner from the pixel sum: (267 + 21 - 265) / 2 = 11
    Digit_unit& vl = place_unit(153, 267, 147, 3);
    vl.height = 20;
    place_unit(123, 267, 147, 4).height = 16;
    place_unit(133, 267, 147, 5).height = 8;
    Digit_unit& rc = place_unit(353, 267, 147, 6);
    rc.width = 60;
    rc.height = 20;
    Digit_unit& rf = place_unit(400, 267, 147, 0);
    rf.width = 4;
    rf.height = 4;
    rf.reg_addr = 9;
    Digit_unit& vv = place_unit(380, 267, 147, 1);
    vv.reg_addr = 3;
    vv.valve = 140;
    Digit_unit& var = place_unit(203, 271, 151, 2);  // register variable 41
    var.size = 4;
    var.digits = 4;
    var.thickness = 2;
    var.data_type = 3;
    var.decimals = 1;
    Digit_unit& wk = place_unit(9, 271, 151, 1);  // weekday: its font size goes out
    wk.font_px = 24;
    EXPECT_EQ(body(script_text()), "insmod 29 800 led key 1 3 3 16 2 24 1 0 0\r\n"
                                   "led p_mutle 1 10 5 3\r\n"
                                   "led l 2 1 1 11 1 \r\n"
                                   "led c 4 1 1 8\r\n"
                                   "led cf 5 1 1 4\r\n"
                                   "led l 3 1 1 1 11 \r\n"
                                   "insmod 223 800 led key 2 3 3 41 4 4 2 3 1\r\n"
                                   "led r 6 1 1 31 11 \r\n"
                                   "led bmp 3 1 1 1 140 \r\n"
                                   "led rf 0 1 1 3 3 9 \r\n");
}

TEST(Export, AVerticalLineShorterThanADotStaysVertical)
{
    temp_workspace ws;
    fresh_start();
    Digit_unit& vl = place_unit(153, 267, 147, 3);
    vl.height = 1;   // half a dot: both ends would fall on one dot
    EXPECT_EQ(body(script_text()), "led l 3 1 1 1 2 \r\n");
    ASSERT_TRUE(export_script());
    fresh_start();
    EXPECT_EQ(digit_table[153].visible, 1);
    EXPECT_EQ(digit_table[153].kind, KIND_VLINE);
    EXPECT_EQ(digit_table[83].visible, 1);   // the line palette entry, not a restored line
    EXPECT_LT(digit_table[83].x, 265);
}

TEST(Export, TemperatureGetsTwoExtraLines)
{
    temp_workspace ws;
    fresh_start();
    Digit_unit& t = place_unit(33, 275, 155, 1);
    t.reg_addr = 11;
    t.digits = 3;
    t.size = 5;
    EXPECT_EQ(body(script_text()), "insmod 53 800 led key 1 5 5 11 3 5 1 0 0\r\n"
                                   "insmod 1053 20 led key 1 4005 5 61 3 5 1 0 0\r\n"
                                   "insmod 1053 20 led key 1 4005 5 71 3 5 1 0 0\r\n");
}

TEST(Export, TableBlocksColumnByColumnThenMerges)
{
    temp_workspace ws;
    fresh_start();
    Digit_unit& t = place_unit(420, 285, 155, 2);
    t.cols = 2;
    t.rows = 3;
    t.col_width[0] = 20;
    t.col_width[1] = 10;
    t.row_height[0] = 10;
    t.row_height[1] = 6;
    t.row_height[2] = 4;
    t.merges[0] = merge_record{1, -20, -12, -20, -14, 0, 1};
    t.merge_count = 1;
    EXPECT_EQ(body(script_text()), "led begin r 2 3 \r\n"
                                   "led r 2 10 5 20 10 \r\n"
                                   "led r 2 10 10 20 13 \r\n"
                                   "led r 2 10 13 20 15 \r\n"
                                   "led r 2 20 5 25 10 \r\n"
                                   "led r 2 20 10 25 13 \r\n"
                                   "led r 2 20 13 25 15 \r\n"
                                   "led l 255 20 11 20 12 \r\n"
                                   "led end r \r\n");
}

TEST(Export, PositionRuleAndVisibility)
{
    temp_workspace ws(16, 8);
    fresh_start();
    string_table[0].visible = 0;
    place_text(0, 265, 145, 16, 0, 0, "origin");        // on the first dot: saved
    place_text(1, 264, 150, 16, 0, 0, "left");          // left of the panel
    place_text(2, 265 + 31, 145 + 15, 16, 0, 0, "last");  // last pixel of the panel
    place_text(3, 265 + 32, 150, 16, 0, 0, "right");    // right of the panel
    string_draw& del = place_text(4, 270, 150, 16, 0, 0, "deleted");
    del.visible = 0;                                      // deleted or a pending copy
    place_text(5, 270, 2000, 16, 0, 0, "gone");           // y 2000 after deletion
    EXPECT_EQ(body(script_text()), "led 16t 0 0 0 origin\r\nled 16t 0 15 7 last\r\n");
    // At a larger zoom the panel covers more pixels, but hidden items stay out.
    led_pitch = 250;
    std::string big = body(script_text());
    EXPECT_EQ(big.find("deleted"), std::string::npos);
    EXPECT_NE(big.find("gone"), std::string::npos);  // visible and on the (huge) panel
    led_pitch = 2;
}

TEST(Export, PicturesMarkOnlyTheirPictureRegions)
{
    temp_workspace ws;
    fresh_start();
    region_table[0].type = REGION_PICTURE;
    region_table[1].type = REGION_TEXT;
    copy_field(region_table[1].x_text, REGION_NUMBER_LEN, "7");
    graph_table[0] = graph_draw();
    graph_table[0].shown = 1;
    graph_table[0].left = 265 + 21;
    graph_table[0].top = 145 + 40;
    graph_table[0].pic_width = 64;
    graph_table[0].pic_height = 32;
    graph_table[1].shown = 1;
    mark_picture_regions();
    EXPECT_EQ(region_table[0].in_use, 1);
    EXPECT_STREQ(region_table[0].x_text, "10");
    EXPECT_STREQ(region_table[0].y_text, "20");
    EXPECT_STREQ(region_table[0].w_text, "64");
    EXPECT_STREQ(region_table[0].h_text, "32");
    EXPECT_EQ(region_table[1].in_use, 0);  // a text region keeps its own rectangle
    EXPECT_STREQ(region_table[1].x_text, "7");
    EXPECT_EQ(region_table[2].in_use, 0);  // no picture shown there
}

TEST(Export, SavingCreatesTheFolderAndNeverLeavesAHalfFile)
{
    temp_workspace ws;
    fresh_start();
    // Missing program folder: created.
    ASSERT_EQ(system(("rm -rf '" + ws.dir + "ledsys'").c_str()), 0);
    EXPECT_TRUE(export_script());
    EXPECT_EQ(ws.script(), std::string(HEAD) + TAIL);
    // A folder that cannot be written: the old file stays whole, the failure is reported.
    place_text(0, 286, 156, 16, 3, 0, "AB");
    std::string folder = ws.dir + "ledsys/CMD1";
    if (geteuid() != 0) {
        chmod(folder.c_str(), 0555);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(export_script());
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("保存失败："), std::string::npos);
        EXPECT_EQ(ws.script(), std::string(HEAD) + TAIL);
        chmod(folder.c_str(), 0755);
    }
    // A program folder that is a file: reported, and Syc_Update is left as it was.
    ASSERT_EQ(system(("rm -rf '" + ws.dir + "ledsys' && touch '" + ws.dir + "ledsys'").c_str()), 0);
    profile_write("NetSyc", "Syc_Update", "0", cfg_path);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(export_script());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("保存失败："), std::string::npos);
    char v[8];
    profile_read("NetSyc", "Syc_Update", "", v, sizeof v, cfg_path);
    EXPECT_STREQ(v, "0");
}

TEST(Export, FilesThatCouldNotBeLoadedAreNeverSavedOver)
{
    temp_workspace ws;
    const std::string script = "led clearall \r\nled 16t 1 2 3 AB\r\n";
    auto refused = [&](const char* what) {
        SCOPED_TRACE(what);
        fresh_start();
        place_text(0, 286, 156, 16, 3, 0, "AB");
        EXPECT_FALSE(save_data());
        EXPECT_EQ(status_tone, STATUS_ERROR);
        EXPECT_NE(std::string(status_utf8).find("为保留原文件"), std::string::npos) << status_utf8;
        EXPECT_NE(ws.read("SysCfg.ini").find("Syc_Update=0"), std::string::npos);
    };
    // A script that is a folder, a pipe, or larger than the cap.
    ASSERT_EQ(mkdir(cmd_path, 0777), 0);
    refused("folder");
    rmdir(cmd_path);
    ASSERT_EQ(mkfifo(cmd_path, 0666), 0);
    refused("pipe");
    unlink(cmd_path);
    ws.write_script(script);
    ASSERT_EQ(truncate(cmd_path, (off_t)SCRIPT_FILE_MAX + 1), 0);
    refused("too large");
    EXPECT_EQ(ws.script().size(), SCRIPT_FILE_MAX + 1);
    // A program file that cannot be parsed keeps the script unsaved too.
    ws.write_script(script);
    ws.write("one_pic_effect.vsn", "{ broken");
    refused("program file");
    EXPECT_EQ(ws.script(), script);
    EXPECT_EQ(ws.read("one_pic_effect.vsn"), "{ broken");

    // Saved, with the live items outside the panel counted on the status line.
    unlink(ws.path("one_pic_effect.vsn").c_str());
    fresh_start();
    place_text(0, 286, 156, 16, 3, 0, "AB");
    place_text(5, 265 + 2 * 300, 156, 16, 3, 0, "CD");   // right of a 256-dot panel
    ASSERT_TRUE(save_data());
    EXPECT_NE(std::string(status_utf8).find("（面板外的 1 项未保存）"), std::string::npos)
        << status_utf8;
    EXPECT_EQ(ws.script().find("CD"), std::string::npos);
    EXPECT_EQ(ws.read("ledsys/CMD1/cmd.txt.bak"), script);
}
