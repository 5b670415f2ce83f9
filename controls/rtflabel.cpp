#include "controls/rtflabel.h"

#include <cmath>

#include "controls/AdvGDIP.h"
#include "controls/RtfReader.h"

std::string RichEditBytes(TRichEdit* RichEdit) {
  if (!RichEdit) return {};
  if (RichEdit->GetPlainText()) return RichEdit->GetLines()->GetText();
  return WriteRtf(RichEdit->GetDocument());
}

void LoadRichEdit(TRichEdit* RichEdit, const std::string& Bytes) {
  if (!RichEdit) return;
  if (RichEdit->GetPlainText())
    RichEdit->GetLines()->SetText(Bytes);
  else
    RichEdit->SetDocument(ReadRtf(Bytes));
}

TRTFLabel::TRTFLabel(TComponent* AOwner) : TCustomLabel(AOwner), FRichedit(new TRichEdit(this)) {
  SetAutoSize(false);
  SetCaption("");
}

void TRTFLabel::SetRichText(const std::string& Value) {
  if (Value == FRichtext) return;
  FRichtext = Value;
  Invalidate();
}

void TRTFLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  if (GetParent() && FRichedit && !GetComponentState().Contains(csLoading)) FRichedit->SetWordWrap(Value);
}

std::uint32_t TRTFLabel::GetVersionNr() const {
  return (1u << 24) | (3u << 16) | (1u << 8);
}

void TRTFLabel::Loaded() {
  TCustomLabel::Loaded();
  FRichedit->SetVisible(false);
  FRichedit->SetBounds(0, 0, 10, 10);
  FRichedit->SetWordWrap(false);
  FRichedit->SetBorderStyle(bsNone);
  SetCaption("");
}

bool TRTFLabel::ParentWindowExists() const {
  return GetParent() && GetParent()->HandleAllocated();
}

void TRTFLabel::Attach() {
  FRichedit->SetParent(GetParent());
}

void TRTFLabel::Detach() {
  FRichedit->SetParent(nullptr);
}

TRichEdit* TRTFLabel::GetRTF() {
  if (!GetParent() || !FRichedit) return nullptr;
  Attach();
  if (ParentWindowExists()) FRichedit->Clear();
  return FRichedit;
}

void TRTFLabel::BeginUpdate() {
  ++Fupdatecount;
}

void TRTFLabel::EndUpdate() {
  if (Fupdatecount == 0) return;
  if (--Fupdatecount == 0) ShowRTF();
}

void TRTFLabel::ShowRTF() {
  if (!GetParent() || !FRichedit || !ParentWindowExists()) return;
  Attach();
  FRichtext = RichEditBytes(FRichedit);
  Invalidate();
  Detach();
}

void TRTFLabel::CopyFromRichEdit(TRichEdit* RichEdit) {
  FRichtext = RichEditBytes(RichEdit);
  Invalidate();
}

void TRTFLabel::CopyToRichEdit(TRichEdit* RichEdit) {
  if (!RichEdit) return;
  RichEdit->SetPlainText(false);
  LoadRichEdit(RichEdit, FRichtext);
}

void TRTFLabel::Paint() {
  SetCaption("");
  TCustomLabel::Paint();
  if (Fupdatecount > 0 || !FRichedit || FPainting) return;
  FPainting = true;
  Attach();
  if (!ParentWindowExists()) {
    FPainting = false;
    return;
  }
  FRichedit->SetHeight(0);
  TCanvas* canvas = GetCanvas();
  canvas->SetBkMode(TRANSPARENT);
  RenderRichText(canvas, Rect(0, 0, GetWidth(), GetHeight()));
  Detach();
  FPainting = false;
}

void TRTFLabel::Print(const std::string& Caption) {
  if (!GetParent() || !FRichedit) return;
  Attach();
  if (ParentWindowExists()) {
    try {
      CopyToRichEdit(FRichedit);
      FRichedit->Print(Caption);
    } catch (...) {
      Detach();
      throw;
    }
  }
  Detach();
}

void TRTFLabel::PaintTo(TCanvas* Canvas) {
  if (!FRichedit) return;
  Attach();
  RenderRichText(Canvas, GetClientRect());
  Detach();
}

TRect TRTFLabel::TwipsArea(const TRect& R, int DpiX, int DpiY) {
  const double dx = DpiX > 0 ? DpiX : 96;
  const double dy = DpiY > 0 ? DpiY : 96;
  constexpr int m = 1;
  TRect area;
  area.Left = RoundHalfEven((R.Left + m) / dx * 1440);
  area.Top = RoundHalfEven((R.Top + m) / dy * 1440);
  area.Right = area.Left + RoundHalfEven((R.Right - R.Left - m) / dx * 1440);
  area.Bottom = area.Top + RoundHalfEven((R.Bottom - R.Top - m) / dy * 1440);
  return area;
}

void TRTFLabel::RenderRichText(TCanvas* Canvas, const TRect& R) {
  if (!Canvas || !FRichedit) return;
  LoadRichEdit(FRichedit, FRichtext);
  const int dpiX = GetDeviceCaps(Canvas->GetHandle(), LOGPIXELSX);
  const int dpiY = GetDeviceCaps(Canvas->GetHandle(), LOGPIXELSY);
  const TColor back = GetTransparent() && GetParent() ? GetParent()->GetColor() : GetColor();
  FRichedit->Perform(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(back)));
  TFormatRange range;
  range.hdc = Canvas->GetHandle();
  range.hdcTarget = Canvas->GetHandle();
  range.rc = TwipsArea(R, dpiX, dpiY);
  range.rcPage = range.rc;
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;
  FRichedit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
  FRichedit->Perform(EM_FORMATRANGE, 0, 0);
}
