#include "instruments/plot/iPlotMasterManager.h"

#include "instruments/editors/iEditorTranslate.h"
#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotComponent.h"
#include "platform/classlib/Forms.h"

namespace {

// Stores Sender in the field of its class; true when it was a manager of it.
template <class M>
bool Keep(TObject* Sender, M*& Field) {
  auto* m = dynamic_cast<M*>(Sender);
  if (!m) return false;
  Field = m;
  return true;
}

template <class M>
void Forget(TObject* Sender, M*& Field) {
  if (Field == Sender) Field = nullptr;
}

}  // namespace

TiPlotMasterManager::TiPlotMasterManager(TWinControl* AOwner) : FOwner(AOwner) {
  auto change = [this](TObject* s) { DoChange(s); };
  auto insert = [this](TObject* s) { NotificationInsert(s); };
  auto remove = [this](TObject* s) { NotificationRemove(s); };
  auto rename = [this](TObject* s) { NotificationRename(s); };
  iCreateManager<TiPlotObjectManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotToolBarManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotLegendManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotTableManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotChannelManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotDataCursorManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotDataViewManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotXAxisManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotYAxisManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotLimitManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotLabelManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotAnnotationManager>(AOwner, change, insert, remove, rename);
  iCreateManager<TiPlotLayoutManager>(AOwner, change, insert, remove, rename);
  (new TiPlotTranslationManager(insert, remove))->Announce();

  FChannelManager->SetAxisManagers(FXAxisManager, FYAxisManager);
  FDataViewManager->SetAxisManagers(FXAxisManager, FYAxisManager);
  FDataCursorManager->SetReferencedManagers(FChannelManager, FDataViewManager);
  FLimitManager->SetAxisManagers(FXAxisManager, FYAxisManager);
  FChannelClass = FChannelManager->GetChannelClass();
  FUserCanEditObjects = true;
}

TiPlotMasterManager::~TiPlotMasterManager() {
  FreeEditorForms();
  // Each manager frees its objects while it is whole, then leaves: its field
  // is cleared and the remaining managers forget it before it is freed, so
  // no manager ever holds one already gone.
  TObject* managers[] = {FToolBarManager,    FLegendManager, FTableManager,      FChannelManager,
                         FXAxisManager,      FYAxisManager,  FDataViewManager,   FDataCursorManager,
                         FLimitManager,      FLabelManager,  FAnnotationManager, FTranslationManager,
                         FPlotObjectManager, FLayoutManager};
  for (TObject* m : managers) {
    if (auto* om = dynamic_cast<TiPlotObjectManagerCustom*>(m)) {
      om->Clear();
      NotificationRemove(om);
      om->OnRemove = nullptr;
    } else if (auto* tm = dynamic_cast<TiPlotTranslationManager*>(m)) {
      NotificationRemove(tm);
      tm->OnRemove = nullptr;
    }
    delete m;
  }
}

std::vector<TiPlotObjectManagerCustom*> TiPlotMasterManager::KindManagers() const {
  std::vector<TiPlotObjectManagerCustom*> all = {
      FToolBarManager,  FLegendManager,     FTableManager, FXAxisManager, FYAxisManager,     FChannelManager,
      FDataViewManager, FDataCursorManager, FLimitManager, FLabelManager, FAnnotationManager};
  std::erase(all, nullptr);
  return all;
}

template <class F>
void TiPlotMasterManager::ForEachObject(F&& fn) const {
  for (TiPlotObjectManagerCustom* m : KindManagers())
    for (int i = 0; i < m->Count(); ++i) fn(m->GetObject(i));
}

void TiPlotMasterManager::NotificationInsert(TObject* Sender) {
  if (auto* object = dynamic_cast<TiPlotObject*>(Sender)) {
    if (FPlotObjectManager) FPlotObjectManager->NotificationInsert(Sender);
    if (FLayoutManager && dynamic_cast<TiPlotLayoutObject*>(Sender))
      FLayoutManager->NotificationInsert(Sender);
    for (TiPlotObjectManagerCustom* m : KindManagers()) m->NotificationInsert(Sender);
    object->OnSetFocus = [this](TObject* s) { NotificationSetFocus(s); };
    object->OnInvalidateNow = [this](TObject* s) {
      if (OnInvalidateNow) OnInvalidateNow(s);
    };
    object->SetUserCanEdit(FUserCanEditObjects);
    object->OnEdit = [this](TObject* s) { EditObject(s); };
    object->SetXYAxesReversed(FXYAxesReverse);
    if (TiPlotEditorForm* form = LiveForm()) form->ObjectInserted(Sender);
  } else if (!(Keep(Sender, FTranslationManager) || Keep(Sender, FLayoutManager) ||
               Keep(Sender, FToolBarManager) || Keep(Sender, FLegendManager) || Keep(Sender, FTableManager) ||
               Keep(Sender, FXAxisManager) || Keep(Sender, FYAxisManager) || Keep(Sender, FChannelManager) ||
               Keep(Sender, FDataViewManager) || Keep(Sender, FDataCursorManager) ||
               Keep(Sender, FLimitManager) || Keep(Sender, FLabelManager) ||
               Keep(Sender, FAnnotationManager))) {
    Keep(Sender, FPlotObjectManager);
  }
  if (OnInsert) OnInsert(Sender);
}

