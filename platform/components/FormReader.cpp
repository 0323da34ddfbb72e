#include "platform/components/FormReader.h"

#include <algorithm>

#include "platform/components/Collection.h"
#include "platform/components/Component.h"
#include "platform/components/FormParser.h"
#include "platform/components/Resources.h"
#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Variant.h"
#include "platform/rtti/Identifiers.h"
#include "platform/rtti/TypInfo.h"

namespace {

std::string DescribeValue(const TFormValue& Value) {
  switch (Value.Kind) {
    case TFormValue::vkInteger: return IntToStr(Value.Integer);
    case TFormValue::vkFloat: return FloatToStr(Value.Float);
    case TFormValue::vkString: return QuotedStr(Value.Text);
    case TFormValue::vkIdent: return Value.Text;
    case TFormValue::vkSet: return "a set";
    case TFormValue::vkList: return "a list";
    default: return "a collection";
  }
}

std::string DescribeProp(const TPropInfo& Prop) {
  return "property '" + Prop.Name + "' (" + Prop.TypeName() + ")";
}

bool IsNil(const TFormValue& Value) {
  return Value.Kind == TFormValue::vkIdent && SameText(Value.Text, "nil");
}

void Remove(std::vector<TComponent*>& List, TComponent* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

}  // namespace

TFormReader::TFormReader(TComponent* Root) : Root_(Root) {}

TFormReader::~TFormReader() {
  if (!Finished_) Abandon();
}

void TFormReader::Fail(int Line, const std::string& What) const { throw FormReadError(Source_, Line, What); }

void TFormReader::Read(const std::string& Text, const std::string& SourceName) {
  Source_ = SourceName;
  TFormObject Block = ParseFormText(Text, SourceName);
  ReadRoot(Block);
  ResolveFixups();
  for (TComponent* C : Loading_) C->ExcludeState(csReading);
}

void TFormReader::Finish() {
  Finished_ = true;
  std::vector<TComponent*> Order = Loading_;
  Loading_.clear();
  Created_.clear();
  for (size_t I = 0; I < Order.size(); ++I) {
    Order[I]->ExcludeState(csReading);
    Order[I]->ExcludeState(csLoading);
    try {
      Order[I]->Loaded();
    } catch (...) {
      for (size_t J = I + 1; J < Order.size(); ++J) Order[J]->ExcludeState(csLoading);
      throw;
    }
  }
}

void TFormReader::Abandon() {
  for (auto It = Created_.rbegin(); It != Created_.rend(); ++It) {
    Remove(Loading_, *It);
    delete *It;
  }
  for (TComponent* C : Loading_) {
    C->ExcludeState(csReading);
    C->ExcludeState(csLoading);
  }
  Created_.clear();
  Loading_.clear();
  Fixups_.clear();
}

void TFormReader::BeginLoading(TComponent* Component) {
  if (std::find(Loading_.begin(), Loading_.end(), Component) == Loading_.end())
    Loading_.push_back(Component);
  Component->IncludeState(csLoading);
  Component->IncludeState(csReading);
}

void TFormReader::ReadRoot(const TFormObject& Block) {
  const TClassInfo* Class = GetClass(Block.ClassName);
  if (Class == nullptr) Fail(Block.Line, "Class " + Block.ClassName + " not found");
  if (!Root_->InheritsFrom(Class))
    Fail(Block.Line, "The resource describes a " + Block.ClassName + ", not a " + Root_->ClassName());
  BeginLoading(Root_);
  try {
    if (!Block.Name.empty()) Root_->SetName(Block.Name);
  } catch (const Exception& E) {
    Fail(Block.Line, E.Message());
  }
  ReadProperties(Root_, Block.Properties);
  for (const TFormObject& Child : Block.Children) ReadChild(Child, Root_);
}

void TFormReader::ReadChild(const TFormObject& Block, TComponent* Parent) {
  TComponent* Component = Block.Kind == TFormObject::okInherited ? FindInherited(Block) : CreateChild(Block);
  try {
    Component->SetParentComponent(Parent);
  } catch (const Exception& E) {
    Fail(Block.Line, E.Message());
  }
  ReadProperties(Component, Block.Properties);
  for (const TFormObject& Child : Block.Children) ReadChild(Child, Component);
}

TComponent* TFormReader::CreateChild(const TFormObject& Block) {
  const TClassInfo* Class = GetClass(Block.ClassName);
  if (Class == nullptr) Fail(Block.Line, "Class " + Block.ClassName + " not found");
  if (!Class->CanCreate()) Fail(Block.Line, "Class " + Block.ClassName + " is not a component class");
  if (Root_->FindComponent(Block.Name) != nullptr)
    Fail(Block.Line, "A component named " + Block.Name + " already exists");
  TComponent* Component = nullptr;
  try {
    Component = Class->Create(Root_);
    Created_.push_back(Component);
    BeginLoading(Component);
    Component->SetName(Block.Name);
  } catch (const EReadError&) {
    throw;
  } catch (const Exception& E) {
    Fail(Block.Line, E.Message());
  }
  return Component;
}

TComponent* TFormReader::FindInherited(const TFormObject& Block) {
  TComponent* Component = Root_->FindComponent(Block.Name);
  if (Component == nullptr) Fail(Block.Line, "Inherited component " + Block.Name + " not found");
  const TClassInfo* Class = GetClass(Block.ClassName);
  if (Class == nullptr) Fail(Block.Line, "Class " + Block.ClassName + " not found");
  if (!Component->InheritsFrom(Class))
    Fail(Block.Line, "Component " + Block.Name + " is a " + Component->ClassName() + ", not a " + Block.ClassName);
  BeginLoading(Component);
  return Component;
}

void TFormReader::ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Properties) {
  for (const TFormProperty& Property : Properties) ReadProperty(Instance, Property);
}

