// Level controls: gain, polarity, mute, mic/line, phantom and feedback level.
// The In/Out panel's controls act on CurrentStrip and mirror into the strip's
// Gain page copy; the Gain page copies act on their Tag and leave the panel to
// be rewritten when its page is next shown. Every edit ends in the model's
// setter and then the link-group propagation.

#include <algorithm>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/RzControls.h"

namespace {

bool IsStrip(int strip) {
  return strip >= 0 && strip < 16;
}
bool IsInputStrip(int strip) {
  return strip >= 0 && strip < 8;
}

// The stored gain word of a fader position, inside the fader's range.
std::uint16_t GainWord(int position) {
  return static_cast<std::uint16_t>(std::clamp(position, GainPositionMin, GainPositionMax) +
                                    GainStoredOffset);
}

// The panel a Sender of the In/Out page belongs to: true for the input
// panel (suffix InA), false for the output panel (Out1).
bool OnInputPanel(const TObject* Sender) {
  const auto* c = dynamic_cast<const TComponent*>(Sender);
  return c && c->GetName().ends_with("InA");
}

// The strip of an In/Out panel control: CurrentStrip, when it lies on the
// panel's side; -1 otherwise, so that a panel never edits the other side.
int PanelStrip(const TObject* Sender, int currentStrip) {
  const bool input = OnInputPanel(Sender);
  if (input ? !IsInputStrip(currentStrip) : !(currentStrip >= 8 && currentStrip < 16)) return -1;
  return currentStrip;
}

// The strip of a Gain page control: its Tag, when it names a strip.
int TagStrip(const TObject* Sender, bool inputsOnly) {
  const auto* c = dynamic_cast<const TComponent*>(Sender);
  if (!c) return -1;
  const int strip = c->GetTag();
  return (inputsOnly ? IsInputStrip(strip) : IsStrip(strip)) ? strip : -1;
}

}  // namespace

std::string TfmMain::FormatGainText(int position, bool /*mic*/) const {
  return GainText(position);
}

bool TfmMain::ShowGainPageMicLine(int strip, int step) {
  auto* line = FindStripControl<TRzBmpButton>("rzbLineBackup", strip);
  auto* list = FindStripControl<TRzComboBox>("rzcLineBackup", strip);
  auto* arrows = FindStripControl<TUpDown>("udLineBackup", strip);
  auto* phantom = FindStripControl<TRzBmpButton>("rzbPhantomBackup", strip);
  if (!line || !list || !arrows || !phantom) return false;
  const bool mic = step != MicGainLineLevel;
  line->SetCaption(GetLangText(mic ? "SID_POTENT_MIC" : "SID_POTENT_LINE"));
  list->SetItemIndex(MicGainStepToItem(step));
  line->SetDown(mic);
  list->SetEnabled(mic);
  arrows->SetEnabled(mic);
  if (!mic) phantom->SetDown(false);
  phantom->SetEnabled(mic);
  return true;
}

// ---- Gain

void TfmMain::isGainInAChange(TObject* Sender) {
  if (Refreshing) return;
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  const int strip = PanelStrip(Sender, CurrentStrip);
  if (!fader || strip < 0 || !UnitControl) return;
  const bool input = IsInputStrip(strip);
  auto* box = FindAs<TCurvyEdit>(input ? "cvdGainInA" : "cvdGainOut1");
  auto* pageBox = FindStripControl<TCurvyEdit>("cvdGainBackup", strip);
  auto* pageFader = FindStripControl<TAdvTrackBar>("isGainBackup", strip);
  auto* line = input ? FindAs<TRzBmpButton>("rzbLineInA") : nullptr;
  if (!box || !pageBox || !pageFader || (input && !line)) return;
  const int position = fader->GetPosition();
  const bool mic = line && line->GetDown();
  box->SetText(FormatGainText(position, mic));
  // Not under the refresh flag: the Gain page fader's own handler stores,
  // sends and propagates this position as for a move of its own.
  pageFader->SetPosition(position);
  pageBox->SetText(box->GetText());
  UnitControl->SetGain(strip, GainWord(position));
  LinkGain(strip, position, mic);
}

void TfmMain::isGainBackupInAChange(TObject* Sender) {
  if (Refreshing) return;
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  const int strip = TagStrip(Sender, false);
  if (!fader || strip < 0 || !UnitControl) return;
  auto* box = FindStripControl<TCurvyEdit>("cvdGainBackup", strip);
  auto* line = IsInputStrip(strip) ? FindStripControl<TRzBmpButton>("rzbLineBackup", strip) : nullptr;
  if (!box || (IsInputStrip(strip) && !line)) return;
  const int position = fader->GetPosition();
  const bool mic = line && line->GetDown();
  box->SetText(FormatGainText(position, mic));
  UnitControl->SetGain(strip, GainWord(position));
  LinkGain(strip, position, mic);
}

// ---- Polarity, mute and phantom

