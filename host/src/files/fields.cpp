#include "files/fields.h"
#include <cmath>
#include <sstream>

namespace host::fields {
namespace {

std::string kindOf(const json& v) {
    switch (v.type()) {
        case json::value_t::null: return "null";
        case json::value_t::boolean: return "true or false";
        case json::value_t::string: return "a text";
        case json::value_t::array: return "a list";
        case json::value_t::object: return "an object";
        default: return "a number";
    }
}

[[noreturn]] void wrong(const std::string& what, const std::string& should, const json& v) {
    throw FieldError(what + " must be " + should + ", not " + kindOf(v));
}

}  // namespace

const json* find(const json& o, const char* key) {
    if (!o.is_object()) return nullptr;
    auto it = o.find(key);
    return it == o.end() ? nullptr : &*it;
}

const json& need(const json& o, const char* key) {
    if (const json* v = find(o, key)) return *v;
    throw FieldError(std::string("\"") + key + "\" is missing");
}

std::string show(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

std::string string(const json& v, const std::string& what) {
    if (!v.is_string()) wrong(what, "a text", v);
    return v.get<std::string>();
}

double number(const json& v, const std::string& what) {
    if (!v.is_number()) wrong(what, "a number", v);
    double d = v.get<double>();
    if (!std::isfinite(d)) throw FieldError(what + " must be a finite number");
    return d;
}

long long integer(const json& v, const std::string& what, long long lo, long long hi) {
    std::string range = "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
    if (!v.is_number_integer()) wrong(what, range, v);
    // Unsigned values above the signed range are out of range too, whatever their cast would give.
    if (v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(hi))
        throw FieldError(what + " must be " + range + ", not " + std::to_string(v.get<unsigned long long>()));
    long long n = v.get<long long>();
    if (n < lo || n > hi) throw FieldError(what + " must be " + range + ", not " + std::to_string(n));
    return n;
}

bool boolean(const json& v, const std::string& what) {
    if (!v.is_boolean()) wrong(what, "true or false", v);
    return v.get<bool>();
}

const json& array(const json& v, const std::string& what) {
    if (!v.is_array()) wrong(what, "a list", v);
    return v;
}

const json& object(const json& v, const std::string& what) {
    if (!v.is_object()) wrong(what, "an object", v);
    return v;
}

std::vector<double> numbers(const json& v, const std::string& what) {
    std::vector<double> out;
    size_t i = 0;
    for (const json& x : array(v, what)) out.push_back(number(x, what + " item " + std::to_string(++i)));
    return out;
}

std::vector<long long> integers(const json& v, const std::string& what, long long lo, long long hi) {
    std::vector<long long> out;
    size_t i = 0;
    for (const json& x : array(v, what)) out.push_back(integer(x, what + " item " + std::to_string(++i), lo, hi));
    return out;
}

std::string string(const json& o, const char* key, const std::string& fallback) {
    const json* v = find(o, key);
    return v ? string(*v, std::string("\"") + key + "\"") : fallback;
}

double number(const json& o, const char* key, double fallback) {
    const json* v = find(o, key);
    return v ? number(*v, std::string("\"") + key + "\"") : fallback;
}

int integer(const json& o, const char* key, int lo, int hi, int fallback) {
    const json* v = find(o, key);
    return v ? static_cast<int>(integer(*v, std::string("\"") + key + "\"", lo, hi)) : fallback;
}

bool boolean(const json& o, const char* key, bool fallback) {
    const json* v = find(o, key);
    return v ? boolean(*v, std::string("\"") + key + "\"") : fallback;
}

const json& arrayField(const json& o, const char* key) {
    static const json empty = json::array();
    const json* v = find(o, key);
    return v ? array(*v, std::string("\"") + key + "\"") : empty;
}

}  // namespace host::fields
