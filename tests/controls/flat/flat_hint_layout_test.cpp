// Placement and parts of the flat hint on a 1024 x 768 screen.
#include <gtest/gtest.h>

#include "controls/flat/flat_hint_layout.h"

TEST(FlatHintLayout, QuarterOfTheCursorPlacesTheHint) {
    const int w = 120, h = 30;
    struct {
        PlainPoint p;
        TFlatHintArrow arrow;
        PlainPoint origin;
    } cases[] = {
        {{10, 10}, haUpLeft, {22, 22}},
        {{512, 384}, haDownRight, {512 - w - 5, 384 - h - 5}},  // middle lines count right and below
        {{511, 383}, haUpLeft, {523, 395}},
        {{512, 383}, haUpRight, {512 - w - 5, 388}},
        {{511, 384}, haDownLeft, {516, 384 - h - 5}},
        {{600, 10}, haUpRight, {600 - w - 5, 15}},
        {{10, 700}, haDownLeft, {15, 700 - h - 5}},
        {{1030, 10}, haDownRight, {1030 - w - 5, 10 - h - 5}},  // off the screen: no quarter
    };
    for (const auto& c : cases) {
        const TFlatHintPlace place = PlaceFlatHint(c.p, w, h, 1024, 768);
        EXPECT_EQ(place.Arrow, c.arrow) << c.p.x << "," << c.p.y;
        EXPECT_EQ(place.Bounds, (PlainRect{c.origin.x, c.origin.y, c.origin.x + w, c.origin.y + h}))
            << c.p.x << "," << c.p.y;
    }
}

TEST(FlatHintLayout, KeptOnTheMonitor) {
    const PlainRect monitor{0, 0, 1024, 768};
    const PlainRect corner = KeepFlatHintOn(PlaceFlatHint({1020, 760}, 120, 30, 1024, 768).Bounds, monitor);
    EXPECT_EQ(corner, (PlainRect{895, 725, 1015, 755}));
    EXPECT_EQ(KeepFlatHintOn({1000, 750, 1100, 790}, monitor), (PlainRect{924, 728, 1024, 768}));
    EXPECT_EQ(KeepFlatHintOn({-30, -5, 70, 25}, monitor), (PlainRect{0, 0, 100, 30}));
    // Larger than the monitor: its size, at its corner.
    EXPECT_EQ(KeepFlatHintOn({100, 100, 1300, 200}, monitor), (PlainRect{0, 100, 1024, 200}));
    EXPECT_EQ(KeepFlatHintOn({1100, 100, 1200, 130}, {1024, 0, 2048, 768}), (PlainRect{1100, 100, 1200, 130}));
}

TEST(FlatHintLayout, StripTextAreaAndArrowOrigin) {
    const PlainRect client{0, 0, 100, 30};
    struct {
        TFlatHintArrow arrow;
        PlainRect strip, text;
        PlainPoint origin;
    } cases[] = {
        {haUpLeft, {1, 1, 15, 29}, {15, 1, 99, 29}, {3, 3}},
        {haDownLeft, {1, 1, 15, 29}, {15, 1, 99, 29}, {3, 26}},
        {haUpRight, {85, 1, 99, 29}, {1, 1, 85, 29}, {96, 3}},
        {haDownRight, {85, 1, 99, 29}, {1, 1, 85, 29}, {96, 26}},
    };
    for (const auto& c : cases) {
        const TFlatHintParts parts = FlatHintParts(client, c.arrow);
        EXPECT_EQ(parts.Strip, c.strip) << c.arrow;
        EXPECT_EQ(parts.TextArea, c.text) << c.arrow;
        EXPECT_EQ(parts.ArrowOrigin, c.origin) << c.arrow;
    }
}

TEST(FlatHintLayout, ArrowMirrorsByPosition) {
    const auto upLeft = FlatHintArrowPoints({3, 3}, haUpLeft);
    EXPECT_EQ(upLeft[1], (PlainPoint{3, 9}));
    EXPECT_EQ(upLeft[17], (PlainPoint{10, 9}));
    const auto downRight = FlatHintArrowPoints({96, 26}, haDownRight);
    EXPECT_EQ(downRight[4], (PlainPoint{90, 26}));
    EXPECT_EQ(downRight[17], (PlainPoint{89, 20}));
    EXPECT_EQ(FlatHintArrowPoints({96, 3}, haUpRight)[8], (PlainPoint{91, 10}));
    EXPECT_EQ(FlatHintArrowPoints({3, 26}, haDownLeft)[8], (PlainPoint{8, 19}));
}
