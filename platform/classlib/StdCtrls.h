#pragma once
// The standard controls: label, group box, push button, check box, radio
// button, edit, memo, list box and combo box.
//
// Which property writes fire which events is part of each control's
// contract (the class library's rules):
// - TEdit / TMemo: OnChange whenever the text changes, typed or set by the
//   program; writing the same text fires nothing.
// - TCheckBox: Checked (or State) written by the program fires OnClick when
//   the state changes; a user click toggles and fires OnClick.
// - TRadioButton: Checked := true fires OnClick when the state changes and
//   unchecks the other radio buttons of the same parent (silently);
//   Checked := false fires nothing. The user cannot uncheck a radio button.
// - TComboBox: ItemIndex or Text written by the program fires nothing; an
//   index outside the items leaves no selection. A user pick fires OnClick,
//   then OnSelect when assigned, else OnChange. Typing into an editable
//   combo fires OnChange.
// - TListBox: ItemIndex written by the program selects and scrolls the item
//   into view and fires nothing; a user selection fires OnClick.
// - TButton: a click (user, keyboard or Click()) sets the parent form's
//   ModalResult to the button's (when not mrNone, ending a modal form), then
//   fires OnClick. Enter clicks the focused button, else the form's Default
//   button; Escape clicks the form's Cancel button; either before the
//   focused control hears the key (unless it wants the key itself: a memo
//   with WantReturns takes Enter).
//
// Events fired by a program call run inside that call, so their exceptions
// reach the caller; events of user actions end at the handler boundary.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StringList.h"

class QPainter;
class QRect;

using TBorderStyle = TFormBorderStyle;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// ---------------------------------------------------------------- item lists

// What a control hears about changes of its Items or Lines.
class TItemsOwner {
 public:
  virtual void ItemInserted(int Index) = 0;
  virtual void ItemDeleted(int Index) = 0;
  virtual void ItemChanged(int Index) = 0;
  virtual void ItemsCleared() = 0;
  // A batch (BeginUpdate ... EndUpdate) begins or ends; at its end the
  // control shows the whole list again.
  virtual void ItemsUpdating(bool Updating) = 0;

 protected:
  ~TItemsOwner() = default;
};

// The Items of a list or combo box and the Lines of a memo: strings with
// objects (not owned), kept by the list itself so that they can be read
// and written whether or not the control is on screen.
class TControlStrings : public TStrings {
 public:
  explicit TControlStrings(TItemsOwner* Owner) : FOwner(Owner) {}

  int GetCount() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

  // The strings, for showing them all at once.
  std::vector<std::string> Snapshot() const;
  // Replaces every string without notices (the control took them from the
  // screen); objects are dropped.
  void ReplaceQuietly(std::vector<std::string> Lines);

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  void CheckIndex(int Index) const;
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  TItemsOwner* FOwner;
  std::vector<Item> FItems;
};

// ---------------------------------------------------------------- label

// A caption drawn on the parent: single line, or wrapped at the width.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);

  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  // Off: the label's Color fills its rectangle; on: the parent shows through.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // "&" marks the next character; "&&" is one "&".
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // The size the caption needs (AutoSize sets it).
  TSize TextSize() const;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Draws the caption in R with the label's flags; measuring only with
  // DT_CALCRECT in Flags.
  virtual void DoDrawText(TCanvas* Canvas, TRect& R, unsigned Flags);
  unsigned DrawTextFlags() const;
  // Sizes the label to its caption when AutoSize is on.
  void AdjustBounds();

 private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------- group box

// A frame with its caption in the top edge; holds other controls.
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void Paint() override;
  void ParentBackgroundChanged() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  // Height of the caption text; the frame runs through its middle.
  int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// ---------------------------------------------------------------- buttons

// Base of the controls that sit on a toolkit button.
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void InitWidget() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void ApplyColors();
  // The caption as the toolkit shows it ("&" marks an accelerator).
  void ApplyCaption();

 private:
  bool FWordWrap = false;
};

class TCustomButton : public TButtonControl {
 public:
  explicit TCustomButton(TComponent* AOwner);

  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Enter anywhere on the form (unless the focus is on another button or a
  // control that takes Enter itself) clicks the Default button.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  // Escape anywhere on the form clicks the Cancel button.
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  // Clicks the button as the user would: ModalResult, then OnClick.
  void Click() override;
  // CM_DIALOGKEY: Enter clicks the button that takes it (IsEnterButton),
  // Escape a Cancel button; not with Shift, Ctrl or Alt held.
  void Dispatch(TMessage& Message) override;
  // Enter is this button's: it has the focus, or it is the Default button
  // and no button has the focus.
  bool IsEnterButton() const;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  // The face is Color; the standard face on a dark parent becomes a raised
  // shade of the parent's colour. The caption is the font's colour, or a
  // readable one where that would not show on the face.
  void ApplyColors() override;
  void ParentBackgroundChanged() override;

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

class TButton : public TCustomButton {
 public:
  explicit TButton(TComponent* AOwner) : TCustomButton(AOwner) {}
};

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  // Fires OnClick when the state changes.
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  // taRightJustify (the default): box on the left, caption on its right.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  // The user's click: unchecked -> (grayed, with AllowGrayed ->) checked -> unchecked.
  virtual void Toggle();

 private:
  void ShowState();
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
  bool FShowing = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);

