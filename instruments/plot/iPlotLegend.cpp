#include "instruments/plot/iPlotLegend.h"

#include <algorithm>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotLegend, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotLegend>&) {});

// Room for the paging buttons beside the items.
constexpr int kButtonsRoom = 25;

int CeilDiv(int A, int B) {
  B = std::max(B, 1);
  return A <= 0 ? 0 : (A + B - 1) / B;
}
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotLegend::~TiPlotLegend() = default;

TiPlotLegendWrap iLegendWrap(const TiPlotLegendWrapInput& In) {
  TiPlotLegendWrap w;
  w.RowSpacing = In.RowSpacing;
  const int count = In.Count;
  if (count <= 0) return w;
  const int itemsWidth = In.ItemsRect.Width(), itemsHeight = In.ItemsRect.Height();
  const int colsFit = std::max((itemsWidth - (In.Horizontal ? kButtonsRoom : 0) + In.WrapSpacing) /
                                   std::max(In.ItemWidth + In.WrapSpacing, 1),
                               1);
  const int rowsFit =
      std::max((itemsHeight + In.RowSpacing) / std::max(In.MaxItemHeight + In.RowSpacing, 1), 1);
  // An automatic maximum of 0 or less would leave no place at all.
  const int colMax = std::max(In.ColAutoCountMax, 1);
  const int colSetting = In.ColAutoCountEnabled ? colMax : std::max(In.ColDesiredCount, 1);
  const int rowSetting = std::max(In.RowAutoCountEnabled ? In.RowAutoCountMax : In.RowDesiredCount, 1);
  int cols = colSetting, rows;
  if (In.Horizontal) {
    cols = std::min(cols, colsFit);
    rows = In.RowAutoCountEnabled ? CeilDiv(count, cols) : rowSetting;
    rows = std::min(rows, rowSetting);
    if (rows < 3 && rows * cols < count) rows = 3;
    if (In.ColAutoCountEnabled) cols = std::min(cols, CeilDiv(count, rows));
  } else {
    if (In.ColAutoCountEnabled) cols = CeilDiv(count, rowsFit);
    cols = std::min(cols, colMax);
    rows = std::min({rowsFit, count, rowSetting});
    if (rows < 3 && rows * cols < count) rows = 3;
  }
  w.Cols = cols;
  w.Rows = rows;
  w.Paging = static_cast<long long>(rows) * cols < count;
  // Everything fits: the list shows from its first item.
  w.ViewStartIndex = w.Paging ? std::clamp(In.ViewStartIndex, 0, count - 1) : 0;

  w.Places.assign(static_cast<std::size_t>(count), TiPlotLegendPlace());
  w.ViewStopIndex = count - 1;
  const int left0 = In.ItemsRect.Left, top0 = In.ItemsRect.Top;
  int col = 1, row = 1, left = left0, top = top0;
  w.ColumnLefts.push_back(left);
  for (int i = w.ViewStartIndex; i < count; ++i) {
    w.Places[static_cast<std::size_t>(i)] = {row, col, left, top};
    top += In.MaxItemHeight + In.RowSpacing;
    ++row;
    if (row > rows && i != count - 1) {
      if (++col > cols) {
        w.ViewStopIndex = i;
        break;
      }
      row = 1;
      top = top0;
      left = left0 + (In.ItemWidth + In.WrapSpacing) * (col - 1);
      w.ColumnLefts.push_back(left);
    }
  }

  auto placed = [&](auto fn) {
    for (int i = w.ViewStartIndex; i <= w.ViewStopIndex; ++i) fn(w.Places[static_cast<std::size_t>(i)]);
  };
  if (In.ColSpacingAuto && In.Horizontal && cols > 1) {
    const int gap = (itemsWidth - kButtonsRoom - cols * In.ItemWidth) / (cols - 1);
    placed([&](TiPlotLegendPlace& p) { p.Left = left0 + (In.ItemWidth + gap) * (p.Col - 1); });
    for (std::size_t c = 0; c < w.ColumnLefts.size(); ++c)
      w.ColumnLefts[c] = left0 + (In.ItemWidth + gap) * static_cast<int>(c);
  }
  if (In.RowSpacingAuto && !In.Horizontal) {
    int used = 0;
    placed([&](TiPlotLegendPlace& p) { used += p.Col == 1; });
    if (used > 1) {
      w.RowSpacing = (itemsHeight - In.MaxItemHeight * used) / (used - 1);
      placed([&](TiPlotLegendPlace& p) { p.Top = top0 + (p.Row - 1) * (In.MaxItemHeight + w.RowSpacing); });
    }
  }
  return w;
}

void TiPlotLegendButton::Draw(TCanvas* Canvas, TColor) {
  if (!GetVisible()) return;
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(clBtnFace);
  Canvas->FillRect(GetDrawRect());
  DrawBevel(Canvas, GetDrawRect(), GetMouseDown() ? iBevelLowered : iBevelRaised);
}
