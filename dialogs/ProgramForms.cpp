#include "dialogs/ProgramForms.h"

#include "dialogs/FHidData.h"
#include "dialogs/Fabout.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fchannelname.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Flocksetup.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fpeqrst.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Fprocess.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Frvb.h"
#include "dialogs/Fstorename.h"
#include "dialogs/Fstorepreset.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/Forms.h"
#include "rs232codes/Frs232cmd.h"
#include "rs232codes/Frs232code.h"

void CreateProgramForms(TApplication& app) {
  // The main window first: it becomes the main form, and its start-up runs
  // before any dialog exists. Some of its handlers test for later forms.
  app.CreateForm(fmMain);
  app.CreateForm(fmHidData);
  app.CreateForm(fmPeqRst);
  app.CreateForm(fmAbout);
  app.CreateForm(fmRs232Code);
  app.CreateForm(fmRs232CodeEnglish);
  // The viewers' captions come from the main window's language tables.
  fmRs232Code->SetTextOwner(fmMain);
  fmRs232CodeEnglish->SetTextOwner(fmMain);
  app.CreateForm(fmLockPassWord);
  app.CreateForm(fmLockSetup);
  app.CreateForm(fmNetwork);
  app.CreateForm(fmProcess);
  app.CreateForm(fmInformation);
  app.CreateForm(fmExit);
  app.CreateForm(fmMemo);
  app.CreateForm(fmRecallPreset);
  app.CreateForm(fmChannelName);
  app.CreateForm(fmStorePreset);
  app.CreateForm(fmFactory);
  app.CreateForm(fmIdSelect);
  app.CreateForm(fmTest);
  app.CreateForm(fmLinkSel);
  app.CreateForm(fmChNameList);
  app.CreateForm(fmStoreName);
  app.CreateForm(fmNetworkSetup);
  app.CreateForm(fmCopy);
  app.CreateForm(fmPhantomPotent);
  app.CreateForm(fmRvb);
  app.CreateForm(fmCamera);
  app.CreateForm(fmComp);
  app.CreateForm(fmAutoMix);
  app.CreateForm(fmRs232Cmd);
  app.CreateForm(fmRs232CmdEnglish);
  app.CreateForm(fmSubCtrl);
  app.CreateForm(fmGroupCtrl);
}
