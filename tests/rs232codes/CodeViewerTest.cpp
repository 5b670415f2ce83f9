// The two code-table viewers: the document's left edge on resizing (also
// while scrolled sideways), key and wheel steps clamped at the ends, the
// size after closing a maximised window, the caption from the text owner,
// and the documents themselves: every picture in its gap, no text in a
// picture's rectangle, the last line inside the label.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "Rs232TestTables.h"
#include "controls/AdvOfficeImage.h"
#include "controls/rtflabel.h"
#include "platform/classlib/ControlImage.h"
#include "rs232codes/Frs232code.h"
#include "rs232codes/Rs232CodeDocument.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;
using rs232_test::kBoth;
using rs232_test::LanguageName;

namespace {

std::unique_ptr<TfmRs232Code> MakeViewer(TRs232TextSet set) {
  App();
  if (set == TRs232TextSet::English) return std::make_unique<TfmRs232CodeEnglish>(nullptr);
  return std::make_unique<TfmRs232Code>(nullptr);
}

struct FakeOwner : Rs232TextOwner {
  std::string Language = "English";
  std::string GetLangText(std::string_view key) const override {
    if (key != "SID_RS232_CODE") return "?";
    return Language == "English" ? "RS232 Code Table" : "232通讯协议代码表";
  }
};

int LabelTop(TRs232TextSet set) {
  return set == TRs232TextSet::English ? 24 : 8;
}
int LabelHeight(TRs232TextSet set) {
  return set == TRs232TextSet::English ? 4850 : 5000;
}

}  // namespace

TEST(CodeViewer, FormsKeepTheirDesign) {
  for (TRs232TextSet set : kBoth) {
    SCOPED_TRACE(LanguageName(set));
    auto viewer = MakeViewer(set);
    const bool english = set == TRs232TextSet::English;
    EXPECT_EQ(viewer->GetName(), english ? "fmRs232CodeEnglish" : "fmRs232Code");
    EXPECT_EQ(viewer->GetWidth(), english ? 754 : 746);
    EXPECT_EQ(viewer->GetHeight(), english ? 662 : 661);
    EXPECT_EQ(viewer->GetCaption(), english ? "RS232 Protocal Code" : "232通讯协议控制代码");
    EXPECT_EQ(viewer->GetBorderStyle(), bsSizeable);
    EXPECT_EQ(viewer->GetPosition(), poDesktopCenter);
    EXPECT_EQ(viewer->GetColor(), clWindow);
    EXPECT_TRUE(viewer->GetAutoScroll());
    ASSERT_NE(viewer->GetIcon(), nullptr);
    EXPECT_EQ(viewer->GetIcon()->GetWidth(), 32);

    auto* label = dynamic_cast<TRTFLabel*>(viewer->FindComponent("RTFLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetBoundsRect(), Bounds(50, LabelTop(set), 630, LabelHeight(set)));
    EXPECT_TRUE(label->GetTransparent());
    EXPECT_FALSE(label->GetWordWrap());
    // The documents are made on the first showing, not with the form.
    EXPECT_FALSE(viewer->IsDocumentLoaded());
    EXPECT_TRUE(label->GetRichText().empty());

    const auto& places = Rs232CodePicturePlaces(set);
    ASSERT_EQ(places.size(), 31u);
    int previousBottom = 0;
    for (int i = 0; i < 31; ++i) {
      auto* image =
          dynamic_cast<TAdvOfficeImage*>(viewer->FindComponent("AdvOfficeImage" + std::to_string(i + 1)));
      ASSERT_NE(image, nullptr) << i;
      EXPECT_EQ(image->GetLeft(), 50);
      EXPECT_EQ(image->GetWidth(), 630);
      EXPECT_EQ(image->GetTop(), LabelTop(set) + places[static_cast<std::size_t>(i)].Top);
      EXPECT_GE(image->GetTop(), previousBottom) << "pictures overlap at " << i;
      EXPECT_LE(image->GetTop() + image->GetHeight(), LabelTop(set) + LabelHeight(set));
      previousBottom = image->GetTop() + image->GetHeight();
    }
  }
}

TEST(CodeViewer, ResizingPlacesTheDocumentLeftEdge) {
  struct Case {
    int width;
    int left;
  };
  constexpr Case kCases[] = {{749, 50}, {750, 50}, {900, 125}, {901, 125}, {600, 50}, {1000, 175}};
  for (TRs232TextSet set : kBoth) {
    auto viewer = MakeViewer(set);
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(LanguageName(set)) + " width " + std::to_string(c.width));
      viewer->SetWidth(c.width);
      EXPECT_EQ(viewer->GetRTFLabel()->GetLeft(), c.left);
      for (int i = 0; i < 31; ++i) EXPECT_EQ(viewer->GetImage(i)->GetLeft(), c.left) << i;
    }
  }
  EXPECT_EQ(TfmRs232Code::DocumentLeft(749), 50);
  EXPECT_EQ(TfmRs232Code::DocumentLeft(751), 50);
  EXPECT_EQ(TfmRs232Code::DocumentLeft(752), 51);
}

