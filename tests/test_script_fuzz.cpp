// Fuzz-style tests: thousands of random and mutated script lines and program
// files. Nothing may crash (the suite also runs under AddressSanitizer and
// UndefinedBehaviorSanitizer), write past a field or table, or put an
// item outside its kind's slots; whatever was loaded must export and load again.
#include "command/led_command.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <json/json.h>
#include <random>

namespace {

const char* const TEMPLATES[] = {
    "led clearall ",
    "led 16t 3 10 5 Hello",
    "led 24t 1 0 0 7 AB",
    "led 16t 1 0 0 9 ",
    "led 16st 2 0 0 64 16 25 57 0 News",
    "led 32st 1 1 1 10 10 -5 50 0 aaaa bbbb cccc",
    "led lt 1 4 4 plain",
    "led p_mutle 1 10 5 3",
    "led l 2 1 1 11 1 ",
    "led l 4 3 2 3 12 ",
    "led c 5 20 20 8",
    "led cf 5 20 20 4",
    "led r 6 0 0 30 10 ",
    "led rf 1 0 0 4 4 7 ",
    "led bmp 12 3 40 20 200 ",
    "led begin r 2 3 ",
    "led r 1 10 5 20 10 ",
    "led l 255 20 10 20 16 ",
    "led end r ",
    "insmod 20 800 led key 3 10 5 25 4 2 1 0 1",
    "insmod 29 800 led key 1 10 5 16 4 32 1 0 0",
    "insmod 223 800 led key 1 10 5 41 4 4 1 0 0",
    "insmod 1021 20 led key 1 4010 5 61 2 4 1 0 0",
    "insmod 0 800 led key 1 0 0 300 4 4 1 0 0",
    "file anything",
    "LED s",
};

struct fuzzer {
    std::mt19937 rng;
    explicit fuzzer(unsigned seed) : rng(seed) {}
    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    std::string token()
    {
        switch (rnd(0, 11)) {
        case 0: return std::to_string(rnd(-1000, 1000));
        case 1: return std::to_string(rng());
        case 2: return std::string(rnd(1, 40), '9');
        case 3: return "0x" + std::string(rnd(0, 20), 'f');
        case 4: return std::string(rnd(400, 700), 'a');
        case 5: return "-";
        case 6: return "\xb0\xb2\xc8\xab";
        case 7: return "\\C" + std::to_string(rnd(0, 9));
        case 8: return std::string(1, (char)rnd(1, 255));
        case 9: return std::to_string(rnd(0, 60)) + "t";
        case 10: return std::to_string(rnd(0, 99)) + "st";
        default: return std::to_string(rnd(0, 500));
        }
    }

    std::vector<std::string> split(const std::string& s)
    {
        std::vector<std::string> out;
        size_t i = 0;
        while (i <= s.size()) {
            size_t j = s.find(' ', i);
            if (j == std::string::npos) j = s.size();
            out.push_back(s.substr(i, j - i));
            i = j + 1;
        }
        return out;
    }

