#include "platform/classlib/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrlsNative.h"

// Menus.cpp: the toolkit's popup for the default service.
TMenuItem* TrackPopupWithToolkit(TPopupMenu* Menu, int X, int Y);
// The toolkit's message window, also behind Application->MessageBox.
int ToolkitMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

namespace {

TDialogService* gService = nullptr;

TQtDialogService& DefaultService() {
  static TQtDialogService service;
  return service;
}

std::string ApplicationTitle() {
  if (!Application) return std::string();
  if (!Application->GetTitle().empty()) return Application->GetTitle();
  const std::string exe = Application->GetExeName();
  const auto slash = exe.rfind('/');
  return slash == std::string::npos ? exe : exe.substr(slash + 1);
}

constexpr TMsgDlgBtn kAllButtons[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                      mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbClose};

QWidget* DialogParent() {
  return QApplication::activeWindow();
}

// The toolkit's own dialogs wear the main form's face and text colours
// (fields a shade deeper), not the platform's light defaults.
void WearMainFormLook(QWidget* Dialog) {
  TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
  if (!main || !Dialog) return;
  const TColor face = main->GetColor();
  const TColor text = main->GetFont()->GetColor();
  stdctrls::ApplyColors(Dialog, {{face, text, QPalette::Window, QPalette::WindowText},
                                 {face, text, QPalette::Button, QPalette::ButtonText},
                                 {stdctrls::FieldColorFor(face), text, QPalette::Base, QPalette::Text}});
}

struct WindowButton {
  std::string caption;
  int result;
};

// One message window: the answer of the button pressed, or escapeResult
// when it is closed without one.
int RunMessageWindow(const std::string& Text, const std::string& Caption, QMessageBox::Icon Icon,
                     const std::vector<WindowButton>& Buttons, std::size_t DefaultIndex, int EscapeResult) {
  QMessageBox box(DialogParent());
  box.setWindowTitle(QString::fromStdString(Caption));
  box.setText(QString::fromStdString(Text));
  box.setIcon(Icon);
  std::vector<QPushButton*> pushed;
  for (const WindowButton& b : Buttons)
    pushed.push_back(box.addButton(QString::fromStdString(b.caption), QMessageBox::AcceptRole));
  if (DefaultIndex < pushed.size()) box.setDefaultButton(pushed[DefaultIndex]);
  for (std::size_t i = 0; i < Buttons.size(); ++i)
    if (Buttons[i].result == EscapeResult) box.setEscapeButton(pushed[i]);
  WearMainFormLook(&box);
  RunToolkitModal(&box, [&box] { box.exec(); });
  for (std::size_t i = 0; i < pushed.size(); ++i)
    if (box.clickedButton() == pushed[i]) return Buttons[i].result;
  return EscapeResult;
}

QMessageBox::Icon IconOfFlags(unsigned Flags) {
  switch (Flags & 0xF0) {
    case MB_ICONSTOP:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

std::string MessageBoxButtonCaption(int id) {
  switch (id) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "&Abort";
    case IDRETRY:
      return "&Retry";
    case IDIGNORE:
      return "&Ignore";
    case IDYES:
      return "&Yes";
    case IDNO:
      return "&No";
    default:
      return "?";
  }
}

// The file's extension (with its dot) when its last path part has one.
bool HasExtension(const std::string& name) {
  const auto slash = name.find_last_of('/');
  const auto dot = name.rfind('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot + 1 < name.size();
}

bool FileExists(const std::string& name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::exists(name, ec);
}

}  // namespace

// ---------------------------------------------------------------- message windows

TModalResult MsgDlgEscapeResult(TMsgDlgButtons Buttons) {
  if (Buttons.Contains(mbCancel)) return mrCancel;
  if (Buttons.Contains(mbNo)) return mrNo;
  if (Buttons.Contains(mbOK)) return mrOk;
  if (Buttons.Contains(mbClose)) return mrClose;
  for (TMsgDlgBtn b : kAllButtons)
    if (Buttons.Contains(b)) return MsgDlgButtonResult(b);
  return mrCancel;
}

std::vector<int> MessageBoxButtons(unsigned Flags) {
  switch (Flags & 0x0F) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

int MessageBoxEscapeResult(unsigned Flags) {
  const std::vector<int> ids = MessageBoxButtons(Flags);
  for (int wanted : {IDCANCEL, IDNO, IDOK})
    if (std::find(ids.begin(), ids.end(), wanted) != ids.end()) return wanted;
  return ids.front();
}

std::string MsgDlgButtonCaption(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes:
      return "&Yes";
    case mbNo:
      return "&No";
    case mbOK:
      return "OK";
    case mbCancel:
      return "Cancel";
    case mbAbort:
      return "&Abort";
    case mbRetry:
      return "&Retry";
    case mbIgnore:
      return "&Ignore";
    case mbAll:
      return "&All";
    case mbNoToAll:
      return "N&o to All";
    case mbYesToAll:
      return "Yes to &All";
    case mbClose:
      return "&Close";
  }
  return std::string();
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOk;
    case mbCancel:
      return mrCancel;
    case mbAbort:
      return mrAbort;
    case mbRetry:
      return mrRetry;
    case mbIgnore:
      return mrIgnore;
    case mbAll:
      return mrAll;
    case mbNoToAll:
      return mrNoToAll;
    case mbYesToAll:
      return mrYesToAll;
    case mbClose:
      return mrClose;
  }
  return mrNone;
}

std::string MsgDlgCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirmation";
    case mtCustom:
      break;
  }
  return ApplicationTitle();
}

