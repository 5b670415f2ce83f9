#pragma once
// Inside the library: what the standard controls share to sit on the
// toolkit's own widgets (line edits, buttons, lists) rather than painting
// themselves. Their input rules are the bridge's (ControlBridge.h).

#include <QPalette>
#include <QString>

#include <initializer_list>
#include <string>

#include "platform/classlib/Controls.h"

class QWidget;
class QStyle;

namespace stdctrls {

inline QString ToQ(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string FromQ(const QString& s) {
  return s.toStdString();
}

// Sets a flag for a scope (exceptions included) and restores it after.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
  ~FlagScope() { FFlag = FOld; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& FFlag;
  bool FOld;
};

// The style every standard control is drawn with, so the look is the same on
// every desktop.
QStyle* StandardStyle();

// Gives the control's own widget the standard style.
void UseStandardStyle(QWidget* w);

// The standard style with details that read on dark faces as on light ones:
// a radio button's dot solid in the text colour, flat scroll bars (groove in
// Window, handle in Button, arrows in ButtonText).
QStyle* DetailStyle();
// The scroll bars of a scroll area (a list's, a memo's) in DetailStyle.
void UseScrollBarStyle(QWidget* scrollArea);

// Mouse, wheel and keys of a part of the widget (a list's viewport, a
// combo's line edit) are the control's, in the control's coordinates.
void AddWidgetPart(QWidget* controlWidget, QWidget* part);

// A colour readable on `face`: `ink` when it stands out enough, else a
// near-black or near-white one.
TColor ReadableInk(TColor face, TColor ink);
// Perceived lightness, 0 to 255.
int Luma(TColor c);

// The inside of a check box or similar field on a face: white on light
// faces, a deeper shade of the face on dark ones.
TColor FieldColorFor(TColor face);

// Scroll bars inside a widget (a list's, a memo's): the groove in the
// widget's colour, the handle a step towards its text colour.
void ApplyScrollBarColors(QWidget* w, TColor back, TColor text);

// Background and text colours of a toolkit widget from the control's Color
// and Font; disabled text is dimmed towards the background.
struct RolePair {
  TColor back;
  TColor text;
  QPalette::ColorRole backRole;
  QPalette::ColorRole textRole;
};
void ApplyColors(QWidget* w, std::initializer_list<RolePair> pairs);
inline void ApplyColors(QWidget* w, TColor back, TColor text, QPalette::ColorRole backRole,
                        QPalette::ColorRole textRole) {
  ApplyColors(w, {RolePair{back, text, backRole, textRole}});
}

}  // namespace stdctrls
