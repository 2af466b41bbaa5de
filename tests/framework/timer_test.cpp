// TTimer on the utility window and the callback exception guard.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/callback_guard.h"
#include "framework/exceptions.h"
#include "framework/timer.h"
#include "framework/utility_window.h"

namespace {

// Pumps messages until pred() holds or a generous deadline passes.
template <class Pred>
bool PumpUntil(Pred pred, DWORD limitMs = 10000) {
    DWORD start = GetTickCount();
    while (!pred()) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (pred()) return true;
        }
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string caught_message;
int caught_count = 0;

void RecordingHandler() {
    ++caught_count;
    try {
        throw;
    } catch (const Exception& e) {
        caught_message = e.Message();
    } catch (const std::exception& e) {
        caught_message = std::string("std: ") + e.what();
    }
}

// The handler the application installed is put back after each test, so
// later tests in the same program still see their exceptions.
class TimerTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetCallbackExceptionHandler(saved_);
        ShutdownUtilityWindow();
    }
    CallbackExceptionHandler saved_ = GetCallbackExceptionHandler();
};

}  // namespace

TEST_F(TimerTest, Firing) {
    TTimer* timer = Create<TTimer>(nullptr);
    int fired = 0;
    TObject* sender = nullptr;
    timer->OnTimer = [&](TObject* s) {
        ++fired;
        sender = s;
    };
    timer->SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return fired >= 3; }));
    EXPECT_EQ(sender, timer);
    timer->Free();
    EXPECT_EQ(UtilityTimerCount(), 0);
}

TEST_F(TimerTest, DisabledOrZeroIntervalNeverFires) {
    TTimer* running = Create<TTimer>(nullptr);
    TTimer* disabled = Create<TTimer>(nullptr);
    TTimer* zero = Create<TTimer>(nullptr);
    int runningFired = 0, otherFired = 0;
    running->OnTimer = [&](TObject*) { ++runningFired; };
    disabled->OnTimer = [&](TObject*) { ++otherFired; };
    zero->OnTimer = [&](TObject*) { ++otherFired; };
    disabled->SetInterval(5);
    disabled->SetEnabled(false);
    zero->SetInterval(0);
    EXPECT_FALSE(disabled->Running());
    EXPECT_FALSE(zero->Running());
    running->SetInterval(15);
    EXPECT_TRUE(PumpUntil([&] { return runningFired >= 5; }));
    EXPECT_EQ(otherFired, 0);

    // Disabled from inside its own handler: no further calls.
    int stopped = 0;
    running->OnTimer = [&](TObject* s) {
        ++stopped;
        static_cast<TTimer*>(s)->SetEnabled(false);
    };
    disabled->SetEnabled(true);
    int again = 0;
    disabled->OnTimer = [&](TObject*) { ++again; };
    EXPECT_TRUE(PumpUntil([&] { return stopped >= 1 && again >= 5; }));
    EXPECT_EQ(stopped, 1);
    running->Free();
    disabled->Free();
    zero->Free();
}

TEST_F(TimerTest, ExceptionInOnTimerReachesTheInstalledHandler) {
    caught_count = 0;
    caught_message.clear();
    SetCallbackExceptionHandler(RecordingHandler);
    TTimer* timer = Create<TTimer>(nullptr);
    timer->SetInterval(10);
    timer->OnTimer = [](TObject*) { throw EInvalidOperation("Zeitgeber fehlgeschlagen: äöü"); };
    EXPECT_TRUE(PumpUntil([&] { return caught_count >= 2; }));
    EXPECT_EQ(caught_message, "Zeitgeber fehlgeschlagen: äöü");
    timer->OnTimer = [](TObject*) { throw std::runtime_error("roh"); };
    EXPECT_TRUE(PumpUntil([&] { return caught_message == "std: roh"; }));
    timer->Free();
}

TEST_F(TimerTest, TimerFreedInsideItsOwnHandler) {
    TTimer* timer = Create<TTimer>(nullptr);
    timer->SetInterval(10);
    bool freed = false;
    timer->OnTimer = [&](TObject* s) {
        static_cast<TTimer*>(s)->Free();
        freed = true;
    };
    EXPECT_TRUE(PumpUntil([&] { return freed; }));
    EXPECT_EQ(UtilityTimerCount(), 0);
}

TEST_F(TimerTest, OwnerFreesTimerAndShutdownStopsTimers) {
    TComponent* owner = Create<TComponent>(nullptr);
    TTimer* timer = Create<TTimer>(owner);
    timer->SetInterval(20);
    TTimer* other = Create<TTimer>(nullptr);
    EXPECT_EQ(UtilityTimerCount(), 2);
    owner->Free();
    EXPECT_EQ(UtilityTimerCount(), 1);

    ASSERT_TRUE(UtilityWindowAllocated());
    HWND hwnd = UtilityWindow();
    ShutdownUtilityWindow();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(UtilityTimerCount(), 0);
    EXPECT_FALSE(other->Running());
    // Re-enabling after a shut-down creates the window again.
    int fired = 0;
    other->OnTimer = [&](TObject*) { ++fired; };
    other->SetEnabled(false);
    other->SetInterval(10);
    other->SetEnabled(true);
    EXPECT_TRUE(other->Running());
    EXPECT_TRUE(PumpUntil([&] { return fired >= 1; }));
    other->Free();
}

TEST(CallbackGuard, DefaultHandlerSwallowsAndReports) {
    const CallbackExceptionHandler saved = GetCallbackExceptionHandler();
    SetCallbackExceptionHandler(nullptr);
    EXPECT_FALSE(GuardCallback([] { throw std::logic_error("x"); }));
    EXPECT_FALSE(GuardCallback([] { throw 42; }));
    EXPECT_TRUE(GuardCallback([] {}));
    // A throwing handler is contained as well.
    SetCallbackExceptionHandler([] { throw std::runtime_error("handler"); });
    EXPECT_FALSE(GuardCallback([] { throw 1; }));
    SetCallbackExceptionHandler(nullptr);
    EXPECT_EQ(GetCallbackExceptionHandler(), nullptr);
    SetCallbackExceptionHandler(saved);
}
