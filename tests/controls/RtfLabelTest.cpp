// The rich-text label: the twip arithmetic of its area, the update
// bracket, the hidden control's background, copying to and from a rich
// edit, painting without a parent window, word wrap while loading, and a
// small document rendered and probed where its glyphs must be.

#include <gtest/gtest.h>

#include <QImage>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/rtflabel.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Printers.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"
#include "tests/platform/classlib/PdfTools.h"

using namespace classlib_test;

namespace {

// Paint, for the tests that call it as a paint event would.
class ProbeLabel : public TRTFLabel {
 public:
  using TRTFLabel::Paint;
  using TRTFLabel::TRTFLabel;
};

TRichEdit* HiddenEdit(TRTFLabel* label) {
  for (int i = 0; i < label->GetComponentCount(); ++i)
    if (auto* edit = dynamic_cast<TRichEdit*>(label->GetComponents(i))) return edit;
  return nullptr;
}

// Four lines 20 pixels apart: bold, plain, red, and two Chinese glyphs.
const char* const kSmallDocument =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}{\\f1\\fnil\\fcharset134 "
    "\\'cb\\'ce\\'cc\\'e5;}}{\\colortbl ;\\red255\\green0\\blue0;}"
    "\\pard\\sl-300\\slmult0\\plain\\f0\\fs24\\b WWWW\\par"
    "\\pard\\sl-300\\slmult0\\plain\\f0\\fs24 WWWW\\par"
    "\\pard\\sl-300\\slmult0\\plain\\f0\\fs24\\cf1 WWWW\\par"
    "\\pard\\sl-300\\slmult0\\plain\\f1\\fs24 \\'d6\\'d0\\'ce\\'c4\\par}";

struct Ink {
  int dark = 0;
  int red = 0;
  long weight = 0;  // darkness summed
  int left = 1 << 30;
  int right = -1;
};

Ink InkIn(const QImage& image, int top, int bottom) {
  Ink ink;
  for (int y = top; y < bottom && y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100) ++ink.dark;
      if (qRed(p) > 180 && qGreen(p) < 110 && qBlue(p) < 110) ++ink.red;
      if ((p & 0xFFFFFF) != 0xFFFFFF) {
        ink.weight += 255 - qGray(p);
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
      }
    }
  return ink;
}

}  // namespace

TEST(RtfLabel, AreaInTwips) {
  struct Case {
    TRect r;
    int dpiX, dpiY;
    TRect twips;
  };
  const Case kCases[] = {
      {Rect(0, 0, 630, 4850), 96, 96, Rect(15, 15, 9450, 72750)},
      {Rect(0, 0, 630, 4850), 0, 0, Rect(15, 15, 9450, 72750)},
      {Rect(0, 0, 630, 4850), 120, 120, Rect(12, 12, 7560, 58200)},
      // Halves go to the even neighbour: 7.5 -> 8, 22.5 -> 22.
      {Rect(0, 0, 2, 4), 192, 192, Rect(8, 8, 16, 30)},
      {Rect(10, 20, 110, 60), 96, 0, Rect(165, 315, 1650, 900)},
  };
  for (const Case& c : kCases) {
    const TRect a = TRTFLabel::TwipsArea(c.r, c.dpiX, c.dpiY);
    EXPECT_EQ(a, c.twips) << c.dpiX << " " << a.Left << "," << a.Top << "," << a.Right << "," << a.Bottom;
  }
}

TEST(RtfLabel, VersionAndConstruction) {
  App();
  ProbeLabel label(nullptr);
  EXPECT_EQ(label.GetVersion(), "1.3.1.0");
  label.SetVersion("9.9.9.9");
  EXPECT_EQ(label.GetVersion(), "1.3.1.0");
  EXPECT_EQ(label.GetVersionNr(), 0x01030100u);
  EXPECT_FALSE(label.GetAutoSize());
  EXPECT_EQ(label.GetCaption(), "");
  EXPECT_NE(HiddenEdit(&label), nullptr);
  // Without a parent there is nothing to fill.
  EXPECT_EQ(label.GetRTF(), nullptr);
}

