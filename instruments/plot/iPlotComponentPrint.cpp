// The plot on other canvases than the screen: the clipboard, a snapshot
// picture, image files, printed pages and the print preview.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "instruments/editors/iEditorPickers.h"
#include "instruments/editors/iPlotPreviewForm.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotToolBar.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/PictureJpeg.h"

namespace {

constexpr const char* kCreatedBy = "Vantor";

// Puts toolbar 0's visibility back when it ends, also on error; the other
// toolbars take the same state, as the master manager shows them all.
class ToolBarsHidden {
 public:
  explicit ToolBarsHidden(TiPlotComponent& Plot)
      : FPlot(Plot), FHad(Plot.GetToolBarCount() > 0), FVisible(FHad && Plot.GetToolBar(0)->GetVisible()) {
    if (FHad) FPlot.GetMaster()->ShowToolBars(false);
  }
  ~ToolBarsHidden() {
    if (FHad) FPlot.GetMaster()->ShowToolBars(FVisible);
  }
  ToolBarsHidden(const ToolBarsHidden&) = delete;
  ToolBarsHidden& operator=(const ToolBarsHidden&) = delete;

 private:
  TiPlotComponent& FPlot;
  bool FHad;
  bool FVisible;
};

// Closes the plot's update bracket on every way out.
class UpdateBracket {
 public:
  explicit UpdateBracket(TiPlotComponent& Plot) : FPlot(Plot) { FPlot.BeginUpdate(); }
  ~UpdateBracket() { FPlot.EndUpdate(); }
  UpdateBracket(const UpdateBracket&) = delete;
  UpdateBracket& operator=(const UpdateBracket&) = delete;

