#pragma once
// An OPC item binds one data item of an OPC server to one thing in the
// library: a published property of a control (by dotted name) or a value
// of a plot channel ("Data"). It registers with the OPC library as a
// signal, takes new values through its callback, scales them, keeps value,
// time stamp and quality, writes values back, and can hold its control in
// the error state while the quality is bad. The item manager is the list
// of a control's or a channel's items; it streams them as "ItemN." groups
// of property lines.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/base/iProperties.h"
#include "instruments/opc/iOPCLibrary.h"
#include "instruments/opc/iOPCVariant.h"
#include "platform/classlib/StringList.h"
#include "platform/sys/DateTime.h"

class TiOPCItemManager;

using TOPCItemGetDataTypeEvent = std::function<void(const std::string& PropertyName, TTypeKind& Kind)>;
using TOPCGetDesigningEvent = std::function<void(TObject* Sender, bool& Designing)>;

class TiOPCItem : public TPersistent {
 public:
  explicit TiOPCItem(TiOPCItemManager* AOwner);
  ~TiOPCItem() override;

  void Activate() { DoActivate(false); }
  void ActivateSuspend() { DoActivate(true); }
  void Deactivate();
  void Loaded();
  void UpdateResume();
  void UpdateSuspend();
  // Reads the value at once (unscaled); the quality through Quality.
  TiOPCVariant GetDataNow(std::uint16_t& Quality);

  const std::string& GetPropertyName() const { return FPropertyName; }
  void SetPropertyName(const std::string& Value);
  const std::string& GetGroupName() const { return FGroupName; }
  void SetGroupName(const std::string& Value);
  const std::string& GetComputerName() const { return FComputerName; }
  void SetComputerName(const std::string& Value);
  const std::string& GetServerName() const { return FServerName; }
  void SetServerName(const std::string& Value);
  const std::string& GetItemName() const { return FItemName; }
  void SetItemName(const std::string& Value);
  double GetScalar() const { return FScalar; }
  void SetScalar(double Value) { FScalar = Value; }
  double GetOffset() const { return FOffset; }
  void SetOffset(double Value) { FOffset = Value; }
  int GetUpdateRate() const { return FUpdateRate; }
  void SetUpdateRate(int Value);
  bool GetUpdateSuspended() const;
  bool GetAutoConnect() const { return FAutoConnect; }
  void SetAutoConnect(bool Value);
  bool GetAutoError() const { return FAutoError; }
  void SetAutoError(bool Value);

  const TiOPCVariant& GetData() const { return FData; }
  // Sends the value to the server.
  void SetData(const TiOPCVariant& Value);
  TDateTime GetTimeStamp() const { return FTimeStamp; }
  std::uint16_t GetQuality() const { return FQuality; }
  bool GetQualityGood() const { return (FQuality & 0xC0) == 0xC0; }
  bool GetActive() const;
  TTypeKind GetPropertyType() const { return FPropertyType; }
  int GetSignalHandle() const { return FSignalHandle; }
  TiOPCItemManager* GetOwner() const { return FOwner; }

  // The library's new-data notice: read, scale, report.
  void NewData();

 private:
  void DoActivate(bool Suspended);
  bool Designing() const;
  void UpdateErrorState();
  // Registers again with the changed settings when registered now.
  void Reactivate();

  std::string FPropertyName;
  TTypeKind FPropertyType = tkUnknown;
  std::string FGroupName;
  std::string FServerName;
  std::string FComputerName = "Local";
  std::string FItemName;
  bool FAutoConnect = true;
  int FUpdateRate = 500;
  double FScalar = 0;
  double FOffset = 0;
  int FSignalHandle = 0;
  TiOPCVariant FData;
  TDateTime FTimeStamp = 0;
  std::uint16_t FQuality = 0;
  TiOPCItemManager* FOwner;
  bool FAutoError = false;
  TiOPCCallbackSink FSink;
};

class TiOPCItemManager {
 public:
  // AOwner is the component or channel the items belong to (may be null).
  explicit TiOPCItemManager(TObject* AOwner = nullptr);
  ~TiOPCItemManager();
  TiOPCItemManager(const TiOPCItemManager&) = delete;
  TiOPCItemManager& operator=(const TiOPCItemManager&) = delete;

  int Add();
  void Delete(int Index);
  void Clear();
  int Count() const { return static_cast<int>(FList.size()); }
  // Throws EListError for an index out of range.
  TiOPCItem* Items(int Index) const;
  int FindIndex(const TiOPCItem* Item) const;
  bool GetIsDesigning() const;
  TObject* GetOwner() const { return FOwner; }
  // True while ReadFromStream reads (the items' Loaded registers them).
  bool GetReading() const { return FReading; }

  bool DoWriteToStream() const { return Count() > 0; }
  // One group of lines per item, "Item0", "Item1", ...
  void WriteToStream(TStrings* Lines) const;
  // Frees the items, then makes one per "ItemN" group at the top of Lines,
  // reads it and runs its Loaded.
  void ReadFromStream(TStrings* Lines);

  TOPCGetDesigningEvent OnGetDesigning;
  TNotifyEvent OnNewData;
  TOPCItemGetDataTypeEvent OnGetType;

 private:
  std::vector<TiOPCItem*> FList;
  TObject* FOwner;
  bool FReading = false;
};
