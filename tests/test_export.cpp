// The script export: line formats and order, the position rule, text pieces,
// table blocks, the Syc_Update write and safe saving.
#include "edit/pointer.h"
#include "items/palette.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/profile.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const HEAD = "led clearall \r\nled clearall \r\n";
const char* const TAIL = "\r\n\r\n";

std::string body(const std::string& script)
{
    size_t h = strlen(HEAD), t = strlen(TAIL);
    if (script.size() < h + t) return "<short>";
    return script.substr(h, script.size() - h - t);
}

// A new item made from a palette sample at dot (x, y), as the editor makes it.
item& place(document& d, int sample, int x, int y, int color, int16_t slot = NO_SLOT)
{
    item it = palette_sample_of(sample).sample;
    it.slot = slot;
    it.x = x;
    it.y = y;
    it.color = (uint8_t)color;
    item_id id = NO_ITEM;
    const outcome o = doc_create(d, it, id);
    EXPECT_TRUE(o.ok) << o.why;
    return *doc_item(d, id);
}

item& place_text(document& d, int x, int y, int size, int color, int mode, const char* text)
{
    item& s = place(d, SAMPLE_TEXT, x, y, color);
    s.font_size = (uint8_t)size;
    s.mode = (uint8_t)mode;
    copy_field(s.text, TEXT_LEN, text);
    return s;
}

bool save(document& d)
{
    save_outcome out;
    const outcome o = save_layout(d, out);
    EXPECT_TRUE(o.ok) << o.why;
    return o.ok;
}

std::string setting(const document& d, const char* section, const char* key)
{
    char v[16] = "";
    profile_read(section, key, "", v, sizeof v, d.paths.cfg.c_str());
    return v;
}

// The designer's save button over the workspace's document, its status line
// taking the reports.
struct designer_over {
    view v;
    std::unique_ptr<interaction> ui{new interaction()};
    editor e;
    explicit designer_over(document& d) : e{d, v, *ui} { status_take_reports(ui->status); }
    ~designer_over() { report_attach(REPORT_STATUS, nullptr); }
    std::string status() const { return ui->status.utf8; }
};

} // namespace

TEST(Export, AnEmptyPanelGivesTwoClearLinesAndAnEmptyLinePair)
{
    temp_workspace ws;
    fresh_start(ws);
    EXPECT_EQ(script_text(ws.d()), std::string(HEAD) + TAIL);
    ASSERT_TRUE(save(ws.d()));
    EXPECT_EQ(ws.script(), "led clearall \r\nled clearall \r\n\r\n\r\n");
    EXPECT_EQ(setting(ws.d(), "NetSyc", "Syc_Update"), "1");
    // The other keys of the settings file are kept.
    EXPECT_EQ(setting(ws.d(), "LEDPARA", "WIDTH"), "256");
}

TEST(Export, TextLinesByMode)
{
    temp_workspace ws;
    fresh_start(ws);
    document& d = ws.d();
    place_text(d, 10, 5, 16, 3, TEXT_STATIC, "AB");
    place_text(d, 11, 6, 24, 1, TEXT_STATIC_SWITCHED, "CD").code = 77;
    item& s1 = place_text(d, 0, 0, 16, 2, TEXT_SCROLLING, "News");
    s1.w = 64;
    s1.h = 16;
    s1.speed = 5;
    s1.code = 7;
    s1.direction = 4;
    item& s3 = place_text(d, 0, 0, 16, 2, TEXT_SCROLLING_SWITCHED, "Sw");
    s3.w = s3.h = 10;
    s3.speed = 8;
    s3.code = 7;
    s3.direction = 0;
    item& s4 = place_text(d, 0, 0, 16, 2, TEXT_SCROLLING, "Hi");
    s4.w = s4.h = 10;
    s4.speed = 33;   // past 30: a negative argument
    s4.code = 60;    // already 50 or more: written as it is
    s4.direction = 0;
    EXPECT_EQ(body(script_text(d)), "led 16t 3 10 5 AB\r\n"
                                    "led 24t 1 11 6 77 CD\r\n"
                                    "led 16st 2 0 0 64 16 25 57 4 News\r\n"
                                    "led 16st 2 0 0 10 10 22 7 0 Sw\r\n"
                                    "led 16st 2 0 0 10 10 -3 60 0 Hi\r\n");
}

