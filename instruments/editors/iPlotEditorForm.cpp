#include "instruments/editors/iPlotEditorForm.h"

#include "instruments/editors/iPlotLayoutViewer.h"

#include <algorithm>
#include <cctype>

#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotLimit.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "instruments/plot/iPlotTable.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotToolBar.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Graphics.h"

namespace {

constexpr int kListWidth = 120;
constexpr int kGap = 4;
constexpr int kRowHeight = 20;
// Rows sit close together: the longest pages must fit the fixed client.
constexpr int kRowGap = 1;
constexpr int kColumnGap = 10;

// One page of the form: caption, main sheet, and its sub-pages (a sub-page
// with children holds a page control of its own).
struct SubPageDef {
  const char* Caption;
  std::vector<const char*> Children;
};

struct PageDef {
  TiPlotEditorPageKind Kind;
  const char* Caption;
  const char* Sheet;
  const char* Prefix;
  const char* List;
  const char* AddButton;
  const char* RemoveButton;
  // Where the list sits when it is never shown.
  const char* HiddenPlace;
  std::vector<SubPageDef> SubPages;
};

const std::vector<SubPageDef> kAxisSubPages = {
    {"General", {}},  {"Title", {}},    {"Labels", {"(Default)", "Cursor", "Legend"}},
    {"Tracking", {}}, {"Cursor", {}},   {"Scroll", {}},
    {"Scale", {}},    {"Cartesian", {}}};

// The pages in the form's order; iepkCount stands for the layout page.
const std::vector<PageDef>& PageDefs() {
  static const std::vector<PageDef> defs = {
      {iepkControl,
       "Control",
       "ControlTabSheet",
       "Control",
       "",
       "",
       "",
       "",
       {{"General", {}},
        {"Title", {}},
        {"Background", {}},
        {"Print", {}},
        {"Hints", {}},
        {"File I/O", {}},
        {"Annotation Defaults", {}}}},
      {iepkCount, "Layout", "LayoutTabSheet", "", "", "", "", "", {}},
      {iepkChannel,
       "Channels",
       "ChannelsTabSheet",
       "Channel",
       "ChannelListBox",
       "iChannelAddButton",
       "ChannelRemoveButton",
       "",
       {{"General", {}},
        {"Trace", {}},
        {"Marker", {}},
        {"Bar", {}},
        {"High/Low", {"Open/Close", "Candlestick"}},
        {"Fill", {}},
        {"Digital", {}},
        {"File I/O", {}},
        {"Stats", {}}}},
      {iepkDataCursor,
       "Cursors",
       "CursorsTabSheet",
       "DataCursor",
       "DataCursorListBox",
       "iDataCursorAddButton",
       "DataCursorRemoveButton",
       "",
       {{"General", {}}, {"Channel", {}}, {"Hint", {}}}},
      {iepkLimit,
       "Limits",
       "LimitsTabSheet",
       "Limit",
       "LimitListBox",
       "iLimitAddButton",
       "LimitRemoveButton",
       "",
       {{"General", {}}}},
      {iepkLabel,
       "Labels",
       "LabelsTabSheet",
       "Label",
       "LabelListBox",
       "iLabelAddButton",
       "LabelRemoveButton",
       "",
       {{"General", {}}}},
      {iepkXAxis, "X-Axes", "XAxesTabSheet", "XAxis", "XAxisListBox", "XAxesAddButton", "XAxisRemoveButton",
       "", kAxisSubPages},
      {iepkYAxis, "Y-Axes", "YAxesTabSheet", "YAxis", "YAxisListBox", "YAxesAddButton", "YAxisRemoveButton",
       "", kAxisSubPages},
      {iepkLegend,
       "Legend",
       "LegendTabSheet",
       "Legend",
       "LegendListBox",
       "",
       "",
       "LegendHiddenTabSheet",
       {{"General", {}}, {"Columns", {}}, {"Wrap", {}}}},
      {iepkTable,
       "Tables",
       "TablesTabSheet",
       "Table",
       "TableListBox",
       "iTableAddButton",
       "TableRemoveButton",
       "",
       {{"General", {}}, {"Grid", {}}, {"Layout", {}}}},
      {iepkToolBar,
       "ToolBar",
       "ToolBarTabSheet",
       "ToolBar",
       "ToolBarListBox",
       "",
       "",
       "ToolBarHiddenGroupBox",
       {}},
      {iepkDataView,
       "Data View",
       "DataViewTabSheet",
       "DataView",
       "DataViewListBox",
       "",
       "",
       "DataViewHiddenTabSheet",
       {{"General", {}}, {"Grid Lines", {"X-Majors", "X-Minors", "Y-Majors", "Y-Minors"}}}},
  };
  return defs;
}

// "File I/O" -> "FileIO", "(Default)" -> "Default".
std::string NamePart(const std::string& Caption) {
  std::string out;
  for (char c : Caption)
    if (std::isalnum(static_cast<unsigned char>(c))) out += c;
  return out;
}

// The label beside a control: its name with the kind's suffix replaced.
std::string LabelName(const std::string& Control) {
  static const char* const suffixes[] = {"ColorPicker", "FontPicker", "RadioGroup", "ComboBox", "Combobox",
                                         "CheckBox",    "Checkbox",   "Edit",       "Memo"};
  for (const char* s : suffixes) {
    const std::string suffix = s;
    if (Control.size() > suffix.size() && Control.ends_with(suffix))
      return Control.substr(0, Control.size() - suffix.size()) + "Label";
  }
  return Control + "Label";
}

std::string UpperCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Disable and Enable of the kit's controls; false for other components.
template <class... C>
bool SwitchKit(TComponent* Component, bool Enable) {
  return ([&] {
    auto* c = dynamic_cast<C*>(Component);
    if (!c) return false;
    if (Enable)
      c->Enable();
    else
      c->Disable();
    return true;
  }() || ...);
}

}  // namespace

// One row's controls, for the layout.
struct TiPlotEditorForm::Cell {
  TWinControl* Container = nullptr;
  TLabel* Label = nullptr;
  TControl* Control = nullptr;
  TControl* Extra = nullptr;  // an up-down beside an edit, the value of a display
  TiPlotEditorRowKind Kind = ierText;
  bool IsGroup = false;
};

