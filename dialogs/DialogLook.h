#pragma once
// What every dialog shares: the console look (a dark, calm face with light
// text), the form's frame and place, the few kinds of control the dialogs
// are made of, and the texts of the main window's language.

#include <string>
#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;
class TGroupBox;
class TEdit;
class TTimer;

namespace dialog_look {
inline constexpr TColor Face = RGB(0x1E, 0x22, 0x28);
inline constexpr TColor Panel = RGB(0x2A, 0x30, 0x38);
inline constexpr TColor Text = RGB(0xE6, 0xE9, 0xED);
inline constexpr TColor Dim = RGB(0x9A, 0xA3, 0xAD);
inline constexpr TColor Field = RGB(0x12, 0x15, 0x19);
inline constexpr TColor Accent = RGB(0x3D, 0x9C, 0xE8);
inline constexpr int ButtonWidth = 96;
inline constexpr int ButtonHeight = 28;
}  // namespace dialog_look

// The frame every dialog wears: its name, caption and client size, the
// console face and font, centred on the screen. Without a close box the
// title bar offers no button at all and only the dialog's own buttons leave it;
// with one, Escape leaves it the same way (LeaveOnEscape).
void SetUpDialogForm(TForm* Form, const char* Name, const std::string& Caption, int ClientWidth,
                     int ClientHeight, bool CloseBox);

// Escape closes the form as its close box does, so a dialog without an exit
// key never traps a user whose desktop draws no close box.
void LeaveOnEscape(TForm* Form);

// The form a control placed in Parent belongs to, whatever box it sits in,
// so that the form finds it by name.
TComponent* FormOf(TWinControl* Parent);

TLabel* AddLabel(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                 int Width, int Height);
TRzBmpButton* AddButton(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                        int Width = dialog_look::ButtonWidth, int Height = dialog_look::ButtonHeight);
TGroupBox* AddGroupBox(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                       int Width, int Height);
TEdit* AddEdit(TWinControl* Parent, const char* Name, const std::string& Text, int Left, int Top, int Width,
               int Height = 24);

// A timer of the form, disabled until its step is due.
TTimer* AddTimer(TForm* Form, const char* Name, unsigned Interval);

// Ends the dialog with Result: a modal showing returns it, a plain one hides.
void CloseDialog(TForm* Form, TModalResult Result);

// The main window's current language ("English" while there is no main window).
std::string DialogLanguage();
// The text of a language-table key in that language.
std::string LangText(std::string_view Language, std::string_view Key);
