#include "platform/core/Automation.h"

#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"

namespace {

int LiveCounters = 0;

// A counter object shaped like the ones the module calls: a method with
// by-reference arguments, a read-write property and a failing member.
class TTestCounter : public TAutoObject {
 public:
  TTestCounter() : TAutoObject("TestServer.Counter") {
    ++LiveCounters;
    RegisterMethod("GetCounter", [this](TDispArgs& A) {
      Arg(A, 1) = VarToStr(Arg(A, 0)) + "-written";
      return Variant(++Next_);
    });
    RegisterProperty(
        "ProductID", [this](TDispArgs&) { return Variant(Product_); },
        [this](TDispArgs&, const Variant& V) { Product_ = VarToInteger(V); });
    RegisterMethod("Fail", [](TDispArgs&) -> Variant { throw EConvertError("no such table"); });
  }
  ~TTestCounter() override { --LiveCounters; }

 private:
  int Next_ = 0;
  int Product_ = 0;
};

}  // namespace

TEST(Automation, ByReferenceArgumentsAreWrittenBack) {
  Variant Counter = CreateAutoObject<TTestCounter>();
  Variant Name = "COPTI";
  Variant Out = "untouched";
  Variant Copy = Out;
  EXPECT_EQ(VarCall(Counter, "getcounter", {Name, VarRef(Out)}), Variant(1));
  EXPECT_EQ(VarToStr(Out), "COPTI-written");
  EXPECT_EQ(VarToStr(Copy), "untouched");
  // By value: the callee's write stays with the callee.
  Variant ByValue = "kept";
  VarCall(Counter, "GetCounter", {Name, ByValue});
  EXPECT_EQ(VarToStr(ByValue), "kept");
}

TEST(Automation, PropertiesReadAndWriteByName) {
  Variant Counter = CreateAutoObject<TTestCounter>();
  VarPut(Counter, "productid", 27);
  EXPECT_EQ(VarGet(Counter, "ProductID"), Variant(27));
  // Late-bound callers may read a property with a call.
  EXPECT_EQ(VarCall(Counter, "ProductID"), Variant(27));
}

TEST(Automation, ErrorsReachTheCaller) {
  Variant Counter = CreateAutoObject<TTestCounter>();
  try {
    VarCall(Counter, "Request");
    FAIL();
  } catch (const EOleError& E) {
    EXPECT_EQ(E.Message(), "Method 'Request' not supported by automation object");
  }
  try {
    VarCall(Counter, "Fail");
    FAIL();
  } catch (const EOleException& E) {
    EXPECT_EQ(E.Message(), "no such table");
    EXPECT_EQ(E.Source(), "TestServer.Counter");
  }
  EXPECT_THROW(VarCall(Counter, "GetCounter", {"only one"}), EOleError);
  EXPECT_THROW(VarPut(Counter, "Fail", 1), EOleError);
  EXPECT_THROW(VarCall(Variant(), "GetCounter"), EVariantError);
  EXPECT_THROW(VarCall(Variant("text"), "GetCounter"), EVariantError);
}

TEST(Automation, ObjectLivesAsLongAsAVariantHoldsIt) {
  {
    Variant A = CreateAutoObject<TTestCounter>();
    Variant B = A;
    A = Variant();
    EXPECT_EQ(LiveCounters, 1);
    EXPECT_TRUE(VarIsDispatch(B));
  }
  EXPECT_EQ(LiveCounters, 0);
}
