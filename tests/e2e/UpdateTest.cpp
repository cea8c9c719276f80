#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/LauncherRun.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

void Write(const fs::path& file, const std::string& content) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Update : public ::testing::Test {
 protected:
  fs::path update() const { return package.data() / "update"; }
  Package package;
};

TEST_F(Update, IsAppliedOverTheDataFolderAndRemoved) {
  Write(package.data() / "Zintu.exe", "the old browser, not a program");
  Write(package.data() / "old.txt", "old");
  Write(package.data() / "profile/prefs.js", "user's own");
  package.InstallBrowser(update() / "Zintu.exe");
  Write(update() / "old.txt", "new");
  Write(update() / "lib/sub/x.dll", "x");
  fs::create_directories(update() / "empty");

  const Start start = package.Run(1);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_FALSE(fs::exists(update()));
  EXPECT_EQ(Read(package.data() / "old.txt"), "new");
  EXPECT_EQ(Read(package.data() / "lib/sub/x.dll"), "x");
  EXPECT_TRUE(fs::is_directory(package.data() / "empty"));
  EXPECT_EQ(Read(package.data() / "profile/prefs.js"), "user's own");
  // The browser the update brought is in place before the test for it, and is started.
  EXPECT_EQ(Read(package.data() / "Zintu.exe"), Read(Programs::Get().browser));
  EXPECT_EQ(start.browserStarts.size(), 1u) << start.run.output;
  EXPECT_TRUE(start.messages.empty());
}

TEST_F(Update, AnEmptyUpdateFolderIsRemoved) {
  package.InstallBrowser(package.data() / "Zintu.exe");
  fs::create_directories(update());
  const Start start = package.Run(1);
  EXPECT_FALSE(fs::exists(update()));
  EXPECT_EQ(start.browserStarts.size(), 1u);
}

TEST_F(Update, AFileNamedUpdateIsLeftAloneAtEveryStart) {
  package.InstallBrowser(package.data() / "Zintu.exe");
  Write(package.data() / "update", "not a folder");
  const std::string before = Snapshot(package.data());
  for (int run = 0; run < 2; ++run) {
    const Start start = package.Run(1);
    EXPECT_EQ(start.run.exitCode, 0);
    EXPECT_EQ(start.browserStarts.size(), 1u);
    EXPECT_EQ(Snapshot(package.data()), before);
  }
}

// The data file b.txt cannot be overwritten: natively it is read-only, under Wine another
// process holds it open without sharing.
TEST_F(Update, ACopyThatFailsPartWayLeavesTheUpdateWholeForTheNextStart) {
  package.InstallBrowser(package.data() / "Zintu.exe");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    Write(package.data() / name, std::string("old ") + name);
    Write(update() / name, std::string("new ") + name);
  }
  Write(update() / "sub/d.txt", "new d");
  const std::string updateBefore = Snapshot(update());
  const fs::path blocked = package.data() / "b.txt";

  std::unique_ptr<platform::testing::ChildProcess> holder;
  if (Programs::Get().underWine()) {
    holder = platform::testing::StartChild({Programs::Get().wine, Programs::Get().holdFile,
                                            platform::testing::PlatformPath(blocked.string())},
                                           {"WINEDEBUG=-all"});
    ASSERT_TRUE(holder);
    ASSERT_EQ(holder->ReadLine(), "held");
  } else {
    testsupport::SetReadOnly(blocked, true);
  }

  const Start first = package.Run(1);
  EXPECT_EQ(first.run.exitCode, 0);
  EXPECT_EQ(first.browserStarts.size(), 1u) << first.run.output;
  EXPECT_EQ(Snapshot(update()), updateBefore);
  EXPECT_EQ(Read(package.data() / "a.txt"), "new a.txt");
  EXPECT_EQ(Read(blocked), "old b.txt");
  EXPECT_EQ(Read(package.data() / "c.txt"), "old c.txt");
  EXPECT_FALSE(fs::exists(package.data() / "sub"));

  if (holder) {
    EXPECT_EQ(holder->Finish(), 0);
  } else {
    testsupport::SetReadOnly(blocked, false);
  }
  const Start second = package.Run(1);
  EXPECT_EQ(second.browserStarts.size(), 1u);
  EXPECT_FALSE(fs::exists(update()));
  EXPECT_EQ(Read(blocked), "new b.txt");
  EXPECT_EQ(Read(package.data() / "c.txt"), "new c.txt");
  EXPECT_EQ(Read(package.data() / "sub/d.txt"), "new d");
}