TiPlotEditorForm::TiPlotEditorForm(TComponent* AOwner) : TiCustomEditorForm(AOwner) {
  SetName("iPlotEditorForm");
  SetCaption("Plot");
  SetClientWidth(576);
  SetClientHeight(272);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { iCustomEditorFormClose(Sender, Action); };

  PageControl = new TiComponentEditorPageControl(this);
  PageControl->SetName("PageControl");
  PageControl->SetParent(this);
  PageControl->SetAlign(alClient);
  PageControl->SetMultiLine(true);

  iPlotEditorControlPage(FPages[iepkControl]);
  iPlotEditorChannelsPage(FPages[iepkChannel]);
  iPlotEditorXAxisPage(FPages[iepkXAxis]);
  iPlotEditorYAxisPage(FPages[iepkYAxis]);
  iPlotEditorLegendPage(FPages[iepkLegend]);
  iPlotEditorDataCursorPage(FPages[iepkDataCursor]);
  iPlotEditorToolBarPage(FPages[iepkToolBar]);
  iPlotEditorDataViewPage(FPages[iepkDataView]);
  iPlotEditorLimitPage(FPages[iepkLimit]);
  iPlotEditorLabelPage(FPages[iepkLabel]);
  iPlotEditorTablePage(FPages[iepkTable]);

  BuildPages();
  for (TiPlotEditorPage& page : FPages) BuildControls(page);
  BuildLayoutPage();
  for (TPageControl* pc : IndexedPageControls())
    if (pc) pc->SetActivePageIndex(pc->GetActivePageIndex() < 0 ? 0 : pc->GetActivePageIndex());
  for (TiPlotEditorPage& page : FPages)
    if (page.BeforeArrange) page.BeforeArrange(*this);
  ArrangeControls();
}

TiPlotEditorForm::~TiPlotEditorForm() {
  if (auto* plot = dynamic_cast<TiPlotComponent*>(GetOwner()); plot && plot->OnAfterCloseEditor)
    plot->OnAfterCloseEditor(this);
  for (auto& [box, fill] : FNameFills) EditorForgetNameValues(box);
}

void TiPlotEditorForm::FormCreate(TObject*) {
  SetBorderStyle(bsDialog);
}

void TiPlotEditorForm::SetMaster(TiPlotMasterManager* Value) {
  Master = Value;
  iPlotLayoutViewer->SetMaster(Value);
  iPlotLayoutViewer->SetLayoutManager(Value ? Value->GetLayoutManager() : nullptr);
  iPlotLayoutViewer->SetTranslationManager(Value ? Value->GetTranslationManager() : nullptr);
}

void TiPlotEditorForm::SetFormTranslationMethod(TFormTranslationMethod Value) {
  for (int i = 0; i < GetComponentCount(); ++i)
    if (auto* p = dynamic_cast<TiComponentEditorValueConverterPicker*>(GetComponents(i)))
      p->SetTranslationMethod(Value);
}

// ---------------------------------------------------------------- building

void TiPlotEditorForm::BuildPages() {
  auto addSheet = [this](TPageControl* Parent, const std::string& Name, const std::string& Caption) {
    auto* sheet = new TTabSheet(this);
    sheet->SetName(Name);
    sheet->SetCaption(Caption);
    sheet->SetPageControl(Parent);
    return sheet;
  };
  auto addPageControl = [this](TWinControl* Parent, const std::string& Name) {
    auto* pc = new TiComponentEditorPageControl(this);
    pc->SetName(Name);
    pc->SetParent(Parent);
    pc->SetAlign(alClient);
    pc->SetMultiLine(true);
    return pc;
  };
  // The sheets must have their size before the rows are laid out.
  PageControl->SetBounds(0, 0, GetClientWidth(), GetClientHeight());

  for (const PageDef& def : PageDefs()) {
    TTabSheet* main = addSheet(PageControl, def.Sheet, def.Caption);
    if (def.Kind == iepkCount) continue;
    FSheets[def.Kind] = main;
    TiPlotEditorPage& page = FPages[def.Kind];
    page.Kind = def.Kind;
    page.Prefix = def.Kind == iepkControl ? "" : def.Prefix;
    page.ListBox = def.List;

    const bool visibleList = *def.List && !*def.HiddenPlace;
    TWinControl* subParent = main;
    if (visibleList) {
      auto* panel = new TPanel(this);
      panel->SetName(std::string(def.Prefix) + "ListPanel");
      panel->SetParent(main);
      panel->SetCaption("");
      panel->SetBevelOuter(bvNone);
      panel->SetWidth(kListWidth + 2 * kGap);
      panel->SetAlign(alLeft);
      auto* list = new TiComponentEditorListBox(this);
      list->SetName(def.List);
      list->SetParent(panel);
      // Placed by ArrangeControls, once the tab rows are known.
      FLists[def.Kind] = list;
      struct ButtonDef {
        const char* Name;
        const char* Caption;
        TButton** Slot;
        bool Add;
      };
      for (const ButtonDef& b : {ButtonDef{def.AddButton, "Add", &FAddButtons[def.Kind], true},
                                 ButtonDef{def.RemoveButton, "Remove", &FRemoveButtons[def.Kind], false}}) {
        auto* button = new TButton(this);
        button->SetName(b.Name);
        button->SetParent(panel);
        button->SetCaption(b.Caption);
        const TiPlotEditorPageKind kind = def.Kind;
        if (b.Add)
          button->OnClick = [this, kind](TObject*) { AddButtonClick(kind); };
        else
          button->OnClick = [this, kind](TObject*) { RemoveButtonClick(kind); };
        *b.Slot = button;
      }
      // Disabled until an entry is selected.
      FRemoveButtons[def.Kind]->SetEnabled(false);
      if (def.Kind == iepkChannel) {
        FAddButtons[def.Kind]->SetVisible(false);
        FRemoveButtons[def.Kind]->SetVisible(false);
      }
      auto* right = new TPanel(this);
      right->SetName(std::string(def.Prefix) + "PagePanel");
      right->SetParent(main);
      right->SetCaption("");
      right->SetBevelOuter(bvNone);
      right->SetAlign(alClient);
      subParent = right;
    }

    TPageControl* sub = nullptr;
    if (!def.SubPages.empty()) {
      sub = addPageControl(subParent, std::string(def.Prefix) + "PageControl");
      if (std::string(def.HiddenPlace).ends_with("TabSheet")) {
        TTabSheet* hidden = addSheet(sub, def.HiddenPlace, "");
        hidden->SetTabVisible(false);
      }
      for (const SubPageDef& sp : def.SubPages) {
        const std::string name = std::string(def.Prefix) + NamePart(sp.Caption);
        TTabSheet* sheet = addSheet(sub, name + "TabSheet", sp.Caption);
        if (sp.Children.empty()) continue;
        TPageControl* inner = addPageControl(sheet, name + "PageControl");
        for (const char* child : sp.Children) addSheet(inner, name + NamePart(child) + "TabSheet", child);
      }
    }
    if (std::string(def.HiddenPlace).ends_with("GroupBox")) {
      auto* group = new TiComponentEditorGroupBox(this);
      group->SetName(def.HiddenPlace);
      group->SetParent(main);
      group->SetCaption("");
      group->SetBounds(kGap, kGap, kListWidth, 120);
      group->SetVisible(false);
    }
    if (*def.HiddenPlace) {
      auto* list = new TiComponentEditorListBox(this);
      list->SetName(def.List);
      list->SetParent(Find<TWinControl>(def.HiddenPlace));
      FLists[def.Kind] = list;
    }
  }
  for (int k = 0; k < iepkCount; ++k) {
    TiComponentEditorListBox* list = FLists[k];
    if (!list) continue;
    const auto kind = static_cast<TiPlotEditorPageKind>(k);
    list->OnClick = [this, kind](TObject*) { ListClick(kind); };
    list->OnGetData = [this, kind](int Index, bool& DrawColorBox, TColor& AColor, std::string& AText) {
      ListGetData(kind, Index, DrawColorBox, AColor, AText);
    };
  }
}

