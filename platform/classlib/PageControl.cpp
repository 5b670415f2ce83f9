// The page control and its tab sheets, drawn by the control itself.

#include "platform/classlib/PageControl.h"

#include <algorithm>

#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Keys.h"

namespace {

// The face of a tab behind the active one: a step darker.
TColor Shade(TColor face) {
  const TColor rgb = ColorToRGB(face);
  auto channel = [rgb](int shift) {
    return std::max(static_cast<int>((rgb >> shift) & 0xFF) - 16, 0) << shift;
  };
  return static_cast<TColor>(channel(0) | channel(8) | channel(16));
}

}  // namespace

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csOpaque});
  SetParentColor(false);
  SetColor(clBtnFace);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  if (!FPageControl) return;
  if (!Value && FPageControl->FActivePage == this) FPageControl->SetActivePage(nullptr);
  FPageControl->Invalidate();
}

void TTabSheet::Paint() {
  TCanvas* c = GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor() == clNone ? clBtnFace : GetColor());
  c->FillRect(GetClientRect());
}

void TTabSheet::TextChanged() {
  TCustomControl::TextChanged();
  if (!FPageControl) return;
  // A longer caption may take another row of tabs.
  if (FPageControl->FMultiLine) FPageControl->PlacePages();
  FPageControl->Invalidate();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csOpaque, csDoubleClicks});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
  // The sheets go with the control's children; they must not reach back.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
}

TTabSheet* TPageControl::GetPages(int Index) const {
  if (Index < 0 || Index >= GetPageCount()) return nullptr;
  return FPages[static_cast<size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  Page->SetParent(this);
  Page->SetVisible(false);
  PlacePages();
  if (!FActivePage && Page->GetTabVisible()) SetActivePage(Page);
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  const int index = static_cast<int>(it - FPages.begin());
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    // The next visible page takes its place, else the one before.
    for (int i = index; i < GetPageCount(); ++i)
      if (FPages[static_cast<size_t>(i)]->GetTabVisible()) {
        SetActivePage(FPages[static_cast<size_t>(i)]);
        break;
      }
    for (int i = index - 1; !FActivePage && i >= 0; --i)
      if (FPages[static_cast<size_t>(i)]->GetTabVisible()) SetActivePage(FPages[static_cast<size_t>(i)]);
  }
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && (Value->FPageControl != this || !Value->GetTabVisible())) return;
  if (Value == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = Value;
  if (Value) {
    Value->SetVisible(true);
    Value->BringToFront();
  }
  if (old) old->SetVisible(false);
  Invalidate();
}

int TPageControl::GetActivePageIndex() const {
  return FActivePage ? FActivePage->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(GetPages(Value));
}

int TPageControl::RowHeight() const {
  TCanvas measure;
  measure.Font->Assign(GetFont());
  return measure.TextHeight("Ag") + 8;
}

int TPageControl::TabHeight() const {
  const std::vector<TRect> rects = TabRects();
  int bottom = RowHeight();
  for (const TRect& r : rects)
    if (!r.IsEmpty()) bottom = std::max(bottom, static_cast<int>(r.Bottom));
  return bottom;
}

void TPageControl::SetMultiLine(bool Value) {
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  PlacePages();
  Invalidate();
}

std::vector<TRect> TPageControl::TabRects() const {
  TCanvas measure;
  measure.Font->Assign(GetFont());
  const int h = RowHeight();
  std::vector<TRect> rects;
  // Row of each tab, wrapping at the control's width when multi-line.
  std::vector<int> row;
  int x = 2, rows = 1, activeRow = 0;
  for (TTabSheet* page : FPages) {
    if (!page->GetTabVisible()) {
      rects.emplace_back();
      row.push_back(-1);
      continue;
    }
    const int w = measure.TextWidth(page->GetCaption()) + 16;
    if (FMultiLine && x > 2 && x + w > GetWidth() - 2) {
      x = 2;
      ++rows;
    }
    rects.push_back(Rect(x, 0, x + w, 0));
    row.push_back(rows - 1);
    if (page == FActivePage) activeRow = rows - 1;
    x += w;
  }
  for (size_t i = 0; i < rects.size(); ++i) {
    if (row[i] < 0) continue;
    // The active row moves next to the page; the rows below it move up.
    int place = row[i] == activeRow ? rows - 1 : (row[i] > activeRow ? row[i] - 1 : row[i]);
    rects[i].Top = 2 + place * (h - 2);
    rects[i].Bottom = rects[i].Top + h - 2;
  }
  return rects;
}

