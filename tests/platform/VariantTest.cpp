#include "platform/core/Variant.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "platform/core/DateUtils.h"
#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

class VariantTest : public ::testing::Test {
 protected:
  FormatSettingsGuard Guard;
};

// Expects Body to raise EVariantError with exactly Message.
template <typename F>
void ExpectVariantError(F Body, const std::string& Message, const std::string& What) {
  try {
    Body();
    ADD_FAILURE() << What << ": no exception";
  } catch (const EVariantError& E) {
    EXPECT_EQ(E.Message(), Message) << What;
  }
}

const char* kBounds = "Variant or safe array index out of bounds";

class CountingDispatch : public IDispatch {
 public:
  int Refs = 0;
  void AddRef() override { ++Refs; }
  void Release() override { --Refs; }
  Variant Invoke(const std::string& Name, TInvokeKind, TDispArgs&) override { return Variant(Name); }
};

// --- kinds ---------------------------------------------------------------------

TEST_F(VariantTest, IsSixteenBytes) { EXPECT_EQ(sizeof(Variant), 16u); }

// Pointers other than texts and dispatches do not quietly become Booleans.
static_assert(!std::is_constructible_v<Variant, int*>);
static_assert(!std::is_constructible_v<Variant, const std::string*>);
static_assert(std::is_constructible_v<Variant, char*>);
static_assert(std::is_constructible_v<Variant, const char*>);
static_assert(std::is_constructible_v<Variant, CountingDispatch*>);
static_assert(!std::is_constructible_v<Variant, char>);

TEST_F(VariantTest, NonConstTextPointerIsAString) {
  char Buf[] = "abc";
  char* P = Buf;
  EXPECT_EQ(VarType(Variant(P)), varString);
}

TEST_F(VariantTest, ConstructionGivesTheClassicTypeCodes) {
  struct Case { Variant V; TVarType Type; };
  CountingDispatch Disp;
  const Case Cases[] = {
      {Variant(), 0},
      {Null(), 1},
      {Variant(static_cast<short>(1)), 2},
      {Variant(1), 3},
      {Variant(1.5f), 4},
      {Variant(1.5), 5},
      {VarFromCurrency(1.5), 6},
      {VarFromDateTime(1.5), 7},
      {VarOleStr("w"), 8},
      {Variant(&Disp), 9},
      {VarAsError(5), 10},
      {Variant(true), 11},
      {Variant(static_cast<signed char>(1)), 16},
      {Variant(static_cast<unsigned char>(1)), 17},
      {Variant(static_cast<unsigned short>(1)), 18},
      {Variant(1u), 19},
      {Variant(int64_t(1)), 20},
      {Variant("a"), 0x100},
      {Variant(std::string("a")), 0x100},
      {VarArrayOf({1, 2}), 0x200C},
      {VarArrayCreate({0, 1}, varInteger), 0x2003},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(VarType(C.V), C.Type) << C.V;
    EXPECT_EQ(C.V.VType(), C.Type);
  }
}

TEST_F(VariantTest, KindTests) {
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant()));
  EXPECT_TRUE(VarIsStr(Variant("x")));
  EXPECT_TRUE(VarIsStr(VarOleStr("x")));
  EXPECT_FALSE(VarIsStr(Variant(1)));
  EXPECT_TRUE(VarIsArray(VarArrayOf({})));
  EXPECT_FALSE(VarIsArray(Variant("x")));
  EXPECT_TRUE(VarIsNumeric(Variant(1)));
  EXPECT_TRUE(VarIsNumeric(VarFromDateTime(1)));
  EXPECT_TRUE(VarIsOrdinal(Variant(true)));
  EXPECT_TRUE(VarIsFloat(Variant(1.0)));
  EXPECT_FALSE(VarIsFloat(Variant(1)));
  EXPECT_TRUE(VarIsClear(Variant(static_cast<IDispatch*>(nullptr))));
  EXPECT_TRUE(VarIsType(Variant(1), varInteger));
}