int MessageBox(HWND /*Wnd*/, const std::string& Text, const std::string& Caption, unsigned Flags) {
  return DialogService().MessageBox(Text, Caption, Flags);
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int /*HelpCtx*/) {
  // A window without buttons could not be closed by a choice: it gets OK.
  if (Buttons.Empty()) Buttons = TMsgDlgButtons{mbOK};
  return DialogService().MessageDlg(Msg, MsgDlgCaption(DlgType), DlgType, Buttons);
}

void ShowMessage(const std::string& Msg) {
  DialogService().MessageDlg(Msg, ApplicationTitle(), mtCustom, TMsgDlgButtons{mbOK});
}

// ---------------------------------------------------------------- filters

std::vector<TFileFilter> ParseFileFilter(const std::string& Filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= Filter.size() && !Filter.empty()) {
    const auto bar = Filter.find('|', start);
    if (bar == std::string::npos) {
      parts.push_back(Filter.substr(start));
      break;
    }
    parts.push_back(Filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<TFileFilter> out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) out.push_back({parts[i], parts[i + 1]});
  return out;
}

// ---------------------------------------------------------------- file dialogs

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& Value) {
  FDefaultExt = !Value.empty() && Value.front() == '.' ? Value.substr(1) : Value;
}

std::string TOpenDialog::CompleteName(const std::string& Name) const {
  if (FDefaultExt.empty() || Name.empty() || HasExtension(Name)) return Name;
  std::string out = Name;
  if (out.back() != '.') out += '.';
  return out + FDefaultExt;
}

TFileDialogRequest TOpenDialog::MakeRequest() const {
  TFileDialogRequest r;
  r.Kind = Kind();
  r.Title = FTitle;
  r.Filter = FFilter;
  r.FilterIndex = FFilterIndex;
  r.InitialDir = FInitialDir;
  r.FileName = FFileName;
  r.DefaultExt = FDefaultExt;
  r.Options = FOptions;
  return r;
}

bool TOpenDialog::Execute() {
  FFiles->Clear();
  TFileDialogResult result;
  if (!DialogService().FileDialog(MakeRequest(), result) || result.Files.empty()) return false;
  const bool multi = FOptions.Contains(ofAllowMultiSelect);
  for (const std::string& f : result.Files) {
    FFiles->Add(CompleteName(f));
    if (!multi) break;
  }
  FFileName = FFiles->Get(0);
  FFilterIndex = result.FilterIndex;
  return true;
}

