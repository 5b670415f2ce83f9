#pragma once
// The layout manager keeps the z-orders of the plot's layout objects (axes,
// toolbars, legends, tables, labels) consistent as objects come and go, and
// sorts them into four side lists round the data view. The data view has a
// place in both stacks, held by two place holders, so that objects can sit
// on either side of it. The plot turns the lists into rectangles in every
// paint (TiPlotComponent::CalcLayout).

#include <string>
#include <vector>

#include "instruments/plot/iPlotObjectManagers.h"

enum TiInsertDirection { iidMerge, iidBelow, iidAbove };

// The data view's place in the horizontal or vertical stack.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
 public:
  TiPlotDataViewLayout(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename, bool AHorizontal);
};

class TiPlotDataViewHorz : public TiPlotDataViewLayout {
 public:
  TiPlotDataViewHorz(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                     TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
      : TiPlotDataViewLayout(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                             std::move(AOnRename), true) {}
};

class TiPlotDataViewVert : public TiPlotDataViewLayout {
 public:
  TiPlotDataViewVert(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                     TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
      : TiPlotDataViewLayout(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                             std::move(AOnRename), false) {}
};

class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
 public:
  using TSideList = std::vector<TiPlotLayoutObject*>;

  TiPlotLayoutManager(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                      TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  ~TiPlotLayoutManager() override;

  TiPlotObject* CreateObject() override;
  std::string GetBaseName() const override { return "Layout Object"; }
  void NotificationInsert(TObject* Sender) override;
  void ObjectRemoved(TiPlotObject* AObject) override;

  TiPlotLayoutObject* GetItem(int Index) const { return FItems.at(static_cast<size_t>(Index)).Object; }

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetXYAxesReverse() const { return FXYAxesReverse; }
  void SetXYAxesReverse(bool Value);

  TiPlotDataViewHorz* GetDataViewHorz() const { return FDataViewHorz; }
  TiPlotDataViewVert* GetDataViewVert() const { return FDataViewVert; }
  const TSideList& GetTopList() const { return FTopList; }
  const TSideList& GetBottomList() const { return FBottomList; }
  const TSideList& GetLeftList() const { return FLeftList; }
  const TSideList& GetRightList() const { return FRightList; }
  int GetTopUniqueCount() const { return FTopUniqueCount; }
  int GetBottomUniqueCount() const { return FBottomUniqueCount; }
  int GetLeftUniqueCount() const { return FLeftUniqueCount; }
  int GetRightUniqueCount() const { return FRightUniqueCount; }
  static int VisibleCount(const TSideList& AList);

  void InsertZOrder(TiPlotLayoutObject* NewObject, int DesiredZOrder, TiInsertDirection InsertDirection);
  void RemoveZOrder(TiPlotLayoutObject* AObject);
  void RebuildLists();

  // The key the side lists sort by: z-order, then start percent, each as
  // at least three digits.
  static std::string ZOrderKey(const TiPlotLayoutObject* AObject);

 private:
  // What the manager must still know of an object while it is destroyed:
  // by then only its plot-object part is left to ask.
  struct TItem {
    TiPlotLayoutObject* Object;
    int ZOrder;
    bool Horizontal;
  };
  void Refresh(TItem& Item) const;
  void RemoveZOrder(const void* AObject, int ZOrder, bool Horizontal);
  void ReapplyAxesOrientation();
  bool IsPlaceHolder(const void* AObject) const;
  bool IsDataView(const TItem& Item) const;

  bool FXYAxesReverse = false;
  TiPlotDataViewHorz* FDataViewHorz = nullptr;
  TiPlotDataViewVert* FDataViewVert = nullptr;
  bool FEnabled = false;
  std::vector<TItem> FItems;
  TSideList FTopList, FBottomList, FLeftList, FRightList;
  int FLeftUniqueCount = 0, FRightUniqueCount = 0, FBottomUniqueCount = 0, FTopUniqueCount = 0;
};