TEST_F(VariantTest, TypeNames) {
  struct Case { TVarType T; const char* Name; };
  const Case Cases[] = {
      {varEmpty, "Empty"},     {varNull, "Null"},       {varSmallint, "Smallint"},
      {varInteger, "Integer"}, {varSingle, "Single"},   {varDouble, "Double"},
      {varCurrency, "Currency"}, {varDate, "Date"},     {varOleStr, "OleStr"},
      {varDispatch, "Dispatch"}, {varError, "Error"},   {varBoolean, "Boolean"},
      {varVariant, "Variant"}, {varUnknown, "Unknown"}, {varShortInt, "ShortInt"},
      {varByte, "Byte"},       {varWord, "Word"},       {varLongWord, "LongWord"},
      {varInt64, "Int64"},     {varString, "String"},   {varArray | varVariant, "Array Variant"},
  };
  for (const Case& C : Cases) EXPECT_EQ(VarTypeAsText(C.T), C.Name);
}

// --- value semantics ------------------------------------------------------------------

TEST_F(VariantTest, CopiesAndMovesAreValues) {
  Variant A = "text";
  Variant B = A;
  EXPECT_EQ(VarToStr(B), "text");
  A = 5;
  EXPECT_EQ(VarToStr(B), "text");
  Variant C = std::move(B);
  EXPECT_EQ(VarToStr(C), "text");
  EXPECT_TRUE(VarIsEmpty(B));  // NOLINT: a moved-from variant is empty
  C = C;
  EXPECT_EQ(VarToStr(C), "text");
  C.Clear();
  EXPECT_TRUE(VarIsEmpty(C));
}

TEST_F(VariantTest, DispatchIsReferenceCounted) {
  CountingDispatch Disp;
  {
    Variant A(&Disp);
    EXPECT_EQ(Disp.Refs, 1);
    {
      Variant B = A;
      EXPECT_EQ(Disp.Refs, 2);
      Variant Arr = VarArrayOf({A, B});
      EXPECT_EQ(Disp.Refs, 4);
      Variant Arr2 = Arr;  // shares the body
      EXPECT_EQ(Disp.Refs, 4);
      Arr2.SetElement(0, 1);  // unshares: copies both, replaces one
      EXPECT_EQ(Disp.Refs, 5);
    }
    EXPECT_EQ(Disp.Refs, 1);
    EXPECT_EQ(VarToDispatch(A), &Disp);
    A = 3;
    EXPECT_EQ(Disp.Refs, 0);
  }
  EXPECT_EQ(VarToDispatch(Variant()), nullptr);
  ExpectVariantError([] { VarToDispatch(Variant(1)); },
                     "Could not convert variant of type (Integer) into type (Dispatch)", "int");
}

// --- arrays --------------------------------------------------------------------------

TEST_F(VariantTest, ArrayBoundsAndElements) {
  Variant A = VarArrayCreate({1, 3}, varVariant);
  EXPECT_EQ(VarArrayDimCount(A), 1);
  EXPECT_EQ(VarArrayLowBound(A, 1), 1);
  EXPECT_EQ(VarArrayHighBound(A, 1), 3);
  EXPECT_TRUE(VarIsEmpty(A[1]));
  A.SetElement(1, "one");
  A.SetElement(3, 3);
  EXPECT_EQ(VarToStr(A[1]), "one");
  EXPECT_EQ(A.GetElement(3), 3);
  for (int Bad : {0, 4, -1, 1000}) {
    ExpectVariantError([&] { (void)A[Bad]; }, kBounds, "read " + std::to_string(Bad));
    ExpectVariantError([&] { A.SetElement(Bad, 1); }, kBounds, "write " + std::to_string(Bad));
  }
  ExpectVariantError([&] { A.GetElement(1, 1); }, kBounds, "two indices on one dimension");
  ExpectVariantError([&] { VarArrayLowBound(A, 2); }, kBounds, "dimension 2");
  ExpectVariantError([&] { VarArrayHighBound(A, 0); }, kBounds, "dimension 0");
  ExpectVariantError([] { (void)Variant(1)[0]; }, "Variant is not an array", "no array");
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
}

