#include "platform/classlib/Printers.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cmath>
#include <filesystem>

#include "platform/classlib/Dialogs.h"

namespace {

struct PaperSize {
  int Code;
  double Width;
  double Height;
  bool Millimetres;
};

// Paper codes of the printing system with their sizes.
constexpr PaperSize kPapers[] = {
    {1, 8.5, 11, false},      {2, 8.5, 11, false},     {3, 11, 17, false},        {4, 17, 11, false},
    {5, 8.5, 14, false},      {6, 5.5, 8.5, false},    {7, 7.25, 10.5, false},    {8, 297, 420, true},
    {9, 210, 297, true},      {10, 210, 297, true},    {11, 148, 210, true},      {12, 250, 354, true},
    {13, 182, 257, true},     {14, 8.5, 13, false},    {15, 215, 275, true},      {16, 10, 14, false},
    {17, 11, 17, false},      {18, 8.5, 11, false},    {19, 3.875, 8.875, false}, {20, 4.125, 9.5, false},
    {21, 4.5, 10.375, false}, {22, 4.75, 11, false},   {23, 5, 11.5, false},      {24, 17, 22, false},
    {25, 22, 34, false},      {26, 34, 44, false},     {27, 110, 220, true},      {28, 162, 229, true},
    {29, 324, 458, true},     {30, 229, 324, true},    {31, 114, 162, true},      {32, 114, 229, true},
    {33, 250, 353, true},     {34, 176, 250, true},    {35, 176, 125, true},      {36, 110, 230, true},
    {37, 3.875, 7.5, false},  {38, 3.625, 6.5, false}, {39, 14.875, 11, false},   {40, 8.5, 12, false},
    {41, 8.5, 13, false},     {42, 250, 353, true},    {43, 100, 148, true},      {44, 9, 11, false},
    {45, 10, 11, false},      {46, 15, 11, false},     {47, 220, 220, true},      {50, 9.275, 12, false},
    {51, 9.275, 15, false},   {52, 11.69, 18, false},  {53, 236, 322, true},      {54, 8.5, 11, false},
    {55, 210, 297, true},     {56, 9.275, 12, false},  {57, 227, 356, true},      {58, 305, 487, true},
    {59, 8.5, 12.69, false},  {60, 210, 330, true},    {61, 148, 210, true},      {62, 182, 257, true},
    {63, 322, 445, true},     {64, 174, 235, true},    {65, 201, 276, true},      {66, 420, 594, true},
    {67, 297, 420, true},     {68, 322, 445, true},
};

const char* const kPdfPrinter = "PDF";

int Pixels(double inches) {
  return static_cast<int>(std::nearbyint(inches * TPrinter::kDotsPerInch));
}

}  // namespace

void PaperSizeInches(int PaperCode, double& Width, double& Height) {
  Width = 8.5;
  Height = 11;
  for (const auto& p : kPapers)
    if (p.Code == PaperCode) {
      Width = p.Millimetres ? p.Width / 25.4 : p.Width;
      Height = p.Millimetres ? p.Height / 25.4 : p.Height;
      return;
    }
}

int PaperCodeOfSize(double Width, double Height) {
  for (const auto& p : kPapers) {
    double w = 0, h = 0;
    PaperSizeInches(p.Code, w, h);
    if (std::fabs(w - Width) < 0.02 && std::fabs(h - Height) < 0.02) return p.Code;
  }
  return DMPAPER_LETTER;
}

// ---------------------------------------------------------------- TPrinter

struct TPrinter::Job {
  std::unique_ptr<QPdfWriter> pdf;
  std::unique_ptr<QPrinter> queue;
  QPainter painter;
  QImage page;
  TPoint offset;
};

TPrinter::TPrinter() : FPrinters(std::make_unique<TStringList>()), FCanvas(std::make_unique<TCanvas>()) {
  FCanvas->SetPixelsPerInch(kDotsPerInch, kDotsPerInch);
}

TPrinter::~TPrinter() {
  if (FJob) FJob->painter.end();
  FCanvas->SetImage(nullptr);
}

TStrings* TPrinter::GetPrinters() {
  FPrinters->Clear();
  for (const QString& name : QPrinterInfo::availablePrinterNames()) FPrinters->Add(name.toStdString());
  FPrinters->Add(kPdfPrinter);
  return FPrinters.get();
}

int TPrinter::GetPrinterIndex() {
  TStrings* list = GetPrinters();
  const int count = list->Count();
  if (FPrinterIndex >= 0 && FPrinterIndex < count) return FPrinterIndex;
  const int def = list->IndexOf(QPrinterInfo::defaultPrinterName().toStdString());
  return def >= 0 && def < count - 1 ? def : count - 1;
}

void TPrinter::SetPrinterIndex(int Value) {
  if (FJob) throw EPrinter("Printing in progress");
  if (Value < -1 || Value >= GetPrinters()->Count()) throw EPrinter("Printer selected is not valid");
  FPrinterIndex = Value;
}

std::string TPrinter::GetPrinterName() {
  const int index = GetPrinterIndex();
  return FPrinters->Get(index);
}

bool TPrinter::GetIsPdf() {
  return GetPrinterIndex() == FPrinters->Count() - 1;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  if (FJob) throw EPrinter("Printing in progress");
  FOrientation = Value;
}

