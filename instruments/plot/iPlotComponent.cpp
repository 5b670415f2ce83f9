#include "instruments/plot/iPlotComponent.h"

#include "instruments/base/iProperties.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Metafile.h"
#include "platform/sys/DateTime.h"

namespace {

const TiRegisterProperties<TiPlotComponent, TiCustomComponent> kProperties(
    [](TiPropertyBuilder<TiPlotComponent>& b) {
      using P = TiPlotComponent;
      b.Add("DataViewZHorz", &P::GetDataViewZHorz, &P::SetDataViewZHorz);
      b.Add("DataViewZVert", &P::GetDataViewZVert, &P::SetDataViewZVert);
      b.Add("XYAxesReverse", &P::GetXYAxesReverse, &P::SetXYAxesReverse, 0);
      b.Add("UserCanEditObjects", &P::GetUserCanEditObjects, &P::SetUserCanEditObjects, 1);
      b.Add("UserCanAddRemoveChannels", &P::GetUserCanAddRemoveChannels, &P::SetUserCanAddRemoveChannels, 0);
      b.Add("OuterMarginLeft", &P::GetOuterMarginLeft, &P::SetOuterMarginLeft, 5);
      b.Add("OuterMarginTop", &P::GetOuterMarginTop, &P::SetOuterMarginTop, 5);
      b.Add("OuterMarginRight", &P::GetOuterMarginRight, &P::SetOuterMarginRight, 5);
      b.Add("OuterMarginBottom", &P::GetOuterMarginBottom, &P::SetOuterMarginBottom, 5);
      b.Add("PrintOrientation", &P::GetPrintOrientation, &P::SetPrintOrientation, poLandscape, poLandscape);
      b.Add("PrintMarginLeft", &P::GetPrintMarginLeft, &P::SetPrintMarginLeft);
      b.Add("PrintMarginTop", &P::GetPrintMarginTop, &P::SetPrintMarginTop);
      b.Add("PrintMarginRight", &P::GetPrintMarginRight, &P::SetPrintMarginRight);
      b.Add("PrintMarginBottom", &P::GetPrintMarginBottom, &P::SetPrintMarginBottom);
      b.Add("PrintShowDialog", &P::GetPrintShowDialog, &P::SetPrintShowDialog, 1);
      b.Add("PrintDocumentName", &P::GetPrintDocumentName, &P::SetPrintDocumentName);
      b.Add("PrinterName", &P::GetPrinterName, &P::SetPrinterName);
      b.Add("HintsPause", &P::GetHintsPause, &P::SetHintsPause, 500);
      b.Add("HintsHidePause", &P::GetHintsHidePause, &P::SetHintsHidePause, 2500);
      b.Add("HintsShow", &P::GetHintsShow, &P::SetHintsShow, 1);
      b.Object("HintsFont", static_cast<TFont* (P::*)() const>(&P::GetHintsFont));
      b.Add("EditorFormStyle", &P::GetEditorFormStyle, &P::SetEditorFormStyle, ipfsModal, ipfsStayOnTop);
      b.Add("CopyToClipBoardFormat", &P::GetCopyToClipBoardFormat, &P::SetCopyToClipBoardFormat, ipefMetaFile,
            ipefJPEG);
      b.Add("TitleVisible", &P::GetTitleVisible, &P::SetTitleVisible);
      b.Add("TitleText", &P::GetTitleText, &P::SetTitleText);
      b.Object("TitleFont", &P::GetTitleFont);
      b.Add("TitleMargin", &P::GetTitleMargin, &P::SetTitleMargin);
      b.Add("LogFileName", &P::GetLogFileName, &P::SetLogFileName);
      b.Add("LogBufferSize", &P::GetLogBufferSize, &P::SetLogBufferSize, 0);
      b.Object("AnnotationDefaultFont", &P::GetAnnotationDefaultFont);
      b.Add("AnnotationDefaultBrushStlye", &P::GetAnnotationDefaultBrushStlye,
            &P::SetAnnotationDefaultBrushStlye, bsSolid, bsDiagCross);
      b.Add("AnnotationDefaultBrushColor", &P::GetAnnotationDefaultBrushColor,
            &P::SetAnnotationDefaultBrushColor, clWhite);
      b.Add("AnnotationDefaultPenStlye", &P::GetAnnotationDefaultPenStlye, &P::SetAnnotationDefaultPenStlye,
            psSolid, psInsideFrame);
      b.Add("AnnotationDefaultPenColor", &P::GetAnnotationDefaultPenColor, &P::SetAnnotationDefaultPenColor,
            clWhite);
      b.Add("AnnotationDefaultPenWidth", &P::GetAnnotationDefaultPenWidth, &P::SetAnnotationDefaultPenWidth,
            1);
      b.Add("AnnotationDefaultReference", &P::GetAnnotationDefaultReference,
            &P::SetAnnotationDefaultReference, iprtDataView, iprtXDataViewYChannel);
      b.Add("AnnotationDefaultReferencePositionX", &P::GetAnnotationDefaultReferencePositionX,
            &P::SetAnnotationDefaultReferencePositionX, ipriAuto, ipriAuto);
      b.Add("AnnotationDefaultReferencePositionY", &P::GetAnnotationDefaultReferencePositionY,
            &P::SetAnnotationDefaultReferencePositionY, ipriAuto, ipriAuto);
      b.Add("AnnotationDefaultReferenceSizeX", &P::GetAnnotationDefaultReferenceSizeX,
            &P::SetAnnotationDefaultReferenceSizeX, ipriAuto, ipriAuto);
      b.Add("AnnotationDefaultReferenceSizeY", &P::GetAnnotationDefaultReferenceSizeY,
            &P::SetAnnotationDefaultReferenceSizeY, ipriAuto, ipriAuto);
      b.Add("ClipAnnotationsToAxes", &P::GetClipAnnotationsToAxes, &P::SetClipAnnotationsToAxes, 1);
      b.Add("BackGroundGradientEnabled", &P::GetBackGroundGradientEnabled, &P::SetBackGroundGradientEnabled,
            0);
      b.Add("BackGroundGradientDirection", &P::GetBackGroundGradientDirection,
            &P::SetBackGroundGradientDirection, ifdTopBottom, ifdCircleIn);
      b.Add("BackGroundGradientStartColor", &P::GetBackGroundGradientStartColor,
            &P::SetBackGroundGradientStartColor, clBlue);
      b.Add("BackGroundGradientStopColor", &P::GetBackGroundGradientStopColor,
            &P::SetBackGroundGradientStopColor, clBlack);
      b.Add("DefaultSaveImageDirectory", &P::GetDefaultSaveImageDirectory, &P::SetDefaultSaveImageDirectory);
      b.Add("DataFileColumnSeparator", &P::GetDataFileColumnSeparator, &P::SetDataFileColumnSeparator,
            ipdfcsTab, ipdfcsComma);
      b.Add("DataFileFormat", &P::GetDataFileFormat, &P::SetDataFileFormat, ipdffText, ipdffCompactInterval);
      b.Add("DefaultPropertyDirectory", &P::GetDefaultPropertyDirectory, &P::SetDefaultPropertyDirectory);
      b.Add("DefaultDataDirectory", &P::GetDefaultDataDirectory, &P::SetDefaultDataDirectory);
      b.Add("DefaultAnnotationDirectory", &P::GetDefaultAnnotationDirectory,
            &P::SetDefaultAnnotationDirectory);
      b.Add("DefaultSaveImageFormat", &P::GetDefaultSaveImageFormat, &P::SetDefaultSaveImageFormat,
            ipifBitmap, ipifPNG);
      b.Add("DifferentialPropertySave", &P::GetDifferentialPropertySave, &P::SetDifferentialPropertySave, 0);
      b.Add("BackGroundColor", &P::GetBackGroundColor, &P::SetBackGroundColor, clBlack);
      b.Add("BorderStyle", &P::GetBorderStyle, &P::SetBorderStyle, ibsLowered, ibsLowered);
      b.Add("AutoFrameRate", &P::GetAutoFrameRate, &P::SetAutoFrameRate, 1);
      b.Add("UpdateFrameRate", &P::GetUpdateFrameRate, &P::SetUpdateFrameRate, 60);
    });

}  // namespace

