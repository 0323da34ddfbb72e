#include "platform/core/SysUtils.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtilsInternal.h"

TFormatSettings& FormatSettings() {
  static TFormatSettings Settings;
  return Settings;
}

// --- UTF-8 ----------------------------------------------------------------

namespace tandrel::detail {

int Utf8Decode(const char* P, size_t N, uint32_t& Cp) {
  const auto B0 = static_cast<unsigned char>(P[0]);
  if (B0 < 0x80) {
    Cp = B0;
    return 1;
  }
  auto Cont = [&](size_t I) {
    return I < N && (static_cast<unsigned char>(P[I]) & 0xC0) == 0x80;
  };
  auto Byte = [&](size_t I) { return static_cast<unsigned char>(P[I]); };
  if (B0 >= 0xC2 && B0 <= 0xDF) {
    if (!Cont(1)) return Cp = kInvalidCp, 1;
    Cp = ((B0 & 0x1Fu) << 6) | (Byte(1) & 0x3Fu);
    return 2;
  }
  if (B0 >= 0xE0 && B0 <= 0xEF) {
    if (!Cont(1) || !Cont(2)) return Cp = kInvalidCp, 1;
    if (B0 == 0xE0 && Byte(1) < 0xA0) return Cp = kInvalidCp, 1;  // overlong
    if (B0 == 0xED && Byte(1) > 0x9F) return Cp = kInvalidCp, 1;  // surrogate
    Cp = ((B0 & 0x0Fu) << 12) | ((Byte(1) & 0x3Fu) << 6) | (Byte(2) & 0x3Fu);
    return 3;
  }
  if (B0 >= 0xF0 && B0 <= 0xF4) {
    if (!Cont(1) || !Cont(2) || !Cont(3)) return Cp = kInvalidCp, 1;
    if (B0 == 0xF0 && Byte(1) < 0x90) return Cp = kInvalidCp, 1;
    if (B0 == 0xF4 && Byte(1) > 0x8F) return Cp = kInvalidCp, 1;
    Cp = ((B0 & 0x07u) << 18) | ((Byte(1) & 0x3Fu) << 12) | ((Byte(2) & 0x3Fu) << 6) |
         (Byte(3) & 0x3Fu);
    return 4;
  }
  Cp = kInvalidCp;
  return 1;
}

void Utf8Append(std::string& Out, uint32_t Cp) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else if (Cp < 0x10000) {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Cp >> 18));
    Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}

int AnsiWidth(const std::string& S) {
  int W = 0;
  for (size_t I = 0; I < S.size();) {
    uint32_t Cp;
    const int L = Utf8Decode(S.data() + I, S.size() - I, Cp);
    W += Cp < 0x80 ? 1 : 2;
    I += static_cast<size_t>(L);
  }
  return W;
}

std::string AnsiTruncate(const std::string& S, int MaxWidth) {
  int W = 0;
  size_t I = 0;
  while (I < S.size()) {
    uint32_t Cp;
    const int L = Utf8Decode(S.data() + I, S.size() - I, Cp);
    const int CW = Cp < 0x80 ? 1 : 2;
    if (W + CW > MaxWidth) break;
    W += CW;
    I += static_cast<size_t>(L);
  }
  return S.substr(0, I);
}

}  // namespace tandrel::detail

using tandrel::detail::kInvalidCp;
using tandrel::detail::Utf8Append;
using tandrel::detail::Utf8Decode;

namespace {

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }

// Byte offset of the 1-based character Index (clipped to the text's end).
size_t Utf8Offset(const std::string& S, int Index) {
  size_t I = 0;
  for (int C = 1; C < Index && I < S.size(); ++C) {
    uint32_t Cp;
    I += static_cast<size_t>(Utf8Decode(S.data() + I, S.size() - I, Cp));
  }
  return I;
}

template <typename Map>
std::string MapText(const std::string& S, Map M) {
  std::string Out;
  Out.reserve(S.size());
  for (size_t I = 0; I < S.size();) {
    uint32_t Cp;
    const int L = Utf8Decode(S.data() + I, S.size() - I, Cp);
    if (Cp == kInvalidCp)
      Out += S[I];
    else if (Cp < 0x80)
      Out += static_cast<char>(M(Cp));
    else
      Utf8Append(Out, M(Cp));
    I += static_cast<size_t>(L);
  }
  return Out;
}

// Compares code point by code point after folding each with F.
template <typename Fold>
int CompareFolded(const std::string& A, const std::string& B, Fold F) {
  size_t I = 0, J = 0;
  while (I < A.size() && J < B.size()) {
    uint32_t Ca, Cb;
    const int La = Utf8Decode(A.data() + I, A.size() - I, Ca);
    const int Lb = Utf8Decode(B.data() + J, B.size() - J, Cb);
    // A malformed byte compares as itself, above every code point.
    const uint32_t Fa = Ca == kInvalidCp ? 0x110000u + static_cast<unsigned char>(A[I]) : F(Ca);
    const uint32_t Fb = Cb == kInvalidCp ? 0x110000u + static_cast<unsigned char>(B[J]) : F(Cb);
    if (Fa != Fb) return Fa < Fb ? -1 : 1;
    I += static_cast<size_t>(La);
    J += static_cast<size_t>(Lb);
  }
  if (I < A.size()) return 1;
  if (J < B.size()) return -1;
  return 0;
}

