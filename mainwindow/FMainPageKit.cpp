#include "mainwindow/FMainPageKit.h"

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LProgressBar.h"

namespace pagekit {

namespace {

template <typename T>
T* Place(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r, int tag = 0) {
  auto* c = new T(owner);
  if (!name.empty()) c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  c->SetTag(tag);
  return c;
}

void SetFont(TFont* font, TColor color, int pixels, bool bold) {
  font->SetName("Tahoma");
  font->SetHeight(-pixels);
  font->SetColor(color);
  font->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

}  // namespace

TRzGroupBox* MakePageBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r) {
  auto* box = Place<TRzGroupBox>(owner, parent, name, r);
  box->SetCaption("");
  box->SetShowFrame(false);
  box->SetColor(PageBack);
  SetFont(box->GetFont(), TextColor, 11, false);
  return box;
}

TPanel* MakePanel(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor color, int tag) {
  auto* panel = Place<TPanel>(owner, parent, name, r, tag);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetColor(color);
  SetFont(panel->GetFont(), TextColor, 11, false);
  return panel;
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                  const TRect& r, int tag, TColor color, int pixels, bool bold, TAlignment align) {
  auto* label = Place<TLabel>(owner, parent, name, r, tag);
  label->SetAutoSize(false);
  label->SetTransparent(true);
  label->SetAlignment(align);
  label->SetLayout(tlCenter);
  label->SetShowAccelChar(false);
  SetFont(label->GetFont(), color, pixels, bold);
  label->SetCaption(caption);
  return label;
}

TShape* MakeShape(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor fill, TColor pen, int tag) {
  auto* shape = Place<TShape>(owner, parent, name, r, tag);
  shape->GetBrush()->SetColor(fill);
  shape->GetPen()->SetColor(pen);
  return shape;
}

TRzBmpButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& name,
                         const std::string& caption, const TRect& r, int tag, int groupIndex, bool allowAllUp,
                         TColor accent) {
  auto* button = Place<TRzBmpButton>(owner, parent, name, r, tag);
  button->SetGroupIndex(groupIndex);
  button->SetAllowAllUp(allowAllUp);
  button->SetAccentColor(accent);
  SetFont(button->GetFont(), TextColor, 11, true);
  button->SetCaption(caption);
  return button;
}

TAdvTrackBar* MakeFader(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int min, int max, int position, int pageSize, int tag, TColor accent, bool vertical) {
  auto* fader = Place<TAdvTrackBar>(owner, parent, name, r, tag);
  fader->SetOrientation(vertical ? trVertical : trHorizontal);
  fader->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  fader->SetTransparent(true);
  fader->SetMin(min);
  fader->SetMax(max);
  fader->SetPosition(position);
  fader->SetPageSize(pageSize);
  TTrackBarThumb* thumb = fader->GetThumb();
  thumb->SetShape(tsRectangle);
  thumb->SetSize(vertical ? 14 : 12);
  thumb->SetWidth(vertical ? 26 : 18);
  thumb->SetColor(RGB(216, 220, 224));
  thumb->SetColorTo(RGB(154, 160, 168));
  thumb->SetColorMirror(RGB(138, 144, 152));
  thumb->SetColorMirrorTo(RGB(184, 190, 198));
  thumb->SetBorderColor(RGB(16, 18, 22));
  thumb->SetGradientMirror(ggVertical);
  thumb->SetColorHot(RGB(240, 242, 244));
  thumb->SetColorHotTo(RGB(176, 182, 190));
  thumb->SetBorderColorHot(accent);
  TTrackBarSlider* slider = fader->GetSlider();
  slider->SetSize(3);
  slider->SetColor(WellBack);
  slider->SetColorTo(WellBack);
  slider->SetColorCompleted(accent);
  slider->SetColorCompletedTo(clNone);
  slider->SetBorderColor(EdgeColor);
  slider->SetBorder3D(false);
  fader->GetTickMark()->SetStyle(tsNone);
  return fader;
}

TCurvyEdit* MakeValueBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                         const std::string& text, int tag) {
  auto* box = Place<TCurvyEdit>(owner, parent, name, r, tag);
  box->SetRounding(5);
  box->SetColor(WellBack);
  box->SetBorderColor(EdgeColor);
  box->SetAlignment(taCenter);
  SetFont(box->GetFont(), TextColor, 11, false);
  box->SetText(text);
  return box;
}

LProgressBar* MakeMeter(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int red, int yellow, int green, int tag) {
  auto* meter = Place<LProgressBar>(owner, parent, name, r, tag);
  meter->SetBevelOuter(bvNone);
  meter->SetColor(WellBack);
  meter->SetFirstNum(red);
  meter->SetSecondNum(yellow);
  meter->SetThirdNum(green);
  meter->SetFirstColor(RGB(74, 24, 22));
  meter->SetSecondColor(RGB(72, 62, 18));
  meter->SetThirdColor(RGB(20, 58, 30));
  meter->SetLFirstColor(RGB(238, 72, 60));
  meter->SetLSecondColor(RGB(242, 202, 64));
  meter->SetLThirdColor(RGB(84, 214, 112));
  meter->SetMin(0);
  meter->SetMax(red + yellow + green);
  meter->SetPosition(0);
  return meter;
}

}  // namespace pagekit
