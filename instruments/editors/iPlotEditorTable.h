#pragma once
// The plot editor's pages are tables: each row is one control bound to one
// property of the page's object (a plot object, or the plot itself on the
// "Control" page). The form builds the control from its row, lays the rows of
// a sheet out in columns, fills the controls from the object (refresh) and
// writes them back through the object's setters (write-back), each in the
// page's order.
//
// Adding a row: in the page's source file, in its table function, say where
// the next rows go with On(sheet, group) and add the row with the helper of
// its kind, naming the object's class and its getter and setter (a group
// "Outer/Inner" is a group box inside another):
//
//   t.On("ChannelTraceTabSheet");
//   t.Check<TiPlotChannelCustom>("ChannelTraceVisibleCheckBox", "Visible",
//                                &TiPlotChannelCustom::GetTraceVisible, &TiPlotChannelCustom::SetTraceVisible);
//   t.Integer<TiPlotChannelCustom>("ChannelTraceLineWidthEdit", "Line Width", ...).WithUpDown(0, 100);
//
// The getter and setter may be member functions or any callables taking the
// object first (a value "stored without notification" gets a setter that
// stores the field directly). A row whose object is not of the named class
// is skipped (time-series rows on an XY channel). When refresh or write-back
// must run in another order than the table's, list the control names with
// RefreshOrder / WriteOrder; rows not listed follow in table order.
//
// Sheet names: prefix + sub-page caption without blanks and signs +
// "TabSheet" ("ChannelGeneralTabSheet", "ChannelHighLowOpenCloseTabSheet",
// "XAxisLabelsDefaultTabSheet", "DataViewGridLinesXMajorsTabSheet"); the
// object pages without sub-pages use their page's sheet ("ToolBarTabSheet").
// The hidden list places are "LegendHiddenTabSheet", "DataViewHiddenTabSheet"
// and the group box "ToolBarHiddenGroupBox".

#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/Classes.h"

class TComponent;
class TiPlotEditorForm;

enum TiPlotEditorRowKind {
  ierText,       // edit, AsString
  ierInteger,    // edit, AsInteger (optionally with an up-down)
  ierFloat,      // edit, AsFloat
  ierCheck,      // check box, AsBoolean
  ierCombo,      // drop-down list, the index of the enumeration value
  ierEditCombo,  // editable combo box, its text
  ierRadio,      // radio group, the index of the enumeration value
  ierColor,      // colour picker
  ierFont,       // font picker
  ierName,       // name combo box (filled with object names, Fill says which)
  ierButton,     // push button running Action
  ierOpen,       // open picker running Action on a choice
  ierSave,       // save picker running Action on a choice
  ierDisplay     // read-only display: a caption and a value label
};

// What a name combo box lists.
enum TiPlotEditorNameFill {
  ienfNone,
  ienfXAxes,        // "<None>", the X axes
  ienfYAxes,        // "<None>", the Y axes
  ienfXAxesAll,     // "<None>", the X axes, "<All>"
  ienfYAxesAll,     // "<None>", the Y axes, "<All>"
  ienfAllChannels,  // "<All>", the channels
  ienfChannels      // "<None>", the channels
};

using TiPlotEditorBinding = std::function<void(TObject* Object, TComponent* Control)>;
using TiPlotEditorAction = std::function<void(TiPlotEditorForm& Form)>;

struct TiPlotEditorRow {
  std::string Control;
  std::string Sheet;
  std::string Group;  // caption of the group box on the sheet; "" for none
  std::string Caption;
  TiPlotEditorRowKind Kind = ierText;
  std::vector<std::string> Items;
  TiPlotEditorNameFill Fill = ienfNone;
  bool HasUpDown = false;
  int UpDownMin = 0, UpDownMax = 0, UpDownIncrement = 1;
  std::string UpDownName;  // default: the edit's name with "Edit" replaced by "UpDown"
  // Object to control, and control to object; empty for unbound rows.
  TiPlotEditorBinding Refresh;
  TiPlotEditorBinding Write;
  // File pickers: the dialog's filter ("Text|*.txt|...") and default extension.
  std::string Filter, DefaultExt;
  // Unbound rows (buttons, file pickers); for bound rows a change handler
  // that replaces the page's write-back (the "Title" controls).
  TiPlotEditorAction Action;

