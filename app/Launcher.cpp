#include "app/Launcher.h"

#include <new>
#include <vector>

#include "app/resources/LauncherStrings.h"
#include "platform/Mbcs.h"
#include "platform/Services.h"
#include "platform/StringResources.h"

bool CLauncherApp::RunLauncher() {
  const std::string moduleFolder = GetModuleFolder();
  const std::string dataFolder = moduleFolder + kDataFolderName;
  const std::string updateFolder = dataFolder + kUpdateFolderName;

  ApplyPendingUpdate(updateFolder, dataFolder);

  const std::string browser = dataFolder + kBrowserFileName;
  if (PathExists(browser)) {
    // Started with no arguments and shown, whatever this launcher was given; not waited for.
    platform::CurrentServices().ShellExecuteA(nullptr, "open", browser, "", nullptr,
                                              platform::kSwShow);
  } else {
    const std::string message =
        platform::FormatWithOneString(platform::LoadResourceString(IDS_LAUNCH_FAILED), dataFolder);
    AfxMessageBox(message, platform::kMbOk, 0);
  }
  return false;
}

std::string GetModuleFolder() {
  std::vector<char> buffer;
  try {
    buffer.resize(platform::kMaxPath);
  } catch (const std::bad_alloc&) {
    return std::string();
  }
  const std::uint32_t length =
      platform::CurrentServices().GetModuleFileNameA(buffer.data(), platform::kMaxPath);
  // A path cut to the buffer would name another folder: better none, which makes the
  // data folder relative to the current directory.
  if (length == 0 || length >= platform::kMaxPath) return std::string();
  const std::string modulePath(buffer.data(), length);
  const std::size_t lastBackslash = platform::FindLastBackslash(modulePath);
  if (lastBackslash == std::string::npos) return std::string();
  return modulePath.substr(0, lastBackslash + 1);
}

int PathExists(const std::string& path) {
  std::string tested = path;
  const std::size_t lastBackslash = platform::FindLastBackslash(tested);
  if (lastBackslash != std::string::npos && lastBackslash + 1 == tested.size()) tested.pop_back();
  return platform::CurrentServices().Stat(tested) >= 0 ? 1 : 0;
}
