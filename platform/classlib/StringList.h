#pragma once
// Lists of strings: TStrings, the abstract list every control's Lines or
// Items is, and TStringList, the concrete one (optionally sorted, with a
// change notice).
//
// A control that shows a list derives from TStrings and implements the
// storage operations (GetCount, Get, Insert, Delete, Clear and, when it
// keeps objects, GetObject/PutObject); everything else (Add, IndexOf, Text,
// CommaText, Names/Values, Assign, ...) is built on them here. It may
// override SetUpdateState to stop repainting while the caller is inside
// BeginUpdate/EndUpdate.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classlib/Classes.h"

class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  TStrings() = default;
  ~TStrings() override = default;

  // --- storage, implemented by every concrete list ---
  virtual int GetCount() const = 0;
  // Throws EStringListError for an index outside 0..Count-1.
  virtual std::string Get(int Index) const = 0;
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  // Lists that keep no objects return null and ignore PutObject.
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  // Replaces the string at Index; the default deletes and inserts, keeping
  // the object.
  virtual void Put(int Index, const std::string& S);

  // --- derived operations ---
  int Count() const { return GetCount(); }
  std::string GetStrings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* GetObjects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // Appends S (a sorted list puts it in its place); returns its index.
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  void AddStrings(const TStrings* Strings);
  void AddStrings(const std::vector<std::string>& Strings);
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  // Swaps two entries with their objects.
  virtual void Exchange(int Index1, int Index2);
  // Moves an entry with its object from CurIndex to NewIndex.
  virtual void Move(int CurIndex, int NewIndex);

  // First index of S, case-insensitive (a TStringList follows its
  // CaseSensitive); -1 when absent.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfObject(const TObject* AObject) const;

  // "name=value" lines.
  std::string GetNames(int Index) const;
  std::string GetValueFromIndex(int Index) const;
  int IndexOfName(const std::string& Name) const;
  std::string GetValues(const std::string& Name) const;
  // Sets or adds Name's value; an empty value deletes the line.
  void SetValues(const std::string& Name, const std::string& Value);
  char GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char C) { FNameValueSeparator = C; }

  // Every line followed by LineBreak ("\n" by default). Setting it splits
  // on CR LF, LF or CR; a last line without a break still counts, an empty
  // text gives no lines.
  std::string GetText() const;
  void SetText(std::string_view Value);
  const std::string& GetLineBreak() const { return FLineBreak; }
  void SetLineBreak(const std::string& Value) { FLineBreak = Value; }

  // Entries joined by Delimiter; an entry that is empty or holds a space,
  // the delimiter, a quote or a control character is quoted with QuoteChar
  // (a QuoteChar inside is doubled).
  std::string GetDelimitedText() const;
  // Splits the text again: quoted parts may hold anything; outside quotes
  // both Delimiter and (while StrictDelimiter is off) any character up to a
  // space separate entries.
  void SetDelimitedText(std::string_view Value);
  // DelimitedText with ',' and '"', whatever Delimiter and QuoteChar are.
  std::string GetCommaText() const;
  void SetCommaText(std::string_view Value);
  char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(char C) { FDelimiter = C; }
  char GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char C) { FQuoteChar = C; }
  bool GetStrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool V) { FStrictDelimiter = V; }

  // Bracket a batch of changes; nested pairs count, and the list hears
  // SetUpdateState(true) at the first BeginUpdate and SetUpdateState(false)
  // at the outermost EndUpdate only.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // Same strings in the same order (objects are not compared).
  bool Equals(const TStrings* Strings) const;
  std::vector<std::string> ToVector() const;

  // Lines of a UTF-8 text file; throws EFOpenError / EFCreateError / EReadError
  // / EWriteError with the file name.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

  // Copies the strings and objects of another TStrings (Source null clears).
  void Assign(TPersistent* Source) override;

 protected:
  virtual void SetUpdateState(bool /*Updating*/) {}
  // Throws EStringListError "List index out of bounds (n)".
  [[noreturn]] static void Error(int Index);
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;

 private:
  int FUpdateCount = 0;
  std::string FLineBreak = "\n";
  char FNameValueSeparator = '=';
  char FDelimiter = ',';
  char FQuoteChar = '"';
  bool FStrictDelimiter = false;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;

  int GetCount() const override { return static_cast<int>(FList.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  // Throws EStringListError on a sorted list ("Operation not allowed on sorted list").
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

  // Sorted: in its place; Duplicates decides what a second equal string
  // does (dupIgnore: returns the existing index, dupError: throws).
  int Add(const std::string& S) override { return AddObject(S, nullptr); }
  int AddObject(const std::string& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const std::string& S) const override;

  // Binary search of a sorted list: true and the index when found, else
  // false and the index where S would go.
  bool Find(const std::string& S, int& Index) const;
  virtual void Sort();
  // Stable sort by Compare; a sorted list cannot be custom-sorted.
  void CustomSort(const TStringListSortCompare& Compare);

  bool GetSorted() const { return FSorted; }
  // Turning Sorted on sorts the list.
  void SetSorted(bool Value);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // With OwnsObjects the list frees each entry's object when the entry goes.
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  // OnChanging before and OnChange after every change. A batch inside
  // BeginUpdate/EndUpdate fires them once: OnChanging at the first
  // BeginUpdate, OnChange at the outermost EndUpdate.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject);

 private:
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  void FreeObject(TObject* Obj);

  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};
