// The framework's application class: start-up, the one start-up hook, exit.
#pragma once

#include <string>

#include "platform/Services.h"

class CWinApp {
 public:
  // A null name lets the application name follow the executable's file name.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The start-up hook, called once. There is no message loop to run afterwards.
  virtual bool InitInstance() { return false; }
  // Stores no settings; its result is the exit status.
  virtual int ExitInstance() { return 0; }

  // The framework's entry: error mode, what the process was started with, the
  // application name, the hook, the exit step.
  int Run(void* instance, const std::string& commandLine, int showCommand);

  const std::string& AppName() const { return m_appName; }
  const std::string& CommandLine() const { return m_commandLine; }
  int ShowCommand() const { return m_showCommand; }
  void* Instance() const { return m_instance; }

 private:
  std::string m_appName;
  bool m_nameGiven;
  void* m_instance = nullptr;
  std::string m_commandLine;
  int m_showCommand = 0;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// The framework's message box: no owner, the application name as caption, and the
// exclamation icon when `type` names none.
int AfxMessageBox(const std::string& text, unsigned type = platform::kMbOk,
                  unsigned helpContext = 0);

namespace platform {
// The file name of `modulePath` after its last backslash, slash or colon, without the
// text from its last dot on.
std::string ApplicationNameFromModulePath(const std::string& modulePath);
// The entry the backend's main or WinMain calls.
int RunApplication(void* instance, const std::string& commandLine, int showCommand);
}  // namespace platform
