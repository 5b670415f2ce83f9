// The PEQ band tables: rows, setters and getters for all 50 rows, the
// selection mark, typed entry through the handlers and through the
// in-place editor, layout, and the six-decibel twin.
#include <gtest/gtest.h>

#include "model/CommonConstants.h"
#include "response/MyPEQAllpass.h"
#include "response/MyPEQGain6dB.h"
#include "response/PeqEntry.h"
#include "platform/classlib/StdCtrls.h"
#include <QMouseEvent>
#include "tests/response/ResponseTestSupport.h"

using namespace response_test;

namespace {

struct Table : FormFixture {
  TMyPEQAllpass* peq;
  int changes = 0;
  Table(int rows = 5, bool handler = true) : FormFixture(600, 400) {
    peq = new TMyPEQAllpass(form.get());
    peq->SetParent(form.get());
    peq->SetBounds(10, 10, 452, 260);
    if (handler) peq->OnChange = [this](TObject*) { ++changes; };
    peq->SetChannelNumber(rows);
    peq->SetLabelColor(clBackground);
    peq->SetEditBackColor(clWhite);
    peq->SetBypassBackColor(clSilver);
  }
  void Type(int row, TPeqCell cell, const std::string& text) { peq->SetFieldText(row, cell, text); }
};

}  // namespace

TEST(PeqBandTable, ConstructionDefaults) {
  FormFixture f;
  auto* peq = new TMyPEQAllpass(f.form.get());
  EXPECT_EQ(peq->GetChannelNumber(), 50);
  EXPECT_EQ(peq->GetWidth(), 490);
  EXPECT_EQ(peq->GetHeight(), 420);
  EXPECT_EQ(peq->GetTopBottomSpace(), 15);
  EXPECT_FALSE(peq->GetUpdownVisable());
  EXPECT_EQ(peq->GetNowIndex(), 0);
  for (int r : {0, 7, 49}) {
    EXPECT_EQ(peq->GetFieldText(r, pcFrequency), std::to_string(r));
    EXPECT_EQ(peq->GetFieldText(r, pcQ), "1.26");
    EXPECT_EQ(peq->GetFieldText(r, pcGain), "0dB");
    EXPECT_DOUBLE_EQ(peq->GetQValue(r), 1.26);
    EXPECT_EQ(peq->GetFreqValue(r), 1000.0);
  }
  // Texts arrive with the window.
  EXPECT_EQ(peq->GetTypeText(0), "");
  peq->SetParent(f.form.get());
  f.Show();
  EXPECT_EQ(peq->GetTypeText(0), " Peak       ");
  EXPECT_EQ(peq->GetTypeText(6), " Allpass 2  ");
  EXPECT_EQ(peq->GetBypassText(), "   BYPASS   ");
}

TEST(PeqBandTable, EveryRowStoresItsBand) {
  Table t(7);
  const int before = t.changes;
  for (int r = 0; r < 50; ++r) {
    t.peq->SetEqParamValue(r, 100.0 * (r + 1), r % 101, (r % 24) - 12 + 0.47, r % 7, r % 2 == 1);
    EXPECT_EQ(t.peq->GetFreqValue(r), PeqPositionFrequency(PeqFreqPositionFromHz(100.0 * (r + 1)))) << r;
    EXPECT_DOUBLE_EQ(t.peq->GetQValue(r), PeqQTable[static_cast<std::size_t>(r % 101)]) << r;
    EXPECT_NEAR(t.peq->GetGainValue(r), PeqGainPositionRounded((r % 24) - 12 + 0.47) * 0.1, 1e-12) << r;
    EXPECT_EQ(t.peq->GetTypeValue(r), r % 7);
    EXPECT_EQ(t.peq->GetBypassValue(r), r % 2 == 1);
  }
  EXPECT_EQ(t.changes - before, 50);
  // Rows outside the table are ignored.
  t.peq->SetFreqValue(50, 1000);
  t.peq->SetGainValue(-1, 3);
  EXPECT_EQ(t.changes - before, 50);
  EXPECT_EQ(t.peq->GetTypeValue(50), 0);
}

