// The main window's menus, page buttons and the small command handlers
// behind them.

#include "dialogs/Fabout.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/FHidData.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Flocksetup.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorepreset.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "link/LComm.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "mainwindow/FMainLanguage.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/Plot.h"
#include "rs232codes/Frs232cmd.h"

namespace {

constexpr TColor PageLime = 0x00FF00;  // R 0, G 255, B 0
constexpr TColor PageWhite = 0xFFFFFF;
constexpr TColor EditSilver = 0xC0C0C0;

std::string InputLetter(int i) {
  return std::string(1, static_cast<char>('A' + i));
}

// The names of a page's button and boxes, by page and, for strip pages, the
// strip whose box is shown.
struct PageNames {
  std::string Button, Upper, Lower;
};

PageNames NamesOf(int page, int strip) {
  switch (page) {
    case PageComp:
      return {"rzbMenuComp", "rzgFftComp", "rzgParamComp"};
    case PageDelay:
      return {"rzbMenuDelay", "rzgFftDelay", "rzgParamDelay"};
    case PageEff:
      return {"rzbMenuEff", "rzgFftEff", "rzgParamEff"};
    case PageMatrix:
      return {"rzbMenuMatrix", "rzgFftMatrix", "rzgParamMatrix"};
    case PageGate:
      return {"rzbMenuGate", "rzgFftGate", "rzgParamGate"};
    case PageGain:
      return {"rzbMenuGain", "rzgFftGain", "rzgParamGain"};
    default:
      break;
  }
  if (page < 8) return {"rzbMenuIn" + InputLetter(page), "rzgFftIn" + InputLetter(strip), "rzgParamInA"};
  return {"rzbMenuOut" + std::to_string(page - 7), "rzgFftOut" + std::to_string(strip - 7), "rzgParamOut1"};
}

void SetCaptionColour(TRzBmpButton* button, TColor colour) {
  if (button) button->GetFont()->SetColor(colour);
}

}  // namespace

void TfmMain::SetRefreshing(bool value) {
  Refreshing = value;
}

// The leader of a strip page: the channel itself when its link mask is set,
// else the first channel of its side whose mask holds it; a channel no mask
// claims leads itself (it would otherwise have no page at all).
int TfmMain::PageLeader(int page) const {
  const int base = page < 8 ? 0 : 8;
  const int bit = page - base;
  if (GetLinkMask(page) != 0) return page;
  for (int c = base; c < base + 8; ++c)
    if (GetLinkMask(c) & (1 << bit)) return c;
  return page;
}

void TfmMain::rzbMenuInAClick(TObject* Sender) {
  auto* clicked = dynamic_cast<TComponent*>(Sender);
  if (!clicked) return;
  const int page = clicked->GetTag();
  if (page == CurrentPage || page < 0 || page >= MainPageCount) return;
  if (CommProc) CommProc->SetResendCredit(1);
  const PageNames old = NamesOf(CurrentPage, CurrentPage < 16 ? ShownStrip : CurrentPage);
  // The old strip page's own button and box carry the page's own suffix.
  const PageNames oldOwn = CurrentPage < 16 ? NamesOf(CurrentPage, CurrentPage) : old;
  auto* oldButton = FindAs<TRzBmpButton>(oldOwn.Button);
  auto* oldUpper = FindAs<TControl>(old.Upper);
  if (!oldButton || !oldUpper || !FindAs<TControl>(old.Lower)) return;
  SetCaptionColour(oldButton, PageWhite);

  int strip = page;
  if (page == PageEff) {
    ShownStrip = PageEff;
  } else if (page < 16) {
    strip = PageLeader(page);
    ShownStrip = strip;
    const bool input = page < 8;
    const std::string suffix = input ? InputLetter(strip) : std::to_string(strip - 7);
    auto* peq = FindAs<TControl>((input ? "rzpPeqIn" : "rzpPeqOut") + suffix);
    if (!peq) return;
    peq->BringToFront();
    if (Plot* plot = Plots[static_cast<std::size_t>(strip)].get()) {
      plot->RemoveBandCurve(12);
      plot->DrawBandCurve(12, StripCurveColors[static_cast<std::size_t>(page)]);
      if (auto* draw = plot->GetPlot()) draw->UpdateCurvePage();
    }
    const std::string label = input ? "In" + std::to_string(page + 1) : "Out" + std::to_string(page - 7);
    auto* channel = FindAs<TLabel>((input ? "lbFftChannelIn" : "lbFftChannelOut") + suffix);
    auto* name = FindAs<TLabel>(input ? "lbGainNameInA" : "lbGainNameOut1");
    if (!channel || !name) return;
    channel->SetCaption(label);
    name->SetCaption(label);
  }
  const PageNames next = NamesOf(page, strip);
  auto* upper = FindAs<TControl>(next.Upper);
  auto* lower = FindAs<TControl>(next.Lower);
  if (!upper || !lower) return;
  SetCaptionColour(dynamic_cast<TRzBmpButton*>(clicked), PageLime);
  if (page == PageGain)
    RefreshGainOverlays();
  else
    RefreshStripOverlays(page);
  CurrentPage = page;
  ShowStripParameters(page);
  oldUpper->SetVisible(false);
  lower->SetVisible(true);
  upper->SetVisible(true);
  lower->BringToFront();
  upper->BringToFront();
}

