#include "response/PlotPages.h"

#include <algorithm>

TPaintPage::TPaintPage() : Bitmap(std::make_unique<TBitmap>()) {
  StartupInput.GdiplusVersion = 1;
  Gdiplus::GdiplusStartup(&Token, &StartupInput, nullptr);
}

TPaintPage::~TPaintPage() {
  Bitmap.reset();
  Gdiplus::GdiplusShutdown(Token);
}

void TPaintPage::SetBounds(int left, int top, int right, int bottom) {
  FWidth = std::max(right - left, 0);
  FHeight = std::max(bottom - top, 0);
  LocalRect = TRect(0, 0, right - left, bottom - top);
  ScreenRect = TRect(left, top, right, bottom);
  SetLive(FLive);
}

void TPaintPage::SetWidth(int width) {
  FWidth = std::max(width, 0);
  SetLive(FLive);
}

void TPaintPage::SetLive(bool live) {
  FLive = live;
  const int w = live ? FWidth : 0;
  const int h = live ? FHeight : 0;
  if (Bitmap->GetWidth() != w || Bitmap->GetHeight() != h) Bitmap->SetSize(w, h);
}

void TPaintPage::Fill(TColor colour) {
  TCanvas* c = Canvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(colour);
  c->FillRect(LocalRect);
}

void TPaintPage::SetFont(const TFont* font) {
  Canvas()->Font->Assign(font);
}

TPlotListMember::TPlotListMember(const TPlotListMember& other)
    : XValues(other.XValues),
      YValues(other.YValues),
      PlotColor(other.PlotColor),
      PlotStyle(other.PlotStyle),
      NumPoints(other.NumPoints),
      PlotId(other.PlotId) {}

TPlotList::TPlotList(const TPlotList& other) {
  for (TPlotListMember* m = other.Head(); m; m = m->Next.get()) {
    auto copy = std::make_unique<TPlotListMember>(*m);
    copy->Next = std::move(FHead);
    FHead = std::move(copy);
  }
}

TPlotList::~TPlotList() {
  Clear();
}

bool TPlotList::AddOrReplace(const double* x, const double* y, int count, int plotId, TColor colour,
                             TMyPlotStyle style) {
  count = std::max(count, 0);
  if (TPlotListMember* m = Find(plotId)) {
    m->XValues.assign(x, x + count);
    m->YValues.assign(y, y + count);
    m->NumPoints = count;
    return true;
  }
  auto m = std::make_unique<TPlotListMember>();
  m->XValues.assign(x, x + count);
  m->YValues.assign(y, y + count);
  m->NumPoints = count;
  m->PlotId = plotId;
  m->PlotColor = colour;
  m->PlotStyle = style;
  m->Next = std::move(FHead);
  FHead = std::move(m);
  return false;
}

TPlotListMember* TPlotList::Find(int plotId) const {
  for (TPlotListMember* m = FHead.get(); m; m = m->Next.get())
    if (m->PlotId == plotId) return m;
  return nullptr;
}

bool TPlotList::Remove(int plotId) {
  std::unique_ptr<TPlotListMember>* link = &FHead;
  while (*link) {
    if ((*link)->PlotId == plotId) {
      std::unique_ptr<TPlotListMember> gone = std::move(*link);
      *link = std::move(gone->Next);
      return true;
    }
    link = &(*link)->Next;
  }
  return false;
}

void TPlotList::Clear() {
  // Unlinked one by one, so a long list never recurses deeply.
  while (FHead) FHead = std::move(FHead->Next);
}

void TPlotList::Merge(const TPlotList& other) {
  // Merging a list into itself changes nothing (and must not read the
  // arrays it replaces).
  if (&other == this) return;
  for (TPlotListMember* m = other.Head(); m; m = m->Next.get())
    AddOrReplace(m->XValues.data(), m->YValues.data(), m->NumPoints, m->PlotId, m->PlotColor, m->PlotStyle);
}