    std::string mutate(std::string line)
    {
        int ops = rnd(1, 4);
        for (int k = 0; k < ops; k++) {
            switch (rnd(0, 7)) {
            case 0:  // flip a byte
                if (!line.empty()) line[rnd(0, (int)line.size() - 1)] = (char)rnd(0, 255);
                break;
            case 1:  // cut
                line = line.substr(0, rnd(0, (int)line.size()));
                break;
            case 2: {  // replace a token
                std::vector<std::string> t = split(line);
                t[rnd(0, (int)t.size() - 1)] = token();
                line.clear();
                for (size_t i = 0; i < t.size(); i++) line += (i ? " " : "") + t[i];
                break;
            }
            case 3: {  // drop a token
                std::vector<std::string> t = split(line);
                if (t.size() > 1) t.erase(t.begin() + rnd(1, (int)t.size() - 1));
                line.clear();
                for (size_t i = 0; i < t.size(); i++) line += (i ? " " : "") + t[i];
                break;
            }
            case 4:  // add tokens
                for (int n = rnd(1, 12); n > 0; n--) line += " " + token();
                break;
            case 5:  // runs of spaces
                line.insert(rnd(0, (int)line.size()), std::string(rnd(1, 5), ' '));
                break;
            case 6:  // a random command word
                line = token() + line.substr(std::min(line.size(), line.find(' ')));
                break;
            default:  // raw noise
                for (int n = rnd(1, 30); n > 0; n--) line += (char)rnd(0, 255);
                break;
            }
        }
        return line;
    }
};

// Invariants every loaded document keeps, whatever the input was.
void check_document(const document& d)
{
    int live = 0;
    for (int id = 0; id < ITEM_CAPACITY; id++) {
        const item* it = doc_item(d, (item_id)id);
        if (!it) continue;
        live++;
        // Every item holds a slot of its numbering; a shape holds one of its
        // own kind's range: ranges never spill (an insmod line may name any
        // slot for a variable).
        ASSERT_TRUE(it->slot >= 0 && it->slot < SLOT_COUNT) << id;
        ASSERT_EQ(pool_at_slot(d.items, table_of(it->kind), it->slot), id);
        if (it->kind != KIND_VARIABLE) {
            ASSERT_EQ(range_of_slot(table_of(it->kind), it->slot), form_of(it->kind).range)
                << form_of(it->kind).name << " in slot " << it->slot;
        }
        if (it->kind == KIND_TEXT) {
            ASSERT_LE(strnlen(it->text, TEXT_LEN), (size_t)SCRIPT_TEXT_MAX) << id;
        } else if (it->kind == KIND_TABLE) {
            ASSERT_LE(it->grid.merge_count, TABLE_MAX);
            ASSERT_LE(it->grid.cols, TABLE_MAX);
            ASSERT_LE(it->grid.rows, TABLE_MAX);
            ASSERT_GE(it->grid.cols, 1);
            ASSERT_GE(it->grid.rows, 1);
        }
    }
    ASSERT_EQ(live, d.items.count);
}

} // namespace

TEST(ScriptFuzz, RandomAndMutatedLinesNeverCrashOrOverrun)
{
    temp_workspace ws;
    fuzzer f(12345);
    int total = 0, refused = 0;
    for (int round = 0; round < 60; round++) {
        std::string script;
        int lines = f.rnd(20, 200);
        for (int k = 0; k < lines; k++) {
            std::string line = TEMPLATES[f.rnd(0, (int)(sizeof TEMPLATES / sizeof *TEMPLATES) - 1)];
            if (f.rnd(0, 3)) line = f.mutate(line);
            script += line;
            script += f.rnd(0, 5) ? "\r\n" : (f.rnd(0, 1) ? "\n" : "\r");
        }
        total += lines;
        ws.write_script(script);
        fresh_start(ws);
        refused += ws.d().script.refused;
        check_document(ws.d());
        if (HasFatalFailure()) return;
        // What was loaded exports; the export loads with nothing refused when
        // its numbers stay in range, and then exports the same again.
        std::string first = script_text(ws.d());
        ws.write_script(first);
        fresh_start(ws);
        check_document(ws.d());
        if (HasFatalFailure()) return;
        if (ws.d().script.refused == 0) {
            EXPECT_EQ(script_text(ws.d()), first) << "round " << round;
        }
    }
    EXPECT_GT(total, 5000);
    EXPECT_GT(refused, 100);  // the mutations did reach the refusals
}

TEST(ScriptFuzz, PureNoiseFiles)
{
    temp_workspace ws;
    fuzzer f(777);
    for (int round = 0; round < 40; round++) {
        std::string noise;
        int n = f.rnd(0, 20000);
        for (int k = 0; k < n; k++) noise += (char)f.rnd(0, 255);
        ws.write_script(noise);
        fresh_start(ws);
        check_document(ws.d());
        if (HasFatalFailure()) return;
    }
}

