// TStrings/TStringList: text round trips, comma text, names and values, case
// rules, change events, sorting, ownership, streams and the exact list error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/streams.h"
#include "framework/strings.h"
#include "tests/framework/control_test_support.h"

namespace {
std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> r;
    for (int i = 0; i < s.Count(); ++i) r.push_back(s[i]);
    return r;
}
using V = std::vector<std::string>;
}  // namespace

TEST(StringListText, LineEndsAndNulBytes) {
    struct Case {
        std::string text;
        V lines;
        std::string back;  // Text() afterwards
    };
    const Case cases[] = {
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
        {"a\r\n", {"a"}, "a\r\n"},  // a final line end adds no line
        {"a\r\n\r\n", {"a", ""}, "a\r\n\r\n"},
        {"\n", {""}, "\r\n"},
        {"\n\r", {"", ""}, "\r\n\r\n"},  // LF then CR: two line ends
        {"", {}, ""},
        {std::string("a\0b\r\n\0\r\n", 8), {std::string("a\0b", 3), std::string("\0", 1)},
         std::string("a\0b\r\n\0\r\n", 8)},
    };
    for (const Case& c : cases) {
        TStringList l;
        l.Add("x");
        l.SetText(c.text);
        EXPECT_EQ(Lines(l), c.lines);
        EXPECT_EQ(l.Text(), c.back);
    }
    EXPECT_EQ(SplitLines("x\r\r\ny"), (V{"x", "", "y"}));
}

TEST(StringListComma, QuotesWhatNeedsItAndParses) {
    TStringList l;
    l.SetText("plain\ntwo words\na,b\nsay \"hi\"\n\n");
    EXPECT_EQ(l.CommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",");
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(Lines(back), Lines(l));
    l.SetCommaText(" a b , \"c d\",,e");
    EXPECT_EQ(Lines(l), (V{"a", "b", "c d", "", "e"}));
    l.SetCommaText("\"\"");
    EXPECT_EQ(Lines(l), (V{""}));
    EXPECT_EQ(l.CommaText(), "\"\"");
    l.SetCommaText("");
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringListValues, NamesValuesAndTheAnsiCaseTable) {
    TStringList l;
    l.SetText("Farbe=rot\nohne\nLeer=");
    EXPECT_EQ(l.Names(0), "Farbe");
    EXPECT_EQ(l.Names(1), "");
    EXPECT_EQ(l.Values("FARBE"), "rot");
    EXPECT_EQ(l.Values("fehlt"), "");
    EXPECT_EQ(l.ValueFromIndex(0), "rot");
    EXPECT_EQ(l.ValueFromIndex(1), "");
    EXPECT_EQ(l.IndexOfName("leer"), 2);
    l.SetValue("Farbe", "blau");
    EXPECT_EQ(l[0], "Farbe=blau");
    l.SetValue("Neu", "1");
    EXPECT_EQ(l[3], "Neu=1");
    l.SetValue("Farbe", "");
    EXPECT_EQ(l.IndexOfName("Farbe"), -1);
    EXPECT_EQ(l.Count(), 3);
    // Case rules: the CP1252 case table.
    l.SetText("Birne\nÄPFEL");
    EXPECT_EQ(l.IndexOf("äpfel"), 1);
    EXPECT_EQ(l.IndexOf("\xE4pfel"), 1);
    l.Add("stra\xDF" "e");
    EXPECT_EQ(l.IndexOf("STRA\xDF" "E"), 2);
    EXPECT_EQ(l.IndexOf("STRASSE"), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("äpfel"), -1);
}

