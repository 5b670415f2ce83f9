#pragma once
// The OPC binding of a plot channel: two OPC items (item 0 feeds X or the
// value, item 1 feeds Y) and a group manager of the channel's own, whose
// group gathers both items so that one group update gives one point. Both
// channel kinds derive from it beside the channel base and publish its
// settings; what differs between them (where a single item's value goes)
// is the channel's.

#include <functional>
#include <memory>
#include <string>

#include "instruments/opc/iOPCItem.h"
#include "instruments/base/iProperties.h"
#include "instruments/opc/iOPCManager.h"

class TiPlotChannelCustom;

class TiPlotChannelOPC {
 public:
  // Channel: the owner of the items; its plot answers the design-time
  // question. After each group update the channel gets AddXY(item 0,
  // item 1).
  explicit TiPlotChannelOPC(TiPlotChannelCustom* Channel);
  ~TiPlotChannelOPC();
  TiPlotChannelOPC(const TiPlotChannelOPC&) = delete;
  TiPlotChannelOPC& operator=(const TiPlotChannelOPC&) = delete;

  TiOPCItem* OPCItem(int Index) const { return FItems->Items(Index); }
  TiOPCItemManager* GetOPCItemManager() const { return FItems.get(); }
  TiOPCManager* GetOPCManager() const { return FManager.get(); }

  // The published settings, forwarded to the items.
  const std::string& GetOPCComputerName() const { return OPCItem(0)->GetComputerName(); }
  void SetOPCComputerName(const std::string& Value) { OPCItem(0)->SetComputerName(Value); }
  const std::string& GetOPCServerName() const { return OPCItem(0)->GetServerName(); }
  void SetOPCServerName(const std::string& Value) { OPCItem(0)->SetServerName(Value); }
  const std::string& GetOPCGroupName() const { return OPCItem(0)->GetGroupName(); }
  void SetOPCGroupName(const std::string& Value) { OPCItem(0)->SetGroupName(Value); }
  const std::string& GetOPCItemName() const { return OPCItem(0)->GetItemName(); }
  void SetOPCItemName(const std::string& Value) { OPCItem(0)->SetItemName(Value); }
  const std::string& GetOPCItem2Name() const { return OPCItem(1)->GetItemName(); }
  void SetOPCItem2Name(const std::string& Value) { OPCItem(1)->SetItemName(Value); }
  int GetOPCUpdateRate() const { return OPCItem(0)->GetUpdateRate(); }
  void SetOPCUpdateRate(int Value) { OPCItem(0)->SetUpdateRate(Value); }
  // Scalars and offsets go straight into the items (no new registration).
  double GetOPCScalar() const { return OPCItem(0)->GetScalar(); }
  void SetOPCScalar(double Value) { OPCItem(0)->SetScalar(Value); }
  double GetOPCOffset() const { return OPCItem(0)->GetOffset(); }
  void SetOPCOffset(double Value) { OPCItem(0)->SetOffset(Value); }
  double GetOPCScalar2() const { return OPCItem(1)->GetScalar(); }
  void SetOPCScalar2(double Value) { OPCItem(1)->SetScalar(Value); }
  double GetOPCOffset2() const { return OPCItem(1)->GetOffset(); }
  void SetOPCOffset2(double Value) { OPCItem(1)->SetOffset(Value); }
  bool GetOPCAutoConnect() const { return OPCItem(0)->GetAutoConnect(); }
  void SetOPCAutoConnect(bool Value) { OPCItem(0)->SetAutoConnect(Value); }
  bool GetOPCActive() const { return OPCItem(0)->GetActive(); }
  bool GetOPCQualityGood() const { return OPCItem(0)->GetQualityGood(); }
  // Eight hexadecimal digits, unique among the program's channels.
  const std::string& GetUniqueGroupName() const { return FGroupName; }
  bool OPCDesigning() const;

  // Registers both items in one new group of the channel's (named uniquely,
  // with item 0's computer, server and update rate). With
  // RequireServerName the group is made only when item 0 names a server,
  // and item 1 follows item 0's group. Nothing at design time.
  void OPCActivateGroup(bool RequireServerName);
  // Registers item 0 alone. Nothing at design time.
  void OPCActivateItem0();
  // Ends both items' registrations.
  void OPCDeactivate();
  // Suspends or resumes the manager's first group, when there is one.
  void OPCGroupSuspend();
  void OPCGroupResume();

  // A single item's value arrived (item 0 or item 1).
  std::function<void(TiOPCItem* Item)> OnOPCNewData;

 private:
  void AfterGroupUpdate();

  TiPlotChannelCustom* FChannel;
  std::string FGroupName;
  std::unique_ptr<TiOPCManager> FManager;
  std::unique_ptr<TiOPCItemManager> FItems;
};

// Registers the settings both channel kinds publish, in their order.
template <class C>
void iRegisterPlotChannelOPCProperties(TiPropertyBuilder<C>& b) {
  b.Add("OPCComputerName", &C::GetOPCComputerName, &C::SetOPCComputerName);
  b.Add("OPCServerName", &C::GetOPCServerName, &C::SetOPCServerName);
  b.Add("OPCItemName", &C::GetOPCItemName, &C::SetOPCItemName);
  b.Add("OPCItem2Name", &C::GetOPCItem2Name, &C::SetOPCItem2Name);
  b.Add("OPCUpdateRate", &C::GetOPCUpdateRate, &C::SetOPCUpdateRate, 500);
  b.Add("OPCScalar", &C::GetOPCScalar, &C::SetOPCScalar);
  b.Add("OPCOffset", &C::GetOPCOffset, &C::SetOPCOffset);
  b.Add("OPCScalar2", &C::GetOPCScalar2, &C::SetOPCScalar2);
  b.Add("OPCOffset2", &C::GetOPCOffset2, &C::SetOPCOffset2);
  b.Add("OPCAutoConnect", &C::GetOPCAutoConnect, &C::SetOPCAutoConnect, 1);
}
