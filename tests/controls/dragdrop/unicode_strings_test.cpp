// Wide-string lists: growth, text, index errors, events and 8-bit exchange.
#include <gtest/gtest.h>

#include "controls/dragdrop/unicode_strings.h"
#include "framework/exceptions.h"
#include "framework/strings.h"
#include "tests/framework/control_test_support.h"

TEST(UnicodeStringList, CapacityGrowthAndText) {
    TUnicodeStringList l;
    std::vector<int> caps;
    for (int i = 0; i < 77; ++i) {
        const int before = l.GetCapacity();
        l.Add(L"x");
        if (l.GetCapacity() != before) caps.push_back(l.GetCapacity());
    }
    EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
    TUnicodeStringList ab;
    EXPECT_EQ(ab.GetText(), L"");
    ab.Add(L"a");
    ab.Add(L"b");
    EXPECT_EQ(ab.GetText(), L"a\r\nb");
}

TEST(UnicodeStringList, OrderEventsSearchAndIndexErrors) {
    TUnicodeStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&](TObject*) { ++changing; };
    l.OnChange = [&](TObject*) { ++changed; };
    l.BeginUpdate();
    for (const wchar_t* s : {L"a", L"b", L"c", L"a"}) l.Add(s);
    l.EndUpdate();
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(l.IndexOf(L"a"), 3);  // from the end
    EXPECT_EQ(l.IndexOf(L"A"), -1);
    l.Move(0, 2);
    l.Exchange(0, 1);
    EXPECT_EQ(l.GetText(), L"c\r\nb\r\na\r\na");
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(ErrorOf<EListError>([&] { l.Exchange(0, 5); }), "Der Index der Liste \xFC" "berschreitet das Maximum (5)");
    EXPECT_THROW(l.Insert(5, L"c"), EListError);
    EXPECT_THROW(l.Get(-1), EListError);
    EXPECT_THROW(l.Move(0, 4), EListError);
}

TEST(UnicodeStrings, AssignToAndFromAnsiLists) {
    TStringList ansi;
    ansi.Add("Gr\xFC\xDF" "e \x80");
    ansi.Add("b");
    TUnicodeStringList wide;
    wide.Assign(&ansi);
    EXPECT_EQ(wide.GetText(), L"Gr\u00FC\u00DFe \u20AC\r\nb");
    wide.Add(L"\u4E2D");
    TStringList back;
    back.Assign(&wide);
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(back[0], "Gr\xFC\xDF" "e \x80");
    EXPECT_EQ(back[2], "?");
    TUnicodeStringsAdapter view(&back);
    EXPECT_EQ(view.GetText(), L"Gr\u00FC\u00DFe \u20AC\r\nb\r\n?");
    view.Add(L"\u201E");
    EXPECT_EQ(back[3], "\x84");
}
