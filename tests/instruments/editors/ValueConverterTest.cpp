// The value converter's pages from a value and back.

#include <cmath>
#include <limits>

#include "instruments/editors/iValueConverterEditForm.h"
#include "platform/sys/DateTime.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;

namespace {

struct ConverterStage {
  FormGuard guard;
  TiValueConverterEditForm* form;
  ConverterStage() {
    App();
    form = guard(new TiValueConverterEditForm(nullptr));
    form->AfterConstruction();
  }
};

struct Fields {
  std::string days, weeks, hours, minutes, seconds, ms, integer, p32, p256;
  double date;
  double time;
};

Fields Read(TiValueConverterEditForm* f) {
  return {f->DaysEdit->GetText(),         f->WeeksEdit->GetText(),      f->HoursEdit->GetText(),
          f->MinutesEdit->GetText(),      f->SecondsEdit->GetText(),    f->MilliSecondsEdit->GetText(),
          f->PriceIntegerEdit->GetText(), f->Price32ndsEdit->GetText(), f->Price256thsEdit->GetText(),
          f->FDatePicker->GetDateTime(),  f->FTimePicker->GetDateTime()};
}

struct ValueCase {
  double value;
  Fields expected;
};

TEST(ValueConverter, CaptionSizeAndPages) {
  ConverterStage s;
  EXPECT_EQ(s.form->GetCaption(), "Value Converter");
  EXPECT_EQ(s.form->GetWidth(), 269);
  EXPECT_EQ(s.form->GetHeight(), 264);
  ASSERT_EQ(s.form->PageControl->GetPageCount(), 3);
  EXPECT_EQ(s.form->PageControl->GetPages(0)->GetCaption(), "Interval");
  EXPECT_EQ(s.form->PageControl->GetPages(1)->GetCaption(), "Date/Time");
  EXPECT_EQ(s.form->PageControl->GetPages(2)->GetCaption(), "Price 32nds");
  EXPECT_EQ(s.form->FDatePicker->GetKind(), dtkDate);
  EXPECT_EQ(s.form->FTimePicker->GetKind(), dtkTime);
  EXPECT_EQ(s.form->FDatePicker->GetWidth(), 137);
  EXPECT_EQ(s.form->FDatePicker->GetLeft(),
            s.form->DatePickerLabel->GetLeft() + s.form->DatePickerLabel->GetWidth() + 5);
  EXPECT_EQ(s.form->FDatePicker->GetTop(), s.form->DatePickerLabel->GetTop() - 3);
  struct Limit {
    const char* name;
    int min, max, increment;
  };
  for (const Limit& l :
       {Limit{"HoursUpDown", 0, 23, 1}, Limit{"MinutesUpDown", 0, 59, 1}, Limit{"SecondsUpDown", 0, 59, 1},
        Limit{"MilliSecondsUpDown", 0, 999, 100}, Limit{"DaysUpDown", 0, 0, 1}, Limit{"WeeksUpDown", 0, 0, 1},
        Limit{"Price32ndsUpDown", 0, 31, 1}, Limit{"Price256thsUpDown", 0, 7, 1},
        Limit{"PriceIntegerUpDown", 0, 10000, 1}}) {
    auto* u = dynamic_cast<TiUpDown*>(s.form->FindComponent(l.name));
    ASSERT_TRUE(u) << l.name;
    EXPECT_EQ(u->GetMin(), l.min) << l.name;
    EXPECT_EQ(u->GetMax(), l.max) << l.name;
    EXPECT_EQ(u->GetIncrement(), l.increment) << l.name;
  }
}

TEST(ValueConverter, AValueFillsEveryPage) {
  const double big = 123456789012345.75;
  const std::vector<ValueCase> cases = {
      {1.5, {"1", "0", "12", "0", "0", "0", "1", "16", "0", 1, 0.5}},
      {2.28125, {"2", "0", "6", "45", "0", "0", "2", "9", "0", 2, 0.28125}},
      {2.296875, {"2", "0", "7", "7", "30", "0", "2", "9", "4", 2, 0.296875}},
      {0, {"0", "0", "0", "0", "0", "0", "0", "0", "0", 0, 0}},
      // Above 1e14 the date, time and interval take the fraction only.
      {big, {"0", "0", "18", "0", "0", "0", "123456789012345", "24", "0", 0, 0.75}},
      // A negative value's time of day is its fraction's size.
      {-1.5, {"-1", "0", "12", "0", "0", "0", "-1", "-16", "0", -1, 0.5}},
      // Beyond the 32-bit range: whole-number text; the pickers at their limit.
      {-1e12,
       {"-1000000000000", "-142857142857", "0", "0", "0", "0", "-1000000000000", "0", "0", MinDateTime, 0}},
      {3e9, {"3000000000", "428571428", "0", "0", "0", "0", "3000000000", "0", "0", MaxDateTime, 0}},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.value);
    ConverterStage s;
    s.form->SetValue(c.value);
    const Fields f = Read(s.form);
    EXPECT_EQ(f.days, c.expected.days);
    EXPECT_EQ(f.weeks, c.expected.weeks);
    EXPECT_EQ(f.hours, c.expected.hours);
    EXPECT_EQ(f.minutes, c.expected.minutes);
    EXPECT_EQ(f.seconds, c.expected.seconds);
    EXPECT_EQ(f.ms, c.expected.ms);
    EXPECT_EQ(f.integer, c.expected.integer);
    EXPECT_EQ(f.p32, c.expected.p32);
    EXPECT_EQ(f.p256, c.expected.p256);
    EXPECT_NEAR(f.date, c.expected.date, 1e-6);
    EXPECT_NEAR(f.time, c.expected.time, 1e-6);
    // ValueEdit keeps 15 significant digits.
    EXPECT_EQ(s.form->GetValue(), StrToFloat(FloatToStr(c.value)));
  }
}

