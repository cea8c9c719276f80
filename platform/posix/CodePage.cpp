#include "platform/posix/CodePage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>

namespace platform::posix {
namespace {

constexpr unsigned kUtf8 = 65001;

// 0 means "not overridden".
std::atomic<unsigned> g_override{0};

std::string Canonical(std::string_view charset) {
  std::string name;
  for (char c : charset) {
    if (c == '-' || c == '_') continue;
    name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return name;
}

unsigned EnvironmentCodePage() {
  static const unsigned codePage = CodePageForLocale("").value_or(kUtf8);
  return codePage;
}

struct IconvNames {
  unsigned codePage;
  const char* names[2];  // most exact first; null when there is no second
};

constexpr IconvNames kIconvNames[] = {
    {932, {"CP932", "SHIFT_JIS"}}, {936, {"CP936", "GBK"}},     {949, {"CP949", "UHC"}},
    {950, {"CP950", "BIG5"}},      {1252, {"CP1252", nullptr}},
};

const IconvNames& NamesFor(unsigned codePage) {
  static constexpr IconvNames kUtf8Names = {kUtf8, {"UTF-8", nullptr}};
  for (const IconvNames& entry : kIconvNames) {
    if (entry.codePage == codePage) return entry;
  }
  return kUtf8Names;
}

class Converter {
 public:
  explicit Converter(unsigned codePage) {
    for (const char* name : NamesFor(codePage).names) {
      if (name == nullptr) break;
      handle_ = ::iconv_open(name, "UTF-32LE");
      if (handle_ != kNone) break;
    }
  }
  ~Converter() {
    if (handle_ != kNone) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // One character, or nothing when the code page has no such character.
  std::optional<std::string> Convert(char32_t character) {
    if (handle_ == kNone) return std::nullopt;
    unsigned char in[4];
    for (int i = 0; i < 4; ++i) in[i] = static_cast<unsigned char>(character >> (8 * i));
    char out[16];
    char* inPointer = reinterpret_cast<char*>(in);
    std::size_t inLeft = sizeof in;
    char* outPointer = out;
    std::size_t outLeft = sizeof out;
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    if (::iconv(handle_, &inPointer, &inLeft, &outPointer, &outLeft) ==
        static_cast<std::size_t>(-1))
      return std::nullopt;
    // Flushes a stateful encoding's shift back to the initial state.
    if (::iconv(handle_, nullptr, nullptr, &outPointer, &outLeft) == static_cast<std::size_t>(-1))
      return std::nullopt;
    return std::string(out, static_cast<std::size_t>(outPointer - out));
  }

 private:
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
  iconv_t handle_ = kNone;
};

}  // namespace

unsigned CodePageForCharset(std::string_view charset) {
  const std::string name = Canonical(charset);
  if (name == "GBK" || name == "GB2312" || name == "GB18030" || name == "CP936" || name == "EUCCN")
    return 936;
  if (name == "SHIFTJIS" || name == "SJIS" || name == "CP932" || name == "WINDOWS31J") return 932;
  if (name == "BIG5" || name == "BIG5HKSCS" || name == "CP950") return 950;
  if (name == "EUCKR" || name == "CP949" || name == "UHC") return 949;
  if (name == "ISO88591" || name == "CP1252" || name == "WINDOWS1252") return 1252;
  // UTF-8, ASCII and every other single-byte set: no lead bytes.
  return kUtf8;
}

std::optional<unsigned> CodePageForLocale(const std::string& localeName) {
  locale_t locale = ::newlocale(LC_CTYPE_MASK, localeName.c_str(), static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return std::nullopt;
  const unsigned codePage = CodePageForCharset(::nl_langinfo_l(CODESET, locale));
  ::freelocale(locale);
  return codePage;
}

unsigned ActiveCodePage() {
  const unsigned forced = g_override.load();
  return forced != 0 ? forced : EnvironmentCodePage();
}

bool OverrideCodePage(unsigned codePage) {
  static constexpr unsigned kKnown[] = {932, 936, 949, 950, 1252, kUtf8};
  if (std::find(std::begin(kKnown), std::end(kKnown), codePage) == std::end(kKnown)) return false;
  g_override.store(codePage);
  return true;
}

bool IsLeadByteIn(unsigned codePage, unsigned char byte) {
  switch (codePage) {
    case 932:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

std::string FromUtf16(const char16_t* text, unsigned codePage) {
  Converter converter(codePage);
  std::string result;
  for (const char16_t* p = text; *p != u'\0'; ++p) {
    char32_t character = *p;
    const bool high = character >= 0xD800 && character <= 0xDBFF;
    const bool low = character >= 0xDC00 && character <= 0xDFFF;
    if (high && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      character = 0x10000 + ((character - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (high || low) {
      result += '?';  // a lone surrogate is no character
      continue;
    }
    result += converter.Convert(character).value_or("?");
  }
  return result;
}

}  // namespace platform::posix
