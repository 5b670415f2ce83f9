// The fader's ready-made colour schemes, and its drag hint window.

#include <algorithm>
#include <array>

#include "controls/AdvTrackBar.h"
#include "platform/classlib/Forms.h"

namespace {

// Colour, ColorTo, ColorMirror, ColorMirrorTo, BorderColor.
using Five = std::array<TColor, 5>;

struct HotDown {
  Five hot;
  Five down;
};

const HotDown H1{{13432063, 11332863, 5888767, 9556223, 10079963},
                 {7778289, 4296947, 946929, 5021693, 4548219}};
const HotDown H2{{15465983, 11332863, 5888767, 10807807, 10079963},
                 {7778289, 4296947, 946929, 5021693, 4548219}};
const HotDown XP{{15717318, 15717318, 15717318, 15717318, clHighlight},
                 {11899524, 11899524, 11899524, 11899524, clHighlight}};
const HotDown Vista{{16776697, 16775920, clNone, clNone, 16703386},
                    {16710128, 16642263, clNone, clNone, 16703386}};
const HotDown Win7{{16645114, 16643051, clNone, clNone, 14922381},
                   {16575452, 16571329, clNone, clNone, 13542013}};
const HotDown Terminal{{12632256, 12632256, clNone, clNone, 0},
                       {clHighlight, clHighlight, clNone, clNone, 0}};
const HotDown H2010{{14678013, 7987195, 7987195, 14678013, 3457776},
                    {6670325, 9102591, 9102591, 6670325, 2914498}};

struct Scheme {
  TKYTStyle style;
  Five thumb;
  Five buttons;
  TColor sliderFrame;
  const HotDown* hotDown;
};

const Scheme kSchemes[] = {
    {ksOffice2003Blue,
     {15653832, 16178633, 15586496, 16245200, 14727579},
     {16706781, 16374724, 16706781, 14854529, 10248507},
     12752500,
     &H1},
    {ksOffice2003Silver,
     {15586496, 15128792, 15586496, 13152947, 9598070},
     {15586496, 15128792, 15586496, 13152947, 9598070},
     9598070,
     &H1},
    {ksOffice2003Olive,
     {13627626, 13627626, 13627626, 9224369, 9224369},
     {13627626, 13627626, 13627626, 9224369, 9224369},
     9224369,
     &H1},
    {ksOffice2003Classic,
     {16777215, 13226453, 16777215, 13226453, 0},
     {16777215, 13226453, 16777215, 13226453, 0},
     9598070,
     &H2},
    {ksOffice2007Luna,
     {15653832, 16178633, 15586496, 16245200, 14727579},
     {15653832, 16178633, 15586496, 16245200, 14727579},
     12752500,
     &H2},
    {ksOffice2007Obsidian,
     {14671574, 15000283, 14144974, 15197664, 12631218},
     {14671574, 15000283, 14144974, 15197664, 12631218},
     12631218,
     &H2},
    {ksWindowsXP,
     {16777215, 12179676, 12179676, 12179676, 12179676},
     {16777215, 12179676, 12179676, 12179676, 12179676},
     9598070,
     &XP},
    {ksWhidbey,
     {16777215, 14675440, 14675440, 14675440, 10070188},
     {16777215, 14675440, 14675440, 14675440, 10070188},
     9598070,
     &H1},
    {ksOffice2007Silver,
     {15987697, 16119283, 15657703, 16316406, 13421257},
     {15987697, 16119283, 15657703, 16316406, 13421257},
     13421257,
     &H2},
    {ksWindowsVista,
     {16776697, 16642263, clNone, clNone, 16703386},
     {16776697, 16642263, 16776697, 16642263, 16703386},
     16703386,
     &Vista},
    {ksWindows7,
     {16575452, 16571329, clNone, clNone, 13542013},
     {16575452, 16571329, 16575452, 16571329, 13542013},
     13542013,
     &Win7},
    {ksTerminal,
     {clBtnFace, clBtnFace, clNone, clNone, 0},
     {clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0},
     0,
     &Terminal},
    {ksOffice2010Blue,
     {16710905, 15391181, clNone, clNone, 10060659},
     {16710905, 15391181, 15391181, 15391181, 10060659},
     10060659,
     &H2010},
    {ksOffice2010Silver,
     {16645370, 16645370, clNone, clNone, 9734527},
     {16645370, 16645370, 16645370, 16645370, 9734527},
     9734527,
     &H2010},
    {ksOffice2010Black,
     {13224393, 8421504, clNone, clNone, 2500134},
     {13224393, 8421504, 8421504, 8421504, 2500134},
     2500134,
     &H2010},
};

// Thumb and buttons share their colour property names.
template <typename T>
void SetNormal(T* o, const Five& c) {
  o->SetColor(c[0]);
  o->SetColorTo(c[1]);
  o->SetColorMirror(c[2]);
  o->SetColorMirrorTo(c[3]);
  o->SetBorderColor(c[4]);
}

template <typename T>
void SetHotDown(T* o, const HotDown& s) {
  o->SetColorHot(s.hot[0]);
  o->SetColorHotTo(s.hot[1]);
  o->SetColorMirrorHot(s.hot[2]);
  o->SetColorMirrorHotTo(s.hot[3]);
  o->SetBorderColorHot(s.hot[4]);
  o->SetColorDown(s.down[0]);
  o->SetColorDownTo(s.down[1]);
  o->SetColorMirrorDown(s.down[2]);
  o->SetColorMirrorDownTo(s.down[3]);
  o->SetBorderColorDown(s.down[4]);
}

}  // namespace