TEST(ValueConverter, AValueThatIsNotANumberLeavesThePagesAtZero) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()}) {
    ConverterStage s;
    s.form->SetValue(5.25);
    s.form->SetValue(v);
    const Fields f = Read(s.form);
    for (const std::string& text : {f.days, f.weeks, f.hours, f.minutes, f.integer, f.p32, f.p256})
      EXPECT_EQ(text, "0") << v;
    EXPECT_FALSE(s.form->ValueEdit->GetText().empty());
    EXPECT_EQ(s.form->ValueEdit->GetText(), FloatToStr(v));
  }
}

TEST(ValueConverter, PagesWriteTheNumberBack) {
  ConverterStage s;
  TiValueConverterEditForm* f = s.form;
  // Three weeks and six hours.
  f->HoursEdit->SetAsString("6");
  f->WeeksEdit->SetAsString("3");
  f->WeeksChange(f->WeeksEdit);
  EXPECT_EQ(f->GetValue(), 21.25);
  EXPECT_EQ(f->DaysEdit->GetText(), "21");
  f->DaysEdit->SetAsString("2");
  f->MinutesEdit->SetAsString("30");
  f->TimeChange(f->DaysEdit);
  EXPECT_NEAR(f->GetValue(), 2 + 6.5 / 24, 1e-12);
  // An hour of 24 cannot be a time: the conversion error, the value kept.
  const double before = f->GetValue();
  f->HoursEdit->SetAsString("24");
  EXPECT_THROW(f->TimeChange(f->HoursEdit), EConvertError);
  EXPECT_EQ(f->GetValue(), before);
  // The price page writes ValueEdit alone.
  f->SetValue(1.5);
  f->PriceIntegerEdit->SetAsString("3");
  f->Price32ndsEdit->SetAsString("8");
  f->Price256thsEdit->SetAsString("2");
  f->Price32Change(f->PriceIntegerEdit);
  EXPECT_EQ(f->GetValue(), 3 + 8 / 32.0 + 2 / 256.0);
  EXPECT_EQ(f->DaysEdit->GetText(), "1");
  // The pickers: the date of one, the time of the other.
  f->FDatePicker->SetDateTime(EncodeDate(2024, 2, 29));
  f->FTimePicker->SetDateTime(0.75);
  f->DateTimePickerChange(f->FTimePicker);
  EXPECT_NEAR(f->GetValue(), EncodeDate(2024, 2, 29) + 0.75, 1e-9);
  // Before 1899-12-30 the time still counts forwards into the day.
  f->FDatePicker->SetDateTime(-3);
  f->FTimePicker->SetDateTime(0.25);
  f->DateTimePickerChange(f->FDatePicker);
  EXPECT_NEAR(f->GetValue(), -3.25, 1e-9);
  int y = 0, m = 0, d = 0;
  DecodeDate(f->GetValue(), y, m, d);
  EXPECT_EQ(d, 27);
  f->iComponentEditorButton1Click(nullptr);
  EXPECT_EQ(f->GetValue(), 0);
  const Fields zero = Read(f);
  EXPECT_EQ(zero.days + zero.hours + zero.integer + zero.p32, "0000");
  // Typing into ValueEdit updates no page; the number is what is read.
  f->ValueEdit->SetText("7.5");
  EXPECT_EQ(f->DaysEdit->GetText(), "0");
  EXPECT_EQ(f->GetValue(), 7.5);
}

TEST(ValueConverter, SetNowTakesTheClock) {
  ConverterStage s;
  s.form->SetNowButtonClick(s.form->SetNowButton);
  EXPECT_NEAR(s.form->GetValue(), Now(), 1.0 / 24);
}

}  // namespace
