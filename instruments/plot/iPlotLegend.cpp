#include "instruments/plot/iPlotLegend.h"

#include <algorithm>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/sys/SysUtils.h"

namespace {
using L = TiPlotLegend;
const TiRegisterProperties<TiPlotLegend, TiPlotLayoutObject> kProperties([](TiPropertyBuilder<L>& b) {
  b.Add("MarginLeft", &L::GetMarginLeft, &L::SetMarginLeft);
  b.Add("MarginRight", &L::GetMarginRight, &L::SetMarginRight);
  b.Add("MarginTop", &L::GetMarginTop, &L::SetMarginTop);
  b.Add("MarginBottom", &L::GetMarginBottom, &L::SetMarginBottom);
  b.Add("BackGroundColor", &L::GetBackGroundColor, &L::SetBackGroundColor, 0x808080);
  b.Add("BackGroundTransparent", &L::GetBackGroundTransparent, &L::SetBackGroundTransparent, 1);
  b.Add("SelectedItemBackGroundColor", &L::GetSelectedItemBackGroundColor, &L::SetSelectedItemBackGroundColor,
        0x00FFFF);
  b.Add("SelectedItemFont", &L::GetSelectedItemFont, &L::SetSelectedItemFont);
  b.Add("ShowColumnLine", &L::GetShowColumnLine, &L::SetShowColumnLine, 1);
  b.Add("ShowColumnMarker", &L::GetShowColumnMarker, &L::SetShowColumnMarker, 0);
  b.Add("ShowColumnXAxisTitle", &L::GetShowColumnXAxisTitle, &L::SetShowColumnXAxisTitle, 0);
  b.Add("ShowColumnYAxisTitle", &L::GetShowColumnYAxisTitle, &L::SetShowColumnYAxisTitle, 0);
  b.Add("ShowColumnXValue", &L::GetShowColumnXValue, &L::SetShowColumnXValue, 0);
  b.Add("ShowColumnYValue", &L::GetShowColumnYValue, &L::SetShowColumnYValue, 0);
  b.Add("ShowColumnYMax", &L::GetShowColumnYMax, &L::SetShowColumnYMax, 0);
  b.Add("ShowColumnYMin", &L::GetShowColumnYMin, &L::SetShowColumnYMin, 0);
  b.Add("ShowColumnYMean", &L::GetShowColumnYMean, &L::SetShowColumnYMean, 0);
  b.Add("CaptionColumnTitle", &L::GetCaptionColumnTitle, &L::SetCaptionColumnTitle);
  b.Add("CaptionColumnXAxisTitle", &L::GetCaptionColumnXAxisTitle, &L::SetCaptionColumnXAxisTitle);
  b.Add("CaptionColumnYAxisTitle", &L::GetCaptionColumnYAxisTitle, &L::SetCaptionColumnYAxisTitle);
  b.Add("CaptionColumnXValue", &L::GetCaptionColumnXValue, &L::SetCaptionColumnXValue);
  b.Add("CaptionColumnYValue", &L::GetCaptionColumnYValue, &L::SetCaptionColumnYValue);
  b.Add("CaptionColumnYMax", &L::GetCaptionColumnYMax, &L::SetCaptionColumnYMax);
  b.Add("CaptionColumnYMin", &L::GetCaptionColumnYMin, &L::SetCaptionColumnYMin);
  b.Add("CaptionColumnYMean", &L::GetCaptionColumnYMean, &L::SetCaptionColumnYMean);
  b.Add("Font", &L::GetFont, &L::SetFont);
  b.Add("ColumnSpacing", &L::GetColumnSpacing, &L::SetColumnSpacing);
  b.Add("RowSpacing", &L::GetRowSpacing, &L::SetRowSpacing);
  b.Add("WrapColDesiredCount", &L::GetWrapColDesiredCount, &L::SetWrapColDesiredCount, 1);
  b.Add("WrapRowDesiredCount", &L::GetWrapRowDesiredCount, &L::SetWrapRowDesiredCount, 5);
  b.Add("WrapColAutoCountEnabled", &L::GetWrapColAutoCountEnabled, &L::SetWrapColAutoCountEnabled, 0);
  b.Add("WrapRowAutoCountEnabled", &L::GetWrapRowAutoCountEnabled, &L::SetWrapRowAutoCountEnabled, 1);
  b.Add("WrapColAutoCountMax", &L::GetWrapColAutoCountMax, &L::SetWrapColAutoCountMax, 100);
  b.Add("WrapRowAutoCountMax", &L::GetWrapRowAutoCountMax, &L::SetWrapRowAutoCountMax, 100);
  b.Add("WrapColSpacingMin", &L::GetWrapColSpacingMin, &L::SetWrapColSpacingMin);
  b.Add("WrapRowSpacingMin", &L::GetWrapRowSpacingMin, &L::SetWrapRowSpacingMin);
  b.Add("WrapColSpacingAuto", &L::GetWrapColSpacingAuto, &L::SetWrapColSpacingAuto, 1);
  b.Add("WrapRowSpacingAuto", &L::GetWrapRowSpacingAuto, &L::SetWrapRowSpacingAuto, 0);
  b.Add("ColumnTitlesVisible", &L::GetColumnTitlesVisible, &L::SetColumnTitlesVisible, 0);
  b.Add("ColumnTitlesFont", &L::GetColumnTitlesFont, &L::SetColumnTitlesFont);
  b.Add("ChannelNameMaxWidth", &L::GetChannelNameMaxWidth, &L::SetChannelNameMaxWidth);
  b.Add("ChannelNameColorStyle", &L::GetChannelNameColorStyle, &L::SetChannelNameColorStyle, iplcncsFont,
        iplcncsYAxisFontColor);
  b.Add("LineColumnWidth", &L::GetLineColumnWidth, &L::SetLineColumnWidth, 13);
  // Declared 13 while a new legend holds 3: 3 is written, 13 is not.
  b.Add("LineColumnHeight", &L::GetLineColumnHeight, &L::SetLineColumnHeight, 3);
});

// Room for the paging buttons beside the items.
constexpr int kButtonsRoom = 25;

int CeilDiv(int A, int B) {
  B = std::max(B, 1);
  return A <= 0 ? 0 : (A + B - 1) / B;
}
}  // namespace

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
  if (GetVisible()) DrawScrollFace(Canvas);
}

