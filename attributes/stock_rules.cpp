#include "attributes/stock_rules.hpp"
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace stock {

namespace {

constexpr std::size_t npos = std::string::npos;

// A lead byte pairs only with a valid second byte; a stray lead byte stands alone, so a
// separator after it still counts.
std::size_t char_length(const std::string& s, std::size_t i) {
    unsigned char lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= s.size()) return 1;
    unsigned char trail = static_cast<unsigned char>(s[i + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

std::size_t find_first(const std::string& s, char sep) {
    for (std::size_t i = 0; i < s.size(); i += char_length(s, i))
        if (s[i] == sep) return i;
    return npos;
}

std::size_t find_last(const std::string& s, char sep) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < s.size(); i += char_length(s, i))
        if (s[i] == sep) found = i;
    return found;
}

// The number after separator `from` up to separator `to`; a missing opening separator gives 0,
// a missing or earlier closing one lets the piece run to the end, where atof stops anyway.
double number_after(const std::string& s, std::size_t from, std::size_t to) {
    if (from == npos) return 0.0;
    std::size_t begin = from + 1;
    std::size_t end = to == npos || to < begin ? s.size() : to;
    return std::atof(s.substr(begin, end - begin).c_str());
}

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    std::snprintf(out.data(), out.size() + 1, fmt, args...);
    return out;
}

enum class Form { Section, Pipe, Plate, Flat, Round, Default };

struct Known {
    const char* name;
    Form form;
};

const Known kKnown[] = {
    {"方管", Form::Section},   {"矩形管", Form::Section}, {"角钢", Form::Section},
    {"无缝钢管", Form::Pipe},  {"焊管", Form::Pipe},      {"钢板", Form::Plate},
    {"扁钢", Form::Flat},      {"圆钢", Form::Round},     {"ZW24钢板网", Form::Default},
};

const Known* known(const std::string& category) {
    for (const Known& k : kKnown)
        if (category == k.name) return &k;
    return nullptr;
}

}  // namespace

std::size_t gbk_find(const std::string& text, const std::string& part) {
    if (part.empty()) return 0;
    for (std::size_t i = 0; i + part.size() <= text.size(); i += char_length(text, i))
        if (text.compare(i, part.size(), part) == 0) return i;
    return npos;
}

bool gbk_contains(const std::string& text, const std::string& part) {
    return gbk_find(text, part) != npos;
}

Category split_category(const std::string& text) {
    std::size_t first = find_first(text, ',');
    if (first == npos) return {text, text};
    std::size_t last = find_last(text, ',');
    std::string modifier = last == first ? text.substr(first + 1) : text.substr(first + 1, last - first - 1);
    return {text.substr(0, first), modifier};
}

Record parse_record(const std::string& text) {
    std::size_t comma1 = find_first(text, ','), hyphen1 = find_first(text, '-');
    std::size_t hyphen2 = find_last(text, '-'), comma2 = find_last(text, ',');
    Record r;
    r.a = std::atof(text.substr(0, comma1).c_str());
    r.b = number_after(text, comma1, hyphen1);
    r.c = number_after(text, hyphen1, hyphen2);
    r.d = number_after(text, hyphen2, comma2);
    r.e = number_after(text, comma2, npos);
    return r;
}

Outline parse_outline(const std::string& text) {
    std::size_t comma = find_first(text, ','), hyphen = find_first(text, '-');
    Outline o;
    o.p = std::atof(text.substr(0, comma).c_str());
    o.q = number_after(text, comma, hyphen);
    o.r = number_after(text, hyphen, npos);
    return o;
}

std::string format_plain_record(double a, double b, double c, double d, double e) {
    return format("%.0f,%.0f-%.0f-%.1f,%0.1f", a, b, c, d, e);
}

std::string format_bent_record(double a, double b, double c, double d, double e) {
    return format("%.1f,%.0f-%.0f-%.1f,%0.1f", a, b, c, d, e);
}

std::string format_outline(double a, double b, double c) {
    return format("%.0f,%.0f-%.0f", a, b, c);
}

// Outside the table the whole category text, modifier included, is the material.
std::string material_of(const std::string& category_text) {
    if (category_text.empty()) return {};
    return known(split_category(category_text).category) ? "Q235" : category_text;
}

