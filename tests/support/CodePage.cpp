#include "tests/support/CodePage.h"

#include <cstdlib>

#include "platform/TestingHooks.h"

namespace testsupport {

CodePageScope::CodePageScope(unsigned codePage) : previous_(platform::testing::CodePage()) {
  if (previous_ == codePage) {
    active_ = true;
  } else if (platform::testing::SetCodePage(codePage)) {
    changed_ = true;
    active_ = true;
  }
}

CodePageScope::~CodePageScope() {
  if (changed_) platform::testing::SetCodePage(previous_);
}

std::string CharWithBackslashTrail(unsigned codePage) {
  switch (codePage) {
    case 932:
      return "\x95\x5C";  // 表
    case 936:
      return "\x81\x5C";  // 乗
    case 950:
      return "\xA5\x5C";  // 功
    default:
      return "";
  }
}

bool CodePageExpected(unsigned codePage) {
  const char* expected = std::getenv("ZINTU_EXPECT_CODE_PAGE");
  return expected != nullptr && std::strtoul(expected, nullptr, 10) == codePage;
}

}  // namespace testsupport
