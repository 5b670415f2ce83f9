#include "response/PeqBandTable.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/CommonConstants.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/PeqEntry.h"
#include "response/Plot.h"

namespace {

constexpr int FieldHeight = 21;  // an edit's height
constexpr int UpDownWidth = 20;
constexpr TColor BypassedColor = 0x8080FF;
constexpr TColor SelectedRowColor = 0x00B000;
constexpr int HiddenTop = 10000;

const char* const TitleTexts[6] = {"EQ", "Frequency", "Q", "Gain", "Type", "Bypass"};

// The padded list texts without their padding, for a cell of its own width.
std::string Trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

int ValueIndex(TPeqCell cell) {
  return cell == pcFrequency ? 0 : cell == pcQ ? 1 : 2;
}

}  // namespace

TPeqBandTable::TPeqBandTable(TComponent* AOwner, std::span<const std::string_view> typeTexts, int gainLimitDb)
    : TRzGroupBox(AOwner), FTypeCount(static_cast<int>(typeTexts.size()) - 1), FGainLimitDb(gainLimitDb) {
  for (std::string_view t : typeTexts) FBuiltInTexts.emplace_back(t);
  FTypeTexts.assign(static_cast<std::size_t>(FTypeCount), std::string());
  FShownTypeTexts = FTypeTexts;
  SetCaption("");
  SetBounds(GetLeft(), GetTop(), 490, 420);
  for (int r = 0; r < RowCapacity; ++r) {
    Row& row = FRows[static_cast<std::size_t>(r)];
    row.Text[0] = std::to_string(r);
    ShowQ(row);
    ShowGain(row);
  }
  FLaidOutWidth = 490;
  FLaidOutHeight = 420;
  LayOut();
}

TPeqBandTable::Row* TPeqBandTable::RowAt(int row) {
  return row >= 0 && row < RowCapacity ? &FRows[static_cast<std::size_t>(row)] : nullptr;
}

const TPeqBandTable::Row* TPeqBandTable::RowAt(int row) const {
  return row >= 0 && row < RowCapacity ? &FRows[static_cast<std::size_t>(row)] : nullptr;
}

// ---------------------------------------------------------------- reading

double TPeqBandTable::GetFreqValue(int row) const {
  const Row* r = RowAt(row);
  return PeqPositionFrequency(r ? r->FreqPos : 0);
}

double TPeqBandTable::GetQValue(int row) const {
  const Row* r = RowAt(row);
  return PeqQTable[static_cast<std::size_t>(r ? r->QPos : 20)];
}

double TPeqBandTable::GetGainValue(int row) const {
  const Row* r = RowAt(row);
  return r ? r->GainPos * 0.1 : 0.0;
}

int TPeqBandTable::GetTypeValue(int row) const {
  const Row* r = RowAt(row);
  return r ? r->Type : 0;
}

bool TPeqBandTable::GetBypassValue(int row) const {
  const Row* r = RowAt(row);
  return r && r->Bypass;
}

std::string TPeqBandTable::GetFieldText(int row, TPeqCell cell) const {
  const Row* r = RowAt(row);
  if (!r || (cell != pcFrequency && cell != pcQ && cell != pcGain)) return {};
  return r->Text[ValueIndex(cell)];
}

void TPeqBandTable::SetFieldText(int row, TPeqCell cell, const std::string& text) {
  Row* r = RowAt(row);
  if (!r || (cell != pcFrequency && cell != pcQ && cell != pcGain)) return;
  // A field holds at most 7 characters.
  r->Text[ValueIndex(cell)] = text.substr(0, 7);
  Invalidate();
}

TColor TPeqBandTable::GetFieldFontColor(int row) const {
  const Row* r = RowAt(row);
  return r ? r->FieldFont : clWindowText;
}

TColor TPeqBandTable::GetBypassButtonColor(int row) const {
  const Row* r = RowAt(row);
  return r ? r->BypassColor : clBtnFace;
}

