// The arithmetic of the menu kit's gradients: colour entries and band
// positions. The kit truncates toward zero everywhere (not the edit tools'
// half-to-even band plans), so its bands meet exactly where its painting
// has always put them.
#pragma once

#include <cstdint>

// One channel of entry Index of a gradient of Steps entries from Start to
// End: Start - trunc((Start - End) / Steps * Index). Steps below 1 count as 1.
int MenuGradientChannel(int Start, int End, int Steps, int Index);

// An RGB colour (red in the low byte) of entry Index.
uint32_t MenuGradientEntry(uint32_t Start, uint32_t End, int Steps, int Index);

// Band Index of Steps bands over Extent pixels: it starts at
// trunc(Index * Extent / Steps) and is trunc(Extent / Steps + 1) long (so
// neighbours overlap by up to a pixel and no gap is left).
struct MenuGradientBand {
    int offset;
    int size;
};
MenuGradientBand MenuGradientBandAt(int Extent, int Steps, int Index);
