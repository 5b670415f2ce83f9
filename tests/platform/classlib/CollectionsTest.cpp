#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classlib/Collections.h"

namespace {

class Item : public TCollectionItem {
 public:
  explicit Item(TCollection* c) : TCollectionItem(c) {}
  ~Item() override {
    if (freed) ++*freed;
  }
  void Assign(TPersistent* Source) override {
    if (auto* src = dynamic_cast<Item*>(Source)) {
      value = src->value;
      return;
    }
    TCollectionItem::Assign(Source);
  }
  void SetValue(int v) {
    value = v;
    Changed(false);
  }
  void Touch() { Changed(true); }
  int value = 0;
  int* freed = nullptr;
};

// Records Update and Notify as "U*" (whole collection), "U<value>" (one
// item), "+", "-x" (extracting) and "-d" (deleting).
class Recorder : public TOwnedCollection {
 public:
  explicit Recorder(TPersistent* owner = nullptr) : TOwnedCollection(owner, CollectionItemClass<Item>()) {}
  ~Recorder() override { Clear(); }
  Item* AddItem() { return static_cast<Item*>(Add()); }
  Item* At(int i) const { return static_cast<Item*>(GetItems(i)); }
  std::vector<int> Values() const {
    std::vector<int> v;
    for (int i = 0; i < GetCount(); ++i) v.push_back(At(i)->value);
    return v;
  }
  std::string log;

 protected:
  void Update(TCollectionItem* item) override {
    log += item ? "U" + std::to_string(static_cast<Item*>(item)->value) + " " : "U* ";
  }
  void Notify(TCollectionItem*, TCollectionNotification action) override {
    log += action == cnAdded ? "+ " : action == cnExtracting ? "-x " : "-d ";
  }
};

TEST(Collection, AddAnnouncesTheFinishedItemThenUpdates) {
  Recorder c;
  Item* a = c.AddItem();
  EXPECT_EQ(c.log, "+ U* ");
  Item* b = c.AddItem();
  EXPECT_EQ(a->GetIndex(), 0);
  EXPECT_EQ(b->GetIndex(), 1);
  EXPECT_NE(a->GetID(), b->GetID());
  EXPECT_EQ(c.FindItemID(b->GetID()), b);
  EXPECT_EQ(c.FindItemID(999), nullptr);
  EXPECT_EQ(a->GetCollection(), &c);
  EXPECT_EQ(a->GetDisplayName(), "Item");
}

TEST(Collection, OneUpdateAtTheOutermostEndUpdate) {
  struct Case {
    const char* what;
    std::function<void(Recorder&)> batch;
    const char* log;
  };
  const std::vector<Case> cases = {
      {"three adds",
       [](Recorder& c) {
         for (int i = 0; i < 3; ++i) c.AddItem();
       },
       "+ + + U* "},
      {"nested",
       [](Recorder& c) {
         c.AddItem();
         c.BeginUpdate();
         c.AddItem()->SetValue(5);
         c.EndUpdate();
         c.Delete(0);
       },
       "+ + -d -x U* "},
      {"nothing changed", [](Recorder&) {}, "U* "},
      {"item changes", [](Recorder& c) { c.AddItem()->SetValue(7); }, "+ U* "},
  };
  for (const auto& k : cases) {
    Recorder c;
    c.BeginUpdate();
    k.batch(c);
    c.EndUpdate();
    EXPECT_EQ(c.log, k.log) << k.what;
    EXPECT_EQ(c.GetUpdateCount(), 0);
  }
  Recorder c;
  c.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(c.GetUpdateCount(), 0);
  EXPECT_EQ(c.log, "");
}

TEST(Collection, ItemChangesReachUpdate) {
  Recorder c;
  Item* a = c.AddItem();
  c.log.clear();
  a->SetValue(3);
  a->Touch();
  EXPECT_EQ(c.log, "U3 U* ");
}

TEST(Collection, InsertDeleteAndIndex) {
  Recorder c;
  for (int v : {1, 2, 3}) c.AddItem()->value = v;
  c.log.clear();
  Item* x = static_cast<Item*>(c.Insert(0));
  x->value = 9;
  EXPECT_EQ(c.Values(), (std::vector<int>{9, 1, 2, 3}));
  // Added, then moved: two updates outside a batch.
  EXPECT_EQ(c.log, "+ U* U* ");
  EXPECT_EQ(x->GetIndex(), 0);

  int freed = 0;
  c.At(2)->freed = &freed;
  c.log.clear();
  c.Delete(2);
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(c.log, "-d -x U* ");
  EXPECT_EQ(c.Values(), (std::vector<int>{9, 1, 3}));

  c.At(0)->SetIndex(2);
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 3, 9}));
  EXPECT_THROW(c.At(0)->SetIndex(3), EListError);
  EXPECT_THROW(c.Insert(5), EListError);
  EXPECT_THROW(c.Delete(-1), EListError);
  try {
    (void)c.GetItems(3);
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 3, 9}));
}

TEST(Collection, ClearFreesEveryItemWithOneUpdate) {
  Recorder c;
  int freed = 0;
  for (int i = 0; i < 4; ++i) c.AddItem()->freed = &freed;
  c.log.clear();
  c.Clear();
  EXPECT_EQ(freed, 4);
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.log, "-x -x -x -x U* ");
  c.log.clear();
  c.Clear();
  EXPECT_EQ(c.log, "");
}

TEST(Collection, FreeingAnItemTakesItOut) {
  Recorder c;
  Item* a = c.AddItem();
  c.AddItem()->value = 2;
  c.log.clear();
  a->Free();
  EXPECT_EQ(c.log, "-x U* ");
  EXPECT_EQ(c.Values(), (std::vector<int>{2}));
}

TEST(Collection, ItemsMoveBetweenCollections) {
  Recorder a, b;
  Item* x = a.AddItem();
  x->value = 4;
  a.log.clear();
  x->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Values(), (std::vector<int>{4}));
  EXPECT_EQ(a.log, "-x U* ");
  EXPECT_EQ(b.log, "+ U* ");
  x->SetCollection(nullptr);
  EXPECT_EQ(x->GetIndex(), -1);
  delete x;
}

TEST(Collection, AssignCopiesItemsInOneUpdate) {
  Recorder src, dst;
  for (int v : {5, 6}) src.AddItem()->value = v;
  dst.AddItem()->value = 1;
  dst.log.clear();
  dst.Assign(&src);
  EXPECT_EQ(dst.Values(), (std::vector<int>{5, 6}));
  EXPECT_EQ(dst.log, "-x + + U* ");
  TPersistent other;
  EXPECT_THROW(dst.Assign(&other), EConvertError);
}

TEST(Collection, OwnedCollectionKnowsItsOwner) {
  TPersistent owner;
  Recorder owned(&owner);
  EXPECT_EQ(owned.GetOwner(), &owner);
  TCollection plain(CollectionItemClass<Item>());
  EXPECT_EQ(plain.GetOwner(), nullptr);
  plain.Add();
  EXPECT_EQ(plain.Count(), 1);  // freed with the collection (ASan checks)
}

}  // namespace