TRect TPeqBandTable::GetCellRect(int row, TPeqCell cell) const {
  const Row* r = RowAt(row);
  return r && !r->Hidden ? r->Cells[cell] : TRect();
}

bool TPeqBandTable::GetRowShown(int row) const {
  const Row* r = RowAt(row);
  return r && !r->Hidden && row < FChannelNumber;
}

const std::string& TPeqBandTable::GetTypeText(int type) const {
  static const std::string none;
  return type >= 0 && type < FTypeCount ? FShownTypeTexts[static_cast<std::size_t>(type)] : none;
}

// ---------------------------------------------------------------- writing

void TPeqBandTable::ShowFreq(Row& r) {
  r.Text[0] = PeqFreqText(PeqPositionFrequency(r.FreqPos));
}
void TPeqBandTable::ShowQ(Row& r) {
  r.Text[1] = PeqQText(PeqQTable[static_cast<std::size_t>(r.QPos)]);
}
void TPeqBandTable::ShowGain(Row& r) {
  r.Text[2] = PeqGainText(r.GainPos / 10.0);
}

void TPeqBandTable::SetFreqValue(int row, double hz) {
  Row* r = RowAt(row);
  if (!r) return;
  r->FreqPos = PeqFreqPositionFromHz(hz);
  ShowFreq(*r);
  Invalidate();
  Change();
}

void TPeqBandTable::SetQValue(int row, double qIndex) {
  Row* r = RowAt(row);
  if (!r) return;
  r->QPos = std::isfinite(qIndex) ? std::clamp(static_cast<int>(std::clamp(qIndex, -1.0, 101.0)), 0, 100) : 0;
  ShowQ(*r);
  Invalidate();
  Change();
}

void TPeqBandTable::SetGainValue(int row, double db) {
  Row* r = RowAt(row);
  if (!r) return;
  const int limit = FGainLimitDb * 10;
  r->GainPos = std::clamp(PeqGainPositionTruncated(db), -limit, limit);
  // The field shows the value given, not the stored tenths.
  r->Text[2] = PeqGainText(db);
  Invalidate();
  Change();
}

void TPeqBandTable::SetTypeValue(int row, int type) {
  Row* r = RowAt(row);
  if (!r) return;
  r->Type = std::clamp(type, 0, FTypeCount - 1);
  Invalidate();
  Change();
}

void TPeqBandTable::SetBypassValue(int row, bool bypass) {
  Row* r = RowAt(row);
  if (!r) return;
  r->Bypass = bypass;
  Change();
}

void TPeqBandTable::SetEqParamValue(int row, double hz, double qIndex, double db, int type, bool bypass) {
  Row* r = RowAt(row);
  if (!r) return;
  r->FreqPos = PeqFreqPositionFromHz(hz);
  ShowFreq(*r);
  const int limit = FGainLimitDb * 10;
  r->GainPos = std::clamp(PeqGainPositionRounded(db), -limit, limit);
  r->Text[2] = PeqGainText(db);
  r->Type = std::clamp(type, 0, FTypeCount - 1);
  r->Bypass = bypass;
  r->QPos = std::isfinite(qIndex) ? std::clamp(static_cast<int>(std::clamp(qIndex, -1.0, 101.0)), 0, 100) : 0;
  ShowQ(*r);
  Invalidate();
  Change();
}

// ---------------------------------------------------------------- selection

void TPeqBandTable::SetColor(int row, TColor colour) {
  if (row < 0 || row >= FChannelNumber) return;
  FRows[static_cast<std::size_t>(row)].FieldFont = colour;
  Invalidate();
}

void TPeqBandTable::SetNowIndex(int row) {
  if (row == -1) {
    SetColor(FNowIndex, FNormalEditColor);
  } else if (row != FNowIndex) {
    SetColor(FNowIndex, FNormalEditColor);
    FNowIndex = row;
    SetColor(row, SelectedRowColor);
  } else if (FPrevIndex != FNowIndex) {
    SetColor(FPrevIndex, FNormalEditColor);
    FPrevIndex = FNowIndex;
    SetColor(FNowIndex, SelectedRowColor);
  }
}

