// Knowledge Fusion rules: any formula parses or is refused with a rule error; one that parses and
// calls no workbook function evaluates or is refused the same way.
#include "fuzz_util.h"
#include "kf/rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::quiet();
    const std::string formula(reinterpret_cast<const char*>(data), size);
    try {
        host::kf::parse(formula);
    } catch (const host::kf::KfError&) {
        return 0;
    }
    // Workbook functions open and write files by the paths they are given: those are left to the
    // workbook target.
    if (formula.find("ug_excel") != std::string::npos) return 0;
    host::kf::Rules rules;
    rules.set("a", "List Parameter", formula);
    rules.set("b", "String Parameter", "a:");
    rules.update([](const std::string&) {});
    rules.value("b");
    return 0;
}
