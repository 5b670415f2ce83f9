// The main window's controls of one role: menus, top bar with the page buttons, preset bar, timers, dialogs and hidden memos.

#include <array>
#include <string>
#include <string_view>

#include "controls/AdvTrackBar.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "mainwindow/FMainLook.h"
#include "mainwindow/FMainLayout.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/hidctl/JvHidDeviceController.h"
#include "platform/net/ClientSocket.h"

namespace {

// One menu item: its parent's name (empty for the bar), its Tag and whether
// it is visible. Captions come from the language pass.
struct TMenuRow {
  std::string_view Name;
  std::string_view Parent;
  int Tag;
  bool Visible;
};

// The menu tree in bar order; "-" rows are separators.
// clang-format off
constexpr TMenuRow MenuRows[] = {
    {"File", "", 0, true},
    {"Open", "File", 0, true},
    {"Save", "File", 0, true},
    {"-", "File", 0, true},
    {"Upload", "File", 0, true},
    {"Download", "File", 0, true},
    {"-", "File", 0, true},
    {"FactoryDefault", "File", 0, true},
    {"-", "File", 0, true},
    {"Exit", "File", 0, true},
    {"Link", "", 0, true},
    {"Copy", "", 0, true},
    {"Lock", "", 0, true},
    {"WorkingStatus", "", 0, true},
    {"Memorize", "WorkingStatus", 0, true},
    {"Forget", "WorkingStatus", 1, true},
    {"U01", "WorkingStatus", 2, true},
    {"SettingID", "", 0, false},
    {"NetworkSetup", "", 0, true},
    {"TestTone", "", 0, true},
    {"ChNameList", "", 0, true},
    {"SubCtrl", "", 0, true},
    {"GroupCtrl", "", 0, true},
    {"LanguageSel", "", 0, true},
    {"ChineseSimplified", "LanguageSel", 0, true},
    {"ChineseTraditional", "LanguageSel", 1, false},
    {"English", "LanguageSel", 2, true},
    {"Help", "", 0, true},
    {"Rs232Code", "Help", 0, true},
    {"MemoShow", "Help", 0, false},
    {"HidData", "Help", 0, false},
    {"PhantomPotent", "Help", 0, false},
    {"BlockDiagram", "", 0, false},
    {"LockSetup", "BlockDiagram", 0, false},
    {"Connect", "", 0, false},
    {"Connected", "Connect", 0, true},
    {"ConnectHelp", "Connect", 0, false},
    {"About", "", 0, true},
};
// clang-format on

// The timers of the window with their intervals; every one starts disabled.
struct TTimerRow {
  std::string_view Name;
  unsigned Interval;
};
constexpr TTimerRow TimerRows[] = {
    {"tmStartConnect", 300}, {"tmDisconnect", 300}, {"tmComScan", 1},      {"tmLockPrompt", 1000},
    {"tmProcessShow", 100},  {"tmUpload", 300},     {"tmInLevelDet", 300}, {"tmEqCurve", 1},
    {"tmHpLpCurve", 1},      {"tmMouseEqCurve", 1},
};

void UseFont(TControl* control, int pixels, TColor colour, bool bold = false) {
  TFont* font = control->GetFont();
  font->SetName(MainLook::FontName);
  font->SetHeight(-pixels);
  font->SetColor(colour);
  font->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r) {
  auto* label = new TLabel(owner);
  label->SetName(name);
  label->SetParent(parent);
  label->SetAutoSize(false);
  label->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  label->SetLayout(tlCenter);
  label->SetTransparent(true);
  label->SetCaption("");
  return label;
}

// A value read-out of the preset bar: light text on a dark display.
TLabel* NewDisplay(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r) {
  TLabel* label = NewLabel(owner, parent, name, r);
  label->SetTransparent(false);
  label->SetColor(MainLook::DisplayBack);
  label->SetAlignment(taCenter);
  UseFont(label, 14, MainLook::DisplayText, true);
  return label;
}

TRzBmpButton* NewKey(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                     TColor accent) {
  auto* key = new TRzBmpButton(owner);
  key->SetName(name);
  key->SetParent(parent);
  key->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  key->SetAccentColor(accent);
  UseFont(key, 12, MainLook::PageCaption, true);
  return key;
}

// A strip of the window's background: a gentle fall from the top tone to
// the base, stretched over the image's height.
void PaintFrame(TImage* image, TColor from, TColor to) {
  constexpr int Rows = 64;
  TBitmap bitmap(4, Rows);
  for (int y = 0; y < Rows; ++y) {
    bitmap.Canvas->Brush->SetColor(BlendColour(from, to, y, Rows - 1));
    bitmap.Canvas->FillRect(Rect(0, y, 4, y + 1));
  }
  image->GetPicture()->Assign(&bitmap);
}

}  // namespace