// ---------------------------------------------------------------- the legend

namespace {
bool Blank(const std::string& S) {
  return S.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Solid runs of the 13-pixel line sample, by line style: pixel offsets,
// the end excluded.
struct TRun {
  int From, To;
};
const std::vector<TRun> kLineRuns[] = {{{0, 13}},                    // iplsSolid
                                       {{0, 5}, {8, 13}},            // iplsDash
                                       {{0, 2}, {4, 6}, {8, 10}},    // iplsDot
                                       {{0, 5}, {7, 9}},             // iplsDashDot
                                       {{0, 5}, {7, 9}, {11, 13}}};  // iplsDashDotDot

TPenStyle PenStyleOf(TiPlotLineStyle S) {
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  return styles[std::clamp(static_cast<int>(S), 0, 4)];
}

enum TColumnAlign { aLeft, aCentre, aRight };
TColumnAlign ColumnAlign(int Column) {
  if (Column == iplcXName || Column == iplcYName) return aCentre;
  if (Column == iplcChannel) return aLeft;
  return aRight;
}
}  // namespace

TiPlotLegend::TiPlotLegend(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                           TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FFont(std::make_unique<TFont>()),
      FSelectedItemFont(std::make_unique<TFont>()),
      FColumnTitlesFont(std::make_unique<TFont>()) {
  SetHorizontal(false);
  FFont->SetColor(clWhite);
  FSelectedItemFont->SetColor(clBlack);
  FColumnTitlesFont->SetColor(clAqua);
  FColumnTitlesFont->SetStyle(TFontStyles() << fsBold);
  for (TFont* f : {FFont.get(), FSelectedItemFont.get(), FColumnTitlesFont.get()})
    f->OnChange = [this](TGraphicsObject*) { DoChange(); };
  TNotifyEvent none;
  FUpButton = std::make_unique<TiPlotLegendButton>(AOwner, none, none, none, none);
  FDownButton = std::make_unique<TiPlotLegendButton>(AOwner, none, none, none, none);
  for (TiPlotLegendButton* b : {FUpButton.get(), FDownButton.get()}) {
    b->SetTimerEnabled(true);
    b->SetVisible(false);
    b->OnInvalidate = [this](TObject*) { InvalidateNow(); };
  }
  FUpButton->OnClick = [this](TObject*) {
    if (FItemViewStartIndex > 0) SetViewStartIndex(FItemViewStartIndex - 1);
  };
  FDownButton->OnClick = [this](TObject*) {
    if (FItemViewStartIndex < GetItemCount() - 1) SetViewStartIndex(FItemViewStartIndex + 1);
  };
}

// Out of line: the class's table above is linked with it.
TiPlotLegend::~TiPlotLegend() = default;

void TiPlotLegend::SetChannelNameColorStyle(TiPlotLegendChannelNameColorStyle Value) {
  if (Value == FChannelNameColorStyle) return;
  FChannelNameColorStyle = Value;
  DoChange();
}

bool TiPlotLegend::ColumnShown(int Column) const {
  if (Column == iplcXValue) return FShowColumnXValue || FCursorAllChannels;
  if (Column == iplcYValue) return FShowColumnYValue || FCursorAllChannels;
  return FShow[Column];
}

std::string TiPlotLegend::ChannelTitle(TiPlotChannelCustom* Channel) const {
  return Blank(Channel->GetTitleText()) ? Channel->GetName() : Channel->GetTitleText();
}

std::string TiPlotLegend::GetColumnText(TiPlotChannelCustom* Channel, TiPlotLegendColumn Column) {
  TiPlotAxis* x = Channel->GetXAxis();
  TiPlotAxis* y = Channel->GetYAxis();
  auto title = [&](TiPlotAxis* a) {
    if (!a) return TranslateText("None");
    return Blank(a->GetTitle()) ? a->GetName() : a->GetTitle();
  };
  TiPlotAxis* axis = Column == iplcXValue ? x : y;
  switch (Column) {
    case iplcChannel:
      return ChannelTitle(Channel);
    case iplcXName:
      return title(x);
    case iplcYName:
      return title(y);
    case iplcXValue:
    case iplcYValue:
    case iplcYMax:
    case iplcYMin:
    case iplcYMean:
      break;
    default:
      return "";
  }
  if (Channel->GetCount() == 0) return TranslateText("Empty");
  if (!axis) return TranslateText("N/A");
  switch (Column) {
    case iplcXValue:
      return FCursorAllChannels ? Channel->GetDataCursorXText() : axis->GetLegendText(Channel->GetXLast());
    case iplcYValue:
      return FCursorAllChannels ? Channel->GetDataCursorYText() : axis->GetLegendText(Channel->GetYLast());
    case iplcYMax:
      return axis->GetLegendText(Channel->GetRunningYMax());
    case iplcYMin:
      return axis->GetLegendText(Channel->GetRunningYMin());
    default:
      return axis->GetLegendText(Channel->GetRunningYMean());
  }
}

void TiPlotLegend::MeasureItems(TCanvas* Canvas, int W0, int H0) {
  // Names, in one line or wrapped in the set width.
  int& nameWidth = FMaxWidth[iplcChannel];
  if (FChannelNameMaxWidth != 0) nameWidth = iRound(W0 * FChannelNameMaxWidth);
  for (TItem& item : FItems) {
    const std::string name = ChannelTitle(item.Channel);
    if (FChannelNameMaxWidth != 0) {
      item.MaxHeight = 0;
      for (const TFont* f : {FFont.get(), FSelectedItemFont.get()}) {
        Canvas->Font->Assign(f);
        item.MaxHeight = std::max(item.MaxHeight, TextHeightForWidth(Canvas, name, nameWidth));
      }
    } else {
      item.MaxHeight = H0;
      for (const TFont* f : {FFont.get(), FSelectedItemFont.get()}) {
        Canvas->Font->Assign(f);
        nameWidth = std::max(nameWidth, Canvas->TextWidth(name));
      }
    }
    FMaxItemHeight = std::max(FMaxItemHeight, item.MaxHeight);
  }
  if (FColumnTitlesVisible) {
    Canvas->Font->Assign(FColumnTitlesFont.get());
    FColumnTitlesHeightPixels = Canvas->TextHeight("0");
    FColumnTitlesMarginPixels = FColumnTitlesHeightPixels / 4;
    for (int c = iplcChannel; c < iplcCount; ++c)
      if (ColumnShown(c))
        FMaxWidth[c] = std::max(FMaxWidth[c], Canvas->TextWidth(TranslateText(FCaption[c])));
  }
  if (FShow[iplcLine]) FMaxWidth[iplcLine] = FLineColumnWidth + 3;
  if (FShow[iplcMarker]) FMaxWidth[iplcMarker] = FLineColumnWidth + 3;
  for (TItem& item : FItems) {
    TiPlotChannelCustom* ch = item.Channel;
    auto grow = [&](int Column, int Width) { FMaxWidth[Column] = std::max(FMaxWidth[Column], Width); };
    auto textWidth = [&](int Column) {
      const std::string text = GetColumnText(ch, static_cast<TiPlotLegendColumn>(Column));
      Canvas->Font->Assign(FFont.get());
      return Canvas->TextWidth(text);
    };
    grow(iplcXName, textWidth(iplcXName));
    grow(iplcYName, textWidth(iplcYName));
    for (int c : {iplcXValue, iplcYValue}) {
      TiPlotAxis* axis = c == iplcXValue ? static_cast<TiPlotAxis*>(ch->GetXAxis()) : ch->GetYAxis();
      if (FCursorAllChannels) {
        if (axis) grow(c, axis->GetCursorTextWidth(Canvas, FFont.get()));
        const std::string& text = c == iplcXValue ? ch->GetDataCursorXText() : ch->GetDataCursorYText();
        grow(c, static_cast<int>(text.size()) * W0);
      } else {
        if (axis) grow(c, axis->GetLegendTextWidth(Canvas, FFont.get()));
        if (ColumnShown(c)) grow(c, textWidth(c));
      }
    }
    for (int c : {iplcYMax, iplcYMin, iplcYMean}) grow(c, textWidth(c));
  }
  Canvas->Font->Assign(FFont.get());
}

void TiPlotLegend::Layout(TCanvas* Canvas) {
  Canvas->Font->Assign(FFont.get());
  const int w0 = Canvas->TextWidth("0"), h0 = Canvas->TextHeight("0");
  const int left = iRound(w0 * FMarginLeft), right = iRound(w0 * FMarginRight);
  const int top = iRound(h0 * FMarginTop), bottom = iRound(h0 * FMarginBottom);
  const TRect r = GetDrawRect();
  FInnerRect = TRect(r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom);
  FColumnSpacingPixels = iRound(w0 * FColumnSpacing);
  FRowSpacingPixels = iRound(h0 * FRowSpacing);
  FWrapSpacingPixels = iRound(h0 * FWrapColSpacingMin);
  FItemHeight = h0;
  FMaxItemHeight = 0;
  FColumnTitlesHeightPixels = FColumnTitlesMarginPixels = 0;
  std::fill(std::begin(FMaxWidth), std::end(FMaxWidth), 0);
  std::fill(std::begin(FColumnStart), std::end(FColumnStart), 0);

  FItems.clear();
  if (TiPlotMasterManager* master = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner()))) {
    TiPlotChannelManager* channels = master->GetChannelManager();
    for (int i = 0; i < channels->Count(); ++i)
      if (channels->GetItem(i)->GetVisibleInLegend()) FItems.push_back({channels->GetItem(i), 0});
  }
  // Without items the size and the buttons stay as they were.
  if (FItems.empty()) return;

