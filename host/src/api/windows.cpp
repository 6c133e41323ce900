// The module's Win32 calls over POSIX, with Windows paths mapped.
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <string>
#include "files/library.h"
#include "files/paths.h"
#include "model/session.h"
#include "windows.h"

extern "C" {

HMODULE LoadLibraryA(LPCSTR name) {
    return reinterpret_cast<HMODULE>(host::library::open(name));
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    return reinterpret_cast<FARPROC>(host::library::symbol(module, name));
}

BOOL FreeLibrary(HMODULE module) { return module && dlclose(module) == 0; }

BOOL DeleteFileA(LPCSTR file) {
    if (!file) return 0;
    std::string p = host::paths::toHost(file);
    struct stat st;
    if (stat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return 0;
    return unlink(p.c_str()) == 0;
}

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
    // With a desktop the file browser opens the folder; without one the transcript tells what would open.
    std::string p = file ? host::paths::toHost(file) : "";
    if (access(p.c_str(), F_OK) != 0) return reinterpret_cast<HINSTANCE>(2);  // file not found
    host::session().say(std::string("[shell] ") + (operation ? operation : "open") + " " + p);
    if (std::getenv("DISPLAY") && !std::getenv("VORTA_NO_DESKTOP")) {
        // Forked twice, so that the browser is nobody's child here and leaves no zombie behind.
        if (pid_t child = fork(); child == 0) {
            if (fork() == 0) {
                execlp("xdg-open", "xdg-open", p.c_str(), static_cast<char*>(nullptr));
                _exit(127);
            }
            _exit(0);
        } else if (child > 0) {
            waitpid(child, nullptr, 0);
        }
    }
    return reinterpret_cast<HINSTANCE>(42);
}

}  // extern "C"
