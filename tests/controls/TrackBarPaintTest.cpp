// Painting of the fader: the groove's band gradient, the thumb in its
// states (drawn shape and picture), the completed part, the focus rectangle,
// the rating row and the drag hint.

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/AdvTrackBarDraw.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

TColor At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

QImage Shot(TControl* c) {
  DrainEvents();
  return c->GetWidget()->grab().toImage();
}

TAdvTrackBar* Fader(FormStage& stage, int pos) {
  auto* f = stage.Add<TAdvTrackBar>("fader", 20, 20, 150, 26);
  f->SetOrientation(trVertical);
  f->SetBounds(20, 20, 27, 167);
  f->GetThumb()->SetSize(16);
  f->GetThumb()->SetWidth(29);
  f->GetSlider()->SetSize(3);
  f->GetSlider()->SetBorderColor(clMedGray);
  f->GetTickMark()->SetStyle(tsNone);
  f->SetShowFocus(true);
  f->SetPosition(pos);
  return f;
}

TEST(TrackBarDrawing, GrooveBandsLandOnTheColumnsOfBands5_14And19) {
  const auto bands = GradientBands(clWhite, clBlack, true, Rect(13, 3, 16, 164), 20);
  ASSERT_EQ(bands.size(), 20u);
  // The last band drawn over each column decides its colour.
  TColor column[3] = {clNone, clNone, clNone};
  for (const auto& b : bands)
    for (int x = b.Rect.Left; x < b.Rect.Right; ++x)
      if (x >= 13 && x < 16) column[x - 13] = b.Color;
  EXPECT_EQ(column[0], RGB(191, 191, 191));
  EXPECT_EQ(column[1], RGB(77, 77, 77));
  EXPECT_EQ(column[2], RGB(13, 13, 13));
  EXPECT_EQ(GradientBands(clWhite, clBlack, false, Rect(0, 0, 10, 10), 0).size(), 1u);
  EXPECT_EQ(BlendColor(clWhite, clBlack, 10), RGB(26, 26, 26));
  EXPECT_EQ(BlendColor(clRed, clBlue, 100), clRed);
  EXPECT_EQ(BlendColor(clRed, clBlue, 0), clBlue);
}

TEST(TrackBarDrawing, ThumbPolygons) {
  const TRect r = Rect(0, 0, 10, 20);
  EXPECT_EQ(TriangleThumbPoints(r, 4), (std::vector<TPoint>{{0, 10}, {5, 0}, {10, 10}, {5, 20}}));
  EXPECT_EQ(PointerLeftUpThumbPoints(r, 0), PointerRightUpThumbPoints(r, 1));
  // A vertical pointer with ticks on the right: the point's apex at (R, B - h).
  EXPECT_EQ(PointerThumbPoints(Rect(6, 135, 22, 164), tmBottomRight, true),
            (std::vector<TPoint>{{6, 135}, {8, 135}, {22, 150}, {8, 164}, {6, 164}}));
}

TEST(TrackBarLook, ThumbChangesWithHotPressedAndDisabled) {
  FormStage stage;
  auto* f = Fader(stage, 0);
  ShowAndActivate(stage.form);
  PointerIn(stage.form);
  const TRect t = f->ThumbRectAt(0);
  const int x = t.Left + 3, y = t.Top + 8;
  const TColor normal = At(Shot(f), x, y);
  Move(f, x, y);
  ASSERT_TRUE(f->GetThumbHot());
  const TColor hot = At(Shot(f), x, y);
  Press(f, x, y);
  const TColor pressed = At(Shot(f), x, y);
  Release(f, x, y);
  Move(stage.form, 380, 280);
  f->SetEnabled(false);
  const TColor disabled = At(Shot(f), x, y);
  EXPECT_NE(normal, hot);
  EXPECT_NE(hot, pressed);
  EXPECT_NE(normal, pressed);
  EXPECT_EQ(disabled, clBlack);  // the disabled colours are black
}

TEST(TrackBarLook, APictureOnlyThumbShowsInEveryState) {
  FormStage stage;
  auto* f = Fader(stage, 0);
  TBitmap bmp(16, 29);
  bmp.GetCanvas()->Brush->SetColor(clFuchsia);
  bmp.GetCanvas()->FillRect(Rect(0, 0, 16, 29));
  bmp.GetCanvas()->Brush->SetColor(RGB(200, 120, 40));
  bmp.GetCanvas()->FillRect(Rect(2, 2, 14, 27));
  TGDIPPicture picture;
  picture.LoadFromBytes(bmp.SaveToBytes());
  f->GetThumb()->SetPicture(&picture);
  f->GetThumb()->SetWidth(50);  // ignored while a picture is set
  EXPECT_EQ(f->GetThumb()->GetWidth(), 29);
  ShowAndActivate(stage.form);
  PointerIn(stage.form);
  const TRect t = f->ThumbRectAt(0);
  EXPECT_EQ(At(Shot(f), t.Left + 8, t.Top + 14), RGB(200, 120, 40));
  EXPECT_NE(At(Shot(f), t.Left, t.Top), clFuchsia);  // the key colour stays undrawn
  Move(f, t.Left + 8, t.Top + 14);
  Press(f, t.Left + 8, t.Top + 14);
  EXPECT_EQ(At(Shot(f), t.Left + 8, t.Top + 14), RGB(200, 120, 40));
  Release(f, t.Left + 8, t.Top + 14);
  f->SetEnabled(false);
  EXPECT_EQ(At(Shot(f), t.Left + 8, t.Top + 14), RGB(200, 120, 40));
}

