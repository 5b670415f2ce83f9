#pragma once
// The plot's run-time property editor: one page per kind of plot object, each
// with its list of objects and the controls of the selected one, a "Control"
// page for the plot's own properties and a "Layout" page with the layout
// schematic. Every edit goes straight into the object through its setter;
// nothing is buffered. The pages are tables (iPlotEditorTable.h); each
// page's table lives in its own source file.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "instruments/editors/iEditorControls.h"
#include "instruments/editors/iEditorPickers.h"
#include "instruments/editors/iPlotEditorTable.h"
#include "platform/classlib/Menus.h"

class TiPlotMasterManager;
class TiPlotComponent;
class TiPlotObject;
class TiPlotLayoutObject;
class TiPlotLayoutViewer;
class TiPlotObjectManagerCustom;

enum TiPlotEditorPageKind {
  iepkToolBar,
  iepkLegend,
  iepkTable,
  iepkXAxis,
  iepkYAxis,
  iepkChannel,
  iepkDataView,
  iepkDataCursor,
  iepkLimit,
  iepkLabel,
  iepkControl,
  iepkCount
};

// What follows a page's write-back.
enum TiPlotEditorFollowUp { iefuUpdateAll, iefuRefreshPage, iefuNothing };

struct TiPlotEditorPage {
  TiPlotEditorPageKind Kind = iepkControl;
  std::string Prefix;   // control-name prefix; "" for the "Control" page
  std::string ListBox;  // the list of the page's objects; "" for the "Control" page
  TiPlotEditorTable Table;
  TiPlotEditorFollowUp FollowUp = iefuUpdateAll;
  // Axis pages refill their name boxes once a selection is found; the others
  // first, also without one.
  bool NameBoxesAfterSelection = false;
  // Page particulars, each optional: at the start of every refresh (also
  // without a selection); after the controls were set from Object; after
  // the rows were written into Object (before the follow-up); after the
  // whole write-back handler; after the user chose, added or removed an
  // entry.
  std::function<void(TiPlotEditorForm& Form)> BeforeRefresh;
  // Before the rows are laid out: a page that places a sub-page control
  // itself (aligned to the bottom) gives it its size here.
  std::function<void(TiPlotEditorForm& Form)> BeforeArrange;
  std::function<void(TiPlotEditorForm& Form, TObject* Object)> AfterRefresh;
  std::function<void(TiPlotEditorForm& Form, TObject* Object)> AfterWrite;
  std::function<void(TiPlotEditorForm& Form)> AfterChange;
  // After a click in the list, "Add" and "Remove" (and their refresh).
  std::function<void(TiPlotEditorForm& Form)> AfterSelect;
};

// The tables, one per page, each in its own file.
void iPlotEditorControlPage(TiPlotEditorPage& Page);
void iPlotEditorChannelsPage(TiPlotEditorPage& Page);
void iPlotEditorXAxisPage(TiPlotEditorPage& Page);
void iPlotEditorYAxisPage(TiPlotEditorPage& Page);
void iPlotEditorLegendPage(TiPlotEditorPage& Page);
void iPlotEditorDataCursorPage(TiPlotEditorPage& Page);
void iPlotEditorToolBarPage(TiPlotEditorPage& Page);
void iPlotEditorDataViewPage(TiPlotEditorPage& Page);
void iPlotEditorLimitPage(TiPlotEditorPage& Page);
void iPlotEditorLabelPage(TiPlotEditorPage& Page);
void iPlotEditorTablePage(TiPlotEditorPage& Page);
// The "File I/O" rows of the "Control" and "Channels" pages.
void iPlotEditorControlFileRows(TiPlotEditorPage& Page);
void iPlotEditorChannelFileRows(TiPlotEditorPage& Page);

class TiPlotEditorForm : public TiCustomEditorForm {
 public:
  static constexpr int PageControlCount = 14;

  explicit TiPlotEditorForm(TComponent* AOwner);
  ~TiPlotEditorForm() override;

