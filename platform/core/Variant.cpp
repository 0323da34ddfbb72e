#include "platform/core/Variant.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <ostream>

#include "platform/core/DateUtils.h"
#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

struct Variant::TStrBody {
  std::atomic<int> Ref{1};
  std::string Text;
};

struct Variant::TArrayBody {
  std::atomic<int> Ref{1};
  TVarType ElementType = varVariant;
  std::vector<int> Low;    // per dimension
  std::vector<int> Count;  // per dimension
  // The first index runs fastest, so growing the last dimension appends.
  std::vector<Variant> Items;
};

struct TVariantAccess {
  using Payload = Variant::Payload;
  static Payload& P(Variant& V) { return V.U_; }
  static const Payload& P(const Variant& V) { return V.U_; }

  static Variant MakeStr(TVarType Type, std::string Text) {
    Variant V;
    auto* B = new Variant::TStrBody;
    B->Text = std::move(Text);
    V.U_.Str = B;
    V.VType_ = Type;
    return V;
  }
  // Shares the string body of S under another tag.
  static Variant Retag(const Variant& S, TVarType Type) {
    Variant V(S);
    V.VType_ = Type;
    return V;
  }
  static Variant Make(TVarType Type, int64_t Bits) {
    Variant V;
    V.U_.I64 = Bits;
    V.VType_ = Type;
    return V;
  }
  static Variant MakeDouble(TVarType Type, double D) {
    Variant V;
    V.U_.Dbl = D;
    V.VType_ = Type;
    return V;
  }
  static Variant MakeArray(Variant::TArrayBody* B) {
    Variant V;
    V.U_.Arr = B;
    V.VType_ = static_cast<TVarType>(varArray | B->ElementType);
    return V;
  }
  static Variant::TArrayBody& Array(const Variant& V) { return V.ArrayBody(); }
  static Variant::TArrayBody& MutableArray(Variant& V) { return V.MutableArrayBody(); }
};

using Access = TVariantAccess;

