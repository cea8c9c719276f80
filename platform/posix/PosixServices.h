// The POSIX backend: a small Windows-like layer over the host file system.
#pragma once

#include <atomic>
#include <map>
#include <mutex>

#include "platform/Services.h"

namespace platform::posix {

class PosixServices final : public Services {
 public:
  FindHandle FindFirstFileA(const std::string& pattern, FindData* data) override;
  bool FindNextFileA(FindHandle handle, FindData* data) override;
  bool FindClose(FindHandle handle) override;

  bool CopyFileA(const std::string& source, const std::string& target, bool failIfExists) override;
  bool DeleteFileA(const std::string& path) override;
  bool CreateDirectoryA(const std::string& path) override;
  bool RemoveDirectoryA(const std::string& path) override;

  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;

  std::uint32_t GetLastError() override;
  void SetLastError(std::uint32_t code) override;
  std::optional<std::string> FormatSystemMessage(std::uint32_t code) override;

  std::intptr_t ShellExecuteA(WindowHandle owner, const char* operation, const std::string& file,
                              const char* parameters, const char* directory,
                              int showCommand) override;
  int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                  unsigned type) override;
  std::optional<std::string> LoadStringA(unsigned id) override;
  bool SetWindowTextA(WindowHandle window, const std::string& text) override;

  int Stat(const std::string& path) override;
  unsigned SetErrorMode(unsigned mode) override;
  bool IsDBCSLeadByte(unsigned char byte) override;

 private:
  std::atomic<unsigned> errorMode_{0};
  std::mutex windowMutex_;
  std::map<WindowHandle, std::string> windowTexts_;
};

}  // namespace platform::posix
