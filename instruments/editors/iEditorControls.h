#pragma once
// The kit the library's editor forms are built of: the editor form base and
// its controls. The kit's rules:
// - a value written by code never fires the control's change events and
//   never counts as an edit (the event is detached and FBlockingEvents set
//   while the write runs, and put back however it ends);
// - every change made by the user is reported to the owning editor form
//   (the control's Owner, when it is a TiCustomEditorForm) through
//   UserChange;
// - the character Tab moves the focus through the owner form, also inside
//   controls that ask for every key.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "instruments/editors/iCheckBox.h"
#include "instruments/editors/iRadioGroup.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/PageControl.h"
#include "platform/classlib/StdCtrls.h"

using TiListBoxGetDataEvent =
    std::function<void(const int Index, bool& DrawColorBox, TColor& AColor, std::string& AText)>;
enum TiValueConverterPageType { ivcptInterval, ivcptDateTime, ivcptPrice32nd };
using TFormTranslationMethod = std::function<void(TCustomForm* AForm)>;

class TiCustomEditorForm : public TCustomForm {
 public:
  explicit TiCustomEditorForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  // Called after each change the user makes in one of the form's kit
  // controls; a form that tracks unsaved changes overrides it.
  virtual void UserChange() {}
};

// Tells the editor form that owns Control about a user's change.
void TellEditorForm(TComponent* Control);
// The kit's Tab: the character becomes 0 and the focus moves on through the
// owner form (back with Shift). True when Key was Tab.
bool EditorTabKey(TComponent* Control, char32_t& Key);

// The kit's Tab in a control that takes every key: the key moves the focus
// through the owner form, Shift+Tab (which types no character here) back.
template <class Base>
class TiEditorTabKeys : public Base {
 public:
  using Base::Base;

 protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override {
    Base::KeyDown(Key, Shift);
    if (Key != VK_TAB) return;
    char32_t tab = 9;
    EditorTabKey(this, tab);
    Key = 0;
  }
  void KeyPress(char32_t& Key) override {
    EditorTabKey(this, Key);
    Base::KeyPress(Key);
  }
};

// Detaches events and sets a blocking flag for a scope; everything is put
// back when the scope ends, however it ends.
class TiEventBlock {
 public:
  TiEventBlock(bool& Blocking, std::initializer_list<TNotifyEvent*> Events);
  ~TiEventBlock();
  TiEventBlock(const TiEventBlock&) = delete;
  TiEventBlock& operator=(const TiEventBlock&) = delete;

 private:
  bool& FBlocking;
  bool FOld;
  std::vector<std::pair<TNotifyEvent*, TNotifyEvent>> FSaved;
};

class TiComponentEditorEdit : public TCustomEdit {
 public:
  explicit TiComponentEditorEdit(TComponent* AOwner);

  // Readers: the trimmed text as a decimal integer / a number with a
  // decimal point (0 when it is none), or a date-time (EConvertError when it
  // is none). Writers set the text with events blocked and make it the
  // committed text.
  std::string GetAsString() const { return GetText(); }
  void SetAsString(const std::string& Value);
  int GetAsInteger() const;
  void SetAsInteger(int Value);
  double GetAsFloat() const;
  void SetAsFloat(double Value);
  double GetAsDateTime() const;
  void SetAsDateTime(double Value);

  // The text from the value with OnChange firing, the form told, then the
  // commit check.
  void SetStringWithEvent(const std::string& Value);
  void SetIntegerWithEvent(int Value);
  void SetDoubleWithEvent(double Value);

  // A changed text becomes the committed one: OnUpdate, then the form told.
  void CheckForUpdate();
  const std::string& GetOriginalText() const { return FOriginalText; }
  bool GetBlockingEvents() const { return FBlockingEvents; }

  void Disable();
  void DisableNoClear();
  void Enable();
  // Also sets the colour: clWindow enabled, clBtnFace not.
  void SetEnabled(bool Value) override;

  // WM_GETDLGCODE: the edit's answer plus 3; CM_WANTSPECIALKEY: Left and
  // Right only.
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnUpdate;

 protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void DoExit() override;

 private:
  void BlockedText(const std::string& Text);
  bool FBlockingEvents = false;
  std::string FOriginalText;
};

class TiUpDown : public TGraphicControl {
 public:
  explicit TiUpDown(TComponent* AOwner);
  ~TiUpDown() override;

  TiComponentEditorEdit* GetAssociate() const { return FAssociate; }
  // Moves the up-down to the edit's right edge, at its top and height.
  void SetAssociate(TiComponentEditorEdit* Value);
  std::int16_t GetMin() const { return FMin; }
  void SetMin(std::int16_t Value) { FMin = Value; }
  std::int16_t GetMax() const { return FMax; }
  void SetMax(std::int16_t Value) { FMax = Value; }
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  // The associate's integer (0 without one); a write is limited by Min and
  // Max when either is non-zero.
  int GetAsInteger() const;
  void SetAsInteger(int Value);

  void Disable();
  void Enable();

