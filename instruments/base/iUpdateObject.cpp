#include "instruments/base/iUpdateObject.h"

#include <algorithm>

namespace {
std::unique_ptr<TiUpdateObject>& Instance() {
  static std::unique_ptr<TiUpdateObject> instance;
  return instance;
}
}  // namespace

TiUpdateObject::TiUpdateObject() : FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->OnTimer = [this](TObject*) { Tick(); };
}

TiUpdateObject::~TiUpdateObject() {
  FTimer->SetEnabled(false);
}

void TiUpdateObject::AddUpdateControl(IiUpdateClient* Control) {
  FControlList.push_back(Control);
  if (FControlList.size() == 1) FTimer->SetEnabled(true);
}

void TiUpdateObject::RemoveUpdateControl(IiUpdateClient* Control) {
  auto it = std::find(FControlList.begin(), FControlList.end(), Control);
  if (it != FControlList.end()) FControlList.erase(it);
  if (FControlList.empty()) FTimer->SetEnabled(false);
}

void TiUpdateObject::Tick() {
  // A copy: controls may come and go while the tick runs.
  const std::vector<IiUpdateClient*> controls = FControlList;
  const TDateTime now = Now();
  for (IiUpdateClient* c : controls) {
    if (std::find(FControlList.begin(), FControlList.end(), c) == FControlList.end()) continue;
    if (c->GetUpdateActive() || !c->GetNeedsRepaint()) continue;
    const int rate = c->GetRepaintFrameRate();
    if (rate == 0 || now > c->GetLastUpdate() + 1.0 / (rate * 86400.0)) c->DoRepaint();
  }
}

TiUpdateObject* iUpdateObject() {
  return Instance().get();
}

void iAddUpdateControl(IiUpdateClient* Control) {
  if (!Instance()) Instance() = std::make_unique<TiUpdateObject>();
  Instance()->AddUpdateControl(Control);
}

void iRemoveUpdateControl(IiUpdateClient* Control) {
  if (!Instance()) return;
  Instance()->RemoveUpdateControl(Control);
  if (Instance()->GetControlCount() == 0) Instance().reset();
}
