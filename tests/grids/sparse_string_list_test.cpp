#include "grids/string_sparse_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.h"

namespace {

struct Tracked : TObject {
    explicit Tracked(int* alive) : alive_(alive) { ++*alive_; }
    ~Tracked() override { --*alive_; }
    int* alive_;
};

struct ChangeCounter {
    int changes = 0;
    void Attach(T_StringSparseList& list) {
        list.OnChange = [this](TObject*) { ++changes; };
    }
};

TEST(StringSparseList, EmptyTextWithoutObjectRemovesTheEntry) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(4, "x");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(4), "x");
    list.Put(4, "");
    EXPECT_EQ(list.Get(4), "");
    EXPECT_EQ(list.GetObject(4), nullptr);
    EXPECT_EQ(list.Count(), 0);  // no entry left anywhere
    int entries = list.ForAll([](int, const std::string&, TObject*) { return 1; });
    EXPECT_EQ(entries, 0);
}

TEST(StringSparseList, EmptyTextKeepsAnEntryThatHasAnObject) {
    int alive = 0;
    auto o = std::make_unique<Tracked>(&alive);
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(2, "x");
    list.PutObject(2, o.get());
    list.Put(2, "");
    EXPECT_EQ(list.Get(2), "");
    EXPECT_EQ(list.GetObject(2), o.get());
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringSparseList, PutObjectOnEmptyPositionCreatesAnEntry) {
    int alive = 0;
    auto o = std::make_unique<Tracked>(&alive);
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.PutObject(3, nullptr);
    EXPECT_EQ(list.Count(), 0);
    list.PutObject(3, o.get());
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get(3), "");
    EXPECT_EQ(list.GetObject(3), o.get());
    list.Put(3, "t");
    EXPECT_EQ(list.GetObject(3), o.get());  // the text replaces, the object stays
}

TEST(StringSparseList, ObjectsAreNotOwned) {
    int alive = 0;
    auto a = std::make_unique<Tracked>(&alive);
    auto b = std::make_unique<Tracked>(&alive);
    {
        T_StringSparseList list(TSPAQuantum::SPASmall);
        list.PutObject(0, a.get());
        list.PutObject(1, b.get());
        list.Delete(0);
        EXPECT_EQ(list.GetObject(0), b.get());
        list.Clear();
        list.PutObject(5, a.get());
    }
    EXPECT_EQ(alive, 2);
}

TEST(StringSparseList, InsertDeleteMoveExchangeKeepTextAndObjectTogether) {
    int alive = 0;
    auto o = std::make_unique<Tracked>(&alive);
    T_StringSparseList list(TSPAQuantum::SPASmall);
    for (const char* s : {"a", "b", "c", "d"}) list.Add(s);
    list.PutObject(1, o.get());
    list.Insert(0, "z");
    EXPECT_EQ(list.Text(), "z\r\na\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(list.GetObject(2), o.get());
    list.Move(2, 4);
    EXPECT_EQ(list.Text(), "z\r\na\r\nc\r\nd\r\nb\r\n");
    EXPECT_EQ(list.GetObject(4), o.get());
    list.Exchange(4, 0);
    EXPECT_EQ(list.Text(), "b\r\na\r\nc\r\nd\r\nz\r\n");
    EXPECT_EQ(list.GetObject(0), o.get());
    EXPECT_EQ(list.GetObject(4), nullptr);
    list.Delete(0);
    EXPECT_EQ(list.Text(), "a\r\nc\r\nd\r\nz\r\n");
    EXPECT_EQ(list.GetObject(0), nullptr);
    list.Delete(4);  // beyond the end: nothing
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringSparseList, SparseCellsOfARow) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(7, "h");
    list.Put(2, "c");
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(list.Get(5), "");
    std::vector<int> positions;
    list.ForAll([&](int i, const std::string&, TObject*) {
        positions.push_back(i);
        return 0;
    });
    EXPECT_EQ(positions, (std::vector<int>{2, 7}));
    // A column move shifts the cells in between.
    list.Move(7, 0);
    EXPECT_EQ(list.Get(0), "h");
    EXPECT_EQ(list.Get(3), "c");
}

