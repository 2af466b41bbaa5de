// TCollection and TCollectionItem: an ordered list of items that know their
// collection. Items are made through the collection's item factory (Add,
// Insert) or with Create<TItem>(collection); Free() of an item takes it out of
// its collection. Changes reach the virtual Update(Item) of the collection
// (nullptr: the whole collection), held back while BeginUpdate is in force.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (at the end) when given. The collection hears of the
    // new item (Notify/Update) in AfterConstruction, once the item is whole.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Leaves the old collection and joins the new one (either may be nullptr).
    void SetCollection(TCollection* Value);

    // Position in the collection (-1 without one). SetIndex moves the item
    // and tells the collection; an index out of range raises EListError.
    int Index() const;
    virtual void SetIndex(int Value);
    int ID() const { return id_; }

    // The text shown for the item; the default is the class name.
    virtual std::string GetDisplayName() const;
    std::string DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const std::string& Value);

    void AfterConstruction() override;

protected:
    // Tells the collection: AllItems -> Update(nullptr), else Update(this).
    void Changed(bool AllItems);
    TPersistent* GetOwner() const override;
    // Leaves the collection while the item is still whole. Overrides call
    // this last: afterwards (and in destructors) Collection() is nullptr, so
    // work that needs the collection or its owner belongs before that call.
    void BeforeDestruction() override;

private:
    TCollection* collection_ = nullptr;
    int id_ = 0;
    friend class TCollection;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // Factory for Create<T>(collection) items.
    template <class T>
    static ItemFactory ItemClass() {
        return [](TCollection* c) -> TCollectionItem* { return Create<T>(c); };
    }

    // Without a factory the collection makes plain TCollectionItem objects
    // (or what a CreateItem override makes).
    explicit TCollection(ItemFactory Factory = nullptr);
    ~TCollection() override;

    TCollectionItem* Add();
    // A new item at Index (0..Count).
    TCollectionItem* Insert(int Index);
    // Raises EListError for an index out of range.
    TCollectionItem* Items(int Index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear();
    // Frees the item at Index.
    void Delete(int Index);
    TCollectionItem* FindItemID(int ID) const;

    void BeginUpdate();
    // Update(nullptr) when the last bracket closes.
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    // Copies the items of another collection (each through Assign).
    void Assign(const TPersistent* Source) override;

    // The persistent this collection belongs to (GetOwner).
    TPersistent* Owner() const { return GetOwner(); }

protected:
    virtual TCollectionItem* CreateItem();
    // Called with the item that changed, or nullptr when the whole collection
    // did; never while an update bracket is open.
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {
        (void)Item;
        (void)Action;
    }
    // Update(nullptr) unless an update bracket is open.
    void Changed();
    // Clears the items while the collection is whole.
    void BeforeDestruction() override;

private:
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item, bool Whole);
    void ClearItems();

    ItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int update_count_ = 0;
    int next_id_ = 0;
    friend class TCollectionItem;
};

// A collection that reports an owner (a component, usually).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, ItemFactory Factory = nullptr)
        : TCollection(std::move(Factory)), owner_(AOwner) {}

protected:
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};
