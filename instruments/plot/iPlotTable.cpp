#include "instruments/plot/iPlotTable.h"

#include <algorithm>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotDataHost.h"
#include "platform/classlib/StringList.h"

namespace {
const TiRegisterProperties<TiPlotTable, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotTable>& b) {
      using T = TiPlotTable;
      b.Add("MarginLeft", &T::GetMarginLeft, &T::SetMarginLeft);
      b.Add("MarginTop", &T::GetMarginTop, &T::SetMarginTop);
      b.Add("MarginRight", &T::GetMarginRight, &T::SetMarginRight);
      b.Add("MarginBottom", &T::GetMarginBottom, &T::SetMarginBottom);
      b.Add("GridBackGroundColor", &T::GetGridBackGroundColor, &T::SetGridBackGroundColor, 0x808080);
      b.Add("GridBackGroundTransparent", &T::GetGridBackGroundTransparent, &T::SetGridBackGroundTransparent,
            0);
      b.Add("GridLinesColor", &T::GetGridLinesColor, &T::SetGridLinesColor);
      b.Add("GridLinesShow", &T::GetGridLinesShow, &T::SetGridLinesShow);
      b.Object("DataFont", &T::GetDataFont);
      b.Add("ColumnSpacing", &T::GetColumnSpacing, &T::SetColumnSpacing);
      b.Add("RowSpacing", &T::GetRowSpacing, &T::SetRowSpacing);
      b.Add("RowsMax", &T::GetRowsMax, &T::SetRowsMax);
      b.Add("ColumnTitlesVisible", &T::GetColumnTitlesVisible, &T::SetColumnTitlesVisible, 1);
      b.Object("ColumnTitlesFont", &T::GetColumnTitlesFont);
    });

constexpr int kButtonGap = 5;
constexpr int kButtonSize = 17;

// The lines of a row's string; a break at the end starts no further line.
std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < Text.size()) {
    size_t end = Text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = Text.size();
    lines.push_back(Text.substr(start, end - start));
    if (end + 1 < Text.size() && Text[end] == '\r' && Text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& Lines) {
  std::string s;
  for (size_t i = 0; i < Lines.size(); ++i) s += (i ? "\r\n" : "") + Lines[i];
  return s;
}

std::string IndexError(int Index) {
  return "List index out of bounds (" + std::to_string(Index) + ")";
}
}  // namespace

void TiPlotTableButton::Draw(TCanvas* Canvas, TColor) {
  if (GetVisible()) DrawScrollFace(Canvas);
}