TEST_F(Update, ARemovalThatFailsIsRetriedAfterTheRemainderIsCopiedAgain) {
  package.InstallBrowser(package.data() / "Zintu.exe");
  Write(update() / "top.txt", "update's top");
  Write(update() / "sub/locked.txt", "locked");
  Write(update() / "sub/other.txt", "other");
  testsupport::SetReadOnly(update() / "sub/locked.txt", true);

  const Start first = package.Run(1);
  EXPECT_EQ(first.run.exitCode, 0);
  EXPECT_EQ(first.browserStarts.size(), 1u) << first.run.output;
  ASSERT_TRUE(fs::exists(update() / "sub/locked.txt"));
  EXPECT_EQ(Read(package.data() / "top.txt"), "update's top");

  // The browser writes to a file the update still holds: the next start replaces it again.
  Write(package.data() / "top.txt", "written by the browser");
  // The copy carried the read-only attribute over, as Windows' copy does.
  testsupport::SetReadOnly(update() / "sub/locked.txt", false);
  testsupport::SetReadOnly(package.data() / "sub/locked.txt", false);
  const Start second = package.Run(1);
  EXPECT_EQ(second.browserStarts.size(), 1u);
  EXPECT_FALSE(fs::exists(update()));
  EXPECT_EQ(Read(package.data() / "top.txt"), "update's top");
  EXPECT_EQ(Read(package.data() / "sub/locked.txt"), "locked");
}

// Folder links in the update tree lead out of it: what is behind them is neither copied
// nor deleted, and the tree still goes.
class UpdateWithLinks : public Update {
 protected:
  void SetUp() override {
    package.InstallBrowser(package.data() / "Zintu.exe");
    Write(package.temp().host() / "outside/o.txt", "o");
    Write(package.temp().host() / "outside/deep/d.txt", "d");
    Write(update() / "real.txt", "r");
    std::error_code error;
    fs::create_directory_symlink(package.temp().host() / "outside", update() / "out", error);
    if (!error) fs::create_directory_symlink(update(), update() / "loop", error);
    if (error) GTEST_SKIP() << "folder links cannot be made here: " << error.message();
  }
};

TEST_F(UpdateWithLinks, LeaveWhatIsBehindThemAlone) {
  const std::string outsideBefore = Snapshot(package.temp().host() / "outside");
  const Start start = package.Run(1);
  EXPECT_EQ(start.run.exitCode, 0);
  EXPECT_TRUE(start.run.descendantsDone);
  EXPECT_EQ(start.browserStarts.size(), 1u) << start.run.output;
  EXPECT_EQ(Snapshot(package.temp().host() / "outside"), outsideBefore);
  EXPECT_FALSE(fs::exists(package.data() / "out"));
  EXPECT_FALSE(fs::exists(package.data() / "o.txt"));
  EXPECT_FALSE(fs::exists(package.data() / "loop"));
  EXPECT_EQ(Read(package.data() / "real.txt"), "r");
  // Wine shows a host link as a folder link but removes what it points to, not the link,
  // so there the tree stays (and what is behind the link too, as checked above).
  if (!Programs::Get().underWine()) {
    EXPECT_FALSE(fs::exists(fs::symlink_status(update())));
  }
}

}  // namespace
}  // namespace e2e