namespace {

[[noreturn]] void NotAnArray() { throw EVariantError("Variant is not an array"); }
[[noreturn]] void OutOfBounds() { throw EVariantError("Variant or safe array index out of bounds"); }
[[noreturn]] void CreateError() { throw EVariantError("Error creating variant or safe array"); }

[[noreturn]] void CastError(TVarType From, TVarType To) {
  throw EVariantError("Could not convert variant of type (" + VarTypeAsText(From) +
                      ") into type (" + VarTypeAsText(To) + ")");
}

[[noreturn]] void OverflowError(TVarType From, TVarType To) {
  throw EVariantError("Overflow while converting variant of type (" + VarTypeAsText(From) +
                      ") into type (" + VarTypeAsText(To) + ")");
}

bool IsIntKind(TVarType T) {
  switch (T) {
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64: case varBoolean:
      return true;
    default:
      return false;
  }
}

bool IsFloatKind(TVarType T) {
  return T == varSingle || T == varDouble || T == varCurrency || T == varDate;
}

bool IsStrKind(TVarType T) { return T == varOleStr || T == varString; }

// Integer value of an ordinal kind (booleans are -1/0).
int64_t IntOf(const Variant& V) {
  const auto& P = Access::P(V);
  switch (V.VType()) {
    case varSmallint: return P.I16;
    case varInteger: return P.I32;
    case varShortInt: return P.I8;
    case varByte: return P.U8;
    case varWord: return P.U16;
    case varLongWord: return P.U32;
    case varInt64: return P.I64;
    case varBoolean: return P.Bool ? -1 : 0;
    default: return 0;
  }
}

double FloatOf(const Variant& V) {
  const auto& P = Access::P(V);
  switch (V.VType()) {
    case varSingle: return P.Sgl;
    case varDouble:
    case varDate: return P.Dbl;
    case varCurrency: return static_cast<double>(P.I64) / 10000.0;
    default: return static_cast<double>(IntOf(V));
  }
}

bool BoolWord(const std::string& Text, bool& B) {
  const std::string T = Trim(Text);
  if (SameText(T, "True")) return B = true, true;
  if (SameText(T, "False")) return B = false, true;
  return false;
}

int64_t ToInt64In(const Variant& V, TVarType To, int64_t Lo, int64_t Hi) {
  const TVarType T = V.VType();
  int64_t R = 0;
  if (T == varEmpty) return 0;
  if (IsIntKind(T)) {
    R = IntOf(V);
  } else if (IsFloatKind(T) || IsStrKind(T)) {
    double D;
    if (IsStrKind(T)) {
      const std::string& S = *V.StrPtr();
      bool B;
      if (TryStrToInt64(S, R)) {
        if (R < Lo || R > Hi) OverflowError(T, To);
        return R;
      }
      if (BoolWord(S, B)) return B ? -1 : 0;
      if (!TryStrToFloat(S, D)) CastError(T, To);
    } else {
      D = FloatOf(V);
    }
    if (!std::isfinite(D) || D < -9.2233720368547758e18 || D >= 9.2233720368547758e18)
      OverflowError(T, To);
    R = static_cast<int64_t>(std::nearbyint(D));  // half to even, as the classic type
  } else {
    CastError(T, To);
  }
  if (R < Lo || R > Hi) OverflowError(T, To);
  return R;
}

std::string TextOf(const Variant& V, bool NullIsEmpty, TVarType To) {
  const TVarType T = V.VType();
  if (const std::string* S = V.StrPtr()) return *S;
  switch (T) {
    case varEmpty: return std::string();
    case varNull:
      if (NullIsEmpty) return std::string();
      CastError(T, To);
    case varBoolean: return Access::P(V).Bool ? "True" : "False";
    case varSingle: return FloatToStrF(Access::P(V).Sgl, TFloatFormat::ffGeneral, 7, 0);
    case varDouble:
    case varCurrency: return FloatToStr(FloatOf(V));
    case varDate: return FormatDateTime("c", Access::P(V).Dbl);
    default:
      if (IsIntKind(T)) return IntToStr(IntOf(V));
      CastError(T, To);
  }
}

Variant ZeroOf(TVarType T) {
  switch (T) {
    case varVariant: return Variant();
    case varOleStr: return VarOleStr(std::string());
    case varString: return Variant(std::string());
    case varDispatch: return Variant(static_cast<IDispatch*>(nullptr));
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency:
    case varDate: case varError: case varBoolean: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64:
      return Access::Make(T, 0);
    default:
      CreateError();
  }
}

size_t OffsetOf(const Variant::TArrayBody& B, const int* Idx, size_t N) {
  if (N != B.Low.size()) OutOfBounds();
  size_t Off = 0, Stride = 1;
  for (size_t K = 0; K < N; ++K) {
    const int64_t R = static_cast<int64_t>(Idx[K]) - B.Low[K];
    if (R < 0 || R >= B.Count[K]) OutOfBounds();
    Off += static_cast<size_t>(R) * Stride;
    Stride *= static_cast<size_t>(B.Count[K]);
  }
  return Off;
}

}  // namespace

// --- construction and life -------------------------------------------------------

Variant::Variant(const char* S) : Variant(std::string(S ? S : "")) {}

Variant::Variant(const std::string& S) : Variant(std::string(S)) {}

Variant::Variant(std::string&& S) : VType_(varString) {
  auto* B = new TStrBody;
  B->Text = std::move(S);
  U_.Str = B;
}

Variant::Variant(IDispatch* Disp) : VType_(varDispatch) {
  U_.I64 = 0;
  U_.Disp = Disp;
  if (Disp) Disp->AddRef();
}

void Variant::AddRefPayload() const noexcept {
  if (VType_ == varDispatch) {
    if (U_.Disp) U_.Disp->AddRef();
  } else if (VType_ & varArray) {
    U_.Arr->Ref.fetch_add(1, std::memory_order_relaxed);
  } else {
    U_.Str->Ref.fetch_add(1, std::memory_order_relaxed);
  }
}

void Variant::ReleasePayload() noexcept {
  if (VType_ == varDispatch) {
    if (U_.Disp) U_.Disp->Release();
  } else if (VType_ & varArray) {
    if (U_.Arr->Ref.fetch_sub(1, std::memory_order_acq_rel) == 1) delete U_.Arr;
  } else {
    if (U_.Str->Ref.fetch_sub(1, std::memory_order_acq_rel) == 1) delete U_.Str;
  }
}

const std::string* Variant::StrPtr() const noexcept {
  return (VType_ == varOleStr || VType_ == varString) ? &U_.Str->Text : nullptr;
}

