#include "platform/classlib/ComCtrls.h"

#include <QTimer>

#include <algorithm>

#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Printers.h"

namespace {

// First repeat after the platform's keyboard delay, then at its rate.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 80;

}  // namespace

// ---------------------------------------------------------------- TCustomUpDown

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TCustomControl(AOwner) {
  // OnClick comes from the arrows, not from mouse-up.
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque});
  SetBounds(0, 0, 17, 25);
  SetParentColor(false);
  SetColor(clBtnFace);
}

TCustomUpDown::~TCustomUpDown() {
  FLife->alive = false;
  if (!FRepeat) return;
  FRepeat->stop();
  // Freed from its own repeat: the timer is still inside its tick.
  if (FLife->ticking > 0)
    FRepeat->deleteLater();
  else
    delete FRepeat;
}

void TCustomUpDown::SetOrientation(TUDOrientation Value) {
  FOrientation = Value;
  Invalidate();
}

TUDBtnType TCustomUpDown::ButtonAt(int X, int Y) const {
  if (FOrientation == udVertical) return Y < GetHeight() / 2 ? btNext : btPrev;
  return X >= GetWidth() / 2 ? btNext : btPrev;
}

bool TCustomUpDown::CanChange(int NewValue, int Delta) {
  bool allow = true;
  TUpDownDirection direction = Delta < 0 ? updDown : updUp;
  if ((NewValue < FMin && Delta < 0) || (NewValue > FMax && Delta > 0)) direction = updNone;
  if (OnChanging) OnChanging(this, allow);
  if (OnChangingEx) OnChangingEx(this, allow, NewValue, direction);
  return allow;
}

void TCustomUpDown::Click(TUDBtnType Button) {
  if (OnClick) OnClick(this, Button);
}

void TCustomUpDown::Step(TUDBtnType Button) {
  const int delta = Button == btNext ? FIncrement : -FIncrement;
  const int proposed = FPosition + delta;
  if (!CanChange(proposed, delta)) return;
  int next = proposed;
  if (next > FMax) next = FWrap ? FMin : FMax;
  if (next < FMin) next = FWrap ? FMax : FMin;
  if (next == FPosition) return;
  FPosition = next;
  Click(Button);
}

void TCustomUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  std::shared_ptr<LifeState> life = FLife;
  FPressed = true;
  FOverPressed = true;
  FPressedButton = ButtonAt(X, Y);
  Invalidate();
  Step(FPressedButton);
  if (!life->alive || !FPressed) return;
  if (!FRepeat) {
    FRepeat = new QTimer();
    std::weak_ptr<LifeState> weak = FLife;
    QObject::connect(FRepeat, &QTimer::timeout, [this, weak] {
      std::shared_ptr<LifeState> state = weak.lock();
      if (!state || !state->alive) return;
      ++state->ticking;
      CallGuarded(this, [this] { RepeatStep(); });
      --state->ticking;
    });
  }
  FRepeat->start(kRepeatDelayMs);
}

void TCustomUpDown::RepeatStep() {
  if (!FPressed) return;
  FRepeat->start(kRepeatIntervalMs);
  // Held outside the arrow it pauses, as the platform's arrows do.
  if (FOverPressed) Step(FPressedButton);
}

void TCustomUpDown::StopRepeat() {
  if (FRepeat) FRepeat->stop();
  if (FPressed) {
    FPressed = false;
    Invalidate();
  }
}