TiPlotTable::TiPlotTable(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FDataFont(std::make_unique<TFont>()),
      FColumnTitlesFont(std::make_unique<TFont>()) {
  SetHorizontal(false);
  FDataFont->SetColor(clWhite);
  FDataFont->SetStyle(TFontStyles() << fsBold);
  FColumnTitlesFont->SetColor(clAqua);
  FColumnTitlesFont->SetStyle(TFontStyles() << fsBold);
  for (TFont* f : {FDataFont.get(), FColumnTitlesFont.get()})
    f->OnChange = [this](TGraphicsObject*) { DoChange(); };
  TNotifyEvent none;
  FUpButton = std::make_unique<TiPlotTableButton>(AOwner, none, none, none, none);
  FDownButton = std::make_unique<TiPlotTableButton>(AOwner, none, none, none, none);
  FUpButton->SetName("PlotTableUpButton");
  FDownButton->SetName("PlotTableDownButton");
  for (TiPlotTableButton* b : {FUpButton.get(), FDownButton.get()}) {
    b->SetTimerEnabled(true);
    b->SetVisible(false);
    b->OnInvalidate = [this](TObject*) { InvalidateNow(); };
  }
  // The next sizing pulls the start back into range.
  FUpButton->OnClick = [this](TObject*) {
    if (FItemViewStartIndex > 0) --FItemViewStartIndex;
  };
  FDownButton->OnClick = [this](TObject*) {
    if (FItemViewStartIndex < GetRowCount() - 1) ++FItemViewStartIndex;
  };
}

TiPlotTable::~TiPlotTable() = default;

// ---------------------------------------------------------------- columns and rows

int TiPlotTable::AddColumn(const std::string& Title) {
  auto c = std::make_unique<TiPlotTableColumn>();
  c->Title = Title;
  c->TitleFontColor = FColumnTitlesFont->GetColor();
  c->DataFontColor = FDataFont->GetColor();
  FColumns.push_back(std::move(c));
  return GetColumnCount() - 1;
}

TiPlotTableColumn* TiPlotTable::GetColumn(int Index) const {
  if (Index < 0 || Index >= GetColumnCount()) throw EStringListError(IndexError(Index));
  return FColumns[static_cast<size_t>(Index)].get();
}

void TiPlotTable::DeleteColumn(int Index) {
  GetColumn(Index);
  FColumns.erase(FColumns.begin() + Index);
}

void TiPlotTable::RemoveAllColumns() {
  while (GetColumnCount() > 0) DeleteColumn(0);
}

int TiPlotTable::AddRow() {
  FRows.emplace_back();
  DoChange();
  return GetRowCount() - 1;
}

void TiPlotTable::CheckRow(int Row) const {
  if (Row < 0 || Row >= GetRowCount()) throw EStringListError(IndexError(Row));
}

void TiPlotTable::DeleteRow(int Index) {
  CheckRow(Index);
  FRows.erase(FRows.begin() + Index);
  DoChange();
}

void TiPlotTable::RemoveAllRows() {
  FRows.clear();
  DoChange();
}

std::vector<std::string> TiPlotTable::Cells(int Row) const {
  std::vector<std::string> cells = SplitLines(FRows[static_cast<size_t>(Row)]);
  if (static_cast<int>(cells.size()) < GetColumnCount()) cells.resize(static_cast<size_t>(GetColumnCount()));
  return cells;
}

std::string TiPlotTable::GetCellText(int Column, int Row) const {
  GetColumn(Column);
  CheckRow(Row);
  return Cells(Row)[static_cast<size_t>(Column)];
}

void TiPlotTable::SetCellText(int Column, int Row, const std::string& Text) {
  GetColumn(Column);
  CheckRow(Row);
  // One line per cell: a break in the text would shift the cells after it.
  std::string line;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
    line += Text[i] == '\r' || Text[i] == '\n' ? ' ' : Text[i];
  }
  std::vector<std::string> cells = Cells(Row);
  cells[static_cast<size_t>(Column)] = line;
  FRows[static_cast<size_t>(Row)] = JoinLines(cells);
  DoChange();
}

// ---------------------------------------------------------------- sizing

