// Life cycle of objects, components and collections: construction and
// destruction hooks, ownership, free notification, loading state, Assign,
// collection membership, index moves and update brackets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/collection.h"
#include "framework/component.h"
#include "framework/exceptions.h"
#include "framework/object.h"
#include "tests/framework/control_test_support.h"

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const std::string& s) { if (g_log) g_log->push_back(s); }

class TBase : public TObject {
public:
    TBase() { Log("TBase()"); }
    ~TBase() override { Log("~TBase"); }
    void AfterConstruction() override { Log("After:" + Describe()); }
    void BeforeDestruction() override { Log("Before:" + Describe()); }
    virtual std::string Describe() const { return "base"; }
};

class TDerived : public TBase {
public:
    TDerived() : value_("derived") { Log("TDerived()"); }
    ~TDerived() override { Log("~TDerived"); }
    std::string Describe() const override { return value_; }
    std::string value_;
};

class LogTest : public ::testing::Test {
protected:
    void SetUp() override { g_log = &log; }
    void TearDown() override { g_log = nullptr; }
    std::vector<std::string> log;
};

// A component that records its notifications and keeps one reference.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* AOwner, std::string tag = "") : TComponent(AOwner), tag_(std::move(tag)) {}
    ~TProbe() override { Log("~" + tag_); }
    TComponent* Ref = nullptr;
    int Removes = 0;
    int LoadedCalls = 0;
    bool SawLoadingInLoaded = true;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove) {
            ++Removes;
            if (AComponent == Ref) Ref = nullptr;
        }
    }
    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
        SawLoadingInLoaded = IsLoading();
    }
    void BeforeDestruction() override {
        Log("Before:" + tag_ + ":" + std::to_string(ComponentCount()) + (IsDestroying() ? ":d" : ":-"));
        TComponent::BeforeDestruction();
    }
    std::string tag_;
};

struct TFailing : TBase {
    void AfterConstruction() override { throw EAbort("nein"); }
};

}  // namespace

TEST_F(LogTest, AfterConstructionSeesTheWholeObjectAndMayFail) {
    TBase* o = Create<TDerived>();
    EXPECT_EQ(log, (std::vector<std::string>{"TBase()", "TDerived()", "After:derived"}));
    log.clear();
    o->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"Before:derived", "~TDerived", "~TBase"}));
    EXPECT_THROW(Create<TFailing>(), EAbort);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "~TBase");
    EXPECT_EQ(log[log.size() - 2], "Before:base");
}

TEST_F(LogTest, OwnerFreesOwnedComponentsLastFirstAndOneFreedFirstLeavesIt) {
    TProbe* owner = Create<TProbe>(nullptr, "owner");
    Create<TProbe>(owner, "a");
    Create<TProbe>(owner, "b");
    Create<TProbe>(owner, "c");
    ASSERT_EQ(owner->ComponentCount(), 3);
    owner->Free();
    // The owner's own BeforeDestruction runs first with all three present,
    // already dying; then c, b, a, each before the owner's destructor.
    EXPECT_EQ(log, (std::vector<std::string>{"Before:owner:3:d", "Before:c:0:d", "~c", "Before:b:0:d", "~b",
                                             "Before:a:0:d", "~a", "~owner"}));
    TProbe* parent = Create<TProbe>(nullptr, "owner");
    TProbe* a = Create<TProbe>(parent, "a");
    TProbe* b = Create<TProbe>(parent, "b");
    EXPECT_EQ(a->Owner(), parent);
    a->Free();
    ASSERT_EQ(parent->ComponentCount(), 1);
    EXPECT_EQ(parent->Components(0), b);
    parent->Free();
    EXPECT_EQ(log.back(), "~owner");
}

