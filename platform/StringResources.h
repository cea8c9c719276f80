// Loading the executable's string resources and formatting them.
#pragma once

#include <string>

namespace platform {

// String `id` of the executable's string table, or empty when it has none.
std::string LoadResourceString(unsigned id);

// printf-style formatting with one string argument: each "%s" becomes `argument` and
// "%%" becomes "%". The argument is inserted as it is, so a "%" in it stays a "%".
std::string FormatWithOneString(const std::string& format, const std::string& argument);

// Off Windows the string table is linked into the program rather than read from a
// resource section; the program hands it over before it starts.
struct StringResource {
  unsigned id;
  const char16_t* text;  // UTF-16, as a resource script holds it
};
void SetStringTable(const StringResource* table, std::size_t count);
const char16_t* FindStringResource(unsigned id);

}  // namespace platform
