// The ANSI code page of the POSIX backend: taken once from the locale's character set,
// overridable by tests, and used for lead bytes and for converting string resources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// The code page for a locale's character set name as nl_langinfo(CODESET) gives it.
unsigned CodePageForCharset(std::string_view charset);

// The code page of the named locale's character set, or nothing when the host has no
// such locale.
std::optional<unsigned> CodePageForLocale(const std::string& localeName);

// The code page in force: the override, else the environment's locale (read once).
unsigned ActiveCodePage();
// False for code pages this backend does not know.
bool OverrideCodePage(unsigned codePage);

bool IsLeadByteIn(unsigned codePage, unsigned char byte);

// UTF-16 text converted to `codePage`; a character the code page lacks becomes '?'.
std::string FromUtf16(const char16_t* text, unsigned codePage);

}  // namespace platform::posix