bool TSaveDialog::Execute() {
  FFiles->Clear();
  TFileDialogRequest request = MakeRequest();
  for (;;) {
    TFileDialogResult result;
    if (!DialogService().FileDialog(request, result) || result.Files.empty()) return false;
    const std::string name = CompleteName(result.Files.front());
    if (FOptions.Contains(ofOverwritePrompt) && FileExists(name)) {
      const std::string caption = FTitle.empty() ? std::string("Confirm Save As") : FTitle;
      const int answer = DialogService().MessageBox(name + " already exists.\nDo you want to replace it?",
                                                    caption, MB_YESNO | MB_ICONWARNING);
      if (answer != IDYES) {
        // Back to the file dialog, on the name the user had chosen.
        request.FileName = name;
        request.FilterIndex = result.FilterIndex;
        continue;
      }
    }
    FFileName = name;
    FFiles->Add(name);
    FFilterIndex = result.FilterIndex;
    return true;
  }
}

// ---------------------------------------------------------------- colour and font

bool TColorDialog::Execute() {
  TColor color = ColorToRGB(FColor) & 0xFFFFFF;
  if (!DialogService().ChooseColor(color)) return false;
  FColor = color & 0xFFFFFF;
  return true;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(Value);
}

bool TFontDialog::Execute() {
  TFont font;
  font.Assign(FFont.get());
  if (!DialogService().ChooseFont(font)) return false;
  const TFontCharset charset = FFont->GetCharset();
  const bool sameFace = SameText(font.GetName(), FFont->GetName());
  FFont->Assign(&font);
  if (sameFace) FFont->SetCharset(charset);
  return true;
}

// ---------------------------------------------------------------- the service

TDialogService& DialogService() {
  return gService ? *gService : DefaultService();
}

TDialogService* SetDialogService(TDialogService* Service) {
  TDialogService* previous = gService;
  gService = Service;
  return previous;
}

bool TQtDialogService::FileDialog(const TFileDialogRequest& Request, TFileDialogResult& Result) {
  const bool save = Request.Kind == TFileDialogRequest::Save;
  QFileDialog dlg(DialogParent(), QString::fromStdString(Request.Title),
                  QString::fromStdString(Request.InitialDir));
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save)
    dlg.setFileMode(QFileDialog::AnyFile);
  else if (Request.Options.Contains(ofAllowMultiSelect))
    dlg.setFileMode(QFileDialog::ExistingFiles);
  else if (Request.Options.Contains(ofFileMustExist))
    dlg.setFileMode(QFileDialog::ExistingFile);
  else
    dlg.setFileMode(QFileDialog::AnyFile);
  // The save dialog asks about replacing a file itself, after the name is
  // complete.
  dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (Request.Options.Contains(ofForceShowHidden)) dlg.setFilter(dlg.filter() | QDir::Hidden);

  QStringList filters;
  for (const TFileFilter& f : ParseFileFilter(Request.Filter)) {
    std::string patterns = f.Pattern;
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    filters << QString::fromStdString(f.Description + " (" + patterns + ")");
  }
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    const int index =
        Request.FilterIndex >= 1 && Request.FilterIndex <= filters.size() ? Request.FilterIndex : 1;
    dlg.selectNameFilter(filters[index - 1]);
  }
  if (!Request.FileName.empty()) dlg.selectFile(QString::fromStdString(Request.FileName));
  int answer = QDialog::Rejected;
  WearMainFormLook(&dlg);
  RunToolkitModal(&dlg, [&] { answer = dlg.exec(); });
  if (answer != QDialog::Accepted) return false;

  Result.Files.clear();
  for (const QString& f : dlg.selectedFiles()) Result.Files.push_back(f.toStdString());
  const int chosen = static_cast<int>(filters.indexOf(dlg.selectedNameFilter()));
  Result.FilterIndex = chosen >= 0 ? chosen + 1 : Request.FilterIndex;
  return !Result.Files.empty();
}

