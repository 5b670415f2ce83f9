#pragma once
// Collections of persistent items: TCollection keeps an ordered list of
// TCollectionItem objects of one class, tells itself about every change
// through Update (once per outermost BeginUpdate/EndUpdate pair) and Notify;
// TOwnedCollection also knows the object it belongs to.
//
// Items are made by Add or Insert. The item's constructor puts it into the
// collection; the collection announces it (Notify cnAdded, then Update)
// once it is fully constructed, from its AfterConstruction, which Add and
// Insert call. Code that news an item itself calls AfterConstruction()
// on it, as for any TObject.
//
// A derived collection whose items reach back into it from their
// destructors should Clear in its own destructor, while it is still whole.

#include <functional>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

class EListError : public Exception {
 public:
  using Exception::Exception;
};

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  // Announces the item to its collection (once).
  void AfterConstruction() override;

  TCollection* GetCollection() const { return FCollection; }
  // Moves the item to the end of another collection (null: out of any).
  void SetCollection(TCollection* Value);
  // Position in the collection; -1 without one.
  int GetIndex() const;
  // Moves the item within its collection; throws EListError for an index
  // outside 0..Count-1.
  virtual void SetIndex(int Value);
  // Unique within the collection, never reused.
  int GetID() const { return FID; }
  // The class name unless a derived item names itself.
  virtual std::string GetDisplayName() const;
  virtual void SetDisplayName(const std::string& /*Value*/) {}

 protected:
  // Tells the collection this item (AllItems false) or every item changed;
  // nothing while the collection is inside BeginUpdate/EndUpdate.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
  bool FAnnounced = false;
};

// Makes one item of a collection's class inside the given collection.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection*)>;

template <typename T>
TCollectionItemClass CollectionItemClass() {
  return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}

class TCollection : public TPersistent {
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  int Count() const { return GetCount(); }
  // Throws EListError "List index out of bounds (n)".
  TCollectionItem* GetItems(int Index) const;
  // Assigns Value to the item at Index.
  void SetItems(int Index, TCollectionItem* Value);
  TCollectionItem* operator[](int Index) const { return GetItems(Index); }

  // A new item of the collection's class at the end.
  TCollectionItem* Add();
  // A new item at Index (0..Count): added, then moved there.
  TCollectionItem* Insert(int Index);
  // Frees the item at Index.
  void Delete(int Index);
  // Frees every item, with one Update at the end.
  void Clear();
  TCollectionItem* FindItemID(int ID) const;

  // Nested pairs count; Update(null) runs once, at the outermost EndUpdate
  // (whether or not anything changed in between).
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // The object the collection belongs to; null for a plain collection.
  virtual TPersistent* GetOwner() const { return nullptr; }

  // Copies another collection: Clear, then one new item per source item,
  // each Assigned from it, all inside one update.
  void Assign(TPersistent* Source) override;

 protected:
  // The hook derived collections override: Item changed, or null when the
  // whole collection did.
  virtual void Update(TCollectionItem* /*Item*/) {}
  virtual void Notify(TCollectionItem* /*Item*/, TCollectionNotification /*Action*/) {}
  // Update(null) unless inside BeginUpdate/EndUpdate.
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void AnnounceItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void CheckIndex(int Index) const;

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
      : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};
