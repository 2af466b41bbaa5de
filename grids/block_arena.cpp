#include "grids/block_arena.h"

#include <new>

// The chunk's header; its blocks follow. live counts the blocks not given
// back, plus one while the arena still cuts from it.
struct T_BlockArena::Chunk {
    alignas(kAlignment) size_t live;
};

namespace {
constexpr size_t RoundUp(size_t Bytes) {
    return (Bytes + T_BlockArena::kAlignment - 1) & ~(T_BlockArena::kAlignment - 1);
}
constexpr size_t kHeader = RoundUp(sizeof(T_BlockArena::Chunk));
}  // namespace

void* T_BlockArena::Take(size_t Bytes, Chunk*& Owner) {
    if (Bytes == 0 || Bytes > kChunkBytes / 4) return nullptr;
    const size_t size = RoundUp(Bytes);
    if (!current_ || kChunkBytes - used_ < size) {
        auto* chunk = static_cast<Chunk*>(::operator new(kHeader + kChunkBytes));
        chunk->live = 1;
        Drop();
        current_ = chunk;
    }
    void* block = reinterpret_cast<char*>(current_) + kHeader + used_;
    used_ += size;
    ++current_->live;
    Owner = current_;
    return block;
}

void T_BlockArena::Give(Chunk* Owner) noexcept {
    if (Owner && --Owner->live == 0) ::operator delete(Owner);
}

void T_BlockArena::Drop() noexcept {
    Give(current_);
    current_ = nullptr;
    used_ = 0;
}
