#pragma once
// What the parameter dialogs (effect, compressor, automix and camera, group
// and sub control, test signal, preamplifier) are built from: faders with
// their value boxes and titles in columns, toggle keys, and the loading
// flag a dialog holds while its controls are written from code.

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/classlib/Forms.h"

class TAdvTrackBar;
class TComboBox;
class TCurvyEdit;
class TLabel;
class TRzBmpButton;

namespace paramkit {

template <class T>
T* FindOn(const TComponent* form, std::string_view name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

// A title, a read-only value box under it and a vertical fader below, named
// "lb" + stem, "cvd" + stem and "is" + stem, filling the given column.
// The value box starts with startText, the text of the fader's start
// position: a fader written to the position it holds fires nothing.
struct FaderColumn {
  TLabel* Title;
  TCurvyEdit* Box;
  TAdvTrackBar* Fader;
};
struct FaderSpec {
  std::string Stem;
  std::string Caption;
  int Min;
  int Max;
  int Start;
  int Tag;
  std::string StartText;
};
FaderColumn AddFaderColumn(TWinControl* parent, const FaderSpec& spec, const TRect& column, TColor accent);

// A toggle key: Group is its GroupIndex; it may always go up again. Keys of
// one parent with one group index release each other.
TRzBmpButton* AddToggle(TWinControl* parent, const std::string& name, const std::string& caption,
                        const TRect& bounds, int tag, int group, TColor accent);

// A drop-down list of fixed items, none typed; item 0 selected.
TComboBox* AddList(TWinControl* parent, const std::string& name, std::initializer_list<const char*> items,
                   const TRect& bounds);

// One column of a group or sub control: a title, the eight member keys
// (group index = member + 1, in a parent of their own so that they release
// no other column's keys) under their "Select" title, a volume fader 0..100
// beside them, and the mute key below. Tag is the record's index.
struct MemberColumnSpec {
  std::string Title;          // the title label's name
  std::string SelectTitle;    // the member keys' title label's name
  std::string VolumeStem;     // "is", "cvd" and "lb" + stem
  std::string Mute;           // the mute key's name
  std::string Members[8];     // the member keys' names
  std::string Captions[8];    // and captions
  int Tag;
};
struct MemberColumn {
  TRzBmpButton* Members[8];
  TRzBmpButton* Mute;
  TAdvTrackBar* Volume;
};
inline constexpr int MemberColumnWidth = 112;
inline constexpr int MemberColumnHeight = 340;
MemberColumn AddMemberColumn(TWinControl* parent, const MemberColumnSpec& spec, int left, int top,
                             TColor accent);
// The volume text of a group or sub control: " 100%", "   7%".
std::string VolumeText(int volume);

// The value box of a fader: "is" + stem gives "cvd" + stem on the same form.
TCurvyEdit* ValueBoxOf(const TComponent* fader);

// Sets a dialog's loading flag for its scope, and clears it on every exit.
class Loading {
 public:
  explicit Loading(int& flag) : FFlag(flag) { FFlag = 1; }
  ~Loading() { FFlag = 0; }
  Loading(const Loading&) = delete;
  Loading& operator=(const Loading&) = delete;

 private:
  int& FFlag;
};

}  // namespace paramkit