// --- arrays ----------------------------------------------------------------------

Variant::TArrayBody& Variant::ArrayBody() const {
  if (!(VType_ & varArray)) NotAnArray();
  return *U_.Arr;
}

Variant::TArrayBody& Variant::MutableArrayBody() {
  TArrayBody& B = ArrayBody();
  if (B.Ref.load(std::memory_order_acquire) == 1) return B;
  auto* C = new TArrayBody;
  C->ElementType = B.ElementType;
  C->Low = B.Low;
  C->Count = B.Count;
  C->Items = B.Items;
  if (B.Ref.fetch_sub(1, std::memory_order_acq_rel) == 1) delete &B;
  U_.Arr = C;
  return *C;
}

const Variant& Variant::operator[](int I) const {
  const TArrayBody& B = ArrayBody();
  return B.Items[OffsetOf(B, &I, 1)];
}

Variant Variant::GetElement(int I) const { return (*this)[I]; }

Variant Variant::GetElement(int I, int J) const {
  const TArrayBody& B = ArrayBody();
  const int Idx[2] = {I, J};
  return B.Items[OffsetOf(B, Idx, 2)];
}

Variant Variant::GetElement(std::initializer_list<int> Indices) const {
  const TArrayBody& B = ArrayBody();
  return B.Items[OffsetOf(B, Indices.begin(), Indices.size())];
}

namespace {
void Store(Variant::TArrayBody& B, size_t Off, const Variant& Value) {
  if (B.ElementType == varVariant)
    B.Items[Off] = Value;
  else
    B.Items[Off] = VarAsType(Value, B.ElementType);
}
}  // namespace

void Variant::SetElement(int I, const Variant& Value) {
  // Check the index before unsharing, so a bad index changes nothing.
  OffsetOf(ArrayBody(), &I, 1);
  const Variant Keep(Value);  // Value may be an element of this very array
  TArrayBody& B = MutableArrayBody();
  Store(B, OffsetOf(B, &I, 1), Keep);
}

void Variant::SetElement(int I, int J, const Variant& Value) {
  const int Idx[2] = {I, J};
  OffsetOf(ArrayBody(), Idx, 2);
  const Variant Keep(Value);
  TArrayBody& B = MutableArrayBody();
  Store(B, OffsetOf(B, Idx, 2), Keep);
}

void Variant::SetElement(std::initializer_list<int> Indices, const Variant& Value) {
  OffsetOf(ArrayBody(), Indices.begin(), Indices.size());
  const Variant Keep(Value);
  TArrayBody& B = MutableArrayBody();
  Store(B, OffsetOf(B, Indices.begin(), Indices.size()), Keep);
}

Variant& Variant::ElementRef(int I) {
  OffsetOf(ArrayBody(), &I, 1);
  TArrayBody& B = MutableArrayBody();
  return B.Items[OffsetOf(B, &I, 1)];
}

Variant& Variant::ElementRef(int I, int J) {
  const int Idx[2] = {I, J};
  OffsetOf(ArrayBody(), Idx, 2);
  TArrayBody& B = MutableArrayBody();
  return B.Items[OffsetOf(B, Idx, 2)];
}

Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType ElementType) {
  if (Bounds.empty() || Bounds.size() % 2 != 0 || Bounds.size() / 2 > 64) CreateError();
  const Variant Zero = ZeroOf(ElementType);
  auto* B = new Variant::TArrayBody;
  B->ElementType = ElementType;
  size_t Total = 1;
  for (size_t K = 0; K < Bounds.size(); K += 2) {
    const int64_t N = static_cast<int64_t>(Bounds[K + 1]) - Bounds[K] + 1;
    if (N < 0 || N > 100000000 || static_cast<double>(Total) * static_cast<double>(N) > 1e8) {
      delete B;
      CreateError();
    }
    B->Low.push_back(Bounds[K]);
    B->Count.push_back(static_cast<int>(N));
    Total *= static_cast<size_t>(N);
  }
  B->Items.assign(Total, Zero);
  return Access::MakeArray(B);
}

Variant VarArrayOf(const std::vector<Variant>& Values) {
  auto* B = new Variant::TArrayBody;
  B->Low.push_back(0);
  B->Count.push_back(static_cast<int>(Values.size()));
  B->Items = Values;
  return Access::MakeArray(B);
}

