// Text at the host's edges: the module's GBK inside, UTF-8 outside.
#pragma once
#include <string>
#include <string_view>

namespace host::text {

// Throws std::runtime_error naming the bytes when the input is not valid in its encoding.
std::string toUtf8(std::string_view gbk);
std::string toGbk(std::string_view utf8);
// Never throws: bytes that do not convert come out as "?".
std::string toUtf8Lossy(std::string_view gbk);
std::string toGbkLossy(std::string_view utf8);

// A number as the user wrote it: the whole text, finite. Throws std::runtime_error
// "<what> must be a number, not "<text>"" (and for integers, a whole number in the range of int).
double toNumber(const std::string& text, const std::string& what);
int toInteger(const std::string& text, const std::string& what);

// Length of the GBK character starting at s[i] (1 or 2 bytes).
inline size_t charLength(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    return (c >= 0x81 && c <= 0xFE && i + 1 < s.size()) ? 2 : 1;
}
// The longest prefix of at most `max` bytes that does not cut a GBK character.
std::string_view prefix(std::string_view gbk, size_t max);

}  // namespace host::text