void TPeqBandTable::Change() {
  if (!OnChange) return;
  for (int r = 0; r < FChannelNumber; ++r) {
    Row& row = FRows[static_cast<std::size_t>(r)];
    row.BypassColor = row.Bypass ? BypassedColor : FBypassBackColor;
  }
  Invalidate();
  OnChange(this);
}

// ---------------------------------------------------------------- properties

void TPeqBandTable::SetChannelNumber(int n) {
  if (n == FChannelNumber) return;
  FChannelNumber = std::min(n, RowCapacity);
  Change();
}

void TPeqBandTable::SetUpdownVisable(bool v) {
  if (v == FUpdownVisable) return;
  FUpdownVisable = v;
  Invalidate();
  RePaint();
}

void TPeqBandTable::SetTitleVisable(bool v) {
  if (v == FTitleVisable) return;
  FTitleVisable = v;
  Invalidate();
  RePaint();
}

void TPeqBandTable::SetLabelColor(TColor c) {
  if (c == FLabelColor) return;
  FLabelColor = c;
  Invalidate();
  RePaint();
}

void TPeqBandTable::SetEditBackColor(TColor c) {
  if (c == FEditBackColor) return;
  FEditBackColor = c;
  Invalidate();
  RePaint();
}

void TPeqBandTable::SetBypassBackColor(TColor c) {
  if (c == FBypassBackColor) return;
  FBypassBackColor = c;
  for (int r = 0; r < FChannelNumber; ++r) {
    Row& row = FRows[static_cast<std::size_t>(r)];
    if (!row.Bypass) row.BypassColor = c;
  }
  Invalidate();
  RePaint();
}

void TPeqBandTable::SetEditFontColor(TColor c) {
  if (c == FEditFontColor) return;
  for (int r = 0; r < RowCapacity; ++r) {
    Row& row = FRows[static_cast<std::size_t>(r)];
    if (row.FieldFont == FEditFontColor) row.FieldFont = c;
  }
  if (FNormalEditColor == FEditFontColor) FNormalEditColor = c;
  FEditFontColor = c;
  Invalidate();
}

// ---------------------------------------------------------------- language

void TPeqBandTable::SetEqTypeString(const std::string& text, int type) {
  if (type >= 0 && type < FTypeCount) FTypeTexts[static_cast<std::size_t>(type)] = text;
}

void TPeqBandTable::SetBypassString(const std::string& text) {
  FBypassText = text;
}

void TPeqBandTable::ChangeLanguage() {
  FShownTypeTexts = FTypeTexts;
  FShownBypassText = FBypassText;
  Invalidate();
}

void TPeqBandTable::CreateWnd() {
  TRzGroupBox::CreateWnd();
  for (int i = 0; i < FTypeCount; ++i)
    FTypeTexts[static_cast<std::size_t>(i)] = FBuiltInTexts[static_cast<std::size_t>(i)];
  FBypassText = FBuiltInTexts.back();
  // Filled once; every row keeps the type it holds.
  ChangeLanguage();
}

// ---------------------------------------------------------------- layout

void TPeqBandTable::RePaint() {
  if (GetWidth() == FLaidOutWidth && GetHeight() == FLaidOutHeight) return;
  FLaidOutWidth = GetWidth();
  FLaidOutHeight = GetHeight();
  LayOut();
  ChangeLanguage();
}