  MeasureItems(Canvas, w0, h0);
  int offset = 0;
  for (int c = 0; c < iplcCount; ++c) {
    if (!ColumnShown(c)) continue;
    FColumnStart[c] = offset;
    offset += FMaxWidth[c] + FColumnSpacingPixels;
  }
  FItemWidth = offset - FColumnSpacingPixels;
  FColumnTitlesRect =
      TRect(FInnerRect.Left, FInnerRect.Top, FInnerRect.Right, FInnerRect.Top + FColumnTitlesHeightPixels);
  FItemsRect = TRect(FInnerRect.Left, FColumnTitlesRect.Bottom + FColumnTitlesMarginPixels, FInnerRect.Right,
                     FInnerRect.Bottom);

  TiPlotLegendWrapInput in;
  in.Count = GetItemCount();
  in.Horizontal = GetHorizontal();
  in.ItemsRect = FItemsRect;
  in.ItemWidth = FItemWidth;
  in.MaxItemHeight = FMaxItemHeight;
  in.RowSpacing = FRowSpacingPixels;
  in.WrapSpacing = FWrapSpacingPixels;
  in.ColAutoCountEnabled = FWrapColAutoCountEnabled;
  in.RowAutoCountEnabled = FWrapRowAutoCountEnabled;
  in.ColDesiredCount = FWrapColDesiredCount;
  in.RowDesiredCount = FWrapRowDesiredCount;
  in.ColAutoCountMax = FWrapColAutoCountMax;
  in.RowAutoCountMax = FWrapRowAutoCountMax;
  in.ColSpacingAuto = FWrapColSpacingAuto;
  in.RowSpacingAuto = FWrapRowSpacingAuto;
  in.ViewStartIndex = FItemViewStartIndex;
  FWrap = iLegendWrap(in);
  FItemViewStartIndex = FWrap.ViewStartIndex;
  FItemViewStopIndex = FWrap.ViewStopIndex;

