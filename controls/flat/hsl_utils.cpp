#include "controls/flat/hsl_utils.h"

#include "framework/rounding.h"

namespace {

// 255 * V rounded, kept to a byte: lightness or saturation beyond the
// range (a shifted lightness above 240, say) gives white or black, never a
// wrapped-around dark or light channel.
int ChannelValue(double V) {
    const int64_t c = RoundHalfEven(255 * V);
    return c < 0 ? 0 : c > 255 ? 255 : static_cast<int>(c);
}

}  // namespace

void RGBToHSL(TColor RGB, double& H, double& S, double& L) {
    const double r = ColorRed(RGB) / 255.0, g = ColorGreen(RGB) / 255.0, b = ColorBlue(RGB) / 255.0;
    const double mx = MaxOf(r, MaxOf(g, b)), mn = MinOf(r, MinOf(g, b));
    L = (mx + mn) / 2;
    if (mx == mn) {
        H = 0;
        S = 0;
        return;
    }
    const double d = mx - mn;
    S = L < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
        H = (g - b) / d;
    else if (g == mx)
        H = 2 + (b - r) / d;
    else
        H = 4 + (r - g) / d;
    H /= 6;
    if (H < 0) H += 1;
}

int HueToValue(double Hue, double M1, double M2) {
    if (Hue < 0) Hue += 1;
    if (Hue > 1) Hue -= 1;
    double v;
    if (6 * Hue < 1)
        v = M1 + (M2 - M1) * Hue * 6;
    else if (2 * Hue < 1)
        v = M2;
    else if (3 * Hue < 2)
        v = M1 + (M2 - M1) * (2.0 / 3 - Hue) * 6;
    else
        v = M1;
    return ChannelValue(v);
}

TColor HSLToRGB(double H, double S, double L) {
    if (S == 0) {
        const auto v = static_cast<uint8_t>(ChannelValue(L));
        return RGBColor(v, v, v);
    }
    const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
    const double m1 = 2 * L - m2;
    return RGBColor(static_cast<uint8_t>(HueToValue(H + 1.0 / 3, m1, m2)), static_cast<uint8_t>(HueToValue(H, m1, m2)),
                    static_cast<uint8_t>(HueToValue(H - 1.0 / 3, m1, m2)));
}

void RGBToHSLRange(TColor RGB, int& H, int& S, int& L) {
    double h, s, l;
    RGBToHSL(RGB, h, s, l);
    H = static_cast<int>(RoundHalfEven(h * (HSLRange - 1)));
    S = static_cast<int>(RoundHalfEven(s * HSLRange));
    L = static_cast<int>(RoundHalfEven(l * HSLRange));
}

TColor HSLRangeToRGB(int H, int S, int L) {
    return HSLToRGB(static_cast<double>(H) / (HSLRange - 1), static_cast<double>(S) / HSLRange,
                    static_cast<double>(L) / HSLRange);
}

TColor ShiftLightness(TColor Base, TColor Current, int Amount, bool Darker) {
    if (Amount == 0) return Current;
    int h, s, l;
    RGBToHSLRange(Base, h, s, l);
    // Kept as the flat controls have always computed it: the "+ 10" start and
    // the cap at 100 (not HSLRange) make "lighter" darken light colours and
    // "darker by 10" a no-op. Only the advanced colours use it, and stored
    // looks depend on the result.
    l += 10;
    if (Darker) {
        l -= Amount;
        if (l < 0) l = 0;
    } else {
        l += Amount;
        if (l > 100) l = 100;
    }
    return HSLRangeToRGB(h, s, l);
}

void RGBToHLS(TColor RGB, int& H, int& L, int& S) {
    double h, s, l;
    RGBToHSL(RGB, h, s, l);
    L = static_cast<int>(RoundHalfEven(l * HSLRange));
    S = static_cast<int>(RoundHalfEven(s * HSLRange));
    H = S == 0 ? HLSGreyHue : static_cast<int>(RoundHalfEven(h * HSLRange)) % HSLRange;
}

TColor HLSToRGB(int H, int L, int S) {
    return HSLToRGB(static_cast<double>(H % HSLRange) / HSLRange, static_cast<double>(S) / HSLRange,
                    static_cast<double>(L) / HSLRange);
}

TColor AdjustLuminance(TColor RGB, int Delta) {
    struct LastAdjustment {
        bool valid = false;
        TColor rgb = 0;
        int delta = 0;
        TColor result = 0;
    };
    thread_local LastAdjustment last;
    if (last.valid && last.rgb == RGB && last.delta == Delta) return last.result;
    int h, l, s;
    RGBToHLS(RGB, h, l, s);
    l += Delta;
    if (l < 0) l = 0;
    if (l > HSLRange) l = HSLRange;
    last = {true, RGB, Delta, HLSToRGB(h, l, s)};
    return last.result;
}