uint32_t AsciiUpper(uint32_t C) { return (C >= 'a' && C <= 'z') ? C - 32 : C; }
uint32_t AsciiLower(uint32_t C) { return (C >= 'A' && C <= 'Z') ? C + 32 : C; }

bool Odd(uint32_t C) { return (C & 1u) != 0; }

}  // namespace

// --- trimming and case ---------------------------------------------------

std::string Trim(const std::string& S) {
  size_t B = 0, E = S.size();
  while (B < E && IsBlank(S[B])) ++B;
  while (E > B && IsBlank(S[E - 1])) --E;
  return S.substr(B, E - B);
}

std::string TrimLeft(const std::string& S) {
  size_t B = 0;
  while (B < S.size() && IsBlank(S[B])) ++B;
  return S.substr(B);
}

std::string TrimRight(const std::string& S) {
  size_t E = S.size();
  while (E > 0 && IsBlank(S[E - 1])) --E;
  return S.substr(0, E);
}

std::string UpperCase(const std::string& S) {
  std::string R = S;
  for (char& C : R)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 32);
  return R;
}

std::string LowerCase(const std::string& S) {
  std::string R = S;
  for (char& C : R)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
  return R;
}

uint32_t UnicodeToUpper(uint32_t C) {
  if (C < 0x80) return AsciiUpper(C);
  if (C < 0x250) {
    if (C >= 0xE0 && C <= 0xFE && C != 0xF7) return C - 0x20;
    if (C == 0xFF) return 0x178;
    if (C == 0xB5) return 0x39C;
    if (C >= 0x100 && C <= 0x12F) return Odd(C) ? C - 1 : C;
    if (C == 0x131) return 'I';
    if (C >= 0x132 && C <= 0x137) return Odd(C) ? C - 1 : C;
    if (C >= 0x139 && C <= 0x148) return Odd(C) ? C : C - 1;
    if (C >= 0x14A && C <= 0x177) return Odd(C) ? C - 1 : C;
    if (C >= 0x179 && C <= 0x17E) return Odd(C) ? C : C - 1;
    if (C == 0x17F) return 'S';
    if (C == 0x1C5 || C == 0x1C6) return 0x1C4;
    if (C == 0x1C8 || C == 0x1C9) return 0x1C7;
    if (C == 0x1CB || C == 0x1CC) return 0x1CA;
    if (C >= 0x1CD && C <= 0x1DC) return Odd(C) ? C : C - 1;
    if (C >= 0x1DE && C <= 0x1EF) return Odd(C) ? C - 1 : C;
    if (C == 0x1F2 || C == 0x1F3) return 0x1F1;
    if (C == 0x1F5) return 0x1F4;
    if (C >= 0x1F8 && C <= 0x21F) return Odd(C) ? C - 1 : C;
    if (C >= 0x222 && C <= 0x233) return Odd(C) ? C - 1 : C;
    return C;
  }
  if (C >= 0x370 && C <= 0x3FF) {
    if (C == 0x3C2) return 0x3A3;
    if (C >= 0x3B1 && C <= 0x3CB) return C - 0x20;
    if (C == 0x3AC) return 0x386;
    if (C >= 0x3AD && C <= 0x3AF) return C - 0x25;
    if (C == 0x3CC) return 0x38C;
    if (C >= 0x3CD && C <= 0x3CE) return C - 0x3F;
    if (C == 0x371 || C == 0x373 || C == 0x377) return C - 1;
    if (C >= 0x37B && C <= 0x37D) return C + 0x82;
    if (C == 0x3D7) return 0x3CF;
    if (C >= 0x3D8 && C <= 0x3EF) return Odd(C) ? C - 1 : C;
    return C;
  }
  if (C >= 0x400 && C <= 0x52F) {
    if (C >= 0x430 && C <= 0x44F) return C - 0x20;
    if (C >= 0x450 && C <= 0x45F) return C - 0x50;
    if (C >= 0x460 && C <= 0x481) return Odd(C) ? C - 1 : C;
    if (C >= 0x48A && C <= 0x4BF) return Odd(C) ? C - 1 : C;
    if (C == 0x4CF) return 0x4C0;
    if (C >= 0x4C1 && C <= 0x4CE) return Odd(C) ? C : C - 1;
    if (C >= 0x4D0 && C <= 0x52F) return Odd(C) ? C - 1 : C;
    return C;
  }
  if (C >= 0x561 && C <= 0x586) return C - 0x30;  // Armenian
  if (C >= 0x1E00 && C <= 0x1E95) return Odd(C) ? C - 1 : C;
  if (C >= 0x1EA0 && C <= 0x1EFF) return Odd(C) ? C - 1 : C;
  if (C >= 0xFF41 && C <= 0xFF5A) return C - 0x20;  // full-width Latin
  return C;
}

