#pragma once
// The date and time picker: a field that shows the date (dtkDate) or the
// time of day (dtkTime) of DateTime and lets the user change it, the date
// with a drop-down calendar. Dates keep within MinDate .. MaxDate (0001-01-01
// to 9999-12-31 unless set): a value outside is held at the nearer limit.
//
// Events: OnChange fires for the user's changes only; DateTime, Date or Time
// written by the program fires nothing.

#include "platform/classlib/Controls.h"
#include "platform/sys/DateTime.h"

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDateTime GetDateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  // The whole days of DateTime / its time of day; writing one keeps the other.
  TDateTime GetDate() const;
  void SetDate(TDateTime Value);
  TDateTime GetTime() const;
  void SetTime(TDateTime Value);
  TDateTime GetMinDate() const { return FMinDate; }
  void SetMinDate(TDateTime Value);
  TDateTime GetMaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime Value);

  TNotifyEvent OnChange;

  // WM_GETDLGCODE: characters and arrows.
  void DefaultHandler(TMessage& Message) override;

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void Change();

 private:
  void ShowValue();
  void ApplyColors();
  void UserChanged(TDateTime Shown);
  TDateTime Clamped(TDateTime Value) const;

  TDateTimeKind FKind = dtkDate;
  TDateTime FDateTime = 0;
  TDateTime FMinDate = MinDateTime;
  TDateTime FMaxDate = MaxDateTime;
  // Set while the program's value goes to the widget.
  bool FShowing = false;
};
