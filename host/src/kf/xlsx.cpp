#include "kf/xlsx.h"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>
#include <pugixml.hpp>
#include <zip.h>

namespace fs = std::filesystem;

namespace host::xlsx {
namespace {

// The parts of a bill of materials run to a few megabytes at most.
const zip_uint64_t kMaxPart = 64u << 20;

std::string readEntry(zip_t* z, const char* name) {
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) != 0) return {};
    // The size is what the archive claims: a damaged one must not make the host zero gigabytes.
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPart) throw std::runtime_error(std::string(name) + " is larger than any workbook part");
    zip_file_t* f = zip_fopen(z, name, 0);
    if (!f) throw std::runtime_error(std::string("cannot read ") + name);
    std::string out(static_cast<size_t>(st.size), '\0');
    zip_int64_t n = zip_fread(f, out.data(), st.size);
    zip_fclose(f);
    if (n < 0 || static_cast<zip_uint64_t>(n) != st.size) throw std::runtime_error(std::string("cannot read ") + name);
    return out;
}

// The first sheet's part, from the workbook and its relationships.
std::string firstSheet(zip_t* z) {
    pugi::xml_document wb, rels;
    if (!wb.load_string(readEntry(z, "xl/workbook.xml").c_str())) throw std::runtime_error("it has no workbook part");
    pugi::xml_node sheet = wb.child("workbook").child("sheets").child("sheet");
    std::string id = sheet.attribute("r:id").as_string();
    if (id.empty()) throw std::runtime_error("its workbook names no sheet");
    rels.load_string(readEntry(z, "xl/_rels/workbook.xml.rels").c_str());
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship"))
        if (id == r.attribute("Id").as_string()) {
            std::string target = r.attribute("Target").as_string();
            if (!target.empty() && target[0] == '/') return target.substr(1);
            return "xl/" + target;
        }
    throw std::runtime_error("its first sheet has no part");
}

std::string text(const pugi::xml_document& d) {
    std::ostringstream out;
    d.save(out, "", pugi::format_raw);
    return out.str();
}

int columnOf(const std::string& ref) {
    int c = 0;
    for (char ch : ref) {
        if (ch < 'A' || ch > 'Z') break;
        c = c * 26 + (ch - 'A' + 1);
    }
    return c;
}

}  // namespace

std::string columnName(int column) {
    std::string s;
    while (column > 0) {
        s.insert(s.begin(), static_cast<char>('A' + (column - 1) % 26));
        column = (column - 1) / 26;
    }
    return s;
}

bool plainNumber(const std::string& t) {
    size_t i = t.size() > 1 && t[0] == '-' ? 1 : 0;
    size_t digits = 0, significant = 0;
    auto digit = [&](char c) {
        // A number keeps 15 digits; past them a code ("12345678901234567890") would lose some for good.
        if (significant > 0 || c != '0') ++significant;
    };
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) digit(t[i++]), ++digits;
    if (digits == 0) return false;
    // "007" is a code, not seven.
    if (digits > 1 && t[t[0] == '-' ? 1 : 0] == '0') return false;
    if (i < t.size()) {
        if (t[i] != '.' || i + 1 == t.size()) return false;
        for (++i; i < t.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
            digit(t[i]);
        }
    }
    return significant <= 15;
}

