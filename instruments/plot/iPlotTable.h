#pragma once
// The table: a layout object beside the data view holding a grid of text
// cells under column titles. It sizes itself from its fonts and contents,
// shows as many rows as fit (or as RowsMax allows) and scrolls through the
// rest with two small auto-repeating arrow buttons.

#include <memory>
#include <string>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotObjects.h"

// One column; plain fields, read at each sizing and drawing.
class TiPlotTableColumn : public TObject {
 public:
  // Computed at each sizing.
  int WidthPixels = 0;
  std::string Title;
  // In widths of "0" of the data font: used when AutoSize is off, written
  // back when it is on.
  double Width = 10;
  bool Visible = true;
  TiAlignmentHorizontal TitleAlignment = iahCenter;
  // In widths of "0" of the title font.
  double TitleAlignmentMargin = 1;
  TColor TitleFontColor = clAqua;
  TiAlignmentHorizontal DataAlignment = iahCenter;
  // In widths of "0" of the data font.
  double DataAlignmentMargin = 1;
  TColor DataFontColor = clWhite;
  bool AutoSize = true;
};

// A scroll button of the table.
class TiPlotTableButton : public TiPlotButton {
 public:
  using TiPlotButton::TiPlotButton;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
};

class TiPlotTable : public TiPlotLayoutObject {
 public:
  TiPlotTable(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
              TNotifyEvent AOnRename);
  ~TiPlotTable() override;

#define TI_TABLE_DOUBLE(Name, Field) TI_PLOT_CHANGE_PROPERTY(double, SetDoubleProperty, Name, Field)
#define TI_TABLE_BOOL(Name, Field) TI_PLOT_CHANGE_PROPERTY(bool, SetBooleanProperty, Name, Field)
  TI_TABLE_DOUBLE(MarginLeft, FMarginLeft)
  TI_TABLE_DOUBLE(MarginTop, FMarginTop)
  TI_TABLE_DOUBLE(MarginRight, FMarginRight)
  TI_TABLE_DOUBLE(MarginBottom, FMarginBottom)
  TI_TABLE_DOUBLE(ColumnSpacing, FColumnSpacing)
  TI_TABLE_DOUBLE(RowSpacing, FRowSpacing)
  TI_TABLE_BOOL(GridBackGroundTransparent, FGridBackGroundTransparent)
  TI_TABLE_BOOL(GridLinesShow, FGridLinesShow)
  TI_TABLE_BOOL(ColumnTitlesVisible, FColumnTitlesVisible)
#undef TI_TABLE_DOUBLE
#undef TI_TABLE_BOOL
  TI_PLOT_CHANGE_PROPERTY(TColor, SetColorProperty, GridBackGroundColor, FGridBackGroundColor)
  TI_PLOT_CHANGE_PROPERTY(TColor, SetColorProperty, GridLinesColor, FGridLinesColor)
  TI_PLOT_CHANGE_PROPERTY(int, SetIntegerProperty, RowsMax, FRowsMax)
  TFont* GetDataFont() const {
    return FDataFont.get();
  }
  void SetDataFont(const TFont* Value) {
    FDataFont->Assign(Value);
  }
  TFont* GetColumnTitlesFont() const {
    return FColumnTitlesFont.get();
  }
  void SetColumnTitlesFont(const TFont* Value) {
    FColumnTitlesFont->Assign(Value);
  }

  // Columns: none of these signals a change.
  int AddColumn(const std::string& Title);
  void DeleteColumn(int Index);
  void RemoveAllColumns();
  int GetColumnCount() const {
    return static_cast<int>(FColumns.size());
  }
  TiPlotTableColumn* GetColumn(int Index) const;

  // Rows: each signals a change.
  int AddRow();
  void DeleteRow(int Index);
  void RemoveAllRows();
  int GetRowCount() const {
    return static_cast<int>(FRows.size());
  }
  // The text of a cell; columns count hidden ones too.
  std::string GetCellText(int Column, int Row) const;
  // Writes one cell, keeping one line per column in the row; a line break
  // in Text becomes a blank. Signals a change.
  void SetCellText(int Column, int Row, const std::string& Text);

  int GetRowDisplayStartIndex() const {
    return FItemViewStartIndex;
  }
  void SetRowDisplayStartIndex(int Value) {
    FItemViewStartIndex = Value;
  }
  int GetRowDisplayStopIndex() const {
    return FItemViewStopIndex;
  }

  // Results of the last sizing.
  int GetRowHeight() const {
    return FRowHeight;
  }
  TRect GetGridRect() const {
    return FGridRect;
  }
  TRect GetTitleRect() const {
    return FTitleRect;
  }
  int GetLastRequiredWidth() const {
    return FRequiredWidth;
  }
  int GetLastRequiredHeight() const {
    return FRequiredHeight;
  }
  TiPlotTableButton* GetUpButton() const {
    return FUpButton.get();
  }
  TiPlotTableButton* GetDownButton() const {
    return FDownButton.get();
  }

  void NotificationSetFocus(TObject* Sender) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  TiPlotObject* GetMouseOverObject(int X, int Y) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;
  int GetRequiredWidth(TCanvas* Canvas) override;
  // The sizing: margins, grid and title rectangles, row height, column
  // widths, the rows shown and the scroll buttons.
  void Layout(TCanvas* Canvas);

 protected:
  void DoMouseUp(TiPlotMouseData& MouseData) override;

 private:
  // The cells of a row, padded with empty ones to the column count.
  std::vector<std::string> Cells(int Row) const;
  void CheckRow(int Row) const;
  void DrawCell(TCanvas* Canvas, const std::string& Text, TRect Cell, TiAlignmentHorizontal Alignment,
                int Margin);

  std::unique_ptr<TiPlotTableButton> FUpButton;
  std::unique_ptr<TiPlotTableButton> FDownButton;
  int FRequiredWidth = 0;
  int FRequiredHeight = 0;
  std::vector<std::unique_ptr<TiPlotTableColumn>> FColumns;
  std::vector<std::string> FRows;
  int FItemViewStartIndex = 0;
  int FItemViewStopIndex = -1;
  int FRowHeight = 0;
  double FMarginLeft = 1;
  double FMarginRight = 1;
  double FMarginBottom = 1;
  double FMarginTop = 1;
  bool FGridBackGroundTransparent = false;
  TColor FGridBackGroundColor = 0x808080;
  bool FGridLinesShow = true;
  TColor FGridLinesColor = clWhite;
  double FColumnSpacing = 2;
  double FRowSpacing = 0.5;
  int FRowsMax = 0;
  std::unique_ptr<TFont> FDataFont;
  TRect FGridRect;
  TRect FTitleRect;
  bool FColumnTitlesVisible = true;
  std::unique_ptr<TFont> FColumnTitlesFont;
  // Widths of "0" in the title and data fonts at the last sizing.
  int FTitleZeroWidth = 0;
  int FDataZeroWidth = 0;
};