void TCustomUpDown::MouseMove(TShiftState Shift, int X, int Y) {
  if (FPressed) {
    bool over = GetClientRect().Contains(TPoint(X, Y)) && ButtonAt(X, Y) == FPressedButton;
    if (over != FOverPressed) {
      FOverPressed = over;
      Invalidate();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) StopRepeat();
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomUpDown::EnabledChanged() {
  if (!GetEnabled()) StopRepeat();
  TCustomControl::EnabledChanged();
}

void TCustomUpDown::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (!FArrowKeys || Key == 0) return;
  const bool vertical = FOrientation == udVertical;
  if (Key == (vertical ? VK_UP : VK_RIGHT)) {
    Step(btNext);
    Key = 0;
  } else if (Key == (vertical ? VK_DOWN : VK_LEFT)) {
    Step(btPrev);
    Key = 0;
  }
}

void TCustomUpDown::Paint() {
  TCanvas* c = GetCanvas();
  const TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  const int w = GetWidth();
  const int h = GetHeight();
  const bool vertical = FOrientation == udVertical;
  // The two arrows: next is the upper (or right) half.
  const TRect next = vertical ? TRect(0, 0, w, h / 2) : TRect(w - w / 2, 0, w, h);
  const TRect prev = vertical ? TRect(0, h / 2, w, h) : TRect(0, 0, w - w / 2, h);
  const TColor shadow = BevelShadow(face);
  // A disabled arrow fades towards the face, whatever the face's shade.
  const TColor text = ColorToRGB(GetFont()->GetColor());
  const TColor back = ColorToRGB(face);
  auto dim = [](int t, int b) { return b + (t - b) * 35 / 100; };
  const TColor arrowColor =
      GetEnabled() ? text
                   : RGB(dim(GetRValue(text), GetRValue(back)), dim(GetGValue(text), GetGValue(back)),
                         dim(GetBValue(text), GetBValue(back)));
  auto button = [&](const TRect& r, TUDBtnType which) {
    const bool down = FPressed && FOverPressed && FPressedButton == which;
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(down ? shadow : face);
    c->FillRect(r);
    c->Brush->SetColor(shadow);
    c->FrameRect(r);
    // A small solid triangle in the middle of the half.
    const int size = std::max(2, std::min(r.Width(), r.Height()) / 4);
    const int cx = (r.Left + r.Right) / 2 + (down ? 1 : 0);
    const int cy = (r.Top + r.Bottom) / 2 + (down ? 1 : 0);
    std::vector<TPoint> tri;
    if (vertical) {
      const int base = which == btNext ? cy + size / 2 : cy - size / 2;
      const int apex = which == btNext ? base - size : base + size;
      tri = {{cx - size, base}, {cx + size, base}, {cx, apex}};
    } else {
      const int base = which == btNext ? cx - size / 2 : cx + size / 2;
      const int apex = which == btNext ? base + size : base - size;
      tri = {{base, cy - size}, {base, cy + size}, {apex, cy}};
    }
    c->Pen->SetColor(arrowColor);
    c->Brush->SetColor(arrowColor);
    c->Polygon(tri);
  };
  button(next, btNext);
  button(prev, btPrev);
}

// ---------------------------------------------------------------- TStatusBar

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csOpaque});
  SetBounds(0, 0, 200, 19);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == FSimplePanel) return;
  FSimplePanel = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (Value == FSimpleText) return;
  FSimpleText = Value;
  Invalidate();
}

