// CP1252 <-> UTF-16 code units: every byte string comes back from a round
// trip unchanged; a wide string narrows to one byte per unit, the unit's own
// byte where CP1252 has it and "?" where it has none.
// Input: the first byte chooses how the rest is read: as bytes, or as wide
// units of 2 bytes (UTF-16 LE) or, where wchar_t has room, of 4 bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "framework/cp1252.h"
#include "fuzz/fuzz_support.h"

namespace {

// The byte for unit u, or -1 when CP1252 has none.
int ByteOf(wchar_t u) {
    for (int b = 0; b < 256; ++b)
        if (Cp1252ToWide(static_cast<unsigned char>(b)) == u) return b;
    return -1;
}

void CheckBytes(const std::string& bytes) {
    const std::wstring wide = WidenCp1252(bytes);
    FUZZ_CHECK(wide.size() == bytes.size());
    FUZZ_CHECK(NarrowCp1252(wide) == bytes);
    for (size_t i = 0; i < bytes.size(); ++i)
        FUZZ_CHECK(wide[i] == Cp1252ToWide(static_cast<unsigned char>(bytes[i])) && wide[i] <= 0xFFFF);
}

void CheckWide(const std::wstring& wide) {
    const std::string narrow = NarrowCp1252(wide);
    FUZZ_CHECK(narrow.size() == wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const int b = ByteOf(wide[i]);
        FUZZ_CHECK(static_cast<unsigned char>(narrow[i]) == (b < 0 ? '?' : b));
    }
    // Narrowed once, the text is CP1252 and stays as it is.
    FUZZ_CHECK(NarrowCp1252(WidenCp1252(narrow)) == narrow);
}

template <class Unit>
std::wstring Units(const uint8_t* data, size_t size) {
    std::wstring out;
    for (size_t i = 0; i + sizeof(Unit) <= size; i += sizeof(Unit)) {
        Unit u;
        std::memcpy(&u, data + i, sizeof(Unit));
        out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const uint8_t* rest = Data + 1;
    const size_t n = Size - 1;
    switch (Data[0] % 3) {
        case 0: CheckBytes(std::string(reinterpret_cast<const char*>(rest), n)); break;
        case 1: CheckWide(Units<uint16_t>(rest, n)); break;
        default:
            if constexpr (sizeof(wchar_t) >= 4) CheckWide(Units<uint32_t>(rest, n));
            break;
    }
    return 0;
}
