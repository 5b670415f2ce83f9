#pragma once
// The frequency-response plot control: curves of up to 4096 points over the
// frequency index axis, grid, axis lines, labels, titles, up to 50 band
// markers, the selected band's caption and translucent fill, a text item, a
// marker line and a mouse read-out.
//
// The control draws into off-screen pages and copies finished pages onto
// its canvas; only the rubber band is drawn on the canvas itself. The plot
// page keeps what a rebuild drew (grid, axes, curves); the overlays
// (markers, line, text, caption and fill) are composed onto a copy of it at
// every update, so the picture never depends on how many updates came
// before.
//
// Both response plot controls share this implementation; they differ only
// in which caption lines a band caption code shows (CaptionLines).

#include <array>
#include <memory>
#include <string>

#include "platform/classlib/ExtCtrls.h"
#include "response/FilterResponse.h"
#include "response/PlotPages.h"

inline constexpr int PlotMarkerCount = 50;

class LResponsePlotBase : public TPaintBox {
 public:
  explicit LResponsePlotBase(TComponent* AOwner);
  ~LResponsePlotBase() override;

  // ---- properties --------------------------------------------------------
  bool GetAutoRedraw() const { return FAutoRedraw; }
  virtual void SetAutoRedraw(bool v);
  TColor GetAxisColor() const { return FAxisColor; }
  virtual void SetAxisColor(TColor v);
  TMyAxisStyle GetAxisStyle() const { return FAxisStyle; }
  virtual void SetAxisStyle(TMyAxisStyle v);
  TMyAxisFormat GetYAxisFormat() const { return FYAxisFormat; }
  virtual void SetYAxisFormat(TMyAxisFormat v);
  TMyAxisFormat GetXAxisFormat() const { return FXAxisFormat; }
  virtual void SetXAxisFormat(TMyAxisFormat v);
  TStringFloatFormat GetYLabelFormat() const { return FYLabelFormat; }
  virtual void SetYLabelFormat(TStringFloatFormat v);
  TStringFloatFormat GetXLabelFormat() const { return FXLabelFormat; }
  virtual void SetXLabelFormat(TStringFloatFormat v);
  int GetYLabelPrecision() const { return FYLabelPrecision; }
  virtual void SetYLabelPrecision(int v);
  int GetXLabelPrecision() const { return FXLabelPrecision; }
  virtual void SetXLabelPrecision(int v);
  int GetYLabelDigits() const { return FYLabelDigits; }
  virtual void SetYLabelDigits(int v);
  int GetXLabelDigits() const { return FXLabelDigits; }
  virtual void SetXLabelDigits(int v);
  bool GetShowXLabel() const { return FShowXLabel; }
  virtual void SetShowXLabel(bool v);
  bool GetShowYLabel() const { return FShowYLabel; }
  virtual void SetShowYLabel(bool v);
  bool GetShowCoordinates() const { return FShowCoordinates; }
  virtual void SetShowCoordinates(bool v);
  bool GetYAutoScale() const { return FYAutoScale; }
  virtual void SetYAutoScale(bool v);
  bool GetXAutoScale() const { return FXAutoScale; }
  virtual void SetXAutoScale(bool v);
  double GetYLabelScale() const { return FYLabelScale; }
  virtual void SetYLabelScale(double v);
  double GetYMax() const { return FYMax; }
  virtual void SetYMax(double v);
  double GetYMin() const { return FYMin; }
  virtual void SetYMin(double v);
  double GetXMax() const { return FXMax; }
  virtual void SetXMax(double v);
  double GetXMin() const { return FXMin; }
  virtual void SetXMin(double v);
  int GetPointSize() const { return FPointSize; }
  virtual void SetPointSize(int v);
  bool GetShowHorzGrid() const { return FShowHorzGrid; }
  virtual void SetShowHorzGrid(bool v);
  bool GetShowVertGrid() const { return FShowVertGrid; }
  virtual void SetShowVertGrid(bool v);
  bool GetShowHorzTicks() const { return FShowHorzTicks; }
  virtual void SetShowHorzTicks(bool v);
  bool GetShowVertTicks() const { return FShowVertTicks; }
  virtual void SetShowVertTicks(bool v);
  int GetHorzTickLength() const { return FHorzTickLength; }
  virtual void SetHorzTickLength(int v);
  int GetVertTickLength() const { return FVertTickLength; }
  virtual void SetVertTickLength(int v);
  int GetNumHorzGrid() const { return FNumHorzGrid; }
  virtual void SetNumHorzGrid(int v);
  int GetNumVertGrid() const { return FNumVertGrid; }
  virtual void SetNumVertGrid(int v);
  TColor GetGridColor() const { return FGridColor; }
  virtual void SetGridColor(TColor v);
  bool GetShowXTitle() const { return FShowXTitle; }
  virtual void SetShowXTitle(bool v);
  bool GetShowYTitle() const { return FShowYTitle; }
  virtual void SetShowYTitle(bool v);
  bool GetShowPlotTitle() const { return FShowPlotTitle; }
  virtual void SetShowPlotTitle(bool v);
  const std::string& GetXTitle() const { return FXTitle; }
  virtual void SetXTitle(const std::string& v);
  const std::string& GetYTitle() const { return FYTitle; }
  virtual void SetYTitle(const std::string& v);
  const std::string& GetYLabel() const { return FYLabel; }
  virtual void SetYLabel(const std::string& v);
  const std::string& GetPlotTitle() const { return FPlotTitle; }
  virtual void SetPlotTitle(const std::string& v);
  // The control keeps its own fonts; the writers copy the given one.
  TFont* GetPlotTitleFont() const { return FPlotTitleFont.get(); }
  virtual void SetPlotTitleFont(const TFont* f);
  TFont* GetAxisTitleFont() const { return FAxisTitleFont.get(); }
  virtual void SetAxisTitleFont(const TFont* f);
  TFont* GetAxisLabelFont() const { return FAxisLabelFont.get(); }
  virtual void SetAxisLabelFont(const TFont* f);
  TFont* GetMouseCoordFont() const { return FMouseCoordFont.get(); }
  virtual void SetMouseCoordFont(const TFont* f);

