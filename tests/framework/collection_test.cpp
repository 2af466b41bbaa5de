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

TEST(Collection, AddKnowsCollectionAndIndex) {
    TTestCollection c;
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(a->Collection(), &c);
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(c.FindItemID(b->ID()), b);
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));
    ASSERT_EQ(c.notes.size(), 2u);
    EXPECT_EQ(c.notes[1].first, b);
    EXPECT_EQ(c.notes[1].second, TCollectionNotification::cnAdded);
    EXPECT_THROW(c.Items(2), EListError);
}

TEST(Collection, SetIndexMovesAndUpdates) {
    TTestCollection c;
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    TCollectionItem* d = c.Add();
    c.updates.clear();
    a->SetIndex(2);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(c.Items(1), d);
    EXPECT_EQ(c.Items(2), a);
    EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
    EXPECT_THROW(a->SetIndex(3), EListError);
    TCollectionItem* e = c.Insert(1);
    EXPECT_EQ(e->Index(), 1);
    EXPECT_EQ(c.Count(), 4);
}

TEST(Collection, FreeOfAnItemRemovesIt) {
    TTestCollection c;
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    c.notes.clear();
    a->Free();
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(b->Index(), 0);
    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_EQ(c.notes[0].second, TCollectionNotification::cnExtracting);
    c.Delete(0);
    EXPECT_EQ(c.Count(), 0);
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

TEST(Collection, SetCollectionMovesBetweenCollections) {
    TTestCollection c1, c2;
    TCollectionItem* a = c1.Add();
    a->SetCollection(&c2);
    EXPECT_EQ(c1.Count(), 0);
    EXPECT_EQ(c2.Count(), 1);
    EXPECT_EQ(a->Collection(), &c2);
    a->SetCollection(nullptr);
    EXPECT_EQ(c2.Count(), 0);
    a->Free();
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

TEST(Collection, AssignCopiesItemsAndOwnerIsReported) {
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
    owner->Free();
}
