// TImageList: masked images keep the background, copies are exact, no handle leaks.
#include <gtest/gtest.h>

#include "framework/bitmap.h"
#include "framework/colors.h"
#include "framework/image_list.h"

TEST(ImageList, MaskedImageDrawsOnlyOpaquePixelsAndCopiesBack) {
    const int live = ImageListLiveHandles();
    {
        TImageList list;
        list.SetSize(4, 4);
        TBitmap image(4, 4);
        image.Canvas().Brush().SetColor(clFuchsia);
        image.Canvas().FillRect(RECT{0, 0, 4, 4});
        image.SetPixel(1, 2, clBlue);
        EXPECT_EQ(list.AddMasked(&image, clFuchsia), 0);
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(ImageListLiveHandles(), live + 1);

        TBitmap target(6, 6);
        target.Canvas().Brush().SetColor(clGreen);
        target.Canvas().FillRect(RECT{0, 0, 6, 6});
        list.Draw(&target.Canvas(), 1, 1, 0);
        list.Draw(&target.Canvas(), 1, 1, 5);  // out of range: nothing
        EXPECT_EQ(target.Pixel(2, 3), clBlue);
        EXPECT_EQ(target.Pixel(1, 1), clGreen);
        EXPECT_EQ(target.Pixel(4, 4), clGreen);

        TBitmap copy;
        copy.Canvas().Brush().SetColor(clYellow);
        EXPECT_TRUE(list.GetBitmap(0, &copy));
        EXPECT_EQ(copy.Width(), 4);
        EXPECT_EQ(copy.Pixel(1, 2), clBlue);
        EXPECT_EQ(copy.Pixel(0, 0), clYellow);
        EXPECT_FALSE(list.GetBitmap(1, &copy));

        int changes = 0;
        list.OnChange = [&](TObject*) { ++changes; };
        list.SetSize(8, 8);  // a new size empties the list
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(changes, 1);
    }
    EXPECT_EQ(ImageListLiveHandles(), live);
}
