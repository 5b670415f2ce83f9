#include "instruments/editors/iValueConverterEditForm.h"

#include <cmath>
#include <cstdio>

#include "platform/sys/DateTime.h"

namespace {

// A whole number as its decimal text, whatever its size.
std::string WholeText(double Value) {
  char text[400];
  // Adding 0 turns -0 into 0.
  std::snprintf(text, sizeof text, "%.0f", Value + 0.0);
  return text;
}

// A day and a time of day as one date-time: before 1899-12-30 the fraction
// still counts forwards into the day.
double CombineDateTime(double Day, double TimeOfDay) {
  const double day = std::trunc(Day);
  return day < 0 ? day - TimeOfDay : day + TimeOfDay;
}

}  // namespace

TiValueConverterEditForm::TiValueConverterEditForm(TComponent* AOwner) : TiCustomEditorForm(AOwner) {
  SetName("iValueConverterEditForm");
  SetCaption("Value Converter");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 269, 264);

  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetParent(this);
  Panel2->SetCaption("");
  Panel2->SetBevelOuter(bvNone);
  Panel2->SetHeight(40);
  Panel2->SetAlign(alBottom);
  OkButton = NewEditorFormButton(this, Panel2, "OkButton", "OK", mrOk, 96, 8);
  CancelButton = NewEditorFormButton(this, Panel2, "CancelButton", "Cancel", mrCancel, 178, 8);
  OkButton->SetDefault(true);
  CancelButton->SetCancel(true);

  PageControl = new TiComponentEditorPageControl(this);
  PageControl->SetName("PageControl");
  PageControl->SetParent(this);
  PageControl->SetBounds(4, 4, GetClientWidth() - 8, 150);
  struct PageRow {
    TTabSheet** page;
    const char* name;
    const char* caption;
  };
  for (const PageRow& p : {PageRow{&IntervalTabSheet, "IntervalTabSheet", "Interval"},
                           PageRow{&DateTimeTabSheet, "DateTimeTabSheet", "Date/Time"},
                           PageRow{&Price32TabSheet, "Price32TabSheet", "Price 32nds"}}) {
    *p.page = new TTabSheet(this);
    (*p.page)->SetName(p.name);
    (*p.page)->SetCaption(p.caption);
    (*p.page)->SetPageControl(PageControl);
  }

  ValueEdit = new TiComponentEditorEdit(this);
  ValueEdit->SetName("ValueEdit");
  ValueEdit->SetParent(this);
  ValueEdit->SetBounds(4, 160, GetClientWidth() - 8, 21);
  ValueEdit->SetAsString("0");

  // Interval: two columns of three.
  DaysEdit = AddIntegerEdit(IntervalTabSheet, "Days", "Days", 6, 8, 0, 0, 1);
  HoursEdit = AddIntegerEdit(IntervalTabSheet, "Hours", "Hours", 6, 34, 0, 23, 1);
  MinutesEdit = AddIntegerEdit(IntervalTabSheet, "Minutes", "Minutes", 6, 60, 0, 59, 1);
  SecondsEdit = AddIntegerEdit(IntervalTabSheet, "Seconds", "Seconds", 124, 8, 0, 59, 1);
  MilliSecondsEdit = AddIntegerEdit(IntervalTabSheet, "MilliSeconds", "mSec", 124, 34, 0, 999, 100);
  WeeksEdit = AddIntegerEdit(IntervalTabSheet, "Weeks", "Weeks", 124, 60, 0, 0, 1);
  for (TiComponentEditorEdit* e : {DaysEdit, HoursEdit, MinutesEdit, SecondsEdit, MilliSecondsEdit})
    e->OnUpdate = [this](TObject* Sender) { TimeChange(Sender); };
  WeeksEdit->OnUpdate = [this](TObject* Sender) { WeeksChange(Sender); };
  iComponentEditorButton1 = new TiComponentEditorButton(this);
  iComponentEditorButton1->SetName("iComponentEditorButton1");
  iComponentEditorButton1->SetParent(IntervalTabSheet);
  iComponentEditorButton1->SetCaption("Set All To 0");
  iComponentEditorButton1->SetBounds(6, 88, 100, 22);
  iComponentEditorButton1->OnClick = [this](TObject* Sender) { iComponentEditorButton1Click(Sender); };

  // Date/Time: the pickers come with FormCreate.
  DatePickerLabel = new TLabel(this);
  DatePickerLabel->SetName("DatePickerLabel");
  DatePickerLabel->SetParent(DateTimeTabSheet);
  DatePickerLabel->SetCaption("Date");
  DatePickerLabel->SetLeft(8);
  DatePickerLabel->SetTop(15);
  TimePickerLabel = new TLabel(this);
  TimePickerLabel->SetName("TimePickerLabel");
  TimePickerLabel->SetParent(DateTimeTabSheet);
  TimePickerLabel->SetCaption("Time");
  TimePickerLabel->SetLeft(8);
  TimePickerLabel->SetTop(45);
  SetNowButton = new TiComponentEditorButton(this);
  SetNowButton->SetName("SetNowButton");
  SetNowButton->SetParent(DateTimeTabSheet);
  SetNowButton->SetCaption("Now");
  SetNowButton->SetBounds(8, 76, 75, 22);
  SetNowButton->OnClick = [this](TObject* Sender) { SetNowButtonClick(Sender); };

  PriceIntegerEdit = AddIntegerEdit(Price32TabSheet, "PriceInteger", "Integer", 6, 8, 0, 10000, 1);
  Price32ndsEdit = AddIntegerEdit(Price32TabSheet, "Price32nds", "32nds", 6, 34, 0, 31, 1);
  Price256thsEdit = AddIntegerEdit(Price32TabSheet, "Price256ths", "256ths", 6, 60, 0, 7, 1);
  for (TiComponentEditorEdit* e : {PriceIntegerEdit, Price32ndsEdit, Price256thsEdit})
    e->OnUpdate = [this](TObject* Sender) { Price32Change(Sender); };

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

