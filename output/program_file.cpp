/*******************************************************************************
 * output/program_file.cpp - reading and rewriting one_pic_effect.vsn
 ******************************************************************************/
#include "output/program_file.h"
#include "platform/file_write.h"
#include "platform/gbk.h"
#include <cstring>
#include <json/json.h>
#include <memory>


uint16_t region_number(const char* text)
{
    if (!text) return 0;
    while (*text == ' ' || *text == '\t') text++;
    long v = 0;
    for (; *text >= '0' && *text <= '9'; text++)
        if (v <= 65535) v = v * 10 + (*text - '0');
    return (uint16_t)(v > 65535 ? 65535 : v);
}

namespace {

// A member that should hold a string: strings as they are, integers as
// decimal text, anything else as missing.
std::string json_text(const Json::Value& v)
{
    if (v.isString()) return v.asString();
    if (v.isInt64()) return std::to_string(v.asInt64());
    if (v.isUInt64()) return std::to_string(v.asUInt64());
    return std::string();
}

// Member `key` of an object, or null for anything that is not an object.
const Json::Value& member(const Json::Value& v, const char* key)
{
    static const Json::Value none;
    if (!v.isObject()) return none;
    const Json::Value* m = v.find(key, key + strlen(key));
    return m ? *m : none;
}

const Json::Value& element(const Json::Value& v, Json::ArrayIndex i)
{
    static const Json::Value none;
    if (!v.isArray() || i >= v.size()) return none;
    return v[i];
}

// UTF-8 text into a GBK field; true when it fit whole.
bool to_field(const std::string& utf8, char* out, size_t cap)
{
    char big[4096];
    utf8_to_gbk(utf8.c_str(), big, sizeof big);
    copy_field(out, (int)cap, big);
    return utf8.size() < sizeof big / 2 && strlen(big) < cap && gbk_to_utf8(out) == utf8;
}

// Parse with bounded nesting; the reader's complaints become a reason.
outcome parse(const std::string& path, const std::string& data, Json::Value& root)
{
    Json::CharReaderBuilder b;
    b["collectComments"] = true;
    b["stackLimit"] = PROGRAM_FILE_DEPTH_MAX;
    std::unique_ptr<Json::CharReader> r(b.newCharReader());
    std::string errs;
    bool ok = false;
    try {
        ok = r->parse(data.data(), data.data() + data.size(), &root, &errs);
    } catch (const std::exception&) {
        root = Json::Value();
        return outcome_fail(MSG_PROGRAM_TOO_DEEP, path.c_str(), PROGRAM_FILE_DEPTH_MAX);
    }
    if (!ok) {
        root = Json::Value();
        return outcome_fail(MSG_PROGRAM_NOT_JSON, path.c_str(), errs.substr(0, errs.find('\n')).c_str());
    }
    return outcome_ok();
}

// Read and parse the file. A missing file gives an empty document and sets
// `missing`; fails when it exists but cannot be used.
outcome read_document(const std::string& path, Json::Value& root, bool& missing, file_stamp& stamp)
{
    std::string data;
    root = Json::Value();
    outcome o = read_whole_file(path.c_str(), PROGRAM_FILE_MAX, data, &missing, &stamp);
    if (!o) return missing ? outcome_ok() : o;
    return parse(path, data, root);
}

void load_region(region_record& rec, const Json::Value& region)
{
    const Json::Value& rect = member(region, "Rect");
    std::string x = json_text(member(rect, "X"));
    if (region_number(x.c_str()) == 0) return;
    const Json::Value& item = element(member(region, "Items"), 0);
    int type = region_number(json_text(member(item, "Type")).c_str());
    if (type != REGION_TEXT && type != REGION_PICTURE) return;
    region_record r{};
    r.type = (uint8_t)type;
    to_field(x, r.x_text, sizeof r.x_text);
    r.rx = region_number(r.x_text);
    to_field(json_text(member(rect, "Y")), r.y_text, sizeof r.y_text);
    r.ry = region_number(r.y_text);
    if (type == REGION_TEXT) {
        r.text_whole = to_field(json_text(member(item, "Text")), r.region_text, sizeof r.region_text);
    } else {
        to_field(json_text(member(rect, "Width")), r.w_text, sizeof r.w_text);
        r.rw = region_number(r.w_text);
        to_field(json_text(member(rect, "Height")), r.h_text, sizeof r.h_text);
        r.rh = region_number(r.h_text);
        to_field(json_text(member(member(item, "FileSource"), "FilePath")), r.file_path, sizeof r.file_path);
    }
    rec = r;
}

} // namespace

