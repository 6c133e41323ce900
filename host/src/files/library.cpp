#include "files/library.h"
#include <dlfcn.h>
#include <algorithm>
#include "files/paths.h"
#include "model/session.h"
#include "text.h"

namespace host::library {

std::string path(const char* nameGbk) {
    std::string n = nameGbk ? nameGbk : "";
    if (n.find('\\') == std::string::npos && n.find('/') == std::string::npos && !session().baseDir.empty())
        return session().baseDir + "/UGII/" + text::toUtf8Lossy(n);
    return paths::toHost(n);
}

void* open(const char* nameGbk) { return dlopen(path(nameGbk).c_str(), RTLD_NOW | RTLD_LOCAL); }

void* symbol(void* handle, const char* name) {
    if (!handle || !name) return nullptr;
    std::string n = name;
    std::replace(n.begin(), n.end(), '@', '$');
    return dlsym(handle, n.c_str());
}

}  // namespace host::library
