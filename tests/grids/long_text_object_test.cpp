#include "grids/long_text_object.h"

#include <gtest/gtest.h>

namespace {

int g_released = 0;
class CountingData : public TCustomL2Data {
public:
    void ReleaseData() override { ++g_released; }
};
TCustomL2Data* NewCountingData() { return new CountingData(); }

TEST(LongTextObject, LinesAndText) {
    TLongTextObject2 o(nullptr);
    o.SetText("a\rb\nc\r\nd");
    EXPECT_EQ(o.Lines().Count(), 4);
    EXPECT_EQ(o.Text(), "a\r\nb\r\nc\r\nd\r\n");
    o.SetText("x\r\n");
    EXPECT_EQ(o.Lines().Count(), 1);
    EXPECT_EQ(o.Text(), "x\r\n");
    o.SetText(std::string("n\0ul", 4));
    EXPECT_EQ(o.Text(), std::string("n\0ul\r\n", 6));
    o.SetText("");
    EXPECT_EQ(o.Text(), "");
}

TEST(LongTextObject, DataClassAndLiveCount) {
    const int before = TLongTextObject2::LiveCount();
    {
        TObject grid;
        TLongTextObject2 plain(&grid);
        EXPECT_EQ(plain.Grid(), &grid);
        EXPECT_EQ(typeid(plain.Data()), typeid(TCustomL2Data));
        EXPECT_FALSE(plain.Data().HasIndicator());
        TLongTextObject2 custom(&grid, NewCountingData);
        custom.Data().ReleaseData();
        EXPECT_EQ(g_released, 1);
        EXPECT_EQ(TLongTextObject2::LiveCount(), before + 2);
    }
    EXPECT_EQ(TLongTextObject2::LiveCount(), before);
}

}  // namespace