void TfmMain::rzbMenuLinkClick(TObject* /*Sender*/) {
  auto* link = FindAs<TRzBmpButton>("rzbMenuLink");
  auto* item = FindAs<TMenuItem>("Connect");
  if (!link || !item) return;
  link->SetEnabled(false);
  item->SetEnabled(false);
  link->SetDown(false);
  if (Online) {
    item->SetCaption(GetLangText("SID_CONNECT"));
    StartTimer("tmDisconnect");
    return;
  }
  if (!fmNetwork) return;
  if (fmNetwork->btnOK) fmNetwork->btnOK->Click();
  item->SetCaption(GetLangText("SID_DISCONNECT"));
  if (!fmNetwork->GetVisible()) fmNetwork->ShowModal();
}

void TfmMain::ConnectedClick(TObject* /*Sender*/) {
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink")) link->Click();
}

void TfmMain::OpenClick(TObject* /*Sender*/) {
  Refreshing = true;
  OpenPresetFile();
  Refreshing = false;
  for (int c = 0; c < 16; ++c)
    if (Plot* plot = Plots[static_cast<std::size_t>(c)].get())
      if (auto* draw = plot->GetPlot()) draw->Invalidate();
}

void TfmMain::SaveClick(TObject* /*Sender*/) {
  SavePresetFile();
}
void TfmMain::UploadClick(TObject* /*Sender*/) {
  UploadUnitFile();
}
void TfmMain::DownloadClick(TObject* /*Sender*/) {
  DownloadUnitFile();
}

void TfmMain::bStoreClick(TObject* /*Sender*/) {
  if (!fmStorePreset) return;
  fmStorePreset->lPresetSelect->SetCaption("Store Preset");
  fmStorePreset->ShowModal();
}

void TfmMain::bRecallClick(TObject* /*Sender*/) {
  if (!fmRecallPreset) return;
  fmRecallPreset->lPresetSelect->SetCaption("Recall Preset");
  fmRecallPreset->ShowModal();
}

void TfmMain::FactoryDefaultClick(TObject* /*Sender*/) {
  if (Connected) {
    if (fmFactory) fmFactory->ShowModal();
    return;
  }
  ShowInformation("SID_INFO_CON_FIRST");
}

void TfmMain::FactoryReset() {
  PendingOp = 3;
  StartTimer("tmInLevelDet", false);
  ResetMeters();
  SetLinkTimeout(10000);
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::FactoryReset), true);
}

void TfmMain::MemorizeClick(TObject* Sender) {
  auto* clicked = dynamic_cast<TComponent*>(Sender);
  if (!clicked) return;
  const int tag = clicked->GetTag();
  for (const char* name : {"Memorize", "Forget", "U01"})
    if (auto* item = FindAs<TMenuItem>(name)) item->SetChecked(item->GetTag() == tag);
  UnitControl->SetMemorizeMode(static_cast<std::uint16_t>(tag));
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::MemorizeMode,
                         static_cast<std::uint8_t>(tag)),
              true);
  SetLinkTimeout(10000);
}

// Online over serial or network: no USB link and the link button reads online.
bool TfmMain::OnlineWithoutUsb() const {
  auto* link = FindAs<TRzBmpButton>("rzbMenuLink");
  return !UsbProc && link && link->GetCaption() == GetLangText("SID_ONLINE");
}

void TfmMain::NetworkSetupClick(TObject* /*Sender*/) {
  if (!fmNetworkSetup) return;
  TfmNetworkSetup& d = *fmNetworkSetup;
  const bool locked = OnlineWithoutUsb();
  d.gbIpSetting->SetEnabled(!locked);
  d.rbManualSetting->SetEnabled(!locked);
  d.rbAutoSetting->SetEnabled(!locked);
  d.gbIdSetting->SetEnabled(!locked);
  d.edId->SetColor(locked ? EditSilver : clWindow);
  const bool ipLocked = !UsbProc && (d.rbAutoSetting->GetChecked() || locked);
  for (TEdit* edit : {d.edIp1, d.edIp2, d.edIp3, d.edIp4}) {
    edit->SetEnabled(!ipLocked);
    edit->SetColor(ipLocked ? EditSilver : clWindow);
  }
  d.ShowModal();
}

