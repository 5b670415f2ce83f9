#pragma once
// The editor forms' pickers: a colour swatch with a "..." button, and push
// buttons that choose a font, a file to open, a file to save and a value
// through the value converter. Each keeps its last result, tells the owning
// editor form, repaints and fires OnChange when the user chose; a cancel
// changes nothing.

#include <memory>
#include <string>

#include "instruments/editors/iEditorControls.h"

class TiComponentEditorColorPicker : public TiEditorTabKeys<TCustomControl> {
 public:
  explicit TiComponentEditorColorPicker(TComponent* AOwner);
  TColor GetColor() const { return FColor; }
  // Repaints; fires nothing and tells nobody.
  void SetColor(TColor Value);
  void Disable();
  void Enable();
  TButton* GetButton() const { return FButton; }
  // Runs the colour dialog, as the button and a double click do.
  void Choose();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // WM_GETDLGCODE: exactly 6.
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void DblClick() override;

 private:
  TButton* FButton = nullptr;
  TColor FColor = 255;
};

// What the four button pickers share: the Tab key and the dialog code 6.
class TiComponentEditorPickerButton : public TiEditorTabKeys<TiComponentEditorButton> {
 public:
  explicit TiComponentEditorPickerButton(TComponent* AOwner);
  void Disable() { SetEnabled(false); }
  void Enable() { SetEnabled(true); }
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnChange;

 protected:
  // The owning form told, a repaint, OnChange.
  void Chosen();
};

class TiComponentEditorFontPicker : public TiComponentEditorPickerButton {
 public:
  explicit TiComponentEditorFontPicker(TComponent* AOwner);
  ~TiComponentEditorFontPicker() override;
  // The font chosen, the picker's own; these hide the control's Font, which
  // stays the caption's (reached through TControl).
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  void Click() override;

 private:
  std::unique_ptr<TFont> FFont;
};

// The name the file pickers offer: a folder name (ending in "/" or "\")
// gets "Untitled".
std::string PickerStartName(const std::string& FileName);

class TiComponentEditorOpenPicker : public TiComponentEditorPickerButton {
 public:
  explicit TiComponentEditorOpenPicker(TComponent* AOwner);
  ~TiComponentEditorOpenPicker() override;
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& GetDefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(const std::string& Value) { FDefaultDir = Value; }
  bool GetFileMustExist() const { return FFileMustExist; }
  void SetFileMustExist(bool Value) { FFileMustExist = Value; }
  bool GetAllowMultiSelect() const { return FAllowMultiSelect; }
  void SetAllowMultiSelect(bool Value) { FAllowMultiSelect = Value; }
  TStrings* GetFiles() const { return FFiles.get(); }
  bool GetDefaultDirUsed() const { return FDefaultDirUsed; }
  void Click() override;

 private:
  std::string FFileName;
  std::string FFilter;
  std::string FDefaultExt;
  std::string FDefaultDir;
  bool FDefaultDirUsed = false;
  bool FFileMustExist = false;
  bool FAllowMultiSelect = false;
  std::unique_ptr<TStringList> FFiles;
};

class TiComponentEditorSavePicker : public TiComponentEditorPickerButton {
 public:
  explicit TiComponentEditorSavePicker(TComponent* AOwner);
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& GetDefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(const std::string& Value) { FDefaultDir = Value; }
  bool GetDefaultDirUsed() const { return FDefaultDirUsed; }
  // Runs the save dialog; true when the user chose a name (FileName and
  // FilterIndex then hold the choice).
  bool Execute();
  void Click() override;

 private:
  std::string FFileName;
  std::string FFilter;
  int FFilterIndex = 0;
  std::string FDefaultExt;
  std::string FDefaultDir;
  bool FDefaultDirUsed = false;
};

class TiComponentEditorValueConverterPicker : public TiComponentEditorPickerButton {
 public:
  explicit TiComponentEditorValueConverterPicker(TComponent* AOwner);
  ~TiComponentEditorValueConverterPicker() override;
  TiComponentEditorEdit* GetAssociate() const { return FAssociate; }
  // Places the picker at the edit's right edge, at its top and height.
  void SetAssociate(TiComponentEditorEdit* Value);
  double GetDateTime() const { return FDateTime; }
  void SetDateTime(double Value) { FDateTime = Value; }
  TiValueConverterPageType GetDefaultPage() const { return FDefaultPage; }
  void SetDefaultPage(TiValueConverterPageType Value) { FDefaultPage = Value; }
  const TFormTranslationMethod& GetTranslationMethod() const { return FTranslationMethod; }
  void SetTranslationMethod(TFormTranslationMethod Value) { FTranslationMethod = std::move(Value); }
  void Click() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  double FDateTime = 0;
  TiComponentEditorEdit* FAssociate = nullptr;
  TiValueConverterPageType FDefaultPage = ivcptInterval;
  TFormTranslationMethod FTranslationMethod;
};
