#pragma once
// The common dialogs (open, save, colour, font), the message windows
// (MessageBox, MessageDlg, ShowMessage) and the dialog service behind all
// of them and behind popup menus.
//
// Every question the program asks the user goes through one replaceable
// TDialogService. The default one shows the window toolkit's dialogs;
// TScriptedDialogService (for tests) records each question and gives the
// answers a test queued, so nothing waits for a person.

#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Printers.h"
#include "platform/classlib/StringList.h"

class TMenuItem;
class TPopupMenu;

// ---------------------------------------------------------------- message windows

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The answer of a window with these buttons closed without a choice
// (Escape, the close box): Cancel when it has one, else No, else OK.
TModalResult MsgDlgEscapeResult(TMsgDlgButtons Buttons);
// The same rule for MessageBox flags (MB_OK ... MB_RETRYCANCEL): IDCANCEL,
// else IDNO, else IDOK, else the first button.
int MessageBoxEscapeResult(unsigned Flags);
// The button ids of MessageBox flags, in the order they are shown.
std::vector<int> MessageBoxButtons(unsigned Flags);
// "&Yes", "OK", "N&o to All", ...; and the result each button gives.
std::string MsgDlgButtonCaption(TMsgDlgBtn Button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn Button);
// "Warning", "Error", "Information", "Confirmation"; the application's
// title for mtCustom.
std::string MsgDlgCaption(TMsgDlgType DlgType);

// The message window with Flags' buttons and icon; returns IDOK ... IDNO.
int MessageBox(HWND Wnd, const std::string& Text, const std::string& Caption, unsigned Flags);
// A window of the kind's caption and icon with the given buttons; returns
// mrYes, mrOk, ...
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// Msg with an OK button, captioned with the application's title.
void ShowMessage(const std::string& Msg);

// ---------------------------------------------------------------- file dialogs

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// One "description|pattern" pair of a Filter; a pattern may list several
// masks separated by ";".
struct TFileFilter {
  std::string Description;
  std::string Pattern;
};
// Splits "desc|pattern|desc|pattern"; an odd last part is a description
// without pattern and is dropped; empty text gives no filters.
std::vector<TFileFilter> ParseFileFilter(const std::string& Filter);

struct TFileDialogRequest {
  enum TKind { Open, Save };
  TKind Kind = Open;
  std::string Title;
  std::string Filter;
  int FilterIndex = 1;  // 1-based
  std::string InitialDir;
  std::string FileName;
  std::string DefaultExt;
  TOpenOptions Options;
};

struct TFileDialogResult {
  std::vector<std::string> Files;  // full names; one unless multi-selecting
  int FilterIndex = 1;             // the filter in use when the user chose
};

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog modally; true when the user chose, false on cancel
  // (then nothing changes).
  virtual bool Execute() = 0;
};

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute() override;

  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  // Stored without a leading dot.
  void SetDefaultExt(const std::string& Value);
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  // Every chosen name (with ofAllowMultiSelect several); emptied at each run.
  TStrings* GetFiles() const { return FFiles.get(); }

 protected:
  virtual TFileDialogRequest::TKind Kind() const { return TFileDialogRequest::Open; }
  // A chosen name, as the dialog hands it back: DefaultExt added when the
  // name has no extension of its own.
  std::string CompleteName(const std::string& Name) const;
  TFileDialogRequest MakeRequest() const;

  std::string FFileName;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  // With ofOverwritePrompt, a chosen file that exists is confirmed first
  // (Yes/No); No goes back to the file dialog.
  bool Execute() override;

 protected:
  TFileDialogRequest::TKind Kind() const override { return TFileDialogRequest::Save; }
};

// ---------------------------------------------------------------- colour and font

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  // Starts on Color (system colours resolved); on OK Color is the plain
  // RGB colour chosen.
  bool Execute() override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

 private:
  TColor FColor = clBlack;
};

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  // Starts on Font; on OK Font holds the face, size, style and colour
  // chosen (the character set stays unless the face changed).
  bool Execute() override;
  TFont* GetFont() const { return FFont.get(); }
  // Copies Value.
  void SetFont(const TFont* Value);

 private:
  std::unique_ptr<TFont> FFont;
};

// What the print dialog offers and, on OK, what the user chose.
struct TPrintDialogRequest {
  std::vector<std::string> Printers;  // the queues, then "PDF"
  int PrinterIndex = 0;
  int PaperCode = DMPAPER_LETTER;
  TPrinterOrientation Orientation = poPortrait;
  std::string FileName;  // the PDF file (for the "PDF" printer)
};

// ---------------------------------------------------------------- the service

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // False on cancel. Result.Files holds full names.
  virtual bool FileDialog(const TFileDialogRequest& Request, TFileDialogResult& Result) = 0;
  // Color comes in as a plain RGB colour and goes out as the choice.
  virtual bool ChooseColor(TColor& Color) = 0;
  virtual bool ChooseFont(TFont& Font) = 0;
  // False on cancel; on OK Request holds the choice.
  virtual bool PrintDialog(TPrintDialogRequest& Request) = 0;
  virtual int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) = 0;
  virtual TModalResult MessageDlg(const std::string& Msg, const std::string& Caption, TMsgDlgType DlgType,
                                  TMsgDlgButtons Buttons) = 0;
  // Shows Menu at the screen point and returns the item chosen, null when
  // it was dismissed. The caller runs the item's click.
  virtual TMenuItem* TrackPopupMenu(TPopupMenu* Menu, int X, int Y) = 0;
};