void TiPlotMasterManager::NotificationRemove(TObject* Sender) {
  if (OnRemove) OnRemove(Sender);
  if (Sender == FTranslationManager) {
    FTranslationManager = nullptr;
    return;
  }
  if (dynamic_cast<TiPlotObject*>(Sender)) {
    if (TiPlotEditorForm* form = LiveForm()) form->ObjectRemoved(Sender);
    if (FPlotObjectManager) FPlotObjectManager->NotificationRemove(Sender);
    if (FLayoutManager) FLayoutManager->NotificationRemove(Sender);
    for (TiPlotObjectManagerCustom* m : KindManagers()) m->NotificationRemove(Sender);
    return;
  }
  Forget(Sender, FToolBarManager);
  Forget(Sender, FLegendManager);
  Forget(Sender, FTableManager);
  Forget(Sender, FXAxisManager);
  Forget(Sender, FYAxisManager);
  Forget(Sender, FChannelManager);
  Forget(Sender, FDataViewManager);
  Forget(Sender, FDataCursorManager);
  Forget(Sender, FLimitManager);
  Forget(Sender, FLabelManager);
  Forget(Sender, FAnnotationManager);
  Forget(Sender, FLayoutManager);
  Forget(Sender, FPlotObjectManager);
  // The managers that name others forget a manager that is gone.
  for (TiPlotObjectManagerCustom* m : KindManagers()) m->NotificationRemove(Sender);
}

void TiPlotMasterManager::NotificationSetFocus(TObject* Sender) {
  for (TiPlotObjectManagerCustom* m : KindManagers()) m->NotificationSetFocus(Sender);
  if (FLayoutManager) FLayoutManager->NotificationSetFocus(Sender);
}

void TiPlotMasterManager::NotificationRename(TObject* Sender) {
  for (TiPlotObjectManagerCustom* m : KindManagers()) m->NotificationRename(Sender);
  if (FLayoutManager) FLayoutManager->NotificationRename(Sender);
  if (TiPlotEditorForm* form = LiveForm()) form->ObjectRenamed(Sender);
}

void TiPlotMasterManager::DoChange(TObject* Sender) {
  if (OnChange) OnChange(Sender);
}

void TiPlotMasterManager::EditObject(TObject* Sender) {
  if (!dynamic_cast<TiPlotComponent*>(FOwner)) return;
  if (!FEditorForm) CreateEditorForm();
  // An annotation has no page: the editor opens as it was.
  if (FEditorForm) FEditorForm->SelectObject(Sender);
  EditProperties();
}

// ---------------------------------------------------------------- editor form

TiPlotEditorForm* TiPlotMasterManager::LiveForm() const {
  return FEditorForm && !FEditorForm->GetIsClosing() ? FEditorForm : nullptr;
}

void TiPlotMasterManager::CreateEditorForm() {
  auto* plot = dynamic_cast<TiPlotComponent*>(FOwner);
  if (!plot) return;
  auto* form = new TiPlotEditorForm(plot);
  FEditorForm = form;
  form->AfterConstruction();
  form->SetFormTranslationMethod([this](TCustomForm* f) { TranslateForm(f); });
  form->OnEditorClosed = [this](TObject* s) { EditorFormClosed(s); };
  form->SetMaster(this);
  form->FillLists();
  const auto controls = form->IndexedPageControls();
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i]) controls[i]->SetActivePageIndex(FPageControlIndexes[i]);
  const bool channels = plot->GetUserCanAddRemoveChannels();
  form->AddButtonOf(iepkChannel)->SetVisible(channels);
  form->RemoveButtonOf(iepkChannel)->SetVisible(channels);
  TranslateForm(form);
}

void TiPlotMasterManager::StorePageControlIndexes() {
  if (!FEditorForm) return;
  const auto controls = FEditorForm->IndexedPageControls();
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i]) FPageControlIndexes[i] = std::max(0, controls[i]->GetActivePageIndex());
}

void TiPlotMasterManager::FreeEditorForm() {
  TiPlotEditorForm* form = FEditorForm;
  FEditorForm = nullptr;
  delete form;
}

void TiPlotMasterManager::FreeEditorForms() {
  FreeEditorForm();
  // A closed stay-on-top form still waiting to be freed goes too.
  for (int i = FOwner->GetComponentCount() - 1; i >= 0; --i)
    if (auto* form = dynamic_cast<TiPlotEditorForm*>(FOwner->GetComponents(i))) delete form;
}