TEST(TrackBarLook, ThumbHiddenAtTheEndsAndCompletedPartBelowIt) {
  FormStage stage;
  auto* f = Fader(stage, 0);
  f->GetSlider()->SetColorCompleted(clRed);
  f->GetSlider()->SetBorder3D(false);  // the 3D lines would cover all three columns
  f->GetThumb()->SetShowAtMinMax(false);
  stage.form->Show();
  const TRect atMin = f->ThumbRectAt(0);
  const TColor emptyAtMin = At(Shot(f), atMin.Left + 2, atMin.Top + 10);
  f->SetPosition(5);
  const TRect mid = f->ThumbRectAt(5);
  QImage shot = Shot(f);
  EXPECT_NE(At(shot, mid.Left + 2, mid.Top + 10), emptyAtMin);  // the thumb shows in between
  EXPECT_EQ(At(shot, 14, mid.Bottom + 10), clRed);              // completed below the thumb
  EXPECT_NE(At(shot, 14, mid.Top - 10), clRed);                 // the rest above it
  f->SetPosition(10);
  shot = Shot(f);
  EXPECT_EQ(At(shot, 14, 10), clRed);  // at Max all of the groove is completed
}

TEST(TrackBarLook, FocusRectangleIsDottedBlackRoundTheControl) {
  FormStage stage;
  auto* f = Fader(stage, 0);
  f->SetTransparent(false);
  f->SetColor(clWhite);
  ShowAndActivate(stage.form);
  f->SetFocus();
  PumpUntil([f] { return f->Focused(); }, 3000);
  QImage shot = Shot(f);
  EXPECT_EQ(At(shot, 0, 60), clBlack);
  EXPECT_NE(At(shot, 0, 61), clBlack);
}

// Where the fader paints nothing, the parent shows: its colour and the
// graphic controls lying behind the fader. An opaque fader with a colour
// covers them.
TEST(TrackBarLook, LeavesTheParentVisibleWhereItPaintsNothing) {
  FormStage stage;
  constexpr TColor strip = RGB(0x2A, 0x30, 0x38), mark = RGB(0xC0, 0x40, 0x20);
  auto* panel = stage.Add<TPanel>("strip", 10, 10, 120, 220);
  panel->SetColor(strip);
  panel->SetBevelOuter(bvNone);
  auto* shape = stage.Add<TShape>(nullptr, 0, 100, 120, 10, panel);
  shape->GetBrush()->SetColor(mark);
  shape->GetPen()->SetColor(mark);
  auto* f = Fader(stage, 0);
  f->SetName("seeThrough");
  f->SetParent(panel);
  auto* opaque = Fader(stage, 0);
  opaque->SetParent(panel);
  opaque->SetBounds(70, 20, 27, 167);
  opaque->SetTransparent(false);
  opaque->SetColor(clWhite);
  stage.form->Show();
  DrainEvents();
  QImage shot = stage.form->GetWidget()->grab().toImage();
  const int px = 10 + 20 + 2, py = 10 + 20 + 30;  // left of the groove, above the thumb
  EXPECT_EQ(At(shot, px, py), strip);
  EXPECT_EQ(At(shot, px, 10 + 105), mark);  // the shape behind the fader
  EXPECT_EQ(At(shot, 10 + 70 + 2, py), clWhite);
  EXPECT_EQ(At(shot, 10 + 70 + 2, 10 + 105), clWhite);
  // A fader that is not transparent but has no colour still shows the parent.
  opaque->SetColor(clNone);
  DrainEvents();
  shot = stage.form->GetWidget()->grab().toImage();
  EXPECT_EQ(At(shot, 10 + 70 + 2, py), strip);
}

