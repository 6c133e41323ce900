// Journals: any text either splits into statements or is refused with a journal error.
#include <string>
#include "journal/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        host::journal::parse(text, "fuzz.vj");
    } catch (const host::journal::JournalError&) {
    }
    return 0;
}
