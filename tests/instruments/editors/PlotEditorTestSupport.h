#pragma once
// The plot editor's tests: an XY plot with objects of every kind whose
// editor opens stay-on-top (so the test goes on while it is up), and the
// user's gestures on the form's controls by name.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iXYPlot.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace editors_test {

// Toolbar, legend, X and Y axis, two channels, data view, data cursor,
// two limits, two labels (the first the title) and a table.
struct EditorPlot {
  TiXYPlot* plot;
  EditorPlot() {
    classlib_test::App();
    plot = new TiXYPlot(nullptr);
    plot->AddChannel();
    plot->AddLimit();
    plot->AddLimit();
    plot->AddLabel();
    plot->AddTable();
    plot->SetEditorFormStyle(ipfsStayOnTop);
  }
  ~EditorPlot() { delete plot; }
  EditorPlot(const EditorPlot&) = delete;
  EditorPlot& operator=(const EditorPlot&) = delete;

  // Opens the editor (stay-on-top: returns at once) and gives the form.
  TiPlotEditorForm* Open() {
    plot->EditProperties();
    return plot->GetMaster()->GetEditorForm();
  }
};

template <class C>
C* Named(TiPlotEditorForm* Form, const std::string& Name) {
  C* c = Form->Find<C>(Name);
  EXPECT_NE(c, nullptr) << Name;
  return c;
}

// The user types Text into an edit and presses Enter.
inline void TypeInto(TiPlotEditorForm* Form, const std::string& Edit, const std::string& Text) {
  if (auto* e = Named<TiComponentEditorEdit>(Form, Edit)) e->SetStringWithEvent(Text);
}

inline void ClickButton(TiPlotEditorForm* Form, const std::string& Button) {
  if (auto* b = Named<TButton>(Form, Button)) b->Click();
}

// The user picks an entry of a list.
inline void PickEntry(TiPlotEditorForm* Form, const std::string& List, int Index) {
  if (auto* l = Named<TiComponentEditorListBox>(Form, List)) {
    l->SetItemIndex(Index);
    if (l->OnClick) l->OnClick(l);
  }
}

inline std::vector<std::string> Entries(TStrings* Items) {
  std::vector<std::string> out;
  for (int i = 0; i < Items->GetCount(); ++i) out.push_back(Items->GetStrings(i));
  return out;
}

}  // namespace editors_test
