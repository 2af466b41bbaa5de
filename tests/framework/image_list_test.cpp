// TImageList: masked images keep the background, copies are exact, no handle leaks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Several listeners hear every change; a listener or list that goes first
// leaves the other side without a dangling link.
TEST(ImageList, ChangeLinksReachEveryListenerAndLetGo) {
    std::vector<std::string> heard;
    auto* list = new TImageList;
    TChangeLink a, b;
    a.OnChange = [&](TObject* s) { heard.push_back(s == list ? "a" : "a?"); };
    b.OnChange = [&](TObject*) { heard.push_back("b"); };
    list->RegisterChanges(&a);
    list->RegisterChanges(&b);
    list->RegisterChanges(&a);  // once only
    int own = 0;
    list->OnChange = [&](TObject*) { ++own; };
    list->SetSize(8, 8);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(own, 1);
    {
        TChangeLink gone;
        gone.OnChange = [&](TObject*) { heard.push_back("gone"); };
        list->RegisterChanges(&gone);
    }
    list->UnRegisterChanges(&a);
    EXPECT_EQ(a.Sender(), nullptr);
    heard.clear();
    TBitmap image(8, 8);
    list->Add(&image);
    EXPECT_EQ(heard, (std::vector<std::string>{"b"}));
    EXPECT_EQ(b.Sender(), list);
    delete list;
    EXPECT_EQ(b.Sender(), nullptr);  // b's destructor has nothing to leave
}
