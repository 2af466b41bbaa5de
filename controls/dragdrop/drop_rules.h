// The rules a drop target decides by, without the platform: which effect a
// drag gets from the keys held, and whether the pointer rests (for automatic
// scrolling near a control's edge).
#pragma once

#include <cstdint>

// OLE drop-effect bits.
inline constexpr uint32_t kDropEffectNone = 0;
inline constexpr uint32_t kDropEffectCopy = 1;
inline constexpr uint32_t kDropEffectMove = 2;
inline constexpr uint32_t kDropEffectLink = 4;
inline constexpr uint32_t kDropEffectScroll = 0x80000000u;

enum TDragType : unsigned { dtCopy = 1u << 0, dtMove = 1u << 1, dtLink = 1u << 2 };
using TDragTypes = unsigned;  // set of TDragType

uint32_t DragTypesToDropEffect(TDragTypes types);

// Ctrl and Shift: link; Ctrl alone: copy; no key or Shift alone: move; each
// only when allowed. When that gives nothing and fallback is on: the first
// allowed of copy, move, link.
uint32_t KeyRuleDropEffect(bool ctrl, bool shift, uint32_t allowed, bool fallback);

// Pointer samples (tick count, screen x, y) telling whether the pointer
// moves at most 20 pixels per second. Arithmetic in 64 bits and more, so
// neither a long pause nor a fast move is mistaken for resting.
class THoverSampler {
public:
    // Starts over with the sample; answers true.
    bool Reset(uint32_t tick, int x, int y);
    bool Test(uint32_t tick, int x, int y);

private:
    struct Sample {
        uint32_t tick = 0;
        int x = 0, y = 0;
    };
    Sample first_;
    Sample second_;
    bool has_second_ = false;
};
