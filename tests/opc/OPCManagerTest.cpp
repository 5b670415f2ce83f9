// The group manager with the stand-in library: groups registered and
// named, notices turned into events, the "Groups" text, errors while it
// goes, and its picture.

#include <gmock/gmock.h>

#include "instruments/opc/iOPCExplorer.h"
#include "instruments/opc/iOPCManager.h"
#include "platform/sys/CodePage.h"
#include "platform/classlib/PicturePng.h"
#include "tests/opc/OPCTestSupport.h"
#include "tests/support/RaisedMessage.h"

using namespace opc_test;

using test_support::RaisedMessage;

namespace {

TEST_F(OPCTest, ManagerRegistersGroupsAndReportsItsUpdates) {
  {
    TiOPCManager manager(nullptr);
    EXPECT_TRUE(manager.GetFirstInstance());
    EXPECT_EQ(Fake.Managers(), 1);
    EXPECT_FALSE(manager.GetVisible());
    manager.SetBounds(3, 4, 50, 50);
    EXPECT_EQ(manager.GetWidth(), 28);
    EXPECT_EQ(manager.GetHeight(), 28);
    EXPECT_EQ(manager.GetLeft(), 3);

    std::vector<std::string> events;
    manager.OnBeforeGroupUpdate = [&](TObject*, const std::string& g) { events.push_back("before " + g); };
    manager.OnAfterGroupUpdate = [&](TObject*, const std::string& g) { events.push_back("after " + g); };
    ASSERT_EQ(manager.GroupAdd("Fast", "Local", "Vantor.Sim.1", 100), 0);
    ASSERT_EQ(manager.GroupAdd("Slow", "Local", "Vantor.Sim.1", 2000), 1);
    const int fast = manager.Groups(0)->GetDLLGroupHandle();
    ASSERT_NE(fast, 0);
    EXPECT_EQ(Fake.GroupName(fast), "Fast");
    EXPECT_EQ(manager.GetGroupIndex("sLOW"), 1);
    EXPECT_EQ(manager.GetGroupIndex("None"), -1);

    Fake.Update(fast, fast);
    Fake.Update(fast, 99999);  // a handle no group has
    EXPECT_THAT(events, ::testing::ElementsAre("before Fast", "after Fast", "before ", "after "));

    TiOPCGroupObject* g = manager.Groups(0);
    g->SetUpdateRate(100);
    EXPECT_EQ(Fake.Calls("GroupSetUpdateRate"), 0) << "an equal rate calls nothing";
    g->SetUpdateRate(250);
    EXPECT_EQ(Fake.GroupNumber(fast, 0), 250);
    g->Suspend();
    EXPECT_EQ(Fake.GroupNumber(fast, 1), 1);
    g->Resume();
    EXPECT_EQ(Fake.GroupNumber(fast, 1), 0);

    manager.GroupDelete(0);
    EXPECT_EQ(Fake.GroupName(fast), "<none>");
    EXPECT_EQ(manager.GroupCount(), 1);
    EXPECT_EQ(Fake.GroupCount(), 1);
  }
  EXPECT_EQ(Fake.GroupCount(), 0) << "the manager's groups go with it";
  EXPECT_EQ(Fake.Managers(), 0);
}

// A GroupDelete that fails is the caller's to see; while the manager goes
// it is dropped, and every group still goes.
TEST_F(OPCTest, GroupDeleteErrorsRaiseButNotWhileTheManagerGoes) {
  auto manager = std::make_unique<TiOPCManager>(nullptr);
  manager->GroupAdd("A", "Local", "S", 500);
  manager->GroupAdd("B", "Local", "S", 500);
  Fake.FailNext("GroupDelete", "Server gone");
  EXPECT_EQ(RaisedMessage([&] { manager->GroupDelete(0); }), "Server gone");
  EXPECT_EQ(manager->GroupCount(), 1);
  Fake.FailNext("GroupDelete", "Server gone");
  EXPECT_EQ(RaisedMessage([&] { manager.reset(); }), "<nothing raised>");
  EXPECT_EQ(Fake.Managers(), 0);
}

TEST_F(OPCTest, GroupsTextRoundTripRegistersEachGroup) {
  TiOPCManager source(nullptr);
  EXPECT_FALSE(source.DoWriteToStream());
  source.GroupAdd("Fast", "Local", "Vantor.Sim.1", 100);
  source.GroupAdd("Remote", "plant-7", "Vantor.Sim.2", 1500);
  TStringList lines;
  ASSERT_TRUE(source.DoWriteToStream());
  source.WriteToStream(&lines);
  EXPECT_EQ(lines.Get(0), "Item0.Name = Fast");
  TiOPCManager copy(nullptr);
  copy.GroupAdd("Stale", "Local", "S", 1);
  copy.ReadFromStream(&lines);
  ASSERT_EQ(copy.GroupCount(), 2);
  EXPECT_EQ(copy.Groups(1)->GetComputerName(), "plant-7");
  EXPECT_EQ(copy.Groups(1)->GetOPCServerName(), "Vantor.Sim.2");
  EXPECT_EQ(copy.Groups(1)->GetUpdateRate(), 1500);
  EXPECT_EQ(Fake.GroupName(copy.Groups(1)->GetDLLGroupHandle()), "Remote");
  EXPECT_EQ(Fake.GroupCount(), 4);
}

TEST_F(OPCTest, ManagerPicture) {
  TiOPCManager manager(nullptr);
  TBitmap bitmap(28, 28);
  TCanvas* c = bitmap.GetCanvas();
  manager.PaintTo(c, 0, 0);
  TPngImage png;
  png.Assign(&bitmap);
  png.SaveToFile(::testing::TempDir() + "opc-manager.png");
  // The frame: highlight top-left, shadow bottom-right; the picture inside.
  EXPECT_EQ(c->GetPixels(0, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->GetPixels(27, 10), ColorToRGB(clBtnShadow));
  EXPECT_NE(c->GetPixels(14, 21), ColorToRGB(clBtnFace));
}

}  // namespace

namespace {

// The explorer lists the library's connections under "Servers
// Connections", in order of their names; "Groups" stays empty. Rendered
// with a server named in Chinese under the GBK code page.
TEST_F(OPCTest, ExplorerListsServerConnections) {
  const AnsiCodePage before = GetAnsiCodePage();
  SetAnsiCodePage(AnsiCodePage::Gbk);
  Fake.AddServer("Vantor.Sim.2");
  Fake.AddServer("仿真服务器.1");
  Fake.AddServer("Vantor.Sim.1");
  TiOPCManager manager(nullptr);
  manager.ExplorerShow();
  TiOPCExplorerForm* form = TiOPCExplorerForm::Shared();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetCaption(), "Vantor OPC Explorer");
  EXPECT_EQ(form->GetFormStyle(), fsStayOnTop);
  EXPECT_EQ(form->GetWidth(), 256);
  EXPECT_EQ(form->GetHeight(), 319);
  {
    TiOPCExplorerForm other(nullptr);
    other.SetBounds(0, 0, 100, 100);
    EXPECT_EQ(other.GetWidth(), 250) << "at least 250 x 300";
    EXPECT_EQ(other.GetHeight(), 300);
  }

