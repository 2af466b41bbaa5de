#include "foundation/string_hash.h"

uint32_t StringHash(std::string_view Text) {
    uint32_t h = 0;
    for (unsigned char c : Text) {
        h = (h << 4) + c;
        const uint32_t g = h & 0xF0000000u;
        if (g != 0) h ^= g >> 24;
        h &= ~g;
    }
    return h;
}
