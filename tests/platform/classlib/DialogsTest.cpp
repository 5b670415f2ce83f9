#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/classlib/Dialogs.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace {

using Q = TScriptedDialogService;

// A scratch folder with one existing file, removed afterwards.
struct Scratch {
  std::string dir = "/tmp/tavo-dialogs-" + std::to_string(::getpid());
  std::string existing = dir + "/old.prs";
  Scratch() {
    std::filesystem::create_directories(dir);
    std::ofstream(existing) << "x";
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

TEST(FileFilter, PairsOfDescriptionAndPattern) {
  struct Case {
    const char* filter;
    std::vector<std::pair<std::string, std::string>> pairs;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"*.prs|*.prs", {{"*.prs", "*.prs"}}},
      {"Bitmap (*.bmp)|*.bmp|JPEG|*.jpg;*.jpeg", {{"Bitmap (*.bmp)", "*.bmp"}, {"JPEG", "*.jpg;*.jpeg"}}},
      {"odd|*.a|dangling", {{"odd", "*.a"}}},
      {"empty||x|*.x", {{"empty", ""}, {"x", "*.x"}}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& f : ParseFileFilter(c.filter)) got.emplace_back(f.Description, f.Pattern);
    EXPECT_EQ(got, c.pairs) << c.filter;
  }
}

TEST(OpenDialog, ChoiceOrCancel) {
  classlib_test::App();
  Q user;
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("*.prs|*.prs");
  dlg.SetInitialDir("/tmp");
  dlg.SetTitle("Open preset");
  dlg.SetFileName("start.prs");

  user.AnswerFile("/tmp/a.prs");
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), "/tmp/a.prs");
  EXPECT_EQ(dlg.GetFiles()->ToVector(), (std::vector<std::string>{"/tmp/a.prs"}));
  const auto& q = user.GetQuestions().back();
  EXPECT_EQ(q.Kind, Q::qkOpenFile);
  EXPECT_EQ(q.File.Filter, "*.prs|*.prs");
  EXPECT_EQ(q.File.FilterIndex, 1);
  EXPECT_EQ(q.File.InitialDir, "/tmp");
  EXPECT_EQ(q.Caption, "Open preset");
  EXPECT_EQ(q.Text, "start.prs");

  // Cancel: false, the name stays, the file list is emptied.
  user.AnswerCancel();
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), "/tmp/a.prs");
  EXPECT_EQ(dlg.GetFiles()->Count(), 0);
  // No answer at all counts as a cancel, and is counted.
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(user.GetUnanswered(), 1);
  EXPECT_EQ(dlg.GetFileName(), "/tmp/a.prs");
}

TEST(OpenDialog, MultiSelectionAndFilterIndex) {
  classlib_test::App();
  Q user;
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Presets|*.prs|Units|*.unt");
  dlg.SetFilterIndex(2);
  user.AnswerFiles({"/x/1.unt", "/x/2.unt"});
  dlg.SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFiles()->ToVector(), (std::vector<std::string>{"/x/1.unt", "/x/2.unt"}));
  EXPECT_EQ(dlg.GetFileName(), "/x/1.unt");
  EXPECT_EQ(dlg.GetFilterIndex(), 2);
  EXPECT_TRUE(user.GetQuestions().back().File.Options.Contains(ofFileMustExist));

  // Without multi-selection only the first name counts; the user's filter
  // comes back.
  dlg.SetOptions(TOpenOptions{});
  user.AnswerFile("/x/3.prs", 1);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFiles()->Count(), 1);
  EXPECT_EQ(dlg.GetFilterIndex(), 1);
}

TEST(SaveDialog, DefaultExtensionOnlyForNamesWithout) {
  classlib_test::App();
  Q user;
  TSaveDialog dlg(nullptr);
  dlg.SetDefaultExt(".prs");
  EXPECT_EQ(dlg.GetDefaultExt(), "prs");
  struct Case {
    const char* chosen;
    const char* result;
  };
  for (const Case c : {Case{"/p/name", "/p/name.prs"}, Case{"/p/name.txt", "/p/name.txt"},
                       Case{"/p.d/name", "/p.d/name.prs"}, Case{"/p/name.", "/p/name.prs"}}) {
    user.AnswerFile(c.chosen);
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.GetFileName(), c.result);
  }
}