TEST(PeqBandTable, SetterConversions) {
  Table t;
  t.peq->SetGainValue(0, 3.45);
  EXPECT_DOUBLE_EQ(t.peq->GetGainValue(0), 3.4);
  EXPECT_EQ(t.peq->GetFieldText(0, pcGain), "3.45dB");
  t.peq->SetEqParamValue(1, 1000, 20, -3.4, 0, false);
  EXPECT_DOUBLE_EQ(t.peq->GetGainValue(1), -3.4);
  t.peq->SetFreqValue(2, 1000);
  EXPECT_EQ(t.peq->GetFieldText(2, pcFrequency), "1.00KHz");
  t.peq->SetFreqValue(2, 100);
  EXPECT_EQ(t.peq->GetFieldText(2, pcFrequency), "99.2Hz");
  t.peq->SetQValue(3, 50.9);
  EXPECT_DOUBLE_EQ(t.peq->GetQValue(3), 7.1);
  EXPECT_EQ(t.peq->GetFieldText(3, pcQ), "7.10");
}

TEST(PeqBandTable, SelectionMark) {
  Table t(7);
  const TColor normal = t.peq->GetFieldFontColor(0);
  t.peq->SetNowIndex(3);
  EXPECT_EQ(t.peq->GetFieldFontColor(3), 0x00B000);
  t.peq->SetNowIndex(15);
  EXPECT_EQ(t.peq->GetFieldFontColor(3), normal);
  EXPECT_EQ(t.peq->GetNowIndex(), 15);
  t.peq->SetNowIndex(-1);
  EXPECT_EQ(t.peq->GetNowIndex(), 15);
  // A user edit of row 2, then the main window's echo marks row 2 and
  // clears the row that was current before.
  t.peq->SetNowIndex(4);
  t.Type(2, pcGain, "3");
  t.peq->GainExit(2);
  t.peq->SetNowIndex(t.peq->GetNowIndex());
  EXPECT_EQ(t.peq->GetFieldFontColor(2), 0x00B000);
  EXPECT_EQ(t.peq->GetFieldFontColor(4), normal);
}

TEST(PeqBandTable, TypedEntryThroughTheHandlers) {
  Table t;
  const int before = t.changes;
  t.Type(1, pcFrequency, "1kHz");
  std::uint16_t enter = VK_RETURN;
  t.peq->FrequencyKeyDown(1, enter, {});
  EXPECT_EQ(t.peq->GetFreqValue(1), 1000.0);
  EXPECT_EQ(t.peq->GetFieldText(1, pcFrequency), "1.00KHz");
  EXPECT_EQ(t.peq->GetNowIndex(), 1);
  // Other keys do nothing.
  std::uint16_t other = 'A';
  t.peq->FrequencyKeyDown(1, other, {});
  // Refused text goes back to the stored value and still fires OnChange.
  t.Type(1, pcFrequency, "0.0");
  t.peq->FrequencyExit(1);
  EXPECT_EQ(t.peq->GetFieldText(1, pcFrequency), "1.00KHz");
  t.Type(1, pcQ, "200");
  t.peq->QfactorExit(1);
  EXPECT_EQ(t.peq->GetFieldText(1, pcQ), "128.00");
  t.Type(1, pcGain, "-15");
  t.peq->GainExit(1);
  EXPECT_EQ(t.peq->GetFieldText(1, pcGain), "-12dB");
  EXPECT_DOUBLE_EQ(t.peq->GetGainValue(1), -12.0);
  t.Type(1, pcGain, "5.");
  t.peq->GainExit(1);
  EXPECT_EQ(t.peq->GetFieldText(1, pcGain), "-12dB");
  EXPECT_EQ(t.changes - before, 5);
  // Up-downs step within their ranges.
  t.peq->GainUpDownClick(1, btPrev);
  EXPECT_DOUBLE_EQ(t.peq->GetGainValue(1), -12.0);
  t.peq->QfactorUpDownClick(1, btNext);
  EXPECT_DOUBLE_EQ(t.peq->GetQValue(1), 128.0);
  t.peq->FrequencyUpDownClick(1, btNext);
  EXPECT_EQ(t.peq->GetFieldText(1, pcFrequency), "1.02KHz");
}

TEST(PeqBandTable, BypassAndChangeEvent) {
  Table quiet(5, false);
  quiet.peq->SetBypassValue(2, true);
  EXPECT_TRUE(quiet.peq->GetBypassValue(2));
  EXPECT_NE(quiet.peq->GetBypassButtonColor(2), 0x8080FF);
  Table t;
  t.peq->ByPassClick(3);
  EXPECT_TRUE(t.peq->GetBypassValue(3));
  EXPECT_EQ(t.peq->GetBypassButtonColor(3), 0x8080FF);
  EXPECT_EQ(t.peq->GetNowIndex(), 3);
  t.peq->ByPassClick(3);
  EXPECT_EQ(t.peq->GetBypassButtonColor(3), clSilver);
  const int n = t.changes;
  t.peq->SetChannelNumber(60);
  EXPECT_EQ(t.peq->GetChannelNumber(), 50);
  t.peq->SetChannelNumber(50);
  EXPECT_EQ(t.changes, n + 1);
}

