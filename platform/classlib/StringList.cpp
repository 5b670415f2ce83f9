#include "platform/classlib/StringList.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

int CompareText(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareStr(const std::string& a, const std::string& b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// RAII bracket so an exception inside a batch still ends the update.
class UpdateScope {
 public:
  explicit UpdateScope(TStrings& s) : FS(s) { FS.BeginUpdate(); }
  ~UpdateScope() { FS.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TStrings& FS;
};

}  // namespace

// ---------------------------------------------------------------- TStrings

void TStrings::Error(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

TObject* TStrings::GetObject(int /*Index*/) const {
  return nullptr;
}
void TStrings::PutObject(int /*Index*/, TObject* /*AObject*/) {}

void TStrings::Put(int Index, const std::string& S) {
  TObject* obj = GetObject(Index);
  UpdateScope scope(*this);
  Delete(Index);
  InsertObject(Index, S, obj);
}

int TStrings::Add(const std::string& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  // Copy first: Strings may be this list.
  std::vector<std::pair<std::string, TObject*>> items;
  for (int i = 0; i < Strings->GetCount(); ++i) items.emplace_back(Strings->Get(i), Strings->GetObject(i));
  UpdateScope scope(*this);
  for (auto& [s, o] : items) AddObject(s, o);
}

void TStrings::AddStrings(const std::vector<std::string>& Strings) {
  UpdateScope scope(*this);
  for (const auto& s : Strings) Add(s);
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  if (Index1 == Index2) return;
  UpdateScope scope(*this);
  const std::string s1 = Get(Index1);
  const std::string s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= GetCount()) Error(NewIndex);
  UpdateScope scope(*this);
  const std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const {
  return CompareText(S1, S2);
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

std::string TStrings::GetNames(int Index) const {
  const std::string s = Get(Index);
  const auto p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::GetValueFromIndex(int Index) const {
  const std::string s = Get(Index);
  const auto p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const std::string s = Get(i);
    const auto p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

std::string TStrings::GetValues(const std::string& Name) const {
  const int i = IndexOfName(Name);
  return i < 0 ? std::string() : GetValueFromIndex(i);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  const int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  const std::string line = Name + FNameValueSeparator + Value;
  if (i < 0)
    Add(line);
  else
    Put(i, line);
}

std::string TStrings::GetText() const {
  std::string out;
  for (int i = 0; i < GetCount(); ++i) {
    out += Get(i);
    out += FLineBreak;
  }
  return out;
}

void TStrings::SetText(std::string_view Value) {
  UpdateScope scope(*this);
  Clear();
  std::size_t start = 0;
  const std::size_t n = Value.size();
  while (start < n) {
    std::size_t p = start;
    while (p < n && Value[p] != '\n' && Value[p] != '\r') ++p;
    Add(std::string(Value.substr(start, p - start)));
    if (p < n && Value[p] == '\r') {
      ++p;
      if (p < n && Value[p] == '\n') ++p;
    } else if (p < n) {
      ++p;
    }
    start = p;
  }
}

std::string TStrings::GetDelimitedText() const {
  std::string out;
  for (int i = 0; i < GetCount(); ++i) {
    const std::string s = Get(i);
    bool quote = s.empty();
    for (unsigned char c : s) {
      if (c == static_cast<unsigned char>(FDelimiter) || c == static_cast<unsigned char>(FQuoteChar) ||
          c <= ' ') {
        quote = true;
        break;
      }
    }
    if (i > 0) out += FDelimiter;
    if (quote) {
      out += FQuoteChar;
      for (char c : s) {
        if (c == FQuoteChar) out += FQuoteChar;
        out += c;
      }
      out += FQuoteChar;
    } else {
      out += s;
    }
  }
  return out;
}

void TStrings::SetDelimitedText(std::string_view Value) {
  UpdateScope scope(*this);
  Clear();
  const std::size_t n = Value.size();
  auto isSpace = [&](std::size_t i) {
    return !FStrictDelimiter && i < n && static_cast<unsigned char>(Value[i]) <= ' ';
  };
  std::size_t p = 0;
  while (isSpace(p)) ++p;
  while (p < n) {
    std::string item;
    if (Value[p] == FQuoteChar) {
      ++p;
      while (p < n) {
        if (Value[p] == FQuoteChar) {
          if (p + 1 < n && Value[p + 1] == FQuoteChar) {
            item += FQuoteChar;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += Value[p++];
      }
    } else {
      while (p < n && Value[p] != FDelimiter && !isSpace(p)) item += Value[p++];
    }
    Add(item);
    while (isSpace(p)) ++p;
    if (p < n && Value[p] == FDelimiter) {
      ++p;
      // A delimiter at the very end stands for one more, empty entry.
      if (p == n) Add(std::string());
      while (isSpace(p)) ++p;
    }
  }
}

std::string TStrings::GetCommaText() const {
  // Temporarily the comma and the double quote, as CommaText always uses.
  auto* self = const_cast<TStrings*>(this);
  const char d = FDelimiter, q = FQuoteChar;
  const bool strict = FStrictDelimiter;
  self->FDelimiter = ',';
  self->FQuoteChar = '"';
  self->FStrictDelimiter = false;
  std::string out = GetDelimitedText();
  self->FDelimiter = d;
  self->FQuoteChar = q;
  self->FStrictDelimiter = strict;
  return out;
}

void TStrings::SetCommaText(std::string_view Value) {
  const char d = FDelimiter, q = FQuoteChar;
  const bool strict = FStrictDelimiter;
  FDelimiter = ',';
  FQuoteChar = '"';
  FStrictDelimiter = false;
  try {
    SetDelimitedText(Value);
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    FStrictDelimiter = strict;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
  FStrictDelimiter = strict;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->GetCount() != GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  v.reserve(static_cast<std::size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) v.push_back(Get(i));
  return v;
}

void TStrings::LoadFromFile(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  std::ostringstream buf;
  buf << in.rdbuf();
  if (in.bad()) throw EReadError("Error reading file \"" + FileName + "\"");
  std::string text = buf.str();
  // A UTF-8 byte order mark is not part of the first line.
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  SetText(text);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
  if (!out) throw EFCreateError("Cannot create file \"" + FileName + "\"");
  const std::string text = GetText();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw EWriteError("Error writing file \"" + FileName + "\"");
}

void TStrings::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    UpdateScope scope(*this);
    Clear();
    FLineBreak = src->FLineBreak;
    FNameValueSeparator = src->FNameValueSeparator;
    FDelimiter = src->FDelimiter;
    FQuoteChar = src->FQuoteChar;
    FStrictDelimiter = src->FStrictDelimiter;
    AddStrings(src);
    return;
  }
  TPersistent::Assign(Source);
}

// ------------------------------------------------------------- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& it : FList)
      if (it.Obj) it.Obj->Free();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(Index);
}

void TStringList::FreeObject(TObject* Obj) {
  if (FOwnsObjects && Obj) Obj->Free();
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  // Called with the count already past the edge, so fire directly.
  if (Updating) {
    if (OnChanging) OnChanging(this);
  } else {
    if (OnChange) OnChange(this);
  }
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return FCaseSensitive ? CompareStr(S1, S2) : CompareText(S1, S2);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  auto& slot = FList[static_cast<std::size_t>(Index)].Obj;
  if (slot != AObject) FreeObject(slot);
  slot = AObject;
  Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > GetCount()) Error(Index);
  InsertItem(Index, S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted) {
    if (Find(S, index)) {
      switch (FDuplicates) {
        case dupIgnore:
          return index;
        case dupError:
          throw EStringListError("String list does not allow duplicates");
        case dupAccept:
          break;
      }
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[static_cast<std::size_t>(Index)].Obj;
  FList.erase(FList.begin() + Index);
  FreeObject(obj);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(FList);
  for (auto& it : old) FreeObject(it.Obj);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  Item it = std::move(FList[static_cast<std::size_t>(CurIndex)]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(it));
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  // Lower bound: with duplicates accepted, the first of equal strings.
  int lo = 0, hi = GetCount();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[static_cast<std::size_t>(mid)].S, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < GetCount() && CompareStrings(FList[static_cast<std::size_t>(lo)].S, S) == 0;
}

void TStringList::Sort() {
  if (FList.size() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.S, b.S) < 0; });
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (FList.size() < 2 || !Compare) return;
  Changing();
  // Compare takes indices into the list, so sort a permutation and apply it.
  std::vector<int> order(FList.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<std::size_t>(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}