outcome load_program_file(document& d)
{
    for (region_record& r : d.regions) r = region_record{};
    d.program_file_problem.clear();
    d.program_file_unusable = false;
    Json::Value root;
    bool missing = false;
    outcome o = read_document(d.paths.vsn, root, missing, d.program_file_stamp);
    if (!o) {
        d.program_file_problem = o.why;
        d.program_file_unusable = true;
        return o;
    }
    const Json::Value& pages = member(member(member(root, "Programs"), "Program"), "Pages");
    const Json::Value& regions = member(element(pages, 0), "Regions");
    if (!regions.isArray()) return outcome_ok();
    for (Json::ArrayIndex i = 0; i < regions.size() && i < (Json::ArrayIndex)REGION_COUNT; i++)
        load_region(d.regions[i], regions[i]);
    return outcome_ok();
}

outcome program_file_text(const document& d, std::string& text, file_stamp& now)
{
    text.clear();
    Json::Value root;
    bool missing = false;
    outcome o = read_document(d.paths.vsn, root, missing, now);
    if (!o) return o;
    if (missing) {
        root = Json::Value(Json::objectValue);
        root["Programs"]["Program"]["Pages"][0]["Regions"] = Json::Value(Json::arrayValue);
    }
    // Only a document of the known shape is rewritten; anything else is kept.
    Json::Value* regions = nullptr;
    if (root.isObject() && member(root, "Programs").isObject() &&
        member(member(root, "Programs"), "Program").isObject()) {
        Json::Value& pages = root["Programs"]["Program"]["Pages"];
        if (pages.isArray() && pages.size() > 0 && pages[0].isObject() && pages[0]["Regions"].isArray())
            regions = &pages[0]["Regions"];
    }
    if (!regions) return outcome_fail(MSG_PROGRAM_NO_REGIONS, d.paths.vsn.c_str());
    Json::Value& R = *regions;
    for (int i = 0; i < REGION_COUNT; i++) {
        const region_record& rec = d.regions[i];
        if (!rec.in_use || (Json::ArrayIndex)i >= R.size() || !R[i].isObject()) continue;
        if (rec.type != REGION_PICTURE && rec.type != REGION_TEXT) continue;
        if (rec.type == REGION_PICTURE) {
            Json::Value rect = R[i]["Rect"].isObject() ? R[i]["Rect"] : Json::Value(Json::objectValue);
            rect["X"] = gbk_to_utf8(rec.x_text);
            rect["Y"] = gbk_to_utf8(rec.y_text);
            rect["Width"] = gbk_to_utf8(rec.w_text);
            rect["Height"] = gbk_to_utf8(rec.h_text);
            R[i]["Rect"] = rect;
        } else if (rec.text_whole) {
            // A text region keeps its rectangle: nothing here moves it, and
            // writing back what was read could only lose what did not fit.
            Json::Value& items = R[i]["Items"];
            if (items.isArray() && items.size() > 0 && items[0].isObject())
                items[0]["Text"] = gbk_to_utf8(rec.region_text);
        }
    }
    // Compact, one line, pure ASCII: other characters as \uXXXX escapes, which
    // playback controllers read whatever their own text encoding is.
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = false;
    text = Json::writeString(builder, root) + "\n";
    return outcome_ok();
}

outcome save_program_file(document& d)
{
    d.program_file_problem.clear();
    std::string text;
    file_stamp now;
    outcome o = program_file_text(d, text, now);
    if (o) o = replace_file(d.paths.vsn.c_str(), text, replace_options{true, -1});
    if (!o) {
        d.program_file_problem = o.why;
        return o;
    }
    d.program_file_stamp = stamp_of_data(text);
    return o;
}