TEST(Export, ScrollingTextsAreWrittenInPiecesWithoutChangingTheItem)
{
    temp_workspace ws;
    fresh_start(ws);
    document& d = ws.d();
    std::string t70(70, 'x'), t200;
    for (int i = 0; i < 200; i++) t200 += (char)('a' + i % 26);
    const item& first = place_text(d, 0, 0, 16, 0, TEXT_SCROLLING, t70.c_str());
    place_text(d, 0, 0, 16, 0, TEXT_SCROLLING_SWITCHED, t200.c_str());
    place_text(d, 0, 0, 16, 0, TEXT_SCROLLING, std::string(64, 'y').c_str());
    std::vector<std::string> lines = crlf_lines(body(script_text(d)));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 71), std::string(64, 'x') + " " + std::string(6, 'x'));
    EXPECT_EQ(std::string(first.text), t70);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 202), t200.substr(0, 64) + " " + t200.substr(64, 64) + " " + t200.substr(128));
    EXPECT_EQ(lines[2].substr(lines[2].size() - 65), std::string(64, 'y') + " ");
    EXPECT_EQ(script_text(d), script_text(d));
}

TEST(Export, ItemLinesFormatsAndOrder)
{
    temp_workspace ws;
    fresh_start(ws);
    document& d = ws.d();
    place(d, SAMPLE_BLOCK, 10, 5, 1).h = 3;
    place(d, SAMPLE_LINE, 1, 1, 2).w = 10;
    place(d, SAMPLE_VLINE, 1, 1, 3).h = 10;
    place(d, SAMPLE_CIRCLE, 1, 1, 4).h = 8;
    place(d, SAMPLE_FILLED_CIRCLE, 1, 1, 5).h = 4;
    item& rc = place(d, SAMPLE_RECT, 1, 1, 6);
    rc.w = 30;
    rc.h = 10;
    item& rf = place(d, SAMPLE_FILLED_RECT, 1, 1, 0);
    rf.w = rf.h = 2;
    rf.code = 9;
    item& vv = place(d, SAMPLE_VALVE, 1, 1, 1);
    vv.code = 3;
    vv.valve = 140;
    item& var = place(d, SAMPLE_REGISTER, 3, 3, 2);   // register variable 41
    var.size = 4;
    var.digits = 4;
    var.thickness = 2;
    var.data_type = 3;
    var.decimals = 1;
    place(d, SAMPLE_WEEKDAY, 3, 3, 1).font_px = 24;   // weekday: its font size goes out
    EXPECT_EQ(body(script_text(d)), "insmod 20 800 led key 1 3 3 16 2 24 1 0 0\r\n"
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
    fresh_start(ws);
    place(ws.d(), SAMPLE_VLINE, 1, 1, 3).h = 0;   // both ends would fall on one dot
    EXPECT_EQ(body(script_text(ws.d())), "led l 3 1 1 1 2 \r\n");
    ASSERT_TRUE(save(ws.d()));
    fresh_start(ws);
    const item* back = doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, 153));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->kind, KIND_VLINE);
    EXPECT_EQ(back->h, 1);
    EXPECT_EQ(ws.d().items.count, 1);   // not a horizontal line as well
}

TEST(Export, TemperatureGetsTwoExtraLines)
{
    temp_workspace ws;
    fresh_start(ws);
    // A safe-production counter's field turned into a temperature.
    item& t = place(ws.d(), SAMPLE_SAFETY, 5, 5, 1);
    t.code = CODE_TEMPERATURE;
    t.digits = 3;
    t.size = 5;
    EXPECT_EQ(body(script_text(ws.d())), "insmod 53 800 led key 1 5 5 11 3 5 1 0 0\r\n"
                                         "insmod 1053 20 led key 1 4005 5 61 3 5 1 0 0\r\n"
                                         "insmod 1053 20 led key 1 4005 5 71 3 5 1 0 0\r\n");
}