TRect TPageControl::TabRect(int PageIndex) const {
  if (PageIndex < 0 || PageIndex >= GetPageCount()) return TRect();
  return TabRects()[static_cast<size_t>(PageIndex)];
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
  const std::vector<TRect> rects = TabRects();
  for (size_t i = 0; i < rects.size(); ++i) {
    const TRect& r = rects[i];
    if (!r.IsEmpty() && X >= r.Left && X < r.Right && Y >= 0 && Y < r.Bottom) return static_cast<int>(i);
  }
  return -1;
}

TRect TPageControl::PageRect() const {
  const int top = TabHeight();
  return Rect(4, top + 4, std::max(GetWidth() - 4, 4), std::max(GetHeight() - 4, top + 4));
}

void TPageControl::PlacePages() {
  const TRect r = PageRect();
  for (TTabSheet* page : FPages) page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::Resize() {
  PlacePages();
  TCustomControl::Resize();
}

void TPageControl::FontChanged() {
  TCustomControl::FontChanged();
  PlacePages();
  Invalidate();
}

void TPageControl::Paint() {
  TCanvas* c = GetCanvas();
  const TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  const TWinControl* parent = GetParent();
  const TColor outside = parent && parent->GetColor() != clNone ? parent->GetColor() : face;
  const int top = TabHeight();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(outside);
  c->FillRect(Rect(0, 0, GetWidth(), top));
  c->Brush->SetColor(face);
  TRect frame = Rect(0, top, GetWidth(), GetHeight());
  c->FillRect(frame);
  Frame3D(c, frame, BevelHighlight(face), BevelShadow(face), 1);
  c->Font->Assign(GetFont());
  if (!GetEnabled()) c->Font->SetColor(clGrayText);
  const std::vector<TRect> rects = TabRects();
  for (size_t i = 0; i < rects.size(); ++i) {
    TRect r = rects[i];
    if (r.IsEmpty()) continue;
    const bool active = FPages[i] == FActivePage;
    // The active tab stands up out of the row and joins its page.
    if (active) r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, top + 1);
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(active ? face : Shade(face));
    TRect inner = r;
    c->FillRect(inner);
    c->Pen->SetColor(BevelHighlight(face));
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right - 1, r.Top);
    c->Pen->SetColor(BevelShadow(face));
    c->LineTo(r.Right - 1, r.Bottom);
    c->Brush->SetStyle(bsClear);
    TRect text = r;
    c->DrawText(FPages[i]->GetCaption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (active && Focused()) {
      TRect focus = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
      c->DrawFocusRect(focus);
    }
  }
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::UserSelect(int Index) {
  TTabSheet* page = GetPages(Index);
  if (!page || page == FActivePage || !page->GetTabVisible()) return;
  if (!CanChange()) return;
  SetActivePage(page);
  Change();
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    const int index = IndexOfTabAt(X, Y);
    if (index >= 0) {
      if (CanFocus() && GetTabStop()) SetFocus();
      UserSelect(index);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != VK_LEFT && Key != VK_RIGHT) return;
  const int step = Key == VK_RIGHT ? 1 : -1;
  for (int i = GetActivePageIndex() + step; i >= 0 && i < GetPageCount(); i += step)
    if (FPages[static_cast<size_t>(i)]->GetTabVisible()) {
      UserSelect(i);
      break;
    }
  Key = 0;
}
