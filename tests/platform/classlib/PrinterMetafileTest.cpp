// Recorded pictures (metafiles), the enhanced-metafile file, the printer
// with its "PDF" printer, the print dialog and the speed button.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/classlib/Buttons.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/GraphicsErrors.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/Printers.h"
#include "tests/platform/classlib/GraphicsTestSupport.h"
#include "tests/platform/classlib/PdfTools.h"

namespace fs = std::filesystem;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A metafile of 100 x 50: a red frame, a blue filled rectangle clipped to
// its left half, text, drawn with a window origin moved by (-10, -5).
std::unique_ptr<TMetafile> Sample() {
  auto mf = std::make_unique<TMetafile>();
  mf->SetSize(100, 50);
  TMetafileCanvas c(mf.get(), "Vantor", "Test");
  c.Brush->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 100, 50));
  c.Pen->SetColor(clRed);
  c.Brush->SetStyle(bsClear);
  c.Rectangle(0, 0, 100, 50);
  c.SetWindowOrg({-10, -5});
  c.IntersectClipRect(Rect(0, 0, 20, 40));  // device 10..30 x 5..45
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clBlue);
  c.FillRect(Rect(0, 0, 80, 20));  // device 10..90, clipped to 10..30
  c.SelectClipRgn(nullptr);
  c.SetWindowOrg({0, 0});
  c.Font->SetHeight(-12);
  c.Font->SetColor(clBlack);
  c.Brush->SetStyle(bsClear);
  c.TextOut(40, 25, "Wg");
  return mf;
}

class PrinterMetafileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    dir = ::testing::TempDir() + "printer-" + std::to_string(::getpid()) + "/";
    fs::remove_all(dir);
    fs::create_directories(dir);
    Printer()->SetPrinterIndex(-1);
    Printer()->SetPaperCode(DMPAPER_LETTER);
    Printer()->SetOrientation(poPortrait);
    Printer()->SetOutputFileName("");
    Printer()->SetDialogFileName("");
  }
  void TearDown() override {
    if (Printer()->GetPrinting()) Printer()->EndDoc();
    Printer()->SetOutputFileName("");
    fs::remove_all(dir);
  }
  std::string dir;
};

}  // namespace

TEST_F(PrinterMetafileTest, MetafilePlaysItsCallsScaledWithClipAndOriginKept) {
  auto mf = Sample();
  EXPECT_GT(mf->GetRecordCount(), 0);
  // At 1:1 the pixels equal those the canvas drew.
  TBitmap same(100, 50);
  same.Canvas->StretchDraw(Rect(0, 0, 100, 50), mf.get());
  EXPECT_EQ(same.GetImage(), mf->GetImage().convertToFormat(same.GetImage().format()));

  // Four times larger, at (8, 4) of a bigger bitmap.
  auto big = graphics_test::WhiteBitmap(420, 210);
  big->Canvas->StretchDraw(Rect(8, 4, 408, 204), mf.get());
  TCanvas* c = big->Canvas;
  EXPECT_EQ(c->GetPixels(8 + 4 * 20, 4 + 4 * 10), clBlue);   // inside the clip
  EXPECT_EQ(c->GetPixels(8 + 4 * 40, 4 + 4 * 10), clWhite);  // the clipped part
  // The frame: a 4-pixel pen on the edge, the half inside shows.
  EXPECT_EQ(c->GetPixels(8 + 4 * 50, 4), clRed);
  EXPECT_EQ(c->GetPixels(8 + 4 * 50, 4 + 1), clRed);
  EXPECT_EQ(c->GetPixels(8 + 4 * 50, 4 + 6), clWhite);
  EXPECT_EQ(c->GetPixels(4, 2), clWhite);  // nothing outside the rectangle
  // Text drawn at the large size: some 4 x 4 cell holds more than one
  // shade, which a stretched screen picture never has.
  bool fine = false;
  for (int y = 4 + 4 * 25; y < 4 + 4 * 40 && !fine; y += 4)
    for (int x = 8 + 4 * 40; x < 8 + 4 * 60 && !fine; x += 4)
      for (int k = 1; k < 16 && !fine; ++k) fine = c->GetPixels(x + k % 4, y + k / 4) != c->GetPixels(x, y);
  EXPECT_TRUE(fine);
  // A copy plays the same; a new size empties it.
  TPicture picture;
  picture.SetGraphic(mf.get());
  EXPECT_EQ(static_cast<TMetafile*>(picture.GetGraphic())->GetRecordCount(), mf->GetRecordCount());
  mf->SetSize(10, 10);
  EXPECT_EQ(mf->GetRecordCount(), 0);
}

