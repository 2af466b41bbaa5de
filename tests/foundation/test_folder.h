// A fresh folder below the system temporary folder for each test, removed
// with everything in it afterwards, whole-file helpers and, on Windows, a
// file held open as another program might hold it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
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

#ifdef _WIN32
#include <windows.h>

// No sharing unless share says so; reset() lets go.
using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;

inline HeldFile HoldOpen(const std::string& name, DWORD access = GENERIC_READ, DWORD share = 0) {
    HANDLE h = CreateFileA(name.c_str(), access, share, nullptr, OPEN_ALWAYS, 0, nullptr);
    return HeldFile(h == INVALID_HANDLE_VALUE ? nullptr : h, &CloseHandle);
}
#endif
