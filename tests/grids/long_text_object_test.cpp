#include "grids/long_text_object.h"

#include <gtest/gtest.h>

namespace {

int g_released = 0;
class CountingData : public TCustomL2Data {
public:
    void ReleaseData() override { ++g_released; }
};

// The text is kept whole until the line list is asked for; both ways give
// what a string list gives.
TEST(LongTextObject, TextMatchesAStringListBeforeAndAfterTheListIsMade) {
    const std::string samples[] = {"", "a", "a\r\n", "a\rb\nc\r\nd", "\r\n\r\n", "x\n\r", std::string("n\0ul", 4)};
    for (const std::string& s : samples) {
        TLongTextObject2 whole(nullptr);
        whole.SetText(s);
        TStringList list;
        list.SetText(s);
        EXPECT_EQ(whole.Text(), list.Text()) << s;
        EXPECT_EQ(whole.Lines().Count(), list.Count()) << s;
        whole.Lines().Add("neu");
        EXPECT_EQ(whole.Text(), list.Text() + "neu\r\n") << s;
    }
    // The data class: made at once, released only when made.
    g_released = 0;
    const int before = TLongTextObject2::LiveCount();
    {
        TLongTextObject2 plain(nullptr);
        plain.ReleaseData();
        EXPECT_EQ(typeid(plain.Data()), typeid(TCustomL2Data));
        TLongTextObject2 custom(nullptr, []() -> TCustomL2Data* { return new CountingData(); });
        custom.ReleaseData();
        EXPECT_EQ(TLongTextObject2::LiveCount(), before + 2);
    }
    EXPECT_EQ(g_released, 1);
    EXPECT_EQ(TLongTextObject2::LiveCount(), before);
}

}  // namespace