void TStatusBar::Paint() {
  TCanvas* c = GetCanvas();
  const TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(face);
  c->FillRect(GetClientRect());
  c->Pen->SetColor(BevelShadow(face));
  c->MoveTo(0, 0);
  c->LineTo(GetWidth(), 0);
  if (!FSimplePanel || FSimpleText.empty()) return;
  c->Font->Assign(GetFont());
  c->Brush->SetStyle(bsClear);
  TRect r(4, 1, GetWidth() - 4, GetHeight());
  c->DrawText(FSimpleText, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// ---------------------------------------------------------------- TCustomRichEdit

const TRichDocument& TCustomRichEdit::GetDocument() {
  std::vector<std::string> lines;
  const int count = GetLines()->GetCount();
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(GetLines()->Get(i));
  if (lines != FDocumentLines) {
    FDocument = TRichDocument::FromLines(lines, GetDefaultCharFormat());
    FDocumentLines = std::move(lines);
  }
  return FDocument;
}

namespace {

// The code points of a UTF-8 text from the code point At on.
std::string FromCodePoint(const std::string& Text, int At) {
  std::size_t i = 0;
  for (int n = 0; n < At && i < Text.size(); ++n) {
    ++i;
    while (i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80) ++i;
  }
  return Text.substr(i);
}

int CodePoints(const std::string& Text) {
  int n = 0;
  for (unsigned char c : Text) n += (c & 0xC0) != 0x80;
  return n;
}

// The document from character position At on (a paragraph's end counts one).
TRichDocument DocumentFrom(const TRichDocument& Document, int At) {
  TRichDocument rest;
  for (const TRichParagraph& p : Document.Paragraphs) {
    const int length = CodePoints(p.PlainText()) + 1;
    if (At >= length) {
      At -= length;
      continue;
    }
    TRichParagraph part{p.Format, {}};
    for (const TRichRun& r : p.Runs) {
      const int runLength = CodePoints(r.Text);
      if (At >= runLength) {
        At -= runLength;
        continue;
      }
      part.Runs.push_back({FromCodePoint(r.Text, At), r.Format});
      At = 0;
    }
    rest.Paragraphs.push_back(std::move(part));
    At = 0;
  }
  return rest;
}

}  // namespace

void TCustomRichEdit::Print(const std::string& Caption) {
  TPrinter* printer = Printer();
  printer->SetTitle(Caption);
  printer->BeginDoc();
  try {
    TCanvas* canvas = printer->GetCanvas();
    const TRect area(0, 0, printer->GetPageWidth() * 1440 / canvas->GetPixelsPerInchX(),
                     printer->GetPageHeight() * 1440 / canvas->GetPixelsPerInchY());
    TRichDocument rest = GetDocument();
    for (;;) {
      const int length = rest.Length();
      const int next = FormatRichDocument(canvas, rest, area, true);
      // All printed, or a line taller than the page: nothing more can go.
      if (next >= length || next <= 0) break;
      rest = DocumentFrom(rest, next);
      printer->NewPage();
    }
  } catch (...) {
    printer->EndDoc();
    throw;
  }
  printer->EndDoc();
}

void TCustomRichEdit::SetDocument(TRichDocument Document) {
  FDocument = std::move(Document);
  FDocumentLines = FDocument.PlainLines();
  TStrings* lines = GetLines();
  lines->BeginUpdate();
  lines->Clear();
  for (const std::string& line : FDocumentLines) lines->Add(line);
  lines->EndUpdate();
}

TRichCharFormat TCustomRichEdit::GetDefaultCharFormat() const {
  const TFont* font = GetFont();
  TRichCharFormat f;
  f.FontName = font->GetName();
  f.HalfPoints = std::max(1, font->GetSize() * 2);
  const TFontStyles style = font->GetStyle();
  f.Bold = style.Contains(fsBold);
  f.Italic = style.Contains(fsItalic);
  f.Underline = style.Contains(fsUnderline);
  f.Strike = style.Contains(fsStrikeOut);
  f.Color = font->GetColor() == clWindowText ? clNone : font->GetColor();
  return f;
}

void TCustomRichEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case EM_SETBKGNDCOLOR: {
      const TColor old = FBackgroundColor;
      FBackgroundColor = Message.WParam != 0 ? clWindow : static_cast<TColor>(Message.LParam);
      Message.Result = static_cast<LRESULT>(ColorToRGB(old));
      return;
    }
    case EM_FORMATRANGE: {
      auto* range = reinterpret_cast<TFormatRange*>(Message.LParam);
      if (!range) {
        Message.Result = 0;
        return;
      }
      Message.Result = FormatRichDocument(range->hdc, GetDocument(), range->rc, Message.WParam != 0);
      return;
    }
    default:
      TCustomMemo::DefaultHandler(Message);
  }
}
