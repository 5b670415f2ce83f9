#pragma once
// The Delay, Comp and Gate page tests: the program's forms shared per
// suite, every command the window sends recorded, the controls found by
// name, and a typed value applied as the user applies it.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/CurvyControls.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/Keys.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace parameter_pages_test {

using Bytes = std::vector<std::vector<std::uint8_t>>;

// "InA" .. "InH" for inputs 0..7, "Out1" .. "Out8" for outputs 8..15.
inline std::string Suffix(int channel) {
  return channel < 8 ? "In" + std::string(1, static_cast<char>('A' + channel))
                     : "Out" + std::to_string(channel - 7);
}

class RecordingSuite : public program_forms_test::ProgramFormsSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(fmMain, nullptr);
    Model()->LoadDefaults();
    fmMain->SetSendSink([this](const LCmd& command, bool) { Sent.push_back(command); });
  }
  void TearDown() override {
    fmMain->SetSendSink({});
    fmMain->SetRefreshing(false);
  }

  static LUnitControl* Model() { return fmMain->GetState().UnitControl.get(); }
  template <class T>
  static T* Get(const std::string& name) {
    auto* c = dynamic_cast<T*>(fmMain->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  // The payloads of the recorded commands with the code, in order.
  Bytes Payloads(std::uint8_t code) const {
    Bytes out;
    for (const LCmd& c : Sent)
      if (c.Code == code) out.push_back(c.Payload);
    return out;
  }

  // Types the text into the box with the caret at its start, then applies
  // it by Enter or by leaving the box.
  static void Type(TCurvyEdit* box, const std::string& text, bool enter) {
    box->SetText(text);
    box->GetEdit()->SetSelStart(0);
    if (enter) {
      std::uint16_t key = VK_RETURN;
      box->OnKeyDown(box, key, {});
    } else {
      box->OnExit(box);
    }
  }
  static bool CaretAtEnd(TCurvyEdit* box) {
    return box->GetEdit()->GetSelStart() == static_cast<int>(box->GetText().size());
  }

  std::vector<LCmd> Sent;
};

}  // namespace parameter_pages_test
