#include "instruments/opc/iOPCExplorer.h"

#include "instruments/opc/iOPCLibrary.h"
#include "instruments/opc/iOPCManager.h"

namespace {
TiOPCExplorerForm* gShared = nullptr;
}  // namespace

TiOPCExplorerForm::TiOPCExplorerForm(TComponent* AOwner)
    : TForm(AOwner), FImageList(std::make_unique<TImageList>(nullptr, 24, 24)) {
  SetCaption("Vantor OPC Explorer");
  SetMinWidth(250);
  SetMinHeight(300);
  SetBounds(GetLeft(), GetTop(), 256, 319);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  // Servers, groups, one connection: drawn on white, white transparent.
  for (TiOPCGlyph glyph : {iogServers, iogGroups, iogConnection}) {
    TBitmap picture(24, 24);
    TCanvas* c = picture.GetCanvas();
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 24, 24));
    DrawOPCGlyph(c, 0, 0, glyph, false);
    FImageList->AddMasked(&picture, clWhite);
  }
  FTreeView = new TTreeView(this);
  FTreeView->SetParent(this);
  FTreeView->SetAlign(alClient);
  FTreeView->SetReadOnly(true);
  FTreeView->SetSortType(stText);
  FTreeView->SetImages(FImageList.get());
}

TiOPCExplorerForm::~TiOPCExplorerForm() {
  if (gShared == this) gShared = nullptr;
  FTreeView->SetImages(nullptr);
}

void TiOPCExplorerForm::Refresh() {
  TTreeNodes* nodes = FTreeView->GetItems();
  nodes->Clear();
  TTreeNode* servers = nodes->Add(nullptr, "Servers Connections");
  servers->SetImageIndex(0);
  servers->SetSelectedIndex(0);
  TTreeNode* groups = nodes->Add(nullptr, "Groups");
  groups->SetImageIndex(1);
  groups->SetSelectedIndex(1);
  const int count = OPCServerConnectionGetCount();
  for (int i = 0; i < count; ++i) {
    TTreeNode* n = nodes->AddChild(servers, OPCServerConnectionGetName(i));
    n->SetImageIndex(2);
    n->SetSelectedIndex(2);
  }
}

void TiOPCExplorerForm::ExplorerShow() {
  if (!gShared) gShared = new TiOPCExplorerForm(Application);
  gShared->Refresh();
  gShared->Show();
}

TiOPCExplorerForm* TiOPCExplorerForm::Shared() {
  return gShared;
}

void TiOPCExplorerForm::ForgetShared() {
  gShared = nullptr;
}