// Scrolled sideways by p, a resize keeps the edge where it is in the
// document: the label sits at edge - p, and the scroll range stays.
TEST(CodeViewer, ResizeWhileScrolledSidewaysKeepsTheEdge) {
  auto viewer = MakeViewer(TRs232TextSet::English);
  viewer->SetBounds(0, 0, 500, 600);
  viewer->UpdateScrollBars();
  TControlScrollBar* horz = viewer->GetHorzScrollBar();
  ASSERT_TRUE(horz->IsScrollBarVisible());
  const int range = horz->GetRange();
  EXPECT_EQ(range, 50 + 630);
  horz->SetPosition(40);
  ASSERT_EQ(horz->GetPosition(), 40);
  EXPECT_EQ(viewer->GetRTFLabel()->GetLeft(), 10);
  for (int width : {520, 540, 510}) {
    viewer->SetWidth(width);
    viewer->UpdateScrollBars();
    EXPECT_EQ(viewer->GetRTFLabel()->GetLeft() + horz->GetPosition(), 50) << width;
    EXPECT_EQ(viewer->GetImage(30)->GetLeft(), viewer->GetRTFLabel()->GetLeft());
    EXPECT_EQ(horz->GetRange(), range) << width;
  }
}

TEST(CodeViewer, KeysAndWheelStepClampedAtTheEnds) {
  auto viewer = MakeViewer(TRs232TextSet::Chinese);
  viewer->SetBounds(0, 0, 600, 500);
  ShowAndActivate(viewer.get());
  viewer->UpdateScrollBars();
  TControlScrollBar* vert = viewer->GetVertScrollBar();
  TControlScrollBar* horz = viewer->GetHorzScrollBar();
  const int vmax = vert->GetRange() - viewer->GetClientHeight();
  const int hmax = horz->GetRange() - viewer->GetClientWidth();
  ASSERT_GT(vmax, 1000);
  ASSERT_GT(hmax, 30);

  struct Step {
    int qtKey;
    int from;
    int to;
    bool vertical;
  };
  const int page = viewer->GetHeight();  // the outer height, not the client's
  const Step steps[] = {
      {Qt::Key_Down, 0, 30, true},
      {Qt::Key_Down, vmax - 10, vmax, true},
      {Qt::Key_Up, 100, 70, true},
      {Qt::Key_Up, 10, 0, true},
      {Qt::Key_PageDown, 0, page, true},
      {Qt::Key_PageDown, vmax - 5, vmax, true},
      {Qt::Key_PageUp, 2 * page, page, true},
      {Qt::Key_PageUp, 20, 0, true},
      {Qt::Key_Home, 300, 300, true},
      {Qt::Key_End, 300, 300, true},
      {Qt::Key_Right, 0, 30, false},
      {Qt::Key_Right, hmax - 1, hmax, false},
      {Qt::Key_Left, 31, 1, false},
      {Qt::Key_Left, 0, 0, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("key " + std::to_string(s.qtKey) + " from " + std::to_string(s.from));
    TControlScrollBar* bar = s.vertical ? vert : horz;
    bar->SetPosition(s.from);
    ASSERT_EQ(bar->GetPosition(), s.from);
    Key(viewer.get(), s.qtKey);
    EXPECT_EQ(bar->GetPosition(), s.to);
  }

  horz->SetPosition(0);
  struct WheelStep {
    int delta;
    int from;
    int to;
  };
  const WheelStep wheels[] = {
      {-120, 0, 30}, {-120, 200, 230}, {120, 200, 170}, {120, 10, 0}, {-120, vmax - 3, vmax}};
  for (const WheelStep& w : wheels) {
    SCOPED_TRACE("wheel " + std::to_string(w.delta) + " from " + std::to_string(w.from));
    vert->SetPosition(w.from);
    Wheel(viewer->GetRTFLabel(), 100, 10, w.delta);
    EXPECT_EQ(vert->GetPosition(), w.to);
  }
  viewer->Hide();
}

TEST(CodeViewer, ClosingAMaximisedWindowShowsItNormalNextTime) {
  auto viewer = MakeViewer(TRs232TextSet::English);
  viewer->Show();
  viewer->SetWindowState(wsMaximized);
  ASSERT_TRUE(WaitFor("maximised", [&] { return viewer->GetWindowState() == wsMaximized; }));
  viewer->Close();
  EXPECT_FALSE(viewer->GetVisible());
  viewer->Show();
  DrainEvents();
  EXPECT_EQ(viewer->GetWindowState(), wsNormal);
  EXPECT_EQ(viewer->GetWidth(), 755);
  EXPECT_EQ(viewer->GetHeight(), 666);
  viewer->Hide();
}

TEST(CodeViewer, CaptionFollowsTheInterfaceLanguage) {
  FakeOwner owner;
  for (TRs232TextSet set : kBoth) {
    auto viewer = MakeViewer(set);
    viewer->SetTextOwner(&owner);
    for (const char* language : {"English", "ChineseGB"}) {
      owner.Language = language;
      viewer->Show();
      EXPECT_EQ(viewer->GetCaption(), owner.Language == "English" ? "RS232 Code Table" : "232通讯协议代码表");
      EXPECT_TRUE(viewer->IsDocumentLoaded());
      viewer->Hide();
    }
  }
}

TEST(CodeViewer, PicturesAreNarrowerThanTheirControlsAndFillTheirGaps) {
  for (TRs232TextSet set : kBoth) {
    SCOPED_TRACE(LanguageName(set));
    const auto& places = Rs232CodePicturePlaces(set);
    for (int i = 0; i < 31; ++i) {
      TGDIPPicture picture;
      picture.LoadFromBytes(Rs232CodePicture(set, i));
      ASSERT_TRUE(picture.GetImageSizes());
      EXPECT_EQ(picture.GetWidth(), 600) << i;
      // Centred in its control with a margin above and below.
      const int margin = places[static_cast<std::size_t>(i)].Height - picture.GetHeight();
      EXPECT_GT(margin, 0) << i;
      EXPECT_EQ(margin % 2, 0) << i;
    }
    EXPECT_TRUE(Rs232CodePicture(set, 31).empty());
    EXPECT_TRUE(Rs232CodePicture(set, -1).empty());
  }
}

// The label's text drawn alone on white: nothing inside a picture's
// rectangle, nothing below the last line, and the last line drawn.
TEST(CodeViewer, TextKeepsOutOfThePicturesAndInsideTheLabel) {
  for (TRs232TextSet set : kBoth) {
    SCOPED_TRACE(LanguageName(set));
    auto viewer = MakeViewer(set);
    viewer->LoadDocument();
    TRTFLabel* label = viewer->GetRTFLabel();
    TBitmap sheet(label->GetWidth(), label->GetHeight());
    sheet.GetCanvas()->Brush->SetColor(clWhite);
    sheet.GetCanvas()->FillRect(Rect(0, 0, label->GetWidth(), label->GetHeight()));
    label->PaintTo(sheet.GetCanvas());
    const QImage& image = sheet.GetImage();
    auto inked = [&](int top, int bottom) {
      int count = 0;
      for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
          if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++count;
      return count;
    };
    for (const TRs232PicturePlace& p : Rs232CodePicturePlaces(set))
      EXPECT_EQ(inked(p.Top, p.Top + p.Height), 0) << "text in the picture at " << p.Top;
    const int bottom = Rs232CodeDocumentBottom(set);
    ASSERT_LE(bottom, label->GetHeight());
    EXPECT_EQ(inked(bottom, label->GetHeight()), 0);
    EXPECT_GT(inked(bottom - 18, bottom), 20) << "the last line is missing";
    EXPECT_GT(inked(0, 40), 100) << "the title is missing";
  }
}

// For a look by eye, when TAVO_RENDER_DIR names a folder: both viewers at
// the top, the middle and the end.
TEST(CodeViewer, RenderBothViewers) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the viewers";
  for (TRs232TextSet set : kBoth) {
    auto viewer = MakeViewer(set);
    viewer->LoadDocument();
    viewer->UpdateScrollBars();
    TControlScrollBar* vert = viewer->GetVertScrollBar();
    const int end = vert->GetRange();
    const std::pair<const char*, int> spots[] = {{"top", 0}, {"middle", end / 2}, {"end", end}};
    for (const auto& [name, position] : spots) {
      vert->SetPosition(position);
      const std::string path = std::string(dir) + "/rs232code-" +
                               (set == TRs232TextSet::English ? "en" : "zh") + "-" + name + ".png";
      EXPECT_TRUE(SaveControlImage(viewer.get(), path)) << path;
    }
  }
}
