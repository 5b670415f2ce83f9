// The choosers and the pickers, answered by the scripted dialog service.

#include <QTimer>

#include <filesystem>
#include <fstream>

#include "instruments/editors/iCommonDialogs.h"
#include "instruments/editors/iEditorPickers.h"
#include "instruments/editors/iValueConverterEditForm.h"
#include "platform/classlib/Dialogs.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;
using namespace editors_test;

namespace {

const char* const ImageFilter =
    "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png";

struct NameCase {
  const char* name;
  const char* filter;
  int index;
  const char* defaultExt;
  const char* expected;
};

TEST(SaveDialogName, TheChosenFilterGivesTheExtensionOnce) {
  const std::vector<NameCase> cases = {
      {"report", ImageFilter, 3, "", "report.jpg"},
      {"report.JPG", ImageFilter, 3, "", "report.JPG"},
      {"report.png", ImageFilter, 3, "", "report.png.jpg"},
      {"report.png", ImageFilter, 4, "", "report.png"},
      {"dir.v2/report", ImageFilter, 1, "", "dir.v2/report.bmp"},
      {"report", "All Files (*.*)|*.*", 1, "", "report"},
      {"report", "All Files (*.*)|*.*", 1, "dat", "report.dat"},
      {"report.txt", "All Files (*.*)|*.*", 1, "dat", "report.txt"},
      {"notes", "Annotation Files (*.ano)|*.ano", 1, "dat", "notes.ano"},
      {"notes", "Annotation Files (*.ano)|*.ano", 5, "dat", "notes.dat"},
      {"shot", "Pictures (*.jpg;*.jpeg)|*.jpg;*.jpeg", 1, "", "shot.jpg"},
      {"report", "", 1, "", "report"},
  };
  for (const NameCase& c : cases)
    EXPECT_EQ(SaveDialogFileName(c.name, c.filter, c.index, c.defaultExt), c.expected)
        << c.name << " / " << c.filter << " / " << c.index;
}

// A form that owns the pickers, so the file dialogs have their owner form.
struct PickerStage : KitStage {
  TScriptedDialogService dialogs;
  template <class T>
  T* Make(const char* name) {
    auto* p = new T(form);
    p->SetName(name);
    p->SetParent(form->Page1);
    p->OnChange = form->Recorder(std::string(name) + ".OnChange");
    return p;
  }
};

TEST(Pickers, SavePickerAddsTheExtensionAndHandsDefaultDirOnTheFirstRunOnly) {
  PickerStage s;
  auto* save = s.Make<TiComponentEditorSavePicker>("save");
  save->SetFilter(ImageFilter);
  save->SetFilterIndex(3);
  save->SetDefaultDir("/data/plots");
  save->SetFileName("/data/plots/");
  s.dialogs.AnswerFile("/tmp/report");
  EXPECT_TRUE(save->Execute());
  EXPECT_EQ(save->GetFileName(), "/tmp/report.jpg");
  s.dialogs.AnswerFile("/tmp/second.png", 4);
  EXPECT_TRUE(save->Execute());
  EXPECT_EQ(save->GetFileName(), "/tmp/second.png");
  s.dialogs.AnswerCancel();
  EXPECT_FALSE(save->Execute());
  EXPECT_EQ(save->GetFileName(), "/tmp/second.png");
  const auto& q = s.dialogs.GetQuestions();
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].Kind, TScriptedDialogService::qkSaveFile);
  EXPECT_EQ(q[0].File.FileName, "/data/plots/Untitled");
  EXPECT_EQ(q[0].File.InitialDir, "/data/plots");
  EXPECT_EQ(q[0].File.FilterIndex, 3);
  EXPECT_EQ(q[1].File.InitialDir, "");
  EXPECT_EQ(s.form->log, (Log{"UserChange", "save.OnChange", "UserChange", "save.OnChange"}));
}

TEST(Pickers, AnExistingFileIsConfirmedOnceForTheFinalName) {
  PickerStage s;
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "editors-save";
  std::filesystem::create_directories(dir);
  const std::string existing = (dir / "report.jpg").string();
  std::ofstream(existing) << "x";
  auto* save = s.Make<TiComponentEditorSavePicker>("save");
  save->SetFilter(ImageFilter);
  save->SetFilterIndex(3);
  s.dialogs.AnswerFile((dir / "report").string());
  s.dialogs.AnswerButton(IDNO);
  s.dialogs.AnswerFile((dir / "report").string());
  s.dialogs.AnswerButton(IDYES);
  EXPECT_TRUE(save->Execute());
  EXPECT_EQ(save->GetFileName(), existing);
  const auto& q = s.dialogs.GetQuestions();
  ASSERT_EQ(q.size(), 4u);
  EXPECT_EQ(q[1].Kind, TScriptedDialogService::qkMessageBox);
  EXPECT_NE(q[1].Text.find(existing), std::string::npos);
  EXPECT_EQ(q[2].File.FileName, existing) << "back to the dialog on the final name";
  std::filesystem::remove_all(dir);
}

