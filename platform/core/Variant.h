#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <type_traits>
#include <vector>

// The classic variant (DESIGN 2.6): 16 bytes, a type tag and an 8-byte
// payload. Strings and arrays live in reference-counted bodies; a variant has
// value semantics and an array is copied when a shared one is changed (copy
// on write). Both string kinds hold UTF-8; they differ by their tag only.
//
//   Variant I = 5;                       // varInteger
//   Variant S = "text";                  // varString (ANSI string)
//   Variant W = VarOleStr("text");       // varOleStr (wide string)
//   Variant D = VarFromDateTime(Now());  // varDate
//   Variant A = VarArrayOf({1, "two", VarArrayOf({3, 4})});
//   A.SetElement(0, 10);  A[0];  A.GetElement(2)[1];
//   VarToStr(D); VarToInteger(S) /* raises EVariantError */;

class IDispatch;
using TDateTime = double;
using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

class Variant {
 public:
  Variant() noexcept : VType_(varEmpty) { U_.I64 = 0; }
  Variant(int V) noexcept : VType_(varInteger) { U_.I64 = 0; U_.I32 = V; }
  Variant(long V) noexcept : VType_(varInt64) { U_.I64 = V; }
  Variant(long long V) noexcept : VType_(varInt64) { U_.I64 = V; }
  Variant(unsigned V) noexcept : VType_(varLongWord) { U_.I64 = 0; U_.U32 = V; }
  // Stored as varInt64 (there is no unsigned 64-bit kind).
  Variant(unsigned long V) noexcept : VType_(varInt64) { U_.I64 = static_cast<int64_t>(V); }
  Variant(unsigned long long V) noexcept : VType_(varInt64) { U_.I64 = static_cast<int64_t>(V); }
  Variant(short V) noexcept : VType_(varSmallint) { U_.I64 = 0; U_.I16 = V; }
  Variant(unsigned short V) noexcept : VType_(varWord) { U_.I64 = 0; U_.U16 = V; }
  Variant(signed char V) noexcept : VType_(varShortInt) { U_.I64 = 0; U_.I8 = V; }
  Variant(unsigned char V) noexcept : VType_(varByte) { U_.I64 = 0; U_.U8 = V; }
  Variant(float V) noexcept : VType_(varSingle) { U_.I64 = 0; U_.Sgl = V; }
  Variant(double V) noexcept : VType_(varDouble) { U_.Dbl = V; }
  Variant(bool V) noexcept : VType_(varBoolean) { U_.I64 = 0; U_.Bool = V; }
  // ANSI string kind (varString).
  Variant(const char* S);
  Variant(const std::string& S);
  Variant(std::string&& S);
  // Dispatch kind; AddRefs the object (a null pointer is a nil dispatch).
  Variant(IDispatch* Disp);
  // A plain char would silently become an integer; say what you mean.
  Variant(char) = delete;
  Variant(std::nullptr_t) = delete;
  // Any other pointer would silently become a Boolean.
  template <typename T>
    requires(!std::is_same_v<std::remove_cv_t<T>, char> && !std::is_convertible_v<T*, IDispatch*>)
  Variant(T*) = delete;

  Variant(const Variant& Other) noexcept : VType_(Other.VType_), U_(Other.U_) {
    if (Managed()) AddRefPayload();
  }
  Variant(Variant&& Other) noexcept : VType_(Other.VType_), U_(Other.U_) {
    Other.VType_ = varEmpty;
    Other.U_.I64 = 0;
  }
  Variant& operator=(const Variant& Other) noexcept {
    if (this != &Other) {
      Variant Copy(Other);
      Swap(Copy);
    }
    return *this;
  }
  Variant& operator=(Variant&& Other) noexcept {
    if (this != &Other) {
      Variant Tmp(static_cast<Variant&&>(Other));
      Swap(Tmp);
    }
    return *this;
  }
  ~Variant() {
    if (Managed()) ReleasePayload();
  }
  void Swap(Variant& Other) noexcept {
    const TVarType T = VType_;
    const Payload P = U_;
    VType_ = Other.VType_;
    U_ = Other.U_;
    Other.VType_ = T;
    Other.U_ = P;
  }
  // Back to empty, releasing what it held.
  void Clear() noexcept {
    Variant Tmp;
    Swap(Tmp);
  }

