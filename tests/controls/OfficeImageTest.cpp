// The picture image and its hint description: where the picture goes
// (centred with offsets truncated toward zero, in the corner, stretched),
// repaints only on a change, the design-time frame, enter and leave events
// at run time only, a picture that does not decode, and the hint's
// emptiness and assignment.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <vector>

#include "controls/AdvOfficeImage.h"
#include "platform/classlib/PicturePng.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

class ProbeImage : public TAdvOfficeImage {
 public:
  using TAdvOfficeImage::MouseEnter;
  using TAdvOfficeImage::MouseLeave;
  using TAdvOfficeImage::TAdvOfficeImage;
  void Design(bool On) { SetDesigning(On); }
  int Paints = 0;

 protected:
  void PaintPicture(TCanvas* ACanvas) override {
    ++Paints;
    TAdvOfficeImage::PaintPicture(ACanvas);
  }
};

std::vector<std::uint8_t> SolidPng(int w, int h, TColor colour) {
  TBitmap bitmap(w, h);
  bitmap.GetCanvas()->Brush->SetColor(colour);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, w, h));
  TPngImage png;
  png.SetImage(bitmap.GetImage());
  return png.SaveToBytes();
}

// The control drawn on white.
QImage Drawn(TControl* control) {
  TBitmap sheet(control->GetWidth(), control->GetHeight());
  sheet.GetCanvas()->Brush->SetColor(clWhite);
  sheet.GetCanvas()->FillRect(Rect(0, 0, control->GetWidth(), control->GetHeight()));
  control->PaintTo(sheet.GetCanvas(), 0, 0);
  return sheet.GetImage();
}

bool IsRed(const QImage& image, int x, int y) {
  return (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
}

}  // namespace

