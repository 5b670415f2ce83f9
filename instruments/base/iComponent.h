#pragma once
// TiComponent: the root of the library's visible controls. It paints
// double-buffered through one operation (iPaintToCanvas), turns property
// changes into repaint requests that can be bracketed and held to a frame
// rate (the program-wide TiUpdateObject completes held ones), forwards keys,
// mouse and focus to hooks with the user-generated flag set, and keeps the
// request-edit and protected-change events of its descendants.

#include <functional>
#include <memory>
#include <string>

#include "instruments/base/iProperties.h"
#include "instruments/opc/iOPCVariant.h"
#include "platform/classlib/StringList.h"
#include "platform/classlib/Controls.h"
#include "platform/sys/DateTime.h"

enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
enum TiRepaintKind { irkInvalidate, irkBackGround, irkNone };

using TiPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TChangePropertyEvent = std::function<void(TObject* Sender, const std::string& PropName)>;
using TRequestEditEvent = std::function<void(TObject* Sender, const std::string& PropName, bool& CanEdit)>;
using TGetDesigningEvent = std::function<void(TObject* Sender, bool& Designing)>;

// What the repaint scheduler asks of each control.
class IiUpdateClient {
 public:
  virtual ~IiUpdateClient() = default;
  virtual bool GetUpdateActive() const = 0;
  virtual bool GetNeedsRepaint() const = 0;
  virtual int GetRepaintFrameRate() const = 0;
  virtual TDateTime GetLastUpdate() const = 0;
  virtual void DoRepaint() = 0;
};

class TiComponent : public TCustomControl, public IiUpdateClient {
 public:
  explicit TiComponent(TComponent* AOwner);
  ~TiComponent() override;

  // IiUpdateClient.
  bool GetUpdateActive() const override { return FUpdateActive; }
  bool GetNeedsRepaint() const override { return FNeedsRepaint; }
  int GetRepaintFrameRate() const override { return FUpdateFrameRate; }
  TDateTime GetLastUpdate() const override { return FLastUpdate; }
  void DoRepaint() override { InvalidateNow(); }