void TiPlotTable::Layout(TCanvas* Canvas) {
  if (FRows.empty() || FColumns.empty()) {
    FRequiredWidth = FRequiredHeight = 0;
    // Nothing is drawn, so no stale button may take the mouse.
    FUpButton->SetVisible(false);
    FDownButton->SetVisible(false);
    return;
  }
  const TRect dr = GetDrawRect();
  Canvas->Font->Assign(FColumnTitlesFont.get());
  const int w0t = Canvas->TextWidth("0"), h0t = Canvas->TextHeight("0");
  const int mt = iRound(h0t * FMarginTop), mb = iRound(h0t * FMarginBottom);
  const int ml = iRound(w0t * FMarginLeft), mr = iRound(w0t * FMarginRight);
  FGridRect = TRect(dr.Left + ml, dr.Top + mt, dr.Right - mr, dr.Bottom - mb);
  FTitleRect =
      TRect(FGridRect.Left, FGridRect.Top, FGridRect.Right, FGridRect.Top + (FColumnTitlesVisible ? h0t : 0));
  std::vector<int> titleWidths;
  for (const auto& c : FColumns) titleWidths.push_back(Canvas->TextWidth(c->Title));

  Canvas->Font->Assign(FDataFont.get());
  const int w0d = Canvas->TextWidth("0"), h0d = Canvas->TextHeight("0");
  FTitleZeroWidth = w0t;
  FDataZeroWidth = w0d;
  FRowHeight = h0d + iRound(h0d * FRowSpacing);
  int n = GetRowCount();
  if (FRowsMax != 0 && FRowsMax < n) n = std::max(FRowsMax, 0);
  const int titleBottom = FTitleRect.Bottom;
  FGridRect.Bottom = titleBottom + n * FRowHeight;
  FRequiredHeight = mt + mb + FTitleRect.Height() + n * FRowHeight;

  int sum = 0;
  for (size_t i = 0; i < FColumns.size(); ++i) {
    TiPlotTableColumn* c = FColumns[i].get();
    if (!c->Visible) continue;
    if (c->AutoSize) {
      // The widest text of every row, shown or not.
      int wp = titleWidths[i] + iRound(w0t * FColumnSpacing) + w0t;
      for (int r = 0; r < GetRowCount(); ++r)
        wp = std::max(wp, Canvas->TextWidth(Cells(r)[i]) + iRound(w0d * FColumnSpacing) + w0d);
      c->WidthPixels = wp;
      c->Width = wp / std::max(w0d, 1);
    } else {
      c->WidthPixels = iRound(c->Width * w0d);
    }
    sum += c->WidthPixels;
  }
  FRequiredWidth = ml + mr + sum;
  FGridRect.Right = FGridRect.Left + sum;

  // Only the rows that fit; a font without height leaves the count alone.
  if (FGridRect.Bottom > dr.Bottom - mb && FRowHeight > 0) {
    n = std::max((dr.Bottom - mb - titleBottom) / FRowHeight, 0);
    FGridRect.Bottom = titleBottom + n * FRowHeight;
  }

  int& start = FItemViewStartIndex;
  int& stop = FItemViewStopIndex;
  if (n < GetRowCount()) {
    if (GetEnabled()) {
      const int h = FRowHeight / 2;
      const int e = titleBottom + n * FRowHeight - h;
      const int left = FGridRect.Right + kButtonGap;
      FUpButton->SetDrawRect(TRect(left, titleBottom + h - 8, left + kButtonSize, titleBottom + h + 9));
      FDownButton->SetDrawRect(TRect(left, e - 8, left + kButtonSize, e + 9));
      FRequiredWidth += FUpButton->GetWidth() + kButtonGap;
    }
    FUpButton->SetVisible(true);
    FDownButton->SetVisible(true);
    stop = start + n - 1;
    if (stop > GetRowCount() - 1) {
      stop = GetRowCount() - 1;
      start = GetRowCount() - n;
    }
    if (start < 0) {
      start = 0;
      stop = n - 1;
    }
  } else {
    FUpButton->SetVisible(false);
    FDownButton->SetVisible(false);
    start = 0;
    stop = n - 1;
  }
  FUpButton->SetEnabled(start != 0);
  FDownButton->SetEnabled(stop + 1 != GetRowCount());
}

int TiPlotTable::GetRequiredWidth(TCanvas* Canvas) {
  Layout(Canvas);
  return GetHorizontal() ? FRequiredHeight : FRequiredWidth;
}

// ---------------------------------------------------------------- drawing

void TiPlotTable::DrawCell(TCanvas* Canvas, const std::string& Text, TRect Cell,
                           TiAlignmentHorizontal Alignment, int Margin) {
  unsigned flags = iTextFlagSingleLine | iTextFlagVCenter | iTextFlagCenter;
  if (Alignment == iahLeft) {
    Cell.Left += Margin;
    flags = iTextFlagSingleLine | iTextFlagVCenter | iTextFlagLeft;
  } else if (Alignment == iahRight) {
    Cell.Right -= Margin;
    flags = iTextFlagSingleLine | iTextFlagVCenter | iTextFlagRight;
  }
  DrawTextWithFlags(Canvas, Text, Cell, FGridBackGroundColor, true, flags);
}

