#pragma once
// Object managers: one ordered list per kind of plot object, which names
// new objects ("Channel 1"), gives them the kind's defaults, passes on the
// notices other objects must hear, frees what it owns and streams its
// objects as property text. TiPlotObjectManager lists every object of a
// plot for mouse, key and selection routing.

#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotAnnotation.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotLimit.h"
#include "instruments/plot/iPlotTable.h"
#include "instruments/plot/iPlotToolBar.h"
#include "platform/classlib/StringList.h"

class TiPlotObjectManagerCustom : public TObject {
 public:
  TiPlotObjectManagerCustom(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                            TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  // Reports its own removal (the master forgets it).
  ~TiPlotObjectManagerCustom() override;

  // Announces the manager through OnInsert; run once it is fully made.
  void Announce();

  int Count() const { return static_cast<int>(FList.size()); }
  TWinControl* GetOwner() const { return FOwner; }
  TiPlotObject* GetObject(int Index) const;
  int GetIndex(const TObject* AObject) const;
  TiPlotObject* GetObjectByName(const std::string& Name) const;
  int GetIndexByName(const std::string& Name) const;
  std::string GetNextName() const;
  void InsertObject(TiPlotObject* AObject);
  // Takes the entry out without freeing the object or telling anyone.
  virtual void Delete(int Index);
  void DoChange();

  virtual TiPlotObject* CreateObject() = 0;
  virtual std::string GetBaseName() const = 0;
  virtual void ObjectRemoved(TiPlotObject*) {}
  virtual void NotificationRemove(TObject* Sender);
  virtual void NotificationInsert(TObject* Sender) = 0;
  virtual void NotificationRename(TObject* Sender);
  virtual void NotificationSetFocus(TObject* Sender);
  virtual void Clear() {}

  bool DoWriteToStream() const { return Count() > 0; }
  // One group of lines per object, prefixed "Item0", "Item1", ...
  void WriteToStream(TStrings* Lines) const;
  // Frees the objects, then makes one per "ItemN" group at the top of
  // Lines (removing its lines) and announces it with its streamed name.
  void ReadFromStream(TStrings* Lines);

  TNotifyEvent OnChange;
  TNotifyEvent OnInsert;
  TNotifyEvent OnRemove;
  TNotifyEvent OnRename;

 protected:
  std::vector<TiPlotObject*> FList;

 private:
  TWinControl* FOwner;
};

// A manager that owns its objects and frees them in Clear.
class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
 public:
  using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
  ~TiPlotObjectOwnedManager() override;
  void NotificationRemove(TObject* Sender) override;
  void Clear() override;
};

// The manager of one kind K.
template <class K>
class TiPlotTypedManager : public TiPlotObjectOwnedManager {
 public:
  using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;
  K* GetItem(int Index) const { return static_cast<K*>(GetObject(Index)); }
  TiPlotObject* CreateObject() override { return new K(GetOwner(), OnChange, OnInsert, OnRemove, OnRename); }
  void NotificationInsert(TObject* Sender) override {
    auto* object = dynamic_cast<K*>(Sender);
    if (!object) return;
    InsertObject(object);
    if (!object->GetName().empty() || !NamesObjects()) return;
    object->SetName(GetNextName());
    ApplyDefaults(object);
  }

 protected:
  virtual bool NamesObjects() const { return true; }
  virtual void ApplyDefaults(K*) {}
};

class TiPlotToolBarManager : public TiPlotTypedManager<TiPlotToolBar> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Toolbar"; }
};

class TiPlotLegendManager : public TiPlotTypedManager<TiPlotLegend> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Legend"; }
};

class TiPlotTableManager : public TiPlotTypedManager<TiPlotTable> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Table"; }
};

class TiPlotXAxisManager : public TiPlotTypedManager<TiPlotXAxis> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "X-Axis"; }

 protected:
  void ApplyDefaults(TiPlotXAxis* Axis) override { Axis->SetTitle(Axis->GetName()); }
};

class TiPlotYAxisManager : public TiPlotTypedManager<TiPlotYAxis> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Y-Axis"; }

 protected:
  void ApplyDefaults(TiPlotYAxis* Axis) override { Axis->SetTitle(Axis->GetName()); }
};

class TiPlotLabelManager : public TiPlotTypedManager<TiPlotLabel> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Label"; }

 protected:
  void ApplyDefaults(TiPlotLabel* Label) override { Label->SetCaption(Label->GetName()); }
};

class TiPlotAnnotationManager : public TiPlotTypedManager<TiPlotAnnotation> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Annotation"; }

 protected:
  bool NamesObjects() const override { return false; }
};

