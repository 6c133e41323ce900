// Drawing sheet templates: any file's first sheet reads or is refused with a host error (the sheet
// maker logs only those). A sheet that reads is built on a part, and what a saved part would hold of it
// reads back and builds the same sheet again.
#include <nlohmann/json.hpp>
#include "draft/drafting.h"
#include "files/sheetjson.h"
#include "fuzz_util.h"

namespace {

// Building is linear in a note's cells; tables far beyond any title block only slow the search.
bool small(const host::draft::Template& t) {
    size_t cells = 0;
    for (const host::draft::Note& n : t.notes) cells += n.rows.size() * n.columns.size();
    return cells <= 20000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::quiet();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = (fuzz::scratch() / "sheet.prt").string();
    host::draft::Template t;
    try {
        t = host::sheetjson::firstSheet(text, path);
    } catch (const host::HostError&) {
        return 0;
    }
    if (!small(t)) return 0;
    host::Session& s = host::session();
    host::Part& part = s.newPart(path);
    nlohmann::json once = host::sheetjson::toJson(host::draft::makeSheet(part, t), path);
    // Through text, as a save and a later open would take it.
    nlohmann::json stored = nlohmann::json::parse(once.dump());
    nlohmann::json twice;
    try {
        twice = host::sheetjson::toJson(host::draft::makeSheet(part, host::sheetjson::fromJson(stored, fuzz::scratch())), path);
    } catch (const std::runtime_error&) {
        __builtin_trap();  // a sheet the host wrote is refused
    }
    if (once != twice) __builtin_trap();
    s.reset();
    return 0;
}