void TiPlotTable::Draw(TCanvas* Canvas, TColor) {
  if (!GetVisible() || FRows.empty() || FColumns.empty()) return;
  Layout(Canvas);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Pen->SetStyle(psSolid);
  if (!FGridBackGroundTransparent) {
    Canvas->Brush->SetColor(FGridBackGroundColor);
    Canvas->FillRect(FGridRect);
  }
  const int titleBottom = FTitleRect.Bottom;
  const int shown = std::max(FItemViewStopIndex - FItemViewStartIndex + 1, 0);
  if (FGridLinesShow) {
    Canvas->Pen->SetColor(FGridLinesColor);
    Canvas->Pen->SetWidth(1);
    auto vertical = [&](int x) {
      Canvas->MoveTo(x, FGridRect.Top);
      Canvas->LineTo(x, FGridRect.Bottom);
    };
    auto horizontal = [&](int y) {
      Canvas->MoveTo(FGridRect.Left, y);
      Canvas->LineTo(FGridRect.Right + 1, y);
    };
    int x = FGridRect.Left;
    for (const auto& c : FColumns)
      if (c->Visible) {
        vertical(x);
        x += c->WidthPixels;
      }
    vertical(x);
    horizontal(FGridRect.Top);
    for (int i = 0; i <= shown; ++i) horizontal(titleBottom + i * FRowHeight);
  }

  if (FColumnTitlesVisible) {
    Canvas->Font->Assign(FColumnTitlesFont.get());
    Canvas->Brush->SetStyle(bsClear);
    int x = FGridRect.Left;
    for (const auto& c : FColumns) {
      if (!c->Visible) continue;
      Canvas->Font->SetColor(c->TitleFontColor);
      DrawCell(Canvas, c->Title, TRect(x, FTitleRect.Top, x + c->WidthPixels, titleBottom), c->TitleAlignment,
               iRound(c->TitleAlignmentMargin * FTitleZeroWidth));
      x += c->WidthPixels;
    }
  }

  Canvas->Font->Assign(FDataFont.get());
  Canvas->Brush->SetStyle(bsClear);
  for (int r = FItemViewStartIndex; r <= FItemViewStopIndex; ++r) {
    const int y = titleBottom + (r - FItemViewStartIndex) * FRowHeight;
    const std::vector<std::string> cells = Cells(r);
    int x = FGridRect.Left;
    for (size_t i = 0; i < FColumns.size(); ++i) {
      const TiPlotTableColumn* c = FColumns[i].get();
      if (!c->Visible) continue;
      Canvas->Font->SetColor(c->DataFontColor);
      DrawCell(Canvas, cells[i], TRect(x, y, x + c->WidthPixels, y + FRowHeight), c->DataAlignment,
               iRound(c->DataAlignmentMargin * FDataZeroWidth));
      x += c->WidthPixels;
    }
  }

  for (auto [button, up] : {std::pair{FUpButton.get(), true}, std::pair{FDownButton.get(), false}}) {
    if (!button->GetVisible()) continue;
    button->Draw(Canvas, clBtnFace);
    button->DrawScrollArrow(Canvas, up);
  }

  if (GetUserSelected()) {
    Canvas->Brush->SetStyle(bsClear);
    Canvas->Font->SetColor(clWhite);
    TRect r = GetDrawRect();
    if (GetHorizontal()) {
      r.Top += 2;
      r.Bottom -= 2;
    }
    DrawFocusRectangle(Canvas, r);
  }
}

// ---------------------------------------------------------------- mouse and menu

void TiPlotTable::NotificationSetFocus(TObject* Sender) {
  TiPlotLayoutObject::NotificationSetFocus(Sender);
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}

TiPlotObject* TiPlotTable::GetMouseOverObject(int X, int Y) {
  TiPlotObject* result = TiPlotLayoutObject::GetMouseOverObject(X, Y);
  // The buttons take the mouse as objects of their own (press, repeat, release).
  TiPlotButton* button = iPlotButtonAt({FUpButton.get(), FDownButton.get()}, X, Y);
  if (!button) return result;
  FMouseOverObject = button;
  return button;
}

void TiPlotTable::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}

void TiPlotTable::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FMouseDown || !GetDrawRect().Contains(TPoint(MouseData.X, MouseData.Y))) return;
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectClick(this);
}