TEST(StringSparseList, ChangeNotifications) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    ChangeCounter counter;
    counter.Attach(list);
    list.Put(0, "a");
    list.Put(1, "b");
    list.Insert(0, "c");
    list.PutObject(0, nullptr);
    list.Delete(0);
    EXPECT_EQ(counter.changes, 5);
    counter.changes = 0;
    list.Clear();
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringSparseList, NegativeIndexRaisesListError) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(0, "a");
    try {
        list.Get(-1);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Der Index der Liste überschreitet das Maximum (%d)");
    }
    EXPECT_THROW(list.Put(-1, "x"), EListError);
    EXPECT_THROW(list.PutObject(-1, nullptr), EListError);
    EXPECT_THROW(list.Insert(-1, "x"), EListError);
    EXPECT_EQ(list.Text(), "a\r\n");
}

TEST(StringSparseList, ErrorClassCarriesItsMessage) {
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

}  // namespace

namespace {

// Objects are kept beside the entries: several of them must follow their
// texts through inserts, deletes, moves and exchanges, and an emptied one
// must leave the others in place.
TEST(StringSparseList, SeveralObjectsFollowTheirEntries) {
    TObject a, b, c;
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(0, "x");
    list.PutObject(0, &a);
    list.PutObject(3, &b);  // an object-only entry
    list.Put(5, "y");
    list.PutObject(5, &c);
    list.Insert(1, "neu");
    EXPECT_EQ(list.GetObject(0), &a);
    EXPECT_EQ(list.GetObject(4), &b);
    EXPECT_EQ(list.GetObject(6), &c);
    EXPECT_EQ(list.Get(6), "y");
    list.Delete(0);
    EXPECT_EQ(list.GetObject(3), &b);
    EXPECT_EQ(list.GetObject(5), &c);
    list.Exchange(3, 5);
    EXPECT_EQ(list.GetObject(3), &c);
    EXPECT_EQ(list.Get(3), "y");
    EXPECT_EQ(list.GetObject(5), &b);
    list.Move(5, 0);
    EXPECT_EQ(list.GetObject(0), &b);
    EXPECT_EQ(list.GetObject(4), &c);
    list.PutObject(0, nullptr);  // the entry stays, the object goes
    EXPECT_EQ(list.GetObject(0), nullptr);
    EXPECT_EQ(list.GetObject(4), &c);
    list.Put(0, "");  // now nothing holds position 0
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(1), "neu");
}

// Texts are rewritten in place, grow past the reserved room and are packed
// when the unused bytes pile up; the values stay exact throughout.
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
}

// A list made with its room in its own allocation behaves like any other:
// it grows out of the room, is emptied and refilled, and is freed by delete.
TEST(StringSparseList, ListWithItsOwnRoom) {
    std::unique_ptr<T_StringSparseList> list(T_StringSparseList::NewWithRoom(TSPAQuantum::SPASmall, 3, 10));
    list->Put(0, "abc");
    list->Put(2, "defghij");
    EXPECT_EQ(list->Get(2), "defghij");
    for (int i = 0; i < 30; ++i) list->Put(i, std::string(static_cast<size_t>(i % 9 + 1), static_cast<char>('a' + i)));
    for (int i = 0; i < 30; ++i) ASSERT_EQ(list->Get(i), std::string(static_cast<size_t>(i % 9 + 1), static_cast<char>('a' + i)));
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    list->Put(1, "wieder");
    EXPECT_EQ(list->Get(1), "wieder");
    list->Put(1, "");
    EXPECT_EQ(list->StoredEntries(), 0);
    list->Put(4, "x");
    EXPECT_EQ(list->Count(), 5);

    std::unique_ptr<T_StringSparseList> empty(T_StringSparseList::NewWithRoom(TSPAQuantum::SPALarge, 0, 0));
    empty->Put(7, "y");
    EXPECT_EQ(empty->Get(7), "y");
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
    EXPECT_THROW(list.GetText(-3), EListError);
}

TEST(StringSparseList, ChangeHandlerCanBeRemoved) {
    T_StringSparseList list(TSPAQuantum::SPASmall);
    ChangeCounter counter;
    counter.Attach(list);
    EXPECT_TRUE(static_cast<bool>(list.OnChange));
    list.Put(0, "a");
    list.OnChange = nullptr;
    list.Put(1, "b");
    counter.Attach(list);
    list.OnChange = TNotifyEvent();
    EXPECT_FALSE(static_cast<bool>(list.OnChange));
    list.Put(2, "c");
    EXPECT_EQ(counter.changes, 1);
}

}  // namespace
