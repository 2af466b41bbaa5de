// `gallery.exe --positions FILE --save OUT` as the order import's stand-in
// is used: a child process that loads and saves the text without showing a
// window, with exit code 0 only when both worked, 1 on a failure and 2 on
// wrong arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grids/positions_text_fakes.h"

namespace {

std::string GalleryPath() {
    char self[MAX_PATH] = {};
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of("\\/") + 1) + "demo\\gallery.exe";
}

std::string TempFile(const char* Name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + Name;
}

struct VisibleWindowSearch {
    DWORD process;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND Window, LPARAM Param) {
    auto* search = reinterpret_cast<VisibleWindowSearch*>(Param);
    DWORD owner = 0;
    GetWindowThreadProcessId(Window, &owner);
    if (owner == search->process && IsWindowVisible(Window)) search->found = true;
    return TRUE;
}

struct ChildResult {
    DWORD exit_code = 0;
    bool ended = false;
    bool showed_window = false;
};

// Runs the gallery with Args; while it runs, looks for a visible top-level
// window of it. A child that does not end in time is stopped.
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
    for (int waited = 0; waited < 30000; waited += 20) {
        VisibleWindowSearch search{pi.dwProcessId, false};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        result.showed_window |= search.found;
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            result.ended = true;
            break;
        }
    }
    if (!result.ended) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &result.exit_code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

TEST(GalleryPositionsMode, SavesWithoutAWindowAndReportsFailuresInItsExitCode) {
    if (GetFileAttributesA(GalleryPath().c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "gallery.exe is not built next to the tests";
    const std::string fixture = positions_test::FixturePath("positions16.txt");
    const std::string out = TempFile("gallery-positions-out.txt");
    const std::string missing = TempFile("gallery-positions-missing.txt");
    struct Case {
        std::string args;
        DWORD exit_code;
        bool writes_copy;
    };
    const std::vector<Case> cases = {
        {"--positions \"" + fixture + "\" --save \"" + out + "\"", 0, true},
        {"--positions \"" + missing + "\" --save \"" + out + "\"", 1, false},
        {"--positions \"" + fixture + "\" --save \"" + TempFile("no-such-folder\\out.txt") + "\"", 1, false},
        {"--positions \"" + fixture + "\" --save", 2, false},
        {"--positions", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        DeleteFileA(out.c_str());
        const ChildResult r = RunGallery(c.args);
        EXPECT_TRUE(r.ended);
        EXPECT_FALSE(r.showed_window);
        EXPECT_EQ(r.exit_code, c.exit_code);
        if (c.writes_copy) {
            EXPECT_EQ(positions_test::LoadFixtureFrom(out), positions_test::Fixture16());
        }
    }
    DeleteFileA(out.c_str());
}

}  // namespace