  TiPlotEditorRow& WithUpDown(int Min, int Max, int Increment = 1, std::string Name = "") {
    HasUpDown = true;
    UpDownMin = Min;
    UpDownMax = Max;
    UpDownIncrement = Increment;
    UpDownName = std::move(Name);
    return *this;
  }
  TiPlotEditorRow& WithFile(std::string FilterValue, std::string Ext) {
    Filter = std::move(FilterValue);
    DefaultExt = std::move(Ext);
    return *this;
  }
  TiPlotEditorRow& OnChange(TiPlotEditorAction Value) {
    Action = std::move(Value);
    return *this;
  }
};

// Control values, for the bindings.
std::string EditorGetText(TComponent* Control);
void EditorSetText(TComponent* Control, const std::string& Value);
int EditorGetInteger(TComponent* Control);
void EditorSetInteger(TComponent* Control, int Value);
double EditorGetFloat(TComponent* Control);
void EditorSetFloat(TComponent* Control, double Value);
bool EditorGetBoolean(TComponent* Control);
void EditorSetBoolean(TComponent* Control, bool Value);
TColor EditorGetColor(TComponent* Control);
void EditorSetColor(TComponent* Control, TColor Value);
const TFont* EditorGetFont(TComponent* Control);
void EditorSetFont(TComponent* Control, const TFont* Value);
// A name box: the stored (untranslated) value of its selection, false when
// nothing is selected; Select picks the entry of that value (none when absent).
bool EditorGetName(TComponent* Control, std::string& Value);
void EditorSelectName(TComponent* Control, const std::string& Value);
// The stored values of a name box's entries, in item order.
void EditorSetNameValues(const TComponent* Control, std::vector<std::string> Values);
void EditorForgetNameValues(const TComponent* Control);
const std::vector<std::string>* EditorNameValues(const TComponent* Control);

class TiPlotEditorTable {
 public:
  // Where the next rows go.
  TiPlotEditorTable& On(std::string Sheet, std::string Group = "") {
    FSheet = std::move(Sheet);
    FGroup = std::move(Group);
    return *this;
  }

