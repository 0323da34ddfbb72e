#include "platform/components/Collection.h"

#include <algorithm>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TCollectionItem) {}
TANDREL_PUBLISH(TCollection) {}

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == Collection_) return;
  if (Collection_ != nullptr) Collection_->RemoveItem(this);
  if (Value != nullptr) Value->InsertItem(this);
}

TPersistent* TCollectionItem::GetOwner() const { return Collection_; }

int TCollectionItem::Index() const {
  if (Collection_ == nullptr) return -1;
  const auto& Items = Collection_->Items_;
  return static_cast<int>(std::find(Items.begin(), Items.end(), this) - Items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  if (Collection_ == nullptr || Value == Index()) return;
  auto& Items = Collection_->Items_;
  Items.erase(Items.begin() + Index());
  Value = std::clamp(Value, 0, static_cast<int>(Items.size()));
  Items.insert(Items.begin() + Value, this);
  Collection_->Changed(nullptr);
}

void TCollectionItem::Changed() {
  if (Collection_ != nullptr) Collection_->Changed(this);
}

TCollection::TCollection(TPersistent* Owner, TItemFactory ItemFactory)
    : Owner_(Owner), ItemFactory_(ItemFactory) {}

TCollection::~TCollection() {
  ++UpdateCount_;  // no updates while going away
  Clear();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Items_[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() { return ItemFactory_(this); }

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* Item = Add();
  Item->SetIndex(Index);
  return Item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear() {
  if (Items_.empty()) return;
  BeginUpdate();
  while (!Items_.empty()) delete Items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* Item : Items_)
    if (Item->ID_ == ID) return Item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (UpdateCount_ > 0 && --UpdateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TCollection*>(Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* Item : Other->Items_) Add()->Assign(Item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Update(TCollectionItem* /*Item*/) {}

void TCollection::InsertItem(TCollectionItem* Item) {
  Items_.push_back(Item);
  Item->Collection_ = this;
  Item->ID_ = NextID_++;
  Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Items_.erase(std::remove(Items_.begin(), Items_.end(), Item), Items_.end());
  Item->Collection_ = nullptr;
  Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* Item) {
  if (UpdateCount_ == 0) Update(Item);
}