void TPeqBandTable::LayOut() {
  const int h = FTitleVisable ? 13 : 0;
  FTitleHeight = h;
  const int c = (FLaidOutWidth - 68) / 5;
  // A table without rows still has a pitch (nothing divides by zero).
  const int p = (FLaidOutHeight - FTopBottomSpace - h - 16) / std::max(FChannelNumber, 1);
  FColumn = c;
  FPitch = p;
  FNormalEditColor = FRows[0].FieldFont;
  const int x0 = 12 + 20;
  const int fieldWidth = FUpdownVisable ? c - 20 : c;
  for (int r = 0; r < RowCapacity; ++r) {
    Row& row = FRows[static_cast<std::size_t>(r)];
    if (r >= FChannelNumber || row.Hidden) {
      // A layout pass never shows a row again.
      row.Hidden = true;
      row.Top = HiddenTop;
      for (TRect& cell : row.Cells) cell = TRect(0, HiddenTop, 0, HiddenTop);
      continue;
    }
    row.Top = FTopBottomSpace + h + p * r + 8;
    const int y = row.Top - 1;
    row.Cells[pcNumber] = Bounds(12, row.Top, 20, std::max(p, 1));
    row.Cells[pcFrequency] = Bounds(x0 + 8, y, fieldWidth, FieldHeight);
    row.Cells[pcQ] = Bounds(x0 + c + 16, y, fieldWidth, FieldHeight);
    row.Cells[pcGain] = Bounds(x0 + 2 * c + 24, y, fieldWidth, FieldHeight);
    for (TPeqCell field : {pcFrequency, pcQ, pcGain}) {
      const TRect f = row.Cells[field];
      const TPeqCell ud = field == pcFrequency ? pcFreqUpDown : field == pcQ ? pcQUpDown : pcGainUpDown;
      row.Cells[ud] = FUpdownVisable ? Bounds(f.Right, f.Top + 1, UpDownWidth, FieldHeight - 2) : TRect();
    }
    row.Cells[pcType] = Bounds(x0 + 3 * c + 32, y, c + 8, FieldHeight);
    row.Cells[pcBypass] = Bounds(x0 + 4 * c + 46, y, c - 14, FieldHeight);
  }
}

// ---------------------------------------------------------------- painting

void TPeqBandTable::Paint() {
  TRzGroupBox::Paint();
  RePaint();
  TCanvas* c = GetCanvas();
  if (FTitleVisable) PaintTitles(c);
  for (int r = 0; r < FChannelNumber; ++r)
    if (!FRows[static_cast<std::size_t>(r)].Hidden) PaintRow(c, r);
}

