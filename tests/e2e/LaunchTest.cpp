#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>

#include "tests/e2e/LauncherRun.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

::testing::AssertionResult ShowsMessage(const Start& start, const std::string& expectedText) {
  if (start.messages.size() != 1)
    return ::testing::AssertionFailure() << start.messages.size() << " messages; output:\n"
                                         << start.run.output;
  const Message& m = start.messages[0];
  if (m.caption != "ZintuPortable") return ::testing::AssertionFailure() << "caption " << m.caption;
  if (m.type != "0x30" && m.type != "00000030")
    return ::testing::AssertionFailure() << "type " << m.type;
  const bool matches =
      m.complete ? m.text == expectedText : expectedText.compare(0, m.text.size(), m.text) == 0;
  if (!matches)
    return ::testing::AssertionFailure() << "text\n" << m.text << "\nexpected\n" << expectedText;
  return ::testing::AssertionSuccess();
}

TEST(Launch, StartsTheBrowserWithoutArgumentsInTheLaunchersCurrentDirectory) {
  Package package;
  package.InstallBrowser(package.data() / "Zintu.exe");
  const fs::path elsewhere = package.temp().host() / "elsewhere";
  fs::create_directories(elsewhere);

  const Start start = package.Run(1, {"--private", "http://example.invalid/"}, elsewhere);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(start.run.descendantsDone);
  const std::string cwd = Programs::Get().underWine()
                              ? platform::testing::PlatformPath(elsewhere.string())
                              : elsewhere.string();
  EXPECT_EQ(start.browserStarts, std::vector<std::string>{"start args=0 cwd=" + cwd});
  EXPECT_TRUE(start.messages.empty()) << start.run.output;
  if (Programs::Get().underWine()) {
    ASSERT_EQ(start.shellOpens.size(), 1u);
    EXPECT_EQ(start.shellOpens[0],
              "00000000|open|" + package.rootAsSeen() + "ZintuData\\Zintu.exe||00000000|00000005");
  }
}

TEST(Launch, WithoutADataFolderTheMessageNamesItAndNothingStarts) {
  Package package;
  const Start start = package.Run(0);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(start.browserStarts.empty());
  EXPECT_TRUE(ShowsMessage(
      start, ExpectedMessage(package.rootAsSeen() + "ZintuData\\", package.codePage())));
  EXPECT_FALSE(fs::exists(package.data())) << "the launcher created the data folder";
}

TEST(Launch, APercentSignInTheRootIsShownAsItIs) {
  Package package("pkg 100%s %d");
  fs::create_directories(package.data());
  const Start start = package.Run(0);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(ShowsMessage(
      start, ExpectedMessage(package.rootAsSeen() + "ZintuData\\", package.codePage())));
}

TEST(Launch, AFolderNamedLikeTheBrowserCountsAsPresent) {
  Package package;
  fs::create_directories(package.data() / "Zintu.exe");
  const Start start = package.Run(0);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(start.messages.empty()) << start.run.output;
  if (Programs::Get().underWine()) {
    EXPECT_EQ(start.shellOpens.size(), 1u);
  }
}

// A package root whose name holds a double-byte character with the backslash as its trail
// byte (乗 in code page 936). Under Wine host names are UTF-8 and the launcher sees them in
// code page 936; natively the name's bytes are the launcher's own, under a GBK locale.
class DoubleByteRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine_) {
      try {
        std::locale gbk("zh_CN.GBK");
      } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no zh_CN.GBK locale here (locale-gen zh_CN.GBK)";
      }
      package_.SetLocale("zh_CN.GBK", 936);
    }
  }
  // The root as the launcher sees it in code page 936.
  std::string SeenRoot() const {
    const std::string root = package_.rootAsSeen();
    return wine_ ? root.substr(0, root.size() - 4) + "\x81\x5C\\" : root;
  }

  const bool wine_ = Programs::Get().underWine();
  Package package_{wine_ ? "pkg\xE4\xB9\x97" : "pkg\x81\x5C"};
};

TEST_F(DoubleByteRoot, StartsTheBrowser) {
  package_.InstallBrowser(package_.data() / "Zintu.exe");
  const Start start = package_.Run(1);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_EQ(start.browserStarts.size(), 1u) << start.run.output;
  EXPECT_TRUE(start.messages.empty()) << start.run.output;
  if (wine_) {
    ASSERT_EQ(start.shellOpens.size(), 1u);
    EXPECT_EQ(start.shellOpens[0],
              "00000000|open|" + SeenRoot() + "ZintuData\\Zintu.exe||00000000|00000005");
  }
}

TEST_F(DoubleByteRoot, NamesTheRightDataFolderInTheMessage) {
  const Start start = package_.Run(0);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(ShowsMessage(start, ExpectedMessage(SeenRoot() + "ZintuData\\", 936)));
}

}  // namespace
}  // namespace e2e
