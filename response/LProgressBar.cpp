#include "response/LProgressBar.h"

#include <algorithm>
#include <string>

int LitSegmentCount(int position, int max, int count) {
  if (count <= 0) return 0;
  const float step = static_cast<float>(max) / static_cast<float>(count);
  if (!(step > 0.0f)) return position >= max ? count : 0;
  // Clamped before the conversion: a far-out position overflows an int.
  const float segments = std::clamp(static_cast<float>(position) / step, 0.0f, static_cast<float>(count));
  int lit = std::min(static_cast<int>(segments), count);
  if (position >= max && lit < count) ++lit;
  return lit;
}

SegmentRect MeterSegmentRect(int k, int count, int height) {
  if (count <= 0) return {0, 0};
  const double top = static_cast<double>(height) / count * k;
  return {static_cast<int>(top) - 1, height / count + 2};
}

LProgressBar::LProgressBar(TComponent* AOwner) : TPanel(AOwner) {
  SetBounds(GetLeft(), GetTop(), 14, 132);
  SetColor(clBlack);
  SetBevelInner(bvLowered);
  SetBevelOuter(bvLowered);
  SetShowCaption(false);
  for (int k = 0; k < FFirstNum + FSecondNum + FThirdNum; ++k) {
    auto* s = new TShape(this);
    s->SetParent(this);
    FSegments.push_back(s);
  }
  NameSegments();
  LayOut();
  for (int k = 0; k < GetSegmentCount(); ++k)
    FSegments[static_cast<std::size_t>(k)]->GetBrush()->SetColor(FUnlit[GroupOf(k)]);
}

TShape* LProgressBar::GetSegment(int index) const {
  if (index < 0 || index >= GetSegmentCount()) return nullptr;
  return FSegments[static_cast<std::size_t>(index)];
}

int LProgressBar::GroupOf(int k) const {
  if (k < FFirstNum) return 0;
  if (k < FFirstNum + FSecondNum) return 1;
  return 2;
}

void LProgressBar::NameSegments() {
  // Clear first so that moving a name down never meets its old holder.
  for (TShape* s : FSegments) s->SetName("");
  for (std::size_t k = 0; k < FSegments.size(); ++k) FSegments[k]->SetName("shape" + std::to_string(k + 1));
}

void LProgressBar::LayOut() {
  FLaidOutWidth = GetWidth();
  FLaidOutHeight = GetHeight();
  const int n = GetSegmentCount();
  for (int k = 0; k < n; ++k) {
    const SegmentRect r = MeterSegmentRect(k, n, FLaidOutHeight);
    FSegments[static_cast<std::size_t>(k)]->SetBounds(0, r.Top, FLaidOutWidth, r.Height);
  }
}

void LProgressBar::Resize() {
  TPanel::Resize();
  // A remembered width of 0 means the bar was never laid out; it stays so.
  if (FLaidOutWidth == 0) return;
  if (GetWidth() != FLaidOutWidth || GetHeight() != FLaidOutHeight) LayOut();
}

void LProgressBar::SetGroupSize(int group, int n) {
  int* sizes[3] = {&FFirstNum, &FSecondNum, &FThirdNum};
  n = std::max(n, 0);
  if (n == *sizes[group]) return;
  int end = 0;  // index just after the changed group
  for (int g = 0; g <= group; ++g) end += *sizes[g];
  const int old = *sizes[group];
  if (n > old) {
    for (int i = 0; i < n - old; ++i) {
      auto* s = new TShape(this);
      s->SetParent(this);
      FSegments.insert(FSegments.begin() + end + i, s);
    }
  } else {
    for (int i = 0; i < old - n; ++i) {
      TShape* s = FSegments[static_cast<std::size_t>(end - 1 - i)];
      FSegments.erase(FSegments.begin() + end - 1 - i);
      delete s;
    }
  }
  *sizes[group] = n;
  NameSegments();
  LayOut();
  for (int k = 0; k < GetSegmentCount(); ++k)
    FSegments[static_cast<std::size_t>(k)]->GetBrush()->SetColor(FUnlit[GroupOf(k)]);
}

void LProgressBar::SetFirstNum(int n) {
  SetGroupSize(0, n);
}
void LProgressBar::SetSecondNum(int n) {
  SetGroupSize(1, n);
}
void LProgressBar::SetThirdNum(int n) {
  SetGroupSize(2, n);
}

void LProgressBar::SetUnlitColor(int group, TColor c) {
  if (c == FUnlit[group]) return;
  FUnlit[group] = c;
  for (int k = 0; k < GetSegmentCount(); ++k)
    if (GroupOf(k) == group) FSegments[static_cast<std::size_t>(k)]->GetBrush()->SetColor(c);
}

void LProgressBar::SetLitColor(int group, TColor c) {
  if (c == FLit[group]) return;
  for (int k = 0; k < GetSegmentCount(); ++k) {
    TBrush* b = FSegments[static_cast<std::size_t>(k)]->GetBrush();
    if (GroupOf(k) == group && b->GetColor() == FLit[group]) b->SetColor(c);
  }
  FLit[group] = c;
}

void LProgressBar::SetPosition(int v) {
  if (v == FPosition) return;
  FPosition = v > FMax ? FMax : (v < FMin ? FMin : v);
  const int n = GetSegmentCount();
  const int lit = LitSegmentCount(FPosition, FMax, n);
  // A segment's group is told by the colour it shows, tested first, second,
  // third.
  for (int k = n - 1; k >= n - lit; --k) {
    TBrush* b = FSegments[static_cast<std::size_t>(k)]->GetBrush();
    for (int g = 0; g < 3; ++g)
      if (b->GetColor() == FUnlit[g]) {
        b->SetColor(FLit[g]);
        break;
      }
  }
  for (int k = 0; k < n - lit; ++k) {
    TBrush* b = FSegments[static_cast<std::size_t>(k)]->GetBrush();
    for (int g = 0; g < 3; ++g)
      if (b->GetColor() == FLit[g]) {
        b->SetColor(FUnlit[g]);
        break;
      }
  }
}
