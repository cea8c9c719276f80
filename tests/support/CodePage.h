// Runs a test under a double-byte ANSI code page.
#pragma once

#include <string>

namespace testsupport {

// Makes `codePage` the ANSI code page for the life of the object where the backend lets
// tests choose it; elsewhere (Windows) it is active when the process already runs under it.
class CodePageScope {
 public:
  explicit CodePageScope(unsigned codePage);
  ~CodePageScope();
  CodePageScope(const CodePageScope&) = delete;
  CodePageScope& operator=(const CodePageScope&) = delete;

  bool active() const { return active_; }

 private:
  unsigned previous_;
  bool changed_ = false;
  bool active_ = false;
};

// A double-byte character whose trail byte is the backslash, in `codePage`.
std::string CharWithBackslashTrail(unsigned codePage);

}  // namespace testsupport

// Skips the test when the code page cannot be had here. A run that was started for that
// code page (ZINTU_EXPECT_CODE_PAGE set to it) fails instead, so it cannot pass unseen.
#define ZINTU_USE_CODE_PAGE(scope, codePage)                                \
  ::testsupport::CodePageScope scope(codePage);                             \
  if (!scope.active()) {                                                    \
    if (::testsupport::CodePageExpected(codePage))                          \
      FAIL() << "code page " << (codePage) << " expected but not in force"; \
    GTEST_SKIP() << "code page " << (codePage) << " not available here";    \
  }

namespace testsupport {
bool CodePageExpected(unsigned codePage);
}
