// A fresh folder of its own for each test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <string>

inline std::filesystem::path scratchDir(const std::string& prefix) {
    auto dir = std::filesystem::temp_directory_path() /
               (prefix + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