  // The layout of the last paint or press.
  TRect GetUpButtonRect() const { return FUpButtonRect; }
  TRect GetDownButtonRect() const { return FDownButtonRect; }
  bool GetUpButtonPressed() const { return FUpButtonPressed; }
  bool GetDownButtonPressed() const { return FDownButtonPressed; }
  // The auto-repeat timer (500 ms to the first repeat, then 50 ms).
  TTimer* GetTimer() const { return FTimer; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void Layout();
  void Step();
  void TimerTick();

  TTimer* FTimer = nullptr;
  bool FFirstTimerMessage = false;
  TiComponentEditorEdit* FAssociate = nullptr;
  std::int16_t FMin = 0;
  std::int16_t FMax = 100;
  int FIncrement = 1;
  bool FMouseDown = false;
  int FMouseDownX = 0;
  int FMouseDownY = 0;
  bool FUpButtonPressed = false;
  bool FDownButtonPressed = false;
  TRect FUpButtonRect;
  TRect FDownButtonRect;
  bool FUserGenerated = false;
};

class TiComponentEditorPageControl : public TiEditorTabKeys<TPageControl> {
 public:
  explicit TiComponentEditorPageControl(TComponent* AOwner) : TiEditorTabKeys<TPageControl>(AOwner) {}
  // Kept for form files; the shown page follows ActivePage.
  int GetTabIndex() const { return FTabIndex; }
  void SetTabIndex(int Value) { FTabIndex = Value; }
  // WM_GETDLGCODE: the default answer plus 6.
  void DefaultHandler(TMessage& Message) override;

 private:
  int FTabIndex = 0;
};

class TiComponentEditorButton : public TButton {
 public:
  explicit TiComponentEditorButton(TComponent* AOwner) : TButton(AOwner) {}

 protected:
  void KeyPress(char32_t& Key) override;
};

class TiComponentEditorCheckBox : public TiEditorTabKeys<TiCheckBox> {
 public:
  explicit TiComponentEditorCheckBox(TComponent* AOwner) : TiEditorTabKeys<TiCheckBox>(AOwner) {}
  bool GetAsBoolean() const { return GetChecked(); }
  void SetAsBoolean(bool Value);
  void Disable();
  void Enable() { SetEnabled(true); }
  // WM_GETDLGCODE: exactly 6.
  void DefaultHandler(TMessage& Message) override;

 protected:
  // The inherited change, the form told, then OnClick.
  void DoChange() override;
  // A click fires OnClick through DoChange alone.
  void Click() override {}

 private:
  bool FBlockingEvents = false;
};

class TiComponentEditorRadioGroup : public TiRadioGroup {
 public:
  explicit TiComponentEditorRadioGroup(TComponent* AOwner) : TiRadioGroup(AOwner) {}
  int GetAsInteger() const { return GetItemIndex(); }
  void SetAsInteger(int Value);
  void Disable();
  void Enable() { SetEnabled(true); }

 protected:
  void Click() override;
  void KeyPress(char32_t& Key) override;

 private:
  bool FBlockingEvents = false;
};

class TiComponentEditorComboBox : public TComboBox {
 public:
  explicit TiComponentEditorComboBox(TComponent* AOwner) : TComboBox(AOwner) {}
  int GetAsInteger() const { return GetItemIndex(); }
  void SetAsInteger(int Value);
  std::string GetAsString() const { return GetText(); }
  void SetAsString(const std::string& Value);
  void Disable();
  void Enable();
  // WM_GETDLGCODE: the combo box's answer plus 3; CM_WANTSPECIALKEY: Left
  // and Right only.
  void DefaultHandler(TMessage& Message) override;

 protected:
  // The user's pick tells the form; it fires no OnClick.
  void Click() override;
  void KeyPress(char32_t& Key) override;

 private:
  bool FBlockingEvents = false;
};

// Entries hold the edited objects in their object slots.
class TiComponentEditorListBox : public TiEditorTabKeys<TCustomListBox> {
 public:
  explicit TiComponentEditorListBox(TComponent* AOwner);

  void SelectLast();
  // Frees the selected entry's object and selects its neighbour; nothing
  // without a selected entry.
  void DeleteSelectedObject();
  // Takes AObject's entry out (the object is not freed).
  void DeleteObjectIndex(TObject* AObject);
  // A drop of one of its own entries at Y moves the selected entry there.
  void DragDrop(TObject* Source, int X, int Y) override;
  // WM_GETDLGCODE: exactly 6.
  void DefaultHandler(TMessage& Message) override;

  TiListBoxGetDataEvent OnGetData;
  TNotifyEvent OnItemMove;

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  bool DragOver(TObject* Source, int X, int Y) override;
};

class TiComponentEditorGroupBox : public TGroupBox {
 public:
  explicit TiComponentEditorGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};

// A 75 x 25 button of an editor form on Parent at (Left, Top); a button
// with a modal result ends the form's modal run with it.
TButton* NewEditorFormButton(TComponent* Owner, TWinControl* Parent, const std::string& Name,
                             const std::string& Caption, TModalResult Result, int Left, int Top);

// A paint surface whose owner draws on Canvas in OnPaint.
class TiPaintBox : public TCustomControl {
 public:
  explicit TiPaintBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};