TEST(RtfLabel, UpdatesNestAndOnlyTheLastEndCommits) {
  FormStage f;
  auto* label = new ProbeLabel(f.form);
  label->SetParent(f.form);
  label->SetBounds(0, 0, 200, 60);
  f.form->HandleNeeded();
  label->SetRichText("old");

  label->EndUpdate();  // at depth 0: nothing
  EXPECT_EQ(label->GetUpdateCount(), 0);
  EXPECT_EQ(label->GetRichText(), "old");

  label->BeginUpdate();
  label->BeginUpdate();
  TRichEdit* edit = label->GetRTF();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetParent(), f.form);
  EXPECT_EQ(edit->GetLines()->GetCount(), 0);
  edit->GetLines()->Add("typed line");
  label->EndUpdate();
  EXPECT_EQ(label->GetRichText(), "old");
  label->EndUpdate();
  EXPECT_EQ(label->GetUpdateCount(), 0);
  EXPECT_NE(label->GetRichText().find("typed line\\par"), std::string::npos) << label->GetRichText();
  EXPECT_EQ(edit->GetParent(), nullptr);
}

TEST(RtfLabel, BackgroundOfTheHiddenControl) {
  FormStage f;
  f.form->SetColor(RGB(0x10, 0x20, 0x30));
  auto* label = new ProbeLabel(f.form);
  label->SetParent(f.form);
  label->SetBounds(0, 0, 100, 40);
  label->SetColor(clBtnFace);
  label->SetRichText(kSmallDocument);
  TBitmap sheet(100, 40);
  for (bool transparent : {true, false}) {
    label->SetTransparent(transparent);
    label->PaintTo(sheet.GetCanvas());
    EXPECT_EQ(HiddenEdit(label)->GetBackgroundColor(),
              transparent ? RGB(0x10, 0x20, 0x30) : ColorToRGB(clBtnFace));
  }
}

TEST(RtfLabel, CopyToAndFromARichEditTwiceGivesTheSameBytes) {
  App();
  ProbeLabel label(nullptr);
  TRichEdit edit(nullptr);
  edit.SetPlainText(true);
  label.SetRichText(std::string(kSmallDocument) + "{\\*\\ignored}");
  label.CopyToRichEdit(&edit);
  EXPECT_FALSE(edit.GetPlainText());
  EXPECT_EQ(edit.GetLines()->GetCount(), 4);
  label.CopyFromRichEdit(&edit);
  const std::string once = label.GetRichText();
  label.CopyToRichEdit(&edit);
  label.CopyFromRichEdit(&edit);
  EXPECT_EQ(label.GetRichText(), once);
  EXPECT_EQ(RichEditBytes(&edit), once);
}

TEST(RtfLabel, PaintWithoutAParentWindowRendersNothing) {
  App();
  FormGuard guard;
  auto* panel = guard(new TPanel(nullptr));
  auto* label = new ProbeLabel(panel);
  label->SetParent(panel);
  ASSERT_FALSE(panel->HandleAllocated());
  label->SetRichText(kSmallDocument);
  label->Paint();
  EXPECT_EQ(HiddenEdit(label)->GetParent(), panel);
  EXPECT_EQ(HiddenEdit(label)->GetLines()->GetCount(), 0);
}

TEST(RtfLabel, WordWrapWhileLoadingIsOnlyStored) {
  FormStage f;
  auto* label = new ProbeLabel(f.form);
  label->SetParent(f.form);
  TRichEdit* edit = HiddenEdit(label);
  edit->SetWordWrap(true);
  f.form->BeginLoad();
  label->SetWordWrap(true);
  EXPECT_TRUE(label->GetWordWrap());
  f.form->EndLoad();
  EXPECT_FALSE(edit->GetWordWrap());
  EXPECT_TRUE(label->GetWordWrap());
  EXPECT_FALSE(edit->GetVisible());
  EXPECT_EQ(edit->GetBoundsRect(), Rect(0, 0, 10, 10));
  label->SetWordWrap(true);
  EXPECT_TRUE(edit->GetWordWrap());
}