  bool GetMouseControl() const { return FMouseControl; }
  void SetMouseControl(bool v) { FMouseControl = v; }
  TFFTNumber GetFFTNuimber() const { return FFFTNuimber; }
  void SetFFTNuimber(TFFTNumber v) { FFFTNuimber = v; }
  TSampleRate GetSampleRate() const { return FSampleRate; }
  void SetSampleRate(TSampleRate v) { FSampleRate = v; }
  double GetMouseX() const { return FMouseX; }
  double GetMouseY() const { return FMouseY; }
  int GetLineSize() const { return FLineSize; }
  void SetLineSize(int v) {
    if (v != FLineSize) FLineSize = v;
  }
  TNotifyEvent OnChange;
  virtual void Change();

  // ---- repaint pipeline ----------------------------------------------------
  void Redraw();
  void RedrawScreen();
  void ClearPlot();
  void DrawPlotsAndLabels();
  void DrawPlotsAndLabelsNoUpdate();
  void DrawAllPlots();
  // Composes the overlays onto the plot page and copies the given page onto
  // the control's canvas.
  void UpdatePaintPage(TPaintPage* page);
  void UpdateCurvePage() { UpdatePaintPage(FPlotPage.get()); }

  // ---- scales and layout ---------------------------------------------------
  double ScreenX(double x) const;
  double ScreenY(double y) const;
  double FFTScreenX(double x) const { return ScreenX(x); }
  double FFTScreenY(double y) const { return ScreenY(y); }
  double PlotX(int px) const;
  double PlotY(int py) const;
  int GetPlotWidth() const;
  int GetPlotHeight() const;
  bool SetPlotWidth(int w);
  void FindXMaxMin();
  void FindYMaxMin();
  void CompareMaxMin();
  void CalculateLogMaxMin();
  void SetXYMinMax(double xmin, double xmax, double ymin, double ymax);
  void ResizePaintPage();

  // ---- grid, labels, titles ------------------------------------------------
  void DrawGrid();
  void DrawTicks();
  void DrawAxis();
  void DrawXAxisLabels();
  void DrawYAxisLabels();
  void DrawTitles();

  // ---- curves --------------------------------------------------------------
  bool FFTDraw(const double* x, const double* y, int count, int plotId, TColor colour, TMyPlotStyle style);
  bool FFTDraw(const double* y, int count, int plotId, TColor colour, TMyPlotStyle style);
  bool FFTDraw(const double* y, int count, double firstX, double lastX, int plotId, TColor colour,
               TMyPlotStyle style);
  bool RemovePlot(int plotId);
  bool SetPlotColor(TColor colour, int plotId);
  bool SetPlotStyle(TMyPlotStyle style, int plotId);
  bool GetPlotColor(TColor& colour, int plotId) const;
  bool GetPlotStyle(TMyPlotStyle& style, int plotId) const;
  bool GetPlotNumPoints(int& count, int plotId) const;
  // Copy NumPoints values into out (ask GetPlotNumPoints first).
  bool GetPlotX(double* out, int plotId) const;
  bool GetPlotY(double* out, int plotId) const;
  const TPlotList& GetPlotList() const { return *FPlotList; }