  bool GetChecked() const { return FChecked; }
  // true: fires OnClick when it was unchecked and unchecks the other radio
  // buttons of the parent; false: unchecks silently.
  void SetChecked(bool Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;

 private:
  void ShowChecked();
  void TurnSiblingsOff();
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
  bool FShowing = false;
};

// ---------------------------------------------------------------- edit, memo

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);

  // Text is the control's Text (TControl::GetText / SetText).
  // Typing is limited to MaxLength characters (0: no limit); text set by the
  // program may be longer.
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Non-zero: every character shows as a mask.
  char32_t GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char32_t Value);
  // Entering with the Tab key selects the whole text.
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // Off: a selection stays visible while the focus is elsewhere.
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // Only digits can be typed.
  bool GetNumbersOnly() const { return FNumbersOnly; }
  void SetNumbersOnly(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Shown greyed while the text is empty.
  const std::string& GetTextHint() const { return FTextHint; }
  void SetTextHint(const std::string& Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // Selection and caret, in characters.
  int GetSelStart() const;
  void SetSelStart(int Value);
  int GetSelLength() const;
  void SetSelLength(int Value);
  std::string GetSelText() const;
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(""); }

  // The End key pressed and released on the edit: OnKeyDown and OnKeyUp
  // hear VK_END, and the caret goes to the end of the text (unless a
  // handler took the key).
  void PressEndKey();

  TNotifyEvent OnChange;

  // WM_GETDLGCODE: characters, selection and arrows.
  void DefaultHandler(TMessage& Message) override;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void KeyPress(char32_t& Key) override;
  // Fires OnChange.
  virtual void Change();

 private:
  void ApplyColors();
  void ApplyEditProperties();
  void UserEdited(const std::string& Text);
  std::string CaseOf(const std::string& S) const;

  int FMaxLength = 0;
  bool FReadOnly = false;
  TAlignment FAlignment = taLeftJustify;
  char32_t FPasswordChar = 0;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  TEditCharCase FCharCase = ecNormal;
  bool FNumbersOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  std::string FTextHint;
  bool FModified = false;
  // Set while the program's text goes to the widget.
  bool FSettingText = false;
  // The selection kept while the edit is unfocused (start, length).
  std::pair<int, int> FSavedSelection{0, 0};
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// Several lines of text; Lines and Text are two views of it.
class TCustomMemo : public TWinControl, private TItemsOwner {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  // The lines joined with CR LF; hides TControl's Text, which the memo keeps
  // up to date only when it is set through TControl.
  std::string GetText() const;
  void SetText(const std::string& Value);

  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Enter starts a new line (else it goes to the form's Default button).
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  // Tab is typed (else it moves the focus).
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value; }
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  int GetSelStart() const;
  void SetSelStart(int Value);
  int GetSelLength() const;
  void SetSelLength(int Value);
  void SelectAll();
  void Clear() { FLines->Clear(); }

  TNotifyEvent OnChange;

  // WM_GETDLGCODE: characters, selection, arrows, and Tab with WantTabs;
  // CM_WANTSPECIALKEY: Enter with WantReturns (Escape stays the form's).
  void DefaultHandler(TMessage& Message) override;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void Change();

 private:
  void ItemInserted(int Index) override;
  void ItemDeleted(int Index) override;
  void ItemChanged(int Index) override;
  void ItemsCleared() override;
  void ItemsUpdating(bool Updating) override;
  void ShowLines();
  void AppendLine(int Index);
  void UserEdited();
  void ApplyColors();
  void ApplyMemoProperties();

  std::unique_ptr<TControlStrings> FLines;
  bool FReadOnly = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
  bool FWantReturns = true;
  bool FWantTabs = false;
  int FMaxLength = 0;
  TBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;
  bool FSettingText = false;
  bool FUpdating = false;
  // Lines changed inside a batch.
  bool FDirty = false;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------- list controls

// What the list box and the combo box share: the Items (kept by the control,
// shown by the widget), the selected index that follows the items as they
// move, the batching of item changes and the colours. Each control says how
// its widget shows the items and the selection.
class TCustomListControl : public TWinControl, private TItemsOwner {
 public:
  ~TCustomListControl() override;

  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int GetItemIndex() const { return FItemIndex; }

 protected:
  TCustomListControl(TComponent* AOwner, int AWidth, int AHeight);

  void ColorChanged() override;
  void FontChanged() override;
  // Color and Font to the widget. Not pure: a colour set while the base is
  // being constructed reaches it before the control is complete (and there
  // is no widget yet).
  virtual void ApplyColors() {}

  // The index itself when it names an item, else -1.
  int ValidIndex(int Index) const;
  // The whole list, then the selection, to the widget (not inside a batch).
  void ShowItems();
  void ShowSelection();

  // The widget's side; called only with the widget made, outside a batch,
  // and with FShowing set.
  virtual void WidgetSetItems(const std::vector<std::string>& Items) = 0;
  virtual void WidgetInsertItem(int Index, const std::string& S) = 0;
  virtual void WidgetDeleteItem(int Index) = 0;
  virtual void WidgetChangeItem(int Index, const std::string& S) = 0;
  virtual void WidgetShowSelection() = 0;

  // The selected item's string changed, or the item went (FItemIndex is -1
  // by then).
  virtual void SelectedItemChanged() {}
  // Every item went.
  virtual void AllItemsCleared() {}

  std::unique_ptr<TControlStrings> FItems;
  int FItemIndex = -1;
  // Set while the program's state goes to the widget.
  bool FShowing = false;

 private:
  void ItemInserted(int Index) override;
  void ItemDeleted(int Index) override;
  void ItemChanged(int Index) override;
  void ItemsCleared() override;
  void ItemsUpdating(bool Updating) override;
  // The widget is made and no batch is open.
  bool CanShow() const;

  bool FUpdating = false;
};

// ---------------------------------------------------------------- list box

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
// dmAutomatic: a press on an item and a move with the button held start a
// drag of the control.
enum TDragMode { dmManual, dmAutomatic };
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;

// A list box drags only within itself: a drag it starts ends over it with
// DragOver (OnDragOver decides; without one nothing is accepted) and, when
// accepted, DragDrop at the release point.
class TCustomListBox : public TCustomListControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  int GetCount() const { return FItems->GetCount(); }
  // Selects the item and scrolls it into view; -1 or an index outside the
  // items clears the selection. Fires nothing.
  void SetItemIndex(int Value);
  // Pixel height of every row.
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle Value) { FStyle = Value; }
  // The first row shown.
  int GetTopIndex() const;
  void SetTopIndex(int Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  void Clear() { FItems->Clear(); }
  // The row at a point of the control; -1 outside the rows.
  int ItemAtPos(TPoint Pos, bool Existing) const;
  // The rectangle of a row in the control's coordinates (rows above the
  // first shown have negative tops); empty for no row.
  TRect ItemRect(int Index) const;

  // The canvas an owner-drawn row is drawn on, in the control's coordinates.
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  bool Dragging() const { return FDragging; }
  // A drop of Source at (X, Y): fires OnDragDrop.
  virtual void DragDrop(TObject* Source, int X, int Y);

  TDrawItemEvent OnDrawItem;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void ApplyColors() override;
  // Owner-drawn styles draw each row here on GetCanvas(): OnDrawItem when
  // assigned, else the row filled and its text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // Whether a drag of Source may end at (X, Y): OnDragOver's answer.
  virtual bool DragOver(TObject* Source, int X, int Y);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void WidgetSetItems(const std::vector<std::string>& Items) override;
  void WidgetInsertItem(int Index, const std::string& S) override;
  void WidgetDeleteItem(int Index) override;
  void WidgetChangeItem(int Index, const std::string& S) override;
  void WidgetShowSelection() override;
  void UserSelected(int Index);
  friend class ListRowDelegate;
  void PaintRow(QPainter* Painter, const QRect& Row, int Index, bool Selected);

  int FItemHeight = 13;
  TListBoxStyle FStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
  int FTopIndex = 0;
  std::unique_ptr<TCanvas> FCanvas;
  TDragMode FDragMode = dmManual;
  // A press that may become a drag, and the drag under way.
  bool FDragPending = false;
  bool FDragging = false;
  TPoint FDragStart;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// ---------------------------------------------------------------- combo box

class TCustomComboBox : public TCustomListControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  // Fires nothing; an index outside the items leaves no selection.
  void SetItemIndex(int Value);
  // csDropDown (the default) takes typed text; csDropDownList and the
  // owner-draw styles offer the items only.
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool GetDroppedDown() const;
  void SetDroppedDown(bool Value);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  // WM_GETDLGCODE: characters and arrows.
  void DefaultHandler(TMessage& Message) override;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void TextChanged() override;
  void ApplyColors() override;
  // OnChange.
  virtual void Change();
  // OnSelect when assigned, else Change.
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  bool IsListStyle() const { return FStyle != csDropDown && FStyle != csSimple; }

 private:
  void WidgetSetItems(const std::vector<std::string>& Items) override;
  void WidgetInsertItem(int Index, const std::string& S) override;
  void WidgetDeleteItem(int Index) override;
  void WidgetChangeItem(int Index, const std::string& S) override;
  void WidgetShowSelection() override;
  // A list style's Text follows the selected item; clearing the items
  // empties the Text of every style.
  void SelectedItemChanged() override;
  void AllItemsCleared() override;
  // The Text that goes with the selection (list styles).
  void SyncText();
  void UserPicked(int Index);
  void UserTyped(const std::string& Text);

  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  int FMaxLength = 0;
  bool FSyncingText = false;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
