#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;

class Copy : public DiskOpsTest {};

TEST_F(Copy, CreatesTheTargetEvenWithNothingToCopy) {
  temp.MakeFolder("empty");
  EXPECT_NE(ops.CopyFolderFiles(temp.path("empty"), temp.path("t1/deep")), 0);
  EXPECT_NE(ops.CopyFolderFiles(temp.path("missing"), temp.path("t2")), 0);
  EXPECT_EQ(temp.Listing(), "empty/\nt1/\nt1/deep/\nt2/\n");
}

TEST_F(Copy, ReplacesTargetFilesOfTheSameNameAndLeavesTheOthers) {
  temp.WriteFile("src/same.txt", "new");
  temp.WriteFile("src/sub/not-copied.txt", "sub");
  temp.WriteFile("dst/same.txt", "old");
  temp.WriteFile("dst/own.txt", "own");
  EXPECT_NE(ops.CopyFolderFiles(temp.path("src"), temp.path("dst")), 0);
  EXPECT_EQ(temp.ReadFile("dst/same.txt"), "new");
  EXPECT_EQ(temp.ReadFile("dst/own.txt"), "own");
  EXPECT_FALSE(temp.Exists("dst/sub"));
}

TEST_F(Copy, StopsAtTheFirstFailedFileWithItsSourceAndTarget) {
  for (const char* name : {"a", "b", "c"}) temp.WriteFile(std::string("src/") + name);
  testsupport::FailingServices failing(platform::CurrentServices());
  failing.FailNth(Call::CopyFile, 2, platform::kErrorSharingViolation);
  platform::ScopedServices scope(failing);

  EXPECT_EQ(ops.CopyFolderFiles(temp.path("src/"), temp.path("dst")), 0);
  EXPECT_TRUE(temp.Exists("dst/a"));
  EXPECT_FALSE(temp.Exists("dst/b"));
  EXPECT_FALSE(temp.Exists("dst/c"));
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("src\\b") + " -> " + temp.path("dst\\b")));
}

TEST_F(Copy, AFailedListingLeavesTheTargetUncreated) {
  temp.WriteFile("src/a");
  testsupport::FailingServices failing(platform::CurrentServices());
  failing.FailNth(Call::FindFirstFile, 1, platform::kErrorAccessDenied);
  platform::ScopedServices scope(failing);
  EXPECT_EQ(ops.CopyFolderFiles(temp.path("src"), temp.path("dst")), 0);
  EXPECT_FALSE(temp.Exists("dst"));
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("src\\*.*")));
}

TEST_F(Copy, ATreeIsCopiedWithItsEmptyFoldersRootFilesFirst) {
  temp.WriteFile("src/root.txt", "r");
  temp.WriteFile("src/a/x/deep.txt", "d");
  temp.MakeFolder("src/empty");
  temp.WriteFile("dst/kept.txt", "k");
  testsupport::RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);

  EXPECT_NE(ops.CopyFolderTree(temp.path("src"), temp.path("dst")), 0);
  EXPECT_EQ(temp.ReadFile("dst/a/x/deep.txt"), "d");
  EXPECT_TRUE(temp.Exists("dst/empty"));
  EXPECT_EQ(temp.ReadFile("dst/kept.txt"), "k");
  const std::vector<std::string> copies = recorder.Arguments(Call::CopyFile);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0], temp.path("src\\root.txt") + " -> " + temp.path("dst\\root.txt"));
}

TEST_F(Copy, AFailureInOneFolderLeavesTheLaterOnesUncreated) {
  temp.WriteFile("src/a/1");
  temp.WriteFile("src/b/2");
  temp.WriteFile("src/c/3");
  CStringArray order;
  ASSERT_NE(ops.ListFolders(temp.path("src"), order, CDiskOps::listNames), 0);
  ASSERT_EQ(order.GetSize(), 3u);
  testsupport::FailingServices failing(platform::CurrentServices());
  failing.FailNth(Call::CopyFile, 2, platform::kErrorAccessDenied);  // the second folder's file
  platform::ScopedServices scope(failing);

  EXPECT_EQ(ops.CopyFolderTree(temp.path("src"), temp.path("dst")), 0);
  EXPECT_TRUE(temp.Exists("dst/" + order[0] + "/"));
  EXPECT_TRUE(temp.Exists("dst/" + order[1]));
  EXPECT_FALSE(temp.Exists("dst/" + order[2]));
}

TEST_F(Copy, ATargetInsideTheSourceIsNotCopiedAgain) {
  temp.WriteFile("src/f", "f");
  temp.WriteFile("src/a/g", "g");
  EXPECT_NE(ops.CopyFolderTree(temp.path("src"), temp.path("src/copy")), 0);
  EXPECT_EQ(temp.Listing(),
            "src/\nsrc/a/\nsrc/a/g\nsrc/copy/\nsrc/copy/a/\nsrc/copy/a/g\n"
            "src/copy/f\nsrc/f\n");
}

TEST_F(Copy, AMissingSourceTreeFailsAndCreatesNothing) {
  EXPECT_EQ(ops.CopyFolderTree(temp.path("missing"), temp.path("dst")), 0);
  EXPECT_FALSE(temp.Exists("dst"));
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("missing\\*.*")));
}

}  // namespace
