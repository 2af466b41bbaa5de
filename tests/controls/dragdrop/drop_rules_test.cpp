// Format-map placement and the hover test.
#include <gtest/gtest.h>

#include "controls/dragdrop/drop_rules.h"
#include "controls/dragdrop/format_map.h"

namespace {

const TFormatClassInfo kX{"TX", nullptr}, kY{"TY", nullptr}, kA{"TA", nullptr}, kB{"TB", nullptr},
    kC{"TC", nullptr}, kD{"TD", nullptr}, kE{"TE", nullptr};

std::vector<const TFormatClassInfo*> Order(const TDataFormatMap& m, const TFormatClassInfo* data) {
    return m.Find(data, csRead, [](const TFormatClassInfo*) { return 0u; });
}

}  // namespace

TEST(FormatMap, PriorityPlacementWhateverTheRegistrationOrder) {
    const TConversionScopes rw = csRead | csWrite;
    for (bool populated : {false, true}) {
        for (bool reverse : {false, true}) {
            TDataFormatMap m;
            if (populated) m.Add(&kY, &kA, rw, 0);
            m.Add(&kX, reverse ? &kB : &kA, rw, reverse ? 1 : 0);
            m.Add(&kX, reverse ? &kA : &kB, rw, reverse ? 0 : 1);
            EXPECT_EQ(Order(m, &kX), (std::vector<const TFormatClassInfo*>{&kA, &kB}));
            m.Add(&kX, &kC, rw, 0);
            EXPECT_EQ(Order(m, &kX), (std::vector<const TFormatClassInfo*>{&kC, &kA, &kB}));
        }
    }
}

TEST(FormatMap, TextOrderAndScopes) {
    // The text formats' registrations: -1, -1, 0, -1, 0.
    TDataFormatMap m;
    const TConversionScopes rw = csRead | csWrite;
    m.Add(&kX, &kA, rw, -1);
    m.Add(&kX, &kB, rw, -1);
    m.Add(&kX, &kC, rw, 0);
    m.Add(&kX, &kD, rw, -1);
    m.Add(&kX, &kE, rw, 0);
    EXPECT_EQ(Order(m, &kX), (std::vector<const TFormatClassInfo*>{&kD, &kB, &kA, &kE, &kC}));
    // A reading-only registration keeps priority 0, not -5: a -3 goes before it.
    TDataFormatMap s;
    s.Add(&kY, &kA, csRead, -5);
    s.Add(&kY, &kB, rw, -3);
    EXPECT_EQ(Order(s, &kY), (std::vector<const TFormatClassInfo*>{&kB, &kA}));
}

TEST(HoverSampler, RestingAndMovingWithoutOverflow) {
    THoverSampler h;
    EXPECT_TRUE(h.Reset(1000, 100, 100));
    EXPECT_TRUE(h.Test(1005, 150, 100));   // under 10 ms: no judgement yet
    EXPECT_TRUE(h.Test(1100, 101, 100));   // 1 px in 100 ms = 10 px/s
    EXPECT_FALSE(h.Test(1120, 140, 100));  // fast
    // A pause of a minute since the first sample, then a slow drift.
    h.Reset(0, 0, 0);
    EXPECT_TRUE(h.Test(60000, 5, 0));
    // A move far faster than 46 px/ms is not taken as resting.
    h.Reset(0, 0, 0);
    EXPECT_FALSE(h.Test(10, 2000000000, 0));
    // Tick counter wrapping.
    h.Reset(0xFFFFFFF0u, 10, 10);
    EXPECT_FALSE(h.Test(0x00000010u, 400, 10));
}
