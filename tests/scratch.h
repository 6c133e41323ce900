// A fresh folder of its own for each test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <string>

// A fresh stand-in session on the build's installation folder, its transcript collected in `lines`.
#include <vector>
#include "model/session.h"
inline void freshSession(std::vector<std::string>& lines) {
    host::Session& s = host::session();
    s.reset();
    s.baseDir = std::string(VORTA_BINARY_DIR) + "/base";
    s.transcript = [&lines](const std::string& line) { lines.push_back(line); };
}

inline std::filesystem::path scratchDir(const std::string& prefix) {
    auto dir = std::filesystem::temp_directory_path() /
               (prefix + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
