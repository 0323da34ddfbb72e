#include "platform/core/Format.h"

#include <charconv>
#include <cstdint>

#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtilsInternal.h"

namespace {

std::string Hex(uint64_t U) {
  char Buf[20];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, U, 16);
  std::string S(Buf, R.ptr);
  for (char& C : S)
    if (C >= 'a' && C <= 'f') C = static_cast<char>(C - 32);
  return S;
}

class TFormatter {
 public:
  TFormatter(const std::string& Fmt, const Variant* Args, size_t Count, const TFormatSettings& Fs)
      : F_(Fmt), Args_(Args), Count_(Count), Fs_(Fs) {}

  std::string Run() {
    std::string Out;
    size_t I = 0;
    while (I < F_.size()) {
      const size_t P = F_.find('%', I);
      if (P == std::string::npos) {
        Out.append(F_, I, std::string::npos);
        break;
      }
      Out.append(F_, I, P - I);
      I = P + 1;
      if (I >= F_.size()) Fail();
      if (F_[I] == '%') {
        Out += '%';
        ++I;
        continue;
      }
      Directive(I, Out);
    }
    return Out;
  }

 private:
  [[noreturn]] void Fail() const {
    throw EConvertError("Format '" + F_ + "' invalid or incompatible with argument");
  }

  const Variant& NextArg() {
    if (ArgIndex_ >= Count_) Fail();
    return Args_[ArgIndex_++];
  }

  int IntArg() {
    const Variant& A = NextArg();
    if (!VarIsOrdinal(A) || A.VType() == varBoolean) Fail();
    const int64_t V = VarToInt64(A);
    if (V < INT32_MIN || V > INT32_MAX) Fail();
    return static_cast<int>(V);
  }

  // Digits or "*"; -1 when absent.
  bool Number(size_t& I, int& Value, bool& Star) {
    Star = false;
    if (I < F_.size() && F_[I] == '*') {
      Star = true;
      ++I;
      return true;
    }
    if (I >= F_.size() || F_[I] < '0' || F_[I] > '9') return false;
    int64_t V = 0;
    while (I < F_.size() && F_[I] >= '0' && F_[I] <= '9') {
      V = V * 10 + (F_[I++] - '0');
      if (V > 1000000) Fail();
    }
    Value = static_cast<int>(V);
    return true;
  }

  void Directive(size_t& I, std::string& Out) {
    int N = 0;
    bool Star = false;
    // [index ":"]
    const size_t Start = I;
    if (Number(I, N, Star) && I < F_.size() && F_[I] == ':') {
      if (Star) N = IntArg();
      if (N < 0) Fail();
      ArgIndex_ = static_cast<size_t>(N);
      ++I;
    } else {
      I = Start;
    }
    bool Left = false;
    if (I < F_.size() && F_[I] == '-') {
      Left = true;
      ++I;
    }
    int Width = 0;
    if (Number(I, N, Star)) {
      Width = Star ? IntArg() : N;
      if (Width < 0) {
        Left = true;
        Width = -Width;
      }
    }
    int Prec = -1;
    if (I < F_.size() && F_[I] == '.') {
      ++I;
      Prec = 0;
      if (Number(I, N, Star)) Prec = Star ? IntArg() : N;
      if (Prec < 0) Prec = -1;
    }
    if (I >= F_.size()) Fail();
    const char Type = static_cast<char>(F_[I] >= 'a' && F_[I] <= 'z' ? F_[I] - 32 : F_[I]);
    ++I;
    std::string Text = Convert(Type, Prec);
    const int W = tandrel::detail::AnsiWidth(Text);
    if (W < Width) {
      const std::string Pad(static_cast<size_t>(Width - W), ' ');
      Text = Left ? Text + Pad : Pad + Text;
    }
    Out += Text;
  }

  std::string Convert(char Type, int Prec) {
    switch (Type) {
      case 'D':
      case 'U':
      case 'X':
        return Integer(Type, Prec);
      case 'E':
      case 'F':
      case 'G':
      case 'N':
      case 'M':
        return Float(Type, Prec);
      case 'S': {
        const Variant& A = NextArg();
        const TVarType T = A.VType();
        if (T == varDispatch || T == varError || T == varUnknown || A.IsArray()) Fail();
        std::string S = VarToStr(A);
        if (Prec >= 0) S = tandrel::detail::AnsiTruncate(S, Prec);
        return S;
      }
      case 'P': {
        const Variant& A = NextArg();
        uint64_t Addr;
        if (A.VType() == varDispatch)
          Addr = reinterpret_cast<uintptr_t>(VarToDispatch(A));
        else if (VarIsOrdinal(A) && A.VType() != varBoolean)
          Addr = static_cast<uint64_t>(VarToInt64(A));
        else
          Fail();
        std::string H = Hex(Addr);
        return std::string(16 - H.size(), '0') + H;
      }
      default:
        Fail();
    }
  }

  std::string Integer(char Type, int Prec) {
    const Variant& A = NextArg();
    if (!VarIsOrdinal(A) || A.VType() == varBoolean) Fail();
    const int64_t V = VarToInt64(A);
    const bool Wide = A.VType() == varInt64;
    std::string Digits;
    bool Neg = false;
    if (Type == 'D') {
      Neg = V < 0;
      const uint64_t M = Neg ? 0ull - static_cast<uint64_t>(V) : static_cast<uint64_t>(V);
      Digits = std::to_string(M);
    } else {
      uint64_t U = static_cast<uint64_t>(V);
      if (!Wide) U &= 0xFFFFFFFFull;
      if (Type == 'U') {
        Digits = std::to_string(U);
      } else {
        Digits = Hex(U);
      }
    }
    if (Prec > 0 && static_cast<int>(Digits.size()) < Prec)
      Digits.insert(0, static_cast<size_t>(Prec) - Digits.size(), '0');
    return Neg ? "-" + Digits : Digits;
  }

  std::string Float(char Type, int Prec) {
    const Variant& A = NextArg();
    if (!VarIsFloat(A)) Fail();
    const double V = VarToDouble(A);
    switch (Type) {
      case 'E':
        return FloatToStrF(V, TFloatFormat::ffExponent, Prec < 0 ? 15 : Prec, 3, Fs_);
      case 'F':
        return FloatToStrF(V, TFloatFormat::ffFixed, 18, Prec < 0 ? 2 : Prec, Fs_);
      case 'G':
        return FloatToStrF(V, TFloatFormat::ffGeneral, Prec < 0 ? 15 : Prec, 0, Fs_);
      case 'N':
        return FloatToStrF(V, TFloatFormat::ffNumber, 18, Prec < 0 ? 2 : Prec, Fs_);
      default:
        return FloatToStrF(V, TFloatFormat::ffCurrency, 18, Prec < 0 ? Fs_.CurrencyDecimals : Prec,
                           Fs_);
    }
  }

  const std::string& F_;
  const Variant* Args_;
  size_t Count_;
  const TFormatSettings& Fs_;
  size_t ArgIndex_ = 0;
};

}  // namespace

std::string Format(const std::string& Fmt, const Variant* Args, size_t Count,
                   const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Count, Settings).Run();
}

std::string Format(const std::string& Fmt, std::initializer_list<Variant> Args) {
  return Format(Fmt, Args.begin(), Args.size(), FormatSettings());
}

std::string Format(const std::string& Fmt, const std::vector<Variant>& Args) {
  return Format(Fmt, Args.data(), Args.size(), FormatSettings());
}
