#include "instruments/editors/iCommonDialogs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "instruments/base/iDrawing.h"
#include "platform/classlib/Dialogs.h"

namespace {

// The extension of a name's last part, from its last "."; empty when none.
std::string ExtensionOf(const std::string& Name) {
  const size_t slash = Name.find_last_of("/\\");
  const size_t dot = Name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
  return Name.substr(dot);
}

bool FileExistsOnDisk(const std::string& Name) {
  std::error_code ec;
  return std::filesystem::is_regular_file(Name, ec);
}

}  // namespace

// ---------------------------------------------------------------- filters and names

std::vector<std::string> FilterPatterns(const std::string& Filter) {
  std::vector<std::string> patterns;
  size_t start = 0;
  while (start <= Filter.size()) {
    size_t bar = Filter.find('|', start);
    if (bar == std::string::npos) bar = Filter.size();
    const std::string part = Filter.substr(start, bar - start);
    if (!part.empty() && part[0] == '*') patterns.push_back(part);
    start = bar + 1;
  }
  return patterns;
}

std::string PatternExtension(const std::string& Pattern) {
  // One extension per saved name: the first mask of a list.
  const std::string first = Pattern.substr(0, Pattern.find(';'));
  return first.size() > 1 ? first.substr(1) : std::string();
}

std::string SaveDialogFileName(const std::string& FileName, const std::string& Filter, int FilterIndex,
                               const std::string& DefaultExt) {
  const std::vector<std::string> patterns = FilterPatterns(Filter);
  std::string returnExt;
  if (FilterIndex >= 1 && static_cast<size_t>(FilterIndex) <= patterns.size())
    returnExt = PatternExtension(patterns[static_cast<size_t>(FilterIndex) - 1]);
  const std::string ext = ExtensionOf(FileName);
  if (!returnExt.empty() && returnExt != ".*") {
    if (!ext.empty()) {
      for (size_t i = 0; i < patterns.size(); ++i)
        if (SameText(PatternExtension(patterns[i]), ext)) {
          if (static_cast<int>(i) + 1 == FilterIndex) return FileName;
          break;
        }
    }
    return FileName + returnExt;
  }
  // Only a bare name under a filter that gives no extension takes the
  // default one.
  if (ext.empty() && !DefaultExt.empty())
    return FileName + (DefaultExt[0] == '.' ? DefaultExt : "." + DefaultExt);
  return FileName;
}

// ---------------------------------------------------------------- colour and font

bool TiColorDialog::Execute() {
  TColorDialog dialog(nullptr);
  dialog.SetColor(ColorToRGB(FColor));
  if (!dialog.Execute()) return false;
  FColor = dialog.GetColor();
  return true;
}

TiFontDialog::TiFontDialog(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {}

TiFontDialog::~TiFontDialog() = default;

bool TiFontDialog::Execute() {
  TFontDialog dialog(nullptr);
  dialog.SetFont(FFont.get());
  if (!dialog.Execute()) return false;
  FFont->Assign(dialog.GetFont());
  return true;
}

// ---------------------------------------------------------------- file dialogs

TiOpenDialog::TiOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), FFiles(std::make_unique<TStringList>()) {}

TiOpenDialog::~TiOpenDialog() = default;

bool TiOpenDialog::Execute() {
  FFiles->Clear();
  if (!FindOwnerForm(this)) return false;
  TFileDialogRequest request;
  request.Kind = TFileDialogRequest::Open;
  request.Filter = FFilter;
  request.FilterIndex = 1;
  request.InitialDir = FDefaultDir;
  request.FileName = FFileName.substr(0, 260);
  request.DefaultExt = FDefaultExt;
  request.Options = TOpenOptions{ofHideReadOnly, ofPathMustExist};
  if (FFileMustExist) request.Options << ofFileMustExist;
  if (FAllowMultiSelect) request.Options << ofAllowMultiSelect;
  TFileDialogResult result;
  if (!DialogService().FileDialog(request, result) || result.Files.empty()) return false;
  if (!FAllowMultiSelect) result.Files.resize(1);
  for (const std::string& name : result.Files) FFiles->Add(name);
  FFileName = result.Files.front();
  return true;
}

TiSaveDialog::TiSaveDialog(TComponent* AOwner)
    : TComponent(AOwner), FFilterList(std::make_unique<TStringList>()) {}

TiSaveDialog::~TiSaveDialog() = default;

bool TiSaveDialog::Execute() {
  if (!FindOwnerForm(this)) return false;
  TFileDialogRequest request;
  request.Kind = TFileDialogRequest::Save;
  request.Filter = FFilter;
  // Index 0 (no filter chosen yet) starts on the first one, as the platform's does.
  request.FilterIndex = std::max(FFilterIndex, 1);
  request.InitialDir = FDefaultDir;
  request.FileName = FFileName.substr(0, 260);
  // The extension is added here, after the choice, by the filter's rule.
  request.Options = TOpenOptions{ofHideReadOnly, ofPathMustExist};
  for (;;) {
    TFileDialogResult result;
    if (!DialogService().FileDialog(request, result) || result.Files.empty()) return false;
    const int filterIndex = result.FilterIndex;
    const std::string name = SaveDialogFileName(result.Files.front(), FFilter, filterIndex, FDefaultExt);
    // One question, for the name that will be written.
    if (FileExistsOnDisk(name) &&
        DialogService().MessageBox(name + " already exists.\nDo you want to replace it?", "Confirm Save As",
                                   MB_YESNO | MB_ICONWARNING) != IDYES) {
      request.FileName = name;
      request.FilterIndex = filterIndex;
      continue;
    }
    FFileName = name;
    FFilterIndex = filterIndex;
    FFilterList->Clear();
    for (const std::string& pattern : FilterPatterns(FFilter)) FFilterList->Add(pattern);
    FReturnExt.clear();
    if (FFilterIndex >= 1 && FFilterIndex <= FFilterList->GetCount())
      FReturnExt = PatternExtension(FFilterList->Get(FFilterIndex - 1));
    return true;
  }
}
