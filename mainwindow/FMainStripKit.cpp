// The strip pages' building kit: palette and control factories.

#include "mainwindow/FMainStripKit.h"

#include <algorithm>
#include <cstdio>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/LProgressBar.h"
#include "response/MyPEQAllpass.h"

namespace strip {

namespace {

template <typename T>
T* Place(T* c, TWinControl* parent, const std::string& name, const TRect& r) {
  if (!name.empty()) c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  return c;
}

void SetFont(TControl* c, TColor color, int size, bool bold) {
  TFont* f = c->GetFont();
  f->SetName(MainLook::FontName);
  f->SetSize(size);
  f->SetColor(color);
  f->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

}  // namespace

TColor AccentOf(Side side) {
  switch (side) {
    case Side::In:
      return AccentIn;
    case Side::Out:
      return AccentOut;
    case Side::Eff:
      break;
  }
  return AccentEff;
}

TRzGroupBox* MakePageBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r) {
  auto* box = Place(new TRzGroupBox(owner), parent, name, r);
  box->SetCaption("");
  box->SetShowFrame(false);
  box->SetColor(PageBack);
  SetFont(box, TextColor, 8, false);
  return box;
}

TPanel* MakePanel(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor color) {
  auto* panel = Place(new TPanel(owner), parent, name, r);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetParentBackground(false);
  panel->SetColor(color);
  SetFont(panel, TextColor, 8, false);
  return panel;
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                  const TRect& r, TColor color, int size, bool bold, TAlignment align) {
  auto* label = new TLabel(owner);
  if (!name.empty()) label->SetName(name);
  label->SetAutoSize(false);
  label->SetTransparent(true);
  label->SetAlignment(align);
  label->SetLayout(tlCenter);
  SetFont(label, color, size, bold);
  label->SetCaption(caption);
  label->SetParent(parent);
  label->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  return label;
}

TRzBmpButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& name,
                         const std::string& caption, const TRect& r, int tag, int groupIndex, bool allowAllUp,
                         TColor accent) {
  auto* button = Place(new TRzBmpButton(owner), parent, name, r);
  button->SetTag(tag);
  button->SetGroupIndex(groupIndex);
  button->SetAllowAllUp(allowAllUp);
  button->SetAccentColor(accent);
  SetFont(button, TextColor, 8, false);
  button->SetCaption(caption);
  return button;
}

TAdvTrackBar* MakeFader(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int min, int max, int position, int tag, TColor accent, bool vertical) {
  auto* fader = new TAdvTrackBar(owner);
  if (!name.empty()) fader->SetName(name);
  fader->SetTag(tag);
  fader->SetOrientation(vertical ? trVertical : trHorizontal);
  fader->SetParent(parent);
  fader->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  fader->SetMin(min);
  fader->SetMax(max);
  fader->SetPosition(position);
  // A console fader: a dark slot, a lit run below the cap, a flat cap with
  // a line across it, no tick clutter.
  fader->SetTransparent(true);
  fader->SetShowFocus(false);
  TTrackBarSlider* slot = fader->GetSlider();
  slot->SetSize(4);
  slot->SetOffset(0);
  slot->SetColor(WellBack);
  slot->SetColorTo(WellBack);
  slot->SetBorderColor(EdgeColor);
  slot->SetColorCompleted(accent);
  slot->SetColorCompletedTo(accent);
  slot->SetRounded(true);
  slot->SetBorder3D(false);
  fader->GetTickMark()->SetStyle(tsNone);
  TTrackBarThumb* cap = fader->GetThumb();
  cap->SetShape(tsRoundRect);
  cap->SetSize(vertical ? std::min(22, r.Width() - 2) : std::min(22, r.Height() - 2));
  cap->SetWidth(12);
  cap->SetBorderColor(RGB(20, 21, 24));
  cap->SetColor(RGB(196, 200, 206));
  cap->SetColorTo(RGB(120, 124, 132));
  cap->SetColorMirror(RGB(120, 124, 132));
  cap->SetColorMirrorTo(RGB(170, 174, 180));
  cap->SetBorderColorHot(accent);
  cap->SetColorHot(RGB(222, 226, 232));
  cap->SetColorHotTo(RGB(140, 144, 152));
  cap->SetBorderColorDown(accent);
  cap->SetColorDown(accent);
  cap->SetColorDownTo(RGB(120, 124, 132));
  cap->SetBorderColorDisabled(RGB(40, 42, 46));
  cap->SetColorDisabled(RGB(70, 73, 79));
  cap->SetColorDisabledTo(RGB(56, 58, 63));
  cap->SetColorMirrorDisabled(RGB(56, 58, 63));
  cap->SetColorMirrorDisabledTo(RGB(70, 73, 79));
  return fader;
}