TEST_F(VariantTest, TwoDimensionalArrays) {
  Variant M = VarArrayCreate({0, 2, 1, 4}, varVariant);  // 3 x 4
  EXPECT_EQ(VarArrayDimCount(M), 2);
  EXPECT_EQ(VarArrayLowBound(M, 2), 1);
  EXPECT_EQ(VarArrayHighBound(M, 2), 4);
  for (int I = 0; I <= 2; ++I)
    for (int J = 1; J <= 4; ++J) M.SetElement(I, J, I * 10 + J);
  for (int I = 0; I <= 2; ++I)
    for (int J = 1; J <= 4; ++J) EXPECT_EQ(M.GetElement(I, J), I * 10 + J);
  EXPECT_EQ(M.GetElement({2, 3}), 23);
  M.SetElement({1, 1}, "x");
  EXPECT_EQ(VarArrayGet(M, {1, 1}), "x");
  VarArrayPut(M, 99, {2, 4});
  EXPECT_EQ(M.GetElement(2, 4), 99);
  struct Bad { int I, J; };
  for (const Bad& B : {Bad{3, 1}, Bad{-1, 1}, Bad{0, 0}, Bad{0, 5}})
    ExpectVariantError([&] { M.GetElement(B.I, B.J); }, kBounds,
                       std::to_string(B.I) + "," + std::to_string(B.J));
  ExpectVariantError([&] { (void)M[0]; }, kBounds, "one index on two dimensions");
}

TEST_F(VariantTest, ArrayCopiesAreIndependent) {
  Variant A = VarArrayOf({1, "two", 3.0});
  Variant B = A;
  B.SetElement(1, "changed");
  EXPECT_EQ(VarToStr(A[1]), "two");
  EXPECT_EQ(VarToStr(B[1]), "changed");
  // Nested arrays: changing the copy's inner array leaves the original alone.
  Variant Outer = VarArrayOf({VarArrayOf({1, 2}), VarArrayOf({3, 4})});
  Variant Copy = Outer;
  Copy.ElementRef(0).SetElement(1, 20);
  EXPECT_EQ(Outer[0][1], 2);
  EXPECT_EQ(Copy[0][1], 20);
  // An element copied out is a value too.
  Variant Inner = Outer[1];
  Inner.SetElement(0, 30);
  EXPECT_EQ(Outer[1][0], 3);
  // Redim of a copy.
  Variant R = Outer;
  VarArrayRedim(R, 0);
  EXPECT_EQ(VarArrayHighBound(Outer, 1), 1);
  EXPECT_EQ(VarArrayHighBound(R, 1), 0);
  // Storing an element of the array into itself.
  Variant S = VarArrayOf({"a", "b"});
  S.SetElement(0, S[1]);
  EXPECT_EQ(VarToStr(S[0]), "b");
  // A failed write leaves a shared array shared and unchanged.
  Variant T = S;
  EXPECT_THROW(T.SetElement(5, 1), EVariantError);
  EXPECT_EQ(T, S);
}

TEST_F(VariantTest, RedimGrowsAndShrinksTheLastDimension) {
  Variant A = VarArrayOf({"a", "b", "c"});
  VarArrayRedim(A, 4);
  EXPECT_EQ(VarArrayHighBound(A, 1), 4);
  EXPECT_EQ(VarToStr(A[2]), "c");
  EXPECT_TRUE(VarIsEmpty(A[4]));
  VarArrayRedim(A, 0);
  EXPECT_EQ(VarArrayHighBound(A, 1), 0);
  EXPECT_EQ(VarToStr(A[0]), "a");
  ExpectVariantError([&] { (void)A[1]; }, kBounds, "after shrinking");
  VarArrayRedim(A, -1);  // empty
  EXPECT_EQ(VarArrayHighBound(A, 1), -1);
  // Two dimensions: the last one changes, the contents stay in place.
  Variant M = VarArrayCreate({1, 2, 1, 2});
  M.SetElement(1, 1, 11);
  M.SetElement(2, 2, 22);
  VarArrayRedim(M, 3);
  EXPECT_EQ(M.GetElement(1, 1), 11);
  EXPECT_EQ(M.GetElement(2, 2), 22);
  EXPECT_TRUE(VarIsEmpty(M.GetElement(2, 3)));
  // Typed arrays grow with the element type's zero.
  Variant I = VarArrayCreate({0, 0}, varInteger);
  VarArrayRedim(I, 2);
  EXPECT_EQ(VarType(I[2]), varInteger);
  EXPECT_EQ(I[2], 0);
}