void TfmMain::CreateShellControls() {
  SetColor(MainLook::WindowBack);
  UseFont(this, 12, MainLook::Text);
  FMainBox->SetColor(MainLook::PanelBack);
  CreateFrameImages();
  CreateTopBar();
  CreatePresetBar();
  CreateTimers();
  CreateHiddenComponents();
  // Last: the bar takes its height above the client, which keeps its size.
  CreateMenus();
  OnResize = [this](TObject* Sender) { FormResize(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TfmMain::CreateMenus() {
  FMainMenu = new TMainMenu(this);
  FMainMenu->SetName("mmMain");
  for (const TMenuRow& row : MenuRows) {
    auto* item = new TMenuItem(this);
    if (row.Name == "-") {
      item->SetCaption("-");
    } else {
      item->SetName(std::string(row.Name));
      item->SetTag(row.Tag);
      item->SetVisible(row.Visible);
    }
    TMenuItem* parent = row.Parent.empty() ? FMainMenu->GetItems() : FMainMenu->FindItemByName(row.Parent);
    parent->Add(item);
  }
  FMainMenu->FindItemByName("ChineseSimplified")->OnClick = [this](TObject* Sender) {
    ChineseSimplifiedClick(Sender);
  };
  FMainMenu->FindItemByName("English")->OnClick = [this](TObject* Sender) { EnglishClick(Sender); };
  FMainMenu->FindItemByName("English")->SetChecked(true);
  SetMenu(FMainMenu);
}

void TfmMain::CreateTopBar() {
  auto* bar = new TRzGroupBox(this);
  bar->SetName("rzgFunction");
  bar->SetParent(this);
  bar->SetCaption("");
  bar->SetShowFrame(false);
  bar->SetColor(MainLook::BarBack);
  bar->SetBounds(TopBarRect.Left, TopBarRect.Top, TopBarRect.Width(), TopBarRect.Height());
  for (int slot = 0; slot < MainPageCount; ++slot) {
    const PageButtonSpec& spec = PageButtonAt(slot);
    TRzBmpButton* key = NewKey(this, bar, spec.Name, PageButtonRect(slot), PageAccentOf(spec.Page));
    key->SetCaption(spec.Caption);
    key->SetTag(spec.Page);
    key->SetGroupIndex(PageButtonGroup);
    const bool shown = spec.Page == PageGain;
    key->SetDown(shown);
    key->GetFont()->SetColor(shown ? MainLook::ShownPageCaption : MainLook::PageCaption);
  }
  TRzBmpButton* link = NewKey(this, bar, "rzbMenuLink", LinkButtonRect, MainLook::PageAccent);
  link->SetCaption("");
}

void TfmMain::CreatePresetBar() {
  auto* bar = new TRzGroupBox(this);
  bar->SetName("rzgPreset");
  bar->SetParent(this);
  bar->SetCaption("");
  bar->SetShowFrame(false);
  bar->SetColor(MainLook::BarBack);
  bar->SetBounds(PresetBarRect.Left, PresetBarRect.Top, PresetBarRect.Width(), PresetBarRect.Height());
  for (const PresetBarItem& item : PresetBarItems()) {
    switch (item.Kind) {
      case PresetBarKind::Caption: {
        TLabel* label = NewLabel(this, bar, item.Name, item.Bounds);
        label->SetAlignment(taRightJustify);
        UseFont(label, 12, MainLook::DimText);
        break;
      }
      case PresetBarKind::Display:
        NewDisplay(this, bar, item.Name, item.Bounds);
        break;
      case PresetBarKind::Key:
        NewKey(this, bar, item.Name, item.Bounds, MainLook::PageAccent);
        break;
    }
  }
  static_cast<TLabel*>(FindComponent("lbPstNum"))->SetCaption("F00");
  auto* id = static_cast<TLabel*>(FindComponent("lbShowIdNumber"));
  id->SetAlignment(taRightJustify);
  UseFont(id, 13, MainLook::Text, true);
  bar->BringToFront();
}

void TfmMain::CreateFrameImages() {
  for (const FrameImageSpec& spec : FrameImages()) {
    auto* image = new TImage(this);
    image->SetName(spec.Name);
    image->SetParent(this);
    image->SetStretch(true);
    image->SetBounds(spec.Bounds.Left, spec.Bounds.Top, spec.Bounds.Width(), spec.Bounds.Height());
    if (spec.Upper)
      PaintFrame(image, MainLook::WindowBackTop, MainLook::WindowBack);
    else
      PaintFrame(image, MainLook::WindowBack, MainLook::WindowBack);
    image->SendToBack();
  }
}

void TfmMain::CreateTimers() {
  for (const TTimerRow& row : TimerRows) {
    auto* timer = new TTimer(this);
    timer->SetName(std::string(row.Name));
    timer->SetEnabled(false);
    timer->SetInterval(row.Interval);
  }
  FStartConnectTimer = static_cast<TTimer*>(FindComponent("tmStartConnect"));
  FStartConnectTimer->OnTimer = [this](TObject* Sender) { tmStartConnectTimer(Sender); };
}

void TfmMain::CreateHiddenComponents() {
  // The language tables, one line each, as the lookup reads them.
  const std::array<std::pair<const char*, const std::vector<std::string>*>, 2> tables = {
      {{"moEnglish", &EnglishLanguageLines()}, {"moSimplified", &SimplifiedLanguageLines()}}};
  for (const auto& [name, lines] : tables) {
    auto* memo = new TMemo(this);
    memo->SetName(name);
    memo->SetParent(this);
    memo->SetVisible(false);
    TStrings* memoLines = memo->GetLines();
    memoLines->BeginUpdate();
    memoLines->Clear();
    for (const std::string& line : *lines) memoLines->Add(line);
    memoLines->EndUpdate();
  }
  FEnglishMemo = static_cast<TMemo*>(FindComponent("moEnglish"));
  FSimplifiedMemo = static_cast<TMemo*>(FindComponent("moSimplified"));

  // The file dialogs of presets and units.
  struct TFileDialogRow {
    const char* Name;
    bool Save;
    const char* Filter;
  };
  constexpr TFileDialogRow dialogs[] = {{"odOpenPreset", false, "*.prs|*.prs"},
                                        {"sdSavePreset", true, "*.prs|*.prs"},
                                        {"odOpenUnit", false, "*.unt|*.unt"},
                                        {"sdSaveUnit", true, "*.unt|*.unt"}};
  for (const TFileDialogRow& row : dialogs) {
    TOpenDialog* dialog = row.Save ? new TSaveDialog(this) : new TOpenDialog(this);
    dialog->SetName(row.Name);
    dialog->SetFilter(row.Filter);
  }

  // The fader whose thumb faces the compressor and gate faders take at
  // start-up; it is never shown.
  auto* blue = new TAdvTrackBar(this);
  blue->SetName("isBlue");
  blue->SetParent(this);
  blue->SetVisible(false);
  blue->SetOrientation(trVertical);
  blue->SetBounds(0, 0, 30, 120);

  FClientSocket = new TClientSocket(this);
  FClientSocket->SetName("ClientSocket");
  FHidCtl = new TJvHidDeviceController(this);
  FHidCtl->SetName("HidCtl");
}
