#pragma once
// The plot's table of replacements for the library's fixed English texts.

#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

class TiPlotTranslationManager : public TObject {
 public:
  TiPlotTranslationManager(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove);
  ~TiPlotTranslationManager() override;
  void Announce();

  int Count() const { return static_cast<int>(FEntries.size()); }
  // Adds a replacement; returns its index.
  int Add(const std::string& OriginalString, const std::string& ReplacementString);
  void Clear() { FEntries.clear(); }
  // The replacement of Text (case-insensitive), or Text itself.
  std::string FindReplacement(const std::string& Text) const;

  TNotifyEvent OnInsert;
  TNotifyEvent OnRemove;

 private:
  struct Entry {
    std::string Original;
    std::string Replacement;
  };
  std::vector<Entry> FEntries;
};
