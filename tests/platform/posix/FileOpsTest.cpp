// Copying, deleting, creating and removing, with Windows' rules for read-only files,
// links and the error codes of the usual failures. These run as root in CI, where the
// host alone would let every write through.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/posix/Errors.h"
#include "tests/platform/posix/BackendFixture.h"

namespace posixtest {
namespace {

class FileOpsTest : public BackendTest {
 protected:
  Scratch scratch_;
};

TEST_F(FileOpsTest, CopyBringsContentModeAndModificationTime) {
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7919 % 251);
  WriteFile(scratch_.host("big.bin"), big);
  fs::permissions(scratch_.host("big.bin"), fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::owner_write | fs::perms::group_read);
  const auto past = fs::last_write_time(scratch_.host("big.bin")) - std::chrono::hours(49);
  fs::last_write_time(scratch_.host("big.bin"), past);

  ASSERT_TRUE(services().CopyFileA(scratch_.win("big.bin"), scratch_.win("copy.bin"), false));
  EXPECT_EQ(ReadFile(scratch_.host("copy.bin")), big);
  EXPECT_EQ(fs::status(scratch_.host("copy.bin")).permissions(),
            fs::status(scratch_.host("big.bin")).permissions());
  EXPECT_EQ(fs::last_write_time(scratch_.host("copy.bin")), past);

