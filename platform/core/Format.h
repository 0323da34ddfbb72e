#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/core/Variant.h"

// The classic Format. Directives: "%" [index ":"] ["-"] [width] ["." prec] type,
// where index, width and prec may be "*" (taken from the next argument, an
// integer) and type is one of (in either case):
//   d  decimal integer; prec = minimum digits, zero-padded ("%.2d" of 5 -> "05")
//   u  unsigned decimal (a negative Integer as its 32-bit pattern)
//   x  hexadecimal, upper case; prec = minimum digits
//   e  scientific "-d.ddd...E+ddd", prec significant digits (default 15)
//   f  fixed, prec decimals (default 2)
//   g  general, prec significant digits (default 15), as FloatToStr
//   n  as f with thousands separators
//   m  as n with the currency settings (default CurrencyDecimals places)
//   p  pointer (a dispatch, or an integer address) as 16 hex digits
//   s  text; numbers, booleans and dates print as their text; prec = maximum
//      width
// The index counts from 0 and sets the argument for this and the following
// directives; "-" left-justifies within width; "%%" is a "%". Width and a
// string's prec count the double-byte code page's way (DESIGN 2.1): 1 for an
// ASCII character, 2 for any other. d u x take integer kinds only, e f g n m
// take float kinds (double, single, currency, date) only. A bad directive, a
// missing argument or a mismatched kind raises EConvertError
// "Format '<Fmt>' invalid or incompatible with argument". Decimal and
// thousands separators come from the settings.
std::string Format(const std::string& Fmt, std::initializer_list<Variant> Args);
std::string Format(const std::string& Fmt, const std::vector<Variant>& Args);
std::string Format(const std::string& Fmt, const Variant* Args, size_t Count,
                   const TFormatSettings& Settings);
