#pragma once

// Helpers shared by the text, number and date units of platform/core; not
// part of the public interface.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tandrel::detail {

constexpr uint32_t kInvalidCp = 0xFFFFFFFFu;

// Decodes the UTF-8 character at P (N bytes available) into Cp and returns
// its length; a malformed byte is one character with Cp = kInvalidCp.
int Utf8Decode(const char* P, size_t N, uint32_t& Cp);
void Utf8Append(std::string& Out, uint32_t Cp);

// Width in the double-byte code page's terms (DESIGN 2.1): 1 for ASCII,
// 2 for anything else; AnsiTruncate keeps whole characters within MaxWidth.
int AnsiWidth(const std::string& S);
std::string AnsiTruncate(const std::string& S, int MaxWidth);

// A double as decimal digits, the classic FloatToDecimal: value =
// 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty for zero.
// The value is taken to Significant digits first, then rounded half away from
// zero to at most Precision significant digits and Decimals places.
struct TDecimal {
  std::string Digits;
  int Exponent = 0;
  bool Negative = false;
  int Special = 0;  // 1 NaN, 2 infinite
};
TDecimal FloatToDecimal(double Value, int Precision, int Decimals, int Significant);

// "1234567" -> "1,234,567".
std::string GroupThousands(const std::string& IntDigits, char Separator);

}  // namespace tandrel::detail
