// Workbooks: any file either is refused as no workbook, or takes cells, is written whole and reads
// back as a workbook.
#include <cstdlib>
#include <stdexcept>
#include "fuzz_util.h"
#include "kf/xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::quiet();
    const std::string path = fuzz::write("book.xlsx", data, size);
    try {
        host::xlsx::Workbook book(path);
        book.write(4, 1, "1");
        book.write(4, 3, "底板 \"<&>\"");
        book.write(5, 7, "0.123456");
        book.save();
    } catch (const std::runtime_error&) {
        return 0;
    }
    // What was written reads back.
    try {
        host::xlsx::Workbook again(path);
    } catch (const std::runtime_error& e) {
        std::abort();
    }
    return 0;
}
