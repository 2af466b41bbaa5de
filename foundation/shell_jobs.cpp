#include "foundation/shell_jobs.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "foundation/path_text.h"

namespace {

constexpr size_t kMaxWorkers = 5;

// --- replaceable steps ---

std::mutex& SeamLock() {
    static std::mutex m;
    return m;
}
TShellExecutor& ExecutorSlot() {
    static TShellExecutor f;
    return f;
}
TFolderSelector& SelectorSlot() {
    static TFolderSelector f;
    return f;
}

std::string Unquoted(const std::string& Name) {
    if (Name.size() >= 2 && Name.front() == '"' && Name.back() == '"') return Name.substr(1, Name.size() - 2);
    return Name;
}

intptr_t SystemShellExecute(const std::string& Verb, const std::string& FileName, int ShowCmd) {
    const std::string file = Unquoted(FileName);
    HINSTANCE r = ShellExecuteA(nullptr, Verb.empty() ? nullptr : Verb.c_str(), file.c_str(), nullptr,
                                nullptr, ShowCmd);
    return reinterpret_cast<intptr_t>(r);
}

struct TItemIdList {
    PIDLIST_ABSOLUTE pidl = nullptr;
    TItemIdList() = default;
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;
    ~TItemIdList() {
        if (pidl) CoTaskMemFree(pidl);
    }
};

// COM for the calling thread, unless it already has another apartment.
struct TComScope {
    bool owned = false;
    TComScope() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        owned = SUCCEEDED(hr);
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;
    ~TComScope() {
        if (owned) CoUninitialize();
    }
};

bool SystemSelectInFolder(const std::string& Path) {
    // Looked up at run time: older systems (and some Wine versions) lack it.
    using TSelect = HRESULT(WINAPI*)(PCIDLIST_ABSOLUTE, UINT, PCUITEMID_CHILD_ARRAY, DWORD);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (!shell) return false;
    auto select = reinterpret_cast<TSelect>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHOpenFolderAndSelectItems")));
    if (!select) return false;
    TComScope com;
    const int n = MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, wide.data(), n);
    TItemIdList item;
    if (FAILED(SHParseDisplayName(wide.c_str(), nullptr, &item.pidl, 0, nullptr)) || !item.pidl) return false;
    return SUCCEEDED(select(item.pidl, 0, nullptr, 0));
}

intptr_t RunShellExecutor(const std::string& Verb, const std::string& FileName, int ShowCmd) {
    TShellExecutor f;
    {
        std::lock_guard<std::mutex> lock(SeamLock());
        f = ExecutorSlot();
    }
    return f ? f(Verb, FileName, ShowCmd) : SystemShellExecute(Verb, FileName, ShowCmd);
}

bool RunFolderSelector(const std::string& Path) {
    TFolderSelector f;
    {
        std::lock_guard<std::mutex> lock(SeamLock());
        f = SelectorSlot();
    }
    return f ? f(Path) : SystemSelectInFolder(Path);
}

// --- the pool ---

class TShellJobPool {
public:
    TShellJobPool() = default;
    TShellJobPool(const TShellJobPool&) = delete;
    TShellJobPool& operator=(const TShellJobPool&) = delete;
    ~TShellJobPool() { Shutdown(); }

    void Post(std::function<void()> Job) {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(Job));
        if (idle_ < jobs_.size() && workers_.size() < kMaxWorkers) {
            try {
                workers_.emplace_back([this] { WorkerLoop(); });
            } catch (...) {
                // The running workers take the job; with none, it is dropped.
                if (workers_.empty()) jobs_.pop_back();
                throw;
            }
        }
        wake_.notify_one();
    }

    // Lets the queued jobs finish, then joins the workers.
    void Shutdown() {
        std::vector<std::thread> workers;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            workers.swap(workers_);
        }
        wake_.notify_all();
        for (std::thread& t : workers) t.join();
    }

private:
    void WorkerLoop() {
        TComScope com;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            ++idle_;
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            --idle_;
            if (jobs_.empty()) return;  // stopping and nothing left
            std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            try {
                job();
            } catch (...) {
                // A failed shell job has nobody to report to.
            }
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> workers_;
    size_t idle_ = 0;
    bool stopping_ = false;
};

std::mutex& PoolLock() {
    static std::mutex m;
    return m;
}
// A pool left running at exit is not joined from a static destructor; the
// process end stops its threads.
TShellJobPool*& PoolSlot() {
    static TShellJobPool* pool = nullptr;
    return pool;
}

}  // namespace

void ShellJobPoolStartup() {
    std::lock_guard<std::mutex> lock(PoolLock());
    if (!PoolSlot()) PoolSlot() = new TShellJobPool;
}

void ShellJobPoolShutdown() {
    std::unique_ptr<TShellJobPool> pool;
    {
        std::lock_guard<std::mutex> lock(PoolLock());
        pool.reset(PoolSlot());
        PoolSlot() = nullptr;
    }
    if (pool) pool->Shutdown();
}

uint8_t ShellOpen(const std::string& Verb, const std::string& FileName, int ShowCmd) {
    try {
        std::lock_guard<std::mutex> lock(PoolLock());
        if (!PoolSlot()) PoolSlot() = new TShellJobPool;
        PoolSlot()->Post([Verb, FileName, ShowCmd] { RunShellExecutor(Verb, FileName, ShowCmd); });
    } catch (...) {
        // No thread or memory: the request is dropped like a failed shell call.
    }
    return 0;
}

bool OpenFolderAndSelect(const std::string& Path) {
    if (Path.empty()) return false;
    if (RunFolderSelector(Path)) return true;
    const std::string folder = ExtractFileDir(Path);
    if (folder.empty()) return false;
    return RunShellExecutor("open", folder, SW_SHOWNORMAL) > 32;
}

TShellExecutor SetShellExecutor(TShellExecutor Executor) {
    std::lock_guard<std::mutex> lock(SeamLock());
    TShellExecutor previous = std::move(ExecutorSlot());
    ExecutorSlot() = std::move(Executor);
    return previous;
}

TFolderSelector SetFolderSelector(TFolderSelector Selector) {
    std::lock_guard<std::mutex> lock(SeamLock());
    TFolderSelector previous = std::move(SelectorSlot());
    SelectorSlot() = std::move(Selector);
    return previous;
}
