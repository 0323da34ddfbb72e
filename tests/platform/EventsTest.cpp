#include "platform/rtti/Events.h"

#include <gtest/gtest.h>

#include "platform/core/Classes.h"
#include "platform/rtti/TypInfo.h"
#include "tests/platform/SampleClasses.h"

namespace {

// Handlers need not belong to components.
struct TCounter {
  int Count = 0;
  TObject* LastSender = nullptr;
  void Bump(TObject* Sender) {
    ++Count;
    LastSender = Sender;
  }
};

void PlainHandler(void* Data, TObject* /*Sender*/) { ++*static_cast<int*>(Data); }

TEST(Events, CallTheBoundInstance) {
  TCounter A, B;
  TNotifyEvent OnA = TNotifyEvent::Of<&TCounter::Bump>(&A);
  TNotifyEvent OnB = TNotifyEvent::Of<&TCounter::Bump>(&B);
  TObject Sender;
  OnA(&Sender);
  EXPECT_EQ(A.Count, 1);
  EXPECT_EQ(A.LastSender, &Sender);
  EXPECT_EQ(B.Count, 0);
  EXPECT_NE(OnA, OnB);
  EXPECT_EQ(OnA, TNotifyEvent::Of<&TCounter::Bump>(&A));
  EXPECT_EQ(OnA.Method().Code, OnB.Method().Code);
  EXPECT_EQ(OnA.Data(), &A);
}

TEST(Events, HostFillsPlainFunctionAndData) {
  int Calls = 0;
  TNotifyEvent Event(&PlainHandler, &Calls);
  Event(nullptr);
  Event(nullptr);
  EXPECT_EQ(Calls, 2);
}

TEST(Events, UnassignedEventDoesNothing) {
  TNotifyEvent Event;
  EXPECT_FALSE(Event.Assigned());
  EXPECT_FALSE(Event.Method().Assigned());
  Event(nullptr);
  Word Key = 13;
  TKeyEvent().operator()(nullptr, Key, TShiftState{ssShift});
  EXPECT_EQ(Key, 13);
}

TEST(Events, ReferenceArgumentsReachTheCaller) {
  TSampleBase Form(nullptr);
  Word Key = 13;
  TKeyEvent::Of<&TSampleBase::FormKeyDown>(&Form)(&Form, Key, TShiftState{ssCtrl});
  EXPECT_EQ(Key, 0);
  TCloseAction Action = caHide;
  TCloseEvent::Of<&TSampleBase::FormClose>(&Form)(&Form, Action);
  EXPECT_EQ(Action, caFree);
}

// The saved-handler lists keep a handler's two parts as the objects of
// "name.Code" and "name.Data" lines and put it back later.
TEST(Events, SavedInStringListAndRestored) {
  TSampleBase Form(nullptr);
  auto* Button = new TSampleControl(&Form);
  Button->SetName("btnOk");
  Button->OnClick = TNotifyEvent::Of<&TSampleBase::btnOkClick>(&Form);

  TStringList Saved;
  TMethod Old = GetMethodProp(Button, "OnClick");
  Saved.AddObject("btnOk.OnClick.Code", static_cast<TObject*>(Old.Code));
  Saved.AddObject("btnOk.OnClick.Data", static_cast<TObject*>(Old.Data));
  SetMethodProp(Button, "OnClick", TMethod{});
  EXPECT_FALSE(Button->OnClick.Assigned());

  TMethod Restored{Saved.Objects(Saved.IndexOf("btnOk.OnClick.Code")),
                   Saved.Objects(Saved.IndexOf("btnOk.OnClick.Data"))};
  SetMethodProp(Button, "OnClick", Restored);
  EXPECT_EQ(GetMethodProp(Button, "OnClick"), Old);
  Button->OnClick(Button);
  ASSERT_EQ(Form.Clicked.size(), 1u);
  EXPECT_EQ(Form.Clicked[0], Button);
  EXPECT_EQ(MethodName(&Form, Restored), "btnOkClick");
}

TEST(Events, PublishedMethodFoundByNameAndCalled) {
  TSampleDerived Form(nullptr);
  const TMethodInfo* Method = Form.ClassInfo()->FindMethod("BTNOKCLICK");
  ASSERT_NE(Method, nullptr);
  EXPECT_EQ(*Method->Signature, TNotifyEvent::Signature());
  TNotifyEvent(Method->Bind(&Form))(&Form);
  EXPECT_EQ(Form.Clicked.size(), 1u);

  const TMethodInfo* Own = Form.ClassInfo()->FindMethod("btnHelpClick");
  ASSERT_NE(Own, nullptr);
  TNotifyEvent(Own->Bind(&Form))(nullptr);
  EXPECT_EQ(Form.HelpClicked.size(), 1u);
  EXPECT_EQ(Form.ClassInfo()->FindMethod("Missing"), nullptr);
  EXPECT_EQ(TSampleBase::StaticClassInfo().FindMethod("btnHelpClick"), nullptr);
  EXPECT_NE(*Form.ClassInfo()->FindMethod("FormKeyDown")->Signature, TNotifyEvent::Signature());
}

}  // namespace
