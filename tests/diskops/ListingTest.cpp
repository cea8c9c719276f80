#include <algorithm>

#include "platform/TestingHooks.h"
#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/CodePage.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;

std::vector<std::string> Items(const CStringArray& list) { return list.items(); }

CStringArray ListOf(std::initializer_list<const char*> items) {
  CStringArray list;
  for (const char* item : items) list.Add(item);
  return list;
}

class Listing : public DiskOpsTest {};

TEST_F(Listing, FilesComeInCaseSensitiveOrderWithoutFolders) {
  // No two names differ by case alone: Windows would take them for one file.
  for (const char* name : {"bee", "a.txt", "Bee2", "A1", "noext"}) temp.WriteFile(name);
  temp.MakeFolder("Folder");
  temp.MakeFolder(".hidden");
  CStringArray list;
  EXPECT_NE(ops.ListFiles(temp.path(), list, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"A1", "Bee2", "a.txt", "bee", "noext"}));
  EXPECT_EQ(ops.ErrorText(), "");
}

TEST_F(Listing, NamesGoAmongWhatTheListHeldByTheInsertionRule) {
  temp.WriteFile("b");
  temp.WriteFile("d");
  temp.WriteFile("m");

  CStringArray sorted = ListOf({"a0", "c0"});
  EXPECT_NE(ops.ListFiles(temp.path(), sorted, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(sorted), (std::vector<std::string>{"a0", "b", "c0", "d", "m"}));

  // Each name goes just before the first element that compares greater, so an unsorted
  // list stays unsorted, and a name goes after the equal ones before that element.
  CStringArray unsorted = ListOf({"m", "z", "a", "m"});
  EXPECT_NE(ops.ListFiles(temp.path(), unsorted, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(unsorted), (std::vector<std::string>{"b", "d", "m", "m", "z", "a", "m"}));
}

TEST_F(Listing, FullPathsOfARelativeFolderAreAbsolute) {
  temp.WriteFile("sub/f.txt");
  const std::string start = testsupport::CurrentDirectory();
  ASSERT_TRUE(platform::CurrentServices().SetCurrentDirectoryA(temp.path()));
  CStringArray list;
  EXPECT_NE(ops.ListFiles("sub", list, CDiskOps::listFullPaths), 0);
  const std::string folder = testsupport::CurrentDirectory() + "\\sub\\";
  platform::CurrentServices().SetCurrentDirectoryA(start);
  EXPECT_EQ(Items(list), std::vector<std::string>{folder + "f.txt"});
}

TEST_F(Listing, AMissingFolderHoldsNoFilesButCannotBeCollected) {
  CStringArray files;
  EXPECT_NE(ops.ListFiles(temp.path("missing"), files, CDiskOps::listNames), 0);
  EXPECT_EQ(files.GetSize(), 0u);
  EXPECT_EQ(ops.ErrorText(), "");

  CStringArray folders;
  EXPECT_EQ(ops.ListFolders(temp.path("missing"), folders, CDiskOps::listFullPaths), 0);
  EXPECT_EQ(folders.GetSize(), 0u);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("missing\\*.*")));
}

TEST_F(Listing, AMaskThatMatchesNothingFailsWithThePattern) {
  temp.WriteFile("a.txt");
  CStringArray list;
  EXPECT_EQ(ops.ListFilesMatching("*.none", temp.path(), list, CDiskOps::listNames), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("*.none")));
  EXPECT_NE(ops.ListFilesMatching("*.txt", temp.path(), list, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(list), std::vector<std::string>{"a.txt"});
}

TEST_F(Listing, FoldersComeDepthFirstEachBeforeItsOwn) {
  temp.MakeFolder("root/a/b");
  temp.MakeFolder("root/c");
  temp.MakeFolder("root/.git");
  temp.WriteFile("root/file");
  const std::string root = temp.path("root\\");

  CStringArray full;
  EXPECT_NE(ops.ListFolders(temp.path("root"), full, CDiskOps::listFullPaths), 0);
  std::vector<std::string> items = Items(full);
  // The platform chooses the order within one level; a folder's own come right after it.
  const auto a = std::find(items.begin(), items.end(), root + "a\\");
  ASSERT_NE(a, items.end());
  ASSERT_NE(a + 1, items.end());
  EXPECT_EQ(*(a + 1), root + "a\\b\\");
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::string>{root + ".git\\", root + "a\\", root + "a\\b\\",
                                             root + "c\\"}));

  CStringArray names;
  EXPECT_NE(ops.ListFolders(root, names, CDiskOps::listNames), 0);
  std::vector<std::string> relative = Items(names);
  std::sort(relative.begin(), relative.end());
  EXPECT_EQ(relative, (std::vector<std::string>{".git", "a", "a\\b", "c"}));

  CStringArray none;
  EXPECT_NE(ops.ListFolders(temp.path("root\\c"), none, CDiskOps::listFullPaths), 0);
  EXPECT_EQ(none.GetSize(), 0u);
}

TEST_F(Listing, NamesModeRewritesEveryElementEvenAfterAFailure) {
  temp.MakeFolder("root/a");
  const std::string root = temp.path("root\\");
  CStringArray list = ListOf({"xyz"});
  list.Add(root + "old\\");
  EXPECT_NE(ops.ListFolders(root, list, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"", "old", "a"}));

  CStringArray afterFailure;
  afterFailure.Add(root + "kept\\");
  EXPECT_EQ(ops.ListFolders(temp.path("root\\missing"), afterFailure, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(afterFailure), std::vector<std::string>{""});
}

TEST_F(Listing, AFailedSearchBelowStopsTheWholeCollectionWithEverySearchClosed) {
  for (const char* folder : {"root/a/x", "root/b", "root/c"}) temp.MakeFolder(folder);
  testsupport::RecordingServices recorder(platform::CurrentServices());
  testsupport::FailingServices failing(recorder);
  // The root's search is the first; the first sub-folder's the second.
  failing.FailNth(Call::FindFirstFile, 2, platform::kErrorAccessDenied);
  platform::ScopedServices scope(failing);

  CStringArray list;
  EXPECT_EQ(ops.ListFolders(temp.path("root"), list, CDiskOps::listFullPaths), 0);
  ASSERT_EQ(list.GetSize(), 1u);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), list[0] + "*.*"));
  EXPECT_EQ(recorder.Arguments(Call::FindFirstFile).size(), 1u) << "a later folder was searched";
  EXPECT_EQ(recorder.OpenSearches(), 0);
}

TEST(ListingDbcs, OrdersADoubleByteNameByItsCharacterValue) {
  ZINTU_USE_CODE_PAGE(scope, 932);
  testsupport::TempFolder temp;
  // 0x955C sorts after the single-byte 0xA1, though its first byte is smaller.
  temp.WriteFile("a");
  // Made through the platform's own calls, which take the names in the code page.
  for (const char* name : {"\x95\x5C", "\xA1"}) {
    ASSERT_TRUE(platform::CurrentServices().CopyFileA(temp.path("a"), temp.path(name), true));
  }
  CDiskOps ops;
  CStringArray list;
  EXPECT_NE(ops.ListFiles(temp.path(), list, CDiskOps::listNames), 0);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "\xA1", "\x95\x5C"}));
}

}  // namespace