TEST(SaveDialog, OverwritePrompt) {
  classlib_test::App();
  Scratch s;
  const std::string fresh = s.dir + "/new.prs";
  struct Case {
    const char* what;
    bool option;
    bool exists;
    std::vector<int> buttons;  // answers to the prompts; 0 = cancel the file dialog
    bool result;
    int prompts;
    int fileDialogs;
  };
  const std::vector<Case> cases = {
      {"option off, file exists", false, true, {}, true, 0, 1},
      {"option on, new file", true, false, {}, true, 0, 1},
      {"option on, replace", true, true, {IDYES}, true, 1, 1},
      {"option on, keep, then cancel", true, true, {IDNO, 0}, false, 1, 2},
      {"option on, keep, choose again", true, true, {IDNO, -1}, true, 1, 2},
  };
  for (const auto& c : cases) {
    Q user;
    TSaveDialog dlg(nullptr);
    dlg.SetFileName("before");
    dlg.SetFilter("*.prs|*.prs");
    if (c.option) dlg.SetOptions(dlg.GetOptions() + TOpenOptions{ofOverwritePrompt});
    user.AnswerFile(c.exists ? s.existing : fresh);
    for (int b : c.buttons) {
      if (b == 0)
        user.AnswerCancel();
      else if (b == -1)
        user.AnswerFile(fresh);
      else
        user.AnswerButton(b);
    }
    EXPECT_EQ(dlg.Execute(), c.result) << c.what;
    int prompts = 0, files = 0;
    for (const auto& q : user.GetQuestions()) {
      if (q.Kind == Q::qkMessageBox) {
        ++prompts;
        EXPECT_EQ(q.Flags, MB_YESNO | MB_ICONWARNING);
        EXPECT_EQ(q.Text, s.existing + " already exists.\nDo you want to replace it?");
        EXPECT_EQ(q.Caption, "Confirm Save As");
      }
      if (q.Kind == Q::qkSaveFile) ++files;
    }
    EXPECT_EQ(prompts, c.prompts) << c.what;
    EXPECT_EQ(files, c.fileDialogs) << c.what;
    if (files == 2) {
      EXPECT_EQ(user.GetQuestions().back().File.FileName, s.existing) << c.what;
    }
    if (!c.result) {
      EXPECT_EQ(dlg.GetFileName(), "before") << c.what;
    }
    EXPECT_EQ(user.GetPending(), 0) << c.what;
    EXPECT_EQ(user.GetMismatches(), 0) << c.what;
  }
}

TEST(ColorDialog, StartsOnTheResolvedColour) {
  classlib_test::App();
  Q user;
  TColorDialog dlg(nullptr);
  dlg.SetColor(clBtnFace);
  user.AnswerColor(RGB(1, 2, 3));
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(user.GetQuestions().back().Color, ColorToRGB(clBtnFace));
  EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));
  user.AnswerCancel();
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));
}

TEST(FontDialog, TakesTheChosenFont) {
  classlib_test::App();
  Q user;
  TFontDialog dlg(nullptr);
  TFont start;
  start.SetName("Tahoma");
  start.SetHeight(-11);
  start.SetCharset(GB2312_CHARSET);
  dlg.SetFont(&start);

  TFont picked;
  picked.SetName("tahoma");  // the same face: the character set stays
  picked.SetHeight(-16);
  picked.SetStyle(TFontStyles{fsBold});
  picked.SetColor(clRed);
  picked.SetCharset(ANSI_CHARSET);
  user.AnswerFont(picked);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(user.GetQuestions().back().Text, "Tahoma");
  EXPECT_EQ(user.GetQuestions().back().FontHeight, -11);
  EXPECT_EQ(dlg.GetFont()->GetHeight(), -16);
  EXPECT_TRUE(dlg.GetFont()->GetStyle().Contains(fsBold));
  EXPECT_EQ(dlg.GetFont()->GetColor(), clRed);
  EXPECT_EQ(dlg.GetFont()->GetCharset(), GB2312_CHARSET);

  picked.SetName("Arial");  // another face brings its own
  user.AnswerFont(picked);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFont()->GetCharset(), ANSI_CHARSET);

  user.AnswerCancel();
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.GetFont()->GetName(), "Arial");
}

TEST(MessageBox, ButtonsAnswersAndTheEscapeRule) {
  classlib_test::App();
  struct Case {
    unsigned flags;
    std::vector<int> buttons;
    int escape;
  };
  const std::vector<Case> cases = {
      {MB_OK | MB_ICONINFORMATION, {IDOK}, IDOK},
      {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
      {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDNO},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDCANCEL},
      {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, IDABORT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MessageBoxButtons(c.flags), c.buttons) << c.flags;
    Q user;
    // Each offered button is answered as given.
    for (int b : c.buttons) {
      user.AnswerButton(b);
      EXPECT_EQ(MessageBox(nullptr, "text", "caption", c.flags), b);
    }
    // Unanswered: the window closed without a choice.
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", c.flags), c.escape);
    EXPECT_EQ(user.GetUnanswered(), 1);
    // A button the window does not have is a script error.
    user.AnswerButton(IDIGNORE == c.buttons.back() ? IDOK : IDIGNORE);
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", c.flags), c.escape);
    EXPECT_EQ(user.GetMismatches(), 1) << c.flags;
    const auto& q = user.GetQuestions().front();
    EXPECT_EQ(q.Text, "text");
    EXPECT_EQ(q.Caption, "caption");
    EXPECT_EQ(q.Flags, c.flags);
  }
}