void TiPlotMasterManager::EditProperties() {
  auto* plot = dynamic_cast<TiPlotComponent*>(FOwner);
  if (!plot) return;
  if (!FEditorForm) CreateEditorForm();
  TiPlotEditorForm* form = FEditorForm;
  const bool modal = plot->GetEditorFormStyle() == ipfsModal;
  try {
    form->UpdateAll();
    form->SetPlotComponent(plot);
    form->FillControlPage(plot);
    form->SetLeft(Screen->GetWidth() / 2 - form->GetWidth() / 2);
    form->SetTop(Screen->GetHeight() / 2 - form->GetHeight() / 2);
    if (plot->OnAfterOpenEditor) plot->OnAfterOpenEditor(this);
    if (modal) {
      form->ShowModal();
    } else {
      form->SetFormStyle(fsStayOnTop);
      form->Show();
    }
    StorePageControlIndexes();
  } catch (...) {
    if (modal && FEditorForm == form) FreeEditorForm();
    throw;
  }
  if (modal && FEditorForm == form) FreeEditorForm();
}

void TiPlotMasterManager::BasicPropertyChanged() {
  auto* plot = dynamic_cast<TiPlotComponent*>(FOwner);
  if (!plot || !LiveForm()) return;
  FEditorForm->WriteControlPage(plot);
}

void TiPlotMasterManager::EditorFormClosed(TObject*) {
  auto* plot = dynamic_cast<TiPlotComponent*>(FOwner);
  if (!plot || !FEditorForm || plot->GetEditorFormStyle() != ipfsStayOnTop) return;
  StorePageControlIndexes();
  // Freed once its close handling has finished.
  FEditorForm->Release();
  FEditorForm = nullptr;
}

void TiPlotMasterManager::TranslateForm(TCustomForm* Form) {
  if (!Form || (Form == FEditorForm && FEditorForm->GetIsClosing())) return;
  TranslateEditorForm(FTranslationManager, Form);
  if (auto* form = dynamic_cast<TiPlotEditorForm*>(Form)) form->ArrangeControls();
}

template <class M>
int TiPlotMasterManager::AddObject(M* Manager, TiPlotObject* Object) {
  Object->DoInsert();
  return Manager->Count() - 1;
}

void TiPlotMasterManager::ClearAllData() {
  for (int i = 0; i < FChannelManager->Count(); ++i) FChannelManager->GetItem(i)->Clear();
}

int TiPlotMasterManager::AddChannel() {
  return AddObject(FChannelManager, FChannelManager->CreateObject());
}
int TiPlotMasterManager::AddDataView() {
  return AddObject(FDataViewManager, FDataViewManager->CreateObject());
}
int TiPlotMasterManager::AddDataCursor() {
  return AddObject(FDataCursorManager, FDataCursorManager->CreateObject());
}
int TiPlotMasterManager::AddLimit() {
  return AddObject(FLimitManager, FLimitManager->CreateObject());
}
int TiPlotMasterManager::AddLabel() {
  return AddObject(FLabelManager, FLabelManager->CreateObject());
}
int TiPlotMasterManager::AddAnnotation() {
  return AddObject(FAnnotationManager, FAnnotationManager->CreateObject());
}
int TiPlotMasterManager::AddLegend() {
  return AddObject(FLegendManager, FLegendManager->CreateObject());
}
int TiPlotMasterManager::AddTable() {
  return AddObject(FTableManager, FTableManager->CreateObject());
}
int TiPlotMasterManager::AddToolBar() {
  return AddObject(FToolBarManager, FToolBarManager->CreateObject());
}
int TiPlotMasterManager::AddXAxis() {
  return AddObject(FXAxisManager, FXAxisManager->CreateObject());
}
int TiPlotMasterManager::AddYAxis() {
  return AddObject(FYAxisManager, FYAxisManager->CreateObject());
}
int TiPlotMasterManager::AddTranslation(const std::string& OriginalString,
                                        const std::string& ReplacementString) {
  const int index = FTranslationManager->Add();
  TiPlotTranslationObject* entry = FTranslationManager->GetItem(index);
  entry->SetOriginalString(OriginalString);
  entry->SetReplacementString(ReplacementString);
  return index;
}

void TiPlotMasterManager::SetUserCanEditObjects(bool Value) {
  FUserCanEditObjects = Value;
  ForEachObject([&](TiPlotObject* o) { o->SetUserCanEdit(Value); });
}

void TiPlotMasterManager::SetXYAxesReverse(bool Value) {
  FXYAxesReverse = Value;
  if (FLayoutManager) FLayoutManager->SetXYAxesReverse(Value);
  ForEachObject([&](TiPlotObject* o) { o->SetXYAxesReversed(Value); });
  if (OnInvalidateNow) OnInvalidateNow(this);
}

void TiPlotMasterManager::SetChannelClass(TiPlotChannelClass Value) {
  FChannelClass = Value;
  FChannelManager->SetChannelClass(std::move(Value));
}

void TiPlotMasterManager::ShowToolBars(bool Value) {
  for (int i = 0; i < FToolBarManager->Count(); ++i) FToolBarManager->GetItem(i)->SetVisible(Value);
}

void TiPlotMasterManager::DeSelectAll() {
  FPlotObjectManager->ClearAllUserSelections();
}
