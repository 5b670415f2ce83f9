#pragma once
// The OPC group manager keeps the OPC groups a control or a plot channel
// registered with the OPC library and turns the library's group-update
// notices into two events, so that a channel takes the values of its X and
// Y items together once per update. It is a small hidden 28 x 28 control;
// a channel's manager has no parent and is never shown.

#include <functional>
#include <string>
#include <vector>

#include "instruments/base/iProperties.h"
#include "instruments/opc/iOPCLibrary.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/StringList.h"

using TGroupUpdateEvent = std::function<void(TObject* Sender, const std::string& GroupName)>;

class TiOPCGroupObject : public TPersistent {
 public:
  TiOPCGroupObject(std::string Name, std::string ComputerName, std::string OPCServerName, int UpdateRate)
      : FName(std::move(Name)),
        FComputerName(std::move(ComputerName)),
        FOPCServerName(std::move(OPCServerName)),
        FUpdateRate(UpdateRate) {}

  const std::string& GetName() const { return FName; }
  const std::string& GetComputerName() const { return FComputerName; }
  const std::string& GetOPCServerName() const { return FOPCServerName; }
  int GetUpdateRate() const { return FUpdateRate; }
  void SetUpdateRate(int Value);
  int GetDLLGroupHandle() const { return FDLLGroupHandle; }
  void SetDLLGroupHandle(int Value) { FDLLGroupHandle = Value; }
  // These call the library without looking for it first.
  void Resume();
  void Suspend();

 private:
  std::string FName;
  std::string FComputerName;
  std::string FOPCServerName;
  int FUpdateRate;
  int FDLLGroupHandle = 0;
};

// A group as the property text holds it.
class TiOPCGroupStream : public TPersistent {
 public:
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  const std::string& GetComputerName() const { return FComputerName; }
  void SetComputerName(const std::string& Value) { FComputerName = Value; }
  const std::string& GetOPCServerName() const { return FOPCServerName; }
  void SetOPCServerName(const std::string& Value) { FOPCServerName = Value; }
  int GetUpdateRate() const { return FUpdateRate; }
  void SetUpdateRate(int Value) { FUpdateRate = Value; }

 private:
  std::string FName;
  std::string FComputerName;
  std::string FOPCServerName;
  int FUpdateRate = 0;
};

class TiOPCManager : public TCustomControl {
 public:
  explicit TiOPCManager(TComponent* AOwner);
  ~TiOPCManager() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  int GroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
               int UpdateRate);
  void GroupDelete(int Index);
  void GroupClear();
  int GroupCount() const { return static_cast<int>(FGroupList.size()); }
  // Throws EListError for an index out of range.
  TiOPCGroupObject* Groups(int Index) const;
  // The first group of that name in any letter case; -1 when none.
  int GetGroupIndex(const std::string& Name) const;
  void CloseAllServerConnections();
  // Opens (or brings back) the explorer window shared by all managers.
  void ExplorerShow();
  bool GetFirstInstance() const { return FFirstInstance; }

  bool DoWriteToStream() const { return GroupCount() > 0; }
  // One group of lines per group, "Item0", "Item1", ...
  void WriteToStream(TStrings* Lines) const;
  // Clears the groups, then adds (and so registers) one per "ItemN" group
  // at the top of Lines.
  void ReadFromStream(TStrings* Lines);

  TGroupUpdateEvent OnBeforeGroupUpdate;
  TGroupUpdateEvent OnAfterGroupUpdate;

 protected:
  void Paint() override;

 private:
  void GroupNotice(TiOPCCallbackKind Kind, std::int32_t Handle);
  // Frees the group; a failing library call is dropped when Quiet.
  void RemoveGroup(int Index, bool Quiet);

  bool FFirstInstance;
  std::vector<TiOPCGroupObject*> FGroupList;
  TiOPCCallbackSink FSink;
};

// The pictures of the manager and the explorer's tree, drawn in code:
// 24 x 24 with the top-left at (X, Y).
enum TiOPCGlyph { iogManager, iogServers, iogGroups, iogConnection };
void DrawOPCGlyph(TCanvas* Canvas, int X, int Y, TiOPCGlyph Glyph, bool Disabled);
