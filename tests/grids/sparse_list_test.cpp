#include "grids/sparse_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"

namespace {

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

const char kIndexMessage[] = "Der Index der Liste überschreitet das Maximum (%d)";

// Items 'a', 'b', ... stored as small integers; 0 shows as '.'.
std::string Dump(const T_SparseList& list) {
    std::string s;
    for (int i = 0; i < list.Count(); ++i) {
        intptr_t v = reinterpret_cast<intptr_t>(list.Get(i));
        s += v ? static_cast<char>(v) : '.';
    }
    return s;
}

void Fill(T_SparseList& list, const std::string& items) {
    for (size_t i = 0; i < items.size(); ++i) list.Put(static_cast<int>(i), P(items[i]));
}

TEST(SparseList, InsertBeyondCountStoresThereAndCountsUpToIt) {
    T_SparseList list(TSPAQuantum::SPASmall);
    list.Insert(10, P('x'));
    EXPECT_EQ(list.Count(), 11);
    EXPECT_EQ(list.Get(10), P('x'));
    EXPECT_EQ(list.Get(9), nullptr);
}

TEST(SparseList, InsertAndDeleteShiftTheTail) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abcd");
    list.Insert(1, P('x'));
    EXPECT_EQ(Dump(list), "axbcd");
    list.Insert(0, nullptr);
    EXPECT_EQ(Dump(list), ".axbcd");
    EXPECT_EQ(list.Count(), 6);
    list.Delete(0);
    list.Delete(1);
    EXPECT_EQ(Dump(list), "abcd");
    EXPECT_EQ(list.Array().HighBound(), 3);
    // Across a section boundary of the small quantum.
    T_SparseList big(TSPAQuantum::SPASmall);
    for (int i = 0; i < 40; ++i) big.Put(i, P(i + 1));
    big.Insert(3, P(99));
    EXPECT_EQ(big.Count(), 41);
    EXPECT_EQ(big.Get(40), P(40));
    EXPECT_EQ(big.Get(16), P(16));
    big.Delete(3);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(big.Get(i), P(i + 1)) << i;
    EXPECT_EQ(big.Count(), 40);
}

TEST(SparseList, DeleteKeepsCountOfATrailingGap) {
    // Count 11 with only index 10 used: deleting 0 moves it to 9.
    T_SparseList list(TSPAQuantum::SPASmall);
    list.Insert(10, P('x'));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list.Get(9), P('x'));
    EXPECT_EQ(list.Get(10), nullptr);
}

TEST(SparseList, DeleteOutsideTheListIsIgnored) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abc");
    list.Delete(3);
    list.Delete(-1);
    list.Delete(1000);
    EXPECT_EQ(Dump(list), "abc");
}

TEST(SparseList, PutSetsCountFromHighBound) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abc");
    list.Put(2, nullptr);
    EXPECT_EQ(list.Count(), 2);
    list.Put(20, P('z'));
    EXPECT_EQ(list.Count(), 21);
}

TEST(SparseList, NegativeIndexRaisesTheLiteralMessage) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "ab");
    try {
        list.Get(-1);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), kIndexMessage);
    }
    EXPECT_THROW(list.Put(-1, P('x')), EListError);
    EXPECT_THROW(list.Insert(-1, P('x')), EListError);
    EXPECT_THROW(list.Exchange(-1, 0), EListError);
    EXPECT_THROW(list.Move(0, -2), EListError);
    EXPECT_EQ(Dump(list), "ab");
}

TEST(SparseList, IndicesBeyondSectionCapacityRaiseInsteadOfWrapping) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "ab");
    EXPECT_THROW(list.Put(1048576, P('x')), EListError);
    EXPECT_THROW(list.Insert(1048576, P('x')), EListError);
    EXPECT_THROW(list.Move(0, 1048576), EListError);
    EXPECT_EQ(list.Get(1048576), nullptr);
    EXPECT_EQ(Dump(list), "ab");
    EXPECT_EQ(list.Array().AllocatedSections(), (std::vector<int>{0}));

    // A full list cannot take one more by insertion.
    list.Put(1048575, P('z'));
    EXPECT_THROW(list.Insert(0, P('y')), EListError);
    EXPECT_EQ(list.Get(0), P('a'));
    EXPECT_EQ(list.Get(1048575), P('z'));
}

TEST(SparseList, MoveTakesOutAndInserts) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abcde");
    list.Move(1, 3);
    EXPECT_EQ(Dump(list), "acdbe");
    list.Move(3, 0);
    EXPECT_EQ(Dump(list), "bacde");
    list.Move(2, 2);
    EXPECT_EQ(Dump(list), "bacde");

    T_SparseList four(TSPAQuantum::SPASmall);
    Fill(four, "abcd");
    four.Move(5, 1);
    EXPECT_EQ(Dump(four), "a.bcd");
}

TEST(SparseList, ExchangeSwaps) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abcde");
    list.Exchange(0, 2);
    EXPECT_EQ(Dump(list), "cbade");
    list.Exchange(4, 4);
    EXPECT_EQ(Dump(list), "cbade");
    // With an empty position beyond the end: both places stay in the list.
    list.Exchange(4, 7);
    EXPECT_EQ(Dump(list), "cbad...e");
    list.Exchange(7, 1);
    EXPECT_EQ(Dump(list), "cead...b");
}

TEST(SparseList, ClearEmptiesAndKeepsQuantum) {
    T_SparseList list(TSPAQuantum::SPALarge);
    Fill(list, "abc");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Quantum(), TSPAQuantum::SPALarge);
    EXPECT_TRUE(list.Array().AllocatedSections().empty());
}

}  // namespace
