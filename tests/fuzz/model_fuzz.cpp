// Model descriptions: any text builds its part files or is refused with a model error.
#include "fuzz_util.h"
#include "model/modeldesc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::quiet();
    std::string model = fuzz::write("model.json", data, size);
    try {
        host::modeldesc::build(model, (fuzz::scratch() / "out").string(), true);
    } catch (const host::modeldesc::ModelError&) {
    }
    host::session().reset();
    return 0;
}
