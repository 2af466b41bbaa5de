// A hidden message-only window shared by the framework's timers.
//
// Created on first use; ShutdownUtilityWindow() (called by the application
// at shut-down) kills its timers and destroys it. Main thread only.
#pragma once

#include <windows.h>

#include <functional>

// The window, created (class registered) on first call.
HWND UtilityWindow();
// Kills every timer, destroys the window and unregisters its class.
void ShutdownUtilityWindow();
bool UtilityWindowAllocated();

using UtilityTimerCallback = std::function<void()>;
// Starts a timer on the utility window; returns its id (never 0), 0 on failure.
// The callback may kill its own timer or free the object owning it. Exceptions
// leaving the callback go to HandleCallbackException.
UINT_PTR StartUtilityTimer(UINT interval, UtilityTimerCallback callback);
// Stops a timer; pending WM_TIMER messages of it are not delivered.
void StopUtilityTimer(UINT_PTR id);
// True while the timer with this id is running.
bool UtilityTimerActive(UINT_PTR id);
int UtilityTimerCount();
