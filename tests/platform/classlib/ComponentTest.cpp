// Names, ownership, removal notices and destruction order of components.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

namespace {

std::vector<std::string> gLog;

// Records its own end and every removal it is told about.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
  ~Probe() override { gLog.push_back("free " + GetName()); }
  void BeforeDestruction() override {
    TComponent::BeforeDestruction();
    gLog.push_back("before " + GetName() + (GetComponentState().Contains(csDestroying) ? " destroying" : ""));
  }
  int loadedCalls = 0;
  std::vector<std::string> removed;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove) removed.push_back(c->GetName());
  }
  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
  }
};

TEST(ComponentTest, FindComponentIgnoresCaseAndAnswersNullWhenAbsent) {
  Probe owner(nullptr, "fmMain");
  new Probe(&owner, "rzbMenuInA");
  new Probe(&owner, "cvdEqGainInA");
  struct Case {
    const char* name;
    const char* found;
  } cases[] = {
      {"rzbMenuInA", "rzbMenuInA"},     {"RZBMENUINA", "rzbMenuInA"}, {"cvdeqgaina", nullptr},
      {"cvdEqGainInA", "cvdEqGainInA"}, {"rzbMenuInB", nullptr},      {"", nullptr},
  };
  for (const Case& c : cases) {
    TComponent* hit = owner.FindComponent(c.name);
    if (c.found)
      EXPECT_TRUE(hit && hit->GetName() == c.found) << c.name;
    else
      EXPECT_EQ(hit, nullptr) << c.name;
  }
  gLog.clear();
}

TEST(ComponentTest, NamesMustBeIdentifiersAndUniqueWithinTheOwner) {
  Probe owner(nullptr, "owner");
  Probe* a = new Probe(&owner, "isGainInA");
  EXPECT_THROW(new Probe(&owner, "ISGAININA"), EComponentError);
  EXPECT_THROW(a->SetName("1abc"), EComponentError);
  EXPECT_THROW(a->SetName("has space"), EComponentError);
  a->SetName("isGainInA");  // its own name again is fine
  Probe* unnamed1 = new Probe(&owner, "");
  Probe* unnamed2 = new Probe(&owner, "");
  EXPECT_NE(unnamed1, unnamed2);
  // A component without an owner may take any valid name.
  Probe lone(nullptr, "isGainInA");
  EXPECT_EQ(owner.GetComponentCount(), 3);
  gLog.clear();
}

TEST(ComponentTest, OwnerFreesWhatItOwnsLastCreatedFirstAndHearsEachRemoval) {
  gLog.clear();
  auto* owner = new Probe(nullptr, "owner");
  auto* a = new Probe(owner, "a");
  new Probe(a, "a1");
  new Probe(owner, "b");
  new Probe(owner, "c");
  owner->Free();
  // A destructor's own body runs before the owned components go, as the
  // class library's inherited destructor does last.
  std::vector<std::string> expected = {
      "before owner destroying", "free owner", "before c destroying", "free c",
      "before b destroying",     "free b",     "before a destroying", "free a",
      "before a1 destroying",    "free a1"};
  EXPECT_EQ(gLog, expected);
}

TEST(ComponentTest, FreeingAnOwnedComponentTellsTheOwnerAndItsSiblings) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  auto* b = new Probe(&owner, "b");
  b->Free();
  EXPECT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("b"), nullptr);
  EXPECT_EQ(owner.removed, std::vector<std::string>{"b"});
  EXPECT_EQ(a->removed, std::vector<std::string>{"b"});
  gLog.clear();
}

TEST(ComponentTest, FreeNotificationReachesComponentsOfOtherOwners) {
  Probe ownerA(nullptr, "ownerA");
  Probe ownerB(nullptr, "ownerB");
  auto* watcher = new Probe(&ownerA, "watcher");
  auto* watched = new Probe(&ownerB, "watched");
  watcher->FreeNotification(watched);
  watched->Free();
  EXPECT_EQ(watcher->removed, std::vector<std::string>{"watched"});

  // After RemoveFreeNotification neither hears of the other.
  auto* other = new Probe(&ownerB, "other");
  watcher->FreeNotification(other);
  watcher->RemoveFreeNotification(other);
  other->Free();
  EXPECT_EQ(watcher->removed, std::vector<std::string>{"watched"});
  gLog.clear();
}

TEST(ComponentTest, LoadingMarksEveryOwnedComponentAndLoadedRunsOnce) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  auto* a1 = new Probe(a, "a1");
  owner.BeginLoad();
  EXPECT_TRUE(a1->GetComponentState().Contains(csLoading));
  owner.EndLoad();
  for (Probe* p : {&owner, a, a1}) {
    EXPECT_FALSE(p->GetComponentState().Contains(csLoading)) << p->GetName();
    EXPECT_EQ(p->loadedCalls, 1) << p->GetName();
  }
  gLog.clear();
}

TEST(ComponentTest, AssignBetweenUnrelatedClassesThrows) {
  Probe a(nullptr, "a");
  Probe b(nullptr, "b");
  EXPECT_THROW(a.Assign(&b), EConvertError);
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
  EXPECT_EQ(a.ClassName(), "Probe");
  gLog.clear();
}

TEST(ComponentTest, FreeAndNilAcceptsNull) {
  Probe* p = new Probe(nullptr, "p");
  FreeAndNil(p);
  EXPECT_EQ(p, nullptr);
  FreeAndNil(p);
  gLog.clear();
}

}  // namespace
