#include "instruments/plot/iPlotTranslationManager.h"

#include <algorithm>

#include "instruments/base/iProperties.h"
#include "instruments/base/iPropertyText.h"
#include "platform/classlib/AnsiTextFile.h"
#include "platform/classlib/Collections.h"

namespace {
const TiRegisterProperties<TiPlotTranslationObject, TObject> kProperties(
    [](TiPropertyBuilder<TiPlotTranslationObject>& b) {
      using T = TiPlotTranslationObject;
      b.Add("OriginalString", &T::GetOriginalString, &T::SetOriginalString);
      b.Add("ReplacementString", &T::GetReplacementString, &T::SetReplacementString);
    });

std::string ItemPrefix(int Index) {
  return "Item" + std::to_string(Index);
}
}  // namespace

TiPlotTranslationObject::TiPlotTranslationObject(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove)
    : FOnInsert(std::move(AOnInsert)), FOnRemove(std::move(AOnRemove)) {
  if (FOnInsert) FOnInsert(this);
}

TiPlotTranslationObject::~TiPlotTranslationObject() {
  if (FOnRemove) FOnRemove(this);
}

TiPlotTranslationManager::TiPlotTranslationManager(TNotifyEvent AOnInsert, TNotifyEvent AOnRemove)
    : OnInsert(std::move(AOnInsert)), OnRemove(std::move(AOnRemove)) {
  if (!OnInsert) throw Exception("OnInsert event handler can not be null");
  if (!OnRemove) throw Exception("OnRemove event handler can not be null");
}

TiPlotTranslationManager::~TiPlotTranslationManager() {
  Clear();
  if (OnRemove) OnRemove(this);
}

void TiPlotTranslationManager::Announce() {
  if (OnInsert) OnInsert(this);
}

void TiPlotTranslationManager::Clear() {
  while (!FList.empty()) delete FList.front();
}

void TiPlotTranslationManager::Delete(int Index) {
  delete GetItem(Index);
}

TiPlotTranslationObject* TiPlotTranslationManager::CreateObject() {
  return new TiPlotTranslationObject([this](TObject* s) { NotificationInsert(s); },
                                     [this](TObject* s) { NotificationRemove(s); });
}

int TiPlotTranslationManager::Add() {
  CreateObject();
  return 0;
}

TiPlotTranslationObject* TiPlotTranslationManager::GetItem(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FList[static_cast<size_t>(Index)];
}

std::string TiPlotTranslationManager::FindReplacement(const std::string& Text) const {
  for (const TiPlotTranslationObject* e : FList)
    if (e->GetOriginalString() == Text) return e->GetReplacementString();
  return Text;
}

void TiPlotTranslationManager::NotificationInsert(TObject* Sender) {
  auto* entry = dynamic_cast<TiPlotTranslationObject*>(Sender);
  if (!entry || std::find(FList.begin(), FList.end(), entry) != FList.end()) return;
  FList.insert(FList.begin(), entry);
}

void TiPlotTranslationManager::NotificationRemove(TObject* Sender) {
  auto at = std::find(FList.begin(), FList.end(), Sender);
  if (at != FList.end()) FList.erase(at);
}

void TiPlotTranslationManager::WriteToStream(TStrings* Lines) const {
  for (int i = 0; i < Count(); ++i) WritePropertiesText(FList[static_cast<size_t>(i)], ItemPrefix(i), Lines, false, nullptr);
}

void TiPlotTranslationManager::ReadFromStream(TStrings* Lines) {
  Clear();
  for (int i = 0; Lines->Count() > 0; ++i) {
    const std::string prefix = ItemPrefix(i);
    const std::string first = Lines->Get(0);
    if (!SameText(first.substr(0, first.find('.')), prefix)) break;
    ReadPropertiesText(CreateObject(), prefix, Lines);
  }
}

void TiPlotTranslationManager::SaveToFile(const std::string& FileName) const {
  try {
    TStringList lines;
    for (const TiPlotTranslationObject* e : FList)
      lines.Add(e->GetOriginalString() + "\t" + e->GetReplacementString());
    SaveAnsiTextFile(FileName, &lines);
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Saving Translation Data - ") + e.what());
  }
}

void TiPlotTranslationManager::LoadFromFile(const std::string& FileName) {
  try {
    TStringList lines;
    LoadAnsiTextFile(FileName, &lines);
    Clear();
    for (int i = 0; i < lines.Count(); ++i) {
      const std::string line = lines.Get(i);
      const size_t tab = line.find('\t');
      if (tab == std::string::npos) throw Exception("Invalid Format - Tab Deliminator Missing");
      TiPlotTranslationObject* entry = CreateObject();
      entry->SetOriginalString(line.substr(0, tab));
      entry->SetReplacementString(line.substr(tab + 1));
    }
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Loading Data - ") + e.what());
  }
}
