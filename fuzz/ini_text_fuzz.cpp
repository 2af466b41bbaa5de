// INI text: any text reads without harm, writes back unchanged, and a value
// written under any section and ident reads back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/ini_text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider in(Data, Size);
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string ident = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(48);
    const std::string text = in.ConsumeRemainingBytesAsString();

    TIniText ini;
    ini.SetText(text);
    const std::string stored = ini.Text();
    TIniText again;
    again.SetText(stored);
    FUZZ_CHECK(again.Text() == stored);
    FUZZ_CHECK(!again.Modified());

    std::string raw;
    const bool exists = ini.FindStored(section, ident, raw);
    FUZZ_CHECK(exists == ini.ValueExists(section, ident));
    FUZZ_CHECK(ini.ReadString(section, ident, "\x01") == (exists ? IniValueText(raw) : "\x01"));

    if (ini.WriteString(section, ident, value)) {
        FUZZ_CHECK(ini.FindStored(section, ident, raw));
        FUZZ_CHECK(raw == value);
        FUZZ_CHECK(ini.ReadString(section, ident, "") == IniValueText(value));
        // A second write of the same value changes nothing.
        const std::string written = ini.Text();
        ini.ClearModified();
        FUZZ_CHECK(ini.WriteString(section, ident, value));
        FUZZ_CHECK(!ini.Modified() && ini.Text() == written);
        // The text written reads back the same.
        TIniText reread;
        reread.SetText(written);
        FUZZ_CHECK(reread.FindStored(section, ident, raw) && raw == value);
    }

    // Quoting round trip.
    FUZZ_CHECK(IniUnquote(IniQuote(value)) == value);
    return 0;
}
