// Reads shape texts as the part-file reader hands them over and says of each that it came through.
// Some damaged texts make the geometric kernel's reader follow a null pointer instead of failing: such
// a text ends this process, not the host's. Frames on standard input: an 8-byte length, then the text;
// one byte back on standard output for every text read, whether the kernel took it or refused it.
#include <unistd.h>
#include <cstdint>
#include <string>
#include <Standard_Failure.hxx>
#include "geom/stock.h"

namespace {

bool readAll(void* to, size_t n) {
    auto* p = static_cast<char*>(to);
    while (n > 0) {
        const ssize_t got = read(0, p, n);
        if (got <= 0) return false;
        p += got;
        n -= static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

int main() {
    for (;;) {
        uint64_t length = 0;
        if (!readAll(&length, sizeof length)) return 0;
        std::string text(length, '\0');
        if (!readAll(text.data(), text.size())) return 0;
        try {
            host::geom::fromText(text);
        } catch (const std::exception&) {
        } catch (const Standard_Failure&) {
        }
        const char done = 'k';
        if (write(1, &done, 1) != 1) return 0;
    }
}