void TfmMain::LevelSwitchClick(TObject* Sender, LevelSwitch kind, bool panel) {
  // The panel's polarity and mute wait out a refresh; phantom always acts.
  if (panel && kind != LevelSwitch::Phantom && Refreshing) return;
  auto* button = dynamic_cast<TRzBmpButton*>(Sender);
  const int strip = panel ? PanelStrip(Sender, CurrentStrip) : TagStrip(Sender, kind == LevelSwitch::Phantom);
  if (!button || strip < 0 || !UnitControl) return;
  const bool on = button->GetDown();
  TRzBmpButton* page = nullptr;
  if (panel) {
    static constexpr const char* PagePrefix[] = {"rzbPhaseBackup", "rzbMuteBackup", "rzbPhantomBackup"};
    page = FindStripControl<TRzBmpButton>(PagePrefix[static_cast<std::size_t>(kind)], strip);
    if (!page) return;
    page->SetDown(on);
  }
  const std::uint8_t value = on ? 1 : 0;
  switch (kind) {
    case LevelSwitch::Phase:
      button->SetCaption(GetLangText(on ? "SID_PHASE_ON" : "SID_PHASE_OFF"));
      if (page) page->SetCaption(button->GetCaption());
      UnitControl->SetPolarity(strip, value);
      LinkPhase(strip, on);
      break;
    case LevelSwitch::Mute:
      UnitControl->SetMute(strip, value);
      LinkMute(strip, on);
      break;
    case LevelSwitch::Phantom:
      UnitControl->SetPhantom(strip, value);
      LinkPhantom(strip, on);
      break;
  }
}

void TfmMain::rzbPhaseInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Phase, true);
}
void TfmMain::rzbPhaseBackupInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Phase, false);
}
void TfmMain::rzbMuteInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Mute, true);
}
void TfmMain::rzbMuteBackupInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Mute, false);
}
void TfmMain::rzbPhantomInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Phantom, true);
}
void TfmMain::rzbPhantomBackupInAClick(TObject* Sender) {
  LevelSwitchClick(Sender, LevelSwitch::Phantom, false);
}

// ---- Mic/line and mic gain (inputs)

void TfmMain::rzbLineInAClick(TObject* Sender) {
  auto* button = dynamic_cast<TRzBmpButton*>(Sender);
  const int strip = PanelStrip(Sender, CurrentStrip);
  if (!button || strip < 0 || !UnitControl) return;
  auto* list = FindAs<TRzComboBox>("rzcLineInA");
  auto* arrows = FindAs<TUpDown>("udLineInA");
  auto* phantom = FindAs<TRzBmpButton>("rzbPhantomInA");
  auto* pagePhantom = FindStripControl<TRzBmpButton>("rzbPhantomBackup", strip);
  if (!list || !arrows || !phantom || !pagePhantom) return;
  const bool mic = button->GetDown();
  // A code-set list index fires nothing, so no refresh flag is needed.
  list->SetItemIndex(MicGainZeroDbItem);
  button->SetCaption(GetLangText(mic ? "SID_POTENT_MIC" : "SID_POTENT_LINE"));
  list->SetEnabled(mic);
  arrows->SetEnabled(mic);
  phantom->SetEnabled(mic);
  if (!mic) phantom->SetDown(false);
  // Mic starts at 0 dB; line level is step 0.
  const int step = mic ? 1 : MicGainLineLevel;
  if (!ShowGainPageMicLine(strip, step)) return;
  pagePhantom->SetDown(phantom->GetDown());
  UnitControl->SetMicGain(strip, static_cast<std::uint8_t>(step));
  LinkMicLine(strip, step);
}

void TfmMain::rzbLineBackupInAClick(TObject* Sender) {
  auto* button = dynamic_cast<TRzBmpButton*>(Sender);
  const int strip = TagStrip(Sender, true);
  if (!button || strip < 0 || !UnitControl) return;
  const int step = button->GetDown() ? 1 : MicGainLineLevel;
  if (!ShowGainPageMicLine(strip, step)) return;
  UnitControl->SetMicGain(strip, static_cast<std::uint8_t>(step));
  LinkMicLine(strip, step);
}

namespace {

// The list item after one press of the mic-gain arrows: up is more gain
// (toward item 0, "50dB"), down less (toward item 50, "0 dB").
int SteppedMicItem(int item, int newValue, int min, int max, int direction) {
  if (newValue > max)
    direction = updUp;
  else if (newValue < min)
    direction = updDown;
  item = std::clamp(item, 0, MicGainZeroDbItem);
  if (direction == updUp && item != 0) return item - 1;
  if (direction == updDown && item != MicGainZeroDbItem) return item + 1;
  return item;
}

}  // namespace

void TfmMain::udLineInAChangingEx(TObject* Sender, int NewValue, int Direction) {
  auto* arrows = dynamic_cast<TUpDown*>(Sender);
  const int strip = PanelStrip(Sender, CurrentStrip);
  if (!arrows || strip < 0 || !UnitControl) return;
  auto* list = FindAs<TRzComboBox>("rzcLineInA");
  auto* pageList = FindStripControl<TRzComboBox>("rzcLineBackup", strip);
  if (!list || !pageList) return;
  const int item =
      SteppedMicItem(list->GetItemIndex(), NewValue, arrows->GetMin(), arrows->GetMax(), Direction);
  list->SetItemIndex(item);
  pageList->SetItemIndex(item);
  // Sent even when the list stands at its end.
  const int step = MicGainItemToStep(item);
  UnitControl->SetMicGain(strip, static_cast<std::uint8_t>(step));
  LinkMicLine(strip, step);
}

