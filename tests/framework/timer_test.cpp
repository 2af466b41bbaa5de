// TTimer on the utility window and the callback exception guard.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/callback_guard.h"
#include "framework/exceptions.h"
#include "framework/timer.h"
#include "framework/utility_window.h"
#include "tests/framework/control_test_support.h"

namespace {

std::string caught_message;  // of the last exception the handler saw
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

TEST_F(TimerTest, FiresWithItselfAsSenderUnlessDisabledOrZero) {
    TTimer* running = Create<TTimer>(nullptr);
    TTimer* disabled = Create<TTimer>(nullptr);
    TTimer* zero = Create<TTimer>(nullptr);
    int runningFired = 0, otherFired = 0;
    running->OnTimer = [&](TObject* sender) { runningFired += sender == running; };
    disabled->OnTimer = [&](TObject*) { ++otherFired; };
    zero->OnTimer = [&](TObject*) { ++otherFired; };
    disabled->SetInterval(5);
    disabled->SetEnabled(false);
    zero->SetInterval(0);
    EXPECT_FALSE(disabled->Running());
    EXPECT_FALSE(zero->Running());
    running->SetInterval(15);
    EXPECT_TRUE(WaitUntil([&] { return runningFired >= 5; }));
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
    EXPECT_TRUE(WaitUntil([&] { return stopped >= 1 && again >= 5; }));
    EXPECT_EQ(stopped, 1);
    running->Free();
    disabled->Free();
    zero->Free();
}

TEST_F(TimerTest, ExceptionsReachTheInstalledHandlerOrTheDefaultOneSwallowsThem) {
    SetCallbackExceptionHandler(RecordingHandler);
    TTimer* timer = Create<TTimer>(nullptr);
    timer->SetInterval(10);
    timer->OnTimer = [](TObject*) { throw EInvalidOperation("Zeitgeber fehlgeschlagen: äöü"); };
    EXPECT_TRUE(WaitUntil([&] { return caught_count >= 2; }));
    EXPECT_EQ(caught_message, "Zeitgeber fehlgeschlagen: äöü");
    timer->OnTimer = [](TObject*) { throw std::runtime_error("roh"); };
    EXPECT_TRUE(WaitUntil([&] { return caught_message == "std: roh"; }));
    timer->Free();
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

// A timer may free itself in its handler; an owner frees its timers;
// shutting down stops the rest.
TEST_F(TimerTest, FreedInItsHandlerOrByTheOwnerAndShutdownStopsTimers) {
    TTimer* self = Create<TTimer>(nullptr);
    self->SetInterval(10);
    bool freed = false;
    self->OnTimer = [&](TObject* s) { static_cast<TTimer*>(s)->Free(), freed = true; };
    EXPECT_TRUE(WaitUntil([&] { return freed; }));
    EXPECT_EQ(UtilityTimerCount(), 0);
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
    EXPECT_TRUE(WaitUntil([&] { return fired >= 1; }));
    other->Free();
}

