// The tree view: nodes in rows, drawn by the control itself.

#include <algorithm>

#include "platform/classlib/Collections.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/ImgList.h"

namespace {
constexpr int kIndent = 19;
constexpr int kButton = 9;

// Case-insensitive order of texts (ASCII letters folded, other bytes as
// they are).
int CompareNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto fold = [](unsigned char ch) { return ch >= 'A' && ch <= 'Z' ? ch + 32 : ch; };
    const int d = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
}  // namespace

// ---------------------------------------------------------------- nodes

void TTreeNode::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  if (FOwner->GetOwner()->SortsByText()) FOwner->Sort(FOwner->ListOf(FParent), false);
  FOwner->GetOwner()->NodesChanged();
}

void TTreeNode::SetImageIndex(int Value) {
  FImageIndex = Value;
  FOwner->GetOwner()->NodesChanged();
}

void TTreeNode::SetSelectedIndex(int Value) {
  FSelectedIndex = Value;
  FOwner->GetOwner()->NodesChanged();
}

TTreeNode* TTreeNode::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FChildren[static_cast<size_t>(Index)].get();
}

int TTreeNode::GetLevel() const {
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

void TTreeNode::SetExpanded(bool Value) {
  if (Value == FExpanded) return;
  FExpanded = Value;
  FOwner->GetOwner()->NodesChanged();
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Parent, const std::string& Text) {
  auto& list = ListOf(Parent);
  std::unique_ptr<TTreeNode> node(new TTreeNode(this, Parent, Text));
  TTreeNode* raw = node.get();
  auto at = list.end();
  if (FOwner->SortsByText())
    at = std::upper_bound(list.begin(), list.end(), Text, [](const std::string& t, const auto& n) {
      return CompareNoCase(t, n->GetText()) < 0;
    });
  list.insert(at, std::move(node));
  FOwner->NodesChanged();
  return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) {
  return Insert(Sibling ? Sibling->GetParent() : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
  return Insert(Parent, Text);
}

void TTreeNodes::Clear() {
  FOwner->SetSelected(nullptr);
  FRoots.clear();
  FOwner->NodesChanged();
}

int TTreeNodes::GetCount() const {
  int count = 0;
  std::vector<const TTreeNode*> todo;
  for (const auto& r : FRoots) todo.push_back(r.get());
  while (!todo.empty()) {
    const TTreeNode* n = todo.back();
    todo.pop_back();
    ++count;
    for (int i = 0; i < n->GetCount(); ++i) todo.push_back(n->GetItem(i));
  }
  return count;
}

TTreeNode* TTreeNodes::Root(int Index) const {
  if (Index < 0 || Index >= RootCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FRoots[static_cast<size_t>(Index)].get();
}

void TTreeNodes::Sort(std::vector<std::unique_ptr<TTreeNode>>& List, bool Deep) {
  std::stable_sort(List.begin(), List.end(), [](const auto& a, const auto& b) {
    return CompareNoCase(a->GetText(), b->GetText()) < 0;
  });
  if (Deep)
    for (auto& n : List) Sort(n->FChildren, true);
}

// ---------------------------------------------------------------- view

TTreeView::TTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetControlStyle(GetControlStyle() + TControlStyle{csOpaque});
  SetBounds(0, 0, 121, 97);
  SetParentColor(false);
  SetColor(clWindow);
}

TTreeView::~TTreeView() {
  FSelected = nullptr;
  FItems.reset();
}

void TTreeView::SetImages(TCustomImageList* Value) {
  FImages = Value;
  NodesChanged();
}

void TTreeView::SetSortType(TSortType Value) {
  if (Value == FSortType) return;
  FSortType = Value;
  if (SortsByText()) FItems->Sort(FItems->FRoots, true);
  NodesChanged();
}

void TTreeView::SetSelected(TTreeNode* Value) {
  if (Value == FSelected) return;
  FSelected = Value;
  NodesChanged();
}

void TTreeView::FullExpand() {
  std::vector<TTreeNode*> todo;
  for (auto& r : FItems->FRoots) todo.push_back(r.get());
  while (!todo.empty()) {
    TTreeNode* n = todo.back();
    todo.pop_back();
    if (n->HasChildren()) n->FExpanded = true;
    for (int i = 0; i < n->GetCount(); ++i) todo.push_back(n->GetItem(i));
  }
  NodesChanged();
}

void TTreeView::NodesChanged() {
  Invalidate();
}

int TTreeView::RowHeight() const {
  return std::max(FImages ? FImages->GetHeight() + 2 : 0, 18);
}

void TTreeView::VisibleRows(std::vector<TTreeNode*>& Rows) const {
  // Depth first, children of open nodes only.
  std::vector<TTreeNode*> todo;
  for (auto it = FItems->FRoots.rbegin(); it != FItems->FRoots.rend(); ++it) todo.push_back(it->get());
  while (!todo.empty()) {
    TTreeNode* n = todo.back();
    todo.pop_back();
    Rows.push_back(n);
    if (n->GetExpanded())
      for (int i = n->GetCount() - 1; i >= 0; --i) todo.push_back(n->GetItem(i));
  }
}

TTreeNode* TTreeView::GetNodeAt(int /*X*/, int Y) const {
  if (Y < 0) return nullptr;
  std::vector<TTreeNode*> rows;
  VisibleRows(rows);
  const size_t row = static_cast<size_t>(Y / RowHeight());
  return row < rows.size() ? rows[row] : nullptr;
}

void TTreeView::Paint() {
  TCanvas* c = GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor());
  c->FillRect(GetClientRect());
  c->Font->Assign(GetFont());
  std::vector<TTreeNode*> rows;
  VisibleRows(rows);
  const int h = RowHeight();
  for (size_t r = 0; r < rows.size(); ++r) {
    const TTreeNode* n = rows[r];
    const int top = static_cast<int>(r) * h;
    if (top > GetHeight()) break;
    int x = 4 + n->GetLevel() * kIndent;
    if (n->HasChildren()) {
      // The button: a box with a minus when open, a plus when closed.
      const int bx = x, by = top + (h - kButton) / 2;
      c->Pen->SetColor(clGrayText);
      c->Brush->SetColor(GetColor());
      c->Rectangle(bx, by, bx + kButton, by + kButton);
      c->Pen->SetColor(clWindowText);
      c->MoveTo(bx + 2, by + kButton / 2);
      c->LineTo(bx + kButton - 2, by + kButton / 2);
      if (!n->GetExpanded()) {
        c->MoveTo(bx + kButton / 2, by + 2);
        c->LineTo(bx + kButton / 2, by + kButton - 2);
      }
    }
    x += kButton + 4;
    const bool selected = n == FSelected;
    const int image = selected ? n->GetSelectedIndex() : n->GetImageIndex();
    if (FImages) {
      if (image >= 0 && image < FImages->GetCount())
        FImages->Draw(c, x, top + (h - FImages->GetHeight()) / 2, image);
      x += FImages->GetWidth() + 3;
    }
    const int tw = c->TextWidth(n->GetText()) + 4;
    const int th = c->TextHeight(n->GetText());
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(selected ? clHighlight : GetColor());
    c->Font->SetColor(selected ? clHighlightText : GetFont()->GetColor());
    c->FillRect(TRect(x, top + 1, x + tw, top + h - 1));
    c->Brush->SetStyle(bsClear);
    c->TextOut(x + 2, top + (h - th) / 2, n->GetText());
    c->Brush->SetStyle(bsSolid);
  }
}

void TTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TTreeNode* n = GetNodeAt(X, Y);
  if (!n) return;
  const int bx = 4 + n->GetLevel() * kIndent;
  if (n->HasChildren() && X >= bx && X < bx + kButton) n->SetExpanded(!n->GetExpanded());
  SetSelected(n);
}

void TTreeView::DblClick() {
  TCustomControl::DblClick();
  if (FSelected && FSelected->HasChildren()) FSelected->SetExpanded(!FSelected->GetExpanded());
}
