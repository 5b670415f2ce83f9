// The plot on the clipboard, in a snapshot picture, in image files and on
// printed pages (the "PDF" printer, read back with pdfinfo and pdftoppm).

#include <QMimeData>

#include <filesystem>
#include <fstream>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotToolBar.h"
#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/ClipboardStore.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/PictureJpeg.h"
#include "tests/instruments/PlotTestSupport.h"
#include "tests/platform/classlib/PdfTools.h"

using namespace instruments_test;
namespace fs = std::filesystem;

namespace {

constexpr double kMinute = 1.0 / 1440;

std::string Head(const std::string& File, std::size_t N) {
  std::ifstream in(File, std::ios::binary);
  std::string s(N, '\0');
  in.read(s.data(), static_cast<std::streamsize>(N));
  s.resize(static_cast<std::size_t>(in.gcount()));
  return s;
}

bool HasMarker(const std::vector<std::uint8_t>& Jpeg, std::uint8_t Marker) {
  for (std::size_t i = 0; i + 1 < Jpeg.size(); ++i)
    if (Jpeg[i] == 0xFF && Jpeg[i + 1] == Marker) return true;
  return false;
}

class PlotPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    dir = ::testing::TempDir() + "plot-print-" + std::to_string(::getpid()) + "/";
    fs::remove_all(dir);
    fs::create_directories(dir);
    form = guard(new TForm(nullptr));
    plot = new TiXYPlot(form);
    plot->SetParent(form);
    plot->SetBounds(0, 0, 500, 200);
    plot->SetPrintShowDialog(false);
    axis = plot->GetXAxis(0);
    axis->SetTrackingEnabled(false);
    axis->SetMin(0);
    axis->SetSpan(10 * kMinute);
    for (int i = 0; i <= 60; ++i) plot->GetChannel(0)->AddXY(i * kMinute, i % 7);
    Printer()->SetPrinterIndex(-1);
    Printer()->SetPaperCode(DMPAPER_LETTER);
    Printer()->SetOutputFileName(dir + "out.pdf");
    auto memory = NewMemoryClipboardStore();
    store = memory.get();
    previousStore = SetClipboardStore(std::move(memory));
  }
  void TearDown() override {
    SetClipboardStore(std::move(previousStore));
    Printer()->SetOutputFileName("");
    fs::remove_all(dir);
  }
  // The plot painted into a bitmap with its toolbars hidden.
  std::unique_ptr<TBitmap> PaintedWithoutToolBar() {
    const bool visible = plot->GetToolBar(0)->GetVisible();
    plot->GetToolBar(0)->SetVisible(false);
    auto b = std::make_unique<TBitmap>(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b->GetCanvas());
    plot->GetToolBar(0)->SetVisible(visible);
    return b;
  }

  std::string dir;
  classlib_test::FormGuard guard;
  TForm* form = nullptr;
  TiXYPlot* plot = nullptr;
  TiPlotXAxis* axis = nullptr;
  TScriptedDialogService dialogs;
  std::unique_ptr<ClipboardStore> previousStore;
  ClipboardStore* store = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- printing

TEST_F(PlotPrintTest, PagesAlongXAxisWithEventsInOrderAndEverythingRestored) {
  std::vector<std::string> events;
  plot->OnBeforePrint = [&](TObject*) {
    events.push_back("before");
    // An hour from the axis' start, in pages of its 10-minute span.
    plot->SetPrintXStop(plot->GetPrintXStart() + 60 * kMinute);
    EXPECT_FALSE(plot->GetToolBar(0)->GetVisible());
  };
  plot->OnBeforePrintPage = [&](int Page, bool Last) {
    events.push_back(std::to_string(Page) + (Last ? " last" : ""));
    EXPECT_NEAR(axis->GetMin(), (Page - 1) * 10 * kMinute, 1e-12);
  };
  plot->OnAfterPrint = [&](TObject*) { events.push_back("after"); };
  plot->PrintChart();
  EXPECT_EQ(events, (std::vector<std::string>{"before", "1", "2", "3", "4", "5", "6 last", "after"}));
  EXPECT_EQ(pdf_test::Pages(dir + "out.pdf"), 6);
  EXPECT_EQ(pdf_test::PageSize(dir + "out.pdf"), "792 x 612");  // Letter, landscape by default
  EXPECT_TRUE(plot->GetToolBar(0)->GetVisible());
  EXPECT_EQ(axis->GetMin(), 0);
  EXPECT_EQ(axis->GetSpan(), 10 * kMinute);
  EXPECT_EQ(plot->GetWidth(), 500);
  EXPECT_EQ(plot->GetHeight(), 200);
  EXPECT_DOUBLE_EQ(plot->GetPrinterPaperWidthInches(), 11);
  EXPECT_DOUBLE_EQ(plot->GetPrinterPaperHeightCentimeters(), 8.5 * 2.54);
  EXPECT_EQ(plot->GetPrinterPaperWidthPixels(), 3300);
  EXPECT_EQ(plot->GetPrinterPaperHeightPixels(), 2550);
}

