// The sparse storage under the string grid (the pointer array, the list on it
// and the string list of one grid row) and the long text of a second line.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "grids/long_text_object.h"
#include "grids/sparse_list.h"
#include "grids/string_sparse_list.h"
#include "tests/framework/control_test_support.h"

namespace {

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

const char kIndexMessage[] = "Der Index der Liste \xFC" "berschreitet das Maximum (%d)";

// Items 'a', 'b', ... as small integers; 0 shows as '.'.
std::string Dump(const T_SparseList& list) {
    std::string s;
    for (int i = 0; i < list.Count(); ++i) {
        const intptr_t v = reinterpret_cast<intptr_t>(list.Get(i));
        s += v ? static_cast<char>(v) : '.';
    }
    return s;
}

void Fill(T_SparseList& list, const std::string& items) {
    for (size_t i = 0; i < items.size(); ++i) list.Put(static_cast<int>(i), P(items[i]));
}

TEST(SparsePointerArray, HighBoundLimitsAndWalk) {
    TSparsePointerArray a(TSPAQuantum::SPASmall);
    a.Put(0, P(1));
    a.Put(1000, P(2));
    a.Put(7, P(7));
    a.Put(1000, nullptr);
    EXPECT_EQ(a.HighBound(), 7);
    a.Put(7, nullptr);
    a.Put(0, nullptr);
    EXPECT_EQ(a.HighBound(), -1);

    // 16-bit section numbers: nothing wraps onto section 0.
    EXPECT_EQ(ErrorOf<EListError>([&] { a.Put(1048576, P(2)); }), kIndexMessage);
    EXPECT_EQ(a.Get(0), nullptr);
    TSparsePointerArray large(TSPAQuantum::SPALarge);
    large.Put(16777215, P(1));
    EXPECT_THROW(large.Put(16777216, P(1)), EListError);

    for (int i : {300, 2, 17, 16, 5000}) a.Put(i, P(i));
    std::vector<int> seen;
    EXPECT_EQ(a.ForAll([&](int index, void*) {
        seen.push_back(index);
        return index >= 300 ? index : 0;
    }), 300);
    EXPECT_EQ(seen, (std::vector<int>{2, 16, 17, 300}));
}

TEST(SparseList, InsertDeleteMoveExchange) {
    T_SparseList gap(TSPAQuantum::SPASmall);
    gap.Insert(10, P('x'));
    EXPECT_EQ(gap.Count(), 11);
    gap.Delete(11);  // at the count: nothing
    EXPECT_EQ(gap.Count(), 11);

    struct Case {
        std::string start;
        void (*op)(T_SparseList&);
        std::string expected;
    };
    const Case cases[] = {
        {"abcd", [](T_SparseList& l) { l.Insert(1, P('x')); }, "axbcd"},
        {"abcd", [](T_SparseList& l) { l.Delete(1); }, "acd"},
        {"abcd", [](T_SparseList& l) { l.Put(3, nullptr); }, "abc"},
        {"abcde", [](T_SparseList& l) { l.Move(1, 3); }, "acdbe"},
        {"abcd", [](T_SparseList& l) { l.Move(5, 1); }, "a.bcd"},
        {"abcde", [](T_SparseList& l) { l.Exchange(4, 7); }, "abcd...e"},
        {"abcd", [](T_SparseList& l) { EXPECT_THROW(l.Move(0, -2), EListError); }, "abcd"},
        {"ab", [](T_SparseList& l) { EXPECT_THROW(l.Insert(1048576, P('x')), EListError); }, "ab"},
    };
    for (const Case& c : cases) {
        T_SparseList list(TSPAQuantum::SPASmall);
        Fill(list, c.start);
        c.op(list);
        EXPECT_EQ(Dump(list), c.expected) << c.start << " -> " << c.expected;
    }
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "ab");
    EXPECT_EQ(ErrorOf<EListError>([&] { list.Get(-1); }), kIndexMessage);
}

