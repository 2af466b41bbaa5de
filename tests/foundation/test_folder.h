// A fresh folder below the system temporary folder for each test, removed
// with everything in it afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class TestFolder {
public:
    TestFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof(temp), temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string(temp) + "fnd_" + info->test_suite_name() + "_" + info->name() + "_" +
                std::to_string(GetCurrentProcessId());
        Remove(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
        path_ += "\\";
    }
    ~TestFolder() { Remove(path_.substr(0, path_.size() - 1)); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder, ending with "\".
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

    static void Remove(const std::string& path) {
        const DWORD attr = GetFileAttributesA(path.c_str());
        if (attr == INVALID_FILE_ATTRIBUTES) return;
        if (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileA(path.c_str());
            return;
        }
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..") Remove(path + "\\" + name);
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(path.c_str());
    }

private:
    std::string path_;
};

// Whole content of a file ("" when it cannot be read).
inline std::string ReadWholeFile(const std::string& name) {
    std::string out;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

inline bool WriteWholeFile(const std::string& name, const std::string& content) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    CloseHandle(h);
    return ok;
}

inline bool PathExists(const std::string& name) {
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}
