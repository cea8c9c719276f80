// The ANSI code page: from the locale's character set, set by tests, and its lead bytes.
#include <gtest/gtest.h>

#include "platform/posix/CodePage.h"
#include "tests/platform/posix/BackendFixture.h"

namespace posixtest {
namespace {

using platform::posix::CodePageForCharset;
using platform::posix::CodePageForLocale;

TEST(CodePageTest, CharsetsMapToWindowsCodePages) {
  const struct {
    const char* charset;
    unsigned codePage;
  } cases[] = {
      {"GBK", 936},         {"GB2312", 936},     {"GB18030", 936},
      {"SHIFT_JIS", 932},   {"SJIS", 932},       {"CP932", 932},
      {"BIG5", 950},        {"BIG5-HKSCS", 950}, {"CP950", 950},
      {"EUC-KR", 949},      {"CP949", 949},      {"UHC", 949},
      {"UTF-8", 65001},     {"utf8", 65001},     {"ANSI_X3.4-1968", 65001},
      {"ISO-8859-1", 1252}, {"KOI8-R", 65001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    EXPECT_EQ(CodePageForCharset(c.charset), c.codePage);
  }
}

TEST(CodePageTest, LocalesGiveTheirCharsetsCodePage) {
  EXPECT_EQ(CodePageForLocale("C"), 65001u);
  EXPECT_EQ(CodePageForLocale("no_SUCH.locale"), std::nullopt);
  // Locales the CI machine generates are UTF-8 ones: no lead bytes.
  bool any = false;
  for (const char* name : {"ja_JP.UTF-8", "zh_CN.UTF-8", "zh_TW.UTF-8"}) {
    if (const auto codePage = CodePageForLocale(name)) {
      EXPECT_EQ(*codePage, 65001u) << name;
      any = true;
    }
  }
  // Double-byte locales where the host has them.
  const struct {
    const char* name;
    unsigned codePage;
  } doubleByte[] = {
      {"zh_CN.GBK", 936}, {"ja_JP.SJIS", 932}, {"zh_TW.BIG5", 950}, {"ko_KR.EUC-KR", 949}};
  for (const auto& locale : doubleByte) {
    if (const auto codePage = CodePageForLocale(locale.name)) {
      EXPECT_EQ(*codePage, locale.codePage) << locale.name;
      any = true;
    }
  }
  if (!any) GTEST_SKIP() << "no East Asian locale on this host";
}

class LeadByteTest : public BackendTest {};

TEST_F(LeadByteTest, FollowsTheCodePageSet) {
  const struct {
    unsigned codePage;
    std::vector<unsigned char> lead;
    std::vector<unsigned char> notLead;
  } cases[] = {
      {932, {0x81, 0x95, 0x9F, 0xE0, 0xFC}, {0x00, 0x5C, 0x7F, 0x80, 0xA0, 0xDF, 0xFD, 0xFF}},
      {936, {0x81, 0xA5, 0xFE}, {0x5C, 0x80, 0xFF}},
      {949, {0x81, 0xFE}, {0x80, 0xFF}},
      {950, {0x81, 0xFE}, {0x80, 0xFF}},
      {65001, {}, {0x81, 0xC3, 0xE0, 0xFE}},
      {1252, {}, {0x81, 0xE9, 0xFE}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    ASSERT_TRUE(platform::testing::SetCodePage(c.codePage));
    EXPECT_EQ(platform::testing::CodePage(), c.codePage);
    for (unsigned char byte : c.lead) EXPECT_TRUE(services().IsDBCSLeadByte(byte)) << +byte;
    for (unsigned char byte : c.notLead) EXPECT_FALSE(services().IsDBCSLeadByte(byte)) << +byte;
  }
}

TEST_F(LeadByteTest, UnknownCodePagesAreRefused) {
  ASSERT_TRUE(platform::testing::SetCodePage(936));
  EXPECT_FALSE(platform::testing::SetCodePage(437));
  EXPECT_FALSE(platform::testing::SetCodePage(0));
  EXPECT_EQ(platform::testing::CodePage(), 936u);
}

}  // namespace
}  // namespace posixtest