TEST(StringListErrors, IndexErrorTextMoveExchangeAssign) {
    TStringList l;
    l.Add("a");
    // The placeholder is left as it is.
    EXPECT_EQ(ErrorOf<EListError>([&] { (void)l[5]; }), "Der Index der Liste \xFC" "berschreitet das Maximum (%d)");
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.Insert(2, "x"), EListError);
    EXPECT_THROW(l.PutObject(1, nullptr), EListError);
    TObject* o = Create<TObject>();
    l.SetText("a\nb\nc\nd");
    l.PutObject(0, o);
    l.Move(0, 2);
    EXPECT_EQ(Lines(l), (V{"b", "c", "a", "d"}));
    EXPECT_EQ(l.Objects(2), o);
    l.Exchange(0, 3);
    EXPECT_EQ(Lines(l), (V{"d", "c", "a", "b"}));
    TStringList copy;
    copy.Add("old");
    copy.Assign(&l);
    EXPECT_TRUE(copy.Equals(l));
    EXPECT_EQ(copy.Objects(2), o);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Count(), 4);
    l.AddStrings(l);
    EXPECT_EQ(l.Count(), 8);
    EXPECT_EQ(l.IndexOfObject(o), 2);
    o->Free();
}

TEST(StringListEvents, UpdateBracketEventsAndSortedLists) {
    TStringList l;
    int changes = 0, changings = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.OnChanging = [&](TObject*) { ++changings; };
    l.BeginUpdate();
    l.BeginUpdate();
    l.Add("a");
    l.Add("b");
    l.EndUpdate();
    EXPECT_EQ(changes, 0);
    l.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changings, 1);
    l.BeginUpdate();
    l.EndUpdate();
    EXPECT_EQ(changes, 1);  // nothing changed
    l.SetText("x\ny\nz");
    EXPECT_EQ(changes, 2);
    l.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(l.UpdateCount(), 0);
    l.Clear();  // one event for the whole clear, none when already empty
    l.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(changings, 3);
    l.SetText("pflaume\nApfel\nbirne");
    l.SetSorted(true);
    EXPECT_EQ(Lines(l), (V{"Apfel", "birne", "pflaume"}));
    EXPECT_EQ(l.Add("Birne"), 1);  // dupIgnore
    EXPECT_EQ(l.Count(), 3);
    int index = -1;
    EXPECT_TRUE(l.Find("PFLAUME", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(l.Find("kirsche", index));
    EXPECT_EQ(index, 2);
    l.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(l.Add("apfel"), EListError);
    l.Duplicates = TDuplicates::dupAccept;
    l.Add("apfel");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_THROW(l.Insert(0, "x"), EListError);
    EXPECT_EQ(l.IndexOf("Kirsche"), -1);
    EXPECT_EQ(l.IndexOf("BIRNE"), 2);
}

namespace {
int g_freed = 0;
class TCounted : public TObject {
public:
    ~TCounted() override { ++g_freed; }
};
}  // namespace

TEST(StringListOwnership, OwnsObjectsFreesOnDeleteClearAndDestruction) {
    g_freed = 0;
    {
        TStringList l;
        l.OwnsObjects = true;
        for (const char* s : {"a", "b", "c", "d"}) l.AddObject(s, Create<TCounted>());
        l.Move(0, 3);  // keeps the object
        EXPECT_EQ(g_freed, 0);
        l.Delete(0);
        EXPECT_EQ(g_freed, 1);
        l.Clear();
        EXPECT_EQ(g_freed, 4);
        l.AddObject("e", Create<TCounted>());
    }
    EXPECT_EQ(g_freed, 5);
}

// Streams and files hold the bytes of Text() as they are, NUL bytes too.
TEST(StringListStreams, BytesAsTheyAreInStreamsAndFiles) {
    TStringList l;
    l.SetText(std::string("\xC4rger\0x\r\nzw\xF6lf", 14));
    TMemoryStream m;
    l.SaveToStream(m);
    EXPECT_EQ(std::string(m.Memory(), static_cast<size_t>(m.Size())), l.Text());
    m.SetPosition(0);
    TStringList back, fromFile;
    back.LoadFromStream(m);
    EXPECT_TRUE(back.Equals(l));
    const std::string name = (std::filesystem::temp_directory_path() / "fw_liste.txt").string();
    l.SaveToFile(name);
    fromFile.LoadFromFile(name);
    EXPECT_TRUE(fromFile.Equals(l));
    m.LoadFromFile(name);
    EXPECT_EQ(std::string(m.Memory(), static_cast<size_t>(m.Size())), l.Text());
    std::remove(name.c_str());
}