TEST(Export, TableBlocksColumnByColumnThenMerges)
{
    temp_workspace ws;
    fresh_start(ws);
    item& t = place(ws.d(), SAMPLE_TABLE, 10, 5, 2);
    t.grid.cols = 2;
    t.grid.rows = 3;
    t.grid.col_w[0] = 10;
    t.grid.col_w[1] = 5;
    t.grid.row_h[0] = 5;
    t.grid.row_h[1] = 3;
    t.grid.row_h[2] = 2;
    t.grid.merges[0] = table_merge{0, 1, 10, 6, 10, 7};
    t.grid.merge_count = 1;
    EXPECT_EQ(body(script_text(ws.d())), "led begin r 2 3 \r\n"
                                         "led r 2 10 5 20 10 \r\n"
                                         "led r 2 10 10 20 13 \r\n"
                                         "led r 2 10 13 20 15 \r\n"
                                         "led r 2 20 5 25 10 \r\n"
                                         "led r 2 20 10 25 13 \r\n"
                                         "led r 2 20 13 25 15 \r\n"
                                         "led l 255 20 11 20 12 \r\n"
                                         "led end r \r\n");
}

TEST(Export, OnlyItemsOnThePanelAreWritten)
{
    temp_workspace ws(16, 8);
    fresh_start(ws);
    document& d = ws.d();
    place_text(d, 0, 0, 16, 0, TEXT_STATIC, "origin");     // on the first dot: saved
    place_text(d, -1, 2, 16, 0, TEXT_STATIC, "left");      // left of the panel
    place_text(d, 15, 7, 16, 0, TEXT_STATIC, "last");      // the last dot of the panel
    place_text(d, 16, 2, 16, 0, TEXT_STATIC, "right");     // right of the panel
    place_text(d, 3, 8, 16, 0, TEXT_STATIC, "below");      // below it
    const item& gone = place_text(d, 2, 2, 16, 0, TEXT_STATIC, "deleted");
    doc_delete(d, pool_at_slot(d.items, ITEM_TABLE_TEXTS, gone.slot));
    EXPECT_EQ(body(script_text(d)), "led 16t 0 0 0 origin\r\nled 16t 0 15 7 last\r\n");
    EXPECT_EQ(items_outside_panel(d), 3);
}

TEST(Export, PicturesMarkOnlyTheirPictureRegions)
{
    temp_workspace ws;
    fresh_start(ws);
    document& d = ws.d();
    d.regions[0].type = REGION_PICTURE;
    d.regions[1].type = REGION_TEXT;
    copy_field(d.regions[1].x_text, REGION_NUMBER_LEN, "7");
    d.pictures[0] = doc_picture();
    d.pictures[0].shown = 1;
    d.pictures[0].x = 10;
    d.pictures[0].y = 20;
    d.pictures[0].w = 64;
    d.pictures[0].h = 32;
    d.pictures[1].shown = 1;
    mark_picture_regions(d);
    EXPECT_EQ(d.regions[0].in_use, 1);
    EXPECT_STREQ(d.regions[0].x_text, "10");
    EXPECT_STREQ(d.regions[0].y_text, "20");
    EXPECT_STREQ(d.regions[0].w_text, "64");
    EXPECT_STREQ(d.regions[0].h_text, "32");
    EXPECT_EQ(d.regions[1].in_use, 0);  // a text region keeps its own rectangle
    EXPECT_STREQ(d.regions[1].x_text, "7");
    EXPECT_EQ(d.regions[2].in_use, 0);  // no picture shown there
}

