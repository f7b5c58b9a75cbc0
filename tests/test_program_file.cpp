// The program file: load, save, passthrough of unknown content, GBK/UTF-8.
#include "output/layout_save.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <json/json.h>

namespace {

Json::Value parse_json(const std::string& s)
{
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errs;
    std::istringstream in(s);
    EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errs)) << errs;
    return v;
}

// A program with a text region, a picture region, a region at X "0" and
// members the designer does not know.
const char* const SAMPLE = R"({
  "Programs": {
    "Version": "3",
    "Program": {
      "Name": "demo",
      "Pages": [
        {
          "Regions": [
            {"Rect": {"X": "10", "Y": "20", "Width": "100", "Height": "16", "Border": "1"},
             "Items": [{"Type": "4", "Text": "欢迎光临", "Font": "SimSun"}, {"Type": "4", "Text": "second"}]},
            {"Rect": {"X": "5", "Y": "6", "Width": "64", "Height": "32", "Rotate": "0"},
             "Items": [{"Type": "2", "FileSource": {"FilePath": "D:\\media\\logo.jpg", "IsRelative": "0"}}]},
            {"Rect": {"X": "0", "Y": "3", "Width": "8", "Height": "8"},
             "Items": [{"Type": "4", "Text": "ignored"}]},
            {"Rect": {"X": "12", "Y": "3", "Width": "8", "Height": "8"},
             "Items": [{"Type": "9", "Text": "video"}]}
          ],
          "Duration": "10"
        },
        {"Regions": [{"Rect": {"X": "1"}}]}
      ]
    }
  },
  "Extra": [1, 2, 3]
})";

} // namespace

TEST(ProgramFile, LoadsTextAndPictureRegions)
{
    temp_workspace ws;
    ws.write("one_pic_effect.vsn", SAMPLE);
    fresh_start(ws);
    const region_record* R = ws.d().regions;
    const region_record& t = R[0];
    EXPECT_EQ(t.type, REGION_TEXT);
    EXPECT_EQ(t.rx, 10);
    EXPECT_EQ(t.ry, 20);
    EXPECT_STREQ(t.x_text, "10");
    EXPECT_EQ(gbk_to_utf8(t.region_text), "欢迎光临");
    EXPECT_EQ(std::string(t.region_text), gbk_from_utf8("欢迎光临"));  // GBK in the record
    const region_record& p = R[1];
    EXPECT_EQ(p.type, REGION_PICTURE);
    EXPECT_EQ(p.rx, 5);
    EXPECT_EQ(p.ry, 6);
    EXPECT_EQ(p.rw, 64);
    EXPECT_EQ(p.rh, 32);
    EXPECT_STREQ(p.file_path, "D:\\media\\logo.jpg");
    EXPECT_EQ(R[2].type, REGION_NONE);  // X "0": ignored
    EXPECT_EQ(R[3].type, REGION_NONE);  // other type: unchanged
    EXPECT_EQ(R[0].in_use, 0);
    EXPECT_TRUE(ws.d().program_file_problem.empty());
}

TEST(ProgramFile, SaveChangesOnlyRegionsInUseAndKeepsEverythingElse)
{
    temp_workspace ws;
    ws.write("one_pic_effect.vsn", SAMPLE);
    fresh_start(ws);
    document& d = ws.d();
    Json::Value before = parse_json(SAMPLE);
    // Nothing in use: the same document.
    ASSERT_TRUE(save_program_file(d));
    EXPECT_EQ(parse_json(ws.read("one_pic_effect.vsn")), before);

    // The picture of region 1 moved and grew; the export marks it.
    d.pictures[1].shown = 1;
    d.pictures[1].x = 15;
    d.pictures[1].y = 6;
    d.pictures[1].w = 48;
    d.pictures[1].h = 24;
    mark_picture_regions(d);
    // The text region's text is changed and the region marked.
    utf8_to_gbk("新的文字", d.regions[0].region_text, REGION_TEXT_LEN);
    d.regions[0].in_use = 1;
    ASSERT_TRUE(save_program_file(d));
    Json::Value after = parse_json(ws.read("one_pic_effect.vsn"));
    Json::Value expect = before;
    Json::Value& R = expect["Programs"]["Program"]["Pages"][0]["Regions"];
    R[1]["Rect"]["X"] = "15";
    R[1]["Rect"]["Y"] = "6";
    R[1]["Rect"]["Width"] = "48";
    R[1]["Rect"]["Height"] = "24";
    R[0]["Items"][0]["Text"] = "新的文字";
    EXPECT_EQ(after, expect);
    // Compact, one line, ending in a line feed, pure ASCII: Chinese as \u escapes.
    std::string text = ws.read("one_pic_effect.vsn");
    EXPECT_EQ(text.find('\n'), text.size() - 1);
    EXPECT_NE(text.find("\\u65b0\\u7684\\u6587\\u5b57"), std::string::npos) << text;
    for (unsigned char c : text) ASSERT_LT(c, 0x80u);
}