Variant VarArrayOf(std::initializer_list<Variant> Values) {
  auto* B = new Variant::TArrayBody;
  B->Low.push_back(0);
  B->Count.push_back(static_cast<int>(Values.size()));
  B->Items.assign(Values.begin(), Values.end());
  return Access::MakeArray(B);
}

int VarArrayDimCount(const Variant& V) {
  return V.IsArray() ? static_cast<int>(Access::Array(V).Low.size()) : 0;
}

int VarArrayLowBound(const Variant& V, int Dim) {
  const auto& B = Access::Array(V);
  if (Dim < 1 || Dim > static_cast<int>(B.Low.size())) OutOfBounds();
  return B.Low[static_cast<size_t>(Dim - 1)];
}

int VarArrayHighBound(const Variant& V, int Dim) {
  const auto& B = Access::Array(V);
  if (Dim < 1 || Dim > static_cast<int>(B.Low.size())) OutOfBounds();
  return B.Low[static_cast<size_t>(Dim - 1)] + B.Count[static_cast<size_t>(Dim - 1)] - 1;
}

void VarArrayRedim(Variant& V, int HighBound) {
  const auto& Old = Access::Array(V);
  const int64_t N = static_cast<int64_t>(HighBound) - Old.Low.back() + 1;
  if (N < 0 || N > 100000000) OutOfBounds();
  const Variant Zero = ZeroOf(Old.ElementType);
  auto& B = Access::MutableArray(V);
  size_t Stride = 1;
  for (size_t K = 0; K + 1 < B.Count.size(); ++K) Stride *= static_cast<size_t>(B.Count[K]);
  B.Count.back() = static_cast<int>(N);
  B.Items.resize(Stride * static_cast<size_t>(N), Zero);
}

Variant VarArrayGet(const Variant& V, std::initializer_list<int> Indices) {
  return V.GetElement(Indices);
}

void VarArrayPut(Variant& V, const Variant& Value, std::initializer_list<int> Indices) {
  V.SetElement(Indices, Value);
}

uint64_t VarScalarBits(const Variant& V) {
  const auto& P = Access::P(V);
  switch (V.VType()) {
    case varSmallint: return static_cast<uint16_t>(P.I16);
    case varInteger: case varError: return static_cast<uint32_t>(P.I32);
    case varShortInt: return static_cast<uint8_t>(P.I8);
    case varByte: return P.U8;
    case varWord: return P.U16;
    case varLongWord: return P.U32;
    case varBoolean: return P.Bool ? 1 : 0;
    case varSingle: {
      uint32_t Bits;
      std::memcpy(&Bits, &P.Sgl, sizeof Bits);
      return Bits;
    }
    case varDouble: case varDate: {
      uint64_t Bits;
      std::memcpy(&Bits, &P.Dbl, sizeof Bits);
      return Bits;
    }
    case varCurrency: case varInt64: return static_cast<uint64_t>(P.I64);
    default: throw EVariantError("Invalid variant type");
  }
}

Variant VarFromScalarBits(TVarType Type, uint64_t Bits) {
  Variant V = Access::Make(Type, 0);
  auto& P = Access::P(V);
  switch (Type) {
    case varSmallint: P.I16 = static_cast<int16_t>(Bits); break;
    case varInteger: case varError: P.I32 = static_cast<int32_t>(Bits); break;
    case varShortInt: P.I8 = static_cast<int8_t>(Bits); break;
    case varByte: P.U8 = static_cast<uint8_t>(Bits); break;
    case varWord: P.U16 = static_cast<uint16_t>(Bits); break;
    case varLongWord: P.U32 = static_cast<uint32_t>(Bits); break;
    case varBoolean: P.Bool = Bits != 0; break;
    case varSingle: {
      const auto B32 = static_cast<uint32_t>(Bits);
      std::memcpy(&P.Sgl, &B32, sizeof B32);
      break;
    }
    case varDouble: case varDate: std::memcpy(&P.Dbl, &Bits, sizeof Bits); break;
    case varCurrency: case varInt64: P.I64 = static_cast<int64_t>(Bits); break;
    default: V.Clear(); throw EVariantError("Invalid variant type");
  }
  return V;
}