  TVarType VType() const noexcept { return VType_; }
  bool IsArray() const noexcept { return (VType_ & varArray) != 0; }
  // The text of either string kind without a copy; nullptr for other kinds.
  const std::string* StrPtr() const noexcept;

  // --- arrays --------------------------------------------------------------
  // Reading. Indices are checked against each dimension's bounds; a wrong
  // index or a wrong number of indices raises EVariantError "Variant or safe
  // array index out of bounds"; a variant that is no array raises
  // EVariantError "Variant is not an array". The reference stays valid until
  // the array is changed, resized or destroyed.
  const Variant& operator[](int I) const;
  Variant GetElement(int I) const;
  Variant GetElement(int I, int J) const;
  Variant GetElement(std::initializer_list<int> Indices) const;
  // Writing; the array is unshared first (copy on write). In an array of a
  // fixed element type (VarArrayCreate(..., varInteger)) the value is
  // converted to that type.
  void SetElement(int I, const Variant& Value);
  void SetElement(int I, int J, const Variant& Value);
  void SetElement(std::initializer_list<int> Indices, const Variant& Value);
  // A writable element, for changing nested arrays in place
  // (V.ElementRef(2).SetElement(0, x)); the array is unshared first. Valid
  // until the array is copied, changed in shape or destroyed.
  Variant& ElementRef(int I);
  Variant& ElementRef(int I, int J);

  // --- conversions (the free functions below, as members) --------------------
  std::string AsString() const;  // VarToStr: Null gives ""
  int AsInteger() const;
  int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;

  // Internal representation; used by Variant.cpp.
  struct TStrBody;
  struct TArrayBody;

 private:
  union Payload {
    int64_t I64;
    int32_t I32;
    uint32_t U32;
    int16_t I16;
    uint16_t U16;
    int8_t I8;
    uint8_t U8;
    bool Bool;
    float Sgl;
    double Dbl;
    IDispatch* Disp;
    TStrBody* Str;
    TArrayBody* Arr;
  };

  bool Managed() const noexcept {
    return VType_ == varOleStr || VType_ == varString || VType_ == varDispatch ||
           (VType_ & varArray) != 0;
  }
  void AddRefPayload() const noexcept;
  void ReleasePayload() noexcept;
  TArrayBody& ArrayBody() const;
  TArrayBody& MutableArrayBody();

  TVarType VType_;
  Payload U_;

  friend struct TVariantAccess;
};

static_assert(sizeof(Variant) == 16, "a variant is a tag and an 8-byte payload");

// --- makers ------------------------------------------------------------------
Variant Unassigned();  // empty
Variant Null();
Variant VarOleStr(std::string Text);  // OLE (wide) string kind
Variant VarAnsiStr(std::string Text);  // ANSI string kind, as Variant(std::string)
Variant VarFromDateTime(TDateTime DateTime);
Variant VarFromCurrency(double Value);  // held to 4 decimals, as the classic Currency
Variant VarAsError(int32_t Code);

