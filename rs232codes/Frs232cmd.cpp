#include "rs232codes/Frs232cmd.h"

#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/StdCtrls.h"

TfmRs232Cmd* fmRs232Cmd = nullptr;
TfmRs232CmdEnglish* fmRs232CmdEnglish = nullptr;

namespace {

constexpr int kClientWidth = 392;
constexpr int kClientHeight = 405;
constexpr int kListLeft = 84;
constexpr int kListWidth = 229;
constexpr int kListHeight = 22;
constexpr int kRowTop[3] = {32, 80, 128};

constexpr TColor kGroupColor = static_cast<TColor>(0xD8D8D8);
constexpr TColor kCodeColor = static_cast<TColor>(0xFFFFDF);
// The picture behind the groups: a calm dark face, an accent along the top
// and a tray that sets the code apart.
constexpr TColor kFace = RGB(0x1E, 0x22, 0x28);
constexpr TColor kAccent = RGB(0x3D, 0x9C, 0xE8);
constexpr TColor kTray = RGB(0x2A, 0x30, 0x38);
constexpr TColor kTrayEdge = RGB(0x3A, 0x42, 0x4C);
constexpr TColor kLightText = RGB(0xE6, 0xE9, 0xED);

struct DialogText {
  const char* Name;  // "" for the form's caption
  const char* English;
  const char* Chinese;
};

constexpr DialogText kTexts[] = {
    {"", "RS232 Remote Control Code", "232通讯协议代码"},
    {"gbCommand", " Command ", " 命令 "},
    {"lbType", "Type  : ", "类别  : "},
    {"lbId", "   ID  : ", "位址  : "},
    {"gbParameter", " Parameters ", " 参数 "},
    {"lbValue1", "Value1 : ", "数值1 : "},
    {"lbValue2", "Value2 : ", "数值2 : "},
    {"lbValue3", "Value3 : ", "数值3 : "},
    {"lbRemoteCtrl", "Remote Control Code", "通讯代码"},
};

void SetFontOf(TControl* Control, const char* Family, TColor Color = clWindowText, bool Bold = false) {
  TFont* font = Control->GetFont();
  font->SetName(Family);
  font->SetHeight(-16);
  font->SetColor(Color);
  font->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
}

template <typename T>
T* Place(TForm* Form, TWinControl* Parent, const std::string& Name, int Left, int Top, int Width,
         int Height) {
  auto* control = new T(Form);
  control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

TLabel* PlaceLabel(TForm* Form, TWinControl* Parent, const char* Name, int Top) {
  auto* label = Place<TLabel>(Form, Parent, Name, 10, Top, 72, kListHeight);
  label->SetAutoSize(false);
  label->SetTransparent(true);
  label->SetLayout(tlCenter);
  return label;
}

void DrawBackground(TBitmap* Bitmap) {
  Bitmap->SetSize(kClientWidth, kClientHeight);
  TCanvas* c = Bitmap->GetCanvas();
  c->Brush->SetColor(kFace);
  c->FillRect(Rect(0, 0, kClientWidth, kClientHeight));
  c->Brush->SetColor(kAccent);
  c->FillRect(Rect(0, 0, kClientWidth, 3));
  c->Brush->SetColor(kTray);
  c->Pen->SetColor(kTrayEdge);
  c->RoundRect(14, 327, kClientWidth - 14, 393, 10, 10);
}

int ExactEntry(const TStrings* Items, const std::string& Text) {
  for (int i = 0; i < Items->GetCount(); ++i)
    if (Items->Get(i) == Text) return i;
  return -1;
}

}  // namespace

TfmRs232Cmd::TfmRs232Cmd(TComponent* AOwner) : TfmRs232Cmd(AOwner, TRs232TextSet::Chinese) {}

// The Chinese type list starts with no entry selected, the English one on
// the first type; the code is that of the first type either way.
TfmRs232Cmd::TfmRs232Cmd(TComponent* AOwner, TRs232TextSet TextSet)
    : TForm(AOwner), FTextSet(TextSet), FCode(TextSet == TRs232TextSet::English) {
  SetName(TextSet == TRs232TextSet::English ? "fmRs232CmdEnglish" : "fmRs232Cmd");
  SetVisible(false);
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  // The group boxes' captions stand half above their frames, on the form's
  // colour: the groups' own grey keeps them readable over the dark picture.
  SetColor(kGroupColor);
  SetClientWidth(kClientWidth);
  SetClientHeight(kClientHeight);
  CreateControls();
  ApplyTexts();
  ShowCode();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  // Text typed but never taken does not outlive the showing.
  OnHide = [this](TObject*) {
    SettleTypedText(cbType);
    SettleTypedText(cbId);
    for (TComboBox* list : FLists) SettleTypedText(list);
  };
}

TfmRs232Cmd::~TfmRs232Cmd() {
  if (fmRs232Cmd == this) fmRs232Cmd = nullptr;
}

void TfmRs232Cmd::CreateControls() {
  const bool chinese = FTextSet == TRs232TextSet::Chinese;
  imLinkSelIn = Place<TImage>(this, this, "imLinkSelIn", 0, 0, kClientWidth, kClientHeight);
  imLinkSelIn->SetStretch(true);
  {
    TBitmap picture;
    DrawBackground(&picture);
    imLinkSelIn->GetPicture()->SetBitmap(&picture);
  }

  auto makeList = [&](TWinControl* parent, const std::string& name, int top, bool typed) {
    auto* list = Place<TComboBox>(this, parent, name, kListLeft, top, kListWidth, kListHeight);
    list->SetStyle(typed ? csDropDown : csOwnerDrawFixed);
    SetFontOf(list, "MS Sans Serif");
    if (typed) {
      list->OnExit = [this, list](TObject*) { SettleTypedText(list); };
    }
    return list;
  };

  gbCommand = Place<TGroupBox>(this, this, "gbCommand", 24, 16, 345, 121);
  gbCommand->SetColor(kGroupColor);
  SetFontOf(gbCommand, "Times New Roman");
  lbType = PlaceLabel(this, gbCommand, "lbType", 31);
  cbType = makeList(gbCommand, "cbType", 31, chinese);
  for (const TRs232CommandType& type : Rs232CommandTable()) cbType->GetItems()->Add(type.Name(FTextSet));
  lbId = PlaceLabel(this, gbCommand, "lbId", 71);
  cbId = makeList(gbCommand, "cbId", 71, chinese);
  for (const std::string& id : Rs232IdEntries()) cbId->GetItems()->Add(id);
  cbType->OnChange = [this](TObject* Sender) { cbTypeChange(Sender); };
  cbId->OnChange = [this](TObject* Sender) { cbIdChange(Sender); };

  gbParameter = Place<TGroupBox>(this, this, "gbParameter", 24, 143, 345, 180);
  gbParameter->SetColor(kGroupColor);
  SetFontOf(gbParameter, "Times New Roman");
  lbValue1 = PlaceLabel(this, gbParameter, "lbValue1", kRowTop[0]);
  lbValue2 = PlaceLabel(this, gbParameter, "lbValue2", kRowTop[1]);
  lbValue3 = PlaceLabel(this, gbParameter, "lbValue3", kRowTop[2]);
  for (int i = 0; i < Rs232ValueListCount; ++i) {
    const auto which = static_cast<TRs232List>(i);
    const TRs232ListInfo& info = Rs232ListInfo(which);
    TComboBox* list = makeList(gbParameter, info.Name, kRowTop[info.Row - 1], chinese && info.Typed);
    for (const std::string& entry : Rs232ListEntries(which, FTextSet)) list->GetItems()->Add(entry);
    if (info.Grey) list->SetColor(clSilver);
    // The grey lists that only show a fixed value have no handler.
    if (info.Field != TRs232Field::None)
      list->OnChange = [this](TObject* Sender) { ValueListChange(Sender); };
    FLists[i] = list;
  }

  gbMatrix = Place<TGroupBox>(this, gbParameter, "gbMatrix", 84, 72, 230, 89);
  gbMatrix->SetVisible(false);
  for (int tag = 0; tag < Rs232MatrixInputs; ++tag) {
    const std::string n = std::to_string(tag + 1);
    TCheckBox* box =
        Place<TCheckBox>(this, gbMatrix, "ckb2In" + n, 14 + (tag % 4) * 54, 22 + (tag / 4) * 34, 50, 24);
    box->SetCaption("In" + n);
    box->SetTag(tag);
    box->OnClick = [this](TObject* Sender) { ckb2In1Click(Sender); };
    ckb2In[tag] = box;
  }

  lbRemoteCtrl = Place<TLabel>(this, this, "lbRemoteCtrl", 24, 331, 345, 22);
  lbRemoteCtrl->SetAutoSize(false);
  lbRemoteCtrl->SetTransparent(true);
  lbRemoteCtrl->SetAlignment(taCenter);
  lbRemoteCtrl->SetLayout(tlCenter);
  SetFontOf(lbRemoteCtrl, "Times New Roman", kLightText);

  edRemoteCtrl = Place<TEdit>(this, this, "edRemoteCtrl", 24, 355, 345, 27);
  edRemoteCtrl->SetReadOnly(true);
  edRemoteCtrl->SetAlignment(taCenter);
  edRemoteCtrl->SetCharCase(ecUpperCase);
  edRemoteCtrl->SetTabStop(false);
  edRemoteCtrl->SetColor(kCodeColor);
  SetFontOf(edRemoteCtrl, "MS Sans Serif", clRed, true);

  // At start the Chinese type list shows the first type without selecting it.
  FTypeTextWithoutEntry = Rs232CommandTable()[0].Name(FTextSet);
  if (FCode.GetTypeIndex() < 0) cbType->SetText(FTypeTextWithoutEntry);
}

void TfmRs232Cmd::ApplyTexts() {
  const bool english = FTextSet == TRs232TextSet::English;
  for (const DialogText& t : kTexts) {
    const char* text = english ? t.English : t.Chinese;
    if (*t.Name == '\0') {
      SetCaption(text);
    } else if (auto* control = dynamic_cast<TControl*>(FindComponent(t.Name))) {
      control->SetCaption(text);
    }
  }
}

TComboBox* TfmRs232Cmd::ValueList(TRs232List List) const {
  const int i = static_cast<int>(List);
  return i >= 0 && i < Rs232ValueListCount ? FLists[i] : nullptr;
}

int TfmRs232Cmd::PickedIndex(TComboBox* List, int Current) const {
  int index = List->GetItemIndex();
  if (List->GetStyle() == csDropDown) index = ExactEntry(List->GetItems(), List->GetText());
  if (index < 0 || index == Current) return -1;
  if (List->GetItemIndex() != index) List->SetItemIndex(index);
  return index;
}

void TfmRs232Cmd::SettleTypedText(TComboBox* List) const {
  if (!List || List->GetStyle() != csDropDown) return;
  const int index = List->GetItemIndex();
  const std::string settled = index >= 0 ? List->GetItems()->Get(index) : FTypeTextWithoutEntry;
  if (List->GetText() == settled) return;
  if (index >= 0)
    List->SetItemIndex(index);
  else
    List->SetText(settled);
}

void TfmRs232Cmd::ShowCode() {
  auto select = [](TComboBox* list, int index) {
    if (index >= 0 && list->GetItemIndex() != index) list->SetItemIndex(index);
  };
  select(cbType, FCode.GetTypeIndex());
  select(cbId, FCode.GetIdIndex());
  const bool matrix = FCode.GetMatrixShown();
  for (int i = 0; i < Rs232ValueListCount; ++i) {
    const auto which = static_cast<TRs232List>(i);
    const int row = Rs232ListInfo(which).Row;
    TComboBox* list = FLists[i];
    select(list, FCode.GetItemIndex(which));
    // Only the list in front is seen and used; those behind it take no
    // focus either.
    const bool front = FCode.GetFront(row) == which;
    if (front) list->BringToFront();
    list->SetVisible(front && !(matrix && row > 1));
  }
  ++MatrixResetting;
  for (int tag = 0; tag < Rs232MatrixInputs; ++tag) {
    if (ckb2In[tag]->GetChecked() != FCode.GetMatrixInput(tag))
      ckb2In[tag]->SetChecked(FCode.GetMatrixInput(tag));
  }
  --MatrixResetting;
  if (matrix) {
    gbMatrix->SetVisible(true);
    gbMatrix->BringToFront();
  } else {
    gbMatrix->SendToBack();
    gbMatrix->SetVisible(false);
  }
  edRemoteCtrl->SetText(FCode.GetCodeText());
}

void TfmRs232Cmd::cbTypeChange(TObject* /*Sender*/) {
  const int index = PickedIndex(cbType, FCode.GetTypeIndex());
  if (index >= 0 && FCode.TypeChange(index)) ShowCode();
}

void TfmRs232Cmd::cbIdChange(TObject* /*Sender*/) {
  const int index = PickedIndex(cbId, FCode.GetIdIndex());
  if (index >= 0 && FCode.IdChange(index)) ShowCode();
}

void TfmRs232Cmd::ValueListChange(TObject* Sender) {
  for (int i = 0; i < Rs232ValueListCount; ++i) {
    if (FLists[i] != Sender) continue;
    const auto which = static_cast<TRs232List>(i);
    const int index = PickedIndex(FLists[i], FCode.GetItemIndex(which));
    if (index >= 0 && FCode.ValueChange(which, index)) ShowCode();
    return;
  }
}

void TfmRs232Cmd::ckb2In1Click(TObject* Sender) {
  if (MatrixResetting != 0) return;
  auto* box = dynamic_cast<TCheckBox*>(Sender);
  if (!box) return;
  if (FCode.MatrixClick(static_cast<int>(box->GetTag()), box->GetChecked())) ShowCode();
}

void TfmRs232Cmd::FormShow(TObject* /*Sender*/) {}

TfmRs232CmdEnglish::TfmRs232CmdEnglish(TComponent* AOwner) : TfmRs232Cmd(AOwner, TRs232TextSet::English) {}

TfmRs232CmdEnglish::~TfmRs232CmdEnglish() {
  if (fmRs232CmdEnglish == this) fmRs232CmdEnglish = nullptr;
}