void TiPlotEditorForm::BuildControls(TiPlotEditorPage& Page) {
  std::map<std::string, TiComponentEditorGroupBox*> groups;
  for (const TiPlotEditorRow& row : Page.Table.Rows()) {
    auto* sheet = Find<TWinControl>(row.Sheet);
    if (!sheet) throw Exception("The plot editor has no place \"" + row.Sheet + "\" for " + row.Control);
    TWinControl* container = sheet;
    // "Outer/Inner" puts a group box inside another.
    std::string path;
    for (std::size_t start = 0; !row.Group.empty() && start <= row.Group.size();) {
      const std::size_t slash = std::min(row.Group.find('/', start), row.Group.size());
      const std::string caption = row.Group.substr(start, slash - start);
      path += NamePart(caption);
      start = slash + 1;
      TiComponentEditorGroupBox*& group = groups[row.Sheet + "/" + path];
      if (!group) {
        group = new TiComponentEditorGroupBox(this);
        std::string base = row.Sheet.substr(0, row.Sheet.size() - (row.Sheet.ends_with("TabSheet") ? 8 : 0));
        group->SetName(base + path + "GroupBox");
        group->SetParent(container);
        group->SetCaption(caption);
        Cell g;
        g.Container = container;
        g.Control = group;
        g.IsGroup = true;
        FCells.push_back(g);
      }
      container = group;
    }
    Cell cell;
    cell.Container = container;
    cell.Kind = row.Kind;
    const bool labelled = row.Kind == ierText || row.Kind == ierInteger || row.Kind == ierFloat ||
                          row.Kind == ierCombo || row.Kind == ierEditCombo || row.Kind == ierName ||
                          row.Kind == ierColor || row.Kind == ierDisplay;
    if (labelled) {
      cell.Label = new TLabel(this);
      std::string name = row.Kind == ierDisplay ? row.Control + "CaptionLabel" : LabelName(row.Control);
      if (FindComponent(name)) name = row.Control + "CaptionLabel";
      cell.Label->SetName(name);
      cell.Label->SetParent(container);
      cell.Label->SetCaption(row.Caption);
    }
    const TiPlotEditorPageKind kind = Page.Kind;
    const TiPlotEditorRow* r = &row;
    auto changed = [this, kind, r](TObject*) { RowChanged(kind, *r); };
    // The control of the row, named and placed on its container.
    auto make = [&](auto* control) {
      control->SetName(row.Control);
      control->SetParent(container);
      cell.Control = control;
      return control;
    };
    // Pickers and buttons keep their own caption unless the row gives one.
    auto withCaption = [&](auto* control) {
      if (!row.Caption.empty()) control->SetCaption(row.Caption);
      return control;
    };
    switch (row.Kind) {
      case ierText:
      case ierInteger:
      case ierFloat: {
        auto* edit = make(new TiComponentEditorEdit(this));
        edit->OnUpdate = changed;
        if (row.HasUpDown) {
          auto* upDown = new TiUpDown(this);
          std::string name = row.UpDownName;
          if (name.empty()) {
            name = row.Control;
            if (name.ends_with("Edit")) name.resize(name.size() - 4);
            name += "UpDown";
          }
          upDown->SetName(name);
          upDown->SetParent(container);
          upDown->SetMin(static_cast<std::int16_t>(row.UpDownMin));
          upDown->SetMax(static_cast<std::int16_t>(row.UpDownMax));
          upDown->SetIncrement(row.UpDownIncrement);
          upDown->SetAssociate(edit);
          cell.Extra = upDown;
        }
        break;
      }
      case ierCheck:
        withCaption(make(new TiComponentEditorCheckBox(this)))->OnClick = changed;
        break;
      case ierCombo:
      case ierEditCombo:
      case ierName: {
        auto* combo = make(new TiComponentEditorComboBox(this));
        combo->SetStyle(row.Kind == ierEditCombo ? csDropDown : csDropDownList);
        for (const std::string& item : row.Items) combo->GetItems()->Add(item);
        combo->OnChange = changed;
        if (row.Kind == ierName) {
          FNameFills[combo] = row.Fill;
          EditorSetNameValues(combo, {});
          combo->OnDropDown = [this](TObject* Sender) { RefillNameBox(dynamic_cast<TComponent*>(Sender)); };
        }
        break;
      }
      case ierRadio: {
        auto* radio = withCaption(make(new TiComponentEditorRadioGroup(this)));
        for (const std::string& item : row.Items) radio->GetItems()->Add(item);
        radio->OnChange = changed;
        break;
      }
      case ierColor:
        make(new TiComponentEditorColorPicker(this))->OnChange = changed;
        break;
      case ierFont:
        withCaption(make(new TiComponentEditorFontPicker(this)))->OnChange = changed;
        break;
      case ierButton:
        withCaption(make(new TiComponentEditorButton(this)))->OnClick = changed;
        break;
      case ierOpen: {
        auto* picker = withCaption(make(new TiComponentEditorOpenPicker(this)));
        picker->SetFilter(row.Filter);
        picker->SetDefaultExt(row.DefaultExt);
        picker->OnChange = changed;
        break;
      }
      case ierSave: {
        auto* picker = withCaption(make(new TiComponentEditorSavePicker(this)));
        picker->SetFilter(row.Filter);
        picker->SetDefaultExt(row.DefaultExt);
        picker->OnChange = changed;
        break;
      }
      case ierDisplay:
        make(new TLabel(this))->SetCaption("");
        break;
    }
    FCells.push_back(cell);
  }
}

