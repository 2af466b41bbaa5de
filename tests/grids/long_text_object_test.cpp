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

namespace {

// The text is kept whole until the line list is asked for; both ways must
// give what the list gives.
TEST(LongTextObject, TextWithoutListMatchesTheList) {
    const std::string samples[] = {"", "a", "a\r\n", "a\rb\nc\r\nd", "\r\n\r\n", "x\n\r", std::string("n\0ul", 4),
                                   "\r", "ende\r\n\r\n"};
    for (const std::string& s : samples) {
        TLongTextObject2 whole(nullptr);
        whole.SetText(s);
        TStringList list;
        list.SetText(s);
        EXPECT_EQ(whole.Text(), list.Text()) << s;
        // The list made later holds the same lines, and takes over the text.
        EXPECT_EQ(whole.Lines().Count(), list.Count()) << s;
        EXPECT_EQ(whole.Text(), list.Text()) << s;
        whole.Lines().Add("neu");
        EXPECT_EQ(whole.Text(), list.Text() + "neu\r\n") << s;
    }
}

TEST(LongTextObject, ReleaseDataOnlyReachesAMadeDataObject) {
    g_released = 0;
    TLongTextObject2 plain(nullptr);
    plain.ReleaseData();  // no data object yet: nothing to release
    EXPECT_EQ(typeid(plain.Data()), typeid(TCustomL2Data));
    TLongTextObject2 custom(nullptr, NewCountingData);
    custom.ReleaseData();
    EXPECT_EQ(g_released, 1);
    const TLongTextObject2& constant = plain;
    EXPECT_EQ(constant.Lines().Count(), 0);
    EXPECT_EQ(constant.Text(), "");
}

}  // namespace
