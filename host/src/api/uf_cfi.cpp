// Files: existence, and text files read line by line through channels.
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include "files/paths.h"
#include "model/guard.h"
#include <cctype>
#include <cstring>
#include "text.h"
#include "uf_cfi.h"

using namespace host;

namespace {

std::map<int, std::unique_ptr<std::ifstream>>& channels() {
    static std::map<int, std::unique_ptr<std::ifstream>> c;
    return c;
}

}  // namespace

extern "C" {

int uc4574(const char* spec, int type, char name[UF_CFI_MAX_FILE_NAME_BUFSIZE]) {
    if (name) name[0] = '\0';
    return guarded("uc4574", [&] {
        if (!spec || !name) fail(UF_err_bad_parameter_number_1, "no file name or no place for it");
        if (type != 0 && type != 2) fail(UF_err_bad_parameter_number_2, "file type " + std::to_string(type) + " is not parsed by this host");
        const std::string path = spec;
        // The last "\\" that starts a character: the second byte of a GBK character may be 0x5C.
        size_t cut = std::string::npos;
        for (size_t i = 0; i < path.size(); i += text::charLength(path, i))
            if (path[i] == '\\') cut = i;
        std::string leaf = cut == std::string::npos ? path : path.substr(cut + 1);
        if (type == 2 && leaf.size() > 4 && leaf.compare(leaf.size() - 4, 4, ".prt") == 0) leaf.resize(leaf.size() - 4);
        if (leaf.size() >= UF_CFI_MAX_FILE_NAME_BUFSIZE) fail(UF_err_bad_parameter_number_1, "a file name longer than the host's names");
        std::memcpy(name, leaf.c_str(), leaf.size() + 1);
    });
}

int UF_CFI_ask_file_exist(const char* spec, int* status) {
    if (status) *status = 1;
    if (!spec) return UF_err_bad_parameter_number_1;
    std::ifstream in(paths::toHost(spec));
    if (status) *status = in.good() ? 0 : 1;
    return 0;
}

int uc4504(const char* spec, int option, int type, int* channel) {
    if (channel) *channel = 0;
    if (!spec) return UF_err_bad_parameter_number_1;
    if (option != 1 || type != 87) return UF_err_not_provided;  // the host offers reading text files
    auto in = std::make_unique<std::ifstream>(paths::toHost(spec), std::ios::binary);
    if (!*in) return UF_err_file_not_found;
    static int next = 1;
    int c = next++;
    channels()[c] = std::move(in);
    if (channel) *channel = c;
    return 0;
}

int uc4514a(int channel, char** line) {
    if (line) *line = nullptr;
    auto it = channels().find(channel);
    if (it == channels().end()) return -UF_err_bad_parameter_number_1;
    std::string l;
    if (!std::getline(*it->second, l)) return -1;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (line) *line = allocString(l);
    return static_cast<int>(l.size());
}

int uc4540(int channel, int) { return channels().erase(channel) ? 0 : UF_err_bad_parameter_number_1; }

}  // extern "C"

extern "C" int uc4567(const char* source, const char* destination, int option, int sourceType, int destinationType) {
    return guarded("uc4567", [&] {
        if (!source || !destination) fail(UF_err_bad_parameter_number_1, "no file to copy");
        if (option != 1 && option != 33) fail(UF_err_bad_parameter_number_3, "copy options 1 and 33 are provided");
        // Type 254 is a workbook: a name that does not end in ".xlsx" gets it ("frame.v2" too, whose
        // ".v2" is no workbook's extension).
        auto named = [](std::string p, int type) {
            std::string ext = std::filesystem::path(p).extension().string();
            for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (type == 254 && ext != ".xlsx") p += ".xlsx";
            return p;
        };
        const std::string from = named(paths::toHost(source), sourceType), to = named(paths::toHost(destination), destinationType);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(from, ec)) fail(UF_err_file_not_found, "no file " + from + " to copy");
        // Both options replace the destination; the copy is made aside and renamed over it once whole.
        const std::string tmp = to + ".writing";
        std::filesystem::copy_file(from, tmp, std::filesystem::copy_options::overwrite_existing, ec);
        if (!ec) std::filesystem::rename(tmp, to, ec);
        if (ec) {
            std::filesystem::remove(tmp, ec);
            fail(UF_err_operation_failed, "cannot copy " + from + " to " + to);
        }
    });
}