  bool GetAutoFrameRate() const { return FAutoFrameRate; }
  void SetAutoFrameRate(bool Value);
  int GetUpdateFrameRate() const { return FUpdateFrameRate; }
  void SetUpdateFrameRate(int Value);
  bool GetOptionSaveAllProperties() const { return FOptionSaveAllProperties; }
  void SetOptionSaveAllProperties(bool Value) { FOptionSaveAllProperties = Value; }
  TColor GetBackGroundColor() const { return FBackGroundColor; }
  virtual void SetBackGroundColor(TColor Value);
  TiBevelStyle GetBorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TiBevelStyle Value);
  bool GetCachedDrawing() const { return FCachedDrawing; }
  virtual void SetCachedDrawing(bool Value);
  void SetEnabled(bool Value) override;

  bool GetErrorActive() const { return FErrorActive; }
  void SetErrorActive(bool Value);
  const std::string& GetErrorText() const { return FErrorText; }
  void SetErrorText(const std::string& Value) { SetStringProperty(Value, FErrorText, irkBackGround); }
  TColor GetErrorBackGroundColor() const { return FErrorBackGroundColor; }
  void SetErrorBackGroundColor(TColor Value) {
    SetColorProperty(Value, FErrorBackGroundColor, irkBackGround);
  }
  TFont* GetErrorFont() const { return FErrorFont.get(); }

  bool GetUserGenerated() const { return FUserGenerated; }
  bool GetHasFocus() const { return FHasFocus; }
  bool GetBackGroundChanged() const { return FBackGroundChanged; }
  // The cache bitmap for descendants, made with the current size on demand.
  TBitmap* GetBackGroundBitmap();
  bool HasBackGroundBitmap() const { return FBackGroundBitmap != nullptr; }
  // A picture stretched over the control instead of the background colour.
  void SetBackGroundPicture(const TBitmap* Value);

  virtual TPoint GetCenterPoint() const;
  bool GetIsDesigning() const;
  bool IsLoading() const;
  TTypeKind GetPropertyKind(const std::string& PropertyName);
  // A descendant's setter reports a changed value for the OPC binding;
  // true when it was sent to a server. Nothing here.
  virtual bool OPCPropertyChanged(const std::string& /*PropertyName*/, const TiOPCVariant& /*Value*/) {
    return false;
  }

  // Repaint requests.
  void InvalidateNow();
  void InvalidateIfDue();
  void InvalidateChange();
  void BackGroundChange();
  virtual void RepaintAll() { BackGroundChange(); }
  virtual void BeginUpdate();
  virtual void EndUpdate();

  virtual void Lock() = 0;
  virtual void Unlock() = 0;

  // Draws the whole control on any canvas, top-left at (0, 0).
  virtual void iPaintToCanvas(TCanvas* Canvas) = 0;

  void SaveImageToBitmap(const std::string& FileName);
  virtual void SavePropertiesToFile(const std::string& FileName);
  virtual void LoadPropertiesFromFile(const std::string& FileName);

  TiPaintEvent OnPaint;
  TChangePropertyEvent OnChangeProtected;
  TRequestEditEvent OnRequestEdit;
  TGetDesigningEvent OnGetDesigning;

 protected:
  void Paint() override;
  virtual void DrawBackGround(TCanvas* Canvas, TColor Color);
  virtual void DrawBorder(TCanvas* Canvas);
  // Collections that the properties text holds after the published
  // properties ("Name.ItemN.Property = Value" lines); reading takes their
  // lines out of Lines before the published properties are read.
  virtual void WriteStreamedCollections(TStrings* /*Lines*/) {}
  virtual void ReadStreamedCollections(TStrings* /*Lines*/) {}

  virtual bool InternalTimerRunning() const = 0;
  virtual void InternalTimerStart(int InitialDelay, int Interval) = 0;
  virtual void InternalTimerStop() = 0;

  virtual void DoSetFocus();
  virtual void DoKillFocus();
  virtual void iKeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void iKeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void iKeyPress(char32_t& Key);
  virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void iMouseMove(TShiftState Shift, int X, int Y);
  virtual void iDoubleClick();
  virtual bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);

  // Input from the class library, forwarded to the hooks above.
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  // Store-on-change setters for descendants: an equal value changes nothing.
  void SetBooleanProperty(bool Value, bool& Field, TiRepaintKind Kind);
  void SetIntegerProperty(int Value, int& Field, TiRepaintKind Kind);
  void SetStringProperty(const std::string& Value, std::string& Field, TiRepaintKind Kind);
  void SetColorProperty(TColor Value, TColor& Field, TiRepaintKind Kind);
  void DoRepaintKind(TiRepaintKind Kind);

  // The request-edit veto, then nothing else: true when the change may go on.
  bool CanEditProperty(const std::string& PropName);
  void DoChangeProtected(const std::string& PropName);

  bool FLoading = false;
  bool FShowDisabledState = false;
  int FOffsetX = 0;
  int FOffsetY = 0;

 private:
  // Runs fn with the user-generated flag set.
  template <class F>
  void AsUser(F&& fn);

  bool FUpdateActive = false;
  int FUpdateFrameRate = 60;
  TDateTime FLastUpdate = 0;
  bool FNeedsRepaint = false;
  std::unique_ptr<TBitmap> FBackGroundBitmap;
  std::unique_ptr<TBitmap> FBackGroundPicture;
  TColor FBackGroundColor = clBtnFace;
  bool FBackGroundChanged = true;
  TiBevelStyle FBorderStyle = ibsNone;
  bool FHasFocus = false;
  bool FAutoFrameRate = false;
  bool FCachedDrawing = true;
  bool FOptionSaveAllProperties = false;
  bool FUserGenerated = false;
  bool FErrorActive = false;
  std::string FErrorText = "Error";
  TColor FErrorBackGroundColor = 0;
  std::unique_ptr<TFont> FErrorFont;
};
