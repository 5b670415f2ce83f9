#include "instruments/opc/iOPCManager.h"

#include <algorithm>
#include <memory>

#include "instruments/base/iPropertyText.h"
#include "instruments/opc/iOPCExplorer.h"
#include "platform/classlib/Collections.h"
#include "platform/classlib/Graphics.h"

namespace {
const TiRegisterProperties<TiOPCGroupStream, TObject> kStreamProperties(
    [](TiPropertyBuilder<TiOPCGroupStream>& b) {
      using S = TiOPCGroupStream;
      b.Add("Name", &S::GetName, &S::SetName);
      b.Add("ComputerName", &S::GetComputerName, &S::SetComputerName);
      b.Add("OPCServerName", &S::GetOPCServerName, &S::SetOPCServerName);
      b.Add("UpdateRate", &S::GetUpdateRate, &S::SetUpdateRate);
    });

}  // namespace

void TiOPCGroupObject::SetUpdateRate(int Value) {
  if (Value == FUpdateRate) return;
  FUpdateRate = Value;
  OPCGroupSetUpdateRate(FDLLGroupHandle, Value);
}

void TiOPCGroupObject::Resume() {
  OPCGroupResume(FDLLGroupHandle);
}

void TiOPCGroupObject::Suspend() {
  OPCGroupSuspend(FDLLGroupHandle);
}

TiOPCManager::TiOPCManager(TComponent* AOwner)
    : TCustomControl(AOwner),
      FFirstInstance(OPCManagerCreated()),
      FSink([this](TiOPCCallbackKind Kind, std::int32_t Handle) { GroupNotice(Kind, Handle); }) {
  TControlStyle style = GetControlStyle();
  style << csCaptureMouse << csClickEvents << csDoubleClicks << csReplicatable;
  SetControlStyle(style);
  SetVisible(false);
  SetBounds(GetLeft(), GetTop(), 28, 28);
  TiOPCExplorerForm::ForgetShared();
}

TiOPCManager::~TiOPCManager() {
  // A manager going away never lets a library error escape.
  while (!FGroupList.empty()) RemoveGroup(0, true);
  if (!FFirstInstance) return;
  try {
    OPCManagerDestroyed();
  } catch (const std::exception&) {}
}

void TiOPCManager::SetBounds(int ALeft, int ATop, int /*AWidth*/, int /*AHeight*/) {
  TCustomControl::SetBounds(ALeft, ATop, 28, 28);
}

int TiOPCManager::GroupAdd(const std::string& Name, const std::string& ComputerName,
                           const std::string& OPCServerName, int UpdateRate) {
  auto* group = new TiOPCGroupObject(Name, ComputerName, OPCServerName, UpdateRate);
  FGroupList.push_back(group);
  const int index = GroupCount() - 1;
  if (!OPCLibraryMissing())
    group->SetDLLGroupHandle(
        OPCGroupAdd(Name, ComputerName, OPCServerName, UpdateRate, FSink.ManagerCallback()));
  return index;
}

