// Our multibyte helpers against msvcrt's own, on the same inputs and the same code page.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <mbstring.h>
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/Mbcs.h"
#include "tests/support/CodePage.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::string Hex(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02X ", c);
    out += byte;
  }
  return out.empty() ? "(empty)" : out;
}

int MsvcrtCompare(const std::string& left, const std::string& right) {
  return ::_mbscmp(reinterpret_cast<const unsigned char*>(left.c_str()),
                   reinterpret_cast<const unsigned char*>(right.c_str()));
}

struct Pieces {
  std::string drive, folder, name, extension;
  bool operator==(const Pieces&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pieces& p) {
  return out << "drive [" << Hex(p.drive) << "] folder [" << Hex(p.folder) << "] name ["
             << Hex(p.name) << "] extension [" << Hex(p.extension) << "]";
}

Pieces MsvcrtSplit(const std::string& path) {
  char drive[_MAX_DRIVE] = {};
  char folder[_MAX_DIR] = {};
  char name[_MAX_FNAME] = {};
  char extension[_MAX_EXT] = {};
  ::_splitpath(path.c_str(), drive, folder, name, extension);
  return {drive, folder, name, extension};
}

Pieces OurSplit(const std::string& path) {
  const platform::PathPieces p = platform::_splitpath(path);
  return {p.drive, p.folder, p.name, p.extension};
}

// msvcrt's multibyte functions follow their own code page, which starts out as the
// "C" one; make it the ANSI code page, as our helpers use.
class MsvcrtDifferential : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::_setmbcp(_MB_CP_ANSI), 0); }

  static void ExpectSameCompare(const std::vector<std::pair<std::string, std::string>>& pairs) {
    for (const auto& [left, right] : pairs) {
      EXPECT_EQ(Sign(platform::_mbscmp(left, right)), Sign(MsvcrtCompare(left, right)))
          << "[" << Hex(left) << "] vs [" << Hex(right) << "]";
      EXPECT_EQ(Sign(platform::_mbscmp(right, left)), Sign(MsvcrtCompare(right, left)))
          << "[" << Hex(right) << "] vs [" << Hex(left) << "]";
    }
  }

  static void ExpectSameSplit(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
      EXPECT_EQ(OurSplit(path), MsvcrtSplit(path)) << "path [" << path << "] " << Hex(path);
    }
  }
};

TEST_F(MsvcrtDifferential, CompareAscii) {
  ExpectSameCompare({
      {"", ""},
      {"a", ""},
      {"abc", "abc"},
      {"abc", "abd"},
      {"abc", "ab"},
      {"A", "a"},
      {"Z", "a"},
      {"update\\", "update"},
      {"C:\\pkg\\ZintuData\\", "C:\\pkg\\ZintuData\\update\\"},
      {"a.txt", "a_txt"},
      {"~", "\x7F"},
  });
}

TEST_F(MsvcrtDifferential, SplitAscii) {
  ExpectSameSplit({
      "",
      "C:",
      "C:\\",
      "C:file.ext",
      "C:\\dir\\sub\\file.txt",
      "dir\\file",
      "\\file.tar.gz",
      "file",
      "file.",
      ".hidden",
      "..",
      "..\\x",
      "dir.d\\name",
      "dir.d\\",
      "C:\\dir.ext\\",
      "a/b/c.d",
      "a/b\\c",
      "a\\b/c.e.f",
      "\\\\server\\share\\x.y",
      "1:x",
      ":x",
      "C:\\pkg\\ZintuData\\update\\",
      "C:\\a b\\c d.e f",
  });
}

TEST_F(MsvcrtDifferential, SplitPiecesUpToTheLimit) {
  const std::string longest(platform::PathPieces::kMaxPiece - 1, 'n');
  ExpectSameSplit({
      "C:\\" + longest.substr(1) + "\\x.y",  // a folder piece of 255 bytes
      "C:\\d\\" + longest + ".e",
      "C:\\d\\n." + longest,
  });
}

// Inputs with double-byte characters, each in the code page where its bytes mean that.
struct DbcsCase {
  unsigned codePage;
  std::vector<std::pair<std::string, std::string>> comparisons;
  std::vector<std::string> paths;
};

void PrintTo(const DbcsCase& c, std::ostream* out) { *out << "code page " << c.codePage; }

class MsvcrtDifferentialDbcs : public MsvcrtDifferential,
                               public ::testing::WithParamInterface<DbcsCase> {};

TEST_P(MsvcrtDifferentialDbcs, CompareAndSplit) {
  ZINTU_USE_CODE_PAGE(scope, GetParam().codePage);
  ASSERT_EQ(::_setmbcp(_MB_CP_ANSI), 0);
  ExpectSameCompare(GetParam().comparisons);
  ExpectSameSplit(GetParam().paths);
}

// 932: "表" = 95 5C, "ソ" = 83 5C; A1 is a single-byte half-width katakana.
const DbcsCase kShiftJis{
    932,
    {
        {"\x95\x5C", "\xA1"},
        {"\x83\x5C", "\xA1"},
        {"\x83\x5C", "\x95\x5C"},
        {"\x95\x5C"
         "a",
         "\x95\x5D"},
        {"\x95\x5C", "\x5C"},
        {"\x95\x5C", "\x95\x5C"},
        {"\x95\x5C\\", "\x95\x5C"},
        {"a\x83\x5C"
         "b",
         "a\x83\x5C"
         "c"},
        {"\x95", "\x95\x40"},
    },
    {
        "\x95\x5C",
        "C:\\\x95\x5C\\\x83\x5C.txt",
        "C:\\pkg\\\x95\x5C",
        "C:\\\x95\x5C\x83\x5C\\",
        "\x95\x5C\x83\x5C",
        "a\x95\x5C.\x83\x5C",
        "\x95\x5C.d\\n\x83\x5C",
        "\x95\x5C/\x83\x5C",
        "dir\\\x95",
        "\xA1\\\xA1.\xA1",
    },
};

// 936: "乗" = 81 5C; 80 and FF are single bytes above ASCII.
const DbcsCase kGbk{
    936,
    {
        {"\xFF", "\x81\x40"},
        {"\x80", "\x81\x5C"},
        {"\x81\x5C", "\x81\x5D"},
        {"\x81\x5C", "\x5C"},
        {"\x81\x5C"
         "a",
         "\x81\x5C"},
        {"\x81\x81\x5C", "\x81\x81\x81\x40"},
    },
    {
        "\x81\x5C",
        "C:\\\x81\x5C\\\x81\x5C.txt",
        "C:\\pkg\\\x81\x5C",
        "\\\\srv\\\x81\x5C\\\x81\x5C\\",
        "a\x81\x5C.b\x81\x5C",
        "\x81\x5C/x",
        "dir\\\x81",
    },
};

// 950: "功" = A5 5C.
const DbcsCase kBig5{
    950,
    {
        {"\xA5\x5C", "\x5C"},
        {"\xA5\x5C", "\xA5\x5D"},
        {"\xA5\x5C"
         "b",
         "\xA5\x5C"
         "a"},
    },
    {
        "C:\\\xA5\x5C\\\xA5\x5C.exe",
        "\xA5\x5C",
        "x\\\xA5\x5C.\xA5\x5C",
    },
};

INSTANTIATE_TEST_SUITE_P(CodePages, MsvcrtDifferentialDbcs,
                         ::testing::Values(kShiftJis, kGbk, kBig5),
                         [](const ::testing::TestParamInfo<DbcsCase>& info) {
                           return "Cp" + std::to_string(info.param.codePage);
                         });

}  // namespace
