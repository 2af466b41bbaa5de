// `gallery.exe --positions FILE --save OUT`, the order import's stand-in, run
// as a child process: it loads and saves the text without showing a window,
// with exit code 0 only when both worked, 1 on a failure, 2 on wrong
// arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/grids/positions_text_fakes.h"

namespace {

std::string GalleryPath() {
    char self[MAX_PATH] = {};
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of("\\/") + 1) + "demo\\gallery.exe";
}

std::string TempFile(const char* Name) { return (std::filesystem::temp_directory_path() / Name).string(); }

struct ChildResult {
    DWORD exit_code = 0;
    bool ended = false;
    bool showed_window = false;
};

// Runs the gallery with Args, looking for a visible top-level window of it
// while it runs; a child that does not end in time is stopped.
ChildResult RunGallery(const std::string& Args) {
    ChildResult result;
    std::string command = "\"";
    command.append(GalleryPath()).append("\" ").append(Args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << command;
        return result;
    }
    struct Search {
        DWORD process;
        bool found;
    } search{pi.dwProcessId, false};
    for (int waited = 0; waited < 30000 && !result.ended; waited += 20) {
        EnumWindows(
            [](HWND Window, LPARAM Param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(Param);
                DWORD owner = 0;
                GetWindowThreadProcessId(Window, &owner);
                s->found |= owner == s->process && IsWindowVisible(Window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        result.ended = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
    }
    if (!result.ended) TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
    GetExitCodeProcess(pi.hProcess, &result.exit_code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    result.showed_window = search.found;
    return result;
}

TEST(GalleryPositionsMode, SavesWithoutAWindowAndReportsFailuresInItsExitCode) {
    if (GetFileAttributesA(GalleryPath().c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "gallery.exe is not built next to the tests";
    const std::string fixture = positions_test::FixturePath("positions16.txt");
    const std::string out = TempFile("gallery-positions-out.txt");
    const std::string missing = TempFile("gallery-positions-missing.txt");
    const std::pair<std::string, DWORD> cases[] = {
        {"--positions \"" + fixture + "\" --save \"" + out + "\"", 0},
        {"--positions \"" + missing + "\" --save \"" + out + "\"", 1},
        {"--positions \"" + fixture + "\" --save \"" + TempFile("no-such-folder\\out.txt") + "\"", 1},
        {"--positions \"" + fixture + "\" --save", 2},
        {"--positions", 2},
    };
    for (const auto& [args, exit_code] : cases) {
        SCOPED_TRACE(args);
        DeleteFileA(out.c_str());
        const ChildResult r = RunGallery(args);
        EXPECT_TRUE(r.ended);
        EXPECT_FALSE(r.showed_window);
        EXPECT_EQ(r.exit_code, exit_code);
        if (exit_code == 0) {
            EXPECT_EQ(positions_test::LoadFixtureFrom(out), positions_test::Fixture16());
        }
    }
    DeleteFileA(out.c_str());
}

}  // namespace
