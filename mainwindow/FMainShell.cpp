// The main window's start-up, its language tables and captions, and its
// layout on resizing.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "instruments/plot/iXYPlot.h"
#include "dialogs/Flinksel.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "mainwindow/FMainLayout.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/net/ClientSocket.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

namespace {

const std::string InputLetters = "ABCDEFGH";

std::string InName(std::string_view prefix, int i) {
  return std::string(prefix) + InputLetters[static_cast<std::size_t>(i)];
}
std::string OutName(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

// ---------------------------------------------------------------- captions

enum class CaptionRule {
  Text,        // the text of Key
  WhenDown,    // Key while the button is down, else Key2
  WhenOnline,  // Key while online, else Key2
  BandTable,   // the band table's type and bypass texts
  GateName,    // the Gate page heading of the selected input
  CompName,    // the Comp page heading of the selected output
};

struct CaptionStep {
  std::string Name;
  CaptionRule Rule;
  std::string_view Key;
  std::string_view Key2;
};

class CaptionPlan {
 public:
  void Text(const std::string& name, std::string_view key) {
    FSteps.push_back({name, CaptionRule::Text, key, {}});
  }
  // Names and keys side by side.
  void Texts(std::initializer_list<std::string_view> names, std::initializer_list<std::string_view> keys) {
    auto key = keys.begin();
    for (std::string_view name : names) Text(std::string(name), *key++);
  }
  void Rule(const std::string& name, CaptionRule rule, std::string_view key = {},
            std::string_view key2 = {}) {
    FSteps.push_back({name, rule, key, key2});
  }
  void Phase(const std::string& name) { Rule(name, CaptionRule::WhenDown, "SID_PHASE_ON", "SID_PHASE_OFF"); }
  void MicLine(const std::string& name) {
    Rule(name, CaptionRule::WhenDown, "SID_POTENT_MIC", "SID_POTENT_LINE");
  }
  // The four captions above a strip's plot.
  void PlotBar(const std::string& strip) {
    Text("lbFftParam" + strip, "SID_PARAM_KEY");
    Text("vrbEqShowAll" + strip, "SID_SHOW_ALL_EQ");
    Text("vrbEqReset" + strip, "SID_RESET_EQ");
    Text("vrbEqBypass" + strip, "SID_BYPASS_EQ");
  }
  // A parameter panel's band and cut-filter captions.
  void EqPanel(const std::string& s, std::string_view title) {
    Text("lbEqParam" + s, "SID_EQ_PARAM");
    Text("lbEqFreq" + s, "SID_EQ_FREQ");
    Text("lbEqBw" + s, "SID_EQ_BW");
    Text("lbEqGain" + s, "SID_EQ_GAIN");
    Text("lbEq" + s, title);
  }
  void CutPanel(const std::string& s) {
    Text("lbLowCutFreq" + s, "SID_HPF");
    Text("lbLowCutSlop" + s, "SID_HLP_SLOP");
    Text("rzbLowCutBypass" + s, "SID_HLP_BYPASS");
    Text("lbHighCutFreq" + s, "SID_LPF");
    Text("lbHighCutSlop" + s, "SID_HLP_SLOP");
    Text("rzbHighCutBypass" + s, "SID_HLP_BYPASS");
  }
  std::vector<CaptionStep> Take() { return std::move(FSteps); }

 private:
  std::vector<CaptionStep> FSteps;
};

// Every language-dependent caption of the window, in the order written.
const std::vector<CaptionStep>& CaptionSteps() {
  static const std::vector<CaptionStep> steps = [] {
    CaptionPlan p;
    p.Texts({"File", "Open", "Save", "Upload", "Download", "FactoryDefault", "Exit", "BlockDiagram"},
            {"SID_FILE", "SID_OPEN", "SID_SAVE", "SID_UPLOAD", "SID_DOWNLOAD", "SID_RETRUN_FACTORY",
             "SID_FILE_EXIT", "SID_BLOCK"});
    p.Rule("Connected", CaptionRule::WhenOnline, "SID_DISCONNECT", "SID_CONNECT");
    p.Texts({"Connect", "ConnectHelp", "Lock", "LockSetup"},
            {"SID_CONNECT", "SID_CONNECT_HELP", "SID_LOCK", "SID_LOCK_SETUP"});
    p.Texts({"WorkingStatus", "Memorize", "Forget", "U01"},
            {"SID_WORK_STATUS", "SID_MEMORIZE", "SID_FORGET", "SID_U01"});
    p.Texts({"SettingID", "NetworkSetup", "TestTone", "Link", "Copy", "ChNameList", "SubCtrl", "GroupCtrl"},
            {"SID_SET_ID", "SID_SET_NETWORK", "SID_TEST_TONE", "SID_LINK", "SID_COPY", "SID_CH_NAME_LIST",
             "SID_SUB_CTRL", "SID_GROUP_CTRL"});
    p.Texts(
        {"LanguageSel", "ChineseSimplified", "ChineseTraditional", "English", "Help", "Rs232Code", "About"},
        {"SID_LANGUAGE", "SID_CHINESE_SIMPLIFIED", "SID_CHINESE_TRODITIONAL", "SID_ENGLISH", "SID_HELP",
         "SID_RS232_CODE", "SID_ABOUT"});
    p.Rule("rzbMenuLink", CaptionRule::WhenOnline, "SID_ONLINE", "SID_OFFLINE");
    p.Texts({"lPstNum", "lPstName", "bStore", "bRecall"},
            {"SID_PST_NUM", "SID_PST_NAME", "SID_BT_STORE", "SID_BT_RECALL"});
    for (int i = 0; i < 8; ++i) {
      p.Text(InName("rzbMuteBackupIn", i), "SID_MUTE");
      p.Phase(InName("rzbPhaseBackupIn", i));
      p.MicLine(InName("rzbLineBackupIn", i));
    }
    for (int i = 0; i < 8; ++i) p.Rule(InName("peqPeqIn", i), CaptionRule::BandTable);
    for (int n = 1; n <= 8; ++n) {
      p.Text(OutName("rzbMuteBackupOut", n), "SID_MUTE");
      p.Phase(OutName("rzbPhaseBackupOut", n));
      p.Rule(OutName("peqPeqOut", n), CaptionRule::BandTable);
    }
    p.Texts({"lbGainInput", "lbGainOutput", "lbGainSel", "rzbGainSelIn", "rzbGainSelOut", "lbDelaySel",
             "rzbDelaySelIn", "rzbDelaySelOut", "lbDelayInput", "lbDelayOutput"},
            {"SID_IN", "SID_OUT", "SID_CH_SELECT", "SID_IN", "SID_OUT", "SID_CH_SELECT", "SID_IN", "SID_OUT",
             "SID_IN", "SID_OUT"});
    p.Texts({"lbDelayUnit", "lbFftDelayIn", "lbFftDelayOut", "rzbUnit0", "rzbUnit1", "rzbUnit2",
             "lbFftGainIn", "lbFftGainOut"},
            {"SID_DELAY_UNIT", "SID_IN_DELAY", "SID_OUT_DELAY", "SID_UNIT_MS", "SID_UNIT_M", "SID_UNIT_FT",
             "SID_IN", "SID_OUT"});
    for (int i = 0; i < 8; ++i) p.PlotBar(InName("In", i));
    for (int n = 1; n <= 8; ++n) p.PlotBar(OutName("Out", n));
    p.Texts({"lbGainInA", "rzbMuteInA"}, {"SID_GAIN", "SID_MUTE"});
    p.Phase("rzbPhaseInA");
    p.MicLine("rzbLineInA");
    p.EqPanel("InA", "SID_EQ_PARAM_TITLE");
    p.CutPanel("InA");
    p.Text("lbFbtInA", "SID_MIC_FBQ");
    p.Texts({"rzbFbtLevel0InA", "rzbFbtLevel1InA", "rzbFbtLevel2InA", "rzbFbtLevel3InA", "rzbFbtLevel4InA"},
            {"SID_MIC_FBT0", "SID_MIC_FBT1", "SID_MIC_FBT2", "SID_MIC_FBT3", "SID_MIC_FBT4"});
    p.Rule("lbGateName", CaptionRule::GateName, "SID_GATE");
    for (int i = 0; i < 8; ++i) {
      p.Text(InName("lbGateThresholdIn", i), "SID_COMP_THRESHOLD");
      p.Text(InName("lbGateAttackIn", i), "SID_COMP_ATTACK");
      p.Text(InName("lbGateReleaseIn", i), "SID_COMP_RELEASE");
    }
    p.Texts(
        {"lbGainEff", "rzbMuteEff", "lbMatrixEff", "lbCompEff", "rzbCompSetEff", "rzbEffectSetEff",
         "lbEffectEff"},
        {"SID_GAIN", "SID_MUTE", "SID_CH_SELECT", "SID_EFF_COMP", "SID_SETUP", "SID_SETUP", "SID_EFFECT"});
    for (std::string_view name : {"rzbOnOffEff", "rzbAutoMixOnOffEff", "rzbCameraOnOffEff"})
      p.Rule(std::string(name), CaptionRule::WhenDown, "SID_ON", "SID_OFF");
    p.Texts({"rzbAutoMixSetEff", "lbAutoMixEff", "rzbCameraSetEff", "lbCameraEff"},
            {"SID_SETUP", "SID_EFF_MIX", "SID_SETUP", "SID_EFF_CAMERA"});
    p.EqPanel("Eff", "SID_EFF_EQ_TITLE");
    p.Rule("peqPeqEff", CaptionRule::BandTable);
    p.PlotBar("Eff");
    p.Texts({"lbGainOut1", "rzbMuteOut1"}, {"SID_GAIN", "SID_MUTE"});
    p.Phase("rzbPhaseOut1");
    p.EqPanel("Out1", "SID_EQ_PARAM_TITLE");
    p.CutPanel("Out1");
    for (int n = 1; n <= 8; ++n) {
      p.Text(OutName("lbCompRatioOut", n), "SID_COMP_RATIO");
      p.Text(OutName("lbCompThresholdOut", n), "SID_COMP_THRESHOLD");
      p.Text(OutName("lbCompAttackOut", n), "SID_COMP_ATTACK");
      p.Text(OutName("lbCompReleaseOut", n), "SID_COMP_RELEASE");
    }
    p.Rule("lbCompName", CaptionRule::CompName, "SID_COMP");
    return p.Take();
  }();
  return steps;
}

// Menu items and controls both carry a caption.
bool SetCaptionOf(TComponent* component, const std::string& text) {
  if (auto* item = dynamic_cast<TMenuItem*>(component)) {
    item->SetCaption(text);
    return true;
  }
  if (auto* control = dynamic_cast<TControl*>(component)) {
    control->SetCaption(text);
    return true;
  }
  return false;
}

bool IsDown(const TComponent* component) {
  const auto* button = dynamic_cast<const TRzBmpButton*>(component);
  return button && button->GetDown();
}

// ---------------------------------------------------------------- faces

enum FaceSet : unsigned {
  FaceUp = 1,
  FaceDown = 2,
  FaceHot = 4,
  FaceStayDown = 8,
  FaceDisabled = 16,
};

// One face copy: the target takes the listed faces of the source, button
// bitmaps or fader thumb pictures.
struct FaceCopy {
  std::string Target;
  std::string Source;
  bool Thumb;
  unsigned Faces;
};

// The faces the B..H and 2..8 controls take from input A, output 1 and the
// hidden fader, in the order they are copied.
std::vector<FaceCopy> FaceCopies() {
  constexpr unsigned Keys = FaceDown | FaceHot | FaceStayDown;
  constexpr unsigned PageKeys = FaceDisabled | Keys;
  constexpr unsigned Cells = Keys | FaceUp;
  constexpr unsigned Thumbs = FaceDown | FaceHot;
  constexpr unsigned BlueThumbs = FaceDisabled | FaceDown | FaceHot;
  std::vector<FaceCopy> copies;
  const auto add = [&](const std::string& target, const std::string& source, bool thumb, unsigned faces) {
    copies.push_back({target, source, thumb, faces});
  };
  for (int i = 1; i < 8; ++i)
    for (std::string_view c :
         {"rzbPhaseBackupIn", "rzbMuteBackupIn", "rzbLineBackupIn", "rzbPhantomBackupIn"})
      add(InName(c, i), InName(c, 0), false, Keys);
  for (int i = 1; i < 8; ++i)
    for (std::string_view c : {"isGainBackupIn", "isDelayIn"}) add(InName(c, i), InName(c, 0), true, Thumbs);
  for (int i = 1; i < 8; ++i) add(InName("rzbMenuIn", i), "rzbMenuInA", false, PageKeys);
  add("rzbMenuEff", "rzbMenuInA", false, PageKeys);
  for (std::string_view row : {"B", "C", "D", "E", "F", "G", "H", "Eff"})
    add("rzb" + std::string(row) + "MatrixOut1", "rzbAMatrixOut1", false, Cells);
  for (int n = 2; n <= 8; ++n) {
    for (std::string_view c : {"rzbPhaseBackupOut", "rzbMuteBackupOut"})
      add(OutName(c, n), OutName(c, 1), false, Keys);
    for (std::string_view c : {"isGainBackupOut", "isDelayOut"})
      add(OutName(c, n), OutName(c, 1), true, Thumbs);
    for (std::string_view row : {"A", "B", "C", "D", "E", "F", "G", "H", "Eff"})
      add(OutName("rzb" + std::string(row) + "MatrixOut", n), "rzbAMatrixOut1", false, Cells);
    // Out8 keeps its own faces.
    if (n <= 7) add(OutName("rzbMenuOut", n), "rzbMenuInA", false, PageKeys);
  }
  for (int k = 1; k <= 8; ++k) {
    for (std::string_view c : {"isCompThresholdOut", "isCompRatioOut", "isCompAttackOut", "isCompReleaseOut"})
      add(OutName(c, k), "isBlue", true, BlueThumbs);
    for (std::string_view c : {"isGateThresholdIn", "isGateAttackIn", "isGateReleaseIn"})
      add(InName(c, k - 1), "isBlue", true, BlueThumbs);
  }
  return copies;
}

bool CopyFaces(const TComponent& owner, const FaceCopy& copy) {
  if (copy.Thumb) {
    auto* target = dynamic_cast<TCustomTrackBar*>(owner.FindComponent(copy.Target));
    auto* source = dynamic_cast<TCustomTrackBar*>(owner.FindComponent(copy.Source));
    if (!target || !source) return false;
    TTrackBarThumb* to = target->GetThumb();
    const TTrackBarThumb* from = source->GetThumb();
    if (copy.Faces & FaceDisabled) to->SetPictureDisabled(from->GetPictureDisabled());
    if (copy.Faces & FaceDown) to->SetPictureDown(from->GetPictureDown());
    if (copy.Faces & FaceHot) to->SetPictureHot(from->GetPictureHot());
    return true;
  }
  auto* target = dynamic_cast<TRzBmpButton*>(owner.FindComponent(copy.Target));
  auto* source = dynamic_cast<TRzBmpButton*>(owner.FindComponent(copy.Source));
  if (!target || !source) return false;
  TRzBmpButtonFaces* to = target->GetBitmaps();
  const TRzBmpButtonFaces* from = source->GetBitmaps();
  if (copy.Faces & FaceDisabled) to->SetDisabled(from->GetDisabled());
  if (copy.Faces & FaceDown) to->SetDown(from->GetDown());
  if (copy.Faces & FaceHot) to->SetHot(from->GetHot());
  if (copy.Faces & FaceStayDown) to->SetStayDown(from->GetStayDown());
  if (copy.Faces & FaceUp) to->SetUp(from->GetUp());
  return true;
}

// The plot controls by plot index.
std::string PlotName(int index) {
  if (index < 8) return InName("fftDrawIn", index);
  if (index < 16) return OutName("fftDrawOut", index - 7);
  if (index == PlotGainIn) return "fftDrawGainIn";
  if (index == PlotGainOut) return "fftDrawGainOut";
  return "fftDrawEff";
}

}  // namespace

// ---------------------------------------------------------------- start-up

void TfmMain::FormCreate(TObject* /*Sender*/) {
  SetCaption(std::string(AppTitle) + " " + std::string(AppVersion));
  SetHint(std::string(AppTitle));
  DeviceId = 1;
  ShowDeviceId();
  DragHandle = -1;
  LastDragHandle = -1;
  CurrentPage = PageGain;
  CompStrip = 8;
  GateStrip = 0;
  for (std::string_view name : {"rzgFftInA", "rzgParamGain"})
    if (auto* box = dynamic_cast<TControl*>(FindComponent(name))) box->SetVisible(true);

  // The menu bar is in place: the client gets the design size.
  // The design size is the area below the menu; no scroll bar takes part,
  // and the layout runs once both sides are set.
  FHoldResize = true;
  SetAutoScroll(false);
  SetClientWidth(DesignWidth);
  SetClientHeight(DesignClientHeight);
  FHoldResize = false;
  FormResize(this);
  if (auto* preset = dynamic_cast<TControl*>(FindComponent("rzgPreset"))) preset->SetTop(PresetBarRect.Top);
  ExtraHeight = 0;

  CreatePlots();

  Language = LanguageEnglish;
  for (std::string_view name : {"ChineseSimplified", "ChineseTraditional", "English"})
    if (TMenuItem* item = FMainMenu->FindItemByName(name)) item->SetChecked(name == "English");
  ApplyLanguage();

  UnitControl = std::make_unique<LUnitControl>(this);
  Starting = true;
  DeselectPeqBands();
  RefreshFromModel(UnitControl.get());
  Starting = false;

  // The Gain page is the first one shown.
  for (std::string_view name : {"rzgFftGain", "rzgParamGain"})
    if (auto* box = dynamic_cast<TControl*>(FindComponent(name))) box->BringToFront();
  FStartConnectTimer->SetEnabled(true);

  RefreshGainOverlays();
  Plots[PlotGainIn]->DrawBandCurve(0, StripCurveColor(0));
  Plots[PlotGainOut]->DrawBandCurve(8, StripCurveColor(8));
  SeedTransferPlots();

  FClientSocket->SetPort(9761);
  FClientSocket->SetAddress(std::string(DefaultDeviceIp));
  DeviceIp = 0xC0A80165;  // 192.168.1.101
  FMainMenu->FindItemByName("NetworkSetup")->SetVisible(true);

  CopyControlFaces();
}

void TfmMain::CreatePlots() {
  for (int i = 0; i < PlotCount; ++i) {
    // A plot control of another role that is missing leaves a model that
    // draws nothing, so the model is always there.
    Plots[static_cast<std::size_t>(i)] =
        std::make_unique<Plot>(dynamic_cast<LResponsePlotBase*>(FindComponent(PlotName(i))));
  }
  for (auto& plot : Plots) plot->SetPhaseMode(false);
}

bool TfmMain::CopyControlFaces() {
  for (const FaceCopy& copy : FaceCopies())
    if (!CopyFaces(*this, copy)) return false;
  return true;
}

// The start points of the two transfer curves (dB in, dB out): the curve in
// channel 0 and the threshold dot in channel 1.
void TfmMain::SeedTransferPlots() {
  struct Seed {
    const char* Plot;
    std::vector<std::pair<double, double>> Curve;
    std::pair<double, double> Dot;
  };
  const Seed seeds[] = {
      {"ipComp", {{20, 20}, {-10, -10}, {-100, -100}}, {19.8, 20.4}},
      {"ipGate", {{20, 20}, {-90, -90}, {-90, -100}}, {-89.8, -90.4}},
  };
  for (const Seed& seed : seeds) {
    auto* plot = dynamic_cast<TiXYPlot*>(FindComponent(seed.Plot));
    if (!plot) return;
    for (const auto& [x, y] : seed.Curve) plot->GetChannel(0)->AddXY(x, y);
    plot->GetChannel(1)->AddXY(seed.Dot.first, seed.Dot.second);
  }
}

void TfmMain::ShowDeviceId() {
  if (auto* label = dynamic_cast<TControl*>(FindComponent("lbShowIdNumber")))
    label->SetCaption("ID : " + std::to_string(DeviceId));
}

void TfmMain::tmStartConnectTimer(TObject* /*Sender*/) {
  FStartConnectTimer->SetEnabled(false);
  // Offline, the link button opens the scan.
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink")) link->Click();
}

// ---------------------------------------------------------------- language

std::string TfmMain::GetLangText(std::string_view key) const {
  // The memos hold these same lines; the lookup reads the tables directly.
  return ::GetLangText(Language, key);
}

void TfmMain::ApplyLanguage() {
  for (const CaptionStep& step : CaptionSteps()) {
    TComponent* component = FindComponent(step.Name);
    if (!component) return;
    switch (step.Rule) {
      case CaptionRule::Text:
        SetCaptionOf(component, GetLangText(step.Key));
        break;
      case CaptionRule::WhenDown:
        SetCaptionOf(component, GetLangText(IsDown(component) ? step.Key : step.Key2));
        break;
      case CaptionRule::WhenOnline:
        SetCaptionOf(component, GetLangText(Online ? step.Key : step.Key2));
        break;
      case CaptionRule::BandTable:
        if (auto* table = dynamic_cast<TMyPEQAllpass*>(component)) {
          for (int type = 0; type <= 6; ++type)
            table->SetEqTypeString(GetLangText("SID_EQ_TYPE" + std::to_string(type)), type);
          table->SetBypassString(GetLangText("SID_EQ_BYPASS"));
          table->ChangeLanguage();
        }
        break;
      case CaptionRule::GateName:
        SetCaptionOf(component, "In " + std::to_string(GateStrip + 1) + "  " + GetLangText(step.Key));
        break;
      case CaptionRule::CompName:
        SetCaptionOf(component, "Out " + std::to_string(CompStrip - 7) + "  " + GetLangText(step.Key));
        break;
    }
  }
}

void TfmMain::ChineseSimplifiedClick(TObject* Sender) {
  SelectLanguage(Sender);
}

void TfmMain::EnglishClick(TObject* Sender) {
  SelectLanguage(Sender);
}

void TfmMain::SelectLanguage(TObject* Sender) {
  auto* clicked = dynamic_cast<TMenuItem*>(Sender);
  if (!clicked) return;
  constexpr std::string_view ByTag[] = {LanguageChineseGB, LanguageChineseBIG5, LanguageEnglish};
  const auto tag = clicked->GetTag();
  if (tag < 0 || tag > 2) return;
  Language = ByTag[tag];
  if (clicked->GetChecked()) return;
  for (std::string_view name : {"ChineseSimplified", "ChineseTraditional", "English"})
    if (TMenuItem* item = FMainMenu->FindItemByName(name)) item->SetChecked(item == clicked);
  ApplyLanguage();
  if (auto* table = dynamic_cast<TControl*>(FindComponent("peqPeqInA"))) table->Repaint();
}

// ---------------------------------------------------------------- layout

void TfmMain::FormResize(TObject* /*Sender*/) {
  if (FHoldResize) return;
  // The area below the menu bar, scroll bars included: showing a bar must
  // not change the rules.
  const int width = TWinControl::GetClientWidth();
  const int height = TWinControl::GetClientHeight();
  FScrolling = width < DesignWidth || height < DesignClientHeight;
  SetAutoScroll(FScrolling);
  if (height >= DesignClientHeight) {
    ExtraHeight = height - DesignClientHeight;
    if (!ApplyLayoutSteps(*this, HeightRules(ExtraHeight))) return;
  }
  if (width >= DesignWidth && !ApplyLayoutSteps(*this, WidthRules(width - DesignWidth))) return;

  for (int channel = 0; channel < 16; ++channel) {
    const std::string suffix = DelayChannelSuffix(channel);
    auto* marker = dynamic_cast<TControl*>(FindComponent("imDelay" + suffix));
    auto* fader = dynamic_cast<TCustomTrackBar*>(FindComponent("isDelay" + suffix));
    auto* line = dynamic_cast<TControl*>(FindComponent("lbDelayLine" + suffix));
    auto* time = dynamic_cast<TControl*>(FindComponent("lbFftDelayTime" + suffix));
    if (!marker || !fader || !line || !time) return;
    marker->SetLeft(DelayMarkerLeft(fader->GetPosition(), fader->GetMax(), line->GetWidth()));
    time->SetBounds(marker->GetLeft() + 30, marker->GetTop() + marker->GetHeight() / 4, time->GetWidth(),
                    time->GetHeight());
  }
  // Hiding and showing the page area repaints all of it at once.
  FMainBox->SetVisible(false);
  FMainBox->SetVisible(true);
  // The link dialog does not exist yet while start-up runs.
  if (fmLinkSel)
    for (int channel = 0; channel < 16; ++channel) DrawDelayLine(channel);
}

void TfmMain::DrawDelayLine(int channel) {
  if (channel < 0 || channel > 15) return;
  const std::string suffix = DelayChannelSuffix(channel);
  auto* marker = dynamic_cast<TControl*>(FindComponent("imDelay" + suffix));
  auto* line = dynamic_cast<TControl*>(FindComponent("lbDelayLine" + suffix));
  auto* time = dynamic_cast<TControl*>(FindComponent("lbFftDelayTime" + suffix));
  if (!marker || !line || !time) return;
  time->SetBounds(marker->GetLeft() + 30, marker->GetTop() + marker->GetHeight() / 4, time->GetWidth(),
                  time->GetHeight());
  const int dashes = std::max(0, (marker->GetLeft() - 40) / 6);
  line->SetCaption(std::string(static_cast<std::size_t>(dashes), '-'));
}

void TfmMain::FormShow(TObject* /*Sender*/) {}
