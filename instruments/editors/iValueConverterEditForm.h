#pragma once
// The value converter: a number entered as an interval (days, hours,
// minutes, seconds, milliseconds, or weeks), as a calendar date and time
// (days from 1899-12-30, the fraction the time of day), or as a price in
// 32nds and 256ths. Writing Value fills every page; each page's change
// writes the number back.

#include "instruments/editors/iEditorControls.h"
#include "platform/classlib/DateTimePicker.h"
#include "platform/classlib/ExtCtrlsControls.h"

class TiValueConverterEditForm : public TiCustomEditorForm {
 public:
  explicit TiValueConverterEditForm(TComponent* AOwner);

  // The number in ValueEdit.
  double GetValue() const;
  // Fills every page (events blocked): above 1e14 the date, time and
  // interval fields take only the fraction; a value that is not finite
  // leaves every page at 0.
  void SetValue(double Value);

  void FormCreate(TObject* Sender);
  void TimeChange(TObject* Sender);
  void WeeksChange(TObject* Sender);
  void Price32Change(TObject* Sender);
  void DateTimePickerChange(TObject* Sender);
  void SetNowButtonClick(TObject* Sender);
  void iComponentEditorButton1Click(TObject* Sender);

  TiComponentEditorPageControl* PageControl;
  TTabSheet* IntervalTabSheet;
  TTabSheet* DateTimeTabSheet;
  TTabSheet* Price32TabSheet;
  TiComponentEditorEdit* ValueEdit;
  TPanel* Panel2;
  TButton* OkButton;
  TButton* CancelButton;
  TiComponentEditorEdit* DaysEdit;
  TiComponentEditorEdit* HoursEdit;
  TiComponentEditorEdit* MinutesEdit;
  TiComponentEditorEdit* SecondsEdit;
  TiComponentEditorEdit* MilliSecondsEdit;
  TiComponentEditorEdit* WeeksEdit;
  TiComponentEditorButton* iComponentEditorButton1;
  TLabel* DatePickerLabel;
  TLabel* TimePickerLabel;
  TiComponentEditorButton* SetNowButton;
  TiComponentEditorEdit* PriceIntegerEdit;
  TiComponentEditorEdit* Price32ndsEdit;
  TiComponentEditorEdit* Price256thsEdit;
  // Made by FormCreate.
  TDateTimePicker* FDatePicker = nullptr;
  TDateTimePicker* FTimePicker = nullptr;

 private:
  // A labelled integer edit with its up-down on a page.
  TiComponentEditorEdit* AddIntegerEdit(TTabSheet* Page, const char* Name, const char* Caption, int Left,
                                        int Top, int Min, int Max, int Increment);
  // The encoded time of the interval page; EConvertError for an hour above
  // 23 and the like.
  double IntervalTime() const;
};
