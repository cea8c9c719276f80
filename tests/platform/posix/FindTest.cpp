// Folder searches: order, attributes, wildcards and the errors of a failed search.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/platform/posix/BackendFixture.h"

namespace posixtest {
namespace {

using Entry = std::pair<std::string, std::uint32_t>;

class FindTest : public BackendTest {
 protected:
  // Every entry of a search, or the error code of a search that did not start.
  std::vector<Entry> List(const std::string& pattern, std::uint32_t* error = nullptr) {
    std::vector<Entry> entries;
    platform::FindData data;
    const platform::FindHandle handle = services().FindFirstFileA(pattern, &data);
    if (handle == platform::kInvalidFindHandle) {
      if (error) *error = services().GetLastError();
      return entries;
    }
    do {
      entries.emplace_back(data.fileName, data.attributes);
    } while (services().FindNextFileA(handle, &data));
    EXPECT_EQ(services().GetLastError(), platform::kErrorNoMoreFiles);
    EXPECT_TRUE(services().FindClose(handle));
    return entries;
  }

  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    for (const Entry& entry : List(pattern)) names.push_back(entry.first);
    return names;
  }

  Scratch scratch_;
};

TEST_F(FindTest, ListsDotsFirstThenNamesInByteOrderWithAttributes) {
  WriteFile(scratch_.host("b"), "1");
  WriteFile(scratch_.host("B"), "2");
  WriteFile(scratch_.host("a.txt"), "3");
  WriteFile(scratch_.host("-dash"), "4");
  WriteFile(scratch_.host("locked"), "5");
  SetReadOnly(scratch_.host("locked"));
  fs::create_directory(scratch_.host("sub"));
  fs::create_directory_symlink(scratch_.host("sub"), scratch_.host("to-sub"));
  fs::create_symlink(scratch_.host("b"), scratch_.host("to-b"));
  fs::create_symlink(scratch_.host("gone"), scratch_.host("to-gone"));

  const std::vector<Entry> expected = {
      {".", 0x10},     {"..", 0x10},       {"-dash", 0x80},   {"B", 0x80},
      {"a.txt", 0x80}, {"b", 0x80},        {"locked", 0x01},  {"sub", 0x10},
      {"to-b", 0x400}, {"to-gone", 0x400}, {"to-sub", 0x410},
  };
  EXPECT_EQ(List(scratch_.win() + "\\*.*"), expected);
  EXPECT_EQ(List(scratch_.win() + "\\*"), expected);
}

TEST_F(FindTest, MatchesWildcardsByCharacterIgnoringAsciiCase) {
  for (const char* name : {"a.txt", "b.TXT", "abc", "ab", "noext", "x.tar.gz"}) {
    WriteFile(scratch_.host(name), "");
  }
  const std::string folder = scratch_.win() + "\\";
  const struct {
    const char* mask;
    std::vector<std::string> names;
  } cases[] = {
      {"*.txt", {"a.txt", "b.TXT"}},
      {"A*", {"a.txt", "ab", "abc"}},
      {"?b", {"ab"}},
      {"a?c", {"abc"}},
      {"*.gz", {"x.tar.gz"}},
      {"*t*", {"a.txt", "b.TXT", "noext", "x.tar.gz"}},
      {"noext", {"noext"}},
      {"*.*", {".", "..", "a.txt", "ab", "abc", "b.TXT", "noext", "x.tar.gz"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    EXPECT_EQ(Names(folder + c.mask), c.names);
  }
}

TEST_F(FindTest, AQuestionMarkTakesADoubleByteCharacterWhole) {
  ASSERT_TRUE(platform::testing::SetCodePage(932));
  const std::string so = "\x83\x5c";  // "ソ"
  WriteFile(scratch_.host(so + ".txt"), "");
  WriteFile(scratch_.host("ab.txt"), "");
  EXPECT_EQ(Names(scratch_.win() + "\\?.txt"), std::vector<std::string>{so + ".txt"});
  EXPECT_EQ(Names(scratch_.win() + "\\" + so + "*"), std::vector<std::string>{so + ".txt"});
}

TEST_F(FindTest, ARootListsDotsToo) {
  WriteFile(scratch_.host("top"), "");
  ASSERT_TRUE(platform::testing::MapDrive('R', scratch_.host().string()));
  EXPECT_EQ(Names("R:\\*.*"), (std::vector<std::string>{".", "..", "top"}));
  EXPECT_EQ(Names("R:/*.*"), (std::vector<std::string>{".", "..", "top"}));
}

TEST_F(FindTest, RelativePatternsSearchTheCurrentDirectory) {
  WriteFile(scratch_.host("sub/inner"), "");
  ASSERT_TRUE(services().SetCurrentDirectoryA(scratch_.win()));
  EXPECT_EQ(Names("sub\\in*"), std::vector<std::string>{"inner"});
  EXPECT_EQ(Names("sub/in*"), std::vector<std::string>{"inner"});
  ASSERT_TRUE(platform::testing::MapDrive('R', scratch_.host().string()));
  ASSERT_TRUE(services().SetCurrentDirectoryA("R:\\sub"));
  EXPECT_EQ(Names("R:in*"), std::vector<std::string>{"inner"});
  EXPECT_EQ(Names("in*"), std::vector<std::string>{"inner"});
}

TEST_F(FindTest, AFailedSearchTellsWhy) {
  WriteFile(scratch_.host("file"), "");
  const struct {
    std::string pattern;
    std::uint32_t error;
  } cases[] = {
      {scratch_.win() + "\\*.none", platform::kErrorFileNotFound},
      {scratch_.win() + "\\", platform::kErrorFileNotFound},
      {scratch_.win() + "\\missing\\*.*", platform::kErrorPathNotFound},
      {scratch_.win() + "\\file\\*.*", platform::kErrorPathNotFound},
      {"Q:\\*.*", platform::kErrorPathNotFound},
      {"\\\\nowhere\\share\\*.*", platform::kErrorBadNetPath},
      {scratch_.win() + "\\a*\\*.*", platform::kErrorInvalidName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    std::uint32_t error = 0;
    EXPECT_TRUE(List(c.pattern, &error).empty());
    EXPECT_EQ(error, c.error);
  }
}

TEST_F(FindTest, HandlesAreCheckedAndFreedOnce) {
  WriteFile(scratch_.host("only"), "");
  platform::FindData data;
  const platform::FindHandle handle = services().FindFirstFileA(scratch_.win("only"), &data);
  ASSERT_NE(handle, platform::kInvalidFindHandle);
  EXPECT_EQ(data.fileName, "only");
  EXPECT_EQ(data.attributes, platform::kAttributeNormal);
  EXPECT_FALSE(services().FindNextFileA(handle, &data));
  EXPECT_EQ(services().GetLastError(), platform::kErrorNoMoreFiles);
  EXPECT_FALSE(services().FindNextFileA(handle, &data));  // stays at the end
  EXPECT_TRUE(services().FindClose(handle));
  EXPECT_FALSE(services().FindClose(handle));
  EXPECT_FALSE(services().FindNextFileA(handle, &data));
  EXPECT_FALSE(services().FindClose(platform::kInvalidFindHandle));
}

}  // namespace
}  // namespace posixtest