uint32_t UnicodeToLower(uint32_t C) {
  if (C < 0x80) return AsciiLower(C);
  if (C < 0x250) {
    if (C >= 0xC0 && C <= 0xDE && C != 0xD7) return C + 0x20;
    if (C == 0x178) return 0xFF;
    if (C >= 0x100 && C <= 0x12F) return Odd(C) ? C : C + 1;
    if (C == 0x130) return 'i';
    if (C >= 0x132 && C <= 0x137) return Odd(C) ? C : C + 1;
    if (C >= 0x139 && C <= 0x148) return Odd(C) ? C + 1 : C;
    if (C >= 0x14A && C <= 0x177) return Odd(C) ? C : C + 1;
    if (C >= 0x179 && C <= 0x17E) return Odd(C) ? C + 1 : C;
    if (C == 0x1C4 || C == 0x1C5) return 0x1C6;
    if (C == 0x1C7 || C == 0x1C8) return 0x1C9;
    if (C == 0x1CA || C == 0x1CB) return 0x1CC;
    if (C >= 0x1CD && C <= 0x1DC) return Odd(C) ? C + 1 : C;
    if (C >= 0x1DE && C <= 0x1EF) return Odd(C) ? C : C + 1;
    if (C == 0x1F1 || C == 0x1F2) return 0x1F3;
    if (C == 0x1F4) return 0x1F5;
    if (C >= 0x1F8 && C <= 0x21F) return Odd(C) ? C : C + 1;
    if (C >= 0x222 && C <= 0x233) return Odd(C) ? C : C + 1;
    return C;
  }
  if (C >= 0x370 && C <= 0x3FF) {
    if (C >= 0x391 && C <= 0x3AB && C != 0x3A2) return C + 0x20;
    if (C == 0x386) return 0x3AC;
    if (C >= 0x388 && C <= 0x38A) return C + 0x25;
    if (C == 0x38C) return 0x3CC;
    if (C >= 0x38E && C <= 0x38F) return C + 0x3F;
    if (C == 0x370 || C == 0x372 || C == 0x376) return C + 1;
    if (C >= 0x3FD) return C - 0x82;
    if (C == 0x3CF) return 0x3D7;
    if (C >= 0x3D8 && C <= 0x3EF) return Odd(C) ? C : C + 1;
    return C;
  }
  if (C >= 0x400 && C <= 0x52F) {
    if (C >= 0x410 && C <= 0x42F) return C + 0x20;
    if (C >= 0x400 && C <= 0x40F) return C + 0x50;
    if (C >= 0x460 && C <= 0x481) return Odd(C) ? C : C + 1;
    if (C >= 0x48A && C <= 0x4BF) return Odd(C) ? C : C + 1;
    if (C == 0x4C0) return 0x4CF;
    if (C >= 0x4C1 && C <= 0x4CE) return Odd(C) ? C + 1 : C;
    if (C >= 0x4D0 && C <= 0x52F) return Odd(C) ? C : C + 1;
    return C;
  }
  if (C >= 0x531 && C <= 0x556) return C + 0x30;  // Armenian
  if (C >= 0x1E00 && C <= 0x1E95) return Odd(C) ? C : C + 1;
  if (C == 0x1E9E) return 0xDF;
  if (C >= 0x1EA0 && C <= 0x1EFF) return Odd(C) ? C : C + 1;
  if (C >= 0xFF21 && C <= 0xFF3A) return C + 0x20;
  return C;
}

std::string AnsiUpperCase(const std::string& S) { return MapText(S, UnicodeToUpper); }
std::string AnsiLowerCase(const std::string& S) { return MapText(S, UnicodeToLower); }

// --- comparison ----------------------------------------------------------