TEST_F(VariantTest, TypedArraysConvertOnStore) {
  Variant A = VarArrayCreate({0, 2}, varInteger);
  EXPECT_EQ(VarType(A[0]), varInteger);
  A.SetElement(0, "12");
  EXPECT_EQ(VarType(A[0]), varInteger);
  EXPECT_EQ(A[0], 12);
  ExpectVariantError([&] { A.SetElement(1, "x"); },
                     "Could not convert variant of type (String) into type (Integer)", "typed store");
  Variant S = VarArrayCreate({0, 1}, varOleStr);
  S.SetElement(0, 5);
  EXPECT_EQ(VarType(S[0]), varOleStr);
  EXPECT_EQ(VarToStr(S[0]), "5");
}

TEST_F(VariantTest, BadArrayCreation) {
  const std::string Msg = "Error creating variant or safe array";
  ExpectVariantError([] { VarArrayCreate({}); }, Msg, "no bounds");
  ExpectVariantError([] { VarArrayCreate({0}); }, Msg, "odd bounds");
  ExpectVariantError([] { VarArrayCreate({5, 3}); }, Msg, "high < low - 1");
  ExpectVariantError([] { VarArrayCreate({0, 1}, varNull); }, Msg, "element type");
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate({5, 4}), 1), 4);  // empty dimension
}

// --- conversions ----------------------------------------------------------------------