const std::vector<Variant>& VarArrayItems(const Variant& V) { return Access::Array(V).Items; }

Variant VarArrayFromItems(const std::vector<int>& Bounds, TVarType ElementType, std::vector<Variant> Items) {
  Variant V = VarArrayCreate(Bounds, ElementType);
  auto& B = Access::MutableArray(V);
  if (Items.size() != B.Items.size()) CreateError();
  if (ElementType != varVariant)
    for (const Variant& Item : Items)
      if (Item.VType() != ElementType) CreateError();
  B.Items = std::move(Items);
  return V;
}

// --- makers -------------------------------------------------------------------------

Variant Unassigned() { return Variant(); }
Variant Null() { return Access::Make(varNull, 0); }
Variant VarOleStr(std::string Text) { return Access::MakeStr(varOleStr, std::move(Text)); }
Variant VarAnsiStr(std::string Text) { return Variant(std::move(Text)); }
Variant VarFromDateTime(TDateTime DateTime) { return Access::MakeDouble(varDate, DateTime); }
Variant VarFromCurrency(double Value) {
  if (!std::isfinite(Value) || std::fabs(Value) >= 922337203685477.0)
    OverflowError(varDouble, varCurrency);
  return Access::Make(varCurrency, std::llround(Value * 10000.0));
}
Variant VarAsError(int32_t Code) { return Access::Make(varError, Code); }

// --- tests ----------------------------------------------------------------------------

TVarType VarType(const Variant& V) { return V.VType(); }
bool VarIsEmpty(const Variant& V) { return V.VType() == varEmpty; }
bool VarIsNull(const Variant& V) { return V.VType() == varNull; }
bool VarIsClear(const Variant& V) {
  return V.VType() == varEmpty || (V.VType() == varDispatch && Access::P(V).Disp == nullptr);
}
bool VarIsArray(const Variant& V) { return V.IsArray(); }
bool VarIsStr(const Variant& V) { return IsStrKind(V.VType()); }
bool VarIsOrdinal(const Variant& V) { return IsIntKind(V.VType()); }
bool VarIsFloat(const Variant& V) { return IsFloatKind(V.VType()); }
bool VarIsNumeric(const Variant& V) { return VarIsOrdinal(V) || VarIsFloat(V); }
bool VarIsType(const Variant& V, TVarType Type) { return V.VType() == Type; }

std::string VarTypeAsText(TVarType Type) {
  std::string Prefix;
  if (Type & varArray) Prefix = "Array ";
  const TVarType Base = Type & varTypeMask;
  const char* Name = nullptr;
  switch (Base) {
    case varEmpty: Name = "Empty"; break;
    case varNull: Name = "Null"; break;
    case varSmallint: Name = "Smallint"; break;
    case varInteger: Name = "Integer"; break;
    case varSingle: Name = "Single"; break;
    case varDouble: Name = "Double"; break;
    case varCurrency: Name = "Currency"; break;
    case varDate: Name = "Date"; break;
    case varOleStr: Name = "OleStr"; break;
    case varDispatch: Name = "Dispatch"; break;
    case varError: Name = "Error"; break;
    case varBoolean: Name = "Boolean"; break;
    case varVariant: Name = "Variant"; break;
    case varUnknown: Name = "Unknown"; break;
    case varShortInt: Name = "ShortInt"; break;
    case varByte: Name = "Byte"; break;
    case varWord: Name = "Word"; break;
    case varLongWord: Name = "LongWord"; break;
    case varInt64: Name = "Int64"; break;
    case varString: Name = "String"; break;
    default: return Prefix + "$" + IntToHex(Base, 4);
  }
  return Prefix + Name;
}

// --- conversions --------------------------------------------------------------------------

std::string VarToStr(const Variant& V) { return TextOf(V, true, varString); }

std::string VarToStrDef(const Variant& V, const std::string& Default) {
  return VarIsNull(V) ? Default : VarToStr(V);
}

int64_t VarToInt64(const Variant& V) { return ToInt64In(V, varInt64, INT64_MIN, INT64_MAX); }

int VarToInteger(const Variant& V) {
  return static_cast<int>(ToInt64In(V, varInteger, INT32_MIN, INT32_MAX));
}

