#include <gtest/gtest.h>

#include "platform/StringResources.h"
#include "platform/WinApp.h"
#include "tests/support/CodePage.h"
#include "tests/support/ServiceDecorators.h"

namespace {

using testsupport::Call;
using testsupport::PretendingServices;
using testsupport::RecordingServices;

struct NameCase {
  const char* modulePath;
  const char* name;
};

class ApplicationName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ApplicationName, FollowsTheExecutablesFileName) {
  EXPECT_EQ(platform::ApplicationNameFromModulePath(GetParam().modulePath), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplicationName,
                         ::testing::Values(NameCase{"C:\\pkg\\ZintuPortable.exe", "ZintuPortable"},
                                           NameCase{"C:\\pkg\\Renamed.exe", "Renamed"},
                                           NameCase{"C:/pkg/two.dots.exe", "two.dots"},
                                           NameCase{"C:prog.exe", "prog"},
                                           NameCase{"C:\\dir.v2\\noext", "noext"},
                                           NameCase{"bare", "bare"}));

TEST(ApplicationNameDbcs, StepsOverATrailBackslash) {
  ZINTU_USE_CODE_PAGE(cp, 932);
  EXPECT_EQ(platform::ApplicationNameFromModulePath("C:\\pkg\\\x95\x5C.exe"), "\x95\x5C");
}

TEST(FormatWithOneString, InsertsTheArgumentVerbatim) {
  EXPECT_EQ(platform::FormatWithOneString("missing: %s!", "C:\\100%s\\%d\\"),
            "missing: C:\\100%s\\%d\\!");
  EXPECT_EQ(platform::FormatWithOneString("50%% of %s", "x"), "50% of x");
  EXPECT_EQ(platform::FormatWithOneString("no placeholder", "x"), "no placeholder");
  EXPECT_EQ(platform::FormatWithOneString("trailing %", "x"), "trailing %");
}

class CountingApp : public CWinApp {
 public:
  bool InitInstance() override {
    ++starts;
    return true;  // even a request for a message loop ends the run
  }
  int starts = 0;
};

TEST(WinApp, AddsTheQuietErrorModesCallsTheHookOnceAndExitsZero) {
  RecordingServices recorder(platform::CurrentServices());
  PretendingServices pretend(recorder);
  pretend.PretendModuleFileName("C:\\pkg\\Launcher.v2.exe");
  platform::ScopedServices scope(pretend);
  const unsigned before = platform::RealServices().SetErrorMode(0x0002);  // NOGPFAULTERRORBOX

  CountingApp app;
  EXPECT_EQ(app.Run(nullptr, "--ignored args", 7), 0);

  EXPECT_EQ(app.starts, 1);
  EXPECT_EQ(app.AppName(), "Launcher.v2");
  EXPECT_EQ(app.CommandLine(), "--ignored args");
  EXPECT_EQ(app.ShowCommand(), 7);
  const std::vector<std::string> modes = recorder.Arguments(Call::SetErrorMode);
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.back(), std::to_string(0x8001 | 0x0002));
  platform::RealServices().SetErrorMode(before);
}

TEST(MessageBox, HasNoOwnerTheAppNameAsCaptionAndTheExclamationIcon) {
  RecordingServices recorder(platform::CurrentServices());
  PretendingServices pretend(recorder);
  pretend.PretendModuleFileName("C:\\pkg\\ZintuPortable.exe");
  platform::ScopedServices scope(pretend);
  CountingApp app;
  app.Run(nullptr, "", 1);

  AfxMessageBox("text one");
  AfxMessageBox("text two", 0x10);  // MB_ICONHAND: the caller's icon stays
  EXPECT_EQ(
      recorder.Arguments(Call::MessageBox),
      (std::vector<std::string>{"0|ZintuPortable|48|text one", "0|ZintuPortable|16|text two"}));
}

}  // namespace
