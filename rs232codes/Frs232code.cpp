#include "rs232codes/Frs232code.h"

#include <string>

#include "controls/AdvOfficeImage.h"
#include "controls/rtflabel.h"
#include "platform/classlib/PicturePng.h"
#include "rs232codes/Rs232CodeDocument.h"

TfmRs232Code* fmRs232Code = nullptr;
TfmRs232CodeEnglish* fmRs232CodeEnglish = nullptr;

namespace {

constexpr int kDocumentLeft = 50;
constexpr int kWideFrom = 750;
constexpr int kStep = 30;
constexpr int kClosedWidth = 755;
constexpr int kClosedHeight = 666;

struct ViewerFacts {
  const char* Name;
  const char* Caption;
  int Width;
  int Height;
  int LabelTop;
  int LabelHeight;
};

constexpr ViewerFacts kEnglish = {"fmRs232CodeEnglish", "RS232 Protocal Code", 754, 662, 24, 4850};
constexpr ViewerFacts kChinese = {"fmRs232Code", "232通讯协议控制代码", 746, 661, 8, 5000};

// The windows' icon: a code strip on the house's dark face.
std::unique_ptr<TGraphic> ViewerIcon() {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(32, 32);
  TCanvas* c = bitmap.GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clNone);
  c->FillRect(Rect(0, 0, 32, 32));
  c->Pen->SetColor(RGB(0x3A, 0x42, 0x4C));
  c->Brush->SetColor(RGB(0x1E, 0x22, 0x28));
  c->RoundRect(0, 0, 32, 32, 8, 8);
  const TColor bars[] = {RGB(0x54, 0x88, 0xD0), RGB(0xE6, 0x94, 0x3A), RGB(0x3C, 0xB2, 0xA8)};
  for (int i = 0; i < 3; ++i) {
    c->Pen->SetColor(bars[i]);
    c->Brush->SetColor(bars[i]);
    c->RoundRect(5 + i * 8, 9, 11 + i * 8, 23, 3, 3);
  }
  auto png = std::make_unique<TPngImage>();
  png->SetImage(bitmap.GetImage());
  return png;
}

}  // namespace

TfmRs232Code::TfmRs232Code(TComponent* AOwner) : TfmRs232Code(AOwner, false) {}

TfmRs232Code::TfmRs232Code(TComponent* AOwner, bool English) : TForm(AOwner), FEnglish(English) {
  const ViewerFacts& facts = English ? kEnglish : kChinese;
  // Built as form data would load it: the controls' Loaded runs at the end.
  BeginLoad();
  SetName(facts.Name);
  SetVisible(false);
  SetCaption(facts.Caption);
  SetBorderStyle(bsSizeable);
  SetPosition(poDesktopCenter);
  SetColor(clWindow);
  SetBounds(0, 0, facts.Width, facts.Height);
  SetAutoScroll(true);
  GetVertScrollBar()->SetIncrement(kStep);
  GetHorzScrollBar()->SetIncrement(kStep);
  {
    const std::unique_ptr<TGraphic> icon = ViewerIcon();
    SetIcon(icon.get());
  }

  RTFLabel = new TRTFLabel(this);
  RTFLabel->SetName("RTFLabel");
  RTFLabel->SetParent(this);
  RTFLabel->SetBounds(kDocumentLeft, facts.LabelTop, Rs232CodeDocumentWidth, facts.LabelHeight);
  RTFLabel->SetTransparent(true);
  RTFLabel->SetWordWrap(false);

  const auto& places = Rs232CodePicturePlaces(GetTextSet());
  for (int i = 0; i < Rs232CodePictureCount; ++i) {
    auto* image = new TAdvOfficeImage(this);
    image->SetName("AdvOfficeImage" + std::to_string(i + 1));
    image->SetParent(this);
    const TRs232PicturePlace& place = places[static_cast<std::size_t>(i)];
    image->SetBounds(kDocumentLeft, facts.LabelTop + place.Top, Rs232CodeDocumentWidth, place.Height);
    FImages[static_cast<std::size_t>(i)] = image;
  }
  EndLoad();

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnResize = [this](TObject* Sender) { FormResize(Sender); };
  OnKeyDown = [this](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    FormKeyDown(Sender, Key, Shift);
  };
  OnMouseWheelUp = [this](TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) {
    FormMouseWheelUp(Sender, Shift, MousePos, Handled);
  };
  OnMouseWheelDown = [this](TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) {
    FormMouseWheelDown(Sender, Shift, MousePos, Handled);
  };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

TfmRs232Code::~TfmRs232Code() {
  if (fmRs232Code == this) fmRs232Code = nullptr;
}

void TfmRs232Code::LoadDocument() {
  if (FDocumentLoaded) return;
  FDocumentLoaded = true;
  const TRs232TextSet set = GetTextSet();
  RTFLabel->SetRichText(Rs232CodeRichText(set));
  for (int i = 0; i < Rs232CodePictureCount; ++i)
    FImages[static_cast<std::size_t>(i)]->GetPicture()->LoadFromBytes(Rs232CodePicture(set, i));
}

int TfmRs232Code::DocumentLeft(int FormWidth) {
  return FormWidth < kWideFrom ? kDocumentLeft : kDocumentLeft + (FormWidth - kWideFrom) / 2;
}

void TfmRs232Code::FormShow(TObject*) {
  LoadDocument();
  if (FTextOwner) SetCaption(FTextOwner->GetLangText("SID_RS232_CODE"));
}

void TfmRs232Code::FormResize(TObject*) {
  if (!RTFLabel) return;
  // The edge is in unscrolled coordinates; the children sit scrolled.
  RTFLabel->SetLeft(DocumentLeft(GetWidth()) - GetHorzScrollBar()->GetPosition());
  for (TAdvOfficeImage* image : FImages)
    if (image) image->SetLeft(RTFLabel->GetLeft());
}

void TfmRs232Code::ScrollVertical(int Delta) {
  TControlScrollBar* bar = GetVertScrollBar();
  bar->SetPosition(bar->GetPosition() + Delta);
}

void TfmRs232Code::ScrollHorizontal(int Delta) {
  TControlScrollBar* bar = GetHorzScrollBar();
  bar->SetPosition(bar->GetPosition() + Delta);
}

void TfmRs232Code::FormKeyDown(TObject*, std::uint16_t& Key, TShiftState) {
  switch (Key) {
    case VK_PRIOR:
      ScrollVertical(-GetHeight());
      break;
    case VK_NEXT:
      ScrollVertical(GetHeight());
      break;
    case VK_UP:
      ScrollVertical(-kStep);
      break;
    case VK_DOWN:
      ScrollVertical(kStep);
      break;
    case VK_LEFT:
      ScrollHorizontal(-kStep);
      break;
    case VK_RIGHT:
      ScrollHorizontal(kStep);
      break;
    default:
      break;
  }
}

// Handled: left unhandled, the form would scroll once more by its own step.
void TfmRs232Code::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool& Handled) {
  ScrollVertical(-kStep);
  Handled = true;
}

void TfmRs232Code::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool& Handled) {
  ScrollVertical(kStep);
  Handled = true;
}

void TfmRs232Code::FormClose(TObject*, TCloseAction&) {
  SetHeight(kClosedHeight);
  SetWidth(kClosedWidth);
  SetWindowState(wsNormal);
}

TfmRs232CodeEnglish::TfmRs232CodeEnglish(TComponent* AOwner) : TfmRs232Code(AOwner, true) {}

TfmRs232CodeEnglish::~TfmRs232CodeEnglish() {
  if (fmRs232CodeEnglish == this) fmRs232CodeEnglish = nullptr;
}