TEST_F(PlotPrintTest, OnePageForAZeroSpanOrWithoutXAxis) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  for (const Case& c : {Case{"span 0", [&] { axis->SetSpan(0); }}, Case{"no X axis", [&] {
                                                                          plot->RemoveAllXAxes();
                                                                          plot->RemoveAllToolBars();
                                                                          axis = nullptr;
                                                                        }}}) {
    c.arrange();
    std::vector<std::string> pages;
    plot->OnBeforePrintPage = [&](int Page, bool Last) {
      pages.push_back(std::to_string(Page) + (Last ? " last" : ""));
    };
    fs::remove(dir + "out.pdf");
    plot->PrintChart();
    EXPECT_EQ(pdf_test::Pages(dir + "out.pdf"), 1) << c.what;
    EXPECT_EQ(pages, (std::vector<std::string>{"1 last"})) << c.what;
  }
  // Without toolbar and X axis the other outputs work as well.
  for (TiPlotExportFormat format : {ipefMetaFile, ipefBitmap, ipefJPEG}) {
    plot->SetCopyToClipBoardFormat(format);
    EXPECT_EQ(ErrorOf([&] { plot->CopyToClipBoard(); }), "") << format;
  }
  EXPECT_EQ(plot->GetSnapShotPicture()->GetWidth(), 500);
  dialogs.AnswerFile(dir + "bare.png", 4);
  plot->Save();
  EXPECT_EQ(Head(dir + "bare.png", 4), "\x89PNG");
}

TEST_F(PlotPrintTest, PageRectangleFollowsMarginsAndScale) {
  plot->PrintChart();
  // Letter landscape at 300 dpi, 1-inch margins: scale min(2700 / 500,
  // 1950 / 200) = 5.4, so the plot covers (300, 300) to (3000, 1380).
  const QImage page = pdf_test::Render(dir + "out.pdf", 1, 300);
  ASSERT_EQ(page.width(), 3300);
  struct Probe {
    int x, y;
    unsigned rgb;
  };
  for (const Probe& p : {Probe{280, 280, 0xFFFFFF}, Probe{3020, 700, 0xFFFFFF}, Probe{1500, 1400, 0xFFFFFF},
                         Probe{150, 2400, 0xFFFFFF}, Probe{320, 320, 0x000000}, Probe{2980, 1360, 0x000000},
                         Probe{320, 1360, 0x000000}, Probe{2980, 320, 0x000000}})
    EXPECT_TRUE(pdf_test::Near(page.pixel(p.x, p.y), p.rgb))
        << p.x << "," << p.y << " is " << std::hex << (page.pixel(p.x, p.y) & 0xFFFFFF);
  page.save(QString::fromStdString(::testing::TempDir() + "plot-print-page1.png"));
}