// Managers that name objects of other managers in their defaults; each
// forgets a referenced manager when that manager is removed.
class TiPlotAxesReferenceMixin {
 public:
  TiPlotXAxisManager* GetXAxisManager() const { return FXAxisManager; }
  TiPlotYAxisManager* GetYAxisManager() const { return FYAxisManager; }
  void SetAxisManagers(TiPlotXAxisManager* X, TiPlotYAxisManager* Y) {
    FXAxisManager = X;
    FYAxisManager = Y;
  }

 protected:
  void ForgetAxisManager(TObject* Sender) {
    if (Sender == FXAxisManager) FXAxisManager = nullptr;
    if (Sender == FYAxisManager) FYAxisManager = nullptr;
  }
  std::string FirstXAxisName() const;
  std::string FirstYAxisName() const;

 private:
  TiPlotXAxisManager* FXAxisManager = nullptr;
  TiPlotYAxisManager* FYAxisManager = nullptr;
};

class TiPlotChannelManager : public TiPlotTypedManager<TiPlotChannelCustom>, public TiPlotAxesReferenceMixin {
 public:
  TiPlotChannelManager(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  std::string GetBaseName() const override { return "Channel"; }
  TiPlotObject* CreateObject() override;
  void NotificationRemove(TObject* Sender) override;
  const TiPlotChannelClass& GetChannelClass() const { return FChannelClass; }
  void SetChannelClass(TiPlotChannelClass Value) { FChannelClass = std::move(Value); }
  TColor GetNextChannelColor() const;

 protected:
  void ApplyDefaults(TiPlotChannelCustom* Channel) override;

 private:
  TiPlotChannelClass FChannelClass;
};

class TiPlotDataViewManager : public TiPlotTypedManager<TiPlotDataView>, public TiPlotAxesReferenceMixin {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Data View"; }
  void NotificationRemove(TObject* Sender) override;

 protected:
  void ApplyDefaults(TiPlotDataView* View) override;
};

class TiPlotLimitManager : public TiPlotTypedManager<TiPlotLimit>, public TiPlotAxesReferenceMixin {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Limit"; }
  void NotificationRemove(TObject* Sender) override;

 protected:
  void ApplyDefaults(TiPlotLimit* Limit) override;
};

class TiPlotDataCursorManager : public TiPlotTypedManager<TiPlotDataCursor> {
 public:
  using TiPlotTypedManager::TiPlotTypedManager;
  std::string GetBaseName() const override { return "Cursor"; }
  void NotificationRemove(TObject* Sender) override;
  void SetReferencedManagers(TiPlotChannelManager* Channels, TiPlotDataViewManager* DataViews) {
    FChannelManager = Channels;
    FDataViewManager = DataViews;
  }
  TiPlotChannelManager* GetChannelManager() const { return FChannelManager; }
  TiPlotDataViewManager* GetDataViewManager() const { return FDataViewManager; }

 protected:
  void ApplyDefaults(TiPlotDataCursor* Cursor) override;

 private:
  TiPlotChannelManager* FChannelManager = nullptr;
  TiPlotDataViewManager* FDataViewManager = nullptr;
};

// Every object of the plot in insertion order, not owned; routes input to
// the selected objects.
class TiPlotObjectManager : public TiPlotObjectManagerCustom {
 public:
  using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
  TiPlotObject* CreateObject() override;
  std::string GetBaseName() const override { return "n/a"; }
  void NotificationInsert(TObject* Sender) override;

  void ClearAllUserSelections();
  void SetShiftState(TShiftState Shift);
  void MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                             TPopupMenu* PopupMenu);
  void MouseMoveFocusObjects(const TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX,
                             int ScreenY, bool DblClickActive);
  void MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                           bool DblClickActive, TPopupMenu* PopupMenu);
  void KeyDownFocusObjects(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu);
  bool MouseWheelFocusObjects(int WheelDelta, TShiftState Shift, TPoint MousePos);
  // Cuts the objects' notices before the plot's destruction.
  void ShutDownSetup();

 private:
  // The selected objects, copied: a handler may change the selection.
  std::vector<TiPlotObject*> Selected() const;
};

// The 30 colours offered to new channels, in order.
extern const TColor ChannelColorTable[30];

// Makes a manager and lets it announce itself.
template <class M>
M* iCreateManager(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                  TNotifyEvent AOnRename) {
  auto* m =
      new M(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove), std::move(AOnRename));
  m->Announce();
  return m;
}
