#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/Variant.h"

// The byte layout of the connection's messages (PROTOCOL.md): little-endian
// integers, length-prefixed UTF-8 texts and tagged variants.

// A frame that breaks the layout; the connection that sent it is ended.
TANDREL_EXCEPTION(EProtocolError, Exception);

constexpr size_t MaxFrameSize = 16u * 1024u * 1024u;
// Arrays inside arrays, counting the outermost one.
constexpr int MaxVariantDepth = 32;

class TWireWriter {
 public:
  void WriteU8(uint8_t Value) { Bytes_.push_back(static_cast<char>(Value)); }
  void WriteU16(uint16_t Value) { WriteLittleEndian(Value, 2); }
  void WriteU32(uint32_t Value) { WriteLittleEndian(Value, 4); }
  void WriteI32(int32_t Value) { WriteU32(static_cast<uint32_t>(Value)); }
  void WriteText(const std::string& Text);
  // Raises EOleError for an automation object other than a nil one: objects
  // stay on their side of the connection.
  void WriteVariant(const Variant& V);

  const std::string& Bytes() const { return Bytes_; }

 private:
  void WriteLittleEndian(uint64_t Value, int Width);
  void WriteArray(const Variant& V);

  std::string Bytes_;
};

// Reads a received frame body; every fault raises EProtocolError naming it.
class TWireReader {
 public:
  explicit TWireReader(const std::string& Bytes) : Bytes_(Bytes) {}

  uint8_t ReadU8() { return static_cast<uint8_t>(ReadLittleEndian(1)); }
  uint16_t ReadU16() { return static_cast<uint16_t>(ReadLittleEndian(2)); }
  uint32_t ReadU32() { return static_cast<uint32_t>(ReadLittleEndian(4)); }
  int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
  // A count of items that each take at least MinItemSize bytes: a count the
  // rest of the frame cannot hold is refused before anything is allocated.
  uint32_t ReadCount(size_t MinItemSize);
  std::string ReadText();
  Variant ReadVariant() { return ReadVariantAt(1); }

  // Raises unless every byte was read.
  void ExpectEnd() const;

 private:
  uint64_t ReadLittleEndian(int Width);
  Variant ReadVariantAt(int Depth);
  Variant ReadArray(uint16_t Tag, int Depth);
  void Need(size_t Count) const;

  const std::string& Bytes_;
  size_t Pos_ = 0;
};