TEST_F(PrinterMetafileTest, EnhancedMetafileFileHeaderRecordsAndReadBack) {
  auto mf = Sample();
  const std::vector<std::uint8_t> b = mf->SaveToBytes();
  ASSERT_GE(b.size(), 128u);
  EXPECT_EQ(U32(b, 0), 1u);            // EMR_HEADER
  EXPECT_EQ(U32(b, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(U32(b, 48), b.size());     // nBytes
  EXPECT_EQ(U32(b, 52), 3u);           // header, bitmap, end
  EXPECT_EQ(U32(b, 16), 99u);          // bounds right, bottom
  EXPECT_EQ(U32(b, 20), 49u);
  // Creator, empty-or-not description, two NULs, UTF-16.
  const std::uint32_t chars = U32(b, 60), off = U32(b, 64);
  std::string desc;
  for (std::uint32_t i = 0; i < chars; ++i) desc += static_cast<char>(b[off + 2 * i]);
  EXPECT_EQ(desc, std::string("Vantor\0Test\0\0", 13));
  const std::uint32_t headerSize = U32(b, 4);
  EXPECT_EQ(U32(b, headerSize), 81u);  // EMR_STRETCHDIBITS
  const std::uint32_t bitmapSize = U32(b, headerSize + 4);
  EXPECT_EQ(bitmapSize, 80u + 40u + 100u * 3u * 50u);  // rows of 300 bytes, already 4-aligned
  EXPECT_EQ(U32(b, headerSize + bitmapSize), 14u);     // EMR_EOF
  EXPECT_EQ(headerSize + bitmapSize + 20u, b.size());

  TMetafile back;
  back.LoadFromBytes(b);
  EXPECT_EQ(back.GetWidth(), 100);
  EXPECT_EQ(back.GetImage(), mf->GetImage());
  // Damaged files are refused whole, never read past their end.
  for (std::size_t cut : {std::size_t{0}, std::size_t{60}, std::size_t{headerSize + 8}, b.size() - 30}) {
    std::vector<std::uint8_t> part(b.begin(), b.begin() + static_cast<long>(cut));
    EXPECT_THROW(back.LoadFromBytes(part), EInvalidGraphic) << cut;
  }
  std::vector<std::uint8_t> bad = b;
  bad[headerSize + 4] = 0xFF;  // a record longer than the file
  EXPECT_THROW(back.LoadFromBytes(bad), EInvalidGraphic);
}

TEST_F(PrinterMetafileTest, PdfPrinterWritesPagesOfItsPaperAt300Dpi) {
  TPrinter* p = Printer();
  TStrings* names = p->GetPrinters();
  ASSERT_GE(names->Count(), 1);
  EXPECT_EQ(names->Get(names->Count() - 1), "PDF");
  // No print service here: the default printer is "PDF".
  EXPECT_TRUE(p->GetIsPdf());
  struct Case {
    int paper;
    TPrinterOrientation orientation;
    const char* size;
    int width, height;  // printable pixels
  };
  for (const Case& k : {Case{DMPAPER_LETTER, poPortrait, "612 x 792", 2550, 3300},
                        Case{DMPAPER_LETTER, poLandscape, "792 x 612", 3300, 2550},
                        Case{DMPAPER_A4, poPortrait, "595 x 842", 2480, 3508}}) {
    const std::string file =
        dir + "job" + std::to_string(k.paper) + "-" + std::to_string(k.orientation) + ".pdf";
    p->SetPaperCode(k.paper);
    p->SetOrientation(k.orientation);
    p->SetOutputFileName(file);
    p->SetTitle("Job");
    p->BeginDoc();
    EXPECT_TRUE(p->GetPrinting());
    EXPECT_EQ(p->GetPageWidth(), k.width);
    EXPECT_EQ(p->GetPageHeight(), k.height);
    EXPECT_EQ(GetDeviceCaps(p->GetCanvas(), LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(p->GetCanvas(), LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(p->GetCanvas(), PHYSICALOFFSETX), 0);
    EXPECT_EQ(GetDeviceCaps(p->GetCanvas(), PHYSICALOFFSETY), 0);
    EXPECT_THROW(p->SetOrientation(poPortrait), EPrinter);
    p->GetCanvas()->Brush->SetColor(clBlack);
    p->GetCanvas()->FillRect(Rect(300, 300, 600, 600));
    p->NewPage();
    EXPECT_EQ(p->GetPageNumber(), 2);
    p->EndDoc();
    EXPECT_FALSE(p->GetPrinting());
    EXPECT_EQ(p->GetLastFileName(), file);
    EXPECT_EQ(pdf_test::Pages(file), 2) << file;
    EXPECT_EQ(pdf_test::PageSize(file), k.size) << file;
    const QImage page = pdf_test::Render(file, 1, 100);
    ASSERT_FALSE(page.isNull());
    // The black square from 1 to 2 inches, white around it.
    EXPECT_TRUE(pdf_test::Near(page.pixel(150, 150), 0x000000));
    EXPECT_TRUE(pdf_test::Near(page.pixel(50, 50), 0xFFFFFF));
    EXPECT_TRUE(pdf_test::Near(page.pixel(250, 150), 0xFFFFFF));
  }
}

TEST_F(PrinterMetafileTest, PdfFileNamesNeverReplaceAndUnwritableFoldersFail) {
  TPrinter* p = Printer();
  // Without an output name: the title in the documents folder, numbered when taken.
  const char* oldHome = std::getenv("HOME");
  const std::string home = oldHome ? oldHome : "";
  ::setenv("HOME", dir.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (dir + "config").c_str(), 1);
  fs::create_directories(dir + "Documents");
  p->SetTitle("Report");
  for (int i = 0; i < 2; ++i) {
    p->BeginDoc();
    p->EndDoc();
  }
  ::setenv("HOME", home.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(p->GetLastFileName(), dir + "Documents/Report (1).pdf");
  EXPECT_TRUE(fs::exists(dir + "Documents/Report.pdf"));

  // A folder that cannot be made (a file stands in its place): a clear
  // error, no job left running.
  std::ofstream(dir + "plain") << "x";
  p->SetOutputFileName(dir + "plain/x.pdf");
  try {
    p->BeginDoc();
    ADD_FAILURE() << "no error";
  } catch (const EPrinter& e) {
    EXPECT_NE(std::string(e.what()).find("plain/x.pdf"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(p->GetPrinting());
}

TEST_F(PrinterMetafileTest, PrintDialogAnswersOrCancels) {
  TScriptedDialogService dialogs;
  TPrinter* p = Printer();
  TPrintDialog dialog(nullptr);
  TPrintDialogRequest choice;
  choice.Printers = {"PDF"};
  choice.PrinterIndex = 0;
  choice.PaperCode = DMPAPER_A4;
  choice.Orientation = poLandscape;
  choice.FileName = dir + "chosen.pdf";
  dialogs.AnswerPrint(choice);
  p->SetOutputFileName(dir + "output.pdf");
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(dialogs.GetQuestions().size(), 1u);
  EXPECT_EQ(dialogs.GetQuestions()[0].Print.PaperCode, DMPAPER_LETTER);
  EXPECT_EQ(dialogs.GetQuestions()[0].Print.FileName, dir + "output.pdf");
  EXPECT_EQ(p->GetPaperCode(), DMPAPER_A4);
  EXPECT_EQ(p->GetOrientation(), poLandscape);
  // The dialog's file wins over the output name, for that job only.
  p->BeginDoc();
  p->EndDoc();
  EXPECT_EQ(p->GetLastFileName(), dir + "chosen.pdf");
  EXPECT_EQ(pdf_test::PageSize(dir + "chosen.pdf"), "842 x 595");
  p->BeginDoc();
  p->EndDoc();
  EXPECT_EQ(p->GetLastFileName(), dir + "output.pdf");

  dialogs.AnswerCancel();
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(p->GetPaperCode(), DMPAPER_A4);
}

TEST_F(PrinterMetafileTest, SpeedButtonShowsItsGlyphAndClicks) {
  TForm form(nullptr);
  auto* button = new TSpeedButton(&form);
  button->SetParent(&form);
  button->SetBounds(0, 0, 28, 28);
  TBitmap glyph(8, 8);
  glyph.Canvas->Brush->SetColor(TColor(0x808000));  // teal background: transparent
  glyph.Canvas->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas->Brush->SetColor(clRed);
  glyph.Canvas->FillRect(Rect(2, 2, 6, 6));
  button->SetGlyph(&glyph);
  button->SetColor(clBtnFace);
  TBitmap shot(28, 28);
  button->PaintTo(shot.Canvas, 0, 0);
  TCanvas* c = shot.Canvas;
  EXPECT_EQ(c->GetPixels(14, 14), clRed);
  EXPECT_EQ(ColorToRGB(c->GetPixels(10, 10)), ColorToRGB(clBtnFace));
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->Click();
  EXPECT_EQ(clicks, 1);
}
