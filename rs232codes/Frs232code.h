#pragma once
// The two code-table viewers: scrolling documents of the RS-232 control
// codes, Chinese (TfmRs232Code) and English (TfmRs232CodeEnglish). One class
// that takes its document: a rich-text label and 31 pictures below it,
// moved together when the window is resized.

#include <array>
#include <cstdint>

#include "platform/classlib/Forms.h"
#include "rs232codes/Rs232ControlCode.h"
#include "rs232codes/Rs232TextOwner.h"

class TAdvOfficeImage;
class TRTFLabel;

class TfmRs232Code : public TForm {
 public:
  explicit TfmRs232Code(TComponent* AOwner);
  ~TfmRs232Code() override;

  bool IsEnglish() const { return FEnglish; }
  TRs232TextSet GetTextSet() const { return FEnglish ? TRs232TextSet::English : TRs232TextSet::Chinese; }

  // Where the caption's text comes from (the main window); none leaves the
  // design caption.
  void SetTextOwner(const Rs232TextOwner* Owner) { FTextOwner = Owner; }

  // The document's bytes, made on the first showing (or here, for a
  // picture of the form taken without showing it).
  void LoadDocument();
  bool IsDocumentLoaded() const { return FDocumentLoaded; }

  TRTFLabel* GetRTFLabel() const { return RTFLabel; }
  TAdvOfficeImage* GetImage(int Index) const { return FImages[static_cast<std::size_t>(Index)]; }

  // The document's left edge for an outer width.
  static int DocumentLeft(int FormWidth);

  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
  void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  TfmRs232Code(TComponent* AOwner, bool English);

 private:
  void ScrollVertical(int Delta);
  void ScrollHorizontal(int Delta);

  bool FEnglish;
  bool FDocumentLoaded = false;
  const Rs232TextOwner* FTextOwner = nullptr;
  TRTFLabel* RTFLabel = nullptr;
  std::array<TAdvOfficeImage*, 31> FImages{};
};

class TfmRs232CodeEnglish : public TfmRs232Code {
 public:
  explicit TfmRs232CodeEnglish(TComponent* AOwner);
  ~TfmRs232CodeEnglish() override;
};

extern TfmRs232Code* fmRs232Code;
extern TfmRs232CodeEnglish* fmRs232CodeEnglish;
