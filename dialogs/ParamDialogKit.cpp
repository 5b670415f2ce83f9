#include "dialogs/ParamDialogKit.h"

#include <algorithm>
#include <cstdio>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

namespace paramkit {

namespace {

constexpr int TitleHeight = 20;
constexpr int BoxHeight = 22;
constexpr int Gap = 4;

}  // namespace

FaderColumn AddFaderColumn(TWinControl* parent, const FaderSpec& spec, const TRect& column, TColor accent) {
  TComponent* owner = FormOf(parent);
  const int width = column.Width();
  FaderColumn c{};
  c.Title = pagekit::MakeLabel(owner, parent, "lb" + spec.Stem, spec.Caption,
                               Bounds(column.Left, column.Top, width, TitleHeight), spec.Tag, dialog_look::Text,
                               12, false, taCenter);
  const int boxTop = column.Top + TitleHeight + Gap;
  const int boxWidth = std::min(width - 4, 72);
  c.Box = pagekit::MakeValueBox(owner, parent, "cvd" + spec.Stem,
                                Bounds(column.Left + (width - boxWidth) / 2, boxTop, boxWidth, BoxHeight),
                                spec.StartText, spec.Tag);
  c.Box->SetReadOnly(true);
  const int faderTop = boxTop + BoxHeight + Gap;
  const int faderWidth = 34;
  c.Fader = pagekit::MakeFader(owner, parent, "is" + spec.Stem,
                               Bounds(column.Left + (width - faderWidth) / 2, faderTop, faderWidth,
                                      column.Bottom - faderTop),
                               spec.Min, spec.Max, spec.Start, 10, spec.Tag, accent, true);
  return c;
}

TRzBmpButton* AddToggle(TWinControl* parent, const std::string& name, const std::string& caption,
                        const TRect& bounds, int tag, int group, TColor accent) {
  return pagekit::MakeButton(FormOf(parent), parent, name, caption, bounds, tag, group, true, accent);
}

TComboBox* AddList(TWinControl* parent, const std::string& name, std::initializer_list<const char*> items,
                   const TRect& bounds) {
  auto* list = new TComboBox(FormOf(parent));
  list->SetName(name);
  list->SetParent(parent);
  list->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  list->SetStyle(csDropDownList);
  list->SetColor(dialog_look::Field);
  list->GetFont()->SetColor(dialog_look::Text);
  for (const char* item : items) list->GetItems()->Add(item);
  list->SetItemIndex(0);
  return list;
}

MemberColumn AddMemberColumn(TWinControl* parent, const MemberColumnSpec& spec, int left, int top,
                             TColor accent) {
  TComponent* owner = FormOf(parent);
  constexpr int KeyWidth = 52, KeyPitch = 27, KeysTop = 70;
  TPanel* column = pagekit::MakePanel(owner, parent, "", Bounds(left, top, MemberColumnWidth, MemberColumnHeight),
                                      dialog_look::Panel, spec.Tag);
  pagekit::MakeLabel(owner, column, spec.Title, "", Bounds(0, 4, MemberColumnWidth, 22), spec.Tag, accent, 13,
                     true, taCenter);
  pagekit::MakeLabel(owner, column, spec.SelectTitle, "Select", Bounds(2, 30, KeyWidth + 4, 20), spec.Tag,
                     dialog_look::Dim, 11, false, taCenter);
  TPanel* keys = pagekit::MakePanel(owner, column, "", Bounds(4, KeysTop, KeyWidth, 8 * KeyPitch),
                                    dialog_look::Panel, spec.Tag);
  MemberColumn c{};
  for (int m = 0; m < 8; ++m)
    c.Members[m] =
        AddToggle(keys, spec.Members[m], spec.Captions[m], Bounds(0, m * KeyPitch, KeyWidth, KeyPitch - 3),
                  spec.Tag, m + 1, accent);
  const int right = KeyWidth + 8;
  FaderColumn volume =
      AddFaderColumn(column, {spec.VolumeStem, "Gain", 0, 100, 100, spec.Tag, VolumeText(100)},
                     Bounds(right, 30, MemberColumnWidth - right - 2, KeysTop + 8 * KeyPitch - 33), accent);
  volume.Title->GetFont()->SetColor(dialog_look::Dim);
  volume.Title->GetFont()->SetHeight(-11);
  c.Volume = volume.Fader;
  c.Mute = AddToggle(column, spec.Mute, "Mute", Bounds(4, MemberColumnHeight - 36, MemberColumnWidth - 8, 28),
                     spec.Tag, 1, RGB(0xE0, 0x50, 0x48));
  return c;
}

std::string VolumeText(int volume) {
  char text[16];
  std::snprintf(text, sizeof text, " %3d%%", volume);
  return text;
}

TCurvyEdit* ValueBoxOf(const TComponent* fader) {
  const std::string& name = fader->GetName();
  if (!fader->GetOwner() || name.size() < 2 || name.compare(0, 2, "is") != 0) return nullptr;
  return FindOn<TCurvyEdit>(fader->GetOwner(), "cvd" + name.substr(2));
}

}  // namespace paramkit