void TiPlotEditorForm::BuildLayoutPage() {
  iPlotLayoutViewer = new TiPlotLayoutViewer(this);
  iPlotLayoutViewer->SetName("iPlotLayoutViewer");
  iPlotLayoutViewer->SetParent(Find<TWinControl>("LayoutTabSheet"));
  iPlotLayoutViewer->SetAlign(alClient);
  iPlotLayoutViewer->OnChange = [this](TObject* Sender) { iPlotLayoutViewerChange(Sender); };
  iPlotLayoutViewer->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                          int Y) { iPlotLayoutViewerMouseDown(Sender, Button, Shift, X, Y); };
  // The viewer's popup menu opens on a right-button release.
  iPlotLayoutViewer->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbRight) return;
    const TPoint p = iPlotLayoutViewer->ClientToScreen(TPoint(X, Y));
    LayoutPopupMenu->SetPopupComponent(iPlotLayoutViewer);
    LayoutPopupMenu->Popup(p.X, p.Y);
  };

  LayoutPopupMenu = new TPopupMenu(this);
  LayoutPopupMenu->SetName("LayoutPopupMenu");
  LayoutPopupMenu->OnPopup = [this](TObject* Sender) { LayoutPopupMenuPopup(Sender); };
  struct ItemDef {
    TMenuItem** Slot;
    const char* Name;
    const char* Caption;
    void (TiPlotEditorForm::*Click)(TObject*);
  };
  const ItemDef items[] = {
      {&XYAxesReverseMenuItem, "XYAxesReverseMenuItem", "XY-Axes Reverse",
       &TiPlotEditorForm::XYAxesReverseMenuItemClick},
      {nullptr, "N1", "-", nullptr},
      {&AddXAxisMenuItem, "AddXAxisMenuItem", "Add X-Axis", &TiPlotEditorForm::AddXAxisMenuItemClick},
      {&AddYAxisMenuItem, "AddYAxisMenuItem", "Add Y-Axis", &TiPlotEditorForm::AddYAxisMenuItemClick},
      {&AddLabelMenuItem, "AddLabelMenuItem", "Add Label", &TiPlotEditorForm::AddLabelMenuItemClick},
      {nullptr, "N2", "-", nullptr},
      {&DeleteMenuItem, "DeleteMenuItem", "Delete", &TiPlotEditorForm::DeleteMenuItemClick},
      {&VisibleMenuItem, "VisibleMenuItem", "Visible", &TiPlotEditorForm::VisibleMenuItemClick},
      {&EditMenuItem, "EditMenuItem", "Edit", &TiPlotEditorForm::EditMenuItemClick},
  };
  for (const ItemDef& d : items) {
    auto* item = new TMenuItem(LayoutPopupMenu);
    item->SetName(d.Name);
    item->SetCaption(d.Caption);
    if (d.Click) item->OnClick = [this, click = d.Click](TObject* Sender) { (this->*click)(Sender); };
    if (d.Slot) *d.Slot = item;
    LayoutPopupMenu->GetItems()->Add(item);
  }
}

// ---------------------------------------------------------------- layout

