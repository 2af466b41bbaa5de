// A fresh folder below the system temporary folder for each test, removed
// with everything in it afterwards, and whole-file helpers.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TestFolder {
public:
    TestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::temp_directory_path() /
                  ("fnd_" + std::string(info->name()) + "_" + std::to_string(stamp));
        std::filesystem::create_directories(folder_);
        path_ = folder_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder, ending with the path delimiter.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

// Whole content of a file ("" when it cannot be read).
inline std::string ReadWholeFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool WriteWholeFile(const std::string& name, const std::string& content) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(content.data(), static_cast<std::streamsize>(content.size())).flush());
}

inline bool PathExists(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::exists(name, ignored);
}
