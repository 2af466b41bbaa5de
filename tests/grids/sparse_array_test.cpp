#include "grids/sparse_array.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/exceptions.h"

namespace {

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

const char kIndexMessage[] = "Der Index der Liste überschreitet das Maximum (%d)";

TEST(SparsePointerArray, SectionsOnlyWhereItemsAre) {
    TSparsePointerArray small(TSPAQuantum::SPASmall);
    small.Put(0, P(1));
    small.Put(1000, P(2));
    EXPECT_EQ(small.AllocatedSections(), (std::vector<int>{0, 62}));
    EXPECT_EQ(small.Get(1000), P(2));
    EXPECT_EQ(small.Get(999), nullptr);
    EXPECT_EQ(small.HighBound(), 1000);

    TSparsePointerArray large(TSPAQuantum::SPALarge);
    large.Put(1000, P(2));
    EXPECT_EQ(large.AllocatedSections(), (std::vector<int>{3}));
}

TEST(SparsePointerArray, EmptyingTheTopLowersTheHighBound) {
    TSparsePointerArray a(TSPAQuantum::SPASmall);
    a.Put(500, nullptr);  // an empty item on an empty slot allocates nothing
    EXPECT_TRUE(a.AllocatedSections().empty());
    EXPECT_EQ(a.Get(3), nullptr);  // cached as empty
    a.Put(3, P(3));
    EXPECT_EQ(a.Get(3), P(3));
    a.Put(7, P(7));
    a.Put(40, P(40));
    EXPECT_EQ(a.HighBound(), 40);
    a.Put(7, nullptr);
    a.Put(7, P(7));
    a.Put(40, nullptr);
    EXPECT_EQ(a.HighBound(), 7);
    a.Put(7, nullptr);
    EXPECT_EQ(a.HighBound(), 3);
    a.Put(3, nullptr);
    EXPECT_EQ(a.HighBound(), -1);
}

TEST(SparsePointerArray, CapacityIsBoundBySixteenBitSections) {
    TSparsePointerArray small(TSPAQuantum::SPASmall);
    EXPECT_EQ(small.Capacity(), 1048576);
    small.Put(1048575, P(1));
    EXPECT_EQ(small.Get(1048575), P(1));
    try {
        small.Put(1048576, P(2));
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), kIndexMessage);
        EXPECT_EQ(e.Message().substr(20, 2), "\xFC" "b");  // CP1252, not UTF-8
    }
    // Nothing wrapped onto section 0.
    EXPECT_EQ(small.Get(0), nullptr);
    EXPECT_EQ(small.Get(1048576), nullptr);
    EXPECT_EQ(small.HighBound(), 1048575);

    TSparsePointerArray large(TSPAQuantum::SPALarge);
    EXPECT_EQ(large.Capacity(), 16777216);
    EXPECT_THROW(large.Put(16777216, P(1)), EListError);
    EXPECT_THROW(large.Make(-1), EListError);
    EXPECT_TRUE(large.AllocatedSections().empty());
}

TEST(SparsePointerArray, ForAllVisitsInIndexOrderAndStopsAtFirstResult) {
    TSparsePointerArray a(TSPAQuantum::SPASmall);
    for (int i : {300, 2, 17, 16, 5000}) a.Put(i, P(i));
    std::vector<int> seen;
    EXPECT_EQ(a.ForAll([&](int index, void* item) {
        EXPECT_EQ(item, P(index));
        seen.push_back(index);
        return 0;
    }), 0);
    EXPECT_EQ(seen, (std::vector<int>{2, 16, 17, 300, 5000}));

    seen.clear();
    EXPECT_EQ(a.ForAll([&](int index, void*) {
        seen.push_back(index);
        return index >= 17 ? index : 0;
    }), 17);
    EXPECT_EQ(seen, (std::vector<int>{2, 16, 17}));
}

}  // namespace