TEST(StringSparseList, EntriesObjectsAndErrors) {
    TObject a, b;
    T_StringSparseList list(TSPAQuantum::SPASmall);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Put(4, "x");
    list.Put(4, "");  // no object: the entry goes
    EXPECT_EQ(list.Count(), 0);
    list.Put(2, "x");
    list.PutObject(2, &a);
    list.Put(2, "");  // the object keeps the entry
    EXPECT_EQ(list.GetObject(2), &a);
    EXPECT_EQ(list.Count(), 3);
    list.PutObject(6, &b);
    list.Put(6, "t");
    EXPECT_EQ(list.GetObject(6), &b);
    EXPECT_EQ(changes, 7);

    // Objects follow their texts through insert, delete, exchange and move.
    list.Put(0, "null");
    list.Insert(1, "neu");
    EXPECT_EQ(list.GetObject(3), &a);
    list.Delete(0);
    list.Exchange(2, 6);
    EXPECT_EQ(list.GetObject(6), &a);
    EXPECT_EQ(list.Get(2), "t");
    list.Move(2, 0);
    EXPECT_EQ(list.GetObject(0), &b);
    EXPECT_EQ(list.Text(), "t\r\nneu\r\n\r\n\r\n\r\n\r\n\r\n");
    for (int i = 0; i < list.Count() + 2; ++i) EXPECT_EQ(std::string(list.GetText(i)), list.Get(i)) << i;

    EXPECT_EQ(ErrorOf<EListError>([&] { list.Put(-1, "x"); }), kIndexMessage);
    EXPECT_THROW(list.PutObject(-1, nullptr), EListError);
    struct Probe : T_StringSparseList {
        Probe() : T_StringSparseList(TSPAQuantum::SPASmall) {}
        static void Raise() { Error(); }
    };
    EXPECT_EQ(ErrorOf<EStringSparseListError>([] { Probe::Raise(); }), "PutObject auf undefiniertes Element");
}


// Texts around the 255 bytes from which a text's size is kept in the text
// area, written over each other (longer, shorter, across that bound), moved
// and exchanged, in a list made with room and growing past it: every read
// gives what a plain map of positions holds.
TEST(StringSparseList, TextsOfEverySizeSurviveRewritesMovesAndGrowth) {
    const size_t sizes[] = {0, 1, 7, 254, 255, 256, 300, 1000, 70000};
    std::unique_ptr<T_StringSparseList> list(T_StringSparseList::NewWithRoom(TSPAQuantum::SPALarge, 3, 20));
    std::map<int, std::string> model;
    auto check = [&](int step) {
        for (int i = 0; i < 40; ++i) {
            const auto it = model.find(i);
            ASSERT_EQ(list->GetText(i), it == model.end() ? "" : it->second) << "step " << step << " position " << i;
        }
    };
    unsigned seed = 7;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 1000; };
    for (int step = 0; step < 600; ++step) {
        const int at = static_cast<int>(next() % 30);
        const unsigned op = next() % 10;
        if (op < 7) {
            const std::string text(sizes[next() % 9], static_cast<char>('a' + step % 26));
            list->Put(at, text);
            if (text.empty()) model.erase(at); else model[at] = text;
        } else if (op == 7) {
            const int other = static_cast<int>(next() % 30);
            list->Exchange(at, other);
            std::string a = model.count(at) ? model[at] : "", b = model.count(other) ? model[other] : "";
            model.erase(at), model.erase(other);
            if (!b.empty()) model[at] = b;
            if (!a.empty()) model[other] = a;
        } else {
            const int to = static_cast<int>(next() % 30);
            std::vector<std::string> flat(40);
            for (auto& [k, v] : model) flat[static_cast<size_t>(k)] = v;
            list->Move(at, to);
            std::string moving = flat[static_cast<size_t>(at)];
            flat.erase(flat.begin() + at);
            flat.insert(flat.begin() + to, moving);
            model.clear();
            for (size_t k = 0; k < flat.size(); ++k)
                if (!flat[k].empty()) model[static_cast<int>(k)] = flat[k];
        }
        check(step);
    }
}


int g_released = 0;
class CountingData : public TCustomL2Data {
public:
    void ReleaseData() override { ++g_released; }
};

// The text is kept whole until the line list is asked for; both ways give
// what a string list gives.
TEST(LongTextObject, TextMatchesAStringListBeforeAndAfterTheListIsMade) {
    const std::string samples[] = {"",   "a",    "a\r\n", "a\rb\nc\r\nd", "\r\n\r\n", "x\n\r", "\n", "\r", "ab\r",
                                   "\nab", "Lieferung ab Lager", std::string("n\0ul", 4)};
    for (const std::string& s : samples) {
        TLongTextObject2 whole(nullptr);
        whole.SetText(s);
        TStringList list;
        list.SetText(s);
        EXPECT_EQ(whole.Text(), list.Text()) << s;
        EXPECT_EQ(whole.Lines().Count(), list.Count()) << s;
        // Set again: the one-line text replaces the one before, whole.
        TLongTextObject2 again(nullptr);
        again.SetText("a\r\nb");
        again.SetText(s);
        EXPECT_EQ(again.Text(), list.Text()) << s;
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
