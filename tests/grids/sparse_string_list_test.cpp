#include "grids/string_sparse_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.h"

namespace {

TEST(StringSparseList, EmptyTextRemovesAnEntryOnlyWithoutObject) {
    TObject o;
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(4, "x");
    EXPECT_EQ(list.Count(), 5);
    list.Put(4, "");
    EXPECT_EQ(list.GetObject(4), nullptr);
    EXPECT_EQ(list.Count(), 0);  // no entry left anywhere
    EXPECT_EQ(list.ForAll([](int, const std::string&, TObject*) { return 1; }), 0);

    list.Put(2, "x");
    list.PutObject(2, &o);
    list.Put(2, "");
    EXPECT_EQ(list.GetObject(2), &o);
    EXPECT_EQ(list.Count(), 3);

    list.PutObject(6, nullptr);
    EXPECT_EQ(list.Count(), 3);
    list.PutObject(6, &o);  // creates ("", o)
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.Get(6), "");
    list.Put(6, "t");
    EXPECT_EQ(list.GetObject(6), &o);  // the text replaces, the object stays
}

// Objects are kept beside the entries: they must follow their texts through
// inserts, deletes, moves and exchanges, and they are never owned.
TEST(StringSparseList, ObjectsFollowTheirEntriesAndAreNotOwned) {
    int alive = 0;
    struct Tracked : TObject {
        explicit Tracked(int* a) : alive(a) { ++*alive; }
        ~Tracked() override { --*alive; }
        int* alive;
    };
    auto a = std::make_unique<Tracked>(&alive);
    auto b = std::make_unique<Tracked>(&alive);
    auto c = std::make_unique<Tracked>(&alive);
    {
        T_StringSparseList list(TSPAQuantum::SPASmall);
        list.Put(0, "x");
        list.PutObject(0, a.get());
        list.PutObject(3, b.get());  // an object-only entry
        list.Put(5, "y");
        list.PutObject(5, c.get());
        list.Insert(1, "neu");
        EXPECT_EQ(list.GetObject(0), a.get());
        EXPECT_EQ(list.GetObject(4), b.get());
        EXPECT_EQ(list.GetObject(6), c.get());
        list.Delete(0);
        EXPECT_EQ(list.GetObject(3), b.get());
        list.Exchange(3, 5);
        EXPECT_EQ(list.GetObject(3), c.get());
        EXPECT_EQ(list.Get(3), "y");
        EXPECT_EQ(list.GetObject(5), b.get());
        list.Move(5, 0);
        EXPECT_EQ(list.GetObject(0), b.get());
        EXPECT_EQ(list.GetObject(4), c.get());
        EXPECT_EQ(list.Text(), "\r\nneu\r\n\r\n\r\ny\r\n\r\n");
        list.PutObject(0, nullptr);
        list.Put(0, "");  // now nothing holds position 0
        EXPECT_EQ(list.Count(), 5);
        list.Delete(5);  // beyond the end: nothing
        EXPECT_EQ(list.Count(), 5);
        list.Clear();
        list.PutObject(5, a.get());
    }
    EXPECT_EQ(alive, 3);
}

TEST(StringSparseList, ChangeNotificationsAndErrors) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Put(0, "a");
    list.Put(1, "b");
    list.Insert(0, "c");
    list.PutObject(0, nullptr);
    list.Delete(0);
    EXPECT_EQ(changes, 5);
    changes = 0;
    list.Clear();
    EXPECT_EQ(changes, 1);
    list.OnChange = nullptr;
    list.Put(0, "a");
    EXPECT_EQ(changes, 1);

    try {
        list.Get(-1);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Der Index der Liste überschreitet das Maximum (%d)");
    }
    EXPECT_THROW(list.Put(-1, "x"), EListError);
    EXPECT_THROW(list.PutObject(-1, nullptr), EListError);
    EXPECT_THROW(list.Insert(-1, "x"), EListError);
    EXPECT_THROW(list.GetText(-3), EListError);
    EXPECT_EQ(list.Text(), "a\r\n");

    struct Probe : T_StringSparseList {
        Probe() : T_StringSparseList(TSPAQuantum::SPASmall) {}
        static void Raise() { Error(); }
    };
    try {
        Probe::Raise();
        FAIL() << "no exception";
    } catch (const EStringSparseListError& e) {
        EXPECT_EQ(e.Message(), "PutObject auf undefiniertes Element");
    }
}

// Texts are rewritten in place, grow past the reserved room (also a room in
// the list's own allocation) and are packed when unused bytes pile up.
TEST(StringSparseList, TextsSurviveGrowthAndPacking) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.ReserveStorage(2, 4);
    std::vector<std::string> expected(40);
    for (int round = 0; round < 30; ++round) {
        for (int i = 0; i < 40; ++i) {
            expected[i] = std::string(static_cast<size_t>((i * 7 + round * 13) % 50), static_cast<char>('a' + i % 26));
            list.Put(i, expected[i]);
        }
        for (int i = 0; i < 40; ++i) ASSERT_EQ(list.Get(i), expected[i]) << round << " " << i;
    }
    EXPECT_EQ(list.StoredEntries(), 40 - 1);  // position 0 has an empty text in the last round
    size_t bytes = 0;
    for (const std::string& s : expected) bytes += s.size();
    EXPECT_EQ(list.StoredTextBytes(), bytes);

    std::unique_ptr<T_StringSparseList> own(T_StringSparseList::NewWithRoom(TSPAQuantum::SPASmall, 3, 10));
    for (int i = 0; i < 30; ++i) own->Put(i, std::string(static_cast<size_t>(i % 9 + 1), static_cast<char>('a' + i)));
    for (int i = 0; i < 30; ++i) ASSERT_EQ(own->Get(i), std::string(static_cast<size_t>(i % 9 + 1), static_cast<char>('a' + i)));
    own->Clear();
    own->Put(1, "wieder");
    EXPECT_EQ(own->Get(1), "wieder");
    own->Put(1, "");
    EXPECT_EQ(own->StoredEntries(), 0);
}

// GetText reads what Get reads, also after the entries were inserted,
// deleted and moved between lookups (the last found entry is tried first).
TEST(StringSparseList, GetTextAgreesWithGetAfterChanges) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    for (int i = 0; i < 12; i += 2) list.Put(i, std::string(static_cast<size_t>(i + 1), static_cast<char>('a' + i)));
    auto check = [&] {
        for (int i = 0; i < list.Count() + 2; ++i) ASSERT_EQ(std::string(list.GetText(i)), list.Get(i)) << i;
        for (int i = list.Count() + 1; i >= 0; --i) ASSERT_EQ(std::string(list.GetText(i)), list.Get(i)) << i;
    };
    check();
    list.Delete(3);
    check();
    list.Insert(0, "neu");
    check();
    list.Move(1, 9);
    check();
    list.Put(5, "");
    check();
    EXPECT_EQ(list.GetText(1000), "");
}

}  // namespace