void TiPlotEditorForm::ArrangeControls() {
  // The visible lists fill their column above "Add" and "Remove".
  for (int k = 0; k < iepkCount; ++k) {
    if (!FAddButtons[k] || !FLists[k]) continue;
    const int h = FLists[k]->GetParent()->GetClientHeight();
    const int buttonsTop = h - 2 * (25 + kGap);
    FLists[k]->SetBounds(kGap, kGap, kListWidth, buttonsTop - 2 * kGap);
    FAddButtons[k]->SetBounds(kGap, buttonsTop, kListWidth, 25);
    FRemoveButtons[k]->SetBounds(kGap, buttonsTop + 25 + kGap, kListWidth, 25);
  }
  TBitmap measure;
  measure.SetWidth(1);
  measure.SetHeight(1);
  measure.GetCanvas()->GetFont()->Assign(GetFont());
  auto textWidth = [&](const std::string& s) { return measure.GetCanvas()->TextWidth(s); };

  auto cellSize = [&](const Cell& c, int& LabelW, int& ControlW, int& H) {
    LabelW = c.Label ? textWidth(c.Label->GetCaption()) : 0;
    H = kRowHeight;
    switch (c.Kind) {
      case ierText:
        ControlW = 130;
        break;
      case ierInteger:
        ControlW = 60 + (c.Extra ? 15 : 0);
        break;
      case ierFloat:
        ControlW = 70;
        break;
      case ierCombo:
      case ierEditCombo:
      case ierName: {
        ControlW = 90;
        if (auto* combo = dynamic_cast<TComboBox*>(c.Control))
          for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
            ControlW = std::max(ControlW, textWidth(combo->GetItems()->GetStrings(i)) + 30);
        ControlW = std::min(ControlW, 200);
        break;
      }
      case ierColor:
        ControlW = 47;
        break;
      case ierDisplay:
        ControlW = 90;
        break;
      case ierCheck:
        ControlW = textWidth(static_cast<TiComponentEditorCheckBox*>(c.Control)->GetCaption()) + 24;
        H = 17;
        break;
      case ierRadio: {
        auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(c.Control);
        const int n = radio ? radio->GetItems()->GetCount() : 0;
        ControlW = radio ? textWidth(radio->GetCaption()) + 24 : 0;
        for (int i = 0; i < n; ++i)
          ControlW = std::max(ControlW, textWidth(radio->GetItems()->GetStrings(i)) + 36);
        H = 22 + 19 * n;
        break;
      }
      case ierFont:
      case ierButton:
      case ierOpen:
      case ierSave:
        ControlW = std::max(75, textWidth(c.Control->GetCaption()) + 20);
        H = 25;
        break;
    }
    if (c.IsGroup) {
      ControlW = c.Control->GetWidth();
      H = c.Control->GetHeight();
    }
  };

  // Group boxes first (one column each), then every other container.
  std::vector<TWinControl*> containers;
  for (const Cell& c : FCells)
    if (std::find(containers.begin(), containers.end(), c.Container) == containers.end())
      containers.push_back(c.Container);
  // Inner group boxes before the ones holding them.
  auto depth = [](TWinControl* w) {
    int d = 0;
    for (; dynamic_cast<TiComponentEditorGroupBox*>(w); w = w->GetParent()) ++d;
    return d;
  };
  std::stable_sort(containers.begin(), containers.end(),
                   [&](TWinControl* a, TWinControl* b) { return depth(a) > depth(b); });

  for (TWinControl* container : containers) {
    const bool group = dynamic_cast<TiComponentEditorGroupBox*>(container) != nullptr;
    const int top = group ? 18 : 8;
    // A group box taller than its sheet wraps its rows into columns too:
    // its rows end where the group, placed at the top of each box holding
    // it, would leave its sheet.
    int nested = 0;
    TWinControl* sheet = container;
    for (; dynamic_cast<TiComponentEditorGroupBox*>(sheet); sheet = sheet->GetParent()) ++nested;
    const int limit =
        sheet ? sheet->GetClientHeight() - 4 - (nested ? 8 + (nested - 1) * 18 + nested * 4 : 0) : 1 << 20;
    struct Placed {
      const Cell* cell;
      int labelW, controlW, h;
    };
    std::vector<std::vector<Placed>> columns(1);
    int y = top;
    for (const Cell& c : FCells) {
      if (c.Container != container) continue;
      Placed p{&c, 0, 0, 0};
      cellSize(c, p.labelW, p.controlW, p.h);
      if (y + p.h > limit && !columns.back().empty()) {
        columns.emplace_back();
        y = top;
      }
      columns.back().push_back(p);
      y += p.h + kRowGap;
    }
    int x = 8;
    int right = 0, bottom = 0;
    for (const auto& column : columns) {
      int labelW = 0, controlW = 0, fullW = 0;
      for (const Placed& p : column) {
        if (p.cell->Label) {
          labelW = std::max(labelW, p.labelW);
          controlW = std::max(controlW, p.controlW);
        } else {
          fullW = std::max(fullW, p.controlW);
        }
      }
      const int controlX = x + (labelW ? labelW + 6 : 0);
      y = top;
      for (const Placed& p : column) {
        const Cell& c = *p.cell;
        if (c.Label) {
          c.Label->SetBounds(x, y + 3, p.labelW, 15);
          const int w = p.controlW - (c.Extra && c.Kind != ierDisplay ? 15 : 0);
          c.Control->SetBounds(controlX, y, w, c.Kind == ierDisplay ? 15 : kRowHeight);
          if (auto* upDown = dynamic_cast<TiUpDown*>(c.Extra))
            upDown->SetAssociate(dynamic_cast<TiComponentEditorEdit*>(c.Control));
          if (c.Kind == ierDisplay) c.Control->SetTop(y + 3);
        } else {
          c.Control->SetBounds(x, y, p.controlW, p.h);
        }
        bottom = std::max(bottom, y + p.h);
        y += p.h + kRowGap;
      }
      const int width = std::max(labelW ? labelW + 6 + controlW : 0, fullW);
      right = x + width;
      x += width + kColumnGap;
    }
    // A list that is never shown sits below its name edit.
    for (TiComponentEditorListBox* list : FLists)
      if (list && list->GetParent() == container && !FAddButtons[KindOfList(list)]) {
        list->SetBounds(8, bottom + 4, kListWidth, 60);
        right = std::max(right, 8 + kListWidth);
        bottom += 4 + 60 + 3;
      }
    if (group) container->SetBounds(container->GetLeft(), container->GetTop(), right + 8, bottom + 4);
    // A sheet with rows of its own and sub-pages: the sub-pages take the
    // room right of the rows.
    for (int i = 0; !group && i < container->GetControlCount(); ++i)
      if (auto* inner = dynamic_cast<TPageControl*>(container->GetControls(i));
          inner && inner->GetAlign() != alBottom) {
        inner->SetAlign(alNone);
        inner->SetBounds(right + 8, 0, std::max(0, container->GetClientWidth() - right - 8),
                         container->GetClientHeight());
      }
  }
}

TiPlotEditorPageKind TiPlotEditorForm::KindOfList(const TiComponentEditorListBox* List) const {
  for (int k = 0; k < iepkCount; ++k)
    if (FLists[k] == List) return static_cast<TiPlotEditorPageKind>(k);
  return iepkCount;
}

// ---------------------------------------------------------------- page controls

std::array<TPageControl*, TiPlotEditorForm::PageControlCount> TiPlotEditorForm::IndexedPageControls() const {
  static const char* const names[PageControlCount] = {"PageControl",
                                                      "ControlPageControl",
                                                      "ChannelPageControl",
                                                      "XAxisPageControl",
                                                      "XAxisLabelsPageControl",
                                                      "YAxisPageControl",
                                                      "YAxisLabelsPageControl",
                                                      "DataCursorPageControl",
                                                      "LimitPageControl",
                                                      "LabelPageControl",
                                                      "LegendPageControl",
                                                      "TablePageControl",
                                                      "DataViewPageControl",
                                                      "DataViewGridLinesPageControl"};
  std::array<TPageControl*, PageControlCount> out{};
  for (int i = 0; i < PageControlCount; ++i) out[i] = Find<TPageControl>(names[i]);
  return out;
}

// ---------------------------------------------------------------- refresh and write-back

std::string TiPlotEditorForm::Translated(const std::string& Text) const {
  TiPlotTranslationManager* table = Master ? Master->GetTranslationManager() : nullptr;
  return table ? table->FindReplacement(Text) : Text;
}

void TiPlotEditorForm::UpdateAll() {
  for (TiPlotEditorPageKind k : {iepkToolBar, iepkLegend, iepkXAxis, iepkYAxis, iepkChannel, iepkDataView,
                                 iepkDataCursor, iepkLimit, iepkLabel, iepkTable})
    RefreshPage(k);
}

