// The arena the grid's rows cut their cell lists and second-line stores
// from: blocks outlive their chunk's arena, a chunk lives while any of its
// blocks does (the address sanitizer of the native build sees any block
// used after its chunk went), and the rows keep every text when lists and
// stores made in it are freed one by one.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "grids/block_arena.h"
#include "grids/grid_rows.h"
#include "grids/long_text_object.h"
#include "grids/string_sparse_list.h"

namespace {

TEST(BlockArena, BlocksAreAlignedApartAndOutliveTheArena) {
    std::vector<std::pair<char*, size_t>> blocks;
    {
        T_BlockArena arena;
        // Sizes that do and do not fit a chunk, enough to need several.
        for (size_t size : {size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{100}, size_t{1000}, T_BlockArena::kChunkBytes / 4, T_BlockArena::kChunkBytes / 4 + 1,
                            T_BlockArena::kChunkBytes})
            for (int i = 0; i < 20; ++i) {
                auto* b = static_cast<char*>(T_BlockArena::NewBlock(size, &arena));
                EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % T_BlockArena::kAlignment, 0u) << size;
                std::memset(b, static_cast<int>(blocks.size() & 0xFF), size);
                blocks.emplace_back(b, size);
            }
        T_BlockArena::Chunk* owner = nullptr;
        EXPECT_EQ(arena.Take(T_BlockArena::kChunkBytes / 4 + 1, owner), nullptr);
        EXPECT_EQ(arena.Take(0, owner), nullptr);
        EXPECT_EQ(owner, nullptr);
    }
    // The arena is gone; every block still holds its own bytes (none was
    // written over by another), and each is given back on its own.
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto [b, size] = blocks[i];
        for (size_t k = 0; k < size; ++k) ASSERT_EQ(static_cast<unsigned char>(b[k]), i & 0xFF) << i;
    }
    for (size_t i = 0; i < blocks.size(); i += 2) T_BlockArena::FreeBlock(blocks[i].first);
    for (size_t i = 1; i < blocks.size(); i += 2) T_BlockArena::FreeBlock(blocks[i].first);
    T_BlockArena::FreeBlock(nullptr);
}

TEST(BlockArena, ListsFromArenaAndHeapAreDeletedThroughEitherType) {
    T_BlockArena arena;
    // From the arena, from the heap (too large a room), and plain new.
    std::vector<TStrings*> lists = {T_StringSparseList::NewWithRoom(TSPAQuantum::SPASmall, 4, 32, &arena),
                                    T_StringSparseList::NewWithRoom(TSPAQuantum::SPASmall, 4, 1 << 20, &arena),
                                    new T_StringSparseList(TSPAQuantum::SPALarge)};
    for (TStrings* l : lists) {
        // Growing past the room moves the texts out of it.
        for (int i = 0; i < 40; ++i) l->Put(i * 3, std::string(static_cast<size_t>(i + 1), 'a' + i % 26));
        EXPECT_EQ(l->Get(39 * 3), std::string(40, 'a' + 13));
    }
    arena.Drop();
    delete lists[0];  // through the base class
    delete static_cast<T_StringSparseList*>(lists[1]);
    delete lists[2];
}

// Rows 0..n-1: cells 0..3 with texts of the row, every third row a second
// line.
std::string CellText(int row, int col) {
    std::string text = "r";
    text += std::to_string(row);
    text += 'c';
    text += std::to_string(col);
    return text;
}

void FillRows(T_GridRows& rows, int n) {
    for (int r = 0; r < n; ++r) {
        std::vector<std::string> texts;
        std::vector<std::pair<int, std::string_view>> cells;
        for (int c = 0; c < 4; ++c) texts.push_back(CellText(r, c));
        for (int c = 0; c < 4; ++c) cells.emplace_back(c, texts[static_cast<size_t>(c)]);
        rows.StoreTexts(r, 4, cells.data(), cells.size());
        if (r % 3 == 0) rows.EnsureSecondLine(r, 4, nullptr, nullptr)->SetText("Zeile " + std::to_string(r));
    }
}

TEST(BlockArena, GridRowsKeepTheirTextsWhenRowsAndStoresGoOneByOne) {
    const int n = 2000;  // rows over several chunks
    auto rows = std::make_unique<T_GridRows>(n);
    FillRows(*rows, n);
    // Every other row's list and stores go; second lines of others are
    // replaced (longer and shorter) and their lines made.
    for (int r = 0; r < n; r += 2) {
        T_StringSparseList* list = rows->RowList(r);
        rows->Lists().Put(r, nullptr);
        rows->ReleaseRowList(list);
    }
    for (int r = 3; r < n; r += 6) {
        TLongTextObject2* store = rows->SecondLineOf(r);
        ASSERT_NE(store, nullptr) << r;
        store->SetText(r % 4 == 1 ? std::string(300, 'x') : "k");
        if (r % 5 == 0) {
            EXPECT_EQ(store->Lines().Count(), 1);
        }
    }
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < 4; ++c) ASSERT_EQ(rows->GetCell(c, r), r % 2 ? CellText(r, c) : "") << r << "/" << c;
        const std::string second = r % 2 == 0 || r % 3 ? "" : r % 4 == 1 ? std::string(300, 'x') : "k";
        ASSERT_EQ(rows->GetCell(-2, r), second) << r;
    }
    // A store taken out of its row and freed alone, then everything at once
    // and a second fill into the same rows.
    TLongTextObject2* store = rows->SecondLineOf(3);
    rows->RowList(3)->PutObject(0, nullptr);
    rows->FreeSecondLine(store);
    const int alive = TLongTextObject2::LiveCount();
    rows->FreeAll();
    EXPECT_LT(TLongTextObject2::LiveCount(), alive);
    FillRows(*rows, 50);
    EXPECT_EQ(rows->GetCell(3, 49), CellText(49, 3));
    EXPECT_EQ(rows->GetCell(-2, 48), "Zeile 48");
    rows.reset();
}

}  // namespace
