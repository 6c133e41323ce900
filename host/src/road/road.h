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

// A body the road could not give a stock specification, and why.
struct Listed {
    std::string part, body, reason;   // UTF-8
};

struct Summary {
    size_t bodies = 0;          // bodies of every part, each prototype once
    size_t specified = 0;       // bodies whose specification the model gave
    size_t attributed = 0;      // bodies the attribute step gave one (identical ones count with the one picked)
    // Bodies of no stock the shape tells (named all the same, listed with why), and bodies whose
    // attributes could not be written: with the others they add up to `bodies`.
    std::vector<Listed> unclassified;
    // Solids of a STEP file too small to be bodies (below the modelling tolerance every way), named
    // as "file: product: why": with `bodies` they are every solid the file holds.
    std::vector<std::string> leftOut;
    size_t marked = 0;          // bodies the road marked to go to the shop by a drawing
    size_t parts = 0;           // component parts the batch made
    size_t sheets = 0, rows = 0, exported = 0, rendered = 0;
    // What was not delivered: bodies whose attributes failed, sheets whose views show nothing, bodies
    // marked for a drawing that got no sheet. The road's exit status says whether this is empty.
    std::vector<std::string> failures;
    std::vector<Step> steps;
    std::string top, workbook, exports, sheetsFolder, log;
    std::string stopped;        // the step that failed and why, when the road could not go on
    double seconds = 0;
    nlohmann::json toJson() const;
};

// Runs the road. Module messages go to out/road.log, the summary to out/road.json, also when a step
// fails. Throws std::runtime_error (or modeldesc::ModelError for a bad model) naming the step that
// failed and why.
Summary run(const Options& options);

}  // namespace host::road
