#include <gtest/gtest.h>

#include "app/Launcher.h"
#include "tests/support/CodePage.h"
#include "tests/support/ServiceDecorators.h"
#include "tests/support/TempFolder.h"

namespace {

using testsupport::Call;

TEST(PathExists, CutsOneTrailingBackslashAndLeavesTheCallersString) {
  testsupport::TempFolder temp;
  temp.WriteFile("file.txt");
  testsupport::RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);

  const std::string folder = temp.path();
  EXPECT_NE(PathExists(folder), 0);  // a folder counts
  EXPECT_EQ(folder, temp.path());
  EXPECT_NE(PathExists(temp.path("file.txt")), 0);
  EXPECT_EQ(PathExists(temp.path("missing")), 0);
  PathExists(temp.path("two\\\\"));
  PathExists("");
  EXPECT_EQ(recorder.Arguments(Call::Stat),
            (std::vector<std::string>{folder.substr(0, folder.size() - 1), temp.path("file.txt"),
                                      temp.path("missing"), temp.path("two\\"), ""}));
}

TEST(PathExistsDbcs, KeepsATrailBackslashAtTheEnd) {
  ZINTU_USE_CODE_PAGE(scope932, 932);
  testsupport::RecordingServices recorder(platform::CurrentServices());
  platform::ScopedServices scope(recorder);
  PathExists("C:\\\x95\x5C");
  EXPECT_EQ(recorder.Arguments(Call::Stat), std::vector<std::string>{"C:\\\x95\x5C"});
}

struct ModuleCase {
  std::string modulePath;
  std::string folder;
};

class ModuleFolder : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(ModuleFolder, EndsAtTheLastRealBackslash) {
  testsupport::PretendingServices pretend(platform::CurrentServices());
  pretend.PretendModuleFileName(GetParam().modulePath);
  platform::ScopedServices scope(pretend);
  EXPECT_EQ(GetModuleFolder(), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModuleFolder,
    ::testing::Values(ModuleCase{"C:\\pkg\\ZintuPortable.exe", "C:\\pkg\\"},
                      ModuleCase{"\\\\srv\\s\\ZintuPortable.exe", "\\\\srv\\s\\"},
                      ModuleCase{"ZintuPortable.exe", ""}, ModuleCase{"", ""},
                      // A path cut to the 260-byte buffer would name another folder.
                      ModuleCase{"C:\\" + std::string(300, 'p') + "\\ZintuPortable.exe", ""},
                      ModuleCase{"C:\\" + std::string(240, 'p') + "\\Zintu.exe",
                                 "C:\\" + std::string(240, 'p') + "\\"}));

TEST(ModuleFolderDbcs, StepsOverTrailBackslashes) {
  for (unsigned codePage : {932u, 936u}) {
    testsupport::CodePageScope active(codePage);
    if (!active.active()) continue;
    const std::string c = testsupport::CharWithBackslashTrail(codePage);
    testsupport::PretendingServices pretend(platform::CurrentServices());
    platform::ScopedServices scope(pretend);
    pretend.PretendModuleFileName("C:\\pkg" + c + "\\" + c + "\\Zintu" + c + ".exe");
    EXPECT_EQ(GetModuleFolder(), "C:\\pkg" + c + "\\" + c + "\\") << codePage;
    pretend.PretendModuleFileName("C:\\pkg\\" + c);
    EXPECT_EQ(GetModuleFolder(), "C:\\pkg\\") << codePage;
  }
}

}  // namespace