void TPeqBandTable::PaintTitles(TCanvas* c) {
  c->Font->Assign(GetFont());
  c->Font->SetColor(FLabelColor);
  c->Brush->SetStyle(bsClear);
  for (int i = 0; i < 6; ++i) {
    TRect r = i == 0 ? Bounds(12, FTopBottomSpace, 20, FPitch)
                     : Bounds(8 * i + (i - 1) * FColumn + 33, FTopBottomSpace, FColumn - 15, FPitch);
    c->DrawText(TitleTexts[i], r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TPeqBandTable::PaintRow(TCanvas* c, int r) {
  const Row& row = FRows[static_cast<std::size_t>(r)];
  const TColor back = GetColor() == clNone ? clBtnFace : GetColor();
  c->Font->Assign(GetFont());
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetMode(pmCopy);
  // Row number in the band's marker colour.
  c->Brush->SetStyle(bsClear);
  c->Font->SetSize(12);
  c->Font->SetColor(static_cast<TColor>(BandMarkerColor(r)));
  TRect number = row.Cells[pcNumber];
  c->DrawText(std::to_string(r + 1), number, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  c->Font->Assign(GetFont());

  auto box = [&](const TRect& cell, TColor fill, TColor text, const std::string& caption, unsigned align) {
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(fill);
    c->FillRect(cell);
    c->Brush->SetColor(BevelShadow(back));
    c->FrameRect(cell);
    c->Brush->SetStyle(bsClear);
    c->Font->SetColor(text);
    TRect inner(cell.Left + 3, cell.Top, cell.Right - 3, cell.Bottom);
    c->DrawText(caption, inner, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  };
  const bool editing = FEditor && FEditor->GetVisible() && FEditorRow == r;
  for (TPeqCell field : {pcFrequency, pcQ, pcGain})
    if (!(editing && FEditorCell == field))
      box(row.Cells[field], FEditBackColor, row.FieldFont, row.Text[ValueIndex(field)], DT_CENTER);
  // The type cell: the chosen text and the drop-down arrow.
  const TRect type = row.Cells[pcType];
  box(type, FEditBackColor, FEditFontColor, Trimmed(GetTypeText(row.Type)), DT_LEFT);
  c->Pen->SetColor(FEditFontColor);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(FEditFontColor);
  const int ax = type.Right - 10, ay = type.Top + type.Height() / 2 - 1;
  const TPoint arrow[3] = {{ax - 3, ay - 1}, {ax + 3, ay - 1}, {ax, ay + 2}};
  c->Polygon(arrow, 3);
  // A lit (bypassed) button is light: its caption stays dark on it.
  box(row.Cells[pcBypass], row.BypassColor, row.Bypass ? clBtnText : FEditFontColor, Trimmed(FShownBypassText),
      DT_CENTER);
  if (FUpdownVisable) {
    for (TPeqCell ud : {pcFreqUpDown, pcQUpDown, pcGainUpDown}) {
      const TRect u = row.Cells[ud];
      c->Brush->SetStyle(bsSolid);
      c->Brush->SetColor(clBtnFace);
      c->Pen->SetColor(clGradientActiveCaption);
      c->Rectangle(u.Left - 1, u.Top - 1, u.Right + 1, u.Bottom + 1);
      c->Brush->SetColor(clBtnText);
      c->Pen->SetColor(clBtnText);
      const int mx = (u.Left + u.Right) / 2, q1 = u.Top + u.Height() / 4, q3 = u.Top + 3 * u.Height() / 4;
      const TPoint up[3] = {{mx - 3, q1 + 2}, {mx + 3, q1 + 2}, {mx, q1 - 1}};
      const TPoint down[3] = {{mx - 3, q3 - 2}, {mx + 3, q3 - 2}, {mx, q3 + 1}};
      c->Polygon(up, 3);
      c->Polygon(down, 3);
    }
  }
}

// ---------------------------------------------------------------- user actions

void TPeqBandTable::UserAction(int row) {
  FPrevIndex = FNowIndex;
  FNowIndex = row;
  Change();
}

int* TPeqBandTable::Position(Row& r, TPeqCell cell) {
  return cell == pcFrequency ? &r.FreqPos : cell == pcQ ? &r.QPos : &r.GainPos;
}

void TPeqBandTable::ShowValue(Row& r, TPeqCell cell) {
  if (cell == pcFrequency)
    r.Text[0] = PeqFreqText(IndexToFreq(r.FreqPos + FreqIndexOf1kHz));
  else if (cell == pcQ)
    ShowQ(r);
  else
    ShowGain(r);
}

void TPeqBandTable::Entry(int row, TPeqCell cell) {
  Row* r = RowAt(row);
  if (!r) return;
  const std::string& typed = r->Text[ValueIndex(cell)];
  const std::optional<int> parsed = cell == pcFrequency ? ParseTypedFrequency(typed)
                                    : cell == pcQ       ? ParseTypedQ(typed)
                                                        : ParseTypedGain(typed, FGainLimitDb);
  if (parsed) *Position(*r, cell) = *parsed;
  // Accepted or refused, the field shows the stored value.
  ShowValue(*r, cell);
  if (FEditor && FEditor->GetVisible() && FEditorRow == row && FEditorCell == cell) {
    FEditor->SetText(r->Text[ValueIndex(cell)]);
    if (!parsed) FEditor->PressEndKey();
  }
  UserAction(row);
}

void TPeqBandTable::Step(int row, TPeqCell cell, TUDBtnType Button) {
  Row* r = RowAt(row);
  if (!r) return;
  const int limit = FGainLimitDb * 10;
  const int lo = cell == pcFrequency ? PeqFreqPositionMin : cell == pcQ ? PeqQPositionMin : -limit;
  const int hi = cell == pcFrequency ? PeqFreqPositionMax : cell == pcQ ? PeqQPositionMax : limit;
  int& pos = *Position(*r, cell);
  pos = std::clamp(pos + (Button == btNext ? 1 : -1), lo, hi);
  if (cell == pcFrequency)
    ShowFreq(*r);
  else
    ShowValue(*r, cell);
  UserAction(row);
}

void TPeqBandTable::FrequencyKeyDown(int row, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) Entry(row, pcFrequency);
}
void TPeqBandTable::FrequencyExit(int row) {
  Entry(row, pcFrequency);
}
void TPeqBandTable::QfactorKeyDown(int row, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) Entry(row, pcQ);
}
void TPeqBandTable::QfactorExit(int row) {
  Entry(row, pcQ);
}
void TPeqBandTable::GainKeyDown(int row, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) Entry(row, pcGain);
}
void TPeqBandTable::GainExit(int row) {
  Entry(row, pcGain);
}

void TPeqBandTable::FrequencyUpDownClick(int row, TUDBtnType Button) {
  Step(row, pcFrequency, Button);
}
void TPeqBandTable::QfactorUpDownClick(int row, TUDBtnType Button) {
  Step(row, pcQ, Button);
}
void TPeqBandTable::GainUpDownClick(int row, TUDBtnType Button) {
  Step(row, pcGain, Button);
}

void TPeqBandTable::PeqTypeChange(int row) {
  if (!RowAt(row)) return;
  UserAction(row);
}

void TPeqBandTable::ByPassClick(int row) {
  Row* r = RowAt(row);
  if (!r) return;
  FPrevIndex = FNowIndex;
  FNowIndex = row;
  r->Bypass = !r->Bypass;
  r->BypassColor = r->Bypass ? BypassedColor : FBypassBackColor;
  Invalidate();
  Change();
}

void TPeqBandTable::EditMouseDown(int row, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!RowAt(row)) return;
  FPrevIndex = FNowIndex;
  FNowIndex = row;
  if (OnEditMouseDown) OnEditMouseDown(this, Button, Shift, X, Y);
}

// ---------------------------------------------------------------- mouse and editors

std::pair<int, TPeqCell> TPeqBandTable::HitTest(int X, int Y) const {
  const TPoint p(X, Y);
  for (int r = 0; r < FChannelNumber; ++r) {
    const Row& row = FRows[static_cast<std::size_t>(r)];
    if (row.Hidden) continue;
    for (TPeqCell cell : {pcFrequency, pcQ, pcGain, pcType, pcBypass, pcFreqUpDown, pcQUpDown, pcGainUpDown})
      if (row.Cells[cell].Contains(p)) return {r, cell};
  }
  return {-1, pcNumber};
}

void TPeqBandTable::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRzGroupBox::MouseDown(Button, Shift, X, Y);
  const auto [row, cell] = HitTest(X, Y);
  if (row < 0 || Button != mbLeft) {
    if (row >= 0 && (cell == pcFrequency || cell == pcQ || cell == pcGain)) {
      const TRect r = FRows[static_cast<std::size_t>(row)].Cells[cell];
      EditMouseDown(row, Button, Shift, X - r.Left, Y - r.Top);
    }
    return;
  }
  switch (cell) {
    case pcFrequency:
    case pcQ:
    case pcGain: {
      const TRect r = FRows[static_cast<std::size_t>(row)].Cells[cell];
      EditMouseDown(row, Button, Shift, X - r.Left, Y - r.Top);
      OpenEditor(row, cell);
      break;
    }
    case pcType:
      OpenTypeList(row);
      break;
    case pcBypass:
      ByPassClick(row);
      break;
    case pcFreqUpDown:
    case pcQUpDown:
    case pcGainUpDown: {
      const TRect u = FRows[static_cast<std::size_t>(row)].Cells[cell];
      const TUDBtnType b = Y < u.Top + u.Height() / 2 ? btNext : btPrev;
      if (cell == pcFreqUpDown)
        FrequencyUpDownClick(row, b);
      else if (cell == pcQUpDown)
        QfactorUpDownClick(row, b);
      else
        GainUpDownClick(row, b);
      break;
    }
    default:
      break;
  }
}