  bool GetIsClosing() const { return FIsClosing; }
  TiPlotMasterManager* GetMaster() const { return Master; }
  void SetMaster(TiPlotMasterManager* Value);
  TiPlotComponent* GetPlotComponent() const { return PlotComponent; }
  void SetPlotComponent(TiPlotComponent* Value) { PlotComponent = Value; }
  // Hands Value to every value converter picker of the form.
  void SetFormTranslationMethod(TFormTranslationMethod Value);
  // Run by the close handler after the closing flag is set.
  TNotifyEvent OnEditorClosed;

  // ---- pages
  const TiPlotEditorPage& Page(TiPlotEditorPageKind Kind) const { return FPages[Kind]; }
  void UpdateAll();
  void RefreshPage(TiPlotEditorPageKind Kind);
  // The page's write-back handler: every row into the selected object.
  void WritePage(TiPlotEditorPageKind Kind);
  void UpdateToolBarEdit() { RefreshPage(iepkToolBar); }
  void UpdateLegendEdit() { RefreshPage(iepkLegend); }
  void UpdateTableEdit() { RefreshPage(iepkTable); }
  void UpdateXAxesEdit() { RefreshPage(iepkXAxis); }
  void UpdateYAxesEdit() { RefreshPage(iepkYAxis); }
  void UpdateDataViewEdit() { RefreshPage(iepkDataView); }
  void UpdateChannelEdit() { RefreshPage(iepkChannel); }
  void UpdateDataCursorEdit() { RefreshPage(iepkDataCursor); }
  void UpdateLimitEdit() { RefreshPage(iepkLimit); }
  void UpdateLabelEdit() { RefreshPage(iepkLabel); }
  // The "Control" page: filled from the plot and written into it.
  void FillControlPage(TiPlotComponent* Plot);
  void WriteControlPage(TiPlotComponent* Plot);
  // Sets the named rows of a page from Object (events blocked).
  void RefreshRows(TiPlotEditorPageKind Kind, TObject* Object, std::initializer_list<const char*> Controls);
  void GeneralChanged(TObject* Sender);
  void TitleChange(TObject* Sender);

  // Components whose upper-case name starts with Prefix, but page controls,
  // tab sheets and labels; the kit's controls through Disable / Enable.
  void DisableControls(const std::string& Prefix);
  void EnableControls(const std::string& Prefix);

  // ---- object lists
  TiComponentEditorListBox* ListOf(TiPlotEditorPageKind Kind) const { return FLists[Kind]; }
  // The selected object of a page; null when none.
  TObject* SelectedObject(TiPlotEditorPageKind Kind) const;
  // The page whose list takes objects of Object's kind; iepkCount when none.
  static TiPlotEditorPageKind KindOf(const TObject* Object);
  // Fills every list from its manager in manager order, entry 0 selected,
  // each page refreshed.
  void FillLists();
  // An object made elsewhere: appended, selected, its page refreshed.
  void ObjectInserted(TObject* Object);
  // An object freed elsewhere: its entry goes.
  void ObjectRemoved(TObject* Object);
  // Shows the page of Object's kind with Object selected and refreshed.
  void SelectObject(TObject* Object);
  void AddButtonClick(TiPlotEditorPageKind Kind);
  void RemoveButtonClick(TiPlotEditorPageKind Kind);
  TButton* AddButtonOf(TiPlotEditorPageKind Kind) const { return FAddButtons[Kind]; }
  TButton* RemoveButtonOf(TiPlotEditorPageKind Kind) const { return FRemoveButtons[Kind]; }
  // The main sheet of a page.
  TTabSheet* SheetOf(TiPlotEditorPageKind Kind) const { return FSheets[Kind]; }

  // ---- name boxes
  void RefillNameBox(TComponent* Box);
  // The boxes of a page's table.
  void RefillNameBoxes(TiPlotEditorPageKind Kind);
  void XAxisNameComboBoxDropDown(TObject* Sender) { RefillNameBox(dynamic_cast<TComponent*>(Sender)); }
  void YAxisNameComboBoxDropDown(TObject* Sender) { RefillNameBox(dynamic_cast<TComponent*>(Sender)); }
  void DataViewGridXAxisNameComboBoxDropDown(TObject* Sender) {
    RefillNameBox(dynamic_cast<TComponent*>(Sender));
  }
  void DataViewGridYAxisNameComboBoxDropDown(TObject* Sender) {
    RefillNameBox(dynamic_cast<TComponent*>(Sender));
  }
  void DataCursorChannelNameComboBoxDropDown(TObject* Sender) {
    RefillNameBox(dynamic_cast<TComponent*>(Sender));
  }
  void ChannelNameComboBoxDropDown(TObject* Sender) { RefillNameBox(dynamic_cast<TComponent*>(Sender)); }
  // An axis or channel got a new name: every box that shows its old name
  // is refilled and shows the new one.
  void ObjectRenamed(TObject* Object);

