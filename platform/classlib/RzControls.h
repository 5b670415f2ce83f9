#pragma once
// The bundled control set the forms are built from: the bitmap button, the
// group box, the combo box, the push button and the label. (The main
// window's panels are plain TPanels.)
//
// Event rules of the bitmap button (TRzBmpButton):
// - Down written by the program fires nothing. Setting it true releases the
//   other buttons of the same parent with the same non-zero GroupIndex
//   (silently). Setting it false is ignored on a grouped button
//   (GroupIndex != 0) whose AllowAllUp is off: the group keeps its down
//   button.
// - A user click (left button pressed and released over the button) on a
//   grouped button first sets Down (a down button goes up only when
//   AllowAllUp is on), then fires OnClick. Order: OnMouseDown, Down changes,
//   OnClick, OnMouseUp. A button with GroupIndex 0 is a push button: a click
//   fires OnClick and leaves Down alone.
// - Click() fires OnClick at once and changes nothing else.
// - A disabled button hears no mouse: no events, no click, no hot face.
// - AllowAllUp is each button's own: it decides whether that button, when
//   down, may be released.
//
// Faces: a button shows the picture of its state (Disabled; Down while the
// mouse holds it pressed; StayDown while Down is set; Hot under the mouse;
// Up otherwise), with its Caption centred over it in the Font's colour. A
// state without a picture borrows a neighbour's (Down and StayDown stand in
// for each other; Hot, Disabled and the pressed state take Up). A button
// with no picture for its state draws a face of its own, a dark console key
// that lights up in AccentColor when down; a down button without a down
// picture does so too rather than look up. On its own face a caption colour
// inherited from the parent that would not read gives way to one that does.

#include <memory>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/StdCtrls.h"

class QObject;

// The five face pictures of a bitmap button. Each setter copies the picture
// it is given; Assign copies all five.
class TRzBmpButtonFaces : public TPersistent {
 public:
  TRzBmpButtonFaces();
  ~TRzBmpButtonFaces() override;

  TBitmap* GetUp() const { return FUp.get(); }
  void SetUp(const TBitmap* Value) { Copy(*FUp, Value); }
  TBitmap* GetDown() const { return FDown.get(); }
  void SetDown(const TBitmap* Value) { Copy(*FDown, Value); }
  TBitmap* GetHot() const { return FHot.get(); }
  void SetHot(const TBitmap* Value) { Copy(*FHot, Value); }
  TBitmap* GetStayDown() const { return FStayDown.get(); }
  void SetStayDown(const TBitmap* Value) { Copy(*FStayDown, Value); }
  TBitmap* GetDisabled() const { return FDisabled.get(); }
  void SetDisabled(const TBitmap* Value) { Copy(*FDisabled, Value); }

  // Another face set; anything else is a conversion error.
  void Assign(TPersistent* Source) override;

  // Fires after any face changed (a new picture, or drawing on one).
  std::function<void()> OnChange;

 private:
  static void Copy(TBitmap& Face, const TBitmap* Value);
  void Watch(TBitmap& Face);
  void Changed();

  std::unique_ptr<TBitmap> FUp;
  std::unique_ptr<TBitmap> FDown;
  std::unique_ptr<TBitmap> FHot;
  std::unique_ptr<TBitmap> FStayDown;
  std::unique_ptr<TBitmap> FDisabled;
  int FCopying = 0;
};

class TRzBmpButton : public TGraphicControl {
 public:
  explicit TRzBmpButton(TComponent* AOwner);
  ~TRzBmpButton() override;

  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  // A down button joining a group releases that group's down button.
  void SetGroupIndex(int Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }

  TRzBmpButtonFaces* GetBitmaps() const { return FBitmaps.get(); }
  void SetBitmaps(TRzBmpButtonFaces* Value);

  // The light of the button's own face when it is down.
  TColor GetAccentColor() const { return FAccentColor; }
  void SetAccentColor(TColor Value);

  // The mouse is over the button.
  bool GetHot() const { return FHot; }
  // The mouse holds the button pressed (pressed on it and still over it).
  bool GetPressed() const { return FPressed && FHot; }

  void SetParent(TWinControl* AParent) override;

  // Fires OnClick now. The library calls it for a user click too, after
  // the click has changed Down.
  void Click() override;

  // Escape anywhere on the form clicks a Cancel button, as it does a
  // standard button's.
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;
  void VisibleChanged() override;

 private:
  // The face picture for the state shown now; null when the button draws
  // its own.
  TBitmap* FaceFor() const;
  void DrawOwnFace(TCanvas* Canvas);
  void DrawCaption(TCanvas* Canvas, bool OwnFace);
  // Releases the other down buttons of this button's group.
  void ReleaseGroup();

  std::unique_ptr<TRzBmpButtonFaces> FBitmaps;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FCancel = false;
  TColor FAccentColor;
  bool FHot = false;
  // The left button went down on the button and is still down.
  bool FPressed = false;
  // That press has not clicked yet: the next Click comes from the user.
  bool FUserClick = false;
};

// A group box that may go without its frame, with a paint event for
// drawing over its face and CreateWnd for work that needs the window.
class TRzGroupBox : public TGroupBox {
 public:
  explicit TRzGroupBox(TComponent* AOwner);

  bool GetShowFrame() const { return FShowFrame; }
  void SetShowFrame(bool Value);

  // Fires after the box has painted its face, frame and caption.
  TNotifyEvent OnPaint;

 protected:
  // Runs once, when the box's window has been made (its children's windows
  // exist too). Overrides call the base first.
  virtual void CreateWnd() {}
  void InitWidget() override;
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  bool FShowFrame = true;
};

class TRzComboBox : public TComboBox {
 public:
  explicit TRzComboBox(TComponent* AOwner) : TComboBox(AOwner) {}
};

// A push button. When not ThemeAware its face is flat in its own Color (so
// a program can colour it); when ThemeAware it looks like every button.
class TRzButton : public TButton {
 public:
  explicit TRzButton(TComponent* AOwner);
  ~TRzButton() override;

  bool GetThemeAware() const { return FThemeAware; }
  void SetThemeAware(bool Value);

 protected:
  void InitWidget() override;
  // Theme-aware: the standard face and caption colours, whatever Color and
  // Font say (as the platform's themed buttons do).
  void ApplyColors() override;

 private:
  friend class RzButtonPainter;
  bool FThemeAware = true;
  QObject* FPainter = nullptr;
};

class TRzLabel : public TLabel {
 public:
  explicit TRzLabel(TComponent* AOwner) : TLabel(AOwner) {}
};
