// Failures told to the system log and text handed across the procedural boundary.
#include <cstdlib>
#include <cstring>
#include "model/guard.h"
#include "text.h"

namespace host {

void noteFailure(const char* function, int status, const std::string& message) {
    session().syslog.push_back(std::string(function) + " failed with status " + std::to_string(status) + ": " + text::toUtf8Lossy(message));
}

void copyOut(char* buffer, size_t size, const std::string& gbk) {
    if (!buffer || size == 0) return;
    std::string_view cut = text::prefix(gbk, size - 1);
    std::memcpy(buffer, cut.data(), cut.size());
    buffer[cut.size()] = '\0';
}

char* allocString(const std::string& gbk) {
    char* p = static_cast<char*>(std::malloc(gbk.size() + 1));
    std::memcpy(p, gbk.c_str(), gbk.size() + 1);
    return p;
}

}  // namespace host
