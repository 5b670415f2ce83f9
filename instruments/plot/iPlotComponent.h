#pragma once
// TiPlotComponent: the visible plot control. It owns the master manager
// (and through it every plot object), forwards the object interface to the
// managers, turns object notices into its events and repaint requests,
// lays the layout objects out round the data view and paints every object
// in layer order. TiXYPlot chooses the channel class and makes the default
// objects.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iVCLComponent.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/Printers.h"

class TCustomImageList;
class TMetafile;
class TPicture;
class TPopupMenu;
class TiComponentEditorSavePicker;

enum TiPlotDataFileFormat { ipdffText, ipdffCompactInterval };
enum TiPlotDataFileColumnSeparator { ipdfcsTab, ipdfcsComma };
enum TiPlotImageFormatStyle { ipifBitmap, ipifEnhancedMetaFile, ipifJPEG, ipifPNG };
enum TiPlotExportFormat { ipefMetaFile, ipefBitmap, ipefJPEG };
enum TiPlotFormStyle { ipfsModal, ipfsStayOnTop };

// The plot's events carry the object's index in its kind's manager.
using TiPlotObjectEvent = std::function<void(int Index)>;
using TiPlotToolBarButtonEvent = std::function<void(int Index, TiPlotToolBarButtonType ButtonType)>;
using TiPlotToolBarButtonBeforeEvent =
    std::function<void(int Index, TiPlotToolBarButtonType ButtonType, bool& Cancel)>;
using TiPlotObjectCustomizeTextEvent = std::function<void(int Index, std::string& AText)>;
using TiPlotAxesCustomizeLabelEvent = std::function<void(int Index, double Value, std::string& ALabel)>;
using TiPlotZoomBoxEvent = std::function<void(TRect& ZoomRect, bool& Cancel)>;
using TiPlotObjectMouseEvent =
    std::function<void(int Index, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TiPlotObjectMouseMoveEvent = std::function<void(int Index, TShiftState Shift, int X, int Y)>;
using TiPlotObjectMouseWheelEvent =
    std::function<void(int Index, int WheelDelta, TShiftState Shift, int X, int Y)>;
using TiPlotDataPointMouseEvent = std::function<void(int ChannelIndex, int DataIndex, TMouseButton Button,
                                                     TShiftState Shift, int X, int Y)>;
using TiPlotDataPointMouseMoveEvent =
    std::function<void(int ChannelIndex, int DataIndex, TShiftState Shift, int X, int Y)>;
using TiPlotClickDataPointEvent = std::function<void(int ChannelIndex, int DataIndex)>;
using TiPlotDataPointMovedEvent =
    std::function<void(int ChannelIndex, int DataIndex, double OldX, double OldY, double NewX, double NewY)>;
using TiPlotObjectDoubleValueChangeEvent = std::function<void(int Index, double OldValue, double NewValue)>;
using TiPlotAxesMinSpanChangeEvent =
    std::function<void(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan)>;
using TiPlotDataPointCustomizeTextEvent =
    std::function<void(int ChannelIndex, int DataPointIndex, std::string& AText)>;
using TiPlotObjectGetMouseCursorEvent = std::function<void(int Index, TCursor& MouseCursor)>;
using TiPlotPopupMenuEvent = std::function<void(int Index, bool& Cancel, int ScreenX, int ScreenY)>;
using TiPlotPrintPageEvent = std::function<void(int PageIndex, bool LastPage)>;

// One event per object kind, named Prefix + kind (OnClickChannel, ...).
#define TI_PLOT_KIND_EVENTS(Type, Prefix)                                                                   \
  Type Prefix##Channel, Prefix##XAxis, Prefix##YAxis, Prefix##DataCursor, Prefix##DataView, Prefix##Legend, \
      Prefix##Limit, Prefix##Annotation

// A plot's object asked for as a class it is not.
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
};

