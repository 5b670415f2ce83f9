#include "instruments/plot/iPlotChannelOPC.h"

#include <atomic>

#include "instruments/base/iComponent.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "platform/sys/SysUtils.h"

namespace {
// A counter, not the channel's address: an address has no fixed width and
// does not fit eight digits.
std::string NextGroupName() {
  static std::atomic<std::uint32_t> counter{0};
  return UIntToHex(++counter, 8);
}
}  // namespace

TiPlotChannelOPC::TiPlotChannelOPC(TiPlotChannelCustom* Channel)
    : FChannel(Channel),
      FGroupName(NextGroupName()),
      FManager(std::make_unique<TiOPCManager>(nullptr)),
      FItems(std::make_unique<TiOPCItemManager>(Channel)) {
  FManager->OnAfterGroupUpdate = [this](TObject*, const std::string&) { AfterGroupUpdate(); };
  FItems->OnGetDesigning = [this](TObject*, bool& designing) { designing = OPCDesigning(); };
  FItems->OnNewData = [this](TObject* Sender) {
    if (OnOPCNewData) OnOPCNewData(static_cast<TiOPCItem*>(Sender));
  };
  for (int i = 0; i < 2; ++i) OPCItem(FItems->Add())->SetPropertyName("Data");
}

// Items first: they end their registrations while the group still exists.
TiPlotChannelOPC::~TiPlotChannelOPC() {
  FItems.reset();
  FManager.reset();
}

bool TiPlotChannelOPC::OPCDesigning() const {
  auto* plot = dynamic_cast<TiComponent*>(FChannel->GetOwner());
  return plot && plot->GetIsDesigning();
}

void TiPlotChannelOPC::OPCDeactivate() {
  OPCItem(0)->Deactivate();
  OPCItem(1)->Deactivate();
}

void TiPlotChannelOPC::OPCActivateGroup(bool RequireServerName) {
  if (OPCDesigning()) return;
  OPCDeactivate();
  FManager->GroupClear();
  TiOPCItem* first = OPCItem(0);
  if (!RequireServerName || !iTrim(first->GetServerName()).empty()) {
    FManager->GroupAdd(FGroupName, first->GetComputerName(), first->GetServerName(), first->GetUpdateRate());
    first->SetGroupName(FGroupName);
  }
  OPCItem(1)->SetGroupName(first->GetGroupName());
  first->Activate();
  OPCItem(1)->Activate();
}

void TiPlotChannelOPC::OPCActivateItem0() {
  if (OPCDesigning()) return;
  OPCDeactivate();
  OPCItem(0)->Activate();
}

void TiPlotChannelOPC::OPCGroupSuspend() {
  if (FManager->GroupCount() > 0) FManager->Groups(0)->Suspend();
}

void TiPlotChannelOPC::OPCGroupResume() {
  if (FManager->GroupCount() > 0) FManager->Groups(0)->Resume();
}

void TiPlotChannelOPC::AfterGroupUpdate() {
  FChannel->AddXY(OPCItem(0)->GetData().AsDouble(), OPCItem(1)->GetData().AsDouble());
}