// Rendered on white at 96 dpi: the lines stand 20 pixels apart from one
// pixel down; the bold line is wider than the same letters plain, the red
// one is red, the Chinese one has ink, and what does not fit is not drawn.
TEST(RtfLabel, SmallDocumentRenderedWhereItsGlyphsMustBe) {
  FormStage f;
  auto* label = new ProbeLabel(f.form);
  label->SetParent(f.form);
  label->SetBounds(0, 0, 200, 81);
  label->SetRichText(kSmallDocument);
  TBitmap sheet(200, 100);
  auto clear = [](TBitmap& b) {
    b.GetCanvas()->Brush->SetColor(clWhite);
    b.GetCanvas()->FillRect(Rect(0, 0, b.GetWidth(), b.GetHeight()));
  };
  clear(sheet);
  label->PaintTo(sheet.GetCanvas());
  const QImage& image = sheet.GetImage();
  if (const char* dir = std::getenv("TAVO_RENDER_DIR")) image.save(QString(dir) + "/rtflabel-small.png");

  const Ink bold = InkIn(image, 1, 21);
  const Ink plain = InkIn(image, 21, 41);
  const Ink red = InkIn(image, 41, 61);
  const Ink chinese = InkIn(image, 61, 81);
  EXPECT_GT(bold.dark, 60);
  EXPECT_EQ(bold.red, 0);
  EXPECT_GT(bold.weight, plain.weight * 5 / 4) << "bold letters take more ink";
  EXPECT_GT(red.red, 40);
  EXPECT_EQ(red.dark, 0);
  EXPECT_GT(chinese.dark, 40);
  EXPECT_GE(bold.left, 1) << "the one-pixel margin";
  EXPECT_EQ(InkIn(image, 81, 100).right, -1) << "nothing below the label";

  // Three lines' room: the fourth is left out, not cut.
  label->SetHeight(65);
  clear(sheet);
  label->PaintTo(sheet.GetCanvas());
  EXPECT_GT(InkIn(sheet.GetImage(), 41, 61).red, 40);
  EXPECT_EQ(InkIn(sheet.GetImage(), 61, 100).right, -1);

  // A device of 192 dots per inch draws the same document twice as large.
  TBitmap large(400, 200);
  clear(large);
  large.GetCanvas()->SetPixelsPerInch(192, 192);
  label->RenderRichText(large.GetCanvas(), Rect(0, 0, 200, 81));
  const Ink big = InkIn(large.GetImage(), 0, 41);
  EXPECT_GT(big.right - big.left, 2 * (bold.right - bold.left) - 6);
}

// Printed through the layer's printer: one PDF page titled with the
// caption, the four lines at 300 dots per inch from the page's top left.
TEST(RtfLabel, PrintsItsDocumentAsAJobTitledWithTheCaption) {
  FormStage f;
  auto* label = new ProbeLabel(f.form);
  label->SetParent(f.form);
  label->SetBounds(0, 0, 200, 81);
  label->SetRichText(kSmallDocument);
  const std::string dir = ::testing::TempDir() + "rtf-print-" + std::to_string(::getpid()) + "/";
  std::filesystem::create_directories(dir);
  Printer()->SetPrinterIndex(-1);
  Printer()->SetPaperCode(DMPAPER_LETTER);
  Printer()->SetOrientation(poPortrait);
  Printer()->SetOutputFileName(dir + "label.pdf");
  label->Print("Label job");
  Printer()->SetOutputFileName("");
  EXPECT_EQ(pdf_test::Pages(dir + "label.pdf"), 1);
  EXPECT_EQ(pdf_test::Info(dir + "label.pdf", "Title"), "Label job");
  const QImage page = pdf_test::Render(dir + "label.pdf", 1, 96);
  ASSERT_FALSE(page.isNull());
  if (const char* out = std::getenv("TAVO_RENDER_DIR")) page.save(QString(out) + "/rtflabel-printed.png");
  // 300 dpi lines of 20 pixels at 96 dpi: the same places on a 96-dpi rendering.
  EXPECT_GT(InkIn(page, 1, 21).dark, 30);
  EXPECT_GT(InkIn(page, 41, 61).red, 20);
  EXPECT_GT(InkIn(page, 61, 81).dark, 20);
  const Ink below = InkIn(page, 120, page.height());
  EXPECT_EQ(below.dark + below.red, 0);
  std::filesystem::remove_all(dir);
}