// A reference is cleared by a free notification or, between siblings, by
// the owner; a removed notification tells nothing. Freeing the holder later
// touches nothing dead (ASan watches this).
TEST(Component, FreeNotificationsClearReferencesAlsoOnDeleteWithoutFree) {
    TProbe* owner = Create<TProbe>(nullptr, "owner");
    TProbe* grid = Create<TProbe>(nullptr, "grid");
    TProbe* sibling = Create<TProbe>(owner, "sibling");
    TProbe* menu = Create<TProbe>(owner, "menu");
    grid->Ref = sibling->Ref = menu;
    menu->FreeNotification(grid);
    menu->Free();
    EXPECT_EQ(grid->Ref, nullptr);
    EXPECT_EQ(sibling->Ref, nullptr);
    TProbe* a = Create<TProbe>(nullptr, "a");
    a->FreeNotification(grid);
    a->RemoveFreeNotification(grid);
    grid->Ref = a;
    grid->Removes = 0;
    a->Free();
    EXPECT_EQ(grid->Ref, a);  // not told
    EXPECT_EQ(grid->Removes, 0);
    grid->Free();
    owner->Free();
    TProbe* holder = Create<TProbe>(nullptr, "owner");
    TProbe* held = Create<TProbe>(holder, "a");
    TProbe* watcher = Create<TProbe>(nullptr, "w");
    watcher->Ref = held;
    held->FreeNotification(watcher);
    Create<TProbe>(held, "child");
    delete held;  // no Free(): the destructor does the bookkeeping
    EXPECT_EQ(holder->ComponentCount(), 0);
    EXPECT_EQ(watcher->Ref, nullptr);
    delete holder;
    watcher->Free();
}

TEST(Component, LoadingBracketAndInsertComponent) {
    TProbe* c = Create<TProbe>(nullptr, "c");
    c->BeginLoading();
    EXPECT_TRUE(c->IsLoading());
    EXPECT_TRUE(c->ComponentState() & csLoading);
    c->EndLoading();
    EXPECT_FALSE(c->IsLoading());
    EXPECT_EQ(c->LoadedCalls, 1);
    EXPECT_FALSE(c->SawLoadingInLoaded);
    c->EndLoading();  // no bracket open: nothing
    EXPECT_EQ(c->LoadedCalls, 1);
    c->Free();
    TProbe* o1 = Create<TProbe>(nullptr, "o1");
    TProbe* o2 = Create<TProbe>(nullptr, "o2");
    TProbe* a = Create<TProbe>(o1, "a");
    o2->InsertComponent(a);
    EXPECT_EQ(a->Owner(), o2);
    EXPECT_EQ(o1->ComponentCount(), 0);
    EXPECT_EQ(o2->ComponentCount(), 1);
    o1->Free();
    o2->Free();
}

// Kept apart from the graphics TFont; the message uses the bare class names.
namespace persist_test {
class TFont : public TPersistent {};
class TOther : public TPersistent {};
}  // namespace persist_test

TEST(Persistent, AssignOfUnknownPairRaisesConvertError) {
    auto* f = Create<persist_test::TFont>();
    auto* o = Create<persist_test::TOther>();
    EXPECT_EQ(ErrorOf<EConvertError>([&] { o->Assign(f); }), "TFont kann nicht zu TOther zugewiesen werden");
    f->Free();
    o->Free();
}

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
    EXPECT_EQ(d->Index(), 1);  // was 2
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

TEST(Collection, TeardownThatChangesTheCollectionAndDeleteWithoutFree) {
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
    auto* heap = new TTestCollection;
    TCollectionItem* first = heap->Add();
    TCollectionItem* second = heap->Add();
    heap->Add();
    delete second;  // leaves the list
    EXPECT_EQ(heap->Count(), 2);
    static_cast<TTestItem*>(heap->Items(1))->Partner = first;  // freed first, frees the first
    delete heap;  // the destructor still frees every item
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
    EXPECT_EQ((std::vector<int>{src.Count(), plain.Count()}), (std::vector<int>{1, 2}));
    EXPECT_EQ(moved->Collection(), &plain);
    moved->SetCollection(nullptr);
    EXPECT_EQ(plain.Count(), 1);
    moved->Free();
    owner->Free();
}
