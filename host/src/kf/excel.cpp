#include "kf/excel.h"
#include <cstdio>
#include <map>
#include <memory>
#include "files/paths.h"
#include "kf/xlsx.h"
#include "text.h"

namespace host::kf {
namespace {

// Workbooks open through the rules, by the handle "open" hands out; written on close.
std::map<long long, std::unique_ptr<xlsx::Workbook>>& books() {
    static std::map<long long, std::unique_ptr<xlsx::Workbook>> b;
    return b;
}
long long g_next = 1;

Value boolean(bool b) {
    Value v;
    v.kind = Value::Bool;
    v.b = b;
    return v;
}

long long integer(const Value& v, const std::string& what) {
    if (v.kind == Value::Integer) return v.i;
    if (v.kind == Value::Number && v.d == static_cast<double>(static_cast<long long>(v.d))) return static_cast<long long>(v.d);
    throw KfError(what + " must be a whole number");
}

xlsx::Workbook& book(const Value& v) {
    auto it = books().find(integer(v, "the workbook"));
    if (it == books().end()) throw KfError("no workbook is open under that handle");
    return *it->second;
}

// A cell's text as the workbook keeps it: UTF-8, numbers as written.
std::string cellText(const Value& v) {
    switch (v.kind) {
        case Value::String: return text::toUtf8Lossy(v.s);
        case Value::Integer: return std::to_string(v.i);
        case Value::Number: {
            char b[64];
            std::snprintf(b, sizeof b, "%.15g", v.d);
            return b;
        }
        case Value::Bool: return v.b ? "TRUE" : "FALSE";
        default: throw KfError("a cell takes a text, a number or true or false");
    }
}

}  // namespace

Value call(const std::string& f, const std::vector<Value>& args) {
    if (f == "ug_excel_open_file") {
        if (args.size() != 2 || args[0].kind != Value::String || args[1].kind != Value::Name)
            throw KfError("ug_excel_open_file takes a file name and Write or Read");
        std::string path = paths::toHost(args[0].s);
        try {
            auto wb = std::make_unique<xlsx::Workbook>(path);
            Value v;
            v.kind = Value::Integer;
            v.i = g_next++;
            books()[v.i] = std::move(wb);
            return v;
        } catch (const std::runtime_error& e) {
            throw KfError(e.what());
        }
    }
    if (f == "ug_excel_write_range") {
        if (args.size() != 2 || args[1].kind != Value::List || args[1].list.size() < 6)
            throw KfError("ug_excel_write_range takes a workbook and {sheet, first row, first column, last row, last column, values...}");
        xlsx::Workbook& wb = book(args[0]);
        const auto& l = args[1].list;
        if (integer(l[0], "the sheet") != 1) throw KfError("only the first sheet is written");
        long long r1 = integer(l[1], "the first row"), c1 = integer(l[2], "the first column");
        long long r2 = integer(l[3], "the last row"), c2 = integer(l[4], "the last column");
        if (r2 < r1 || c2 < c1 || static_cast<long long>(l.size() - 5) != (r2 - r1 + 1) * (c2 - c1 + 1))
            throw KfError("the range and its values do not match");
        size_t k = 5;
        try {
            for (long long r = r1; r <= r2; ++r)
                for (long long c = c1; c <= c2; ++c) wb.write(static_cast<int>(r), static_cast<int>(c), cellText(l[k++]));
        } catch (const std::runtime_error& e) {
            throw KfError(e.what());
        }
        return boolean(true);
    }
    if (f == "ug_excel_close_file") {
        if (args.size() != 2 || args[1].kind != Value::Bool) throw KfError("ug_excel_close_file takes a workbook and True or False");
        auto it = books().find(integer(args[0], "the workbook"));
        if (it == books().end()) throw KfError("no workbook is open under that handle");
        std::unique_ptr<xlsx::Workbook> wb = std::move(it->second);
        books().erase(it);
        if (args[1].b) {
            try {
                wb->save();
            } catch (const std::runtime_error& e) {
                throw KfError(e.what());
            }
        }
        return boolean(true);
    }
    throw KfError("no function " + f + " in this host");
}

void closeAll() { books().clear(); }

}  // namespace host::kf
