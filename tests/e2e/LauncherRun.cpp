#include "tests/e2e/LauncherRun.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "app/resources/LauncherStrings.h"
#include "platform/StringResources.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A string as Wine's trace quotes it, from just after the opening quote; the position
// after the closing quote is left in `at`.
std::string Unquote(const std::string& line, std::size_t& at) {
  std::string result;
  while (at < line.size() && line[at] != '"') {
    char c = line[at++];
    if (c == '\\' && at < line.size()) {
      const char e = line[at++];
      switch (e) {
        case 'n':
          c = '\n';
          break;
        case 'r':
          c = '\r';
          break;
        case 't':
          c = '\t';
          break;
        case 'x':
          c = static_cast<char>(std::stoi(line.substr(at, 2), nullptr, 16));
          at += 2;
          break;
        default:
          c = e;
      }
    }
    result += c;
  }
  ++at;
  return result;
}

// The quoted arguments and the plain ones of one traced call, in order.
std::vector<std::string> TracedArguments(const std::string& line, bool* cut) {
  std::vector<std::string> arguments;
  std::size_t at = line.find('(') + 1;
  while (at < line.size() && line[at] != ')') {
    const std::size_t comma = line.find_first_of(",)\"", at);
    if (comma != std::string::npos && line[comma] == '"') {
      at = comma + 1;
      arguments.push_back(Unquote(line, at));
      if (line.compare(at, 3, "...") == 0) {
        *cut = true;
        at += 3;
      }
      if (at < line.size() && line[at] == ',') ++at;
    } else {
      arguments.push_back(line.substr(at, comma - at));
      at = comma == std::string::npos ? line.size() : comma + (line[comma] == ',' ? 1 : 0);
    }
  }
  return arguments;
}

void ReadWineTrace(const std::string& trace, Start* start) {
  std::istringstream lines(trace);
  std::string line;
  while (std::getline(lines, line)) {
    bool cut = false;
    if (line.find(":Call user32.MessageBoxA(") != std::string::npos) {
      const std::vector<std::string> a = TracedArguments(line, &cut);
      if (a.size() == 4) start->messages.push_back({a[2], a[3], a[1], !cut && a[0] == "00000000"});
      if (a.size() == 4 && a[0] != "00000000") start->messages.back().caption = "owner " + a[0];
    } else if (line.find(":Call shell32.ShellExecuteA(") != std::string::npos) {
      const std::vector<std::string> a = TracedArguments(line, &cut);
      std::string joined;
      for (const std::string& piece : a) joined += (joined.empty() ? "" : "|") + piece;
      start->shellOpens.push_back(joined);
    }
  }
}

void ReadNativeMessages(const std::string& output, Start* start) {
  const std::string head = "MessageBoxA owner=";
  std::size_t at = output.find(head);
  while (at != std::string::npos) {
    const std::size_t lineEnd = output.find('\n', at);
    const std::string header = output.substr(at, lineEnd - at);
    const std::size_t next = output.find("\n" + head, lineEnd);
    const std::size_t textEnd = next == std::string::npos ? output.size() - 1 : next;
    Message message;
    const std::size_t caption = header.find(" caption=");
    message.caption = header.substr(caption + 9);
    const std::size_t type = header.find(" type=");
    message.type = header.substr(type + 6, caption - type - 6);
    if (header.compare(head.size(), 2, "0 ") != 0) message.caption = "owner " + header;
    message.text = output.substr(lineEnd + 1, textEnd - lineEnd - 1);
    start->messages.push_back(message);
    at = next == std::string::npos ? next : next + 1;
  }
}

}  // namespace

const Programs& Programs::Get() {
  static const Programs programs{Env("ZINTU_E2E_LAUNCHER"), Env("ZINTU_E2E_BROWSER"),
                                 Env("ZINTU_E2E_HOLD_FILE"), Env("ZINTU_E2E_WINE")};
  return programs;
}

Package::Package() : Package("pkg") {}

Package::Package(const std::string& rootName)
    : root_(temp_.host() / rootName),
      record_(temp_.host() / "browser-starts.txt"),
      locale_(Programs::Get().underWine() ? "zh_CN.UTF-8" : "C.UTF-8"),
      codePage_(Programs::Get().underWine() ? 936 : 65001) {
  fs::create_directories(root_);
  const fs::path launcher = Programs::Get().launcher;
  fs::copy_file(launcher, root_ / launcher.filename());
}

std::string Package::rootAsSeen() const {
  return platform::testing::PlatformPath(root_.string()) + "\\";
}

void Package::SetLocale(const std::string& locale, unsigned codePage) {
  locale_ = locale;
  codePage_ = codePage;
}

void Package::InstallBrowser(const fs::path& at) const {
  fs::create_directories(at.parent_path());
  fs::copy_file(Programs::Get().browser, at, fs::copy_options::overwrite_existing);
}

Start Package::Run(int expectedStarts, const std::vector<std::string>& arguments,
                   const fs::path& currentDirectory) {
  const Programs& programs = Programs::Get();
  const fs::path launcher = root_ / fs::path(programs.launcher).filename();
  std::vector<std::string> argv;
  if (programs.underWine()) argv.push_back(programs.wine);
  argv.push_back(launcher.string());
  argv.insert(argv.end(), arguments.begin(), arguments.end());

  const std::string record =
      programs.underWine() ? platform::testing::PlatformPath(record_.string()) : record_.string();
  std::vector<std::string> environment = {"ZINTU_FAKE_BROWSER_RECORD=" + record,
                                          "LC_ALL=" + locale_};
  if (programs.underWine()) {
    environment.push_back("WINEDEBUG=+relay");
    // Wine's services may outlive the launcher holding whatever it was handed, so the
    // browser says when it has started.
    if (!signal_) {
      const fs::path fifo = temp_.host() / "browser-signal";
      signal_ = platform::testing::CreateLineSignal(fifo.string());
      fifoPath_ = platform::testing::PlatformPath(fifo.string());
    }
    environment.push_back("ZINTU_FAKE_BROWSER_SIGNAL=" + fifoPath_);
  }

  Start start;
  const fs::path directory = currentDirectory.empty() ? root_ : currentDirectory;
  start.run = platform::testing::RunProcess(argv, directory.string(), environment,
                                            !programs.underWine(), 300);
  if (programs.underWine()) {
    expectedSignals_ += static_cast<std::size_t>(expectedStarts);
    start.run.descendantsDone = signal_ && signal_->WaitForLines(expectedSignals_, 120);
    ReadWineTrace(start.run.output, &start);
  } else {
    ReadNativeMessages(start.run.output, &start);
  }
  // Only the starts of this run.
  std::istringstream lines(ReadAll(record_));
  std::string line;
  std::size_t index = 0;
  while (std::getline(lines, line)) {
    if (index++ >= startsSeen_) start.browserStarts.push_back(line);
  }
  startsSeen_ = index;
  return start;
}

std::string ExpectedMessage(const std::string& dataFolder, unsigned codePage) {
  // Converted as the launcher's own string table is, then formatted.
  return platform::FormatWithOneString(
      platform::testing::FromUtf16(u"" IDS_LAUNCH_FAILED_TEXT, codePage), dataFolder);
}

std::string Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  if (!fs::exists(folder)) return "(missing)";
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).generic_string();
    entries[name] = entry.is_directory() ? "<folder>" : ReadAll(entry.path());
  }
  std::string result;
  for (const auto& [name, content] : entries) result += name + "=" + content + "\n";
  return result;
}

}  // namespace e2e
