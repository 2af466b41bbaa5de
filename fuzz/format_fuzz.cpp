// Format and the number conversions: any format text with any arguments ends
// in a text or EConvertError; every number text that converts writes back a
// text that converts to the same number.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "fuzz/fuzz_support.h"

namespace {

int64_t Integer(FuzzedDataProvider& in) {
    // Edges more often than chance would pick them.
    switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return std::numeric_limits<int32_t>::min() + in.ConsumeIntegralInRange<int>(0, 2);
        case 1: return std::numeric_limits<int32_t>::max() - in.ConsumeIntegralInRange<int>(0, 2);
        case 2: return std::numeric_limits<int64_t>::min() + in.ConsumeIntegralInRange<int>(0, 2);
        case 3: return in.ConsumeIntegralInRange<int64_t>(-1000, 1000);
        default: return in.ConsumeIntegral<int64_t>();
    }
}

FormatArg Argument(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
        case 0: return FormatArg(static_cast<int>(Integer(in)));
        case 1: return FormatArg(Integer(in));
        case 2: return FormatArg(static_cast<uint64_t>(Integer(in)));
        case 3: return FormatArg(in.ConsumeFloatingPoint<double>());
        case 4: return FormatArg(in.ConsumeRandomLengthString(16));
        case 5: return FormatArg(in.ConsumeIntegral<char>());
        default: return FormatArg(static_cast<const void*>(nullptr));
    }
}

void CheckFormat(FuzzedDataProvider& in) {
    const std::string fmt = in.ConsumeRandomLengthString(64);
    std::vector<FormatArg> a;
    for (int i = 0; i < 6; ++i) a.push_back(Argument(in));
    try {
        const std::string out = Format(fmt, {a[0], a[1], a[2], a[3], a[4], a[5]});
        (void)out;
    } catch (const EConvertError&) {
    }
}

void CheckIntegers(const std::string& text) {
    int64_t v = 0;
    const bool ok = TryStrToInt64(text, v);
    bool raised = false;
    try {
        FUZZ_CHECK(StrToInt64(text) == v);
    } catch (const EConvertError&) {
        raised = true;
    }
    FUZZ_CHECK(ok != raised);
    if (ok) {
        int64_t back = 0;
        FUZZ_CHECK(TryStrToInt64(IntToStr(v), back) && back == v);
        if (v >= 0) FUZZ_CHECK(TryStrToInt64("$" + IntToHex(v, 0), back) && back == v);
    }
    int small = 0;
    FUZZ_CHECK(TryStrToInt(text, small) == (ok && v >= INT32_MIN && v <= INT32_MAX));
}

void CheckFloats(const std::string& text) {
    double v = 0;
    // Fifteen digits of a value next to the largest double round beyond it.
    if (!TryStrToFloat(text, v) || std::fabs(v) > 1e308) return;
    const std::string shown = FloatToStr(v);
    double back = 0;
    FUZZ_CHECK(TryStrToFloat(shown, back));
    FUZZ_CHECK(FloatToStr(back) == shown);
}

void CheckFloatTexts(FuzzedDataProvider& in) {
    const double v = in.ConsumeFloatingPoint<double>();
    const auto kind = static_cast<TFloatFormat>(in.ConsumeIntegralInRange<int>(0, 4));
    const int precision = in.ConsumeIntegralInRange<int>(-5, 40);
    const int digits = in.ConsumeIntegralInRange<int>(-5, 40);
    (void)FloatToStrF(v, kind, precision, digits);
    (void)FormatFloat(in.ConsumeRandomLengthString(32), v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider in(Data, Size);
    const std::string number = in.ConsumeRandomLengthString(40);
    CheckIntegers(number);
    for (char sep : {',', '.'}) {
        FormatSettings.DecimalSeparator = sep;
        CheckFloats(number);
    }
    FormatSettings.DecimalSeparator = ',';
    CheckFloatTexts(in);
    CheckFormat(in);
    return 0;
}
