#include <gtest/gtest.h>

#include "platform/Mbcs.h"
#include "tests/support/CodePage.h"

namespace {

using platform::_mbscmp;
using platform::_splitpath;
using platform::FindLastBackslash;
using platform::PathPieces;
using testsupport::CharWithBackslashTrail;

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(MbsCompare, ComparesBytesCaseSensitively) {
  EXPECT_LT(_mbscmp("B", "a"), 0);
  EXPECT_EQ(_mbscmp("abc", "abc"), 0);
  EXPECT_LT(_mbscmp("ab", "abc"), 0);
  EXPECT_GT(_mbscmp("abd", "abc"), 0);
  EXPECT_EQ(_mbscmp("", ""), 0);
  EXPECT_GT(_mbscmp("\xE9", "z"), 0);  // bytes are unsigned
}

TEST(MbsCompareDbcs, ValuesADoubleByteCharacterAsLeadTimes256PlusTrail) {
  ZINTU_USE_CODE_PAGE(cp, 932);
  // 0x955C is greater than the single-byte 0xA1 (half-width katakana) although its lead
  // byte alone is smaller.
  EXPECT_GT(_mbscmp("\x95\x5C", "\xA1"), 0);
  EXPECT_LT(_mbscmp("\x83\x5C", "\x95\x5C"), 0);
  // The trail byte decides between two characters of one lead byte, and a character
  // equal to a prefix of another string still compares by what follows.
  EXPECT_LT(_mbscmp("\x95\x5C"
                    "a",
                    "\x95\x5D"),
            0);
  EXPECT_EQ(Sign(_mbscmp("\x95\x5C\\", "\x95\x5C\\")), 0);
}

TEST(LastBackslash, IsFoundByWholeCharacters) {
  EXPECT_EQ(FindLastBackslash("C:\\pkg\\x.exe"), 6u);
  EXPECT_EQ(FindLastBackslash("none"), std::string::npos);
  EXPECT_EQ(FindLastBackslash("\\"), 0u);
}

class DbcsCodePage : public ::testing::TestWithParam<unsigned> {};

TEST_P(DbcsCodePage, TrailBackslashIsNoSeparator) {
  ZINTU_USE_CODE_PAGE(cp, GetParam());
  const std::string c = CharWithBackslashTrail(GetParam());
  EXPECT_EQ(FindLastBackslash("C:\\pkg\\" + c), 6u);
  EXPECT_EQ(FindLastBackslash("C:\\" + c + c + "\\x"), 7u);
  EXPECT_EQ(FindLastBackslash(c), std::string::npos);

  const PathPieces pieces = _splitpath("C:\\" + c + "\\a" + c + ".txt");
  EXPECT_EQ(pieces.drive, "C:");
  EXPECT_EQ(pieces.folder, "\\" + c + "\\");
  EXPECT_EQ(pieces.name, "a" + c);
  EXPECT_EQ(pieces.extension, ".txt");

  std::string text = "a" + c + "/b";
  platform::ReplaceChar(text, '\\', '/');
  EXPECT_EQ(text, "a" + c + "/b");
}

INSTANTIATE_TEST_SUITE_P(CodePages, DbcsCodePage, ::testing::Values(932u, 936u),
                         [](const auto& info) { return "cp" + std::to_string(info.param); });

struct SplitCase {
  const char* path;
  const char* drive;
  const char* folder;
  const char* name;
  const char* extension;
};

class SplitPath : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPath, GivesTheFourPieces) {
  const SplitCase& c = GetParam();
  const PathPieces pieces = _splitpath(c.path);
  EXPECT_EQ(pieces.drive, c.drive);
  EXPECT_EQ(pieces.folder, c.folder);
  EXPECT_EQ(pieces.name, c.name);
  EXPECT_EQ(pieces.extension, c.extension);
  EXPECT_FALSE(pieces.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPath,
    ::testing::Values(SplitCase{"C:\\data\\new\\", "C:", "\\data\\new\\", "", ""},
                      SplitCase{"C:\\a\\b.txt", "C:", "\\a\\", "b", ".txt"},
                      SplitCase{"C:", "C:", "", "", ""}, SplitCase{"a:b", "a:", "", "b", ""},
                      SplitCase{"x\\y:z\\", "", "x\\y:z\\", "", ""},
                      SplitCase{"rel/dir.v2/file", "", "rel/dir.v2/", "file", ""},
                      SplitCase{"\\\\srv\\share\\", "", "\\\\srv\\share\\", "", ""},
                      SplitCase{"name.tar.gz", "", "", "name.tar", ".gz"},
                      SplitCase{".hidden", "", "", "", ".hidden"}, SplitCase{"", "", "", "", ""}));

TEST(SplitPath, CutsAPieceLongerThan255BytesAndSaysSo) {
  const PathPieces pieces = _splitpath("C:\\" + std::string(300, 'n') + ".e");
  EXPECT_EQ(pieces.name, std::string(255, 'n'));
  EXPECT_EQ(pieces.extension, ".e");
  EXPECT_TRUE(pieces.truncated);
  EXPECT_FALSE(_splitpath("C:\\" + std::string(255, 'n')).truncated);
}

TEST(SplitPathDbcs, NeverCutsADoubleByteCharacterInTwo) {
  ZINTU_USE_CODE_PAGE(cp, 932);
  const PathPieces pieces = _splitpath(std::string(254, 'n') + "\x95\x5C");
  EXPECT_EQ(pieces.name, std::string(254, 'n'));
  EXPECT_TRUE(pieces.truncated);
}

TEST(TrimWhiteSpace, CutsEveryKindFromBothEnds) {
  std::string text = " \t\n\v\f\rAccess is denied.\r\n";
  platform::TrimWhiteSpace(text);
  EXPECT_EQ(text, "Access is denied.");
  std::string inner = "a b";
  platform::TrimWhiteSpace(inner);
  EXPECT_EQ(inner, "a b");
  std::string blank = " \r\n";
  platform::TrimWhiteSpace(blank);
  EXPECT_EQ(blank, "");
}

}  // namespace
