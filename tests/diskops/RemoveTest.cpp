#include <algorithm>

#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;

class Remove : public DiskOpsTest {};

TEST_F(Remove, FolderFilesGoWhileSubFoldersStay) {
  temp.WriteFile("d/a");
  temp.WriteFile("d/b");
  temp.WriteFile("d/sub/c");
  EXPECT_NE(ops.DeleteFolderFiles(temp.path("d")), 0);
  EXPECT_EQ(temp.Listing(), "d/\nd/sub/\nd/sub/c\n");
  EXPECT_NE(ops.DeleteFolderFiles(temp.path("missing")), 0);
}

TEST_F(Remove, AFolderWithASubFolderLosesItsFilesThenFailsWithItsPath) {
  temp.WriteFile("d/a");
  temp.MakeFolder("d/sub");
  EXPECT_EQ(ops.DeleteFolder(temp.path("d")), 0);
  EXPECT_EQ(temp.Listing(), "d/\nd/sub/\n");
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("d\\")));

  EXPECT_EQ(ops.DeleteFolder(temp.path("missing")), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("missing\\")));
}

TEST_F(Remove, EmptyArgumentsTouchNothing) {
  testsupport::RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  EXPECT_EQ(ops.DeleteFolder(""), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  EXPECT_EQ(ops.DeleteFolderTree(""), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  EXPECT_EQ(ops.DeleteFolderFiles(""), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  EXPECT_TRUE(recorder.calls().empty());
}

TEST_F(Remove, ATreeGoesDeepestFirstAndTheRootLast) {
  temp.WriteFile("R/A/X/x");
  temp.WriteFile("R/A/a");
  temp.WriteFile("R/B/b");
  temp.WriteFile("R/r");
  const std::string root = temp.path("R\\");
  CStringArray listing;
  ASSERT_NE(ops.ListFolders(root, listing, CDiskOps::listFullPaths), 0);
  std::vector<std::string> expected(listing.items().rbegin(), listing.items().rend());
  expected.push_back(root);
  if (listing.items() == std::vector<std::string>{root + "A\\", root + "A\\X\\", root + "B\\"}) {
    EXPECT_EQ(expected,
              (std::vector<std::string>{root + "B\\", root + "A\\X\\", root + "A\\", root}));
  }

  testsupport::RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  EXPECT_NE(ops.DeleteFolderTree(temp.path("R")), 0);
  EXPECT_EQ(recorder.Arguments(Call::RemoveDirectory), expected);
  EXPECT_FALSE(temp.Exists("R"));
  // A folder's own files go just before it: the root's last of all.
  EXPECT_EQ(recorder.Arguments(Call::DeleteFile).back(), root + "r");
}

TEST_F(Remove, AFailedRemovalInTheMiddleLeavesTheFoldersBeforeItAndTheRoot) {
  temp.WriteFile("R/A/X/x");
  temp.WriteFile("R/A/a");
  temp.WriteFile("R/B/b");
  temp.WriteFile("R/r");
  CStringArray listing;
  ASSERT_NE(ops.ListFolders(temp.path("R"), listing, CDiskOps::listNames), 0);
  ASSERT_EQ(listing.GetSize(), 3u);
  testsupport::FailingServices failing(platform::CurrentServices());
  failing.FailNth(Call::RemoveDirectory, 2, platform::kErrorAccessDenied);
  platform::ScopedServices scope(failing);

  EXPECT_EQ(ops.DeleteFolderTree(temp.path("R")), 0);
  const std::string failed = listing[1];
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("R\\" + failed + "\\")));
  // After it in the list: gone. It: emptied of its files. Before it, and the root: whole.
  EXPECT_FALSE(temp.Exists("R/" + listing[2]));
  EXPECT_TRUE(temp.Exists("R/" + failed));
  EXPECT_TRUE(temp.Exists("R/r"));
  EXPECT_TRUE(temp.Exists("R/" + listing[0]));
}

TEST_F(Remove, AReadOnlyFileStopsTheTreeAndKeepsItsAttribute) {
  temp.WriteFile("R/sub/locked", "l");
  testsupport::SetReadOnly(temp.host() / "R/sub/locked", true);
  EXPECT_EQ(ops.DeleteFolderTree(temp.path("R")), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("R\\sub\\locked")));
  EXPECT_EQ(temp.ReadFile("R/sub/locked"), "l");
  const auto perms = std::filesystem::status(temp.host() / "R/sub/locked").permissions();
  EXPECT_EQ(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
}

TEST_F(Remove, AMissingTreeFailsAtTheListing) {
  EXPECT_EQ(ops.DeleteFolderTree(temp.path("missing")), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("missing\\*.*")));
}

}  // namespace