int CompareStr(const std::string& A, const std::string& B) {
  const int R = A.compare(B);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

int CompareText(const std::string& A, const std::string& B) {
  const size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    const auto Ca = AsciiUpper(static_cast<unsigned char>(A[I]));
    const auto Cb = AsciiUpper(static_cast<unsigned char>(B[I]));
    if (Ca != Cb) return Ca < Cb ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

int AnsiCompareText(const std::string& A, const std::string& B) {
  return CompareFolded(A, B, UnicodeToUpper);
}

bool SameText(const std::string& A, const std::string& B) {
  return A.size() == B.size() && CompareText(A, B) == 0;
}

bool AnsiSameText(const std::string& A, const std::string& B) {
  return AnsiCompareText(A, B) == 0;
}

// --- positions -----------------------------------------------------------

int Pos(const std::string& Sub, const std::string& S, int Offset) {
  if (Sub.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
  const size_t P = S.find(Sub, static_cast<size_t>(Offset - 1));
  return P == std::string::npos ? 0 : static_cast<int>(P) + 1;
}

std::string Copy(const std::string& S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return std::string();
  return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Delete(std::string& S, int Index, int Count) {
  if (Index < 1 || Count <= 0 || static_cast<size_t>(Index) > S.size()) return;
  S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Insert(const std::string& Sub, std::string& S, int Index) {
  if (Index < 1) Index = 1;
  const size_t At = std::min(static_cast<size_t>(Index - 1), S.size());
  S.insert(At, Sub);
}

int Utf8Length(const std::string& S) {
  int N = 0;
  for (size_t I = 0; I < S.size(); ++N) {
    uint32_t Cp;
    I += static_cast<size_t>(Utf8Decode(S.data() + I, S.size() - I, Cp));
  }
  return N;
}

int Utf8Pos(const std::string& Sub, const std::string& S) {
  if (Sub.empty()) return 0;
  // Walk character starts so a match inside a character is never reported.
  int N = 1;
  for (size_t I = 0; I < S.size(); ++N) {
    if (S.compare(I, Sub.size(), Sub) == 0) return N;
    uint32_t Cp;
    I += static_cast<size_t>(Utf8Decode(S.data() + I, S.size() - I, Cp));
  }
  return 0;
}

std::string Utf8Copy(const std::string& S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0) return std::string();
  const size_t B = Utf8Offset(S, Index);
  size_t E = B;
  for (int C = 0; C < Count && E < S.size(); ++C) {
    uint32_t Cp;
    E += static_cast<size_t>(Utf8Decode(S.data() + E, S.size() - E, Cp));
  }
  return S.substr(B, E - B);
}

bool IsValidUtf8(const std::string& S) {
  for (size_t I = 0; I < S.size();) {
    uint32_t Cp;
    I += static_cast<size_t>(Utf8Decode(S.data() + I, S.size() - I, Cp));
    if (Cp == kInvalidCp) return false;
  }
  return true;
}

std::string StringOfChar(char C, int Count) {
  return Count > 0 ? std::string(static_cast<size_t>(Count), C) : std::string();
}

namespace {
// Byte length of the match of Sub at S[I] ignoring Unicode case; 0 when none.
size_t MatchIgnoreCase(const std::string& S, size_t I, const std::string& Sub) {
  size_t J = 0, K = I;
  while (J < Sub.size()) {
    if (K >= S.size()) return 0;
    uint32_t Ca, Cb;
    const int La = Utf8Decode(S.data() + K, S.size() - K, Ca);
    const int Lb = Utf8Decode(Sub.data() + J, Sub.size() - J, Cb);
    if (Ca == kInvalidCp || Cb == kInvalidCp) {
      if (S[K] != Sub[J]) return 0;
    } else if (UnicodeToUpper(Ca) != UnicodeToUpper(Cb)) {
      return 0;
    }
    K += static_cast<size_t>(La);
    J += static_cast<size_t>(Lb);
  }
  return K - I;
}
}  // namespace

std::string StringReplaceAll(const std::string& S, const std::string& From,
                             const std::string& To, bool IgnoreCase) {
  if (From.empty()) return S;
  std::string Out;
  Out.reserve(S.size());
  if (!IgnoreCase) {
    size_t I = 0;
    for (;;) {
      const size_t P = S.find(From, I);
      if (P == std::string::npos) break;
      Out.append(S, I, P - I);
      Out += To;
      I = P + From.size();
    }
    Out.append(S, I, std::string::npos);
    return Out;
  }
  for (size_t I = 0; I < S.size();) {
    const size_t M = MatchIgnoreCase(S, I, From);
    if (M > 0) {
      Out += To;
      I += M;
      continue;
    }
    uint32_t Cp;
    const int L = Utf8Decode(S.data() + I, S.size() - I, Cp);
    Out.append(S, I, static_cast<size_t>(L));
    I += static_cast<size_t>(L);
  }
  return Out;
}

std::string QuotedStr(const std::string& S) {
  std::string R = "'";
  for (char C : S) {
    R += C;
    if (C == '\'') R += '\'';
  }
  R += '\'';
  return R;
}

// --- integers --------------------------------------------------------------

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(int64_t Value, int Digits) {
  // A negative value that fits in 32 bits prints as the 32-bit pattern, as
  // the classic Integer overload does.
  uint64_t U = static_cast<uint64_t>(Value);
  if (Value < 0 && Value >= INT32_MIN) U &= 0xFFFFFFFFull;
  char Buf[20];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, U, 16);
  std::string S(Buf, R.ptr);
  for (char& C : S) C = static_cast<char>(AsciiUpper(static_cast<unsigned char>(C)));
  if (static_cast<int>(S.size()) < Digits) S.insert(0, static_cast<size_t>(Digits) - S.size(), '0');
  return S;
}

namespace {

// Bits = 32 or 64. Hexadecimal values take the full unsigned range of the
// width and wrap, as the classic Val does ("$FFFFFFFF" is -1 as an Integer).
bool ParseInteger(const std::string& Text, int Bits, int64_t& Value) {
  const std::string S = Trim(Text);
  size_t I = 0;
  bool Neg = false;
  if (I < S.size() && (S[I] == '+' || S[I] == '-')) Neg = S[I++] == '-';
  bool Hex = false;
  if (I < S.size() && S[I] == '$') {
    Hex = true;
    ++I;
  } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Hex = true;
    I += 2;
  }
  if (I >= S.size()) return false;
  uint64_t U = 0;
  if (Hex) {
    const uint64_t Max = Bits == 32 ? 0xFFFFFFFFull : ~0ull;
    for (; I < S.size(); ++I) {
      const char C = S[I];
      int D;
      if (C >= '0' && C <= '9') D = C - '0';
      else if (C >= 'a' && C <= 'f') D = C - 'a' + 10;
      else if (C >= 'A' && C <= 'F') D = C - 'A' + 10;
      else return false;
      if (U > (Max - static_cast<uint64_t>(D)) / 16) return false;
      U = U * 16 + static_cast<uint64_t>(D);
    }
    int64_t V = Bits == 32 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(U)))
                           : static_cast<int64_t>(U);
    Value = Neg ? static_cast<int64_t>(0ull - static_cast<uint64_t>(V)) : V;
    if (Bits == 32) Value = static_cast<int32_t>(Value);
    return true;
  }
  const uint64_t Limit = Bits == 32 ? (Neg ? 0x80000000ull : 0x7FFFFFFFull)
                                    : (Neg ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull);
  for (; I < S.size(); ++I) {
    const char C = S[I];
    if (C < '0' || C > '9') return false;
    const auto D = static_cast<uint64_t>(C - '0');
    if (U > (Limit - D) / 10) return false;
    U = U * 10 + D;
  }
  Value = Neg ? static_cast<int64_t>(0ull - U) : static_cast<int64_t>(U);
  return true;
}

[[noreturn]] void InvalidInteger(const std::string& S) {
  throw EConvertError("'" + S + "' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(const std::string& S, int& Value) {
  int64_t V;
  if (!ParseInteger(S, 32, V)) return false;
  Value = static_cast<int>(V);
  return true;
}

bool TryStrToInt64(const std::string& S, int64_t& Value) { return ParseInteger(S, 64, Value); }

int StrToInt(const std::string& S) {
  int V;
  if (!TryStrToInt(S, V)) InvalidInteger(S);
  return V;
}

int64_t StrToInt64(const std::string& S) {
  int64_t V;
  if (!TryStrToInt64(S, V)) InvalidInteger(S);
  return V;
}

int StrToIntDef(const std::string& S, int Default) {
  int V;
  return TryStrToInt(S, V) ? V : Default;
}

int64_t StrToInt64Def(const std::string& S, int64_t Default) {
  int64_t V;
  return TryStrToInt64(S, V) ? V : Default;
}

// --- floats ----------------------------------------------------------------

namespace {

locale_t CLocale() {
  static locale_t L = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return L;
}

}  // namespace

bool TryStrToFloat(const std::string& Text, double& Value, const TFormatSettings& Settings) {
  const std::string S = Trim(Text);
  std::string C;  // the number rewritten for the C locale
  C.reserve(S.size());
  size_t I = 0;
  if (I < S.size() && (S[I] == '+' || S[I] == '-')) C += S[I++];
  int Digits = 0;
  while (I < S.size() && S[I] >= '0' && S[I] <= '9') C += S[I++], ++Digits;
  if (I < S.size() && S[I] == Settings.DecimalSeparator) {
    C += '.';
    ++I;
    while (I < S.size() && S[I] >= '0' && S[I] <= '9') C += S[I++], ++Digits;
  }
  if (Digits == 0) return false;
  if (I < S.size() && (S[I] == 'e' || S[I] == 'E')) {
    C += 'e';
    ++I;
    if (I < S.size() && (S[I] == '+' || S[I] == '-')) C += S[I++];
    int ExpDigits = 0;
    while (I < S.size() && S[I] >= '0' && S[I] <= '9') C += S[I++], ++ExpDigits;
    if (ExpDigits == 0) return false;
  }
  if (I != S.size()) return false;
  errno = 0;
  char* End = nullptr;
  const double V = strtod_l(C.c_str(), &End, CLocale());
  if (End != C.c_str() + C.size()) return false;
  if (errno == ERANGE && std::isinf(V)) return false;  // overflow
  Value = V;
  return true;
}

bool TryStrToFloat(const std::string& S, double& Value) {
  return TryStrToFloat(S, Value, FormatSettings());
}

double StrToFloat(const std::string& S, const TFormatSettings& Settings) {
  double V;
  if (!TryStrToFloat(S, V, Settings))
    throw EConvertError("'" + S + "' is not a valid floating point value");
  return V;
}

double StrToFloat(const std::string& S) { return StrToFloat(S, FormatSettings()); }

double StrToFloatDef(const std::string& S, double Default) {
  double V;
  return TryStrToFloat(S, V) ? V : Default;
}

namespace tandrel::detail {

TDecimal FloatToDecimal(double Value, int Precision, int Decimals, int Significant) {
  TDecimal R;
  R.Negative = std::signbit(Value);
  if (std::isnan(Value)) {
    R.Special = 1;
    return R;
  }
  if (std::isinf(Value)) {
    R.Special = 2;
    return R;
  }
  if (Value == 0) return R;
  Significant = std::clamp(Significant, 1, 17);
  char Buf[40];
  auto Res = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(Value), std::chars_format::scientific,
                           Significant - 1);
  std::string Txt(Buf, Res.ptr);  // d.ddde+XX
  const size_t E = Txt.find('e');
  std::string Digits;
  for (size_t I = 0; I < E; ++I)
    if (Txt[I] != '.') Digits += Txt[I];
  int Exponent = std::atoi(Txt.c_str() + E + 1) + 1;
  // Round to the wanted number of digits, half away from zero.
  long Keep = std::min<long>(Precision, static_cast<long>(Exponent) + Decimals);
  if (Keep < static_cast<long>(Digits.size())) {
    if (Keep < 0) {
      Digits.clear();
    } else {
      const bool Up = Digits[static_cast<size_t>(Keep)] >= '5';
      Digits.resize(static_cast<size_t>(Keep));
      if (Up) {
        int I = static_cast<int>(Keep) - 1;
        for (; I >= 0; --I) {
          if (Digits[static_cast<size_t>(I)] == '9') {
            Digits[static_cast<size_t>(I)] = '0';
          } else {
            ++Digits[static_cast<size_t>(I)];
            break;
          }
        }
        if (I < 0) {
          Digits.insert(Digits.begin(), '1');
          ++Exponent;
          if (static_cast<long>(Digits.size()) > std::max<long>(Keep, 1)) Digits.pop_back();
        }
      }
    }
  }
  while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
  if (Digits.empty()) {
    R.Exponent = 0;
    return R;  // rounded to zero; Negative kept for the caller to ignore
  }
  R.Digits = Digits;
  R.Exponent = Exponent;
  return R;
}

std::string GroupThousands(const std::string& IntDigits, char Separator) {
  std::string R;
  const size_t N = IntDigits.size();
  for (size_t I = 0; I < N; ++I) {
    R += IntDigits[I];
    const size_t Left = N - 1 - I;
    if (Left > 0 && Left % 3 == 0) R += Separator;
  }
  return R;
}

}  // namespace tandrel::detail

using tandrel::detail::FloatToDecimal;
using tandrel::detail::GroupThousands;
using tandrel::detail::TDecimal;

namespace {

std::string SpecialText(const TDecimal& D) {
  if (D.Special == 1) return "NAN";
  return D.Negative ? "-INF" : "INF";
}

std::string ExponentText(int Exp, int MinDigits, bool PlusSign) {
  std::string R;
  if (Exp < 0) R += '-';
  else if (PlusSign) R += '+';
  std::string N = std::to_string(Exp < 0 ? -Exp : Exp);
  if (static_cast<int>(N.size()) < MinDigits) N.insert(0, static_cast<size_t>(MinDigits) - N.size(), '0');
  return R + N;
}

// Scientific text of D: first digit, then (when there are more) the others.
std::string Scientific(const TDecimal& D, int MinDigitsAfter, int ExpDigits, bool PlusSign,
                       const TFormatSettings& Fs) {
  std::string Digits = D.Digits.empty() ? std::string("0") : D.Digits;
  if (static_cast<int>(Digits.size()) < MinDigitsAfter + 1)
    Digits.append(static_cast<size_t>(MinDigitsAfter + 1) - Digits.size(), '0');
  std::string R;
  if (D.Negative && !D.Digits.empty()) R += '-';
  R += Digits[0];
  if (Digits.size() > 1) {
    R += Fs.DecimalSeparator;
    R.append(Digits, 1, std::string::npos);
  }
  R += 'E';
  R += ExponentText(D.Digits.empty() ? 0 : D.Exponent - 1, ExpDigits, PlusSign);
  return R;
}

// Fixed text: integer part and exactly Decimals digits after the point.
std::string Fixed(const TDecimal& D, int Decimals, bool Group, const TFormatSettings& Fs) {
  std::string IntPart, Frac;
  const int E = D.Exponent;
  const auto& G = D.Digits;
  if (G.empty() || E <= 0) {
    IntPart = "0";
  } else {
    for (int I = 0; I < E; ++I)
      IntPart += I < static_cast<int>(G.size()) ? G[static_cast<size_t>(I)] : '0';
  }
  for (int I = 0; I < Decimals; ++I) {
    const int Idx = E + I;  // digit index in G
    Frac += (!G.empty() && Idx >= 0 && Idx < static_cast<int>(G.size())) ? G[static_cast<size_t>(Idx)]
                                                                        : '0';
  }
  std::string R;
  if (D.Negative && !G.empty()) R += '-';
  R += Group ? GroupThousands(IntPart, Fs.ThousandSeparator) : IntPart;
  if (Decimals > 0) {
    R += Fs.DecimalSeparator;
    R += Frac;
  }
  return R;
}

std::string General(double Value, int Precision, int ExpDigits, const TFormatSettings& Fs) {
  const TDecimal D = FloatToDecimal(Value, Precision, 9999, std::max(Precision, 15));
  if (D.Special) return SpecialText(D);
  if (D.Digits.empty()) return "0";
  if (D.Exponent > Precision || D.Exponent < -4)
    return Scientific(D, 0, ExpDigits, false, Fs);
  const int Decimals = std::max(0, static_cast<int>(D.Digits.size()) - D.Exponent);
  return Fixed(D, Decimals, false, Fs);
}

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Fs) {
  Precision = std::clamp(Precision, 1, 18);
  switch (Format) {
    case TFloatFormat::ffGeneral:
      return General(Value, std::min(Precision, 17), std::clamp(Digits, 0, 4), Fs);
    case TFloatFormat::ffExponent: {
      const int P = std::min(Precision, 17);
      const TDecimal D = FloatToDecimal(Value, P, 9999, std::max(P, 15));
      if (D.Special) return SpecialText(D);
      return Scientific(D, P - 1, std::clamp(Digits, 0, 4), true, Fs);
    }
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: {
      Digits = std::clamp(Digits, 0, 18);
      const TDecimal D = FloatToDecimal(Value, 15, Digits, 15);
      if (D.Special) return SpecialText(D);
      if (D.Exponent > Precision) return General(Value, std::min(Precision, 17), 0, Fs);
      std::string R = Fixed(D, Digits, Format != TFloatFormat::ffFixed, Fs);
      if (Format == TFloatFormat::ffCurrency && !Fs.CurrencyString.empty()) {
        if (!R.empty() && R[0] == '-') R.insert(1, Fs.CurrencyString);
        else R.insert(0, Fs.CurrencyString);
      }
      return R;
    }
  }
  return std::string();
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings());
}