TiPlotComponent::TiPlotComponent(TComponent* AOwner)
    : TiCustomComponent(AOwner),
      FHintsFont(std::make_unique<TFont>()),
      FAnnotationDefaultFont(std::make_unique<TFont>()),
      FImageList0(std::make_unique<TImageList>(nullptr, 24, 24)),
      FImageList1(std::make_unique<TImageList>(nullptr, 24, 24)),
      FImageList2(std::make_unique<TImageList>(nullptr, 24, 24)) {
  SetBounds(GetLeft(), GetTop(), 500, 200);
  SetBackGroundColor(0);
  SetBorderStyle(ibsLowered);
  SetUpdateFrameRate(60);
  SetAutoFrameRate(true);
  FMaster = std::make_unique<TiPlotMasterManager>(this);
  FMaster->OnChange = [this](TObject*) { ObjectChange(); };
  FMaster->OnRemove = [this](TObject* o) { ObjectRemove(o); };
  FMaster->OnInsert = [this](TObject* o) { ObjectInsert(o); };
  FMaster->OnInvalidateNow = [this](TObject*) { InvalidateNow(); };
  FPopupMenu = new TPopupMenu(this);
  FAnnotationDefaultFont->SetColor(clWhite);
  FMaster->SetUserCanEditObjects(true);
  OnInternalTimer = [this](TObject*) { HintTimerTick(); };
}