void TFormReader::ReadProperty(TObject* Instance, const TFormProperty& Property) {
  try {
    TObject* Target = nullptr;
    const TPropInfo* Prop = nullptr;
    if (ResolvePropPath(Instance, Property.Name, Target, Prop))
      SetValue(Target, *Prop, Property.Value);
    else if (!ReadStringsProperty(Instance, Property))
      FindPropInfo(Instance, Property.Name);  // raises with the reason
  } catch (const EReadError&) {
    throw;
  } catch (const Exception& E) {
    Fail(Property.Line, E.Message());
  }
}

// "Items.Strings = (...)": the lines of a string-list property.
bool TFormReader::ReadStringsProperty(TObject* Instance, const TFormProperty& Property) {
  const std::string Suffix = ".strings";
  const std::string& Name = Property.Name;
  if (Name.size() <= Suffix.size() || !SameText(Name.substr(Name.size() - Suffix.size()), Suffix)) return false;
  TObject* Target = nullptr;
  const TPropInfo* Prop = nullptr;
  if (!ResolvePropPath(Instance, Name.substr(0, Name.size() - Suffix.size()), Target, Prop)) return false;
  if (Prop->Kind() != tkClass || dynamic_cast<TStrings*>(GetObjectProp(Target, *Prop)) == nullptr) return false;
  SetObjectValue(Target, *Prop, Property.Value);
  return true;
}

void TFormReader::SetValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value) {
  auto BadValue = [&] { Fail(Value.Line, "Invalid value " + DescribeValue(Value) + " for " + DescribeProp(Prop)); };
  const TTypeInfo& Type = Prop.PropType();
  switch (Type.Kind) {
    case tkInteger:
      if (Value.Kind == TFormValue::vkInteger) {
        SetOrdProp(Target, Prop, Value.Integer);
      } else if (Value.Kind == TFormValue::vkIdent) {
        int32_t Number = 0;
        TIdentToInt ToInt = FindIdentToInt(Type.Name);
        if (ToInt == nullptr || !ToInt(Value.Text, Number)) BadValue();
        SetOrdProp(Target, Prop, Number);
      } else {
        BadValue();
      }
      return;
    case tkChar:
      if (Value.Kind == TFormValue::vkInteger)
        SetOrdProp(Target, Prop, Value.Integer);
      else if (Value.Kind == TFormValue::vkString)
        SetPropText(Target, Prop, Value.Text);
      else
        BadValue();
      return;
    case tkEnumeration:
      if (Value.Kind != TFormValue::vkIdent || GetEnumValue(Type, Value.Text) < 0) BadValue();
      SetOrdProp(Target, Prop, GetEnumValue(Type, Value.Text));
      return;
    case tkSet: {
      if (Value.Kind != TFormValue::vkSet) BadValue();
      uint64_t Bits = 0;
      for (const TFormValue& Element : Value.Items) {
        int64_t Ordinal = GetEnumValue(*Type.ElementType, Element.Text);
        if (Ordinal < 0)
          Fail(Element.Line, "Invalid set element " + Element.Text + " for " + DescribeProp(Prop));
        Bits |= uint64_t{1} << Ordinal;
      }
      SetOrdProp(Target, Prop, static_cast<int64_t>(Bits));
      return;
    }
    case tkFloat:
      if (Value.Kind == TFormValue::vkInteger)
        SetFloatProp(Target, Prop, static_cast<double>(Value.Integer));
      else if (Value.Kind == TFormValue::vkFloat)
        SetFloatProp(Target, Prop, Value.Float);
      else
        BadValue();
      return;
    case tkString:
      if (Value.Kind != TFormValue::vkString) BadValue();
      SetStrProp(Target, Prop, Value.Text);
      return;
    case tkClass:
      SetObjectValue(Target, Prop, Value);
      return;
    case tkMethod:
      SetMethodValue(Target, Prop, Value);
      return;
    case tkVariant:
      if (Value.Kind == TFormValue::vkInteger)
        SetVariantProp(Target, Prop, Variant(static_cast<long long>(Value.Integer)));
      else if (Value.Kind == TFormValue::vkFloat)
        SetVariantProp(Target, Prop, Variant(Value.Float));
      else if (Value.Kind == TFormValue::vkString)
        SetVariantProp(Target, Prop, Variant(Value.Text));
      else if (Value.Kind == TFormValue::vkIdent && (SameText(Value.Text, "True") || SameText(Value.Text, "False")))
        SetVariantProp(Target, Prop, Variant(SameText(Value.Text, "True")));
      else
        BadValue();
      return;
    default:
      Fail(Value.Line, "The " + DescribeProp(Prop) + " cannot be read from a resource");
  }
}