TEST(ProgramFile, MissingOrBrokenFiles)
{
    temp_workspace ws;
    fresh_start(ws);  // no file: nothing loaded, no failure
    document& d = ws.d();
    EXPECT_TRUE(d.program_file_problem.empty());
    EXPECT_FALSE(d.program_file_unusable);
    for (const region_record& r : d.regions) EXPECT_EQ(r.type, REGION_NONE);
    ASSERT_TRUE(save_program_file(d));  // writes the empty skeleton
    Json::Value doc = parse_json(ws.read("one_pic_effect.vsn"));
    EXPECT_TRUE(doc["Programs"]["Program"]["Pages"][0]["Regions"].isArray());

    // A file that is not JSON is never overwritten.
    ws.write("one_pic_effect.vsn", "{ not json");
    EXPECT_FALSE(load_program_file(d));
    EXPECT_FALSE(d.program_file_problem.empty());
    EXPECT_TRUE(d.program_file_unusable);   // and the layout is not saved over it
    EXPECT_FALSE(save_refusal(d));
    EXPECT_FALSE(save_program_file(d));
    EXPECT_EQ(ws.read("one_pic_effect.vsn"), "{ not json");
    // Nor one of another shape.
    ws.write("one_pic_effect.vsn", R"({"Programs": "none"})");
    EXPECT_TRUE(load_program_file(d));
    EXPECT_FALSE(save_program_file(d));
    EXPECT_EQ(ws.read("one_pic_effect.vsn"), R"({"Programs": "none"})");
    // Nested far too deep: reported, never thrown, kept.
    for (int depth : {PROGRAM_FILE_DEPTH_MAX + 1, 100000}) {
        const std::string deep = std::string(depth, '[') + std::string(depth, ']');
        ws.write("one_pic_effect.vsn", deep);
        EXPECT_FALSE(load_program_file(d));
        EXPECT_NE(d.program_file_problem.find("嵌套超过"), std::string::npos) << d.program_file_problem;
        EXPECT_FALSE(save_program_file(d));
        EXPECT_EQ(ws.read("one_pic_effect.vsn"), deep);
    }
}

TEST(ProgramFile, WrongTypesLongTextsAndManyRegionsAreBounded)
{
    temp_workspace ws;
    Json::Value root;
    Json::Value& R = root["Programs"]["Program"]["Pages"][0]["Regions"];
    for (int i = 0; i < 40; i++) {
        Json::Value reg;
        reg["Rect"]["X"] = std::to_string(i + 1);
        reg["Rect"]["Y"] = "2";
        reg["Rect"]["Width"] = "3";
        reg["Rect"]["Height"] = "4";
        reg["Items"][0]["Type"] = "4";
        reg["Items"][0]["Text"] = "r" + std::to_string(i);
        R.append(reg);
    }
    R[0]["Rect"]["X"] = 9;                        // a number, not a string
    R[1]["Rect"]["Y"] = Json::Value(Json::objectValue);
    R[2]["Items"][0]["Text"] = std::string(300, 'z');
    R[3]["Items"] = "not an array";
    R[4]["Rect"]["X"] = std::string(100, '7');
    R[5] = "not an object";
    R[6]["Items"][0]["Text"] = std::string(20, '\x01');
    Json::StreamWriterBuilder w;
    ws.write("one_pic_effect.vsn", Json::writeString(w, root));
    fresh_start(ws);
    region_record* region_table = ws.d().regions;
    EXPECT_EQ(region_table[0].rx, 9);
    EXPECT_EQ(region_table[1].ry, 0);
    EXPECT_EQ(strlen(region_table[2].region_text), (size_t)REGION_TEXT_LEN - 1);
    EXPECT_EQ(region_table[2].text_whole, 0);
    EXPECT_EQ(region_table[3].type, REGION_NONE);
    EXPECT_EQ(strlen(region_table[4].x_text), (size_t)REGION_NUMBER_LEN - 1);
    EXPECT_EQ(region_table[4].rx, 65535);
    EXPECT_EQ(region_table[5].type, REGION_NONE);
    EXPECT_EQ(region_table[29].type, REGION_TEXT);
    EXPECT_STREQ(region_table[29].region_text, "r29");
    // Saving with every region in use never shortens a text that was cut.
    for (int i = 0; i < REGION_COUNT; i++) region_table[i].in_use = 1;
    ASSERT_TRUE(save_program_file(ws.d()));
    Json::Value after = parse_json(ws.read("one_pic_effect.vsn"));
    const Json::Value& A = after["Programs"]["Program"]["Pages"][0]["Regions"];
    ASSERT_EQ(A.size(), 40u);
    EXPECT_EQ(A[2]["Items"][0]["Text"].asString(), std::string(300, 'z'));
    EXPECT_EQ(A[39]["Items"][0]["Text"].asString(), "r39");
    EXPECT_EQ(A[29]["Items"][0]["Text"].asString(), "r29");
    EXPECT_EQ(A[5].asString(), "not an object");
    EXPECT_EQ(A[29]["Rect"]["Width"].asString(), "3");  // a text region keeps its rectangle
    EXPECT_TRUE(A[1]["Rect"]["Y"].isObject());
    EXPECT_EQ(A[6]["Items"][0]["Text"].asString(), std::string(20, '\x01'));
}

TEST(ProgramFile, RegionNumbers)
{
    EXPECT_EQ(region_number("10"), 10);
    EXPECT_EQ(region_number("12px"), 12);
    EXPECT_EQ(region_number("abc"), 0);
    EXPECT_EQ(region_number(""), 0);
    EXPECT_EQ(region_number("70000"), 65535);
    EXPECT_EQ(region_number("-5"), 0);
}
