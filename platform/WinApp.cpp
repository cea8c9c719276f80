#include "platform/WinApp.h"

#include <array>

#include "platform/Mbcs.h"

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName)
    : m_appName(appName ? appName : ""), m_nameGiven(appName != nullptr) {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run(void* instance, const std::string& commandLine, int showCommand) {
  platform::Services& services = platform::CurrentServices();
  // Critical disk errors and files that cannot be opened fail quietly, with no dialog.
  const unsigned wanted = platform::kSemFailCriticalErrors | platform::kSemNoOpenFileErrorBox;
  const unsigned previous = services.SetErrorMode(wanted);
  services.SetErrorMode(previous | wanted);

  m_instance = instance;
  m_commandLine = commandLine;
  m_showCommand = showCommand;
  if (!m_nameGiven) {
    std::array<char, platform::kMaxPath> buffer{};
    const std::uint32_t length = services.GetModuleFileNameA(buffer.data(), buffer.size());
    const std::size_t used = length < buffer.size() ? length : buffer.size();
    m_appName = platform::ApplicationNameFromModulePath(std::string(buffer.data(), used));
  }

  InitInstance();  // no message loop follows, whatever it answers
  return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

int AfxMessageBox(const std::string& text, unsigned type, unsigned /*helpContext*/) {
  if ((type & platform::kMbIconMask) == 0) type |= platform::kMbIconExclamation;
  const std::string caption = g_app ? g_app->AppName() : std::string();
  return platform::CurrentServices().MessageBoxA(nullptr, text, caption, type);
}

namespace platform {

std::string ApplicationNameFromModulePath(const std::string& modulePath) {
  const std::size_t separator = FindLastOf(modulePath, "\\/:");
  std::string name = separator == std::string::npos ? modulePath : modulePath.substr(separator + 1);
  const std::size_t lastDot = FindLastOf(name, ".");
  if (lastDot != std::string::npos) name.resize(lastDot);
  return name;
}

int RunApplication(void* instance, const std::string& commandLine, int showCommand) {
  CWinApp* app = AfxGetApp();
  return app ? app->Run(instance, commandLine, showCommand) : 0;
}

}  // namespace platform
