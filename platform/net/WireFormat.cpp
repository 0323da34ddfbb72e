#include "platform/net/WireFormat.h"

#include <vector>

#include "platform/core/SysUtils.h"

namespace {

// Bytes of a scalar kind's payload; 0 for kinds that are not scalars.
int ScalarWidth(TVarType Type) {
  switch (Type) {
    case varBoolean: case varShortInt: case varByte: return 1;
    case varSmallint: case varWord: return 2;
    case varInteger: case varSingle: case varError: case varLongWord: return 4;
    case varDouble: case varCurrency: case varDate: case varInt64: return 8;
    default: return 0;
  }
}

bool IsStringKind(TVarType Type) { return Type == varOleStr || Type == varString; }

// The kinds a typed array may hold (those VarArrayCreate accepts).
bool IsElementType(TVarType Type) {
  return Type == varVariant || Type == varDispatch || IsStringKind(Type) || ScalarWidth(Type) > 0;
}

constexpr int MaxDimensions = 64;

}  // namespace

void TWireWriter::WriteLittleEndian(uint64_t Value, int Width) {
  for (int K = 0; K < Width; ++K) Bytes_.push_back(static_cast<char>((Value >> (8 * K)) & 0xFF));
}

void TWireWriter::WriteText(const std::string& Text) {
  // The other side refuses such a frame; say so here, where the text came from.
  if (!IsValidUtf8(Text)) throw EOleError("A text to be sent across the connection is not valid UTF-8");
  WriteU32(static_cast<uint32_t>(Text.size()));
  Bytes_ += Text;
}

void TWireWriter::WriteVariant(const Variant& V) {
  const TVarType Type = V.VType();
  if (V.IsArray()) return WriteArray(V);
  if (Type == varDispatch && VarToDispatch(V) != nullptr)
    throw EOleError("An automation object cannot be passed across the connection");
  WriteU16(Type);
  if (IsStringKind(Type))
    WriteText(*V.StrPtr());
  else if (const int Width = ScalarWidth(Type); Width > 0)
    WriteLittleEndian(VarScalarBits(V), Width);
}

void TWireWriter::WriteArray(const Variant& V) {
  WriteU16(V.VType());
  const int Dims = VarArrayDimCount(V);
  WriteU8(static_cast<uint8_t>(Dims));
  for (int D = 1; D <= Dims; ++D) {
    const int Low = VarArrayLowBound(V, D);
    WriteI32(Low);
    WriteU32(static_cast<uint32_t>(static_cast<int64_t>(VarArrayHighBound(V, D)) - Low + 1));
  }
  for (const Variant& Item : VarArrayItems(V)) WriteVariant(Item);
}

void TWireReader::Need(size_t Count) const {
  if (Bytes_.size() - Pos_ < Count) throw EProtocolError("the frame ends inside a value");
}

uint64_t TWireReader::ReadLittleEndian(int Width) {
  Need(static_cast<size_t>(Width));
  uint64_t Value = 0;
  for (int K = 0; K < Width; ++K)
    Value |= static_cast<uint64_t>(static_cast<uint8_t>(Bytes_[Pos_ + static_cast<size_t>(K)])) << (8 * K);
  Pos_ += static_cast<size_t>(Width);
  return Value;
}

uint32_t TWireReader::ReadCount(size_t MinItemSize) {
  const uint32_t Count = ReadU32();
  if (static_cast<uint64_t>(Count) * MinItemSize > Bytes_.size() - Pos_)
    throw EProtocolError("a count of " + std::to_string(Count) + " items exceeds the frame");
  return Count;
}

std::string TWireReader::ReadText() {
  const uint32_t Size = ReadCount(1);
  std::string Text = Bytes_.substr(Pos_, Size);
  Pos_ += Size;
  if (!IsValidUtf8(Text)) throw EProtocolError("a text is not valid UTF-8");
  return Text;
}

void TWireReader::ExpectEnd() const {
  if (Pos_ != Bytes_.size())
    throw EProtocolError("bytes left over after the end of the message: " + std::to_string(Bytes_.size() - Pos_));
}

Variant TWireReader::ReadVariantAt(int Depth) {
  const uint16_t Tag = ReadU16();
  if ((Tag & varArray) != 0) return ReadArray(Tag, Depth);
  if (Tag == varEmpty) return Variant();
  if (Tag == varNull) return Null();
  if (Tag == varDispatch) return Variant(static_cast<IDispatch*>(nullptr));
  if (Tag == varOleStr) return VarOleStr(ReadText());
  if (Tag == varString) return Variant(ReadText());
  const int Width = ScalarWidth(Tag);
  if (Width == 0) throw EProtocolError("unknown variant type " + std::to_string(Tag));
  const uint64_t Bits = ReadLittleEndian(Width);
  if (Tag == varBoolean && Bits > 1) throw EProtocolError("a boolean is neither 0 nor 1");
  return VarFromScalarBits(Tag, Bits);
}

Variant TWireReader::ReadArray(uint16_t Tag, int Depth) {
  if (Depth > MaxVariantDepth)
    throw EProtocolError("arrays are nested deeper than " + std::to_string(MaxVariantDepth) + " levels");
  const auto ElementType = static_cast<TVarType>(Tag & ~varArray);
  if (!IsElementType(ElementType)) throw EProtocolError("unknown array element type " + std::to_string(Tag));
  const int Dims = ReadU8();
  if (Dims < 1 || Dims > MaxDimensions) throw EProtocolError("an array has " + std::to_string(Dims) + " dimensions");
  std::vector<int> Bounds;
  uint64_t Total = 1;
  for (int D = 0; D < Dims; ++D) {
    const int32_t Low = ReadI32();
    const uint32_t Count = ReadU32();
    const int64_t High = static_cast<int64_t>(Low) + Count - 1;
    if (High > INT32_MAX) throw EProtocolError("an array bound is out of range");
    Bounds.push_back(Low);
    Bounds.push_back(static_cast<int>(High));
    // Every element takes at least its two-byte tag.
    Total *= Count;
    if (Total * 2 > Bytes_.size() - Pos_) throw EProtocolError("an array's element count exceeds the frame");
  }
  std::vector<Variant> Items;
  Items.reserve(Total);
  for (uint64_t K = 0; K < Total; ++K) {
    Items.push_back(ReadVariantAt(Depth + 1));
    if (ElementType != varVariant && Items.back().VType() != ElementType)
      throw EProtocolError("an element does not match its array's type");
  }
  try {
    return VarArrayFromItems(Bounds, ElementType, std::move(Items));
  } catch (const EVariantError& E) {
    throw EProtocolError("an array cannot be made: " + E.Message());
  }
}
