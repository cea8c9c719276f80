// Runs the built launcher in a package folder of its own, natively or under Wine, and
// reads back what a user would have seen.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/TestingHooks.h"
#include "tests/support/TempFolder.h"

namespace e2e {

// Where the programs under test are, from the environment the test was started with.
struct Programs {
  std::string launcher;  // ZINTU_E2E_LAUNCHER
  std::string browser;   // ZINTU_E2E_BROWSER: the stand-in browser
  std::string holdFile;  // ZINTU_E2E_HOLD_FILE: Windows only
  std::string wine;      // ZINTU_E2E_WINE: empty for a native launcher
  bool underWine() const { return !wine.empty(); }
  static const Programs& Get();
};

// What the message box showed.
struct Message {
  std::string caption;
  std::string type;
  std::string text;      // as far as it could be read
  bool complete = true;  // false when the trace cut the text short
};

struct Start {
  platform::testing::ProcessRun run;
  std::vector<std::string> browserStarts;  // one line per start of the stand-in browser
  std::vector<Message> messages;
  std::vector<std::string> shellOpens;  // under Wine: the file of each ShellExecuteA
};

class Package {
 public:
  Package();  // a package root holding the launcher
  explicit Package(const std::string& rootName);

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path data() const { return root_ / "ZintuData"; }
  testsupport::TempFolder& temp() { return temp_; }
  // The root as the launcher sees it, with its closing backslash.
  std::string rootAsSeen() const;

  void InstallBrowser(const std::filesystem::path& at) const;
  // Starts the launcher and waits for it and for the browser starts it is expected to
  // make (natively for every process it started, whatever was expected).
  Start Run(int expectedStarts, const std::vector<std::string>& arguments = {},
            const std::filesystem::path& currentDirectory = {});
  // The code page the launcher runs under.
  unsigned codePage() const { return codePage_; }
  void SetLocale(const std::string& locale, unsigned codePage);

 private:
  testsupport::TempFolder temp_;
  std::filesystem::path root_;
  std::filesystem::path record_;
  std::unique_ptr<platform::testing::LineSignal> signal_;
  std::string fifoPath_;
  std::size_t expectedSignals_ = 0;
  std::string locale_;
  unsigned codePage_;
  std::size_t startsSeen_ = 0;
};

// The launcher's message for `dataFolder` in `codePage`.
std::string ExpectedMessage(const std::string& dataFolder, unsigned codePage);

// Byte-for-byte copy of a file tree's files with their contents, for comparing.
std::string Snapshot(const std::filesystem::path& folder);

}  // namespace e2e
