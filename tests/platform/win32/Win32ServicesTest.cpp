// The Windows backend on the real system: the few points where a forwarding mistake or
// the system's own behaviour would change what the launcher does.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/resources/LauncherStrings.h"
#include "platform/Services.h"
#include "platform/TestingHooks.h"
#include "tests/platform/win32/TestStrings.h"
#include "tests/support/CodePage.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::RealServices;

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Win32Services, SystemMessageEndsInCrLf) {
  const std::optional<std::string> text = RealServices().FormatSystemMessage(2);
  ASSERT_TRUE(text.has_value());
  EXPECT_GT(text->size(), 2u);
  EXPECT_TRUE(EndsWith(*text, "\r\n")) << *text;
}

TEST(Win32Services, NoSystemMessageForAnUnknownCode) {
  // The customer bit: no system message can exist for such a code.
  EXPECT_FALSE(RealServices().FormatSystemMessage(0x2000BEEFu).has_value());
}

TEST(Win32Services, CopyOntoAFileHeldOpenFailsWithSharingViolation) {
  testsupport::TempFolder folder;
  folder.WriteFile("source.txt", "new");
  folder.WriteFile("target.txt", "old");
  const std::string target = folder.path("target.txt");
  {
    const auto hold = platform::testing::HoldFileExclusively(target);
    ASSERT_NE(hold, nullptr);
    EXPECT_FALSE(RealServices().CopyFileA(folder.path("source.txt"), target, false));
    EXPECT_EQ(RealServices().GetLastError(), platform::kErrorSharingViolation);
  }
  EXPECT_EQ(folder.ReadFile("target.txt"), "old");
  // Released with the hold: the same copy now overwrites.
  EXPECT_TRUE(RealServices().CopyFileA(folder.path("source.txt"), target, false));
  EXPECT_EQ(folder.ReadFile("target.txt"), "new");
}

TEST(Win32Services, NoHoldOnAMissingFile) {
  testsupport::TempFolder folder;
  EXPECT_EQ(platform::testing::HoldFileExclusively(folder.path("absent")), nullptr);
}

// Every entry of a search, name -> attributes; the search is closed afterwards.
std::map<std::string, std::uint32_t> ListAll(const std::string& pattern) {
  std::map<std::string, std::uint32_t> entries;
  platform::FindData data;
  const platform::FindHandle handle = RealServices().FindFirstFileA(pattern, &data);
  if (handle == platform::kInvalidFindHandle) return entries;
  do {
    entries[data.fileName] = data.attributes;
  } while (RealServices().FindNextFileA(handle, &data));
  EXPECT_EQ(RealServices().GetLastError(), platform::kErrorNoMoreFiles);
  EXPECT_TRUE(RealServices().FindClose(handle));
  return entries;
}

TEST(Win32Services, StarDotStarListsEveryEntryAndTheDotFoldersAsFolders) {
  testsupport::TempFolder folder;
  folder.WriteFile("a.txt");
  folder.WriteFile("noext");
  folder.MakeFolder("sub");
  const auto entries = ListAll(folder.path() + "*.*");
  ASSERT_EQ(entries.size(), 5u);
  for (const char* name : {".", "..", "sub"}) {
    ASSERT_TRUE(entries.count(name)) << name;
    EXPECT_NE(entries.at(name) & platform::kAttributeDirectory, 0u) << name;
  }
  for (const char* name : {"a.txt", "noext"}) {
    ASSERT_TRUE(entries.count(name)) << name;
    EXPECT_EQ(entries.at(name) & platform::kAttributeDirectory, 0u) << name;
  }
}

TEST(Win32Services, SearchInAMissingFolderGivesTheInvalidHandle) {
  testsupport::TempFolder folder;
  platform::FindData data;
  EXPECT_EQ(RealServices().FindFirstFileA(folder.path("absent\\*.*"), &data),
            platform::kInvalidFindHandle);
  EXPECT_EQ(RealServices().GetLastError(), platform::kErrorPathNotFound);
}

TEST(Win32Services, StatFindsFilesAndFolders) {
  testsupport::TempFolder folder;
  folder.WriteFile("file");
  folder.MakeFolder("sub");
  EXPECT_EQ(RealServices().Stat(folder.path("file")), 0);
  EXPECT_EQ(RealServices().Stat(folder.path("sub")), 0);
  EXPECT_EQ(RealServices().Stat(folder.path("absent")), -1);
}

TEST(Win32Services, ModuleFileNameIsThisProgram) {
  char buffer[platform::kMaxPath] = {};
  const std::uint32_t length = RealServices().GetModuleFileNameA(buffer, sizeof buffer);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, sizeof buffer);
  EXPECT_TRUE(EndsWith(std::string(buffer, length), "\\platform_tests.exe")) << buffer;
}

TEST(Win32Services, LongStringResourceComesWhole) {
  EXPECT_EQ(RealServices().LoadStringA(IDS_TEST_LONG), std::string(IDS_TEST_LONG_TEXT));
  EXPECT_FALSE(RealServices().LoadStringA(IDS_TEST_MISSING).has_value());
}

TEST(Win32Services, LaunchMessageComesInTheChineseCodePage) {
  ZINTU_USE_CODE_PAGE(scope, 936);
  const std::optional<std::string> text = RealServices().LoadStringA(IDS_LAUNCH_FAILED);
  ASSERT_TRUE(text.has_value());
  // "启动" at the start and "海涵。" at the end, in GBK; CR LF and "%s" as they are.
  EXPECT_EQ(text->substr(0, 4), "\xC6\xF4\xB6\xAF");
  EXPECT_TRUE(EndsWith(*text, "\xBA\xA3\xBA\xAD\xA1\xA3"));
  EXPECT_NE(text->find("%s\r\n\r\n"), std::string::npos);
}

TEST(Win32Services, StandardLibraryPathsReachThePlatformInTheCodePage) {
  ZINTU_USE_CODE_PAGE(scope, 932);
  testsupport::TempFolder folder;
  // "表ソ" and "ソx", made by the standard library from UTF-16.
  const std::filesystem::path made = folder.host() / L"\u8868\u30BD";
  std::filesystem::create_directory(made);
  std::filesystem::create_directory(folder.host() / L"\u30BDx");
  const auto entries = ListAll(folder.path() + "*");
  EXPECT_TRUE(entries.count("\x95\x5C\x83\x5C"));
  EXPECT_TRUE(entries.count("\x83\x5Cx"));

  const std::string platformPath = platform::testing::PlatformPath(made.string());
  EXPECT_EQ(platformPath, folder.path() + "\x95\x5C\x83\x5C");
  // Not the name ending in "ソ": msvcrt's _stat (Wine's, at least) takes a last byte 0x5C
  // for a trailing backslash even when it is a trail byte, and finds nothing.
  EXPECT_EQ(RealServices().Stat(folder.path() + "\x83\x5Cx"), 0);
  // The standard library's narrow form of a path is UTF-8.
  const std::string hostPath = platform::testing::HostPath(platformPath);
  EXPECT_EQ(std::filesystem::path(std::u8string(hostPath.begin(), hostPath.end())), made);
}

}  // namespace
