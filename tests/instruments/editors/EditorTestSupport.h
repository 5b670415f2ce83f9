#pragma once
// The editor kit's tests: a fixture form owning one control of each kind,
// with a log of every event and of the form's UserChange.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/editors/iEditorControls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace editors_test {

using Log = std::vector<std::string>;

class FixtureForm : public TiCustomEditorForm {
 public:
  explicit FixtureForm(TComponent* AOwner);
  // The list's objects are the form's.
  ~FixtureForm() override;
  void UserChange() override { log.push_back("UserChange"); }
  // Records Name.Event for each event of the kit controls.
  TNotifyEvent Recorder(const std::string& what) {
    return [this, what](TObject*) { log.push_back(what); };
  }

  Log log;
  TiComponentEditorPageControl* Pages;
  TTabSheet* Page1;
  TTabSheet* Page2;
  TiComponentEditorEdit* Edit;
  TiUpDown* UpDown;
  TiComponentEditorCheckBox* Check;
  TiComponentEditorRadioGroup* Radio;
  TiComponentEditorComboBox* Combo;
  TiComponentEditorListBox* List;
  TiComponentEditorButton* Button;
  TiComponentEditorGroupBox* Group;
  TiPaintBox* PaintBox;
};

// The fixture form, freed at the end of the test.
struct KitStage {
  classlib_test::FormGuard guard;
  FixtureForm* form;
  KitStage() {
    classlib_test::App();
    form = guard(new FixtureForm(nullptr));
    form->AfterConstruction();
  }
};

}  // namespace editors_test
