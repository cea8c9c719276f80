#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;

// What a progress window attached to the object is shown, in order.
class Feedback : public DiskOpsTest {
 protected:
  void SetUp() override {
    DiskOpsTest::SetUp();
    temp.WriteFile("src/f1");
    temp.WriteFile("src/a/g");
    ops.SetFeedbackWindow(&window_);
  }
  std::vector<std::string> Shown() const { return recorder_.Arguments(Call::SetWindowText); }

  // The growing paths that creating `folder` (normalised) shows: each level from the top.
  static std::vector<std::string> Levels(const std::string& folder) {
    std::vector<std::string> levels;
    std::string growing = folder.substr(0, 2);
    for (std::size_t start = 3, end; (end = folder.find('\\', start)) != std::string::npos;
         start = end + 1) {
      growing += "\\" + folder.substr(start, end - start);
      levels.push_back(growing);
    }
    return levels;
  }

  testsupport::RecordingServices recorder_{platform::CurrentServices()};
  platform::ScopedServices scope_{recorder_};

 private:
  CWnd window_{reinterpret_cast<platform::WindowHandle>(0x1)};
};

TEST_F(Feedback, ATreeCopyShowsFoldersThenPerFolderItsFilesItsTargetAndEachCopy) {
  ASSERT_NE(ops.CopyFolderTree(temp.path("src"), temp.path("dst")), 0);
  std::vector<std::string> expected = {"a", "f1"};
  for (const std::string& level : Levels(temp.path("dst\\"))) expected.push_back(level);
  expected.push_back("f1");
  expected.push_back("g");
  for (const std::string& level : Levels(temp.path("dst\\a\\"))) expected.push_back(level);
  expected.push_back("g");
  EXPECT_EQ(Shown(), expected);
}

TEST_F(Feedback, ATreeRemovalShowsEachFileAndFolderJustBeforeItGoes) {
  const std::string root = temp.path("src\\");
  ASSERT_NE(ops.DeleteFolderTree(root), 0);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"a", "g", "g", root + "a\\", "f1", "f1", root}));
}

TEST_F(Feedback, AFailureShowsTheErrorTextLast) {
  EXPECT_EQ(ops.DeleteFolder(temp.path("missing")), 0);
  EXPECT_EQ(Shown(), (std::vector<std::string>{temp.path("missing\\"), ops.ErrorText()}));
}

}  // namespace