std::string FloatToStr(double Value, const TFormatSettings& Settings) {
  return General(Value, 15, 0, Settings);
}

std::string FloatToStr(double Value) { return FloatToStr(Value, FormatSettings()); }

// --- FormatFloat -------------------------------------------------------------

namespace {

struct TPicToken {
  enum Kind { Digit0, DigitHash, Point, Literal, Exponent } K;
  std::string Text;       // Literal text; for Exponent: "E+" / "e-" ...
  int ExpDigits = 0;      // for Exponent: count of '0' after the sign
};

struct TPicture {
  std::vector<TPicToken> Tokens;
  bool Group = false;
  bool HasPoint = false;
  bool HasExponent = false;
  int IntSlots = 0;       // digit placeholders before the point
  int IntForced = 0;      // from the first '0' before the point to the point
  int FracSlots = 0;      // digit placeholders after the point
  int FracForced = 0;     // up to the last '0' after the point
};

TPicture ParsePicture(const std::string& S) {
  TPicture P;
  bool AfterPoint = false, AfterExp = false;
  int FirstZeroInt = -1;  // index among int slots
  for (size_t I = 0; I < S.size(); ++I) {
    const char C = S[I];
    if (C == '"' || C == '\'') {
      const size_t E = S.find(C, I + 1);
      const size_t End = E == std::string::npos ? S.size() : E;
      P.Tokens.push_back({TPicToken::Literal, S.substr(I + 1, End - I - 1)});
      I = End;
      continue;
    }
    if (!AfterExp && (C == '0' || C == '#')) {
      P.Tokens.push_back({C == '0' ? TPicToken::Digit0 : TPicToken::DigitHash, {}});
      if (AfterPoint) {
        ++P.FracSlots;
        if (C == '0') P.FracForced = P.FracSlots;
      } else {
        if (C == '0' && FirstZeroInt < 0) FirstZeroInt = P.IntSlots;
        ++P.IntSlots;
      }
      continue;
    }
    if (!AfterExp && C == '.' && !AfterPoint) {
      AfterPoint = true;
      P.HasPoint = true;
      P.Tokens.push_back({TPicToken::Point, {}});
      continue;
    }
    if (!AfterExp && C == ',') {
      if (!AfterPoint) P.Group = true;
      continue;
    }
    if (!AfterExp && (C == 'E' || C == 'e') && I + 1 < S.size() &&
        (S[I + 1] == '+' || S[I + 1] == '-')) {
      AfterExp = true;
      P.HasExponent = true;
      TPicToken T{TPicToken::Exponent, S.substr(I, 2)};
      I += 2;
      while (I < S.size() && S[I] == '0') ++T.ExpDigits, ++I;
      --I;
      P.Tokens.push_back(T);
      continue;
    }
    P.Tokens.push_back({TPicToken::Literal, std::string(1, C)});
  }
  P.IntForced = FirstZeroInt < 0 ? 0 : P.IntSlots - FirstZeroInt;
  return P;
}

// The sections of a picture split at ';' outside quotes.
std::vector<std::string> PictureSections(const std::string& S) {
  std::vector<std::string> R(1);
  char Quote = 0;
  for (char C : S) {
    if (Quote) {
      if (C == Quote) Quote = 0;
    } else if (C == '"' || C == '\'') {
      Quote = C;
    } else if (C == ';') {
      R.emplace_back();
      continue;
    }
    R.back() += C;
  }
  return R;
}

std::string ApplyPicture(const TPicture& P, double Value, bool WithSign,
                         const TFormatSettings& Fs) {
  std::string IntDigits, FracDigits;
  int Exp10 = 0;
  bool Zero;
  if (P.HasExponent) {
    const int Sig = std::max(1, P.IntSlots + P.FracSlots);
    const TDecimal D = FloatToDecimal(Value, std::min(Sig, 15), 9999, 15);
    Zero = D.Digits.empty();
    const int IntCount = P.IntSlots;  // digits placed before the point
    if (!Zero) Exp10 = D.Exponent - IntCount;
    std::string G = D.Digits;
    if (static_cast<int>(G.size()) < IntCount + P.FracSlots)
      G.append(static_cast<size_t>(IntCount + P.FracSlots) - G.size(), '0');
    IntDigits = G.substr(0, static_cast<size_t>(IntCount));
    FracDigits = G.substr(static_cast<size_t>(IntCount), static_cast<size_t>(P.FracSlots));
    while (!IntDigits.empty() && IntDigits[0] == '0') IntDigits.erase(0, 1);
  } else {
    const TDecimal D = FloatToDecimal(Value, 15, P.FracSlots, 15);
    Zero = D.Digits.empty();
    if (!Zero) {
      for (int I = 0; I < D.Exponent; ++I)
        IntDigits += I < static_cast<int>(D.Digits.size()) ? D.Digits[static_cast<size_t>(I)] : '0';
      for (int I = 0; I < P.FracSlots; ++I) {
        const int Idx = D.Exponent + I;
        FracDigits += (Idx >= 0 && Idx < static_cast<int>(D.Digits.size()))
                          ? D.Digits[static_cast<size_t>(Idx)]
                          : '0';
      }
    } else {
      FracDigits.assign(static_cast<size_t>(P.FracSlots), '0');
    }
  }
  // Trailing zeros after the point go, down to the forced places.
  while (static_cast<int>(FracDigits.size()) > P.FracForced && !FracDigits.empty() &&
         FracDigits.back() == '0')
    FracDigits.pop_back();
  // Forced leading zeros.
  if (static_cast<int>(IntDigits.size()) < P.IntForced)
    IntDigits.insert(0, static_cast<size_t>(P.IntForced) - IntDigits.size(), '0');

  std::string Out;
  if (WithSign && !Zero) Out += '-';
  const int N = static_cast<int>(IntDigits.size());
  int Slot = 0;      // int slot index
  int Emitted = 0;   // int digits emitted
  int FracSlot = 0;
  bool InFrac = false;
  auto EmitDigit = [&](char D) {
    Out += D;
    ++Emitted;
    const int Left = N - Emitted;
    if (P.Group && Left > 0 && Left % 3 == 0) Out += Fs.ThousandSeparator;
  };
  for (const TPicToken& T : P.Tokens) {
    switch (T.K) {
      case TPicToken::Digit0:
      case TPicToken::DigitHash:
        if (!InFrac) {
          // The first slot takes every digit the later slots cannot hold.
          const int SlotsLeft = P.IntSlots - Slot;  // including this one
          if (Slot == 0) {
            while (N - Emitted > SlotsLeft - 1 && Emitted < N) EmitDigit(IntDigits[static_cast<size_t>(Emitted)]);
          } else if (N - Emitted >= SlotsLeft) {
            EmitDigit(IntDigits[static_cast<size_t>(Emitted)]);
          }
          ++Slot;
        } else {
          if (FracSlot < static_cast<int>(FracDigits.size())) Out += FracDigits[static_cast<size_t>(FracSlot)];
          ++FracSlot;
        }
        break;
      case TPicToken::Point:
        if (P.IntSlots == 0)  // no slots before the point: the digits go here
          while (Emitted < N) EmitDigit(IntDigits[static_cast<size_t>(Emitted)]);
        InFrac = true;
        if (!FracDigits.empty()) Out += Fs.DecimalSeparator;
        break;
      case TPicToken::Literal:
        Out += T.Text;
        break;
      case TPicToken::Exponent: {
        if (P.IntSlots == 0)  // no int slots: the digits still need a home
          while (Emitted < N) EmitDigit(IntDigits[static_cast<size_t>(Emitted)]);
        Out += T.Text[0];
        Out += ExponentText(Exp10, T.ExpDigits, T.Text[1] == '+');
        break;
      }
    }
  }
  if (P.IntSlots == 0 && !P.HasExponent && !P.HasPoint)
    while (Emitted < N) EmitDigit(IntDigits[static_cast<size_t>(Emitted)]);
  return Out;
}

}  // namespace

