// String list whose entries (a text and an object) are kept sparsely: the
// cell list of one string-grid row. Positions never written cost nothing.
// The objects are not owned by the list.
//
// Positions follow the sparse list's rules (sparse_list.h): the same count,
// the same capacity per quantum and the same errors. The storage is compact:
// the entries sit in one array sorted by position and their texts one after
// the other in one buffer, so a row of cells costs a few allocations rather
// than one or two per cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/events.h"
#include "framework/exceptions.h"
#include "framework/strings.h"
#include "grids/block_arena.h"
#include "grids/sparse_list.h"

FRAMEWORK_EXCEPTION(EStringSparseListError, Exception);

// Callback of T_StringSparseList::ForAll: position, text and object of a
// stored entry; a result other than 0 stops the walk.
using TStringSparseApply = std::function<int(int Index, const std::string& S, TObject* AObject)>;

// A notify event kept behind one pointer (a grid holds one list per row and
// rows seldom have a handler); assigned, tested and called like TNotifyEvent.
class TCompactNotifyEvent {
public:
    TCompactNotifyEvent() = default;
    TCompactNotifyEvent& operator=(TNotifyEvent Handler) {
        if (Handler)
            handler_ = std::make_unique<TNotifyEvent>(std::move(Handler));
        else
            handler_.reset();
        return *this;
    }
    TCompactNotifyEvent& operator=(std::nullptr_t) {
        handler_.reset();
        return *this;
    }
    explicit operator bool() const { return handler_ != nullptr; }
    void operator()(TObject* Sender) const {
        if (handler_) (*handler_)(Sender);
    }

private:
    std::unique_ptr<TNotifyEvent> handler_;
};

class T_StringSparseList : public TStrings {
public:
    explicit T_StringSparseList(TSPAQuantum Quantum);
    ~T_StringSparseList() override;
    T_StringSparseList(const T_StringSparseList&) = delete;
    T_StringSparseList& operator=(const T_StringSparseList&) = delete;

    // A list whose first storage (as ReserveStorage(Entries, TextBytes))
    // lies in the list's own allocation, so that a grid row costs one
    // allocation; cut from Arena when one is given and the whole fits a
    // chunk of it. Freed with delete like any other.
    static T_StringSparseList* NewWithRoom(TSPAQuantum Quantum, int Entries, size_t TextBytes,
                                           T_BlockArena* Arena = nullptr);
    // The class's own operators: every list is a block of
    // T_BlockArena::NewBlock (from an arena or the heap), which delete gives
    // back to where it came from; a list made by NewWithRoom is larger than
    // the class, so the size-taking global delete must not be used either.
    static void* operator new(size_t Size) { return T_BlockArena::NewBlock(Size, nullptr); }
    static void* operator new(size_t, void* Place) noexcept { return Place; }
    static void operator delete(void* Block) noexcept { T_BlockArena::FreeBlock(Block); }
    static void operator delete(void* Block, void*) noexcept { T_BlockArena::FreeBlock(Block); }

    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override { PutText(Index, S); }
    // Put without a string.
    void PutText(int Index, std::string_view S);
    // Fills an empty list with texts at ascending positions (empty texts
    // store nothing) when its room holds them; false, and nothing changed,
    // otherwise (the caller then puts them one by one).
    bool FillEmpty(const std::pair<int, std::string_view>* Texts, size_t Count);
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    void Clear() override;

    // Makes room for Entries entries and TextBytes bytes of text (a hint).
    void ReserveStorage(int Entries, size_t TextBytes);
    // Bytes of the text area a text of Size bytes takes.
    static size_t TextRoom(size_t Size) { return Size < kLongText ? Size : Size + 4; }
    // The entries and text bytes in use, for sizing a similar list.
    int StoredEntries() const { return static_cast<int>(entry_count_); }
    size_t StoredTextBytes() const { return size_t{text_size_} - garbage_; }