TEST(PeqBandTable, LayoutOfA452By260Table) {
  Table t(5);
  t.Show();
  const int left[3] = {40, 124, 208};
  const int tops[5] = {23, 68, 113, 158, 203};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(t.peq->GetCellRect(r, pcNumber).Top, tops[r]);
    for (int k = 0; k < 3; ++k) {
      const TRect cell = t.peq->GetCellRect(r, static_cast<TPeqCell>(pcFrequency + k));
      EXPECT_EQ(cell.Left, left[k]);
      EXPECT_EQ(cell.Width(), 76);
      EXPECT_EQ(cell.Top, tops[r] - 1);
    }
    EXPECT_EQ(t.peq->GetCellRect(r, pcType).Left, 292);
    EXPECT_EQ(t.peq->GetCellRect(r, pcType).Width(), 84);
    EXPECT_EQ(t.peq->GetCellRect(r, pcBypass).Left, 382);
    EXPECT_EQ(t.peq->GetCellRect(r, pcBypass).Width(), 62);
  }
  EXPECT_FALSE(t.peq->GetRowShown(5));
  EXPECT_FALSE(t.peq->GetRowShown(49));
  // A layout pass keeps each band's type.
  t.peq->SetTypeValue(2, 5);
  t.peq->SetBounds(10, 10, 460, 270);
  t.peq->RePaint();
  EXPECT_EQ(t.peq->GetTypeValue(2), 5);
  const QImage img = Shot(t.peq);
  img.save("/tmp/response-peq.png");
}

TEST(PeqBandTable, LanguageTextsWaitForChangeLanguage) {
  Table t;
  t.Show();
  t.peq->SetEqTypeString("Glocke", 0);
  t.peq->SetBypassString("AUS");
  EXPECT_EQ(t.peq->GetTypeText(0), " Peak       ");
  t.peq->ChangeLanguage();
  EXPECT_EQ(t.peq->GetTypeText(0), "Glocke");
  EXPECT_EQ(t.peq->GetBypassText(), "AUS");
}

TEST(PeqBandTable, TypingIntoTheInPlaceEditor) {
  Table t;
  t.Show();
  const TRect cell = t.peq->GetCellRect(0, pcFrequency);
  int mouseDowns = 0;
  t.peq->OnEditMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int, int) {
    EXPECT_EQ(sender, t.peq);
    ++mouseDowns;
  };
  // A click on row 0's frequency field opens the editor there.
  auto editor = [&]() -> TEdit* {
    for (int i = 0; i < t.peq->GetComponentCount(); ++i)
      if (auto* e = dynamic_cast<TEdit*>(t.peq->GetComponents(i))) return e;
    return nullptr;
  };
  EXPECT_EQ(editor(), nullptr);  // made on first use only
  QWidget* w = t.peq->GetWidget();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(cell.Left + 5, cell.Top + 5),
                    w->mapToGlobal(QPointF(cell.Left + 5, cell.Top + 5)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  Settle();
  EXPECT_EQ(mouseDowns, 1);
  TEdit* e = editor();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->GetVisible());
  e->SetText("20k");
  std::uint16_t enter = VK_RETURN;
  ASSERT_TRUE(e->OnKeyDown);
  e->OnKeyDown(e, enter, {});
  EXPECT_EQ(t.peq->GetFieldText(0, pcFrequency), "20.16KHz");
  EXPECT_EQ(e->GetText(), "20.16KHz");
}

TEST(PeqBandTable, SixDecibelTwin) {
  FormFixture f;
  auto* peq = new TMyPEQGain6dB(f.form.get());
  peq->SetParent(f.form.get());
  peq->SetChannelNumber(5);
  f.Show();
  EXPECT_EQ(peq->GetTypeCount(), 5);
  EXPECT_EQ(peq->GetTypeText(4), " High Cut   ");
  peq->SetFieldText(0, pcGain, "7.5");
  peq->GainExit(0);
  EXPECT_DOUBLE_EQ(peq->GetGainValue(0), 6.0);
  EXPECT_EQ(peq->GetFieldText(0, pcGain), "6dB");
  peq->SetFieldText(0, pcGain, "-6.25");
  peq->GainExit(0);
  EXPECT_DOUBLE_EQ(peq->GetGainValue(0), -6.0);
  peq->SetFieldText(0, pcGain, "5.5dB");
  peq->GainExit(0);
  EXPECT_EQ(peq->GetFieldText(0, pcGain), "5.5dB");
}
