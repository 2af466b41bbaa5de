// The 32-bit string hash used for generated file names.
#pragma once

#include <cstdint>
#include <string_view>

// ELF hash of the bytes: h = (h << 4) + c; the top nibble is folded back into
// bits 4..7 and cleared, so the result always fits in 28 bits (never negative
// as an int).
uint32_t StringHash(std::string_view Text);
