// Shared set-up of the HTML label tests: the controls' test environment,
// shell calls recorded, pixels counted.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "foundation/shell_jobs.h"
#include "tests/framework/control_test_support.h"
#include "tests/framework/gui_counters.h"

// Records ShellOpen and OpenFolderAndSelect instead of launching anything.
class ShellRecorder {
public:
    ShellRecorder() {
        SetShellExecutor([this](const std::string& verb, const std::string& file, int show) -> intptr_t {
            std::lock_guard<std::mutex> lock(mutex_);
            opened_.push_back(verb + "|" + file + "|" + std::to_string(show));
            return 42;
        });
        SetFolderSelector([this](const std::string& path) {
            std::lock_guard<std::mutex> lock(mutex_);
            selected_.push_back(path);
            return true;
        });
    }
    ~ShellRecorder() {
        ShellJobPoolShutdown();
        SetShellExecutor({});
        SetFolderSelector({});
    }
    // Waits for the shell jobs, then returns "verb|file|show" per call.
    std::vector<std::string> Opened() {
        ShellJobPoolShutdown();
        std::lock_guard<std::mutex> lock(mutex_);
        return opened_;
    }
    std::vector<std::string> Selected() {
        std::lock_guard<std::mutex> lock(mutex_);
        return selected_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> opened_, selected_;
};

inline int CountPixels(TBitmap& bmp, uint32_t rgb) {
    GdiFlush();
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if ((bmp.ScanLine(y)[x] & 0xFFFFFF) == rgb) ++n;
    return n;
}

inline int ProcessGdiObjects() { return gui_counters::GdiObjects(); }