  // ---- page controls
  // The 14 whose active pages the master manager keeps, in its order.
  std::array<TPageControl*, PageControlCount> IndexedPageControls() const;

  // A component of the form by name, of the given class; null when none.
  template <class C>
  C* Find(const std::string& Name) const {
    return dynamic_cast<C*>(FindComponent(Name));
  }
  // Lays the rows out anew (after a translation changed the captions).
  void ArrangeControls();

  // ---- layout page
  void iPlotLayoutViewerMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void iPlotLayoutViewerChange(TObject* Sender);
  void LayoutPopupMenuPopup(TObject* Sender);
  void XYAxesReverseMenuItemClick(TObject* Sender);
  void AddXAxisMenuItemClick(TObject* Sender);
  void AddYAxisMenuItemClick(TObject* Sender);
  void AddLabelMenuItemClick(TObject* Sender);
  void DeleteMenuItemClick(TObject* Sender);
  void VisibleMenuItemClick(TObject* Sender);
  void EditMenuItemClick(TObject* Sender);
  TiPlotLayoutObject* GetRightClickObject() const { return FRightClickObject; }

  TiComponentEditorPageControl* PageControl = nullptr;
  TiPlotLayoutViewer* iPlotLayoutViewer = nullptr;
  TPopupMenu* LayoutPopupMenu = nullptr;
  TMenuItem* XYAxesReverseMenuItem = nullptr;
  TMenuItem* AddXAxisMenuItem = nullptr;
  TMenuItem* AddYAxisMenuItem = nullptr;
  TMenuItem* AddLabelMenuItem = nullptr;
  TMenuItem* DeleteMenuItem = nullptr;
  TMenuItem* VisibleMenuItem = nullptr;
  TMenuItem* EditMenuItem = nullptr;

  TiPlotMasterManager* Master = nullptr;
  TiPlotComponent* PlotComponent = nullptr;

 protected:
  void Activate() override;
  void Deactivate() override;

 private:
  struct Cell;
  void FormCreate(TObject* Sender);
  void iCustomEditorFormClose(TObject* Sender, TCloseAction& Action);
  void BuildPages();
  void BuildControls(TiPlotEditorPage& Page);
  void BuildLayoutPage();
  void SwitchControls(const std::string& Prefix, bool Enable);
  TiPlotEditorPageKind KindOfList(const TiComponentEditorListBox* List) const;
  TiPlotObjectManagerCustom* ManagerOf(TiPlotEditorPageKind Kind) const;
  void ListGetData(TiPlotEditorPageKind Kind, int Index, bool& DrawColorBox, TColor& AColor,
                   std::string& AText);
  void ListClick(TiPlotEditorPageKind Kind);
  void RowChanged(TiPlotEditorPageKind Kind, const TiPlotEditorRow& Row);
  // Redraws a page's list (names and colours may have changed).
  void RedrawList(TiPlotEditorPageKind Kind);
  std::string Translated(const std::string& Text) const;

  bool FIsClosing = false;
  TiPlotLayoutObject* FRightClickObject = nullptr;
  std::array<TiPlotEditorPage, iepkCount> FPages;
  std::array<TiComponentEditorListBox*, iepkCount> FLists{};
  std::array<TButton*, iepkCount> FAddButtons{};
  std::array<TButton*, iepkCount> FRemoveButtons{};
  std::array<TTabSheet*, iepkCount> FSheets{};
  // What each name box lists.
  std::map<TComponent*, TiPlotEditorNameFill> FNameFills;
  // The rows' cells, per container, in table order.
  std::vector<Cell> FCells;
};