bool TQtDialogService::ChooseColor(TColor& Color) {
  const QColor initial(GetRValue(Color), GetGValue(Color), GetBValue(Color));
  QColorDialog dlg(initial, DialogParent());
  int answer = QDialog::Rejected;
  WearMainFormLook(&dlg);
  RunToolkitModal(&dlg, [&] { answer = dlg.exec(); });
  const QColor chosen = dlg.selectedColor();
  if (answer != QDialog::Accepted || !chosen.isValid()) return false;
  Color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return true;
}

bool TQtDialogService::PrintDialog(TPrintDialogRequest& Request) {
  const bool pdf = Request.PrinterIndex == static_cast<int>(Request.Printers.size()) - 1;
  QPrinter printer(QPrinter::HighResolution);
  if (pdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Request.FileName));
  } else if (Request.PrinterIndex >= 0 && Request.PrinterIndex < static_cast<int>(Request.Printers.size())) {
    printer.setPrinterName(QString::fromStdString(Request.Printers[Request.PrinterIndex]));
  }
  double w = 0, h = 0;
  PaperSizeInches(Request.PaperCode, w, h);
  printer.setPageSize(QPageSize(QSizeF(w, h), QPageSize::Inch));
  printer.setPageOrientation(Request.Orientation == poLandscape ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
  QPrintDialog dlg(&printer, DialogParent());
  int answer = QDialog::Rejected;
  WearMainFormLook(&dlg);
  RunToolkitModal(&dlg, [&] { answer = dlg.exec(); });
  if (answer != QDialog::Accepted) return false;
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    Request.PrinterIndex = static_cast<int>(Request.Printers.size()) - 1;
    Request.FileName = printer.outputFileName().toStdString();
  } else {
    const std::string name = printer.printerName().toStdString();
    for (std::size_t i = 0; i + 1 < Request.Printers.size(); ++i)
      if (Request.Printers[i] == name) Request.PrinterIndex = static_cast<int>(i);
  }
  const QSizeF paper = printer.pageLayout().pageSize().size(QPageSize::Inch);
  Request.PaperCode =
      PaperCodeOfSize(std::min(paper.width(), paper.height()), std::max(paper.width(), paper.height()));
  Request.Orientation =
      printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
  return true;
}

bool TQtDialogService::ChooseFont(TFont& Font) {
  QFontDialog dlg(MakeQFont(Font), DialogParent());
  int answer = QDialog::Rejected;
  WearMainFormLook(&dlg);
  RunToolkitModal(&dlg, [&] { answer = dlg.exec(); });
  if (answer != QDialog::Accepted) return false;
  const QFont chosen = dlg.selectedFont();
  Font.SetName(chosen.family().toStdString());
  if (chosen.pixelSize() > 0)
    Font.SetHeight(-chosen.pixelSize());
  else
    Font.SetSize(static_cast<int>(chosen.pointSizeF() + 0.5));
  TFontStyles style;
  if (chosen.bold()) style << fsBold;
  if (chosen.italic()) style << fsItalic;
  if (chosen.underline()) style << fsUnderline;
  if (chosen.strikeOut()) style << fsStrikeOut;
  Font.SetStyle(style);
  return true;
}

int TQtDialogService::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  if (Application) return Application->MessageBox(Text, Caption, Flags);
  return ToolkitMessageBox(Text, Caption, Flags);
}

int ToolkitMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  std::vector<WindowButton> buttons;
  for (int id : MessageBoxButtons(Flags)) buttons.push_back({MessageBoxButtonCaption(id), id});
  const std::size_t def = (Flags & MB_DEFBUTTON3) ? 2 : (Flags & MB_DEFBUTTON2) ? 1 : 0;
  return RunMessageWindow(Text, Caption, IconOfFlags(Flags), buttons, def, MessageBoxEscapeResult(Flags));
}

