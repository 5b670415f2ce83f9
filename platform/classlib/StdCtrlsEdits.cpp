// The one-line edit and the memo over the toolkit's text widgets.

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/StdCtrlsNative.h"

using stdctrls::FlagScope;
using stdctrls::FromQ;
using stdctrls::ToQ;

namespace {

Qt::Alignment HorizontalOf(TAlignment a) {
  switch (a) {
    case taCenter:
      return Qt::AlignHCenter;
    case taRightJustify:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

// Selection handling of the platform's edit: AutoSelect decides whether Tab
// selects everything, HideSelection whether a selection stays visible while
// the focus is elsewhere.
class EditWidget : public QLineEdit {
 public:
  explicit EditWidget(TCustomEdit* edit) : FEdit(edit) {}

 protected:
  void focusInEvent(QFocusEvent* e) override {
    const int cursor = cursorPosition();
    const int selStart = selectionStart();
    const int selLength = selectionLength();
    QLineEdit::focusInEvent(e);
    if (!Mine()) return;
    const bool tabbed = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
    if (tabbed && !FEdit->GetAutoSelect()) {
      if (selStart >= 0)
        setSelection(selStart, selLength);
      else
        setCursorPosition(cursor);
    }
  }

  void focusOutEvent(QFocusEvent* e) override {
    const int selStart = selectionStart();
    const int selLength = selectionLength();
    const int cursor = cursorPosition();
    QLineEdit::focusOutEvent(e);
    if (!Mine() || FEdit->GetHideSelection() || selStart < 0) return;
    // Keep the selection (drawn in the inactive colours), caret end as it was.
    if (cursor == selStart)
      setSelection(selStart + selLength, -selLength);
    else
      setSelection(selStart, selLength);
  }

 private:
  bool Mine() const { return ControlBridge::ControlOf(this) == FEdit; }
  TCustomEdit* FEdit;
};

// MaxLength limits what the user types or pastes, never the program's text:
// an edit may show a text longer than it lets the user type.
class LengthValidator : public QValidator {
 public:
  LengthValidator(TCustomEdit* edit, QLineEdit* widget) : QValidator(widget), FEdit(edit), FWidget(widget) {}
  State validate(QString& input, int&) const override {
    if (ControlBridge::ControlOf(FWidget) != FEdit) return Acceptable;
    const int max = FEdit->GetMaxLength();
    if (max > 0 && input.size() > max && input.size() > ToQ(FEdit->GetText()).size()) return Invalid;
    return Acceptable;
  }

 private:
  TCustomEdit* FEdit;
  QLineEdit* FWidget;
};

QLineEdit* LineEdit(const TControl* c) {
  return static_cast<QLineEdit*>(c->WidgetIfCreated());
}

}  // namespace

// ---------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

QWidget* TCustomEdit::CreateWidget() {
  auto* e = new EditWidget(this);
  e->setValidator(new LengthValidator(this, e));
  QObject::connect(e, &QLineEdit::textChanged, e, [this, e](const QString& text) {
    if (ControlBridge::ControlOf(e) != this || FSettingText) return;
    CallFromWidget(this, [&] { UserEdited(FromQ(text)); });
  });
  return e;
}

void TCustomEdit::InitWidget() {
  TWinControl::InitWidget();
  QLineEdit* e = LineEdit(this);
  stdctrls::UseStandardStyle(e);
  {
    FlagScope setting(FSettingText);
    e->setText(ToQ(GetText()));
    e->setCursorPosition(0);
  }
  ApplyEditProperties();
  ApplyColors();
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomEdit::ApplyEditProperties() {
  QLineEdit* e = LineEdit(this);
  if (!e) return;
  e->setReadOnly(FReadOnly);
  e->setAlignment(HorizontalOf(FAlignment) | Qt::AlignVCenter);
  e->setEchoMode(FPasswordChar ? QLineEdit::Password : QLineEdit::Normal);
  e->setFrame(FBorderStyle != bsNone);
  e->setPlaceholderText(ToQ(FTextHint));
}

void TCustomEdit::ApplyColors() {
  // A light fill (a locked field's silver) takes dark ink, else the house's
  // pale text vanishes on it.
  if (QWidget* w = WidgetIfCreated())
    stdctrls::ApplyColors(w, GetColor(), stdctrls::ReadableInk(GetColor(), GetFont()->GetColor()),
                          QPalette::Base, QPalette::Text);
}

void TCustomEdit::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TCustomEdit::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

std::string TCustomEdit::CaseOf(const std::string& S) const {
  if (FCharCase == ecNormal) return S;
  QString q = ToQ(S);
  return FromQ(FCharCase == ecUpperCase ? q.toUpper() : q.toLower());
}

void TCustomEdit::TextChanged() {
  TWinControl::TextChanged();
  // The user's text: UserEdited stores it and fires OnChange itself.
  if (FSettingText) return;
  // The program's text: shown as the edit would take it, caret at the start.
  std::string cased = CaseOf(GetText());
  if (cased != GetText()) {
    SetCaption(cased);
    return;
  }
  FModified = false;
  if (QLineEdit* e = LineEdit(this)) {
    FlagScope setting(FSettingText);
    e->setText(ToQ(GetText()));
    e->setCursorPosition(0);
  }
  Change();
}

void TCustomEdit::UserEdited(const std::string& Text) {
  const std::string text = CaseOf(Text);
  const bool changed = text != GetText();
  {
    FlagScope setting(FSettingText);
    if (text != Text) {
      if (QLineEdit* e = LineEdit(this)) {
        int cursor = e->cursorPosition();
        e->setText(ToQ(text));
        e->setCursorPosition(cursor);
      }
    }
    SetCaption(text);
  }
  if (!changed) return;
  FModified = true;
  // Last: the handler may free the edit.
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::KeyPress(char32_t& Key) {
  const char32_t typed = Key;
  TWinControl::KeyPress(Key);
  if (Key == 0) return;
  if (FNumbersOnly && Key >= 0x20 && !(Key >= U'0' && Key <= U'9')) {
    Key = 0;
    return;
  }
  // A handler that replaced the character gets its own character typed.
  if (Key != typed && Key >= 0x20 && !FReadOnly) {
    if (QLineEdit* e = LineEdit(this)) e->insert(QString::fromUcs4(&Key, 1));
    Key = 0;
  }
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  ApplyEditProperties();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  ApplyEditProperties();
}

void TCustomEdit::SetPasswordChar(char32_t Value) {
  FPasswordChar = Value;
  ApplyEditProperties();
}

void TCustomEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  std::string cased = CaseOf(GetText());
  if (cased != GetText()) SetCaption(cased);
}

void TCustomEdit::SetNumbersOnly(bool Value) {
  FNumbersOnly = Value;
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  ApplyEditProperties();
}

void TCustomEdit::SetTextHint(const std::string& Value) {
  FTextHint = Value;
  ApplyEditProperties();
}

int TCustomEdit::GetSelStart() const {
  QLineEdit* e = LineEdit(this);
  if (!e) return 0;
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomEdit::SetSelStart(int Value) {
  if (QLineEdit* e = LineEdit(this))
    e->setCursorPosition(std::clamp(Value, 0, static_cast<int>(e->text().size())));
}

int TCustomEdit::GetSelLength() const {
  QLineEdit* e = LineEdit(this);
  return e && e->hasSelectedText() ? e->selectionLength() : 0;
}

void TCustomEdit::SetSelLength(int Value) {
  QLineEdit* e = LineEdit(this);
  if (!e) return;
  const int start = GetSelStart();
  e->setSelection(start, std::clamp(Value, 0, static_cast<int>(e->text().size()) - start));
}

std::string TCustomEdit::GetSelText() const {
  QLineEdit* e = LineEdit(this);
  return e ? FromQ(e->selectedText()) : std::string();
}

void TCustomEdit::SelectAll() {
  if (QLineEdit* e = LineEdit(this)) e->selectAll();
}

void TCustomEdit::ClearSelection() {
  if (QLineEdit* e = LineEdit(this); e && e->hasSelectedText()) e->del();
}

void TCustomEdit::PressEndKey() {
  std::uint16_t key = VK_END;
  KeyDown(key, TShiftState());
  if (key != 0) {
    if (QLineEdit* e = LineEdit(this)) e->end(false);
  }
  key = VK_END;
  KeyUp(key, TShiftState());
}

// ---------------------------------------------------------------- TCustomMemo

namespace {

class MemoWidget : public QPlainTextEdit {
 public:
  explicit MemoWidget(TCustomMemo* memo) : FMemo(memo) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (ControlBridge::ControlOf(this) == FMemo) {
      const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
      // Without WantReturns, Enter belongs to the form.
      if (enter && !FMemo->GetWantReturns()) {
        e->ignore();
        return;
      }
      const int max = FMemo->GetMaxLength();
      const bool typing = !e->text().isEmpty() && (e->text()[0].isPrint() || enter);
      if (max > 0 && typing && !textCursor().hasSelection() && document()->characterCount() - 1 >= max) {
        e->accept();
        return;
      }
    }
    QPlainTextEdit::keyPressEvent(e);
  }

 private:
  TCustomMemo* FMemo;
};

MemoWidget* Memo(const TControl* c) {
  return static_cast<MemoWidget*>(c->WidgetIfCreated());
}

// The memo's text for its lines: every line ends with a line break, as the
// platform's memo shows a list of lines (the caret goes below the last).
QString JoinLines(const std::vector<std::string>& lines) {
  QString out;
  for (const std::string& l : lines) {
    out += ToQ(l);
    out += QLatin1Char('\n');
  }
  return out;
}

std::vector<std::string> SplitLines(const QString& text) {
  std::vector<std::string> out;
  const QStringList parts = text.split(QLatin1Char('\n'));
  for (const QString& p : parts) out.push_back(FromQ(p));
  // A break at the very end opens no line of its own.
  if (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TWinControl(AOwner), FLines(std::make_unique<TControlStrings>(static_cast<TItemsOwner*>(this))) {
  FLines->SetLineBreak("\r\n");
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomMemo::~TCustomMemo() = default;

QWidget* TCustomMemo::CreateWidget() {
  auto* m = new MemoWidget(this);
  QObject::connect(m, &QPlainTextEdit::textChanged, m, [this, m] {
    if (ControlBridge::ControlOf(m) != this || FSettingText) return;
    CallFromWidget(this, [this] { UserEdited(); });
  });
  return m;
}

void TCustomMemo::InitWidget() {
  TWinControl::InitWidget();
  MemoWidget* m = Memo(this);
  stdctrls::UseStandardStyle(m);
  stdctrls::AddWidgetPart(m, m->viewport());
  stdctrls::UseScrollBarStyle(m);
  ApplyMemoProperties();
  ApplyColors();
  ShowLines();
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (FWantTabs ? DLGC_WANTTAB : 0);
      return;
    case CM_WANTSPECIALKEY:
      Message.Result = Message.WParam == VK_RETURN && FWantReturns ? 1 : 0;
      return;
    default:
      TWinControl::DefaultHandler(Message);
  }
}

void TCustomMemo::ApplyMemoProperties() {
  MemoWidget* m = Memo(this);
  if (!m) return;
  m->setReadOnly(FReadOnly);
  m->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  const bool vert = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const bool horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  m->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  m->setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  m->setTabChangesFocus(!FWantTabs);
  m->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  QTextOption option = m->document()->defaultTextOption();
  option.setAlignment(HorizontalOf(FAlignment));
  m->document()->setDefaultTextOption(option);
}

void TCustomMemo::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  stdctrls::ApplyScrollBarColors(w, GetColor(), GetFont()->GetColor());
  stdctrls::ApplyColors(w, GetColor(), GetFont()->GetColor(), QPalette::Base, QPalette::Text);
}

void TCustomMemo::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TCustomMemo::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

void TCustomMemo::ShowLines() {
  MemoWidget* m = Memo(this);
  if (!m) return;
  FlagScope setting(FSettingText);
  m->document()->setUndoRedoEnabled(false);
  m->setPlainText(JoinLines(FLines->Snapshot()));
  m->document()->setUndoRedoEnabled(true);
}

void TCustomMemo::AppendLine(int Index) {
  MemoWidget* m = Memo(this);
  if (!m) return;
  FlagScope setting(FSettingText);
  m->document()->setUndoRedoEnabled(false);
  QTextCursor cursor(m->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToQ(FLines->Get(Index)) + QLatin1Char('\n'));
  m->document()->setUndoRedoEnabled(true);
}

void TCustomMemo::ItemInserted(int Index) {
  if (FUpdating) {
    FDirty = true;
    return;
  }
  if (Index == FLines->GetCount() - 1)
    AppendLine(Index);
  else
    ShowLines();
  Change();
}

void TCustomMemo::ItemDeleted(int) {
  if (FUpdating) {
    FDirty = true;
    return;
  }
  ShowLines();
  Change();
}

void TCustomMemo::ItemChanged(int Index) {
  ItemDeleted(Index);
}

void TCustomMemo::ItemsCleared() {
  ItemDeleted(0);
}

void TCustomMemo::ItemsUpdating(bool Updating) {
  FUpdating = Updating;
  if (Updating || !FDirty) return;
  FDirty = false;
  ShowLines();
  Change();
}

void TCustomMemo::UserEdited() {
  MemoWidget* m = Memo(this);
  if (!m) return;
  FLines->ReplaceQuietly(SplitLines(m->toPlainText()));
  FModified = true;
  Change();
}

void TCustomMemo::Change() {
  if (OnChange) OnChange(this);
}

std::string TCustomMemo::GetText() const {
  return FLines->GetText();
}

void TCustomMemo::SetText(const std::string& Value) {
  FLines->SetText(Value);
}

void TCustomMemo::TextChanged() {
  TWinControl::TextChanged();
  // Text set through TControl: it becomes the lines.
  if (!FSettingText) FLines->SetText(TControl::GetText());
}

void TCustomMemo::SetReadOnly(bool Value) {
  FReadOnly = Value;
  ApplyMemoProperties();
}

void TCustomMemo::SetWordWrap(bool Value) {
  FWordWrap = Value;
  ApplyMemoProperties();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  ApplyMemoProperties();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  ApplyMemoProperties();
}

void TCustomMemo::SetWantTabs(bool Value) {
  FWantTabs = Value;
  ApplyMemoProperties();
}

void TCustomMemo::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  ApplyMemoProperties();
}

int TCustomMemo::GetSelStart() const {
  MemoWidget* m = Memo(this);
  return m ? m->textCursor().selectionStart() : 0;
}

void TCustomMemo::SetSelStart(int Value) {
  MemoWidget* m = Memo(this);
  if (!m) return;
  QTextCursor c = m->textCursor();
  c.setPosition(std::clamp(Value, 0, m->document()->characterCount() - 1));
  m->setTextCursor(c);
}

int TCustomMemo::GetSelLength() const {
  MemoWidget* m = Memo(this);
  if (!m) return 0;
  QTextCursor c = m->textCursor();
  return c.selectionEnd() - c.selectionStart();
}

void TCustomMemo::SetSelLength(int Value) {
  MemoWidget* m = Memo(this);
  if (!m) return;
  QTextCursor c = m->textCursor();
  const int start = c.selectionStart();
  c.setPosition(start);
  c.setPosition(std::clamp(start + Value, start, m->document()->characterCount() - 1),
                QTextCursor::KeepAnchor);
  m->setTextCursor(c);
}

void TCustomMemo::SelectAll() {
  if (MemoWidget* m = Memo(this)) m->selectAll();
}
