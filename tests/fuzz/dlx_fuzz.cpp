// Dialog files: any file reads as a dialog or is refused with the host's exception.
#include "NXOpen/NXException.hxx"
#include "fuzz_util.h"
#include "ui/dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::write("fuzz.dlx", data, size);
    try {
        host::ui::Dialog d(path);
    } catch (const NXOpen::NXException&) {
    }
    return 0;
}