// --- tests -----------------------------------------------------------------------
TVarType VarType(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsClear(const Variant& V);  // empty, or a nil dispatch
bool VarIsArray(const Variant& V);
bool VarIsStr(const Variant& V);      // varOleStr or varString
bool VarIsOrdinal(const Variant& V);  // integer kinds and boolean
bool VarIsFloat(const Variant& V);    // single, double, currency, date
bool VarIsNumeric(const Variant& V);  // ordinal or float
bool VarIsType(const Variant& V, TVarType Type);
// "Integer", "OleStr", "String", "Array Variant" ...
std::string VarTypeAsText(TVarType Type);

// --- conversions ---------------------------------------------------------------------
// The classic rules. Empty gives 0, False, "" and date 0; Null gives "" in
// VarToStr and raises everywhere else; booleans are "True"/"False" as text and
// -1/0 as numbers; a string converts by its text ("12" -> 12, "True" -> true,
// dates by the short date format); dates become text by the short date format,
// with the long time format when the time is not midnight; doubles by
// FloatToStr. Failures raise EVariantError "Could not convert variant of type
// (String) into type (Integer)" or "Overflow while converting variant of type
// (Double) into type (Integer)". Floats become integers rounded half to even.
std::string VarToStr(const Variant& V);
std::string VarToStrDef(const Variant& V, const std::string& Default);  // Default for Null
int VarToInteger(const Variant& V);
int64_t VarToInt64(const Variant& V);
double VarToDouble(const Variant& V);
bool VarToBoolean(const Variant& V);
TDateTime VarToDateTime(const Variant& V);
// The object of a dispatch variant (not AddRef'ed); nullptr for empty.
IDispatch* VarToDispatch(const Variant& V);
// A copy of V converted to Type (a base type, varVariant, or an array type
// matching V's). String kinds convert to each other by tag only. Null converts
// only to varNull, varVariant and varEmpty (which clears anything).
Variant VarAsType(const Variant& V, TVarType Type);

// --- arrays -----------------------------------------------------------------------------
// Bounds are low/high pairs, one pair per dimension: {0, 9} or {1, 3, 0, 4}.
// A dimension may be empty (high = low - 1). Bad bounds raise EVariantError
// "Error creating variant or safe array". Elements start empty, or as the
// zero of ElementType for a typed array.
Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType ElementType = varVariant);
// A one-dimensional variant array with bounds 0 .. count - 1.
Variant VarArrayOf(std::initializer_list<Variant> Values);
Variant VarArrayOf(const std::vector<Variant>& Values);
int VarArrayDimCount(const Variant& V);  // 0 when V is no array
int VarArrayLowBound(const Variant& V, int Dim);  // Dim counts from 1
int VarArrayHighBound(const Variant& V, int Dim);
// Changes the high bound of the last dimension, keeping the elements that
// remain; new elements are empty (or the zero of the element type).
void VarArrayRedim(Variant& V, int HighBound);
Variant VarArrayGet(const Variant& V, std::initializer_list<int> Indices);
void VarArrayPut(Variant& V, const Variant& Value, std::initializer_list<int> Indices);

// --- for serialisers ----------------------------------------------------------------------------
// The payload of a scalar kind (integers, floats, currency, date, error,
// boolean) as an unsigned number of the kind's width: the IEEE bits of a
// float, the scaled 64-bit integer of a currency, 0/1 of a boolean. Any
// other kind raises EVariantError "Invalid variant type".
uint64_t VarScalarBits(const Variant& V);
// The scalar of Type whose payload is Bits (cut to the kind's width; a
// boolean is true for any non-zero value).
Variant VarFromScalarBits(TVarType Type, uint64_t Bits);
// The elements of an array in storage order: the first index runs fastest.
const std::vector<Variant>& VarArrayItems(const Variant& V);
// An array of Bounds (as VarArrayCreate) holding Items in storage order; the
// count must match, and in a typed array every item must be of its type.
Variant VarArrayFromItems(const std::vector<int>& Bounds, TVarType ElementType, std::vector<Variant> Items);

// --- comparison ------------------------------------------------------------------------------
enum class TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
// Numbers (and booleans, dates) compare by value across kinds; strings compare
// as texts (case-sensitive); a string and a number compare as numbers when the
// string reads as one, else as texts; empty is 0 against a number and ""
// against a string; Null equals only Null (vrNotEqual otherwise); dispatches by
// identity; arrays element by element (equal or vrNotEqual).
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
bool operator==(const Variant& A, const Variant& B);
inline bool operator!=(const Variant& A, const Variant& B) { return !(A == B); }

// "(Integer) 5", "(String) abc", "(Array Variant) [1, 2]": for test output.
std::ostream& operator<<(std::ostream& Os, const Variant& V);