TModalResult TQtDialogService::MessageDlg(const std::string& Msg, const std::string& Caption,
                                          TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (DlgType) {
    case mtWarning:
      icon = QMessageBox::Warning;
      break;
    case mtError:
      icon = QMessageBox::Critical;
      break;
    case mtInformation:
      icon = QMessageBox::Information;
      break;
    case mtConfirmation:
      icon = QMessageBox::Question;
      break;
    case mtCustom:
      break;
  }
  std::vector<WindowButton> buttons;
  std::size_t def = 0;
  bool defFound = false;
  for (TMsgDlgBtn b : kAllButtons) {
    if (!Buttons.Contains(b)) continue;
    if (!defFound && (b == mbOK || b == mbYes)) {
      def = buttons.size();
      defFound = true;
    }
    buttons.push_back({MsgDlgButtonCaption(b), MsgDlgButtonResult(b)});
  }
  return RunMessageWindow(Msg, Caption, icon, buttons, def, MsgDlgEscapeResult(Buttons));
}

TMenuItem* TQtDialogService::TrackPopupMenu(TPopupMenu* Menu, int X, int Y) {
  return TrackPopupWithToolkit(Menu, X, Y);
}

// ---------------------------------------------------------------- scripted service

TScriptedDialogService::TScriptedDialogService() {
  FPrevious = SetDialogService(this);
  if (Application) {
    FPreviousHook = Application->MessageBoxHook;
    Application->MessageBoxHook = [this](const std::string& Text, const std::string& Caption,
                                         unsigned Flags) { return MessageBox(Text, Caption, Flags); };
    FHooked = true;
  }
}

TScriptedDialogService::~TScriptedDialogService() {
  if (gService == this) SetDialogService(FPrevious);
  if (FHooked && Application) Application->MessageBoxHook = FPreviousHook;
}