double VarToDouble(const Variant& V) {
  const TVarType T = V.VType();
  if (T == varEmpty) return 0;
  if (IsIntKind(T) || IsFloatKind(T)) return FloatOf(V);
  if (IsStrKind(T)) {
    double D;
    int64_t I;
    bool B;
    if (TryStrToFloat(*V.StrPtr(), D)) return D;
    if (TryStrToInt64(*V.StrPtr(), I)) return static_cast<double>(I);  // "$10"
    if (BoolWord(*V.StrPtr(), B)) return B ? -1 : 0;
  }
  CastError(T, varDouble);
}

bool VarToBoolean(const Variant& V) {
  const TVarType T = V.VType();
  if (T == varEmpty) return false;
  if (T == varBoolean) return Access::P(V).Bool;
  if (IsIntKind(T)) return IntOf(V) != 0;
  if (IsFloatKind(T)) return FloatOf(V) != 0;
  if (IsStrKind(T)) {
    bool B;
    double D;
    if (BoolWord(*V.StrPtr(), B)) return B;
    if (TryStrToFloat(*V.StrPtr(), D)) return D != 0;
  }
  CastError(T, varBoolean);
}

TDateTime VarToDateTime(const Variant& V) {
  const TVarType T = V.VType();
  if (T == varEmpty) return 0;
  if (IsIntKind(T) || IsFloatKind(T)) return FloatOf(V);
  if (IsStrKind(T)) {
    TDateTime D;
    if (TryStrToDateTime(*V.StrPtr(), D)) return D;
  }
  CastError(T, varDate);
}

IDispatch* VarToDispatch(const Variant& V) {
  if (V.VType() == varEmpty) return nullptr;
  if (V.VType() == varDispatch) return Access::P(V).Disp;
  CastError(V.VType(), varDispatch);
}

std::string Variant::AsString() const { return VarToStr(*this); }
int Variant::AsInteger() const { return VarToInteger(*this); }
int64_t Variant::AsInt64() const { return VarToInt64(*this); }
double Variant::AsDouble() const { return VarToDouble(*this); }
bool Variant::AsBoolean() const { return VarToBoolean(*this); }
TDateTime Variant::AsDateTime() const { return VarToDateTime(*this); }

Variant VarAsType(const Variant& V, TVarType Type) {
  const TVarType From = V.VType();
  if (Type == From || Type == varVariant) return V;
  if (Type == varEmpty) return Variant();
  if (From == varNull && Type != varNull) CastError(From, Type);
  switch (Type) {
    case varNull: CastError(From, Type);
    case varSmallint: return Access::Make(Type, ToInt64In(V, Type, INT16_MIN, INT16_MAX));
    case varInteger: return Access::Make(Type, ToInt64In(V, Type, INT32_MIN, INT32_MAX));
    case varShortInt: return Access::Make(Type, ToInt64In(V, Type, INT8_MIN, INT8_MAX));
    case varByte: return Access::Make(Type, ToInt64In(V, Type, 0, UINT8_MAX));
    case varWord: return Access::Make(Type, ToInt64In(V, Type, 0, UINT16_MAX));
    case varLongWord: return Access::Make(Type, ToInt64In(V, Type, 0, UINT32_MAX));
    case varInt64: return Access::Make(Type, ToInt64In(V, Type, INT64_MIN, INT64_MAX));
    case varSingle: {
      const double D = VarToDouble(V);
      if (std::isfinite(D) && std::fabs(D) > 3.4028234663852886e38) OverflowError(From, Type);
      return Variant(static_cast<float>(D));
    }
    case varDouble: return Variant(VarToDouble(V));
    case varCurrency: return VarFromCurrency(VarToDouble(V));
    case varDate: return VarFromDateTime(VarToDateTime(V));
    case varBoolean: return Variant(VarToBoolean(V));
    case varOleStr:
    case varString:
      if (IsStrKind(From)) return Access::Retag(V, Type);
      return Access::MakeStr(Type, TextOf(V, false, Type));
    case varDispatch:
      if (From == varEmpty) return Variant(static_cast<IDispatch*>(nullptr));
      CastError(From, Type);
    default:
      CastError(From, Type);
  }
}

// --- comparison ---------------------------------------------------------------------------