TEST(Pickers, OpenPickerTakesOneOrManyFiles) {
  PickerStage s;
  auto* open = s.Make<TiComponentEditorOpenPicker>("open");
  open->SetDefaultDir("/data");
  open->SetFileName("/data/");
  open->SetAllowMultiSelect(true);
  s.dialogs.AnswerFiles({"/data/a.dat", "/data/b.dat"});
  open->Click();
  EXPECT_EQ(open->GetFileName(), "/data/a.dat");
  ASSERT_EQ(open->GetFiles()->GetCount(), 2);
  EXPECT_EQ(open->GetFiles()->Get(1), "/data/b.dat");
  s.dialogs.AnswerFiles({"/data/c.dat"});
  open->Click();
  ASSERT_EQ(open->GetFiles()->GetCount(), 1);
  EXPECT_EQ(open->GetFileName(), "/data/c.dat");
  s.dialogs.AnswerCancel();
  open->Click();
  EXPECT_EQ(open->GetFileName(), "/data/c.dat");
  const auto& q = s.dialogs.GetQuestions();
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].File.FileName, "/data/Untitled");
  EXPECT_TRUE(q[0].File.Options.Contains(ofAllowMultiSelect));
  // The open picker hands DefaultDir over on every run.
  EXPECT_EQ(q[1].File.InitialDir, "/data");
  EXPECT_EQ(q[1].File.FileName, "/data/a.dat");
  EXPECT_EQ(s.form->log, (Log{"UserChange", "open.OnChange", "UserChange", "open.OnChange"}));
}

TEST(Pickers, FileDialogsWithoutAnOwnerFormShowNothing) {
  App();
  TScriptedDialogService dialogs;
  TiOpenDialog open(nullptr);
  TiSaveDialog save(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_FALSE(save.Execute());
  EXPECT_TRUE(dialogs.GetQuestions().empty());
}

TEST(Pickers, ColourPickerOffersASystemColourAsRgb) {
  PickerStage s;
  auto* colour = s.Make<TiComponentEditorColorPicker>("colour");
  colour->SetColor(clBtnFace);
  EXPECT_EQ(s.form->log, Log{}) << "a colour from code tells nobody";
  s.dialogs.AnswerColor(0x00336699);
  colour->Choose();
  EXPECT_EQ(colour->GetColor(), 0x00336699);
  s.dialogs.AnswerCancel();
  colour->Choose();
  EXPECT_EQ(colour->GetColor(), 0x00336699);
  ASSERT_EQ(s.dialogs.GetQuestions().size(), 2u);
  EXPECT_EQ(s.dialogs.GetQuestions()[0].Color, ColorToRGB(clBtnFace));
  EXPECT_EQ(s.form->log, (Log{"UserChange", "colour.OnChange"}));
  EXPECT_EQ(colour->GetButton()->GetLeft(), colour->GetWidth() - 21);
}

TEST(Pickers, FontPickerKeepsTheCharacterSetOfTheSameFace) {
  PickerStage s;
  auto* font = s.Make<TiComponentEditorFontPicker>("font");
  font->GetFont()->SetName("Arial");
  font->GetFont()->SetCharset(GB2312_CHARSET);
  TFont same;
  same.SetName("arial");
  same.SetSize(14);
  same.SetCharset(ANSI_CHARSET);
  s.dialogs.AnswerFont(same);
  font->Click();
  EXPECT_EQ(font->GetFont()->GetSize(), 14);
  EXPECT_EQ(font->GetFont()->GetCharset(), GB2312_CHARSET);
  TFont other;
  other.SetName("Times New Roman");
  other.SetCharset(ANSI_CHARSET);
  s.dialogs.AnswerFont(other);
  font->Click();
  EXPECT_EQ(font->GetFont()->GetName(), "Times New Roman");
  EXPECT_EQ(font->GetFont()->GetCharset(), ANSI_CHARSET);
  EXPECT_EQ(s.form->log, (Log{"UserChange", "font.OnChange", "UserChange", "font.OnChange"}));
}

// Runs Answer on the value converter form once its modal loop runs.
void WhenConverterShows(TComponent* Picker, std::function<void(TiValueConverterEditForm*)> Answer) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, Picker, Answer] {
    for (int i = 0; i < Picker->GetComponentCount(); ++i)
      if (auto* form = dynamic_cast<TiValueConverterEditForm*>(Picker->GetComponents(i));
          form && form->IsModal()) {
        timer->stop();
        timer->deleteLater();
        Answer(form);
        return;
      }
  });
  timer->start();
}

TEST(Pickers, ValueConverterPickerCancelledChangesNothing) {
  PickerStage s;
  auto* picker = s.Make<TiComponentEditorValueConverterPicker>("convert");
  picker->SetAssociate(s.form->Edit);
  EXPECT_EQ(picker->GetLeft(), s.form->Edit->GetLeft() + s.form->Edit->GetWidth());
  s.form->Edit->SetAsFloat(1.5);
  picker->SetDateTime(7);
  double shown = 0;
  WhenConverterShows(picker, [&shown](TiValueConverterEditForm* f) {
    shown = f->GetValue();
    f->ValueEdit->SetAsString("9");
    f->SetModalResult(mrCancel);
  });
  picker->Click();
  EXPECT_EQ(shown, 1.5);
  EXPECT_EQ(picker->GetDateTime(), 7);
  EXPECT_EQ(s.form->Edit->GetText(), "1.5");
  EXPECT_EQ(s.form->log, Log{});
}

TEST(Pickers, ValueConverterPickerOkWritesTheAssociateAsTheUser) {
  PickerStage s;
  auto* picker = s.Make<TiComponentEditorValueConverterPicker>("convert");
  picker->SetAssociate(s.form->Edit);
  picker->SetDefaultPage(ivcptPrice32nd);
  int page = -1;
  WhenConverterShows(picker, [&page](TiValueConverterEditForm* f) {
    page = f->PageControl->GetActivePageIndex();
    f->SetValue(2.28125);
    f->SetModalResult(mrOk);
  });
  picker->Click();
  EXPECT_EQ(page, 2);
  EXPECT_EQ(picker->GetDateTime(), 2.28125);
  EXPECT_EQ(s.form->Edit->GetText(), "2.28125");
  EXPECT_EQ(s.form->log,
            (Log{"Edit.OnChange", "UserChange", "Edit.OnUpdate", "UserChange", "convert.OnChange"}));
}

}  // namespace