  template <class T, class G, class S>
  TiPlotEditorRow& Text(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierText), Get, Set, &EditorGetText,
                   [](TComponent* c, const std::string& v) { EditorSetText(c, v); });
  }
  template <class T, class G, class S>
  TiPlotEditorRow& Integer(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierInteger), Get, Set, &EditorGetInteger,
                   [](TComponent* c, int v) { EditorSetInteger(c, v); });
  }
  template <class T, class G, class S>
  TiPlotEditorRow& Float(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierFloat), Get, Set, &EditorGetFloat,
                   [](TComponent* c, double v) { EditorSetFloat(c, v); });
  }
  template <class T, class G, class S>
  TiPlotEditorRow& Check(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierCheck), Get, Set, &EditorGetBoolean,
                   [](TComponent* c, bool v) { EditorSetBoolean(c, v); });
  }
  // Items in the order of the enumeration's values.
  template <class T, class G, class S>
  TiPlotEditorRow& Combo(std::string Control, std::string Caption, std::vector<std::string> Items, G Get,
                         S Set) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierCombo);
    r.Items = std::move(Items);
    return BindIndex<T>(r, Get, Set);
  }
  template <class T, class G, class S>
  TiPlotEditorRow& Radio(std::string Control, std::string Caption, std::vector<std::string> Items, G Get,
                         S Set) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierRadio);
    r.Items = std::move(Items);
    return BindIndex<T>(r, Get, Set);
  }
  // An editable combo box whose value is its text; Items are presets.
  template <class T, class G, class S>
  TiPlotEditorRow& EditCombo(std::string Control, std::string Caption, std::vector<std::string> Items, G Get,
                             S Set) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierEditCombo);
    r.Items = std::move(Items);
    return Bind<T>(r, Get, Set, &EditorGetText,
                   [](TComponent* c, const std::string& v) { EditorSetText(c, v); });
  }
  template <class T, class G, class S>
  TiPlotEditorRow& Color(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierColor), Get, Set, &EditorGetColor,
                   [](TComponent* c, TColor v) { EditorSetColor(c, v); });
  }
  // The object's font is copied into the picker and back.
  template <class T, class G, class S>
  TiPlotEditorRow& Font(std::string Control, std::string Caption, G Get, S Set) {
    return Bind<T>(Add(std::move(Control), std::move(Caption), ierFont), Get, Set, &EditorGetFont,
                   [](TComponent* c, const TFont* v) { EditorSetFont(c, v); });
  }
  // The stored name is written back only when the box has a selection: a
  // name that has no entry stays as it is.
  template <class T, class G, class S>
  TiPlotEditorRow& Name(std::string Control, std::string Caption, TiPlotEditorNameFill Fill, G Get, S Set) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierName);
    r.Fill = Fill;
    r.Refresh = [Get](TObject* o, TComponent* c) {
      if (auto* t = dynamic_cast<T*>(o)) EditorSelectName(c, std::string(std::invoke(Get, t)));
    };
    r.Write = [Set](TObject* o, TComponent* c) {
      std::string value;
      if (auto* t = dynamic_cast<T*>(o); t && EditorGetName(c, value)) std::invoke(Set, t, value);
    };
    return r;
  }
  TiPlotEditorRow& Button(std::string Control, std::string Caption, TiPlotEditorAction Action) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierButton);
    r.Action = std::move(Action);
    return r;
  }
  // A file picker; Caption is its button's. Action runs when a name was chosen.
  TiPlotEditorRow& OpenPicker(std::string Control, std::string Caption, TiPlotEditorAction Action) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierOpen);
    r.Action = std::move(Action);
    return r;
  }
  TiPlotEditorRow& SavePicker(std::string Control, std::string Caption, TiPlotEditorAction Action) {
    TiPlotEditorRow& r = Add(std::move(Control), std::move(Caption), ierSave);
    r.Action = std::move(Action);
    return r;
  }
  // A caption and beside it a label named Control showing a value.
  TiPlotEditorRow& Display(std::string Control, std::string Caption) {
    return Add(std::move(Control), std::move(Caption), ierDisplay);
  }

  void RefreshOrder(std::initializer_list<const char*> Controls) { FRefreshOrder.assign(Controls); }
  void WriteOrder(std::initializer_list<const char*> Controls) { FWriteOrder.assign(Controls); }

  std::vector<TiPlotEditorRow>& Rows() { return FRows; }
  const std::vector<TiPlotEditorRow>& Rows() const { return FRows; }
  // The bound rows in refresh or write-back order.
  std::vector<const TiPlotEditorRow*> InRefreshOrder() const { return Ordered(FRefreshOrder); }
  std::vector<const TiPlotEditorRow*> InWriteOrder() const { return Ordered(FWriteOrder); }
  const TiPlotEditorRow* Find(const std::string& Control) const;

 private:
  TiPlotEditorRow& Add(std::string Control, std::string Caption, TiPlotEditorRowKind Kind);
  std::vector<const TiPlotEditorRow*> Ordered(const std::vector<const char*>& Order) const;

  template <class T, class G, class S, class R, class W>
  static TiPlotEditorRow& Bind(TiPlotEditorRow& r, G Get, S Set, R Read, W Show) {
    r.Refresh = [Get, Show](TObject* o, TComponent* c) {
      if (auto* t = dynamic_cast<T*>(o)) Show(c, std::invoke(Get, t));
    };
    r.Write = [Set, Read](TObject* o, TComponent* c) {
      if (auto* t = dynamic_cast<T*>(o)) std::invoke(Set, t, Read(c));
    };
    return r;
  }
  template <class T, class G, class S>
  static TiPlotEditorRow& BindIndex(TiPlotEditorRow& r, G Get, S Set) {
    r.Refresh = [Get](TObject* o, TComponent* c) {
      if (auto* t = dynamic_cast<T*>(o)) EditorSetInteger(c, static_cast<int>(std::invoke(Get, t)));
    };
    r.Write = [Set, Get](TObject* o, TComponent* c) {
      auto* t = dynamic_cast<T*>(o);
      const int index = EditorGetInteger(c);
      // No selection (a disabled box) leaves the value.
      if (!t || index < 0) return;
      using V = std::decay_t<decltype(std::invoke(Get, t))>;
      std::invoke(Set, t, static_cast<V>(index));
    };
    return r;
  }

  std::string FSheet, FGroup;
  std::vector<TiPlotEditorRow> FRows;
  std::vector<const char*> FRefreshOrder, FWriteOrder;
};