void TPrinter::SetPaperCode(int Value) {
  if (FJob) throw EPrinter("Printing in progress");
  FPaperCode = Value;
}

int TPrinter::GetPageWidth() const {
  return FJob ? FJob->page.width() : 0;
}

int TPrinter::GetPageHeight() const {
  return FJob ? FJob->page.height() : 0;
}

std::string TPrinter::PdfFileName() const {
  if (!FDialogFileName.empty()) return FDialogFileName;
  if (!FOutputFileName.empty()) return FOutputFileName;
  namespace fs = std::filesystem;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  // A title is a file name here: no folder separators in it.
  std::string base = FTitle.empty() ? "Untitled" : FTitle;
  for (char& c : base)
    if (c == '/') c = '_';
  const fs::path dir = folder.toStdString();
  fs::path name = dir / (base + ".pdf");
  std::error_code ec;
  for (int n = 1; fs::exists(name, ec); ++n) name = dir / (base + " (" + std::to_string(n) + ").pdf");
  return name.string();
}

void TPrinter::BeginDoc() {
  if (FJob) throw EPrinter("Printing in progress");
  auto job = std::make_unique<Job>();
  double w = 0, h = 0;
  PaperSizeInches(FPaperCode, w, h);
  const QPageSize size(QSizeF(w, h), QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
  const QPageLayout::Orientation orientation =
      FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (FOrientation == poLandscape) std::swap(w, h);
  QSize page(Pixels(w), Pixels(h));
  std::string file;
  if (GetIsPdf()) {
    file = PdfFileName();
    job->pdf = std::make_unique<QPdfWriter>(QString::fromStdString(file));
    job->pdf->setResolution(kDotsPerInch);
    job->pdf->setPageLayout(QPageLayout(size, orientation, QMarginsF()));
    job->pdf->setTitle(QString::fromStdString(FTitle));
    job->pdf->setCreator(QString::fromStdString(FTitle));
    if (!job->painter.begin(job->pdf.get())) {
      std::error_code ec;
      // A writer that could not start may leave an empty file behind.
      if (std::filesystem::exists(file, ec) && std::filesystem::file_size(file, ec) == 0)
        std::filesystem::remove(file, ec);
      throw EPrinter("Cannot create the file \"" + file + "\"");
    }
  } else {
    job->queue = std::make_unique<QPrinter>(QPrinter::HighResolution);
    job->queue->setPrinterName(QString::fromStdString(GetPrinterName()));
    job->queue->setResolution(kDotsPerInch);
    job->queue->setFullPage(true);
    job->queue->setPageLayout(QPageLayout(size, orientation, QMarginsF()));
    job->queue->setDocName(QString::fromStdString(FTitle));
    if (!job->painter.begin(job->queue.get())) throw EPrinter("Cannot start printing on " + GetPrinterName());
    // The printable area inside the paper.
    const QRect paint = job->queue->pageLayout().paintRectPixels(kDotsPerInch);
    job->offset = {paint.left(), paint.top()};
    page = paint.size();
  }
  job->page = QImage(page, QImage::Format_RGB32);
  job->page.fill(Qt::white);
  FJob = std::move(job);
  FCanvas->SetImage(&FJob->page);
  FCanvas->SetPhysicalOffset(FJob->offset);
  FCanvas->SetPixelsPerInch(kDotsPerInch, kDotsPerInch);
  FPageNumber = 1;
  FLastFileName = file;
  FDialogFileName.clear();
}

void TPrinter::FlushPage() {
  // Lossless: a compressed page would blur the text it keeps sharp.
  FJob->painter.setRenderHint(QPainter::LosslessImageRendering);
  FJob->painter.drawImage(QPoint(FJob->offset.X, FJob->offset.Y), FJob->page);
}

void TPrinter::NewPage() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  FlushPage();
  if (FJob->pdf)
    FJob->pdf->newPage();
  else
    FJob->queue->newPage();
  FJob->page.fill(Qt::white);
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  if (!FJob) return;
  FlushPage();
  std::unique_ptr<Job> job = std::move(FJob);
  FCanvas->SetImage(nullptr);
  FCanvas->SetPhysicalOffset({0, 0});
  job->painter.end();
  FPageNumber = 0;
}

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}

// ---------------------------------------------------------------- TPrintDialog

bool TPrintDialog::Execute() {
  TPrinter* printer = Printer();
  TPrintDialogRequest request;
  TStrings* names = printer->GetPrinters();
  for (int i = 0; i < names->Count(); ++i) request.Printers.push_back(names->Get(i));
  request.PrinterIndex = printer->GetPrinterIndex();
  request.PaperCode = printer->GetPaperCode();
  request.Orientation = printer->GetOrientation();
  request.FileName = printer->GetOutputFileName();
  if (!DialogService().PrintDialog(request)) return false;
  const int count = static_cast<int>(request.Printers.size());
  printer->SetPrinterIndex(request.PrinterIndex >= 0 && request.PrinterIndex < count ? request.PrinterIndex
                                                                                     : -1);
  printer->SetPaperCode(request.PaperCode);
  printer->SetOrientation(request.Orientation);
  printer->SetDialogFileName(printer->GetIsPdf() ? request.FileName : std::string());
  return true;
}
