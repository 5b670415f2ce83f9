#pragma once
// The schematic of a plot's layout on the editor's "Layout" page: the data
// view in the middle and, round it, one cell-wide row or column for every
// distinct z-order of the objects on each side, each object a grey box with
// its name. With the mouse an object is dragged to another slot (swap,
// merge, a new row or column above or below, the other orientation) or an
// end of it is dragged to change its start or stop percentage; each
// finished change fires OnChange.

#include <memory>
#include <vector>

#include "instruments/base/iVCLComponent.h"
#include "instruments/plot/iPlotLayoutManager.h"

class TiPlotMasterManager;
class TiPlotTranslationManager;

enum TiLayoutEditMode { ilemNone, ilemDrag, ilemSize };
enum TiLayoutSizingSide { ilssStart, ilssStop };

// One slot of the schematic.
struct TBlockObject {
  TRect ARect;
  int ZOrder = 0;
  bool Horizontal = false;  // a row rather than a column
  bool DataView = false;    // the slot of the data view
  bool ToolBar = false;     // the topmost row
};

class TiPlotLayoutViewer : public TiCustomComponent {
 public:
  explicit TiPlotLayoutViewer(TComponent* AOwner);
  ~TiPlotLayoutViewer() override;

  TiPlotLayoutManager* GetLayoutManager() const { return FLayoutManager; }
  void SetLayoutManager(TiPlotLayoutManager* Value) { FLayoutManager = Value; }
  TiPlotMasterManager* GetMaster() const { return FMaster; }
  void SetMaster(TiPlotMasterManager* Value) { FMaster = Value; }
  TiPlotTranslationManager* GetTranslationManager() const { return FTranslationManager; }
  void SetTranslationManager(TiPlotTranslationManager* Value) { FTranslationManager = Value; }
  TiPlotLayoutObject* GetSelectedObject() const { return FSelectedBlock; }

  // The first layout object (place holders left out) whose schematic
  // rectangle holds the point; null when none.
  TiPlotLayoutObject* GetMouseOverBlock(int X, int Y) const;
  // The first slot that takes the point: a data-view slot only within one
  // cell of its edges, the tool-bar row only in its lower half.
  const TBlockObject* GetMouseOverBlock2(int X, int Y) const;
  // The first object but AObject of that orientation and z-order that is no
  // data view and not the other orientation's place holder.
  TiPlotLayoutObject* FindSlotObject(const TiPlotLayoutObject* AObject, bool Horizontal, int ZOrder) const;
  // The slots and every object's schematic rectangle.
  void CalcLayout(TCanvas* Canvas);

  // An object that goes is forgotten.
  void ForgetObject(const TObject* AObject);

  // What the last layout computed.
  const std::vector<std::unique_ptr<TBlockObject>>& GetBlocks() const { return FBlockList; }
  int GetCellWidth() const { return FCellWidth; }
  TRect GetViewRect() const { return FViewRect; }
  TRect GetDataViewRect() const { return FDataViewRect; }
  TiLayoutEditMode GetEditMode() const { return FEditMode; }
  TiPlotLayoutObject* GetOverLayoutObject() const { return FOverLayoutObject; }
  const TBlockObject* GetDragOverBlock() const { return FDragOverRefBlock2; }
  TiInsertDirection GetInsertDirection() const { return FInsertDirection; }
  TiPlotLayoutObject* GetResizeBlock() const { return FResizeBlock; }

  void iPaintToCanvas(TCanvas* Canvas) override;

  TNotifyEvent OnChange;

 protected:
  void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void iMouseMove(TShiftState Shift, int X, int Y) override;
  void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void DrawBackground(TCanvas* Canvas);
  void DrawBlocks(TCanvas* Canvas);
  void SwapBlocks();
  void MoveToVertical();
  void MoveToHorizontal();
  void MoveAcross(bool Horizontal);
  void DoChange();
  // The hover over an object: arms a resize near an end of an axis, label,
  // table or legend.
  void ArmResize(TiPlotLayoutObject* O, int X, int Y);
  // Where a dragged object would go over slot B.
  void ChooseSlot(const TBlockObject* B, int X, int Y);

  std::vector<std::unique_ptr<TBlockObject>> FBlockList;
  int FCellWidth = 0;
  TRect FViewRect;
  TRect FDataViewRect;
  int FDataViewWidth = 0;
  int FDataViewHeight = 0;
  bool FMouseDown = false;
  int FMouseDownX = 0;
  int FMouseDownY = 0;
  double FMouseDownStartPercent = 0;
  double FMouseDownStopPercent = 0;
  TiLayoutEditMode FEditMode = ilemNone;
  TiLayoutSizingSide FSizingSide = ilssStart;
  TiPlotLayoutObject* FSelectedBlock = nullptr;
  TiPlotLayoutObject* FResizeBlock = nullptr;
  TiPlotLayoutObject* FOverLayoutObject = nullptr;
  const TBlockObject* FDragOverRefBlock2 = nullptr;
  TiInsertDirection FInsertDirection = iidMerge;
  TiPlotLayoutManager* FLayoutManager = nullptr;
  TiPlotMasterManager* FMaster = nullptr;
  TiPlotTranslationManager* FTranslationManager = nullptr;
  std::unique_ptr<TFont> FFont;
};