namespace {

Json::Value random_value(fuzzer& f, int depth);

Json::Value random_string(fuzzer& f)
{
    switch (f.rnd(0, 4)) {
    case 0: return Json::Value(std::to_string(f.rnd(0, 70000)));
    case 1: return Json::Value(std::string(f.rnd(0, 600), 'x'));
    case 2: return Json::Value("\xe6\xac\xa2\xe8\xbf\x8e");
    case 3: return Json::Value(f.rnd(-5, 5) == 0 ? "2" : "4");
    default: return Json::Value(f.rnd(-100, 100));
    }
}

Json::Value random_value(fuzzer& f, int depth)
{
    int k = depth > 3 ? f.rnd(0, 3) : f.rnd(0, 6);
    switch (k) {
    case 0: return Json::Value();
    case 1: return Json::Value(f.rnd(0, 1) == 1);
    case 2: return random_string(f);
    case 3: return Json::Value(f.rnd(-10, 10) * 1.5);
    case 4: {
        Json::Value a(Json::arrayValue);
        for (int n = f.rnd(0, 4); n > 0; n--) a.append(random_value(f, depth + 1));
        return a;
    }
    default: {
        Json::Value o(Json::objectValue);
        static const char* const keys[] = {"X", "Y", "Width", "Height", "Type", "Text", "Rect", "Items",
                                           "FileSource", "FilePath", "Other"};
        for (int n = f.rnd(0, 5); n > 0; n--) o[keys[f.rnd(0, 10)]] = random_value(f, depth + 1);
        return o;
    }
    }
}

// A program file of roughly the right shape with random parts.
Json::Value random_program(fuzzer& f)
{
    Json::Value root;
    Json::Value regions(Json::arrayValue);
    for (int n = f.rnd(0, 45); n > 0; n--) {
        Json::Value r = f.rnd(0, 5) ? Json::Value(Json::objectValue) : random_value(f, 2);
        if (r.isObject()) {
            r["Rect"] = f.rnd(0, 5) ? Json::Value(Json::objectValue) : random_value(f, 3);
            if (r["Rect"].isObject())
                for (const char* k : {"X", "Y", "Width", "Height"})
                    if (f.rnd(0, 5)) r["Rect"][k] = random_string(f);
            Json::Value item(Json::objectValue);
            item["Type"] = random_string(f);
            item["Text"] = random_string(f);
            item["FileSource"]["FilePath"] = random_string(f);
            r["Items"] = f.rnd(0, 5) ? Json::Value(Json::arrayValue) : random_value(f, 3);
            if (r["Items"].isArray()) r["Items"].append(item);
        }
        regions.append(r);
    }
    if (f.rnd(0, 6)) root["Programs"]["Program"]["Pages"][0]["Regions"] = regions;
    else root["Programs"] = random_value(f, 1);
    return root;
}

} // namespace

TEST(ProgramFileFuzz, RandomAndMutatedDocumentsLoadAndSaveSafely)
{
    temp_workspace ws;
    fuzzer f(4242);
    Json::StreamWriterBuilder w;
    for (int round = 0; round < 400; round++) {
        std::string doc = Json::writeString(w, random_program(f));
        if (round % 3 == 0) {  // byte mutations, often breaking the JSON
            for (int n = f.rnd(1, 8); n > 0 && !doc.empty(); n--) doc[f.rnd(0, (int)doc.size() - 1)] = (char)f.rnd(0, 255);
        }
        ws.write("one_pic_effect.vsn", doc);
        fresh_start(ws);
        document& d = ws.d();
        for (const region_record& r : d.regions) {
            ASSERT_LT(strnlen(r.x_text, REGION_NUMBER_LEN), (size_t)REGION_NUMBER_LEN);
            ASSERT_LT(strnlen(r.region_text, REGION_TEXT_LEN), (size_t)REGION_TEXT_LEN);
            ASSERT_LT(strnlen(r.file_path, REGION_PATH_LEN), (size_t)REGION_PATH_LEN);
            ASSERT_TRUE(r.type == REGION_NONE || r.type == REGION_TEXT || r.type == REGION_PICTURE);
        }
        bool parsed = d.program_file_problem.empty();
        for (doc_picture& p : d.pictures) {
            p.shown = 1;
            p.x = f.rnd(0, 250);
        }
        for (region_record& r : d.regions) r.in_use = (uint8_t)f.rnd(0, 1);
        mark_picture_regions(d);
        bool saved = save_program_file(d).ok;
        if (!parsed) {
            EXPECT_FALSE(saved);
            EXPECT_EQ(ws.read("one_pic_effect.vsn"), doc);  // never overwritten
        }
        if (saved) {
            EXPECT_TRUE(load_program_file(d).ok);  // what was saved reads back
        }
    }
}
