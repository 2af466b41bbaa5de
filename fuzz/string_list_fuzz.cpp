// String-list text: lines (CR, LF, CR LF), comma text, name=value lines and
// loading from a stream. Every text read writes back a text that reads the
// same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/streams.h"
#include "framework/strings.h"
#include "fuzz/fuzz_support.h"

namespace {

bool SameItems(const TStrings& a, const TStrings& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);

    TStringList lines;
    lines.SetText(input);
    const std::string text = lines.Text();
    TStringList again;
    again.SetText(text);
    FUZZ_CHECK(SameItems(lines, again));
    FUZZ_CHECK(again.Text() == text);

    TStringStream stream(input);
    TStringList loaded;
    loaded.LoadFromStream(stream);
    FUZZ_CHECK(SameItems(lines, loaded));

    // Comma text: what one list writes, another reads back item for item.
    TStringList items;
    items.SetCommaText(input);
    const std::string comma = items.CommaText();
    TStringList itemsAgain;
    itemsAgain.SetCommaText(comma);
    FUZZ_CHECK(SameItems(items, itemsAgain));

    // Name=value lookups and a sorted copy find every line.
    for (int i = 0; i < lines.Count() && i < 64; ++i) {
        const std::string name = lines.Names(i);
        if (!name.empty()) FUZZ_CHECK(lines.IndexOfName(name) <= i);
        FUZZ_CHECK(lines.IndexOf(lines[i]) <= i);
    }
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Duplicates = TDuplicates::dupIgnore;
    sorted.SetText(input);
    for (int i = 0; i < lines.Count() && i < 64; ++i) {
        int at = -1;
        FUZZ_CHECK(sorted.Find(lines[i], at));
    }
    return 0;
}
