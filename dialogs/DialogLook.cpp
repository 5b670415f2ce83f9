#include "dialogs/DialogLook.h"

#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace dialog_look;

TComponent* FormOf(TWinControl* Parent) {
  if (dynamic_cast<TCustomForm*>(Parent)) return Parent;
  return Parent->GetOwner();
}

namespace {

template <typename T>
T* Place(TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  auto* control = new T(FormOf(Parent));
  control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

}  // namespace

void SetUpDialogForm(TForm* Form, const char* Name, const std::string& Caption, int ClientWidth,
                     int ClientHeight, bool CloseBox) {
  Form->SetName(Name);
  Form->SetVisible(false);
  Form->SetCaption(Caption);
  Form->SetBorderStyle(bsDialog);
  Form->SetBorderIcons(CloseBox ? TBorderIcons{biSystemMenu} : TBorderIcons{});
  Form->SetPosition(poScreenCenter);
  Form->SetColor(Face);
  TFont font;
  font.SetName("Tahoma");
  font.SetHeight(-13);
  font.SetColor(Text);
  Form->SetFont(&font);
  Form->SetClientWidth(ClientWidth);
  Form->SetClientHeight(ClientHeight);
  if (CloseBox) LeaveOnEscape(Form);
}

void LeaveOnEscape(TForm* Form) {
  // The form hears the key before its controls; a Cancel key, where there
  // is one, has taken it already.
  Form->SetKeyPreview(true);
  Form->OnKeyDown = [Form, before = Form->OnKeyDown](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    if (before) before(Sender, Key, Shift);
    if (Key != VK_ESCAPE || !Shift.Empty()) return;
    Key = 0;
    Form->Close();
  };
}

TLabel* AddLabel(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                 int Width, int Height) {
  auto* label = Place<TLabel>(Parent, Name, Left, Top, Width, Height);
  label->SetAutoSize(false);
  label->SetTransparent(true);
  label->SetLayout(tlCenter);
  label->SetCaption(Caption);
  return label;
}

TRzBmpButton* AddButton(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                        int Width, int Height) {
  auto* button = Place<TRzBmpButton>(Parent, Name, Left, Top, Width, Height);
  button->SetAccentColor(Accent);
  button->SetCaption(Caption);
  return button;
}

TGroupBox* AddGroupBox(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top,
                       int Width, int Height) {
  auto* box = Place<TGroupBox>(Parent, Name, Left, Top, Width, Height);
  box->SetColor(Panel);
  box->SetCaption(Caption);
  return box;
}

TEdit* AddEdit(TWinControl* Parent, const char* Name, const std::string& Text, int Left, int Top, int Width,
               int Height) {
  auto* edit = Place<TEdit>(Parent, Name, Left, Top, Width, Height);
  edit->SetColor(Field);
  edit->GetFont()->SetColor(dialog_look::Text);
  edit->SetText(Text);
  return edit;
}

TTimer* AddTimer(TForm* Form, const char* Name, unsigned Interval) {
  auto* timer = new TTimer(Form);
  timer->SetName(Name);
  timer->SetEnabled(false);
  timer->SetInterval(Interval);
  return timer;
}

void CloseDialog(TForm* Form, TModalResult Result) {
  if (Form->IsModal())
    Form->SetModalResult(Result);
  else
    Form->Close();
}

std::string DialogLanguage() {
  if (!fmMain) return std::string(LanguageEnglish);
  return fmMain->GetState().Language;
}

std::string LangText(std::string_view Language, std::string_view Key) {
  // The main window's own language reads through the main window.
  if (fmMain && Language == fmMain->GetState().Language) return fmMain->GetLangText(Key);
  return GetLangText(Language, Key);
}
