#include <gtest/gtest.h>

#include "framework/accelerator.h"

TEST(Accelerator, FindsTheCharacterAfterASingleAmpersand) {
    struct {
        const char* caption;
        char hotkey;
    } cases[] = {{"&Weiter", 'W'}, {"Dr&ucken", 'u'}, {"A && B", 0}, {"A && &B", 'B'}, {"Ende&", 0}, {"", 0}};
    for (auto c : cases) EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << c.caption;
    EXPECT_TRUE(IsAccel('w', "&Weiter"));
    EXPECT_TRUE(IsAccel('\xD6', "&\xF6" "ffnen"));  // case pairs of CP1252
    EXPECT_FALSE(IsAccel('e', "&Weiter"));
    EXPECT_FALSE(IsAccel('&', "A && B"));
}
