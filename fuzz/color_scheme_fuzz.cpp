// Colour-scheme choice: any "SHEMA.INI" text and any file names give an
// index inside the list, never the entry of an empty name for an empty value,
// and a name that is a part of its file name.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dialogs/color_scheme_rules.h"
#include "foundation/ini_text.h"
#include "framework/strings.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider in(Data, Size);
    TStringList list;
    list.Add(kNoColorScheme);
    const int files = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < files; ++i) {
        const std::string file = in.ConsumeRandomLengthString(40);
        const std::string name = ColorSchemeNameOf(file);
        FUZZ_CHECK(name.empty() || (file.size() == name.size() + 15 && file.compare(11, name.size(), name) == 0));
        list.Add(name);
    }
    TIniText ini;
    ini.SetText(in.ConsumeRemainingBytesAsString());
    const std::string value = ini.ReadString(kColorSchemeSection, kColorSchemeIdent, "");
    const int index = ColorSchemeIndexOf(list, value);
    FUZZ_CHECK(index >= 0 && index < list.Count());
    if (value.empty()) FUZZ_CHECK(index == 0);
    if (index > 0) FUZZ_CHECK(list.IndexOf(value) == index);
    return 0;
}
