#include "text.h"
#include <iconv.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace host::text {
namespace {

// iconv descriptors are cheap to keep and not thread-safe; the host runs on one thread.
struct Converter {
    iconv_t cd;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {
        if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no text conversion from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd); }
    std::string run(std::string_view in, bool lossy, const char* what) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 3 / 2 + 8);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        size_t done = 0;
        while (left > 0) {
            char* dst = out.data() + done;
            size_t room = out.size() - done;
            size_t r = iconv(cd, &src, &left, &dst, &room);
            done = out.size() - room;
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else if (lossy) {
                out.resize(std::max(out.size(), done + 1));
                out[done++] = '?';
                ++src;
                --left;
            } else {
                throw std::runtime_error(std::string("text is not valid ") + what + " at byte " +
                                         std::to_string(in.size() - left));
            }
        }
        out.resize(done);
        return out;
    }
};

Converter& toUtf8Conv() { static Converter c("UTF-8", "GBK"); return c; }
Converter& toGbkConv() { static Converter c("GBK", "UTF-8"); return c; }

bool ascii(std::string_view s) {
    for (unsigned char c : s) if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string toUtf8(std::string_view gbk) { return ascii(gbk) ? std::string(gbk) : toUtf8Conv().run(gbk, false, "GBK"); }
std::string toGbk(std::string_view utf8) { return ascii(utf8) ? std::string(utf8) : toGbkConv().run(utf8, false, "UTF-8 (or has no GBK form)"); }
std::string toUtf8Lossy(std::string_view gbk) { return ascii(gbk) ? std::string(gbk) : toUtf8Conv().run(gbk, true, "GBK"); }
std::string toGbkLossy(std::string_view utf8) { return ascii(utf8) ? std::string(utf8) : toGbkConv().run(utf8, true, "UTF-8"); }

double toNumber(const std::string& text, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || errno == ERANGE || !std::isfinite(v)) throw std::runtime_error(what + " must be a number, not \"" + text + "\"");
    return v;
}

int toInteger(const std::string& text, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        throw std::runtime_error(what + " must be a whole number, not \"" + text + "\"");
    return static_cast<int>(v);
}

std::string_view prefix(std::string_view gbk, size_t max) {
    size_t i = 0;
    while (i < gbk.size()) {
        size_t n = charLength(gbk, i);
        if (i + n > max) break;
        i += n;
    }
    return gbk.substr(0, i);
}

}  // namespace host::text
