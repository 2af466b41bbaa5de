// Pixel work on 24-bit top-down pixel rows (bytes blue, green, red; every
// row padded to a multiple of 4 bytes). The effects never touch the padding.
#pragma once

#include <cstdint>

#include "framework/colors.h"
#include "framework/pixels24.h"

TRGBTriple MakeTriple(uint8_t Red, uint8_t Green, uint8_t Blue);
// Colour <-> triple; the colour must be a plain RGB value (system colours
// resolved first).
TRGBTriple ColorToTriple(TColor RGB);
TColor TripleToColor(TRGBTriple T);
uint8_t ClampByte(int Value);
int ClampInt(int Value, int Min, int Max);

void FillPixels(const TPixels24& P, TRGBTriple Color);
// Every channel through one 256-entry table.
void MapChannels(const TPixels24& P, const uint8_t (&Table)[256]);
// Each pixel's channels become T[b] + T[g] + T[r] with T[i] = i div 3.
void Grayscale(const TPixels24& P);
// Amount > 0 lightens towards white, <= 0 darkens towards black.
void Lightness(const TPixels24& P, int Amount);
void Invert(const TPixels24& P);
void AddRGB(const TPixels24& P, int Red, int Green, int Blue);
void ReplaceColour(const TPixels24& P, TRGBTriple From, TRGBTriple To);
// Pixels of Color become black, all others white.
void MaskOfColour(const TPixels24& P, TRGBTriple Color);
void Flip(const TPixels24& P, bool Horizontal);
// Channels stretched away from 128 by Amount / 256.
void Contrast(const TPixels24& P, int Amount);
// Channels moved away from the pixel's grey by Amount / 256.
void Saturation(const TPixels24& P, int Amount);
// channel - 192 + Amount, pixels of Transparent skipped.
void Colorize(const TPixels24& P, int Amount, TRGBTriple Transparent, bool SkipTransparent);
// Average of the four pixels at +-Amount in both directions (edges clamped).
void Blur(const TPixels24& P, int Amount);
// (channel + inverted neighbour two pixels down-right) / 2.
void Emboss(const TPixels24& P);
// 3 x 3 sharpening: 9 x the pixel less its eight neighbours at Distance.
void Sharpen(const TPixels24& P, int Distance);
// Rotation by Degrees (counter-clockwise) about the centre; pixels whose
// source lies outside become Fill.
void Rotate(const TPixels24& P, double Degrees, TRGBTriple Fill);
// Each pixel taken from a random offset of up to Amount (Seed makes it repeatable).
void Spray(const TPixels24& P, int Amount, unsigned Seed);
// Rows shifted by AmplitudeX * sin(2 pi y / PeriodX), columns by
// AmplitudeY * sin(2 pi x / PeriodY); outside sources wrap or clamp.
void Wave(const TPixels24& P, int AmplitudeX, int PeriodX, int AmplitudeY, int PeriodY, bool Wrap);
// Resamples Source into Dest (any sizes) bilinearly with 15-bit fixed-point steps.
void SmoothStretch(const TPixels24& Source, const TPixels24& Dest);
