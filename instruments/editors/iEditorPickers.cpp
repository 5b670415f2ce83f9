#include "instruments/editors/iEditorPickers.h"

#include "instruments/base/iDrawing.h"
#include "instruments/editors/iCommonDialogs.h"
#include "instruments/editors/iValueConverterEditForm.h"
#include "platform/classlib/Messages.h"
#include "platform/sys/ScopeExit.h"

namespace {

// The answer of every picker to WM_GETDLGCODE.
constexpr LRESULT PickerDialogCode = DLGC_WANTALLKEYS + DLGC_WANTTAB;

// Frees what a run made, however the run ends.
template <class T>
struct RunOwned {
  T* object;
  ~RunOwned() { object->Free(); }
};

}  // namespace

std::string PickerStartName(const std::string& FileName) {
  if (!FileName.empty() && (FileName.back() == '/' || FileName.back() == '\\')) return FileName + "Untitled";
  return FileName;
}

// ---------------------------------------------------------------- colour picker

TiComponentEditorColorPicker::TiComponentEditorColorPicker(TComponent* AOwner)
    : TiEditorTabKeys<TCustomControl>(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
  SetTabStop(true);
  FButton = new TButton(this);
  FButton->SetParent(this);
  FButton->SetCaption("...");
  FButton->GetFont()->SetStyle(TFontStyles() << fsBold);
  FButton->OnClick = [this](TObject*) { Choose(); };
  SetBounds(GetLeft(), GetTop(), 47, 21);
}

void TiComponentEditorColorPicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TiEditorTabKeys<TCustomControl>::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FButton) FButton->SetBounds(GetWidth() - 21, 0, 21, GetHeight());
}

void TiComponentEditorColorPicker::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TiComponentEditorColorPicker::Disable() {
  SetEnabled(false);
  FButton->SetEnabled(false);
  Invalidate();
}

void TiComponentEditorColorPicker::Enable() {
  SetEnabled(true);
  FButton->SetEnabled(true);
  Invalidate();
}

void TiComponentEditorColorPicker::DefaultHandler(TMessage& Message) {
  TiEditorTabKeys<TCustomControl>::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result = PickerDialogCode;
}

void TiComponentEditorColorPicker::Paint() {
  TCanvas* c = GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetParent() && GetParent()->GetColor() != clNone ? GetParent()->GetColor() : clBtnFace);
  c->FillRect(GetClientRect());
  c->Pen->SetStyle(psSolid);
  c->Pen->SetColor(clBlack);
  c->Brush->SetColor(GetEnabled() ? FColor : clBtnFace);
  c->Rectangle(0, 0, GetWidth() - FButton->GetWidth() - 1, GetHeight());
}

void TiComponentEditorColorPicker::DblClick() {
  TiEditorTabKeys<TCustomControl>::DblClick();
  Choose();
}

