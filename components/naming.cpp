#include "components/naming.hpp"
#include <cctype>
#include <limits>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace naming {
namespace {

size_t charLength(const std::string& s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    return (c >= 0x81 && c <= 0xFE && i + 1 < s.size()) ? 2 : 1;
}

}  // namespace

size_t find(const std::string& text, const std::string& part) {
    if (part.empty()) return 0;
    for (size_t i = 0; i + part.size() <= text.size(); i += charLength(text, i))
        if (text.compare(i, part.size(), part) == 0) return i;
    return std::string::npos;
}

bool contains(const std::string& text, const std::string& part) { return find(text, part) != std::string::npos; }

size_t lastOf(const std::string& text, char c) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size(); i += charLength(text, i))
        if (text[i] == c && charLength(text, i) == 1) found = i;
    return found;
}

bool allDigits(const std::string& text) { return 得到字符数字个数(text) == static_cast<int>(text.size()); }

std::string afterLastDash(const std::string& text) {
    size_t dash = lastOf(text, '-');
    return dash == std::string::npos ? text : text.substr(dash + 1);
}

std::string beforeLastDash(const std::string& text) {
    size_t dash = lastOf(text, '-');
    return dash == std::string::npos ? text : text.substr(0, dash);
}

std::string partNameOfFile(const std::string& stem) {
    std::string b = beforeLastDash(stem);
    std::string c = afterLastDash(b);
    std::string d = beforeLastDash(b);
    return allDigits(c) ? afterLastDash(d) : c;
}

Series seriesOf(const std::string& stem) {
    Series s;
    if (!contains(stem, "数模") && lastOf(stem, '-') != std::string::npos) {
        std::string tail = afterLastDash(stem);
        s.parent = true;
        s.code = allDigits(tail) ? tail : std::string();
    } else if (contains(stem, "装配")) {
        s.parent = true;
    }
    return s;
}

std::string batchPartName(const std::string& partName, const std::string& series, int number, bool assemblyParent) {
    std::string n = std::to_string(number);
    return assemblyParent ? partName + "-" + n : partName + "-" + series + "-" + n;
}

std::string componentIdentifier(const std::string& name) { return "COMPONENT " + name + " 1"; }

NumberSource::NumberSource(std::vector<long long> used) : used_(std::move(used)) { std::sort(used_.begin(), used_.end()); }

int NumberSource::next() {
    long long n = last_ + 1;
    while (std::binary_search(used_.begin(), used_.end(), n)) ++n;
    last_ = n;
    return static_cast<int>(n);
}

long long atoiValue(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr long long kMost = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (kMost - digit) / 10 ? kMost : value * 10 + digit;
    }
    return negative ? -value : value;
}

long long sequenceNumber(const std::string& digits) {
    if (digits.empty() || !allDigits(digits) || digits.size() > 9) return -1;
    return std::strtoll(digits.c_str(), nullptr, 10);
}

}  // namespace naming

int 查找连续图号(std::vector<int> used, std::vector<int>& free) {
    if (used.empty()) return 0;
    const int m = static_cast<int>(used.size());
    for (int i = 0; i + 1 < m; ++i)
        for (int v = used[i] + 1; v < used[i + 1]; ++v) free.push_back(v);
    for (int v = used[m - 1]; v < m + 20; ++v) free.push_back(v + 1);
    return 0;
}

int 得到字符数字个数(const std::string& text) {
    int n = 0;
    for (char c : text) n += c >= '0' && c <= '9';
    return n;
}

std::string 获取文件名和路径(const std::string& path, int mode) {
    size_t slash = naming::lastOf(path, '\\');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string rest = slash == std::string::npos ? path : path.substr(slash + 1);
    if (mode == 2) return folder;
    size_t ext = naming::find(rest, ".prt");
    return ext == std::string::npos ? rest : rest.substr(0, ext);
}
