#pragma once
// The plot's table of replacements for the library's fixed English texts:
// entries newest first, looked up exactly, streamed as property text and
// kept in a tab-separated text file.

#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/StringList.h"

// One entry; it announces its creation and its end through its callbacks.
class TiPlotTranslationObject : public TPersistent {
 public:
  TiPlotTranslationObject(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove);
  ~TiPlotTranslationObject() override;
  const std::string& GetOriginalString() const { return FOriginalString; }
  void SetOriginalString(const std::string& Value) { FOriginalString = Value; }
  const std::string& GetReplacementString() const { return FReplacementString; }
  void SetReplacementString(const std::string& Value) { FReplacementString = Value; }

 private:
  TNotifyEvent FOnInsert;
  TNotifyEvent FOnRemove;
  std::string FOriginalString = "Unknown";
  std::string FReplacementString = "Unknown";
};

class TiPlotTranslationManager : public TObject {
 public:
  // Both callbacks are required.
  TiPlotTranslationManager(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove);
  ~TiPlotTranslationManager() override;
  void Announce();

  int Count() const { return static_cast<int>(FList.size()); }
  void Clear();
  void Delete(int Index);
  TiPlotTranslationObject* CreateObject();
  // A new entry at the front: its index, always 0.
  int Add();
  TiPlotTranslationObject* GetItem(int Index) const;
  // The replacement of the newest entry for exactly Text, or Text itself.
  std::string FindReplacement(const std::string& Text) const;
  void NotificationInsert(TObject* Sender);
  void NotificationRemove(TObject* Sender);

  bool DoWriteToStream() const { return Count() > 0; }
  // One group of property lines per entry, "Item0", "Item1", ... in list order.
  void WriteToStream(TStrings* Lines) const;
  // Replaces the table by the groups at the top of Lines (removing them);
  // each read entry goes to the front, so the order reverses.
  void ReadFromStream(TStrings* Lines);
  // "Original<TAB>Replacement" lines in the ANSI code page.
  void SaveToFile(const std::string& FileName) const;
  void LoadFromFile(const std::string& FileName);

  TNotifyEvent OnInsert;
  TNotifyEvent OnRemove;

 private:
  std::vector<TiPlotTranslationObject*> FList;
};