TEST_F(PlotPrintTest, ErrorsSayWhyAndLeaveThePlotAsItWas) {
  plot->SetOuterMarginLeft(7);
  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::string message;
    bool file;  // a PDF was begun (and ended)
  };
  std::ofstream(dir + "plain") << "x";
  const Case cases[] = {
      {"folder that cannot be made", [&] { Printer()->SetOutputFileName(dir + "plain/x.pdf"); },
       "Error Printing : Cannot create the file \"" + dir + "plain/x.pdf\"", false},
      {"zero height", [&] { plot->SetHeight(0); },
       "Error Printing : The plot has no width or height to print", false},
      {"margins wider than the paper",
       [&] {
         plot->SetPrintMarginLeft(6);
         plot->SetPrintMarginRight(6);
       },
       "Error Printing : The print margins leave no room on the paper", false},
      {"error on page 2",
       [&] {
         plot->OnBeforePrint = [&](TObject*) { plot->SetPrintXStop(60 * kMinute); };
         plot->OnBeforePrintPage = [](int Page, bool) {
           if (Page == 2) throw Exception("page two failed");
         };
       },
       "Error Printing : page two failed", true},
  };
  for (const Case& c : cases) {
    fs::remove(dir + "out.pdf");
    c.arrange();
    EXPECT_EQ(ErrorOf([&] { plot->PrintChart(); }), c.message) << c.what;
    EXPECT_EQ(fs::exists(dir + "out.pdf"), c.file) << c.what;
    EXPECT_FALSE(Printer()->GetPrinting()) << c.what;
    EXPECT_TRUE(plot->GetToolBar(0)->GetVisible()) << c.what;
    EXPECT_EQ(axis->GetMin(), 0) << c.what;
    EXPECT_EQ(axis->GetSpan(), 10 * kMinute) << c.what;
    EXPECT_EQ(plot->GetOuterMarginLeft(), 7) << c.what;
    // Put back what the case changed.
    Printer()->SetOutputFileName(dir + "out.pdf");
    plot->SetHeight(200);
    plot->SetPrintMarginLeft(1);
    plot->SetPrintMarginRight(1);
  }
}

TEST_F(PlotPrintTest, PrintDialogChoosesOrCancels) {
  plot->SetPrintShowDialog(true);
  int before = 0;
  plot->OnBeforePrint = [&](TObject*) { ++before; };
  dialogs.AnswerCancel();
  plot->PrintChart();
  EXPECT_EQ(before, 0);
  EXPECT_FALSE(fs::exists(dir + "out.pdf"));
  ASSERT_EQ(dialogs.GetQuestions().size(), 1u);
  EXPECT_EQ(dialogs.GetQuestions()[0].Print.Orientation, poLandscape);

  TPrintDialogRequest choice = dialogs.GetQuestions()[0].Print;
  choice.PaperCode = DMPAPER_A4;
  choice.Orientation = poPortrait;
  choice.FileName = dir + "chosen.pdf";
  dialogs.AnswerPrint(choice);
  plot->PrintChart();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(pdf_test::PageSize(dir + "chosen.pdf"), "595 x 842");
  Printer()->SetPaperCode(DMPAPER_LETTER);
}

TEST_F(PlotPrintTest, PaperShapeAndMinutesPerMillimetreBeforeAnyJob) {
  Printer()->SetOrientation(poPortrait);
  EXPECT_EQ(plot->GetPrinterPaperWidthInches(), 0);
  plot->PrintSizeToFillPage();
  EXPECT_EQ(plot->GetHeight(), static_cast<int>(500 * 11 / 8.5));  // 647
  plot->ReCalcLayout();
  const double pixels = std::abs(axis->GetMaxPixels() - axis->GetMinPixels());
  ASSERT_GT(pixels, 0);
  plot->PrintAdjustXSpanToMinutesPerMillimeter(1);
  // 9 inches of paper between the margins for the plot's 647 pixels.
  EXPECT_NEAR(axis->GetSpan(), pixels * 9.0 / 647 * 25.4 / 1440, 1e-9);
  // Margins that leave no paper keep the span.
  const double span = axis->GetSpan();
  plot->SetPrintMarginTop(6);
  plot->SetPrintMarginBottom(6);
  plot->PrintAdjustXSpanToMinutesPerMillimeter(1);
  EXPECT_EQ(axis->GetSpan(), span);
}

// ---------------------------------------------------------------- clipboard, snapshot, files

