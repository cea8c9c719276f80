// What the disk-operation tests share: a temporary folder, the object under test, and a
// check that no operation leaves the process in another current directory.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "diskops/DiskOps.h"
#include "platform/Services.h"
#include "tests/support/TempFolder.h"

namespace testsupport {

inline std::string CurrentDirectory() {
  std::array<char, 1024> buffer{};
  const std::uint32_t length =
      platform::CurrentServices().GetCurrentDirectoryA(buffer.size(), buffer.data());
  return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

class DiskOpsTest : public ::testing::Test {
 protected:
  void SetUp() override { startDirectory_ = CurrentDirectory(); }
  void TearDown() override {
    EXPECT_EQ(CurrentDirectory(), startDirectory_) << "the current directory moved";
    platform::CurrentServices().SetCurrentDirectoryA(startDirectory_);
  }

  // The error text ends with " " + subject after a system error report.
  static ::testing::AssertionResult EndsWithSubject(const std::string& text,
                                                    const std::string& subject) {
    const std::string tail = " " + subject;
    if (text.size() > tail.size() &&
        text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << text << "\" does not end with \"" << tail << "\"";
  }

  const std::string& startDirectory() const { return startDirectory_; }

  TempFolder temp;
  CDiskOps ops;

 private:
  std::string startDirectory_;
};

}  // namespace testsupport
