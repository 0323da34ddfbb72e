#pragma once

// Internal helpers of the string-list, code-page, registry and INI units.
// They duplicate a few SysUtils routines (Trim, CompareText, CompareStr,
// IsValidUtf8, StrToIntDef, StrToFloatDef) so these units build before
// SysUtils is in; they live in a namespace of their own and are meant to be
// folded into SysUtils. Not for use outside platform/.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

namespace textbasics {

// Removes bytes <= ' ' at both ends (the classic Trim rule).
inline std::string Trim(const std::string& S) {
  size_t B = 0, E = S.size();
  while (B < E && static_cast<unsigned char>(S[B]) <= ' ') ++B;
  while (E > B && static_cast<unsigned char>(S[E - 1]) <= ' ') --E;
  return S.substr(B, E - B);
}

inline char UpperAscii(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }

inline std::string UpperAscii(const std::string& S) {
  std::string R = S;
  for (char& C : R) C = UpperAscii(C);
  return R;
}

// Byte order, <0 / 0 / >0 (CompareStr).
inline int CompareBytes(const std::string& A, const std::string& B) {
  int R = A.compare(B);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

// ASCII letters folded to upper case, other bytes by value (CompareText).
inline int CompareTextAscii(const std::string& A, const std::string& B) {
  const size_t N = A.size() < B.size() ? A.size() : B.size();
  for (size_t I = 0; I < N; ++I) {
    const unsigned char X = static_cast<unsigned char>(UpperAscii(A[I]));
    const unsigned char Y = static_cast<unsigned char>(UpperAscii(B[I]));
    if (X != Y) return X < Y ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

inline bool SameTextAscii(const std::string& A, const std::string& B) {
  return A.size() == B.size() && CompareTextAscii(A, B) == 0;
}

// Length of the well-formed UTF-8 sequence starting at S[Pos], 0 when the
// bytes there are not one (stray continuation byte, overlong form, surrogate,
// beyond U+10FFFF, or cut short).
inline size_t Utf8SequenceLength(const std::string& S, size_t Pos) {
  const auto At = [&](size_t I) { return static_cast<unsigned char>(S[I]); };
  if (Pos >= S.size()) return 0;
  const unsigned char C = At(Pos);
  if (C < 0x80) return 1;
  size_t N;
  unsigned char Lo = 0x80, Hi = 0xBF;  // allowed range of the second byte
  if (C >= 0xC2 && C <= 0xDF) {
    N = 2;
  } else if (C >= 0xE0 && C <= 0xEF) {
    N = 3;
    if (C == 0xE0) Lo = 0xA0;
    if (C == 0xED) Hi = 0x9F;
  } else if (C >= 0xF0 && C <= 0xF4) {
    N = 4;
    if (C == 0xF0) Lo = 0x90;
    if (C == 0xF4) Hi = 0x8F;
  } else {
    return 0;
  }
  if (Pos + N > S.size()) return 0;
  if (At(Pos + 1) < Lo || At(Pos + 1) > Hi) return 0;
  for (size_t I = 2; I < N; ++I)
    if (At(Pos + I) < 0x80 || At(Pos + I) > 0xBF) return 0;
  return N;
}

inline bool IsValidUtf8(const std::string& S) {
  for (size_t I = 0; I < S.size();) {
    const size_t N = Utf8SequenceLength(S, I);
    if (N == 0) return false;
    I += N;
  }
  return true;
}

// Integer text with the classic StrToInt rules: surrounding blanks, an optional
// sign, decimal digits or hexadecimal after "$" or "0x"; hexadecimal may use
// all 32 bits ("$FFFFFFFF" is -1). False when the text is not such a number
// or does not fit.
inline bool TryParseInteger(const std::string& Text, int& Value) {
  const std::string S = Trim(Text);
  size_t I = 0;
  bool Negative = false;
  if (I < S.size() && (S[I] == '+' || S[I] == '-')) Negative = S[I++] == '-';
  int Base = 10;
  if (I < S.size() && S[I] == '$') {
    Base = 16;
    ++I;
  } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I >= S.size()) return false;
  uint64_t N = 0;
  const char* First = S.data() + I;
  const char* Last = S.data() + S.size();
  auto [Ptr, Ec] = std::from_chars(First, Last, N, Base);
  if (Ec != std::errc() || Ptr != Last) return false;
  int64_t V;
  if (Base == 16) {
    if (N > 0xFFFFFFFFull) return false;
    V = static_cast<int32_t>(static_cast<uint32_t>(N));
  } else {
    if (N > 2147483648ull) return false;
    V = static_cast<int64_t>(N);
  }
  if (Negative) V = -V;
  if (V < INT32_MIN || V > INT32_MAX) return false;
  Value = static_cast<int>(V);
  return true;
}

// Floating-point text with "." as the decimal separator, exponent allowed,
// surrounding blanks allowed.
inline bool TryParseFloat(const std::string& Text, double& Value) {
  std::string S = Trim(Text);
  if (!S.empty() && S[0] == '+') S.erase(0, 1);
  if (S.empty()) return false;
  double V = 0;
  auto [Ptr, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
  if (Ec != std::errc() || Ptr != S.data() + S.size()) return false;
  Value = V;
  return true;
}

// Splits at CR LF, CR or LF; a last line without an end counts, an empty text
// has no lines (the classic TStrings.Text rule).
template <class Fn>
void ForEachLine(const std::string& S, Fn&& OnLine) {
  size_t P = 0;
  while (P < S.size()) {
    size_t Start = P;
    while (P < S.size() && S[P] != '\r' && S[P] != '\n') ++P;
    OnLine(S.substr(Start, P - Start));
    if (P < S.size() && S[P] == '\r') ++P;
    if (P < S.size() && S[P] == '\n') ++P;
  }
}

}  // namespace textbasics
