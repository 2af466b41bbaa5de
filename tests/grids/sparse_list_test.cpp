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

TEST(SparseList, InsertDeleteAndPutKeepIndicesAndCount) {
    T_SparseList gap(TSPAQuantum::SPASmall);
    gap.Insert(10, P('x'));
    EXPECT_EQ(gap.Count(), 11);
    EXPECT_EQ(gap.Get(10), P('x'));
    gap.Delete(0);  // a trailing gap keeps its count
    EXPECT_EQ(gap.Count(), 10);
    EXPECT_EQ(gap.Get(9), P('x'));
    EXPECT_EQ(gap.Get(10), nullptr);

    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abcd");
    list.Insert(1, P('x'));
    list.Insert(0, nullptr);
    EXPECT_EQ(Dump(list), ".axbcd");
    list.Delete(0);
    list.Delete(1);
    list.Delete(4);
    list.Delete(-1);
    EXPECT_EQ(Dump(list), "abcd");
    list.Put(3, nullptr);
    EXPECT_EQ(list.Count(), 3);  // from the high bound
    list.Put(20, P('z'));
    EXPECT_EQ(list.Count(), 21);

    // Across a section boundary of the small quantum.
    T_SparseList big(TSPAQuantum::SPASmall);
    for (int i = 0; i < 40; ++i) big.Put(i, P(i + 1));
    big.Insert(3, P(99));
    EXPECT_EQ(big.Count(), 41);
    EXPECT_EQ(big.Get(40), P(40));
    EXPECT_EQ(big.Get(16), P(16));
    big.Delete(3);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(big.Get(i), P(i + 1)) << i;
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

TEST(SparseList, MoveTakesOutAndInsertsAndExchangeSwaps) {
    T_SparseList list(TSPAQuantum::SPASmall);
    Fill(list, "abcde");
    list.Move(1, 3);
    EXPECT_EQ(Dump(list), "acdbe");
    list.Move(3, 0);
    EXPECT_EQ(Dump(list), "bacde");
    list.Exchange(0, 2);
    EXPECT_EQ(Dump(list), "cabde");
    // With an empty position beyond the end: both places stay in the list.
    list.Exchange(4, 7);
    EXPECT_EQ(Dump(list), "cabd...e");
    list.Exchange(7, 1);
    EXPECT_EQ(Dump(list), "cebd...a");

    T_SparseList four(TSPAQuantum::SPASmall);
    Fill(four, "abcd");
    four.Move(5, 1);
    EXPECT_EQ(Dump(four), "a.bcd");
    four.Clear();
    EXPECT_EQ(four.Count(), 0);
    EXPECT_TRUE(four.Array().AllocatedSections().empty());
}

}  // namespace