  const int cols = FWrap.Cols, rows = FWrap.Rows;
  FRequiredWidth = cols * FItemWidth + (cols - 1) * FWrapSpacingPixels + left + right;
  FRequiredHeight = top + FColumnTitlesHeightPixels + FColumnTitlesMarginPixels +
                    rows * (FMaxItemHeight + FRowSpacingPixels) - FRowSpacingPixels + bottom;
  const bool buttons = FWrap.Paging && GetEnabled();
  FUpButton->SetVisible(buttons);
  FDownButton->SetVisible(buttons);
  if (buttons) {
    const TRect& i = FItemsRect;
    FUpButton->SetDrawRect(TRect(i.Right - 17, i.Top, i.Right, i.Top + 17));
    FDownButton->SetDrawRect(TRect(i.Right - 17, i.Bottom - 17, i.Right, i.Bottom));
    FRequiredWidth += 25;
  }
  FUpButton->SetEnabled(FItemViewStartIndex > 0);
  FDownButton->SetEnabled(FItemViewStopIndex < GetItemCount() - 1);
}

int TiPlotLegend::GetRequiredWidth(TCanvas* Canvas) {
  Layout(Canvas);
  return GetHorizontal() ? FRequiredHeight : FRequiredWidth;
}

void TiPlotLegend::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  if (!GetVisible()) return;
  Layout(Canvas);
  if (FItems.empty()) return;
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Pen->SetStyle(psSolid);
  if (!FBackGroundTransparent) {
    Canvas->Brush->SetColor(FBackGroundColor);
    Canvas->FillRect(GetDrawRect());
  }
  if (FColumnTitlesVisible) {
    Canvas->Font->Assign(FColumnTitlesFont.get());
    Canvas->Brush->SetStyle(bsClear);
    for (int columnLeft : FWrap.ColumnLefts) {
      for (int c = iplcChannel; c < iplcCount; ++c) {
        if (!ColumnShown(c)) continue;
        TRect cell(columnLeft + FColumnStart[c], FColumnTitlesRect.Top,
                   columnLeft + FColumnStart[c] + FMaxWidth[c], FColumnTitlesRect.Bottom);
        const TColumnAlign a = ColumnAlign(c);
        DrawTextWithFlags(Canvas, TranslateText(FCaption[c]), cell, BackGroundColor, true,
                          iTextFlagSingleLine | iTextFlagVCenter | iTextFlagNoClip |
                              (a == aLeft     ? iTextFlagLeft
                               : a == aCentre ? iTextFlagCenter
                                              : iTextFlagRight));
      }
    }
  }
  for (const TItem& item : FItems) item.Channel->SetLegendRect(TRect(0, 0, 0, 0));
  for (int i = FItemViewStartIndex; i <= FItemViewStopIndex && i < GetItemCount(); ++i)
    DrawItem(Canvas, FItems[static_cast<std::size_t>(i)], FWrap.Places[static_cast<std::size_t>(i)],
             BackGroundColor);
  DrawButton(Canvas, FUpButton.get(), true);
  DrawButton(Canvas, FDownButton.get(), false);
  if (GetUserSelected()) {
    TRect f = GetDrawRect();
    if (GetHorizontal())
      f = TRect(f.Left, f.Top + 2, f.Right, f.Bottom - 2);
    else
      f = TRect(f.Left + 2, f.Top, f.Right - 2, f.Bottom);
    Canvas->Font->SetColor(clWhite);
    DrawFocusRectangle(Canvas, f);
  }
}