TEST(MessageDlg, CaptionsButtonsAndResults) {
  classlib_test::App()->SetTitle("TAVO test");
  struct Case {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    const char* caption;
    int answer;
    TModalResult result;
  };
  const std::vector<Case> cases = {
      {mtWarning, mbYesNo, "Warning", mrYes, mrYes},
      {mtError, TMsgDlgButtons{mbOK}, "Error", mrOk, mrOk},
      {mtInformation, mbOKCancel, "Information", 0, mrCancel},
      {mtConfirmation, mbYesNoCancel, "Confirmation", mrNo, mrNo},
      {mtConfirmation, mbYesNo, "Confirmation", 0, mrNo},
      {mtCustom, mbAbortRetryIgnore, "TAVO test", mrIgnore, mrIgnore},
      {mtCustom, mbAbortIgnore, "TAVO test", 0, mrAbort},
      {mtWarning, TMsgDlgButtons{}, "Warning", 0, mrOk},  // no buttons: OK
  };
  for (const auto& c : cases) {
    Q user;
    if (c.answer) user.AnswerButton(c.answer);
    EXPECT_EQ(MessageDlg("Sure?", c.type, c.buttons, 0), c.result) << c.caption;
    ASSERT_EQ(user.GetQuestions().size(), 1u);
    EXPECT_EQ(user.GetQuestions()[0].Kind, Q::qkMessageDlg);
    EXPECT_EQ(user.GetQuestions()[0].Caption, c.caption);
    EXPECT_EQ(user.GetQuestions()[0].Text, "Sure?");
  }
  for (TMsgDlgBtn b :
       {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbClose})
    EXPECT_FALSE(MsgDlgButtonCaption(b).empty());
  EXPECT_EQ(MsgDlgButtonResult(mbNoToAll), mrNoToAll);

  Q user;
  ShowMessage("Saved");
  ASSERT_EQ(user.GetQuestions().size(), 1u);
  EXPECT_EQ(user.GetQuestions()[0].Caption, "TAVO test");
  EXPECT_EQ(user.GetQuestions()[0].Buttons, TMsgDlgButtons{mbOK});
  EXPECT_EQ(user.GetQuestions()[0].Answer, mrOk);
  Application->SetTitle("");
}

TEST(DialogService, ScriptedServiceAlsoAnswersTheApplicationsWindows) {
  classlib_test::App();
  {
    Q user;
    user.AnswerButton(IDYES);
    EXPECT_EQ(Application->MessageBox("Quit?", "TAVO", MB_YESNO), IDYES);
    // An exception escaping a handler is shown through it as well.
    CallGuarded(nullptr, [] { throw Exception("Open File Error !!"); });
    ASSERT_EQ(user.GetQuestions().size(), 2u);
    EXPECT_EQ(user.GetQuestions()[1].Text, "Open File Error !!");
    EXPECT_EQ(user.GetQuestions()[1].Flags, MB_OK | MB_ICONSTOP);
  }
  // Gone: the default service is back, and its message window is the
  // application's (recorded by the test program's hook).
  classlib_test::Messages().clear();
  EXPECT_NE(dynamic_cast<TQtDialogService*>(&DialogService()), nullptr);
  EXPECT_EQ(MessageBox(nullptr, "plain", "c", MB_OK), IDOK);
  ASSERT_EQ(classlib_test::Messages().size(), 1u);
  EXPECT_EQ(classlib_test::Messages()[0].text, "plain");
}

TEST(DialogService, AnswersOfTheWrongKindStayQueued) {
  classlib_test::App();
  Q user;
  user.AnswerColor(clRed);
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(user.GetMismatches(), 1);
  EXPECT_EQ(user.GetPending(), 1);
  TColorDialog color(nullptr);
  EXPECT_TRUE(color.Execute());
  EXPECT_EQ(color.GetColor(), clRed);
  EXPECT_EQ(user.GetPending(), 0);
}

TEST(DialogService, NestedScriptsRestoreInOrder) {
  classlib_test::App();
  Q outer;
  {
    Q inner;
    inner.AnswerButton(IDOK);
    EXPECT_EQ(&DialogService(), &inner);
    MessageBox(nullptr, "t", "c", MB_OK);
    EXPECT_EQ(inner.GetQuestions().size(), 1u);
  }
  EXPECT_EQ(&DialogService(), &outer);
  Application->MessageBox("t", "c", MB_OK);
  EXPECT_EQ(outer.GetQuestions().size(), 1u);
}

}  // namespace
