// TCollection/TCollectionItem: membership, index moves, freeing items,
// update brackets and destruction order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/collection.h"
#include "framework/exceptions.h"

namespace {

class TTestItem : public TCollectionItem {
public:
    explicit TTestItem(TCollection* c) : TCollectionItem(c) {}
    std::string Caption;
    // Freed together with this item (a subclass whose teardown changes the
    // collection further).
    TCollectionItem* Partner = nullptr;

protected:
    void BeforeDestruction() override {
        TCollectionItem* p = Partner;
        Partner = nullptr;
        if (p) p->Free();
        TCollectionItem::BeforeDestruction();
    }
};

class TTestCollection : public TCollection {
public:
    TTestCollection() : TCollection(ItemClass<TTestItem>()) {}
    std::vector<TCollectionItem*> updates;
    std::vector<std::pair<TCollectionItem*, TCollectionNotification>> notes;
    TTestItem* Item(int i) const { return static_cast<TTestItem*>(Items(i)); }

protected:
    void Update(TCollectionItem* Item) override { updates.push_back(Item); }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override { notes.emplace_back(Item, Action); }
};

}  // namespace

TEST(Collection, AddMoveAndFreeKeepIndexesAndNotify) {
    TTestCollection c;
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    TCollectionItem* d = c.Add();
    EXPECT_EQ(a->Collection(), &c);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(c.FindItemID(b->ID()), b);
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>(3, nullptr)));
    ASSERT_EQ(c.notes.size(), 3u);
    EXPECT_EQ(c.notes[1], std::make_pair(b, TCollectionNotification::cnAdded));
    EXPECT_THROW(c.Items(3), EListError);
    c.updates.clear();
    a->SetIndex(2);
    EXPECT_EQ((std::vector<TCollectionItem*>{c.Items(0), c.Items(1), c.Items(2)}), (std::vector{b, d, a}));
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
    EXPECT_THROW(a->SetIndex(3), EListError);
    EXPECT_EQ(c.Insert(1)->Index(), 1);
    c.notes.clear();
    b->Free();
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(d->Index(), 0);
    EXPECT_EQ(c.notes, (std::vector{std::make_pair(b, TCollectionNotification::cnExtracting)}));
    c.Delete(0);
    EXPECT_EQ(c.Count(), 2);
}

TEST(Collection, UpdateOnlyWhenTheLastBracketCloses) {
    TTestCollection c;
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add()->SetIndex(0);
    c.Add();
    c.Delete(0);
    EXPECT_TRUE(c.updates.empty());
    c.EndUpdate();
    EXPECT_TRUE(c.updates.empty());
    c.EndUpdate();
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
    c.updates.clear();
    c.Item(0)->SetDisplayName("x");  // an item's own change
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{c.Items(0)}));
    c.updates.clear();
    c.Add();
    c.Add();
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.updates.size(), 3u);  // two adds, then one for the whole clear
}

TEST(Collection, ItemTeardownThatChangesTheCollection) {
    TTestCollection c;
    TTestItem* a = static_cast<TTestItem*>(c.Add());
    TTestItem* b = static_cast<TTestItem*>(c.Add());
    TTestItem* d = static_cast<TTestItem*>(c.Add());
    a->Partner = d;
    d->Partner = b;
    a->Free();  // frees d, which frees b
    EXPECT_EQ(c.Count(), 0);
    TTestItem* x = static_cast<TTestItem*>(c.Add());
    TTestItem* y = static_cast<TTestItem*>(c.Add());
    y->Partner = x;  // Clear frees y first, which frees x
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(Collection, DeletedWithoutFreeStillCleansUp) {
    auto* c = new TTestCollection;
    TCollectionItem* a = c->Add();
    TCollectionItem* b = c->Add();
    c->Add();
    delete b;  // leaves the list
    EXPECT_EQ(c->Count(), 2);
    static_cast<TTestItem*>(c->Items(1))->Partner = a;  // freed first, frees a
    delete c;  // the destructor still frees every item
}

namespace {
class TNamedItem : public TCollectionItem {
public:
    explicit TNamedItem(TCollection* c) : TCollectionItem(c) {}
    std::string Name;
    void Assign(const TPersistent* Source) override {
        if (auto* s = dynamic_cast<const TNamedItem*>(Source)) {
            Name = s->Name;
            return;
        }
        TCollectionItem::Assign(Source);
    }
};
}  // namespace

TEST(Collection, AssignCopiesItemsOwnerIsReportedAndItemsMove) {
    TOwnedCollection src(nullptr, TCollection::ItemClass<TNamedItem>());
    static_cast<TNamedItem*>(src.Add())->Name = "a";
    static_cast<TNamedItem*>(src.Add())->Name = "b";
    TPersistent* owner = Create<TPersistent>();
    TOwnedCollection dst(owner, TCollection::ItemClass<TNamedItem>());
    dst.Add();
    dst.Assign(&src);
    ASSERT_EQ(dst.Count(), 2);
    EXPECT_EQ(static_cast<TNamedItem*>(dst.Items(1))->Name, "b");
    EXPECT_EQ(dst.Owner(), owner);
    TCollection plain;
    EXPECT_THROW(plain.Add()->Assign(dst.Items(0)), EConvertError);
    // An item moves between collections.
    TCollectionItem* moved = src.Items(0);
    moved->SetCollection(&plain);
    EXPECT_EQ(src.Count() * 10 + plain.Count(), 12);
    EXPECT_EQ(moved->Collection(), &plain);
    moved->SetCollection(nullptr);
    EXPECT_EQ(plain.Count(), 1);
    moved->Free();
    owner->Free();
}