void TScriptedDialogService::AnswerFile(const std::string& FileName, int FilterIndex) {
  TAnswer a{akFiles};
  a.Files = {FileName};
  a.Number = FilterIndex;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerFiles(const std::vector<std::string>& FileNames) {
  TAnswer a{akFiles};
  a.Files = FileNames;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerCancel() {
  FAnswers.push_back(TAnswer{akCancel});
}

void TScriptedDialogService::AnswerButton(int Result) {
  TAnswer a{akButton};
  a.Number = Result;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerColor(TColor Color) {
  TAnswer a{akColor};
  a.Color = Color;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerFont(const TFont& Font) {
  TAnswer a{akFont};
  a.Font = std::make_shared<TFont>();
  a.Font->Assign(&Font);
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerPopup(const std::string& ItemPath) {
  TAnswer a{akPopup};
  a.Path = ItemPath;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::AnswerPrint(const TPrintDialogRequest& Choice) {
  TAnswer a{akPrint};
  a.Print = Choice;
  FAnswers.push_back(std::move(a));
}

void TScriptedDialogService::Reset() {
  FAnswers.clear();
  FQuestions.clear();
  FUnanswered = 0;
  FMismatches = 0;
}

const TScriptedDialogService::TAnswer* TScriptedDialogService::Next(
    std::initializer_list<TAnswerKind> Wanted) {
  if (FAnswers.empty()) {
    ++FUnanswered;
    return nullptr;
  }
  const TAnswer& front = FAnswers.front();
  const bool fits =
      front.Kind == akCancel || std::find(Wanted.begin(), Wanted.end(), front.Kind) != Wanted.end();
  if (!fits) {
    // Left queued: the question the test meant it for may still come.
    ++FMismatches;
    return nullptr;
  }
  FCurrent = front;
  FAnswers.pop_front();
  return &FCurrent;
}

bool TScriptedDialogService::FileDialog(const TFileDialogRequest& Request, TFileDialogResult& Result) {
  TQuestion q{Request.Kind == TFileDialogRequest::Save ? qkSaveFile : qkOpenFile};
  q.Text = Request.FileName;
  q.Caption = Request.Title;
  q.File = Request;
  const TAnswer* a = Next({akFiles});
  if (a && a->Kind == akFiles && !a->Files.empty()) {
    Result.Files = a->Files;
    Result.FilterIndex = a->Number > 0 ? a->Number : Request.FilterIndex;
    q.Accepted = true;
  }
  FQuestions.push_back(std::move(q));
  return FQuestions.back().Accepted;
}

bool TScriptedDialogService::ChooseColor(TColor& Color) {
  TQuestion q{qkColor};
  q.Color = Color;
  const TAnswer* a = Next({akColor});
  if (a && a->Kind == akColor) {
    Color = a->Color;
    q.Accepted = true;
  }
  FQuestions.push_back(std::move(q));
  return FQuestions.back().Accepted;
}

bool TScriptedDialogService::PrintDialog(TPrintDialogRequest& Request) {
  TQuestion q{qkPrint};
  q.Print = Request;
  const TAnswer* a = Next({akPrint});
  if (a && a->Kind == akPrint) {
    Request = a->Print;
    q.Accepted = true;
  }
  FQuestions.push_back(std::move(q));
  return FQuestions.back().Accepted;
}

bool TScriptedDialogService::ChooseFont(TFont& Font) {
  TQuestion q{qkFont};
  q.Text = Font.GetName();
  q.FontHeight = Font.GetHeight();
  const TAnswer* a = Next({akFont});
  if (a && a->Kind == akFont && a->Font) {
    Font.Assign(a->Font.get());
    q.Accepted = true;
  }
  FQuestions.push_back(std::move(q));
  return FQuestions.back().Accepted;
}

int TScriptedDialogService::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  TQuestion q{qkMessageBox};
  q.Text = Text;
  q.Caption = Caption;
  q.Flags = Flags;
  const std::vector<int> ids = MessageBoxButtons(Flags);
  int answer = MessageBoxEscapeResult(Flags);
  const TAnswer* a = Next({akButton});
  if (a && a->Kind == akButton) {
    if (std::find(ids.begin(), ids.end(), a->Number) != ids.end()) {
      answer = a->Number;
      q.Accepted = true;
    } else {
      // The window has no such button.
      ++FMismatches;
    }
  }
  q.Answer = answer;
  FQuestions.push_back(std::move(q));
  return answer;
}

TModalResult TScriptedDialogService::MessageDlg(const std::string& Msg, const std::string& Caption,
                                                TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TQuestion q{qkMessageDlg};
  q.Text = Msg;
  q.Caption = Caption;
  q.DlgType = DlgType;
  q.Buttons = Buttons;
  TModalResult answer = MsgDlgEscapeResult(Buttons);
  const TAnswer* a = Next({akButton});
  if (a && a->Kind == akButton) {
    bool offered = false;
    for (TMsgDlgBtn b : kAllButtons)
      if (Buttons.Contains(b) && MsgDlgButtonResult(b) == a->Number) offered = true;
    if (offered) {
      answer = a->Number;
      q.Accepted = true;
    } else {
      ++FMismatches;
    }
  }
  q.Answer = answer;
  FQuestions.push_back(std::move(q));
  return answer;
}

namespace {

std::string EntryLabel(const TMenuItem* item) {
  return item->GetName().empty() ? StripHotkey(item->GetCaption()) : item->GetName();
}

TMenuItem* FindEntry(TMenuItem* parent, const std::string& label) {
  const std::string shown = StripHotkey(label);
  for (int i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItems(i);
    if (SameText(item->GetName(), label) || SameText(StripHotkey(item->GetCaption()), shown)) return item;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TScriptedDialogService::TrackPopupMenu(TPopupMenu* Menu, int X, int Y) {
  TQuestion q{qkPopup};
  q.Point = Point(X, Y);
  TMenuItem* root = Menu ? Menu->GetItems() : nullptr;
  if (root)
    for (int i = 0; i < root->GetCount(); ++i)
      if (root->GetItems(i)->GetVisible() && !root->GetItems(i)->IsLine())
        q.Items.push_back(EntryLabel(root->GetItems(i)));
  TMenuItem* chosen = nullptr;
  const TAnswer* a = Next({akPopup});
  if (a && a->Kind == akPopup && root) {
    TMenuItem* at = root;
    std::size_t start = 0;
    while (at) {
      const auto slash = a->Path.find('/', start);
      const std::string part =
          a->Path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      at = FindEntry(at, part);
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    chosen = at;
    if (!chosen) ++FMismatches;
  }
  q.Accepted = chosen != nullptr;
  q.Caption = chosen ? EntryLabel(chosen) : std::string();
  FQuestions.push_back(std::move(q));
  return chosen;
}
