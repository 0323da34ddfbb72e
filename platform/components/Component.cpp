#include "platform/components/Component.h"

#include <algorithm>

#include "platform/core/SysUtils.h"
#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TComponent) {
  Info.Property("Name", &TComponent::Name, &TComponent::SetName);
  Info.Property("Tag", &TComponent::Tag, &TComponent::SetTag);
}

namespace {

bool IsValidIdent(const std::string& S) {
  auto IsAlpha = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (S.empty() || !IsAlpha(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(), [&](char C) { return IsAlpha(C) || (C >= '0' && C <= '9'); });
}

void Erase(std::vector<TComponent*>& List, TComponent* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FreeNotifies_.empty()) {
    TComponent* Other = FreeNotifies_.back();
    FreeNotifies_.pop_back();
    Erase(Other->FreeNotifies_, this);
    Other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (Owner_ != nullptr) Owner_->RemoveComponent(this);
}

void TComponent::ValidateName(const std::string& NewName) const {
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (Owner_ == nullptr || NewName.empty()) return;
  TComponent* Existing = Owner_->FindComponent(NewName);
  if (Existing != nullptr && Existing != this)
    throw EComponentError("A component named " + NewName + " already exists");
}

// A published field of the owner must be able to hold this component.
void TComponent::CheckOwnerField(const std::string& NewName) const {
  if (Owner_ == nullptr || NewName.empty()) return;
  const TFieldInfo* Field = Owner_->ClassInfo()->FindField(NewName);
  if (Field != nullptr && !InheritsFrom(&Field->FieldClass()))
    throw EComponentError("Field " + NewName + " of " + Owner_->ClassName() + " is a " +
                          Field->FieldClass().ClassName() + ", not a " + ClassName());
}

void TComponent::SetReference(bool Enable) {
  if (Owner_ == nullptr || Name_.empty()) return;
  const TFieldInfo* Field = Owner_->ClassInfo()->FindField(Name_);
  if (Field == nullptr) return;
  if (Enable)
    Field->Set(Owner_, this);
  else if (Field->Get(Owner_) == this)
    Field->Set(Owner_, nullptr);
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == Name_) return;
  ValidateName(NewName);
  CheckOwnerField(NewName);
  SetReference(false);
  Name_ = NewName;
  SetReference(true);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Components_[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (Owner_ == nullptr) return -1;
  auto It = std::find(Owner_->Components_.begin(), Owner_->Components_.end(), this);
  return static_cast<int>(It - Owner_->Components_.begin());
}

void TComponent::SetComponentIndex(int Index) {
  if (Owner_ == nullptr) return;
  std::vector<TComponent*>& List = Owner_->Components_;
  Erase(List, this);
  Index = std::clamp(Index, 0, static_cast<int>(List.size()));
  List.insert(List.begin() + Index, this);
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* C : Components_)
    if (SameText(C->Name_, AName)) return C;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->Owner_ == this) return;
  // Refused before it leaves its old owner, so a refused component stays owned.
  if (!AComponent->Name_.empty() && FindComponent(AComponent->Name_) != nullptr)
    throw EComponentError("A component named " + AComponent->Name_ + " already exists");
  if (AComponent->Owner_ != nullptr) AComponent->Owner_->RemoveComponent(AComponent);
  Components_.push_back(AComponent);
  AComponent->Owner_ = this;
  AComponent->SetReference(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->Owner_ != this) return;
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Erase(Components_, AComponent);
  AComponent->Owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!Components_.empty()) {
    TComponent* Last = Components_.back();
    RemoveComponent(Last);
    Last->Free();
  }
}

void TComponent::Destroying() {
  if (State_.Contains(csDestroying)) return;
  State_.Include(csDestroying);
  for (TComponent* C : Components_) C->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(FreeNotifies_.begin(), FreeNotifies_.end(), AComponent) == FreeNotifies_.end()) {
    FreeNotifies_.push_back(AComponent);
    AComponent->FreeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  Erase(FreeNotifies_, AComponent);
  Erase(AComponent->FreeNotifies_, this);
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::Loaded() { State_.Exclude(csLoading); }

void TComponent::SetParentComponent(TComponent* /*Parent*/) {}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) RemoveFreeNotification(AComponent);
  // A copy: a handler may add or free components.
  std::vector<TComponent*> Owned = Components_;
  for (TComponent* C : Owned)
    if (C != AComponent && std::find(Components_.begin(), Components_.end(), C) != Components_.end())
      C->Notification(AComponent, Operation);
}
