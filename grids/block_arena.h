// Small blocks cut from a few large chunks: the cell lists of a grid's rows,
// made by the thousand while a text is read, cost one allocation per chunk
// instead of one each, and no heap header each.
//
// A block is given back on its own (Give); its chunk is freed when every
// block cut from it was given back and the arena has moved on to another
// chunk (or was dropped). Blocks may outlive the arena. Not thread-safe,
// like the grids that use it.
#pragma once

#include <cstddef>

class T_BlockArena {
public:
    // Bytes a chunk holds; a request above a quarter of it is refused.
    static constexpr size_t kChunkBytes = 64 * 1024;
    // Enough for the grid's lists and objects (pointers and 32-bit counts);
    // less padding per block than the heap's 16.
    static constexpr size_t kAlignment = 8;

    struct Chunk;

    T_BlockArena() = default;
    ~T_BlockArena() { Drop(); }
    T_BlockArena(const T_BlockArena&) = delete;
    T_BlockArena& operator=(const T_BlockArena&) = delete;

    // A block of Bytes (aligned to kAlignment) and its chunk in Owner, or
    // nullptr (Owner untouched) when Bytes is too large for a chunk; the
    // caller then takes the block from the heap.
    void* Take(size_t Bytes, Chunk*& Owner);
    // A block of Owner is no longer used.
    static void Give(Chunk* Owner) noexcept;
    // Lets go of the chunk being cut (freed once its blocks are given back).
    void Drop() noexcept;

    // Blocks that remember where they came from: Bytes from Arena when one
    // is given and the block fits a chunk, from the heap otherwise. A word
    // before the block names its chunk, so FreeBlock returns either kind.
    static void* NewBlock(size_t Bytes, T_BlockArena* Arena);
    static void FreeBlock(void* Block) noexcept;

private:
    Chunk* current_ = nullptr;
    size_t used_ = 0;  // bytes of current_ handed out
};
