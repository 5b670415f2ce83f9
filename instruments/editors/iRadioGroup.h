#pragma once
// TiRadioGroup: the library's owner-drawn group of radio buttons in columns
// (the items fill the first column top to bottom, then the next). A click
// on an item selects it; the arrow keys step through the items. Changes are
// reported through the protected change event ("ItemIndex"), OnChange and,
// for the user's clicks only, OnChangeUser.

#include <memory>
#include <string>

#include "instruments/base/iVCLComponent.h"
#include "platform/classlib/StringList.h"

class TiRadioGroup : public TiCustomComponent {
 public:
  explicit TiRadioGroup(TComponent* AOwner);
  ~TiRadioGroup() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TStrings* GetItems() const { return FItems.get(); }
  // Copies the strings.
  void SetItems(TStrings* Value);
  int GetItemIndex() const { return FItemIndex; }
  // Limited to -1 .. count - 1 first; a change repaints and runs DoChange.
  void SetItemIndex(int Value);
  int GetColumns() const { return FColumns; }
  // Only values above 0 are taken.
  void SetColumns(int Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);

  // The layout as the next paint makes it (the mouse uses the last one).
  void ComputeLayout();
  int GetMaxRows() const { return FMaxRows; }
  double GetItemsRowSpacing() const { return FItemsRowSpacing; }
  double GetItemsColSpacing() const { return FItemsColSpacing; }
  // The centre of item i's button.
  TPoint ItemCenter(int Index) const;
  // The item under a point; may lie outside 0 .. count - 1, and is -1 when
  // the group has no room for its items.
  int ItemAtPoint(int X, int Y) const;

  void iPaintToCanvas(TCanvas* Canvas) override;
  // WM_GETDLGCODE: the base's DLGC_WANTALLKEYS; CM_WANTSPECIALKEY: the
  // arrow keys.
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
  void iMouseMove(TShiftState Shift, int X, int Y) override;

  bool FMouseDown = false;
  int FMouseDownIndex = 0;
  bool FKeyDown = false;
  bool FUserGenerated = false;

 private:
  void ListChanged();
  void DrawButton(TCanvas* Canvas, int cx, int cy, bool Pressed);

  int FItemsRowStart = 0;
  double FItemsRowSpacing = 0;
  int FItemsColStart = 14;
  double FItemsColSpacing = 0;
  int FMaxRows = 0;
  std::string FCaption = "Radio Group";
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = 0;
  int FColumns = 1;
};
