// Text and value blocks of the clipboard formats, and the RTF writer: each
// reader gives exactly the block's text up to its cut, and the RTF written
// for a plain text reads back as that text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/cp1252.h"
#include "controls/dragdrop/drop_blocks.h"
#include "fuzz/fuzz_support.h"

namespace {

// The text of the RTF that PlainTextToRtf writes: its escapes undone, the
// \uN fallback byte checked against N. Empty with ok false when the RTF holds
// anything else.
std::string ReadBackRtf(const std::string& rtf, bool& ok) {
    static const std::string kHead = "{\\rtf1\\ansi {\\*\\generator Velmora}";
    ok = rtf.size() > kHead.size() && rtf.compare(0, kHead.size(), kHead) == 0 && rtf.back() == '}';
    std::string text;
    size_t i = kHead.size();
    const size_t end = rtf.size() - 1;
    while (ok && i < end) {
        const char c = rtf[i++];
        if (c == '{' || c == '}') {
            ok = false;  // every brace of the text is escaped
        } else if (c != '\\') {
            const auto u = static_cast<unsigned char>(c);
            ok = !((u >= 1 && u <= 31) || u >= 127);  // those are always written as escapes
            text.push_back(c);
        } else if (i < end && (rtf[i] == '{' || rtf[i] == '}' || rtf[i] == '\\')) {
            text.push_back(rtf[i++]);
        } else if (rtf.compare(i, 4, "tab ") == 0) {
            text.push_back('\t');
            i += 4;
        } else if (rtf.compare(i, 4, "par ") == 0) {
            text.push_back('\r');
            i += 4;
        } else if (i + 2 < end && rtf[i] == '\'') {
            const long v = std::strtol(rtf.substr(i + 1, 2).c_str(), nullptr, 16);
            text.push_back(static_cast<char>(v));
            i += 3;
        } else if (i < end && rtf[i] == 'u') {
            char* stop = nullptr;
            const long n = std::strtol(rtf.c_str() + i + 1, &stop, 10);
            i = static_cast<size_t>(stop - rtf.c_str());
            ok = i < end;
            if (!ok) break;
            const char fallback = rtf[i++];
            const long wide = static_cast<long>(Cp1252ToWide(static_cast<unsigned char>(fallback)));
            ok = static_cast<unsigned char>(fallback) > 127 && n == (wide > 32767 ? wide - 65536 : wide);
            text.push_back(fallback);
        } else {
            ok = false;
        }
    }
    return text;
}

bool StartsAsRtf(const std::string& s) {
    if (s.size() < 5) return false;
    std::string head = s.substr(0, 5);
    for (char& c : head)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return head == "{\\rtf";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::string text = dropblocks::ReadAnsiText(data, size, false);
    FUZZ_CHECK(text == all);
    const std::string cut = dropblocks::ReadAnsiText(data, size, true);
    FUZZ_CHECK(cut == all.substr(0, all.find('\0')));

    const std::wstring wide = dropblocks::ReadUnicodeText(data, size);
    FUZZ_CHECK(wide.size() <= size / 2);
    for (size_t i = 0; i < wide.size(); ++i)
        FUZZ_CHECK(wide[i] != 0 && static_cast<uint32_t>(wide[i]) == static_cast<uint32_t>(data[2 * i] | (data[2 * i + 1] << 8)));
    FUZZ_CHECK(wide.size() == size / 2 || (data[2 * wide.size()] | data[2 * wide.size() + 1]) == 0);

    const std::string list = dropblocks::ReadStringListText(data, size);
    FUZZ_CHECK(list == (size == 0 ? std::string() : all.substr(0, size - 1).substr(0, all.substr(0, size - 1).find('\0'))));

    uint32_t value = 0xA5A5A5A5u;
    const bool read = dropblocks::ReadDword(data, size, value);
    FUZZ_CHECK(read == (size >= 4));
    FUZZ_CHECK(value == (read ? (data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24))
                              : 0xA5A5A5A5u));

    const std::string rtf = dropblocks::PlainTextToRtf(text);
    if (StartsAsRtf(text)) {
        FUZZ_CHECK(rtf == text);
    } else {
        bool ok = false;
        FUZZ_CHECK(ReadBackRtf(rtf, ok) == text && ok);
    }
    return 0;
}