TCurvyEdit* MakeValueBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                         const std::string& text, bool readOnly, TColor color) {
  auto* box = Place(new TCurvyEdit(owner), parent, name, r);
  box->SetRounding(4);
  box->SetColor(WellBack);
  box->SetBorderColor(EdgeColor);
  SetFont(box, color, 8, false);
  box->SetAlignment(taCenter);
  box->SetReadOnly(readOnly);
  box->SetText(text);
  return box;
}

LProgressBar* MakeMeter(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int red, int yellow, int green) {
  auto* meter = Place(new LProgressBar(owner), parent, name, r);
  meter->SetFirstNum(red);
  meter->SetSecondNum(yellow);
  meter->SetThirdNum(green);
  meter->SetMin(0);
  meter->SetMax(red + yellow + green);
  meter->SetColor(WellBack);
  meter->SetFirstColor(RGB(70, 24, 22));
  meter->SetSecondColor(RGB(66, 58, 18));
  meter->SetThirdColor(RGB(20, 54, 28));
  meter->SetLFirstColor(RGB(240, 70, 58));
  meter->SetLSecondColor(RGB(240, 206, 60));
  meter->SetLThirdColor(RGB(70, 214, 100));
  meter->SetPosition(0);
  return meter;
}

TVrPowerButton* MakeLedButton(TComponent* owner, TWinControl* parent, const std::string& name,
                              const std::string& caption, const TRect& r, int tag, TColor accent, int size) {
  auto* button = Place(new TVrPowerButton(owner), parent, name, r);
  button->SetTag(tag);
  button->SetColor(SectionBack);
  button->SetLedWidth(7);
  button->SetLedHeight(7);
  button->SetSpacing(3);
  button->SetBevelWidth(1);
  button->SetOutlineColor(RGB(14, 15, 17));
  button->SetHighlightColor(EdgeColor);
  button->SetShadowColor(RGB(14, 15, 17));
  button->GetPalette()->SetHigh(accent);
  button->GetPalette()->SetLow(RGB(48, 50, 56));
  SetFont(button, TextColor, size, false);
  button->SetCaption(caption);
  return button;
}

TVrDemoButton* MakeDemoButton(TComponent* owner, TWinControl* parent, const std::string& name,
                              const std::string& caption, const TRect& r, int tag) {
  auto* button = Place(new TVrDemoButton(owner), parent, name, r);
  button->SetTag(tag);
  button->SetColor(SectionBack);
  button->SetBevelWidth(1);
  button->SetOutlineColor(RGB(14, 15, 17));
  button->SetHighlightColor(EdgeColor);
  button->SetShadowColor(RGB(14, 15, 17));
  TFont font;
  font.SetName(MainLook::FontName);
  font.SetSize(8);
  font.SetColor(TextColor);
  button->SetFontLeave(&font);
  font.SetColor(RGB(255, 255, 255));
  button->SetFontEnter(&font);
  SetFont(button, TextColor, 8, false);
  button->SetCaption(caption);
  return button;
}

