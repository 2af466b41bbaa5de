// Opening files, folders and addresses for the user through the shell,
// without blocking the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The shell-job pool: up to 5 worker threads, each with COM initialised as a
// single-threaded apartment. ShellOpen starts the pool when needed;
// ShellJobPoolShutdown runs the queued jobs to their end and waits for the
// workers (call it before the program ends).
void ShellJobPoolStartup();
void ShellJobPoolShutdown();

// Opens FileName with Verb on a pool thread and returns 0 at once. A quoted
// FileName is accepted.
uint8_t ShellOpen(const std::string& Verb, const std::string& FileName, int ShowCmd);

// Opens an Explorer window on the folder of Path with Path selected; where the
// system cannot select, opens the folder itself. True on success.
bool OpenFolderAndSelect(const std::string& Path);

// Replaceable steps, so that tests launch nothing. An empty function restores
// the system's; each setter returns the previous function.
// Runs Verb on FileName; returns the shell's result (above 32 is success).
using TShellExecutor = std::function<intptr_t(const std::string& Verb, const std::string& FileName, int ShowCmd)>;
TShellExecutor SetShellExecutor(TShellExecutor Executor);
// Shows Path selected in its folder; True on success.
using TFolderSelector = std::function<bool(const std::string& Path)>;
TFolderSelector SetFolderSelector(TFolderSelector Selector);