void TiPlotLegend::DrawItem(TCanvas* Canvas, const TItem& Item, const TiPlotLegendPlace& Place,
                            TColor BackGroundColor) {
  TiPlotChannelCustom* ch = Item.Channel;
  const int left = Place.Left, top = Place.Top, centre = top + FItemHeight / 2;
  const TRect name(left + FColumnStart[iplcChannel], top,
                   left + FColumnStart[iplcChannel] + FMaxWidth[iplcChannel] + 1, top + Item.MaxHeight);
  ch->SetLegendRect(name);
  if (FShow[iplcLine]) DrawLineSample(Canvas, ch, left + FColumnStart[iplcLine], centre);
  if (FShow[iplcMarker])
    ch->DrawMarker(Canvas, -1, BackGroundColor,
                   TPoint(left + FColumnStart[iplcMarker] + FMaxWidth[iplcMarker] / 2, centre));

  if (ch->GetUserSelected()) {
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(FSelectedItemBackGroundColor);
    Canvas->FillRect(name);
    Canvas->Font->Assign(FSelectedItemFont.get());
  } else {
    Canvas->Font->Assign(FFont.get());
  }
  Canvas->Brush->SetStyle(bsClear);
  TiPlotAxis* nameAxis = nullptr;
  switch (FChannelNameColorStyle) {
    case iplcncsChannelColor:
      Canvas->Font->SetColor(ch->GetColor());
      break;
    case iplcncsXAxisFontColor:
      nameAxis = ch->GetXAxis();
      break;
    case iplcncsYAxisFontColor:
      nameAxis = ch->GetYAxis();
      break;
    default:
      break;
  }
  if (nameAxis) Canvas->Font->SetColor(nameAxis->GetLabelsFont()->GetColor());
  TRect nameText = name;
  DrawTextWithFlags(Canvas, ChannelTitle(ch), nameText, BackGroundColor, true,
                    iTextFlagLeft | iTextFlagTop | iTextFlagWordBreak | iTextFlagWordEllipsis);

  Canvas->Brush->SetStyle(bsClear);
  for (int c = iplcXName; c < iplcCount; ++c) {
    if (!ColumnShown(c)) continue;
    const std::string text = GetColumnText(ch, static_cast<TiPlotLegendColumn>(c));
    Canvas->Font->Assign(FFont.get());
    TRect cell(left + FColumnStart[c], top, left + FColumnStart[c] + FMaxWidth[c], top + FItemHeight);
    DrawTextWithFlags(Canvas, text, cell, BackGroundColor, true,
                      iTextFlagSingleLine | iTextFlagVCenter | iTextFlagNoClip |
                          (ColumnAlign(c) == aRight ? iTextFlagRight : iTextFlagLeft));
  }
}

