#include "tools/bom_rules.hpp"
#include <cstdio>
#include "components/naming.hpp"

namespace bomrules {

int stockCode(const std::string& suling) {
    static const char* const kinds[] = {"", "方管", "矩形管", "钢板", "扁钢", "无缝钢管", "圆钢", "角钢", "ZW24钢板网", "EVA板40°",
                                        "PP板", "PU板", "ABS板", "PU软管"};
    size_t paren = naming::find(suling, "(");
    const std::string kind = paren == std::string::npos ? suling : suling.substr(0, paren);
    for (int i = 0; i < 14; ++i)
        if (kind == kinds[i]) return i + 1;
    return 15;
}

std::string literal(const std::string& t) {
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(t[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < t.size()) {
            out += t.substr(i++, 2);
            continue;
        }
        if (c == '\\' || c == '"') out += '\\';
        out += static_cast<char>(c);
    }
    return out;
}

std::string writeFormula(int row, int column, const std::string& value) {
    return "ug_excel_write_range(open:,{1," + std::to_string(row) + "," + std::to_string(column) + "," + std::to_string(row) + "," +
           std::to_string(column) + ",\"" + literal(value) + "\"})";
}

std::string openFormula(const std::string& working) { return "ug_excel_open_file(\"" + literal(working) + ".xlsx\",Write)"; }

std::string baseName(const std::string& spec) {
    size_t slash = naming::lastOf(spec, '\\');
    std::string name = slash == std::string::npos ? spec : spec.substr(slash + 1);
    size_t dot = naming::lastOf(name, '.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string folder(const std::string& typed) {
    if (typed.empty() || naming::lastOf(typed, '\\') == typed.size() - 1 || typed.back() == '/') return typed;
    return typed + "\\";
}

std::string kilograms(double grams) {
    char b[64];
    std::snprintf(b, sizeof b, "%f", grams / 1000.0);
    return b;
}

}  // namespace bomrules
