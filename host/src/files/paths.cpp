#include "files/paths.h"
#include <stdexcept>
#include <fstream>
#include <filesystem>
#include "text.h"

namespace host::paths {

std::string toHost(std::string_view win) {
    std::string gbk;
    gbk.reserve(win.size());
    size_t i = 0;
    bool absolute = false;
    if (win.size() >= 2 && win[1] == ':' && std::isalpha(static_cast<unsigned char>(win[0]))) {
        if (win[0] != 'Z' && win[0] != 'z') return std::string("/nonexistent-drive-") + win[0] + "/" + text::toUtf8Lossy(win.substr(2));
        i = 2;
        absolute = true;
    }
    while (i < win.size()) {
        size_t n = text::charLength(win, i);
        if (n == 1 && win[i] == '\\') gbk += '/';
        else gbk.append(win.substr(i, n));
        i += n;
    }
    if (absolute && (gbk.empty() || gbk[0] != '/')) gbk.insert(gbk.begin(), '/');
    return text::toUtf8(gbk);
}

std::string toWindows(std::string_view host) {
    std::string p(host);
    if (p.empty() || p[0] != '/') p = std::filesystem::absolute(std::filesystem::path(p)).lexically_normal().string();
    std::string gbk = text::toGbk(p);
    std::string out = "Z:";
    size_t i = 0;
    while (i < gbk.size()) {
        size_t n = text::charLength(gbk, i);
        if (n == 1 && gbk[i] == '/') out += '\\';
        else out.append(gbk, i, n);
        i += n;
    }
    return out;
}

std::string relativeFile(const std::string& file, const std::string& partPath) {
    std::filesystem::path dir = std::filesystem::path(partPath).parent_path();
    std::filesystem::path rel = std::filesystem::path(file).lexically_relative(dir);
    if (!rel.empty() && rel.native().rfind("..", 0) != 0) return rel.string();
    return file;
}

std::string fileSafe(std::string name, bool dashes) {
    for (char& c : name)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32 || (!dashes && c == '-')) c = '_';
    const size_t first = name.find_first_not_of(' '), last = name.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
}

void writeWhole(const std::string& path, std::string_view content) {
    const std::string tmp = path + ".writing";
    std::error_code ec;
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f.write(content.data(), static_cast<std::streamsize>(content.size()));
        f.close();
        if (!f) {
            std::filesystem::remove(tmp, ec);
            throw std::runtime_error("cannot write " + path);
        }
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        throw std::runtime_error("cannot write " + path + ": " + ec.message());
    }
}

}  // namespace host::paths
