// The launcher: finds its folder, applies a pending update, starts the browser.
#pragma once

#include <string>

#include "platform/WinApp.h"

// The folder names below the launcher's own folder, each with its closing backslash.
inline constexpr const char* kDataFolderName = "ZintuData\\";
inline constexpr const char* kUpdateFolderName = "update\\";
inline constexpr const char* kBrowserFileName = "Zintu.exe";

class CLauncherApp : public CWinApp {
 public:
  CLauncherApp() : CWinApp(nullptr) {}
  ~CLauncherApp() override = default;

  bool InitInstance() override { return RunLauncher(); }
  // The one start-up routine. False: there is no message loop to run.
  bool RunLauncher();
};

// The folder of the launcher's executable with its trailing backslash, or empty when its
// path cannot be had whole.
std::string GetModuleFolder();

// Non-zero when a file or folder of that name exists. One trailing backslash is ignored.
int PathExists(const std::string& path);

// Copies a staged update tree over the data folder and, only when every file was copied,
// removes the tree. Silent: the launch goes on whatever happens here.
void ApplyPendingUpdate(const std::string& updateFolder, const std::string& dataFolder);
