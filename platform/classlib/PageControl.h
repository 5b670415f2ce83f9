#pragma once
// The page control: a row of tabs over a stack of tab sheets, one shown at
// a time. Pages are the sheets put on it (TTabSheet::SetPageControl), in
// that order; a sheet's caption is its tab's text. A sheet may hold another
// page control.
//
// Events: the user's choice of a tab (a click, or Left and Right while the
// control has the focus) asks OnChanging (which may refuse) and then fires
// OnChange; ActivePage or ActivePageIndex written by the program fires
// nothing.

#include <functional>
#include <vector>

#include "platform/classlib/Controls.h"

class TPageControl;

class TTabSheet : public TCustomControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* GetPageControl() const { return FPageControl; }
  // Appends the sheet to Value's pages (and takes it off its old control);
  // null takes it off.
  void SetPageControl(TPageControl* Value);
  // Its place among the pages; -1 when on none.
  int GetPageIndex() const;
  // A hidden tab leaves its page out of the row; the page is never shown.
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);

 protected:
  void Paint() override;
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  // Null outside 0 .. PageCount - 1.
  TTabSheet* GetPages(int Index) const;
  TTabSheet* GetActivePage() const { return FActivePage; }
  // A sheet of this control (with a visible tab) or null; fires nothing.
  void SetActivePage(TTabSheet* Value);
  // -1 when no page is active.
  int GetActivePageIndex() const;
  // An index outside the pages leaves none active.
  void SetActivePageIndex(int Value);

  // The tab of a visible page, in the control's coordinates; empty for a
  // page whose tab is hidden.
  TRect TabRect(int PageIndex) const;
  // The page whose tab holds the point; -1 when none.
  int IndexOfTabAt(int X, int Y) const;
  // Where the active sheet sits.
  TRect PageRect() const;
  // Height of the tab rows.
  int TabHeight() const;
  // Tabs that do not fit the width wrap into more rows; the row of the
  // active tab is the one next to the page.
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void Resize() override;
  void FontChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  // The user's choice: OnChanging, then the page, then OnChange.
  virtual bool CanChange();
  virtual void Change();

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void PlacePages();
  void UserSelect(int Index);
  // The tab rectangles of every page (empty for hidden tabs).
  std::vector<TRect> TabRects() const;

  // The height of one row of tabs.
  int RowHeight() const;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FMultiLine = false;
};