TiPlotComponent::~TiPlotComponent() {
  FMaster->FreeEditorForms();
  FMouseDownObject = nullptr;
  FLastMouseOverObject = nullptr;
  FLastHintObject = nullptr;
  InternalTimerStop();
  OnInternalTimer = nullptr;
  FAxesCollisionList.clear();
  // No notice may reach a half-destroyed manager.
  GetPlotObjectManager()->ShutDownSetup();
  FMaster.reset();
}

// ---------------------------------------------------------------- object interface

int TiPlotComponent::AddAnnotation() {
  const int index = FMaster->AddAnnotation();
  TiPlotAnnotation* a = GetAnnotation(index);
  a->SetBrushStyle(FAnnotationDefaultBrushStlye);
  a->SetBrushColor(FAnnotationDefaultBrushColor);
  a->SetPenStyle(FAnnotationDefaultPenStlye);
  a->SetPenColor(FAnnotationDefaultPenColor);
  a->SetPenWidth(FAnnotationDefaultPenWidth);
  a->SetReference(FAnnotationDefaultReference);
  a->SetReferencePositionX(FAnnotationDefaultReferences[TiPlotAnnotation::icPositionX]);
  a->SetReferencePositionY(FAnnotationDefaultReferences[TiPlotAnnotation::icPositionY]);
  a->SetReferenceSizeX(FAnnotationDefaultReferences[TiPlotAnnotation::icSizeX]);
  a->SetReferenceSizeY(FAnnotationDefaultReferences[TiPlotAnnotation::icSizeY]);
  a->SetFont(FAnnotationDefaultFont.get());
  return index;
}

int TiPlotComponent::AddTranslation(const std::string& OriginalString, const std::string& ReplacementString) {
  return FMaster->AddTranslation(OriginalString, ReplacementString);
}

void TiPlotComponent::DeleteObject(TiPlotObjectManagerCustom* Manager, int Index) {
  delete Manager->GetObject(Index);
  InvalidateNow();
}

void TiPlotComponent::RemoveAll(TiPlotObjectManagerCustom* Manager) {
  // One by one from the first, each still listed while it goes, so that
  // every removal reports its index.
  while (Manager->Count() > 0) delete Manager->GetObject(0);
  InvalidateNow();
}

void TiPlotComponent::DeleteLabel(int Index) {
  if (Index == 0) throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
  delete FMaster->GetLabelManager()->GetObject(Index);
}

void TiPlotComponent::RemoveAllLabels() {
  while (GetLabelCount() > 1) delete GetLabel(1);
}

void TiPlotComponent::RemoveAllTranslations() {
  GetTranslationManager()->Clear();
}

void TiPlotComponent::DeleteTranslation(int Index) {
  GetTranslationManager()->Delete(Index);
}

std::string TiPlotComponent::GetTranslationOriginalString(int Index) const {
  return GetTranslationManager()->GetItem(Index)->GetOriginalString();
}

std::string TiPlotComponent::GetTranslationReplacementString(int Index) const {
  return GetTranslationManager()->GetItem(Index)->GetReplacementString();
}

