#pragma once
// The program-wide repaint scheduler: every library control registers here
// for its life; a 1000 ms timer, running while any control is registered,
// completes the repaints that the frame-rate limit held back.

#include <memory>
#include <vector>

#include "instruments/base/iComponent.h"
#include "platform/classlib/ExtCtrls.h"

class TiUpdateObject : public TObject {
 public:
  TiUpdateObject();
  ~TiUpdateObject() override;

  void AddUpdateControl(IiUpdateClient* Control);
  void RemoveUpdateControl(IiUpdateClient* Control);
  int GetControlCount() const { return static_cast<int>(FControlList.size()); }
  bool GetTimerEnabled() const { return FTimer->GetEnabled(); }
  // One tick of the timer: repaints every due control in registration order.
  void Tick();

 private:
  std::unique_ptr<TTimer> FTimer;
  std::vector<IiUpdateClient*> FControlList;
};

// The scheduler, made at the first registration (the application object
// exists by then) and freed when the last control leaves, so it never
// outlives the application.
TiUpdateObject* iUpdateObject();
void iAddUpdateControl(IiUpdateClient* Control);
void iRemoveUpdateControl(IiUpdateClient* Control);
