// Decorators that tests put in front of the real backend with platform::ScopedServices.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ForwardingServices.h"

namespace testsupport {

enum class Call {
  FindFirstFile,
  FindNextFile,
  FindClose,
  CopyFile,
  DeleteFile,
  CreateDirectory,
  RemoveDirectory,
  SetCurrentDirectory,
  SetWindowText,
  ShellExecute,
  MessageBox,
  Stat,
  SetErrorMode,
};

struct RecordedCall {
  Call call;
  std::string argument;  // the path, pattern or text; "source -> target" for a copy
  bool operator==(const RecordedCall&) const = default;
};

// Records the calls that change or search the disk, and the texts shown.
class RecordingServices : public platform::ForwardingServices {
 public:
  explicit RecordingServices(platform::Services& inner) : ForwardingServices(inner) {}

  const std::vector<RecordedCall>& calls() const { return calls_; }
  // The arguments of the recorded calls of one kind, in order.
  std::vector<std::string> Arguments(Call call) const;
  // Searches opened and not yet closed.
  int OpenSearches() const { return openSearches_; }

  platform::FindHandle FindFirstFileA(const std::string& pattern,
                                      platform::FindData* data) override;
  bool FindNextFileA(platform::FindHandle handle, platform::FindData* data) override;
  bool FindClose(platform::FindHandle handle) override;
  bool CopyFileA(const std::string& source, const std::string& target, bool failIfExists) override;
  bool DeleteFileA(const std::string& path) override;
  bool CreateDirectoryA(const std::string& path) override;
  bool RemoveDirectoryA(const std::string& path) override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  bool SetWindowTextA(platform::WindowHandle window, const std::string& text) override;
  // Recorded as "owner|caption|type|text"; not shown.
  int MessageBoxA(platform::WindowHandle owner, const std::string& text, const std::string& caption,
                  unsigned type) override;
  int Stat(const std::string& path) override;
  unsigned SetErrorMode(unsigned mode) override;

 private:
  std::vector<RecordedCall> calls_;
  int openSearches_ = 0;
};

// Makes chosen calls fail: the k-th call (counting from 1) of a kind returns failure with
// the given system error code, without reaching the platform.
class FailingServices : public platform::ForwardingServices {
 public:
  explicit FailingServices(platform::Services& inner) : ForwardingServices(inner) {}

  void FailNth(Call call, int nth, std::uint32_t code) { failures_[call][nth] = code; }

  platform::FindHandle FindFirstFileA(const std::string& pattern,
                                      platform::FindData* data) override;
  bool CopyFileA(const std::string& source, const std::string& target, bool failIfExists) override;
  bool DeleteFileA(const std::string& path) override;
  bool CreateDirectoryA(const std::string& path) override;
  bool RemoveDirectoryA(const std::string& path) override;
  bool SetCurrentDirectoryA(const std::string& path) override;

 private:
  // True when this call of `call` is to fail; then the error code is set.
  bool Fails(Call call);

  std::map<Call, std::map<int, std::uint32_t>> failures_;
  std::map<Call, int> counts_;
};

// Answers chosen queries with given values instead of the platform's.
class PretendingServices : public platform::ForwardingServices {
 public:
  explicit PretendingServices(platform::Services& inner) : ForwardingServices(inner) {}

  // GetCurrentDirectoryA reports this directory, which need not exist.
  void PretendCurrentDirectory(std::string directory) { directory_ = std::move(directory); }
  // GetModuleFileNameA reports this path.
  void PretendModuleFileName(std::string path) { moduleFileName_ = std::move(path); }
  // FormatSystemMessage answers this text for every code, or nothing at all.
  void PretendSystemMessage(std::optional<std::string> text) {
    message_ = std::move(text);
    messageSet_ = true;
  }

  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
  std::optional<std::string> FormatSystemMessage(std::uint32_t code) override;

 private:
  std::optional<std::string> directory_;
  std::optional<std::string> moduleFileName_;
  std::optional<std::string> message_;
  bool messageSet_ = false;
};

}  // namespace testsupport
