#include "platform/TestingHooks.h"
#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/CodePage.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::CurrentDirectory;
using testsupport::DiskOpsTest;

// Runs with the current directory C:\w\x: off Windows drive C: is a temporary folder.
class AtCwx : public DiskOpsTest {
 protected:
  void SetUp() override {
    DiskOpsTest::SetUp();
    platform::testing::MapDrive('C', temp.host().string());
    platform::Services& services = platform::CurrentServices();
    createdW_ = services.CreateDirectoryA("C:\\w");
    createdX_ = services.CreateDirectoryA("C:\\w\\x");
    ASSERT_TRUE(services.SetCurrentDirectoryA("C:\\w\\x"));
    ASSERT_EQ(CurrentDirectory(), "C:\\w\\x");
  }
  void TearDown() override {
    EXPECT_EQ(CurrentDirectory(), "C:\\w\\x");
    platform::Services& services = platform::CurrentServices();
    services.SetCurrentDirectoryA(startDirectory());
    DiskOpsTest::TearDown();
    if (createdX_) services.RemoveDirectoryA("C:\\w\\x");
    if (createdW_) services.RemoveDirectoryA("C:\\w");
    platform::testing::UnmapAll();
  }

 private:
  bool createdW_ = false;
  bool createdX_ = false;
};

struct NormalizeCase {
  const char* given;
  const char* afterwards;
  bool usable;
};

class Normalize : public AtCwx, public ::testing::WithParamInterface<NormalizeCase> {};