    // The text at Index as Get gives it, as a view valid until the list
    // changes.
    std::string_view GetText(int Index) const;

    // GetText of Count positions at once (a negative one gives an empty
    // text); ascending positions are found in one walk over the entries.
    void GetTexts(const int* Indexes, size_t Count, std::string_view* Texts) const;

    // Visits the stored entries in position order.
    int ForAll(const TStringSparseApply& Apply) const;

    TCompactNotifyEvent OnChange;

protected:
    void Changed();
    [[noreturn]] static void Error();

private:
    // A stored entry: its position and its text in the text area. An entry
    // exists when its text is not empty or its position holds an object.
    // Positions stay below 2^24 (the capacity of the large quantum), which
    // leaves a byte for the size of a short text; a longer one (kLongText)
    // has its size in the four bytes before its bytes in the text area.
    struct Entry {
        uint32_t index : 24;
        uint32_t short_size : 8;
        uint32_t offset;
    };
    static_assert(sizeof(Entry) == 8);
    static constexpr uint32_t kLongText = 255;
    // An object and its position.
    struct ObjectAt {
        int index;
        TObject* object;
    };
    // An entry taken out of the list while it moves.
    struct Taken {
        bool present = false;
        std::string text;
        TObject* object = nullptr;
    };

    int Capacity() const;
    void CheckStoreIndex(int Index) const;
    Entry* Entries() const { return reinterpret_cast<Entry*>(block_); }
    char* TextArea() const { return block_ + size_t{entry_capacity_} * sizeof(Entry); }
    // Bytes of a block of that many entries and text bytes; raises when too
    // large for the 32-bit offsets.
    static size_t BlockBytes(size_t EntryCapacity, size_t TextCapacity);
    // First entry at or after Index.
    size_t LowerBound(int Index) const;
    // The position of the entry at Index or npos; a negative index raises.
    size_t Find(int Index) const;
    int HighBound() const { return entry_count_ == 0 ? -1 : Entries()[entry_count_ - 1].index; }
    size_t SizeOf(const Entry& E) const;
    std::string_view TextOf(const Entry& E) const;
    // Writes Text at Offset of the text area for E (its size word first
    // when long).
    void WriteText(Entry& E, uint32_t Offset, std::string_view Text);
    TObject* ObjectOf(int Index) const;
    void SetObjectOf(int Index, TObject* AObject);
    // Moves the objects at or after From by Delta positions.
    void ShiftObjects(int From, int Delta);
    void ClearObjects();
    void SetText(size_t Pos, std::string_view Text);
    size_t InsertEntry(int Index);
    void EraseEntry(size_t Pos);
    // A new block with room for Entries entries and Text bytes of live text;
    // the texts are packed on the way.
    void Reallocate(uint32_t Entries, size_t Text);
    void ReleaseBlock();
    // The sparse list's delete and insert of one position (shifting those
    // behind), with the entry that moves.
    Taken TakeAt(int Index);
    void ListDelete(int Index);
    void ListInsert(int Index, Taken Item);

    // One of these per grid row: the members are ordered to leave no
    // padding, and the rarely used further objects sit behind a pointer.
    char* block_ = nullptr;  // entry_capacity_ entries, then text_capacity_ bytes
    uint32_t entry_count_ = 0;
    uint32_t entry_capacity_ = 0;
    uint32_t text_size_ = 0;      // used bytes of the text area, unused ones counted in garbage_
    uint32_t text_capacity_ = 0;
    uint32_t garbage_ = 0;
    int count_ = 0;
    int first_object_index_ = -1;  // -1: no first object
    TSPAQuantum quantum_;
    bool inline_block_ = false;  // block_ lies behind the list in its allocation (not freed alone)
    // The entry found last: cells are mostly read one after the other, so
    // the next one is tried before a search.
    mutable uint16_t hint_ = 0;
    TObject* first_object_ = nullptr;
    std::unique_ptr<std::vector<ObjectAt>> more_objects_;  // null when none
};
