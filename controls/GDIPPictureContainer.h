#pragma once
// A component holding named pictures that other controls look up by name.

#include <memory>
#include <string>

#include "controls/AdvGDIP.h"
#include "platform/classlib/Collections.h"

class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* Collection);
  // Another item only; anything else is a conversion error.
  void Assign(TPersistent* Source) override;

  TAdvGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(const TGraphic* Value) { FPicture->Assign(Value); }
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

 private:
  std::unique_ptr<TAdvGDIPPicture> FPicture;
  NativeInt FTag = 0;
  std::string FName;
};

class TPictureCollection : public TOwnedCollection {
 public:
  explicit TPictureCollection(TPersistent* AOwner);
  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
  TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
  TPictureItem* GetItem(int Index) const { return static_cast<TPictureItem*>(GetItems(Index)); }
};

class TGDIPPictureContainer : public TComponent {
 public:
  explicit TGDIPPictureContainer(TComponent* AOwner);
  ~TGDIPPictureContainer() override;

  TPictureCollection* GetItems() const { return FItems.get(); }
  void SetItems(TPictureCollection* Value) { FItems->Assign(Value); }
  std::string GetVersion() const { return "1.0.0.0"; }
  void SetVersion(const std::string&) {}

  // The first item whose name matches, letters a to z compared without
  // case; null when none does. The picture stays the item's.
  virtual TAdvGDIPPicture* FindPicture(const std::string& Name) const;

 private:
  std::unique_ptr<TPictureCollection> FItems;
};
