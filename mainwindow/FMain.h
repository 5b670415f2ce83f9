#pragma once
// The editor's one main window. Its controls are built in code by role
// (shell, strip pages, parameter pages); families of like controls are found
// by the names built from a prefix and a strip suffix, so most controls have
// no member of their own.

#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "link/LinkEngine.h"
#include "model/UnitFile.h"
#include "model/UnitState.h"
#include "model/UnitOwner.h"
#include "platform/classlib/Forms.h"
#include "platform/net/ClientSocket.h"
#include "rs232codes/Rs232TextOwner.h"

class LUnitControl;
class LUsbProc;
class LCommProc;
class LNetProc;
class Plot;
class TJvHidDevice;
class TWindowTarget;
class LinkEngine;
class TClientSocket;
class TJvHidDeviceController;
class TMainMenu;
class TMemo;
class TTimer;
class LMyFFTDrawPhase;

// The page shown: 0..7 inputs A..H, 8..15 outputs 1..8, then the named pages.
using MainPage = int;
inline constexpr MainPage PageComp = 16;
inline constexpr MainPage PageDelay = 17;
inline constexpr MainPage PageEff = 18;
inline constexpr MainPage PageMatrix = 19;
inline constexpr MainPage PageGate = 20;
inline constexpr MainPage PageGain = 21;
inline constexpr int MainPageCount = 22;

// Plot indexes of the response plots: 0..15 the strips, then the two Gain
// page plots and the effect bus.
inline constexpr int PlotGainIn = 16;
inline constexpr int PlotGainOut = 17;
inline constexpr int PlotEff = 18;
inline constexpr int PlotCount = 19;

// The last band or cut edit waiting for its curve redraw.
struct PendingBandEditRecord {
  int Channel = 0;
  int Band = 0;
  int Kind = 0;
  double GainDb = 0;
  float Q = 0;
  float FreqHz = 0;
  int Bypass = 0;
  int TypeIndex = 0;
  int Slope = 0;
};

// The state the main window's roles share. Dialogs reach it only through
// the window's accessors.
struct MainFormState {
  std::unique_ptr<LUnitControl> UnitControl;
  TJvHidDevice* HidDevice = nullptr;
  int HidDeviceIndex = 0;
  std::unique_ptr<LUsbProc> UsbProc;
  std::unique_ptr<LCommProc> CommProc;
  std::string ComPortName;
  std::unique_ptr<LNetProc> NetProc;
  std::string Language;
  std::string FirmwareVersion;
  bool Starting = false;
  bool CloseConfirmed = false;
  int DeviceId = 1;
  bool Online = false;
  bool HelloPending = false;
  bool Connected = false;
  std::array<std::unique_ptr<Plot>, PlotCount> Plots;
  int DragHandle = -1;
  int LastDragHandle = -1;
  int CurrentStrip = 0;
  MainPage CurrentPage = PageGain;
  int PresetNumber = 0;
  bool Refreshing = false;
  int TransferKind = 0;
  int PendingOp = 0;
  int PresetIndex = 0;
  int PageCounter = 0;
  // The file read for a unit download: its device-info block and entries.
  UnitFileImage UnitImage{};
  PendingBandEditRecord PendingBandEdit;
  int CompStrip = 8;
  int GateStrip = 0;
  int ExtraHeight = 0;
  std::array<std::uint32_t, 18> OverlayStale{};
  int DelayDragging = 0;
  std::uint32_t DeviceIp = 0xC0A80165;  // 192.168.1.101
  int AutoIp = 0;
  int ShownStrip = 0;

  // Each curve timer has its own waiting edit (PendingBandEdit serves the
  // band faders), so an edit of one kind never lands on another.
  PendingBandEditRecord PendingCutEdit;
  PendingBandEditRecord PendingDragEdit;
  // The last pointer position the plots' move handler saw, for all plots.
  int LastPlotMouseX = -1;
  int LastPlotMouseY = -1;

  // Set while pbMatrix paints: the routing lines are drawn only then, on a
  // cleared surface.
  bool MatrixPainting = false;
};