TiOPCGroupObject* TiOPCManager::Groups(int Index) const {
  if (Index < 0 || Index >= GroupCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FGroupList[static_cast<size_t>(Index)];
}

void TiOPCManager::RemoveGroup(int Index, bool Quiet) {
  TiOPCGroupObject* group = Groups(Index);
  // Out of the list first: a failing delete still leaves no half-gone group.
  FGroupList.erase(FGroupList.begin() + Index);
  std::unique_ptr<TiOPCGroupObject> owned(group);
  if (group->GetDLLGroupHandle() == 0) return;
  try {
    OPCGroupDelete(group->GetDLLGroupHandle());
  } catch (const std::exception&) {
    if (!Quiet) throw;
  }
}

void TiOPCManager::GroupDelete(int Index) {
  RemoveGroup(Index, false);
}

void TiOPCManager::GroupClear() {
  while (!FGroupList.empty()) GroupDelete(0);
}

int TiOPCManager::GetGroupIndex(const std::string& Name) const {
  for (int i = 0; i < GroupCount(); ++i)
    if (SameText(FGroupList[static_cast<size_t>(i)]->GetName(), Name)) return i;
  return -1;
}

void TiOPCManager::CloseAllServerConnections() {
  OPCCloseAllServerConnections();
}

void TiOPCManager::ExplorerShow() {
  TiOPCExplorerForm::ExplorerShow();
}

void TiOPCManager::GroupNotice(TiOPCCallbackKind Kind, std::int32_t Handle) {
  std::string name;
  for (const TiOPCGroupObject* g : FGroupList)
    if (g->GetDLLGroupHandle() == Handle) {
      name = g->GetName();
      break;
    }
  const TGroupUpdateEvent& event = Kind == iockBeforeGroupUpdate ? OnBeforeGroupUpdate : OnAfterGroupUpdate;
  if (Kind == iockNewData || !event) return;
  // The library called us: nothing may escape back into it.
  try {
    event(this, name);
  } catch (const std::exception&) {}
}

void TiOPCManager::WriteToStream(TStrings* Lines) const {
  TiOPCGroupStream s;
  WriteItemGroups(
      GroupCount(),
      [&](int i) -> TObject* {
        const TiOPCGroupObject* g = Groups(i);
        s.SetName(g->GetName());
        s.SetComputerName(g->GetComputerName());
        s.SetOPCServerName(g->GetOPCServerName());
        s.SetUpdateRate(g->GetUpdateRate());
        return &s;
      },
      Lines);
}

void TiOPCManager::ReadFromStream(TStrings* Lines) {
  GroupClear();
  std::unique_ptr<TiOPCGroupStream> s;
  ReadItemGroups(
      Lines,
      [&]() -> TObject* {
        s = std::make_unique<TiOPCGroupStream>();
        return s.get();
      },
      [this](TObject* o) {
        auto* g = static_cast<TiOPCGroupStream*>(o);
        GroupAdd(g->GetName(), g->GetComputerName(), g->GetOPCServerName(), g->GetUpdateRate());
      });
}

void TiOPCManager::Paint() {
  TCanvas* c = GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  c->GetBrush()->SetColor(clBtnFace);
  c->GetBrush()->SetStyle(bsSolid);
  c->FillRect(TRect(0, 0, w, h));
  c->GetPen()->SetColor(clBtnHighlight);
  c->GetPen()->SetWidth(1);
  c->MoveTo(0, h - 1);
  c->LineTo(0, 0);
  c->LineTo(w - 1, 0);
  c->GetPen()->SetColor(clBtnShadow);
  c->MoveTo(w - 1, 1);
  c->LineTo(w - 1, h - 1);
  c->LineTo(0, h - 1);
  DrawOPCGlyph(c, 2, 2, iogManager, !GetEnabled());
}

// ---------------------------------------------------------------- pictures

namespace {
// A server tower: a box with two drive slots and a light.
void Tower(TCanvas* c, int x, int y, TColor body, TColor ink) {
  c->GetPen()->SetColor(ink);
  c->GetBrush()->SetColor(body);
  c->Rectangle(x, y, x + 9, y + 14);
  c->MoveTo(x + 2, y + 3);
  c->LineTo(x + 7, y + 3);
  c->MoveTo(x + 2, y + 6);
  c->LineTo(x + 7, y + 6);
  c->GetBrush()->SetColor(ink);
  c->FillRect(TRect(x + 6, y + 10, x + 8, y + 12));
}
}  // namespace

void DrawOPCGlyph(TCanvas* c, int X, int Y, TiOPCGlyph Glyph, bool Disabled) {
  const TColor ink = Disabled ? clGrayText : RGB(0x20, 0x30, 0x50);
  const TColor accent = Disabled ? clBtnFace : RGB(0x30, 0x90, 0xE0);
  const TColor body = Disabled ? clBtnFace : RGB(0xE8, 0xEC, 0xF2);
  c->GetPen()->SetWidth(1);
  c->GetPen()->SetStyle(psSolid);
  c->GetBrush()->SetStyle(bsSolid);
  switch (Glyph) {
    case iogManager:
      // Two servers joined through a hub: the groups a manager keeps.
      Tower(c, X + 1, Y + 1, body, ink);
      Tower(c, X + 14, Y + 1, body, ink);
      c->GetPen()->SetColor(accent);
      c->GetPen()->SetWidth(2);
      c->MoveTo(X + 5, Y + 15);
      c->LineTo(X + 5, Y + 19);
      c->LineTo(X + 18, Y + 19);
      c->LineTo(X + 18, Y + 15);
      c->GetPen()->SetWidth(1);
      c->GetPen()->SetColor(ink);
      c->GetBrush()->SetColor(accent);
      c->Ellipse(X + 8, Y + 16, X + 15, Y + 23);
      break;
    case iogServers:
      Tower(c, X + 2, Y + 5, body, ink);
      Tower(c, X + 13, Y + 5, body, ink);
      c->GetPen()->SetColor(accent);
      c->MoveTo(X + 6, Y + 20);
      c->LineTo(X + 18, Y + 20);
      break;
    case iogGroups:
      c->GetPen()->SetColor(ink);
      for (int i = 0; i < 3; ++i) {
        c->GetBrush()->SetColor(i == 2 ? accent : body);
        c->Rectangle(X + 2 + i * 4, Y + 3 + i * 5, X + 16 + i * 4, Y + 11 + i * 5);
      }
      break;
    case iogConnection:
      Tower(c, X + 3, Y + 5, body, ink);
      c->GetPen()->SetColor(accent);
      c->GetPen()->SetWidth(2);
      c->MoveTo(X + 12, Y + 12);
      c->LineTo(X + 21, Y + 12);
      c->GetPen()->SetWidth(1);
      c->GetBrush()->SetColor(accent);
      c->Ellipse(X + 17, Y + 9, X + 23, Y + 15);
      break;
  }
}