void TiPlotEditorForm::RefreshPage(TiPlotEditorPageKind Kind) {
  if (Kind == iepkControl) return;
  TiPlotEditorPage& page = FPages[Kind];
  if (page.BeforeRefresh) page.BeforeRefresh(*this);
  if (!page.NameBoxesAfterSelection) RefillNameBoxes(Kind);
  TObject* object = SelectedObject(Kind);
  if (!object) {
    DisableControls(page.Prefix);
    return;
  }
  EnableControls(page.Prefix);
  if (page.NameBoxesAfterSelection) RefillNameBoxes(Kind);
  for (const TiPlotEditorRow* row : page.Table.InRefreshOrder())
    if (row->Refresh) row->Refresh(object, FindComponent(row->Control));
  if (page.AfterRefresh) page.AfterRefresh(*this, object);
  RedrawList(Kind);
  if (Kind == iepkLabel && FRemoveButtons[iepkLabel])
    FRemoveButtons[iepkLabel]->SetEnabled(FLists[iepkLabel]->GetItemIndex() > 0);
}

void TiPlotEditorForm::WritePage(TiPlotEditorPageKind Kind) {
  if (Kind == iepkControl) return;
  TiPlotEditorPage& page = FPages[Kind];
  TObject* object = SelectedObject(Kind);
  if (!object) return;
  for (const TiPlotEditorRow* row : page.Table.InWriteOrder())
    row->Write(object, FindComponent(row->Control));
  if (page.AfterWrite) page.AfterWrite(*this, object);
  switch (page.FollowUp) {
    case iefuUpdateAll:
      UpdateAll();
      break;
    case iefuRefreshPage:
      RefreshPage(Kind);
      RedrawList(Kind);
      break;
    case iefuNothing:
      break;
  }
  if (page.AfterChange) page.AfterChange(*this);
}

void TiPlotEditorForm::RefreshRows(TiPlotEditorPageKind Kind, TObject* Object,
                                   std::initializer_list<const char*> Controls) {
  for (const char* name : Controls)
    if (const TiPlotEditorRow* row = FPages[Kind].Table.Find(name); row && row->Refresh)
      row->Refresh(Object, FindComponent(name));
}

void TiPlotEditorForm::FillControlPage(TiPlotComponent* Plot) {
  TiPlotEditorPage& page = FPages[iepkControl];
  for (const TiPlotEditorRow* row : page.Table.InRefreshOrder())
    if (row->Refresh) row->Refresh(Plot, FindComponent(row->Control));
  if (page.AfterRefresh) page.AfterRefresh(*this, Plot);
}

void TiPlotEditorForm::WriteControlPage(TiPlotComponent* Plot) {
  TiPlotEditorPage& page = FPages[iepkControl];
  for (const TiPlotEditorRow* row : page.Table.InWriteOrder()) row->Write(Plot, FindComponent(row->Control));
  if (page.AfterWrite) page.AfterWrite(*this, Plot);
}

void TiPlotEditorForm::GeneralChanged(TObject*) {
  if (Master) Master->BasicPropertyChanged();
  if (FPages[iepkControl].AfterChange) FPages[iepkControl].AfterChange(*this);
}

void TiPlotEditorForm::TitleChange(TObject*) {
  TiComponentEditorListBox* labels = FLists[iepkLabel];
  if (!labels || labels->GetCount() == 0) return;
  auto* title = dynamic_cast<TiPlotLabel*>(labels->GetItems()->GetObjects(0));
  if (!title) return;
  title->SetVisible(EditorGetBoolean(FindComponent("TitleVisibleCheckBox")));
  title->SetCaption(EditorGetText(FindComponent("TitleTextEdit")));
  title->SetMarginBottom(EditorGetFloat(FindComponent("TitleMarginEdit")));
  if (const TFont* font = EditorGetFont(FindComponent("TitleFontPicker"))) title->SetFont(font);
  RefreshPage(iepkLabel);
  RedrawList(iepkLabel);
}

void TiPlotEditorForm::RowChanged(TiPlotEditorPageKind Kind, const TiPlotEditorRow& Row) {
  if (Row.Action) {
    Row.Action(*this);
    return;
  }
  if (Kind == iepkControl)
    GeneralChanged(this);
  else
    WritePage(Kind);
}

void TiPlotEditorForm::DisableControls(const std::string& Prefix) {
  SwitchControls(Prefix, false);
}

void TiPlotEditorForm::EnableControls(const std::string& Prefix) {
  SwitchControls(Prefix, true);
}

void TiPlotEditorForm::SwitchControls(const std::string& Prefix, bool Enable) {
  const std::string prefix = UpperCase(Prefix);
  for (int i = 0; i < GetComponentCount(); ++i) {
    TComponent* c = GetComponents(i);
    if (UpperCase(c->GetName()).rfind(prefix, 0) != 0) continue;
    if (dynamic_cast<TPageControl*>(c) || dynamic_cast<TTabSheet*>(c) || dynamic_cast<TCustomLabel*>(c))
      continue;
    if (SwitchKit<TiComponentEditorComboBox, TiComponentEditorRadioGroup, TiComponentEditorEdit,
                  TiComponentEditorCheckBox, TiComponentEditorColorPicker, TiComponentEditorFontPicker,
                  TiUpDown>(c, Enable))
      continue;
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetEnabled(Enable);
  }
}

// ---------------------------------------------------------------- object lists

TiPlotObjectManagerCustom* TiPlotEditorForm::ManagerOf(TiPlotEditorPageKind Kind) const {
  if (!Master) return nullptr;
  switch (Kind) {
    case iepkToolBar:
      return Master->GetToolBarManager();
    case iepkLegend:
      return Master->GetLegendManager();
    case iepkTable:
      return Master->GetTableManager();
    case iepkXAxis:
      return Master->GetXAxisManager();
    case iepkYAxis:
      return Master->GetYAxisManager();
    case iepkChannel:
      return Master->GetChannelManager();
    case iepkDataView:
      return Master->GetDataViewManager();
    case iepkDataCursor:
      return Master->GetDataCursorManager();
    case iepkLimit:
      return Master->GetLimitManager();
    case iepkLabel:
      return Master->GetLabelManager();
    default:
      return nullptr;
  }
}

