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

// The word before a block of NewBlock: its chunk, or nullptr for the heap.
// Its size keeps the block aligned.
constexpr size_t kBlockHeader = T_BlockArena::kAlignment;
static_assert(sizeof(T_BlockArena::Chunk*) <= kBlockHeader);

T_BlockArena::Chunk*& ChunkOf(void* Block) {
    return *reinterpret_cast<T_BlockArena::Chunk**>(static_cast<char*>(Block) - kBlockHeader);
}
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

void* T_BlockArena::NewBlock(size_t Bytes, T_BlockArena* Arena) {
    Chunk* chunk = nullptr;
    void* memory = Arena ? Arena->Take(kBlockHeader + Bytes, chunk) : nullptr;
    if (!memory) memory = ::operator new(kBlockHeader + Bytes);
    void* block = static_cast<char*>(memory) + kBlockHeader;
    ChunkOf(block) = chunk;
    return block;
}

void T_BlockArena::FreeBlock(void* Block) noexcept {
    if (!Block) return;
    if (Chunk* chunk = ChunkOf(Block))
        Give(chunk);
    else
        ::operator delete(static_cast<char*>(Block) - kBlockHeader);
}