void TfmMain::SettingIDClick(TObject* /*Sender*/) {
  if (!fmIdSelect) return;
  const bool locked = OnlineWithoutUsb();
  fmIdSelect->gnIdNumer->SetEnabled(!locked);
  fmIdSelect->edId->SetColor(locked ? EditSilver : clWindow);
  fmIdSelect->ShowModal();
}

void TfmMain::Rs232CodeClick(TObject* /*Sender*/) {
  if (Language == "English") {
    if (fmRs232CmdEnglish) fmRs232CmdEnglish->ShowModal();
  } else if (fmRs232Cmd) {
    fmRs232Cmd->ShowModal();
  }
}

// Bound once the menus and page buttons exist.
void TfmMain::BindCommands() {
  auto item = [this](std::string_view name, void (TfmMain::*handler)(TObject*)) {
    if (auto* m = FindAs<TMenuItem>(name)) m->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  auto modal = [this](std::string_view name, TCustomForm** form) {
    if (auto* m = FindAs<TMenuItem>(name))
      m->OnClick = [form](TObject*) {
        if (*form && !(*form)->GetVisible()) (*form)->ShowModal();
      };
  };
  auto shown = [this](std::string_view name, TCustomForm** form) {
    if (auto* m = FindAs<TMenuItem>(name))
      m->OnClick = [form](TObject*) {
        if (*form) (*form)->Show();
      };
  };
  item("Open", &TfmMain::OpenClick);
  item("Save", &TfmMain::SaveClick);
  item("Upload", &TfmMain::UploadClick);
  item("Download", &TfmMain::DownloadClick);
  item("FactoryDefault", &TfmMain::FactoryDefaultClick);
  item("Exit", &TfmMain::ExitClick);
  modal("Link", reinterpret_cast<TCustomForm**>(&fmLinkSel));
  modal("Copy", reinterpret_cast<TCustomForm**>(&fmCopy));
  modal("Lock", reinterpret_cast<TCustomForm**>(&fmLockSetup));
  modal("LockSetup", reinterpret_cast<TCustomForm**>(&fmLockSetup));
  modal("TestTone", reinterpret_cast<TCustomForm**>(&fmTest));
  modal("ChNameList", reinterpret_cast<TCustomForm**>(&fmChNameList));
  modal("SubCtrl", reinterpret_cast<TCustomForm**>(&fmSubCtrl));
  modal("GroupCtrl", reinterpret_cast<TCustomForm**>(&fmGroupCtrl));
  modal("About", reinterpret_cast<TCustomForm**>(&fmAbout));
  shown("MemoShow", reinterpret_cast<TCustomForm**>(&fmMemo));
  shown("HidData", reinterpret_cast<TCustomForm**>(&fmHidData));
  shown("PhantomPotent", reinterpret_cast<TCustomForm**>(&fmPhantomPotent));
  for (const char* name : {"Memorize", "Forget", "U01"}) item(name, &TfmMain::MemorizeClick);
  item("SettingID", &TfmMain::SettingIDClick);
  item("NetworkSetup", &TfmMain::NetworkSetupClick);
  item("Rs232Code", &TfmMain::Rs232CodeClick);
  item("Connected", &TfmMain::ConnectedClick);
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink"))
    link->OnClick = [this](TObject* s) { rzbMenuLinkClick(s); };
  if (auto* b = FindAs<TControl>("bStore")) b->OnClick = [this](TObject* s) { bStoreClick(s); };
  if (auto* b = FindAs<TControl>("bRecall")) b->OnClick = [this](TObject* s) { bRecallClick(s); };
  for (const char* page : {"Comp", "Delay", "Eff", "Matrix", "Gate", "Gain"})
    if (auto* b = FindAs<TRzBmpButton>(std::string("rzbMenu") + page))
      b->OnClick = [this](TObject* s) { rzbMenuInAClick(s); };
  for (int i = 0; i < 8; ++i) {
    if (auto* b = FindAs<TRzBmpButton>("rzbMenuIn" + InputLetter(i)))
      b->OnClick = [this](TObject* s) { rzbMenuInAClick(s); };
    if (auto* b = FindAs<TRzBmpButton>("rzbMenuOut" + std::to_string(i + 1)))
      b->OnClick = [this](TObject* s) { rzbMenuInAClick(s); };
  }
}
