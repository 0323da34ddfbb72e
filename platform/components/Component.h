#pragma once

#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/rtti/Sets.h"

// Components: named objects owned by another component, which frees them;
// the things forms are made of and form resources describe.

TANDREL_EXCEPTION(EComponentError, Exception);

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  TANDREL_CLASS(TComponent, TPersistent)

  explicit TComponent(TComponent* AOwner);
  // Frees the owned components (the last created first), tells every
  // component that asked for it, and leaves the owner.
  ~TComponent() override;

  // An identifier (or empty), unique among the owner's components without
  // regard to case; raises EComponentError otherwise. A published field of
  // the owner with this name is set to the component (and cleared when the
  // name changes or the component leaves).
  const std::string& Name() const { return Name_; }
  void SetName(const std::string& NewName);
  int Tag() const { return Tag_; }
  void SetTag(int Value) { Tag_ = Value; }

  TComponent* Owner() const { return Owner_; }
  TPersistent* GetOwner() const override { return Owner_; }

  // Owned components in creation order.
  int ComponentCount() const { return static_cast<int>(Components_.size()); }
  // Raises EListError outside 0..ComponentCount-1.
  TComponent* Components(int Index) const;
  // The place among the owner's components; -1 without owner.
  int ComponentIndex() const;
  void SetComponentIndex(int Index);
  // Without regard to case; nil for an empty name or none.
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and the ones it owns as being destroyed.
  void Destroying();

  // AComponent's Notification(this, opRemove) runs when this component is
  // destroyed, and the other way round.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return State_; }

  // Runs after a form resource was read, for every component it created or
  // changed, in creation order; loading state is already cleared.
  virtual void Loaded();
  // The form reader calls it on each component with the enclosing component
  // of the resource; controls take a windowed one as their parent.
  virtual void SetParentComponent(TComponent* Parent);
  // Runs before the destructor chain, while the whole object still exists
  // (forms run OnDestroy here); Free and the owner call it.
  virtual void BeforeDestruction() {}
  void Free();

 protected:
  // A component was added to or removed from the owner (passed on to every
  // owned component), or a component this one asked to be told about is
  // being destroyed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  friend class TFormReader;

  void IncludeState(TComponentStateFlag Flag) { State_.Include(Flag); }
  void ExcludeState(TComponentStateFlag Flag) { State_.Exclude(Flag); }
  void ValidateName(const std::string& NewName) const;
  void CheckOwnerField(const std::string& NewName) const;
  void SetReference(bool Enable);

  std::string Name_;
  int Tag_ = 0;
  TComponent* Owner_ = nullptr;
  TComponentState State_;
  std::vector<TComponent*> Components_;
  std::vector<TComponent*> FreeNotifies_;
};
