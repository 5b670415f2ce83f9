#pragma once
// Common controls: the up-down arrows, the status bar, the rich edit and
// the tree view.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Controls.h"
#include "platform/classlib/RichDocument.h"
#include "platform/classlib/StdCtrls.h"

class QTimer;
class TCustomImageList;

enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };
enum TUDOrientation { udHorizontal, udVertical };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
// NewValue is Position ± Increment before the range is applied; Direction
// is updNone when that value lies beyond the range in the direction of the
// step (the arrow pressed at its end).
using TUDChangingEventEx =
    std::function<void(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction)>;

// A pair of arrow buttons that step Position by Increment between Min and
// Max, repeating while an arrow is held. Every step asks OnChanging and
// OnChangingEx first (either may refuse it); OnClick follows once the
// position has moved. Position written by the program is stored as given
// and fires nothing; the arrows bring it into the range. The up-down keeps
// its position whether or not it is shown.
class TCustomUpDown : public TCustomControl {
 public:
  explicit TCustomUpDown(TComponent* AOwner);
  ~TCustomUpDown() override;

  int GetMin() const { return FMin; }
  void SetMin(int Value) { FMin = Value; }
  int GetMax() const { return FMax; }
  void SetMax(int Value) { FMax = Value; }
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value) { FPosition = Value; }
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  // Past one end the position goes on from the other.
  bool GetWrap() const { return FWrap; }
  void SetWrap(bool Value) { FWrap = Value; }
  TUDOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  // The arrow keys step the position while the up-down has the focus.
  bool GetArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value) { FArrowKeys = Value; }

  // One press of an arrow, as the user's click does it.
  void Step(TUDBtnType Button);

  // Hides TControl::OnClick: the up-down tells which arrow moved it.
  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;
  TUDChangingEventEx OnChangingEx;

 protected:
  using TCustomControl::Click;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void EnabledChanged() override;
  // Asks OnChanging, then OnChangingEx; true when the step may happen.
  virtual bool CanChange(int NewValue, int Delta);
  // Fires OnClick.
  virtual void Click(TUDBtnType Button);

 private:
  // The arrow under a point of the control.
  TUDBtnType ButtonAt(int X, int Y) const;
  void StopRepeat();
  void RepeatStep();

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
  bool FWrap = false;
  TUDOrientation FOrientation = udVertical;
  bool FArrowKeys = true;
  // The arrow held down, and whether the mouse is still over it.
  bool FPressed = false;
  TUDBtnType FPressedButton = btNext;
  bool FOverPressed = false;
  QTimer* FRepeat = nullptr;
  // Outlives the control, so that a repeat or a press can tell that a
  // handler freed it.
  struct LifeState {
    bool alive = true;
    int ticking = 0;
  };
  std::shared_ptr<LifeState> FLife = std::make_shared<LifeState>();
};

class TUpDown : public TCustomUpDown {
 public:
  explicit TUpDown(TComponent* AOwner) : TCustomUpDown(AOwner) {}
};

// A bar at the bottom of its parent; with SimplePanel it shows SimpleText.
class TStatusBar : public TCustomControl {
 public:
  explicit TStatusBar(TComponent* AOwner);

  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value);

 protected:
  void Paint() override;

 private:
  bool FSimplePanel = false;
  std::string FSimpleText;
};

// Messages of the rich edit.
constexpr unsigned EM_FORMATRANGE = 0x0439;
constexpr unsigned EM_SETBKGNDCOLOR = 0x0443;

struct TCharRange {
  int cpMin = 0;
  int cpMax = 0;
};
// EM_FORMATRANGE's record: the device to draw on (and the one to format
// for), the area and the page in twips, and the characters.
struct TFormatRange {
  HDC hdc = nullptr;
  HDC hdcTarget = nullptr;
  TRect rc;
  TRect rcPage;
  TCharRange chrg;
};