void TCustomTrackBar::SetComponentStyle(TKYTStyle AStyle) {
  FSlider->SetOffset(10);
  for (TGDIPPicture* p : {FSlider->GetPicture(), FSlider->GetPictureDisabled(),
                          FSlider->GetPictureCompleted(), FSlider->GetPictureCompletedDisabled(),
                          FTickMark->GetPicture(), FTickMark->GetPictureDisabled(), FThumb->GetPicture(),
                          FThumb->GetPictureHot(), FThumb->GetPictureDown(), FThumb->GetPictureDisabled()})
    if (!p->GetEmpty()) p->Assign(static_cast<const TGraphic*>(nullptr));
  FSlider->SetPictureStretched(false);
  FTickMark->SetPosition(tmBottomRight);
  FThumb->SetShape(tsPointer);
  FButtons->SetSpacing(2);
  const auto it = std::find_if(std::begin(kSchemes), std::end(kSchemes),
                               [AStyle](const Scheme& s) { return s.style == AStyle; });
  if (it != std::end(kSchemes)) {
    SetNormal(FThumb.get(), it->thumb);
    SetNormal(FButtons.get(), it->buttons);
    SetHotDown(FThumb.get(), *it->hotDown);
    SetHotDown(FButtons.get(), *it->hotDown);
    FThumb->SetGradient(ggVertical);
    FThumb->SetGradientMirror(ggVertical);
    FButtons->SetGradient(ggVertical);
    FButtons->SetGradientMirror(ggVertical);
    FSlider->SetBorderColor(it->sliderFrame);
    FTickMark->SetColor(it->sliderFrame);
  }
  Invalidate();
}

// ---------------------------------------------------------------- hint window

// A borderless, topmost form that shows the text.
class THintLabel : public TCustomControl {
 public:
  explicit THintLabel(TComponent* AOwner) : TCustomControl(AOwner) {}
  std::string Text;

 protected:
  void Paint() override {
    TCanvas* c = GetCanvas();
    const TRect r = GetClientRect();
    c->Brush->SetColor(clInfoBk);
    c->FillRect(r);
    c->Pen->SetColor(cl3DLight);
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right - 1, r.Top);
    c->Pen->SetColor(cl3DDkShadow);
    c->LineTo(r.Right - 1, r.Bottom - 1);
    c->LineTo(r.Left, r.Bottom - 1);
    c->Brush->SetStyle(bsClear);
    c->Font->SetColor(clInfoText);
    TRect t = r;
    c->DrawText(Text, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    c->Brush->SetStyle(bsSolid);
  }
};

struct TTrackHintWindow::Window {
  TForm* form = nullptr;
  THintLabel* label = nullptr;
};

TTrackHintWindow::TTrackHintWindow() : FWindow(std::make_unique<Window>()) {}

TTrackHintWindow::~TTrackHintWindow() {
  if (FWindow->form) FWindow->form->Free();
}

void TTrackHintWindow::ActivateHint(TPoint ScreenPos, const std::string& Hint) {
  FText = Hint;
  TCanvas measure;
  const int w = measure.TextWidth(Hint) + 16;
  const int h = measure.TextHeight(Hint) + 4;
  int x = ScreenPos.X, y = ScreenPos.Y;
  if (Screen) {
    if (x + w > Screen->GetWidth()) x = Screen->GetWidth() - 2 - w;
    if (y + h > Screen->GetHeight()) y = Screen->GetHeight() - 2 - h;
  }
  FBounds = Rect(x, y, x + w, y + h);
  if (!FWindow->form) {
    FWindow->form = new TForm(nullptr);
    FWindow->form->SetBorderStyle(bsNone);
    FWindow->form->SetFormStyle(fsStayOnTop);
    FWindow->label = new THintLabel(FWindow->form);
    FWindow->label->SetParent(FWindow->form);
    FWindow->label->SetAlign(alClient);
  }
  FWindow->label->Text = Hint;
  FWindow->form->SetBounds(x, y, w, h);
  FWindow->form->Show();
  FWindow->label->Invalidate();
}

void TTrackHintWindow::Hide() {
  if (FWindow->form) FWindow->form->Hide();
}

bool TTrackHintWindow::GetShowing() const {
  return FWindow->form && FWindow->form->GetVisible();
}