void TiPlotComponent::LoadTranslationsFromFile(const std::string& FileName) {
  GetTranslationManager()->LoadFromFile(FileName);
  InvalidateChange();
}

void TiPlotComponent::SaveTranslationsToFile(const std::string& FileName) {
  GetTranslationManager()->SaveToFile(FileName);
}

// ---------------------------------------------------------------- notices

void TiPlotComponent::FireKindEvent(
    TObject* Object, const std::vector<std::pair<TiPlotObjectManagerCustom*, TiPlotObjectEvent*>>& Events) {
  // By manager, not by class: a removed object is already half destroyed.
  for (const auto& [manager, event] : Events) {
    if (!manager) continue;
    const int index = manager->GetIndex(Object);
    if (index < 0) continue;
    if (*event) (*event)(index);
    return;
  }
}

void TiPlotComponent::ObjectInsert(TObject* Object) {
  if (!FMaster) return;
  FireKindEvent(Object, {{FMaster->GetChannelManager(), &OnAddChannel},
                         {FMaster->GetXAxisManager(), &OnAddXAxis},
                         {FMaster->GetYAxisManager(), &OnAddYAxis},
                         {FMaster->GetDataCursorManager(), &OnAddDataCursor},
                         {FMaster->GetDataViewManager(), &OnAddDataView},
                         {FMaster->GetLegendManager(), &OnAddLegend},
                         {FMaster->GetLimitManager(), &OnAddLimit},
                         {FMaster->GetTableManager(), &OnAddTable},
                         {FMaster->GetAnnotationManager(), &OnAddAnnotation}});
}

void TiPlotComponent::DropReferences(const void* Id) {
  // Compared by address: a removed object is already half destroyed.
  for (TiPlotObject** ref :
       {&FMouseDownObject, &FLastMouseOverObject, &FLastMouseClickObject, &FLastHintObject})
    if (static_cast<const void*>(*ref) == Id) *ref = nullptr;
}

void TiPlotComponent::ForgetObject(TiPlotObject* Object) {
  DropReferences(Object);
}

void TiPlotComponent::ObjectRemove(TObject* Object) {
  const void* id = Object;
  DropReferences(id);
  std::erase_if(FLayerList, [&](const auto& e) { return static_cast<const void*>(e.second) == id; });
  for (auto* list : {&FVisibleListLeft, &FVisibleListRight, &FVisibleListTop, &FVisibleListBottom})
    std::erase_if(*list, [&](const TiPlotLayoutObject* o) { return static_cast<const void*>(o) == id; });
  if (!FMaster) return;
  FireKindEvent(Object, {{FMaster->GetChannelManager(), &OnRemoveChannel},
                         {FMaster->GetXAxisManager(), &OnRemoveXAxis},
                         {FMaster->GetYAxisManager(), &OnRemoveYAxis},
                         {FMaster->GetDataCursorManager(), &OnRemoveDataCursor},
                         {FMaster->GetDataViewManager(), &OnRemoveDataView},
                         {FMaster->GetLegendManager(), &OnRemoveLegend},
                         {FMaster->GetLimitManager(), &OnRemoveLimit},
                         {FMaster->GetTableManager(), &OnRemoveTable},
                         {FMaster->GetAnnotationManager(), &OnRemoveAnnotation}});
}

void TiPlotComponent::ObjectChange() {
  InvalidateChange();
}

// ---------------------------------------------------------------- object host

std::string TiPlotComponent::TranslateText(const std::string& Text) {
  auto* t = FMaster ? GetTranslationManager() : nullptr;
  return t ? t->FindReplacement(Text) : Text;
}

void TiPlotComponent::DoBeforeZoomBox(const TRect& Rect, bool& Cancel) {
  if (IsLoading() || !OnBeforeZoomBox) return;
  TRect r = Rect;
  OnBeforeZoomBox(r, Cancel);
}

void TiPlotComponent::DoAxisCustomizeLabel(TiPlotAxis* Axis, std::string& Text, double Value) {
  if (IsLoading()) return;
  const bool x = FMaster->GetXAxisManager()->GetIndex(Axis) >= 0;
  auto& event = x ? OnXAxisCustomizeLabel : OnYAxisCustomizeLabel;
  if (!event) return;
  // A handler may also set the text through SetCustomizeLabelText.
  FTempCustomLabel = Text;
  event((x ? static_cast<TiPlotObjectManagerCustom*>(FMaster->GetXAxisManager()) : FMaster->GetYAxisManager())
            ->GetIndex(Axis),
        Value, FTempCustomLabel);
  Text = FTempCustomLabel;
}

