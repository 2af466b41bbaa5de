#include "controls/dragdrop/drop_rules.h"

#include <initializer_list>

uint32_t DragTypesToDropEffect(TDragTypes types) {
    uint32_t e = kDropEffectNone;
    if (types & dtCopy) e |= kDropEffectCopy;
    if (types & dtMove) e |= kDropEffectMove;
    if (types & dtLink) e |= kDropEffectLink;
    return e;
}

uint32_t KeyRuleDropEffect(bool ctrl, bool shift, uint32_t allowed, bool fallback) {
    uint32_t wanted = kDropEffectMove;
    if (ctrl && shift)
        wanted = kDropEffectLink;
    else if (ctrl)
        wanted = kDropEffectCopy;
    if (allowed & wanted) return wanted;
    if (fallback) {
        for (uint32_t e : {kDropEffectCopy, kDropEffectMove, kDropEffectLink})
            if (allowed & e) return e;
    }
    return kDropEffectNone;
}

bool THoverSampler::Reset(uint32_t tick, int x, int y) {
    first_ = Sample{tick, x, y};
    has_second_ = false;
    return true;
}

bool THoverSampler::Test(uint32_t tick, int x, int y) {
    constexpr uint32_t kMinInterval = 10;  // ms between samples
    constexpr unsigned __int128 kMaxSpeed = 20;  // pixels per second
    bool resting = true;
    const uint32_t elapsed = tick - first_.tick;
    if (elapsed >= kMinInterval) {
        const __int128 dx = static_cast<__int128>(x) - first_.x;
        const __int128 dy = static_cast<__int128>(y) - first_.y;
        const auto dist2 = static_cast<unsigned __int128>(dx * dx + dy * dy);
        const auto el2 = static_cast<unsigned __int128>(elapsed) * elapsed;
        // speed^2 = dist^2 * 10^6 / elapsed^2 <= 20^2
        resting = dist2 * 1000000u <= kMaxSpeed * kMaxSpeed * el2;
        if (!has_second_) {
            second_ = Sample{tick, x, y};
            has_second_ = true;
        }
    }
    if (has_second_ && tick - second_.tick >= kMinInterval) {
        first_ = second_;
        second_ = Sample{tick, x, y};
    }
    return resting;
}