  // ---- band markers ----------------------------------------------------------
  // An index outside 0..49 is ignored (GetBlockPos answers (0, 0)).
  void DrawBlock(double y, double x, TColor colour, int index, bool hidden, int kind);
  int SetBlockParameter(int index, double frequency, double gain, double q, double filterType);
  void SetBlockPosition(double px, double py, int index);
  TPoint GetBlockPos(int index) const;
  void BlockPaint();
  void SetParameterDisplay(bool on) { FParameterDisplay = on; }

  // ---- caption, fill, text, line ---------------------------------------------
  void DrawParam(int code, double gain, double x, float frequency, double q, TColor colour);
  void ShowParam(int code, double gain, double x, float frequency, double q, TColor colour);
  void CuveDisplayPaint();
  // At most 4096 values are taken.
  void DrawCurveFill(int code, const double* values, int count);
  bool SetCurveDisplay(bool on);
  bool GetCurveDisplay() const { return FCaptionShown; }
  double GetCaptionQ() const { return FCaptionQ; }
  void DrawTextA(int x, int y, int size, TColor colour, const std::string& fontName, const std::string& text);
  // The caption last given to DrawTextA (empty when removed).
  const std::string& GetTextString() const { return FTextString; }
  void TextPaint();
  void DrawLine(double x, TColor colour, bool marker);
  void LinePaint();