bool TPeqBandTable::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const TPoint local = ScreenToClient(MousePos);
  const auto [row, cell] = HitTest(local.X, local.Y);
  if (row >= 0 && cell == pcType) {
    bool handled = false;
    if (OnPeqTypeMouseWheel) OnPeqTypeMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
  }
  return TRzGroupBox::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TPeqBandTable::OpenEditor(int row, TPeqCell cell) {
  CloseTypeList();
  if (FEditor && FEditor->GetVisible()) CloseEditor(true);
  if (!FEditor) {
    FEditor = new TEdit(this);
    FEditor->SetParent(this);
    FEditor->SetMaxLength(7);
    FEditor->SetAlignment(taCenter);
    FEditor->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState Shift) {
      if (FEditorRow < 0) return;
      SetFieldText(FEditorRow, FEditorCell, FEditor->GetText());
      if (FEditorCell == pcFrequency)
        FrequencyKeyDown(FEditorRow, Key, Shift);
      else if (FEditorCell == pcQ)
        QfactorKeyDown(FEditorRow, Key, Shift);
      else
        GainKeyDown(FEditorRow, Key, Shift);
    };
    FEditor->OnExit = [this](TObject*) { CloseEditor(true); };
  }
  FEditorRow = row;
  FEditorCell = cell;
  const Row& r = FRows[static_cast<std::size_t>(row)];
  FEditor->SetBoundsRect(r.Cells[cell]);
  FEditor->SetColor(FEditBackColor);
  FEditor->GetFont()->SetColor(r.FieldFont);
  FEditor->SetText(r.Text[ValueIndex(cell)]);
  FEditor->Show();
  Invalidate();
  if (FEditor->CanFocus()) FEditor->SetFocus();
}