// The service in use.
TDialogService& DialogService();
// Puts Service (not owned) in place; null restores the toolkit's. Returns
// the one it replaces (null for the default).
TDialogService* SetDialogService(TDialogService* Service);

// The window toolkit's dialogs.
class TQtDialogService : public TDialogService {
 public:
  bool FileDialog(const TFileDialogRequest& Request, TFileDialogResult& Result) override;
  bool ChooseColor(TColor& Color) override;
  bool ChooseFont(TFont& Font) override;
  bool PrintDialog(TPrintDialogRequest& Request) override;
  // Application->MessageBox (one message window for the whole program).
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) override;
  TModalResult MessageDlg(const std::string& Msg, const std::string& Caption, TMsgDlgType DlgType,
                          TMsgDlgButtons Buttons) override;
  TMenuItem* TrackPopupMenu(TPopupMenu* Menu, int X, int Y) override;
};

// For tests: answers from a queue, in order, and records every question.
// While it lives it is the dialog service and Application->MessageBoxHook,
// so the application's own message windows (exception display) are answered
// too. A question with no queued answer, or with an answer of the wrong
// kind, is answered as if the user had cancelled (MsgDlgEscapeResult,
// MessageBoxEscapeResult, no file, no colour, no popup item) and counted
// in GetUnanswered() / GetMismatches().
class TScriptedDialogService : public TDialogService {
 public:
  enum TQuestionKind {
    qkOpenFile,
    qkSaveFile,
    qkColor,
    qkFont,
    qkMessageBox,
    qkMessageDlg,
    qkPopup,
    qkPrint
  };
  struct TQuestion {
    explicit TQuestion(TQuestionKind K) : Kind(K) {}
    TQuestionKind Kind;
    std::string Text;     // message text; the file name proposed; the font's face
    std::string Caption;  // window caption; the file dialog's title
    unsigned Flags = 0;   // MessageBox flags
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons;
    TFileDialogRequest File;
    TPrintDialogRequest Print;  // what the print dialog offered
    TColor Color = clNone;      // the colour offered
    int FontHeight = 0;
    TPoint Point;                    // where a popup was shown
    std::vector<std::string> Items;  // a popup's visible entries (names, or captions when unnamed)
    int Answer = 0;                  // the button given (MessageBox/MessageDlg)
    bool Accepted = false;           // a choice was made (not cancelled)
  };

  TScriptedDialogService();
  ~TScriptedDialogService() override;
  TScriptedDialogService(const TScriptedDialogService&) = delete;
  TScriptedDialogService& operator=(const TScriptedDialogService&) = delete;

  // Queue answers; each is used by the next question.
  void AnswerFile(const std::string& FileName, int FilterIndex = 0);  // 0: keep the offered index
  void AnswerFiles(const std::vector<std::string>& FileNames);
  void AnswerCancel();            // any question: cancel / close / dismiss
  void AnswerButton(int Result);  // IDYES, mrOk, ... (the same numbers)
  void AnswerColor(TColor Color);
  void AnswerFont(const TFont& Font);
  // Picks the popup item of that component name, or, for unnamed items,
  // caption without accelerators; "Parent/Child" walks into sub-menus.
  void AnswerPopup(const std::string& ItemPath);
  // The print dialog's OK with this choice (taken whole).
  void AnswerPrint(const TPrintDialogRequest& Choice);

  const std::vector<TQuestion>& GetQuestions() const { return FQuestions; }
  int GetUnanswered() const { return FUnanswered; }
  int GetMismatches() const { return FMismatches; }
  // Answers still queued.
  int GetPending() const { return static_cast<int>(FAnswers.size()); }
  void Reset();

  bool FileDialog(const TFileDialogRequest& Request, TFileDialogResult& Result) override;
  bool ChooseColor(TColor& Color) override;
  bool ChooseFont(TFont& Font) override;
  bool PrintDialog(TPrintDialogRequest& Request) override;
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) override;
  TModalResult MessageDlg(const std::string& Msg, const std::string& Caption, TMsgDlgType DlgType,
                          TMsgDlgButtons Buttons) override;
  TMenuItem* TrackPopupMenu(TPopupMenu* Menu, int X, int Y) override;

 private:
  enum TAnswerKind { akFiles, akCancel, akButton, akColor, akFont, akPopup, akPrint };
  struct TAnswer {
    explicit TAnswer(TAnswerKind K = akCancel) : Kind(K) {}
    TAnswerKind Kind;
    std::vector<std::string> Files;
    int Number = 0;
    TColor Color = clNone;
    std::shared_ptr<TFont> Font;
    std::string Path;
    TPrintDialogRequest Print;
  };
  // The next answer when it has one of the kinds wanted; null (counted)
  // otherwise. A cancel answer is always taken.
  const TAnswer* Next(std::initializer_list<TAnswerKind> Wanted);

  std::deque<TAnswer> FAnswers;
  TAnswer FCurrent;
  std::vector<TQuestion> FQuestions;
  int FUnanswered = 0;
  int FMismatches = 0;
  TDialogService* FPrevious = nullptr;
  TMessageBoxHook FPreviousHook;
  bool FHooked = false;
};
