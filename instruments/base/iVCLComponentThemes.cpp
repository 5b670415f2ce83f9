// Theme schemes: categories of named property sets read from two XML theme
// files per control class, one of the library and one of the user, found
// through the settings registry; a scheme is applied through property paths.

#include <filesystem>

#include "instruments/base/iClasses.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/base/iVCLComponent.h"
#include "platform/classlib/Collections.h"
#include "platform/classlib/Registry.h"

namespace {

const char* const kThemesKey = "SOFTWARE\\Vantor\\Themes";

void ReadFolders(HKEY Root, std::string& Library, std::string& User) {
  TRegistry registry;
  registry.SetRootKey(Root);
  registry.OpenKeyReadOnly(kThemesKey);
  const std::string library = iTrim(registry.ReadString("Vantor Defined Theme Path"));
  const std::string user = iTrim(registry.ReadString("User Defined Theme Path"));
  if (!library.empty()) Library = library;
  if (!user.empty()) User = user;
}

void Expect(TiXMLMemoryStream& Stream, const char* Piece) {
  if (Stream.GetNextPiece() != Piece) throw Exception("Error Loading Scheme. XML File Malformed");
}

}  // namespace

void TiVCLComponent::GetThemeFolders(std::string& LibraryFolder, std::string& UserFolder) {
  LibraryFolder.clear();
  UserFolder.clear();
  ReadFolders(HKEY_LOCAL_MACHINE, LibraryFolder, UserFolder);
  // The user's settings win where they name a folder.
  ReadFolders(HKEY_CURRENT_USER, LibraryFolder, UserFolder);
  for (std::string* f : {&LibraryFolder, &UserFolder})
    if (!f->empty() && f->back() != '/') *f += '/';
}

void TiVCLComponent::LoadThemes() {
  FThemeCategoryList->Clear();
  std::string library, user;
  GetThemeFolders(library, user);
  LoadThemeFile(library + ClassName() + ".xml", false);
  LoadThemeFile(user + ClassName() + "User.xml", true);
}

void TiVCLComponent::LoadThemeFile(const std::string& FileName, bool User) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(FileName, error)) return;
  TiXMLMemoryStream stream;
  stream.LoadFromFile(FileName);
  stream.SetPosition(0);
  stream.GotoElementStart("SchemeTypes");
  while (stream.PeekNextPiece() == "SchemeType") {
    stream.GotoElementStart("SchemeType");
    const std::string category = stream.GetElement("Name");
    int at = FThemeCategoryList->IndexOf(category);
    if (at < 0) {
      auto* schemes = new TStringList();
      schemes->SetOwnsObjects(true);
      at = FThemeCategoryList->AddObject(category, schemes);
    }
    TStringList* schemes = Schemes(at);
    while (stream.PeekNextPiece() == "Scheme") {
      stream.GotoElementStart("Scheme");
      const std::string name = stream.GetElement("Name");
      TStringList* lines = User ? static_cast<TStringList*>(new TiUserSchemeList())
                                : static_cast<TStringList*>(new TiVantorSchemeList());
      schemes->AddObject(name, lines);
      stream.GotoElementStart("Properties");
      while (stream.PeekNextPiece() != "/Properties") {
        const std::string path = stream.GetNextPiece();
        const std::string value = stream.GetElementValue();
        if (stream.GetNameElementStop() != path) throw Exception("Error Loading Scheme. XML File Malformed");
        if (!path.empty()) lines->Add(path + " = " + value);
      }
      Expect(stream, "/Properties");
      Expect(stream, "/Scheme");
    }
    Expect(stream, "/SchemeType");
  }
  Expect(stream, "/SchemeTypes");
}

TStringList* TiVCLComponent::Schemes(int CategoryIndex) const {
  if (CategoryIndex < 0 || CategoryIndex >= FThemeCategoryList->Count())
    throw EListError("List index out of bounds (" + std::to_string(CategoryIndex) + ")");
  return static_cast<TStringList*>(FThemeCategoryList->GetObject(CategoryIndex));
}

int TiVCLComponent::GetThemeCategoryCount() const {
  return FThemeCategoryList->Count();
}

std::string TiVCLComponent::GetThemeCategoryName(int CategoryIndex) const {
  Schemes(CategoryIndex);
  return FThemeCategoryList->Get(CategoryIndex);
}

int TiVCLComponent::GetThemeCategorySchemeCount(int CategoryIndex) const {
  return Schemes(CategoryIndex)->Count();
}

std::string TiVCLComponent::GetThemeCategorySchemeName(int CategoryIndex, int SchemeIndex) const {
  return Schemes(CategoryIndex)->Get(SchemeIndex);
}

bool TiVCLComponent::GetThemeCategorySchemeIsUser(int CategoryIndex, int SchemeIndex) const {
  return dynamic_cast<TiUserSchemeList*>(Schemes(CategoryIndex)->GetObject(SchemeIndex)) != nullptr;
}

void TiVCLComponent::ApplyScheme(int CategoryIndex, int SchemeIndex) {
  auto* lines = static_cast<TStringList*>(Schemes(CategoryIndex)->GetObject(SchemeIndex));
  for (int i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Get(i);
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = iTrim(line.substr(0, eq));
    const std::string value = eq + 2 <= line.size() ? line.substr(eq + 2) : std::string();
    if (!name.empty()) SetPropertyByPath(this, "", value, name);
  }
}