TiComponentEditorEdit* TiValueConverterEditForm::AddIntegerEdit(TTabSheet* Page, const char* Name,
                                                                const char* Caption, int Left, int Top,
                                                                int Min, int Max, int Increment) {
  auto* label = new TLabel(this);
  label->SetName(std::string(Name) + "Label");
  label->SetParent(Page);
  label->SetCaption(Caption);
  label->SetLeft(Left);
  label->SetTop(Top + 3);
  auto* edit = new TiComponentEditorEdit(this);
  edit->SetName(std::string(Name) + "Edit");
  edit->SetParent(Page);
  edit->SetBounds(Left + 50, Top, 50, 21);
  edit->SetAsInteger(0);
  auto* upDown = new TiUpDown(this);
  upDown->SetName(std::string(Name) + "UpDown");
  upDown->SetParent(Page);
  upDown->SetMin(static_cast<std::int16_t>(Min));
  upDown->SetMax(static_cast<std::int16_t>(Max));
  upDown->SetIncrement(Increment);
  upDown->SetAssociate(edit);
  return edit;
}

void TiValueConverterEditForm::FormCreate(TObject*) {
  struct PickerRow {
    TDateTimePicker** picker;
    const char* name;
    TLabel* label;
    TDateTimeKind kind;
  };
  for (const PickerRow& p : {PickerRow{&FDatePicker, "DatePicker", DatePickerLabel, dtkDate},
                             PickerRow{&FTimePicker, "TimePicker", TimePickerLabel, dtkTime}}) {
    *p.picker = new TDateTimePicker(this);
    (*p.picker)->SetName(p.name);
    (*p.picker)->SetParent(DateTimeTabSheet);
    (*p.picker)->SetKind(p.kind);
    (*p.picker)->SetBounds(p.label->GetLeft() + p.label->GetWidth() + 5, p.label->GetTop() - 3, 137, 21);
    (*p.picker)->OnChange = [this](TObject* Sender) { DateTimePickerChange(Sender); };
  }
  SetValue(GetValue());
}

double TiValueConverterEditForm::GetValue() const {
  return ValueEdit->GetAsFloat();
}

void TiValueConverterEditForm::SetValue(double Value) {
  ValueEdit->SetAsFloat(Value);
  const bool finite = std::isfinite(Value);
  const double x = finite ? Value : 0;
  const double v = x <= 1e14 ? x : x - std::trunc(x);
  const double days = std::trunc(v);
  const double timeOfDay = std::fabs(v - days);
  if (FDatePicker) FDatePicker->SetDateTime(days);
  if (FTimePicker) FTimePicker->SetDateTime(timeOfDay);
  DaysEdit->SetAsString(WholeText(days));
  WeeksEdit->SetAsString(WholeText(std::trunc(days / 7)));
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(timeOfDay, h, m, s, ms);
  HoursEdit->SetAsInteger(h);
  MinutesEdit->SetAsInteger(m);
  SecondsEdit->SetAsInteger(s);
  MilliSecondsEdit->SetAsInteger(ms);
  const double whole = std::trunc(x);
  const double fraction = x - whole;
  const double p32 = std::trunc(fraction / 0.03125);
  PriceIntegerEdit->SetAsString(WholeText(whole));
  Price32ndsEdit->SetAsString(WholeText(p32));
  Price256thsEdit->SetAsString(WholeText(std::trunc((fraction - p32 / 32) / 0.00390625)));
}

double TiValueConverterEditForm::IntervalTime() const {
  return EncodeTime(HoursEdit->GetAsInteger(), MinutesEdit->GetAsInteger(), SecondsEdit->GetAsInteger(),
                    MilliSecondsEdit->GetAsInteger());
}

void TiValueConverterEditForm::TimeChange(TObject*) {
  SetValue(DaysEdit->GetAsInteger() + IntervalTime());
}

void TiValueConverterEditForm::WeeksChange(TObject*) {
  SetValue(WeeksEdit->GetAsInteger() * 7.0 + IntervalTime());
}

void TiValueConverterEditForm::DateTimePickerChange(TObject*) {
  const double time = FTimePicker->GetDateTime();
  SetValue(CombineDateTime(FDatePicker->GetDateTime(), std::fabs(time - std::trunc(time))));
}

void TiValueConverterEditForm::SetNowButtonClick(TObject*) {
  SetValue(Now());
}

void TiValueConverterEditForm::iComponentEditorButton1Click(TObject*) {
  SetValue(0);
}

void TiValueConverterEditForm::Price32Change(TObject*) {
  ValueEdit->SetAsFloat(PriceIntegerEdit->GetAsInteger() + Price32ndsEdit->GetAsInteger() / 32.0 +
                        Price256thsEdit->GetAsInteger() / 256.0);
}
