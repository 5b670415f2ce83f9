#pragma once
// Records every command the main window sends (code and payload) for the
// page tests, and clicks as the user does.

#include <cstdint>
#include <ostream>
#include <vector>

#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/RzControls.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace frame_record_test {

struct Frame {
  std::uint8_t Code;
  std::vector<std::uint8_t> Payload;
  bool operator==(const Frame&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Frame& f) {
  os << "code " << int(f.Code) << " [";
  for (auto b : f.Payload) os << ' ' << int(b);
  return os << " ]";
}

using Frames = std::vector<Frame>;

// The program's forms with the window's sends recorded; the model goes back
// to its defaults after each test.
class FrameRecordSuite : public program_forms_test::ProgramFormsSuite {
 protected:
  void SetUp() override {
    Model()->SetOwner(fmMain);
    fmMain->SetSendSink([this](const LCmd& c, bool) { frames.push_back({c.Code, c.Payload}); });
  }
  void TearDown() override {
    fmMain->SetSendSink({});
    fmMain->SetRefreshing(true);
    Model()->LoadDefaults();
    fmMain->SetRefreshing(false);
  }

  static LUnitControl* Model() { return fmMain->GetState().UnitControl.get(); }

  // Model values as the device sent them: stored without sending.
  template <class F>
  static void AsReceived(F store) {
    fmMain->SetRefreshing(true);
    store(*Model());
    fmMain->SetRefreshing(false);
  }

  // What a user's click does: a disabled control hears nothing; a toggle
  // key changes Down before its OnClick fires.
  static void UserClick(TControl* c) {
    if (!c->GetEnabled()) return;
    if (auto* key = dynamic_cast<TRzBmpButton*>(c)) {
      key->SetDown(!key->GetDown());
      key->Click();
    } else if (c->OnClick) {
      c->OnClick(c);
    }
  }

  Frames frames;
};

}  // namespace frame_record_test
