#pragma once
// The printer: every print queue the system's print service offers, then
// always one named "PDF" that writes each job as a PDF file. A job's
// pages are drawn on an ordinary canvas at 300 dots per inch and handed to
// the window toolkit's print support page by page.

#include <memory>
#include <string>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/StringList.h"

enum TPrinterOrientation { poPortrait, poLandscape };

// Paper codes of the printing system (Letter 1, Legal 5, A3 8, A4 9, A5 11, ...)
// and their sizes in inches; a code it does not know is Letter.
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_LEGAL = 5;
constexpr int DMPAPER_A3 = 8;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_A5 = 11;
void PaperSizeInches(int PaperCode, double& Width, double& Height);
// The first code of that portrait size (within 0.02 inch); Letter when none.
int PaperCodeOfSize(double Width, double Height);

class EPrinter : public Exception {
 public:
  using Exception::Exception;
};

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The queues, read again on every call, then "PDF".
  TStrings* GetPrinters();
  // The printer in use; -1 chooses the system's default queue ("PDF" when
  // there is none). Refused while a job runs.
  int GetPrinterIndex();
  void SetPrinterIndex(int Value);
  std::string GetPrinterName();
  bool GetIsPdf();

  TPrinterOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  int GetPaperCode() const { return FPaperCode; }
  void SetPaperCode(int Value);
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // The file of the next PDF job; empty: the title plus ".pdf" in the
  // user's documents folder (a number is added when the name is taken).
  const std::string& GetOutputFileName() const { return FOutputFileName; }
  void SetOutputFileName(const std::string& Value) { FOutputFileName = Value; }
  // A file chosen in the print dialog: used by the next job before the
  // output file name, then forgotten.
  void SetDialogFileName(const std::string& Value) { FDialogFileName = Value; }
  const std::string& GetDialogFileName() const { return FDialogFileName; }
  // The PDF file the last job wrote (empty for a queue).
  const std::string& GetLastFileName() const { return FLastFileName; }

  // Starts a job (EPrinter when one runs or its file cannot be made).
  void BeginDoc();
  // Ends the job: the last page goes out and the file is complete.
  void EndDoc();
  void NewPage();
  bool GetPrinting() const { return FJob != nullptr; }
  int GetPageNumber() const { return FPageNumber; }
  // The page: 300 dpi, (0, 0) at the printable area's corner, its offset
  // on the paper in PHYSICALOFFSETX/Y. Draws nothing outside a job.
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  // The printable area in pixels.
  int GetPageWidth() const;
  int GetPageHeight() const;

  static constexpr int kDotsPerInch = 300;

 private:
  struct Job;
  void FlushPage();
  std::string PdfFileName() const;
  void PageGeometry(int& Width, int& Height, TPoint& Offset);

  std::unique_ptr<TStringList> FPrinters;
  int FPrinterIndex = -1;
  TPrinterOrientation FOrientation = poPortrait;
  int FPaperCode = DMPAPER_LETTER;
  std::string FTitle;
  std::string FOutputFileName;
  std::string FDialogFileName;
  std::string FLastFileName;
  std::unique_ptr<Job> FJob;
  std::unique_ptr<TCanvas> FCanvas;
  int FPageNumber = 0;
};

// The program's one printer.
TPrinter* Printer();

// The print dialog: printer, paper, orientation and, for "PDF", the file;
// through the dialog service. On OK the choice goes to Printer().
class TPrintDialog : public TComponent {
 public:
  explicit TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}
  bool Execute();
};