// A memo whose content is a formatted document. Lines and the document are
// two views of it: lines written by the program (or typed) become
// paragraphs in the control's font. The messages: EM_SETBKGNDCOLOR (WParam
// non-zero: the window colour, else LParam's colour; answers the old one),
// EM_FORMATRANGE (LParam a TFormatRange*, WParam non-zero draws; answers
// the position of the first character that did not fit; LParam 0 only
// drops cached formatting).
class TCustomRichEdit : public TCustomMemo {
 public:
  explicit TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }

  const TRichDocument& GetDocument();
  void SetDocument(TRichDocument Document);
  // The attributes of text the program adds through Lines: the control's font.
  TRichCharFormat GetDefaultCharFormat() const;
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  // Prints the document on Printer(), page after page over the whole
  // printable area, as one job titled Caption.
  void Print(const std::string& Caption);

  void DefaultHandler(TMessage& Message) override;

 private:
  bool FPlainText = false;
  TRichDocument FDocument;
  // The lines FDocument was shown as; other lines mean the program wrote
  // plain lines since.
  std::vector<std::string> FDocumentLines;
  TColor FBackgroundColor = clWindow;
};

class TRichEdit : public TCustomRichEdit {
 public:
  explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

// ---- tree view

class TTreeNodes;
class TTreeView;

// One node: text, an image for the normal and the selected look, and its
// children. The view owns every node.
class TTreeNode {
 public:
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);
  TTreeNode* GetParent() const { return FParent; }
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  // Throws EListError outside 0..Count-1.
  TTreeNode* GetItem(int Index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  int GetLevel() const;
  bool GetExpanded() const { return FExpanded; }
  void SetExpanded(bool Value);

 private:
  friend class TTreeNodes;
  friend class TTreeView;
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, std::string Text)
      : FOwner(Owner), FParent(Parent), FText(std::move(Text)) {}
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::string FText;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  bool FExpanded = false;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  // A node beside Sibling (a root when Sibling is null or a root).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
  // A last child of Parent (a root when Parent is null).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
  void Clear();
  // Every node, at every level.
  int GetCount() const;
  int RootCount() const { return static_cast<int>(FRoots.size()); }
  // Throws EListError outside 0..RootCount-1.
  TTreeNode* Root(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  TTreeView* GetOwner() const { return FOwner; }

 private:
  friend class TTreeNode;
  friend class TTreeView;
  TTreeNode* Insert(TTreeNode* Parent, const std::string& Text);
  void Sort(std::vector<std::unique_ptr<TTreeNode>>& List, bool Deep);
  std::vector<std::unique_ptr<TTreeNode>>& ListOf(TTreeNode* Parent) {
    return Parent ? Parent->FChildren : FRoots;
  }
  TTreeView* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

enum TSortType { stNone, stData, stText, stBoth };

// Nodes in rows, children indented under their parent with a button that
// opens and closes them; a click selects a row, a click on the button or a
// double click opens or closes a node. With SortType stText (or stBoth)
// the nodes of each level stay in order of their text, in any case.
class TTreeView : public TCustomControl {
 public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;

  TTreeNodes* GetItems() const { return FItems.get(); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  bool SortsByText() const { return FSortType == stText || FSortType == stBoth; }
  TTreeNode* GetSelected() const { return FSelected; }
  void SetSelected(TTreeNode* Value);
  void FullExpand();
  // The node of the row at client Y, or null.
  TTreeNode* GetNodeAt(int X, int Y) const;
  int RowHeight() const;
  // Called by the nodes when something shown changed.
  void NodesChanged();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;

 private:
  void VisibleRows(std::vector<TTreeNode*>& Rows) const;

  std::unique_ptr<TTreeNodes> FItems;
  TCustomImageList* FImages = nullptr;
  bool FReadOnly = false;
  TSortType FSortType = stNone;
  TTreeNode* FSelected = nullptr;
};