void TiPlotComponent::DoToolBarButtonClick(TiPlotObject* ToolBar, TiPlotToolBarButtonType ButtonType) {
  if (IsLoading() || !OnToolBarButtonClick) return;
  OnToolBarButtonClick(FMaster->GetToolBarManager()->GetIndex(ToolBar), ButtonType);
}

void TiPlotComponent::DoBeforeToolBarButtonClick(TiPlotObject* ToolBar, TiPlotToolBarButtonType ButtonType,
                                                 bool& Cancel) {
  if (IsLoading() || !OnBeforeToolBarButtonClick) return;
  OnBeforeToolBarButtonClick(FMaster->GetToolBarManager()->GetIndex(ToolBar), ButtonType, Cancel);
}

void TiPlotComponent::DoToolBarCustomizeHint(TiPlotObject* ToolBar, std::string& Text) {
  if (IsLoading() || !OnToolBarCustomizeHint) return;
  OnToolBarCustomizeHint(FMaster->GetToolBarManager()->GetIndex(ToolBar), Text);
}

// ---------------------------------------------------------------- tracking and zoom

void TiPlotComponent::DisableAllTracking() {
  for (int i = 0; i < GetXAxisCount(); ++i) GetXAxis(i)->SetTrackingEnabled(false);
  for (int i = 0; i < GetYAxisCount(); ++i) GetYAxis(i)->SetTrackingEnabled(false);
}

void TiPlotComponent::EnableAllTracking() {
  for (int i = 0; i < GetXAxisCount(); ++i) GetXAxis(i)->SetTrackingEnabled(true);
  for (int i = 0; i < GetYAxisCount(); ++i) GetYAxis(i)->SetTrackingEnabled(true);
}

bool TiPlotComponent::GetAxisTrackingEnabled(const TiPlotAxis* Axis) const {
  return Axis->GetTrackingEnabled();
}

void TiPlotComponent::ZoomAxis(TiPlotAxis* Axis, double Factor) {
  Axis->Zoom(Factor);
}

void TiPlotComponent::NewTrackingData(TiPlotAxis* Axis, double Value) {
  Axis->NewTrackingData(Value);
}

void TiPlotComponent::EditProperties() {
  FMaster->EditProperties();
}

// ---------------------------------------------------------------- toolbar state

bool TiPlotComponent::GetToolBarSelectActive() {
  return GetToolBarCount() > 0 && GetToolBar(0)->GetSelectActive();
}

bool TiPlotComponent::GetToolBarZoomBoxActive() {
  return GetToolBarCount() > 0 && GetToolBar(0)->GetZoomBoxActive();
}

void TiPlotComponent::SetToolBarSelectActive(bool Value) {
  if (GetToolBarCount() == 0 || GetToolBar(0)->GetSelectActive() == Value) return;
  GetToolBar(0)->DoButtonClickSelect();
}

// ---------------------------------------------------------------- image lists

TCustomImageList* TiPlotComponent::GetImageList(int ImageListIndex) const {
  switch (ImageListIndex) {
    case 0:
      return FImageList0.get();
    case 1:
      return FImageList1.get();
    case 2:
      return FImageList2.get();
    default:
      return nullptr;
  }
}

void TiPlotComponent::ImageListClear(int ImageListIndex) {
  TCustomImageList* list = GetImageList(ImageListIndex);
  if (!list) throw Exception("ImageList Index must be 0-2");
  list->Clear();
  InvalidateChange();
}

