#include <gtest/gtest.h>

#include "controls/html/gif_frames.h"
#include "tests/controls/html/picture_bytes.h"

namespace {

TEST(GifFrames, WalksBlocksAndCutsOneFrame) {
    std::string gif = MakeGif(7, 3, 2);
    GifLayout layout;
    ASSERT_TRUE(ParseGif(gif, layout));
    EXPECT_EQ(layout.ScreenWidth, 7);
    EXPECT_EQ(layout.ScreenHeight, 3);
    ASSERT_EQ(layout.Frames.size(), 2u);
    EXPECT_EQ(layout.Frames[1].Left, 2);
    // The application extension stays with the header; the frame starts at its control block.
    EXPECT_EQ(layout.HeaderEnd, 13u + 12u + 19u);
    EXPECT_EQ(gif[layout.Frames[1].Start + 1], '\xF9');

    std::string second = GifSingleFrame(gif, layout, 1);
    GifLayout one;
    ASSERT_TRUE(ParseGif(second, one));
    ASSERT_EQ(one.Frames.size(), 1u);
    EXPECT_EQ(one.Frames[0].Left, 2);
    EXPECT_EQ(second.back(), '\x3B');
}

TEST(GifFrames, RefusesShortAndBrokenFiles) {
    GifLayout layout;
    EXPECT_FALSE(ParseGif("GIF89a", layout));
    EXPECT_FALSE(ParseGif(std::string("GIF89a\x01\x00\x01\x00\x80\x00", 12), layout));
    std::string gif = MakeGif(4, 4, 1);
    // Every cut before the end of the only frame is refused, never read past.
    size_t frameEnd = gif.size() - 1;
    for (size_t n = 0; n < frameEnd; ++n) EXPECT_FALSE(ParseGif(gif.substr(0, n), layout)) << n;
    EXPECT_TRUE(ParseGif(gif.substr(0, frameEnd), layout));  // the trailer may be missing
    // A block length pointing past the end.
    std::string bad = gif;
    bad[13 + 12 + 2] = '\x7F';
    EXPECT_FALSE(ParseGif(bad, layout));
    // A control-block pattern inside the image data starts no frame.
    std::string inData = gif.substr(0, gif.size() - 2) + std::string("\x09\x21\xF9\x04\0\0\0\0\0\x2C\0\x3B", 12);
    ASSERT_TRUE(ParseGif(inData, layout));
    EXPECT_EQ(layout.Frames.size(), 1u);
}

}  // namespace