std::string FormatFloat(const std::string& Picture, double Value, const TFormatSettings& Fs) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  if (Picture.empty()) return FloatToStr(Value, Fs);
  const auto Sections = PictureSections(Picture);
  auto Section = [&](size_t I) -> const std::string& {
    return (I < Sections.size() && !Sections[I].empty()) ? Sections[I] : Sections[0];
  };
  if (Value == 0 && Sections.size() > 2) return ApplyPicture(ParsePicture(Section(2)), 0, false, Fs);
  if (Value < 0 && Sections.size() > 1 && !Sections[1].empty())
    return ApplyPicture(ParsePicture(Sections[1]), -Value, false, Fs);
  return ApplyPicture(ParsePicture(Sections[0]), std::fabs(Value), Value < 0, Fs);
}

std::string FormatFloat(const std::string& Picture, double Value) {
  return FormatFloat(Picture, Value, FormatSettings());
}

// --- booleans -------------------------------------------------------------------

bool TryStrToBool(const std::string& S, bool& Value) {
  const std::string T = Trim(S);
  if (SameText(T, "True")) return Value = true, true;
  if (SameText(T, "False")) return Value = false, true;
  double D;
  if (TryStrToFloat(T, D)) return Value = D != 0, true;
  return false;
}

bool StrToBool(const std::string& S) {
  bool V;
  if (!TryStrToBool(S, V)) throw EConvertError("'" + S + "' is not a valid boolean value");
  return V;
}

bool StrToBoolDef(const std::string& S, bool Default) {
  bool V;
  return TryStrToBool(S, V) ? V : Default;
}

std::string BoolToStr(bool Value, bool UseBoolStrs) {
  if (UseBoolStrs) return Value ? "True" : "False";
  return Value ? "-1" : "0";
}