namespace {

// Text as the workbook's XML can hold it: a character XML 1.0 forbids is written in the format's own
// escape _xHHHH_, which readers turn back, and an "_x" that would read as one is escaped itself.
std::string xmlText(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const bool forbidden = c < 0x20 && c != '\t' && c != '\n' && c != '\r';
        const bool looksEscaped = c == '_' && i + 6 < utf8.size() && utf8[i + 1] == 'x' && utf8[i + 6] == '_' &&
                                  std::all_of(utf8.begin() + static_cast<long>(i) + 2, utf8.begin() + static_cast<long>(i) + 6,
                                              [](char h) { return std::isxdigit(static_cast<unsigned char>(h)); });
        if (forbidden || looksEscaped) {
            char b[8];
            std::snprintf(b, sizeof b, "_x%04X_", c);
            out += b;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

}  // namespace

struct Workbook::State {
    std::string sheetPart;
    pugi::xml_document workbook, sheet, strings;
    bool hasStrings = false;
    std::map<std::string, int> stringIndex;   // shared strings by text, when the workbook keeps them
    int stringCount = 0;
    std::map<int, pugi::xml_node> rows;
    int maxRow = 0, maxColumn = 0;
};

Workbook::Workbook(const std::string& path) : s_(std::make_unique<State>()), path_(path) {
    int err = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
    if (!z) throw std::runtime_error(path + " is no workbook (it cannot be read as one)");
    try {
        s_->workbook.load_string(readEntry(z, "xl/workbook.xml").c_str());
        s_->sheetPart = firstSheet(z);
        if (!s_->sheet.load_string(readEntry(z, s_->sheetPart.c_str()).c_str())) throw std::runtime_error("its first sheet cannot be read");
        std::string sst = readEntry(z, "xl/sharedStrings.xml");
        if (!sst.empty() && s_->strings.load_string(sst.c_str())) {
            s_->hasStrings = true;
            for (pugi::xml_node si : s_->strings.child("sst").children("si")) {
                std::string t = si.child("t").text().as_string();
                s_->stringIndex.emplace(t, s_->stringCount++);
            }
        }
    } catch (const std::exception& e) {
        zip_close(z);
        throw std::runtime_error(path + " is no workbook: " + e.what());
    }
    zip_close(z);
    pugi::xml_node data = s_->sheet.child("worksheet").child("sheetData");
    if (!data) throw std::runtime_error(path + " is no workbook: its first sheet has no cells");
    for (pugi::xml_node r : data.children("row")) {
        int n = r.attribute("r").as_int();
        if (n > 0) s_->rows[n] = r;
        s_->maxRow = std::max(s_->maxRow, n);
        for (pugi::xml_node c : r.children("c")) s_->maxColumn = std::max(s_->maxColumn, columnOf(c.attribute("r").as_string()));
    }
}

Workbook::~Workbook() = default;

void Workbook::write(int row, int column, const std::string& text) {
    if (row < 1 || row > 1048576 || column < 1 || column > 16384) throw std::runtime_error("no cell at row " + std::to_string(row) + ", column " + std::to_string(column));
    State& s = *s_;
    pugi::xml_node data = s.sheet.child("worksheet").child("sheetData");
    auto at = s.rows.find(row);
    pugi::xml_node r;
    if (at != s.rows.end()) {
        r = at->second;
    } else {
        auto next = s.rows.upper_bound(row);
        r = next == s.rows.end() ? data.append_child("row") : data.insert_child_before("row", next->second);
        r.append_attribute("r") = row;
        s.rows[row] = r;
    }
    const std::string ref = columnName(column) + std::to_string(row);
    pugi::xml_node c;
    for (pugi::xml_node x : r.children("c")) {
        int col = columnOf(x.attribute("r").as_string());
        if (col == column) { c = x; break; }
        if (col > column) { c = r.insert_child_before("c", x); c.append_attribute("r") = ref.c_str(); break; }
    }
    if (!c) {
        c = r.append_child("c");
        c.append_attribute("r") = ref.c_str();
    }
    // The cell keeps its style; what it held before goes.
    c.remove_attribute("t");
    while (pugi::xml_node k = c.first_child()) c.remove_child(k);
    // A leading apostrophe says "text, as typed", as a spreadsheet takes it: the rest is stored as
    // text whatever it looks like.
    const bool typedAsText = !text.empty() && text[0] == '\'';
    const std::string value = xmlText(typedAsText ? text.substr(1) : text);
    if (!typedAsText && plainNumber(text)) {
        c.append_child("v").text() = text.c_str();
    } else if (s.hasStrings) {
        auto it = s.stringIndex.find(value);
        if (it == s.stringIndex.end()) {
            pugi::xml_node si = s.strings.child("sst").append_child("si");
            pugi::xml_node t = si.append_child("t");
            t.append_attribute("xml:space") = "preserve";
            t.text() = value.c_str();
            it = s.stringIndex.emplace(value, s.stringCount++).first;
        }
        c.append_attribute("t") = "s";
        c.append_child("v").text() = it->second;
    } else {
        c.append_attribute("t") = "inlineStr";
        pugi::xml_node t = c.append_child("is").append_child("t");
        t.append_attribute("xml:space") = "preserve";
        t.text() = value.c_str();
    }
    s.maxRow = std::max(s.maxRow, row);
    s.maxColumn = std::max(s.maxColumn, column);
}

void Workbook::save() {
    State& s = *s_;
    if (pugi::xml_node dim = s.sheet.child("worksheet").child("dimension"))
        dim.attribute("ref") = ("A1:" + columnName(std::max(1, s.maxColumn)) + std::to_string(std::max(1, s.maxRow))).c_str();
    if (s.hasStrings) {
        pugi::xml_node sst = s.strings.child("sst");
        if (sst.attribute("uniqueCount")) sst.attribute("uniqueCount") = s.stringCount;
    }
    const bool printArea = resolvePrintArea();
    const std::string sheet = text(s.sheet), strings = s.hasStrings ? text(s.strings) : std::string();
    const std::string workbook = printArea ? text(s.workbook) : std::string();
    const std::string tmp = path_ + ".writing";
    int err = 0;
    zip_t* from = zip_open(path_.c_str(), ZIP_RDONLY, &err);
    if (!from) throw std::runtime_error("cannot read " + path_ + " again to write it");
    std::error_code ec;
    fs::remove(tmp, ec);
    zip_t* to = zip_open(tmp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!to) {
        zip_close(from);
        throw std::runtime_error("cannot write " + tmp);
    }
    bool ok = true;
    const zip_int64_t n = zip_get_num_entries(from, 0);
    for (zip_int64_t i = 0; i < n && ok; ++i) {
        const char* name = zip_get_name(from, i, 0);
        zip_source_t* src = nullptr;
        if (name == s.sheetPart) src = zip_source_buffer(to, sheet.data(), sheet.size(), 0);
        else if (s.hasStrings && std::string(name) == "xl/sharedStrings.xml") src = zip_source_buffer(to, strings.data(), strings.size(), 0);
        else if (printArea && std::string(name) == "xl/workbook.xml") src = zip_source_buffer(to, workbook.data(), workbook.size(), 0);
        else src = zip_source_zip(to, from, i, 0, 0, -1);
        ok = src && zip_file_add(to, name, src, ZIP_FL_ENC_UTF_8) >= 0;
        if (!ok && src) zip_source_free(src);
    }
    if (!ok) {
        zip_discard(to);
    } else if (zip_close(to) != 0) {
        zip_discard(to);
        ok = false;
    }
    zip_close(from);
    if (!ok) {
        fs::remove(tmp, ec);
        throw std::runtime_error("cannot write " + path_ + " (is the disk full?)");
    }
    fs::rename(tmp, path_, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw std::runtime_error("cannot write " + path_ + ": " + ec.message());
    }
}

// Excel works out a print area given as OFFSET(sheet!$A$1,0,0,COUNTA(sheet!$X:$X),N) when it prints;
// other readers take only a plain range and print every formula row of the template instead. The file
// is saved with the range that formula names for the cells as written, so it prints alike everywhere.
bool Workbook::resolvePrintArea() {
    State& s = *s_;
    for (pugi::xml_node n : s.workbook.child("workbook").child("definedNames").children("definedName")) {
        if (std::string(n.attribute("name").as_string()) != "_xlnm.Print_Area" || n.attribute("localSheetId").as_int(-1) != 0) continue;
        static const std::regex offset(R"(OFFSET\(((?:'[^']+'|[^!,()]+)!)\$A\$1,0,0,COUNTA\(\1\$([A-Z]+):\$\2\),(\d+)\))");
        std::smatch m;
        const std::string formula = n.text().as_string();
        if (!std::regex_match(formula, m, offset)) return false;
        const int columns = std::stoi(m[3].str());
        if (columns < 1 || columns > 16384) return false;
        const int rows = rowsWithValue(columnOf(m[2].str()), 1);
        n.text() = (m[1].str() + "$A$1:$" + columnName(columns) + "$" + std::to_string(std::max(1, rows))).c_str();
        return true;
    }
    return false;
}

int Workbook::rowsWithValue(int column, int fromRow) const {
    int n = 0;
    for (const auto& [r, row] : s_->rows) {
        if (r < fromRow) continue;
        for (pugi::xml_node c : row.children("c"))
            if (columnOf(c.attribute("r").as_string()) == column) {
                if (*c.child_value("v") || c.child("is")) ++n;
                break;
            }
    }
    return n;
}

}  // namespace host::xlsx
