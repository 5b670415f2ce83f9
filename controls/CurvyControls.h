#pragma once
// The rounded value box beside every fader: a one-line edit inside a
// rounded, filled frame, whose events reach the handlers with the box as
// sender. Built on a rounded panel and a panel with small image buttons at
// its ends.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/AdvGDIP.h"
#include "platform/classlib/Collections.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/StdCtrls.h"

class TCustomImageList;
class TPopupMenu;

// A rounded rectangle in one colour with an outline and a light line along
// its top edge, over the parent's background.
class TCurvyPanel : public TCustomControl {
 public:
  explicit TCurvyPanel(TComponent* AOwner);

  int GetRounding() const { return FRounding; }
  void SetRounding(int Value);
  // The body colour, apart from the control's own Color (which stays none,
  // so that the parent shows round the corners).
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);

 protected:
  void Paint() override;
  void ColorChanged() override;
  virtual void AdjustInnerBounds() {}

  int FIndentRight = 0;
  int FIndentLeft = 0;

 private:
  int FRounding = 8;
  TColor FColor = clWindow;
  TColor FShadowColor = RGB(217, 217, 217);
  TColor FBorderColor = clGray;
};

enum TControlPosition { cpLeftInControl, cpRightInControl, cpLeft, cpRight };

// A small image button at one end of the panel.
class TCurvyControl : public TCollectionItem {
 public:
  explicit TCurvyControl(TCollection* Collection);
  void Assign(TPersistent* Source) override;

