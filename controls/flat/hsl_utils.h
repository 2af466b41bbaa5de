// Conversion between RGB colours and hue, saturation and lightness, as
// floating values 0..1 and as the integer range form (hue 0..239, saturation
// and lightness 0..240). Every rounding goes half to even. Colours here are
// plain RGB values (red in the low byte): resolve system colours first.
#pragma once

#include "framework/colors.h"

// The scale of saturation and lightness in the range form (hue: HSLRange - 1).
inline constexpr int HSLRange = 240;

void RGBToHSL(TColor RGB, double& H, double& S, double& L);
TColor HSLToRGB(double H, double S, double L);
// One channel of HSLToRGB: M1 and M2 are its two intermediate levels.
int HueToValue(double Hue, double M1, double M2);

void RGBToHSLRange(TColor RGB, int& H, int& S, int& L);
TColor HSLRangeToRGB(int H, int S, int L);

inline double MaxOf(double A, double B) { return A > B ? A : B; }
inline double MinOf(double A, double B) { return A < B ? A : B; }

// The colour of Base with its lightness moved by Amount (0..100): the
// lightness starts 10 above Base's; darker subtracts (not below 0), lighter
// adds but caps at 100 of 240. Amount 0 returns Current unchanged.
TColor ShiftLightness(TColor Base, TColor Current, int Amount, bool Darker);

// The hue-luminance-saturation form of the system's colour dialog: all three
// on 0..HSLRange (a hue of HSLRange is hue 0 again), and a grey has the hue
// HLSGreyHue (the system's "undefined" hue) with saturation 0.
inline constexpr int HLSGreyHue = 160;
void RGBToHLS(TColor RGB, int& H, int& L, int& S);
TColor HLSToRGB(int H, int L, int S);
// RGB with its luminance on that scale moved by Delta and kept to
// 0..HSLRange. The last argument pair and its result are kept per thread, as
// painting asks for the same colour again and again.
TColor AdjustLuminance(TColor RGB, int Delta);