namespace {

using R = TVariantRelationship;

template <typename T>
R Order(const T& A, const T& B) {
  if (A < B) return R::vrLessThan;
  if (B < A) return R::vrGreaterThan;
  if (A == B) return R::vrEqual;
  return R::vrNotEqual;  // NaN
}

R CompareNumbers(const Variant& A, const Variant& B) {
  const bool IntA = A.VType() == varEmpty || IsIntKind(A.VType());
  const bool IntB = B.VType() == varEmpty || IsIntKind(B.VType());
  if (IntA && IntB) return Order(IntOf(A), IntOf(B));
  return Order(FloatOf(A), FloatOf(B));
}

R CompareStrNum(const std::string& S, const Variant& N, bool StrFirst) {
  double D;
  bool Read = TryStrToFloat(S, D);
  if (!Read && N.VType() == varDate) Read = TryStrToDateTime(S, D);
  R Res;
  if (Read) {
    Res = Order(D, FloatOf(N));
  } else {
    Res = Order(S, VarToStr(N));
  }
  if (StrFirst || Res == R::vrEqual || Res == R::vrNotEqual) return Res;
  return Res == R::vrLessThan ? R::vrGreaterThan : R::vrLessThan;
}

}  // namespace

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B) {
  const TVarType Ta = A.VType(), Tb = B.VType();
  if (Ta == varNull || Tb == varNull) return Ta == Tb ? R::vrEqual : R::vrNotEqual;
  const bool NumA = Ta == varEmpty || IsIntKind(Ta) || IsFloatKind(Ta);
  const bool NumB = Tb == varEmpty || IsIntKind(Tb) || IsFloatKind(Tb);
  const bool StrA = IsStrKind(Ta), StrB = IsStrKind(Tb);
  if (Ta == varEmpty && Tb == varEmpty) return R::vrEqual;
  if (StrA && StrB) return Order(*A.StrPtr(), *B.StrPtr());
  if (StrA && Tb == varEmpty) return Order(*A.StrPtr(), std::string());
  if (Ta == varEmpty && StrB) return Order(std::string(), *B.StrPtr());
  if (NumA && NumB) return CompareNumbers(A, B);
  if (StrA && NumB) return CompareStrNum(*A.StrPtr(), B, true);
  if (NumA && StrB) return CompareStrNum(*B.StrPtr(), A, false);
  const bool DispA = Ta == varDispatch || Ta == varEmpty;
  const bool DispB = Tb == varDispatch || Tb == varEmpty;
  if (DispA && DispB) {
    const IDispatch* Pa = Ta == varEmpty ? nullptr : Access::P(A).Disp;
    const IDispatch* Pb = Tb == varEmpty ? nullptr : Access::P(B).Disp;
    return Pa == Pb ? R::vrEqual : R::vrNotEqual;
  }
  if (Ta == varError && Tb == varError)
    return Access::P(A).I32 == Access::P(B).I32 ? R::vrEqual : R::vrNotEqual;
  if (A.IsArray() && B.IsArray()) {
    const auto& Ba = Access::Array(A);
    const auto& Bb = Access::Array(B);
    if (&Ba == &Bb) return R::vrEqual;
    if (Ba.Low != Bb.Low || Ba.Count != Bb.Count) return R::vrNotEqual;
    for (size_t I = 0; I < Ba.Items.size(); ++I)
      if (VarCompareValue(Ba.Items[I], Bb.Items[I]) != R::vrEqual) return R::vrNotEqual;
    return R::vrEqual;
  }
  return R::vrNotEqual;
}

bool operator==(const Variant& A, const Variant& B) {
  return VarCompareValue(A, B) == TVariantRelationship::vrEqual;
}

std::ostream& operator<<(std::ostream& Os, const Variant& V) {
  Os << '(' << VarTypeAsText(V.VType()) << ')';
  if (V.IsArray()) {
    const auto& B = Access::Array(V);
    Os << " [";
    for (size_t I = 0; I < B.Items.size(); ++I) Os << (I ? ", " : "") << B.Items[I];
    return Os << ']';
  }
  switch (V.VType()) {
    case varEmpty:
    case varNull:
      return Os;
    case varDispatch:
      return Os << ' ' << static_cast<const void*>(Access::P(V).Disp);
    case varError:
      return Os << ' ' << Access::P(V).I32;
    default:
      return Os << ' ' << VarToStr(V);
  }
}
