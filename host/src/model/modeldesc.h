// Model descriptions (.json): bodies of stock, components and sheets, written out as part files.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace host::modeldesc {

// An error in a model description, with the line it was found on (1 when unknown).
struct ModelError : std::runtime_error {
    std::string file;
    int line;
    ModelError(std::string f, int l, const std::string& m) : std::runtime_error(m), file(std::move(f)), line(l) {}
};

// Writes the part files of the model at `modelPath` (on disk) into `outDir` (default: beside the model)
// and answers the top part's path. Part files there already are replaced only when `replace` is set;
// otherwise nothing is written. The session is left without the built parts unless `keepOpen` is set:
// then they stay open as saved, and bodies of one stock keep sharing their solid. Throws ModelError.
std::string build(const std::string& modelPath, const std::string& outDir = "", bool replace = false, bool keepOpen = false);

}  // namespace host::modeldesc