std::string specification_of(const std::string& category_text, const std::string& record) {
    if (category_text.empty()) return {};
    Category cat = split_category(category_text);
    if (cat.category.empty()) return {};
    Record r = parse_record(record);
    const char* name = cat.category.c_str();
    const Known* k = known(cat.category);
    // Sizes come smallest first, so a round piece shorter than thick (a spacer, a sleeve) has its
    // diameter twice in b and c and its length in a; taken as they come it would read as Φlength-diameter.
    const bool stubby = r.a < r.b && r.b == r.c;
    const double diameter = stubby ? r.b : r.a, length = stubby ? r.a : r.c;
    switch (k ? k->form : Form::Default) {
    case Form::Section: return format("%s(%.0fX%.0fX%.1f-%.0f)", name, r.b, r.a, r.d, r.c);
    case Form::Pipe: return format("%s(Φ%.0fX%.1f-%.0f)", name, diameter, r.d, length);
    case Form::Plate: return format("%s(%0.1fX%.0fX%.0f)", name, r.a, r.b, r.c);
    case Form::Flat: return format("%s(%0.1fX%.0f-%.0f)", name, r.a, r.b, r.c);
    case Form::Round:
        // Both ends bent: the bar is cut to the developed length.
        if (cat.modifier == "两边折弯") return format("%s(Φ%.0f-%.0f)", name, r.a, r.c + 2 * r.a - 4 * r.d);
        return format("%s(Φ%.0f-%.0f)", name, diameter, length);
    case Form::Default: break;
    }
    return format("%s(%.0fX%.0fX%.0f)", name, r.a, r.b, r.c);
}

Remark remark_of(const std::string& drawing_no, const std::string& category_text, const std::string& record,
                 const std::string& outline) {
    // 'G' is never a lead byte, so a "GB" prefix is always two whole characters.
    if (drawing_no.compare(0, 2, "GB") == 0) return {"外购件", false};
    if (!drawing_no.empty()) return {"按图制作", false};

    auto has = [&](const char* word) { return gbk_contains(category_text, word); };
    auto note = [](const char* fmt, double x, double y, double z) { return Remark{format(fmt, x, y, z), false}; };
    Outline o = parse_outline(outline);

    if (has("扁钢,折弯")) {
        if (has("一")) return note("一边折弯%0.0f外包(%.0fX%.0f)", o.q, o.q, o.r);
        if (has("二")) return note("两边折弯%0.0f外包(%.0fX%.0f)", o.q, o.q, o.r);
        return note("折弯%0.0f外包(%.0fX%.0f)", o.q, o.q, o.r);
    }
    if (has("钢板,折弯")) {
        if (has("一")) return note("一边折弯%0.0f外包(%.0fX%.0f)", o.p, o.q, o.r);
        if (has("二")) return note("二边折弯%0.0f外包(%.0fX%.0f)", o.p, o.q, o.r);
        if (has("三")) return note("三边折弯%0.0f外包(%.0fX%.0f)", o.p, o.q, o.r);
        if (has("四")) return note("四边折弯%0.0f外包(%.0fX%.0f)", o.p, o.q, o.r);
        // Both sides are printed whole millimetres, so the parsed numbers compare exactly.
        Record r = parse_record(record);
        if (r.c == o.r && r.b == o.q) return {"", true};
        return note("折弯%0.0f外包(%.0fX%.0f)", o.p, o.q, o.r);
    }
    return {};
}

bool same_body(const BodyFigures& x, const BodyFigures& y) {
    return x.faces == y.faces && x.edges == y.edges && std::fabs(x.volume - y.volume) <= 5.0 &&
           std::fabs(x.mass - y.mass) <= 3.0 && (x.area < 0 || y.area < 0 || std::fabs(x.area - y.area) <= 5.0);
}

std::string place_key(const double (&box)[6]) {
    double v[6];
    for (int i = 0; i < 6; ++i) {
        // A corner a hair below zero would print "-0" and miss its twin at "0".
        v[i] = std::nearbyint(box[i]);
        if (v[i] == 0.0) v[i] = 0.0;
    }
    return format("%.0fx%.0fx%.0f-%.0fx%.0fx%.0f", v[0], v[1], v[2], v[3], v[4], v[5]);
}

int working_mode(const std::vector<std::string>& sheet_names) {
    if (sheet_names.empty()) return 2;
    std::size_t numbered = 0;
    for (const std::string& name : sheet_names) {
        int zeros = 0;
        for (std::size_t i = 0; i < name.size() && i < 3; ++i) zeros += name[i] == '0';
        if (zeros >= 2) ++numbered;
    }
    // numbered / all >= 0.9, kept in integers so 9 of 10 is not lost to rounding.
    return numbered * 10 >= sheet_names.size() * 9 ? 1 : 2;
}

}  // namespace stock
