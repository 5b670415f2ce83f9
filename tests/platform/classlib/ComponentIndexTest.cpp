// FindComponent's name index stays true to the owner's list through
// renames, removals, frees and changes of owner.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

namespace {

// What FindComponent must answer: the owned component of that name, by a
// plain walk over the owner's list.
TComponent* LinearFind(const TComponent& owner, const std::string& name) {
  if (name.empty()) return nullptr;
  for (int i = 0; i < owner.GetComponentCount(); ++i) {
    TComponent* c = owner.GetComponents(i);
    if (SameText(c->GetName(), name)) return c;
  }
  return nullptr;
}

TComponent* Named(TComponent* owner, const std::string& name) {
  auto* c = new TComponent(owner);
  c->SetName(name);
  return c;
}

TEST(ComponentIndexTest, RenameRemovalAndOwnerChangeKeepLookUpsRight) {
  TComponent a(nullptr);
  TComponent b(nullptr);
  TComponent* gain = Named(&a, "isGainInA");

  // A change of case only is the same name; the index follows it.
  gain->SetName("ISGAININA");
  EXPECT_EQ(a.FindComponent("isgainina"), gain);
  gain->SetName("isMuteInA");
  EXPECT_EQ(a.FindComponent("isGainInA"), nullptr);
  EXPECT_EQ(a.FindComponent("ISMUTEINA"), gain);

  // A rename refused leaves both names where they were.
  TComponent* other = Named(&a, "isGainInA");
  EXPECT_THROW(other->SetName("ismuteina"), EComponentError);
  EXPECT_EQ(a.FindComponent("isGainInA"), other);
  EXPECT_EQ(a.FindComponent("isMuteInA"), gain);

  // An unnamed component is never found, and naming it makes it findable.
  other->SetName("");
  EXPECT_EQ(a.FindComponent("isGainInA"), nullptr);
  other->SetName("isGainInA");
  EXPECT_EQ(a.FindComponent("isGainInA"), other);

  // Moving to another owner: the old one forgets it, the new one finds it.
  b.InsertComponent(gain);
  EXPECT_EQ(gain->GetOwner(), &b);
  EXPECT_EQ(a.FindComponent("isMuteInA"), nullptr);
  EXPECT_EQ(a.GetComponentCount(), 1);
  EXPECT_EQ(b.FindComponent("isMuteInA"), gain);

  // A move onto a taken name is refused and leaves the component where it was.
  TComponent* clash = Named(&b, "isGainInA");
  EXPECT_THROW(a.InsertComponent(clash), EComponentError);
  EXPECT_EQ(clash->GetOwner(), &b);
  EXPECT_EQ(b.FindComponent("isGainInA"), clash);
  EXPECT_EQ(a.FindComponent("isGainInA"), other);

  // Removal without freeing, then freeing.
  b.RemoveComponent(gain);
  EXPECT_EQ(b.FindComponent("isMuteInA"), nullptr);
  gain->SetName("stillFree");  // no owner: nothing to keep
  delete gain;
  clash->Free();
  EXPECT_EQ(b.FindComponent("isGainInA"), nullptr);
  EXPECT_EQ(b.GetComponentCount(), 0);
}

// Random renames, moves, frees and look-ups over two owners; every answer
// is checked against a walk over the owner's list.
TEST(ComponentIndexTest, RandomChangesAgreeWithALinearScan) {
  TComponent owners[2] = {TComponent(nullptr), TComponent(nullptr)};
  std::mt19937 rng(7);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  // A small pool of names in mixed case makes clashes frequent.
  const char* pool[] = {"lbA", "LBA", "lbB", "edB", "EDb", "pnlC", "x1", "X1", ""};
  const int poolSize = static_cast<int>(std::size(pool));
  int mismatches = 0;
  for (int step = 0; step < 4000; ++step) {
    TComponent& owner = owners[pick(2)];
    const int count = owner.GetComponentCount();
    switch (pick(5)) {
      case 0:
        try {
          Named(&owner, pool[pick(poolSize)]);
        } catch (const EComponentError&) {
          // The unnamed component made before the clash stays, unnamed.
        }
        break;
      case 1:
        if (count > 0) {
          try {
            owner.GetComponents(pick(count))->SetName(pool[pick(poolSize)]);
          } catch (const EComponentError&) {}
        }
        break;
      case 2:
        if (count > 0) {
          try {
            owners[pick(2)].InsertComponent(owner.GetComponents(pick(count)));
          } catch (const EComponentError&) {}
        }
        break;
      case 3:
        if (count > 0) owner.GetComponents(pick(count))->Free();
        break;
      default:
        break;
    }
    for (const TComponent& o : owners) {
      for (const char* name : pool) {
        if (o.FindComponent(name) != LinearFind(o, name)) ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