 private:
  TiPlotComponent& FPlot;
};

// The lower-case extension of a file name, without the dot.
std::string ExtensionOf(const std::string& FileName) {
  std::string ext = std::filesystem::path(FileName).extension().string();
  if (!ext.empty()) ext.erase(0, 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

}  // namespace

// ---------------------------------------------------------------- clipboard and snapshot

void TiPlotComponent::CopyToClipBoard() {
  UpdateBracket bracket(*this);
  ToolBarsHidden hidden(*this);
  FMaster->DeSelectAll();
  switch (FCopyToClipBoardFormat) {
    case ipefMetaFile: {
      if (!FMetaFile) FMetaFile = std::make_unique<TMetafile>();
      FMetaFile->SetSize(GetWidth(), GetHeight());
      {
        TMetafileCanvas canvas(FMetaFile.get(), kCreatedBy, "Strip Chart");
        iPaintToCanvas(&canvas);
      }
      Clipboard()->Assign(FMetaFile.get());
      break;
    }
    case ipefBitmap: {
      TBitmap bitmap(GetWidth(), GetHeight());
      iPaintToCanvas(bitmap.GetCanvas());
      Clipboard()->Assign(&bitmap);
      break;
    }
    case ipefJPEG: {
      std::unique_ptr<TJPEGImage> jpeg = CreateJPEGImage(100, false);
      if (!jpeg || jpeg->GetEmpty()) break;
      TPicture picture;
      picture.SetGraphic(jpeg.get());
      Clipboard()->Assign(&picture);
      break;
    }
  }
}

TPicture* TiPlotComponent::GetSnapShotPicture() {
  if (!FSnapShotPicture) FSnapShotPicture = std::make_unique<TPicture>();
  if (!FMetaFile) FMetaFile = std::make_unique<TMetafile>();
  FMetaFile->SetSize(GetWidth(), GetHeight());
  {
    TMetafileCanvas canvas(FMetaFile.get(), kCreatedBy, "iPlot");
    iPaintToCanvas(&canvas);
  }
  FSnapShotPicture->SetGraphic(FMetaFile.get());
  return FSnapShotPicture.get();
}

// ---------------------------------------------------------------- image files

void TiPlotComponent::Save() {
  if (!FSaveDialog) {
    FSaveDialog = new TiComponentEditorSavePicker(this);
    FSaveDialog->SetParent(this);
    FSaveDialog->SetVisible(false);
  }
  FSaveDialog->SetDefaultDir(FDefaultSaveImageDirectory);
  FSaveDialog->SetFilter(
      "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
  FSaveDialog->SetFileName("Untitled");
  FSaveDialog->SetFilterIndex(static_cast<int>(FDefaultSaveImageFormat) + 1);
  if (!FSaveDialog->Execute()) return;
  FMaster->DeSelectAll();
  const std::string name = FSaveDialog->GetFileName();
  static const char* const kByFilter[] = {"bmp", "emf", "jpg", "png"};
  std::string ext = ExtensionOf(name);
  // An ending of no known format takes the format of the chosen filter, so
  // a confirmed save always writes its file.
  if (std::find_if(std::begin(kByFilter), std::end(kByFilter), [&](const char* e) { return ext == e; }) ==
      std::end(kByFilter))
    ext = kByFilter[std::clamp(FSaveDialog->GetFilterIndex(), 1, 4) - 1];
  if (ext == "bmp")
    SaveImageToBitmap(name);
  else if (ext == "emf")
    SaveImageToMetaFile(name);
  else if (ext == "jpg")
    SaveImageToJPEG(name, 100, true);
  else
    SaveImageToPNG(name, 9);
}

// ---------------------------------------------------------------- printing

void TiPlotComponent::ReadPrinterPaper() {
  GetPrinterPaperSizeInches(FPrinterPaperWidthInches, FPrinterPaperHeightInches);
  FPrinterPaperWidthCentimeters = FPrinterPaperWidthInches * 2.54;
  FPrinterPaperHeightCentimeters = FPrinterPaperHeightInches * 2.54;
  TCanvas* canvas = Printer()->GetCanvas();
  // Nearest, halves to even (the default rounding mode).
  FPrinterPaperWidthPixels =
      static_cast<int>(std::nearbyint(GetDeviceCaps(canvas, LOGPIXELSX) * FPrinterPaperWidthInches));
  FPrinterPaperHeightPixels =
      static_cast<int>(std::nearbyint(GetDeviceCaps(canvas, LOGPIXELSY) * FPrinterPaperHeightInches));
}

void TiPlotComponent::PrintChart() {
  try {
    TPrinter* printer = Printer();
    if (printer->GetPrinting()) printer->EndDoc();
    printer->SetOrientation(FPrintOrientation);
    printer->SetTitle(FPrintDocumentName);
    if (FPrintShowDialog) {
      TPrintDialog dialog(nullptr);
      if (!dialog.Execute()) return;
    }
    UpdateBracket bracket(*this);
    if (GetXAxisCount() > 0) {
      FPrintXStart = GetXAxis(0)->GetMin();
      FPrintXStop = GetXAxis(0)->GetMax();
    }
    DoPrint();
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Printing : ") + e.what());
  }
}

void TiPlotComponent::DoPrint() {
  TPrinter* printer = Printer();
  if (!FPrinterName.empty() && FPrinterName.find_first_not_of(" \t") != std::string::npos) {
    const int index = printer->GetPrinters()->IndexOf(FPrinterName);
    if (index >= 0) printer->SetPrinterIndex(index);
  }
  ReadPrinterPaper();
  TCanvas* canvas = printer->GetCanvas();
  const int dpiX = GetDeviceCaps(canvas, LOGPIXELSX), dpiY = GetDeviceCaps(canvas, LOGPIXELSY);
  // A page scale of 0 or below would print nothing or upside down: refused
  // before any page.
  if (GetWidth() <= 0 || GetHeight() <= 0) throw Exception("The plot has no width or height to print");
  const double roomX = FPrinterPaperWidthPixels - (FPrintMarginLeft + FPrintMarginRight) * dpiX;
  const double roomY = FPrinterPaperHeightPixels - (FPrintMarginTop + FPrintMarginBottom) * dpiY;
  if (roomX <= 0 || roomY <= 0) throw Exception("The print margins leave no room on the paper");

  printer->BeginDoc();
  try {
    TiPlotXAxis* axis = GetXAxisCount() > 0 ? GetXAxis(0) : nullptr;
    const double oldMin = axis ? axis->GetMin() : 0, oldSpan = axis ? axis->GetSpan() : 0;
    const int oldWidth = GetWidth(), oldHeight = GetHeight();
    const int oldMargins[4] = {FOuterMarginLeft, FOuterMarginTop, FOuterMarginRight, FOuterMarginBottom};
    auto restore = [&] {
      if (axis) {
        axis->SetMin(oldMin);
        axis->SetSpan(oldSpan);
      }
      SetWidth(oldWidth);
      SetHeight(oldHeight);
      SetOuterMarginLeft(oldMargins[0]);
      SetOuterMarginTop(oldMargins[1]);
      SetOuterMarginRight(oldMargins[2]);
      SetOuterMarginBottom(oldMargins[3]);
    };
    try {
      ToolBarsHidden hidden(*this);
      FMaster->DeSelectAll();
      if (OnBeforePrint) OnBeforePrint(this);
      const int offX = GetDeviceCaps(canvas, PHYSICALOFFSETX), offY = GetDeviceCaps(canvas, PHYSICALOFFSETY);
      auto printOne = [&] {
        const double scale = std::min(roomX / GetWidth(), roomY / GetHeight());
        const TRect r(static_cast<int>(std::nearbyint(dpiX * FPrintMarginLeft - offX)),
                      static_cast<int>(std::nearbyint(dpiY * FPrintMarginTop - offY)),
                      static_cast<int>(std::nearbyint(dpiX * FPrintMarginLeft - offX + GetWidth() * scale)),
                      static_cast<int>(std::nearbyint(dpiY * FPrintMarginTop - offY + GetHeight() * scale)));
        ReCalcLayout();
        PrintPage(r);
      };
      if (!axis) {
        // Nothing to page along: one page of what the plot shows.
        if (OnBeforePrintPage) OnBeforePrintPage(1, true);
        printOne();
      } else {
        int page = 1;
        axis->SetMin(FPrintXStart);
        while (axis->GetMin() < FPrintXStop) {
          if (OnBeforePrintPage) OnBeforePrintPage(page, axis->GetMax() >= FPrintXStop);
          printOne();
          if (!(axis->GetMin() + axis->GetSpan() > axis->GetMin()) || axis->GetMax() >= FPrintXStop) break;
          printer->NewPage();
          ++page;
          axis->SetMin(axis->GetMin() + axis->GetSpan());
        }
      }
      if (OnAfterPrint) OnAfterPrint(this);
    } catch (...) {
      restore();
      throw;
    }
    restore();
  } catch (...) {
    printer->EndDoc();
    throw;
  }
  printer->EndDoc();
}

void TiPlotComponent::PrintPage(const TRect& Rect) {
  TMetafile metafile;
  metafile.SetSize(GetWidth(), GetHeight());
  {
    TMetafileCanvas canvas(&metafile, kCreatedBy, "");
    iPaintToCanvas(&canvas);
  }
  Printer()->GetCanvas()->StretchDraw(Rect, &metafile);
}

void TiPlotComponent::PrintSizeToFillPage() {
  // Before any print job the paper fields are still 0: ask the printer.
  if (FPrinterPaperWidthInches <= 0 || FPrinterPaperHeightInches <= 0) ReadPrinterPaper();
  if (FPrinterPaperWidthInches > 0)
    SetHeight(static_cast<int>(GetWidth() * FPrinterPaperHeightInches / FPrinterPaperWidthInches));
  ReCalcLayout();
}

void TiPlotComponent::PrintAdjustXSpanToMinutesPerMillimeter(double MinutesPerMillimeter) {
  if (FPrinterPaperWidthInches <= 0 || FPrinterPaperHeightInches <= 0) ReadPrinterPaper();
  ReCalcLayout();
  if (GetXAxisCount() == 0 || GetHeight() <= 0) return;
  const double room = FPrinterPaperHeightInches - FPrintMarginTop - FPrintMarginBottom;
  if (room <= 0) return;
  TiPlotXAxis* axis = GetXAxis(0);
  const double span = std::abs(axis->GetMaxPixels() - axis->GetMinPixels()) * room / GetHeight() * 25.4 *
                      MinutesPerMillimeter / 1440;
  axis->SetSpan(span);
}

// ---------------------------------------------------------------- preview

void TiPlotComponent::PreviewChart() {
  std::unique_ptr<TiPlotPreviewForm> form(new TiPlotPreviewForm(Application));
  form->AfterConstruction();
  iPlotPreviewForm = form.get();
  struct Forget {
    ~Forget() { iPlotPreviewForm = nullptr; }
  } forget;
  form->iComponent = this;
  form->PrintMarginLeft = FPrintMarginLeft;
  form->PrintMarginRight = FPrintMarginRight;
  form->PrintMarginTop = FPrintMarginTop;
  form->PrintMarginBottom = FPrintMarginBottom;
  form->PrintOrientation = FPrintOrientation;
  form->PrintDocumentName = FPrintDocumentName;
  form->SetCaption(FPrintDocumentName + " (Preview)");
  form->DoTranslation();
  form->ShowModal();
}
