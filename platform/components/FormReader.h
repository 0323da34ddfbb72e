#pragma once

#include <string>
#include <vector>

// Reading form resources into a root component (a form): the components a
// resource describes are created with the root as their owner, their
// properties set, their events bound to the root's published methods, and
// the root's published fields set to them.

class TComponent;
class TObject;
struct TFormObject;
struct TFormProperty;
struct TFormValue;
struct TPropInfo;

// Reads the resources of Root's class chain, the most basic class first,
// skipping classes without one; a derived resource changes the ancestor's
// components in `inherited` blocks and adds new ones in `object` blocks.
// False when no class of the chain has a resource. Raises EReadError.
bool ReadComponentResources(TComponent* Root);
// One resource by name; raises EResNotFound when there is none.
void ReadComponentResource(TComponent* Root, const std::string& ResourceName);
// A resource text; SourceName names it in errors.
void ReadComponentText(TComponent* Root, const std::string& Text, const std::string& SourceName);

// One read of one or more resources into a root. While reading, every
// component involved is in the loading state; Finish clears it and runs
// Loaded for each in creation order. A failed read frees the components it
// created and leaves the others out of the loading state.
class TFormReader {
 public:
  explicit TFormReader(TComponent* Root);
  ~TFormReader();
  TFormReader(const TFormReader&) = delete;
  TFormReader& operator=(const TFormReader&) = delete;

  void Read(const std::string& Text, const std::string& SourceName);
  void Finish();

 private:
  struct TFixup {
    TObject* Target;
    const TPropInfo* Prop;
    std::string Name;
    int Line;
  };

  void ReadRoot(const TFormObject& Block);
  void ReadChild(const TFormObject& Block, TComponent* Parent);
  TComponent* CreateChild(const TFormObject& Block);
  TComponent* FindInherited(const TFormObject& Block);
  void BeginLoading(TComponent* Component);
  void ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Properties);
  void ReadProperty(TObject* Instance, const TFormProperty& Property);
  bool ReadStringsProperty(TObject* Instance, const TFormProperty& Property);
  void SetValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value);
  void SetObjectValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value);
  void SetMethodValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value);
  void ResolveFixups();
  void Abandon();
  [[noreturn]] void Fail(int Line, const std::string& What) const;

  TComponent* Root_;
  std::string Source_;
  std::vector<TComponent*> Loading_;  // creation order, the root first
  std::vector<TComponent*> Created_;
  std::vector<TFixup> Fixups_;
  bool Finished_ = false;
};
