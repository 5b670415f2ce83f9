#pragma once
// TiVCLComponent completes the component base for windowed controls: the
// data lock, an internal timer, transparency over the parent, painting into
// another canvas, image export, property setting by dotted path and the
// binding of published properties to OPC items.
// TiCustomComponent adds nothing; every concrete control derives from it.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "instruments/base/iComponent.h"
#include "instruments/opc/iOPCItem.h"
#include "platform/classlib/StringList.h"

class TJPEGImage;
class TTimer;

using TIndexObjectEvent = std::function<void(TObject* Sender, int Index)>;
using TBeforeOPCNewDataEvent = std::function<void(TObject* Sender, int Index, TiOPCVariant& Data)>;

class TiVCLComponent : public TiComponent {
 public:
  explicit TiVCLComponent(TComponent* AOwner);
  ~TiVCLComponent() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Lock() override;
  void Unlock() override;
  void RepaintAll() override;

  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  // Paints the control onto Canvas at (X, Y); with Transparent the
  // background is left as the canvas has it.
  void iPaintToDC(int X, int Y, bool Transparent, TCanvas* Canvas);
  // An enhanced metafile of the control (creator "Vantor", no description).
  void SaveImageToMetaFile(const std::string& FileName);
  void SaveImageToJPEG(const std::string& FileName, int Compression, bool Progressive);
  void SaveImageToPNG(const std::string& FileName, int Compression);
  std::vector<std::uint8_t> GetBytesJPEG(int Compression, bool Progressive);
  std::vector<std::uint8_t> GetBytesPNG(int Compression);
  // The control as a JPEG picture of that quality (1 to 100).
  std::unique_ptr<TJPEGImage> CreateJPEGImage(int Compression, bool Progressive);

  // Sets the published property at the dotted Path below Instance from text.
  static void SetPropertyByPath(TObject* Instance, const std::string& Prefix, const std::string& Value,
                                const std::string& Path);

  // ---- theme schemes: named sets of property values per category, read
  // from the library's and the user's theme files of the control's class.
  void LoadThemes();
  int GetThemeCategoryCount() const;
  std::string GetThemeCategoryName(int CategoryIndex) const;
  int GetThemeCategorySchemeCount(int CategoryIndex) const;
  std::string GetThemeCategorySchemeName(int CategoryIndex, int SchemeIndex) const;
  bool GetThemeCategorySchemeIsUser(int CategoryIndex, int SchemeIndex) const;
  void ApplyScheme(int CategoryIndex, int SchemeIndex);
  // The library's and the user's theme folders, each "" or ending in "/".
  static void GetThemeFolders(std::string& LibraryFolder, std::string& UserFolder);

  // ---- OPC items, by index; each binds a published property (dotted
  // path) to an OPC data item.
  int OPCAddItem();
  int OPCItemCount() const;
  void OPCRemoveAllItems();
  void OPCDeleteItem(int Index);
  void OPCItemActivate(int Index);
  void OPCItemDeactivate(int Index);
  void OPCItemUpdateResume(int Index);
  void OPCItemUpdateSuspend(int Index);
  void OPCItemLoaded(int Index);
  void SetOPCItemData(int Index, const TiOPCVariant& Value);
  TiOPCVariant GetOPCItemData(int Index) const;
  void SetOPCItemComputerName(int Index, const std::string& Value);
  void SetOPCItemServerName(int Index, const std::string& Value);
  void SetOPCItemItemName(int Index, const std::string& Value);
  void SetOPCItemPropertyName(int Index, const std::string& Value);
  void SetOPCItemAutoConnect(int Index, bool Value);
  void SetOPCItemUpdateRate(int Index, int Value);
  std::string GetOPCItemComputerName(int Index) const;
  std::string GetOPCItemServerName(int Index) const;
  std::string GetOPCItemItemName(int Index) const;
  std::string GetOPCItemPropertyName(int Index) const;
  bool GetOPCItemAutoConnect(int Index) const;
  int GetOPCItemUpdateRate(int Index) const;
  std::uint16_t GetOPCItemQuality(int Index) const;
  TDateTime GetOPCItemTimeStamp(int Index) const;
  TiOPCItemManager* GetOPCItemManager() const { return FOPCItemManager.get(); }

  // A new value of an item: applied to its property when the quality is
  // good (unless OPCSpecialData takes it), then OnNewOPCData.
  void OPCNewData(TiOPCItem* Item);
  // A descendant's setter reports a change: sent to every active item bound
  // to that property, unless the change came from OPC itself. True when
  // sent.
  bool OPCPropertyChanged(const std::string& PropertyName, const TiOPCVariant& Value) override;
  // Lets a descendant apply an incoming value itself (true: applied).
  virtual bool OPCSpecialData(const std::string& PropertyName, TiOPCVariant& Data);

  TIndexObjectEvent OnNewOPCData;
  TBeforeOPCNewDataEvent OnBeforeNewOPCData;

  bool InternalTimerRunning() const override;
  void InternalTimerStart(int InitialDelay, int Interval) override;
  void InternalTimerStop() override;

  TNotifyEvent OnInternalTimer;

 protected:
  void DrawBackGround(TCanvas* Canvas, TColor Color) override;
  // "OPCItems", when there are any.
  void WriteStreamedCollections(TStrings* Lines) override;
  void ReadStreamedCollections(TStrings* Lines) override;

 private:
  std::unique_ptr<TBitmap> PaintedBitmap();
  TStringList* Schemes(int CategoryIndex) const;
  // Reads one theme file into the categories; User marks its schemes.
  void LoadThemeFile(const std::string& FileName, bool User);
  std::unique_ptr<TStringList> FThemeCategoryList;
  void InternalTimerTick();

  std::recursive_mutex FDataCriticalSection;
  std::unique_ptr<TiOPCItemManager> FOPCItemManager;
  bool FOPCIncomingActive = false;
  bool FPaintDCTransparent = false;
  bool FTransparent = false;
  std::unique_ptr<TTimer> FTimer;
  bool FTimerFirstMessage = false;
  int FTimerInterval = 0;
};

class TiCustomComponent : public TiVCLComponent {
 public:
  using TiVCLComponent::TiVCLComponent;
};