void TfmMain::udLineBackupInAChangingEx(TObject* Sender, int NewValue, int Direction) {
  auto* arrows = dynamic_cast<TUpDown*>(Sender);
  const int strip = TagStrip(Sender, true);
  if (!arrows || strip < 0 || !UnitControl) return;
  auto* list = FindStripControl<TRzComboBox>("rzcLineBackup", strip);
  if (!list) return;
  const int item =
      SteppedMicItem(list->GetItemIndex(), NewValue, arrows->GetMin(), arrows->GetMax(), Direction);
  list->SetItemIndex(item);
  const int step = MicGainItemToStep(item);
  UnitControl->SetMicGain(strip, static_cast<std::uint8_t>(step));
  LinkMicLine(strip, step);
}

// ---- Feedback level and the Gain page selector

void TfmMain::rzbFbtLevel0InAClick(TObject* Sender) {
  const auto* button = dynamic_cast<const TComponent*>(Sender);
  // The level is the group leader's, whose plot the page shows.
  if (!button || !IsInputStrip(ShownStrip) || !UnitControl) return;
  const int level = button->GetTag();
  if (level < 0 || level > 4) return;
  UnitControl->SetFeedbackLevel(ShownStrip, static_cast<std::uint8_t>(level));
}

void TfmMain::rzbGainSelInClick(TObject* Sender) {
  const auto* button = dynamic_cast<const TComponent*>(Sender);
  if (!button) return;
  if (auto* panel = FindAs<TControl>(button->GetTag() == 0 ? "rzpGainIn" : "rzpGainOut"))
    panel->BringToFront();
}

// ---- Binding

void TfmMain::BindLevelHandlers() {
  using Click = void (TfmMain::*)(TObject*);
  // The In/Out panels' controls, then each strip's Gain page copy.
  const auto bindButton = [this](TRzBmpButton* b, Click handler) {
    if (b) b->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  const auto bindFader = [this](TAdvTrackBar* f, Click handler) {
    if (f) f->OnChange = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  using Arrows = void (TfmMain::*)(TObject*, int, int);
  const auto bindArrows = [this](TUpDown* u, Arrows handler) {
    if (u)
      u->OnChangingEx = [this, handler](TObject* s, bool& /*allow*/, int value, TUpDownDirection direction) {
        (this->*handler)(s, value, static_cast<int>(direction));
      };
  };
  for (const char* panel : {"InA", "Out1"}) {
    const std::string suffix = panel;
    bindFader(FindAs<TAdvTrackBar>("isGain" + suffix), &TfmMain::isGainInAChange);
    bindButton(FindAs<TRzBmpButton>("rzbPhase" + suffix), &TfmMain::rzbPhaseInAClick);
    bindButton(FindAs<TRzBmpButton>("rzbMute" + suffix), &TfmMain::rzbMuteInAClick);
  }
  bindButton(FindAs<TRzBmpButton>("rzbLineInA"), &TfmMain::rzbLineInAClick);
  bindButton(FindAs<TRzBmpButton>("rzbPhantomInA"), &TfmMain::rzbPhantomInAClick);
  bindArrows(FindAs<TUpDown>("udLineInA"), &TfmMain::udLineInAChangingEx);
  for (int level = 0; level <= 4; ++level)
    bindButton(FindAs<TRzBmpButton>("rzbFbtLevel" + std::to_string(level) + "InA"),
               &TfmMain::rzbFbtLevel0InAClick);

  for (int strip = 0; strip < 16; ++strip) {
    bindFader(FindStripControl<TAdvTrackBar>("isGainBackup", strip), &TfmMain::isGainBackupInAChange);
    bindButton(FindStripControl<TRzBmpButton>("rzbPhaseBackup", strip), &TfmMain::rzbPhaseBackupInAClick);
    bindButton(FindStripControl<TRzBmpButton>("rzbMuteBackup", strip), &TfmMain::rzbMuteBackupInAClick);
    if (!IsInputStrip(strip)) continue;
    bindButton(FindStripControl<TRzBmpButton>("rzbLineBackup", strip), &TfmMain::rzbLineBackupInAClick);
    bindButton(FindStripControl<TRzBmpButton>("rzbPhantomBackup", strip), &TfmMain::rzbPhantomBackupInAClick);
    bindArrows(FindStripControl<TUpDown>("udLineBackup", strip), &TfmMain::udLineBackupInAChangingEx);
  }
  for (const char* name : {"rzbGainSelIn", "rzbGainSelOut"})
    bindButton(FindAs<TRzBmpButton>(name), &TfmMain::rzbGainSelInClick);

  // The Matrix page's name labels open the channel-name dialog.
  for (int strip = 0; strip < 16; ++strip)
    if (auto* label = FindStripControl<TControl>("lbMatrixChName", strip))
      label->OnClick = [this](TObject* s) { lbMatrixChNameInAClick(s); };
}
