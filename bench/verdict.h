// The verdict line every benchmark prints per target, which bench/run reads:
//
//     target NAME holds: what was measured (the target)
//     target NAME fails: what was measured (the target)
//
// A benchmark prints its figures, one such line per target, and exits
// non-zero when a target fails.
#pragma once

#include <cstdarg>
#include <cstdio>

// Prints the verdict line of target Name; returns Holds.
inline bool BenchVerdict(const char* Name, bool Holds, const char* Format, ...) {
    std::printf("target %s %s: ", Name, Holds ? "holds" : "fails");
    va_list args;
    va_start(args, Format);
    std::vprintf(Format, args);
    va_end(args);
    std::printf("\n");
    return Holds;
}
