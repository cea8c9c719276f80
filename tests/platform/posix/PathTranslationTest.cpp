// How Windows paths land on the host: drives, shares, relative and rooted paths, folding,
// and double-byte names whose trail byte is a backslash.
#include <gtest/gtest.h>

#include "tests/platform/posix/BackendFixture.h"

namespace posixtest {
namespace {

using platform::testing::HostPath;
using platform::testing::MapDrive;
using platform::testing::MapShare;
using platform::testing::PlatformPath;

class PathTranslationTest : public BackendTest {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.host("c/w/x"));
    fs::create_directories(scratch_.host("d/y"));
    fs::create_directories(scratch_.host("share"));
    ASSERT_TRUE(MapDrive('C', scratch_.host("c").string()));
    ASSERT_TRUE(MapDrive('d', scratch_.host("d").string()));
    ASSERT_TRUE(MapShare("srv", "pub", scratch_.host("share").string()));
    ASSERT_TRUE(services().SetCurrentDirectoryA("C:\\w\\x"));
  }

  Scratch scratch_;
};

struct Case {
  const char* given;
  const char* host;  // below the scratch folder
};

TEST_F(PathTranslationTest, ResolvesEachFormAgainstTheCurrentDirectory) {
  const Case cases[] = {
      {"C:\\a\\b", "c/a/b"},
      {"c:/a//b", "c/a/b"},
      {"C:\\a\\b\\", "c/a/b/"},
      {"C:foo", "c/w/x/foo"},  // the current directory is on C:
      {"D:foo", "d/foo"},      // D: is not: its root
      {"C:", "c/w/x"},
      {"\\foo", "c/foo"},  // rooted: the current drive
      {"/foo/bar", "c/foo/bar"},
      {"foo\\bar", "c/w/x/foo/bar"},  // relative
      {"", "c/w/x"},
      {".", "c/w/x"},
      {"..", "c/w"},
      {"..\\..\\..\\..\\up", "c/up"},  // no climbing above a root
      {".\\a\\.\\b\\..\\c", "c/w/x/a/c"},
      {"C:\\a\\\\\\b", "c/a/b"},
      {"\\\\srv\\pub\\doc", "share/doc"},
      {"\\\\SRV\\PUB\\doc", "share/doc"},  // server and share names ignore case
      {"//srv/pub/a/../b", "share/b"},
      {"\\\\srv\\pub\\..\\..", "share"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(HostPath(c.given), scratch_.host().string() + "/" + c.host);
  }
  EXPECT_EQ(HostPath("Z:\\tmp\\x"), "/tmp/x");
  EXPECT_EQ(HostPath("z:\\"), "/");
}

TEST_F(PathTranslationTest, RelativePathsFollowAShareAsCurrentDirectory) {
  ASSERT_TRUE(services().SetCurrentDirectoryA("\\\\srv\\pub\\"));
  EXPECT_EQ(CurrentDirectory(), "\\\\srv\\pub\\");
  EXPECT_EQ(HostPath("a"), scratch_.host("share/a").string());
  EXPECT_EQ(HostPath("\\a"), scratch_.host("share/a").string());
}

TEST_F(PathTranslationTest, UnmappedRootsAndIllegalNamesFail) {
  const struct {
    const char* folder;
    std::uint32_t error;
  } cases[] = {
      {"Q:\\new", platform::kErrorPathNotFound},
      {"Q:new", platform::kErrorPathNotFound},
      {"\\\\other\\pub\\new", platform::kErrorBadNetPath},
      {"\\\\srv\\private\\new", platform::kErrorBadNetPath},
      {"\\\\srv", platform::kErrorBadNetPath},
      {"C:\\a*b", platform::kErrorInvalidName},
      {"C:\\a?b", platform::kErrorInvalidName},
      {"x\\y:z", platform::kErrorInvalidName},
      {"C:\\a|b", platform::kErrorInvalidName},
      {"1:\\new", platform::kErrorInvalidName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(ErrorOf(services().CreateDirectoryA(c.folder)), c.error);
    EXPECT_EQ(HostPath(c.folder), "");
  }
}

TEST_F(PathTranslationTest, ATrailByteBackslashStaysInTheName) {
  const std::string hyou = "\x95\x5c";  // "表" in code page 932
  ASSERT_TRUE(platform::testing::SetCodePage(932));
  ASSERT_TRUE(services().CreateDirectoryA("C:\\" + hyou));
  ASSERT_TRUE(services().CreateDirectoryA("C:\\" + hyou + "\\" + hyou));
  EXPECT_TRUE(fs::is_directory(scratch_.host("c") / hyou / hyou));
  EXPECT_EQ(HostPath("C:\\" + hyou + "\\"), scratch_.host("c").string() + "/" + hyou + "/");
  EXPECT_EQ(HostPath("C:\\" + hyou), scratch_.host("c").string() + "/" + hyou);
  // A search splits its pattern at the last real backslash: the mask here is "表".
  platform::FindData data;
  const platform::FindHandle search = services().FindFirstFileA("C:\\" + hyou + "\\" + hyou, &data);
  ASSERT_NE(search, platform::kInvalidFindHandle);
  EXPECT_EQ(data.fileName, hyou);
  EXPECT_EQ(data.attributes, platform::kAttributeDirectory);
  services().FindClose(search);
  ASSERT_TRUE(services().SetCurrentDirectoryA("C:\\" + hyou + "\\" + hyou));
  EXPECT_EQ(CurrentDirectory(), "C:\\" + hyou + "\\" + hyou);

  // Without lead bytes the same bytes end a name at 0x5C.
  ASSERT_TRUE(platform::testing::SetCodePage(65001));
  EXPECT_EQ(HostPath("C:\\" + hyou + "x"), scratch_.host("c").string() + "/\x95/x");
}

TEST(PlatformPathTest, MapsHostPathsToDriveZ) {
  EXPECT_EQ(PlatformPath("/"), "Z:\\");
  EXPECT_EQ(PlatformPath("/tmp/x"), "Z:\\tmp\\x");
  EXPECT_EQ(PlatformPath("/tmp//x/"), "Z:\\tmp\\x\\");
  EXPECT_EQ(PlatformPath("/tmp/./y/../x"), "Z:\\tmp\\x");
  const std::string relative = PlatformPath("some/file");
  EXPECT_EQ(relative, PlatformPath(fs::current_path().string() + "/some/file"));
  EXPECT_EQ(HostPath(PlatformPath("/tmp/a b/c")), "/tmp/a b/c");
}

TEST_F(PathTranslationTest, CurrentDirectoryIsStoredInWindowsFormAndFollowedByTheHost) {
  ASSERT_TRUE(services().SetCurrentDirectoryA("C:/w/x/"));
  EXPECT_EQ(CurrentDirectory(), "C:\\w\\x");
  EXPECT_EQ(fs::current_path(), scratch_.host("c/w/x"));
  ASSERT_TRUE(services().SetCurrentDirectoryA(".."));
  EXPECT_EQ(CurrentDirectory(), "C:\\w");
  ASSERT_TRUE(services().SetCurrentDirectoryA("\\"));
  EXPECT_EQ(CurrentDirectory(), "C:\\");
  EXPECT_EQ(fs::current_path(), scratch_.host("c"));
  ASSERT_TRUE(services().SetCurrentDirectoryA(scratch_.win("d/y")));
  EXPECT_EQ(CurrentDirectory(), scratch_.win("d/y"));
}

TEST_F(PathTranslationTest, SetCurrentDirectoryRefusesWhatIsNoFolder) {
  WriteFile(scratch_.host("c/file"), "x");
  EXPECT_EQ(ErrorOf(services().SetCurrentDirectoryA("C:\\missing")), platform::kErrorFileNotFound);
  EXPECT_EQ(ErrorOf(services().SetCurrentDirectoryA("C:\\missing\\deeper")),
            platform::kErrorPathNotFound);
  EXPECT_EQ(ErrorOf(services().SetCurrentDirectoryA("C:\\file")), platform::kErrorDirectory);
  EXPECT_EQ(ErrorOf(services().SetCurrentDirectoryA("Q:\\")), platform::kErrorPathNotFound);
  EXPECT_EQ(CurrentDirectory(), "C:\\w\\x");
  EXPECT_EQ(fs::current_path(), scratch_.host("c/w/x"));
}

TEST_F(PathTranslationTest, GetCurrentDirectoryKeepsTheBufferContract) {
  const std::string current = "C:\\w\\x";
  const auto length = static_cast<std::uint32_t>(current.size());
  std::string buffer(32, '#');

  EXPECT_EQ(services().GetCurrentDirectoryA(length, buffer.data()), length + 1);
  EXPECT_EQ(buffer, std::string(32, '#'));  // untouched when it does not fit
  EXPECT_EQ(services().GetCurrentDirectoryA(0, nullptr), length + 1);

  EXPECT_EQ(services().GetCurrentDirectoryA(length + 1, buffer.data()), length);
  EXPECT_EQ(buffer.substr(0, length + 1), current + '\0');
  EXPECT_EQ(buffer[length + 1], '#');
}

TEST_F(PathTranslationTest, UnmappingLeavesNoCurrentDirectoryOnAVanishedDrive) {
  platform::testing::UnmapAll();
  const std::string current = CurrentDirectory();
  EXPECT_EQ(current.substr(0, 3), "Z:\\");
  EXPECT_EQ(HostPath(current), fs::current_path().string());
}

}  // namespace
}  // namespace posixtest
