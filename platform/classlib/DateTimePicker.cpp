// The date and time picker over the toolkit's date-time field.

#include "platform/classlib/DateTimePicker.h"

#include <QDateTimeEdit>

#include <algorithm>
#include <cmath>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/StdCtrlsNative.h"

using stdctrls::FlagScope;

namespace {

QDateTimeEdit* Field(const TControl* c) {
  return static_cast<QDateTimeEdit*>(c->WidgetIfCreated());
}

QDateTime ToQDateTime(TDateTime Value) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  DecodeDateTime(Value, y, mo, d, h, mi, s, ms);
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

TDateTime FromQDateTime(const QDateTime& Value) {
  const QDate d = Value.date();
  const QTime t = Value.time();
  TDateTime date = 0;
  TDateTime time = 0;
  TryEncodeDate(d.year(), d.month(), d.day(), date);
  TryEncodeTime(t.hour(), t.minute(), t.second(), t.msec(), time);
  // Before 1899-12-30 the fraction still counts forwards into the day.
  return date < 0 ? date - time : date + time;
}

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FDateTime = Clamped(Now());
}

TDateTimePicker::~TDateTimePicker() = default;

QWidget* TDateTimePicker::CreateWidget() {
  auto* field = new QDateTimeEdit();
  QObject::connect(field, &QDateTimeEdit::dateTimeChanged, field, [this, field](const QDateTime& shown) {
    if (ControlBridge::ControlOf(field) != this || FShowing) return;
    CallFromWidget(this, [&] { UserChanged(FromQDateTime(shown)); });
  });
  return field;
}

void TDateTimePicker::InitWidget() {
  TWinControl::InitWidget();
  stdctrls::UseStandardStyle(Field(this));
  ShowValue();
  ApplyColors();
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
    return;
  }
  TWinControl::DefaultHandler(Message);
}

TDateTime TDateTimePicker::Clamped(TDateTime Value) const {
  if (std::isnan(Value)) return FMinDate;
  return std::clamp(Value, FMinDate, FMaxDate);
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  ShowValue();
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  FDateTime = Clamped(Value);
  ShowValue();
}

TDateTime TDateTimePicker::GetDate() const {
  return std::trunc(FDateTime);
}

TDateTime TDateTimePicker::GetTime() const {
  return std::fabs(FDateTime - std::trunc(FDateTime));
}

void TDateTimePicker::SetDate(TDateTime Value) {
  const TDateTime day = std::trunc(Value);
  SetDateTime(day < 0 ? day - GetTime() : day + GetTime());
}

void TDateTimePicker::SetTime(TDateTime Value) {
  const TDateTime time = std::fabs(Value - std::trunc(Value));
  const TDateTime day = GetDate();
  SetDateTime(day < 0 ? day - time : day + time);
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
  FMinDate = std::max(Value, MinDateTime);
  FMaxDate = std::max(FMaxDate, FMinDate);
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
  FMaxDate = std::min(Value, MaxDateTime);
  FMinDate = std::min(FMinDate, FMaxDate);
  SetDateTime(FDateTime);
}

void TDateTimePicker::ShowValue() {
  QDateTimeEdit* field = Field(this);
  if (!field) return;
  FlagScope showing(FShowing);
  field->setDateTimeRange(ToQDateTime(FMinDate), ToQDateTime(FMaxDate));
  field->setDisplayFormat(FKind == dtkDate ? "M/d/yyyy" : "h:mm:ss AP");
  field->setCalendarPopup(FKind == dtkDate);
  field->setDateTime(ToQDateTime(FDateTime));
}

void TDateTimePicker::UserChanged(TDateTime Shown) {
  // The field shows one half of the value; the other half stays.
  if (FKind == dtkDate) {
    const TDateTime day = std::trunc(Shown);
    FDateTime = Clamped(day < 0 ? day - GetTime() : day + GetTime());
  } else {
    const TDateTime time = std::fabs(Shown - std::trunc(Shown));
    const TDateTime day = GetDate();
    FDateTime = Clamped(day < 0 ? day - time : day + time);
  }
  Change();
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::ApplyColors() {
  if (QWidget* w = WidgetIfCreated())
    stdctrls::ApplyColors(w, GetColor(), stdctrls::ReadableInk(GetColor(), GetFont()->GetColor()),
                          QPalette::Base, QPalette::Text);
}

void TDateTimePicker::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TDateTimePicker::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}
