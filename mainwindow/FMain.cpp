// The main window: construction by role, start-up, and the owner interface
// the model calls.

#include "mainwindow/FMain.h"

#include "link/LComm.h"
#include "link/LNet.h"
#include "link/LUsb.h"
#include "model/LUnitControl.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/WindowTarget.h"
#include "response/Plot.h"

TfmMain* fmMain = nullptr;

TfmMain::TfmMain(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmMain");
  Language.clear();
  // The box every page box sits in; the shell places it.
  auto* mainBox = new TRzGroupBox(this);
  mainBox->SetName("rzgMain");
  mainBox->SetParent(this);
  mainBox->SetCaption("");
  mainBox->SetBounds(7, 50, 1112, 629);
  FMainBox = mainBox;
  CreateShellControls();
  CreateStripControls();
  CreatePageControls();
  BindLinkRoad();
  BindCommands();
  BindStripViewHandlers();
  BindBandEditingHandlers();
  BindLevelHandlers();
  BindDelayDynamicsHandlers();
  BindMatrixEffectHandlers();
  CreateSplashScreen();
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

TfmMain::~TfmMain() {
  if (fmMain == this) fmMain = nullptr;
  // The engines' workers write through this window: each is stopped and
  // joined while the window is still whole, not when its bases go.
  CommProc.reset();
  UsbProc.reset();
  NetProc.reset();
}

void TfmMain::MarkOverlaysStale(int channel) {
  if (channel >= 0 && channel < 32)
    for (auto& mask : OverlayStale) mask |= 1u << channel;
}