// The rounded groove and a triangle thumb fill only inside their outlines:
// the corners of the groove and the thumb's rectangle beyond the triangle
// keep the parent.
TEST(TrackBarLook, RoundedGrooveAndTriangleThumbFillOnlyTheirShapes) {
  FormStage stage;
  constexpr TColor parent = RGB(0x2A, 0x30, 0x38);
  stage.form->SetColor(parent);
  auto* f = Fader(stage, 5);
  f->SetBounds(20, 20, 40, 167);
  TTrackBarSlider* sl = f->GetSlider();
  sl->SetSize(12);
  sl->SetRounded(true);
  sl->SetBorderColor(clNone);
  sl->SetColor(clRed);
  sl->SetColorTo(clNone);
  TTrackBarThumb* t = f->GetThumb();
  t->SetShape(tsTriangleRight);  // apex at the bottom's middle on a vertical fader
  t->SetColor(clBlue);
  t->SetColorTo(clNone);
  t->SetBorderColor(clNone);
  stage.form->Show();
  DrainEvents();
  QImage shot = stage.form->GetWidget()->grab().toImage();
  const TRect s = f->GetSliderRect();
  EXPECT_EQ(At(shot, 20 + s.Left, 20 + s.Top), parent);
  EXPECT_EQ(At(shot, 20 + (s.Left + s.Right) / 2, 20 + s.Top + 6), clRed);
  const TRect r = f->ThumbRectAt(5);
  EXPECT_EQ(At(shot, 20 + (r.Left + r.Right) / 2, 20 + r.Top + 2), clBlue);
  EXPECT_EQ(At(shot, 20 + r.Left + 1, 20 + r.Bottom - 2), parent);
}

TEST(TrackBarRating, RowsOfPicturesAndReleasesPickTheirIndex) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("rate", 10, 10, 66, 60);
  TBitmap star(16, 16);
  star.GetCanvas()->Brush->SetColor(clYellow);
  star.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  TGDIPPicture on, off;
  on.LoadFromBytes(star.SaveToBytes());
  off.LoadFromBytes(star.SaveToBytes());
  f->SetRateActive(&on);
  f->SetRateInActive(&off);
  f->SetMax(5);
  // A track 60 wide (66 less 3 on each side): items 1 to 3 on the first row.
  const TRect track = f->GetTrackRect();
  ASSERT_EQ(track.Right - track.Left, 60);
  EXPECT_EQ(f->GetRatingRect(1).Top, f->GetRatingRect(3).Top);
  EXPECT_GT(f->GetRatingRect(4).Top, f->GetRatingRect(3).Top);
  EXPECT_EQ(f->GetRatingRect(4).Left, track.Left);
  ShowAndActivate(stage.form);
  PointerIn(stage.form);
  const TRect fourth = f->GetRatingRect(4);
  Press(f, fourth.Left + 4, fourth.Top + 4);
  Release(f, fourth.Left + 4, fourth.Top + 4);
  EXPECT_EQ(f->GetPosition(), 4);
  const TRect first = f->GetRatingRect(1);
  Press(f, first.Left - 2, first.Top + 4);
  Release(f, first.Left - 2, first.Top + 4);
  EXPECT_EQ(f->GetPosition(), 0);
}

TEST(TrackBarHint, ShowsOnlyWhenTheDraggedPositionChanges) {
  FormStage stage;
  auto* f = Fader(stage, 0);
  f->SetMax(132);
  f->SetTrackHint(true);
  std::vector<int> shown;
  f->OnGetTrackHint = [&](TObject*, int pos, std::string& text) {
    shown.push_back(pos);
    text = std::to_string(pos) + " dB";
  };
  ShowAndActivate(stage.form);
  PointerIn(stage.form);
  const TRect t = f->ThumbRectAt(0);
  const int x = (t.Left + t.Right) / 2, y = (t.Top + t.Bottom) / 2;
  Press(f, x, y);
  Move(f, x, y - 5, Qt::LeftButton);
  Move(f, x, y - 5, Qt::LeftButton);
  Move(f, x, y - 6, Qt::LeftButton);
  EXPECT_TRUE(f->GetTrackHintShowing());
  EXPECT_EQ(f->GetTrackHintWindow()->GetText(), "6 dB");
  Release(f, x, y - 6);
  EXPECT_FALSE(f->GetTrackHintShowing());
  EXPECT_EQ(shown, (std::vector<int>{5, 6}));
}

}  // namespace

namespace {

TEST(TrackBarTicks, EveryTickReachesTheHookAtTruncatedOffsets) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("ticks", 10, 10, 150, 26);
  std::vector<std::pair<int, int>> seen;  // position, x
  f->OnDrawTick = [&](TObject*, TCanvas*, TPoint at, int pos, TTickMark side, int&, TColor&, TColor&,
                      std::string&, bool&) {
    if (side == tmBottomRight) seen.emplace_back(pos, at.X);
  };
  stage.form->Show();
  PumpUntil([&] { return seen.size() >= 11; }, 3000);
  ASSERT_GE(seen.size(), 11u);
  // Track 144 long, thumb 10: 13.4 pixels a position, truncated.
  EXPECT_EQ(seen[0], std::make_pair(0, 8));
  EXPECT_EQ(seen[1], std::make_pair(1, 21));
  EXPECT_EQ(seen[5], std::make_pair(5, 75));
  EXPECT_EQ(seen[10], std::make_pair(10, 142));
}

}  // namespace