TEST(OfficeImage, PictureOrigin) {
  struct Case {
    int cw, ch, pw, ph;
    bool center;
    TPoint at;
  };
  const Case kCases[] = {
      {630, 113, 538, 69, true, TPoint(46, 22)}, {100, 10, 105, 10, true, TPoint(-2, 0)},
      {100, 10, 106, 13, true, TPoint(-3, -1)},  {630, 113, 538, 69, false, TPoint(0, 0)},
      {630, 58, 600, 46, true, TPoint(15, 6)},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(TAdvOfficeImage::PictureOrigin(c.cw, c.ch, c.pw, c.ph, c.center), c.at) << c.pw;
}

TEST(OfficeImage, DrawsCentredInTheCornerOrStretched) {
  FormStage s;
  auto* image = s.Add<ProbeImage>(0, 0, 630, 113);
  EXPECT_TRUE(image->GetCenter());
  EXPECT_FALSE(image->GetStretch());
  image->GetPicture()->LoadFromBytes(SolidPng(538, 69, clRed));
  QImage drawn = Drawn(image);
  EXPECT_TRUE(IsRed(drawn, 46, 22));
  EXPECT_TRUE(IsRed(drawn, 46 + 537, 22 + 68));
  EXPECT_FALSE(IsRed(drawn, 45, 22));
  EXPECT_FALSE(IsRed(drawn, 46, 21));
  EXPECT_FALSE(IsRed(drawn, 46 + 538, 22));

  image->SetCenter(false);
  drawn = Drawn(image);
  EXPECT_TRUE(IsRed(drawn, 0, 0));
  EXPECT_FALSE(IsRed(drawn, 538, 0));

  image->SetCenter(true);
  image->SetStretch(true);
  drawn = Drawn(image);
  EXPECT_TRUE(IsRed(drawn, 0, 0));
  EXPECT_TRUE(IsRed(drawn, 629, 112));
}

TEST(OfficeImage, RepaintsOnlyOnAChange) {
  FormStage s;
  auto* image = s.Add<ProbeImage>(10, 10, 120, 60);
  image->GetPicture()->LoadFromBytes(SolidPng(20, 20, clRed));
  s.form->Show();
  ASSERT_TRUE(WaitFor("the first paint", [&] { return image->Paints > 0; }));
  DrainEvents();
  const int before = image->Paints;
  image->SetStretch(false);
  image->SetCenter(true);
  DrainEvents();
  EXPECT_EQ(image->Paints, before);
  image->SetStretch(true);
  EXPECT_TRUE(WaitFor("a repaint", [&] { return image->Paints > before; }));
  s.form->Hide();
}

TEST(OfficeImage, EmptyAndUndecodablePictures) {
  FormStage s;
  auto* image = s.Add<ProbeImage>(0, 0, 40, 30);
  QImage drawn = Drawn(image);
  EXPECT_EQ(drawn.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  // At design time an empty picture shows a dotted blue frame.
  image->Design(true);
  drawn = Drawn(image);
  int blue = 0;
  for (int x = 0; x < 40; ++x) blue += (drawn.pixel(x, 0) & 0xFFFFFF) == 0x0000FF;
  EXPECT_GT(blue, 5);
  EXPECT_LT(blue, 40) << "dotted, not solid";
  image->Design(false);

  const std::uint8_t junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  image->GetPicture()->LoadFromBytes(junk, sizeof junk);
  EXPECT_FALSE(image->GetPicture()->GetEmpty());
  drawn = Drawn(image);
  EXPECT_EQ(image->GetPicture()->GetWidth(), 0);
  EXPECT_EQ(image->GetPicture()->GetHeight(), 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(drawn.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(OfficeImage, EnterAndLeaveAtRunTimeOnly) {
  FormStage s;
  auto* image = s.Add<ProbeImage>(0, 0, 40, 30);
  image->OnMouseEnter = [&](TObject* sender) { s.log.push_back(sender == image ? "enter" : "?"); };
  image->OnMouseLeave = [&](TObject* sender) { s.log.push_back(sender == image ? "leave" : "?"); };
  image->MouseEnter();
  image->MouseLeave();
  image->Design(true);
  image->MouseEnter();
  image->MouseLeave();
  EXPECT_EQ(s.log, (std::vector<std::string>{"enter", "leave"}));
}

TEST(OfficeImage, VersionAndDefaults) {
  FormStage s;
  auto* image = s.Add<ProbeImage>(0, 0, 40, 30);
  EXPECT_EQ(image->GetVersion(), "1.1.0.0");
  image->SetVersion("2.0.0.0");
  EXPECT_EQ(image->GetVersion(), "1.1.0.0");
  EXPECT_EQ(image->GetVersionNr(), 0x01010000u);
  EXPECT_FALSE(image->GetShowHint());
  EXPECT_TRUE(image->GetTransparentSurface());
  ProbeImage fresh(nullptr);
  EXPECT_EQ(fresh.GetWidth(), 128);
  EXPECT_EQ(fresh.GetHeight(), 128);
}

TEST(OfficeImage, HintInfoEmptinessAndAssignment) {
  App();
  TAdvHintInfo hint;
  EXPECT_TRUE(hint.IsEmpty());
  hint.GetPicture()->LoadFromBytes(SolidPng(4, 4, clRed));
  EXPECT_TRUE(hint.IsEmpty()) << "the picture does not count";
  hint.GetNotes()->Add("a note");
  EXPECT_FALSE(hint.IsEmpty());

  hint.SetTitle("Title");
  hint.SetShowHelp(true);
  hint.SetWideTitle("宽标题");
  hint.SetWideNotes("notes");
  TAdvHintInfo copy;
  copy.Assign(&hint);
  EXPECT_EQ(copy.GetTitle(), "Title");
  EXPECT_EQ(copy.GetNotes()->GetText(), hint.GetNotes()->GetText());
  EXPECT_TRUE(copy.GetShowHelp());
  EXPECT_EQ(copy.GetWideTitle(), "宽标题");
  EXPECT_EQ(copy.GetWideNotes(), "notes");
  EXPECT_EQ(copy.GetPicture()->GetBytes(), hint.GetPicture()->GetBytes());

  TStringList other;
  copy.Assign(&other);
  EXPECT_EQ(copy.GetTitle(), "Title");

  FormStage s;
  auto* image = s.Add<ProbeImage>(0, 0, 40, 30);
  image->SetOfficeHint(&hint);
  EXPECT_EQ(image->GetOfficeHint()->GetTitle(), "Title");
  EXPECT_NE(image->GetOfficeHint(), &hint);
}