TEST_P(Normalize, RewritesThePathAndLeavesTheCurrentDirectory) {
  const NormalizeCase& c = GetParam();
  std::string path = c.given;
  const int result = ops.NormalizeFolderPath(path);
  EXPECT_EQ(path, c.afterwards);
  EXPECT_EQ(result != 0, c.usable);
  EXPECT_EQ(ops.ErrorText(), c.usable ? "" : CDiskOps::kInternalErrorText);
  EXPECT_EQ(CurrentDirectory(), "C:\\w\\x");

  if (c.usable) {
    std::string again = path;
    EXPECT_NE(ops.NormalizeFolderPath(again), 0);
    EXPECT_EQ(again, path) << "normalising twice changed the path";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Normalize,
    ::testing::Values(NormalizeCase{"C:/data/new", "C:\\data\\new\\", true},
                      NormalizeCase{"//srv/share/dir", "\\\\srv\\share\\dir\\", true},
                      NormalizeCase{"\\\\srv\\sh*re", "\\\\srv\\sh*re\\", true},
                      NormalizeCase{"sub/dir", "C:\\w\\x\\sub\\dir\\", true},
                      NormalizeCase{"..\\a\\b", "C:\\w\\a\\b\\", true},
                      NormalizeCase{"..", "C:\\w\\", true},
                      // Climbing up to the root: its closing backslash and the joining one.
                      NormalizeCase{"..\\..\\a", "C:\\\\a\\", true},
                      NormalizeCase{"\\tmp\\y", "C:\\tmp\\y\\", true},
                      NormalizeCase{"", "C:\\w\\x\\", true}, NormalizeCase{"\\", "C:\\", true},
                      NormalizeCase{"C:", "C:\\", true}, NormalizeCase{"a:b", "a:b\\", true},
                      NormalizeCase{"C:\\a\\.\\b\\..\\c", "C:\\a\\.\\b\\..\\c\\", true},
                      NormalizeCase{"x\\y:z", "C:\\w\\x\\x\\y:z\\", false},
                      NormalizeCase{"C:\\a*b", "C:\\a*b\\", false},
                      NormalizeCase{"C:\\a\\b?.txt", "C:\\a\\b?.txt\\", false}));

TEST_F(DiskOpsTest, NormalizingKeepsAnEarlierReportWhileFolderExistsClearsIt) {
  ops.SetInternalErrorText();
  std::string path = temp.path();
  EXPECT_NE(ops.NormalizeFolderPath(path), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  EXPECT_NE(ops.FolderExists(temp.path()), 0);
  EXPECT_EQ(ops.ErrorText(), "");
}

TEST(NormalizeDbcs, ATrailBackslashAtTheEndCountsAsTheClosingOne) {
  for (unsigned codePage : {932u, 936u}) {
    testsupport::CodePageScope scope(codePage);
    if (!scope.active()) continue;
    const std::string c = testsupport::CharWithBackslashTrail(codePage);
    CDiskOps ops;
    std::string path = "C:\\pkg\\" + c;
    EXPECT_NE(ops.NormalizeFolderPath(path), 0);
    EXPECT_EQ(path, "C:\\pkg\\" + c) << codePage;
    // Inside a name the trail byte is no separator for the character test either.
    std::string other = "C:\\" + c + "x/y";
    EXPECT_NE(ops.NormalizeFolderPath(other), 0);
    EXPECT_EQ(other, "C:\\" + c + "x\\y\\");
  }
}

TEST(HasLegalChars, RefusesOnlyColonAsteriskAndQuestionMark) {
  CDiskOps ops;
  EXPECT_NE(ops.HasLegalChars(""), 0);
  EXPECT_NE(ops.HasLegalChars("<>|\"name.txt"), 0);
  for (const char* piece : {"a:b", "*", "what?"}) EXPECT_EQ(ops.HasLegalChars(piece), 0) << piece;
  EXPECT_EQ(ops.ErrorText(), "");
}

TEST_F(DiskOpsTest, FolderExistsAnswersWithoutReportingAFalseAnswer) {
  temp.WriteFile("file.txt");
  EXPECT_NE(ops.FolderExists(temp.path()), 0);
  EXPECT_NE(ops.FolderExists(temp.host().string()), 0);
  EXPECT_EQ(ops.FolderExists(temp.path("missing")), 0);
  EXPECT_EQ(ops.ErrorText(), "");
  EXPECT_EQ(ops.FolderExists(temp.path("file.txt")), 0);
  EXPECT_EQ(ops.ErrorText(), "");
  EXPECT_EQ(ops.FolderExists(""), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
}

// A current directory of 260 bytes or more cannot be read into the 260-byte buffer: a
// relative path then cannot be resolved, and nothing that must return there may start.
TEST_F(DiskOpsTest, ACurrentDirectoryTooLongForTheBufferRefusesWhatNeedsIt) {
  temp.WriteFile("src/f.txt");
  testsupport::PretendingServices pretend(platform::CurrentServices());
  pretend.PretendCurrentDirectory("C:\\" + std::string(257, 'd'));
  platform::ScopedServices scope(pretend);

  std::string relative = "rel";
  EXPECT_EQ(ops.NormalizeFolderPath(relative), 0);
  EXPECT_EQ(relative, "rel\\");
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);

  // An absolute path needs no current directory to be normalised ...
  std::string absolute = temp.path("src");
  EXPECT_NE(ops.NormalizeFolderPath(absolute), 0);
  // ... but entering a folder does, and a folder that could not be tested is no empty one.
  EXPECT_EQ(ops.FolderExists(temp.path("src")), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  CStringArray files;
  EXPECT_EQ(ops.ListFiles(temp.path("src"), files, CDiskOps::listNames), 0);
  EXPECT_EQ(files.GetSize(), 0u);
  EXPECT_EQ(ops.CreateFolderPath(temp.path("new")), 0);
  EXPECT_FALSE(temp.Exists("new"));
}

TEST(ResolveFullPath, RefusesAPieceTooLongToKeepWhole) {
  CDiskOps ops;
  std::string path = "C:\\" + std::string(300, 'n') + "\\";
  const std::string given = path;
  EXPECT_EQ(ops.NormalizeFolderPath(path), 0);
  EXPECT_EQ(path, given);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);

  // A relative path that fits, but no longer once the current directory is put before it,
  // is refused at once rather than at its next normalisation.
  std::string relative = std::string(254, 'r');
  EXPECT_EQ(ops.NormalizeFolderPath(relative), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
}

}  // namespace