class TiPlotComponent : public TiCustomComponent,
                        public IiPlotObjectHost,
                        public IiPlotDataHost,
                        public IiPlotAxisHost,
                        public IiPlotDataCursorHost {
 public:
  explicit TiPlotComponent(TComponent* AOwner);
  ~TiPlotComponent() override;

  TiPlotMasterManager* GetMaster() const { return FMaster.get(); }
  TiPlotObjectManager* GetPlotObjectManager() const { return FMaster->GetObjectManager(); }
  TiPlotTranslationManager* GetTranslationManager() const { return FMaster->GetTranslationManager(); }
  TiPlotLayoutManager* GetLayoutManager() const { return FMaster->GetLayoutManager(); }

  // ---- object interface, one family per kind
  virtual int AddChannel() { return FMaster->AddChannel(); }
  virtual int AddDataView() { return FMaster->AddDataView(); }
  virtual int AddDataCursor() { return FMaster->AddDataCursor(); }
  virtual int AddXAxis() { return FMaster->AddXAxis(); }
  virtual int AddYAxis() { return FMaster->AddYAxis(); }
  virtual int AddLegend() { return FMaster->AddLegend(); }
  virtual int AddTable() { return FMaster->AddTable(); }
  virtual int AddToolBar() { return FMaster->AddToolBar(); }
  virtual int AddAnnotation();
  virtual int AddLimit() { return FMaster->AddLimit(); }
  virtual int AddLabel() { return FMaster->AddLabel(); }
  int AddTranslation(const std::string& OriginalString, const std::string& ReplacementString);

  virtual void DeleteChannel(int Index) { DeleteObject(FMaster->GetChannelManager(), Index); }
  virtual void DeleteDataView(int Index) { DeleteObject(FMaster->GetDataViewManager(), Index); }
  virtual void DeleteDataCursor(int Index) { DeleteObject(FMaster->GetDataCursorManager(), Index); }
  virtual void DeleteXAxis(int Index) { DeleteObject(FMaster->GetXAxisManager(), Index); }
  virtual void DeleteYAxis(int Index) { DeleteObject(FMaster->GetYAxisManager(), Index); }
  virtual void DeleteLegend(int Index) { DeleteObject(FMaster->GetLegendManager(), Index); }
  virtual void DeleteTable(int Index) { DeleteObject(FMaster->GetTableManager(), Index); }
  virtual void DeleteToolBar(int Index) { DeleteObject(FMaster->GetToolBarManager(), Index); }
  virtual void DeleteAnnotation(int Index) { DeleteObject(FMaster->GetAnnotationManager(), Index); }
  virtual void DeleteLimit(int Index) { DeleteObject(FMaster->GetLimitManager(), Index); }
  // Label 0 is the title and stays.
  virtual void DeleteLabel(int Index);

  virtual void RemoveAllChannels() { RemoveAll(FMaster->GetChannelManager()); }
  virtual void RemoveAllDataViews() { RemoveAll(FMaster->GetDataViewManager()); }
  virtual void RemoveAllDataCursors() { RemoveAll(FMaster->GetDataCursorManager()); }
  virtual void RemoveAllXAxes() { RemoveAll(FMaster->GetXAxisManager()); }
  virtual void RemoveAllYAxes() { RemoveAll(FMaster->GetYAxisManager()); }
  virtual void RemoveAllLegends() { RemoveAll(FMaster->GetLegendManager()); }
  virtual void RemoveAllTables() { RemoveAll(FMaster->GetTableManager()); }
  virtual void RemoveAllToolBars() { RemoveAll(FMaster->GetToolBarManager()); }
  virtual void RemoveAllAnnotations() { RemoveAll(FMaster->GetAnnotationManager()); }
  virtual void RemoveAllLimits() { RemoveAll(FMaster->GetLimitManager()); }
  // Leaves the title label.
  virtual void RemoveAllLabels();
  virtual void RemoveAllTranslations();

  int GetChannelCount() const { return FMaster->GetChannelManager()->Count(); }
  int GetDataViewCount() const { return FMaster->GetDataViewManager()->Count(); }
  int GetDataCursorCount() const { return FMaster->GetDataCursorManager()->Count(); }
  int GetXAxisCount() const { return FMaster->GetXAxisManager()->Count(); }
  int GetYAxisCount() const { return FMaster->GetYAxisManager()->Count(); }
  int GetLegendCount() const { return FMaster->GetLegendManager()->Count(); }
  int GetTableCount() const { return FMaster->GetTableManager()->Count(); }
  int GetToolBarCount() const { return FMaster->GetToolBarManager()->Count(); }
  int GetAnnotationCount() const { return FMaster->GetAnnotationManager()->Count(); }
  int GetLimitCount() const { return FMaster->GetLimitManager()->Count(); }
  int GetLabelCount() const { return FMaster->GetLabelManager()->Count(); }
  int GetTranslationCount() const { return FMaster->GetTranslationManager()->Count(); }

  // Object Index of the kind; outside 0..Count-1 the list index error.
  TiPlotChannelCustom* GetChannel(int Index) const { return FMaster->GetChannelManager()->GetItem(Index); }
  TiPlotDataView* GetDataView(int Index) const { return FMaster->GetDataViewManager()->GetItem(Index); }
  TiPlotDataCursor* GetDataCursor(int Index) const { return FMaster->GetDataCursorManager()->GetItem(Index); }
  TiPlotXAxis* GetXAxis(int Index) const { return FMaster->GetXAxisManager()->GetItem(Index); }
  TiPlotYAxis* GetYAxis(int Index) const { return FMaster->GetYAxisManager()->GetItem(Index); }
  TiPlotLegend* GetLegend(int Index) const { return FMaster->GetLegendManager()->GetItem(Index); }
  TiPlotTable* GetTable(int Index) const { return FMaster->GetTableManager()->GetItem(Index); }
  TiPlotToolBar* GetToolBar(int Index) const { return FMaster->GetToolBarManager()->GetItem(Index); }
  TiPlotAnnotation* GetAnnotation(int Index) const { return FMaster->GetAnnotationManager()->GetItem(Index); }
  TiPlotLimit* GetLimit(int Index) const { return FMaster->GetLimitManager()->GetItem(Index); }
  TiPlotLabel* GetLabel(int Index) const { return FMaster->GetLabelManager()->GetItem(Index); }

  // By name, ignoring case: the index (-1 when none) or the object (null).
#define TI_PLOT_BY_NAME(Kind, Class, Manager)                                    \
  int Get##Kind##IndexByName(const std::string& Value) const {                   \
    return FMaster->Get##Manager()->GetIndexByName(Value);                       \
  }                                                                              \
  Class* Get##Kind##ByName(const std::string& Value) const {                     \
    return static_cast<Class*>(FMaster->Get##Manager()->GetObjectByName(Value)); \
  }
  TI_PLOT_BY_NAME(Channel, TiPlotChannelCustom, ChannelManager)
  TI_PLOT_BY_NAME(XAxis, TiPlotXAxis, XAxisManager)
  TI_PLOT_BY_NAME(YAxis, TiPlotYAxis, YAxisManager)
  TI_PLOT_BY_NAME(Annotation, TiPlotAnnotation, AnnotationManager)
  TI_PLOT_BY_NAME(DataCursor, TiPlotDataCursor, DataCursorManager)
  TI_PLOT_BY_NAME(DataView, TiPlotDataView, DataViewManager)
  TI_PLOT_BY_NAME(Label, TiPlotLabel, LabelManager)
  TI_PLOT_BY_NAME(Legend, TiPlotLegend, LegendManager)
  TI_PLOT_BY_NAME(Limit, TiPlotLimit, LimitManager)
  TI_PLOT_BY_NAME(Table, TiPlotTable, TableManager)
  TI_PLOT_BY_NAME(ToolBar, TiPlotToolBar, ToolBarManager)