void TiPlotLegend::DrawLineSample(TCanvas* Canvas, TiPlotChannelCustom* Channel, int Left, int Y) {
  Canvas->Pen->SetColor(Channel->GetColor());
  Canvas->Pen->SetWidth(1);
  const TiPlotLineStyle style = Channel->GetTraceLineStyle();
  const int h = FLineColumnHeight;
  for (int dy = -(h / 2); dy <= h - h / 2; ++dy) {
    if (FLineColumnWidth == 13) {
      Canvas->Pen->SetStyle(psSolid);
      for (const TRun& run : kLineRuns[std::clamp(static_cast<int>(style), 0, 4)]) {
        Canvas->MoveTo(Left + run.From, Y + dy);
        Canvas->LineTo(Left + run.To, Y + dy);
      }
    } else {
      Canvas->Pen->SetStyle(PenStyleOf(style));
      Canvas->MoveTo(Left, Y + dy);
      Canvas->LineTo(Left + FLineColumnWidth, Y + dy);
    }
  }
  Canvas->Pen->SetStyle(psSolid);
}

void TiPlotLegend::DrawButton(TCanvas* Canvas, TiPlotLegendButton* Button, bool Up) {
  if (!Button->GetVisible()) return;
  Button->Draw(Canvas, clBtnFace);
  Button->DrawScrollArrow(Canvas, Up);
}