TEST(Export, SavingCreatesTheFolderAndNeverLeavesAHalfFile)
{
    temp_workspace ws;
    fresh_start(ws);
    designer_over g(ws.d());
    // Missing program folder: created.
    ASSERT_EQ(system(("rm -rf '" + ws.dir + "ledsys'").c_str()), 0);
    EXPECT_TRUE(save_data(g.e));
    EXPECT_EQ(ws.script(), std::string(HEAD) + TAIL);
    // A folder that cannot be written: the old file stays whole, the failure is reported.
    place_text(ws.d(), 10, 5, 16, 3, TEXT_STATIC, "AB");
    std::string folder = ws.dir + "ledsys/CMD1";
    if (geteuid() != 0) {
        chmod(folder.c_str(), 0555);
        EXPECT_FALSE(save_data(g.e));
        EXPECT_EQ(g.ui->status.tone, STATUS_ERROR);
        EXPECT_NE(g.status().find("保存失败："), std::string::npos) << g.status();
        EXPECT_EQ(ws.script(), std::string(HEAD) + TAIL);
        chmod(folder.c_str(), 0755);
    }
    // A program folder that is a file: reported, and Syc_Update is left as it was.
    ASSERT_EQ(system(("rm -rf '" + ws.dir + "ledsys' && touch '" + ws.dir + "ledsys'").c_str()), 0);
    profile_write("NetSyc", "Syc_Update", "0", ws.d().paths.cfg.c_str());
    EXPECT_FALSE(save_data(g.e));
    EXPECT_EQ(g.ui->status.tone, STATUS_ERROR);
    EXPECT_NE(g.status().find("保存失败："), std::string::npos) << g.status();
    EXPECT_EQ(setting(ws.d(), "NetSyc", "Syc_Update"), "0");
}

TEST(Export, FilesThatCouldNotBeLoadedAreNeverSavedOver)
{
    temp_workspace ws;
    const std::string script = "led clearall \r\nled 16t 1 2 3 AB\r\n";
    const char* cmd = ws.d().paths.cmd.c_str();
    auto refused = [&](const char* what) {
        SCOPED_TRACE(what);
        fresh_start(ws);
        designer_over g(ws.d());
        place_text(ws.d(), 10, 5, 16, 3, TEXT_STATIC, "AB");
        EXPECT_FALSE(save_data(g.e));
        EXPECT_EQ(g.ui->status.tone, STATUS_ERROR);
        EXPECT_NE(g.status().find("为保留原文件"), std::string::npos) << g.status();
        EXPECT_NE(ws.read("SysCfg.ini").find("Syc_Update=0"), std::string::npos);
    };
    // A script that is a folder, a pipe, or larger than the cap.
    ASSERT_EQ(mkdir(cmd, 0777), 0);
    refused("folder");
    rmdir(cmd);
    ASSERT_EQ(mkfifo(cmd, 0666), 0);
    refused("pipe");
    unlink(cmd);
    ws.write_script(script);
    ASSERT_EQ(truncate(cmd, (off_t)SCRIPT_FILE_MAX + 1), 0);
    refused("too large");
    EXPECT_EQ(ws.script().size(), SCRIPT_FILE_MAX + 1);
    // A program file that cannot be parsed keeps the script unsaved too.
    ws.write_script(script);
    ws.write("one_pic_effect.vsn", "{ broken");
    refused("program file");
    EXPECT_EQ(ws.script(), script);
    EXPECT_EQ(ws.read("one_pic_effect.vsn"), "{ broken");

    // Saved, with the items outside the panel counted on the status line.
    unlink(ws.path("one_pic_effect.vsn").c_str());
    fresh_start(ws);
    designer_over g(ws.d());
    place_text(ws.d(), 30, 5, 16, 3, TEXT_STATIC, "CD").x = 300;   // right of a 256-dot panel
    ASSERT_TRUE(save_data(g.e));
    EXPECT_EQ(g.ui->status.tone, STATUS_OK);
    EXPECT_NE(g.status().find("（面板外的 1 项未保存）"), std::string::npos) << g.status();
    EXPECT_NE(ws.script().find("AB"), std::string::npos);
    EXPECT_EQ(ws.script().find("CD"), std::string::npos);
    EXPECT_EQ(ws.read("ledsys/CMD1/cmd.txt.bak"), script);
}