TEST_F(VariantTest, ToText) {
  FormatSettings().ShortDateFormat = "yyyy/mm/dd";
  FormatSettings().DateSeparator = '/';
  FormatSettings().LongTimeFormat = "hh:nn:ss";
  struct Case { Variant V; const char* Text; };
  const Case Cases[] = {
      {Variant(), ""},
      {Null(), ""},
      {Variant(42), "42"},
      {Variant(int64_t(-9000000000LL)), "-9000000000"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant(0.1), "0.1"},
      {Variant(1e20), "1E20"},
      {Variant(1.5f), "1.5"},
      {VarFromCurrency(12.5), "12.5"},
      {Variant(static_cast<unsigned char>(255)), "255"},
      {Variant("abc"), "abc"},
      {VarOleStr("中文"), "中文"},
      {VarFromDateTime(EncodeDate(2024, 3, 5)), "2024/03/05"},
      {VarFromDateTime(EncodeDate(2024, 3, 5) + 0.25), "2024/03/05 06:00:00"},
      {VarFromDateTime(-1.25), "1899/12/29 06:00:00"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(VarToStr(C.V), C.Text) << C.V;
    EXPECT_EQ(C.V.AsString(), C.Text);
  }
  EXPECT_EQ(VarToStrDef(Null(), "-"), "-");
  EXPECT_EQ(VarToStrDef(Variant(), "-"), "");
  ExpectVariantError([] { VarToStr(VarArrayOf({1})); },
                     "Could not convert variant of type (Array Variant) into type (String)", "array");
}

TEST_F(VariantTest, ToNumbers) {
  struct Case { Variant V; int64_t Int; double Dbl; };
  const Case Cases[] = {
      {Variant(), 0, 0},
      {Variant(12), 12, 12},
      {Variant("12"), 12, 12},
      {Variant(" -7 "), -7, -7},
      {VarOleStr("$10"), 16, 16},
      {Variant("2.5"), 2, 2.5},    // half to even
      {Variant("3.5"), 4, 3.5},
      {Variant(2.5), 2, 2.5},
      {Variant(-2.5), -2, -2.5},
      {Variant(2.6), 3, 2.6},
      {Variant(true), -1, -1},
      {Variant(false), 0, 0},
      {Variant("True"), -1, -1},
      {Variant("false"), 0, 0},
      {VarFromDateTime(45356.75), 45357, 45356.75},
      {VarFromCurrency(1.2345), 1, 1.2345},
      {Variant(static_cast<unsigned>(4000000000u)), 4000000000LL, 4e9},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(VarToInt64(C.V), C.Int) << C.V;
    EXPECT_DOUBLE_EQ(VarToDouble(C.V), C.Dbl) << C.V;
    if (C.Int >= INT32_MIN && C.Int <= INT32_MAX) {
      EXPECT_EQ(VarToInteger(C.V), C.Int) << C.V;
    }
  }
  EXPECT_EQ(Variant("12").AsInteger(), 12);
  EXPECT_EQ(Variant("12").AsInt64(), 12);
  EXPECT_EQ(Variant("1.5").AsDouble(), 1.5);
}

TEST_F(VariantTest, DoublesReadWithTheDecimalSeparator) {
  FormatSettings().DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(VarToDouble(Variant("2,5")), 2.5);
  EXPECT_EQ(VarToStr(Variant(2.5)), "2,5");
  ExpectVariantError([] { VarToDouble(Variant("2.5")); },
                     "Could not convert variant of type (String) into type (Double)", "dot");
}

TEST_F(VariantTest, ConversionErrorsCarryTheClassicText) {
  struct Case { std::function<void()> Body; const char* Message; };
  const Case Cases[] = {
      {[] { VarToInteger(Variant("abc")); },
       "Could not convert variant of type (String) into type (Integer)"},
      {[] { VarToInteger(VarOleStr("abc")); },
       "Could not convert variant of type (OleStr) into type (Integer)"},
      {[] { VarToInt64(Variant("")); },
       "Could not convert variant of type (String) into type (Int64)"},
      {[] { VarToInteger(Null()); }, "Could not convert variant of type (Null) into type (Integer)"},
      {[] { VarToDouble(Null()); }, "Could not convert variant of type (Null) into type (Double)"},
      {[] { VarToBoolean(Null()); }, "Could not convert variant of type (Null) into type (Boolean)"},
      {[] { VarToDateTime(Null()); }, "Could not convert variant of type (Null) into type (Date)"},
      {[] { VarToBoolean(Variant("maybe")); },
       "Could not convert variant of type (String) into type (Boolean)"},
      {[] { VarToDateTime(Variant("2024-99")); },
       "Could not convert variant of type (String) into type (Date)"},
      {[] { VarToInteger(Variant(1e10)); },
       "Overflow while converting variant of type (Double) into type (Integer)"},
      {[] { VarToInteger(Variant("99999999999")); },
       "Overflow while converting variant of type (String) into type (Integer)"},
      {[] { VarToInteger(Variant(int64_t(1) << 40)); },
       "Overflow while converting variant of type (Int64) into type (Integer)"},
      {[] { VarToInteger(VarArrayOf({1})); },
       "Could not convert variant of type (Array Variant) into type (Integer)"},
      {[] { VarAsType(Null(), varString); },
       "Could not convert variant of type (Null) into type (String)"},
      {[] { VarAsType(Variant(300), varByte); },
       "Overflow while converting variant of type (Integer) into type (Byte)"},
      {[] { VarAsType(Variant(1), varDispatch); },
       "Could not convert variant of type (Integer) into type (Dispatch)"},
  };
  for (const Case& C : Cases) ExpectVariantError(C.Body, C.Message, C.Message);
}

TEST_F(VariantTest, ToBooleanAndDate) {
  struct Case { Variant V; bool B; };
  const Case Cases[] = {
      {Variant(), false}, {Variant(0), false}, {Variant(2), true}, {Variant(0.0), false},
      {Variant(0.5), true}, {Variant("True"), true}, {Variant(" TRUE "), true},
      {Variant("False"), false}, {Variant("0"), false}, {Variant("-1"), true},
      {Variant(true), true},
  };
  for (const Case& C : Cases) EXPECT_EQ(VarToBoolean(C.V), C.B) << C.V;

  FormatSettings().ShortDateFormat = "dd/mm/yyyy";
  FormatSettings().DateSeparator = '-';
  EXPECT_DOUBLE_EQ(VarToDateTime(Variant("05-03-2024")), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(VarToDateTime(Variant("05-03-2024 06:00")), EncodeDate(2024, 3, 5) + 0.25);
  EXPECT_DOUBLE_EQ(VarToDateTime(Variant(2)), 2);
  EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2024, 3, 5))), "05-03-2024");
  EXPECT_DOUBLE_EQ(Variant("05-03-2024").AsDateTime(), EncodeDate(2024, 3, 5));
}

