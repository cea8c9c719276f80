#include <algorithm>

#include "tests/diskops/DiskOpsTestSupport.h"

namespace {

using testsupport::DiskOpsTest;

// A folder link inside a tree leads out of it: never walked, never copied through, and
// removed as a link when the tree goes.
class FolderLinks : public DiskOpsTest {
 protected:
  void SetUp() override {
    DiskOpsTest::SetUp();
    temp.WriteFile("outside/o.txt", "o");
    temp.WriteFile("outside/deep/d.txt", "d");
    temp.WriteFile("tree/real/r.txt", "r");
    temp.WriteFile("tree/t.txt", "t");
    std::error_code error;
    std::filesystem::create_directory_symlink(temp.host() / "outside", temp.host() / "tree/out",
                                              error);
    if (!error) {
      std::filesystem::create_directory_symlink(temp.host() / "tree", temp.host() / "tree/real/up",
                                                error);
    }
    if (error) GTEST_SKIP() << "folder links cannot be made here: " << error.message();
  }
};

TEST_F(FolderLinks, AreNeitherListedNorWalked) {
  CStringArray list;
  EXPECT_NE(ops.ListFolders(temp.path("tree"), list, CDiskOps::listNames), 0);
  EXPECT_EQ(list.items(), std::vector<std::string>{"real"});
}

TEST_F(FolderLinks, AreNotCopiedThroughAndAreRemovedAsLinks) {
  EXPECT_NE(ops.CopyFolderTree(temp.path("tree"), temp.path("data")), 0);
  EXPECT_EQ(temp.ReadFile("data/t.txt"), "t");
  EXPECT_EQ(temp.ReadFile("data/real/r.txt"), "r");
  EXPECT_FALSE(temp.Exists("data/out"));
  EXPECT_FALSE(temp.Exists("data/real/up"));

  EXPECT_NE(ops.DeleteFolderTree(temp.path("tree")), 0) << ops.ErrorText();
  EXPECT_FALSE(temp.Exists("tree"));
  EXPECT_EQ(temp.ReadFile("outside/o.txt"), "o");
  EXPECT_EQ(temp.ReadFile("outside/deep/d.txt"), "d");
}

TEST_F(FolderLinks, InTheTargetAreUsedAsTheyAre) {
  temp.MakeFolder("data");
  std::filesystem::create_directory_symlink(temp.host() / "outside", temp.host() / "data/linked");
  temp.WriteFile("update/linked/new.txt", "n");
  EXPECT_NE(ops.CopyFolderTree(temp.path("update"), temp.path("data")), 0);
  EXPECT_EQ(temp.ReadFile("outside/new.txt"), "n");
}

}  // namespace