#undef TI_PLOT_BY_NAME

  // ---- layout
  void DisableLayoutManager() {
    GetLayoutManager()->SetEnabled(false);
  }
  void EnableLayoutManager() {
    GetLayoutManager()->SetEnabled(true);
  }
  void RefreshLayoutManager();
  // Lays every object out as a paint would, on a throw-away bitmap.
  void ReCalcLayout();
  void CalcLayout(TCanvas* Canvas);
  const TiPlotLayoutManager::TSideList& GetVisibleListTop() const {
    return FVisibleListTop;
  }
  const TiPlotLayoutManager::TSideList& GetVisibleListBottom() const {
    return FVisibleListBottom;
  }
  const TiPlotLayoutManager::TSideList& GetVisibleListLeft() const {
    return FVisibleListLeft;
  }
  const TiPlotLayoutManager::TSideList& GetVisibleListRight() const {
    return FVisibleListRight;
  }

  // ---- painting
  void iPaintToCanvas(TCanvas* Canvas) override;
  bool GetPaintingActive() const {
    return FPaintingActive;
  }
  // The drawing-order key of a layer-list entry: Layer as six digits, then
  // the kind's letter.
  static std::string LayerKey(const TiPlotObject* Object, char Kind);
  void AddLayerObject(const std::string& Key, TiPlotObject* Object);
  // The objects the last paint drew inside the data view, in drawing order.
  std::vector<TiPlotObject*> GetLayerObjects() const;
  void AddAxesCollisionRect(const TRect& ARect) override;
  bool TryAddAxesCollisionRect(const TRect& ARect) override;
  void ClearAxesCollisionList() {
    FAxesCollisionList.clear();
  }

  // ---- tracking and zoom of every axis
  void DisableAllTracking() override;
  void EnableAllTracking();
  bool GetAxisTrackingEnabled(const TiPlotAxis* Axis) const;
  // Zooms an axis about its middle by Factor (log axes: by decades).
  void ZoomAxis(TiPlotAxis* Axis, double Factor);
  void NewTrackingData(TiPlotAxis* Axis, double Value) override;

  // ---- translation table
  void DeleteTranslation(int Index);
  std::string GetTranslationOriginalString(int Index) const;
  std::string GetTranslationReplacementString(int Index) const;
  void LoadTranslationsFromFile(const std::string& FileName);
  void SaveTranslationsToFile(const std::string& FileName);

  // ---- input dispatch and hints
  // The object under the mouse (or its button there); null when none.
  TiPlotObject* FindObjectAt(const TiPlotMouseData& MouseData);
  void HideHint();
  // The internal timer's event: shows the waiting hint, or hides the shown one.
  void HintTimerTick();
  bool GetHintShowing() const {
    return FHintShowing;
  }
  TiPlotObject* GetMouseDownObject() const {
    return FMouseDownObject;
  }
  bool GetSelectingActive() const {
    return FSelectingActive;
  }
  // The last start of the internal timer: initial delay and interval.
  int GetLastTimerInitialDelay() const {
    return FLastTimerInitialDelay;
  }
  int GetLastTimerInterval() const {
    return FLastTimerInterval;
  }
  void InternalTimerStart(int InitialDelay, int Interval) override;

  // ---- clipboard, image file, printer and print preview
  // Copies the plot without toolbars and selection in CopyToClipBoardFormat.
  void CopyToClipBoard();
  // The plot as a recorded picture; the same object on every call.
  TPicture* GetSnapShotPicture();
  // Asks for a file and saves the plot as BMP, EMF, JPEG or PNG.
  void Save();
  // Prints page by page along X axis 0, each page the axis' span further;
  // errors come as "Error Printing : " and the reason, with the plot's
  // size, margins, toolbar and X range restored.
  void PrintChart();
  void PreviewChart();
  // Height for the printer's paper shape at the current width.
  void PrintSizeToFillPage();
  // X axis 0's span such that a millimetre of paper holds that many minutes.
  void PrintAdjustXSpanToMinutesPerMillimeter(double MinutesPerMillimeter);
  double GetPrinterPaperWidthInches() const {
    return FPrinterPaperWidthInches;
  }
  double GetPrinterPaperHeightInches() const {
    return FPrinterPaperHeightInches;
  }
  double GetPrinterPaperWidthCentimeters() const {
    return FPrinterPaperWidthCentimeters;
  }
  double GetPrinterPaperHeightCentimeters() const {
    return FPrinterPaperHeightCentimeters;
  }
  int GetPrinterPaperWidthPixels() const {
    return FPrinterPaperWidthPixels;
  }
  int GetPrinterPaperHeightPixels() const {
    return FPrinterPaperHeightPixels;
  }
  double GetPrintXStart() const {
    return FPrintXStart;
  }
  void SetPrintXStart(double Value) {
    FPrintXStart = Value;
  }
  double GetPrintXStop() const {
    return FPrintXStop;
  }
  void SetPrintXStop(double Value) {
    FPrintXStop = Value;
  }
  void EditProperties();

  // ---- toolbar state seen by the data view, limits, channels
  bool GetToolBarSelectActive() override;
  bool GetToolBarZoomBoxActive() override;
  void SetToolBarSelectActive(bool Value);

  // ---- image lists 0..2 used by labels (null for another index)
  TCustomImageList* GetImageList(int ImageListIndex) const;
  void ImageListClear(int ImageListIndex);
  // Adds a bitmap; a smaller one is centred on the list's size.
  void ImageListAdd(int ImageListIndex, TBitmap* ABitmap);

  double GetNow() const;
  void SetCustomizeLabelText(const std::string& Value) {
    FTempCustomLabel = Value;
  }

  // ---- published properties
  int GetDataViewZHorz() const {
    return GetLayoutManager()->GetDataViewHorz()->GetZOrder();
  }
  void SetDataViewZHorz(int Value);
  int GetDataViewZVert() const {
    return GetLayoutManager()->GetDataViewVert()->GetZOrder();
  }
  void SetDataViewZVert(int Value);
  bool GetXYAxesReverse() const {
    return GetLayoutManager()->GetXYAxesReverse();
  }
  void SetXYAxesReverse(bool Value) {
    FMaster->SetXYAxesReverse(Value);
  }
  bool GetUserCanEditObjects() const {
    return FMaster->GetUserCanEditObjects();
  }
  void SetUserCanEditObjects(bool Value) {
    FMaster->SetUserCanEditObjects(Value);
  }
  bool GetUserCanAddRemoveChannels() const {
    return FUserCanAddRemoveChannels;
  }
  void SetUserCanAddRemoveChannels(bool Value) {
    FUserCanAddRemoveChannels = Value;
  }
  int GetOuterMarginLeft() const {
    return FOuterMarginLeft;
  }
  void SetOuterMarginLeft(int Value) {
    SetIntegerProperty(Value, FOuterMarginLeft, irkInvalidate);
  }
  int GetOuterMarginTop() const {
    return FOuterMarginTop;
  }
  void SetOuterMarginTop(int Value) {
    SetIntegerProperty(Value, FOuterMarginTop, irkInvalidate);
  }
  int GetOuterMarginRight() const {
    return FOuterMarginRight;
  }
  void SetOuterMarginRight(int Value) {
    SetIntegerProperty(Value, FOuterMarginRight, irkInvalidate);
  }
  int GetOuterMarginBottom() const {
    return FOuterMarginBottom;
  }
  void SetOuterMarginBottom(int Value) {
    SetIntegerProperty(Value, FOuterMarginBottom, irkInvalidate);
  }
  TPrinterOrientation GetPrintOrientation() const {
    return FPrintOrientation;
  }
  void SetPrintOrientation(TPrinterOrientation Value) {
    FPrintOrientation = Value;
  }
  double GetPrintMarginLeft() const {
    return FPrintMarginLeft;
  }
  void SetPrintMarginLeft(double Value) {
    FPrintMarginLeft = Value;
  }
  double GetPrintMarginTop() const {
    return FPrintMarginTop;
  }
  void SetPrintMarginTop(double Value) {
    FPrintMarginTop = Value;
  }
  double GetPrintMarginRight() const {
    return FPrintMarginRight;
  }
  void SetPrintMarginRight(double Value) {
    FPrintMarginRight = Value;
  }
  double GetPrintMarginBottom() const {
    return FPrintMarginBottom;
  }
  void SetPrintMarginBottom(double Value) {
    FPrintMarginBottom = Value;
  }
  bool GetPrintShowDialog() const {
    return FPrintShowDialog;
  }
  void SetPrintShowDialog(bool Value) {
    FPrintShowDialog = Value;
  }
  const std::string& GetPrintDocumentName() const {
    return FPrintDocumentName;
  }
  void SetPrintDocumentName(const std::string& Value) {
    FPrintDocumentName = Value;
  }
  const std::string& GetPrinterName() const {
    return FPrinterName;
  }
  void SetPrinterName(const std::string& Value) {
    FPrinterName = Value;
  }
  int GetHintsPause() const {
    return FHintsPause;
  }
  void SetHintsPause(int Value) {
    SetIntegerProperty(Value, FHintsPause, irkNone);
  }
  int GetHintsHidePause() const {
    return FHintsHidePause;
  }
  void SetHintsHidePause(int Value) {
    SetIntegerProperty(Value, FHintsHidePause, irkNone);
  }
  bool GetHintsShow() const {
    return FHintsShow;
  }
  void SetHintsShow(bool Value) {
    SetBooleanProperty(Value, FHintsShow, irkNone);
  }
  TFont* GetHintsFont() const {
    return FHintsFont.get();
  }
  void SetHintsFont(const TFont* Value) {
    FHintsFont->Assign(Value);
  }
  TiPlotFormStyle GetEditorFormStyle() const {
    return FEditorFormStyle;
  }
  void SetEditorFormStyle(TiPlotFormStyle Value) {
    FEditorFormStyle = Value;
  }
  TiPlotExportFormat GetCopyToClipBoardFormat() const {
    return FCopyToClipBoardFormat;
  }
  void SetCopyToClipBoardFormat(TiPlotExportFormat Value) {
    FCopyToClipBoardFormat = Value;
  }
  // The title is label 0.
  bool GetTitleVisible() const;
  void SetTitleVisible(bool Value);
  std::string GetTitleText() const;
  void SetTitleText(const std::string& Value);
  TFont* GetTitleFont() const;
  void SetTitleFont(const TFont* Value);
  double GetTitleMargin() const;
  void SetTitleMargin(double Value);
  TFont* GetAnnotationDefaultFont() const {
    return FAnnotationDefaultFont.get();
  }
  void SetAnnotationDefaultFont(const TFont* Value) {
    FAnnotationDefaultFont->Assign(Value);
  }
  TBrushStyle GetAnnotationDefaultBrushStlye() const {
    return FAnnotationDefaultBrushStlye;
  }
  void SetAnnotationDefaultBrushStlye(TBrushStyle Value) {
    FAnnotationDefaultBrushStlye = Value;
  }
  TColor GetAnnotationDefaultBrushColor() const {
    return FAnnotationDefaultBrushColor;
  }
  void SetAnnotationDefaultBrushColor(TColor Value) {
    FAnnotationDefaultBrushColor = Value;
  }
  TPenStyle GetAnnotationDefaultPenStlye() const {
    return FAnnotationDefaultPenStlye;
  }
  void SetAnnotationDefaultPenStlye(TPenStyle Value) {
    FAnnotationDefaultPenStlye = Value;
  }
  TColor GetAnnotationDefaultPenColor() const {
    return FAnnotationDefaultPenColor;
  }
  void SetAnnotationDefaultPenColor(TColor Value) {
    FAnnotationDefaultPenColor = Value;
  }
  int GetAnnotationDefaultPenWidth() const {
    return FAnnotationDefaultPenWidth;
  }
  void SetAnnotationDefaultPenWidth(int Value) {
    FAnnotationDefaultPenWidth = Value;
  }
  TiPlotReferenceType GetAnnotationDefaultReference() const {
    return FAnnotationDefaultReference;
  }
  void SetAnnotationDefaultReference(TiPlotReferenceType Value) {
    FAnnotationDefaultReference = Value;
  }
  TiPlotReferenceIndividual GetAnnotationDefaultReferencePositionX() const {
    return FAnnotationDefaultReferences[TiPlotAnnotation::icPositionX];
  }
  void SetAnnotationDefaultReferencePositionX(TiPlotReferenceIndividual Value) {
    FAnnotationDefaultReferences[TiPlotAnnotation::icPositionX] = Value;
  }
  TiPlotReferenceIndividual GetAnnotationDefaultReferencePositionY() const {
    return FAnnotationDefaultReferences[TiPlotAnnotation::icPositionY];
  }
  void SetAnnotationDefaultReferencePositionY(TiPlotReferenceIndividual Value) {
    FAnnotationDefaultReferences[TiPlotAnnotation::icPositionY] = Value;
  }
  TiPlotReferenceIndividual GetAnnotationDefaultReferenceSizeX() const {
    return FAnnotationDefaultReferences[TiPlotAnnotation::icSizeX];
  }
  void SetAnnotationDefaultReferenceSizeX(TiPlotReferenceIndividual Value) {
    FAnnotationDefaultReferences[TiPlotAnnotation::icSizeX] = Value;
  }
  TiPlotReferenceIndividual GetAnnotationDefaultReferenceSizeY() const {
    return FAnnotationDefaultReferences[TiPlotAnnotation::icSizeY];
  }
  void SetAnnotationDefaultReferenceSizeY(TiPlotReferenceIndividual Value) {
    FAnnotationDefaultReferences[TiPlotAnnotation::icSizeY] = Value;
  }
  bool GetClipAnnotationsToAxes() const {
    return FClipAnnotationsToAxes;
  }
  void SetClipAnnotationsToAxes(bool Value) {
    SetBooleanProperty(Value, FClipAnnotationsToAxes, irkInvalidate);
  }
  bool GetBackGroundGradientEnabled() const {
    return FBackGroundGradientEnabled;
  }
  void SetBackGroundGradientEnabled(bool Value) {
    SetBooleanProperty(Value, FBackGroundGradientEnabled, irkInvalidate);
  }
  TiFillDirection GetBackGroundGradientDirection() const {
    return FBackGroundGradientDirection;
  }
  void SetBackGroundGradientDirection(TiFillDirection Value);
  TColor GetBackGroundGradientStartColor() const {
    return FBackGroundGradientStartColor;
  }
  void SetBackGroundGradientStartColor(TColor Value) {
    SetColorProperty(Value, FBackGroundGradientStartColor, irkInvalidate);
  }
  TColor GetBackGroundGradientStopColor() const {
    return FBackGroundGradientStopColor;
  }
  void SetBackGroundGradientStopColor(TColor Value) {
    SetColorProperty(Value, FBackGroundGradientStopColor, irkInvalidate);
  }
  const std::string& GetDefaultSaveImageDirectory() const {
    return FDefaultSaveImageDirectory;
  }
  void SetDefaultSaveImageDirectory(const std::string& Value) {
    FDefaultSaveImageDirectory = Value;
  }
  TiPlotImageFormatStyle GetDefaultSaveImageFormat() const {
    return FDefaultSaveImageFormat;
  }
  void SetDefaultSaveImageFormat(TiPlotImageFormatStyle Value) {
    FDefaultSaveImageFormat = Value;
  }
  TPopupMenu* GetPopupMenu() const {
    return FPopupMenu;
  }
  const std::string& GetDefaultPropertyDirectory() const {
    return FDefaultPropertyDirectory;
  }
  void SetDefaultPropertyDirectory(const std::string& Value) {
    FDefaultPropertyDirectory = Value;
  }
  const std::string& GetDefaultDataDirectory() const {
    return FDefaultDataDirectory;
  }
  void SetDefaultDataDirectory(const std::string& Value) {
    FDefaultDataDirectory = Value;
  }
  const std::string& GetDefaultAnnotationDirectory() const {
    return FDefaultAnnotationDirectory;
  }
  void SetDefaultAnnotationDirectory(const std::string& Value) {
    FDefaultAnnotationDirectory = Value;
  }

  // ---- files, data entry and logging
  const std::string& GetLogFileName() const {
    return FLogFileName;
  }
  // Refused while logging.
  void SetLogFileName(const std::string& Value);
  int GetLogBufferSize() const {
    return FLogBufferSize;
  }
  void SetLogBufferSize(int Value) {
    FLogBufferSize = Value;
  }
  bool GetLoggingActive() const {
    return FLoggingActive;
  }
  int GetLogBufferCount() const {
    return FLogBufferCount;
  }
  TiPlotDataFileFormat GetDataFileFormat() const {
    return FDataFileFormat;
  }
  void SetDataFileFormat(TiPlotDataFileFormat Value);
  TiPlotDataFileColumnSeparator GetDataFileColumnSeparator() const {
    return FDataFileColumnSeparator;
  }
  void SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator Value);
  char GetDataFileSeparatorChar() const override {
    return FDataFileColumnSeparator == ipdfcsComma ? ',' : '\t';
  }
  bool GetDifferentialPropertySave() const override {
    return FDifferentialPropertySave;
  }
  void SetDifferentialPropertySave(bool Value) {
    SetBooleanProperty(Value, FDifferentialPropertySave, irkNone);
  }
  const std::string& GetLastPropertiesFileName() const {
    return FLastPropertiesFileName;
  }
  const std::string& GetLastDataFileName() const {
    return FLastDataFileName;
  }
  void SavePropertiesToFile(const std::string& FileName) override;
  void LoadPropertiesFromFile(const std::string& FileName) override;
  void SaveAnnotationsToFile(const std::string& FileName);
  void LoadAnnotationsFromFile(const std::string& FileName);
  void SaveDataToFile(const std::string& FileName);
  void LoadDataFromFile(const std::string& FileName);
  void LogActivate(bool Append);
  void LogDeactivate();
  // Writes the buffered rows, whole rows only; a failed write keeps the rest.
  void LogFlush();
  // One dimension: element i to channel i (a value just above 1e-301 a Null,
  // just above 1e-302 an Empty point); two: [channel][row], XValue the X step.
  void AddDataArray(double XValue, const TiPlotVariantArray& Data);
  void TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                           int StopIndex);
  void ClearAllData();

  void Loaded() override;
  void DefaultHandler(TMessage& Message) override;

  // ---- IiPlotObjectHost
  void ObjectMouseDown(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void ObjectMouseMove(TiPlotObject* Sender, TShiftState Shift, int X, int Y) override;
  void ObjectMouseUp(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void ObjectMouseWheel(TiPlotObject* Sender, int WheelDelta, TShiftState Shift, int X, int Y) override;
  void ObjectPopupMenu(TiPlotObject* Sender, bool& Cancel, int ScreenX, int ScreenY) override;
  void ObjectGotFocus(TiPlotObject* Sender) override;
  void ObjectLostFocus(TiPlotObject* Sender) override;
  std::string TranslateText(const std::string& Text) override;

  // ---- IiPlotDataHost and IiPlotAxisHost
  TiPlotMasterManager* GetMasterManager() override {
    return FMaster.get();
  }
  void DoBeforeZoomBox(const TRect& Rect, bool& Cancel) override;
  void DoAxisCustomizeLabel(TiPlotAxis* Axis, std::string& Text, double Value) override;
  void DoAxisMinChange(TiPlotAxis* Axis, double OldValue, double NewValue) override;
  void DoAxisSpanChange(TiPlotAxis* Axis, double OldValue, double NewValue) override;
  void DoAxisMinSpanChange(TiPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                           double NewSpan) override;
  void DoAxisMinSpanChangeFinished(TiPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                                   double NewSpan) override;
  void DoAxisCustomizeHint(TiPlotAxis* Axis, std::string& Text) override;
  TCanvas* GetHintCanvas() override;
  void MasterAxisMouseLeft(TiPlotAxis* Axis, TiPlotMouseData& MouseData) override;
  void MasterAxisMouseMove(TiPlotAxis* Axis, TiPlotMouseData& MouseData) override;
  void MasterAxisMouseUp(TiPlotAxis* Axis, TiPlotMouseData& MouseData) override;
  void MasterAxisMouseWheel(TiPlotAxis* Axis, int WheelDelta, TShiftState Shift, int X, int Y) override;
  void MasterAxisKeyDown(TiPlotAxis* Axis, std::uint16_t& Key, TShiftState Shift) override;
  TFont* GetHintsFont() override {
    return FHintsFont.get();
  }
  void ForgetObject(TiPlotObject* Object) override;
  void DoObjectClick(TiPlotObject* Sender) override;
  void DoObjectGetMouseCursor(TiPlotObject* Sender, TCursor& Cursor) override;
  void DoDataPointMouseDown(TiPlotChannelCustom* Channel, int DataIndex, const TiPlotMouseData& d) override;
  void DoDataPointMouseMove(TiPlotChannelCustom* Channel, int DataIndex, const TiPlotMouseData& d) override;
  void DoDataPointMouseUp(TiPlotChannelCustom* Channel, int DataIndex, const TiPlotMouseData& d) override;
  void DoDataPointClick(TiPlotChannelCustom* Channel, int DataIndex) override;
  void DoDataPointMoved(TiPlotChannelCustom* Channel, int DataIndex, double OldX, double OldY, double NewX,
                        double NewY) override;
  void DoDataPointCustomizeHint(TiPlotChannelCustom* Channel, int DataIndex, TiHintData& Hint) override;
  // ---- IiPlotDataCursorHost
  void DoBeforeDataCursorUpdate(TiPlotDataCursor* Cursor) override;
  void DoDataCursorChange(TiPlotDataCursor* Cursor) override;
  void DoDataCursorCustomizeHint(TiPlotDataCursor* Cursor, std::string& Text) override;
  // Limits and annotations.
  void DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
  void DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
  void DoAnnotationCoordinatesChange(TiPlotObject* Annotation);
  void DoAnnotationMoveUser(TiPlotObject* Annotation);
  void DoAnnotationResizeUser(TiPlotObject* Annotation);
  void DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation);

  // Relays of the toolbar and of hints.
  void DoToolBarButtonClick(TiPlotObject* ToolBar, TiPlotToolBarButtonType ButtonType);
  void DoBeforeToolBarButtonClick(TiPlotObject* ToolBar, TiPlotToolBarButtonType ButtonType, bool& Cancel);
  void DoToolBarCustomizeHint(TiPlotObject* ToolBar, std::string& Text);
  // The hint box the next paint draws (Visible: drawn).
  TiHintData& GetHintData() {
    return FHintData;
  }

  // ---- events
  TiPlotObjectEvent OnAddChannel, OnAddXAxis, OnAddYAxis, OnAddDataCursor, OnAddDataView, OnAddLegend,
      OnAddLimit, OnAddTable, OnAddAnnotation;
  TiPlotObjectEvent OnRemoveChannel, OnRemoveXAxis, OnRemoveYAxis, OnRemoveDataCursor, OnRemoveDataView,
      OnRemoveLegend, OnRemoveLimit, OnRemoveTable, OnRemoveAnnotation;
  TiPlotToolBarButtonEvent OnToolBarButtonClick;
  TiPlotToolBarButtonBeforeEvent OnBeforeToolBarButtonClick;
  TiPlotObjectCustomizeTextEvent OnToolBarCustomizeHint;
  TiPlotAxesCustomizeLabelEvent OnXAxisCustomizeLabel, OnYAxisCustomizeLabel;
  TiPlotZoomBoxEvent OnBeforeZoomBox;
  TNotifyEvent OnAfterPaint;
  TI_PLOT_KIND_EVENTS(TiPlotObjectEvent, OnClick);
  TI_PLOT_KIND_EVENTS(TiPlotObjectEvent, OnDblClick);
  TI_PLOT_KIND_EVENTS(TiPlotObjectMouseEvent, OnMouseDown);
  TI_PLOT_KIND_EVENTS(TiPlotObjectMouseMoveEvent, OnMouseMove);
  TI_PLOT_KIND_EVENTS(TiPlotObjectMouseEvent, OnMouseUp);
  TI_PLOT_KIND_EVENTS(TiPlotObjectMouseWheelEvent, OnMouseWheel);
  TI_PLOT_KIND_EVENTS(TiPlotObjectGetMouseCursorEvent, OnGetMouseCursor);
  // Published for tables, which no relay serves.
  TiPlotObjectGetMouseCursorEvent OnGetMouseCursorTable;
  TI_PLOT_KIND_EVENTS(TiPlotObjectEvent, OnGotFocus);
  TI_PLOT_KIND_EVENTS(TiPlotObjectEvent, OnLostFocus);
  TI_PLOT_KIND_EVENTS(TiPlotPopupMenuEvent, OnPopupMenu);
  TiPlotClickDataPointEvent OnClickDataPoint, OnDblClickDataPoint;
  TiPlotDataPointMouseEvent OnMouseDownDataPoint, OnMouseUpDataPoint;
  TiPlotDataPointMouseMoveEvent OnMouseMoveDataPoint;
  TiPlotDataPointMovedEvent OnDataPointMoved;
  TiPlotObjectDoubleValueChangeEvent OnXAxisMinChange, OnXAxisSpanChange, OnYAxisMinChange, OnYAxisSpanChange;
  TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChange, OnYAxisMinSpanChange, OnXAxisMinSpanChangeFinished,
      OnYAxisMinSpanChangeFinished;
  TiPlotObjectCustomizeTextEvent OnXAxisCustomizeHint, OnYAxisCustomizeHint, OnDataCursorCustomizeHint;
  TiPlotDataPointCustomizeTextEvent OnDataPointCustomizeHint;
  TiPlotObjectDoubleValueChangeEvent OnLimitLine1PositionChange, OnLimitLine2PositionChange;
  TiPlotObjectEvent OnAnnotationCoordinatesChange, OnAnnotationMoveUser, OnAnnotationResizeUser,
      OnAnnotationCoordinatesChangeFinished;
  TiPlotObjectEvent OnBeforeDataCursorUpdate, OnDataCursorChange;
  TNotifyEvent OnBeforePrint, OnAfterPrint;
  TiPlotPrintPageEvent OnBeforePrintPage;
  // The property editor was shown (Sender: the master manager) / is about
  // to be destroyed (Sender: the form).
  TNotifyEvent OnAfterOpenEditor, OnAfterCloseEditor;
  TNotifyEvent OnBeforeLoadProperties, OnAfterLoadProperties, OnAfterSaveProperties, OnAfterLoadData,
      OnAfterSaveData;

 protected:
  void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void iMouseMove(TShiftState Shift, int X, int Y) override;
  void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void iDoubleClick() override;
  bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
  void iKeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void WMCaptureChanged(TMessage& Message);

  virtual void ObjectInsert(TObject* Object);
  virtual void ObjectRemove(TObject* Object);
  virtual void ObjectChange();
  void DrawOuterObjects(TCanvas* Canvas);
  // The standard set of a new plot: toolbar, legend, X and Y axis, one
  // channel of the channel class, data view, data cursor and the "Title"
  // label, added with the layout manager off.
  void AddDefaultObjects();

 private:
  void DeleteObject(TiPlotObjectManagerCustom* Manager, int Index);
  // Clears the mouse and hint references to the object at Id.
  void DropReferences(const void* Id);
  void RemoveAll(TiPlotObjectManagerCustom* Manager);
  // The event of the object's kind from Events, in the kinds' order.
  void FireKindEvent(TObject* Object,
                     const std::vector<std::pair<TiPlotObjectManagerCustom*, TiPlotObjectEvent*>>& Events);
  // The event of Object's kind among Events, called with its index first.
  template <class E, class... A>
  void FireKind(TObject* Object, std::initializer_list<std::pair<TiPlotObjectManagerCustom*, E*>> Events,
                A&&... Args);
  template <class E, class... A>
  void FireAxisEvent(TiPlotObject* Axis, E& XEvent, E& YEvent, A&&... Args);
  int ChannelIndex(TiPlotChannelCustom* Channel) const;
  TiPlotMouseData PlotMouseData(int X, int Y, TMouseButton Button, TShiftState Shift) const;
  // Hands one input to every other axis of Axis' kind, unless a replay runs.
  template <class F>
  void MasterAxisRelay(TiPlotAxis* Axis, F&& Fn);
  void RestartHintTimer(int Pause);
  // The border width the layout leaves: 2 with a border, else 0.
  int BorderWidth() const;
  TiPlotLabel* TitleLabel() const;
  void PaintLayers(TCanvas* Canvas, TColor LayerColor);
  void DrawHint(TCanvas* Canvas);

  std::unique_ptr<TiPlotMasterManager> FMaster;
  TPopupMenu* FPopupMenu = nullptr;
  std::unique_ptr<TFont> FHintsFont;
  std::unique_ptr<TFont> FAnnotationDefaultFont;
  std::unique_ptr<TCustomImageList> FImageList0, FImageList1, FImageList2;

  std::vector<std::pair<std::string, TiPlotObject*>> FLayerList;
  std::vector<TRect> FAxesCollisionList;
  TiPlotLayoutManager::TSideList FVisibleListLeft, FVisibleListRight, FVisibleListTop, FVisibleListBottom;
  bool FPaintingActive = false;
  bool FHintShowing = false;
  TiHintData FHintData;

  TiPlotObject* FMouseDownObject = nullptr;
  TiPlotObject* FLastMouseOverObject = nullptr;
  TiPlotObject* FLastMouseClickObject = nullptr;
  TMouseButton FLastMouseClickButton = mbLeft;
  TShiftState FLastMouseClickShift;
  int FLastMouseClickX = 0, FLastMouseClickY = 0, FLastMouseClickScreenX = 0, FLastMouseClickScreenY = 0;
  TShiftState FShiftState;
  bool FMouseDown = false;
  bool FSelectingActive = false;
  bool FDBLClickActive = false;
  bool FMasterAxisBlock = false;
  bool FJustReleasedCapture = false;
  LPARAM FCaptureWindowHandle = 0;
  int FLastHintX = 0, FLastHintY = 0;
  TRect FLastHintShowRect;
  TiPlotObject* FLastHintObject = nullptr;
  int FLastTimerInitialDelay = 0, FLastTimerInterval = 0;
  std::unique_ptr<TBitmap> FHintMeasure;

  bool FPrintShowDialog = true;
  TPrinterOrientation FPrintOrientation = poLandscape;
  double FPrintMarginTop = 1, FPrintMarginLeft = 1, FPrintMarginRight = 1, FPrintMarginBottom = 1;
  std::string FPrintDocumentName = "Untitled";
  std::string FPrinterName;
  std::string FDefaultSaveImageDirectory;
  TiPlotImageFormatStyle FDefaultSaveImageFormat = ipifBitmap;

  int FOuterMarginTop = 5, FOuterMarginLeft = 5, FOuterMarginRight = 5, FOuterMarginBottom = 5;
  bool FBackGroundGradientEnabled = false;
  TColor FBackGroundGradientStartColor = clBlue;
  TColor FBackGroundGradientStopColor = clBlack;
  TiFillDirection FBackGroundGradientDirection = ifdTopBottom;
  bool FClipAnnotationsToAxes = true;
  bool FHintsShow = true;
  int FHintsPause = 500;
  int FHintsHidePause = 2500;
  TiPlotFormStyle FEditorFormStyle = ipfsModal;
  TiPlotExportFormat FCopyToClipBoardFormat = ipefMetaFile;
  bool FUserCanAddRemoveChannels = false;

  int FAnnotationDefaultPenWidth = 1;
  TBrushStyle FAnnotationDefaultBrushStlye = bsSolid;
  TColor FAnnotationDefaultBrushColor = clWhite;
  TColor FAnnotationDefaultPenColor = clWhite;
  TPenStyle FAnnotationDefaultPenStlye = psSolid;
  TiPlotReferenceType FAnnotationDefaultReference = iprtDataView;
  TiPlotReferenceIndividual FAnnotationDefaultReferences[4] = {ipriAuto, ipriAuto, ipriAuto, ipriAuto};

  std::string FTempCustomLabel;

  bool FLoggingActive = false;
  int FLogBufferSize = 0;
  int FLogBufferCount = 0;
  // Rows in the log file: only its first two carry X in the compact format.
  long long FLogRowsInFile = 0;
  std::string FLogFileName, FLastPropertiesFileName, FLastDataFileName;
  char FLoadingSeparator = '\t';
  TiPlotDataFileColumnSeparator FDataFileColumnSeparator = ipdfcsTab;
  TiPlotDataFileFormat FDataFileFormat = ipdffText;
  bool FDifferentialPropertySave = false;
  std::string FDefaultPropertyDirectory, FDefaultDataDirectory, FDefaultAnnotationDirectory;

  // Printing parts.
  void DoPrint();
  void PrintPage(const TRect& Rect);
  // The paper fields from the current printer.
  void ReadPrinterPaper();
  std::unique_ptr<TMetafile> FMetaFile;
  std::unique_ptr<TPicture> FSnapShotPicture;
  TiComponentEditorSavePicker* FSaveDialog = nullptr;
  double FPrinterPaperWidthInches = 0, FPrinterPaperHeightInches = 0;
  double FPrinterPaperWidthCentimeters = 0, FPrinterPaperHeightCentimeters = 0;
  int FPrinterPaperWidthPixels = 0, FPrinterPaperHeightPixels = 0;
  double FPrintXStart = 0, FPrintXStop = 0;

  // File parts.
  void LoadDataTextPairs(const TStrings* Lines);
  void LoadDataTextShared(const TStrings* Lines);
  void LoadDataCompactInterval(const std::vector<std::uint8_t>& Bytes);
  std::string LogHeader() const;
  // The log bytes of the row at point index P.
  std::string LogRow(int P, bool WithX) const;
};