TiPlotEditorPageKind TiPlotEditorForm::KindOf(const TObject* Object) {
  if (dynamic_cast<const TiPlotToolBar*>(Object)) return iepkToolBar;
  if (dynamic_cast<const TiPlotLegend*>(Object)) return iepkLegend;
  if (dynamic_cast<const TiPlotTable*>(Object)) return iepkTable;
  if (dynamic_cast<const TiPlotXAxis*>(Object)) return iepkXAxis;
  if (dynamic_cast<const TiPlotYAxis*>(Object)) return iepkYAxis;
  if (dynamic_cast<const TiPlotDataView*>(Object)) return iepkDataView;
  if (dynamic_cast<const TiPlotChannelCustom*>(Object)) return iepkChannel;
  if (dynamic_cast<const TiPlotDataCursor*>(Object)) return iepkDataCursor;
  if (dynamic_cast<const TiPlotLimit*>(Object)) return iepkLimit;
  if (dynamic_cast<const TiPlotLabel*>(Object)) return iepkLabel;
  return iepkCount;
}

TObject* TiPlotEditorForm::SelectedObject(TiPlotEditorPageKind Kind) const {
  TiComponentEditorListBox* list = Kind < iepkCount ? FLists[Kind] : nullptr;
  if (!list) return nullptr;
  const int index = list->GetItemIndex();
  return index < 0 || index >= list->GetCount() ? nullptr : list->GetItems()->GetObjects(index);
}

void TiPlotEditorForm::FillLists() {
  for (TiPlotEditorPageKind k : {iepkToolBar, iepkLegend, iepkTable, iepkXAxis, iepkYAxis, iepkDataView,
                                 iepkChannel, iepkDataCursor, iepkLimit, iepkLabel}) {
    TiComponentEditorListBox* list = FLists[k];
    TiPlotObjectManagerCustom* manager = ManagerOf(k);
    list->Clear();
    for (int i = 0; manager && i < manager->Count(); ++i) {
      TiPlotObject* o = manager->GetObject(i);
      list->GetItems()->AddObject(o->GetName(), o);
    }
    list->SetItemIndex(list->GetCount() > 0 ? 0 : -1);
    RefreshPage(k);
  }
}

void TiPlotEditorForm::ObjectInserted(TObject* Object) {
  const TiPlotEditorPageKind kind = KindOf(Object);
  if (kind == iepkCount) return;
  TiComponentEditorListBox* list = FLists[kind];
  list->GetItems()->AddObject(static_cast<TiPlotObject*>(Object)->GetName(), Object);
  list->SelectLast();
  RefreshPage(kind);
}

void TiPlotEditorForm::ObjectRemoved(TObject* Object) {
  // The notice comes from the object's destructor, when its kind can no
  // longer be told: every list is asked.
  for (TiComponentEditorListBox* list : FLists)
    if (list) list->DeleteObjectIndex(Object);
  if (Object == FRightClickObject) FRightClickObject = nullptr;
  if (iPlotLayoutViewer) iPlotLayoutViewer->ForgetObject(Object);
}

void TiPlotEditorForm::SelectObject(TObject* Object) {
  const TiPlotEditorPageKind kind = KindOf(Object);
  if (kind == iepkCount) return;
  TiComponentEditorListBox* list = FLists[kind];
  const int index = list->GetItems()->IndexOfObject(Object);
  if (index < 0) return;
  PageControl->SetActivePage(FSheets[kind]);
  list->SetItemIndex(index);
  ListClick(kind);
}

void TiPlotEditorForm::ListClick(TiPlotEditorPageKind Kind) {
  RefreshPage(Kind);
  if (FPages[Kind].AfterSelect) FPages[Kind].AfterSelect(*this);
}

void TiPlotEditorForm::RedrawList(TiPlotEditorPageKind Kind) {
  TiComponentEditorListBox* list = FLists[Kind];
  if (!list) return;
  // The entries' texts follow the names; the colour boxes are drawn anew.
  for (int i = 0; i < list->GetCount(); ++i)
    if (auto* o = dynamic_cast<TiPlotObject*>(list->GetItems()->GetObjects(i));
        o && list->GetItems()->GetStrings(i) != o->GetName())
      list->GetItems()->SetStrings(i, o->GetName());
  list->Invalidate();
}

void TiPlotEditorForm::ListGetData(TiPlotEditorPageKind Kind, int Index, bool& DrawColorBox, TColor& AColor,
                                   std::string& AText) {
  TiComponentEditorListBox* list = FLists[Kind];
  auto* object = dynamic_cast<TiPlotObject*>(list->GetItems()->GetObjects(Index));
  DrawColorBox = false;
  if (!object) return;
  AText = object->GetName();
  if (auto* c = dynamic_cast<TiPlotChannelCustom*>(object)) {
    DrawColorBox = true;
    AColor = c->GetColor();
  } else if (auto* a = dynamic_cast<TiPlotAxis*>(object)) {
    DrawColorBox = true;
    AColor = a->GetLabelsFont()->GetColor();
  } else if (auto* d = dynamic_cast<TiPlotDataCursor*>(object)) {
    DrawColorBox = true;
    AColor = d->GetColor();
  } else if (auto* l = dynamic_cast<TiPlotLimit*>(object)) {
    DrawColorBox = true;
    AColor = l->GetColor();
  }
}

void TiPlotEditorForm::AddButtonClick(TiPlotEditorPageKind Kind) {
  if (!Master) return;
  switch (Kind) {
    case iepkXAxis:
      Master->AddXAxis();
      break;
    case iepkYAxis:
      Master->AddYAxis();
      break;
    case iepkChannel:
      Master->AddChannel();
      break;
    case iepkDataCursor:
      Master->AddDataCursor();
      break;
    case iepkLimit:
      Master->AddLimit();
      break;
    case iepkLabel:
      Master->AddLabel();
      break;
    case iepkTable:
      Master->AddTable();
      break;
    default:
      return;
  }
  FLists[Kind]->SelectLast();
  RefreshPage(Kind);
  if (FPages[Kind].AfterSelect) FPages[Kind].AfterSelect(*this);
}

void TiPlotEditorForm::RemoveButtonClick(TiPlotEditorPageKind Kind) {
  TiComponentEditorListBox* list = FLists[Kind];
  if (!list || list->GetItemIndex() < 0) return;
  // The plot's title stays.
  if (Kind == iepkLabel && list->GetItemIndex() == 0) return;
  list->DeleteSelectedObject();
  RefreshPage(Kind);
  // The channel page's axis boxes list the axes.
  if (Kind == iepkXAxis || Kind == iepkYAxis) RefreshPage(iepkChannel);
  if (FPages[Kind].AfterSelect) FPages[Kind].AfterSelect(*this);
}

