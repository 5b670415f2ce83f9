#pragma once
// The OPC explorer: a tool window listing the OPC library's open server
// connections. One window is shared by all group managers.

#include <memory>

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/ImgList.h"

class TiOPCExplorerForm : public TForm {
 public:
  explicit TiOPCExplorerForm(TComponent* AOwner);
  ~TiOPCExplorerForm() override;

  // Lists the connections again; the library's errors reach the caller.
  void Refresh();
  TTreeView* GetTreeView() const { return FTreeView; }

  // The shared window: made (owned by the application) when there is none,
  // refreshed and shown, not modal.
  static void ExplorerShow();
  static TiOPCExplorerForm* Shared();
  // Forgets the shared window (it stays open); the next ExplorerShow makes
  // a new one.
  static void ForgetShared();

 private:
  TTreeView* FTreeView;
  std::unique_ptr<TImageList> FImageList;
};
