#pragma once
// The colour, font, open and save choosers of the editor pickers, each run
// once through the program's dialog service. Execute returns true when the
// user chose and copies the result back; a cancel changes nothing (the open
// dialog's Files is emptied at every run).

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/StringList.h"

class TiColorDialog : public TComponent {
 public:
  explicit TiColorDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Starts on Color (a system colour resolved to RGB); gives a plain RGB
  // colour back.
  bool Execute();
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

 private:
  TColor FColor = 0;
};

class TiFontDialog : public TComponent {
 public:
  explicit TiFontDialog(TComponent* AOwner);
  ~TiFontDialog() override;
  // The character set stays unless another face was chosen.
  bool Execute();
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }

 private:
  std::unique_ptr<TFont> FFont;
};

// Without an owner form (FindOwnerForm) the file dialogs show nothing and
// answer false.
class TiOpenDialog : public TComponent {
 public:
  explicit TiOpenDialog(TComponent* AOwner);
  ~TiOpenDialog() override;
  bool Execute();

  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& GetDefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(const std::string& Value) { FDefaultDir = Value; }
  bool GetFileMustExist() const { return FFileMustExist; }
  void SetFileMustExist(bool Value) { FFileMustExist = Value; }
  bool GetAllowMultiSelect() const { return FAllowMultiSelect; }
  void SetAllowMultiSelect(bool Value) { FAllowMultiSelect = Value; }
  // Every chosen name, in order; FileName is the first.
  TStrings* GetFiles() const { return FFiles.get(); }

 private:
  std::string FFileName;
  std::string FFilter;
  std::string FDefaultExt;
  std::string FDefaultDir;
  bool FFileMustExist = false;
  bool FAllowMultiSelect = false;
  std::unique_ptr<TStringList> FFiles;
};

class TiSaveDialog : public TComponent {
 public:
  explicit TiSaveDialog(TComponent* AOwner);
  ~TiSaveDialog() override;
  // The chosen name gets the chosen filter's extension (SaveDialogFileName);
  // a file of the final name that exists is confirmed first, and No goes
  // back to the file dialog.
  bool Execute();

  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& GetDefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(const std::string& Value) { FDefaultDir = Value; }
  // The extension of the last run's filter (".jpg"), empty when none.
  const std::string& GetReturnExt() const { return FReturnExt; }

 private:
  std::string FFileName;
  std::string FFilter;
  std::string FDefaultExt;
  int FFilterIndex = 1;
  std::unique_ptr<TStringList> FFilterList;
  std::string FReturnExt;
  std::string FDefaultDir;
};

// The patterns of a filter text, in order ("*.bmp", "*.emf", ...): the
// parts between "|" that start with "*".
std::vector<std::string> FilterPatterns(const std::string& Filter);
// The extension a filter pattern gives a saved name: ".jpg" for "*.jpg"
// (the first mask of "*.jpg;*.jpeg"), ".*" for "*.*".
std::string PatternExtension(const std::string& Pattern);
// The name a save dialog returns for the name the user chose: the chosen
// filter's extension is added unless the name already carries it (by the
// first pattern that matches its extension standing at FilterIndex);
// nothing for "*.*"; DefaultExt only for a name that got no extension
// otherwise and has none.
std::string SaveDialogFileName(const std::string& FileName, const std::string& Filter, int FilterIndex,
                               const std::string& DefaultExt);
