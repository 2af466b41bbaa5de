// File copy that waits for a destination held open by another program.
#pragma once

#include <functional>
#include <string>

// Copies Source to Dest: creates Dest's folder, opens Source for reading with
// sharing allowed and makes up to 10 attempts to create Dest and copy into it
// in blocks of 61,440 bytes, pausing 100, 200, ... 900 ms between them. A
// failed attempt deletes the Dest it created. Source and Dest naming the same
// file (also through other spellings or links) gives False and leaves the
// file alone.
bool CopyFileSafe(const std::string& Source, const std::string& Dest);
// The same as CopyFileSafe.
bool CopyFileTo(const std::string& Source, const std::string& Dest);

// The pause between attempts; replaceable so that tests need not wait.
// An empty function restores the system's Sleep. Returns the previous one.
using TCopyPauseFunction = std::function<void(unsigned Milliseconds)>;
TCopyPauseFunction SetCopyPauseFunction(TCopyPauseFunction Pause);

// Writes one block to the destination handle; True when all of it was
// written. Replaceable so that tests can make an attempt fail half-way.
// An empty function restores WriteFile. Returns the previous one.
using TCopyWriteFunction = std::function<bool(void* File, const char* Data, unsigned long Size)>;
TCopyWriteFunction SetCopyWriteFunction(TCopyWriteFunction Write);

// True when both names resolve to the same file: equal full paths (case
// ignored), or, when both exist, the same volume and file index.
bool SameFile(const std::string& Name1, const std::string& Name2);
