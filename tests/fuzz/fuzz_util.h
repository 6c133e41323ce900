// What every fuzz target shares: a scratch folder on a memory file system and a quiet session.
#pragma once
#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include "model/session.h"

namespace fuzz {

inline std::filesystem::path scratch() {
    static std::filesystem::path dir = [] {
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        auto d = base / ("vorta-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::string write(const std::string& name, const uint8_t* data, size_t size) {
    std::string path = (scratch() / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline void quiet() {
    host::Session& s = host::session();
    s.reset();
    s.transcript = nullptr;
}

}  // namespace fuzz