void TiComponentEditorColorPicker::Choose() {
  RunOwned<TiColorDialog> dialog{new TiColorDialog(this)};
  dialog.object->SetColor(FColor);
  if (!dialog.object->Execute()) return;
  FColor = dialog.object->GetColor();
  TellEditorForm(this);
  Invalidate();
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- button pickers

TiComponentEditorPickerButton::TiComponentEditorPickerButton(TComponent* AOwner)
    : TiEditorTabKeys<TiComponentEditorButton>(AOwner) {
  SetBounds(GetLeft(), GetTop(), 75, 25);
  SetTabStop(true);
}

void TiComponentEditorPickerButton::DefaultHandler(TMessage& Message) {
  TiEditorTabKeys<TiComponentEditorButton>::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result = PickerDialogCode;
}

void TiComponentEditorPickerButton::Chosen() {
  TellEditorForm(this);
  Invalidate();
  if (OnChange) OnChange(this);
}

TiComponentEditorFontPicker::TiComponentEditorFontPicker(TComponent* AOwner)
    : TiComponentEditorPickerButton(AOwner), FFont(std::make_unique<TFont>()) {
  SetCaption("Font");
}

TiComponentEditorFontPicker::~TiComponentEditorFontPicker() = default;

void TiComponentEditorFontPicker::Click() {
  TiComponentEditorPickerButton::Click();
  RunOwned<TiFontDialog> dialog{new TiFontDialog(this)};
  dialog.object->SetFont(FFont.get());
  if (!dialog.object->Execute()) return;
  FFont->Assign(dialog.object->GetFont());
  Chosen();
}

TiComponentEditorOpenPicker::TiComponentEditorOpenPicker(TComponent* AOwner)
    : TiComponentEditorPickerButton(AOwner), FFiles(std::make_unique<TStringList>()) {
  SetCaption("Open");
}

TiComponentEditorOpenPicker::~TiComponentEditorOpenPicker() = default;

void TiComponentEditorOpenPicker::Click() {
  TiComponentEditorPickerButton::Click();
  RunOwned<TiOpenDialog> dialog{new TiOpenDialog(this)};
  TiOpenDialog* d = dialog.object;
  d->SetFileMustExist(FFileMustExist);
  d->SetFileName(PickerStartName(FFileName));
  d->SetFilter(FFilter);
  d->SetDefaultExt(FDefaultExt);
  d->SetDefaultDir(FDefaultDir);
  d->SetAllowMultiSelect(FAllowMultiSelect);
  if (!FDefaultDirUsed) {
    d->SetDefaultDir(FDefaultDir);
    FDefaultDirUsed = true;
  }
  if (!d->Execute()) return;
  FFileName = d->GetFileName();
  FFiles->Assign(d->GetFiles());
  Chosen();
}

TiComponentEditorSavePicker::TiComponentEditorSavePicker(TComponent* AOwner)
    : TiComponentEditorPickerButton(AOwner) {
  SetCaption("Save");
}

bool TiComponentEditorSavePicker::Execute() {
  RunOwned<TiSaveDialog> dialog{new TiSaveDialog(this)};
  TiSaveDialog* d = dialog.object;
  d->SetFileName(PickerStartName(FFileName));
  d->SetFilter(FFilter);
  d->SetFilterIndex(FFilterIndex);
  d->SetDefaultExt(FDefaultExt);
  // Only the first run starts in DefaultDir; later ones where the user was.
  if (!FDefaultDirUsed) {
    d->SetDefaultDir(FDefaultDir);
    FDefaultDirUsed = true;
  }
  if (!d->Execute()) return false;
  FFileName = d->GetFileName();
  FFilterIndex = d->GetFilterIndex();
  Chosen();
  return true;
}

void TiComponentEditorSavePicker::Click() {
  TiComponentEditorPickerButton::Click();
  Execute();
}

// ---------------------------------------------------------------- value converter picker

TiComponentEditorValueConverterPicker::TiComponentEditorValueConverterPicker(TComponent* AOwner)
    : TiComponentEditorPickerButton(AOwner) {
  SetCaption("...");
  SetBounds(GetLeft(), GetTop(), 21, 21);
}

TiComponentEditorValueConverterPicker::~TiComponentEditorValueConverterPicker() {
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TiComponentEditorValueConverterPicker::Notification(TComponent* AComponent, TOperation Operation) {
  TiComponentEditorPickerButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) FAssociate = nullptr;
}

void TiComponentEditorValueConverterPicker::SetAssociate(TiComponentEditorEdit* Value) {
  if (FAssociate && FAssociate != Value) FAssociate->RemoveFreeNotification(this);
  FAssociate = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  SetBounds(Value->GetLeft() + Value->GetWidth(), Value->GetTop(), GetWidth(), Value->GetHeight());
}

void TiComponentEditorValueConverterPicker::Click() {
  TiComponentEditorPickerButton::Click();
  auto* form = new TiValueConverterEditForm(this);
  RunOwned<TiValueConverterEditForm> owned{form};
  form->AfterConstruction();
  const int page = FDefaultPage == ivcptDateTime ? 1 : FDefaultPage == ivcptPrice32nd ? 2 : 0;
  SetActivePageIndex(form->PageControl, page);
  if (FTranslationMethod) FTranslationMethod(form);
  form->SetValue(FAssociate ? FAssociate->GetAsFloat() : FDateTime);
  if (form->ShowModal() != mrOk) return;
  FDateTime = form->GetValue();
  if (FAssociate) FAssociate->SetDoubleWithEvent(FDateTime);
  if (OnChange) OnChange(this);
}
