// CRT folder creation over POSIX, with Windows paths mapped.
#include <sys/stat.h>
#include "direct.h"
#include "files/paths.h"

extern "C" {

int _mkdir(const char* dirname) {
    if (!dirname) return -1;
    return mkdir(host::paths::toHost(dirname).c_str(), 0777);
}

}  // extern "C"
