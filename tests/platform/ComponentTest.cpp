#include "platform/components/Component.h"

#include <gtest/gtest.h>

#include "platform/components/Collection.h"
#include "platform/rtti/TypInfo.h"
#include "tests/platform/SampleClasses.h"

namespace {

// Counts its own destruction.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* AOwner, int& Destroyed) : TComponent(AOwner), Destroyed_(Destroyed) {}
  ~TProbe() override { ++Destroyed_; }

 private:
  int& Destroyed_;
};

TEST(Components, OwnerFreesItsComponents) {
  int Destroyed = 0;
  auto* Owner = new TComponent(nullptr);
  auto* Child = new TProbe(Owner, Destroyed);
  new TProbe(Child, Destroyed);
  new TProbe(Owner, Destroyed);
  EXPECT_EQ(Owner->ComponentCount(), 2);
  EXPECT_EQ(Owner->Components(0), Child);
  EXPECT_EQ(Child->ComponentIndex(), 0);
  delete Owner;
  EXPECT_EQ(Destroyed, 3);
}

TEST(Components, FreedComponentLeavesOwnerAndTellsThoseThatAsked) {
  TComponent Owner(nullptr);
  auto* Ok = new TSampleControl(&Owner);
  auto* Cancel = new TSampleControl(&Owner);
  auto* Stranger = new TSampleControl(nullptr);
  Ok->SetBuddy(Cancel);
  Stranger->SetBuddy(Cancel);
  delete Cancel;
  EXPECT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(Owner.Components(0), Ok);
  EXPECT_EQ(Ok->Buddy(), nullptr);
  EXPECT_EQ(Stranger->Buddy(), nullptr) << "told although owned elsewhere";
  // The link goes both ways: freeing the one that asked leaves no dangling entry.
  auto* Other = new TSampleControl(&Owner);
  Other->SetBuddy(Stranger);
  delete Other;
  delete Stranger;
  EXPECT_EQ(Owner.ComponentCount(), 1);
}

TEST(Components, NamesAreIdentifiersUniqueIgnoringCase) {
  TComponent Owner(nullptr);
  auto* First = new TComponent(&Owner);
  auto* Second = new TComponent(&Owner);
  First->SetName("btnOk");
  const char* Invalid[] = {"1abc", "a b", "a-b", "名字", "a.b"};
  for (const char* Name : Invalid) EXPECT_THROW(Second->SetName(Name), EComponentError) << Name;
  try {
    Second->SetName("BTNOK");
    FAIL();
  } catch (const EComponentError& E) {
    EXPECT_EQ(E.Message(), "A component named BTNOK already exists");
  }
  First->SetName("BtnOK");  // its own name in other letters
  Second->SetName("_second2");
  EXPECT_EQ(Owner.FindComponent("btnok"), First);
  EXPECT_EQ(Owner.FindComponent("_SECOND2"), Second);
  EXPECT_EQ(Owner.FindComponent(""), nullptr);
  EXPECT_EQ(Owner.FindComponent("none"), nullptr);
  Second->SetName("");
  EXPECT_EQ(Owner.FindComponent("_second2"), nullptr);
}

TEST(Components, InsertRemoveAndReorder) {
  TComponent A(nullptr), B(nullptr);
  auto* X = new TComponent(&A);
  auto* Y = new TComponent(&A);
  X->SetName("X");
  Y->SetComponentIndex(0);
  EXPECT_EQ(A.Components(0), Y);
  EXPECT_EQ(X->ComponentIndex(), 1);
  B.InsertComponent(X);
  EXPECT_EQ(X->Owner(), &B);
  EXPECT_EQ(A.ComponentCount(), 1);
  EXPECT_EQ(B.FindComponent("x"), X);
  auto* Clash = new TComponent(&A);
  Clash->SetName("X");
  EXPECT_THROW(B.InsertComponent(Clash), EComponentError);
  EXPECT_EQ(Clash->Owner(), &A) << "a refused component stays with its owner";
  A.RemoveComponent(Y);
  EXPECT_EQ(Y->Owner(), nullptr);
  EXPECT_EQ(Y->ComponentIndex(), -1);
  EXPECT_THROW(A.Components(5), EListError);
  delete Y;
}

TEST(Components, PublishedFieldFollowsTheName) {
  TSampleBase Form(nullptr);
  auto* Button = new TSampleControl(&Form);
  Button->SetName("btnOk");
  EXPECT_EQ(Form.btnOk, Button);
  Button->SetName("btnOther");
  EXPECT_EQ(Form.btnOk, nullptr);
  Button->SetName("btnCancel");
  EXPECT_EQ(Form.btnCancel, Button);
  delete Button;
  EXPECT_EQ(Form.btnCancel, nullptr);
  // A field cannot point at a component of another class.
  auto* Plain = new TComponent(&Form);
  EXPECT_THROW(Plain->SetName("btnOk"), EComponentError);
  EXPECT_EQ(Plain->Name(), "");
}

TEST(Components, StateAndDestroying) {
  TComponent Owner(nullptr);
  auto* Child = new TComponent(&Owner);
  EXPECT_TRUE(Owner.ComponentState().Empty());
  Owner.Destroying();
  EXPECT_TRUE(Owner.ComponentState().Contains(csDestroying));
  EXPECT_TRUE(Child->ComponentState().Contains(csDestroying));
  Owner.SetTag(42);
  EXPECT_EQ(GetOrdProp(&Owner, "Tag"), 42);
}

TEST(Collections, ItemsKnowTheirPlace) {
  TSampleControl Control(nullptr);
  TCollection& Columns = *Control.Columns();
  auto* First = static_cast<TSampleColumn*>(Columns.Add());
  auto* Second = static_cast<TSampleColumn*>(Columns.Add());
  First->Caption = "a";
  EXPECT_EQ(Columns.Count(), 2);
  EXPECT_EQ(Second->Index(), 1);
  EXPECT_EQ(First->GetOwner(), &Columns);
  EXPECT_EQ(Columns.GetOwner(), &Control);
  Second->SetIndex(0);
  EXPECT_EQ(Columns.Items(0), Second);
  EXPECT_EQ(Columns.FindItemID(First->ID()), First);
  delete Second;
  EXPECT_EQ(Columns.Count(), 1);
  EXPECT_EQ(First->Index(), 0);
  Columns.Delete(0);
  EXPECT_EQ(Columns.Count(), 0);
  EXPECT_THROW(Columns.Items(0), EListError);
}

}  // namespace