class TfmMain : public TForm,
                private MainFormState,
                public UnitOwner,
                public LinkOwner,
                public Rs232TextOwner {
 public:
  explicit TfmMain(TComponent* AOwner);
  ~TfmMain() override;

  // Read-only view of the shared state (tests and diagnostics).
  const MainFormState& GetState() const { return *this; }

  void FormCreate(TObject* Sender);

  // UnitOwner
  std::uint8_t GetDeviceId() const override { return static_cast<std::uint8_t>(DeviceId); }
  bool IsRefreshing() const override { return Refreshing; }
  void SendCommand(const LCmd& command, bool append) override;
  // Sees every command the window sends, online or not, before the link
  // does (tests record the frames here); an empty function removes it.
  using SendSink = std::function<void(const LCmd& command, bool append)>;
  void SetSendSink(SendSink sink) { FSendSink = std::move(sink); }
  // The command a link stop follows: it goes out ahead of the queue.
  void SendLastCommand(const LCmd& command);
  void MarkOverlaysStale(int channel) override;
  void SetRecallPresetName(int row, const std::string& name) override;
  void SetStorePresetName(int row, const std::string& name) override;
  std::optional<std::string> AskUnitFileName() override;

  // The quit confirmation's answer; the close handler lets the program end
  // only while it is set.
  void SetCloseConfirmed(bool Value) { CloseConfirmed = Value; }
  // Returns the device to its factory settings.
  void FactoryReset();

  // ---- Shell (menus, top bar, page buttons, preset bar, timers, layout)
  // The component that holds every page box.
  TWinControl* GetMainBox() const { return FMainBox; }

  // The text of a key in the current language.
  std::string GetLangText(std::string_view key) const override;
  // Writes every language-dependent caption of the window, in a fixed
  // order; the first control missing by name ends the pass.
  void ApplyLanguage();
  // The visible items of the language menu.
  void ChineseSimplifiedClick(TObject* Sender);
  void EnglishClick(TObject* Sender);

  void FormResize(TObject* Sender);
  // The Delay page's time label beside its marker and the dashes up to it.
  void DrawDelayLine(int channel);
  void FormShow(TObject* Sender);
  // True while the client is smaller than the window's layout and scrolls.
  bool IsScrolling() const { return FScrolling; }

  // Writes the whole window from the model.
  void RefreshFromModel(LUnitControl* model);
  // Clears the selected band of every band table and plot.
  void DeselectPeqBands();
  // Copies the strip curves into the two Gain-page plots and redraws them.
  void RefreshGainOverlays();

  // ---- Strip curves, overlays, strip view and panel refill
  // The strip's PEQ sum on its plot; a sender that is not a response plot is
  // ignored.
  void DrawStripPeqCurve(TObject* plotControl);
  void DrawHighPassCurve(TObject* plotControl);
  void DrawLowPassCurve(TObject* plotControl);
  // One cut filter's sections and total into the strip's plot (slots from
  // baseSlot).
  void BuildCutCurve(bool isHighPass, int slope, double frequency, int baseSlot, int strip);
  void SelectFirstPeqBands();
  // The selected row of a band table when no band is selected.
  static constexpr int NoSelectedBand = 15;
  // Name suffix of a strip's own controls: "InA".."InH", "Out1".."Out8", "Eff".
  static std::string StripSuffix(int strip);
  // The overlay button of source strip on target plot (0..15, or the two
  // Gain-page plots); empty when there is none.
  static std::string OverlayButtonName(int source, int target);
  void vrbEqBypassInAClick(TObject* Sender);
  void rbShowGainInAClick(TObject* Sender);
  void rbShowPhaseInAClick(TObject* Sender);
  // One handler for the overlay buttons of target plot `target`.
  void vrbShowOverlayClick(TObject* Sender, int target);

  // Sets Refreshing for a scope and clears it on every way out.
  class RefreshGuard {
   public:
    explicit RefreshGuard(TfmMain& window) : FWindow(window) { FWindow.Refreshing = true; }
    ~RefreshGuard() { FWindow.Refreshing = false; }
    RefreshGuard(const RefreshGuard&) = delete;
    RefreshGuard& operator=(const RefreshGuard&) = delete;

   private:
    TfmMain& FWindow;
  };
  Plot* StripPlot(int strip) const;
  std::uint32_t& StaleMask(int target);
  void DrawCutCurve(TObject* plotControl, bool isHighPass);
  void SetStripView(TObject* Sender, bool phase);
  void WriteBypassCaption(LMyFFTDrawPhase* draw, bool bypassed);
  // Control writers of the refresh and the panel refill; a control missing
  // by name is skipped. The fader writer gives the position it took.
  int WriteFader(const std::string& name, int position);
  void WriteText(const std::string& name, const std::string& text);
  void WriteDown(const std::string& name, bool down);
  void WriteCutControls(const std::string& panel, bool lowCut, int slope, int freq);
  void WriteMicLine(const LUnitControl& model, const std::string& suffix, int strip);
  void WriteLevelControls(const LUnitControl& model, const std::string& suffix, int strip);
  void WriteStripPanel(const LUnitControl& model, int strip);
  void WriteBandTable(const LUnitControl& model, int strip);
  using TransferPoint = std::pair<double, double>;
  void WriteTransferCurve(const std::string& plotName, const std::array<TransferPoint, 3>& curve, double t);
  void RefreshInput(const LUnitControl& model, int strip);
  void RefreshEffectBus(const LUnitControl& model);
  void RefreshOutput(const LUnitControl& model, int strip);
  void RefreshDialogs(const LUnitControl& model);

  // ---- PEQ band, high/low-pass editing and dragging on the plots
  // Writes a band into the band panel of the strip's side.
  void ShowBandPanel(int strip, bool enable, double frequency, double gain, double q);
  void FocusBandFreqBox(int strip);
  // Resets every band of a strip to the model's default band.
  void ResetStripPeq(int strip);
  // Band tables, band keys, the band panel and its faders.
  void peqPeqInAChange(TObject* Sender);
  void peqPeqInAEditMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void peqPeqInAPeqTypeMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                  bool& Handled);
  void rzbEq1InAClick(TObject* Sender);
  void isEqFreqInAChange(TObject* Sender);
  void isEqBwInAChange(TObject* Sender);
  void isEqGainInAChange(TObject* Sender);
  void tmEqCurveTimer(TObject* Sender);
  void cvdEqFreqInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdEqFreqInAExit(TObject* Sender);
  void vrbEqResetInAClick(TObject* Sender);
  void vrbEqShowAllInAClick(TObject* Sender);
  // High-pass (low cut) and low-pass (high cut) of the In and Out panels.
  void isLowCutFreqInAChange(TObject* Sender);
  void isHighCutFreqInAChange(TObject* Sender);
  void rzcLowCutSlopInAChange(TObject* Sender);
  void rzcHighCutSlopInAChange(TObject* Sender);
  void rzbLowCutBypassInAClick(TObject* Sender);
  void rzbHighCutBypassInAClick(TObject* Sender);
  void tmHpLpCurveTimer(TObject* Sender);
  void rzcLowCutSlopInAMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                  bool& Handled);
  void rzcHighCutSlopInAMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                   bool& Handled);
  // Grabbing band and cut-off markers on the response plots.
  void fftDrawInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void fftDrawInAMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void fftDrawInAMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tmMouseEqCurveTimer(TObject* Sender);

 private:
  // One band of a strip's table into its plot: curve, marker, caption, sum.
  void DrawBandOnPlot(int strip, int row, bool recompute);
  // Selects a band of a strip: table mark, band panel and plot caption.
  void SelectBand(int strip, int row);
  // Stores a band for the strip's link group and shows it on the members'
  // tables.
  void StoreBand(int strip, int row);
  // The shared steps of a band fader: value box and the waiting edit.
  void BandFaderChanged(TObject* Sender, int kind);
  // The shared steps of a cut-off fader and of a slope or bypass change.
  void CutFaderChanged(TObject* Sender, bool highPass);
  void CutSlopeChanged(bool highPass);
  void DragBand(int strip, int band, double frequency, int gainTenths);
  void DragCutOff(int strip, bool highPass, double frequency);
  void BindCutEditingHandlers();
  void BindPlotDragHandlers();

 public:
  // ---- Level controls, link-group propagation, names, copy and links
  // Gain text of a GainPosition; the mic flag has no effect.
  std::string FormatGainText(int position, bool mic = false) const;
  // The link group of a strip, by the rule the model's setters share.
  int LinkGroupOf(int strip) const;
  void LinkGain(int strip, int position, bool mic);
  void LinkDelay(int strip, int samples, int markerLeft);
  void LinkComp(int strip, int field, int value);
  void LinkGate(int strip, int field, int value);
  void LinkPhase(int strip, bool on);
  void LinkMicLine(int strip, int step);
  void LinkMute(int strip, bool on);
  void LinkPhantom(int strip, bool on);
  void SetLinkMask(int channel, int mask);
  void CopyStrip(int source, int target, bool refresh);
  // The link dialog's copy onto a channel new to a group: that channel
  // alone, whatever group it stood in before.
  void CopyToNewMember(int leader, int member);
  void ApplyLinks();
  void UpdateLinkOverlays(int strip, bool show);
  void UpdateLinkCaption(int leader, int strip);
  void SetChannelName(int strip, const std::string& name);
  std::string GetChannelName(int strip) const;
  // Level handlers: the In/Out panel's act on CurrentStrip, the Gain page
  // copies' on their Tag, the feedback levels on ShownStrip.
  void isGainInAChange(TObject* Sender);
  void isGainBackupInAChange(TObject* Sender);
  void rzbPhaseInAClick(TObject* Sender);
  void rzbPhaseBackupInAClick(TObject* Sender);
  void rzbMuteInAClick(TObject* Sender);
  void rzbMuteBackupInAClick(TObject* Sender);
  void rzbLineInAClick(TObject* Sender);
  void rzbLineBackupInAClick(TObject* Sender);
  // Direction is the arrows' TUpDownDirection.
  void udLineInAChangingEx(TObject* Sender, int NewValue, int Direction);
  void udLineBackupInAChangingEx(TObject* Sender, int NewValue, int Direction);
  void rzbPhantomInAClick(TObject* Sender);
  void rzbPhantomBackupInAClick(TObject* Sender);
  void rzbFbtLevel0InAClick(TObject* Sender);
  void rzbGainSelInClick(TObject* Sender);
  // Opens the channel-name dialog for the clicked Matrix page name label.
  void lbMatrixChNameInAClick(TObject* Sender);
  // A strip's control of a family: the prefix, then the letter A..H of
  // inputs 0..7 or the digit 1..8 of outputs 8..15; null when missing.
  template <class T>
  T* FindStripControl(std::string_view prefix, int strip) const {
    if (strip < 0 || strip > 15) return nullptr;
    std::string name(prefix);
    name +=
        strip < 8 ? "In" + std::string(1, static_cast<char>('A' + strip)) : "Out" + std::to_string(strip - 7);
    return FindAs<T>(name);
  }
  // The members of a strip's link group, in rising channel order.
  std::vector<int> LinkMembers(int strip) const;
  // Shows a MicGainStep on a strip's Gain page line button, list, arrows
  // and phantom button; false when one of them is missing.
  bool ShowGainPageMicLine(int strip, int step);
  // The polarity, mute and phantom switches of the panel (which mirrors into
  // the strip's Gain page copy) and of the Gain page.
  enum class LevelSwitch { Phase, Mute, Phantom };
  void LevelSwitchClick(TObject* Sender, LevelSwitch kind, bool panel);

  // ---- Delay, compressor and gate pages, typed entry
  void rzbUnit0Click(TObject* Sender);
  void SetCompParam(int strip, int field, int value);
  void SetGateParam(int strip, int field, int value);
  void SelectCompStrip(int strip);
  void SelectGateStrip(int strip);
  // Delay page (one handler per family; the channel is the control's Tag).
  void isDelayInAChange(TObject* Sender);
  void lbDelayLineInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void lbDelayLineInAMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void lbDelayLineInAMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void cvdDelayInBKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdDelayInAExit(TObject* Sender);
  void rzbDelaySelInClick(TObject* Sender);
  // Comp and Gate pages: fader changes by field, presses that select a column.
  void isCompThresholdOut1Change(TObject* Sender);
  void isCompRatioOut1Change(TObject* Sender);
  void isCompAttackOut1Change(TObject* Sender);
  void isCompReleaseOut1Change(TObject* Sender);
  void isGateThresholdInAChange(TObject* Sender);
  void isGateAttackInAChange(TObject* Sender);
  void isGateReleaseInAChange(TObject* Sender);
  void isCompThresholdOut1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void cvdCompThresholdOut1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void lbCompOut1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void isGateThresholdInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void cvdGateThresholdInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void lbGateInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Typed compressor and gate values: Enter or leaving the box applies them.
  void cvdCompThresholdOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdCompThresholdOut1Exit(TObject* Sender);
  void cvdGateThresholdInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdGateThresholdInAExit(TObject* Sender);
  void cvdCompRatioOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdCompRatioOut1Exit(TObject* Sender);
  void cvdCompAttackOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdCompAttackOut1Exit(TObject* Sender);
  void cvdCompReleaseOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdCompReleaseOut1Exit(TObject* Sender);
  void cvdGateAttackInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdGateAttackInAExit(TObject* Sender);
  void cvdGateReleaseInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void cvdGateReleaseInAExit(TObject* Sender);
  // The transfer curves of an output's compressor and an input's gate,
  // drawn from the strip's faders on ipComp and ipGate.
  void DrawCompCurve(int strip);
  void DrawGateCurve(int strip);
  // Shared steps of the handler families above.
  void BindDynamicsHandlers();
  void DynamicsFaderChange(TObject* Sender, bool comp, int field);
  void ApplyTypedDelay(TObject* Sender);
  void ApplyTypedThreshold(TObject* Sender, std::string_view faderStem);
  void ApplyTypedRatio(TObject* Sender);
  void ApplyTypedTime(TObject* Sender, std::string_view faderStem);

  // ---- Matrix page and effect bus
  void UpdateMatrixEnables();
  void DrawMatrix();
  // The 72 routing keys of the outputs (the output from the key's name, the
  // source from its Tag: 0..7 inputs, 8 the effect bus).
  void rzbAMatrixOut1Click(TObject* Sender);
  // The eight keys of the inputs that feed the effect bus (Tag = input).
  void rzbAMatrixEffClick(TObject* Sender);
  // Block-diagram jumps to the page where the block is edited.
  void lbMatrixHpLpInAClick(TObject* Sender);
  void lbMatrixGateInAClick(TObject* Sender);
  void lbMatrixCompOut1Click(TObject* Sender);
  void lbMatrixCompEffClick(TObject* Sender);
  void lbMatrixDelayInAClick(TObject* Sender);
  // The hand cursor over every clickable block-diagram label.
  void lbMatrixChNameInAMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void lbMatrixChNameInAMouseLeave(TObject* Sender);
  void BlockDiagramClick(TObject* Sender);
  // The Eff page.
  void isGainEffChange(TObject* Sender);
  void rzbMuteEffClick(TObject* Sender);
  void vrbEqBypassEffClick(TObject* Sender);
  void isCompThresholdEffChange(TObject* Sender);
  void rzbOnOffEffClick(TObject* Sender);
  void rzbAutoMixOnOffEffClick(TObject* Sender);
  void rzbCameraOnOffEffClick(TObject* Sender);
  // The Set keys fill their dialog from the model, then show it modally.
  void rzbCompSetEffClick(TObject* Sender);
  void rzbEffectSetEffClick(TObject* Sender);
  void rzbAutoMixSetEffClick(TObject* Sender);
  void rzbCameraSetEffClick(TObject* Sender);
  // What the effect-bus dialogs and the group and sub-control dialogs store
  // and send through. All but SetEffectVolume, SetCameraDefault, SetEcho and
  // SetReverb do nothing while the window is refreshing.
  // Gate 18 is the automix gate, any other the camera gate.
  void SetMixGate(int gate, const MixGateRecord& record);
  void SetAutoMixSlope(int slope);
  void SetSubCtrl(int index, const SubCtrlRecord& record);
  void SetGroupCtrl(int index, const GroupCtrlRecord& record);
  // Sends the volume with the effect's on/off state the model holds.
  void SetEffectVolume(int volume);
  // The camera dialog's item 0..7 (InA..InH); the device counts the default
  // position from 1, as its factory set (1, the first input) shows.
  void SetCameraDefault(int item);
  // Echo and reverb words (low half first), stored without sending: the
  // dialog sends them itself.
  void SetEcho(std::uint32_t word0, std::uint32_t word1);
  void SetReverb(std::uint32_t word0, std::uint32_t word1);
  void BindEffectBusHandlers();

  // ---- Link road: send funnel and link glue
  void SetLinkTimeout(std::uint32_t ms);
  void SetLinkRetries(int count);
  void SetKeepAliveOff(bool off);
  void SetDeviceId(int id);
  bool IsConnected() const { return Connected; }
  bool IsOnline() const { return Online; }
  int GetLinkMask(int channel) const;
  void SetComPortName(const std::string& name) { ComPortName = name; }
  const std::string& GetComPortName() const { return ComPortName; }
  std::uint32_t GetDeviceIp() const { return DeviceIp; }
  int GetAutoIp() const { return AutoIp; }
  void SetAutoIp(int value) { AutoIp = value; }
  bool HasHidDevice() const { return HidDevice != nullptr; }
  const std::string& GetLanguage() const { return Language; }
  // A UTF-8 text in the ANSI code page the device's names use.
  static std::string WideToAnsi(std::string_view text);
  void RecheckOutHidDevice();
  void DiscoverNetworkDevice();
  // LinkOwner: the physical writes and the serial traffic lines.
  bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) override;
  bool WriteUsbReport(const std::uint8_t* data, std::size_t size, std::string& error) override;
  void LogSerialWrite(const std::uint8_t* data, std::size_t size) override;
  void LogSerialRead(const std::uint8_t* data, std::size_t size) override;
  // HID device controller events.
  void HidCtlDeviceChange(TObject* Sender);
  bool HidCtlEnumerate(TJvHidDevice* HidDev, int Idx);
  void HidCtlDeviceData(TJvHidDevice* HidDev, std::uint8_t ReportID, const std::uint8_t* Data,
                        std::uint16_t Size);
  void HidCtlDeviceDataError(TJvHidDevice* HidDev, std::uint32_t Error);
  void HidCtlDeviceUnplug(TJvHidDevice* HidDev);

  // ---- Link road: connect, handshake, replies
  void ConnectSerial();
  void ConnectUsb();
  void ConnectNetwork();
  void Disconnect();
  void Dispatch(TMessage& Message) override;
  void WMLinkFrame(TMessage& Message);
  void WMLinkTimeout(TMessage& Message);
  // The open engine in the order serial, USB, network; null when none.
  LinkEngine* OpenLink() const;

  // ---- Menus, page navigation and command handlers
  void SetRefreshing(bool value);
  void rzbMenuInAClick(TObject* Sender);
  void rzbMenuLinkClick(TObject* Sender);
  void ConnectedClick(TObject* Sender);
  void OpenClick(TObject* Sender);
  void SaveClick(TObject* Sender);
  void UploadClick(TObject* Sender);
  void DownloadClick(TObject* Sender);
  void FactoryDefaultClick(TObject* Sender);
  void MemorizeClick(TObject* Sender);
  void SettingIDClick(TObject* Sender);
  void NetworkSetupClick(TObject* Sender);
  void Rs232CodeClick(TObject* Sender);
  void bStoreClick(TObject* Sender);
  void bRecallClick(TObject* Sender);
  void RefreshStripOverlays(int page);
  void ShowStripParameters(int page);

  // ---- Link road: timers, socket events, closing
  void tmDisconnectTimer(TObject* Sender);
  void tmComScanTimer(TObject* Sender);
  void tmLockPromptTimer(TObject* Sender);
  void tmProcessShowTimer(TObject* Sender);
  void tmUploadTimer(TObject* Sender);
  void tmInLevelDetTimer(TObject* Sender);
  void ClientSocketConnecting(TObject* Sender, TCustomWinSocket* Socket);
  void ClientSocketConnect(TObject* Sender, TCustomWinSocket* Socket);
  void ClientSocketRead(TObject* Sender, TCustomWinSocket* Socket);
  void ClientSocketError(TObject* Sender, TCustomWinSocket* Socket, TErrorEvent ErrorEvent, int& ErrorCode);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ExitClick(TObject* Sender);

  // ---- Link road: upload, presets, levels, files
  void OnLockStatus(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnStoredFlags(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnPresetNumber(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnDeviceIp(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnPresetName(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnGroupCtrlRecords(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnStatePacket(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnSlotPacket(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnDownloadBlock(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnLevels(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void OnGateLevels(std::uint8_t deviceId, std::span<const std::uint8_t> payload);
  void ResetMeters();
  void StartSlotRead(int slot);
  void DownloadNextRecord(int entry);
  void StorePreset(int slot, const std::string& name);
  void RecallPreset(int n);
  void SetDeviceIp(std::uint32_t ip);
  void SavePresetFile();
  void OpenPresetFile();
  void UploadUnitFile();
  void DownloadUnitFile();

 private:
  void BindLinkRoad();
  void BindCommands();
  // Each page role binds the handlers of the controls it serves.
  void BindStripViewHandlers();
  void BindBandEditingHandlers();
  void BindLevelHandlers();
  void BindDelayDynamicsHandlers();
  void BindMatrixEffectHandlers();
  int PageLeader(int page) const;
  void SendCopyChannel(int source, int target);
  bool OnlineWithoutUsb() const;
  sys::MessageTarget* LinkTarget();
  void TakeLinkLogLines();
  // The progress window's bar and status line, when the window exists.
  void SetProgress(const std::string& statusKey, int max);
  // Ends a transfer's progress window, also one whose showing is still due.
  void CloseProgress();
  void ShowInformation(std::string_view key);
  // The message of a save that failed or met a read-only file.
  void ShowSaveFailure(FileStatus status);
  void OnHelloAnswer();
  void OnIdentity(std::span<const std::uint8_t> payload, bool storeFirmware);
  void OnAcknowledge();
  void StopOpenLinks();
  // Traffic lines reach the traffic window on the user-interface thread.
  enum class TrafficKind { Usb, Net, Serial };
  void AddTrafficLine(TrafficKind kind, std::string line);
  void DrainTrafficLines();
  template <class T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }
  // A timer of the window by name; null when absent.
  class TTimer* FindTimer(std::string_view name) const;
  void StartTimer(std::string_view name, bool enabled = true) const;

  std::unique_ptr<TWindowTarget> FLinkTarget;
  SendSink FSendSink;
  static constexpr unsigned WM_TRAFFIC_LINES = WM_USER + 0x160;
  std::mutex FTrafficLock;
  std::vector<std::pair<TrafficKind, std::string>> FTrafficLines;
  bool FTrafficPosted = false;
  // A refused identity's message opens after the frame's delivery returned.
  static constexpr unsigned WM_SHOW_REFUSAL = WM_USER + 0x161;
  // The scan stops an attempt's engine when its watchdog gives up, and
  // ends the progress window when the link breaks.
  friend class TfmNetwork;
  // A lost link (time-out, unplug): the link stops and the scan comes back.
  static constexpr unsigned WM_LINK_LOST = WM_USER + 0x162;
  void LinkLost();
  std::string FRefusalKey;
  // A unit upload runs, and waits for the device-info block.
  bool FUnitUploadRunning = false;
  bool FWaitingDeviceInfo = false;
  // A reply that answered its request but could not be read: the request
  // goes out again, up to the link's retry limit, then the link is lost.
  void AskAgain();
  // A reply dropped unread (unasked, or asked already), for the traffic window.
  void NoteDroppedReply(const ByteVector& frame);
  // Every transfer and its progress window end with a lost link.
  void EndTransfers();
  std::optional<LCmd> FLastRequest;
  int FAskedAgain = 0;
  // The model as it was when the parameter upload began, put back when the
  // link is lost before the upload ends.
  std::optional<UnitState> FModelBeforeUpload;

  // Each role builds its own controls, owned by the window.
  void CreateShellControls();
  void CreateStripControls();
  void CreatePageControls();
  // The splash screen asScreen, up while the window is built.
  void CreateSplashScreen();

  // Shell construction by part.
  void CreateMenus();
  void CreateTopBar();
  void CreatePresetBar();
  void CreateFrameImages();
  void CreateTimers();
  void CreateHiddenComponents();

  // Start-up steps that reach controls of other roles by name.
  void CreatePlots();
  // Gives the B..H and 2..8 controls the faces of input A, output 1 and the
  // hidden fader; false at the first name that is missing.
  bool CopyControlFaces();
  // Seeds the Comp and Gate pages' transfer curves with their start points.
  void SeedTransferPlots();
  // "ID : n" on the preset bar.
  void ShowDeviceId();
  // The one-shot start of the connect step.
  void tmStartConnectTimer(TObject* Sender);
  // The language items' shared steps: Tag 0, 1, 2 as in the menu.
  void SelectLanguage(TObject* Sender);

  TWinControl* FMainBox = nullptr;  // rzgMain
  TMainMenu* FMainMenu = nullptr;
  TMemo* FEnglishMemo = nullptr;              // moEnglish
  TMemo* FSimplifiedMemo = nullptr;           // moSimplified
  TTimer* FStartConnectTimer = nullptr;       // tmStartConnect
  TClientSocket* FClientSocket = nullptr;     // ClientSocket
  TJvHidDeviceController* FHidCtl = nullptr;  // HidCtl
  bool FScrolling = false;
  bool FHoldResize = false;
};

// The main window; null until it is created and after it is freed.
extern TfmMain* fmMain;