LMyFFTDrawPhase* MakeResponsePlot(TComponent* owner, TWinControl* parent, const std::string& name,
                                  const TRect& r, int tag) {
  auto* p = new LMyFFTDrawPhase(owner);
  p->SetName(name);
  p->SetTag(tag);
  p->SetAutoRedraw(false);
  p->SetParent(parent);
  p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  // Magnitude view: 11 lines from -18 to +18 dB over the grid points of
  // 19.7 Hz .. 20.2 kHz.
  p->SetAxisColor(RGB(0, 140, 0));
  p->SetYAutoScale(false);
  p->SetXAutoScale(false);
  p->SetYLabel("dB");
  p->SetYLabelScale(1.0);
  p->SetYMax(18.0);
  p->SetYMin(-18.0);
  p->SetXMax(3840.0);
  p->SetXMin(966.0);
  p->SetYLabelPrecision(5);
  p->SetVertTickLength(0);
  p->SetHorzTickLength(0);
  p->SetNumVertGrid(10);
  p->SetNumHorzGrid(11);
  p->SetGridColor(RGB(0, 72, 0));
  p->SetFFTNuimber(n4096);
  p->SetSampleRate(n96000);
  TFont f;
  f.SetName(MainLook::FontName);
  f.SetHeight(-11);
  f.SetColor(clLime);
  p->SetPlotTitleFont(&f);
  p->SetAxisTitleFont(&f);
  p->SetMouseCoordFont(&f);
  f.SetColor(DimText);
  p->SetAxisLabelFont(&f);
  p->SetAutoRedraw(true);
  return p;
}

TMyPEQAllpass* MakeBandTable(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                             int tag, int bands) {
  auto* table = new TMyPEQAllpass(owner);
  table->SetName(name);
  table->SetTag(tag);
  table->SetChannelNumber(bands);
  table->SetUpdownVisable(false);
  table->SetTitleVisable(false);
  table->SetShowFrame(false);
  static_cast<TControl*>(table)->SetColor(SectionBack);
  table->SetLabelColor(clBackground);
  table->SetEditBackColor(WellBack);
  table->SetBypassBackColor(ButtonFace);
  table->SetEditFontColor(TextColor);
  table->SetParent(parent);
  table->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  return table;
}

TRzComboBox* MakeCombo(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r) {
  auto* combo = Place(new TRzComboBox(owner), parent, name, r);
  combo->SetStyle(csDropDownList);
  combo->SetColor(WellBack);
  SetFont(combo, TextColor, 8, false);
  return combo;
}

TUpDown* MakeUpDown(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                    int tag) {
  auto* ud = Place(new TUpDown(owner), parent, name, r);
  ud->SetTag(tag);
  ud->SetColor(WellBack);
  SetFont(ud, TextColor, 8, false);
  ud->SetMin(0);
  ud->SetMax(1);
  return ud;
}

TRadioButton* MakeRadio(TComponent* owner, TWinControl* parent, const std::string& name,
                        const std::string& caption, const TRect& r, int tag, bool checked, TColor color,
                        int size) {
  auto* radio = Place(new TRadioButton(owner), parent, name, r);
  radio->SetTag(tag);
  SetFont(radio, color, size, false);
  radio->SetCaption(caption);
  radio->SetChecked(checked);
  return radio;
}

void FillSlopeItems(TRzComboBox* combo) {
  static const char* const kSlopes[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                                        "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                                        "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};
  for (const char* s : kSlopes) combo->GetItems()->Add(s);
  combo->SetItemIndex(19);
}

void FillMicGainItems(TRzComboBox* combo) {
  // "50dB" .. "10dB", then "9 dB" .. "0 dB": item i is 50 - i dB.
  char text[8];
  for (int db = 50; db >= 0; --db) {
    std::snprintf(text, sizeof text, db >= 10 ? "%ddB" : "%d dB", db);
    combo->GetItems()->Add(text);
  }
  combo->SetItemIndex(50);
}

}  // namespace strip