TEST_F(VariantTest, VarAsTypeConverts) {
  const Variant S = VarAsType(Variant(12), varString);
  EXPECT_EQ(VarType(S), varString);
  EXPECT_EQ(VarToStr(S), "12");
  const Variant W = VarAsType(Variant("abc"), varOleStr);  // by tag
  EXPECT_EQ(VarType(W), varOleStr);
  EXPECT_EQ(*W.StrPtr(), "abc");
  const Variant Back = VarAsType(W, varString);
  EXPECT_EQ(VarType(Back), varString);
  EXPECT_EQ(VarType(VarAsType(Variant("12"), varInteger)), varInteger);
  EXPECT_EQ(VarAsType(Variant("12"), varByte), Variant(12));
  EXPECT_EQ(VarType(VarAsType(Variant(1), varBoolean)), varBoolean);
  EXPECT_EQ(VarType(VarAsType(Variant(1.5), varDate)), varDate);
  EXPECT_EQ(VarType(VarAsType(Null(), varNull)), varNull);
  EXPECT_EQ(VarType(VarAsType(Null(), varVariant)), varNull);
  EXPECT_EQ(VarType(VarAsType(Variant(5), varEmpty)), varEmpty);
  EXPECT_EQ(VarToStr(VarAsType(Variant(), varOleStr)), "");
}

// --- equality -----------------------------------------------------------------------------

TEST_F(VariantTest, EqualityFollowsTheClassicRules) {
  struct Case { Variant A; Variant B; bool Equal; };
  CountingDispatch D1, D2;
  const Case Cases[] = {
      {Variant(), Variant(), true},
      {Null(), Null(), true},
      {Variant(), Null(), false},
      {Null(), Variant(0), false},
      {Null(), Variant(""), false},
      {Variant(), Variant(0), true},
      {Variant(), Variant(""), true},
      {Variant(), Variant(1), false},
      {Variant(1), Variant(1.0), true},
      {Variant(1), Variant(int64_t(1)), true},
      {Variant(static_cast<unsigned char>(7)), Variant(7), true},
      {Variant(1.5), Variant(1.5f), true},
      {Variant(1), Variant(2), false},
      {Variant(true), Variant(-1), true},
      {Variant(true), Variant(true), true},
      {Variant(true), Variant(false), false},
      {Variant("abc"), Variant("abc"), true},
      {Variant("abc"), VarOleStr("abc"), true},
      {Variant("abc"), Variant("ABC"), false},
      {Variant("12"), Variant(12), true},
      {Variant(12), Variant("12.0"), true},
      {Variant("abc"), Variant(12), false},
      {VarFromDateTime(2), Variant(2), true},
      {Variant(&D1), Variant(&D1), true},
      {Variant(&D1), Variant(&D2), false},
      {VarArrayOf({1, "a"}), VarArrayOf({1, "a"}), true},
      {VarArrayOf({1, "a"}), VarArrayOf({1, "b"}), false},
      {VarArrayOf({1}), VarArrayOf({1, 2}), false},
      {VarArrayOf({1}), Variant(1), false},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(C.A == C.B, C.Equal) << C.A << " == " << C.B;
    EXPECT_EQ(C.B == C.A, C.Equal) << C.B << " == " << C.A;
    EXPECT_EQ(C.A != C.B, !C.Equal);
  }
  using R = TVariantRelationship;
  EXPECT_EQ(VarCompareValue(Variant(1), Variant(2.5)), R::vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant("b"), Variant("a")), R::vrGreaterThan);
  EXPECT_EQ(VarCompareValue(Variant(3), Variant("20")), R::vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant("20"), Variant(3)), R::vrGreaterThan);
  EXPECT_EQ(VarCompareValue(Null(), Variant(1)), R::vrNotEqual);
}

TEST_F(VariantTest, PrintsForTestOutput) {
  std::ostringstream Os;
  Os << Variant(5) << "; " << Variant("a") << "; " << VarArrayOf({1, Null()});
  EXPECT_EQ(Os.str(), "(Integer) 5; (String) a; (Array Variant) [(Integer) 1, (Null)]");
}

}  // namespace