void TiPlotComponent::ImageListAdd(int ImageListIndex, TBitmap* ABitmap) {
  TCustomImageList* list = GetImageList(ImageListIndex);
  if (!list) throw Exception("ImageList Index must be 0-2");
  const int w = ABitmap->GetWidth();
  const int h = ABitmap->GetHeight();
  const TColor transparent = ABitmap->GetTransparentColor();
  if (list->GetCount() == 0) {
    list->SetSize(w, h);
  } else if (w < list->GetWidth() && h < list->GetHeight()) {
    TBitmap padded(list->GetWidth(), list->GetHeight());
    padded.Canvas->Brush->SetStyle(bsSolid);
    padded.Canvas->Brush->SetColor(transparent);
    padded.Canvas->FillRect(Rect(0, 0, list->GetWidth(), list->GetHeight()));
    padded.Canvas->Draw(list->GetWidth() / 2 - w / 2, list->GetHeight() / 2 - h / 2, ABitmap);
    ABitmap->Assign(&padded);
  } else if (!(w > list->GetWidth() && h > list->GetHeight()) && w != list->GetWidth() &&
             h != list->GetHeight()) {
    throw Exception(
        "Image Width and Height must be the same as other images, or both smaller, or both larger");
  }
  list->AddMasked(ABitmap, transparent);
  InvalidateChange();
}

double TiPlotComponent::GetNow() const {
  return Now();
}

// ---------------------------------------------------------------- properties

void TiPlotComponent::SetDataViewZHorz(int Value) {
  GetLayoutManager()->GetDataViewHorz()->SetZOrder(Value);
  if (GetLayoutManager()->GetEnabled()) GetLayoutManager()->RebuildLists();
  InvalidateChange();
}

void TiPlotComponent::SetDataViewZVert(int Value) {
  GetLayoutManager()->GetDataViewVert()->SetZOrder(Value);
  if (GetLayoutManager()->GetEnabled()) GetLayoutManager()->RebuildLists();
  InvalidateChange();
}

void TiPlotComponent::SetBackGroundGradientDirection(TiFillDirection Value) {
  if (FBackGroundGradientDirection == Value) return;
  FBackGroundGradientDirection = Value;
  InvalidateChange();
}

TiPlotLabel* TiPlotComponent::TitleLabel() const {
  return GetLabelCount() > 0 ? GetLabel(0) : nullptr;
}

bool TiPlotComponent::GetTitleVisible() const {
  return TitleLabel() && TitleLabel()->GetVisible();
}

void TiPlotComponent::SetTitleVisible(bool Value) {
  if (auto* l = TitleLabel()) l->SetVisible(Value);
}

std::string TiPlotComponent::GetTitleText() const {
  return TitleLabel() ? TitleLabel()->GetCaption() : std::string();
}

void TiPlotComponent::SetTitleText(const std::string& Value) {
  if (auto* l = TitleLabel()) l->SetCaption(Value);
}

TFont* TiPlotComponent::GetTitleFont() const {
  return TitleLabel() ? TitleLabel()->GetFont() : GetFont();
}

void TiPlotComponent::SetTitleFont(const TFont* Value) {
  if (auto* l = TitleLabel()) l->SetFont(Value);
}

double TiPlotComponent::GetTitleMargin() const {
  return TitleLabel() ? TitleLabel()->GetMarginBottom() : 0;
}

void TiPlotComponent::SetTitleMargin(double Value) {
  if (auto* l = TitleLabel()) l->SetMarginBottom(Value);
}

// ---------------------------------------------------------------- loading

void TiPlotComponent::Loaded() {
  TiCustomComponent::Loaded();
  // A toolbar that shares the title's side and place moves one outward.
  if (GetToolBarCount() > 0 && GetLabelCount() > 0) {
    TiPlotToolBar* toolBar = GetToolBar(0);
    TiPlotLabel* title = GetLabel(0);
    if (toolBar->GetHorizontal() == title->GetHorizontal() && toolBar->GetZOrder() == title->GetZOrder())
      toolBar->SetZOrder(title->GetZOrder() + 1);
  }
  EnableLayoutManager();
  if (GetUpdateActive()) EndUpdate();
}

void TiPlotComponent::RefreshLayoutManager() {
  DisableLayoutManager();
  EnableLayoutManager();
}

void TiPlotComponent::AddDefaultObjects() {
  TiPlotMasterManager* master = GetMaster();
  DisableLayoutManager();
  try {
    GetToolBar(master->AddToolBar())->SetZOrder(3);
    GetLegend(master->AddLegend())->SetZOrder(2);
    master->AddXAxis();
    master->AddYAxis();
    master->AddChannel();
    master->AddDataView();
    master->AddDataCursor();
    TiPlotLabel* title = GetLabel(master->AddLabel());
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
  } catch (...) {
    EnableLayoutManager();
    throw;
  }
  EnableLayoutManager();
}
