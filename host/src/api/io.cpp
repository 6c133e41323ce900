// CRT folder listing, access test and rename over POSIX, with Windows paths mapped.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "files/paths.h"
#include "io.h"
#include "text.h"
#undef rename  // io.h makes rename the module's; here it is the C library's

namespace {

struct Listing {
    std::vector<_finddata64i32_t> entries;
    size_t next = 0;
};
std::map<intptr_t, std::unique_ptr<Listing>>& listings() {
    static std::map<intptr_t, std::unique_ptr<Listing>> m;
    return m;
}
intptr_t g_nextHandle = 1;

bool fill(_finddata64i32_t& d, const std::string& dir, const std::string& nameUtf8) {
    struct stat st;
    if (stat((dir + "/" + nameUtf8).c_str(), &st) != 0) return false;
    std::string gbk;
    try {
        gbk = host::text::toGbk(nameUtf8);
    } catch (const std::exception&) {
        return false;  // a name with no GBK form cannot be shown to the module
    }
    if (gbk.size() >= sizeof d.name) return false;
    std::memset(&d, 0, sizeof d);
    std::memcpy(d.name, gbk.c_str(), gbk.size() + 1);
    d.attrib = S_ISDIR(st.st_mode) ? _A_SUBDIR : _A_ARCH;
    if (!(st.st_mode & S_IWUSR)) d.attrib |= _A_RDONLY;
    d.size = static_cast<uint32_t>(st.st_size);
    d.time_write = st.st_mtime;
    d.time_access = st.st_atime;
    d.time_create = st.st_ctime;
    return true;
}

// Windows matches names without regard to case, and "*.*" matches every name.
bool matches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    return fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

}  // namespace

extern "C" {

intptr_t _findfirst64i32(const char* filespec, struct _finddata64i32_t* info) {
    if (!filespec || !info) return -1;
    std::string spec = host::paths::toHost(filespec);
    size_t slash = spec.rfind('/');
    std::string dir = slash == std::string::npos ? "." : spec.substr(0, slash);
    if (dir.empty()) dir = "/";
    std::string pattern = slash == std::string::npos ? spec : spec.substr(slash + 1);
    DIR* d = opendir(dir.c_str());
    if (!d) return -1;
    auto l = std::make_unique<Listing>();
    std::vector<std::string> names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    names.insert(names.begin(), {".", ".."});
    for (auto& n : names) {
        _finddata64i32_t fd;
        if (matches(pattern, n) && fill(fd, dir, n)) l->entries.push_back(fd);
    }
    if (l->entries.empty()) return -1;
    *info = l->entries[0];
    l->next = 1;
    intptr_t h = g_nextHandle++;
    listings()[h] = std::move(l);
    return h;
}

int _findnext64i32(intptr_t handle, struct _finddata64i32_t* info) {
    auto it = listings().find(handle);
    if (it == listings().end() || !info) return -1;
    Listing& l = *it->second;
    if (l.next >= l.entries.size()) return -1;
    *info = l.entries[l.next++];
    return 0;
}

int _findclose(intptr_t handle) { return listings().erase(handle) ? 0 : -1; }

int _access(const char* path, int mode) {
    if (!path) return -1;
    int m = F_OK;
    if (mode & 2) m |= W_OK;
    if (mode & 4) m |= R_OK;
    return access(host::paths::toHost(path).c_str(), m);
}

int vorta_rename(const char* from, const char* to) {
    if (!from || !to) return -1;
    std::string a = host::paths::toHost(from), b = host::paths::toHost(to);
    // The CRT's rename never replaces an existing file: a rename onto a taken name fails.
    if (access(b.c_str(), F_OK) == 0) return -1;
    return std::rename(a.c_str(), b.c_str());
}

}  // extern "C"