void TPeqBandTable::CloseEditor(bool confirm) {
  if (!FEditor || FEditorRow < 0) return;
  const int row = FEditorRow;
  const TPeqCell cell = FEditorCell;
  SetFieldText(row, cell, FEditor->GetText());
  FEditorRow = -1;
  FEditor->Hide();
  Invalidate();
  if (!confirm) return;
  if (cell == pcFrequency)
    FrequencyExit(row);
  else if (cell == pcQ)
    QfactorExit(row);
  else
    GainExit(row);
}

void TPeqBandTable::OpenTypeList(int row) {
  if (FEditor && FEditor->GetVisible()) CloseEditor(true);
  if (!FTypeList) {
    FTypeList = new TRzComboBox(this);
    FTypeList->SetParent(this);
    FTypeList->SetStyle(csDropDownList);
    FTypeList->OnChange = [this](TObject*) {
      const int row = FTypeListRow;
      Row* r = RowAt(row);
      if (!r || FTypeList->GetItemIndex() < 0) return;
      r->Type = FTypeList->GetItemIndex();
      PeqTypeChange(row);
    };
    FTypeList->OnExit = [this](TObject*) { CloseTypeList(); };
  }
  FTypeListRow = row;
  FTypeList->GetItems()->Clear();
  for (const std::string& t : FShownTypeTexts) FTypeList->GetItems()->Add(t);
  const Row& r = FRows[static_cast<std::size_t>(row)];
  FTypeList->SetItemIndex(r.Type);
  FTypeList->SetBoundsRect(r.Cells[pcType]);
  FTypeList->SetColor(FEditBackColor);
  FTypeList->GetFont()->SetColor(FEditFontColor);
  FTypeList->Show();
  if (FTypeList->CanFocus()) FTypeList->SetFocus();
  FTypeList->SetDroppedDown(true);
}

void TPeqBandTable::CloseTypeList() {
  if (!FTypeList || FTypeListRow < 0) return;
  FTypeListRow = -1;
  FTypeList->Hide();
  Invalidate();
}
