#include "platform/TestingHooks.h"
#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;
using testsupport::RecordingServices;

class CreateFolder : public DiskOpsTest {
 protected:
  CWnd window{reinterpret_cast<platform::WindowHandle>(0x1)};
};

TEST_F(CreateFolder, MakesMissingLevelsTopDownShowingEachGrowingPath) {
  RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  ops.SetFeedbackWindow(&window);

  EXPECT_NE(ops.CreateFolderPath(temp.path("a/b/c")), 0);
  EXPECT_EQ(ops.ErrorText(), "");
  EXPECT_EQ(temp.Listing(), "a/\na/b/\na/b/c/\n");

  const std::string base = temp.path();
  const std::string top = base.substr(0, base.size() - 1);
  const std::vector<std::string> expectedTail = {top, top + "\\a", top + "\\a\\b",
                                                 top + "\\a\\b\\c"};
  const std::vector<std::string> shown = recorder.Arguments(Call::SetWindowText);
  ASSERT_GE(shown.size(), expectedTail.size());
  EXPECT_EQ(std::vector<std::string>(shown.end() - 4, shown.end()), expectedTail);
  // Every level is tried from the top, the existing ones included.
  EXPECT_EQ(recorder.Arguments(Call::CreateDirectory), shown);
}

TEST_F(CreateFolder, AnExistingFolderIsASuccessThatChangesNothing) {
  temp.WriteFile("keep/f.txt", "data");
  EXPECT_NE(ops.CreateFolderPath(temp.path("keep")), 0);
  EXPECT_EQ(temp.Listing(), "keep/\nkeep/f.txt\n");
  EXPECT_EQ(ops.ErrorText(), "");
}

TEST_F(CreateFolder, ALastNameTakenByAFileFails) {
  temp.WriteFile("a/taken");
  EXPECT_EQ(ops.CreateFolderPath(temp.path("a/taken")), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), temp.path("a\\taken")));
}

TEST_F(CreateFolder, AMissingDriveFailsWithTheWholePath) {
  EXPECT_EQ(ops.CreateFolderPath("Q:\\zintu\\x\\"), 0);
  EXPECT_TRUE(EndsWithSubject(ops.ErrorText(), "Q:\\zintu\\x"));
}

TEST_F(CreateFolder, AnEmptyPathIsRefusedWithoutTouchingAnything) {
  RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  EXPECT_EQ(ops.CreateFolderPath(""), 0);
  EXPECT_EQ(ops.ErrorText(), CDiskOps::kInternalErrorText);
  EXPECT_TRUE(recorder.calls().empty());
}

TEST_F(CreateFolder, TwoBackslashesTogetherGiveAnEmptyStep) {
  RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  EXPECT_NE(ops.CreateFolderPath(temp.path("a\\\\b")), 0);
  EXPECT_TRUE(temp.Exists("a/b"));
  const std::vector<std::string> created = recorder.Arguments(Call::CreateDirectory);
  ASSERT_GE(created.size(), 3u);
  const std::string top = temp.path();
  EXPECT_EQ(created[created.size() - 3], top + "a");
  EXPECT_EQ(created[created.size() - 2], top + "a\\");
  EXPECT_EQ(created[created.size() - 1], top + "a\\\\b");
}

TEST_F(CreateFolder, BelowANetworkShareTheShareIsTriedAndItsFailureIgnored) {
  temp.MakeFolder("share");
  if (!platform::testing::MapShare("srv", "s", (temp.host() / "share").string())) {
    GTEST_SKIP() << "no test share on this platform";
  }
  RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  EXPECT_NE(ops.CreateFolderPath("//srv/s/a/b"), 0);
  platform::testing::UnmapAll();
  EXPECT_EQ(recorder.Arguments(Call::CreateDirectory),
            (std::vector<std::string>{"\\\\srv\\s", "\\\\srv\\s\\a", "\\\\srv\\s\\a\\b"}));
  EXPECT_TRUE(temp.Exists("share/a/b"));
}

}  // namespace
