#include <functional>

#include "tests/diskops/DiskOpsTestSupport.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::DiskOpsTest;
using testsupport::PretendingServices;
using testsupport::RecordingServices;

class ErrorText : public DiskOpsTest {};

TEST_F(ErrorText, IsTheTrimmedSystemMessageOneBlankAndTheSubject) {
  PretendingServices pretend(platform::CurrentServices());
  platform::ScopedServices scope(pretend);

  pretend.PretendSystemMessage(std::string(" \tAccess is denied.\r\n"));
  ops.SetSystemErrorText(5, "C:\\a\\b.txt");
  EXPECT_EQ(ops.ErrorText(), "Access is denied. C:\\a\\b.txt");

  // A second report replaces the first whole; an empty subject adds not even the blank.
  ops.SetSystemErrorText(5, "");
  EXPECT_EQ(ops.ErrorText(), "Access is denied.");

  // Without a system text the code stands in for it.
  pretend.PretendSystemMessage(std::nullopt);
  ops.SetSystemErrorText(4321, "subject");
  EXPECT_EQ(ops.ErrorText(), "System error 4321 subject");
}

TEST_F(ErrorText, UsesThePlatformsOwnMessage) {
  ops.SetSystemErrorText(platform::kErrorFileNotFound, "X");
  const std::string& text = ops.ErrorText();
  ASSERT_GT(text.size(), 2u);
  EXPECT_NE(text.front(), ' ');
  EXPECT_TRUE(EndsWithSubject(text, "X"));
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(ErrorText, InternalErrorTextAndFeedbackWindow) {
  RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  CDiskOps fresh;
  EXPECT_EQ(fresh.ErrorText(), "");
  EXPECT_EQ(fresh.FeedbackWindow(), nullptr);
  fresh.SetInternalErrorText();  // nothing to show it in
  EXPECT_TRUE(recorder.Arguments(Call::SetWindowText).empty());

  CWnd window(reinterpret_cast<platform::WindowHandle>(0x1234));
  ops.SetFeedbackWindow(&window);
  ops.SetInternalErrorText();
  EXPECT_EQ(ops.ErrorText(), "CDiskOps internal error - check call parameters");
  ops.ClearErrorText();  // the window keeps its last text
  EXPECT_EQ(ops.ErrorText(), "");
  EXPECT_EQ(recorder.Arguments(Call::SetWindowText),
            std::vector<std::string>{"CDiskOps internal error - check call parameters"});
}

// Which operations start by clearing an earlier report and which leave it.
struct ClearingCase {
  const char* name;
  std::function<int(CDiskOps&, const testsupport::TempFolder&)> run;
  bool clears;
};

class Clearing : public DiskOpsTest, public ::testing::WithParamInterface<ClearingCase> {};

TEST_P(Clearing, OnSuccess) {
  temp.WriteFile("src/f.txt");
  temp.MakeFolder("src/sub");
  ops.SetInternalErrorText();
  EXPECT_NE(GetParam().run(ops, temp), 0);
  EXPECT_EQ(ops.ErrorText(), GetParam().clears ? "" : CDiskOps::kInternalErrorText);
}

std::string Path(const testsupport::TempFolder& t, const char* relative) {
  return t.path(relative);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Clearing,
    ::testing::Values(
        ClearingCase{"NormalizeFolderPath",
                     [](CDiskOps& o, auto& t) {
                       std::string p = Path(t, "src");
                       return o.NormalizeFolderPath(p);
                     },
                     false},
        ClearingCase{"ResolveFullPath",
                     [](CDiskOps& o, auto& t) {
                       std::string p = Path(t, "src");
                       return o.ResolveFullPath(p);
                     },
                     false},
        ClearingCase{"HasLegalChars", [](CDiskOps& o, auto&) { return o.HasLegalChars("ok"); },
                     false},
        ClearingCase{"FolderExists",
                     [](CDiskOps& o, auto& t) { return o.FolderExists(Path(t, "src")); }, true},
        ClearingCase{"ListFiles",
                     [](CDiskOps& o, auto& t) {
                       CStringArray l;
                       return o.ListFiles(Path(t, "src"), l, CDiskOps::listNames);
                     },
                     true},
        ClearingCase{"ListFolders",
                     [](CDiskOps& o, auto& t) {
                       CStringArray l;
                       return o.ListFolders(Path(t, "src"), l, CDiskOps::listNames);
                     },
                     true},
        ClearingCase{"CreateFolderPath",
                     [](CDiskOps& o, auto& t) { return o.CreateFolderPath(Path(t, "new")); }, true},
        ClearingCase{
            "CopyFolderTree",
            [](CDiskOps& o, auto& t) { return o.CopyFolderTree(Path(t, "src"), Path(t, "dst")); },
            true},
        ClearingCase{"DeleteFolderTree",
                     [](CDiskOps& o, auto& t) { return o.DeleteFolderTree(Path(t, "src")); },
                     true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
