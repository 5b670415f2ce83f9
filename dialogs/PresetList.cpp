#include "dialogs/PresetList.h"

#include <algorithm>

#include "dialogs/DialogLook.h"
#include "dialogs/Fstorename.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/StringList.h"

namespace {

// Length in bytes of the UTF-8 character that begins with Lead.
std::size_t CharLength(unsigned char Lead) {
  if (Lead >= 0xF0) return 4;
  if (Lead >= 0xE0) return 3;
  if (Lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string FitPresetName(std::string_view Name) {
  std::string fitted;
  int count = 0;
  for (std::size_t i = 0; i < Name.size() && count < PresetNameLength; ++count) {
    const std::size_t n = std::min(CharLength(static_cast<unsigned char>(Name[i])), Name.size() - i);
    if (n == 1 && static_cast<unsigned char>(Name[i]) < 0x20)
      fitted += ' ';
    else
      fitted.append(Name.substr(i, n));
    i += n;
  }
  fitted.append(static_cast<std::size_t>(PresetNameLength - count), ' ');
  return fitted;
}

std::vector<std::string> UserPresetCodes() {
  std::vector<std::string> codes;
  for (int slot = 1; slot <= 21; ++slot)
    codes.push_back(slot < 10 ? "U0" + std::to_string(slot) : "U" + std::to_string(slot));
  return codes;
}

std::string PresetRow(std::string_view Code, std::string_view Name) {
  return "     " + std::string(Code) + "=  " + FitPresetName(Name);
}

// ---------------------------------------------------------------- grid

TPresetNameGrid::TPresetNameGrid(TComponent* AOwner)
    : TCustomControl(AOwner), FStrings(std::make_unique<TStringList>()) {
  FStrings->OnChange = [this](TObject*) { Invalidate(); };
}

TPresetNameGrid::~TPresetNameGrid() {
  FStrings->OnChange = nullptr;
}

std::string TPresetNameGrid::GetText() const {
  std::string text;
  for (int i = 0; i < FStrings->GetCount(); ++i) text += FStrings->Get(i) + "\r\n";
  return text;
}

int TPresetNameGrid::GetRowCount() const {
  return FStrings->GetCount();
}

std::string TPresetNameGrid::GetKey(int Row) const {
  if (Row < 0 || Row >= GetRowCount()) return "";
  const std::string row = FStrings->Get(Row);
  const std::size_t eq = row.find('=');
  const std::size_t start = row.find_first_not_of(' ');
  if (eq == std::string::npos || start >= eq) return "";
  return row.substr(start, eq - start);
}

std::string TPresetNameGrid::GetValue(int Row) const {
  if (Row < 0 || Row >= GetRowCount()) return "";
  // The name follows "=" and two blanks; found in the row, never counted
  // from its start, since a name's characters may take several bytes.
  const std::string row = FStrings->Get(Row);
  const std::size_t eq = row.find('=');
  if (eq == std::string::npos) return "";
  return row.substr(std::min(row.size(), eq + 3));
}

void TPresetNameGrid::SetTitles(const std::string& Number, const std::string& Name) {
  FNumberTitle = Number;
  FNameTitle = Name;
  Invalidate();
}

void TPresetNameGrid::Paint() {
  TCanvas* canvas = GetCanvas();
  const int width = GetClientWidth();
  const int numberWidth = 84;
  canvas->GetBrush()->SetColor(dialog_look::Field);
  canvas->FillRect(GetClientRect());
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(bsClear);

  auto cell = [&](int left, int right, int top, const std::string& text, TColor colour) {
    TRect r = Rect(left + 8, top, right - 4, top + RowHeight);
    canvas->GetFont()->SetColor(colour);
    canvas->TextRect(r, r.Left, top + (RowHeight - canvas->TextHeight("Hg")) / 2, text);
  };
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(dialog_look::Panel);
  canvas->FillRect(Rect(0, 0, width, RowHeight));
  canvas->GetBrush()->SetStyle(bsClear);
  cell(0, numberWidth, 0, FNumberTitle, dialog_look::Dim);
  cell(numberWidth, width, 0, FNameTitle, dialog_look::Dim);
  for (int row = 0; row < GetRowCount(); ++row) {
    const int top = (row + 1) * RowHeight;
    if (row % 2) {
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(RGB(0x19, 0x1D, 0x22));
      canvas->FillRect(Rect(0, top, width, top + RowHeight));
      canvas->GetBrush()->SetStyle(bsClear);
    }
    cell(0, numberWidth, top, GetKey(row), dialog_look::Accent);
    cell(numberWidth, width, top, GetValue(row), dialog_look::Text);
  }
  canvas->GetPen()->SetColor(dialog_look::Panel);
  canvas->MoveTo(numberWidth, 0);
  canvas->LineTo(numberWidth, (GetRowCount() + 1) * RowHeight);
}

// ---------------------------------------------------------------- list form

TPresetListForm::TPresetListForm(TComponent* AOwner, const char* Name, const std::string& Caption,
                                 const std::vector<std::string>& Codes, bool Store)
    : TForm(AOwner), FStore(Store) {
  constexpr int width = 300;
  const int gridHeight = (static_cast<int>(Codes.size()) + 1) * TPresetNameGrid::RowHeight + 2;
  SetUpDialogForm(this, Name, Caption, width, gridHeight + 104, false);
  lPresetSelect = AddLabel(this, "lPresetSelect", Caption, 16, 10, width - 32, 28);
  lPresetSelect->GetFont()->SetHeight(-16);
  lPresetSelect->GetFont()->SetStyle(TFontStyles{fsBold});
  vledPresetName = new TPresetNameGrid(this);
  vledPresetName->SetName("vledPresetName");
  vledPresetName->SetParent(this);
  vledPresetName->SetBounds(16, 46, width - 32, gridHeight);
  for (const std::string& code : Codes) vledPresetName->GetStrings()->Add(PresetRow(code, DefaultPresetName));
  bnCancel = AddButton(this, "bnCancel", "Cancel", (width - dialog_look::ButtonWidth) / 2, gridHeight + 62);
  bnCancel->SetCancel(true);
  // A row is chosen when the button comes up over it.
  vledPresetName->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int Y) {
    if (Button == mbLeft && Y >= 0) vledPresetNameSelectCell(Y / TPresetNameGrid::RowHeight);
  };
  bnCancel->OnClick = [this](TObject* Sender) { bnCancelClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TPresetListForm::SetTexts(std::string_view Language) {
  const std::string title = LangText(Language, FStore ? "SID_SAVE_PRESET" : "SID_RECALL_PRESET");
  SetCaption(title);
  lPresetSelect->SetCaption(title);
  bnCancel->SetCaption(LangText(Language, "SID_CANCEL"));
  vledPresetName->SetTitles(LangText(Language, "SID_NUMBER"), LangText(Language, "SID_NAME"));
}

void TPresetListForm::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TPresetListForm::vledPresetNameSelectCell(int GridRow) {
  const int row = GridRow - 1;
  if (!fmStoreName || row < 0 || row >= vledPresetName->GetRowCount() || fmStoreName->GetVisible()) return;
  fmStoreName->SetNameText(vledPresetName->GetValue(row));
  fmStoreName->SetSlot(row);
  fmStoreName->SetStoreMode(FStore ? 1 : 0);
  // The row's own code: U01.. in the store list, F00 and U01.. in the recall list.
  fmStoreName->lTitle->SetCaption(vledPresetName->GetKey(row) + " : ");
  // Modal over the modal list: a plain window shown now would get no input
  // while the list holds it. Cancel comes back here, to the list.
  fmStoreName->ShowModal();
}

void TPresetListForm::bnCancelClick(TObject* /*Sender*/) {
  if (vledPresetName->CanFocus()) vledPresetName->SetFocus();
  CloseDialog(this, mrCancel);
}

void TPresetListForm::SetPresetName(int Row, std::string_view Name) {
  TStringList* rows = vledPresetName->GetStrings();
  if (Row < 0 || Row >= rows->GetCount()) return;
  // The whole row made anew from its code and the name.
  rows->Put(Row, PresetRow(vledPresetName->GetKey(Row), Name));
}
