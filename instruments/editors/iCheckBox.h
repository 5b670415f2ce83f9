#pragma once
// TiCheckBox: the library's owner-drawn check box. It keeps a pressed look
// while the mouse or Space is down, sizes itself to its caption, and
// reports a change through the protected change event ("Checked"),
// OnChange and, for the user's changes only, OnChangeUser.

#include <memory>
#include <string>

#include "instruments/base/iVCLComponent.h"
#include "platform/classlib/StdCtrls.h"

using TLeftRight = TAlignment;

class TiCheckBox : public TiCustomComponent {
 public:
  explicit TiCheckBox(TComponent* AOwner);
  ~TiCheckBox() override;

  bool GetChecked() const { return FChecked; }
  // Asks the edit request first; a change repaints and runs DoChange.
  void SetChecked(bool Value);
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // taRightJustify: the box on the left, the caption on its right.
  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);

  // The box and the caption rectangles of the last layout (for tests).
  TRect BoxRect() const;
  TRect CaptionRect() const;

  void iPaintToCanvas(TCanvas* Canvas) override;
  // WM_GETDLGCODE: the base's DLGC_WANTALLKEYS.
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChangeUser;

 protected:
  virtual void DoChange();
  void DoSetFocus() override;
  void DoKillFocus() override;
  void iKeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void iKeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoAutoSize();

  bool FMouseDown = false;
  bool FKeyDown = false;
  // The change in progress comes from the user.
  bool FUserGenerated = false;

 private:
  TSize CaptionSize() const;

  bool FDoingAutoSize = false;
  bool FChecked = false;
  std::string FCaption = "Caption";
  bool FAutoSize = true;
  std::unique_ptr<TFont> FFont;
  TLeftRight FAlignment = taRightJustify;
};
