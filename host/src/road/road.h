// The whole road without the host's window: a plant from its model description or a STEP file,
// through the module's own menu commands as one scripted user plays them — attributes, component
// parts, drawing sheets, bill of materials, export — to sheets on disk and a summary.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace host::road {

struct Options {
    std::string model;        // .json model description, or .step/.stp
    std::string out;          // folder of the part files, sheets, workbook and exports
    std::string prefix;       // drawing number prefix; default: the top part's DB_PART_NO, else its name
    std::string name;         // the machine's name in the title blocks; default: the top part's DB_PART_NAME, else its name
    bool render = true;       // SVG of every sheet into out/sheets
    std::function<void(const std::string&)> progress;   // lines for the terminal
};

struct Step {
    std::string name;
    double seconds = 0;
};

struct Summary {
    size_t bodies = 0;          // bodies of every part, each prototype once
    size_t attributed = 0;      // bodies the attribute step wrote (identical ones count with the one picked)
    std::vector<std::string> unclassified;   // "part: body" of bodies whose stock the shape does not tell
    size_t parts = 0;           // component parts the batch made
    size_t sheets = 0, rows = 0, exported = 0, rendered = 0;
    std::vector<Step> steps;
    std::string top, workbook, exports, sheetsFolder, log;
    double seconds = 0;
    nlohmann::json toJson() const;
};

// Runs the road. Module messages go to out/road.log. Throws std::runtime_error (or
// modeldesc::ModelError for a bad model) naming the step that failed and why.
Summary run(const Options& options);

}  // namespace host::road
