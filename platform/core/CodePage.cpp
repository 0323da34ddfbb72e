#include "platform/core/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

#include "platform/core/SysUtils.h"
#include "platform/core/SysUtilsInternal.h"

namespace {

// The iconv name of a code page; nullptr for UTF-8 and unknown code pages
// (no conversion).
const char* CharsetOf(int CodePage) {
  switch (CodePage) {
    case CP_437:
      return "CP437";
    case CP_GBK:
      return "CP936";
    case CP_BIG5:
      return "CP950";
    case CP_UTF16LE:
      return "UTF-16LE";
    case CP_UTF16BE:
      return "UTF-16BE";
    case CP_1252:
      return "CP1252";
    default:
      return nullptr;  // 0, 1, 65001 and unknown: the ANSI code page, UTF-8
  }
}

// "?" in the target code page.
std::string Replacement(int CodePage) {
  if (CodePage == CP_UTF16LE) return std::string("?\0", 2);
  if (CodePage == CP_UTF16BE) return std::string("\0?", 2);
  return "?";
}

class TIconv {
 public:
  TIconv(const char* To, const char* From) : Cd_(iconv_open(To, From)) {}
  ~TIconv() {
    if (Ok()) iconv_close(Cd_);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool Ok() const { return Cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts In into Out; on a bad input sequence calls OnBad(Offset), which
  // appends a replacement and returns how many input bytes to skip (0 stops).
  template <class Fn>
  void Convert(const std::string& In, std::string& Out, Fn&& OnBad) {
    size_t Pos = 0;
    char Buffer[4096];
    while (Pos < In.size()) {
      char* InPtr = const_cast<char*>(In.data()) + Pos;
      size_t InLeft = In.size() - Pos;
      char* OutPtr = Buffer;
      size_t OutLeft = sizeof Buffer;
      const size_t R = iconv(Cd_, &InPtr, &InLeft, &OutPtr, &OutLeft);
      const int Err = errno;
      Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
      Pos = In.size() - InLeft;
      if (R != static_cast<size_t>(-1)) break;
      if (Err == E2BIG) continue;
      // EILSEQ (not a character here, or not held by the target) or EINVAL
      // (cut off at the end).
      iconv(Cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      const size_t Skip = OnBad(Pos);
      if (Err == EINVAL || Skip == 0) break;
      Pos += Skip;
    }
    char* OutPtr = Buffer;
    size_t OutLeft = sizeof Buffer;
    iconv(Cd_, nullptr, nullptr, &OutPtr, &OutLeft);
    Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
  }

 private:
  iconv_t Cd_;
};

}  // namespace

int GetACP() { return CP_UTF8; }

int GetSystemCodePage() {
  if (const char* Override = std::getenv("TANDREL_SYSTEM_CODEPAGE")) {
    int Value = 0;
    if (TryStrToInt(Override, Value) && Value > 0) return Value;
  }
  std::string Locale;
  for (const char* Name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* V = std::getenv(Name);
    if (V != nullptr && *V != '\0') {
      Locale = V;
      break;
    }
  }
  // language_TERRITORY before any ".codeset" or "@modifier".
  Locale = UpperCase(Locale.substr(0, Locale.find_first_of(".@")));
  for (char& C : Locale)
    if (C == '-') C = '_';
  if (Locale == "ZH_CN" || Locale == "ZH_SG") return CP_GBK;
  if (Locale == "ZH_TW" || Locale == "ZH_HK" || Locale == "ZH_MO") return CP_BIG5;
  return CP_1252;
}

bool IsCodePageKnown(int CodePage) {
  return CodePage == CP_ACP || CodePage == CP_OEMCP || CodePage == CP_UTF8 ||
         CharsetOf(CodePage) != nullptr;
}

std::string UnicodeToCodePageBytes(const std::string& Utf8, int CodePage) {
  const char* Charset = CharsetOf(CodePage);
  if (Charset == nullptr) return Utf8;
  TIconv Cd(Charset, "UTF-8");
  if (!Cd.Ok()) return Utf8;
  const std::string Bad = Replacement(CodePage);
  std::string Out;
  Out.reserve(Utf8.size());
  Cd.Convert(Utf8, Out, [&](size_t Offset) -> size_t {
    Out += Bad;
    // A whole character the target cannot hold, or one malformed byte.
    uint32_t Cp;
    return static_cast<size_t>(tandrel::detail::Utf8Decode(Utf8.data() + Offset, Utf8.size() - Offset, Cp));
  });
  return Out;
}

std::string CodePageBytesToUnicode(const std::string& Bytes, int CodePage) {
  const char* Charset = CharsetOf(CodePage);
  if (Charset == nullptr) return Bytes;
  TIconv Cd("UTF-8", Charset);
  if (!Cd.Ok()) return Bytes;
  const size_t Unit = (CodePage == CP_UTF16LE || CodePage == CP_UTF16BE) ? 2 : 1;
  std::string Out;
  Out.reserve(Bytes.size() * 2);
  Cd.Convert(Bytes, Out, [&](size_t) -> size_t {
    Out += '?';
    return Unit;
  });
  return Out;
}

int DoubleByteLength(const std::string& Utf8) { return tandrel::detail::AnsiWidth(Utf8); }
