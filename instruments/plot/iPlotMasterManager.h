#pragma once
// One master manager per plot: it makes and holds the object managers, the
// layout and translation managers, receives every object's insert, remove,
// rename, change, selection and edit notices and fans them out, and offers
// the factories that add an object of each kind.

#include <array>

#include "platform/classlib/Forms.h"

#include "instruments/plot/iPlotLayoutManager.h"
#include "instruments/plot/iPlotObjectManagers.h"
#include "instruments/plot/iPlotTranslationManager.h"

class TiPlotEditorForm;

class TiPlotMasterManager : public TObject {
 public:
  explicit TiPlotMasterManager(TWinControl* AOwner);
  ~TiPlotMasterManager() override;

  TWinControl* GetOwner() const { return FOwner; }
  TiPlotToolBarManager* GetToolBarManager() const { return FToolBarManager; }
  TiPlotLegendManager* GetLegendManager() const { return FLegendManager; }
  TiPlotTableManager* GetTableManager() const { return FTableManager; }
  TiPlotXAxisManager* GetXAxisManager() const { return FXAxisManager; }
  TiPlotYAxisManager* GetYAxisManager() const { return FYAxisManager; }
  TiPlotChannelManager* GetChannelManager() const { return FChannelManager; }
  TiPlotDataViewManager* GetDataViewManager() const { return FDataViewManager; }
  TiPlotDataCursorManager* GetDataCursorManager() const { return FDataCursorManager; }
  TiPlotLimitManager* GetLimitManager() const { return FLimitManager; }
  TiPlotLabelManager* GetLabelManager() const { return FLabelManager; }
  TiPlotAnnotationManager* GetAnnotationManager() const { return FAnnotationManager; }
  TiPlotTranslationManager* GetTranslationManager() const { return FTranslationManager; }
  TiPlotLayoutManager* GetLayoutManager() const { return FLayoutManager; }
  TiPlotObjectManager* GetObjectManager() const { return FPlotObjectManager; }

  int AddChannel();
  // Every channel's points go (each channel's Clear).
  void ClearAllData();
  int AddDataView();
  int AddDataCursor();
  int AddLimit();
  int AddLabel();
  int AddAnnotation();
  int AddLegend();
  int AddTable();
  int AddToolBar();
  int AddXAxis();
  int AddYAxis();
  int AddTranslation(const std::string& OriginalString, const std::string& ReplacementString);

  bool GetUserCanEditObjects() const { return FUserCanEditObjects; }
  void SetUserCanEditObjects(bool Value);
  bool GetXYAxesReverse() const { return FXYAxesReverse; }
  void SetXYAxesReverse(bool Value);
  const TiPlotChannelClass& GetChannelClass() const { return FChannelClass; }
  void SetChannelClass(TiPlotChannelClass Value);

  void ShowToolBars(bool Value);
  void DeSelectAll();

  // The notices every manager and object is given.
  void NotificationInsert(TObject* Sender);
  void NotificationRemove(TObject* Sender);
  void NotificationRename(TObject* Sender);
  void NotificationSetFocus(TObject* Sender);
  void DoChange(TObject* Sender);
  void EditObject(TObject* Sender);

  // ---- the property editor form (only when the owner is a plot)
  // Creates the form (once), fills it and shows it as the plot's
  // EditorFormStyle says.
  void EditProperties();
  // The "Control" page's controls into the plot.
  void BasicPropertyChanged();
  // The form's close handling ran: a stay-on-top form is released.
  void EditorFormClosed(TObject* Sender);
  // The editor's translation through the plot's table.
  void TranslateForm(TCustomForm* Form);
  TiPlotEditorForm* GetEditorForm() const { return FEditorForm; }
  // Frees the editor form, and one closed that waits to be freed; the plot
  // calls it while it is whole, for its OnAfterCloseEditor.
  void FreeEditorForms();
  // The active page of each of the editor's 14 page controls, kept between
  // two openings.
  const std::array<int, 14>& GetPageControlIndexes() const { return FPageControlIndexes; }

  TNotifyEvent OnInvalidateNow;
  TNotifyEvent OnChange;
  TNotifyEvent OnInsert;
  TNotifyEvent OnRemove;

 private:
  // The object managers of the eleven kinds, in the order notices reach them.
  std::vector<TiPlotObjectManagerCustom*> KindManagers() const;
  template <class M>
  int AddObject(M* Manager, TiPlotObject* Object);
  template <class F>
  void ForEachObject(F&& fn) const;

  TWinControl* FOwner;
  bool FUserCanEditObjects = true;
  TiPlotToolBarManager* FToolBarManager = nullptr;
  TiPlotLegendManager* FLegendManager = nullptr;
  TiPlotTableManager* FTableManager = nullptr;
  TiPlotXAxisManager* FXAxisManager = nullptr;
  TiPlotYAxisManager* FYAxisManager = nullptr;
  TiPlotChannelManager* FChannelManager = nullptr;
  TiPlotDataViewManager* FDataViewManager = nullptr;
  TiPlotDataCursorManager* FDataCursorManager = nullptr;
  TiPlotLimitManager* FLimitManager = nullptr;
  TiPlotLabelManager* FLabelManager = nullptr;
  TiPlotAnnotationManager* FAnnotationManager = nullptr;
  TiPlotTranslationManager* FTranslationManager = nullptr;
  TiPlotLayoutManager* FLayoutManager = nullptr;
  TiPlotObjectManager* FPlotObjectManager = nullptr;
  TiPlotChannelClass FChannelClass;
  bool FXYAxesReverse = false;
  std::array<int, 14> FPageControlIndexes{};
  TiPlotEditorForm* FEditorForm = nullptr;

  void CreateEditorForm();
  void StorePageControlIndexes();
  void FreeEditorForm();
  // The open form that notices may reach; null while it closes.
  TiPlotEditorForm* LiveForm() const;
};
