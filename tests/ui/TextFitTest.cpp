// Every value box, list and key of the main window holds the widest text it
// can show, in English and in Chinese: the text is measured with the font the
// control draws it in and compared with the room its client area leaves.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "model/ValueScales.h"
#include "platform/classlib/RzControls.h"
#include "tests/ui/StripPagesSupport.h"

namespace {

using namespace strip_test;

using Texts = std::vector<std::string>;

Texts Sweep(int first, int last, const std::function<std::string(int)>& text) {
  Texts texts;
  for (int i = first; i <= last; ++i) texts.push_back(text(i));
  return texts;
}

// The scale of each family of value boxes, by the box name's stem.
struct BoxScale {
  std::string_view Stem;
  std::function<Texts()> AllTexts;
};

const std::vector<BoxScale>& BoxScales() {
  static const std::vector<BoxScale> scales = {
      {"cvdEqFreq", [] { return Sweep(0, 300, [](int i) { return FreqBoxText(IndexToFreq(i)); }); }},
      {"cvdLowCutFreq", [] { return Sweep(0, 300, [](int i) { return FreqBoxText(IndexToFreq(i)); }); }},
      {"cvdHighCutFreq", [] { return Sweep(0, 300, [](int i) { return FreqBoxText(IndexToFreq(i)); }); }},
      {"cvdEqGain", [] { return Sweep(0, 240, PeqGainText); }},
      {"cvdEqBw", [] { return Sweep(0, 100, PeqQText); }},
      {"cvdGain", [] { return Sweep(-280, 120, GainText); }},
      {"cvdDelay",
       [] {
         Texts texts;
         for (int unit = 0; unit < 3; ++unit)
           for (int s = 0; s <= 32640; s += s < 32000 ? 97 : 1) texts.push_back(DelayText(s, unit));
         return texts;
       }},
      {"cvdCompThresholdEff", [] { return Sweep(-180, 40, ThresholdWideText); }},
      {"cvdCompThreshold", [] { return Sweep(-180, 40, ThresholdText); }},
      {"cvdGateThreshold", [] { return Sweep(-180, 40, ThresholdText); }},
      {"cvdCompRatio", [] { return Sweep(0, 15, CompRatioDisplayText); }},
      {"cvdCompAttack", [] { return Sweep(0, 998, [](int p) { return DynTimeText(p); }); }},
      {"cvdGateAttack", [] { return Sweep(0, 998, [](int p) { return DynTimeText(p); }); }},
      {"cvdCompRelease", [] { return Sweep(0, 2999, [](int p) { return DynTimeText(p); }); }},
      {"cvdGateRelease", [] { return Sweep(0, 2999, [](int p) { return DynTimeText(p); }); }},
  };
  return scales;
}

const BoxScale* ScaleOf(const std::string& name) {
  for (const BoxScale& s : BoxScales())
    if (name.rfind(s.Stem, 0) == 0) return &s;
  return nullptr;
}

// Room for text inside a line edit: its contents rectangle less the
// toolkit's fixed side margins.
int LineEditRoom(QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  const QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  const QMargins m = edit->textMargins();
  return r.width() - m.left() - m.right() - 4;
}

int ComboRoom(QComboBox* combo) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  option.frame = combo->hasFrame();
  return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width() -
         2;
}

struct Misfit {
  std::string Name, Text;
  int Width, Room;
};

void Report(const std::vector<Misfit>& misfits, std::string_view language) {
  for (const Misfit& m : misfits)
    ADD_FAILURE() << m.Name << " '" << m.Text << "' needs " << m.Width << " px of " << m.Room << " in "
                  << language;
}

TEST(TextFit, EveryValueBoxListAndKeyHoldsItsWidestText) {
  TfmMain* form = MainWindow();
  const std::string_view languages[] = {LanguageEnglish, LanguageChineseGB};
  for (const std::string_view language : languages) {
    SwitchLanguage(language);
    std::vector<Misfit> misfits;
    int boxes = 0, lists = 0, keys = 0;
    for (int i = 0; i < form->GetComponentCount(); ++i) {
      auto* control = dynamic_cast<TControl*>(form->GetComponents(i));
      if (!control) continue;
      const std::string name = control->GetName();
      if (auto* box = dynamic_cast<TCurvyEdit*>(control)) {
        const BoxScale* scale = ScaleOf(name);
        EXPECT_NE(scale, nullptr) << name << " has no scale in this test";
        if (!scale) continue;
        auto* edit = qobject_cast<QLineEdit*>(box->GetEdit()->GetWidget());
        ASSERT_NE(edit, nullptr) << name;
        const QFontMetrics metrics(edit->font());
        const int room = LineEditRoom(edit);
        std::string widest;
        int width = 0;
        for (const std::string& text : scale->AllTexts())
          if (const int w = metrics.horizontalAdvance(QString::fromStdString(text)); w > width) {
            width = w;
            widest = text;
          }
        if (width > room) misfits.push_back({name, widest, width, room});
        ++boxes;
      } else if (auto* list = dynamic_cast<TRzComboBox*>(control)) {
        auto* combo = qobject_cast<QComboBox*>(list->GetWidget());
        ASSERT_NE(combo, nullptr) << name;
        const QFontMetrics metrics(combo->font());
        const int room = ComboRoom(combo);
        QString widest;
        int width = 0;
        for (int k = 0; k < combo->count(); ++k)
          if (const int w = metrics.horizontalAdvance(combo->itemText(k)); w > width) {
            width = w;
            widest = combo->itemText(k);
          }
        if (width > room) misfits.push_back({name, widest.toStdString(), width, room});
        ++lists;
      } else if (!control->GetCaption().empty()) {
        // Keys drawn by their own paint: the room their frame and lamp leave.
        int room = -1;
        if (auto* led = dynamic_cast<TVrPowerButton*>(control)) {
          const int edge = led->GetBevelWidth() + led->GetOutlineWidth();
          room = control->GetWidth() - 2 * edge - std::max(led->GetMargin(), 0) - led->GetLedWidth() -
                 std::max(led->GetSpacing(), 0) - 4;
        } else if (dynamic_cast<TRzBmpButton*>(control) || dynamic_cast<TVrDemoButton*>(control)) {
          room = control->GetWidth() - 8;
        }
        if (room < 0) continue;
        TBitmap bmp;
        bmp.SetWidth(8);
        bmp.SetHeight(8);
        TCanvas* canvas = bmp.GetCanvas();
        canvas->Font->Assign(control->GetFont());
        const int width = canvas->TextWidth(control->GetCaption());
        if (width > room) misfits.push_back({name, control->GetCaption(), width, room});
        ++keys;
      }
    }
    Report(misfits, language);
    EXPECT_GT(boxes, 80) << language;
    EXPECT_GE(lists, 13) << language;
    EXPECT_GT(keys, 300) << language;
  }
  SwitchLanguage(LanguageEnglish);
}

}  // namespace