// ---------------------------------------------------------------- name boxes

void TiPlotEditorForm::RefillNameBox(TComponent* Box) {
  auto* combo = dynamic_cast<TiComponentEditorComboBox*>(Box);
  auto fill = FNameFills.find(Box);
  if (!combo || fill == FNameFills.end() || !Master) return;
  TiPlotObjectManagerCustom* manager = nullptr;
  switch (fill->second) {
    case ienfXAxes:
    case ienfXAxesAll:
      manager = Master->GetXAxisManager();
      break;
    case ienfYAxes:
    case ienfYAxesAll:
      manager = Master->GetYAxisManager();
      break;
    case ienfAllChannels:
    case ienfChannels:
      manager = Master->GetChannelManager();
      break;
    case ienfNone:
      break;
  }
  if (!manager) return;
  std::vector<std::string> values;
  if (fill->second == ienfAllChannels)
    values.push_back("<All>");
  else
    values.push_back("<None>");
  for (int i = 0; i < manager->Count(); ++i) values.push_back(manager->GetObject(i)->GetName());
  if (fill->second == ienfXAxesAll || fill->second == ienfYAxesAll) values.push_back("<All>");

  std::string current;
  const bool selected = EditorGetName(combo, current);
  // The items change with the box's events detached.
  TNotifyEvent saved = combo->OnChange;
  combo->OnChange = nullptr;
  combo->GetItems()->Clear();
  for (const std::string& v : values)
    combo->GetItems()->Add(v == "<None>" || v == "<All>" ? Translated(v) : v);
  EditorSetNameValues(combo, values);
  if (selected)
    EditorSelectName(combo, current);
  else
    combo->SetAsInteger(-1);
  combo->OnChange = saved;
}

void TiPlotEditorForm::RefillNameBoxes(TiPlotEditorPageKind Kind) {
  for (const TiPlotEditorRow& row : FPages[Kind].Table.Rows())
    if (row.Kind == ierName) RefillNameBox(FindComponent(row.Control));
}

void TiPlotEditorForm::ObjectRenamed(TObject* Object) {
  auto* object = dynamic_cast<TiPlotObject*>(Object);
  if (!object) return;
  const TiPlotEditorPageKind kind = KindOf(Object);
  for (auto& [box, fill] : FNameFills) {
    const bool lists = (kind == iepkXAxis && (fill == ienfXAxes || fill == ienfXAxesAll)) ||
                       (kind == iepkYAxis && (fill == ienfYAxes || fill == ienfYAxesAll)) ||
                       (kind == iepkChannel && (fill == ienfChannels || fill == ienfAllChannels));
    std::string shown;
    if (!lists || !EditorGetName(box, shown) || shown != object->GetNameOld()) continue;
    RefillNameBox(box);
    EditorSelectName(box, object->GetName());
  }
  if (kind != iepkCount) RedrawList(kind);
}

// ---------------------------------------------------------------- lifecycle

void TiPlotEditorForm::iCustomEditorFormClose(TObject*, TCloseAction&) {
  FIsClosing = true;
  if (OnEditorClosed) OnEditorClosed(this);
}

void TiPlotEditorForm::Activate() {
  TiCustomEditorForm::Activate();
  if (GetFormStyle() == fsStayOnTop && !FIsClosing) UpdateAll();
}

void TiPlotEditorForm::Deactivate() {
  TiCustomEditorForm::Deactivate();
  if (GetFormStyle() == fsStayOnTop && !FIsClosing) UpdateAll();
}

// ---------------------------------------------------------------- layout page

void TiPlotEditorForm::iPlotLayoutViewerMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  FRightClickObject = iPlotLayoutViewer->GetMouseOverBlock(X, Y);
}

void TiPlotEditorForm::iPlotLayoutViewerChange(TObject*) {
  UpdateAll();
}

void TiPlotEditorForm::LayoutPopupMenuPopup(TObject*) {
  XYAxesReverseMenuItem->SetChecked(Master && Master->GetXYAxesReverse());
  DeleteMenuItem->SetEnabled(false);
  VisibleMenuItem->SetEnabled(false);
  VisibleMenuItem->SetChecked(false);
  EditMenuItem->SetEnabled(false);
  TiPlotLayoutObject* o = FRightClickObject;
  if (!o) return;
  const bool title =
      Master && Master->GetLabelManager()->Count() > 0 && Master->GetLabelManager()->GetObject(0) == o;
  DeleteMenuItem->SetEnabled(dynamic_cast<TiPlotAxis*>(o) || dynamic_cast<TiPlotTable*>(o) ||
                             (dynamic_cast<TiPlotLabel*>(o) && !title));
  VisibleMenuItem->SetEnabled(!dynamic_cast<TiPlotDataView*>(o));
  VisibleMenuItem->SetChecked(o->GetVisible());
  EditMenuItem->SetEnabled(true);
}

void TiPlotEditorForm::XYAxesReverseMenuItemClick(TObject*) {
  if (Master) Master->SetXYAxesReverse(!Master->GetXYAxesReverse());
}

void TiPlotEditorForm::AddXAxisMenuItemClick(TObject*) {
  if (Master) Master->AddXAxis();
}

void TiPlotEditorForm::AddYAxisMenuItemClick(TObject*) {
  if (Master) Master->AddYAxis();
}

void TiPlotEditorForm::AddLabelMenuItemClick(TObject*) {
  if (Master) Master->AddLabel();
}

void TiPlotEditorForm::DeleteMenuItemClick(TObject*) {
  TiPlotLayoutObject* o = FRightClickObject;
  if (!o || !Master) return;
  // The plot's title stays, as it does on the label page.
  if (Master->GetLabelManager()->Count() > 0 && Master->GetLabelManager()->GetObject(0) == o) return;
  FRightClickObject = nullptr;
  delete o;
  UpdateAll();
}

void TiPlotEditorForm::VisibleMenuItemClick(TObject*) {
  if (!FRightClickObject) return;
  FRightClickObject->SetVisible(!FRightClickObject->GetVisible());
  UpdateAll();
}

void TiPlotEditorForm::EditMenuItemClick(TObject*) {
  if (FRightClickObject) SelectObject(FRightClickObject);
}