TEST_F(PlotPrintTest, CopiesEachFormatWithoutToolBarWhichStaysVisible) {
  auto reference = PaintedWithoutToolBar();
  TBitmap withBar(500, 200);
  plot->iPaintToCanvas(withBar.GetCanvas());
  ASSERT_NE(withBar.GetImage(), reference->GetImage());  // the toolbar shows when visible
  const QImage expected = reference->GetImage().convertToFormat(QImage::Format_RGB32);
  for (TiPlotExportFormat format : {ipefMetaFile, ipefBitmap, ipefJPEG}) {
    plot->SetCopyToClipBoardFormat(format);
    Clipboard()->Clear();
    plot->CopyToClipBoard();
    EXPECT_TRUE(plot->GetToolBar(0)->GetVisible()) << format;
    if (format == ipefJPEG) {
      // The JPEG's own bytes, quality 100, baseline (SOF0, no SOF2).
      ASSERT_TRUE(store->Data() && store->Data()->hasFormat("image/jpeg"));
      const QByteArray bytes = store->Data()->data("image/jpeg");
      const std::vector<std::uint8_t> jpeg(bytes.begin(), bytes.end());
      EXPECT_TRUE(HasMarker(jpeg, 0xC0));
      EXPECT_FALSE(HasMarker(jpeg, 0xC2));
      TJPEGImage decoded;
      decoded.LoadFromBytes(jpeg);
      ASSERT_EQ(decoded.GetWidth(), 500);
      // Lossy, but where the toolbar would show, the picture has what lies
      // beneath it.
      const QImage got = decoded.GetImage();
      const QImage bar = withBar.GetImage().convertToFormat(QImage::Format_RGB32);
      int differ = 0, like = 0;
      for (int y = 0; y < 200; y += 2)
        for (int x = 0; x < 500; x += 2) {
          if (pdf_test::Near(bar.pixel(x, y), expected.pixel(x, y) & 0xFFFFFF, 100)) continue;
          ++differ;
          like += pdf_test::Near(got.pixel(x, y), expected.pixel(x, y) & 0xFFFFFF, 64);
        }
      EXPECT_GT(differ, 100);
      EXPECT_GT(like, differ * 9 / 10);
      continue;
    }
    ASSERT_TRUE(Clipboard()->HasFormat(CF_PICTURE)) << format;
    TBitmap pasted;
    pasted.Assign(Clipboard());
    EXPECT_EQ(pasted.GetImage().convertToFormat(QImage::Format_RGB32), expected) << format;
  }
}

TEST_F(PlotPrintTest, SnapshotIsOneRecordedPicture) {
  TPicture* first = plot->GetSnapShotPicture();
  auto* mf = dynamic_cast<TMetafile*>(first->GetGraphic());
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(mf->GetWidth(), 500);
  EXPECT_EQ(mf->GetDescription(), "iPlot");
  EXPECT_GT(mf->GetRecordCount(), 0);
  plot->SetBounds(0, 0, 300, 100);
  EXPECT_EQ(plot->GetSnapShotPicture(), first);
  EXPECT_EQ(first->GetWidth(), 300);
}

TEST_F(PlotPrintTest, SaveWritesTheFormatOfItsNameOrItsFilter) {
  plot->SetDefaultSaveImageDirectory(dir);
  plot->SetDefaultSaveImageFormat(ipifPNG);
  struct Case {
    std::string answer;
    int filter;
    std::string file;   // written
    std::string magic;  // first bytes
  };
  const Case cases[] = {
      {dir + "a.bmp", 1, dir + "a.bmp", "BM"},
      {dir + "b.emf", 2, dir + "b.emf", std::string("\x01\0\0\0", 4)},
      {dir + "c.jpg", 3, dir + "c.jpg", "\xFF\xD8"},
      {dir + "d.png", 4, dir + "d.png", "\x89PNG"},
      {dir + "E.BMP", 1, dir + "E.BMP", "BM"},
      {dir + "F.Png", 4, dir + "F.Png", "\x89PNG"},
  };
  for (const Case& c : cases) {
    dialogs.AnswerFile(c.answer, c.filter);
    plot->Save();
    const auto& q = dialogs.GetQuestions().back();
    EXPECT_EQ(
        q.File.Filter,
        "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
    EXPECT_EQ(q.File.FileName, "Untitled");
    EXPECT_EQ(q.File.FilterIndex, 4);
    EXPECT_EQ(Head(c.file, c.magic.size()), c.magic) << c.file;
  }
  EXPECT_EQ(dialogs.GetQuestions().front().File.InitialDir, dir);
  // Read back with the decoders: the JPEG progressive, the EMF with its pixels.
  TPicture picture;
  for (const char* name : {"a.bmp", "c.jpg", "d.png"}) {
    picture.LoadFromFile(dir + name);
    EXPECT_EQ(picture.GetWidth(), 500) << name;
  }
  TJPEGImage jpeg;
  jpeg.LoadFromFile(dir + "c.jpg");
  EXPECT_TRUE(HasMarker(jpeg.SaveToBytes(), 0xC2));
  TMetafile emf;
  emf.LoadFromFile(dir + "b.emf");
  EXPECT_EQ(emf.GetHeight(), 200);
  // Cancelled: nothing written.
  const auto count = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  dialogs.AnswerCancel();
  plot->Save();
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), count);
}
