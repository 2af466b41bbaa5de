#include "controls/menus/menu_gradient_math.h"

namespace {

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

int MenuGradientChannel(int Start, int End, int Steps, int Index) {
    if (Steps < 1) Steps = 1;
    const double step = static_cast<double>(Start - End) / Steps;
    return Start - static_cast<int>(step * Index);
}

uint32_t MenuGradientEntry(uint32_t Start, uint32_t End, int Steps, int Index) {
    uint32_t color = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c = MenuGradientChannel(Channel(Start, shift), Channel(End, shift), Steps, Index);
        color |= static_cast<uint32_t>(c & 0xFF) << shift;
    }
    return color;
}

MenuGradientBand MenuGradientBandAt(int Extent, int Steps, int Index) {
    if (Steps < 1) Steps = 1;
    const double w = static_cast<double>(Extent) / Steps;
    return MenuGradientBand{static_cast<int>(Index * w), static_cast<int>(w + 1)};
}
