// Fields of JSON documents a user or a file gives (model descriptions, part files), read with
// messages that name the field and what it should hold — never the JSON library's own words.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace host::fields {

using nlohmann::json;

// A field that is missing or holds the wrong thing; the message names the field.
struct FieldError : std::runtime_error { using std::runtime_error::runtime_error; };

const json* find(const json& object, const char* key);   // null when absent (or `object` is no object)
const json& need(const json& object, const char* key);   // throws when absent

std::string string(const json& v, const std::string& what);
double number(const json& v, const std::string& what);                 // finite
long long integer(const json& v, const std::string& what, long long lo, long long hi);
bool boolean(const json& v, const std::string& what);
std::vector<double> numbers(const json& v, const std::string& what);   // an array of finite numbers
std::vector<long long> integers(const json& v, const std::string& what, long long lo, long long hi);
const json& array(const json& v, const std::string& what);
const json& object(const json& v, const std::string& what);

// The same for an optional field of an object, with its default.
std::string string(const json& o, const char* key, const std::string& fallback);
double number(const json& o, const char* key, double fallback);
int integer(const json& o, const char* key, int lo, int hi, int fallback);
bool boolean(const json& o, const char* key, bool fallback);
// An optional array field; empty when absent.
const json& arrayField(const json& o, const char* key);

// A number as a user reads it: 1e-09, 250, 0.5.
std::string show(double v);

}  // namespace host::fields
