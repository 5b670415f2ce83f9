#include "instruments/plot/iPlotTranslationManager.h"

TiPlotTranslationManager::TiPlotTranslationManager(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove)
    : OnInsert(std::move(AOnInsert)), OnRemove(std::move(AOnRemove)) {}

TiPlotTranslationManager::~TiPlotTranslationManager() {
  if (OnRemove) OnRemove(this);
}

void TiPlotTranslationManager::Announce() {
  if (OnInsert) OnInsert(this);
}

int TiPlotTranslationManager::Add(const std::string& OriginalString, const std::string& ReplacementString) {
  FEntries.push_back({OriginalString, ReplacementString});
  return Count() - 1;
}

std::string TiPlotTranslationManager::FindReplacement(const std::string& Text) const {
  for (const auto& e : FEntries)
    if (SameText(e.Original, Text)) return e.Replacement;
  return Text;
}
