#pragma once

#include <vector>

#include "platform/core/Object.h"

// Collections: lists of items of one class, each item a persistent object
// with published properties (list columns, status panels). Form resources
// write them as < item ... end >.

class TCollection;

class TCollectionItem : public TPersistent {
  TANDREL_CLASS(TCollectionItem, TPersistent)

  // Joins Collection (at the end) when given.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves its collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return Collection_; }
  void SetCollection(TCollection* Value);
  TPersistent* GetOwner() const override;
  // The place in the collection; -1 without one.
  int Index() const;
  void SetIndex(int Value);
  // Unique in its collection, never reused.
  int ID() const { return ID_; }

 protected:
  // Tells the collection that this item changed.
  void Changed();

 private:
  friend class TCollection;
  TCollection* Collection_ = nullptr;
  int ID_ = 0;
};

class TCollection : public TPersistent {
  TANDREL_CLASS(TCollection, TPersistent)

  using TItemFactory = TCollectionItem* (*)(TCollection* Collection);
  template <class T>
  static TCollectionItem* NewItem(TCollection* Collection) {
    return new T(Collection);
  }

  // Items are made by ItemFactory (TCollection::NewItem<TMyItem>).
  TCollection(TPersistent* Owner, TItemFactory ItemFactory);
  ~TCollection() override;

  TPersistent* GetOwner() const override { return Owner_; }
  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EListError outside 0..Count-1.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;

  // Update runs once when the outermost EndUpdate is reached.
  void BeginUpdate() { ++UpdateCount_; }
  void EndUpdate();
  int UpdateCount() const { return UpdateCount_; }

  // Copies a collection's items one by one through their Assign.
  void Assign(const TPersistent* Source) override;

 protected:
  // An item changed (nil: the whole collection); a no-op here.
  virtual void Update(TCollectionItem* Item);

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void Changed(TCollectionItem* Item);

  TPersistent* Owner_;
  TItemFactory ItemFactory_;
  std::vector<TCollectionItem*> Items_;
  int NextID_ = 0;
  int UpdateCount_ = 0;
};
