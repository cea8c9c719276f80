#include "platform/StringResources.h"

#include "platform/Mbcs.h"
#include "platform/Services.h"

namespace platform {
namespace {
const StringResource* g_table = nullptr;
std::size_t g_count = 0;
}  // namespace

std::string LoadResourceString(unsigned id) {
  return CurrentServices().LoadStringA(id).value_or(std::string());
}

std::string FormatWithOneString(const std::string& format, const std::string& argument) {
  std::string result;
  for (std::size_t i = 0; i < format.size();) {
    if (IsLeadByte(static_cast<unsigned char>(format[i])) && i + 1 < format.size()) {
      result.append(format, i, 2);
      i += 2;
    } else if (format.compare(i, 2, "%s") == 0) {
      result += argument;
      i += 2;
    } else if (format.compare(i, 2, "%%") == 0) {
      result += '%';
      i += 2;
    } else {
      result += format[i++];
    }
  }
  return result;
}

void SetStringTable(const StringResource* table, std::size_t count) {
  g_table = table;
  g_count = count;
}

const char16_t* FindStringResource(unsigned id) {
  for (std::size_t i = 0; i < g_count; ++i) {
    if (g_table[i].id == id) return g_table[i].text;
  }
  return nullptr;
}

}  // namespace platform
