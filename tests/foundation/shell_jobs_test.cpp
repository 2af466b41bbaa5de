#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "foundation/shell_jobs.h"

namespace {

struct Call {
    std::string verb, file;
    int show;
    std::thread::id thread;
    HRESULT comProbe;
};

// Stands in for the shell: records calls, can hold them until the gate opens.
class ShellJobsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetShellExecutor([this](const std::string& verb, const std::string& file, int show) {
            // S_FALSE: this thread already is a single-threaded apartment.
            const HRESULT probe = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(probe)) CoUninitialize();
            std::unique_lock<std::mutex> lock(mutex);
            calls.push_back({verb, file, show, std::this_thread::get_id(), probe});
            maxRunning = std::max(maxRunning, ++running);
            changed.notify_all();
            changed.wait(lock, [this] { return gateOpen; });
            --running;
            if (file == "throw") throw std::runtime_error("shell failed");
            return executorResult;
        });
        SetFolderSelector([this](const std::string& path) {
            std::lock_guard<std::mutex> lock(mutex);
            selected.push_back(path);
            return selectorResult;
        });
    }
    void TearDown() override {
        OpenGate();
        ShellJobPoolShutdown();
        SetShellExecutor({});
        SetFolderSelector({});
    }
    void OpenGate() {
        std::lock_guard<std::mutex> lock(mutex);
        gateOpen = true;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Call> calls;
    std::vector<std::string> selected;
    int running = 0;
    int maxRunning = 0;
    bool gateOpen = true;
    intptr_t executorResult = 42;
    bool selectorResult = false;
};

}  // namespace

TEST_F(ShellJobsTest, ReturnsAtOnceAtMostFiveComWorkersAndShutdownRunsTheQueue) {
    ShellJobPoolStartup();
    gateOpen = false;  // every call is held, yet ShellOpen must return
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ShellOpen("open", "\"C:\\Daten\\B " + std::to_string(i) + "\"", 1), 0);
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(20), [&] { return running >= 5; }));
    }
    OpenGate();
    ShellJobPoolShutdown();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(maxRunning, 5);
    std::set<std::thread::id> threads;
    std::set<std::string> files;
    for (const Call& c : calls) {
        threads.insert(c.thread);
        files.insert(c.file);
        EXPECT_EQ(c.verb, "open");
        EXPECT_EQ(c.show, 1);
        EXPECT_NE(c.thread, std::this_thread::get_id());
        EXPECT_EQ(c.comProbe, S_FALSE);
    }
    EXPECT_LE(threads.size(), 5u);
    EXPECT_EQ(files.size(), 8u);

    // A failing job does not stop the pool; shutting down twice is harmless
    // and a later call starts a new pool.
    ShellOpen("open", "throw", 1);
    ShellOpen("print", "after", 0);
    ShellJobPoolShutdown();
    ShellJobPoolShutdown();
    ShellOpen("print", "again", 0);
    ShellJobPoolShutdown();
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls[10].file, "again");
}

TEST_F(ShellJobsTest, OpenFolderAndSelectFallsBackToOpeningTheFolder) {
    EXPECT_FALSE(OpenFolderAndSelect(""));
    selectorResult = true;
    EXPECT_TRUE(OpenFolderAndSelect("C:\\Daten\\a.txt"));
    EXPECT_EQ(selected, (std::vector<std::string>{"C:\\Daten\\a.txt"}));
    EXPECT_TRUE(calls.empty());

    selectorResult = false;
    EXPECT_TRUE(OpenFolderAndSelect("C:\\Daten\\a.txt"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].verb, "open");
    EXPECT_EQ(calls[0].file, "C:\\Daten");
    EXPECT_EQ(calls[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(calls[0].thread, std::this_thread::get_id());  // synchronous: the result is needed
    executorResult = 2;  // ERROR_FILE_NOT_FOUND from the shell
    EXPECT_FALSE(OpenFolderAndSelect("C:\\Fehlt\\a.txt"));
    EXPECT_EQ(calls.size(), 2u);
}
