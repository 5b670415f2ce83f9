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
#include <span>
#include <string_view>
#include <vector>

#include "link/LinkEngine.h"
#include "model/UnitFile.h"
#include "model/UnitOwner.h"
#include "platform/classlib/Forms.h"
#include "platform/net/ClientSocket.h"

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

  // strip view state goes below


  // band editing state goes below


  // levels and links state goes below


  // delay and dynamics state goes below


  // matrix and effect bus state goes below

};

class TfmMain : public TForm, private MainFormState, public UnitOwner, public LinkOwner {
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
  std::string GetLangText(std::string_view key) const;
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
  // strip view: declarations of this role go below


  // ---- PEQ band, high/low-pass editing and dragging on the plots
  // Writes a band into the band panel of the strip's side.
  void ShowBandPanel(int strip, bool enable, double frequency, double gain, double q);
  void FocusBandFreqBox(int strip);
  // Resets every band of a strip to the model's default band.
  void ResetStripPeq(int strip);
  // band editing: declarations of this role go below


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
  void ApplyLinks();
  void UpdateLinkOverlays(int strip, bool show);
  void UpdateLinkCaption(int leader, int strip);
  void SetChannelName(int strip, const std::string& name);
  std::string GetChannelName(int strip) const;
  // levels and links: declarations of this role go below


  // ---- Delay, compressor and gate pages, typed entry
  void rzbUnit0Click(TObject* Sender);
  void SetCompParam(int strip, int field, int value);
  void SetGateParam(int strip, int field, int value);
  void SelectCompStrip(int strip);
  void SelectGateStrip(int strip);
  // delay and dynamics: declarations of this role go below


  // ---- Matrix page and effect bus
  void UpdateMatrixEnables();
  void DrawMatrix();
  // matrix and effect bus: declarations of this role go below



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
  bool OnlineWithoutUsb() const;
  sys::MessageTarget* LinkTarget();
  void TakeLinkLogLines();
  // The progress window's bar and status line, when the window exists.
  void SetProgress(const std::string& statusKey, int max);
  // Ends a transfer's progress window, also one whose showing is still due.
  void CloseProgress();
  void ShowInformation(std::string_view key);
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

  // Each role builds its own controls, owned by the window.
  void CreateShellControls();
  void CreateStripControls();
  void CreatePageControls();

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
