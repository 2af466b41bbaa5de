// The float edit's number rules over arbitrary texts and places: a
// normalised text is a number whose normalising changes nothing, a value
// written as text parses back to the value that writes the same text, an
// accepted text is written back as the same value, a paste holds no control
// characters and fits the field, and the generated masks compile to one
// position per digit and the separator.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/edits/float_rules.h"
#include "editors/tools/edit_mask.h"
#include "framework/sysutils.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    InitFormatSettings();
    if (data[0] & 0x80) FormatSettings.DecimalSeparator = '.';
    FloatFieldRules rules;
    rules.kind = static_cast<TEditDataType_>(data[0] % 3);
    rules.precision = static_cast<int>(data[1] % 12) - 1;
    rules.digits = static_cast<int>(data[2] % 22) - 1;
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    const std::string normal = NormalizeFloatText(text, rules);
    double value = 0;
    FUZZ_CHECK(TryStrToFloat(normal, value) && std::isfinite(value));
    FUZZ_CHECK(NormalizeFloatText(normal, rules) == normal);
    FUZZ_CHECK(FloatTextValue(text, rules) == value);

    std::string checked;
    if (CheckFloatText(text, rules, checked) == 0) {
        FUZZ_CHECK(checked == normal);
        // What the field writes for an accepted text is that value and passes
        // the check again: nothing accepted is ever shown as another number.
        const std::string shown = FloatValueText(value, rules);
        double again = 0;
        FUZZ_CHECK(TryStrToFloat(shown, again) && again == value);
        std::string rechecked;
        FUZZ_CHECK(CheckFloatText(shown, rules, rechecked) == 0);
    }

    const std::string written = FloatValueText(value, rules);
    double back = 0;
    FUZZ_CHECK(!written.empty());
    FUZZ_CHECK(TryStrToFloat(written, back) && std::isfinite(back));
    FUZZ_CHECK(FloatValueText(back, rules) == written);

    const std::string mask = FloatEditMask(rules.digits, rules.precision, FormatSettings.DecimalSeparator);
    TMaskPositions positions;
    CompileEditMask(mask, positions);
    if (rules.digits > 0 && rules.precision >= 1 && rules.digits > rules.precision)
        FUZZ_CHECK(positions.Count() == rules.digits + 1);
    else if (rules.digits > 0 && rules.precision < 1)
        FUZZ_CHECK(positions.Count() == rules.digits);

    const FloatCharSet allowed = FloatCharsForKind(rules.kind, FormatSettings.DecimalSeparator);

    const std::string pasted = PastedFloatText(text, rules);
    FUZZ_CHECK(static_cast<int>(pasted.size()) <= FloatTextCapacity(rules));
    for (char c : pasted) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32);
    const FloatLimitReading reading = ReadFloatLimitText(text, rules.kind, allowed);
    FUZZ_CHECK(!reading.valid || std::isfinite(reading.value));
    if (!text.empty()) {
        const int start = static_cast<int>(data[1]) - 3;
        const int length = static_cast<int>(data[2]) - 3;
        const FloatKeyDecision d = JudgeFloatKey(text.substr(1), start, length, text[0], rules, allowed);
        FUZZ_CHECK(d.verdict != FloatKeyVerdict::Pass || static_cast<unsigned char>(d.key) < 32 ||
                   allowed.test(static_cast<unsigned char>(d.key)));
    }
    InitFormatSettings();
    return 0;
}