  bool GetDropDown() const { return FDropDown; }
  void SetDropDown(bool Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int GetImageIndexHover() const { return FImageIndexHover; }
  void SetImageIndexHover(int Value) { FImageIndexHover = Value; }
  int GetImageIndexDown() const { return FImageIndexDown; }
  void SetImageIndexDown(int Value) { FImageIndexDown = Value; }
  TAdvGDIPPicture* GetPicture() const { return FPicture.get(); }
  TAdvGDIPPicture* GetPictureHover() const { return FPictureHover.get(); }
  TAdvGDIPPicture* GetPictureDown() const { return FPictureDown.get(); }
  TControlPosition GetPosition() const { return FPosition; }
  void SetPosition(TControlPosition Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
  // 0 normal, 1 hover, 2 down.
  int GetState() const { return FState; }
  void SetState(int Value) { FState = Value; }

 private:
  void NotifyCollection();

  bool FDropDown = false;
  std::string FHint;
  int FImageIndex = -1;
  int FImageIndexHover = -1;
  int FImageIndexDown = -1;
  std::unique_ptr<TAdvGDIPPicture> FPicture, FPictureHover, FPictureDown;
  TControlPosition FPosition = cpRightInControl;
  TPopupMenu* FPopupMenu = nullptr;
  int FState = 0;
};

class TCurvyControls : public TOwnedCollection {
 public:
  explicit TCurvyControls(TPersistent* AOwner);
  ~TCurvyControls() override;
  TCurvyControl* Add() { return static_cast<TCurvyControl*>(TCollection::Add()); }
  TCurvyControl* Insert(int Index) { return static_cast<TCurvyControl*>(TCollection::Insert(Index)); }
  TCurvyControl* GetItem(int Index) const { return static_cast<TCurvyControl*>(GetItems(Index)); }

  TPoint GetControlSize(int Index) const;
  void UpdateSizes();

  int FLeftSize = 0;
  int FLeftControlSize = 0;
  int FRightSize = 0;
  int FRightControlSize = 2;
  int FImageListImageWidth = 0;
  int FImageListImageHeight = 0;
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;
};

using TControlClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCurvyControlPanel : public TCurvyPanel {
 public:
  explicit TCurvyControlPanel(TComponent* AOwner);
  ~TCurvyControlPanel() override;

  TCurvyControls* GetControls() const { return FCurvyControls.get(); }
  void SetControls(TCurvyControls* Value) { FCurvyControls->Assign(Value); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  std::string GetVersion() const { return "1.0.3.1"; }
  void SetVersion(const std::string&) {}
  // The image button under x; -1 for none.
  int ImageButtonAt(int X, int Y);

  TControlClickEvent OnControlClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoControlClick(int Index);
  void UpdateControls();
  int LayoutControls(int X, bool Draw);
  void DrawControl(int X, int Y, int Index);

 private:
  std::unique_ptr<TCurvyControls> FCurvyControls;
  TCustomImageList* FImages = nullptr;
};

class TEmptyEdit : public TEdit {
 public:
  explicit TEmptyEdit(TComponent* AOwner) : TEdit(AOwner) {}
  // Shown greyed while the text is empty.
  const std::string& GetEmptyText() const { return GetTextHint(); }
  void SetEmptyText(const std::string& Value) { SetTextHint(Value); }
};

class TCurvyEdit : public TCurvyControlPanel {
 public:
  explicit TCurvyEdit(TComponent* AOwner);
  ~TCurvyEdit() override;

  TEmptyEdit* GetEdit() const { return FEdit; }

  // The inner edit's text; a change fires the box's OnChange.
  std::string GetText() const { return FEdit->GetText(); }
  void SetText(const std::string& Value) { FEdit->SetText(Value); }
  bool GetReadOnly() const { return FEdit->GetReadOnly(); }
  void SetReadOnly(bool Value) { FEdit->SetReadOnly(Value); }
  TAlignment GetAlignment() const { return FEdit->GetAlignment(); }
  void SetAlignment(TAlignment Value) { FEdit->SetAlignment(Value); }
  bool GetAutoSelect() const { return FEdit->GetAutoSelect(); }
  void SetAutoSelect(bool Value) { FEdit->SetAutoSelect(Value); }
  bool GetHideSelection() const { return FEdit->GetHideSelection(); }
  void SetHideSelection(bool Value) { FEdit->SetHideSelection(Value); }
  int GetMaxLength() const { return FEdit->GetMaxLength(); }
  void SetMaxLength(int Value) { FEdit->SetMaxLength(Value); }
  bool GetNumbersOnly() const { return FEdit->GetNumbersOnly(); }
  void SetNumbersOnly(bool Value) { FEdit->SetNumbersOnly(Value); }
  TEditCharCase GetCharCase() const { return FEdit->GetCharCase(); }
  void SetCharCase(TEditCharCase Value) { FEdit->SetCharCase(Value); }
  char32_t GetPasswordChar() const { return FEdit->GetPasswordChar(); }
  void SetPasswordChar(char32_t Value) { FEdit->SetPasswordChar(Value); }
  const std::string& GetTextHint() const { return FEdit->GetTextHint(); }
  void SetTextHint(const std::string& Value) { FEdit->SetTextHint(Value); }
  const std::string& GetEmptyText() const { return FEdit->GetEmptyText(); }
  void SetEmptyText(const std::string& Value) { FEdit->SetEmptyText(Value); }
  // Tab stop and tab order are the inner edit's.
  bool GetTabStop() const { return FEdit->GetTabStop(); }
  void SetTabStop(bool Value) { FEdit->SetTabStop(Value); }
  int GetTabOrder() const { return FEdit->GetTabOrder(); }
  void SetTabOrder(int Value) { FEdit->SetTabOrder(Value); }
  // Disabling the box disables the edit; the frame stays as it is.
  bool GetEnabled() const { return FEdit->GetEnabled(); }
  void SetEnabled(bool Value) override { FEdit->SetEnabled(Value); }

  void SetFocus() override;
  // The box is always 24 pixels high.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // The box's own events, fired by the inner edit with the box as sender.
  TNotifyEvent OnChange;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void ColorChanged() override;
  void AdjustInnerBounds() override;
  void Resize() override;
  void FontChanged() override;

 private:
  void WireEvents();

  TEmptyEdit* FEdit = nullptr;
};