  // ---- mouse -------------------------------------------------------------------
  virtual void MouseMove1(TShiftState shift, int x, int y);
  virtual void MouseDown1(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp1(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick1();
  void DrawMouseCoord();
  bool GetRubberBanding() const { return FRubberBanding; }
  TRect GetRubberBand() const { return FRubberBand; }

  // ---- pages (read by tests and by the strip editing) ------------------------
  TPaintPage* GetPlotPage() const { return FPlotPage.get(); }
  TPaintPage* GetXLabelPage() const { return FXLabelPage.get(); }
  TPaintPage* GetYLabelPage() const { return FYLabelPage.get(); }
  TPaintPage* GetCoordPage() const { return FCoordPage.get(); }
  TPaintPage* GetRightMarginPage() const { return FRightMarginPage.get(); }
  // The plot page as last shown: the rebuilt page with the overlays on it.
  TBitmap* GetComposedPlotPage() const { return FComposed.get(); }
  // The pages hold pixels (only while the plot is shown or painted).
  bool GetPagesLive() const { return FPlotPage->GetLive(); }

 protected:
  void Paint() override;
  void ShowingEnded() override;
  // Caption lines of a code: drawn at once (repaint false) or repainted
  // from the stored caption (repaint true).
  virtual unsigned CaptionLines(int code, bool repaint) const = 0;

  // Copying: the other control of the same class.
  void CopyFrom(const LResponsePlotBase& other);
  void AssignPlotFrom(const LResponsePlotBase& other);
  void AssignPlotPropertiesFrom(const LResponsePlotBase& other);
  void AssignPlotDataFrom(const LResponsePlotBase& other);
  void AppendPlotDataFrom(const LResponsePlotBase& other);

 private:
  void MakePagesAndFonts();
  // Whether the pages may be drawn on now. A plot nobody sees draws nothing
  // and gives its pages back: its next paint builds them whole. A shown plot
  // whose pages were given back builds them at once.
  bool PagesReady();
  void SetPagesLive(bool live);
  void DrawOnePlot(const TPlotListMember& member);
  void DrawOnePlot(const TPlotListMember& member, TCanvas* c);
  void AfterListChange();
  void DrawMarkerShape(TCanvas* c, int kind, int index, double px, double py);
  void DrawCaption(TCanvas* c, unsigned lines, double gain, double x, float frequency, double q,
                   TColor colour);
  void DrawFill(TCanvas* c, int count, bool closeBeforeOutline);
  void DrawMarkerLine(TCanvas* c, TPenStyle style);
  void DrawRubberBand();
  // The canvas the overlays go on: the composed copy of the plot page.
  TCanvas* OverlayCanvas() const { return FComposed->GetCanvas(); }
  void ComposeOverlays();
  void CopyPageToScreen(const TPaintPage& page, const TBitmap& bitmap);
  // Vertical grid columns of the frequency index axis (decade flag each).
  template <typename F>
  void ForEachFrequencyLine(F&& f) const;
  template <typename F>
  void ForEachLogLine(bool yAxis, F&& f) const;

  int FLineSize = 0;
  std::unique_ptr<TPlotList> FPlotList;
  int FLastWidth = 0;
  int FLastHeight = 0;
  bool FAutoRedraw = true;
  TColor FAxisColor = 0x8C00;
  TMyAxisStyle FAxisStyle = CenteredBox;
  TMyAxisFormat FXAxisFormat = Linear;
  TMyAxisFormat FYAxisFormat = Linear;
  bool FShowXLabel = true;
  bool FShowYLabel = true;
  bool FShowCoordinates = true;
  bool FYAutoScale = true;
  bool FXAutoScale = true;
  bool FMouseControl = true;
  int FPointSize = 2;
  double FYLabelScale = 1.0;
  double FYMax = 18.0;
  double FYMin = -18.0;
  double FXMax = 4130.0;
  double FXMin = 1030.0;
  double FMouseX = 0;
  double FMouseY = 0;
  int FXLabelPrecision = 4;
  int FYLabelPrecision = 5;
  int FXLabelDigits = 4;
  int FYLabelDigits = 4;
  TStringFloatFormat FYLabelFormat = sffGeneral;
  TStringFloatFormat FXLabelFormat = sffGeneral;
  bool FShowVertGrid = true;
  bool FShowHorzGrid = true;
  int FNumVertGrid = 10;
  int FNumHorzGrid = 11;
  bool FShowVertTicks = true;
  bool FShowHorzTicks = true;
  int FVertTickLength = 0;
  int FHorzTickLength = 0;
  TColor FGridColor = 0x4800;
  bool FShowXTitle = false;
  bool FShowYTitle = false;
  bool FShowPlotTitle = false;
  std::string FXTitle;
  std::string FYTitle;
  std::string FYLabel;
  std::string FPlotTitle;
  std::unique_ptr<TFont> FPlotTitleFont;
  std::unique_ptr<TFont> FAxisTitleFont;
  std::unique_ptr<TFont> FAxisLabelFont;
  std::unique_ptr<TFont> FMouseCoordFont;
  double FLogXMin = 0, FLogXMax = 0, FLogYMin = 0, FLogYMax = 0;
  int FLastMouseX = 0, FLastMouseY = 0, FBandStartX = 0, FBandStartY = 0;
  bool FPanning = false, FZooming = false, FRubberBanding = false;
  std::unique_ptr<TPaintPage> FXLabelPage, FYLabelPage, FXTitlePage, FYTitlePage, FYTitleTextPage,
      FRightMarginPage, FPlotTitlePage, FCoordPage, FPlotPage;
  // The plot page with the overlays composed on it.
  std::unique_ptr<TBitmap> FComposed;
  // The pages are not live or not drawn since they became live.
  bool FPagesStale = true;
  TRect FRubberBand;
  bool FRubberBandShown = false;
  std::array<double, PlotMarkerCount> FBlockX{}, FBlockY{}, FBlockFrequency{}, FBlockGain{}, FBlockQ{},
      FBlockType{};
  std::array<TColor, PlotMarkerCount> FBlockColor{};
  std::array<TPoint, PlotMarkerCount> FBlockPoint{};
  bool FCaptionShown = false;
  int FCaptionCode = 0;
  double FCaptionGain = 0;
  double FCaptionX = 0;
  float FCaptionFrequency = 0;
  double FCaptionQ = 0;
  TColor FCaptionColor = 0;
  std::array<double, ResponsePoints> FFillCurve{};
  bool FParameterDisplay = false;
  double FLineX = 0;
  int FLineScreenX = 0;
  TColor FLineColor = 0;
  bool FLineMarker = false;
  bool FLineShown = false;
  int FTextX = 0, FTextY = 0, FTextSize = 0;
  std::string FTextFontName;
  TColor FTextColor = 0;
  std::string FTextString;
  TFFTNumber FFFTNuimber = n4096;
  TSampleRate FSampleRate = n48000;
  std::array<double, PlotMarkerCount> FBlockScreenX{}, FBlockScreenY{};
  std::array<bool, PlotMarkerCount> FBlockHidden{};
  std::array<int, PlotMarkerCount> FBlockKind{};
};