void TFormReader::SetObjectValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value) {
  switch (Value.Kind) {
    case TFormValue::vkIdent:
      // Components may be named before they are created: resolved at the end.
      if (IsNil(Value))
        SetObjectProp(Target, Prop, nullptr);
      else
        Fixups_.push_back({Target, &Prop, Value.Text, Value.Line});
      return;
    case TFormValue::vkList: {
      auto* Lines = dynamic_cast<TStrings*>(GetObjectProp(Target, Prop));
      if (Lines == nullptr) Fail(Value.Line, "The " + DescribeProp(Prop) + " holds no string list");
      for (const TFormValue& Line : Value.Items)
        if (Line.Kind != TFormValue::vkString) Fail(Line.Line, "A string expected in the lines of " + DescribeProp(Prop));
      Lines->BeginUpdate();
      Lines->Clear();
      for (const TFormValue& Line : Value.Items) Lines->Add(Line.Text);
      Lines->EndUpdate();
      return;
    }
    case TFormValue::vkCollection: {
      auto* Items = dynamic_cast<TCollection*>(GetObjectProp(Target, Prop));
      if (Items == nullptr) Fail(Value.Line, "The " + DescribeProp(Prop) + " holds no collection");
      Items->BeginUpdate();
      try {
        Items->Clear();
        for (const TFormItem& Item : Value.Collection) ReadProperties(Items->Add(), Item.Properties);
      } catch (...) {
        Items->EndUpdate();
        throw;
      }
      Items->EndUpdate();
      return;
    }
    default:
      Fail(Value.Line, "Invalid value " + DescribeValue(Value) + " for " + DescribeProp(Prop));
  }
}

void TFormReader::SetMethodValue(TObject* Target, const TPropInfo& Prop, const TFormValue& Value) {
  if (Value.Kind != TFormValue::vkIdent)
    Fail(Value.Line, "Invalid value " + DescribeValue(Value) + " for " + DescribeProp(Prop));
  if (IsNil(Value)) {
    SetMethodProp(Target, Prop, TMethod{});
    return;
  }
  const TMethodInfo* Method = Root_->ClassInfo()->FindMethod(Value.Text);
  if (Method == nullptr) Fail(Value.Line, "Method " + Value.Text + " not found in class " + Root_->ClassName());
  if (*Method->Signature != *Prop.PropType().Signature)
    Fail(Value.Line, "Method " + Value.Text + " does not have the arguments of " + DescribeProp(Prop));
  SetMethodProp(Target, Prop, Method->Bind(Root_));
}

void TFormReader::ResolveFixups() {
  std::vector<TFixup> Pending;
  Pending.swap(Fixups_);
  for (const TFixup& Fixup : Pending) {
    TComponent* Component = SameText(Fixup.Name, Root_->Name()) ? Root_ : Root_->FindComponent(Fixup.Name);
    if (Component == nullptr) Fail(Fixup.Line, "Component " + Fixup.Name + " not found");
    try {
      SetObjectProp(Fixup.Target, *Fixup.Prop, Component);
    } catch (const Exception& E) {
      Fail(Fixup.Line, E.Message());
    }
  }
}

bool ReadComponentResources(TComponent* Root) {
  std::vector<const TClassInfo*> Chain;
  for (const TClassInfo* C = Root->ClassInfo(); C != nullptr; C = C->ClassParent()) Chain.push_back(C);
  TFormReader Reader(Root);
  bool Found = false;
  for (auto It = Chain.rbegin(); It != Chain.rend(); ++It)
    if (const std::string* Text = FindResource((*It)->ClassName())) {
      Reader.Read(*Text, (*It)->ClassName());
      Found = true;
    }
  Reader.Finish();
  return Found;
}

void ReadComponentResource(TComponent* Root, const std::string& ResourceName) {
  ReadComponentText(Root, GetResource(ResourceName), ResourceName);
}

void ReadComponentText(TComponent* Root, const std::string& Text, const std::string& SourceName) {
  TFormReader Reader(Root);
  Reader.Read(Text, SourceName);
  Reader.Finish();
}
