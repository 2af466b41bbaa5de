#include "framework/collection.h"

#include <algorithm>

#include "framework/exceptions.h"
#include "framework/list_messages.h"
#include "framework/scoped_state.h"

// ------------------------------------------------------------ TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    // Deleted without Free(): leave the list without handing the half-destroyed
    // item to Notify.
    if (collection_) collection_->RemoveItem(this, false);
}

void TCollectionItem::AfterConstruction() {
    if (collection_) {
        collection_->Notify(this, TCollectionNotification::cnAdded);
        collection_->Changed();
    }
}

void TCollectionItem::BeforeDestruction() {
    if (collection_) collection_->RemoveItem(this, true);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (collection_) collection_->RemoveItem(this, true);
    if (Value) {
        Value->InsertItem(this);
        Value->Notify(this, TCollectionNotification::cnAdded);
        Value->Changed();
    }
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    const auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    const int cur = Index();
    if (cur < 0 || cur == Value) return;
    auto& items = collection_->items_;
    if (Value < 0 || Value >= static_cast<int>(items.size())) throw EListError(SListIndexError);
    items.erase(items.begin() + cur);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

std::string TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const std::string& Value) {
    (void)Value;
    Changed(false);
}

void TCollectionItem::Changed(bool AllItems) {
    if (!collection_ || collection_->update_count_ > 0) return;
    collection_->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

// ---------------------------------------------------------------- TCollection

TCollection::TCollection(ItemFactory Factory) : factory_(std::move(Factory)) {}

TCollection::~TCollection() {
    // Deleted without Free(): the items still go, but no Update reaches a
    // collection that is half gone.
    ++update_count_;
    ClearItems();
}

void TCollection::BeforeDestruction() {
    ScopedCounter quiet(update_count_);
    ClearItems();
}

TCollectionItem* TCollection::CreateItem() {
    if (factory_) return factory_(this);
    return Create<TCollectionItem>(this);
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = CreateItem();
    if (item && item->collection_ != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) throw EListError(SListIndexError);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(SListIndexError);
    return items_[static_cast<size_t>(Index)];
}

void TCollection::Clear() {
    if (items_.empty()) return;
    WithUpdate(*this, [&] {
        ClearItems();
    });
}

void TCollection::ClearItems() {
    // Last first, re-reading the list each time: freeing an item may change
    // the collection further.
    while (!items_.empty()) {
        TCollectionItem* item = items_.back();
        if (item->IsBeingFreed()) {
            // Already on its way out (its own Free is running): just unlink.
            RemoveItem(item, true);
            continue;
        }
        item->Free();
    }
}

void TCollection::Delete(int Index) { Items(Index)->Free(); }

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == ID) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++update_count_; }

void TCollection::EndUpdate() {
    if (update_count_ <= 0) return;
    --update_count_;
    Changed();
}

void TCollection::Changed() {
    if (update_count_ == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (const auto* src = dynamic_cast<const TCollection*>(Source)) {
        WithUpdate(*this, [&] {
            ClearItems();
            for (TCollectionItem* item : src->items_) Add()->Assign(item);
        });
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = next_id_++;
}

void TCollection::RemoveItem(TCollectionItem* Item, bool Whole) {
    const auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end()) {
        Item->collection_ = nullptr;
        return;
    }
    if (Whole) Notify(Item, TCollectionNotification::cnExtracting);
    // Notify may have moved things: look the item up again.
    const auto again = std::find(items_.begin(), items_.end(), Item);
    if (again != items_.end()) items_.erase(again);
    Item->collection_ = nullptr;
    Changed();
}
