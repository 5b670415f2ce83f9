#include "dialogs/Fcopy.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmCopy* fmCopy = nullptr;

namespace {

constexpr int Width = 420;
constexpr int RowHeight = 28;

// A list of the side's channels, its first item `item` chosen.
TComboBox* AddChannelList(TWinControl* Parent, const char* Name, const char* Side, int Left, int Top,
                          int item) {
  auto* list = new TComboBox(Parent->GetOwner());
  list->SetName(Name);
  list->SetParent(Parent);
  list->SetStyle(csDropDownList);
  list->SetBounds(Left, Top, 84, RowHeight);
  list->SetColor(dialog_look::Field);
  list->GetFont()->SetColor(dialog_look::Text);
  for (int k = 1; k <= 8; ++k) list->GetItems()->Add(Side + std::to_string(k));
  list->SetItemIndex(item);
  return list;
}

}  // namespace

TfmCopy::TfmCopy(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmCopy", "Channel Copy", Width, 196, true);
  struct Side {
    const char* Box;
    const char* Word;
    const char* Source;
    const char* Destination;
    const char* Button;
    TColor Accent;
  };
  const Side sides[] = {
      {"gbInChCopy", "In", "cbInSource", "cbInDestination", "bnInChCopy", MainLook::InputAccent},
      {"gbOutChCopy", "Out", "cbOutSource", "cbOutDestination", "bnOutChCopy", MainLook::OutputAccent},
  };
  TComboBox** lists[2][2] = {{&cbInSource, &cbInDestination}, {&cbOutSource, &cbOutDestination}};
  TRzBmpButton** buttons[2] = {&bnInChCopy, &bnOutChCopy};
  for (int tag = 0; tag < 2; ++tag) {
    const Side& side = sides[tag];
    TGroupBox* box = AddGroupBox(this, side.Box, "", 16, 14 + tag * 62, Width - 32, 50);
    *lists[tag][0] = AddChannelList(box, side.Source, side.Word, 14, 11, 0);
    TLabel* arrow =
        AddLabel(box, (std::string("lb") + side.Word + "CopyTo").c_str(), "\u2192", 104, 11, 40, RowHeight);
    arrow->SetAlignment(taCenter);
    arrow->GetFont()->SetColor(side.Accent);
    arrow->GetFont()->SetHeight(-20);
    *lists[tag][1] = AddChannelList(box, side.Destination, side.Word, 150, 11, 1);
    TRzBmpButton* copy = AddButton(box, side.Button, "Copy", Width - 32 - 14 - dialog_look::ButtonWidth, 11);
    copy->SetTag(tag);
    copy->SetAccentColor(side.Accent);
    copy->OnClick = [this](TObject* Sender) { bnInChCopyClick(Sender); };
    *buttons[tag] = copy;
  }
  bnExit = AddButton(this, "bnExit", "Exit", (Width - dialog_look::ButtonWidth) / 2, 150);
  bnExit->SetCancel(true);  // Escape leaves through it
  bnExit->OnClick = [this](TObject* Sender) { bnExitClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmCopy::~TfmCopy() {
  if (fmCopy == this) fmCopy = nullptr;
}

void TfmCopy::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_COPY_TITLE"));
  const std::string copy = LangText(Language, "SID_COPY");
  bnInChCopy->SetCaption(copy);
  bnOutChCopy->SetCaption(copy);
  bnExit->SetCaption(LangText(Language, "SID_EXIT"));
}

void TfmCopy::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmCopy::bnInChCopyClick(TObject* Sender) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (!button || !fmMain) return;
  const bool outputs = button->GetTag() == 1;
  const int base = outputs ? 8 : 0;
  const int source = (outputs ? cbOutSource : cbInSource)->GetItemIndex();
  const int target = (outputs ? cbOutDestination : cbInDestination)->GetItemIndex();
  if (source < 0 || target < 0) return;
  // Passed on as chosen, also onto the same channel (the copy ignores that);
  // the dialog stays open for the next copy.
  fmMain->CopyStrip(base + source, base + target, true);
}

void TfmCopy::bnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
