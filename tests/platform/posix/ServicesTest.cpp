// The remaining calls: errors and their texts, the module name, string resources,
// window texts, the error mode, the message box and starting a program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/StringResources.h"
#include "tests/platform/posix/BackendFixture.h"

namespace posixtest {
namespace {

class ServicesTest : public BackendTest {};

TEST_F(ServicesTest, SystemMessagesAreWindowsTextsEndingInCrLf) {
  const struct {
    std::uint32_t code;
    const char* text;
  } cases[] = {
      {0, "The operation completed successfully."},
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {5, "Access is denied."},
      {18, "There are no more files."},
      {19, "The media is write protected."},
      {32, "The process cannot access the file because it is being used by another process."},
      {53, "The network path was not found."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {112, "There is not enough space on the disk."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {145, "The directory is not empty."},
      {183, "Cannot create a file when that file already exists."},
      {206, "The filename or extension is too long."},
      {267, "The directory name is invalid."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(services().FormatSystemMessage(c.code), std::string(c.text) + "\r\n") << c.code;
  }
  EXPECT_EQ(services().FormatSystemMessage(99999), std::nullopt);
}

TEST_F(ServicesTest, EveryCodeTheBackendReportsHasAText) {
  // Provoke the failures of each call and check their codes can be put into words.
  Scratch scratch;
  WriteFile(scratch.host("file"), "");
  platform::FindData data;
  const auto check = [&](const char* what) {
    const std::uint32_t code = services().GetLastError();
    EXPECT_TRUE(services().FormatSystemMessage(code).has_value()) << what << " " << code;
  };
  services().FindFirstFileA(scratch.win("none*"), &data);
  check("find");
  services().FindNextFileA(platform::kInvalidFindHandle, &data);
  check("find next");
  services().CopyFileA(scratch.win("file"), scratch.win("file"), false);
  check("copy onto itself");
  services().CopyFileA(scratch.win("file"), scratch.win("file"), true);
  check("copy fail if exists");
  services().SetWindowTextA(nullptr, "x");
  check("window text");
  std::array<char, 4> small{};
  services().GetModuleFileNameA(small.data(), small.size());
  check("module name");
  services().RemoveDirectoryA(scratch.win("file"));
  check("remove folder");
}

TEST_F(ServicesTest, LastErrorBelongsToEachThread) {
  services().SetLastError(1234);
  std::uint32_t seen = 1;
  std::uint32_t ownAfterSet = 0;
  std::thread other([&] {
    seen = services().GetLastError();
    services().SetLastError(77);
    ownAfterSet = services().GetLastError();
  });
  other.join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(ownAfterSet, 77u);
  EXPECT_EQ(services().GetLastError(), 1234u);
}

TEST_F(ServicesTest, ModuleFileNameIsTheExecutableOnDriveZ) {
  const std::string expected =
      platform::testing::PlatformPath(fs::read_symlink("/proc/self/exe").string());
  ASSERT_EQ(expected.substr(0, 3), "Z:\\");
  std::array<char, 4096> buffer{};
  const std::uint32_t length = services().GetModuleFileNameA(buffer.data(), buffer.size());
  EXPECT_EQ(std::string(buffer.data(), length), expected);

  // Too small: cut to the size with the NUL in it, the size returned.
  std::string small(8, '#');
  EXPECT_EQ(services().GetModuleFileNameA(small.data(), 5), 5u);
  EXPECT_EQ(small, expected.substr(0, 4) + '\0' + "###");
  EXPECT_EQ(services().GetLastError(), 122u);
}

TEST_F(ServicesTest, ErrorModeReturnsThePreviousOne) {
  const unsigned original = services().SetErrorMode(0x8001);
  EXPECT_EQ(services().SetErrorMode(0x0002), 0x8001u);
  EXPECT_EQ(services().SetErrorMode(original), 0x0002u);
}

TEST_F(ServicesTest, WindowTextNeedsAWindow) {
  int window = 0;
  EXPECT_TRUE(services().SetWindowTextA(&window, "progress"));
  EXPECT_EQ(ErrorOf(services().SetWindowTextA(nullptr, "progress")), 1400u);
}

class StringResourceTest : public BackendTest {
 protected:
  StringResourceTest() { platform::SetStringTable(kTable, std::size(kTable)); }
  ~StringResourceTest() override { platform::SetStringTable(nullptr, 0); }

  static constexpr platform::StringResource kTable[] = {
      {1, u"启动 %s"}, {2, u"表ソ"}, {3, u"é€"}, {4, u""}, {5, u"a\U0001F600b"},
  };
};

TEST_F(StringResourceTest, ConvertsToTheCodePageWithQuestionMarksForTheRest) {
  const struct {
    unsigned codePage;
    unsigned id;
    const char* bytes;
  } cases[] = {
      {936, 1, "\xc6\xf4\xb6\xaf %s"},
      {932, 2, "\x95\x5c\x83\x5c"},
      {932, 1, "?? %s"},  // neither simplified character is in code page 932
      {1252, 3, "\xe9\x80"},
      {1252, 2, "??"},
      {65001, 3, "\xc3\xa9\xe2\x82\xac"},
      {65001, 5,
       "a\xf0\x9f\x98\x80"
       "b"},
      {936, 5, "a?b"},  // one character, one question mark
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + " #" + std::to_string(c.id));
    ASSERT_TRUE(platform::testing::SetCodePage(c.codePage));
    EXPECT_EQ(services().LoadStringA(c.id), std::string(c.bytes));
  }
}

TEST_F(StringResourceTest, MissingAndEmptyStringsAreNone) {
  EXPECT_EQ(services().LoadStringA(99), std::nullopt);
  EXPECT_EQ(services().LoadStringA(4), std::nullopt);
}

TEST_F(ServicesTest, MessageBoxWritesCaptionAndTextToStandardError) {
  ::testing::internal::CaptureStderr();
  const int result = services().MessageBoxA(nullptr, "line 1\r\nline 2", "ZintuPortable", 0x30);
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(written, "MessageBoxA owner=0 type=0x30 caption=ZintuPortable\nline 1\r\nline 2\n");

  int window = 0;
  ::testing::internal::CaptureStderr();
  services().MessageBoxA(&window, "t", "c", 0x10);
  const std::string owned = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(owned.rfind("MessageBoxA owner=0x", 0), 0u) << owned;
  EXPECT_NE(owned.find(" type=0x10 caption=c\nt\n"), std::string::npos) << owned;
}

TEST_F(ServicesTest, ShellOpenStartsTheProgramWithoutArgumentsInTheCurrentDirectory) {
  Scratch scratch;
  const fs::path fifo = scratch.host("report");
  ASSERT_EQ(std::system(("mkfifo '" + fifo.string() + "'").c_str()), 0);
  const fs::path program = scratch.host("app folder/program");
  WriteFile(program, "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$0\" \"$#\" \"$(pwd -P)\" > '" +
                         fifo.string() + "'\n");
  fs::permissions(program, fs::perms::owner_all);
  fs::create_directory(scratch.host("work"));
  ASSERT_TRUE(services().SetCurrentDirectoryA(scratch.win("work")));

  const std::intptr_t result = services().ShellExecuteA(
      nullptr, "open", scratch.win("app folder/program"), "", nullptr, platform::kSwShow);
  ASSERT_GT(result, 32);
  // Opening the pipe waits for the program to open its end: no timing involved.
  std::string report;
  std::getline(*std::make_unique<std::ifstream>(fifo), report);
  EXPECT_EQ(report, program.string() + "|0|" + scratch.host("work").string());
}

TEST_F(ServicesTest, ShellOpenFailuresAreSmallResults) {
  Scratch scratch;
  WriteFile(scratch.host("data.txt"), "not a program");
  fs::create_directory(scratch.host("folder"));
  EXPECT_EQ(services().ShellExecuteA(nullptr, "open", scratch.win("missing"), "", nullptr, 5), 2);
  EXPECT_EQ(services().ShellExecuteA(nullptr, "open", scratch.win("no/missing"), "", nullptr, 5),
            3);
  EXPECT_EQ(services().ShellExecuteA(nullptr, "open", "Q:\\x.exe", "", nullptr, 5), 3);
  EXPECT_LE(services().ShellExecuteA(nullptr, "open", scratch.win("data.txt"), "", nullptr, 5), 32);
  EXPECT_LE(services().ShellExecuteA(nullptr, "open", scratch.win("folder"), "", nullptr, 5), 32);
  EXPECT_LE(services().ShellExecuteA(nullptr, "print", "/bin/true", "", nullptr, 5), 32);
}

}  // namespace
}  // namespace posixtest
