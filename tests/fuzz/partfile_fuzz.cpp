// Part files: any file opens or is refused with a host error, and leaves nothing loaded. Solids'
// checks are made right first, so that damage inside a solid's text reaches the kernel's reader.
#include <nlohmann/json.hpp>
#include "files/partfile.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::quiet();
    std::string text(reinterpret_cast<const char*>(data), size);
    nlohmann::json j;
    try {
        j = nlohmann::json::parse(text, nullptr, false);
    } catch (const nlohmann::json::exception&) {
        j = nlohmann::json::value_t::discarded;
    }
    if (!j.is_discarded() && j.is_object() && j.contains("objects") && j["objects"].is_array()) {
        for (auto& o : j["objects"])
            if (o.is_object() && o.contains("brep") && o["brep"].is_string()) o["check"] = host::partfile::solidCheck(o["brep"].get<std::string>());
        text = j.dump();
    }
    std::string path = fuzz::write("fuzz.prt", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    try {
        host::partfile::open(path);
    } catch (const host::HostError&) {
        if (!host::session().parts().empty()) __builtin_trap();  // a refused file leaves nothing behind
    }
    host::session().reset();
    return 0;
}
