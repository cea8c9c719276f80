// A Services that hands every call on to another one: the base of the decorators that
// tests put in front of the real backend.
#pragma once

#include "platform/Services.h"

namespace platform {

class ForwardingServices : public Services {
 public:
  explicit ForwardingServices(Services& inner) : inner_(inner) {}

  FindHandle FindFirstFileA(const std::string& pattern, FindData* data) override {
    return inner_.FindFirstFileA(pattern, data);
  }
  bool FindNextFileA(FindHandle handle, FindData* data) override {
    return inner_.FindNextFileA(handle, data);
  }
  bool FindClose(FindHandle handle) override { return inner_.FindClose(handle); }
  bool CopyFileA(const std::string& source, const std::string& target, bool failIfExists) override {
    return inner_.CopyFileA(source, target, failIfExists);
  }
  bool DeleteFileA(const std::string& path) override { return inner_.DeleteFileA(path); }
  bool CreateDirectoryA(const std::string& path) override { return inner_.CreateDirectoryA(path); }
  bool RemoveDirectoryA(const std::string& path) override { return inner_.RemoveDirectoryA(path); }
  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override {
    return inner_.GetCurrentDirectoryA(size, buffer);
  }
  bool SetCurrentDirectoryA(const std::string& path) override {
    return inner_.SetCurrentDirectoryA(path);
  }
  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override {
    return inner_.GetModuleFileNameA(buffer, size);
  }
  std::uint32_t GetLastError() override { return inner_.GetLastError(); }
  void SetLastError(std::uint32_t code) override { inner_.SetLastError(code); }
  std::optional<std::string> FormatSystemMessage(std::uint32_t code) override {
    return inner_.FormatSystemMessage(code);
  }
  std::intptr_t ShellExecuteA(WindowHandle owner, const char* operation, const std::string& file,
                              const char* parameters, const char* directory,
                              int showCommand) override {
    return inner_.ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
  }
  int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                  unsigned type) override {
    return inner_.MessageBoxA(owner, text, caption, type);
  }
  std::optional<std::string> LoadStringA(unsigned id) override { return inner_.LoadStringA(id); }
  bool SetWindowTextA(WindowHandle window, const std::string& text) override {
    return inner_.SetWindowTextA(window, text);
  }
  int Stat(const std::string& path) override { return inner_.Stat(path); }
  unsigned SetErrorMode(unsigned mode) override { return inner_.SetErrorMode(mode); }
  bool IsDBCSLeadByte(unsigned char byte) override { return inner_.IsDBCSLeadByte(byte); }

 protected:
  Services& inner() { return inner_; }

 private:
  Services& inner_;
};

}  // namespace platform