  WriteFile(scratch_.host("empty"), "");
  ASSERT_TRUE(services().CopyFileA(scratch_.win("empty"), scratch_.win("empty2"), true));
  EXPECT_EQ(ReadFile(scratch_.host("empty2")), "");
}

TEST_F(FileOpsTest, CopyOverwritesInPlaceSoLinksStayLinks) {
  WriteFile(scratch_.host("new"), "new content");
  WriteFile(scratch_.host("real"), "old content that is longer");
  fs::create_symlink(scratch_.host("real"), scratch_.host("link"));
  fs::create_hard_link(scratch_.host("real"), scratch_.host("alias"));

  ASSERT_TRUE(services().CopyFileA(scratch_.win("new"), scratch_.win("link"), false));
  EXPECT_TRUE(fs::is_symlink(scratch_.host("link")));
  EXPECT_EQ(ReadFile(scratch_.host("real")), "new content");
  EXPECT_EQ(ReadFile(scratch_.host("alias")), "new content");  // the same file, not a new one
}

TEST_F(FileOpsTest, CopyFollowsASourceLink) {
  WriteFile(scratch_.host("real"), "payload");
  fs::create_symlink(scratch_.host("real"), scratch_.host("link"));
  ASSERT_TRUE(services().CopyFileA(scratch_.win("link"), scratch_.win("copy"), false));
  EXPECT_FALSE(fs::is_symlink(scratch_.host("copy")));
  EXPECT_EQ(ReadFile(scratch_.host("copy")), "payload");
}

TEST_F(FileOpsTest, CopyRefusesAReadOnlyTargetEvenForRoot) {
  WriteFile(scratch_.host("source"), "new");
  WriteFile(scratch_.host("target"), "kept");
  SetReadOnly(scratch_.host("target"));
  EXPECT_EQ(ErrorOf(services().CopyFileA(scratch_.win("source"), scratch_.win("target"), false)),
            platform::kErrorAccessDenied);
  EXPECT_EQ(ReadFile(scratch_.host("target")), "kept");
}

TEST_F(FileOpsTest, CopyOntoItselfLosesNothing) {
  WriteFile(scratch_.host("file"), "precious");
  fs::create_symlink(scratch_.host("file"), scratch_.host("link"));
  EXPECT_EQ(ErrorOf(services().CopyFileA(scratch_.win("file"), scratch_.win("file"), false)),
            platform::kErrorSharingViolation);
  EXPECT_EQ(ErrorOf(services().CopyFileA(scratch_.win("link"), scratch_.win("file"), false)),
            platform::kErrorSharingViolation);
  EXPECT_EQ(ReadFile(scratch_.host("file")), "precious");
}

TEST_F(FileOpsTest, CopyFailuresHaveWindowsCodes) {
  WriteFile(scratch_.host("source"), "s");
  WriteFile(scratch_.host("existing"), "e");
  fs::create_directory(scratch_.host("folder"));
  const struct {
    const char* source;
    const char* target;
    bool failIfExists;
    std::uint32_t error;
  } cases[] = {
      {"source", "existing", true, platform::posix::kErrorFileExists},
      {"missing", "t1", false, platform::kErrorFileNotFound},
      {"nowhere/missing", "t2", false, platform::kErrorPathNotFound},
      {"folder", "t3", false, platform::kErrorAccessDenied},
      {"source", "nowhere/t4", false, platform::kErrorPathNotFound},
      {"source", "folder", false, platform::kErrorAccessDenied},
      {"source", "existing/t5", false, platform::kErrorPathNotFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " -> " + c.target);
    EXPECT_EQ(ErrorOf(services().CopyFileA(scratch_.win(c.source), scratch_.win(c.target),
                                           c.failIfExists)),
              c.error);
  }
  EXPECT_EQ(ReadFile(scratch_.host("existing")), "e");
  EXPECT_FALSE(fs::exists(scratch_.host("t1")));
  EXPECT_EQ(ErrorOf(services().CopyFileA(scratch_.win("source"), "Q:\\t", false)),
            platform::kErrorPathNotFound);
}

TEST_F(FileOpsTest, DeleteObeysTheReadOnlyRuleAndRemovesLinksThemselves) {
  WriteFile(scratch_.host("locked"), "x");
  SetReadOnly(scratch_.host("locked"));
  EXPECT_EQ(ErrorOf(services().DeleteFileA(scratch_.win("locked"))), platform::kErrorAccessDenied);
  EXPECT_TRUE(fs::exists(scratch_.host("locked")));

  fs::create_directory(scratch_.host("folder"));
  WriteFile(scratch_.host("folder/inside"), "x");
  fs::create_directory_symlink(scratch_.host("folder"), scratch_.host("to-folder"));
  fs::create_symlink(scratch_.host("locked"), scratch_.host("to-locked"));
  ASSERT_TRUE(services().DeleteFileA(scratch_.win("to-folder")));
  ASSERT_TRUE(services().DeleteFileA(scratch_.win("to-locked")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(scratch_.host("to-folder"))));
  EXPECT_FALSE(fs::exists(fs::symlink_status(scratch_.host("to-locked"))));
  EXPECT_TRUE(fs::exists(scratch_.host("folder/inside")));
  EXPECT_TRUE(fs::exists(scratch_.host("locked")));

  WriteFile(scratch_.host("plain"), "x");
  ASSERT_TRUE(services().DeleteFileA(scratch_.win("plain")));
  EXPECT_FALSE(fs::exists(scratch_.host("plain")));
}

TEST_F(FileOpsTest, DeleteFailuresHaveWindowsCodes) {
  fs::create_directory(scratch_.host("folder"));
  EXPECT_EQ(ErrorOf(services().DeleteFileA(scratch_.win("folder"))), platform::kErrorAccessDenied);
  EXPECT_EQ(ErrorOf(services().DeleteFileA(scratch_.win("missing"))), platform::kErrorFileNotFound);
  EXPECT_EQ(ErrorOf(services().DeleteFileA(scratch_.win("nowhere/missing"))),
            platform::kErrorPathNotFound);
  EXPECT_TRUE(fs::is_directory(scratch_.host("folder")));
}

TEST_F(FileOpsTest, CreateDirectoryCodes) {
  ASSERT_TRUE(services().CreateDirectoryA(scratch_.win("new")));
  EXPECT_TRUE(fs::is_directory(scratch_.host("new")));
  ASSERT_TRUE(services().CreateDirectoryA(scratch_.win("new") + "\\child\\"));
  EXPECT_TRUE(fs::is_directory(scratch_.host("new/child")));
  WriteFile(scratch_.host("file"), "");
  EXPECT_EQ(ErrorOf(services().CreateDirectoryA(scratch_.win("new"))),
            platform::kErrorAlreadyExists);
  EXPECT_EQ(ErrorOf(services().CreateDirectoryA(scratch_.win("file"))),
            platform::kErrorAlreadyExists);
  EXPECT_EQ(ErrorOf(services().CreateDirectoryA(scratch_.win("a/b"))),
            platform::kErrorPathNotFound);
  EXPECT_EQ(ErrorOf(services().CreateDirectoryA(scratch_.win("file/b"))),
            platform::kErrorPathNotFound);
  ASSERT_TRUE(platform::testing::MapShare("srv", "pub", scratch_.host().string()));
  ASSERT_TRUE(services().CreateDirectoryA("\\\\srv\\pub\\viaShare"));
  EXPECT_TRUE(fs::is_directory(scratch_.host("viaShare")));
}

TEST_F(FileOpsTest, RemoveDirectoryCodes) {
  WriteFile(scratch_.host("full/file"), "");
  WriteFile(scratch_.host("file"), "");
  EXPECT_EQ(ErrorOf(services().RemoveDirectoryA(scratch_.win("full"))),
            platform::kErrorDirNotEmpty);
  EXPECT_EQ(ErrorOf(services().RemoveDirectoryA(scratch_.win("missing"))),
            platform::kErrorFileNotFound);
  EXPECT_EQ(ErrorOf(services().RemoveDirectoryA(scratch_.win("file"))), platform::kErrorDirectory);
  EXPECT_TRUE(fs::exists(scratch_.host("full/file")));

  fs::create_directory(scratch_.host("empty"));
  ASSERT_TRUE(services().RemoveDirectoryA(scratch_.win("empty") + "\\"));
  EXPECT_FALSE(fs::exists(scratch_.host("empty")));
}

TEST_F(FileOpsTest, RemoveDirectoryTakesAFolderLinkNotItsTarget) {
  WriteFile(scratch_.host("target/keep"), "x");
  fs::create_directory_symlink(scratch_.host("target"), scratch_.host("link"));
  ASSERT_TRUE(services().RemoveDirectoryA(scratch_.win("link") + "\\"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(scratch_.host("link"))));
  EXPECT_EQ(ReadFile(scratch_.host("target/keep")), "x");

  fs::create_symlink(scratch_.host("target/keep"), scratch_.host("file-link"));
  EXPECT_EQ(ErrorOf(services().RemoveDirectoryA(scratch_.win("file-link"))),
            platform::kErrorDirectory);
  EXPECT_TRUE(fs::is_symlink(scratch_.host("file-link")));
}

TEST_F(FileOpsTest, TheCurrentDirectoryCannotBeRemoved) {
  fs::create_directory(scratch_.host("here"));
  ASSERT_TRUE(services().SetCurrentDirectoryA(scratch_.win("here")));
  EXPECT_EQ(ErrorOf(services().RemoveDirectoryA(scratch_.win("here"))),
            platform::kErrorSharingViolation);
  EXPECT_TRUE(fs::is_directory(scratch_.host("here")));
}

TEST_F(FileOpsTest, StatSeesFilesAndFolders) {
  WriteFile(scratch_.host("file"), "");
  EXPECT_EQ(services().Stat(scratch_.win("file")), 0);
  EXPECT_EQ(services().Stat(scratch_.win()), 0);
  EXPECT_EQ(services().Stat(scratch_.win() + "\\"), 0);
  EXPECT_EQ(services().Stat(scratch_.win("missing")), -1);
  EXPECT_EQ(services().Stat("Q:\\"), -1);
}

}  // namespace
}  // namespace posixtest