void TiPlotLegend::NotificationRemove(TObject* Sender) {
  TiPlotLayoutObject::NotificationRemove(Sender);
  // A channel that goes leaves no item behind until the next pass.
  std::erase_if(FItems, [Sender](const TItem& Item) { return Item.Channel == Sender; });
}

void TiPlotLegend::NotificationSetFocus(TObject* Sender) {
  TiPlotLayoutObject::NotificationSetFocus(Sender);
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}

TiPlotObject* TiPlotLegend::GetMouseOverObject(int X, int Y) {
  TiPlotObject* result = TiPlotLayoutObject::GetMouseOverObject(X, Y);
  const TPoint p(X, Y);
  TiPlotObject* over = iPlotButtonAt({FUpButton.get(), FDownButton.get()}, X, Y);
  if (!over) {
    for (const TItem& item : FItems)
      if (item.Channel->GetVisibleInLegend() && item.Channel->GetLegendRect().Contains(p)) {
        over = item.Channel;
        break;
      }
  }
  if (!over) return result;
  FMouseOverObject = over;
  return over;
}

TCursor TiPlotLegend::GetMouseCursor(TPoint APoint) {
  TCursor cursor = TiPlotLayoutObject::GetMouseCursor(APoint);
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectGetMouseCursor(this, cursor);
  return cursor;
}

void TiPlotLegend::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}

void TiPlotLegend::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FMouseDown || !GetDrawRect().Contains(TPoint(MouseData.X, MouseData.Y))) return;
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectClick(this);
}