  TTreeView* tree = form->GetTreeView();
  TTreeNodes* nodes = tree->GetItems();
  ASSERT_EQ(nodes->RootCount(), 2);
  EXPECT_EQ(nodes->Root(0)->GetText(), "Groups") << "sorted by text";
  TTreeNode* servers = nodes->Root(1);
  EXPECT_EQ(servers->GetText(), "Servers Connections");
  EXPECT_EQ(nodes->Root(0)->GetCount(), 0);
  ASSERT_EQ(servers->GetCount(), 3);
  EXPECT_EQ(servers->GetItem(0)->GetText(), "Vantor.Sim.1");
  EXPECT_EQ(servers->GetItem(2)->GetText(), "仿真服务器.1");
  EXPECT_EQ(servers->GetItem(2)->GetImageIndex(), 2);
  EXPECT_EQ(nodes->Root(0)->GetImageIndex(), 1);
  EXPECT_EQ(servers->GetImageIndex(), 0);

  // Showing again refreshes the same window.
  Fake.AddServer("Vantor.Sim.3");
  manager.ExplorerShow();
  EXPECT_EQ(TiOPCExplorerForm::Shared(), form);
  EXPECT_EQ(nodes->Root(1)->GetCount(), 4);

  tree->FullExpand();
  tree->SetSelected(nodes->Root(1)->GetItem(1));
  TBitmap sheet(tree->GetWidth(), tree->GetHeight());
  tree->PaintTo(sheet.GetCanvas(), 0, 0);
  TPngImage png;
  png.Assign(&sheet);
  png.SaveToFile(::testing::TempDir() + "opc-explorer.png");
  EXPECT_EQ(sheet.GetCanvas()->GetPixels(tree->GetWidth() - 2, tree->GetHeight() - 2), ColorToRGB(clWindow));

  delete form;
  EXPECT_EQ(TiOPCExplorerForm::Shared(), nullptr);
  SetAnsiCodePage(before);
}

}  // namespace
